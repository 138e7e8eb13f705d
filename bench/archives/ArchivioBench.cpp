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
#include "shell/Applicazione.h"
#include "shell/Principale.h"
#include "support/ArchivioBench.h"
#include "support/QtBench.h"

namespace {

constexpr int kRighe = 100000;

// The program with the frame open and the archive in a private folder, on
// the offscreen Qt screen or, to tell the views' share, on the headless
// desktop of the tests.
class Programma {
 public:
  explicit Programma(bool schermo = true) {
    if (schermo) quotara::bench::QtOffscreen();
    cartella_.archivio(quotara::bench::RigheTasi(kRighe, 3));
    if (schermo) {
      auto qt = std::make_unique<desktop::QtDesktop>();
      qt_ = qt.get();
      desk_ = std::move(qt);
    } else {
      desk_ = std::make_unique<forms::HeadlessDesktop>();
    }
    application_ = std::make_unique<shell::Applicazione>(*desk_);
    if (qt_) qt_->attach(*application_);
    frame().Show();
  }
  ~Programma() {
    application_.reset();
    desk_.reset();
  }
  shell::Principale& frame() { return application_->form<shell::Principale>(); }
  archives::Archivio& pagina() { return application_->form<archives::Archivio>(); }
  void comando(int n) {
    consegna([this, n] { frame().EseguiComando(n); });
  }
  void filtro(forms::ComboBox& c, int voce) {
    consegna([&c, voce] { forms::input::pickRow(c, voce); });
  }
  void consegna(const std::function<void()>& azione) {
    if (qt_) return qt_->deliver(azione);
    forms::Application::Dispatch d;
    azione();
  }
  void disegna() const {
    if (qt_) QCoreApplication::processEvents();
  }

 private:
  const quotara::bench::CartellaBench cartella_;
  std::unique_ptr<forms::Desktop> desk_;
  desktop::QtDesktop* qt_ = nullptr;
  std::unique_ptr<shell::Applicazione> application_;
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
