// The archive page with a 100,000-line "tasi.dat", drawn by the Qt views on
// the offscreen screen: opening the page (file read, hidden list, the three
// filter lists, the four columns) and one change of a filter.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "archives/Archivio.h"
#include "desktop/QtDesktop.h"
#include "forms/HeadlessDesktop.h"
#include "forms/UserInput.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "shell/Applicazione.h"
#include "shell/Principale.h"

namespace {

constexpr int kRighe = 100000;

// 20,000 taxpayers with five properties each, 800 municipalities, three years.
std::string riga(int i) {
  const std::string n = std::to_string(i);
  return "ROSSI MARIA " + std::to_string(i % 20000) + ";VIA DELLA LIBERTÀ " + n + ";CITTÀ " + std::to_string(i % 800) +
         ";" + std::to_string(2014 + i % 3) +
         ";1.234,56;2.5;5;0;200,00;12;6;6;100;0;1;1.296,29;1.296,29;200,00;548,15;"
         "100,00;548,14;100,00;1;10;0;3958;0;C745";
}

QApplication& qt() {
  static int argc = 1;
  static char name[] = "bench_archives";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

// The program with the frame open and the archive in a private folder, on
// the offscreen Qt screen or, to tell the views' share, on the headless
// desktop of the tests.
class Programma {
 public:
  explicit Programma(bool schermo = true) {
    if (schermo) qt();
    char modello[] = "/tmp/quotara-bench-XXXXXX";
    if (!mkdtemp(modello)) throw std::runtime_error("mkdtemp");
    cartella_ = modello;
    std::filesystem::create_directories(cartella_ + "/temp");
    platform::setProgramFolderForTests(cartella_);
    platform::setTempFolderForTests(cartella_ + "/temp");
    std::vector<std::string> righe;
    for (int i = 0; i < kRighe; ++i) righe.push_back(riga(i));
    platform::writeLinesAtomic(cartella_ + "/tasi.dat", righe);
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
    platform::setProgramFolderForTests("");
    platform::setTempFolderForTests("");
    std::filesystem::remove_all(cartella_);
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
  static void disegna() { QCoreApplication::processEvents(); }

 private:
  std::string cartella_;
  std::unique_ptr<forms::Desktop> desk_;
  desktop::QtDesktop* qt_ = nullptr;
  std::unique_ptr<shell::Applicazione> application_;
};

void AperturaArchivio(benchmark::State& state) {
  Programma p(state.range(0) != 0);
  for (auto _ : state) {
    state.PauseTiming();
    p.comando(shell::Principale::Info);
    Programma::disegna();
    state.ResumeTiming();
    p.comando(shell::Principale::Archivio);
    Programma::disegna();
  }
  if (p.pagina().List1[0].ListCount() != kRighe || p.pagina().Combo1.ListCount() != 20001)
    state.SkipWithError("the page was not filled as expected");
}
BENCHMARK(AperturaArchivio)->ArgName("schermo")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// From one year (a third of the rows) back to all years: the longest list.
void CambioFiltro(benchmark::State& state) {
  Programma p(state.range(0) != 0);
  p.comando(shell::Principale::Archivio);
  Programma::disegna();
  for (auto _ : state) {
    state.PauseTiming();
    p.filtro(p.pagina().Combo3, 1);
    Programma::disegna();
    state.ResumeTiming();
    p.filtro(p.pagina().Combo3, 0);
    Programma::disegna();
  }
  state.counters["righe"] = p.pagina().List1[0].ListCount();
}
BENCHMARK(CambioFiltro)->ArgName("schermo")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
