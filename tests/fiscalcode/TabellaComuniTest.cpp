// The municipality table: the embedded resource, its copy in the temporary
// folder, the loader and the lookups the municipality-code window relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "fiscalcode/modCodFis.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "resources/Resources.h"
#include "support/ProgramTest.h"

using namespace fiscalcode;

namespace {

// The test's own scratch folder, the temporary folder of the program.
std::string cartella() { return quotara::testing::CartellaTest().string(); }

class TabellaComuni : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setTempFolderForTests(cartella());
    ASSERT_TRUE(EstraiFileComuni());
    ASSERT_TRUE(CaricaComuni());
  }
  void TearDown() override { SvuotaComuni(); }

  // A table of our own, loaded in place of the real one.
  static void caricaProva(const std::string& byte) {
    const std::string percorso = cartella() + "/prova.imu";
    platform::writeFileAtomic(percorso, byte);
    ASSERT_TRUE(CaricaComuni(percorso));
  }

  static std::vector<std::string> righe(const std::vector<size_t>& indici) {
    std::vector<std::string> r;
    for (size_t i : indici) r.push_back(ComuniNome[i] + "," + ComuniCodice[i] + "," + ComuniProvincia[i]);
    return r;
  }
};

TEST_F(TabellaComuni, WrittenFileIsTheEmbeddedResource) {
  auto risorsa = resources::find("codfis.imu");
  ASSERT_TRUE(risorsa);
  EXPECT_EQ(PercorsoFileComuni(), cartella() + "/codfis.imu");
  EXPECT_EQ(platform::readFile(PercorsoFileComuni()), *risorsa);
  // Written again over a larger file, it has exactly the resource's bytes.
  platform::writeFileAtomic(PercorsoFileComuni(), std::string(risorsa->size() + 100, 'x'));
  ASSERT_TRUE(EstraiFileComuni());
  EXPECT_EQ(platform::readFile(PercorsoFileComuni()), *risorsa);
}

TEST_F(TabellaComuni, EmbeddedNames) {
  auto nomi = resources::names();
  EXPECT_TRUE(std::is_sorted(nomi.begin(), nomi.end()));
  EXPECT_NE(std::find(nomi.begin(), nomi.end(), "codfis.imu"), nomi.end());
  EXPECT_EQ(std::find(nomi.begin(), nomi.end(), "README.md"), nomi.end());
  EXPECT_EQ(std::find(nomi.begin(), nomi.end(), "CMakeLists.txt"), nomi.end());
  EXPECT_FALSE(resources::find("codfis"));
  EXPECT_FALSE(resources::find(""));
}

TEST_F(TabellaComuni, RealTableShape) {
  // The committed table (see resources/README.md).
  ASSERT_EQ(ComuniNome.size(), 8112u);
  ASSERT_EQ(ComuniCodice.size(), ComuniNome.size());
  ASSERT_EQ(ComuniProvincia.size(), ComuniNome.size());
  EXPECT_EQ(righe({0}), std::vector<std::string>{"ABANO TERME,A001,PD"});
  EXPECT_EQ(righe({ComuniNome.size() - 1}), std::vector<std::string>{"ZUNGRI,M204,VV"});

  const std::regex nome("[A-Z][A-Z '\\-()/]*"), codice("[A-Z][0-9]{3}"), provincia("[A-Z]{2}");
  size_t stati = 0;
  for (size_t i = 0; i < ComuniNome.size(); ++i) {
    SCOPED_TRACE(ComuniNome[i]);
    ASSERT_TRUE(std::regex_match(ComuniNome[i], nome));
    ASSERT_TRUE(std::regex_match(ComuniCodice[i], codice));
    ASSERT_TRUE(std::regex_match(ComuniProvincia[i], provincia));
    // Provinces abolished in 2016 no longer appear.
    for (const char* soppressa : {"CI", "VS", "OG", "OT"}) ASSERT_NE(ComuniProvincia[i], soppressa);
    bool estero = ComuniProvincia[i] == "EE";
    ASSERT_EQ(estero, ComuniCodice[i][0] == 'Z');
    stati += estero;
  }
  EXPECT_EQ(stati, 216u);

  // Alphabetical with punctuation ignored: ANZOLA DELL'EMILIA before ANZOLA D'OSSOLA.
  auto chiave = [](std::string s) {
    std::erase_if(s, [](char c) { return c != ' ' && (c < 'A' || c > 'Z'); });
    return s;
  };
  for (size_t i = 1; i < ComuniNome.size(); ++i) {
    SCOPED_TRACE(ComuniNome[i]);
    ASSERT_LE(chiave(ComuniNome[i - 1]), chiave(ComuniNome[i]));
  }
}

TEST_F(TabellaComuni, KnownRows) {
  struct Caso {
    const char* cerca;
    std::vector<std::string> trovate;
  };
  const Caso casi[] = {
      {"ROMA", {"ROMA,H501,RM"}},
      {"MILANO", {"MILANO,F205,MI"}},
      {"FRANCIA", {"FRANCIA,Z110,EE"}},
      // The current province, not the one of the municipality's creation.
      {"IVREA", {"IVREA,E379,TO"}},
      {"CASERTA", {"CASERTA,B963,CE"}},
      {"AVERSA", {"AVERSA,A512,CE"}},
      {"CERCEMAGGIORE", {"CERCEMAGGIORE,C486,CB"}},
      {"TORRE DE' BUSI", {"TORRE DE' BUSI,L257,BG"}},
      {"OLBIA", {"OLBIA,G015,SS"}},
      {"TORTOLI'", {"TORTOLI',A355,NU"}},
      {"CARBONIA", {"CARBONIA,B745,SU"}},
      {"MONTECOPIOLO", {"MONTECOPIOLO,F478,RN"}},
      // The current name; a name in two languages keeps its Italian form.
      {"TRENTOLA DUCENTA", {"TRENTOLA DUCENTA,L379,CE"}},
      {"TRENTOLA", {}},
      {"CASTELLO DEL MATESE", {"CASTELLO DEL MATESE,C178,CE"}},
      {"CASTELLO D'ALIFE", {}},
      {"CARAVINO", {"CARAVINO,B733,TO"}},
      {"SAN POLO MATESE", {"SAN POLO MATESE,I122,CB"}},
      {"BOLZANO", {"BOLZANO,A952,BZ"}},
      {"SGONICO", {"SGONICO,I715,TS"}},
      {"san remo", {"SANREMO,I138,IM"}},
      {"SANREMO", {"SANREMO,I138,IM"}},
      // Places that share a name each have their row, in the order of their codes.
      {"LIVO", {"LIVO,E623,CO", "LIVO,E624,TN"}},
      {"SANT'ELENA", {"SANT'ELENA,I319,PD", "SANT'ELENA,Z340,EE"}},
      // "`" and "'" are one character, and a typed accent is the table's "'".
      {"SANT`ELENA", {"SANT'ELENA,I319,PD", "SANT'ELENA,Z340,EE"}},
      {"FORLÌ", {"FORLI',D704,FC"}},
      {"forli'", {"FORLI',D704,FC"}},
      {"FORLI`", {"FORLI',D704,FC"}},
      {"CITTÀ DI CASTELLO", {"CITTA' DI CASTELLO,C745,PG"}},
      {"ROMA ", {}},
      {"", {}},
      {"ROM", {}},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.cerca);
    EXPECT_EQ(righe(TrovaComuni(c.cerca)), c.trovate);
  }
}

TEST_F(TabellaComuni, PrefixSearch) {
  EXPECT_EQ(righe(ComuniCheIniziano("ROMA", 3)),
            (std::vector<std::string>{"ROMA,H501,RM", "ROMAGNANO AL MONTE,H503,SA", "ROMAGNANO SESIA,H502,NO"}));
  EXPECT_EQ(ComuniCheIniziano("ROMA", 1).size(), 1u);
  EXPECT_EQ(righe(ComuniCheIniziano("forlì", 10)),
            (std::vector<std::string>{"FORLI',D704,FC", "FORLI' DEL SANNIO,D703,IS"}));
  EXPECT_TRUE(ComuniCheIniziano("", 10).empty());
  EXPECT_TRUE(ComuniCheIniziano("XYZ", 10).empty());
  EXPECT_TRUE(ComuniCheIniziano("ROMA", 0).empty());
}

TEST_F(TabellaComuni, Windows1252RoundTrip) {
  // Accented names stored as Windows-1252 bytes arrive as UTF-8 and are found
  // however the user writes the accent; "." is part of a name.
  caricaProva("FORL\xCC,D704,FC\r\nNICOL\xD2 D'ARCIDANO,A368,OR\r\nREP. DOMINICANA,Z505,EE\r\n");
  EXPECT_EQ(righe({0, 1}), (std::vector<std::string>{"FORLÌ,D704,FC", "NICOLÒ D'ARCIDANO,A368,OR"}));
  EXPECT_EQ(TrovaComuni("FORLI'"), std::vector<size_t>{0});
  EXPECT_EQ(TrovaComuni("FORLÌ"), std::vector<size_t>{0});
  EXPECT_EQ(TrovaComuni("NICOLO` D`ARCIDANO"), std::vector<size_t>{1});
  EXPECT_EQ(TrovaComuni("REP. DOMINICANA"), std::vector<size_t>{2});
  EXPECT_EQ(ComuniCheIniziano("REP.", 5), std::vector<size_t>{2});
}

TEST_F(TabellaComuni, LoaderStopsAtNulAndSkipsShortLines) {
  caricaProva(
      "ABANO TERME,A001,PD\r\n"
      "SOLO NOME\r\n"
      "\r\n"
      "NOME,CODICE\r\n"
      "CASELLINA,B9262,FI\r\n"
      "ERBE',D419,VR,IN PIU'\r\n"
      "SOLO LF,L001,LF\n"
      "SOLO CR,C001,CR\r"
      "ULTIMA,U001,UL\r\n" +
      std::string(5, '\0') + "DOPO IL NUL,X001,XX\r\n");
  EXPECT_EQ(righe({0, 1, 2, 3, 4, 5}),
            (std::vector<std::string>{"ABANO TERME,A001,PD", "CASELLINA,B9262,FI", "ERBE',D419,VR", "SOLO LF,L001,LF",
                                      "SOLO CR,C001,CR", "ULTIMA,U001,UL"}));
  EXPECT_EQ(ComuniNome.size(), 6u);
  // A five-character code is kept as it stands; the code is cut when it is used.
  EXPECT_EQ(CodiceCatastaleComune("CASELLINA"), "B9262");
  EXPECT_EQ(CalcolaCodiceFiscale("ROSSI", "MARIO", "01/01/80", "M", "CASELLINA").substr(11, 4), "B926");
  // The last line needs no line end.
  caricaProva("ROMA,H501,RM");
  EXPECT_EQ(righe({0}), std::vector<std::string>{"ROMA,H501,RM"});
}

TEST_F(TabellaComuni, MissingFileAndEmptying) {
  ASSERT_FALSE(ComuniNome.empty());
  EXPECT_FALSE(CaricaComuni(cartella() + "/non-esiste.imu"));
  EXPECT_TRUE(ComuniNome.empty());
  EXPECT_FALSE(CaricaComuni(cartella()));  // a folder is no table
  EXPECT_TRUE(TrovaComuni("ROMA").empty());

  ASSERT_TRUE(CaricaComuni());
  SvuotaComuni();
  EXPECT_TRUE(ComuniNome.empty() && ComuniCodice.empty() && ComuniProvincia.empty());
  EXPECT_TRUE(TrovaComuni("ROMA").empty());

  CancellaFileComuni();
  EXPECT_FALSE(platform::fileReadable(PercorsoFileComuni()));
  EXPECT_FALSE(CaricaComuni());
  CancellaFileComuni();  // nothing left to delete: no error
}

TEST_F(TabellaComuni, CodesForTheWindow) {
  EXPECT_EQ(TagliaCodice("B9262"), "B926");
  EXPECT_EQ(TagliaCodice("H501"), "H501");
  EXPECT_EQ(TagliaCodice("H5"), "H5");
  struct Caso {
    const char* risposta;
    std::optional<std::string> codice;
  };
  const Caso casi[] = {
      {"H501", "H501"},        {"h501", "H501"},       {"h501xyz", "H501"},    {"z110", "Z110"},
      {"", std::nullopt},      {"H50", std::nullopt},  {"1501", std::nullopt}, {"HH01", std::nullopt},
      {" H501", std::nullopt}, {"H5O1", std::nullopt}, {"È501", std::nullopt},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.risposta);
    EXPECT_EQ(CodiceManuale(c.risposta), c.codice);
  }
}

}  // namespace
