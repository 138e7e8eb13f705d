#include "archives/Immobili.h"

#include <algorithm>

#include "archives/Catasto.h"
#include "archives/RegistroCatasto.h"
#include <unordered_set>

#include "calculation/MainForm.h"
#include "forms/FontEngine.h"
#include "forms/Text.h"
#include "platform/Files.h"
#include "kit/Applicazione.h"
#include "kit/Convenzioni.h"
#include "kit/Documenti.h"
#include "kit/Messaggi.h"
#include "shell/CampiRiga.h"
#include "shell/Modulo1.h"

namespace archives {

using namespace forms;

namespace {

constexpr Color kSfondo = RGB(255, 235, 168);

// Characters before each column of the aligned rows: 12 of municipality and
// 25 of location, each followed by five blanks.
constexpr int kInizioUbicazione = 17;
constexpr int kInizioRendita = 47;
constexpr int kSpazioColonne = 5;

std::string PercorsoRegistro() { return shell::PercorsoApp() + "/" + kFileCatasto; }

}  // namespace

Immobili::Immobili() : registro_(PercorsoRegistro(), List1, CatastoRecord::chiaveDi) {
  setMDIChild();
  setCaption("Dati catastali");
  setClientSize(11385, 8175);  // the page area of the frame
  setBackColor(kSfondo);

  for (int i = 0; i < 2; ++i) {
    Label& titolo = Label1.Add(i);
    titolo.create(*this, 360 - 30 * i, 240 - 30 * i, 6000, 480);
    titolo.setCaption("Archivio dati catastali");
    titolo.setFontSize(16);
    titolo.setFontBold(true);
    titolo.setBackStyle(0);
    titolo.setForeColor(i == 0 ? RGB(160, 140, 90) : RGB(0, 0, 128));
  }
  Label2.create(*this, 360, 1035, 1800, 255);
  Label2.setCaption("Nome proprietario:");
  Label2.setBackStyle(0);
  cboUtente.create(*this, 2160, 990, 5400, 315);
  cboUtente.setSorted(true);

  Frame1.create(*this, 240, 1500, 10905, 5055);
  Frame1.setCaption("Elenco immobili");
  Frame1.setBackColor(kSfondo);
  const char* const titoli[] = {"Comune", "Ubicazione/Descrizione", "Rendita catastale", "Reddito dominicale"};
  for (int i = 0; i < 4; ++i) {
    Label& t = Label3.Add(i);
    t.create(Frame1, 120, 300, 2400, 255);
    t.setCaption(titoli[i]);
    t.setBackStyle(0);
    t.setFontBold(true);
  }
  lstCatasto.create(Frame1, 120, 585, 10665, 4320);

  const char* const comandi[] = {"Nuovo inserimento", "Modifica immobile", "Elimina immobile", "Visualizza immobile",
                                 "Carica per Quotara"};
  for (int i = 0; i < 5; ++i) {
    CommandButton& b = Command1.Add(i);
    b.create(*this, 240 + i * 2215, 6750, 2040, 435);
    b.setCaption(comandi[i]);
    b.setEnabled(i == 0);
  }
  cmdExcel.create(*this, 3000, 7380, 5385, 435);
  cmdExcel.setCaption("Esporta archivio dati catastali in Excel");

  List1.create(*this, 0, 0, 1500, 1000);
  List1.setVisible(false);
  List1.setSorted(true);
  List2.create(*this, 0, 0, 1500, 1000);
  List2.setVisible(false);

  cboUtente.setTabIndex(0);
  lstCatasto.setTabIndex(1);
  for (int i = 0; i < 5; ++i) Command1[i].setTabIndex(2 + i);
  cmdExcel.setTabIndex(7);

  // The owner is picked from the list; typing only looks for one.
  cboUtente.KeyPress = [](int& KeyAscii) { shell::InvioEsc(KeyAscii); };

  Load = [this] { Form_Load(); };
  cboUtente.Click = [this] { cboUtente_Click(); };
  lstCatasto.Click = [this] { lstCatasto_Click(); };
  lstCatasto.DblClick = [this] { lstCatasto_DblClick(); };
  Command1.Click = [this](int Index) { Command1_Click(Index); };
  cmdExcel.Click = [this] { cmdExcel_Click(); };
}

void Immobili::Form_Load() {
  lstCatasto.setFontName("Courier");
  AllineaTitoli(8);
  CaricaComboCatasto();
}

void Immobili::CaricaComboCatasto() {
  NomeSelezionato = cboUtente.Text();
  cboUtente.Clear();
  lstCatasto.Clear();
  proprietarioElencato_.clear();
  lstCatasto_Click();

  // Each owner once, a view into the register's shared lines; the combo
  // sorts them, List1 sorts the lines.
  std::unordered_set<std::string_view> proprietari;
  std::vector<std::string_view> nomi;
  registro_.Carica([&](std::string_view riga) {
    const std::string_view nome = shell::CampoDi(riga, CatastoRecord::kNome);
    if (proprietari.insert(nome).second) nomi.push_back(nome);
  });
  cboUtente.AddItems(nomi, registro_.Lette());
  cmdExcel.setEnabled(shell::FileLeggibile(registro_.Percorso()));
}

void Immobili::RicaricaNome() {
  for (int i = 0; i < cboUtente.ListCount(); ++i)
    if (cboUtente.List(i) == NomeSelezionato) {
      cboUtente.setListIndex(i);
      break;
    }
  for (int i = 1; i <= 4; ++i) Command1[i].setEnabled(false);
}

std::vector<std::string_view> Immobili::RigheRegistro() const {
  std::vector<std::string_view> righe;
  righe.reserve(List1.ListCount());
  for (int i = 0; i < List1.ListCount(); ++i) righe.push_back(List1.ListText(i));
  return righe;
}

GruppiCatasto Immobili::RecordDaStampare() {
  std::vector<CatastoRecord> elencati;
  elencati.reserve(lstCatasto.ListCount());
  for (int i = 0; i < lstCatasto.ListCount(); ++i)
    elencati.push_back(CatastoRecord::fromLine(List1.List(lstCatasto.ItemData(i))));
  GruppiCatasto gruppi = Gruppi(elencati);
  List2.Clear();
  for (const auto& gruppo : gruppi)
    for (const CatastoRecord& r : gruppo) List2.AddItem(r.toLine());
  return gruppi;
}

void Immobili::cboUtente_Click() {
  if (List1.ListCount() == 0 || cboUtente.ListIndex() < 0) return;
  lstCatasto.Clear();
  lstCatasto_Click();
  proprietarioElencato_ = cboUtente.List(cboUtente.ListIndex());
  const auto righe = RigheProprietario(RigheRegistro(), proprietarioElencato_, FormatoColonne.ColumnSeparator());
  int larghezzaRendita = 0;
  for (const RigaProprietario& r : righe) {
    lstCatasto.AddItem(r.testo);
    lstCatasto.setItemData(lstCatasto.NewIndex(), r.indice);
    const std::string rendita = shell::Campo(r.testo, FormatoColonne.ColumnSeparator(), 3);
    larghezzaRendita = std::max(larghezzaRendita, text::length(rendita));
  }
  FormatoColonne.FormatListBoxListItemsAsColumns(lstCatasto);
  AllineaTitoli(larghezzaRendita);
}

void Immobili::AllineaTitoli(int larghezzaRendita) {
  // The rows start after the list's border and a margin of one pixel.
  const int carattere = fontEngine().textWidth(lstCatasto.font(), "0") * TwipsPerPixel;
  const auto colonna = [&](int caratteri) { return lstCatasto.Left() + 3 * TwipsPerPixel + caratteri * carattere; };
  Label3[0].setLeft(colonna(0));
  Label3[1].setLeft(colonna(kInizioUbicazione));
  // The amounts are right-aligned: the head of the rendita ends with its
  // column, the head of the reddito starts with its own.
  const int fineRendita = colonna(kInizioRendita + larghezzaRendita);
  Label3[2].setAlignment(vbRightJustify);
  Label3[2].setLeft(fineRendita - Label3[2].Width());
  Label3[3].setLeft(fineRendita + kSpazioColonne * carattere);
}

void Immobili::lstCatasto_Click() {
  const bool selezionato = lstCatasto.ListIndex() >= 0;
  for (int i = 1; i <= 4; ++i) Command1[i].setEnabled(selezionato);
}

void Immobili::lstCatasto_DblClick() {
  if (lstCatasto.ListIndex() >= 0) Command1_Click(3);
}

void Immobili::Command1_Click(int Index) {
  shell::Applicazione& a = shell::app();
  switch (Index) {
    case 0:
    case 1:
    case 3:
      a.ModoCatasto = Index == 0 ? 1 : Index == 1 ? 2 : 0;
      a.form<Catasto>().Show(vbModal);
      break;
    case 2: {
      if (!shell::Domanda("Vuoi eliminare l'immobile selezionato?")) return;
      if (!registro_.Elimina(lstCatasto.ItemData(lstCatasto.ListIndex()))) return;
      const bool vuoto = List1.ListCount() == 0;
      CaricaComboCatasto();
      if (!vuoto) RicaricaNome();
      break;
    }
    case 4:
      CaricaPerCalcolo();
      break;
  }
}

void Immobili::CaricaPerCalcolo() {
  const CatastoRecord r = CatastoRecord::fromLine(List1.List(lstCatasto.ItemData(lstCatasto.ListIndex())));
  shell::Applicazione& a = shell::app();
  auto& calcolo = a.form<calculation::MainForm>();
  a.InCaricamento = true;
  calcolo.Combo1.setText(r.Nome);
  calcolo.Combo3.setText(r.Ubicazione);
  calcolo.Combo2.setText(r.Comune);
  a.InCaricamento = false;
  calcolo.Text3.setText(r.Tipo() == 1 ? r.RedditoDominicale : r.RenditaCatastale);
  calcolo.Text9.setText(r.Possesso.empty() ? "100" : TogliPercento(r.Possesso));
  if (const int opzione = OpzioneTipologia(r.Tipo(), r.Categoria); opzione >= 0)
    calcolo.Option1[opzione].setValue(true);
  a.unload(*this);
  calcolo.Show();
}

void Immobili::cmdExcel_Click() {
  const std::string& percorso = registro_.Percorso();
  if (!shell::FileLeggibile(percorso)) {
    shell::Messaggio("Non è stato archiviato nessun immobile.\r\nEsportazione impossibile.");
    return;
  }
  const std::string esportazione = shell::CartellaTemp() + kFileEsportazione;
  try {
    platform::writeLinesAtomic(esportazione, RigheEsportazione(platform::readLines(percorso)));
  } catch (const platform::FileError& e) {
    shell::Messaggio(std::string("Esportazione impossibile.\r\n") + e.what(), vbCritical);
    return;
  }
  shell::Messaggio(
      "Esportazione completata.\r\nSalvate il file che verrà aperto in una cartella diversa da quella temporanea.\r\n"
      "Il formato proposto è CSV, ma potete salvarlo come file di Excel.");
  shell::ApriDocumento(esportazione);
}

}  // namespace archives
