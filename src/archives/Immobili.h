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

#include "forms/Forms.h"
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
  // The register lines of the rows of lstCatasto, in list order.
  std::vector<std::string> RigheElencate() const;
  // The lines of List1.
  std::vector<std::string> RigheRegistro() const;

  // Changes of the register, the file first and then List1: on failure the
  // error is shown, the file and List1 stay as they were, and the result is
  // false.
  bool AggiungiRecord(const std::string& riga);                 // appended to the file
  bool SostituisciRecord(int indice, const std::string& riga);  // line `indice` of List1 replaced
  bool EliminaRecord(int indice);                               // the last one removes the file

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
  // Rewrites the file with `righe` (removes it when empty), then puts them in List1.
  bool Riscrivi(std::vector<std::string> righe);

  widgets::clsListBox FormatoColonne;
  std::string NomeSelezionato;
  std::string proprietarioElencato_;
};

}  // namespace archives
