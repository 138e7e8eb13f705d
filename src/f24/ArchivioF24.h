#pragma once
// "Archivio dati F24": the payers stored in "tasif24.dat", one row each
// (name, birth date, fiscal code) in aligned columns. "Carica dati
// selezionati" (or a double click on a row) loads the payer into a newly
// loaded F24 payer window; "Elimina dati selezionati" removes the line from
// the file (the last one removes the file). Opened by the payer window's
// "Carica dati" after it has unloaded itself; however this window closes, the
// payer window shows again.
#include <string>

#include "forms/Forms.h"
#include "kit/FileArchivio.h"
#include "widgets/clsListBox.h"

namespace f24 {

class ArchivioF24 : public forms::Form {
 public:
  ArchivioF24();

  forms::Frame Frame2;  // "Gestione archivio"
  forms::PictureBox Picture1;
  forms::CommandButton cmdElimina;
  forms::CommandButton cmdLoad;
  forms::CommandButton cmdExit;
  forms::ListBox List1;                 // hidden: every line of "tasif24.dat", in file order
  forms::Frame Frame1;                  // "Elenco dati modello F24"
  forms::ListBox lstF24;                // one row per payer; item data the index of its line in List1
  forms::Label Label4, Label3, Label2;  // headings "Codice fiscale", "Nato il", "Nominativo"
  forms::Label Label1;                  // title

  // Refills List1 from the file and lstF24 from List1; no row selected.
  void CaricaF24();

 private:
  void Form_Load();
  void Form_Unload();
  void lstF24_Click();
  void lstF24_DblClick();
  void cmdLoad_Click();
  void cmdElimina_Click();
  void cmdExit_Click();
  // The index in List1 of the selected row's line; -1 when no row is selected.
  int RigaSelezionata() const;

  widgets::clsListBox FormatoColonne;
  shell::FileArchivio archivio_;
};

}  // namespace f24
