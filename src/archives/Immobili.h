#pragma once
// "Dati catastali": the "Catasto" page of the frame window. It lists the
// cadastral records of one owner from the register "tasicat.dat" in aligned
// columns (buildings, then land, then building areas), opens the record
// window to enter, modify or view a record, deletes a record, exports the
// whole register as "catasto.csv" for the spreadsheet and loads a record into
// the calculation page. Its hidden List1 is the register in memory, sorted
// alphabetically (case ignored), for this page, the record window and the
// list report.
#include <string>
#include <vector>

#include "archives/CatastoRecord.h"
#include "archives/RegistroCatasto.h"
#include "forms/Forms.h"
#include "kit/FileArchivio.h"
#include "widgets/clsListBox.h"

namespace archives {

class Immobili : public forms::Form {
 public:
  Immobili();

  forms::ControlArray<forms::Label> Label1;            // the title and its shadow
  forms::Label Label2;                                 // "Nome proprietario:"
  forms::ComboBox cboUtente;                           // the owners of the register
  forms::Frame Frame1;                                 // "Elenco immobili"
  forms::ControlArray<forms::Label> Label3;            // the column heads
  forms::ListBox lstCatasto;                           // the owner's records; ItemData: the line in List1
  forms::ControlArray<forms::CommandButton> Command1;  // new, modify, delete, view, load
  forms::CommandButton cmdExcel;                       // the CSV export
  forms::ListBox List1;                                // every line of the register, sorted
  forms::ListBox List2;                                // the list report's working list

  // Rereads the register into the window; no owner is selected afterwards.
  void CaricaComboCatasto();
  // Selects again the owner that was shown before the last reload.
  void RicaricaNome();

  // The owner whose records lstCatasto shows ("" when none): the list report
  // and its question name this one, whatever has been typed into cboUtente
  // since.
  const std::string& ProprietarioElencato() const { return proprietarioElencato_; }
  // The records of the rows of lstCatasto in their groups, for the list
  // report: List2 gets their lines in print order (buildings, land, building
  // areas).
  GruppiCatasto RecordDaStampare();
  // The lines of List1: views into its texts, valid while List1 is unchanged.
  std::vector<std::string_view> RigheRegistro() const;

  // "tasicat.dat" bound to List1: every change writes the file first, then
  // List1; a failure is shown and changes neither.
  shell::FileArchivio& Registro() { return registro_; }

 private:
  void Form_Load();
  void cboUtente_Click();
  void lstCatasto_Click();
  void lstCatasto_DblClick();
  void Command1_Click(int Index);
  void cmdExcel_Click();

  void CaricaPerCalcolo();
  // Puts the column heads over the columns of the aligned rows.
  void AllineaTitoli(int larghezzaRendita);

  shell::FileArchivio registro_;
  widgets::clsListBox FormatoColonne;
  std::string NomeSelezionato;
  std::string proprietarioElencato_;
};

}  // namespace archives
