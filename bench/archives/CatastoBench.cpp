// The cadastral register at size: the page opened and one owner of 1,000
// records chosen, through the Qt views on the offscreen platform, with
// registers of 10,000 and 100,000 lines; the CSV export of 10,000 lines; the
// list report of 1,000 and 10,000 records (it should grow linearly).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "archives/CatastoRecord.h"
#include "archives/Immobili.h"
#include "desktop/QtDesktop.h"
#include "forms/Controls.h"
#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"
#include "platform/Files.h"
#include "reports/StampeCatasto.h"
#include "frame/Principale.h"
#include "kit/Applicazione.h"
#include "support/ArchivioBench.h"
#include "support/QtBench.h"

namespace {

constexpr int kPerProprietario = 1000;

// Owner i / 1000 ("PROPRIETARIO 0" to ...), each with 1,000 records: six
// buildings out of ten, three parcels of land, one building area.
std::string Riga(int i) {
  const std::string n = std::to_string(i);
  const int tipo = i % 10 < 6 ? 0 : i % 10 < 9 ? 1 : 2;
  return "PROPRIETARIO " + std::to_string(i / kPerProprietario) + ";CITTÀ " + std::to_string(i % 300) +
         ";VIA DELLA LIBERTÀ " + n + ";" + std::to_string(tipo) + ";" + n + ";A;" + std::to_string(i % 90) + ";" + n +
         ";3;A/2;2;5,5;90;100;1.234,56;;" + (tipo == 1 ? "12,00" : "") + ";nota " + n;
}

// A scratch program folder with a register of `righe` lines, removed at the
// end. The program keeps the register sorted (every rewrite writes it in the
// order of its list) but for the records appended since: the last 1% here.
// An imported register can be in any order (`ordinato` false).
class Cartella {
 public:
  explicit Cartella(int righe, bool ordinato = true) {
    std::vector<std::string> linee;
    for (int i = 0; i < righe; ++i) linee.push_back(Riga(i));
    if (ordinato)
      std::stable_sort(linee.begin(), linee.end() - righe / 100,
                       [](const std::string& a, const std::string& b) { return forms::compareNoCase(a, b) < 0; });
    platform::writeLinesAtomic(cartella_.file("tasicat.dat"), linee);
  }

 private:
  const quotara::bench::CartellaBench cartella_;
};

QApplication& Qt() { return quotara::bench::QtOffscreen(); }

// Opening the "Catasto" page and choosing the owner in the middle of the
// list, as the user does, until Qt has shown it.
void AperturaPagina(benchmark::State& state) {
  const int righe = static_cast<int>(state.range(0));
  Cartella cartella(righe, state.range(1) != 0);
  Qt();
  {
    desktop::QtDesktop desk;
    shell::Applicazione application{desk};
    shell::CollegaCornice(application);
    desk.attach(application);
    forms::ScriptedUser user;
    const std::string scelto = "PROPRIETARIO " + std::to_string(righe / kPerProprietario / 2);
    int elencate = 0;
    for (auto _ : state) {
      archives::Immobili& p = application.form<archives::Immobili>();
      p.Show();
      for (int i = 0; i < p.cboUtente.ListCount(); ++i)
        if (p.cboUtente.List(i) == scelto) user.pickRow(p.cboUtente, i);
      QCoreApplication::processEvents();
      elencate = p.lstCatasto.ListCount();
      state.PauseTiming();
      application.unload<archives::Immobili>();
      QCoreApplication::processEvents();
      state.ResumeTiming();
    }
    if (elencate != kPerProprietario) state.SkipWithError("the owner's rows were not listed");
  }
}
BENCHMARK(AperturaPagina)
    ->ArgNames({"righe", "ordinato"})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Args({100000, 0})
    ->Unit(benchmark::kMillisecond);

// "Esporta archivio dati catastali in Excel" on a 10,000-line register, up to
// the opening of the file.
void Esportazione(benchmark::State& state) {
  Cartella cartella(10000);
  forms::HeadlessDesktop desk;
  shell::Applicazione application{desk};
  shell::CollegaCornice(application);
  forms::ScriptedUser user;
  archives::Immobili& p = application.form<archives::Immobili>();
  p.Show();
  for (auto _ : state) {
    desk.expectMsgBox(forms::vbOK);
    user.click(p.cmdExcel);
  }
  if (static_cast<benchmark::IterationCount>(desk.openedDocuments().size()) != state.iterations())
    state.SkipWithError("the export was not opened");
}
BENCHMARK(Esportazione)->Unit(benchmark::kMillisecond);

// The list report of one owner with 1,000 and with 10,000 records.
void StampaCatasto(benchmark::State& state) {
  Cartella cartella(0);
  forms::HeadlessDesktop desk;
  shell::Applicazione application{desk};
  shell::CollegaCornice(application);
  std::vector<archives::CatastoRecord> immobili;
  for (int i = 0; i < state.range(0); ++i) immobili.push_back(archives::CatastoRecord::fromLine(Riga(i)));
  const archives::GruppiCatasto gruppi = archives::Gruppi(immobili);
  for (auto _ : state)
    benchmark::DoNotOptimize(shell::MostraStampa(reports::StampaCatastoPdf("PROPRIETARIO 0", gruppi, desk.now())));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(StampaCatasto)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
