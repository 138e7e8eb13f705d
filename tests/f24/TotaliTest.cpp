// The totals of one taxpayer, municipality and year, and the lists of the
// page's cascade, over the shared table of archives.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/CasiTotali.h"
#include "f24/Totali.h"

namespace f24::testing {
namespace {

std::vector<std::string> Ordinati(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

std::vector<CasoTotali> ConTotali() {
  std::vector<CasoTotali> casi;
  std::copy_if(CasiTotali().begin(), CasiTotali().end(), std::back_inserter(casi),
               [](const CasoTotali& c) { return c.totali; });
  return casi;
}

class Totali : public ::testing::TestWithParam<CasoTotali> {};

TEST_P(Totali, EveryCaptionAndTheNotice) {
  const CasoTotali& c = GetParam();
  const EtichetteTotali e = CalcolaTotali(c.righe, {c.contribuente, c.comune(), c.anno()});
  const auto& voci = EtichetteTotali::Voci();
  for (size_t i = 0; i < voci.size(); ++i) EXPECT_EQ(e.*voci[i].membro, c.didascalie[i]) << voci[i].nome;
  EXPECT_EQ(e.Avviso, c.avviso);
}

TEST_P(Totali, TheListsOfTheCascade) {
  const CasoTotali& c = GetParam();
  // Each value once; the page's lists put them in their own order.
  EXPECT_EQ(Ordinati(ComuniDi(c.righe, c.contribuente)), Ordinati(c.comuni));
  EXPECT_EQ(Ordinati(AnniDi(c.righe, c.contribuente, c.comune())), Ordinati(c.anni));
  EXPECT_EQ(CodiceCatastaleDi(c.righe, c.comune()), c.codice);
  EXPECT_EQ(ImmobiliDi(c.righe, {c.contribuente, c.comune(), c.anno()}), c.immobili);
}

INSTANTIATE_TEST_SUITE_P(Archivi, Totali, ::testing::ValuesIn(ConTotali()),
                         [](const auto& caso) { return std::string(caso.param.nome); });

TEST(Totali, NoMatchingLineGivesZerosAndDashesWithTheNotice) {
  const std::vector<std::string> righe = {Riga{.imposta = "20,00", .acconto = "10,00", .saldo = "10,00"}.Linea()};
  for (const SceltaTotali& scelta : {SceltaTotali{"ROSSI MARIO", "TORINO", "2025"},
                                     SceltaTotali{"Rossi Mario", "TORINO", "2026"}, SceltaTotali{"", "", ""}}) {
    const EtichetteTotali e = CalcolaTotali(righe, scelta);
    EXPECT_EQ(e.Label4, "0,00");
    EXPECT_EQ(e.Label22, "--");
    EXPECT_EQ(e.lblNaltri, "0");
    EXPECT_TRUE(e.Avviso);
  }
}

TEST(Totali, TheMunicipalityMatchesWithAccentedLettersInAnyCase) {
  const std::vector<std::string> righe = {
      Riga{.comune = "FORLÌ", .imposta = "20,00", .acconto = "10,00", .saldo = "10,00"}.Linea(),
      Riga{.comune = "forlì", .imposta = "20,00", .acconto = "10,00", .saldo = "10,00"}.Linea(),
      Riga{.comune = "FORLI", .imposta = "20,00", .acconto = "10,00", .saldo = "10,00"}.Linea()};
  EXPECT_EQ(CalcolaTotali(righe, {"ROSSI MARIO", "Forlì", "2026"}).Label4, "40,00");
}

// Only the taxpayer's own lines count: not those of a name that starts with
// it or that it starts with, nor one in another case; a line that is the name
// alone is the taxpayer's.
TEST(Totali, ATaxpayerIsTheWholeFirstField) {
  const auto riga = [](std::string contribuente, std::string comune, std::string indirizzo) {
    return Riga{.contribuente = std::move(contribuente),
                .indirizzo = std::move(indirizzo),
                .comune = std::move(comune),
                .imposta = "20,00",
                .acconto = "10,00",
                .saldo = "10,00"}
        .Linea();
  };
  const std::vector<std::string> righe = {
      riga("ROSSI", "ASTI", "VIA A"),         riga("ROSSI MARIO", "TORINO", "VIA B"),
      riga("ROSSI MARIO X", "BRA", "VIA C"),  riga("rossi mario", "CUNEO", "VIA D"),
      riga("ROSSI MARIO", "TORINO", "VIA E"), "ROSSI MARIO"};
  // The last line is the name alone: its municipality is empty.
  EXPECT_EQ(ComuniDi(righe, "ROSSI MARIO"), (std::vector<std::string>{"TORINO", ""}));
  EXPECT_EQ(ComuniDi(righe, "ROSSI"), (std::vector<std::string>{"ASTI"}));
  EXPECT_EQ(AnniDi(righe, "ROSSI MARIO", "TORINO"), (std::vector<std::string>{"2026"}));
  EXPECT_EQ(ImmobiliDi(righe, {"ROSSI MARIO", "TORINO", "2026"}), (std::vector<std::string>{"VIA B", "VIA E"}));
  EXPECT_EQ(CalcolaTotali(righe, {"ROSSI MARIO", "TORINO", "2026"}).Label4, "40,00");
  EXPECT_EQ(CalcolaTotali(righe, {"ROSSI", "ASTI", "2026"}).Label4, "20,00");
}

TEST(Totali, TaxpayersOnceEachInFileOrder) {
  const std::vector<std::string> righe = {Riga{.contribuente = "VERDI"}.Linea(),
                                          Riga{.contribuente = "BIANCHI"}.Linea(),
                                          Riga{.contribuente = "VERDI"}.Linea(),
                                          "",
                                          "VERDI;;",
                                          Riga{.contribuente = "verdi"}.Linea()};
  EXPECT_EQ(Contribuenti(righe), (std::vector<std::string>{"VERDI", "BIANCHI", "", "verdi"}));
}

TEST(Totali, EveryCaptionHasItsOwnName) {
  const auto& voci = EtichetteTotali::Voci();
  EXPECT_EQ(voci.front().nome, "Label4");
  EtichetteTotali e;
  for (size_t i = 0; i < voci.size(); ++i) e.*voci[i].membro = std::to_string(i);
  for (size_t i = 0; i < voci.size(); ++i)
    for (size_t k = i + 1; k < voci.size(); ++k) {
      EXPECT_NE(voci[i].nome, voci[k].nome);
      EXPECT_NE(e.*voci[i].membro, e.*voci[k].membro) << voci[i].nome << " " << voci[k].nome;
    }
}

}  // namespace
}  // namespace f24::testing
