#pragma once
// "Categorie catastali": the cadastral categories of buildings with their
// descriptions. Opened modally by the record window's "?" button; while a
// record is entered or modified, the chosen code goes into the record
// window's category box. In view mode the list can only be read.
#include "forms/Forms.h"

namespace archives {

class frmCategorie : public forms::Form {
 public:
  frmCategorie();

  forms::ListBox List1;           // code, TAB, description; empty rows between the groups
  forms::CommandButton Command1;  // "Inserisci valore selezionato"
  forms::CommandButton Command2;  // "Chiudi"

 private:
  void Form_Load();
  void List1_Click();
  void List1_DblClick();
  void Command1_Click();
  void Command2_Click();

  // The code of the selected row, from its index alone.
  std::string CategoriaSelezionata() const;
};

}  // namespace archives
