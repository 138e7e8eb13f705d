// The archive report of a long archive: 10,000 and 100,000 listed lines,
// written as "archiviotasi.pdf" (46 lines a page). The time should grow
// linearly with the lines.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/HeadlessDesktop.h"
#include "platform/Paths.h"
#include "reports/Stampe.h"
#include "shell/Applicazione.h"

namespace {

std::string riga(int i) {
  const std::string n = std::to_string(i);
  return "ROSSI MARIA LUISA " + std::to_string(i % 20000) + ";VIA DELLA LIBERTÀ " + n + ";CITTÀ " +
         std::to_string(i % 800) +
         ";2026;1.234,56;2.5;5;0;200,00;12;6;6;100;0;1;1.296,29;1.296,29;200,00;548,15;"
         "100,00;548,14;100,00;1;10;0;3958;0;C745";
}

void StampaArchivio(benchmark::State& state) {
  char modello[] = "/tmp/quotara-bench-XXXXXX";
  if (!mkdtemp(modello)) throw std::runtime_error("mkdtemp");
  const std::string cartella = modello;
  platform::setProgramFolderForTests(cartella);
  platform::setTempFolderForTests(cartella + "/temp");
  std::filesystem::create_directories(cartella + "/temp");
  std::vector<std::string> righe;
  for (int i = 0; i < state.range(0); ++i) righe.push_back(riga(i));
  {
    forms::HeadlessDesktop desk;
    shell::Applicazione application{desk};
    for (auto _ : state) reports::StampaArchivioPdf(righe);
    const auto byte = std::filesystem::file_size(cartella + "/temp/archiviotasi.pdf");
    state.counters["MB"] = static_cast<double>(byte) / 1e6;
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  platform::setProgramFolderForTests("");
  platform::setTempFolderForTests("");
  std::filesystem::remove_all(cartella);
}
BENCHMARK(StampaArchivio)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
