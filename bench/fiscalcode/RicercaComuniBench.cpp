// The municipality-code window searches the whole table on every keystroke.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "fiscalcode/modCodFis.h"
#include "platform/Paths.h"

namespace {

void caricaTabella() {
  static const bool caricata = [] {
    platform::setTempFolderForTests("/tmp/quotara-bench-fiscalcode");
    return fiscalcode::EstraiFileComuni() && fiscalcode::CaricaComuni();
  }();
  if (!caricata) std::abort();
}

// Typing "SANT'ANGELO" one key at a time: each prefix is one search, as the box
// does it, with a short completion list.
void PrefixSearchPerKeystroke(benchmark::State& state) {
  caricaTabella();
  const std::string parola = "SANT'ANGELO";
  size_t n = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(fiscalcode::ComuniCheIniziano(std::string_view(parola).substr(0, n), 20));
    n = n % parola.size() + 1;
  }
}
BENCHMARK(PrefixSearchPerKeystroke)->Unit(benchmark::kMicrosecond);

// A prefix that matches nothing scans every row.
void PrefixSearchNoMatch(benchmark::State& state) {
  caricaTabella();
  for (auto _ : state) benchmark::DoNotOptimize(fiscalcode::ComuniCheIniziano("ZZZ", 20));
}
BENCHMARK(PrefixSearchNoMatch)->Unit(benchmark::kMicrosecond);

// The exact lookup of the search button and of the fiscal code.
void ExactLookup(benchmark::State& state) {
  caricaTabella();
  for (auto _ : state) benchmark::DoNotOptimize(fiscalcode::TrovaComuni("ZUNGRI"));
}
BENCHMARK(ExactLookup)->Unit(benchmark::kMicrosecond);

}  // namespace
