// The calculation page through the Qt views on the offscreen screen, with a
// "tasi.dat" of 10,000 and 100,000 lines: the frame with the page shown and
// drawn once the splash has gone (the rest of the start-up), and "&Nuovo
// Calcolo" clicked on the page, both until Qt has handled what they caused.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "calculation/MainForm.h"
#include "desktop/QtDesktop.h"
#include "forms/UserInput.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "kit/Applicazione.h"
#include "frame/Principale.h"

namespace {

QApplication& qtApplication() {
  static int argc = 1;
  static char name[] = "bench_desktop";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

// 20 properties per taxpayer, 800 municipalities, a different address per
// line; accented names keep the decoder busy.
std::string riga(int i) {
  const std::string n = std::to_string(i);
  return "ROSSI MARIA " + std::to_string(i / 5) + ";VIA DELLA LIBERTÀ " + n + ";CITTÀ " + std::to_string(i % 800) +
         ";2026;1.234,56;2.5;5;0;200,00;12;6;6;100;0;1;1.296,29;1.296,29;200,00;548,15;"
         "100,00;548,14;100,00;1;10;0;3958;0;C745";
}

// A program folder holding an archive of `righe` lines, for the life of the object.
struct Archivio {
  std::string cartella;
  explicit Archivio(int righe) {
    char modello[] = "/tmp/quotara-bench-XXXXXX";
    if (!mkdtemp(modello)) throw std::runtime_error("mkdtemp");
    cartella = modello;
    platform::setProgramFolderForTests(cartella);
    platform::setTempFolderForTests(cartella + "/temp");
    std::vector<std::string> linee;
    for (int i = 0; i < righe; ++i) linee.push_back(riga(i));
    platform::writeLinesAtomic(cartella + "/tasi.dat", linee);
  }
  ~Archivio() {
    platform::setProgramFolderForTests("");
    platform::setTempFolderForTests("");
    std::filesystem::remove_all(cartella);
  }
};

// The program's application object on the Qt desktop, with an archive of
// `righe` lines in its program folder.
struct Programma {
  explicit Programma(int righe) : archivio(righe) {
    qtApplication();
    desk.emplace();
    application.emplace(*desk);
    shell::CollegaCornice(*application);
    desk->attach(*application);
  }
  ~Programma() {
    application.reset();
    desk.reset();
  }
  Archivio archivio;
  std::optional<desktop::QtDesktop> desk;
  std::optional<shell::Applicazione> application;
};

void settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

void FrameDopoSplash(benchmark::State& state) {
  Programma p(static_cast<int>(state.range(0)));
  desktop::QtDesktop& desk = *p.desk;
  shell::Applicazione& application = *p.application;
  for (auto _ : state) {
    desk.deliver([&] {
      calculation::MainForm& pagina = application.form<calculation::MainForm>();
      pagina.Azzera();
      pagina.Show();
    });
    QWidget* frame = desk.widgetOf(application.form<shell::Principale>());
    settle();
    benchmark::DoNotOptimize(frame->grab());
    state.PauseTiming();
    if (application.form<calculation::MainForm>().List1.ListCount() != state.range(0))
      state.SkipWithError("the archive was not loaded");
    desk.deliver([&] { application.unload<shell::Principale>(); });
    settle();
    state.ResumeTiming();
  }
}
BENCHMARK(FrameDopoSplash)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void NuovoCalcolo(benchmark::State& state) {
  Programma p(static_cast<int>(state.range(0)));
  desktop::QtDesktop& desk = *p.desk;
  shell::Applicazione& application = *p.application;
  calculation::MainForm* pagina = nullptr;
  desk.deliver([&] {
    pagina = &application.form<calculation::MainForm>();
    pagina->Azzera();
    pagina->Show();
  });
  settle();
  for (auto _ : state) {
    desk.deliver([&] { forms::input::click(pagina->Command2); });
    settle();
  }
  if (pagina->List1.ListCount() != state.range(0)) state.SkipWithError("the archive was not loaded");
  desk.deliver([&] { application.unload<shell::Principale>(); });
}
BENCHMARK(NuovoCalcolo)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
