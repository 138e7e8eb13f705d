// "Stampa" on the calculation page: the checks of ControllaDatiCalcolo in
// their order with their messages and focus, then the question, the test of
// the old file and the report.
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "calculation/MainForm.h"
#include "ReportsFixture.h"
#include "reports/Stampe.h"
#include "frame/Principale.h"

namespace reports::testing {
namespace {

using namespace forms;
namespace fs = std::filesystem;

class ControlloStampa : public ReportsTest {
 protected:
  ControlloStampa() {
    pagina().Azzera();
    pagina().Show();
    // A calculation ready for print.
    pagina().Combo1.setText("ROSSI MARIO");
    pagina().Combo3.setText("VIA ROMA 1");
    pagina().Combo2.setText("TORINO");
    pagina().Label8.setCaption("420,00");
  }

  calculation::MainForm& pagina() { return application.form<calculation::MainForm>(); }
  shell::Principale& cornice() { return application.form<shell::Principale>(); }

  bool controlla() {
    bool esito = true;
    cornice().ControllaDatiCalcolo(esito);
    return esito;
  }
};

TEST_F(ControlloStampa, ACompleteCalculationOfThisYearPassesSilently) {
  EXPECT_TRUE(controlla());
  EXPECT_TRUE(desk.msgBoxes().empty());
}

TEST_F(ControlloStampa, AnotherYearAsksFirstAndNoGoesBackToTheYear) {
  pagina().Text2.setText("2025");
  pagina().Label8.setCaption("");  // would be the next check
  desk.expectMsgBox(vbNo, {.prompt = "L'anno indicato non \xC3\xA8 quello corrente, proseguo?",
                           .title = "Quotara",
                           .buttons = vbYesNo,
                           .icon = vbQuestion});
  EXPECT_FALSE(controlla());
  EXPECT_TRUE(pagina().Text2.hasFocus());
  EXPECT_EQ(desk.pendingAnswers(), 0u);
}

TEST_F(ControlloStampa, AnotherYearAnsweredYesGoesOnWithTheOtherChecks) {
  pagina().Text2.setText("2025");
  desk.expectMsgBox(vbYes, {.prompt = "L'anno indicato non \xC3\xA8 quello corrente, proseguo?"});
  EXPECT_TRUE(controlla());

  pagina().Combo3.setText(" ");
  desk.expectMsgBox(vbYes, {.prompt = "L'anno indicato non \xC3\xA8 quello corrente, proseguo?"});
  desk.expectMsgBox(vbOK, {.prompt = "Devi immettere l'indirizzo dell'immobile."});
  EXPECT_FALSE(controlla());
  EXPECT_EQ(desk.pendingAnswers(), 0u);
}

// One missing datum at a time; blanks count as missing. Each check stops the
// ones after it, so every case also leaves the later data missing.
struct DatoMancante {
  const char* caso;
  std::function<void(calculation::MainForm&)> togli;
  const char* messaggio;
  std::function<forms::Control&(calculation::MainForm&)> fuoco;
};

class DatiMancanti : public ControlloStampa, public ::testing::WithParamInterface<DatoMancante> {};

TEST_P(DatiMancanti, TheFirstMissingDatumStopsWithItsMessageAndFocus) {
  const DatoMancante& c = GetParam();
  c.togli(pagina());
  desk.expectMsgBox(vbOK, {.prompt = c.messaggio, .title = "Quotara", .buttons = vbOKOnly, .icon = vbInformation});
  EXPECT_FALSE(controlla());
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_TRUE(c.fuoco(pagina()).hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Controlli, DatiMancanti,
                         ::testing::Values(DatoMancante{"NessunCalcolo",
                                                        [](auto& f) {
                                                          f.Label8.setCaption("");
                                                          f.Combo1.setText("");
                                                        },
                                                        "Devi prima eseguire il calcolo per il contribuente.",
                                                        [](auto& f) -> Control& { return f.Command1; }},
                                           DatoMancante{"Contribuente",
                                                        [](auto& f) {
                                                          f.Combo1.setText("  ");
                                                          f.Combo3.setText("");
                                                        },
                                                        "Devi immettere il nome del contribuente.",
                                                        [](auto& f) -> Control& { return f.Combo1; }},
                                           DatoMancante{"Indirizzo",
                                                        [](auto& f) {
                                                          f.Combo3.setText(" ");
                                                          f.Combo2.setText("");
                                                        },
                                                        "Devi immettere l'indirizzo dell'immobile.",
                                                        [](auto& f) -> Control& { return f.Combo3; }},
                                           DatoMancante{"Comune", [](auto& f) { f.Combo2.setText(" "); },
                                                        "Devi immettere il comune di ubicazione dell'immobile.",
                                                        [](auto& f) -> Control& { return f.Combo2; }}),
                         [](const auto& caso) { return std::string(caso.param.caso); });

// The frame's "Stampa" with the program's own report procedures.
class ComandoStampa : public ControlloStampa {
 protected:
  ~ComandoStampa() override { shell::Stampe() = shell::ProcedureDelProgramma(); }

  void premiStampa() { cornice().EseguiComando(shell::Principale::Stampa); }
};

TEST_F(ComandoStampa, YesWritesTheReportAndOpensIt) {
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi stampare il Quotara eseguito?", .icon = vbQuestion});
  premiStampa();
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(ControllaPdf(temp("quotara.pdf")), "");
  EXPECT_EQ(desk.openedDocuments(), std::vector<std::string>{temp("quotara.pdf")});
}

TEST_F(ComandoStampa, AReportHeldOpenIsNotRewritten) {
  std::ofstream(temp("quotara.pdf")) << "vecchio";
  const int fd = ::open(temp("quotara.pdf").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi stampare il Quotara eseguito?"});
  desk.expectMsgBox(
      vbOK,
      {.prompt = "Il file \xC3\xA8 gi\xC3\xA0 aperto e in uso.\r\nChiudere il file aperto e rilanciare la stampa."});
  premiStampa();
  ::close(fd);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(Leggi(temp("quotara.pdf")), "vecchio");
  EXPECT_TRUE(desk.openedDocuments().empty());
}

TEST_F(ComandoStampa, AFailedCheckPrintsNothing) {
  pagina().Combo1.setText(" ");
  desk.expectMsgBox(vbOK, {.prompt = "Devi immettere il nome del contribuente."});
  premiStampa();
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_FALSE(fs::exists(temp("quotara.pdf")));
}

}  // namespace
}  // namespace reports::testing
