// The resources written out byte for byte and opened, and the pictures and
// icons the windows show.
#include <filesystem>
#include <fstream>

#include "resources/Resources.h"
#include "kit/Risorse.h"
#include "support/ShellFixture.h"

namespace shell::testing {
namespace {

using namespace forms;
namespace fs = std::filesystem;

class RisorseTest : public ShellTest {
 protected:
  std::string leggi(const std::string& percorso) {
    std::ifstream in(percorso, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

struct Pagina {
  const char* file;
  int numero;
};

class PagineHtml : public RisorseTest, public ::testing::WithParamInterface<Pagina> {};

TEST_P(PagineHtml, AreWrittenByteForByteOverALargerFileAndOpened) {
  const auto [file, numero] = GetParam();
  std::ofstream(temp(file), std::ios::binary) << std::string(100000, 'z');

  ApriRisorsaHtml(file, numero);

  const auto byte = CaricaRisorsa(TipoRisorsa::Html, numero);
  ASSERT_TRUE(byte);
  EXPECT_EQ(leggi(temp(file)), *byte);
  EXPECT_EQ(desk.openedDocuments(), std::vector<std::string>{temp(file)});
}

INSTANTIATE_TEST_SUITE_P(Guide, PagineHtml, ::testing::Values(Pagina{"tasiguida.htm", 101}, Pagina{"tasi.htm", 102}));

TEST_F(RisorseTest, TheHelpPagesAreCrLfTextWithTheirKeyTopics) {
  const std::string guida(*CaricaRisorsa(TipoRisorsa::Html, RisorsaGuida));
  const std::string tasi(*CaricaRisorsa(TipoRisorsa::Html, RisorsaTasi));
  for (const std::string* pagina : {&guida, &tasi}) {
    EXPECT_EQ(pagina->find('\n'), pagina->find("\r\n") + 1);
    EXPECT_EQ(pagina->find("\n\n"), std::string::npos);
    EXPECT_NE(pagina->find("</html>"), std::string::npos);
  }
  for (const char* parola : {"Totali", "Archivio", "Catasto", "Stampa", "Strumenti"})
    EXPECT_NE(guida.find(parola), std::string::npos) << parola;
  for (const char* parola :
       {"3958", "3959", "3960", "3961", "16 giugno", "16 dicembre", "160", "per mille", "occupante"})
    EXPECT_NE(tasi.find(parola), std::string::npos) << parola;
}

// What the windows send the user to read: the guide has a section on forms
// for several municipalities and one on appurtenances, both in its index,
// and every link of the index leads to a section.
TEST_F(RisorseTest, TheGuideExplainsWhatTheWindowsSendTheUserToReadIt) {
  const std::string guida(*CaricaRisorsa(TipoRisorsa::Html, RisorsaGuida));
  for (const char* parola :
       {"<a href=\"#comuni\">", "<h2 id=\"comuni\">", "Crea F24 per pi&ugrave; comuni", "<b>Memorizza</b>",
        "<b>Azzera</b>", "semplificato", "detrazione", "<a href=\"#pertinenze\">", "<h2 id=\"pertinenze\">", "C/2",
        "C/6", "C/7", "Copia il totale", "percentuale di possesso", "IBAN"})
    EXPECT_NE(guida.find(parola), std::string::npos) << parola;
  for (size_t p = guida.find("href=\"#"); p != std::string::npos; p = guida.find("href=\"#", p + 1)) {
    const size_t inizio = p + 7;
    const std::string nome = guida.substr(inizio, guida.find('"', inizio) - inizio);
    EXPECT_NE(guida.find("id=\"" + nome + "\""), std::string::npos) << nome;
  }
}

TEST_F(RisorseTest, TheMunicipalityTableIsHtmlResource103) {
  EXPECT_EQ(CaricaRisorsa(TipoRisorsa::Html, RisorsaComuni), resources::find("codfis.imu"));
  EXPECT_FALSE(CaricaRisorsa(TipoRisorsa::Html, 104));
}

TEST_F(RisorseTest, TheBlankF24FormIsWrittenWholeAndOpened) {
  const auto modello = CaricaRisorsa(TipoRisorsa::Custom, RisorsaModelloF24);
  ASSERT_TRUE(modello);
  std::ofstream(temp("f24tasi.pdf")) << "copia precedente";
  ApriModelloF24();
  EXPECT_EQ(leggi(temp("f24tasi.pdf")), std::string(modello->begin(), modello->end()));
  EXPECT_EQ(desk.openedDocuments(), std::vector<std::string>{temp("f24tasi.pdf")});
}

TEST_F(RisorseTest, AMissingResourceWritesNothing) {
  EXPECT_FALSE(SalvaRisorsaInFile(TipoRisorsa::Custom, 199, temp("manca.pdf")));
  EXPECT_FALSE(fs::exists(temp("manca.pdf")));
}

TEST_F(RisorseTest, SalvaRisorsaInFileReportsAFolderThatIsMissing) {
  EXPECT_FALSE(SalvaRisorsaInFile(TipoRisorsa::Html, RisorsaGuida, (base / "manca" / "guida.htm").string()));
  EXPECT_TRUE(SalvaRisorsaInFile(TipoRisorsa::Html, RisorsaGuida, temp("guida.htm")));
}

TEST_F(RisorseTest, ThePicturesHaveTheirSizes) {
  const Image splash = ImmagineRisorsa(ImmagineSplash);
  EXPECT_EQ(splash.width(), 363);
  EXPECT_EQ(splash.height(), 170);
  const Image barra = ImmagineRisorsa(ImmagineBarra);
  EXPECT_EQ(barra.width(), 250);
  EXPECT_EQ(barra.height(), 75);
  EXPECT_EQ(ImmagineRisorsa("manca.bmp").width(), 0);
}

// The disabled row is drawn in the three 3D colours only, so that the
// toolbar's colour mapping turns all of it into the desktop's colours; the
// unused tenth column is plain face.
TEST_F(RisorseTest, TheToolbarStripUsesThe3DColoursWhereItMust) {
  const Image barra = ImmagineRisorsa(ImmagineBarra);
  const Color bianco = RGB(255, 255, 255), scuro = RGB(128, 128, 128), chiaro = RGB(192, 192, 192);
  for (int y = 50; y < 75; ++y)
    for (int x = 0; x < 225; ++x) {
      const Color c = barra.pixel(x, y);
      ASSERT_TRUE(c == bianco || c == scuro || c == chiaro) << x << "," << y;
    }
  for (int y = 0; y < 75; ++y)
    for (int x = 225; x < 250; ++x) ASSERT_EQ(barra.pixel(x, y), chiaro) << x << "," << y;
  for (int colonna = 0; colonna < 9; ++colonna) {
    int disegnati = 0;
    for (int y = 0; y < 25; ++y)
      for (int x = 0; x < 25; ++x) disegnati += barra.pixel(colonna * 25 + x, y) != chiaro;
    EXPECT_GT(disegnati, 50) << "column " << colonna;
  }
}

struct Icona {
  int posizione, lato;
  bool esiste;
};

class Icone : public RisorseTest, public ::testing::WithParamInterface<Icona> {};

TEST_P(Icone, AreReadInTheNearestSizeOverTheBackground) {
  const auto [posizione, lato, esiste] = GetParam();
  const Color sfondo = RGB(255, 0, 255);
  const auto icona = IconaProgramma(posizione, lato, sfondo);
  ASSERT_EQ(icona.has_value(), esiste);
  if (!esiste) return;
  const int atteso = lato >= 24 && posizione == 0 ? 32 : 16;
  EXPECT_EQ(icona->width(), atteso);
  EXPECT_EQ(icona->height(), atteso);
  int trasparenti = 0;
  for (Color c : icona->pixels()) trasparenti += c == sfondo;
  EXPECT_GT(trasparenti, 0);
  EXPECT_LT(trasparenti, atteso * atteso);
}

INSTANTIATE_TEST_SUITE_P(Posizioni, Icone,
                         ::testing::Values(Icona{0, 32, true}, Icona{0, 16, true}, Icona{1, 16, true},
                                           Icona{2, 16, true}, Icona{1, 32, true}, Icona{3, 16, false},
                                           Icona{-1, 16, false}));

TEST_F(RisorseTest, ThePointerOfTheGuideLinkIsACursorFile) {
  const auto cur = resources::find(PuntatoreMano);
  ASSERT_TRUE(cur);
  ASSERT_GE(cur->size(), 22u);
  EXPECT_EQ(cur->substr(0, 4), std::string_view("\0\0\2\0", 4));
}

}  // namespace
}  // namespace shell::testing
