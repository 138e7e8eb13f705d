#pragma once
// "Calcola TASI": the calculation page of the frame window. The user types
// the data of one property, has them checked, computes the tax with the
// plain functions of Tasi.h and archives the calculation as one line of
// "tasi.dat" in the program folder.
//
// Other windows read and write the controls below by name: the archive
// browser writes every input and result (inputs first, with DaArchivio set),
// the cadastral list writes the names, Text3, Text9 and the property type,
// frmCodComune writes lblCodCat, the two dialogs write Text3 and read
// Label12, Label13 and Check1, and the calculation report reads them all.
#include <functional>
#include <string>
#include <string_view>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "calculation/CalcoloRecord.h"
#include "calculation/RiepilogoArchivio.h"
#include "calculation/SchedaCalcolo.h"
#include "calculation/Tasi.h"
#include "forms/Forms.h"
#include "kit/FileArchivio.h"

namespace calculation {

class MainForm : public forms::Form {
 public:
  MainForm();

  // "Dati anagrafici"
  forms::Frame Frame1;
  forms::Label Label3, Label4, Label9;
  forms::ComboBox Combo1;  // taxpayer
  forms::ComboBox Combo3;  // address of the property
  forms::ComboBox Combo2;  // municipality
  forms::PictureBox Picture3;
  forms::CommandButton cmdCodCat;
  forms::Label lblCodCat;  // cadastral code of the municipality

  // "Impostazioni generali"
  forms::Frame Frame2;
  forms::ControlArray<forms::Label> Label2;  // 0, 1, 2, 4, 5
  forms::TextBox Text2;                      // tax year
  forms::TextBox Text3;                      // rendita, or market value
  forms::TextBox Text4;                      // rate per mille
  forms::TextBox Text5;                      // revaluation percent
  forms::TextBox Text7;                      // main-dwelling deduction
  forms::ControlArray<forms::Label> Label7;  // "x1000", "%"
  forms::PictureBox Picture5;
  forms::CommandButton cmdPertinenze;

  // "Tipologia immobile"
  forms::Frame Frame3;
  forms::PictureBox Picture1;
  forms::ControlArray<forms::OptionButton> Option1;  // 0-7
  forms::ControlArray<forms::Label> Label6;          // 0, 1, 2, 4, 5, 6, 7, 8
  forms::CheckBox Check1;                            // main dwelling
  forms::Label Label17;
  forms::TextBox txtNum;  // owners living there
  forms::CheckBox chkLocata;
  forms::Label Label19;
  forms::TextBox txtLocata;  // tenant's percent
  forms::Label Label20;
  forms::CheckBox chkInquilino;
  forms::CheckBox chkInagibile;

  // "Periodo e quota di possesso"
  forms::Frame Frame4;
  forms::ControlArray<forms::Label> Label1;  // 0-3
  forms::TextBox Text8;                      // months of possession
  forms::TextBox Text9;                      // share of possession
  forms::TextBox Text1;                      // months in the first half-year
  forms::TextBox Text10;                     // months in the second half-year

  // "Quotara": the results
  forms::Frame Frame5;
  forms::ControlArray<forms::Label> Label5;  // 0-7, captions of the results
  forms::Label Label8, Label10, Label11, Label18;
  forms::Label Label16;
  forms::ControlArray<forms::LineControl> Line1;  // 0, 1
  forms::Label Label12, Label13, Label14, Label15;

  forms::Label lblTributo;  // caption of lblCodCom
  forms::Label lblCodCom;   // F24 tax code

  // "Gestione dati"
  forms::Frame Frame6;
  forms::PictureBox Picture2;
  forms::CheckBox chkManuale;
  forms::CommandButton Command1;  // "&Calcola TASI"
  forms::CommandButton Command2;  // "&Nuovo Calcolo"
  forms::CommandButton Command3;  // "&Archivia dati"
  forms::CheckBox chkUnica;

  forms::ListBox List1;  // every line of "tasi.dat", in file order

  // The default state of every control.
  void Azzera();
  // The balance from the advance actually paid (TotaleVersato and
  // DetrazioneAccontoVersata), called by frmAcconto.
  void Fondivomanuale();

  // What the page shows, for the calculation report.
  SchedaCalcolo Scheda() const;

  // The year question and the identity of the property, checked before the
  // report (`Stampa`: first that the calculation ran) and before archiving
  // (last the cadastral code); false after the message, with the focus on
  // the box to fix.
  bool ControllaIdentita(bool Stampa);

  // The archive of the calculations.
  static std::string PercorsoArchivio();
  // Reads the archive `percorso` and works out what the page offers from it,
  // for the page that loads it next while it is unchanged (the start-up runs
  // this on another thread while the splash shows). False when the file
  // cannot be read: the page's load says so.
  static bool PreparaArchivio(const std::string& percorso);

 private:
  void CreaControlli();
  void CollegaEventi();

  void Form_Load();

  void Option1_Click(int Index);
  void Check1_Click();
  void chkLocata_Click();
  void chkManuale_Click();
  void chkUnica_Click();
  void Label8_Change();
  void lblCodCat_Change();
  void cmdCodCat_Click();
  void cmdPertinenze_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

  // Input handlers of the boxes and combos.
  void Combo1_LostFocus();
  void Combo2_Click();
  void Combo2_Change();
  void Text2_Change();
  void Text2_LostFocus();
  void Text3_LostFocus();
  void Text7_LostFocus();
  void Text9_KeyUp();
  void Text9_LostFocus();
  void Text8_Change();
  void Text8_LostFocus();
  void Text1_Change();
  void Text10_Change();
  void Text1_LostFocus();
  void Text10_LostFocus();
  // Writes both half-years from the months wanted in the first one.
  void AllineaSemestri(int primo);

  // Checks the inputs; true when the calculation may run.
  void ControllaDati(bool& Esito);
  void CalcolaImposta();
  // Shows the results of a calculation in the labels and the shared texts.
  void MostraRisultato(const RisultatoCalcolo& r);
  // An input changed: the results on screen no longer belong to it.
  void SvuotaRisultati();
  TestiCalcolo LeggiTesti() const;
  forms::Control& Casella(CasellaCalcolo c);
  // Shows why the inputs are refused and moves the focus to the box.
  void Rifiuta(const Rifiuto& r);

  // "tasi.dat" bound to List1.
  shell::FileArchivio ArchivioCalcoli();
  void CaricaArchivio();
  bool ControllaArchiviazione();
  bool ArchiviaCalcolo();
  // The record of the data on screen, as ArchiviaCalcolo stores it.
  CalcoloRecord CampiMostrati() const;
  CalcoloRecord RecordCorrente() const;
  // The code of the first archived line of the municipality that has one.
  std::string CodiceArchiviato(const std::string& comune) const;
  // The codes of the municipalities again, from every line of List1.
  void RicostruisciCodici();
  void AnnotaCodice(std::string_view riga);
  int TipologiaSelezionata() const;

  // The municipality (trimmed text of Combo2) that the code in lblCodCat
  // belongs to.
  std::string comuneDelCodice_;
  // The items of the lists of Combo2 and Combo3, which only CaricaArchivio
  // fills and which keep growing while the window lives.
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  // Views into the archive lines that Combo2 and Combo3 keep alive.
  using Voci = InsiemeTesti;
  Voci comuniInElenco_;
  Voci indirizziInElenco_;
  // Municipality -> cadastral code of its first line in List1 that has one,
  // kept by the load and the writes of the archive.
  std::unordered_map<std::string, std::string, Hash, std::equal_to<>> codiciComuni_;
};

}  // namespace calculation
