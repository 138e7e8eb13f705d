// Loading a 100,000-line "tasi.dat" into the calculation page: the file read,
// the three name combos filled with each name once and the hidden list with
// every line ("&Nuovo Calcolo" runs the reset and the load).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "calculation/MainForm.h"
#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "shell/Applicazione.h"

namespace {

constexpr int kRighe = 100000;

// 20,000 taxpayers with five properties each, 100,000 addresses, 800
// municipalities; accented names keep the decoder busy.
std::string riga(int i) {
  const std::string n = std::to_string(i);
  return "ROSSI MARIA " + std::to_string(i % 20000) + ";VIA DELLA LIBERTÀ " + n + ";CITTÀ " + std::to_string(i % 800) +
         ";2026;1.234,56;2.5;5;0;200,00;12;6;6;100;0;1;1.296,29;1.296,29;200,00;548,15;"
         "100,00;548,14;100,00;1;10;0;3958;0;C745";
}

void CaricaArchivio(benchmark::State& state) {
  char modello[] = "/tmp/quotara-bench-XXXXXX";
  if (!mkdtemp(modello)) throw std::runtime_error("mkdtemp");
  const std::string cartella = modello;
  platform::setProgramFolderForTests(cartella);
  platform::setTempFolderForTests(cartella + "/temp");
  std::vector<std::string> righe;
  for (int i = 0; i < kRighe; ++i) righe.push_back(riga(i));
  platform::writeLinesAtomic(cartella + "/tasi.dat", righe);

  {
    forms::HeadlessDesktop desk;
    shell::Applicazione application{desk};
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
  platform::setProgramFolderForTests("");
  platform::setTempFolderForTests("");
  std::filesystem::remove_all(cartella);
}
BENCHMARK(CaricaArchivio)->Unit(benchmark::kMillisecond);

}  // namespace
