// The program with large archives, through the Qt views on the offscreen
// screen: "tasi.dat" and "tasicat.dat" of 0 (the same action without an
// archive, the base to subtract), 100,000 and 1,000,000 lines each. Every
// action is timed from the input to the end of what Qt draws for it, with
// every archive it reads read again as the first time in a session (the
// file's time moved before each run, so the shared lines are stale); the
// counter `mediana_ms` is the median of the runs (5 each).
//
//   FrameDopoSplash    the start-up as the user meets it: the splash for its two
//                      seconds while "tasi.dat" is read, then the frame with the
//                      calculation page drawn; `oltre_splash_ms` is what the
//                      frame comes after the splash's two seconds
//   Apertura/<pagina>  "Totali", "Archivio" or "Catasto" opened from the toolbar
//                      ("Catasto" reads "tasicat.dat", the others use the lines
//                      of "tasi.dat" that the start-up read)
//   Scelta/<lista>     the year filter of "Archivio" back to all years, a
//                      taxpayer on "Totali", an owner on "Catasto"
//   Tasto/<casella>    one letter typed into a combo of the calculation page
//   StampaArchivio     "archiviotasi.pdf" of every row of "Archivio"
//   Memoria            resident memory with every page opened once (run it
//                      alone: --benchmark_filter=Memoria/1000000)
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include "archives/Archivio.h"
#include "archives/Immobili.h"
#include "calculation/MainForm.h"
#include "desktop/QtDesktop.h"
#include "f24/Verifica.h"
#include "forms/Constants.h"
#include "forms/UserInput.h"
#include "platform/Files.h"
#include "frame/Avvio.h"
#include "frame/Principale.h"
#include "support/ProgrammaBench.h"

namespace {

using Orologio = std::chrono::steady_clock;

// Owner i / 1000 of the register, 300 municipalities, one address per line.
std::string RigaCatasto(int i) {
  const std::string n = std::to_string(i);
  return "PROPRIETARIO " + std::to_string(i / 1000) + ";CITTÀ " + std::to_string(i % 300) + ";VIA DELLA LIBERTÀ " + n +
         ";0;" + n + ";A;" + std::to_string(i % 90) + ";" + n + ";3;A/2;2;5,5;90;100;1.234,56;;;nota " + n;
}

// The program with both archives of `righe` lines in its private folder; the
// program writes them sorted, as here ("tasi.dat" is kept in file order by the
// calculation page, sorted by the archive page's list).
class Programma : public quotara::bench::ProgrammaBench {
 public:
  explicit Programma(int righe) : ProgrammaBench(true), righe_(righe) {
    if (righe > 0) {
      std::vector<std::string> linee = quotara::bench::RigheTasi(righe, 3);
      std::stable_sort(linee.begin(), linee.end(),
                       [](const std::string& a, const std::string& b) { return forms::compareNoCase(a, b) < 0; });
      cartella().archivio(linee);
      linee.clear();
      for (int i = 0; i < righe; ++i) linee.push_back(RigaCatasto(i));
      platform::writeLinesAtomic(cartella().file("tasicat.dat"), linee);
    }
    // Reports are written, not opened: a do-nothing "xdg-open" comes first.
    const std::string bin = cartella().file("bin");
    ::mkdir(bin.c_str(), 0700);
    std::ofstream(bin + "/xdg-open") << "#!/bin/sh\nexit 0\n";
    ::chmod((bin + "/xdg-open").c_str(), 0700);
    const char* path = std::getenv("PATH");
    pathPrima_ = path ? path : "";
    ::setenv("PATH", (bin + (path ? ":" + pathPrima_ : "")).c_str(), 1);
  }
  ~Programma() { ::setenv("PATH", pathPrima_.c_str(), 1); }
  int righe() const { return righe_; }
  Programma(const Programma&) = delete;
  Programma& operator=(const Programma&) = delete;
  shell::Principale& frame() { return app().form<shell::Principale>(); }
  void comando(int n) {
    consegna([this, n] { frame().EseguiComando(n); });
  }
  // The frame with the calculation page, as the start-up leaves it.
  void avvia() {
    consegna([this] {
      calculation::MainForm& pagina = app().form<calculation::MainForm>();
      pagina.Azzera();
      pagina.Show();
    });
    disegna();
  }
  void disegna() const {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  // The archives read again when next asked for, as by a program just
  // started: their modification time moves back by a second each time (a
  // missing file stays missing). Then a pause of the file clock, so that
  // the read does not fall in the tick of that change.
  void rinnova(std::initializer_list<const char*> nomi) {
    ++rinnovi_;
    for (const char* nome : nomi) {
      timespec tempi[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600 - rinnovi_, 0}};
      ::utimensat(AT_FDCWD, cartella().file(nome).c_str(), tempi, 0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }

 private:
  int righe_;
  long rinnovi_ = 0;
  std::string pathPrima_;
};

// Times `azione` for each run, with `prima` before it untimed.
void Misura(benchmark::State& state, const std::function<void()>& prima, const std::function<void()>& azione) {
  std::vector<double> ms;
  for (auto _ : state) {
    prima();
    const auto t0 = Orologio::now();
    azione();
    const auto t1 = Orologio::now();
    ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
  std::sort(ms.begin(), ms.end());
  if (!ms.empty()) state.counters["mediana_ms"] = ms[ms.size() / 2];
}

template <class F>
void Registra(const char* nome, F f) {
  benchmark::RegisterBenchmark(nome, f)->Arg(0)->Arg(100000)->Arg(1000000)->Iterations(5)->UseManualTime()->Unit(
      benchmark::kMillisecond);
}

void FrameDopoSplash(benchmark::State& state) {
  Programma p(static_cast<int>(state.range(0)));
  std::vector<double> oltre;
  Misura(
      state,
      [&] {
        p.consegna([&] { p.app().unload<shell::Principale>(); });
        p.disegna();
        p.rinnova({"tasi.dat"});
      },
      [&] {
        const auto t0 = Orologio::now();
        // The program's own start-up: the read on its thread, the splash, the page.
        p.consegna([] { shell::AvviaProgramma(); });
        p.disegna();
        benchmark::DoNotOptimize(p.schermo()->widgetOf(p.frame())->grab());
        oltre.push_back(std::chrono::duration<double, std::milli>(Orologio::now() - t0).count() - 2000);
      });
  std::sort(oltre.begin(), oltre.end());
  if (!oltre.empty()) state.counters["oltre_splash_ms"] = oltre[oltre.size() / 2];
  if (p.app().form<calculation::MainForm>().List1.ListCount() != p.righe())
    state.SkipWithError("the archive was not loaded");
}

void Apertura(benchmark::State& state, int comando, std::initializer_list<const char*> letti) {
  Programma p(static_cast<int>(state.range(0)));
  p.avvia();
  Misura(
      state,
      [&] {
        p.comando(shell::Principale::Info);
        p.disegna();
        p.rinnova(letti);
      },
      [&] {
        p.comando(comando);
        p.disegna();
      });
}

void SceltaFiltro(benchmark::State& state) {
  Programma p(static_cast<int>(state.range(0)));
  p.avvia();
  p.comando(shell::Principale::Archivio);
  p.disegna();
  forms::ComboBox& anni = p.app().form<archives::Archivio>().Combo3;
  Misura(
      state,
      [&] {
        if (anni.ListCount() > 1) p.consegna([&] { forms::input::pickRow(anni, 1); });
        p.disegna();
      },
      [&] {
        if (anni.ListCount() > 0) p.consegna([&] { forms::input::pickRow(anni, 0); });
        p.disegna();
      });
}

// Two lists picked in turn: the timed pick always changes the choice.
void SceltaAlterna(benchmark::State& state, int comando, forms::ComboBox& (*lista)(shell::Applicazione&)) {
  Programma p(static_cast<int>(state.range(0)));
  p.avvia();
  p.comando(comando);
  p.disegna();
  forms::ComboBox& c = lista(p.app());
  int volta = 0;
  Misura(
      state, [] {},
      [&] {
        const int n = c.ListCount();
        if (n > 0) p.consegna([&] { forms::input::pickRow(c, (n / 2 + volta++) % n); });
        p.disegna();
      });
}

void Tasto(benchmark::State& state, forms::ComboBox& (*casella)(calculation::MainForm&)) {
  Programma p(static_cast<int>(state.range(0)));
  p.avvia();
  calculation::MainForm& pagina = p.app().form<calculation::MainForm>();
  forms::ComboBox& c = casella(pagina);
  p.consegna([&] { forms::input::focus(c); });
  p.disegna();
  // "CITTA 5", one letter at a time, then emptied again untimed.
  const std::string testo = "CITTA 5";
  size_t k = 0;
  Misura(
      state,
      [&] {
        if (k == testo.size()) {
          p.consegna([&] { c.setText(""); });
          p.disegna();
          k = 0;
        }
      },
      [&] {
        const char lettera = testo[k++];
        p.consegna([&] { forms::input::key(lettera, 0, lettera); });
        p.disegna();
      });
}

void StampaArchivio(benchmark::State& state) {
  Programma p(static_cast<int>(state.range(0)));
  p.avvia();
  p.comando(shell::Principale::Archivio);
  p.disegna();
  Misura(
      state, [] {},
      [&] {
        p.consegna([] { shell::Stampe().StampaArchivioPdf(); });
        p.disegna();
      });
}

long KbDi(const char* voce) {
  std::ifstream in("/proc/self/status");
  std::string riga;
  while (std::getline(in, riga))
    if (riga.rfind(voce, 0) == 0) return std::atol(riga.c_str() + std::string(voce).size());
  return 0;
}

void Memoria(benchmark::State& state) {
  Programma p(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    p.avvia();
    for (int comando : {shell::Principale::Totali, shell::Principale::Archivio, shell::Principale::Catasto}) {
      p.comando(comando);
      p.disegna();
    }
    forms::ComboBox& contribuenti = p.app().form<archives::Immobili>().cboUtente;
    if (contribuenti.ListCount() > 0) p.consegna([&] { forms::input::pickRow(contribuenti, 0); });
    p.disegna();
    state.SetIterationTime(1e-3);
  }
  double mb = 0;
  for (const char* nome : {"tasi.dat", "tasicat.dat"}) {
    struct stat st {};
    if (::stat(p.cartella().file(nome).c_str(), &st) == 0) mb += static_cast<double>(st.st_size) / 1e6;
  }
  state.counters["archivi_MB"] = mb;
  // /proc counts in units of 1,024 bytes; the files in millions of bytes, as here.
  state.counters["RSS_MB"] = KbDi("VmRSS:") * 1024 / 1e6;
  state.counters["picco_MB"] = KbDi("VmHWM:") * 1024 / 1e6;
}

const int kRegistrati = [] {
  Registra("FrameDopoSplash", FrameDopoSplash);
  Registra("Apertura/Totali", [](benchmark::State& s) { Apertura(s, shell::Principale::Totali, {}); });
  Registra("Apertura/Archivio", [](benchmark::State& s) { Apertura(s, shell::Principale::Archivio, {}); });
  Registra("Apertura/Catasto", [](benchmark::State& s) { Apertura(s, shell::Principale::Catasto, {"tasicat.dat"}); });
  Registra("Scelta/Filtro", SceltaFiltro);
  Registra("Scelta/Contribuente", [](benchmark::State& s) {
    SceltaAlterna(s, shell::Principale::Totali,
                  [](shell::Applicazione& a) -> forms::ComboBox& { return a.form<f24::Verifica>().Combo1; });
  });
  Registra("Scelta/Proprietario", [](benchmark::State& s) {
    SceltaAlterna(s, shell::Principale::Catasto,
                  [](shell::Applicazione& a) -> forms::ComboBox& { return a.form<archives::Immobili>().cboUtente; });
  });
  Registra("Tasto/Comune", [](benchmark::State& s) {
    Tasto(s, [](calculation::MainForm& f) -> forms::ComboBox& { return f.Combo2; });
  });
  Registra("Tasto/Contribuente", [](benchmark::State& s) {
    Tasto(s, [](calculation::MainForm& f) -> forms::ComboBox& { return f.Combo1; });
  });
  Registra("Tasto/Indirizzo", [](benchmark::State& s) {
    Tasto(s, [](calculation::MainForm& f) -> forms::ComboBox& { return f.Combo3; });
  });
  Registra("StampaArchivio", StampaArchivio);
  benchmark::RegisterBenchmark("Memoria", Memoria)->Arg(0)->Arg(100000)->Arg(1000000)->Iterations(1)->UseManualTime();
  return 0;
}();

}  // namespace
