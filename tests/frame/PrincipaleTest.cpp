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
#include "f24/Verifica.h"
#include "fiscalcode/frmCodComune.h"
#include "resources/Resources.h"
#include "frame/About.h"
#include "frame/Principale.h"
#include "support/ShellFixture.h"
#include "widgets/clsCoolbar.h"
#include "widgets/frmToolTip.h"

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

// Ctrl+1 ... Ctrl+9 run the same commands, from whichever kind of control
// of the page has the focus.
TEST_P(CambioPagina, EachCommandRunsFromItsKeyOnEveryKindOfControl) {
  const Pagina p = GetParam();
  using calculation::MainForm;
  const std::pair<const char*, forms::Control& (*)(MainForm&)> partenze[] = {
      {"text box", [](MainForm& f) -> forms::Control& { return f.Text3; }},
      {"combo", [](MainForm& f) -> forms::Control& { return f.Combo1; }},
      {"option button", [](MainForm& f) -> forms::Control& { return f.Option1[0]; }},
      {"check box", [](MainForm& f) -> forms::Control& { return f.Check1; }},
      {"button", [](MainForm& f) -> forms::Control& { return f.Command2; }},
  };
  for (const auto& [nome, controllo] : partenze) {
    SCOPED_TRACE(nome);
    cornice().EseguiComando(Principale::Quotara);
    user.focus(controllo(application.form<MainForm>()));
    user.key(vbKey0 + p.comando, vbCtrlMask);
    EXPECT_EQ(application.PaginaAttiva, p.paginaAttiva);
    EXPECT_EQ(stampaAttiva(), p.stampa);
    EXPECT_EQ(application.isLoaded<MainForm>() && application.form<MainForm>().isShown(), p.calcolo);
    EXPECT_EQ(application.isLoaded<About>(), p.about);
    EXPECT_TRUE(cornice().isShown());
    // The keys go on to the page the command showed, from its first control.
    if (forms::Form* shown = cornice().ActiveForm(); shown && p.comando != Principale::Guida) {
      EXPECT_EQ(application.focused(), shown->nextTabStop(nullptr, true));
    }
  }
}

// Every page takes the keys of every command: from each page, each key
// shows its page.
TEST_P(CambioPagina, TheKeysWorkFromEveryPage) {
  const Pagina p = GetParam();
  for (int da : {Principale::Quotara, Principale::Totali, Principale::Archivio, Principale::Catasto,
                 Principale::Strumenti, Principale::Info}) {
    SCOPED_TRACE(da);
    user.key(vbKey0 + da, vbCtrlMask);
    ASSERT_NE(cornice().ActiveForm(), nullptr);
    user.key(vbKey0 + p.comando, vbCtrlMask);
    EXPECT_EQ(application.isLoaded<About>(), p.about || (da == Principale::Info && p.comando == Principale::Guida));
    if (p.comando != Principale::Guida) {
      EXPECT_EQ(stampaAttiva(), p.stampa);
      EXPECT_EQ(application.isLoaded<calculation::MainForm>(), p.calcolo);
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

// The key of a disabled button does nothing, and types nothing into the box
// that has the focus.
TEST_F(PrincipaleTest, ADisabledButtonsKeyDoesNothing) {
  auto& pagina = application.form<calculation::MainForm>();
  user.key(vbKey0 + Principale::Guida, vbCtrlMask);
  ASSERT_FALSE(stampaAttiva());
  user.type(pagina.Text3, "12");
  user.key(vbKey0 + Principale::Stampa, vbCtrlMask);
  EXPECT_TRUE(desk.msgBoxes().empty());
  EXPECT_EQ(pagina.Text3.Text(), "12");
  EXPECT_TRUE(pagina.Text3.hasFocus());
  EXPECT_TRUE(pagina.isShown());
  user.key(vbKey0 + Principale::Info, vbCtrlMask);
  user.key(vbKey0 + Principale::Stampa, vbCtrlMask);
  EXPECT_TRUE(desk.msgBoxes().empty());
  EXPECT_TRUE(application.isLoaded<About>());
}

// Only Ctrl with 1 to 9 is the frame's: Ctrl+0, Ctrl+Shift+2 and Ctrl+Alt+2
// change no page and type nothing; a plain digit is typed.
TEST_F(PrincipaleTest, OnlyCtrlAndADigitFromOneToNineIsAToolbarKey) {
  auto& pagina = application.form<calculation::MainForm>();
  user.type(pagina.Text3, "1");
  for (auto [codice, tasti] : {std::pair{vbKey0, vbCtrlMask}, std::pair{vbKey0 + 2, vbCtrlMask | vbShiftMask},
                               std::pair{vbKey0 + 2, vbCtrlMask | vbAltMask}}) {
    user.key(codice, tasti);
    EXPECT_EQ(application.PaginaAttiva, 1);
    EXPECT_TRUE(pagina.isShown());
  }
  EXPECT_EQ(pagina.Text3.Text(), "1");
  user.key(vbKey0 + 2);
  EXPECT_EQ(pagina.Text3.Text(), "12");
  EXPECT_EQ(application.PaginaAttiva, 1);
}

// A dialog's keys are its own: with the municipality code window open (the
// frame hidden) Ctrl+2 shows no page.
TEST_F(PrincipaleTest, ADialogKeepsItsKeys) {
  const auto comuni = resources::find("codfis.imu");
  ASSERT_TRUE(comuni);
  scrivi("codfis.imu", std::string(*comuni));
  auto& pagina = application.form<calculation::MainForm>();
  user.click(pagina.cmdCodCat);
  auto& finestra = application.form<fiscalcode::frmCodComune>();
  ASSERT_TRUE(finestra.isShown());
  user.focus(finestra.txtComune);
  user.key(vbKey0 + Principale::Totali, vbCtrlMask);
  EXPECT_TRUE(finestra.isShown());
  EXPECT_EQ(application.PaginaAttiva, 1);
  EXPECT_FALSE(application.isLoaded<f24::Verifica>());
}

// Esci from its key deletes the temporary files and ends, as its button.
TEST_F(PrincipaleTest, EsciFromItsKeyEnds) {
  scrivi("quotara.pdf");
  user.focus(application.form<calculation::MainForm>().Text3);
  user.key(vbKey0 + Principale::Esci, vbCtrlMask);
  EXPECT_TRUE(fileTemporanei().empty());
  EXPECT_TRUE(application.ended());
}

// Esc closes the About page and leaves the frame without a page and without
// a focused control: the toolbar's keys still reach the frame.
TEST_F(PrincipaleTest, TheKeysWorkInAFrameWithoutAPage) {
  user.key(vbKey0 + Principale::Info, vbCtrlMask);
  ASSERT_TRUE(application.isLoaded<About>());
  user.pressEsc();
  ASSERT_FALSE(application.isLoaded<About>());
  EXPECT_EQ(cornice().ActiveForm(), nullptr);
  EXPECT_EQ(application.focused(), nullptr);
  forms::input::frameKey(cornice(), vbKey0 + Principale::Stampa, vbCtrlMask);  // disabled after Info
  EXPECT_TRUE(desk.msgBoxes().empty());
  forms::input::frameKey(cornice(), vbKey0 + Principale::Totali, vbCtrlMask);
  EXPECT_TRUE(application.isLoaded<f24::Verifica>());
  EXPECT_EQ(application.PaginaAttiva, 2);
  EXPECT_EQ(application.focused(), &application.form<f24::Verifica>().Combo1);
}

// Each button's tip names its key.
TEST_F(PrincipaleTest, TheTipsNameTheKeys) {
  const char* suggerimenti[] = {"Calcola valore TASI",
                                "Totali per utente",
                                "Archivio dati",
                                "Dati catastali",
                                "Stampa Quotara",
                                "Strumenti di utilit\xC3\xA0 e backup",
                                "Guida in linea del programma",
                                "Informazioni sul programma",
                                "Uscita dal programma"};
  auto& bar = cornice().BarraComandi();
  for (int n = 1; n <= 9; ++n) {
    const float x = static_cast<float>(bar.ButtonLeft(n) + 30);
    user.mouseMove(cornice().picCoolBar, x, 20, 0);
    desk.advance(500);
    ASSERT_TRUE(application.isLoaded<widgets::frmToolTip>()) << n;
    EXPECT_EQ(application.form<widgets::frmToolTip>().lblToolTip.Caption(),
              std::string(" ") + suggerimenti[n - 1] + " (Ctrl+" + std::to_string(n) + ") ");
    user.mouseMove(cornice().picCoolBar, x, 300, 0);
  }
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
