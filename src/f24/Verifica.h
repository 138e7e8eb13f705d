#pragma once
// "Totali utente": the totals page of the frame window. The user picks a
// taxpayer, a municipality and a year among the calculations of "tasi.dat";
// the page lists the taxpayer's properties there and shows the advance, the
// balance and the single payment by property category (f24/Totali.h). From
// the totals it builds the F24 rows of this municipality ("Compila modello
// F24"), or collects those of several municipalities of the same taxpayer,
// year and payment type ("Memorizza", "Azzera") and hands them over together.
//
// The rows go to the F24 form through the shell's RigheF24, ChiusuraF24,
// NumRigheF24, TipoVersamento and F24PiuComuni; the totals report reads what
// the page shows through Dati().
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "f24/RigheF24.h"
#include "f24/Totali.h"
#include "forms/Forms.h"
#include "reports/Stampe.h"

namespace shell {
class FileArchivio;
}

namespace f24 {

class Verifica : public forms::Form {
 public:
  Verifica();
  ~Verifica() override;

  // The title, twice: a shadow under the caption.
  forms::ControlArray<forms::Label> Label1;  // 0, 1
  // Captions of Combo1, Combo2 and List1.
  forms::ControlArray<forms::Label> Label2;  // 0-2
  forms::ComboBox Combo1;                    // taxpayers, sorted
  forms::ComboBox Combo2;                    // municipalities of the taxpayer, sorted
  forms::Label Label53;
  forms::Label lblCodCat;  // cadastral code of the municipality
  forms::Label Label10;
  forms::ComboBox Combo3;  // years, newest first
  forms::ListBox List1;    // the properties of the taxpayer, municipality and year
  forms::ListBox List2;    // hidden: every line of "tasi.dat", in file order

  // The totals and the choice of the payment grid.
  forms::Frame Frame1;
  forms::ControlArray<forms::Label> Label3;  // 0-11, captions of the results
  forms::Label Label4;                       // due
  forms::Label Label5;                       // deduction
  forms::Label Label22;                      // tax
  forms::Label Label23;
  forms::CheckBox chkUnico;  // "Soluzione unica"

  // The advance and balance grid.
  forms::Frame Frame2;
  forms::Label Label6, Label7, Label8, Label9;
  forms::ControlArray<forms::Label> Label11;  // 0-17, row heads of the three grids
  forms::Label Label12, Label14, Label15, Label16, Label54;
  forms::Label Label17, Label19, Label20, Label21, Label56;
  forms::Frame Frame6;
  forms::CheckBox chkMulti;  // "Crea F24 per più comuni"

  // The single-payment grid.
  forms::Frame Frame3;
  forms::Label Label30, Label29;
  forms::Label Label28, Label26, Label25, Label24, Label58;

  // Hidden: lines per category, and the unrounded sums.
  forms::Label lblNpr, lblNaltri, lblNafa, lblNstru;
  forms::Label lblPrinc1, lblPrinc2, lblPrincU, lblAltri1, lblAltri2, lblAltriU;
  forms::Label lblAree1, lblAree2, lblAreeU, lblStru1, lblStru2, lblStruU;

  // F24 of the municipality on show.
  forms::Frame Frame4;
  forms::PictureBox Picture1;
  forms::Label Label52;
  forms::ControlArray<forms::OptionButton> Option1;  // 0 advance, 1 balance, 2 single payment
  forms::CommandButton cmdF24;
  forms::CommandButton cmdArchivioF24;

  // F24 of several municipalities: the memo.
  forms::Frame Frame5;
  forms::PictureBox Picture2;
  forms::ControlArray<forms::OptionButton> OpComuni;  // mirrored into Option1
  forms::CommandButton cmdMemo;
  forms::CommandButton cmdF24Comuni;
  forms::CommandButton cmdAzzera;
  forms::Label Label61;
  forms::Label lblNumCom;  // municipalities in the memo
  forms::Label Label60;

  // What the page shows, for the totals report.
  reports::DatiTotaliComune Dati() const;

  // The memo: rows stored so far, and their closing item.
  int RigheMemo() const { return static_cast<int>(righeMemo_.size()); }
  const std::vector<RigaF24>& RigheDelMemo() const { return righeMemo_; }
  const std::optional<RigaChiusuraF24>& RigaChiusuraMemo() const { return RigaChiusuraMemo_; }

 private:
  void CreaControlli();
  void CollegaEventi();

  void Form_Load();
  void CaricaContribuenti();
  void Combo1_Click();
  void Combo1_KeyPress(int& KeyAscii);
  void Combo2_Click();
  void Combo3_Click();
  void CalcolaTotali();
  void Label4_Change();

  void chkMulti_Click();
  void chkUnico_Click();
  void OpComuni_Click(int Index);
  void cmdF24_Click();
  void cmdMemo_Click();
  void cmdF24Comuni_Click();
  void cmdAzzera_Click();
  void cmdArchivioF24_Click();

  // The first selected payment type of Option1 (0 when none).
  int TipoPagamentoScelto();
  // The rows and closing item of the municipality on show for payment type `Tipo`.
  RigheComune PreparaRigheF24(int Tipo) const;
  // Stores the rows of the municipality on show in the memo, its deduction
  // on its main-dwelling row, and brings the closing item up to date.
  void MemorizzaRigheF24();
  // True, after its message, when the memo holds a row of the municipality on show.
  bool ComuneGiaAggiunto();
  // True, after its message, when taxpayer, year or payment type differ from the memo's.
  bool ControllaMemo();
  // The cascade stopped on an empty choice: nothing of an earlier choice stays.
  void SvuotaRisultati();
  // The captions of the totals on show.
  EtichetteTotali Etichette() const;

  // Every caption of the totals, in the order of EtichetteTotali::Voci().
  const std::array<forms::Label*, 40> etichette_;

  std::unique_ptr<shell::FileArchivio> archivio_;
  // The lines of List2, for the totals: views into the archive's shared
  // lines, which archivio_ keeps alive.
  std::vector<std::string_view> righe_;

  // The memo, with its own rows: the shared RigheF24 is rebuilt from them
  // at each hand-over.
  std::vector<RigaF24> righeMemo_;
  std::optional<RigaChiusuraF24> RigaChiusuraMemo_;
  std::string NomeMemo_;
  long long AnnoMemo_ = 0;
  int TipoMemo_ = 0;
  // The deductions and the instalments of the municipalities stored, summed.
  long long DetrazioneMemo_ = 0;
  long long TotaleMemo_ = 0;
};

}  // namespace f24
