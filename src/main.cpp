// Entry point of the program: the start-up sequence of the shell on the Qt desktop.
#include <memory>

#include "desktop/QtDesktop.h"
#include "platform/InstanceLock.h"
#include "shell/Applicazione.h"
#include "shell/Avvio.h"

int main(int argc, char** argv) {
  platform::InstanceLock istanza;
  return desktop::runQtDesktop(
      argc, argv, [](forms::Desktop& d) { return std::make_unique<shell::Applicazione>(d); },
      [&istanza](forms::Application& a) {
        if (!shell::Main(istanza)) a.End();
      });
}
