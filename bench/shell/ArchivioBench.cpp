// Reading a large calculation archive: the Windows-1252 decoding of the file and
// Campo over every field of every line.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "shell/Modulo1.h"
#include "support/ArchivioBench.h"

namespace {

constexpr int kRighe = 100000;
constexpr int kCampi = 28;

// The archive is written once, into a private folder, and removed at exit.
const std::string& archivio() {
  static const std::string percorso = [] {
    char cartella[] = "/tmp/quotara-bench-XXXXXX";
    if (!mkdtemp(cartella)) throw std::runtime_error("mkdtemp");
    const std::vector<std::string> righe = quotara::bench::RigheTasi(kRighe);
    const std::string p = std::string(cartella) + "/tasi.dat";
    platform::writeLinesAtomic(p, righe);
    return p;
  }();
  static const struct Pulizia {
    ~Pulizia() {
      unlink(percorso.c_str());
      rmdir(percorso.substr(0, percorso.rfind('/')).c_str());
    }
  } pulizia;
  return percorso;
}

void BM_ReadLines(benchmark::State& state) {
  const std::string& p = archivio();
  size_t byte = 0;
  for (auto _ : state) {
    const auto righe = platform::readLines(p);
    benchmark::DoNotOptimize(righe.data());
    byte = 0;
    for (const auto& r : righe) byte += r.size() + 2;
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * byte));
  state.counters["righe"] = kRighe;
}
BENCHMARK(BM_ReadLines)->Unit(benchmark::kMillisecond);

void BM_CampoOgniCampo(benchmark::State& state) {
  const auto righe = platform::readLines(archivio());
  for (auto _ : state) {
    for (const auto& r : righe) {
      for (int n = 1; n <= kCampi; ++n) benchmark::DoNotOptimize(shell::Campo(r, ";", n));
    }
  }
  state.SetItemsProcessed(state.iterations() * kRighe * kCampi);
}
BENCHMARK(BM_CampoOgniCampo)->Unit(benchmark::kMillisecond);

}  // namespace
