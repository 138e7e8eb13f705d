#pragma once
// The program's application object: the default instance of every window
// (through forms::Application) and the shared variables that the windows use
// as flags and mailboxes between them. Every variable starts zero, empty or
// false and lives until the program ends; none is saved.
#include <optional>
#include <string>
#include <vector>

#include "forms/Application.h"
#include "shell/RigaF24.h"

namespace shell {

class Applicazione : public forms::Application {
 public:
  using forms::Application::Application;

  // Version of the program (frame caption: major and minor; splash and About: all three).
  static constexpr int Major = 1;
  static constexpr int Minor = 2;
  static constexpr int Revision = 0;
  static constexpr const char* LegalCopyright =
      "Copyright \xC2\xA9 2026 Quotara. Software libero, senza alcuna garanzia.";

  // Another window fills the calculation window's three combos: their change
  // handlers skip auto-completion.
  bool InCaricamento = false;
  // Page shown in the frame: 1 calculation, 2 totals, 3 archive, 4 cadastral list, 0 about.
  int PaginaAttiva = 0;
  // Mode of the cadastral record window: 0 view, 1 new record, 2 modify.
  int ModoCatasto = 0;
  // Advance and balance of the current calculation, as formatted text.
  std::string ImportoAcconto;
  std::string ImportoSaldo;
  // A record is being loaded from the archive into the calculation window.
  bool DaArchivio = false;
  // The municipality-code window was opened by the calculation window.
  bool CodCatDaMainForm = false;
  // The fiscal-code window was opened by the F24 window.
  bool CodFisDaF24 = false;
  // Payment type of the F24 rows: 0 advance, 1 balance, 2 single payment.
  int TipoVersamento = 0;
  // Number of F24 rows in RigheF24.
  int NumRigheF24 = 0;
  // The F24 rows, and the closing item that follows them (none until a hand-over).
  std::vector<RigaF24> RigheF24;
  std::optional<RigaChiusuraF24> ChiusuraF24;
  // Base name of the F24 files being produced in "datiF24".
  std::string NomeFileF24;
  // The first-home deduction used in the advance actually paid, and that advance.
  double DetrazioneAccontoVersata = 0;
  double TotaleVersato = 0;
  // The F24 window shows the rows of several municipalities.
  bool F24PiuComuni = false;
  // Length of the typed prefix carried into the nested change event of the
  // combo auto-completion; 0 between its calls.
  int LunghezzaPrefisso = 0;
  // The folder the last folder or file dialog chose (for a file, its
  // folder): the next dialog opens there; empty until one was used.
  std::string CartellaDialoghi;
};

// The program's application object (the one forms::app() returns).
inline Applicazione& app() { return static_cast<Applicazione&>(forms::app()); }

}  // namespace shell
