// The F24 rows and the closing item of one municipality, for the advance,
// the balance and the single payment, on the archives of the totals table.
#include <gtest/gtest.h>

#include "support/CasiTotali.h"
#include "f24/RigheF24.h"
#include "shell/Modulo1.h"
#include "shell/Numeri.h"
#include "support/TestiF24.h"

namespace f24::testing {
namespace {

using quotara::testing::RigheDaTesto;
using quotara::testing::TestiRighe;
using quotara::testing::TestoChiusura;

const CasoTotali& Caso(std::string_view nome) {
  for (const CasoTotali& c : CasiTotali())
    if (nome == c.nome) return c;
  throw std::invalid_argument(std::string(nome));
}

struct CasoRighe {
  const char* caso;
  int tipo;
  std::vector<std::string> righe;
  const char* chiusura;
};

void PrintTo(const CasoRighe& c, std::ostream* os) { *os << c.caso << " type " << c.tipo; }

class Righe : public ::testing::TestWithParam<CasoRighe> {};

TEST_P(Righe, RowsAndClosingItem) {
  const CasoRighe& p = GetParam();
  const CasoTotali& c = Caso(p.caso);
  const EtichetteTotali e = CalcolaTotali(c.righe, {c.contribuente, c.comune(), c.anno()});
  const RigheComune r = PreparaRigheF24(e, c.codice, c.anno(), p.tipo);
  EXPECT_EQ(TestiRighe(r.Righe), p.righe);
  EXPECT_EQ(TestoChiusura(r.Chiusura()), p.chiusura);
}

INSTANTIATE_TEST_SUITE_P(
    Tipi, Righe,
    ::testing::Values(CasoRighe{"ThreeCategoriesWithABalanceDeduction",
                                0,
                                {"H501;X;;1;3958;2014;150", "H501;X;;2;3961;2014;80", "H501;X;;1;3960;2014;40"},
                                "1;;270;"},
                      CasoRighe{"ThreeCategoriesWithABalanceDeduction",
                                1,
                                {"H501;;X;1;3958;2014;150", "H501;;X;2;3961;2014;80", "H501;;X;1;3960;2014;40"},
                                "1;50;270;"},
                      CasoRighe{"ThreeCategoriesWithABalanceDeduction",
                                2,
                                {"H501;X;X;1;3958;2014;300", "H501;X;X;2;3961;2014;160", "H501;X;X;1;3960;2014;80"},
                                "1;50;540;"},
                      CasoRighe{"FourCategories",
                                0,
                                {"H501;X;;1;3958;2026;100", "H501;X;;1;3959;2026;15", "H501;X;;1;3961;2026;80",
                                 "H501;X;;1;3960;2026;41"},
                                "1;50;236;"},
                      CasoRighe{"FourCategories",
                                1,
                                {"H501;;X;1;3958;2026;100", "H501;;X;1;3959;2026;15", "H501;;X;1;3961;2026;81",
                                 "H501;;X;1;3960;2026;40"},
                                "1;50;236;"},
                      CasoRighe{"FourCategories",
                                2,
                                {"H501;X;X;1;3958;2026;200", "H501;X;X;1;3959;2026;30", "H501;X;X;1;3961;2026;161",
                                 "H501;X;X;1;3960;2026;81"},
                                "1;100;472;"},
                      // No main dwelling in June: its deduction has no row to go with.
                      CasoRighe{"MainDwellingWithoutAdvance", 0, {}, "1;;0;"},
                      CasoRighe{"MainDwellingWithoutAdvance", 1, {"A944;;X;1;3958;2026;100"}, "1;;100;"},
                      CasoRighe{"MainDwellingWithoutAdvance", 2, {"A944;X;X;1;3958;2026;100"}, "1;50;100;"},
                      CasoRighe{"RoundingOfSums", 0, {"L219;X;;2;3961;2026;21"}, "1;;21;"},
                      CasoRighe{"RoundingOfSums", 1, {"L219;;X;2;3961;2026;21"}, "1;;21;"},
                      CasoRighe{"RoundingOfSums", 2, {"L219;X;X;2;3961;2026;42"}, "1;;42;"},
                      // A rural balance of 1 euro is not shown, so it has no row.
                      CasoRighe{"RuralBalanceOfOneEuro", 1, {}, "1;;0;"},
                      CasoRighe{"RuralBalanceAboveOneEuro", 1, {"L219;;X;1;3959;2026;1"}, "1;;1;"},
                      // A negative balance stays off the form.
                      CasoRighe{"NegativeBalanceIsShown", 0, {"L219;X;;1;3961;2026;40"}, "1;;40;"},
                      CasoRighe{"NegativeBalanceIsShown", 1, {}, "1;;0;"},
                      CasoRighe{"NegativeBalanceIsShown", 2, {"L219;X;X;1;3961;2026;30"}, "1;;30;"},
                      CasoRighe{"NoTax", 2, {}, "1;;0;"},
                      // Any other type is the single payment.
                      CasoRighe{"RoundingOfSums", 7, {"L219;X;X;2;3961;2026;42"}, "1;;42;"}),
    [](const auto& caso) { return std::string(caso.param.caso) + "_" + std::to_string(caso.param.tipo); });

// Amounts of 0 or less give no row, as "--" does; the deduction goes with
// the main dwelling's row, and 0,40 of deduction is no deduction.
TEST(Righe, ZeroAndNegativeAmountsGiveNoRowAndTakeTheDeductionWithThem) {
  struct Caso {
    const char* principale;
    const char* detrazione;
    std::vector<std::string> righe;
    const char* chiusura;
  };
  const Caso casi[] = {
      {"0,00", "50,00", {"Z999;X;;2;3961;2026;7"}, "1;;57;"},
      {"-5,00", "50,00", {"Z999;X;;2;3961;2026;7"}, "1;;57;"},
      {"1.250,00", "50,00", {"Z999;X;;1;3958;2026;1250", "Z999;X;;2;3961;2026;7"}, "1;50;57;"},
      {"1.250,00", "0,40", {"Z999;X;;1;3958;2026;1250", "Z999;X;;2;3961;2026;7"}, "1;;57;"},
      {"1.250,00", "--", {"Z999;X;;1;3958;2026;1250", "Z999;X;;2;3961;2026;7"}, "1;;57;"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.principale) + " / " + c.detrazione);
    EtichetteTotali e;
    e.Label15 = c.principale;
    e.Label54 = "--";
    e.Label16 = "7,00";
    e.Label14 = "0,00";
    e.Label7 = c.detrazione;
    e.Label6 = "57,00";
    e.lblNpr = "1";
    e.lblNaltri = "2";
    const RigheComune r = PreparaRigheF24(e, "Z999", "2026", Acconto);
    EXPECT_EQ(TestiRighe(r.Righe), c.righe);
    EXPECT_EQ(TestoChiusura(r.Chiusura()), c.chiusura);
  }
}

// The instalments the totals show (advance, balance, single payment) are the
// sums of the rows that the F24 carries, on every archive of the totals table
// and on those whose categories round apart.
TEST(Rate, EachInstalmentIsTheSumOfItsRows) {
  std::vector<std::pair<std::string, std::vector<std::string>>> archivi;
  for (const CasoTotali& c : CasiTotali())
    if (c.totali) archivi.emplace_back(c.nome, c.righe);
  for (const CasoRate& c : CasiRate()) archivi.emplace_back(c.nome, c.righe);
  for (const auto& [nome, righe] : archivi) {
    const CasoTotali* t = nullptr;
    for (const CasoTotali& c : CasiTotali())
      if (nome == c.nome) t = &c;
    const EtichetteTotali e = t ? CalcolaTotali(righe, {t->contribuente, t->comune(), t->anno()})
                                : CalcolaTotali(righe, {"ROSSI MARIO", "TORINO", "2026"});
    const std::string EtichetteTotali::*rate[3] = {&EtichetteTotali::Label6, &EtichetteTotali::Label8,
                                                   &EtichetteTotali::Label30};
    for (int tipo = 0; tipo < 3; ++tipo) {
      SCOPED_TRACE(nome + " type " + std::to_string(tipo));
      long long somma = 0;
      for (const RigaF24& riga : PreparaRigheF24(e, "L219", "2026", tipo).Righe) somma += riga.Importo;
      EXPECT_EQ(e.*rate[tipo], shell::FormattaEuro(static_cast<double>(somma)));
      EXPECT_EQ(TotaleRigheF24(e, tipo), somma);
      EXPECT_EQ(PreparaRigheF24(e, "L219", "2026", tipo).Totale, somma);
    }
  }
}

TEST(Rate, CategoriesThatRoundApart) {
  for (const CasoRate& c : CasiRate()) {
    SCOPED_TRACE(c.nome);
    const EtichetteTotali e = CalcolaTotali(c.righe, {"ROSSI MARIO", "TORINO", "2026"});
    EXPECT_EQ(e.Label6, c.rate[0]);
    EXPECT_EQ(e.Label8, c.rate[1]);
    EXPECT_EQ(e.Label30, c.rate[2]);
  }
}

// Beside other municipalities' rows a deduction rides on its main-dwelling row.
TEST(Righe, TheDeductionTravelsOnTheMainDwellingRow) {
  RigheComune r{RigheDaTesto({"A326;X;;1;3958;2026;100", "A326;X;;1;3961;2026;30"}), 50, 130};
  EXPECT_EQ(TestiRighe(r.RigheConDetrazione()),
            (std::vector<std::string>{"A326;X;;1;3958;2026;100;50", "A326;X;;1;3961;2026;30"}));
  EXPECT_EQ(r.RigheConDetrazione()[0].Detrazione, 50);
  EXPECT_EQ(r.RigheConDetrazione()[1].Detrazione, 0);
  EXPECT_EQ(r.RigheConDetrazione()[0].CodiceCatastale, "A326");
  r.Detrazione = 0;
  EXPECT_EQ(r.RigheConDetrazione(), r.Righe);
}

// Every row carries the code it was prepared for, exactly (the memo tells
// its municipalities apart by it), an empty one too.
TEST(Righe, TheCodeOfARow) {
  EtichetteTotali e;
  e.Label15 = "150,00";
  e.Label16 = "80,00";
  e.lblNpr = "1";
  e.lblNaltri = "2";
  for (const char* codice : {"H501", "", "h501 "}) {
    const RigheComune r = PreparaRigheF24(e, codice, "2014", Acconto);
    ASSERT_EQ(r.Righe.size(), 2u);
    for (const RigaF24& riga : r.Righe) EXPECT_EQ(riga.CodiceCatastale, codice);
  }
}

}  // namespace
}  // namespace f24::testing
