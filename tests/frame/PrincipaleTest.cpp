// The frame window: its toolbar commands, page switching and PaginaAttiva,
// the "Stampa" button's enabling and dispatch, and the temporary files
// deleted on exit.
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "calculation/MainForm.h"
#include "resources/Resources.h"
#include "frame/About.h"
#include "frame/Principale.h"
#include "support/ShellFixture.h"
#include "widgets/clsCoolbar.h"

namespace shell::testing {
namespace {

using namespace forms;
namespace fs = std::filesystem;

class PrincipaleTest : public ShellTest {
 protected:
  PrincipaleTest() {
    auto& pagina = application.form<calculation::MainForm>();
    pagina.Azzera();
    pagina.Show();
  }

  Principale& cornice() { return application.form<Principale>(); }

  // A click on toolbar button `n`, through the bar's picture box.
  void premi(int n) {
    auto& bar = cornice().BarraComandi();
    const float x = static_cast<float>(bar.ButtonLeft(n) + 30), y = 20;
    user.mouseMove(cornice().picCoolBar, x, y, 0);
    user.mouseClick(cornice().picCoolBar, x, y);
  }

  bool stampaAttiva() { return cornice().BarraComandi().ButtonEnabled(Principale::Stampa); }

  std::set<std::string> fileTemporanei() const {
    std::set<std::string> nomi;
    for (const auto& e : fs::directory_iterator(base / "temp")) nomi.insert(e.path().filename().string());
    return nomi;
  }

  void scrivi(const std::string& nome, const std::string& testo = "x") { std::ofstream(temp(nome)) << testo; }
};

TEST_F(PrincipaleTest, TheFrameIsBuiltWithItsCaptionToolbarAndFixedSize) {
  auto& f = cornice();
  EXPECT_EQ(f.Caption(), "Quotara - Versione 1.2");
  EXPECT_FALSE(f.MaxButton());
  EXPECT_EQ(f.BorderStyle(), 1);
  EXPECT_EQ(f.BarraComandi().ButtonCount(), 9);
  EXPECT_TRUE(stampaAttiva());
  EXPECT_EQ(application.PaginaAttiva, 1);
  // Buttons 60 wide (the captions fit), the handle, bars before 3, 6 and 9.
  const int lefts[] = {12, 72, 138, 198, 258, 324, 384, 444, 510};
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(f.BarraComandi().ButtonLeft(i), lefts[i - 1]) << "button " << i;
  EXPECT_TRUE(f.Timer1.running());
  EXPECT_EQ(f.Timer1.Interval(), 1000);
  EXPECT_FALSE(f.timerCoolBar.running());
}

struct Pagina {
  int comando;
  int paginaAttiva;  // after the command, from page 1
  bool stampa;       // "Stampa" enabled afterwards
  bool calcolo;      // the calculation page still shown
  bool about;        // the About page shown
};

class CambioPagina : public PrincipaleTest, public ::testing::WithParamInterface<Pagina> {};

TEST_P(CambioPagina, EachCommandSetsThePageAndTheStampaButton) {
  const Pagina p = GetParam();
  premi(p.comando);
  EXPECT_EQ(application.PaginaAttiva, p.paginaAttiva);
  EXPECT_EQ(stampaAttiva(), p.stampa);
  EXPECT_EQ(application.isLoaded<calculation::MainForm>() && application.form<calculation::MainForm>().isShown(),
            p.calcolo);
  EXPECT_EQ(application.isLoaded<About>(), p.about);
  EXPECT_TRUE(cornice().isShown());
  // The keys go to the page a command shows, from its first control: the
  // click that ended on the toolbar does not take the focus back to the bar.
  if (forms::Form* shown = cornice().ActiveForm(); shown && shown->isShown() && p.comando != Principale::Guida) {
    if (forms::Control* first = shown->nextTabStop(nullptr, true)) {
      EXPECT_EQ(application.focused(), first);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Comandi, CambioPagina,
                         ::testing::Values(Pagina{Principale::Quotara, 1, true, true, false},
                                           Pagina{Principale::Totali, 2, true, false, false},
                                           Pagina{Principale::Archivio, 3, true, false, false},
                                           Pagina{Principale::Catasto, 4, true, false, false},
                                           Pagina{Principale::Strumenti, 1, false, false, false},
                                           Pagina{Principale::Guida, 1, false, true, false},
                                           Pagina{Principale::Info, 0, false, false, true}));

TEST_F(PrincipaleTest, AfterInfoStampaIsDisabledAndDoesNothing) {
  premi(Principale::Info);
  premi(Principale::Stampa);  // a disabled button is never reported
  cornice().EseguiComando(Principale::Stampa);
  EXPECT_TRUE(desk.msgBoxes().empty());
  premi(Principale::Quotara);
  EXPECT_TRUE(application.form<calculation::MainForm>().isShown());
  EXPECT_FALSE(application.isLoaded<About>());
  EXPECT_EQ(application.PaginaAttiva, 1);
  EXPECT_TRUE(stampaAttiva());
}

TEST_F(PrincipaleTest, TotaliSwitchesTheTooltipsOffForGood) {
  premi(Principale::Totali);
  premi(Principale::Quotara);
  EXPECT_FALSE(cornice().BarraComandi().ShowToolTips());
}

TEST_F(PrincipaleTest, GuidaWritesTheGuideAndOpensItEachTime) {
  premi(Principale::Guida);
  premi(Principale::Guida);
  const auto guida = resources::find("tasiguida.htm");
  ASSERT_TRUE(guida);
  std::ifstream in(temp("tasiguida.htm"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), *guida);
  EXPECT_EQ(desk.openedDocuments(), (std::vector<std::string>{temp("tasiguida.htm"), temp("tasiguida.htm")}));
}

const std::set<std::string> kDelProgramma = {"quotara.pdf",
                                             "comunetasi.pdf",
                                             "archiviotasi.pdf",
                                             "catastotasi.pdf",
                                             "immobiletasi.pdf",
                                             "f24tasi.pdf",
                                             "f24tasisemplificato.pdf",
                                             "dichiarazioneIMUTASI.pdf",
                                             "codfis.imu",
                                             "tasiguida.htm",
                                             "tasi.htm",
                                             "catasto.csv"};
const std::set<std::string> kAltrui = {"altro.pdf", "note.txt", "quotara.pdf.bak"};

TEST_F(PrincipaleTest, EsciDeletesExactlyTheProgramsTemporaryFilesAndEnds) {
  for (const auto& n : kDelProgramma) scrivi(n);
  for (const auto& n : kAltrui) scrivi(n);
  fs::create_directories(base / "dati" / "datiF24");
  std::ofstream(base / "dati" / "tasi.dat") << "riga\r\n";

  premi(Principale::Esci);

  EXPECT_EQ(fileTemporanei(), kAltrui);
  EXPECT_TRUE(application.ended());
  EXPECT_TRUE(desk.quitCalled());
  EXPECT_TRUE(desk.msgBoxes().empty());
  EXPECT_TRUE(fs::exists(base / "dati" / "tasi.dat"));
  EXPECT_TRUE(fs::exists(base / "dati" / "datiF24"));
}

TEST_F(PrincipaleTest, ClosingTheFrameDeletesTheSameFilesAndEnds) {
  for (const auto& n : kDelProgramma) scrivi(n);
  for (const auto& n : kAltrui) scrivi(n);

  user.close(cornice());

  EXPECT_EQ(fileTemporanei(), kAltrui);
  EXPECT_FALSE(application.isLoaded<Principale>());
  EXPECT_FALSE(application.isLoaded<calculation::MainForm>());
  EXPECT_TRUE(application.ended());
}

TEST_F(PrincipaleTest, TheStatusBarTimerTicksEverySecond) {
  EXPECT_NO_THROW(desk.advance(3000));
  EXPECT_TRUE(cornice().isShown());
}

// "Stampa" on the calculation page: the checks of the page, the question, the
// test of "quotara.pdf", then the report.
class StampaCalcolo : public PrincipaleTest {
 protected:
  StampaCalcolo() {
    Stampe().StampaCalcoloPdf = [this] { ++stampe; };
  }
  ~StampaCalcolo() override { Stampe() = ProcedureDelProgramma(); }

  calculation::MainForm& pagina() { return application.form<calculation::MainForm>(); }
  void compila() {
    pagina().Text2.setText("2026");
    pagina().Label8.setCaption("123,00");
    pagina().Combo1.setText("ROSSI MARIO");
    pagina().Combo3.setText("VIA ROMA 1");
    pagina().Combo2.setText("TORINO");
  }

  int stampe = 0;
};

TEST_F(StampaCalcolo, PrintsAfterYes) {
  compila();
  desk.expectMsgBox(
      vbYes,
      {.prompt = "Vuoi stampare il Quotara eseguito?", .title = "Quotara", .buttons = vbYesNo, .icon = vbQuestion});
  premi(Principale::Stampa);
  EXPECT_EQ(stampe, 1);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
}

TEST_F(StampaCalcolo, NoLeavesEverythingAsItWas) {
  compila();
  desk.expectMsgBox(vbNo, {.prompt = "Vuoi stampare il Quotara eseguito?"});
  premi(Principale::Stampa);
  EXPECT_EQ(stampe, 0);
  EXPECT_TRUE(fileTemporanei().empty());
}

// The question box closes with the pointer away from the bar: "Stampa" does
// not keep its hover look.
TEST_F(StampaCalcolo, TheButtonLosesItsHoverLookWhenItsBoxCloses) {
  compila();
  auto& bar = cornice().picCoolBar;
  user.mouseMove(bar, -1, -1, 0);
  const Image senza = bar.image();
  desk.setCursorPos({900, 700});  // where the box's "No" was
  desk.expectMsgBox(vbNo, {.prompt = "Vuoi stampare il Quotara eseguito?"});
  premi(Principale::Stampa);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_TRUE(bar.image() == senza);
  // Back over the button, the hover look returns.
  const float x = static_cast<float>(cornice().BarraComandi().ButtonLeft(Principale::Stampa) + 30);
  user.mouseMove(bar, x, 20, 0);
  EXPECT_FALSE(bar.image() == senza);
}

TEST_F(StampaCalcolo, AReportHeldByAViewerIsNotRewritten) {
  compila();
  scrivi("quotara.pdf", "vecchio");
  const int fd = ::open(temp("quotara.pdf").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi stampare il Quotara eseguito?"});
  desk.expectMsgBox(
      vbOK,
      {.prompt = "Il file \xC3\xA8 gi\xC3\xA0 aperto e in uso.\r\nChiudere il file aperto e rilanciare la stampa.",
       .icon = vbInformation});
  premi(Principale::Stampa);
  ::close(fd);
  EXPECT_EQ(stampe, 0);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
}

struct DatoMancante {
  const char* descrizione;
  std::function<void(calculation::MainForm&)> togli;
  const char* messaggio;
};

class ControlliStampa : public StampaCalcolo, public ::testing::WithParamInterface<DatoMancante> {};

TEST_P(ControlliStampa, AMissingDatumStopsThePrintWithItsMessage) {
  compila();
  GetParam().togli(pagina());
  desk.expectMsgBox(vbOK, {.prompt = GetParam().messaggio, .title = "Quotara", .icon = vbInformation});
  premi(Principale::Stampa);
  EXPECT_EQ(stampe, 0);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Dati, ControlliStampa,
    ::testing::Values(DatoMancante{"risultato", [](calculation::MainForm& f) { f.Label8.setCaption(""); },
                                   "Devi prima eseguire il calcolo per il contribuente."},
                      DatoMancante{"contribuente", [](calculation::MainForm& f) { f.Combo1.setText(""); },
                                   "Devi immettere il nome del contribuente."},
                      DatoMancante{"indirizzo", [](calculation::MainForm& f) { f.Combo3.setText(""); },
                                   "Devi immettere l'indirizzo dell'immobile."},
                      DatoMancante{"comune", [](calculation::MainForm& f) { f.Combo2.setText(""); },
                                   "Devi immettere il comune di ubicazione dell'immobile."}),
    [](const auto& caso) { return std::string(caso.param.descrizione); });

TEST_F(StampaCalcolo, AnotherYearAsksFirstAndNoGoesBackToTheYear) {
  compila();
  pagina().Text2.setText("2025");
  desk.expectMsgBox(vbNo, {.prompt = "L'anno indicato non \xC3\xA8 quello corrente, proseguo?", .icon = vbQuestion});
  premi(Principale::Stampa);
  EXPECT_EQ(stampe, 0);
  EXPECT_TRUE(pagina().Text2.hasFocus());
}

}  // namespace
}  // namespace shell::testing
