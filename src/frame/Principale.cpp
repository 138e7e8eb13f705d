#include "frame/Principale.h"

#include <string>
#include <vector>

#include "archives/Archivio.h"
#include "archives/Catasto.h"
#include "archives/Immobili.h"
#include "archives/Strumenti.h"
#include "calculation/MainForm.h"
#include "f24/Verifica.h"
#include "fiscalcode/modCodFis.h"
#include "platform/Dates.h"
#include "reports/Stampe.h"
#include "reports/StampeCatasto.h"
#include "frame/About.h"
#include "kit/Applicazione.h"
#include "kit/Documenti.h"
#include "kit/Finestre.h"
#include "kit/Messaggi.h"
#include "shell/Modulo1.h"
#include "kit/Risorse.h"
#include "widgets/CStatusBar32x.h"
#include "widgets/clsCoolbar.h"

namespace shell {

using namespace forms;

void CollegaCornice(forms::Application& a) {
  a.setFrame<Principale>();
  Stampe() = ProcedureDelProgramma();
}

ProcedureStampa ProcedureDelProgramma() {
  ProcedureStampa p;
  p.StampaCalcoloPdf = [] {
    MostraStampa(reports::StampaCalcoloPdf(app().form<calculation::MainForm>().Scheda(), desktop().now()));
  };
  p.StampaArchivioPdf = [] {
    MostraStampa(reports::StampaArchivioPdf(app().form<archives::Archivio>().VociElencate(), desktop().now()));
  };
  p.StampaComunePdf = [] {
    MostraStampa(reports::StampaComunePdf(app().form<f24::Verifica>().Dati(), desktop().now()));
  };
  p.StampaComuneUnicaPdf = [] {
    MostraStampa(reports::StampaComuneUnicaPdf(app().form<f24::Verifica>().Dati(), desktop().now()));
  };
  p.StampaCatastoPdf = [] {
    auto& immobili = app().form<archives::Immobili>();
    MostraStampa(
        reports::StampaCatastoPdf(immobili.ProprietarioElencato(), immobili.RecordDaStampare(), desktop().now()));
  };
  p.StampaImmobilePdf = [] {
    MostraStampa(reports::StampaImmobilePdf(app().form<archives::Catasto>().Scheda(), desktop().now()));
  };
  return p;
}

bool MostraStampa(const reports::EsitoStampa& esito) {
  if (!esito.Riuscita()) {
    Messaggio(esito.Errore, vbExclamation);
    return false;
  }
  ApriDocumento(esito.Percorso);
  return true;
}

namespace {

// The toolbar's buttons: caption and tooltip, in command order.
struct Pulsante {
  const char* caption;
  const char* tooltip;
};
constexpr Pulsante kPulsanti[] = {
    {"Quotara", "Calcola valore TASI"},
    {"Totali", "Totali per utente"},
    {"Archivio", "Archivio dati"},
    {"Catasto", "Dati catastali"},
    {"Stampa", "Stampa Quotara"},
    {"Strumenti", "Strumenti di utilit\xC3\xA0 e backup"},
    {"Guida", "Guida in linea del programma"},
    {"Info", "Informazioni sul programma"},
    {"Esci", "Uscita dal programma"},
};

}  // namespace

Principale::Principale()
    : BarraComandi_(std::make_unique<widgets::clsCoolbar>()), BarraStato_(std::make_unique<widgets::CStatusBar32x>()) {
  setCaption(kTitolo);
  setIcon(NomeIcona(0));
  // Fixed size: the frame cannot be resized (its system menu has no Size).
  setBorderStyle(1);
  setStartUpPosition(2);
  setClientSize(11385, 9390);

  picCoolBar.create(*this, 0, 0, 11385, 780);
  picCoolBar.setAlign(vbAlignTop);
  StatBar.create(*this, 0, 9000, 11385, 390);
  StatBar.setAlign(vbAlignBottom);
  StatBar.setBorderStyle(0);
  picMasterBitmaps.create(*this, 0, 0, 3750, 1125);
  picMasterBitmaps.setVisible(false);
  picMasterBitmaps.setAutoSize(true);
  picMasterBitmaps.setPicture(ImmagineRisorsa(ImmagineBarra));
  picSourceBitmaps.create(*this, 0, 0, 3750, 1125);
  picSourceBitmaps.setVisible(false);
  picScratchPad.create(*this, 0, 0, 3750, 1125);
  picScratchPad.setVisible(false);
  Timer1.create(*this);
  Timer1.setInterval(1000);
  timerCoolBar.create(*this);
  timerCoolBar.setInterval(55);
  timerCoolBar.setEnabled(false);

  Load = [this] { MDIForm_Load(); };
  Activate = [this] { MDIForm_Activate(); };
  Resize = [this] { MDIForm_Resize(); };
  QueryUnload = [this](int& Cancel, int UnloadMode) { MDIForm_QueryUnload(Cancel, UnloadMode); };
  Unload = [this](int& Cancel) { MDIForm_Unload(Cancel); };
  Timer1.Timer = [this] { Timer1_Timer(); };
  timerCoolBar.Timer = [this] { timerCoolBar_Timer(); };
  // Ctrl+1 ... Ctrl+9 run the toolbar's buttons in their order, from any
  // control of the frame or of its page, so every page can be reached from
  // the keyboard; the key of a disabled button does nothing.
  FrameKey = [this](int KeyCode, int Shift) {
    if (Shift != vbCtrlMask || KeyCode < vbKey0 + Quotara || KeyCode > vbKey0 + Esci) return false;
    const int numero = KeyCode - vbKey0;
    if (BarraComandi_ && BarraComandi_->ButtonEnabled(numero)) EseguiComando(numero);
    return true;
  };
  picCoolBar.KeyDown = [this](int& KeyCode, int Shift) { picCoolBar_KeyDown(KeyCode, Shift); };
  picCoolBar.KeyUp = [this](int& KeyCode, int Shift) { picCoolBar_KeyUp(KeyCode, Shift); };
  picCoolBar.MouseDown = [this](int Button, int Shift, float X, float Y) { picCoolBar_MouseDown(Button, Shift, X, Y); };
  picCoolBar.MouseMove = [this](int Button, int Shift, float X, float Y) { picCoolBar_MouseMove(Button, Shift, X, Y); };
  picCoolBar.MouseUp = [this](int Button, int Shift, float X, float Y) { picCoolBar_MouseUp(Button, Shift, X, Y); };
  picCoolBar.Resize = [this] { picCoolBar_Resize(); };
}

Principale::~Principale() = default;

void Principale::MDIForm_Load() {
  setCaption(std::string(kTitolo) + " - Versione " + std::to_string(Applicazione::Major) + "." +
             std::to_string(Applicazione::Minor));

  std::vector<forms::Image> icone;
  for (int i = 0; i < 3; ++i)
    icone.push_back(IconaProgramma(i, 16, widgets::kIconTransparent).value_or(forms::Image()));
  widgets::setProgramIcons(std::move(icone));
  BarraStato_->setParent(StatBar);
  BarraStato_->Create();
  BarraStato_->SetIcon(0, 1);
  BarraStato_->SetIcon(1, 2);
  // The panes are the frame's to paint: whenever the bar repaints itself (the
  // screen uncovered it) they are painted again at once, not blank until the
  // next tick of Timer1.
  forms::StatusBarControl& barra = *BarraStato_->GetStatBarHwnd();
  barra.Paint = [this, ridisegna = barra.Paint] {
    ridisegna();
    UpDateStat();
  };

  BarraComandi_->Create(*this, picCoolBar, picMasterBitmaps, picSourceBitmaps, picScratchPad, timerCoolBar);
  // Each tip names the button's key (Ctrl and its number, FrameKey below).
  int numero = 0;
  for (const Pulsante& p : kPulsanti)
    BarraComandi_->AddButton(p.caption, std::string(p.tooltip) + " (Ctrl+" + std::to_string(++numero) + ")");
  BarraComandi_->AddBar(3);
  BarraComandi_->AddBar(6);
  BarraComandi_->AddBar(9);
  BarraComandi_->setShowText(true);
  BarraComandi_->SetBitmapSize(25, 25);
  BarraComandi_->Refresh();

  EnableMaxButton(*this, false);
}

void Principale::MDIForm_Activate() { UpDateStat(); }

void Principale::MDIForm_Resize() { BarraComandi_->Refresh(); }

void Principale::UpDateStat() {
  const auto oggi = desktop().today();
  std::string prodotto = std::string(10, ' ') + kTitolo;
  std::string data =
      std::string(10, ' ') + platform::longDateItalian(static_cast<int>(oggi.year()),
                                                       static_cast<int>(static_cast<unsigned>(oggi.month())),
                                                       static_cast<int>(static_cast<unsigned>(oggi.day())));
  BarraStato_->DrawTextPic(0, prodotto, 0);
  BarraStato_->DrawTextPic(1, data, 1);
}

void Principale::Timer1_Timer() { UpDateStat(); }

void Principale::timerCoolBar_Timer() { BarraComandi_->TimerEvent(); }

void Principale::picCoolBar_KeyDown(int&, int) { BarraComandi_->KeyDownEvent(); }

void Principale::picCoolBar_KeyUp(int&, int) { BarraComandi_->KeyUpEvent(); }

void Principale::picCoolBar_MouseDown(int Button, int Shift, float X, float Y) {
  BarraComandi_->MouseDownEvent(Button, Shift, X, Y);
}

void Principale::picCoolBar_MouseMove(int Button, int Shift, float X, float Y) {
  BarraComandi_->MouseMoveEvent(Button, Shift, X, Y);
}

void Principale::picCoolBar_MouseUp(int Button, int Shift, float X, float Y) {
  EseguiComando(BarraComandi_->MouseUpEvent(Button, Shift, X, Y));
  // A box the command opened may have closed with the pointer elsewhere.
  if (!app().ended() && isLoaded()) BarraComandi_->PointerEvent();
}

void Principale::picCoolBar_Resize() { BarraComandi_->ResizeEvent(); }

void Principale::Chiudi() {
  Applicazione& a = app();
  a.unload<calculation::MainForm>();
  a.unload<f24::Verifica>();
  a.unload<archives::Archivio>();
  a.unload<About>();
  a.unload<archives::Immobili>();
  a.unload<archives::Strumenti>();
}

void Principale::EseguiComando(int numero) {
  Applicazione& a = app();
  switch (numero) {
    case Quotara:
      Chiudi();
      a.form<calculation::MainForm>().Show();
      a.PaginaAttiva = 1;
      BarraComandi_->EnableButton(Stampa, true);
      break;
    case Totali:
      Chiudi();
      a.form<f24::Verifica>().Show();
      a.PaginaAttiva = 2;
      BarraComandi_->EnableButton(Stampa, true);
      BarraComandi_->setShowToolTips(false);
      break;
    case Archivio:
      Chiudi();
      a.form<archives::Archivio>().Show();
      a.PaginaAttiva = 3;
      BarraComandi_->EnableButton(Stampa, true);
      break;
    case Catasto:
      Chiudi();
      a.form<archives::Immobili>().Show();
      a.PaginaAttiva = 4;
      BarraComandi_->EnableButton(Stampa, true);
      break;
    case Stampa:
      StampaPagina();
      break;
    case Strumenti:
      Chiudi();
      a.form<archives::Strumenti>().Show();
      BarraComandi_->EnableButton(Stampa, false);
      break;
    case Guida:
      ApriRisorsaHtml("tasiguida.htm", RisorsaGuida);
      BarraComandi_->EnableButton(Stampa, false);
      break;
    case Info:
      Chiudi();
      a.form<About>().Show();
      a.PaginaAttiva = 0;
      BarraComandi_->EnableButton(Stampa, false);
      break;
    case Esci:
      CancellaTemporanei();
      a.End();
      break;
    default:
      break;
  }
}

void Principale::ConfermaEStampa(const std::string& domanda, const char* file, const std::function<void()>& stampa) {
  if (!Domanda(domanda)) return;
  if (FileAperto(CartellaTemp() + file)) return;
  if (stampa) stampa();
}

void Principale::StampaPagina() {
  Applicazione& a = app();
  switch (a.PaginaAttiva) {
    case 1: {
      bool esito = false;
      ControllaDatiCalcolo(esito);
      if (esito) ConfermaEStampa("Vuoi stampare il Quotara eseguito?", "quotara.pdf", Stampe().StampaCalcoloPdf);
      break;
    }
    case 2:
      if (!a.isLoaded<f24::Verifica>() || a.form<f24::Verifica>().List1.ListCount() == 0) {
        Messaggio("Non ci sono dati selezionati da stampare!", vbExclamation);
        break;
      }
      ConfermaEStampa("Vuoi stampare il Quotara per il contribuente ed il comune selezionato?", "comunetasi.pdf",
                      a.form<f24::Verifica>().chkUnico.Value() == vbUnchecked ? Stampe().StampaComunePdf
                                                                              : Stampe().StampaComuneUnicaPdf);
      break;
    case 3:
      if (!a.isLoaded<archives::Archivio>() || a.form<archives::Archivio>().List2.ListCount() == 0) {
        Messaggio("Non ci sono dati in archivio da stampare!", vbExclamation);
        break;
      }
      ConfermaEStampa("Vuoi stampare l'archivio degli immobili selezionati?", "archiviotasi.pdf",
                      Stampe().StampaArchivioPdf);
      break;
    case 4: {
      // The owner asked about is the one whose rows the page lists.
      auto& immobili = a.form<archives::Immobili>();
      if (immobili.lstCatasto.ListCount() == 0) {
        Messaggio("Non ci sono dati catastali da stampare!", vbExclamation);
        break;
      }
      ConfermaEStampa(
          "Vuoi stampare i dati catastali degli immobili di " + Maiuscolo(immobili.ProprietarioElencato()) + "?",
          "catastotasi.pdf", Stampe().StampaCatastoPdf);
      break;
    }
    default:
      break;
  }
}

void Principale::ControllaDatiCalcolo(bool& Esito) {
  Esito = app().form<calculation::MainForm>().ControllaIdentita(true);
}

void CancellaTemporanei() {
  CancellaPdfTemp();
  fiscalcode::CancellaFileComuni();
  for (const char* nome : {"tasiguida.htm", "tasi.htm", "catasto.csv"}) CancellaFileTemp(nome);
}

void Principale::MDIForm_QueryUnload(int&, int) {
  CancellaPdfTemp();
  fiscalcode::CancellaFileComuni();
}

void Principale::MDIForm_Unload(int&) {
  for (const char* nome : {"tasiguida.htm", "tasi.htm", "catasto.csv"}) CancellaFileTemp(nome);
  // With the frame gone no window is left: the program ends.
  app().End();
}

}  // namespace shell
