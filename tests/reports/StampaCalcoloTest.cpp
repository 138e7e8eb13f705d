// The calculation report: what it prints and where, the F24 rows that depend
// on the property, the file it writes and opens.
#include <array>
#include <filesystem>

#include "calculation/MainForm.h"
#include "ReportsFixture.h"
#include "reports/Stampe.h"

namespace reports::testing {
namespace {

using namespace forms;
namespace fs = std::filesystem;

class StampaCalcolo : public ReportsTest {
 protected:
  StampaCalcolo() {
    pagina().Azzera();
    pagina().Show();
  }

  calculation::MainForm& pagina() { return application.form<calculation::MainForm>(); }

  // A main dwelling in Turin: 1.000,00 of rendita at 2,5 per mille, 100,00 of
  // deduction, all year, whole share.
  void abitazionePrincipale() {
    auto& f = pagina();
    f.Combo1.setText("ROSSI MARIO");
    f.Combo3.setText("VIA ROMA 1");
    f.Combo2.setText("TORINO");
    f.Text2.setText("2026");
    f.Text3.setText("1.000,00");
    f.Text4.setText("2,5");
    f.Check1.setValue(vbChecked);
    f.Text7.setText("100,00");
    f.lblCodCat.setCaption("L219");
    risultati({"420,00", "420,00", "100,00", "320,00", "160,00", "50,00", "160,00", "50,00"}, "3958");
  }

  // Result labels Label8, 10, 11, 18, 12, 13, 14, 15 and the tax code.
  void risultati(const std::array<const char*, 8>& r, const char* codice) {
    auto& f = pagina();
    Label* etichette[] = {&f.Label8,  &f.Label10, &f.Label11, &f.Label18,
                          &f.Label12, &f.Label13, &f.Label14, &f.Label15};
    for (size_t i = 0; i < r.size(); ++i) etichette[i]->setCaption(r[i]);
    f.lblCodCom.setCaption(codice);
  }

  std::string stampa() {
    MostraStampa(StampaCalcoloPdf(pagina().Scheda(), desk.now()));
    const std::string file = temp("quotara.pdf");
    EXPECT_EQ(ControllaPdf(file), "");
    return file;
  }
};

TEST_F(StampaCalcolo, AMainDwellingPrintsItsDataResultsAndBothF24Rows) {
  abitazionePrincipale();
  const std::string file = stampa();
  const auto parole = Parole(file);

  struct Atteso {
    const char* testo;
    double x, y;
    bool destra = false;
  };
  const Atteso attesi[] = {
      {"Quotara anno 2026", 1.5, 27},
      {"giovedì 10 dicembre 2026", 15, 27},
      {"Contribuente:", 1.5, 26},
      {"ROSSI MARIO", 9, 26},
      {"Indirizzo immobile:", 1.5, 25.4},
      {"VIA ROMA 1", 9, 25.4},
      {"Comune di ubicazione:", 1.5, 24.8},
      {"TORINO", 9, 24.8},
      {"Rendita catastale:", 1.5, 23.6},
      {"1.000,00", 9, 23.6},
      {"2,5 x 1000", 9, 23},
      {"Si", 9, 22.4},
      {"Fattore di moltiplicazione per tipologia:", 1.5, 21.8},
      {"x 160", 9, 21.8},
      {"5%", 9, 21.2},
      {"100,00", 9, 20.6},
      {"12", 9, 20},
      {"Quota di possesso:", 1.5, 19.4},
      {"100%", 9, 19.4},
      {"Quotara", 1.5, 17.8},
      {"Imposta totale sull'immobile:", 1.5, 16.5},
      {"420,00", 10, 16.5, true},
      {"420,00", 10, 15.8, true},
      {"100,00", 10, 15.1, true},
      {"Versamento TASI dovuto:", 1.5, 14.4},
      {"320,00", 10, 14.4, true},
      {"Rata in acconto (Giugno):", 1.5, 13},
      {"160,00", 10, 13, true},
      {"50,00", 10, 12.3, true},
      {"Rata a saldo (Dicembre):", 1.5, 11.6},
      {"160,00", 10, 11.6, true},
      {"Detrazione a saldo:", 1.5, 10.9},
      {"50,00", 10, 10.9, true},
      {"Dati e codici per F24", 1.5, 9.4},
      {"Acconto", 1.5, 8.5},
      {"N.Imm.", 5.5, 8.5},
      {"Detrazione", 15, 8.5},
      {"L219", 3.5, 7.8},
      {"1", 5.5, 7.8},
      {"3958", 7.5, 7.8},
      {"160,00", 12, 7.8},
      {"50,00", 15, 7.8},
      {"Saldo", 1.5, 7.1},
      {"N. Imm.", 5.5, 7.1},
      {"Detrazione", 15, 7.1},
      {"L219", 3.5, 6.4},
      {"3958", 7.5, 6.4},
      {"160,00", 12, 6.4},
      {"50,00", 15, 6.4},
      {"Stampato con Quotara - 2026", 1.5, 1},
  };
  for (const auto& a : attesi)
    EXPECT_TRUE(TestoIn(parole, a.testo, a.x, a.y, a.destra)) << a.testo << " at " << a.x << ", " << a.y;
  EXPECT_FALSE(ParolaPresente(parole, "semestre:"));
  EXPECT_EQ(desk.openedDocuments(), std::vector<std::string>{file});
  // Checked by eye once (pdftoppm -png -r 70), kept since.
  EXPECT_EQ(Leggi(file), Leggi(fs::path(QUOTARA_TEST_DATA) / "quotara-abitazione.pdf"));
}

TEST_F(StampaCalcolo, MonthsOtherThanTwelveAddTheHalfYearsAndMoveTheRestDown) {
  abitazionePrincipale();
  auto& f = pagina();
  f.Text8.setText("8");
  f.Text1.setText("2");
  f.Text10.setText("6");
  risultati({"280,00", "280,00", "66,67", "213,33", "106,67", "33,33", "106,67", "33,33"}, "3958");
  const auto parole = Parole(stampa());

  const struct {
    const char* testo;
    double x, y;
  } attesi[] = {
      {"Totale mesi di possesso:", 1.5, 20},
      {"8", 9, 20},
      {"Possesso nel I semestre:", 1.5, 19.4},
      {"2", 9, 19.4},
      {"Possesso nel II semestre:", 1.5, 18.8},
      {"6", 9, 18.8},
      {"Quota di possesso:", 1.5, 18.2},
      {"Quotara", 1.5, 16.6},
      {"Imposta totale sull'immobile:", 1.5, 15.3},
      {"Detrazione a saldo:", 1.5, 9.7},
      {"Dati e codici per F24", 1.5, 8.2},
      {"Acconto", 1.5, 7.3},
      {"106,67", 12, 6.6},
      {"Saldo", 1.5, 5.9},
      {"33,33", 15, 5.2},
  };
  for (const auto& a : attesi)
    EXPECT_TRUE(TestoIn(parole, a.testo, a.x, a.y)) << a.testo << " at " << a.x << ", " << a.y;
}

// A name longer than its column is cut at the frame's right edge.
TEST_F(StampaCalcolo, LongNamesStayInsideTheFrame) {
  abitazionePrincipale();
  const std::string nome =
      "DELLA ROVERE MONTEFELTRO COLONNA BARBERINI ALDOBRANDINI MARIA ANTONIETTA LUISA GIOVANNA ELISABETTA";
  const std::string indirizzo = "VIA DEL GIARDINO DEI SEMPLICI E DEGLI ORTI BOTANICI SETTENTRIONALI 1234/B SCALA C";
  pagina().Combo1.setText(nome);
  pagina().Combo3.setText(indirizzo);
  const auto parole = Parole(stampa());
  for (const std::string& testo : {nome, indirizzo}) {
    SCOPED_TRACE(testo);
    const std::string primo = testo.substr(0, testo.find(' '));
    double fine = 0, inizio = 100;
    for (const Parola& p : parole)
      if (p.y > 24.9 && p.y < 26.1 && p.x0 >= 8.9) fine = std::max(fine, p.x1), inizio = std::min(inizio, p.x0);
    EXPECT_NEAR(inizio, 9, 0.1);
    EXPECT_LE(fine, 19.5);
    EXPECT_GT(fine, 18.5);  // cut at the edge, not before
    EXPECT_TRUE(ParolaPresente(parole, primo));
  }
  EXPECT_FALSE(ParolaPresente(parole, "ELISABETTA"));
  EXPECT_FALSE(ParolaPresente(parole, "C"));
}

TEST_F(StampaCalcolo, TheFooterGivesThisYearWhateverTheTaxYear) {
  abitazionePrincipale();
  pagina().Text2.setText("2024");
  risultati({"420,00", "420,00", "100,00", "320,00", "160,00", "50,00", "160,00", "50,00"}, "3958");
  const auto parole = Parole(stampa());
  EXPECT_TRUE(TestoIn(parole, "Quotara anno 2024", 1.5, 27));
  EXPECT_TRUE(TestoIn(parole, "Stampato con Quotara - 2026", 1.5, 1));
}

TEST_F(StampaCalcolo, TheMultiplierIsThatOfTheSelectedType) {
  const int moltiplicatori[8] = {160, 80, 55, 1, 140, 65, 65, 80};
  for (int tipo = 0; tipo < 8; ++tipo) {
    SCOPED_TRACE(tipo);
    pagina().Option1[tipo].setValue(true);
    const auto parole = Parole(stampa());
    EXPECT_TRUE(TestoIn(parole, "x " + std::to_string(moltiplicatori[tipo]), 9, 21.8));
  }
}

TEST_F(StampaCalcolo, AMainDwellingPrintsBothRowsEvenForASinglePayment) {
  abitazionePrincipale();
  risultati({"420,00", "420,00", "100,00", "320,00", "320,00", "100,00", "0,00", "0,00"}, "3958");
  const auto parole = Parole(stampa());
  EXPECT_TRUE(TestoIn(parole, "320,00", 12, 7.8));
  EXPECT_TRUE(TestoIn(parole, "100,00", 15, 7.8));
  EXPECT_TRUE(TestoIn(parole, "0,00", 12, 6.4));
  EXPECT_TRUE(TestoIn(parole, "0,00", 15, 6.4));
}

// Another property: no deduction column, and a row only for a non-zero
// instalment with a tax code.
struct RigheF24 {
  const char* caso;
  const char* acconto;
  const char* saldo;
  const char* codice;
  bool rigaAcconto, rigaSaldo;
};

class AltroImmobile : public StampaCalcolo, public ::testing::WithParamInterface<RigheF24> {};

TEST_P(AltroImmobile, PrintsTheRowsOfTheNonZeroInstalments) {
  const RigheF24& c = GetParam();
  auto& f = pagina();
  f.Combo1.setText("BIANCHI ANNA");
  f.Combo3.setText("VIA PO 3");
  f.Combo2.setText("TORINO");
  f.Text3.setText("50.000,00");
  f.Text4.setText("1");
  f.Option1[3].setValue(true);
  f.lblCodCat.setCaption("L219");
  risultati({"50,00", "50,00", "0,00", "50,00", c.acconto, "0,00", c.saldo, "0,00"}, c.codice);
  const auto parole = Parole(stampa());

  EXPECT_TRUE(TestoIn(parole, "No", 9, 22.4));
  EXPECT_TRUE(TestoIn(parole, "Acconto", 1.5, 8.5));
  EXPECT_TRUE(TestoIn(parole, "N.Imm.", 5.5, 8.5));
  EXPECT_TRUE(TestoIn(parole, "Importo", 12, 8.5));
  EXPECT_TRUE(TestoIn(parole, "Saldo", 1.5, 6.4));
  EXPECT_TRUE(TestoIn(parole, "N. Imm.", 5.5, 6.4));
  EXPECT_FALSE(TestoIn(parole, "Detrazione", 15, 8.5));
  EXPECT_FALSE(TestoIn(parole, "Detrazione", 15, 6.4));
  EXPECT_EQ(TestoIn(parole, "L219", 3.5, 7.8), c.rigaAcconto);
  EXPECT_EQ(TestoIn(parole, "L219", 3.5, 5.7), c.rigaSaldo);
  if (c.rigaAcconto) {
    EXPECT_TRUE(TestoIn(parole, c.acconto, 12, 7.8));
  }
  if (c.rigaSaldo) {
    EXPECT_TRUE(TestoIn(parole, c.saldo, 12, 5.7));
  }
}

INSTANTIATE_TEST_SUITE_P(Rate, AltroImmobile,
                         ::testing::Values(RigheF24{"DueRate", "25,00", "25,00", "3960", true, true},
                                           RigheF24{"SoluzioneUnica", "50,00", "0,00", "3960", true, false},
                                           RigheF24{"SaldoVuoto", "50,00", "", "3960", true, false},
                                           RigheF24{"AccontoZero", "0,00", "50,00", "3960", false, true},
                                           RigheF24{"MigliaiaConPunto", "1.250,00", "0,00", "3960", true, false},
                                           RigheF24{"SenzaCodice", "25,00", "25,00", "", false, false}),
                         [](const auto& caso) { return std::string(caso.param.caso); });

}  // namespace
}  // namespace reports::testing
