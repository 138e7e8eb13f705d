// The archive report of a long archive: 10,000 and 100,000 listed lines,
// written as "archiviotasi.pdf" (46 lines a page). The time should grow
// linearly with the lines.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "reports/Stampe.h"
#include "support/ArchivioBench.h"

namespace {

void StampaArchivio(benchmark::State& state) {
  const quotara::bench::CartellaBench cartella;
  const auto righe = quotara::bench::RigheTasi(static_cast<int>(state.range(0)));
  const reports::Momento adesso = std::chrono::local_days(std::chrono::year(2026) / 12 / 10) + std::chrono::hours(9);
  for (auto _ : state) {
    if (!reports::StampaArchivioPdf(righe, adesso).Riuscita()) state.SkipWithError("the report was not written");
  }
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(cartella.file("temp/archiviotasi.pdf"))) / 1e6;
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(StampaArchivio)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
