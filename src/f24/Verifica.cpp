#include "f24/Verifica.h"

#include <algorithm>

#include "calculation/CalcoloRecord.h"
#include "calculation/MainForm.h"
#include "f24/LimitiF24.h"
#include "f24/frmF24.h"
#include "f24/frmModelliF24.h"
#include "kit/Applicazione.h"
#include "kit/Convenzioni.h"
#include "kit/Dialoghi.h"
#include "kit/FileArchivio.h"
#include "kit/Liste.h"
#include "kit/Messaggi.h"
#include "shell/Modulo1.h"
#include "shell/Numeri.h"

namespace f24 {

using namespace forms;

namespace {

constexpr int P(int pixel) { return pixel * TwipsPerPixel; }

constexpr Color kBluScuro = 0x00C00000;  // the instalments
constexpr Color kBluTitolo = 0x00800000;

// A caption on the left of its control.
void Didascalia(Label& l, Container& dove, int x, int y, int w, const char* testo) {
  l.create(dove, P(x), P(y + 3), P(w), P(15));
  l.setCaption(testo);
}

// A bordered white result box, right-aligned.
void Risultato(Label& l, Container& dove, int x, int y, int w) {
  l.create(dove, P(x), P(y), P(w), P(19));
  l.setBorderStyle(1);
  l.setBackColor(vbWindowBackground);
  l.setAlignment(vbRightJustify);
}

// An instalment: a result box in bold dark blue.
void Rata(Label& l, Container& dove, int x, int y, int w) {
  Risultato(l, dove, x, y, w);
  l.setFontBold(true);
  l.setForeColor(kBluScuro);
}

// A figure of a category: right-aligned, without a box.
void Cifra(Label& l, Container& dove, int x, int y, int w) {
  l.create(dove, P(x), P(y + 3), P(w), P(15));
  l.setAlignment(vbRightJustify);
}

constexpr const char* kRighe[5] = {"Numero fabbricati:", "Aree fabbricabili:", "Abitazione principale:",
                                   "Altri fabbricati:", "Immobili str.agricoli:"};

}  // namespace

Verifica::Verifica()
    : etichette_{&Label4,    &Label5,    &Label22,  &Label6,   &Label7,    &Label8,    &Label9,    &Label30,
                 &Label29,   &Label12,   &Label17,  &Label28,  &Label14,   &Label15,   &Label16,   &Label54,
                 &Label19,   &Label20,   &Label21,  &Label56,  &Label26,   &Label25,   &Label24,   &Label58,
                 &lblNpr,    &lblNaltri, &lblNafa,  &lblNstru, &lblPrinc1, &lblPrinc2, &lblPrincU, &lblAltri1,
                 &lblAltri2, &lblAltriU, &lblAree1, &lblAree2, &lblAreeU,  &lblStru1,  &lblStru2,  &lblStruU} {
  setMDIChild();
  CreaControlli();
  CollegaEventi();
}

Verifica::~Verifica() = default;

void Verifica::CreaControlli() {
  setCaption("Totali utente");
  setBorderStyle(0);
  Move(0, 0, P(759), P(545));

  // The title with its shadow.
  for (int i : {1, 0}) {
    Label& t = Label1.Add(i);
    t.create(*this, P(6 - i), P(6 - i), P(700), P(22));
    t.setBackStyle(0);
    t.setFontSize(12);
    t.setFontBold(true);
    t.setForeColor(i == 0 ? kBluTitolo : vb3DHighlight);
    t.setCaption("Totali per contribuente e per comune di ubicazione");
  }

  // The choice: taxpayer, municipality, year, and the properties.
  Didascalia(Label2.Add(0), *this, 4, 36, 130, "Nome contribuente:");
  Combo1.create(*this, P(136), P(36), P(240), P(21));
  Didascalia(Label2.Add(1), *this, 4, 62, 130, "Comune di ubicazione:");
  Combo2.create(*this, P(136), P(62), P(240), P(21));
  Didascalia(Label10, *this, 4, 88, 130, "Anno di contribuzione");
  Combo3.create(*this, P(136), P(88), P(80), P(21));
  Didascalia(Label53, *this, 226, 88, 84, "Cod. Comune:");
  Label53.setAlignment(vbRightJustify);
  lblCodCat.create(*this, P(316), P(88), P(60), P(21));
  lblCodCat.setBorderStyle(1);
  lblCodCat.setBackColor(vbWindowBackground);
  lblCodCat.setAlignment(vbCenter);
  for (ComboBox* c : {&Combo1, &Combo2, &Combo3}) c->setStyle(vbComboDropDownList);
  Combo1.setSorted(true);
  Combo2.setSorted(true);
  Didascalia(Label2.Add(2), *this, 4, 114, 372, "Elenco immobili dell'utente nel comune di ubicazione selezionato:");
  List1.create(*this, P(4), P(134), P(372), P(256));
  List2.create(*this, 0, 0, P(100), P(100));
  List2.setVisible(false);

  // The totals.
  Frame1.create(*this, P(4), P(394), P(372), P(147));
  Frame1.setCaption("Totale IMU contribuente per il comune selezionato:");
  Didascalia(Label3.Add(8), Frame1, 12, 22, 200, "Imposta TASI totale:");
  Risultato(Label22, Frame1, 226, 22, 134);
  Didascalia(Label3.Add(1), Frame1, 12, 48, 200, "Detrazione totale:");
  Risultato(Label5, Frame1, 226, 48, 134);
  Didascalia(Label3.Add(0), Frame1, 12, 74, 200, "Versamento TASI dovuto:");
  Label3[0].setFontBold(true);
  Risultato(Label4, Frame1, 226, 74, 134);
  Label4.setFontBold(true);
  Didascalia(Label23, Frame1, 12, 110, 200, "Tipo di pagamento:");
  chkUnico.create(Frame1, P(226), P(110), P(134), P(20));
  chkUnico.setCaption("Soluzione unica");

  // The advance and balance grid: two columns of caption and value.
  Frame2.create(*this, P(382), P(30), P(373), P(330));
  Frame2.setCaption("Dati da riportare sui modelli di versamento:");
  const int colonna[2] = {10, 192};
  Didascalia(Label3.Add(2), Frame2, colonna[0], 20, 172, "Acconto (Giugno)");
  Didascalia(Label3.Add(3), Frame2, colonna[1], 20, 172, "Saldo (Dicembre)");
  Label3[2].setFontBold(true);
  Label3[3].setFontBold(true);
  Label* rate[2][2] = {{&Label6, &Label7}, {&Label8, &Label9}};
  const int didascalieRate[2][2] = {{4, 5}, {6, 7}};
  for (int c = 0; c < 2; ++c)
    for (int r = 0; r < 2; ++r) {
      const int y = 46 + 26 * r;
      Didascalia(Label3.Add(didascalieRate[c][r]), Frame2, colonna[c], y, 96, r == 0 ? "Rata:" : "Detrazione:");
      Rata(*rate[c][r], Frame2, colonna[c] + 98, y, 72);
    }
  Label* cifre[2][5] = {{&Label12, &Label14, &Label15, &Label16, &Label54},
                        {&Label17, &Label19, &Label20, &Label21, &Label56}};
  const int teste[2][5] = {{0, 2, 3, 4, 15}, {9, 7, 6, 5, 16}};
  for (int c = 0; c < 2; ++c)
    for (int r = 0; r < 5; ++r) {
      const int y = 108 + 28 * r;
      Didascalia(Label11.Add(teste[c][r]), Frame2, colonna[c], y, 110, kRighe[r]);
      Cifra(*cifre[c][r], Frame2, colonna[c] + 110, y, 60);
    }
  Frame6.create(Frame2, P(10), P(260), P(353), P(56));
  chkMulti.create(Frame6, P(10), P(20), P(330), P(20));
  chkMulti.setCaption("Crea F24 per più comuni");

  // The single-payment grid, in the same place.
  Frame3.create(*this, P(382), P(30), P(373), P(330));
  Frame3.setCaption("Dati da riportare sui modelli di versamento:");
  Frame3.setVisible(false);
  Didascalia(Label3.Add(11), Frame3, 10, 20, 200, "Soluzione unica");
  Label3[11].setFontBold(true);
  Didascalia(Label3.Add(10), Frame3, 10, 46, 150, "Rata:");
  Rata(Label30, Frame3, 262, 46, 100);
  Didascalia(Label3.Add(9), Frame3, 10, 72, 150, "Detrazione:");
  Rata(Label29, Frame3, 262, 72, 100);
  Label* unica[5] = {&Label28, &Label26, &Label25, &Label24, &Label58};
  const int testeUnica[5] = {14, 12, 11, 10, 17};
  for (int r = 0; r < 5; ++r) {
    const int y = 108 + 28 * r;
    Didascalia(Label11.Add(testeUnica[r]), Frame3, 10, y, 150, kRighe[r]);
    Cifra(*unica[r], Frame3, 262, y, 100);
  }

  // Hidden figures of the categories.
  for (Label* l : {&lblNpr, &lblNaltri, &lblNafa, &lblNstru, &lblPrinc1, &lblPrinc2, &lblPrincU, &lblAltri1, &lblAltri2,
                   &lblAltriU, &lblAree1, &lblAree2, &lblAreeU, &lblStru1, &lblStru2, &lblStruU}) {
    l->create(*this, 0, 0, P(60), P(15));
    l->setVisible(false);
    l->setCaption("0");
  }

  // F24 of the municipality on show.
  Frame4.create(*this, P(382), P(366), P(373), P(175));
  Frame4.setCaption("Compilazione modello F24");
  Picture1.create(Frame4, P(8), P(18), P(357), P(150));
  Picture1.setBorderStyle(0);
  Didascalia(Label52, Picture1, 4, 4, 300, "Compila modello F24 per: ");
  // F24 of several municipalities, in the same place.
  Frame5.create(*this, P(382), P(366), P(373), P(175));
  Frame5.setCaption("Compilazione F24 per più comuni");
  Picture2.create(Frame5, P(8), P(18), P(357), P(150));
  Picture2.setBorderStyle(0);

  const char* tipi[3] = {"Acconto", "Saldo", "Soluzione unica"};
  for (int i = 0; i < 3; ++i) {
    OptionButton& o = Option1.Add(i);
    // "Soluzione unica" shows alone, in the place of "Acconto".
    const int x = i == 2 ? 4 : 4 + 112 * i;
    o.create(Picture1, P(x), P(30), P(i == 2 ? 130 : 100), P(20));
    o.setCaption(tipi[i]);
    OptionButton& m = OpComuni.Add(i);
    m.create(Picture2, P(x), P(4), P(i == 2 ? 130 : 100), P(20));
    m.setCaption(tipi[i]);
  }
  cmdF24.create(Picture1, P(4), P(70), P(170), P(30));
  cmdF24.setCaption("Compila modello F24");
  cmdArchivioF24.create(Picture1, P(183), P(70), P(170), P(30));
  cmdArchivioF24.setCaption("Archivio modelli F24");

  cmdMemo.create(Picture2, P(4), P(40), P(110), P(30));
  cmdMemo.setCaption("Memorizza");
  cmdF24Comuni.create(Picture2, P(120), P(40), P(150), P(30));
  cmdF24Comuni.setCaption("Compila modello F24");
  cmdAzzera.create(Picture2, P(276), P(40), P(77), P(30));
  cmdAzzera.setCaption("Azzera");
  Didascalia(Label61, Picture2, 4, 86, 56, "Comuni:");
  lblNumCom.create(Picture2, P(62), P(89), P(40), P(15));
  lblNumCom.setFontBold(true);
  lblNumCom.setCaption("0");
  Didascalia(Label60, Picture2, 150, 86, 203, "Leggete la guida in linea");
  Label60.setAlignment(vbRightJustify);

  // Design state.
  Option1[0].setValue(true);
  OpComuni[0].setValue(true);
  Option1[2].setVisible(false);
  OpComuni[2].setVisible(false);
  for (Control* c :
       {static_cast<Control*>(&cmdF24), static_cast<Control*>(&cmdArchivioF24), static_cast<Control*>(&cmdMemo),
        static_cast<Control*>(&cmdF24Comuni), static_cast<Control*>(&cmdAzzera)})
    c->setEnabled(false);
  for (int i = 0; i < 3; ++i) {
    Option1[i].setEnabled(false);
    OpComuni[i].setEnabled(false);
  }

  // The tab order.
  std::vector<Control*> ordine = {&Combo1, &Combo2, &Combo3, &List1, &chkUnico, &chkMulti};
  for (int i = 0; i < 3; ++i) ordine.push_back(&Option1[i]);
  ordine.push_back(&cmdF24);
  ordine.push_back(&cmdArchivioF24);
  for (int i = 0; i < 3; ++i) ordine.push_back(&OpComuni[i]);
  for (Control* c : {&cmdMemo, &cmdF24Comuni, &cmdAzzera}) ordine.push_back(c);
  for (size_t i = 0; i < ordine.size(); ++i) ordine[i]->setTabIndex(static_cast<int>(i));
}

void Verifica::CollegaEventi() {
  Load = [this] { Form_Load(); };
  Combo1.Click = [this] { Combo1_Click(); };
  Combo1.KeyPress = [this](int& k) { Combo1_KeyPress(k); };
  Combo2.Click = [this] { Combo2_Click(); };
  Combo3.Click = [this] { Combo3_Click(); };
  // Enter and Esc move on and back from every list and box of the page.
  for (ComboBox* c : {&Combo2, &Combo3}) c->KeyPress = [](int& k) { shell::InvioEsc(k); };
  List1.KeyPress = [](int& k) { shell::InvioEsc(k); };
  shell::InvioEsc(chkUnico);
  shell::InvioEsc(chkMulti);
  shell::InvioEsc(Option1);
  shell::InvioEsc(OpComuni);
  Label4.Change = [this] { Label4_Change(); };

  chkMulti.Click = [this] { chkMulti_Click(); };
  chkUnico.Click = [this] { chkUnico_Click(); };
  OpComuni.Click = [this](int i) { OpComuni_Click(i); };
  cmdF24.Click = [this] { cmdF24_Click(); };
  cmdMemo.Click = [this] { cmdMemo_Click(); };
  cmdF24Comuni.Click = [this] { cmdF24Comuni_Click(); };
  cmdAzzera.Click = [this] { cmdAzzera_Click(); };
  cmdArchivioF24.Click = [this] { cmdArchivioF24_Click(); };
}

// --- Loading and the cascade ----------------------------------------------------

void Verifica::Form_Load() {
  shell::app().PaginaAttiva = 2;
  righeMemo_.clear();
  Frame5.setVisible(false);
  chkMulti.setEnabled(false);
  CaricaContribuenti();
  cmdArchivioF24.setEnabled(shell::EsisteCartella(CartellaModelliF24()));
}

void Verifica::CaricaContribuenti() {
  archivio_ = std::make_unique<shell::FileArchivio>(calculation::MainForm::PercorsoArchivio(), List2,
                                                    calculation::CalcoloRecord::chiaveDi);
  righe_.clear();
  archivio_->Carica([this](std::string_view riga) { righe_.emplace_back(riga); });
  Combo1.AddItems(Contribuenti(righe_));
}

void Verifica::Combo1_Click() {
  Combo2.Clear();
  List1.Clear();
  if (Combo1.Text().empty()) return SvuotaRisultati();
  Combo2.AddItems(ComuniDi(righe_, Combo1.Text()));
  Combo2.setListIndex(0);
}

void Verifica::Combo1_KeyPress(int& KeyAscii) { shell::InvioEsc(KeyAscii); }

void Verifica::Combo2_Click() {
  List1.Clear();
  if (Combo2.Text().empty()) return SvuotaRisultati();
  Combo3.Clear();
  lblCodCat.setCaption("");
  Combo3.AddItems(AnniDi(righe_, Combo1.Text(), Combo2.Text()));
  shell::OrdinaCombo(Combo3, 0);
  Combo3.setListIndex(0);
  lblCodCat.setCaption(CodiceCatastaleDi(righe_, Combo2.Text()));
}

void Verifica::Combo3_Click() {
  List1.Clear();
  List1.AddItems(ImmobiliDi(righe_, {Combo1.Text(), Combo2.Text(), Combo3.Text()}));
  CalcolaTotali();
}

void Verifica::CalcolaTotali() {
  const EtichetteTotali e = f24::CalcolaTotali(righe_, {Combo1.Text(), Combo2.Text(), Combo3.Text()});
  const auto& voci = EtichetteTotali::Voci();
  for (size_t i = 0; i < voci.size(); ++i) etichette_[i]->setCaption(e.*voci[i].membro);
  if (e.Avviso) shell::Messaggio(kAvvisoImportiMinimi, 0);
}

void Verifica::SvuotaRisultati() {
  Combo3.Clear();
  List1.Clear();
  lblCodCat.setCaption("");
  const EtichetteTotali iniziali;
  const auto& voci = EtichetteTotali::Voci();
  for (size_t i = 0; i < voci.size(); ++i) etichette_[i]->setCaption(iniziali.*voci[i].membro);
}

void Verifica::Label4_Change() {
  // Totals on show enable the F24 commands; none (the cascade stopped) disable them.
  const bool totali = !Label4.Caption().empty();
  cmdF24.setEnabled(totali);
  cmdMemo.setEnabled(totali);
  chkMulti.setEnabled(totali);
  for (int i = 0; i < 3; ++i) {
    Option1[i].setEnabled(totali);
    OpComuni[i].setEnabled(totali);
  }
  const long long comuni = shell::Val(lblNumCom.Caption());
  cmdAzzera.setEnabled(comuni > 0);
  cmdF24Comuni.setEnabled(comuni >= 2);
}

EtichetteTotali Verifica::Etichette() const {
  EtichetteTotali e;
  const auto& voci = EtichetteTotali::Voci();
  for (size_t i = 0; i < voci.size(); ++i) e.*voci[i].membro = etichette_[i]->Caption();
  return e;
}

reports::DatiTotaliComune Verifica::Dati() const {
  reports::DatiTotaliComune d{Combo1.Text(), Combo2.Text(), Combo3.Text(), lblCodCat.Caption(), Etichette(), {}};
  for (int i = 0; i < List1.ListCount(); ++i) d.Immobili.push_back(List1.List(i));
  return d;
}

// --- Payment type and frames -----------------------------------------------------

int Verifica::TipoPagamentoScelto() {
  for (int i = 0; i < 3; ++i)
    if (Option1[i].Value()) return i;
  return 0;
}

void Verifica::chkMulti_Click() {
  const bool memo = chkMulti.Value() == vbChecked;
  Frame4.setVisible(!memo);
  Frame5.setVisible(memo);
  if (memo) cmdF24Comuni.setEnabled(shell::Val(lblNumCom.Caption()) >= 2);
}

void Verifica::chkUnico_Click() {
  const bool unica = chkUnico.Value() == vbChecked;
  Frame2.setVisible(!unica);
  Frame3.setVisible(unica);
  for (ControlArray<OptionButton>* gruppo : {&Option1, &OpComuni}) {
    (*gruppo)[0].setVisible(!unica);
    (*gruppo)[1].setVisible(!unica);
    (*gruppo)[2].setVisible(unica);
    (*gruppo)[unica ? 2 : 0].setValue(true);
  }
}

void Verifica::OpComuni_Click(int Index) { Option1[Index].setValue(true); }

// --- F24 rows --------------------------------------------------------------------

RigheComune Verifica::PreparaRigheF24(int Tipo) const {
  return f24::PreparaRigheF24(Etichette(), lblCodCat.Caption(), Combo3.Text(), Tipo);
}

void Verifica::cmdF24_Click() {
  shell::Applicazione& a = shell::app();
  a.TipoVersamento = TipoPagamentoScelto();
  const RigheComune righe = PreparaRigheF24(a.TipoVersamento);
  // Only this municipality's rows travel, whatever the memo holds.
  a.RigheF24 = righe.Righe;
  a.ChiusuraF24 = righe.Chiusura();
  a.NumRigheF24 = static_cast<int>(righe.Righe.size());
  a.F24PiuComuni = false;
  shell::ApriDialogo(a.form<frmF24>());
}

bool Verifica::ControllaMemo() {
  if (Combo1.Text() != NomeMemo_) {
    shell::Messaggio("Non puoi cambiare nome del contribuente.");
    return true;
  }
  if (shell::Val(Combo3.Text()) != AnnoMemo_) {
    shell::Messaggio("Non puoi cambiare anno di contribuzione.");
    return true;
  }
  if (TipoPagamentoScelto() != TipoMemo_) {
    shell::Messaggio("Non puoi cambiare tipo di pagamento.");
    return true;
  }
  return false;
}

bool Verifica::ComuneGiaAggiunto() {
  for (const RigaF24& riga : righeMemo_)
    if (riga.CodiceCatastale == lblCodCat.Caption()) {
      shell::Messaggio("Il comune in oggetto \xC3\xA8 gi\xC3\xA0 stato aggiunto.");
      return true;
    }
  return false;
}

void Verifica::MemorizzaRigheF24() {
  const RigheComune righe = PreparaRigheF24(TipoPagamentoScelto());
  // Each municipality's deduction travels on its own main-dwelling row.
  const std::vector<RigaF24> memo = righe.RigheConDetrazione();
  righeMemo_.insert(righeMemo_.end(), memo.begin(), memo.end());
  // The closing item sums the deductions and the instalments of the memo.
  DetrazioneMemo_ += righe.Detrazione;
  TotaleMemo_ += righe.Totale;
  RigaChiusuraMemo_ = RigaChiusuraF24{std::max(DetrazioneMemo_, 0LL), TotaleMemo_};
}

void Verifica::cmdMemo_Click() {
  if (shell::Val(lblNumCom.Caption()) == 0) {
    NomeMemo_ = Combo1.Text();
    AnnoMemo_ = shell::Val(Combo3.Text());
    TipoMemo_ = TipoPagamentoScelto();
  }
  if (ControllaMemo() || ComuneGiaAggiunto()) return;
  MemorizzaRigheF24();
  const long long comuni = shell::Val(lblNumCom.Caption()) + 1;
  lblNumCom.setCaption(std::to_string(comuni));
  cmdF24Comuni.setEnabled(comuni >= 2);
  cmdAzzera.setEnabled(comuni > 0);
}

void Verifica::cmdF24Comuni_Click() {
  // The limits first: a refusal hands nothing over.
  if (RigheMemo() > kRigheSemplificato) {
    shell::Messaggio(
        "Se sono previste più di 10 righe il programma non può compilare il modello F24.\r\n"
        "Riduci il numero di comuni presenti, azzerando la memorizzazione.");
    return;
  }
  if (RigheMemo() > kRigheDueModelli)
    shell::Messaggio(
        "Il programma può compilare al massimo due modelli F24.\r\n"
        "Essendo previste più di 8 righe non è possibile compilare l'F24 normale ma solo quello semplificato.");
  shell::Applicazione& a = shell::app();
  a.RigheF24 = righeMemo_;
  a.ChiusuraF24 = RigaChiusuraMemo_;
  a.NumRigheF24 = RigheMemo();
  a.TipoVersamento = TipoMemo_;
  a.F24PiuComuni = true;
  // 9 or 10 rows: the payer window, loaded anew, offers only the simplified form.
  shell::ApriDialogo(a.form<frmF24>());
}

void Verifica::cmdAzzera_Click() {
  shell::Applicazione& a = shell::app();
  a.TipoVersamento = TipoPagamentoScelto();
  a.NumRigheF24 = 0;
  righeMemo_.clear();
  RigaChiusuraMemo_.reset();
  NomeMemo_.clear();
  DetrazioneMemo_ = 0;
  TotaleMemo_ = 0;
  AnnoMemo_ = 0;
  TipoMemo_ = 0;
  shell::SvuotaRigheF24();
  lblNumCom.setCaption("0");
  cmdF24Comuni.setEnabled(false);
  cmdAzzera.setEnabled(false);
}

void Verifica::cmdArchivioF24_Click() { shell::ApriDialogo(shell::app().form<frmModelliF24>()); }

}  // namespace f24
