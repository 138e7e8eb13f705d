// The totals over a 100,000-line "tasi.dat" whose lines all belong to the
// chosen taxpayer, municipality and year (the worst case): the plain totals,
// and the whole cascade that choosing the taxpayer runs on the page
// (municipalities, years, code, properties, totals and every caption).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "f24/Totali.h"
#include "f24/Verifica.h"
#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"
#include "frame/Principale.h"
#include "kit/Applicazione.h"
#include "support/ArchivioBench.h"

namespace {

constexpr int kRighe = 100000;

// Every category in turn, amounts with thousands and decimals.
std::string riga(int i) {
  static const char* const tipologia[4][2] = {{"0", "1"}, {"1", "0"}, {"3", "0"}, {"6", "0"}};
  const auto& t = tipologia[i % 4];
  return "ROSSI MARIA;VIA DELLA LIBERTÀ " + std::to_string(i) + ";FORLÌ;2026;1.234,56;2.5;5;0;200,00;12;6;6;100;" +
         t[0] + ";" + t[1] + ";1.296,29;1.296,29;200,00;548,15;100,00;548,14;100,00;1;10;0;3958;0;D704";
}

std::vector<std::string> righe() {
  std::vector<std::string> r;
  r.reserve(kRighe);
  for (int i = 0; i < kRighe; ++i) r.push_back(riga(i));
  return r;
}

void CalcolaTotali(benchmark::State& state) {
  const std::vector<std::string> archivio = righe();
  const f24::SceltaTotali scelta{"ROSSI MARIA", "FORLÌ", "2026"};
  for (auto _ : state) benchmark::DoNotOptimize(f24::CalcolaTotali(archivio, scelta));
  if (f24::CalcolaTotali(archivio, scelta).lblNpr != "25000") state.SkipWithError("the lines were not all counted");
}
BENCHMARK(CalcolaTotali)->Unit(benchmark::kMillisecond);

// Opening the page: the archive read into the hidden list, the taxpayers.
void AperturaPagina(benchmark::State& state) {
  const quotara::bench::CartellaBench cartella;
  cartella.archivio(righe());
  forms::HeadlessDesktop desk;
  shell::Applicazione application{desk};
  shell::CollegaCornice(application);
  for (auto _ : state) {
    f24::Verifica& f = application.form<f24::Verifica>();
    f.Show();
    benchmark::DoNotOptimize(f.Combo1.ListCount());
    state.PauseTiming();
    if (f.List2.ListCount() != kRighe) state.SkipWithError("the archive was not loaded");
    application.unload(f);
    state.ResumeTiming();
  }
}
BENCHMARK(AperturaPagina)->Unit(benchmark::kMillisecond);

void SceltaContribuente(benchmark::State& state) {
  const quotara::bench::CartellaBench cartella;
  cartella.archivio(righe());
  {
    forms::HeadlessDesktop desk;
    shell::Applicazione application{desk};
    shell::CollegaCornice(application);
    forms::ScriptedUser user;
    f24::Verifica& f = application.form<f24::Verifica>();
    f.Show();
    user.pickRow(f.Combo1, 0);
    // The user's pick runs Combo1's Click; running it again redoes the
    // whole cascade.
    for (auto _ : state) {
      f.Combo1.Click();
      benchmark::DoNotOptimize(f.Label4.Caption());
    }
    if (f.List1.ListCount() != kRighe || f.lblNpr.Caption() != "25000")
      state.SkipWithError("the page does not show the totals of every line");
  }
}
BENCHMARK(SceltaContribuente)->Unit(benchmark::kMillisecond);

}  // namespace
