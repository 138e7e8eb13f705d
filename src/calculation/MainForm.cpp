#include "calculation/MainForm.h"

#include <mutex>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "calculation/frmAcconto.h"
#include "calculation/frmPertinenze.h"
#include "fiscalcode/frmCodComune.h"
#include "forms/Text.h"
#include "platform/Files.h"
#include "kit/Applicazione.h"
#include "kit/Convenzioni.h"
#include "kit/Dialoghi.h"
#include "kit/Editori.h"
#include "kit/Messaggi.h"
#include "shell/CampiRiga.h"
#include "shell/Modulo1.h"
#include "shell/Numeri.h"

namespace calculation {

using namespace forms;

namespace {

// Layout in pixels of the page (759 x 545, the frame's client area less its
// toolbar and status bar), turned into twips.
constexpr int P(int pixel) { return pixel * TwipsPerPixel; }

constexpr const char* kTipologie[8] = {
    "Abitazioni e box destinaz. ordinaria (cat. A e C esclusi A10 e C1)",
    "Uffici e studi privati (A10)",
    "Negozi e botteghe (C1)",
    "Aree fabbricabili (valore venale)",
    "Collegi, convitti, case di cura,, ecc. (cat. B -  C3 - C4 - C5)",
    "Alberghi, pensioni, residences, teatri, ecc. (D tranne D5 e D10)",
    "Immobili strumentali alle attività agricole (D10)",
    "Istituti di credito, cambio, assicurazioni con fini di lucro. (D5)",
};

// The multiplier labels: index of Label6 (there is no 3) and caption, in the
// order of the property types.
struct EtichettaMoltiplicatore {
  int indice;
  const char* testo;
};
constexpr EtichettaMoltiplicatore kMoltiplicatori[8] = {
    {0, "(x160)"}, {1, "(x  80)"}, {2, "(x  55)"}, {4, "(x    1)"},
    {5, "(x140)"}, {6, "(x  65)"}, {7, "(x  65)"}, {8, "(x  80)"},
};

std::string Pulito(const std::string& s) {
  const auto primo = s.find_first_not_of(" \t");
  if (primo == std::string::npos) return {};
  return s.substr(primo, s.find_last_not_of(" \t") - primo + 1);
}

int AnnoCorrente() { return static_cast<int>(desktop().today().year()); }

int Valore(const TextBox& box) { return static_cast<int>(shell::Val(box.Text())); }

// What PreparaArchivio worked out, until the page that loads those lines
// takes it.
struct Preparato {
  std::mutex mutex;
  std::optional<RiepilogoArchivio> riepilogo;
};

Preparato& preparato() {
  static Preparato p;
  return p;
}

// What the page offers from `righe`: the prepared summary when it belongs to
// them, else worked out now.
RiepilogoArchivio RiepilogoDi(const std::shared_ptr<const shell::RigheArchivio>& righe) {
  {
    Preparato& p = preparato();
    const std::lock_guard blocco(p.mutex);
    std::optional<RiepilogoArchivio> pronto = std::exchange(p.riepilogo, std::nullopt);
    if (pronto && righe && pronto->Righe == righe) return std::move(*pronto);
  }
  return Riepiloga(righe);
}

// Formats the number in a box with `formato`; an empty box, or one that
// holds no number, stays as it is.
void Formatta(TextBox& box, const char* formato) {
  if (Pulito(box.Text()).empty()) return;
  if (const auto v = shell::LeggiNumero(box.Text())) box.setText(shell::Formatta(*v, formato));
}

}  // namespace

MainForm::MainForm() {
  setMDIChild();
  CreaControlli();
  CollegaEventi();
}

std::string MainForm::PercorsoArchivio() { return shell::PercorsoApp() + "/tasi.dat"; }

void MainForm::CreaControlli() {
  setCaption("Calcola TASI");
  setBorderStyle(0);
  Move(0, 0, P(759), P(545));

  const auto etichetta = [](Label& l, Container& dove, int x, int y, int w, const char* testo) {
    l.create(dove, P(x), P(y), P(w), P(15));
    l.setCaption(testo);
  };
  const auto casella = [](TextBox& t, Container& dove, int x, int y, int w, int allineamento, int lunghezza) {
    t.create(dove, P(x), P(y), P(w), P(20));
    t.setAlignment(allineamento);
    t.setMaxLength(lunghezza);
  };
  const auto risultato = [](Label& l, Container& dove, int y) {
    l.create(dove, P(75), P(y), P(160), P(17));
    l.setAlignment(vbRightJustify);
    l.setBorderStyle(1);
  };

  // Left column: names, general settings, property type, commands.
  Frame1.create(*this, P(4), P(4), P(500), P(88));
  Frame1.setCaption("Dati anagrafici");
  // Rows 24 pixels apart: the boxes keep 4 pixels between them.
  etichetta(Label3, Frame1, 8, 19, 170, "Cognome e nome contribuente:");
  Combo1.create(Frame1, P(180), P(16), P(312), P(20));
  etichetta(Label4, Frame1, 8, 43, 170, "Indirizzo immobile:");
  Combo3.create(Frame1, P(180), P(40), P(312), P(20));
  etichetta(Label9, Frame1, 8, 67, 170, "Comune ubicazione immobile:");
  Combo2.create(Frame1, P(180), P(64), P(200), P(20));
  Picture3.create(Frame1, P(386), P(64), P(56), P(20));
  Picture3.setBorderStyle(0);
  cmdCodCat.create(Picture3, 0, 0, P(56), P(20));
  cmdCodCat.setCaption("Cod.Cat");
  lblCodCat.create(Frame1, P(448), P(64), P(44), P(20));
  lblCodCat.setAlignment(vbCenter);
  lblCodCat.setBorderStyle(1);

  Frame2.create(*this, P(4), P(96), P(500), P(129));
  Frame2.setCaption("Impostazioni generali");
  etichetta(Label2.Add(0), Frame2, 8, 19, 404, "Anno d'imposta:");
  casella(Text2, Frame2, 418, 16, 40, vbCenter, 4);
  // The boxes are as wide as the longest value they take: the rendita
  // "999.999.999.123,00", the rate "999999". "Pert." stands by the rendita.
  etichetta(Label2.Add(5), Frame2, 8, 41, 270, "Reddito catastale in euro:");
  Picture5.create(Frame2, P(310), P(38), P(56), P(20));
  Picture5.setBorderStyle(0);
  cmdPertinenze.create(Picture5, 0, 0, P(56), P(20));
  cmdPertinenze.setCaption("Pert.");
  casella(Text3, Frame2, 370, 38, 124, vbRightJustify, 15);
  etichetta(Label2.Add(1), Frame2, 8, 63, 390, "Aliquota TASI:");
  casella(Text4, Frame2, 402, 60, 56, vbRightJustify, 0);
  etichetta(Label7.Add(0), Frame2, 462, 63, 32, "x1000");
  etichetta(Label2.Add(2), Frame2, 8, 85, 390, "Rivalutazione base del Reddito catastale:");
  casella(Text5, Frame2, 402, 82, 56, vbRightJustify, 0);
  etichetta(Label7.Add(1), Frame2, 462, 85, 12, "%");
  etichetta(Label2.Add(4), Frame2, 8, 107, 408, "Detrazione complessiva per abitaz. principale e figli (se prevista):");
  casella(Text7, Frame2, 418, 104, 76, vbRightJustify, 12);
  Text7.setEnabled(false);

  Frame3.create(*this, P(4), P(229), P(500), P(238));
  Frame3.setCaption("Tipologia immobile");
  Picture1.create(Frame3, P(8), P(16), P(436), P(128));
  Picture1.setBorderStyle(0);
  for (int i = 0; i < 8; ++i) {
    OptionButton& o = Option1.Add(i);
    o.create(Picture1, 0, P(16 * i), P(436), P(16));
    o.setCaption(kTipologie[i]);
    etichetta(Label6.Add(kMoltiplicatori[i].indice), Frame3, 446, 17 + 16 * i, 50, kMoltiplicatori[i].testo);
  }
  Check1.create(Frame3, P(8), P(148), P(160), P(20));
  Check1.setCaption("Abitazione principale");
  chkInagibile.create(Frame3, P(260), P(148), P(232), P(20));
  chkInagibile.setCaption("Immobile inagibile o storico");
  etichetta(Label17, Frame3, 26, 173, 392, "Numero proprietari cui la casa è adibita ad abitazione principale");
  casella(txtNum, Frame3, 424, 170, 30, vbCenter, 2);
  chkLocata.create(Frame3, P(8), P(192), P(120), P(20));
  chkLocata.setCaption("Immobile locato");
  etichetta(Label19, Frame3, 134, 195, 216, "Percentuale a carico dell'inquilino");
  casella(txtLocata, Frame3, 352, 192, 30, vbCenter, 2);
  etichetta(Label20, Frame3, 386, 195, 12, "%");
  chkInquilino.create(Frame3, P(26), P(214), P(200), P(20));
  chkInquilino.setCaption("Calcola come inquilino");

  Frame6.create(*this, P(4), P(471), P(500), P(72));
  Frame6.setCaption("Gestione dati");
  Picture2.create(Frame6, P(8), P(16), P(484), P(52));
  Picture2.setBorderStyle(0);
  chkManuale.create(Picture2, 0, 0, P(336), P(20));
  chkManuale.setCaption("Calcola Saldo inserendo manualmente Acconto versato");
  chkUnica.create(Picture2, P(350), 0, P(134), P(20));
  chkUnica.setCaption("Soluzione unica");
  Command1.create(Picture2, 0, P(26), P(156), P(25));
  Command1.setCaption("&Calcola TASI");
  Command2.create(Picture2, P(164), P(26), P(156), P(25));
  Command2.setCaption("&Nuovo Calcolo");
  Command3.create(Picture2, P(328), P(26), P(156), P(25));
  Command3.setCaption("&Archivia dati");

  // Right column: possession, results, F24 tax code.
  Frame4.create(*this, P(512), P(4), P(243), P(107));
  Frame4.setCaption("Periodo e quota di possesso");
  etichetta(Label1.Add(0), Frame4, 8, 19, 150, "Numero totale mesi:");
  casella(Text8, Frame4, 160, 16, 40, vbRightJustify, 2);
  etichetta(Label1.Add(2), Frame4, 8, 41, 150, "Mesi nel I semestre:");
  casella(Text1, Frame4, 160, 38, 40, vbRightJustify, 1);
  etichetta(Label1.Add(3), Frame4, 8, 63, 150, "Mesi nel II semestre:");
  casella(Text10, Frame4, 160, 60, 40, vbRightJustify, 1);
  etichetta(Label1.Add(1), Frame4, 8, 85, 150, "Quota % possesso:");
  casella(Text9, Frame4, 160, 82, 40, vbRightJustify, 0);

  Frame5.create(*this, P(512), P(115), P(243), P(312));
  Frame5.setCaption("Quotara");
  // Each result: its caption, and the amount right-aligned under it.
  struct Riga {
    int didascalia;
    Label* valore;
    const char* testo;
  };
  const Riga righe[8] = {
      {6, &Label8, "Imposta totale sull'immobile:"}, {0, &Label10, "Imposta totale del contribuente:"},
      {3, &Label11, "Detrazione totale spettante:"}, {7, &Label18, "Versamento TASI dovuto:"},
      {1, &Label12, "Rata in acconto (Giugno):"},    {4, &Label13, "Detrazione rata in acconto:"},
      {2, &Label14, "Rata a saldo (Dicembre):"},     {5, &Label15, "Detrazione rata a saldo:"},
  };
  for (int i = 0; i < 8; ++i) {
    const int y = 18 + 32 * i + (i >= 4 ? 34 : 0);
    etichetta(Label5.Add(righe[i].didascalia), Frame5, 8, y, 227, righe[i].testo);
    risultato(*righe[i].valore, Frame5, y + 14);
  }
  Line1.Add(0).create(Frame5, 0, 0, 0, 0);
  Line1[0].setPoints(P(8), P(152), P(235), P(152));
  etichetta(Label16, Frame5, 8, 157, 227, " Dati da riportare nel pagamento");
  Label16.setFontBold(true);
  Line1.Add(1).create(Frame5, 0, 0, 0, 0);
  Line1[1].setPoints(P(8), P(176), P(235), P(176));

  etichetta(lblTributo, *this, 520, 437, 150, "Codice tributo F24:");
  lblCodCom.create(*this, P(675), P(434), P(72), P(20));
  lblCodCom.setAlignment(vbCenter);
  lblCodCom.setBorderStyle(1);

  List1.create(*this, 0, 0, P(100), P(100));
  List1.setVisible(false);

  // The tab order; the controls not listed do not take the focus.
  std::vector<Control*> ordine = {&Combo1, &Combo3, &Combo2, &cmdCodCat, &Text2, &Text3,  &Text4,  &Text5,
                                  &Text7,  &Text8,  &Text1,  &Text10,    &Text9, &Check1, &txtNum, &txtLocata};
  for (int i = 0; i < 8; ++i) ordine.push_back(&Option1[i]);
  for (Control* c :
       {static_cast<Control*>(&chkUnica), static_cast<Control*>(&Command1), static_cast<Control*>(&Command2),
        static_cast<Control*>(&Command3), static_cast<Control*>(&chkInagibile), static_cast<Control*>(&cmdPertinenze),
        static_cast<Control*>(&chkManuale), static_cast<Control*>(&chkLocata), static_cast<Control*>(&chkInquilino)})
    ordine.push_back(c);
  for (size_t i = 0; i < ordine.size(); ++i) ordine[i]->setTabIndex(static_cast<int>(i));
}

void MainForm::CollegaEventi() {
  Load = [this] { Form_Load(); };

  Option1.Click = [this](int i) { Option1_Click(i); };
  Check1.Click = [this] { Check1_Click(); };
  chkLocata.Click = [this] { chkLocata_Click(); };
  chkManuale.Click = [this] { chkManuale_Click(); };
  chkUnica.Click = [this] { chkUnica_Click(); };
  chkInquilino.Click = [this] { SvuotaRisultati(); };
  chkInagibile.Click = [this] { SvuotaRisultati(); };
  Label8.Change = [this] { Label8_Change(); };
  lblCodCat.Change = [this] { lblCodCat_Change(); };
  cmdCodCat.Click = [this] { cmdCodCat_Click(); };
  cmdPertinenze.Click = [this] { cmdPertinenze_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };

  // The input conventions of each box.
  for (ComboBox* c : {&Combo1, &Combo3, &Combo2}) shell::CasellaNome(*c);
  Combo1.LostFocus = [this] { Combo1_LostFocus(); };
  Combo2.Change = [this, completa = Combo2.Change] {
    completa();
    Combo2_Change();
  };
  Combo2.Click = [this] { Combo2_Click(); };
  for (TextBox* t : {&Text2, &Text8, &txtNum, &txtLocata}) shell::CasellaCifre(*t);
  for (TextBox* t : {&Text4, &Text5, &Text9}) shell::CasellaDecimale(*t);
  for (TextBox* t : {&Text3, &Text7}) shell::CasellaImporto(*t);
  // Months of a half-year: 0 to 6, in the amount editor.
  for (TextBox* t : {&Text1, &Text10}) {
    shell::CasellaImporto(*t, false);
    t->KeyPress = [t](int& k) {
      if (shell::InvioEsc(k)) return;
      if (k >= '0' && k <= '6')
        shell::ImportoKeyPress(*t, k, false);
      else if (!shell::TastoControllo(k))
        shell::RifiutaTasto(*t, k);
    };
  }
  shell::InvioEsc(Option1);
  shell::InvioEsc(Check1);

  Text2.Change = [this] { Text2_Change(); };
  Text2.LostFocus = [this] { Text2_LostFocus(); };
  Text3.LostFocus = [this] { Text3_LostFocus(); };
  Text7.LostFocus = [this] { Text7_LostFocus(); };
  for (TextBox* t : {&Text4, &Text5})
    t->LostFocus = [t] {
      if (t->Text().empty()) t->setText("0");
    };
  Text9.KeyUp = [this](int&, int) { Text9_KeyUp(); };
  Text9.LostFocus = [this] { Text9_LostFocus(); };
  Text8.Change = [this] { Text8_Change(); };
  Text8.LostFocus = [this] { Text8_LostFocus(); };
  Text1.Change = [this] { Text1_Change(); };
  Text10.Change = [this] { Text10_Change(); };
  Text1.LostFocus = [this] { Text1_LostFocus(); };
  Text10.LostFocus = [this] { Text10_LostFocus(); };
  for (TextBox* t : {&Text3, &Text4, &Text5, &Text7, &Text9, &txtNum, &txtLocata})
    t->Change = [this] { SvuotaRisultati(); };
}

void MainForm::Form_Load() {
  shell::app().PaginaAttiva = 1;
  // Loading the archive, then resetting and loading it again as "Nuovo
  // Calcolo" does, ends in the state of the reset and one load.
  Command2_Click();
}

// --- Default state -----------------------------------------------------------

void MainForm::Azzera() {
  Text2.setText(std::to_string(AnnoCorrente()));
  Text3.setText("0");
  Text4.setText("0");
  Text5.setText("0");
  Text5.setText("5");
  Text7.setText("0");

  Combo1.setText(" ");
  Combo2.setText(" ");
  Combo3.setText(" ");

  Text8.setText("12");
  Text9.setText("100");
  Text1.setText("6");
  Text10.setText("6");
  Text1.setEnabled(false);
  Text10.setEnabled(false);

  Option1[0].setValue(true);

  for (Label* l : {&Label8, &Label10, &Label11, &Label12, &Label13, &Label14, &Label15}) l->setCaption("");

  Check1.setValue(vbUnchecked);
  Command3.setEnabled(false);
  txtNum.setText("0");
  txtNum.setEnabled(false);
  chkLocata.setEnabled(true);
  chkLocata.setValue(vbUnchecked);
  txtLocata.setText("0");
  txtLocata.setEnabled(false);
  chkUnica.setValue(vbUnchecked);
  Label18.setCaption("");

  Label8.setWidth(2400);
  for (const EtichettaMoltiplicatore& m : kMoltiplicatori) Label6[m.indice].setCaption(m.testo);
  lblCodCom.setCaption("");
  lblCodCat.setCaption("");

  cmdPertinenze.setVisible(false);
  chkInquilino.setValue(vbUnchecked);
  chkInquilino.setEnabled(false);

  // A new calculation starts without the halving and the manual balance of
  // the last one.
  chkInagibile.setValue(vbUnchecked);
  chkManuale.setValue(vbUnchecked);
}

// --- Option buttons, check boxes and commands --------------------------------

void MainForm::Option1_Click(int Index) {
  switch (Index) {
    case 0:
      Check1.setEnabled(true);
      break;
    case 1:
    case 2:
      Check1.setEnabled(false);
      break;
    default:
      Check1.setValue(vbUnchecked);
      Check1.setEnabled(false);
      break;
  }
  if (Index == 3) {
    Text5.setText("0");
    Label2[5].setCaption("Valore venale in euro:");
    chkInagibile.setValue(vbUnchecked);
    chkInagibile.setEnabled(false);
  } else {
    Text5.setText("5");
    Label2[5].setCaption("Reddito catastale in euro:");
    chkInagibile.setEnabled(true);
  }
  SvuotaRisultati();
}

void MainForm::Check1_Click() {
  shell::Applicazione& a = shell::app();
  if (Check1.Value() == vbChecked) {
    Text7.setEnabled(true);
    txtNum.setEnabled(true);
    if (a.DaArchivio) {
      // A record being loaded keeps its owners and deduction.
      a.DaArchivio = false;
    } else {
      Text7.setText("0");
      txtNum.setText("1");
    }
    chkLocata.setEnabled(false);
    txtLocata.setText("0");
    txtLocata.setEnabled(false);
    cmdPertinenze.setVisible(true);
    txtNum.SetFocus();
  } else {
    Text7.setText("0");
    Text7.setEnabled(false);
    txtNum.setText("0");
    txtNum.setEnabled(false);
    chkLocata.setEnabled(true);
    txtLocata.setText("0");
    txtLocata.setEnabled(false);
    cmdPertinenze.setVisible(false);
  }
  SvuotaRisultati();
}

void MainForm::chkLocata_Click() {
  if (chkLocata.Value() == vbChecked) {
    Check1.setValue(vbUnchecked);
    Check1.setEnabled(false);
    txtNum.setText("0");
    txtLocata.setText("0");
    txtLocata.setEnabled(true);
    txtLocata.SetFocus();
    chkInquilino.setEnabled(true);
    chkInquilino.setValue(vbUnchecked);
  } else {
    Check1.setEnabled(true);
    txtLocata.setText("0");
    txtLocata.setEnabled(false);
    chkInquilino.setEnabled(false);
    chkInquilino.setValue(vbUnchecked);
  }
  SvuotaRisultati();
}

void MainForm::chkManuale_Click() {
  if (chkManuale.Value() == vbChecked) {
    chkUnica.setValue(vbUnchecked);
    chkUnica.setEnabled(false);
  } else {
    chkUnica.setEnabled(true);
  }
}

void MainForm::chkUnica_Click() {
  const bool unica = chkUnica.Value() == vbChecked;
  if (unica) {
    chkManuale.setValue(vbUnchecked);
    chkManuale.setEnabled(false);
  } else {
    chkManuale.setEnabled(true);
  }
  SvuotaRisultati();
  if (unica && shell::Val(Text2.Text()) == 2012 &&
      !shell::Domanda("Vista l'incertezza sulle aliquote per il 2012 si sconsiglia vivamente l'utilizzo del "
                      "pagamento in soluzione unica.\r\n\r\nVuoi comunque proseguire?",
                      vbInformation))
    chkUnica.setValue(vbUnchecked);
}

void MainForm::Label8_Change() { Command3.setEnabled(!Label8.Caption().empty()); }

void MainForm::lblCodCat_Change() { comuneDelCodice_ = Pulito(Combo2.Text()); }

void MainForm::cmdCodCat_Click() {
  shell::Applicazione& a = shell::app();
  a.CodCatDaMainForm = true;
  auto& finestra = a.form<fiscalcode::frmCodComune>();
  finestra.txtComune.setText(Combo2.Text());
  shell::ApriDialogo(finestra);
}

void MainForm::cmdPertinenze_Click() { shell::ApriDialogo(app().form<frmPertinenze>()); }

void MainForm::Command1_Click() {
  bool ok = false;
  ControllaDati(ok);
  if (!ok) return;
  if (chkManuale.Value() == vbChecked) {
    // The dialog stores the advance paid and calls Fondivomanuale.
    shell::ApriDialogo(app().form<frmAcconto>());
    return;
  }
  CalcolaImposta();
}

void MainForm::Command2_Click() {
  Azzera();
  CaricaArchivio();
  Combo1.SetFocus();  // a new calculation starts with the taxpayer
}

void MainForm::Command3_Click() {
  if (!shell::Domanda("Vuoi archiviare questi dati?")) return;
  if (!ControllaArchiviazione()) return;
  if (!ArchiviaCalcolo()) return;
  shell::Messaggio("Dati archiviati!");
}

// --- Boxes and combos --------------------------------------------------------

void MainForm::Combo1_LostFocus() {
  if (Combo1.Text() == "SAN REMO") Combo1.setText("SANREMO");
}

void MainForm::Combo2_Click() {
  lblCodCat.setCaption("");
  lblCodCat.setCaption(CodiceArchiviato(Pulito(Combo2.Text())));
}

// The code follows the municipality: a text that is not the municipality of
// the code shown takes the code archived for it, or none.
void MainForm::Combo2_Change() {
  const std::string comune = Pulito(Combo2.Text());
  if (!lblCodCat.Caption().empty() && comune == comuneDelCodice_) return;
  lblCodCat.setCaption(CodiceArchiviato(comune));
}

std::string MainForm::CodiceArchiviato(const std::string& comune) const {
  if (comune.empty()) return {};
  const auto trovato = codiciComuni_.find(comune);
  return trovato == codiciComuni_.end() ? std::string() : trovato->second;
}

// The code of an archive line counts only for a municipality without one yet.
void MainForm::AnnotaCodice(std::string_view riga) {
  const std::string_view codice = CodiceCatastaleDi(riga);
  if (!codice.empty())
    codiciComuni_.try_emplace(std::string(shell::CampoDi(riga, CalcoloRecord::kComuneUbicazione)), codice);
}

void MainForm::RicostruisciCodici() {
  codiciComuni_.clear();
  for (int i = 0; i < List1.ListCount(); ++i) AnnotaCodice(List1.ListText(i));
}

void MainForm::Text2_Change() { Text2.setSelStart(text::length(Text2.Text())); }

void MainForm::Text2_LostFocus() {
  const std::string anno = std::to_string(AnnoCorrente());
  if (Text2.Text().empty()) Text2.setText(anno);
  if (Valore(Text2) < 2012) Text2.setText(anno);
}

void MainForm::Text3_LostFocus() { Formatta(Text3, "#,##0.00"); }

void MainForm::Text7_LostFocus() { Formatta(Text7, "#,##0.#0"); }

void MainForm::Text9_KeyUp() {
  if (shell::LeggiNumero(Text9.Text()).value_or(0) > 100) {
    Text9.setText("100");
    shell::SelezionaTutto(Text9);
  }
}

void MainForm::Text9_LostFocus() {
  const auto quota = shell::LeggiNumero(Text9.Text());
  if (Pulito(Text9.Text()).empty() || (quota && *quota == 0)) Text9.setText("100");
}

void MainForm::Text8_Change() {
  if (Text8.Text() == "12") {
    Text1.setText("6");
    Text10.setText("6");
    Text1.setEnabled(false);
    Text10.setEnabled(false);
  } else {
    Text1.setEnabled(true);
    Text10.setEnabled(true);
  }
  SvuotaRisultati();
}

void MainForm::Text8_LostFocus() {
  const int mesi = Valore(Text8);
  if (mesi > 12 || mesi < 1) Text8.setText("12");
  AllineaSemestri(Valore(Text8) <= 5 ? Valore(Text8) : 6);
}

// The two half-years always add up to the months of possession, the first
// within what those months allow.
void MainForm::AllineaSemestri(int primo) {
  const Semestri s = DividiSemestri(Valore(Text8), primo);
  Text1.setText(std::to_string(s.primo));
  Text10.setText(std::to_string(s.secondo));
}

void MainForm::Text1_Change() {
  AllineaSemestri(Valore(Text1));
  SvuotaRisultati();
}

void MainForm::Text10_Change() {
  AllineaSemestri(Valore(Text8) - Valore(Text10));
  SvuotaRisultati();
}

void MainForm::Text1_LostFocus() { AllineaSemestri(Valore(Text8) - Valore(Text10)); }

void MainForm::Text10_LostFocus() { AllineaSemestri(Valore(Text1)); }

// --- Checks and calculation ----------------------------------------------------

TestiCalcolo MainForm::LeggiTesti() const {
  TestiCalcolo t;
  t.anno = Text2.Text();
  t.rendita = Text3.Text();
  t.aliquota = Text4.Text();
  t.rivalutazione = Text5.Text();
  t.detrazione = Text7.Text();
  t.mesi = Text8.Text();
  t.mesiPrimoSemestre = Text1.Text();
  t.quota = Text9.Text();
  t.proprietari = txtNum.Text();
  t.percentualeInquilino = txtLocata.Text();
  t.tipologia = TipologiaSelezionata();
  t.inagibile = chkInagibile.Value() == vbChecked;
  t.locata = chkLocata.Value() == vbChecked;
  t.calcolaInquilino = chkInquilino.Value() != vbUnchecked;
  t.abitazionePrincipale = Check1.Value() == vbChecked;
  t.soluzioneUnica = chkUnica.Value() == vbChecked;
  return t;
}

int MainForm::TipologiaSelezionata() const {
  for (int i = 0; i < 8; ++i)
    if (Option1[i].Value()) return i;
  return 0;
}

Control& MainForm::Casella(CasellaCalcolo c) {
  switch (c) {
    case CasellaCalcolo::Anno:
      return Text2;
    case CasellaCalcolo::Rendita:
      return Text3;
    case CasellaCalcolo::Aliquota:
      return Text4;
    case CasellaCalcolo::Rivalutazione:
      return Text5;
    case CasellaCalcolo::Detrazione:
      return Text7;
    case CasellaCalcolo::Quota:
      return Text9;
    case CasellaCalcolo::Proprietari:
      return txtNum;
    case CasellaCalcolo::PercentualeInquilino:
      return txtLocata;
  }
  return Text2;
}

void MainForm::Rifiuta(const Rifiuto& r) { shell::Rifiuta(Casella(r.casella), r.messaggio); }

void MainForm::ControllaDati(bool& Esito) {
  const ControlloDati controllo = calculation::ControllaDati(LeggiTesti());
  if (controllo.rifiuto) {
    Rifiuta(*controllo.rifiuto);
    Esito = false;
    return;
  }
  // When questions are asked, the answer to the last one decides.
  Esito = true;
  for (const std::string& domanda : controllo.domande) Esito = shell::Domanda(domanda);
}

void MainForm::CalcolaImposta() {
  MostraRisultato(calculation::CalcolaImposta(calculation::ControllaDati(LeggiTesti()).dati));
}

void MainForm::Fondivomanuale() {
  const ControlloDati controllo = calculation::ControllaDati(LeggiTesti());
  if (controllo.rifiuto) return Rifiuta(*controllo.rifiuto);
  const shell::Applicazione& a = shell::app();
  MostraRisultato(calculation::Fondivomanuale(controllo.dati, a.TotaleVersato, a.DetrazioneAccontoVersata));
}

void MainForm::MostraRisultato(const RisultatoCalcolo& r) {
  const RisultatoCalcolo::Etichette& e = r.etichette;
  Label8.setCaption(e.Label8);
  Label10.setCaption(e.Label10);
  Label11.setCaption(e.Label11);
  Label18.setCaption(e.Label18);
  Label12.setCaption(e.Label12);
  Label13.setCaption(e.Label13);
  Label14.setCaption(e.Label14);
  Label15.setCaption(e.Label15);
  lblCodCom.setCaption(e.lblCodCom);
  if (r.avviso) {
    desktop().setClipboardText(r.avviso->appunti);
    MsgBox(r.avviso->testo, vbOKOnly, vbInformation, r.avviso->titolo);
  }
  shell::Applicazione& a = shell::app();
  a.ImportoAcconto = r.ImportoAcconto;
  a.ImportoSaldo = r.ImportoSaldo;
}

void MainForm::SvuotaRisultati() {
  for (Label* l : {&Label8, &Label10, &Label11, &Label18, &Label12, &Label13, &Label14, &Label15, &lblCodCom})
    l->setCaption("");
}

// --- Archive -------------------------------------------------------------------

shell::FileArchivio MainForm::ArchivioCalcoli() { return {PercorsoArchivio(), List1, CalcoloRecord::chiaveDi}; }

bool MainForm::PreparaArchivio(const std::string& percorso) {
  if (!platform::fileReadable(percorso)) return true;
  try {
    RiepilogoArchivio r = Riepiloga(shell::RigheCondivise(percorso));
    Preparato& p = preparato();
    const std::lock_guard blocco(p.mutex);
    p.riepilogo = std::move(r);
  } catch (const platform::FileError&) {
    return false;
  }
  return true;
}

void MainForm::CaricaArchivio() {
  Combo1.Clear();
  shell::FileArchivio archivio = ArchivioCalcoli();
  archivio.Carica();
  RiepilogoArchivio r = RiepilogoDi(archivio.Lette());
  // Each name once, in the order of first appearance; Combo2 and Combo3 keep
  // what they already offer. Each list is filled at once, so that its view is
  // told once, with the archive lines' own texts.
  const auto nuove = [](Voci& voci, Voci& viste, const std::vector<std::string_view>& trovate) {
    if (voci.empty()) {
      voci = std::move(viste);
      return trovate;
    }
    std::vector<std::string_view> v;
    for (const std::string_view t : trovate)
      if (voci.insert(t)) v.push_back(t);
    return v;
  };
  Combo1.AddItems(r.Contribuenti, r.Righe);
  Combo2.AddItems(nuove(comuniInElenco_, r.ComuniVisti, r.Comuni), r.Righe);
  Combo3.AddItems(nuove(indirizziInElenco_, r.IndirizziVisti, r.Indirizzi), r.Righe);
  codiciComuni_.clear();
  for (const auto& [comune, codice] : r.Codici) codiciComuni_.emplace(comune, codice);
}

bool MainForm::ControllaIdentita(bool Stampa) {
  if (Text2.Text() != std::to_string(AnnoCorrente()) &&
      !shell::Domanda("L'anno indicato non è quello corrente, proseguo?")) {
    Text2.SetFocus();
    return false;
  }
  // A blank box is as empty as an empty one (a new calculation puts one
  // blank into each combo).
  const auto manca = [](Control& casella, const char* messaggio) {
    return shell::Rifiuta(casella, messaggio, vbInformation);
  };
  if (Stampa && Pulito(Label8.Caption()).empty())
    return manca(Command1, "Devi prima eseguire il calcolo per il contribuente.");
  if (Pulito(Combo1.Text()).empty()) return manca(Combo1, "Devi immettere il nome del contribuente.");
  if (Pulito(Combo3.Text()).empty()) return manca(Combo3, "Devi immettere l'indirizzo dell'immobile.");
  if (Pulito(Combo2.Text()).empty()) return manca(Combo2, "Devi immettere il comune di ubicazione dell'immobile.");
  if (!Stampa && lblCodCat.Caption().empty()) return manca(cmdCodCat, "Devi immettere il codice catastale del comune.");
  return true;
}

bool MainForm::ControllaArchiviazione() {
  if (!ControllaIdentita(false)) return false;
  // A ";" or a line break would split the archive line.
  if (const auto n = RecordCorrente().campoNonValido()) {
    Control* casella = nullptr;
    std::string nome(CalcoloRecord::nomeCampo(*n));
    if (*n == CalcoloRecord::kContribuente) casella = &Combo1, nome = "Cognome e nome contribuente";
    if (*n == CalcoloRecord::kIndirizzoImmobile) casella = &Combo3, nome = "Indirizzo immobile";
    if (*n == CalcoloRecord::kComuneUbicazione) casella = &Combo2, nome = "Comune ubicazione immobile";
    const std::string messaggio =
        "Il campo \"" + nome + "\" contiene un carattere non ammesso (\";\" o un ritorno a capo).";
    if (casella) return shell::Rifiuta(*casella, messaggio);
    shell::Messaggio(messaggio, vbExclamation);
    return false;
  }
  return true;
}

// The record as the page shows it: the boxes' texts and the result labels.
CalcoloRecord MainForm::CampiMostrati() const {
  CalcoloRecord r;
  r.Contribuente = Combo1.Text();
  r.IndirizzoImmobile = Combo3.Text();
  r.ComuneUbicazione = Combo2.Text();
  r.AnnoImposta = Text2.Text();
  r.RenditaCatastale = Text3.Text();
  r.AliquotaTasi = Text4.Text();
  r.Rivalutazione = Text5.Text();
  r.ImmobileLocato = std::to_string(chkLocata.Value());
  r.DetrazioneAbPrincipale = Text7.Text();
  r.MesiPossesso = Text8.Text();
  r.MesiPrimoSemestre = Text1.Text();
  r.MesiSecondoSemestre = Text10.Text();
  r.QuotaPossesso = Text9.Text();
  r.TipologiaImmobile = std::to_string(TipologiaSelezionata());
  r.AbitazionePrincipale = Check1.Value() == vbChecked ? "1" : "0";
  r.ImpostaImmobile = Label8.Caption();
  r.ImpostaContribuente = Label10.Caption();
  r.DetrazioneTotale = Label11.Caption();
  r.RataAcconto = Label12.Caption();
  r.DetrazioneAcconto = Label13.Caption();
  r.RataSaldo = Label14.Caption();
  r.DetrazioneSaldo = Label15.Caption();
  r.NumeroProprietari = txtNum.Text();
  r.PercentualeInquilino = txtLocata.Text();
  r.CalcoloInquilino = std::to_string(chkInquilino.Value());
  r.CodiceTributo = lblCodCom.Caption();
  r.OpzioniCalcolo =
      CalcoloRecord::opzioniCalcolo(chkUnica.Value() != vbUnchecked, chkInagibile.Value() != vbUnchecked);
  r.CodiceCatastale = lblCodCat.Caption();
  return r;
}

// The record as "tasi.dat" stores it: names cleaned, rates with a decimal
// point, the instalments as computed rather than as shown.
CalcoloRecord MainForm::RecordCorrente() const {
  const shell::Applicazione& a = shell::app();
  const auto punto = [](const TextBox& box) {
    std::string testo = box.Text();
    return shell::VirgolaInPunto(testo);
  };
  CalcoloRecord r = CampiMostrati();
  r.Contribuente = Pulito(Combo1.Text());
  r.IndirizzoImmobile = Pulito(Combo3.Text());
  r.ComuneUbicazione = Pulito(Combo2.Text());
  r.AliquotaTasi = punto(Text4);
  r.Rivalutazione = punto(Text5);
  r.QuotaPossesso = punto(Text9);
  r.AbitazionePrincipale = std::to_string(Check1.Value());
  r.RataAcconto = a.ImportoAcconto;  // "0.00" when empty, set by ArchiviaCalcolo
  r.RataSaldo = a.ImportoSaldo;
  return r;
}

SchedaCalcolo MainForm::Scheda() const {
  SchedaCalcolo s;
  s.record = CampiMostrati();
  s.etichette = {Label8.Caption(),  Label10.Caption(), Label11.Caption(), Label18.Caption(),  Label12.Caption(),
                 Label13.Caption(), Label14.Caption(), Label15.Caption(), lblCodCom.Caption()};
  return s;
}

bool MainForm::ArchiviaCalcolo() {
  shell::Applicazione& a = shell::app();
  if (a.ImportoAcconto.empty()) a.ImportoAcconto = "0.00";
  if (a.ImportoSaldo.empty()) a.ImportoSaldo = "0.00";

  const CalcoloRecord record = RecordCorrente();
  shell::FileArchivio archivio = ArchivioCalcoli();
  const int righe = List1.ListCount();
  if (!archivio.Archivia(record)) return false;
  // A new line comes last; a replaced one may have carried the code of its
  // municipality.
  if (List1.ListCount() > righe)
    AnnotaCodice(List1.ListText(List1.NewIndex()));
  else
    RicostruisciCodici();
  return true;
}

}  // namespace calculation
