// A hidden sorted list filled with archive lines: one AddItem per line
// against one AddItems for all of them.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "forms/Forms.h"
#include "forms/HeadlessDesktop.h"

namespace {

class Lista : public forms::Form {
 public:
  forms::ListBox List1;
  Lista() {
    List1.create(*this, 0, 0, 1500, 1500);
    List1.setVisible(false);
    List1.setSorted(true);
  }
};

std::vector<std::string> righe(int n) {
  uint32_t seed = 4321;
  std::vector<std::string> out;
  out.reserve(n);
  for (int i = 0; i < n; ++i)
    out.push_back("ROSSI MARIA " + std::to_string((seed = seed * 1103515245u + 12345u) % 999983) + ";VIA ROMA");
  return out;
}

// Fills the list with `linee`, one AddItem per line or one AddItems for all.
void Riempi(benchmark::State& state, bool insieme) {
  forms::HeadlessDesktop desk;
  forms::Application application{desk};
  const auto linee = righe(static_cast<int>(state.range(0)));
  auto& f = application.form<Lista>();
  for (auto _ : state) {
    f.List1.Clear();
    if (insieme) {
      f.List1.AddItems(linee);
    } else {
      for (const std::string& l : linee) f.List1.AddItem(l);
    }
  }
}

void OrdinataUnaAllaVolta(benchmark::State& state) { Riempi(state, false); }
BENCHMARK(OrdinataUnaAllaVolta)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void OrdinataTutteInsieme(benchmark::State& state) { Riempi(state, true); }
BENCHMARK(OrdinataTutteInsieme)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
