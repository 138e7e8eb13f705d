// The duplicate test of "Archivia dati": FileArchivio::Trova over a
// 100,000-line "tasi.dat" for a key that is not there, so every line is
// looked at, as before every append; beside it the same walk comparing the
// keys as they are, to show what the field rule (a tab as a space) costs.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "forms/Forms.h"
#include "forms/HeadlessDesktop.h"
#include "platform/Files.h"
#include "kit/FileArchivio.h"
#include "support/ArchivioBench.h"

namespace {

constexpr int kRighe = 100000;

// Taxpayer, address, municipality and year: the key of a calculation.
std::string ChiaveTasi(std::string_view riga) {
  size_t fine = 0;
  for (int n = 0; n < 4 && fine != std::string_view::npos; ++n) fine = riga.find(';', fine + (n > 0));
  return std::string(riga.substr(0, fine));
}

class Finestra : public forms::Form {
 public:
  forms::ListBox List1;
  Finestra() {
    List1.create(*this, 0, 0, 1000, 1000);
    List1.setVisible(false);
  }
};

struct Pagina {
  quotara::bench::CartellaBench cartella;
  forms::HeadlessDesktop desk;
  forms::Application app{desk};
  shell::FileArchivio archivio{cartella.file("tasi.dat"), app.form<Finestra>().List1, ChiaveTasi};
  const std::string assente = ChiaveTasi(quotara::bench::RigaTasi(kRighe + 7));
  Pagina() {
    platform::writeLinesAtomic(cartella.file("tasi.dat"), quotara::bench::RigheTasi(kRighe));
    archivio.Carica();
  }
};

void TrovaChiave(benchmark::State& state) {
  Pagina p;
  for (auto _ : state) benchmark::DoNotOptimize(p.archivio.Trova(p.assente));
  state.counters["righe"] = kRighe;
}
BENCHMARK(TrovaChiave)->Unit(benchmark::kMillisecond);

void ConfrontoSemplice(benchmark::State& state) {
  Pagina p;
  const forms::ListBox& l = p.archivio.Elenco();
  for (auto _ : state) {
    int trovata = -1;
    for (int i = 0; i < l.ListCount() && trovata < 0; ++i)
      if (ChiaveTasi(l.ListText(i)) == p.assente) trovata = i;
    benchmark::DoNotOptimize(trovata);
  }
}
BENCHMARK(ConfrontoSemplice)->Unit(benchmark::kMillisecond);

}  // namespace
