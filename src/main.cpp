// Entry point of the program: the start-up sequence of the shell on the Qt desktop.
#include <memory>

#include "desktop/QtDesktop.h"
#include "platform/InstanceLock.h"
#include "platform/Paths.h"
#include "shell/Applicazione.h"
#include "shell/Avvio.h"

int main(int argc, char** argv) {
  platform::InstanceLock istanza;
  const int esito = desktop::runQtDesktop(
      argc, argv, [](forms::Desktop& d) { return std::make_unique<shell::Applicazione>(d); },
      [&istanza](forms::Application& a) {
        // A logout or a shutdown during the start-up is seen once the event loop runs.
        shell::AscoltaFineSessione();
        if (!shell::Main(istanza)) a.End();
      });
  // The windows deleted their temporary files when they closed.
  platform::removeTempFolder();
  return esito;
}
