#include "shell/Modulo1.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "platform/Paths.h"
#include "support/ProgramTest.h"

using namespace shell;

TEST(Arrotonda, HalfUpForPositivesFractionCutForNegatives) {
  const struct {
    double valore, atteso;
  } cases[] = {
      {0.5, 1}, {1.4999, 1},          {-0.5, 0},       {2.5, 3}, {2.49, 2}, {-2.7, -2}, {-2.5, -2},
      {0, 0},   {1234567.5, 1234568}, {1.15 * 10, 12},  // 11.499999999999998 in binary, 11,50 on screen
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Arrotonda(c.valore), c.atteso) << c.valore;
    EXPECT_FALSE(std::signbit(Arrotonda(c.valore)) && c.atteso == 0) << "negative zero for " << c.valore;
  }
}

TEST(Campo, CountsFieldsFromOne) {
  const struct {
    const char* riga;
    int n;
    const char* campo;
  } cases[] = {
      {"a;b;;d", 1, "a"}, {"a;b;;d", 2, "b"}, {"a;b;;d", 3, ""},  {"a;b;;d", 4, "d"},
      {"a;b;;d", 5, ""},  {"a;b;;d", 0, ""},  {"a;b;;d", -1, ""}, {"", 1, ""},
      {"", 2, ""},        {"abc", 1, "abc"},  {"abc", 2, ""},     {";", 1, ""},
      {";", 2, ""},       {";", 3, ""},       {"a;", 2, ""},      {"Città;€", 2, "€"},
  };
  for (const auto& c : cases) EXPECT_EQ(Campo(c.riga, ";", c.n), c.campo) << c.riga << " " << c.n;
  EXPECT_EQ(Campo("a,b", ",", 2), "b");
  EXPECT_EQ(Campo("a;b", "", 1), "a;b");
  EXPECT_EQ(Campo("a;b", "", 2), "");
}

TEST(Campo, HasNoLengthLimit) {
  std::string riga;
  for (int i = 1; i <= 28; ++i) riga += (i > 1 ? ";" : "") + std::string(2000, static_cast<char>('a' + i % 26));
  EXPECT_EQ(Campo(riga, ";", 28), std::string(2000, 'c'));
  EXPECT_EQ(Campo(riga, ";", 29), "");
}

TEST(PuntoInVirgola, TurnsOnlyTheFirstAndTrimsTheResult) {
  const struct {
    const char* testo;
    bool versoVirgola;
    const char* cambiato;
    const char* risultato;
  } cases[] = {
      {"  1.234.5  ", true, "  1,234.5  ", "1,234.5"},
      {"2,5", true, "2,5", "2,5"},
      {"   ", true, "   ", ""},
      {" 0,8 ", false, " 0.8 ", "0.8"},
      {"2,5,1", false, "2.5,1", "2.5,1"},
      {"100", false, "100", "100"},
  };
  for (const auto& c : cases) {
    std::string testo = c.testo;
    EXPECT_EQ(c.versoVirgola ? PuntoInVirgola(testo) : VirgolaInPunto(testo), c.risultato) << c.testo;
    EXPECT_EQ(testo, c.cambiato) << c.testo;
  }
}

// Every small letter of Windows-1252 has its capital, š, œ, ž and ÿ included;
// what is not a small letter stays as it is.
TEST(IbanCompatto, KeepsTheLettersAndDigitsInUpperCase) {
  const std::pair<const char*, const char*> casi[] = {
      {"IT60 X054 2811 1010 0000 0123 456", "IT60X0542811101000000123456"},
      {"it60-x054.2811/1010\t0000\r\n", "IT60X054281110100000"},
      {"IT60X0542811101000000123456", "IT60X0542811101000000123456"},
      {"\xC3\xA0 IT \xE2\x82\xAC 1", "IT1"},  // à, €: not part of an IBAN
      {"", ""},
  };
  for (const auto& [testo, compatto] : casi) EXPECT_EQ(IbanCompatto(testo), compatto) << testo;
}

TEST(Maiuscolo, GivesTheWindows1252CapitalOfEverySmallLetter) {
  struct Caso {
    const char* testo;
    const char* maiuscolo;
  };
  for (const Caso& c : {Caso{"forlì", "FORLÌ"}, Caso{"šœžÿ", "ŠŒŽŸ"}, Caso{"àéìòùþ", "ÀÉÌÒÙÞ"},
                        Caso{"ŠŒŽŸ A-Z", "ŠŒŽŸ A-Z"}, Caso{"ß×÷µ€;1,5", "ß×÷µ€;1,5"}})
    EXPECT_EQ(Maiuscolo(c.testo), c.maiuscolo) << c.testo;
}

TEST(Sostituisci, ReplacesEveryOccurrenceOnceLeftToRight) {
  const struct {
    const char* testo;
    const char* cerca;
    const char* nuovo;
    const char* risultato;
  } cases[] = {
      {"a\r\nb", "\r\n", "\\", "a\\b"},
      {"a\\b", "\\", "\r\n", "a\r\nb"},
      {"riga1\r\nriga2\r\nriga3\r\n", "\r\n", "\\", "riga1\\riga2\\riga3\\"},
      {"\\\\x\\", "\\", "\r\n", "\r\n\r\nx\r\n"},  // growing: every one is reached
      {"aaa", "aa", "b", "ba"},                    // overlapping: left to right
      {"a", "a", "aa", "aa"},                      // the inserted text is not scanned again
      {"abab", "ab", "abab", "abababab"},
      {"ab", "abc", "z", "ab"},
      {"x", "", "y", "x"},
      {"", "a", "b", ""},
  };
  for (const auto& c : cases) {
    std::string testo = c.testo;
    EXPECT_EQ(Sostituisci(testo, c.cerca, c.nuovo), c.risultato) << c.testo;
    EXPECT_EQ(testo, c.risultato) << c.testo;
  }
}

namespace {

class Cartelle : public ::testing::Test {
 protected:
  void SetUp() override {
    // Each test its own folder: they run side by side.
    dir_ = quotara::testing::CartellaTest();
    platform::setProgramFolderForTests((dir_ / "app").string());
    platform::setTempFolderForTests((dir_ / "temp").string());
  }
  void TearDown() override {
    platform::setProgramFolderForTests("");
    platform::setTempFolderForTests("");
  }
  static void crea(const std::string& percorso) { std::ofstream(percorso) << "x"; }
  std::filesystem::path dir_;
};

}  // namespace

TEST_F(Cartelle, PathsOfTheProgram) {
  EXPECT_EQ(PercorsoApp(), (dir_ / "app").string());
  EXPECT_EQ(CartellaTemp(), (dir_ / "temp").string() + "/");
  EXPECT_TRUE(EsisteCartella(PercorsoApp()));
  EXPECT_FALSE(EsisteCartella(PercorsoApp() + "/manca"));
  crea(PercorsoApp() + "/tasi.dat");
  EXPECT_FALSE(EsisteCartella(PercorsoApp() + "/tasi.dat"));
  EXPECT_TRUE(FileLeggibile(PercorsoApp() + "/tasi.dat"));
  EXPECT_FALSE(FileLeggibile(PercorsoApp()));
  EXPECT_FALSE(FileLeggibile(PercorsoApp() + "/manca.dat"));
}

TEST_F(Cartelle, CancellaFileTempDeletesOnlyWhatIsThere) {
  crea(CartellaTemp() + "codfis.imu");
  CancellaFileTemp("codfis.imu");
  EXPECT_FALSE(std::filesystem::exists(CartellaTemp() + "codfis.imu"));
  CancellaFileTemp("codfis.imu");  // missing: nothing happens
}

TEST_F(Cartelle, CancellaPdfTempLeavesOtherPdfAlone) {
  const char* nostri[] = {"quotara.pdf",      "comunetasi.pdf", "archiviotasi.pdf",        "catastotasi.pdf",
                          "immobiletasi.pdf", "f24tasi.pdf",    "f24tasisemplificato.pdf", "dichiarazioneIMUTASI.pdf"};
  for (const char* nome : nostri) crea(CartellaTemp() + nome);
  crea(CartellaTemp() + "altro.pdf");
  crea(CartellaTemp() + "tasi.htm");
  CancellaPdfTemp();
  for (const char* nome : nostri) EXPECT_FALSE(std::filesystem::exists(CartellaTemp() + nome)) << nome;
  EXPECT_TRUE(std::filesystem::exists(CartellaTemp() + "altro.pdf"));
  EXPECT_TRUE(std::filesystem::exists(CartellaTemp() + "tasi.htm"));
}
