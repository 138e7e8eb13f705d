#include "archives/Catasto.h"

#include "archives/Immobili.h"
#include "archives/RegistroCatasto.h"
#include "archives/frmCategorie.h"
#include "forms/Text.h"
#include "platform/Cp1252.h"
#include "platform/Files.h"
#include "kit/Applicazione.h"
#include "kit/Convenzioni.h"
#include "kit/FileArchivio.h"
#include "kit/Messaggi.h"
#include "kit/ProcedureStampa.h"
#include "shell/Modulo1.h"
#include "shell/Numeri.h"

namespace archives {

using namespace forms;

namespace {

// Text1 boxes that take any character besides digits and ",": Sezione,
// Foglio, Numero, Categoria, Classe.
bool TestoLibero(int Index) { return Index == 1 || Index == 2 || Index == 3 || Index == 5 || Index == 6; }

// A key typed into Text1(Index): 0 when refused, "," for ".".
int FiltroDati(int Index, int KeyAscii) {
  if ((KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == ',') return KeyAscii;
  if (KeyAscii == '.') return ',';
  if (shell::TastoControllo(KeyAscii)) return KeyAscii;
  if (KeyAscii == ';') return 0;
  return TestoLibero(Index) ? KeyAscii : 0;
}

}  // namespace

Catasto::Catasto() {
  setCaption("Dati catastali");
  setBorderStyle(3);
  setStartUpPosition(2);
  setClientSize(8940, 6780);

  const auto etichetta = [](Label& l, Container& dove, int x, int y, int larghezza, const char* testo) {
    l.create(dove, x, y, larghezza, 255);
    l.setCaption(testo);
  };
  etichetta(lblNome, *this, 240, 285, 1900, "Proprietario:");
  txtNome.create(*this, 2200, 240, 6500, 315);
  txtNome.setSorted(true);
  etichetta(lblComune, *this, 240, 685, 1900, "Comune:");
  txtComune.create(*this, 2200, 640, 6500, 315);
  txtComune.setSorted(true);
  etichetta(lblUbicazione, *this, 240, 1085, 1900, "Ubicazione o descrizione:");
  txtUbicazione.create(*this, 2200, 1040, 6500, 315);

  fraTipologia.create(*this, 240, 1500, 8460, 615);
  fraTipologia.setCaption("Tipologia:");
  const char* const tipi[] = {"Fabbricato", "Terreno", "Area fabbricabile"};
  for (int i = 0; i < 3; ++i) {
    CheckBox& c = Check1.Add(i);
    c.create(fraTipologia, 360 + i * 2760, 270, 2400, 255);
    c.setCaption(tipi[i]);
  }

  fraDati.create(*this, 240, 2235, 8460, 2115);
  fraDati.setCaption("Dati");
  const char* const dati[] = {
      "Partita:",   "Sezione:", "Foglio:",         "Numero:",         "Subalterno:",
      "Categoria:", "Classe:",  "Vani catastali:", "Metri quadrati:", "Percentuale di possesso:"};
  for (int i = 0; i < 10; ++i) {
    const int colonna = i / 5, riga = i % 5;
    const int y = 315 + riga * 345;
    etichetta(lblDati.Add(i), fraDati, colonna == 0 ? 240 : 4200, y + 45, colonna == 0 ? 1300 : 2160, dati[i]);
    TextBox& t = Text1.Add(i);
    t.create(fraDati, colonna == 0 ? 1560 : 6360, y, colonna == 0 ? 2160 : 1440, 315);
    t.setAlignment(vbRightJustify);
  }
  cmdCat.create(fraDati, 7860, 315 + 0 * 345, 360, 315);
  cmdCat.setCaption("?");

  fraRendita.create(*this, 240, 4470, 4200, 1515);
  fraRendita.setCaption("Rendita o reddito");
  etichetta(lblRendita, fraRendita, 240, 360, 1800, "Rendita catastale:");
  etichetta(lblRA, fraRendita, 240, 720, 1800, "Reddito agrario:");
  etichetta(lblRD, fraRendita, 240, 1080, 1800, "Reddito dominicale:");
  TextBox* importi[] = {&txtRendita, &txtRA, &txtRD};
  for (int i = 0; i < 3; ++i) {
    importi[i]->create(fraRendita, 2160, 315 + i * 360, 1800, 315);
    importi[i]->setFontBold(true);
    importi[i]->setAlignment(vbRightJustify);
    importi[i]->setMaxLength(15);
    shell::CasellaImporto(*importi[i]);
  }

  fraNote.create(*this, 4560, 4470, 4140, 1515);
  fraNote.setCaption("Annotazioni");
  txtNote.create(fraNote, 150, 285, 3840, 1095);
  txtNote.setMultiLine(true);

  Command2.create(*this, 4560, 6180, 1980, 435);
  Command2.setCaption("Salva");
  Command1.create(*this, 6720, 6180, 1980, 435);
  Command1.setCaption("Chiudi");

  // Tab order: the boxes top to bottom, the buttons, "?" last.
  int tab = 0;
  for (Control* c : std::initializer_list<Control*>{&txtNome, &txtComune, &txtUbicazione}) c->setTabIndex(tab++);
  for (int i = 0; i < 3; ++i) Check1[i].setTabIndex(tab++);
  for (int i = 0; i < 10; ++i) Text1[i].setTabIndex(tab++);
  for (Control* c :
       std::initializer_list<Control*>{&txtRendita, &txtRA, &txtRD, &txtNote, &Command2, &Command1, &cmdCat})
    c->setTabIndex(tab++);

  Load = [this] { Form_Load(); };
  Check1.Click = [this](int Index) { Check1_Click(Index); };
  shell::CasellaMaiuscolaInFondo(Text1);
  Text1.KeyPress = [this](int Index, int& KeyAscii) { Text1_KeyPress(Index, KeyAscii); };
  for (EditControl* c : std::initializer_list<EditControl*>{&txtNome, &txtComune, &txtUbicazione})
    c->KeyPress = [this, c](int& KeyAscii) { Testo_KeyPress(*c, KeyAscii); };
  for (int i = 0; i < 3; ++i) shell::InvioEsc(Check1[i]);
  for (TextBox* t : importi) t->LostFocus = [this, t] { Importo_LostFocus(*t); };
  txtNote.KeyPress = [this](int& KeyAscii) { txtNote_KeyPress(KeyAscii); };
  Command2.Click = [this] { Command2_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  cmdCat.Click = [this] { cmdCat_Click(); };
}

void Catasto::Form_Load() {
  Immobili& immobili = shell::app().form<Immobili>();
  modo_ = shell::app().ModoCatasto;
  switch (modo_) {
    case 0:
      Command2.setCaption("Stampa");
      [[fallthrough]];
    case 2:
      IndiceRecord = immobili.lstCatasto.ItemData(immobili.lstCatasto.ListIndex());
      MostraImmobile(IndiceRecord);
      break;
    default:
      CaricaElenchi();
      break;
  }
}

void Catasto::CaricaElenchi() {
  txtNome.Clear();
  txtComune.Clear();
  // In file order, so that names differing only in case keep the order of
  // their first appearance.
  const std::string& percorso = shell::app().form<Immobili>().Registro().Percorso();
  // The register's shared lines, read again only when the file changed.
  std::shared_ptr<const shell::RigheArchivio> righe = std::make_shared<const shell::RigheArchivio>();
  if (shell::FileLeggibile(percorso)) {
    try {
      righe = shell::RigheCondivise(percorso);
    } catch (const platform::FileError&) {
      // The cadastral page has already said that the register cannot be read.
    }
  }
  for (const std::string& nome : ValoriDistinti(righe->Righe, CatastoRecord::kNome)) txtNome.AddItem(nome);
  for (const std::string& comune : ValoriDistinti(righe->Righe, CatastoRecord::kComune)) txtComune.AddItem(comune);
}

void Catasto::MostraImmobile(int Indice) {
  const CatastoRecord r = CatastoRecord::fromLine(shell::app().form<Immobili>().List1.List(Indice));
  txtNome.setText(r.Nome);
  txtComune.setText(r.Comune);
  txtUbicazione.setText(r.Ubicazione);
  // A type outside the three ticks no box.
  const long long tipo = shell::Val(r.Tipologia);
  if (tipo >= 0 && tipo <= 2) Check1[static_cast<int>(tipo)].setValue(vbChecked);
  for (int i = 0; i < 10; ++i) Text1[i].setText(r.campo(CatastoRecord::kPartita + i));
  txtRendita.setText(r.RenditaCatastale);
  txtRA.setText(r.RedditoAgrario);
  txtRD.setText(r.RedditoDominicale);
  txtNote.setText(CampoInNote(r.Annotazioni));
}

void Catasto::Check1_Click(int Index) {
  if (Check1[Index].Value() != vbChecked) return;
  for (int i = 0; i < 3; ++i)
    if (i != Index) Check1[i].setValue(vbUnchecked);
}

void Catasto::Text1_KeyPress(int Index, int& KeyAscii) {
  if (shell::InvioEsc(KeyAscii)) return;
  const int filtrato = FiltroDati(Index, KeyAscii);
  if (filtrato == 0 && KeyAscii != 0)
    shell::RifiutaTasto(Text1[Index], KeyAscii);
  else
    KeyAscii = filtrato;
}

void Catasto::Testo_KeyPress(EditControl& Casella, int& KeyAscii) {
  if (shell::InvioEsc(KeyAscii)) return;
  if (KeyAscii == ';') shell::RifiutaTasto(Casella, KeyAscii);
}

void Catasto::txtNote_KeyPress(int& KeyAscii) {
  if (KeyAscii == ';') shell::RifiutaTasto(txtNote, KeyAscii);
}

void Catasto::Importo_LostFocus(TextBox& Casella) {
  if (Casella.Text().empty()) return;
  if (const auto valore = shell::LeggiNumero(Casella.Text())) Casella.setText(shell::FormattaEuro(*valore));
}

void Catasto::Command2_Click() {
  const int modo = modo_;
  if (modo == 0) {
    if (shell::Domanda("Vuoi stampare i dati catastali di questo immobile?") && shell::Stampe().StampaImmobilePdf)
      shell::Stampe().StampaImmobilePdf();
    return;
  }
  const char* domanda = modo == 1 ? "Vuoi archiviare questi dati catastali?" : "Vuoi modificare questi dati catastali?";
  if (!shell::Domanda(domanda)) return;
  if (!ControllaDatiCatastali()) return;
  if (!(modo == 1 ? ArchiviaImmobile() : ModificaImmobile())) return;
  shell::Messaggio("Dati catastali archiviati!");
  Immobili& immobili = shell::app().form<Immobili>();
  immobili.CaricaComboCatasto();
  immobili.RicaricaNome();
  app().unload(*this);
}

bool Catasto::ControllaDatiCatastali() {
  const auto manca = [](Control& casella, const char* messaggio) {
    return shell::Rifiuta(casella, messaggio, vbInformation);
  };
  if (txtNome.Text().empty()) return manca(txtNome, "Devi immettere il nome del proprietario.");
  if (txtComune.Text().empty()) return manca(txtComune, "Devi immettere il nome del Comune.");
  if (txtUbicazione.Text().empty()) return manca(txtUbicazione, "Devi immettere una descrizione per l'immobile.");
  if (txtRendita.Text().empty() && txtRA.Text().empty() && txtRD.Text().empty())
    return manca(txtRendita, "Devi immettere una rendita o un reddito per l'immobile.");
  return true;
}

CatastoRecord Catasto::Record() const {
  CatastoRecord r;
  r.Nome = txtNome.Text();
  r.Comune = txtComune.Text();
  r.Ubicazione = txtUbicazione.Text();
  int tipo = 0;
  for (int i = 0; i < 3; ++i)
    if (Check1[i].Value() == vbChecked) tipo = i;
  r.Tipologia = std::to_string(tipo);
  for (int i = 0; i < 10; ++i) r.campo(CatastoRecord::kPartita + i) = Text1[i].Text();
  r.RenditaCatastale = txtRendita.Text();
  r.RedditoAgrario = txtRA.Text();
  r.RedditoDominicale = txtRD.Text();
  r.Annotazioni = NoteInCampo(txtNote.Text());
  // Whatever reached a box by other ways than typing, no ";" splits the line.
  for (int n = 1; n <= CatastoRecord::kNumeroCampi; ++n) r.campo(n) = SenzaSeparatore(r.campo(n));
  return r;
}

bool Catasto::ArchiviaImmobile() {
  const CatastoRecord r = Record();
  return shell::app().form<Immobili>().Registro().Archivia(r,
                                                           "Questo immobile è già presente nell'archivio catastale.");
}

bool Catasto::ModificaImmobile() {
  return shell::app().form<Immobili>().Registro().Sostituisci(IndiceRecord, Record());
}

reports::SchedaImmobile Catasto::Scheda() const {
  reports::SchedaImmobile s;
  s.Nome = txtNome.Text();
  s.Comune = txtComune.Text();
  s.Ubicazione = txtUbicazione.Text();
  for (int i = 2; i >= 0; --i)
    if (Check1[i].Value() == vbChecked) s.Tipologia = i;
  for (int i = 0; i < 10; ++i) s.Dati[i] = Text1[i].Text();
  s.Rendita = txtRendita.Text();
  s.RedditoAgrario = txtRA.Text();
  s.RedditoDominicale = txtRD.Text();
  s.Note = txtNote.Text();
  return s;
}

void Catasto::Command1_Click() { app().unload(*this); }

void Catasto::cmdCat_Click() { shell::app().form<frmCategorie>().Show(vbModal); }

}  // namespace archives
