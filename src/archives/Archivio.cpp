#include "archives/Archivio.h"

#include <exception>
#include <functional>

#include "calculation/CalcoloRecord.h"
#include "calculation/MainForm.h"
#include "platform/Memory.h"
#include "kit/Applicazione.h"
#include "kit/Finestre.h"
#include "kit/Convenzioni.h"
#include "kit/Liste.h"
#include "kit/Messaggi.h"
#include "shell/Modulo1.h"
#include "shell/Numeri.h"

namespace archives {

using namespace forms;

namespace {

// Layout in pixels of the page (759 x 545, the frame's client area less its
// toolbar and status bar), turned into twips.
constexpr int P(int pixel) { return pixel * TwipsPerPixel; }

// The columns: left edge and width. Each list box reaches under the next
// one by the width of a scroll bar, so that only the shared scroll bar
// shows, over the right edge of the last column.
constexpr int kScrollBar = 17;
struct Colonna {
  int x, larghezza;
  const char* titolo;
};
constexpr Colonna kColonne[4] = {
    {12, 230 + kScrollBar, "Contribuente"},
    {242, 250 + kScrollBar, "Indirizzo immobile"},
    {492, 170 + kScrollBar, "Comune ubicazione"},
    {662, 68 + kScrollBar, "Anno"},
};
constexpr int kYLista = 116, kAltezzaLista = 300;

// A step of the load that fails is skipped; the next one runs.
void Passo(const std::function<void()>& passo) {
  try {
    passo();
  } catch (const std::exception&) {
  }
}

}  // namespace

Archivio::Archivio()
    : mnCopia(Copia.add("Copia dati negli appunti")),
      archivio_(PercorsoArchivio(), List2, calculation::CalcoloRecord::chiaveDi) {
  setMDIChild();
  CreaControlli();
  CollegaEventi();
}

std::string Archivio::PercorsoArchivio() { return calculation::MainForm::PercorsoArchivio(); }

void Archivio::CreaControlli() {
  setCaption("Archivio dati");
  setBorderStyle(0);
  Move(0, 0, P(759), P(545));

  const auto etichetta = [this](Label& l, int x, int y, int w, const char* testo) {
    l.create(*this, P(x), P(y), P(w), P(15));
    l.setCaption(testo);
  };

  // The title: a dark copy under a yellow one, slightly apart.
  for (int i = 0; i < 2; ++i) {
    Label& l = Label1.Add(i);
    l.create(*this, P(14 - 2 * i), P(10 - 2 * i), P(400), P(28));
    l.setCaption("Archivio calcoli TASI");
    l.setBackStyle(0);
    l.setFontSize(16);
    l.setFontBold(true);
    l.setForeColor(i == 0 ? RGB(64, 64, 64) : RGB(255, 255, 0));
  }

  etichetta(Label3.Add(0), 12, 46, 300, "Nome contribuente:");
  Combo1.create(*this, P(12), P(62), P(300), P(21));
  etichetta(Label3.Add(1), 326, 46, 250, "Comune di ubicazione:");
  Combo2.create(*this, P(326), P(62), P(250), P(21));
  etichetta(Label3.Add(2), 590, 46, 157, "Anno di contribuzione:");
  Combo3.create(*this, P(590), P(62), P(157), P(21));
  for (ComboBox* c : {&Combo1, &Combo2, &Combo3}) {
    c->setStyle(vbComboDropDownList);
    c->setSorted(true);
  }

  for (int i = 0; i < 4; ++i) {
    const Colonna& c = kColonne[i];
    etichetta(Label2.Add(i), c.x + 2, kYLista - 17, c.larghezza - kScrollBar, c.titolo);
    Label2[i].setFontBold(true);
    ListBox& l = List1.Add(i);
    l.create(*this, P(c.x), P(kYLista), P(c.larghezza), P(kAltezzaLista));
    // One stop for the whole list: the keys in one column move all four.
    l.setTabStop(i == 0);
  }
  VScroll1.create(*this, 0, P(kYLista), P(kScrollBar), P(kAltezzaLista));
  VScroll1.setTabStop(false);
  VScroll1.setVisible(false);
  List2.create(*this, 0, 0, P(100), P(100));
  List2.setVisible(false);
  List2.setSorted(true);

  const int y = kYLista + kAltezzaLista + 10;
  etichetta(Label5, 12, y, 150, "Numero elementi presenti:");
  lblNum.create(*this, P(164), P(y), P(70), P(15));
  lblNum.setCaption("0");
  lblNum.setFontBold(true);
  etichetta(Label4, 300, y, 300, "Totale versato in Euro per gli immobili della lista:");
  lblTot.create(*this, P(600), P(y), P(147), P(15));
  lblTot.setCaption("0");
  lblTot.setAlignment(vbRightJustify);
  lblTot.setFontBold(true);

  etichetta(Label6, 12, y + 22, 270, "Immobile selezionato - Anno di contribuzione:");
  lblAnno.create(*this, P(284), P(y + 22), P(50), P(15));
  lblAnno.setFontBold(true);
  etichetta(Label8, 380, y + 22, 220, "Imposta totale annua del contribuente");
  lblImposta.create(*this, P(600), P(y + 22), P(147), P(15));
  lblImposta.setAlignment(vbRightJustify);
  lblImposta.setFontBold(true);

  Label7.create(*this, P(12), P(y + 46), P(735), P(30));
  Label7.setCaption(
      "Cliccando col tasto destro del mouse sull'immobile sezionato potete copiare tutti dati dello stesso negli "
      "appunti di sistema.");

  Command1.create(*this, P(12), P(505), P(200), P(28));
  Command1.setCaption("&Carica dati selezionati");
  Command2.create(*this, P(224), P(505), P(200), P(28));
  Command2.setCaption("&Elimina dati selezionati");

  int ordine = 0;
  for (Control* c : std::initializer_list<Control*>{&Combo1, &Combo2, &Combo3, &List1[0], &List1[1], &List1[2],
                                                    &List1[3], &Command1, &Command2})
    c->setTabIndex(ordine++);
}

void Archivio::CollegaEventi() {
  Load = [this] { Form_Load(); };
  Activate = [this] { Form_Activate(); };
  for (ComboBox* c : {&Combo1, &Combo2, &Combo3}) {
    c->Click = [this] { Combo_Click(); };
    c->KeyPress = [](int& k) { shell::InvioEsc(k); };
  }
  List1.Click = [this](int Index) { List1_Click(Index); };
  List1.DblClick = [this](int Index) { List1_DblClick(Index); };
  List1.MouseDown = [this](int Index, int Button, int Shift, float X, float Y) {
    List1_MouseDown(Index, Button, Shift, X, Y);
  };
  List1.MouseMove = [this](int Index, int Button, int Shift, float X, float Y) {
    List1_MouseMove(Index, Button, Shift, X, Y);
  };
  // The wheel over one column scrolls all four.
  List1.Scroll = [this](int Index) { ListaMulti.Update(Index); };
  VScroll1.Change = [this] { VScroll1_Change(); };
  VScroll1.Scroll = [this] { VScroll1_Change(); };
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  mnCopia.Click = [this] { mnCopia_Click(); };
}

// --- Opening and filters -------------------------------------------------------

void Archivio::Form_Load() {
  ListaMulti.Create(List1, VScroll1);
  Comandi(false);
  CaricaArchivioCalcoli();
}

void Archivio::Form_Activate() {
  if (ListaMulti.ListIndex() == -1) {
    Comandi(false);
    lblAnno.setCaption("");
    lblImposta.setCaption("");
  }
}

void Archivio::CaricaArchivioCalcoli() {
  if (!shell::FileLeggibile(archivio_.Percorso())) return;
  shell::Clessidra clessidra;  // a long archive takes a moment
  ListaMulti.Clear();
  voci_.clear();
  archivio_.Carica();
  // What the page lists and sums of each line, split once, beside List2:
  // views into the lines the list shares.
  voci_.reserve(static_cast<size_t>(List2.ListCount()));
  platform::preferHugePages(voci_.data(), voci_.capacity() * sizeof(VoceArchivio));
  for (int i = 0; i < List2.ListCount(); ++i) voci_.push_back(LeggiVoce(List2.ListText(i)));

  // Each exact value once, in the lists' sorted order; "*** TUTTI ***" first.
  // The values come in the list's own order: filled in one go, then
  // "*** TUTTI ***" put in front of them.
  const auto riempi = [](ComboBox& c, std::vector<std::string> valori) {
    c.Clear();
    c.AddItems(std::move(valori));
    c.AddItem(kTutti, 0);
  };
  riempi(Combo1, ValoriFiltro(voci_, &VoceArchivio::Contribuente));
  riempi(Combo2, ValoriFiltro(voci_, &VoceArchivio::Comune));
  riempi(Combo3, ValoriFiltro(voci_, &VoceArchivio::Anno));
  // The years newest first, "*** TUTTI ***" still at the top.
  shell::OrdinaCombo(Combo3, 1);

  // The three selections fill the list once.
  riempieFiltri_ = true;
  for (ComboBox* c : {&Combo1, &Combo2, &Combo3}) c->setListIndex(0);
  riempieFiltri_ = false;
  ApplicaFiltri();
}

void Archivio::Combo_Click() {
  if (!riempieFiltri_) ApplicaFiltri();
}

void Archivio::ApplicaFiltri() {
  ListaMulti.Clear();
  Comandi(false);
  List2.setListIndex(-1);
  lblAnno.setCaption("");
  lblImposta.setCaption("");
  const Elenco elenco = archives::ApplicaFiltri(voci_, {Combo1.Text(), Combo2.Text(), Combo3.Text()});
  // The columns filled in one go each, with the lines' own texts; every row
  // keeps the archive line it shows as its ItemData.
  std::vector<std::vector<std::string_view>> colonne(4);
  for (auto& c : colonne) c.reserve(elenco.Righe.size());
  for (const int i : elenco.Righe) {
    const VoceArchivio& v = voci_[static_cast<size_t>(i)];
    colonne[0].push_back(v.Contribuente);
    colonne[1].push_back(v.Indirizzo);
    colonne[2].push_back(v.Comune);
    colonne[3].push_back(v.Anno);
  }
  ListaMulti.AddItems(colonne, archivio_.Lette());
  for (size_t k = 0; k < elenco.Righe.size(); ++k) List1[0].setItemData(static_cast<int>(k), elenco.Righe[k]);
  lblNum.setCaption(std::to_string(ListaMulti.ListCount()));
  lblTot.setCaption(shell::Formatta(elenco.Totale, "Standard"));
}

// --- The list --------------------------------------------------------------------

int Archivio::RigaCorrente() const { return List2.ListIndex(); }

void Archivio::Comandi(bool abilitati) {
  Command1.setEnabled(abilitati);
  Command2.setEnabled(abilitati);
}

void Archivio::SelezionaRecord() {
  const int riga = ListaMulti.ListIndex();
  if (riga < 0) return;
  const int indice = List1[0].ItemData(riga);
  if (indice < 0 || indice >= List2.ListCount()) return;
  List2.setListIndex(indice);
  lblAnno.setCaption(std::string(voci_[static_cast<size_t>(indice)].Anno));
  lblImposta.setCaption(shell::Campo(List2.List(indice), ";", calculation::CalcoloRecord::kImpostaContribuente));
}

void Archivio::List1_Click(int Index) {
  ListaMulti.Update(Index);
  SelezionaRecord();
  Comandi(ListaMulti.ListCount() > 0 && RigaCorrente() >= 0);
}

void Archivio::List1_DblClick(int) {
  if (ListaMulti.ListIndex() >= 0 && RigaCorrente() >= 0) Command1_Click();
}

void Archivio::List1_MouseDown(int Index, int Button, int, float, float) {
  ListaMulti.Update(Index);
  if (Button == vbRightButton && List1[0].ListIndex() >= 0 && RigaCorrente() >= 0) PopupMenu(Copia);
}

void Archivio::List1_MouseMove(int Index, int Button, int, float, float) {
  if (Button == vbLeftButton) ListaMulti.Update(Index);
}

void Archivio::VScroll1_Change() { ListaMulti.Update(); }

std::vector<const VoceArchivio*> Archivio::VociElencate() const {
  std::vector<const VoceArchivio*> voci;
  voci.reserve(static_cast<size_t>(List1[0].ListCount()));
  for (int r = 0; r < List1[0].ListCount(); ++r) voci.push_back(&voci_[static_cast<size_t>(List1[0].ItemData(r))]);
  return voci;
}

// --- Commands --------------------------------------------------------------------

void Archivio::Command1_Click() {
  const int indice = RigaCorrente();
  if (indice < 0) return;
  const auto record = calculation::CalcoloRecord::fromLine(List2.List(indice));
  // The frame closed the calculation page when this page opened: this is a
  // fresh one, with its defaults.
  auto& calcolo = shell::app().form<calculation::MainForm>();
  CaricaNelCalcolo(calcolo, record);
  shell::app().unload(*this);
  calcolo.Show();
}

void Archivio::CaricaNelCalcolo(calculation::MainForm& f, const calculation::CalcoloRecord& r) {
  shell::Applicazione& a = shell::app();
  const auto intero = [](const std::string& testo) { return static_cast<int>(shell::Val(testo)); };
  const auto virgola = [](std::string testo) { return shell::PuntoInVirgola(testo); };

  a.InCaricamento = true;
  a.DaArchivio = true;
  Passo([&] { f.Combo1.setText(r.Contribuente); });
  Passo([&] { f.Combo3.setText(r.IndirizzoImmobile); });
  Passo([&] { f.Combo2.setText(r.ComuneUbicazione); });
  a.InCaricamento = false;

  // The boxes that set others come first (rented, property type, main
  // dwelling, the options), so that what they reset is then written with
  // the record's own values.
  Passo([&] { f.chkLocata.setValue(intero(r.ImmobileLocato)); });
  Passo([&] { f.Option1[intero(r.TipologiaImmobile)].setValue(true); });
  // The main dwelling keeps the owners and the deduction of the record.
  Passo([&] { f.Check1.setValue(intero(r.AbitazionePrincipale)); });
  // The single payment is ticked before the year is written: a loaded
  // record of 2012 asks nothing.
  Passo([&] { f.Text2.setText(""); });
  Passo([&] {
    const std::string& o = r.OpzioniCalcolo;
    if (o == "1" || o == "2" || o == "3") {
      f.chkUnica.setValue(o != "2" ? vbChecked : vbUnchecked);
      f.chkInagibile.setValue(o != "1" ? vbChecked : vbUnchecked);
    }
  });
  Passo([&] { f.Text2.setText(r.AnnoImposta); });
  Passo([&] { f.Text3.setText(r.RenditaCatastale); });
  Passo([&] { f.Text4.setText(virgola(r.AliquotaTasi)); });
  Passo([&] { f.Text5.setText(virgola(r.Rivalutazione)); });
  Passo([&] { f.Text7.setText(r.DetrazioneAbPrincipale); });
  Passo([&] { f.Text8.setText(r.MesiPossesso); });
  Passo([&] { f.Text1.setText(r.MesiPrimoSemestre); });
  Passo([&] { f.Text10.setText(r.MesiSecondoSemestre); });
  Passo([&] { f.Text9.setText(virgola(r.QuotaPossesso)); });
  Passo([&] { f.txtNum.setText(r.NumeroProprietari); });
  Passo([&] { f.txtLocata.setText(r.PercentualeInquilino); });
  Passo([&] { f.chkInquilino.setValue(intero(r.CalcoloInquilino)); });
  a.DaArchivio = false;

  // Then the results, which any change of an input above would have emptied.
  Passo([&] { f.Label8.setCaption(r.ImpostaImmobile); });
  Passo([&] { f.Label10.setCaption(r.ImpostaContribuente); });
  Passo([&] { f.Label11.setCaption(r.DetrazioneTotale); });
  a.ImportoAcconto = r.RataAcconto;
  a.ImportoSaldo = r.RataSaldo;
  const double acconto = shell::CDbl(r.RataAcconto), saldo = shell::CDbl(r.RataSaldo);
  Passo([&] { f.Label12.setCaption(shell::FormattaEuro(shell::Arrotonda(acconto))); });
  Passo([&] { f.Label13.setCaption(r.DetrazioneAcconto); });
  Passo([&] {
    f.Label14.setCaption(shell::FormattaEuro(shell::Arrotonda(saldo + acconto - shell::Arrotonda(acconto))));
  });
  Passo([&] { f.Label15.setCaption(r.DetrazioneSaldo); });
  Passo([&] {
    f.Label18.setCaption(shell::FormattaEuro(shell::CDbl(r.ImpostaContribuente) - shell::CDbl(r.DetrazioneTotale)));
  });
  Passo([&] { f.lblCodCom.setCaption(r.CodiceTributo); });
  // Last: the code belongs to the municipality written above.
  Passo([&] { f.lblCodCat.setCaption(r.CodiceCatastale); });
}

void Archivio::Command2_Click() {
  const int indice = RigaCorrente();
  if (indice < 0) return;
  if (!shell::Domanda("Vuoi eliminare l'immobile selezionato?")) return;
  // A failure has been shown; file and page stay as they were.
  if (!archivio_.Elimina(indice)) return;
  if (List2.ListCount() == 0) {
    voci_.clear();
    ListaMulti.Clear();
    lblNum.setCaption("0");
    lblTot.setCaption(shell::Formatta(0, "Standard"));
    lblAnno.setCaption("");
    lblImposta.setCaption("");
    Comandi(false);
    return;
  }
  CaricaArchivioCalcoli();
}

void Archivio::mnCopia_Click() {
  const int indice = RigaCorrente();
  if (indice < 0) return;
  desktop().clearClipboard();
  desktop().setClipboardText(TestoAppunti(List2.List(indice)));
  shell::Messaggio("Quotara copiato negli appunti!");
}

}  // namespace archives
