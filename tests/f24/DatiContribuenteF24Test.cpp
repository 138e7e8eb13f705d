// The payer record: its line, its key and the entity test.
#include <gmock/gmock.h>

#include "f24/DatiContribuenteF24.h"
#include "support/NumeriCampi.h"

namespace f24 {
namespace {

TEST(DatiContribuenteF24, ReadsAndWritesItsLineInFileOrder) {
  const std::string riga =
      "BNCNNA80A41H501X;BIANCHI;ANNA;01/01/1980;F;ROMA;RM;MILANO;MI;VIA VERDI 3;BANCA;AG "
      "1;RM;IT60X0542811101000000123456";
  const auto d = DatiContribuenteF24::fromLine(riga);
  EXPECT_EQ(d.CodiceFiscale, "BNCNNA80A41H501X");
  EXPECT_EQ(d.DataNascita, "01/01/1980");
  EXPECT_EQ(d.ProvinciaDomicilio, "MI");
  EXPECT_EQ(d.ProvinciaAgenzia, "RM");
  EXPECT_EQ(d.Iban, "IT60X0542811101000000123456");
  EXPECT_EQ(d.toLine(), riga);
  EXPECT_EQ(d.chiave(), "BNCNNA80A41H501X;IT60X0542811101000000123456");
  EXPECT_EQ(DatiContribuenteF24::chiaveDi(riga), d.chiave());
  // A short line: the fields it lacks are empty, the key keeps its separator.
  const auto corto = DatiContribuenteF24::fromLine("01234567890;EDILIZIA SRL");
  EXPECT_EQ(corto.Cognome, "EDILIZIA SRL");
  EXPECT_EQ(corto.Iban, "");
  EXPECT_EQ(corto.chiave(), "01234567890;");
  EXPECT_EQ(corto.toLine(), "01234567890;EDILIZIA SRL;;;;;;;;;;;;");
}

TEST(DatiContribuenteF24, TellsAnEntityByItsLeadingDigits) {
  const std::pair<const char*, bool> casi[] = {
      {"BNCNNA80A41H501X", false},
      {"01234567890", true},
      {"00000000000", false},
      {"0A", false},
      {"12ABC", true},
      {"", false},
  };
  for (const auto& [codice, ente] : casi) {
    DatiContribuenteF24 d;
    d.CodiceFiscale = codice;
    EXPECT_EQ(d.Ente(), ente) << codice;
  }
}

// Only an Italian IBAN of 27 letters and digits whose check digits hold.
TEST(DatiContribuenteF24, KnowsAValidItalianIban) {
  const std::pair<const char*, bool> casi[] = {
      {"IT60X0542811101000000123456", true},
      {"IT56A0300203280000400162854", true},
      {"IT61X0542811101000000123456", false},   // check digits
      {"IT60X0542811101000000123465", false},   // two digits swapped
      {"IT60X054281110100000012345", false},    // 26 characters
      {"IT60X05428111010000001234567", false},  // 28 characters
      {"IT60 X054 2811 1010 0000 0123 456", false},
      {"it60x0542811101000000123456", false},
      {"DE89370400440532013000", false},  // valid, but not Italian
      {"GB82WEST12345698765432123", false},
      {"", false},
  };
  for (const auto& [iban, valido] : casi) EXPECT_EQ(IbanValido(iban), valido) << iban;
}

// A payer stored with a spaced IBAN is the same payer once the box shows it compact.
TEST(DatiContribuenteF24, TheKeyIgnoresTheIbansBlanks) {
  const auto spaziato = DatiContribuenteF24::fromLine("BNCNNA80A41H501X;;;;;;;;;;;;;IT60 X054 2811 1010 0000 0123 456");
  EXPECT_EQ(spaziato.Iban, "IT60 X054 2811 1010 0000 0123 456");
  EXPECT_EQ(spaziato.chiave(), "BNCNNA80A41H501X;IT60X0542811101000000123456");
}

}  // namespace
// The readers of raw lines use the field numbers; each must be the field the
// record stores there.
TEST(DatiContribuenteF24, EachFieldNumberIsTheFieldOfThatName) {
  quotara::testing::ControllaNumeriCampi<DatiContribuenteF24>({
      QUOTARA_CAMPO(DatiContribuenteF24, CodiceFiscale),
      QUOTARA_CAMPO(DatiContribuenteF24, Cognome),
      QUOTARA_CAMPO(DatiContribuenteF24, Nome),
      QUOTARA_CAMPO(DatiContribuenteF24, DataNascita),
      QUOTARA_CAMPO(DatiContribuenteF24, Sesso),
      QUOTARA_CAMPO(DatiContribuenteF24, ComuneNascita),
      QUOTARA_CAMPO(DatiContribuenteF24, ProvinciaNascita),
      QUOTARA_CAMPO(DatiContribuenteF24, ComuneDomicilio),
      QUOTARA_CAMPO(DatiContribuenteF24, ProvinciaDomicilio),
      QUOTARA_CAMPO(DatiContribuenteF24, Indirizzo),
      QUOTARA_CAMPO(DatiContribuenteF24, Delega),
      QUOTARA_CAMPO(DatiContribuenteF24, Agenzia),
      QUOTARA_CAMPO(DatiContribuenteF24, ProvinciaAgenzia),
      QUOTARA_CAMPO(DatiContribuenteF24, Iban),
  });
}

}  // namespace f24
