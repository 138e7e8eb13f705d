// Loading a 100,000-line "tasi.dat" into the calculation page: the file read,
// the three name combos filled with each name once and the hidden list with
// every line ("&Nuovo Calcolo" runs the reset and the load).
#include <benchmark/benchmark.h>

#include "calculation/MainForm.h"
#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"
#include "frame/Principale.h"
#include "kit/Applicazione.h"
#include "support/ArchivioBench.h"

namespace {

constexpr int kRighe = 100000;

void CaricaArchivio(benchmark::State& state) {
  const quotara::bench::CartellaBench cartella;
  cartella.archivio(quotara::bench::RigheTasi(kRighe));
  forms::HeadlessDesktop desk;
  shell::Applicazione application{desk};
  shell::CollegaCornice(application);
  forms::ScriptedUser user;
  calculation::MainForm& f = application.form<calculation::MainForm>();
  f.Show();
  for (auto _ : state) {
    user.click(f.Command2);
    benchmark::DoNotOptimize(f.List1.ListCount());
  }
  if (f.List1.ListCount() != kRighe || f.Combo1.ListCount() != 20000 || f.Combo2.ListCount() != 800 ||
      f.Combo3.ListCount() != kRighe)
    state.SkipWithError("the lists were not filled as expected");
}
BENCHMARK(CaricaArchivio)->Unit(benchmark::kMillisecond);

}  // namespace
