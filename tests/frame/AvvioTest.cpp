// The start-up: one running copy, the screen test, the municipality table,
// the splash window for two seconds, then the frame with the calculation page.
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <set>
#include <initializer_list>
#include <string>
#include <system_error>
#include <vector>

#include "archives/CopiaSicurezza.h"
#include "calculation/MainForm.h"
#include "platform/InstanceLock.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Signals.h"
#include "frame/Avvio.h"
#include "frame/Principale.h"
#include "kit/Risorse.h"
#include "frame/Splash.h"
#include "fiscalcode/modCodFis.h"
#include "support/ShellFixture.h"

namespace shell::testing {
namespace {

using namespace forms;

const char* const kRisoluzione =
    "Il programma richiede una risoluzione video minima di\r\n800x600 per essere visualizzato correttamente.";

class AvvioTest : public ShellTest {
 protected:
  platform::InstanceLock istanza{(base / "quotara.lock").string()};
};

struct Schermo {
  int larghezza, altezza;
  bool parte;
};

class SchermoTest : public AvvioTest, public ::testing::WithParamInterface<Schermo> {};

TEST_P(SchermoTest, OnlyExactly640x480IsRefused) {
  const Schermo s = GetParam();
  desk.setScreenSize(s.larghezza, s.altezza);
  if (!s.parte)
    desk.expectMsgBox(vbOK, {.prompt = kRisoluzione, .title = "Quotara", .buttons = vbOKOnly, .icon = vbInformation});

  EXPECT_EQ(Main(istanza), s.parte);

  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(application.isLoaded<Principale>(), s.parte);
  EXPECT_EQ(std::filesystem::exists(temp("codfis.imu")), s.parte);
  if (s.parte) {
    EXPECT_TRUE(application.form<calculation::MainForm>().isShown());
    EXPECT_TRUE(desk.msgBoxes().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Risoluzioni, SchermoTest,
                         ::testing::Values(Schermo{640, 480, false}, Schermo{800, 600, true}, Schermo{640, 400, true},
                                           Schermo{1024, 768, true}, Schermo{480, 640, true}));

TEST_F(AvvioTest, ASecondCopyEndsSilently) {
  platform::InstanceLock prima{(base / "quotara.lock").string()};
  ASSERT_TRUE(prima.acquire());

  EXPECT_FALSE(Main(istanza));

  EXPECT_TRUE(desk.msgBoxes().empty());
  EXPECT_FALSE(application.isLoaded<Principale>());
  EXPECT_FALSE(application.isLoaded<Splash>());
  EXPECT_FALSE(std::filesystem::exists(temp("codfis.imu")));
}

// A desktop that looks at the windows while the start-up sleeps.
class DesktopCheGuarda : public HeadlessDesktop {
 public:
  struct Visto {
    int ms = 0;
    bool splashMostrato = false, splashInPrimoPiano = false, cornice = false;
    std::string versione;
    int puntatore = vbDefault;
  };
  std::vector<Visto> visti;

  void Sleep(int ms) override {
    Visto v;
    v.ms = ms;
    v.puntatore = mousePointer();
    if (app().isLoaded<Splash>()) {
      auto& s = app().form<Splash>();
      v.splashMostrato = s.isShown();
      v.splashInPrimoPiano = s.Topmost();
      v.versione = s.Label4.Caption();
    }
    v.cornice = app().isLoaded<Principale>();
    visti.push_back(v);
    HeadlessDesktop::Sleep(ms);
  }
};

// The program and temporary folders of a test without the program fixture,
// inside its scratch folder; cleared when the object goes, also when an
// assertion ends the test early.
class CartelleDiProva {
 public:
  CartelleDiProva() {
    std::filesystem::create_directories(base / "temp");
    std::filesystem::permissions(base / "temp", std::filesystem::perms::owner_all);
    platform::setTempFolderForTests((base / "temp").string());
    platform::setProgramFolderForTests((base / "dati").string());
  }
  ~CartelleDiProva() {
    platform::setTempFolderForTests("");
    platform::setProgramFolderForTests("");
  }
  CartelleDiProva(const CartelleDiProva&) = delete;
  CartelleDiProva& operator=(const CartelleDiProva&) = delete;

  const std::filesystem::path base = quotara::testing::CartellaTest();
};

TEST(AvvioSplash, TheSplashStaysOnTopForTwoSecondsThenTheFrameOpens) {
  const CartelleDiProva cartelle;
  const std::filesystem::path& base = cartelle.base;
  {
    DesktopCheGuarda desk;
    Applicazione application{desk};
    platform::InstanceLock istanza{(base / "quotara.lock").string()};

    ASSERT_TRUE(Main(istanza));

    ASSERT_EQ(desk.visti.size(), 1u);
    const auto& v = desk.visti[0];
    EXPECT_EQ(v.ms, 2000);
    EXPECT_TRUE(v.splashMostrato);
    EXPECT_TRUE(v.splashInPrimoPiano);
    EXPECT_EQ(v.versione, "Versione 1.2.0");
    EXPECT_EQ(v.puntatore, vbHourglass);
    EXPECT_FALSE(v.cornice);

    EXPECT_FALSE(application.isLoaded<Splash>());
    auto& cornice = application.form<Principale>();
    EXPECT_TRUE(cornice.isShown());
    EXPECT_EQ(cornice.Caption(), "Quotara - Versione 1.2");
    EXPECT_EQ(application.PaginaAttiva, 1);
    EXPECT_EQ(cornice.ActiveForm(), &application.form<calculation::MainForm>());
    EXPECT_EQ(desk.mousePointer(), vbDefault);
  }
}

// A start-up that fails while the splash is up: the hourglass is gone when
// the message says so, and nothing of the start is left.
class DesktopCheFallisce : public HeadlessDesktop {
 public:
  struct Messaggio {
    std::string testo, titolo;
    int puntatore = vbHourglass;
  };
  std::vector<Messaggio> messaggi;

  void Sleep(int) override { throw std::system_error(EIO, std::generic_category(), "splash"); }
  int MsgBox(const std::string& prompt, int, int, const std::string& title) override {
    messaggi.push_back({prompt, title, mousePointer()});
    return vbOK;
  }
};

TEST(AvvioSplash, AFailedStartShowsTheErrorWithTheOrdinaryPointer) {
  const CartelleDiProva cartelle;
  const std::filesystem::path& base = cartelle.base;
  {
    DesktopCheFallisce desk;
    Applicazione application{desk};
    platform::InstanceLock istanza{(base / "quotara.lock").string()};

    EXPECT_FALSE(Main(istanza));

    ASSERT_EQ(desk.messaggi.size(), 1u);
    EXPECT_EQ(desk.messaggi[0].titolo, "Errore durante il caricamento dell'applicazione");
    const std::system_error errore(EIO, std::generic_category(), "splash");
    EXPECT_EQ(desk.messaggi[0].testo, std::string(errore.what()) + " - " + std::to_string(EIO));
    EXPECT_EQ(desk.messaggi[0].puntatore, vbDefault);
    EXPECT_EQ(desk.mousePointer(), vbDefault);
    EXPECT_FALSE(application.isLoaded<Splash>());
    EXPECT_FALSE(application.isLoaded<Principale>());
    EXPECT_TRUE(application.ended());
  }
}

// A rewrite of an archive killed half-way leaves its temporary file; the next
// start removes it once it holds the lock, and only then.
TEST_F(AvvioTest, TheStartRemovesWhatAnInterruptedRewriteLeft) {
  const std::string avanzo = dati(".tasi.dat.4242-1.tmp");
  quotara::testing::ScriviFile(dati("tasi.dat"), "Rossi;Via Roma;ROMA;2026\r\n");
  quotara::testing::ScriviFile(avanzo, "Rossi;Via");
  {
    platform::InstanceLock prima{(base / "quotara.lock").string()};
    ASSERT_TRUE(prima.acquire());
    EXPECT_FALSE(Main(istanza));
    EXPECT_TRUE(std::filesystem::exists(avanzo)) << "another instance may be writing it";
  }
  EXPECT_TRUE(Main(istanza));
  EXPECT_FALSE(std::filesystem::exists(avanzo));
  EXPECT_EQ(quotara::testing::LeggiFile(dati("tasi.dat")), "Rossi;Via Roma;ROMA;2026\r\n");
}

// A restore killed after its new archives were written is finished at the
// next start, before the calculation page reads "tasi.dat", with one message;
// the new copies of one killed before that are removed.
TEST_F(AvvioTest, TheStartFinishesAnInterruptedRestoreAndSaysSo) {
  const std::string nuovo = "Bianchi;Via Po;TORINO;2026\r\n";
  quotara::testing::ScriviFile(dati("tasi.dat"), "Rossi;Via Roma;ROMA;2026\r\n");
  quotara::testing::ScriviFile(dati(".tasi.dat.nuovo"), nuovo);
  quotara::testing::ScriviFile(dati(".tasif24.dat.nuovo"), "scritto a met\xE0");
  quotara::testing::ScriviFile(dati("quotara.journal"),
                               std::string("ripristino") + '\0' + dati("tasi.dat") + '\0' + dati("tasi.dat") + '\0');
  desk.expectMsgBox(vbOK,
                    {.prompt = "Il ripristino degli archivi, interrotto nell'ultima sessione, è stato completato.\r\n"
                               "Archivio ripristinato: tasi.dat.",
                     .title = "Quotara",
                     .buttons = vbOKOnly,
                     .icon = vbInformation});

  EXPECT_TRUE(Main(istanza));

  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_EQ(desk.msgBoxes().size(), 1u);
  EXPECT_EQ(quotara::testing::LeggiFile(dati("tasi.dat")), nuovo);
  std::set<std::string> voci;
  for (const auto& e : std::filesystem::directory_iterator(dati())) voci.insert(e.path().filename().string());
  EXPECT_EQ(voci, (std::set<std::string>{"tasi.dat"}));
}

// What a killed restore, import or save can leave in the program folder: the
// start says it once at most (an exclamation, with the step the journal was
// for), mends it before any page reads an archive, and the next start finds
// nothing to say.
struct StatoCartella {
  const char* nome;
  std::vector<std::pair<std::string, std::string>> file;  // name, bytes ("/" ending a name: a folder)
  const char* inizio;                                     // the message's start; nullptr: no message
};

class CartellaDopoIlGuasto : public AvvioTest, public ::testing::WithParamInterface<StatoCartella> {};

TEST_P(CartellaDopoIlGuasto, SaidOnceAtMostAndMended) {
  const StatoCartella& c = GetParam();
  const std::string tasi = "Rossi;Via Roma;ROMA;2026\r\n";
  quotara::testing::ScriviFile(dati("tasi.dat"), tasi);
  for (auto [nome, byte] : c.file) {
    // "@" stands for the program folder.
    for (size_t p; (p = byte.find('@')) != std::string::npos;) byte.replace(p, 1, dati());
    if (nome.ends_with("/"))
      std::filesystem::create_directories(dati(nome));
    else
      quotara::testing::ScriviFile(dati(nome), byte);
  }
  if (c.inizio) desk.expectMsgBox(vbOK, {.title = "Quotara", .icon = vbExclamation});
  EXPECT_TRUE(Main(istanza));
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  if (c.inizio) {
    ASSERT_EQ(desk.msgBoxes().size(), 1u);
    EXPECT_EQ(desk.msgBoxes()[0].prompt.rfind(c.inizio, 0), 0u) << desk.msgBoxes()[0].prompt;
    EXPECT_EQ(desk.msgBoxes()[0].icon, vbExclamation);
  } else {
    EXPECT_TRUE(desk.msgBoxes().empty());
  }
  // Nothing is left for the next start: no journal, no new file waiting, no empty archive.
  std::set<std::string> voci;
  for (const auto& e : std::filesystem::directory_iterator(dati()))
    if (e.is_regular_file() && e.path().filename() != "quotara.journal.guasto")
      voci.insert(e.path().filename().string());
  for (const auto& v : voci) EXPECT_TRUE(v == "tasi.dat" || v == "tasicat.dat" || v == "quotara.lock") << v;
  EXPECT_FALSE(std::filesystem::exists(dati("quotara.journal")));
  EXPECT_FALSE(archives::CompletaSostituzioneInterrotta(dati()));
  EXPECT_EQ(quotara::testing::LeggiFile(dati("tasi.dat")), tasi);
  if (std::filesystem::exists(dati("tasicat.dat"))) {
    EXPECT_EQ(quotara::testing::LeggiFile(dati("tasicat.dat")).find('\0'), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Stati, CartellaDopoIlGuasto,
    ::testing::Values(
        StatoCartella{
            "GiornaleVuoto", {{"quotara.journal", ""}, {".tasi.dat.nuovo", "x"}}, "Il ripristino o l'importazione"},
        StatoCartella{"GiornaleIllegibile", {{"quotara.journal", "\x01\x02\xFF"}}, "Il ripristino o l'importazione"},
        StatoCartella{"GiornaleCartella", {{"quotara.journal/", ""}}, "Il ripristino o l'importazione"},
        StatoCartella{
            "NuovoFileCartella",
            {{"quotara.journal", std::string("importazione") + '\0' + "@/tasicat.dat" + '\0' + "@/tasicat.dat" + '\0'},
             {"tasicat.dat", "Rossi;ROMA;Via Roma;0;;;;;;;;;;;;;;\r\n"},
             {".tasicat.dat.nuovo/", ""}},
            "L'importazione dell'archivio, interrotta nell'ultima sessione, non è stata completata."},
        StatoCartella{
            "NuovoFileMancante",
            {{"quotara.journal", std::string("ripristino") + '\0' + "@/tasif24.dat" + '\0' + "@/tasif24.dat" + '\0'}},
            "Il ripristino degli archivi, interrotto nell'ultima sessione, non è stato completato."},
        StatoCartella{
            "ArchivioVuotoECodaNul",
            {{"tasif24.dat", ""}, {"tasicat.dat", "Rossi;ROMA;Via Roma;0;;;;;;;;;;;;;;\r\n" + std::string(512, '\0')}},
            nullptr}),
    [](const auto& caso) { return std::string(caso.param.nome); });

// A logout, a shutdown or Ctrl+C ends the program as closing the frame does,
// on the event loop: what was running when the signal came (an archive
// write) finishes first; then the temporary files go and the program ends.
class FineSessioneTest : public AvvioTest, public ::testing::WithParamInterface<int> {
 protected:
  ~FineSessioneTest() override { platform::resetEndSignalsForTests(); }
};

TEST_P(FineSessioneTest, ASignalEndsTheProgramAsClosingTheFrameDoes) {
  ASSERT_TRUE(Main(istanza));
  AscoltaFineSessione();
  ApriRisorsaHtml("tasiguida.htm", RisorsaGuida);
  ASSERT_TRUE(std::filesystem::exists(temp("codfis.imu")));
  ASSERT_TRUE(std::filesystem::exists(temp("tasiguida.htm")));

  // The signal comes in the middle of a handler that writes an archive.
  const std::vector<std::string> righe(20000, "ROSSI MARIO;VIA ROMA 1;ROMA;2026;1.234,56;5;12;100");
  ASSERT_EQ(::raise(GetParam()), 0);
  platform::writeLinesAtomic(dati("tasi.dat"), righe);
  EXPECT_TRUE(app().isLoaded<Principale>()) << "nothing ends inside the handler";
  EXPECT_FALSE(app().ended());
  EXPECT_EQ(platform::readLines(dati("tasi.dat")), righe);

  // The event loop's next turn.
  desk.DoEvents();
  EXPECT_TRUE(app().ended());
  EXPECT_TRUE(desk.quitCalled());
  EXPECT_FALSE(app().isLoaded<Principale>());
  EXPECT_TRUE(std::filesystem::is_empty(temp()));
  EXPECT_EQ(platform::readLines(dati("tasi.dat")), righe);
}

// During the splash the frame is not open yet: the files go all the same.
TEST_P(FineSessioneTest, WithoutTheFrameTheTemporaryFilesGoAllTheSame) {
  ASSERT_TRUE(istanza.acquire());
  AscoltaFineSessione();
  fiscalcode::EstraiFileComuni();
  ASSERT_TRUE(std::filesystem::exists(temp("codfis.imu")));
  ASSERT_EQ(::raise(GetParam()), 0);
  desk.DoEvents();
  EXPECT_TRUE(app().ended());
  EXPECT_TRUE(std::filesystem::is_empty(temp()));
}

INSTANTIATE_TEST_SUITE_P(Segnali, FineSessioneTest, ::testing::Values(SIGTERM, SIGHUP, SIGINT), [](const auto& caso) {
  return caso.param == SIGTERM ? "SIGTERM" : caso.param == SIGHUP ? "SIGHUP" : "SIGINT";
});

// The archive is read while the splash shows; the page it gives is the one a
// page loaded afterwards gives: the same combos, hidden list and codes.
TEST_F(AvvioTest, TheArchiveReadDuringTheSplashGivesTheSamePage) {
  quotara::testing::ScriviFile(dati("tasi.dat"), "Rossi;Via Roma 1;ROMA;2025;" + std::string(23, ';') +
                                                     "H501\r\n"
                                                     "Bianchi;Via Po 2;TORINO;2025;" +
                                                     std::string(23, ';') +
                                                     "L219\r\n"
                                                     "\r\n"
                                                     "rossi;Via Po 2;ROMA;2026;" +
                                                     std::string(23, ';') +
                                                     "H502\r\n"
                                                     "Verdi;Via Dante 3;MILANO;2026\r\n");
  const auto pagina = [this] {
    auto& f = application.form<calculation::MainForm>();
    std::vector<std::vector<std::string>> v;
    for (const ListPart* l : std::initializer_list<const ListPart*>{&f.Combo1, &f.Combo2, &f.Combo3, &f.List1}) {
      v.emplace_back();
      for (int i = 0; i < l->ListCount(); ++i) v.back().push_back(l->List(i));
    }
    for (const char* comune : {"ROMA", "TORINO", "MILANO", "NAPOLI"}) {
      f.Combo2.setText(comune);
      v.push_back({comune, f.lblCodCat.Caption()});
    }
    return v;
  };
  ASSERT_TRUE(Main(istanza));
  EXPECT_TRUE(desk.msgBoxes().empty());
  const auto avviata = pagina();
  EXPECT_EQ(avviata[0], (std::vector<std::string>{"Rossi", "Bianchi", "", "rossi", "Verdi"}));
  EXPECT_EQ(avviata[3].size(), 5u);
  EXPECT_EQ(avviata[4], (std::vector<std::string>{"ROMA", "H501"}));
  EXPECT_EQ(avviata[7], (std::vector<std::string>{"NAPOLI", ""}));
  application.unload<Principale>();
  EXPECT_EQ(pagina(), avviata);
}

// A desktop that tells whether the frame was up when a message came.
class DesktopCheAvvisa : public HeadlessDesktop {
 public:
  std::vector<bool> corniceAllAvviso;
  int MsgBox(const std::string& prompt, int buttons, int icon, const std::string& title) override {
    corniceAllAvviso.push_back(app().isLoaded<Principale>() && app().form<Principale>().isShown());
    return HeadlessDesktop::MsgBox(prompt, buttons, icon, title);
  }
};

// An archive that cannot be read (reading it fails after it opened): the
// start-up still opens the page, and the reason comes once, over the frame.
TEST(AvvioArchivio, AnArchiveThatCannotBeReadIsSaidOnceTheFrameIsUp) {
  const CartelleDiProva cartelle;
  const std::filesystem::path& base = cartelle.base;
  std::filesystem::create_directories(base / "dati");
  // Reading the process's own memory from offset 0 fails (EIO).
  std::filesystem::create_symlink("/proc/self/mem", base / "dati" / "tasi.dat");
  {
    DesktopCheAvvisa desk;
    Applicazione application{desk};
    platform::InstanceLock istanza{(base / "quotara.lock").string()};
    desk.expectMsgBox(vbOK, {.title = "Quotara", .icon = vbExclamation});

    ASSERT_TRUE(Main(istanza));

    EXPECT_EQ(desk.pendingAnswers(), 0u);
    ASSERT_EQ(desk.msgBoxes().size(), 1u);
    EXPECT_EQ(desk.msgBoxes()[0].prompt.rfind("Impossibile leggere il file", 0), 0u) << desk.msgBoxes()[0].prompt;
    EXPECT_EQ(desk.corniceAllAvviso, std::vector<bool>{true});
    auto& f = application.form<calculation::MainForm>();
    EXPECT_TRUE(f.isShown());
    EXPECT_EQ(f.List1.ListCount(), 0);
    EXPECT_EQ(f.Combo1.ListCount(), 0);
  }
}

}  // namespace
}  // namespace shell::testing
