// The archive page with a 100,000-line "tasi.dat", drawn by the Qt views on
// the offscreen screen: opening the page (file read, hidden list, the three
// filter lists, the four columns) and one change of a filter.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "archives/Archivio.h"
#include "desktop/QtDesktop.h"
#include "forms/HeadlessDesktop.h"
#include "forms/UserInput.h"
#include "kit/Applicazione.h"
#include "frame/Principale.h"
#include "support/ProgrammaBench.h"

namespace {

constexpr int kRighe = 100000;

// The program with the frame open and the archive in its private folder.
class Programma : public quotara::bench::ProgrammaBench {
 public:
  explicit Programma(bool schermo = true) : ProgrammaBench(schermo) {
    cartella().archivio(quotara::bench::RigheTasi(kRighe, 3));
    frame().Show();
  }
  shell::Principale& frame() { return app().form<shell::Principale>(); }
  archives::Archivio& pagina() { return app().form<archives::Archivio>(); }
  void comando(int n) {
    consegna([this, n] { frame().EseguiComando(n); });
  }
  void filtro(forms::ComboBox& c, int voce) {
    consegna([&c, voce] { forms::input::pickRow(c, voce); });
  }
};

void AperturaArchivio(benchmark::State& state) {
  Programma p(state.range(0) != 0);
  for (auto _ : state) {
    state.PauseTiming();
    p.comando(shell::Principale::Info);
    p.disegna();
    state.ResumeTiming();
    p.comando(shell::Principale::Archivio);
    p.disegna();
  }
  if (p.pagina().List1[0].ListCount() != kRighe || p.pagina().Combo1.ListCount() != 20001)
    state.SkipWithError("the page was not filled as expected");
}
BENCHMARK(AperturaArchivio)->ArgName("schermo")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// From one year (a third of the rows) back to all years: the longest list.
void CambioFiltro(benchmark::State& state) {
  Programma p(state.range(0) != 0);
  p.comando(shell::Principale::Archivio);
  p.disegna();
  for (auto _ : state) {
    state.PauseTiming();
    p.filtro(p.pagina().Combo3, 1);
    p.disegna();
    state.ResumeTiming();
    p.filtro(p.pagina().Combo3, 0);
    p.disegna();
  }
  state.counters["righe"] = p.pagina().List1[0].ListCount();
}
BENCHMARK(CambioFiltro)->ArgName("schermo")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
