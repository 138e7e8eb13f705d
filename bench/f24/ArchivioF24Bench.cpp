// The payer archive window "Archivio dati F24" opened from the F24 payer
// window's "Carica dati" on a 10,000-payer "tasif24.dat": file read, hidden
// list, the rows laid out in columns, drawn by the Qt views offscreen (or,
// to tell the views' share, on the headless desktop of the tests).
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "desktop/QtDesktop.h"
#include "f24/ArchivioF24.h"
#include "f24/frmF24.h"
#include "forms/HeadlessDesktop.h"
#include "forms/UserInput.h"
#include "platform/Files.h"
#include "kit/Applicazione.h"
#include "kit/Dialoghi.h"
#include "support/ProgrammaBench.h"

namespace {

constexpr int kPagatori = 10000;

std::vector<std::string> Pagatori(int n) {
  std::vector<std::string> v;
  v.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const std::string k = std::to_string(100000 + i);
    v.push_back("RSSMRA80A01H" + k.substr(1) + ";ROSSI NICCOLÒ " + k + ";MARIO;01/01/1980;M;ROMA;RM;MILANO;MI;VIA " +
                k + ";BANCA;AGENZIA;MI;IT60X05428111010000" + k);
  }
  return v;
}

// The payer window open, with the frame hidden, over a 10,000-payer archive.
class Programma : public quotara::bench::ProgrammaBench {
 public:
  explicit Programma(bool schermo) : ProgrammaBench(schermo) {
    platform::writeLinesAtomic(cartella().file("tasif24.dat"), Pagatori(kPagatori));
    consegna([this] { shell::ApriDialogo(app().form<f24::frmF24>()); });
    disegna();
  }
};

void AperturaArchivioF24(benchmark::State& state) {
  Programma p(state.range(0) != 0);
  int righe = 0;
  for (auto _ : state) {
    p.consegna([&p] { forms::input::click(p.app().form<f24::frmF24>().cmdLoad); });
    p.disegna();
    state.PauseTiming();
    righe = p.app().form<f24::ArchivioF24>().lstF24.ListCount();
    p.consegna([&p] { forms::input::click(p.app().form<f24::ArchivioF24>().cmdExit); });
    p.disegna();
    state.ResumeTiming();
  }
  if (righe != kPagatori) state.SkipWithError("the list was not filled as expected");
}
BENCHMARK(AperturaArchivioF24)->ArgName("schermo")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
