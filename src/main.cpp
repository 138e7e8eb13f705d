// Entry point of the program: the start-up sequence of the shell on the Qt desktop.
#include <memory>

#include "desktop/QtDesktop.h"
#include "platform/InstanceLock.h"
#include "platform/Memory.h"
#include "platform/Paths.h"
#include "platform/Signals.h"
#include "kit/Applicazione.h"
#include "frame/Avvio.h"

int main(int argc, char** argv) {
  // Before anything else: this may run the program again from its start.
  platform::heapInHugePages(argv);
  // Before anything is written: a logout, a shutdown or Ctrl+C from the first
  // instant waits in the pipe until the start-up is over, and is seen on the
  // event loop's first turn, so the start ends cleanly, its files removed.
  platform::watchEndSignals();
  platform::InstanceLock istanza;
  const int esito = desktop::runQtDesktop(
      argc, argv, [](forms::Desktop& d) { return std::make_unique<shell::Applicazione>(d); },
      [&istanza](forms::Application& a) {
        if (!shell::Main(istanza))
          a.End();
        else
          shell::AscoltaFineSessione();
      });
  // The windows deleted their temporary files when they closed.
  platform::removeTempFolder();
  return esito;
}
