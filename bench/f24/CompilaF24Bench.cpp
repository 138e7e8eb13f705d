// "Compila F24" from the button to the filled files: a payment of six rows,
// two ordinary sheets, each with its template copy, FDF and filled copy.
#include <benchmark/benchmark.h>

#include <string>

#include "f24/frmF24.h"
#include "forms/HeadlessDesktop.h"
#include "kit/Applicazione.h"
#include "support/ArchivioBench.h"

namespace {

f24::DatiContribuenteF24 contribuente() {
  return f24::DatiContribuenteF24::fromLine(
      "BNCNNA80A41H501X;BIANCHI;ANNA;01/01/1980;F;ROMA;RM;MILANO;MI;VIA VERDI 3;BANCA DI ROMA;AGENZIA 12;RM;"
      "IT60X0542811101000000123456");
}

f24::VersamentoF24 seiRighe() {
  f24::VersamentoF24 v;
  const char* tributi[] = {"3958", "3961", "3960", "3959", "3961", "3960"};
  for (int i = 0; i < 6; ++i)
    v.RigheF24.push_back({.CodiceCatastale = i % 2 ? "B002" : "A001",
                          .Acconto = true,
                          .Immobili = "1",
                          .CodiceTributo = tributi[i],
                          .Anno = "2014",
                          .Importo = 100 * (i + 1)});
  v.ChiusuraF24 = shell::RigaChiusuraF24{50, 2100};
  v.NumRigheF24 = 6;
  v.F24PiuComuni = true;
  v.Contribuente = "BIANCHI ANNA";
  v.CodiceCatastale = "A001";
  v.Anno = "2014";
  return v;
}

void BM_CompilaF24DueFogli(benchmark::State& state) {
  const quotara::bench::CartellaBench cartella;
  forms::HeadlessDesktop desk;
  shell::Applicazione application(desk);
  const auto dati = contribuente();
  const auto versamento = seiRighe();
  for (auto _ : state) {
    desk.expectMsgBox(forms::vbOK);  // the notice of the two sheets
    const auto esito = f24::EseguiCompilaF24(dati, false, f24::ModelloF24::Normale, versamento);
    if (!esito.Riuscito || esito.Compilati.size() != 2) state.SkipWithError("the run failed");
  }
}
BENCHMARK(BM_CompilaF24DueFogli)->Unit(benchmark::kMillisecond);

}  // namespace
