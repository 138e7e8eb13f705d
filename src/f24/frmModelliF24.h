#pragma once
// "Archivio modelli F24 salvati": the F24 forms produced in the folder
// "datiF24" of the program folder, one row per FDF file (taxpayer,
// municipality, payment, year, sheet). A form opens filled in the desktop's
// PDF viewer; one form, or the whole folder, can be deleted. Opened from the
// totals page without blocking, with the frame hidden.
#include <string>

#include "f24/CompilaF24.h"
#include "forms/Forms.h"
#include "widgets/clsListBox.h"

namespace f24 {

// The columns of one row of the list for the FDF file `nome`: the first 18
// characters of the taxpayer, the municipality code, the payment, the year
// and the sheet ("1", "2", "s", or "-" for a single ordinary form); a part the
// name lacks is empty.
struct RigaModelloF24 {
  std::string Nome, Comune, Pagamento, Anno, Foglio;
};
RigaModelloF24 ColonneModelloF24(const std::string& nome);

class frmModelliF24 : public forms::Form {
 public:
  frmModelliF24();

  forms::FileListBox File1;  // hidden: the ".fdf" files of "datiF24"
  forms::CommandButton cmdExit;
  forms::Frame Frame1;
  forms::ListBox lstF24;                     // one row per form; item data the index of its file in File1
  forms::ControlArray<forms::Label> Label2;  // headings: Nome, Comune, Pagamento, Anno, Foglio
  forms::Frame Frame2;
  forms::PictureBox Picture1;
  forms::CommandButton cmdDeleteAll;
  forms::CommandButton cmdLoad;
  forms::CommandButton cmdElimina;
  forms::Label Label1;

 private:
  widgets::clsListBox FormatoColonne;  // lays the rows out in aligned columns

  void Form_Load();
  void CaricaModelli();
  void lstF24_Click();
  void lstF24_DblClick();
  void cmdLoad_Click();
  void cmdElimina_Click();
  void cmdDeleteAll_Click();
  void cmdExit_Click();
  // The selected row's FDF file in "datiF24"; "" when no row is selected.
  std::string FileSelezionato() const;
  void Chiudi();
};

}  // namespace f24
