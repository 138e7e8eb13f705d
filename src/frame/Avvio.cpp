#include "frame/Avvio.h"

#include <exception>
#include <future>
#include <optional>
#include <string>
#include <system_error>

#include "archives/CopiaSicurezza.h"
#include "calculation/MainForm.h"
#include "fiscalcode/modCodFis.h"
#include "platform/Files.h"
#include "platform/InstanceLock.h"
#include "platform/Paths.h"
#include "platform/Signals.h"
#include "kit/Applicazione.h"
#include "kit/Finestre.h"
#include "kit/Messaggi.h"
#include "frame/Principale.h"
#include "frame/Splash.h"

namespace shell {

using namespace forms;

namespace {

// The number shown after the description of a start-up error.
int numeroErrore(const std::exception& e) {
  if (const auto* s = dynamic_cast<const std::system_error*>(&e)) return s->code().value();
  return 0;
}

}  // namespace

bool Main(platform::InstanceLock& istanza) {
  if (!istanza.acquire()) return false;
  // No other instance is running: a restore or an import stopped half-way is
  // finished before any window reads an archive, and what a write left behind
  // when the program was killed in the middle of it can go.
  std::optional<archives::Esito> ripresa;
  try {
    const std::string cartella = platform::programFolder();
    ripresa = archives::CompletaSostituzioneInterrotta(cartella);
    platform::removeInterruptedWrites(cartella);
    archives::SistemaArchivi(cartella);
  } catch (const platform::FileError&) {
    // The folder cannot even be made: the archives will say so when used.
  }
  if (ripresa) Messaggio(ripresa->messaggio, ripresa->errore ? vbExclamation : vbInformation);

  Desktop& d = desktop();
  const std::string schermo = std::to_string(d.screenWidthPx()) + "x" + std::to_string(d.screenHeightPx());
  if (schermo == "640x480") {
    Messaggio(
        "Il programma richiede una risoluzione video minima di\r\n800x600 per essere visualizzato correttamente.");
    return false;
  }

  fiscalcode::EstraiFileComuni();
  return AvviaProgramma();
}

bool PreparaAvvio() { return calculation::MainForm::PreparaArchivio(calculation::MainForm::PercorsoArchivio()); }

bool AvviaProgramma() {
  Applicazione& a = app();
  CollegaCornice(a);
  Desktop& d = desktop();
  Application::Dispatch dispatch;
  try {
    Clessidra clessidra;  // until the page is shown, or gone before the message below
    // The archive is read meanwhile, off the windows' thread.
    std::future<bool> lettura = std::async(std::launch::async, PreparaAvvio);
    Splash& splash = a.form<Splash>();
    splash.Show();
    DoEvents();
    splash.setTopmost(true);
    d.Sleep(2000);
    splash.setTopmost(false);
    a.unload(splash);

    // An archive that cannot be read: the page's load says so over the frame.
    if (!lettura.get()) a.form<Principale>().Show();
    calculation::MainForm& pagina = a.form<calculation::MainForm>();
    pagina.Azzera();
    pagina.Show();
    return true;
  } catch (const std::exception& e) {
    if (a.isLoaded<Splash>()) {
      a.form<Splash>().setTopmost(false);
      a.unload<Splash>();
    }
    MsgBox(std::string(e.what()) + " - " + std::to_string(numeroErrore(e)), vbOKOnly, vbExclamation,
           "Errore durante il caricamento dell'applicazione");
    // Nothing half-started is left behind without a window to close it.
    a.unload<Principale>();
    a.End();
    return false;
  }
}

void FineSessione() {
  Applicazione& a = app();
  if (a.ended()) return;
  if (a.isLoaded<Principale>()) a.unload(a.form<Principale>(), vbAppWindows);
  if (a.ended()) return;
  CancellaTemporanei();
  a.End();
}

void AscoltaFineSessione() {
  const int segnali = platform::watchEndSignals();
  if (segnali < 0) return;
  desktop().watchReadable(segnali, [] {
    if (platform::takeEndSignals() > 0) FineSessione();
  });
}

}  // namespace shell
