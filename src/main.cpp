// Entry point of the program: the start-up sequence of the shell on the Qt desktop.
#include <memory>

#include "desktop/QtDesktop.h"
#include "platform/InstanceLock.h"
#include "platform/Paths.h"
#include "platform/Signals.h"
#include "shell/Applicazione.h"
#include "shell/Avvio.h"

int main(int argc, char** argv) {
  platform::InstanceLock istanza;
  const int esito = desktop::runQtDesktop(
      argc, argv, [](forms::Desktop& d) { return std::make_unique<shell::Applicazione>(d); },
      [&istanza](forms::Application& a) {
        // A logout or a shutdown during the start-up waits in the pipe until
        // the start-up is over, and is seen on the event loop's first turn.
        platform::watchEndSignals();
        if (!shell::Main(istanza))
          a.End();
        else
          shell::AscoltaFineSessione();
      });
  // The windows deleted their temporary files when they closed.
  platform::removeTempFolder();
  return esito;
}
