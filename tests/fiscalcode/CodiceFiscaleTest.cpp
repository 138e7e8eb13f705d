// The fiscal code, computed against the municipality table the program ships.
#include <gtest/gtest.h>

#include "fiscalcode/modCodFis.h"
#include "platform/Paths.h"
#include "support/ProgramTest.h"

using namespace fiscalcode;

namespace {

class CodiceFiscale : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setTempFolderForTests(quotara::testing::CartellaTest().string());
    ASSERT_TRUE(EstraiFileComuni());
    ASSERT_TRUE(CaricaComuni());
  }
  void TearDown() override {
    SvuotaComuni();
    platform::setTempFolderForTests("");
  }
};

struct Persona {
  const char* cognome;
  const char* nome;
  const char* data;
  const char* sesso;
  const char* comune;
  const char* codice;
};

// Codes published independently of this program: the two examples of the
// decree's usual illustration, and examples printed in the documentation of
// well-known fiscal code libraries and reference pages. The foreign one was
// worked out by hand from the published tables.
TEST_F(CodiceFiscale, PublishedCodes) {
  const Persona casi[] = {
      {"BIANCHI", "GIANFRANCO", "21/11/62", "M", "MILANO", "BNCGFR62S21F205E"},  // 4+ consonants: 1st, 3rd, 4th
      {"FO", "EVA", "01/08/01", "F", "SAN REMO", "FOXVEA01M41I138G"},            // padded with X, woman
      {"ROSSI", "MARIO", "01/01/80", "M", "ROMA", "RSSMRA80A01H501U"},
      {"ROSSI", "MARIA", "01/01/80", "F", "ROMA", "RSSMRA80A41H501Y"},      // day + 40
      {"CACCAMO", "FABIO", "03/04/85", "M", "TORINO", "CCCFBA85D03L219P"},  // name with 2 consonants
      {"MORETTI", "MATTEO", "09/04/25", "M", "MILANO", "MRTMTT25D09F205Z"},
      {"ROSSI", "MARIO", "01/01/80", "M", "FRANCIA", "RSSMRA80A01Z110B"},  // born abroad
  };
  for (const auto& p : casi) {
    SCOPED_TRACE(p.codice);
    EXPECT_EQ(CalcolaCodiceFiscale(p.cognome, p.nome, p.data, p.sesso, p.comune), p.codice);
    EXPECT_FALSE(ErroreComune);
  }
}

TEST_F(CodiceFiscale, SurnameAndNameParts) {
  struct Caso {
    const char* testo;
    const char* cognome;
    const char* nome;
  };
  const Caso casi[] = {
      {"D'ANGELO", "DNG", "DGL"},                            // apostrophe skipped
      {"ANNA MARIA", "NNM", "NMR"},                          // spaces removed; a name with 4 consonants takes 1, 3, 4
      {"ANNAMARIA", "NNM", "NMR"},  {"ROSA", "RSO", "RSO"},  // two consonants, then the first vowel
      {"PLT", "PLT", "PLT"},        {"WV", "WVX", "WVX"},    // two consonants and no vowel
      {"LI", "LIX", "LIX"},                                  // one consonant, one vowel
      {"K", "KXX", "KXX"},                                   // one consonant alone
      {"EVA", "VEA", "VEA"},        {"IO", "IOX", "IOX"},    // vowels only
      {"E", "EXX", "EXX"},          {"PÒ", "POX", "POX"},    // an accented letter is the plain vowel
      {"ÈVA", "VEA", "VEA"},        {"NICOLO'", "NCL", "NCL"}, {"de luca", "DLC", "DLC"},  // case does not matter
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.testo);
    EXPECT_EQ(CodiceCognome(c.testo), c.cognome);
    EXPECT_EQ(CodiceNome(c.testo), c.nome);
  }
}

TEST_F(CodiceFiscale, AccentedLettersCountAsPlainVowels) {
  // "È" is "E": the code is the one of the plain spelling.
  EXPECT_EQ(CalcolaCodiceFiscale("RÒSSI", "MÀRIO", "01/01/80", "M", "ROMA"), "RSSMRA80A01H501U");
}

TEST_F(CodiceFiscale, DateAndSex) {
  struct Caso {
    const char* data;
    const char* sesso;
    const char* parte;
  };
  const Caso casi[] = {
      {"21/11/62", "M", "62S21"},
      {"01/08/01", "F", "01M41"},
      {"31/12/99", "F", "99T71"},
      {"15/06/00", "M", "00H15"},
      {"15/06/00", "f", "00H15"},  // only "F" is a woman
      {"15/06/00", "", "00H15"},
      // Not a "dd/mm/yy" date: nothing rather than a wrong part.
      {"32/01/80", "M", ""},
      {"00/01/80", "M", ""},
      {"01/13/80", "M", ""},
      {"01/00/80", "M", ""},
      {"01/01/1980", "M", ""},
      {"1/1/80", "M", ""},
      {"01-01-80", "M", ""},
      {"ab/cd/ef", "M", ""},
      {"", "M", ""},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.data);
    EXPECT_EQ(CodiceDataSesso(c.data, c.sesso), c.parte);
  }
}

TEST_F(CodiceFiscale, CheckCharacterTables) {
  // The published odd and even position values.
  const char* caratteri = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const int dispari[] = {1,  0,  5, 7, 9,  13, 15, 17, 19, 21, 1,  0,  5,  7,  9,  13, 15, 17,
                         19, 21, 2, 4, 18, 20, 11, 3,  6,  8,  12, 14, 16, 10, 22, 25, 24, 23};
  const int pari[] = {0, 1, 2,  3,  4,  5,  6,  7,  8,  9,  0,  1,  2,  3,  4,  5,  6,  7,
                      8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25};
  for (int i = 0; i < 36; ++i) {
    SCOPED_TRACE(caratteri[i]);
    EXPECT_EQ(ValoreDispari(caratteri[i]), dispari[i]);
    EXPECT_EQ(ValorePari(caratteri[i]), pari[i]);
  }
  EXPECT_EQ(ValoreDispari(' '), 0);
  EXPECT_EQ(ValorePari('a'), 0);
  EXPECT_EQ(LetteraControllo(0), 'A');
  EXPECT_EQ(LetteraControllo(25), 'Z');
  EXPECT_EQ(LetteraControllo(26), '\0');
  EXPECT_EQ(LetteraControllo(-1), '\0');
  EXPECT_EQ(CalcolaCarattereControllo("CCCFBA85D03L219"), 'P');
  EXPECT_EQ(CalcolaCarattereControllo("CCCFBA85D03L219P"), 'P');  // the 16th character is not counted
}

TEST_F(CodiceFiscale, MunicipalityLookup) {
  ProvinciaComune.clear();
  EXPECT_EQ(CodiceCatastaleComune("MILANO"), "F205");
  EXPECT_EQ(ProvinciaComune, "MI");
  EXPECT_FALSE(ErroreComune);
  // "SAN REMO" is the table's "SANREMO".
  EXPECT_EQ(CodiceCatastaleComune("san remo"), "I138");
  EXPECT_EQ(ProvinciaComune, "IM");
  // Of two places with one name the first row wins.
  EXPECT_EQ(CodiceCatastaleComune("LIVO"), "E623");
  EXPECT_EQ(ProvinciaComune, "CO");
  // Not found: the flag is set, the last province stays.
  EXPECT_EQ(CodiceCatastaleComune("ROMA "), "");
  EXPECT_TRUE(ErroreComune);
  EXPECT_EQ(ProvinciaComune, "CO");
  ErroreComune = false;
  EXPECT_EQ(CodiceCatastaleComune(""), "");
  EXPECT_TRUE(ErroreComune);
}

TEST_F(CodiceFiscale, RefusedInput) {
  ProvinciaComune = "RM";
  // A municipality that is not in the table: no code, the province emptied.
  EXPECT_EQ(CalcolaCodiceFiscale("ROSSI", "MARIO", "01/01/80", "M", "ROMA "), "");
  EXPECT_TRUE(ErroreComune);
  EXPECT_EQ(ProvinciaComune, "");
  // A surname or a name without a letter never becomes a code with blanks.
  for (const char* senza : {"", "   ", "'", "123", "--"}) {
    SCOPED_TRACE(senza);
    EXPECT_FALSE(ContieneLettere(senza));
    EXPECT_EQ(CalcolaCodiceFiscale(senza, "MARIO", "01/01/80", "M", "ROMA"), "");
    EXPECT_EQ(CalcolaCodiceFiscale("ROSSI", senza, "01/01/80", "M", "ROMA"), "");
  }
  EXPECT_TRUE(ContieneLettere("È"));
  EXPECT_EQ(CalcolaCodiceFiscale("ROSSI", "MARIO", "1980-01-01", "M", "ROMA"), "");
}

}  // namespace
