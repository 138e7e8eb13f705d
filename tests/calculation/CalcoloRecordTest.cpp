#include "calculation/CalcoloRecord.h"

#include <gtest/gtest.h>

#include "platform/Cp1252.h"
#include "support/NumeriCampi.h"

using namespace calculation;

namespace {

// A line as the calculation window stores it: a main dwelling with an accented name.
const std::string kRiga =
    "Rossi Niccolò;Via dell'Università 3;Forlì;2024;1.000,00;2.5;5;0;200,00;12;6;6;100;0;1;"
    "336,00;336,00;200,00;68,00;100,00;68,00;100,00;1;0;0;3958;2;D704";

TEST(CalcoloRecord, LetturaCampoPerCampo) {
  const CalcoloRecord r = CalcoloRecord::fromLine(kRiga);
  EXPECT_EQ(r.Contribuente, "Rossi Niccolò");
  EXPECT_EQ(r.IndirizzoImmobile, "Via dell'Università 3");
  EXPECT_EQ(r.ComuneUbicazione, "Forlì");
  EXPECT_EQ(r.AnnoImposta, "2024");
  EXPECT_EQ(r.RenditaCatastale, "1.000,00");
  EXPECT_EQ(r.AliquotaTasi, "2.5");
  EXPECT_EQ(r.Rivalutazione, "5");
  EXPECT_EQ(r.ImmobileLocato, "0");
  EXPECT_EQ(r.DetrazioneAbPrincipale, "200,00");
  EXPECT_EQ(r.MesiPossesso, "12");
  EXPECT_EQ(r.MesiPrimoSemestre, "6");
  EXPECT_EQ(r.MesiSecondoSemestre, "6");
  EXPECT_EQ(r.QuotaPossesso, "100");
  EXPECT_EQ(r.TipologiaImmobile, "0");
  EXPECT_EQ(r.AbitazionePrincipale, "1");
  EXPECT_EQ(r.ImpostaImmobile, "336,00");
  EXPECT_EQ(r.ImpostaContribuente, "336,00");
  EXPECT_EQ(r.DetrazioneTotale, "200,00");
  EXPECT_EQ(r.RataAcconto, "68,00");
  EXPECT_EQ(r.DetrazioneAcconto, "100,00");
  EXPECT_EQ(r.RataSaldo, "68,00");
  EXPECT_EQ(r.DetrazioneSaldo, "100,00");
  EXPECT_EQ(r.NumeroProprietari, "1");
  EXPECT_EQ(r.PercentualeInquilino, "0");
  EXPECT_EQ(r.CalcoloInquilino, "0");
  EXPECT_EQ(r.CodiceTributo, "3958");
  EXPECT_EQ(r.OpzioniCalcolo, "2");
  EXPECT_EQ(r.CodiceCatastale, "D704");
  EXPECT_EQ(r.toLine(), kRiga);
}

TEST(CalcoloRecord, RigaDiVentottoCampi) {
  CalcoloRecord r;
  EXPECT_EQ(r.toLine(), std::string(27, ';'));
  for (int n = 1; n <= CalcoloRecord::kNumeroCampi; ++n) r.campo(n) = std::to_string(n);
  const std::string riga = r.toLine();
  EXPECT_EQ(riga.rfind("1;2;3;4;", 0), 0u);
  EXPECT_EQ(riga.substr(riga.size() - 6), ";27;28");
  EXPECT_EQ(CalcoloRecord::fromLine(riga).toLine(), riga);
}

TEST(CalcoloRecord, CampiMancantiVuoti) {
  const CalcoloRecord r = CalcoloRecord::fromLine("Bianchi;Via Roma;Milano;2024;1.000,00");
  EXPECT_EQ(r.RenditaCatastale, "1.000,00");
  EXPECT_EQ(r.AliquotaTasi, "");
  EXPECT_EQ(r.CodiceCatastale, "");
  EXPECT_EQ(CalcoloRecord::fromLine("").toLine(), std::string(27, ';'));
}

TEST(CalcoloRecord, AndataERitornoInWindows1252) {
  const CalcoloRecord r = CalcoloRecord::fromLine(kRiga);
  const std::string byte = platform::utf8ToCp1252(r.toLine());
  EXPECT_NE(byte.find("Niccol\xF2"), std::string::npos);
  EXPECT_EQ(CalcoloRecord::fromLine(platform::cp1252ToUtf8(byte)).toLine(), kRiga);
}

TEST(CalcoloRecord, Chiave) {
  const CalcoloRecord r = CalcoloRecord::fromLine(kRiga);
  EXPECT_EQ(r.chiave(), "Rossi Niccolò;Via dell'Università 3;Forlì;2024");
  EXPECT_EQ(CalcoloRecord::chiaveDi(kRiga), r.chiave());
  EXPECT_EQ(CalcoloRecord::chiaveDi("a;b"), "a;b;;");

  // The key is compared exactly: case and blanks count.
  const struct {
    const char* riga;
    bool stessa;
  } casi[] = {
      {"Bianchi;Via Roma;Milano;2024;x", true},   {"BIANCHI;Via Roma;Milano;2024;x", false},
      {"Bianchi;Via Roma;Milano; 2024;x", false}, {"Bianchi;Via Roma ;Milano;2024;x", false},
      {"Bianchi;Via Roma;Milano;2025;x", false},
  };
  const std::string chiave = CalcoloRecord::fromLine("Bianchi;Via Roma;Milano;2024").chiave();
  for (const auto& c : casi) EXPECT_EQ(CalcoloRecord::chiaveDi(c.riga) == chiave, c.stessa) << c.riga;
}

TEST(CalcoloRecord, CampoNonValido) {
  const struct {
    int campo;
    const char* testo;
  } casi[] = {
      {1, "Rossi; Mario"}, {2, "Via Roma\r"}, {3, "Mi\nlano"}, {9, "1;0"}, {28, "D70\r\n4"},
  };
  for (const auto& c : casi) {
    CalcoloRecord r = CalcoloRecord::fromLine(kRiga);
    r.campo(c.campo) = c.testo;
    EXPECT_EQ(r.campoNonValido(), c.campo) << c.testo;
  }
  EXPECT_EQ(CalcoloRecord::fromLine(kRiga).campoNonValido(), std::nullopt);

  CalcoloRecord due = CalcoloRecord::fromLine(kRiga);
  due.ComuneUbicazione = "a;b";
  due.Contribuente = "c\nd";
  EXPECT_EQ(due.campoNonValido(), 1);  // the first bad field is reported
}

TEST(CalcoloRecord, NomiCampi) {
  EXPECT_EQ(CalcoloRecord::nomeCampo(1), "Contribuente");
  EXPECT_EQ(CalcoloRecord::nomeCampo(19), "RataAcconto");
  EXPECT_EQ(CalcoloRecord::nomeCampo(28), "CodiceCatastale");
  EXPECT_THROW(CalcoloRecord::nomeCampo(0), std::out_of_range);
  EXPECT_THROW(CalcoloRecord().campo(29), std::out_of_range);
}

TEST(CalcoloRecord, OpzioniCalcolo) {
  EXPECT_EQ(CalcoloRecord::opzioniCalcolo(false, false), "0");
  EXPECT_EQ(CalcoloRecord::opzioniCalcolo(true, false), "1");
  EXPECT_EQ(CalcoloRecord::opzioniCalcolo(false, true), "2");
  EXPECT_EQ(CalcoloRecord::opzioniCalcolo(true, true), "3");
}

// The readers of raw lines use the field numbers; each must be the field the
// record stores there.
TEST(CalcoloRecord, EachFieldNumberIsTheFieldOfThatName) {
  quotara::testing::ControllaNumeriCampi<CalcoloRecord>({
      QUOTARA_CAMPO(CalcoloRecord, Contribuente),
      QUOTARA_CAMPO(CalcoloRecord, IndirizzoImmobile),
      QUOTARA_CAMPO(CalcoloRecord, ComuneUbicazione),
      QUOTARA_CAMPO(CalcoloRecord, AnnoImposta),
      QUOTARA_CAMPO(CalcoloRecord, RenditaCatastale),
      QUOTARA_CAMPO(CalcoloRecord, AliquotaTasi),
      QUOTARA_CAMPO(CalcoloRecord, Rivalutazione),
      QUOTARA_CAMPO(CalcoloRecord, ImmobileLocato),
      QUOTARA_CAMPO(CalcoloRecord, DetrazioneAbPrincipale),
      QUOTARA_CAMPO(CalcoloRecord, MesiPossesso),
      QUOTARA_CAMPO(CalcoloRecord, MesiPrimoSemestre),
      QUOTARA_CAMPO(CalcoloRecord, MesiSecondoSemestre),
      QUOTARA_CAMPO(CalcoloRecord, QuotaPossesso),
      QUOTARA_CAMPO(CalcoloRecord, TipologiaImmobile),
      QUOTARA_CAMPO(CalcoloRecord, AbitazionePrincipale),
      QUOTARA_CAMPO(CalcoloRecord, ImpostaImmobile),
      QUOTARA_CAMPO(CalcoloRecord, ImpostaContribuente),
      QUOTARA_CAMPO(CalcoloRecord, DetrazioneTotale),
      QUOTARA_CAMPO(CalcoloRecord, RataAcconto),
      QUOTARA_CAMPO(CalcoloRecord, DetrazioneAcconto),
      QUOTARA_CAMPO(CalcoloRecord, RataSaldo),
      QUOTARA_CAMPO(CalcoloRecord, DetrazioneSaldo),
      QUOTARA_CAMPO(CalcoloRecord, NumeroProprietari),
      QUOTARA_CAMPO(CalcoloRecord, PercentualeInquilino),
      QUOTARA_CAMPO(CalcoloRecord, CalcoloInquilino),
      QUOTARA_CAMPO(CalcoloRecord, CodiceTributo),
      QUOTARA_CAMPO(CalcoloRecord, OpzioniCalcolo),
      QUOTARA_CAMPO(CalcoloRecord, CodiceCatastale),
  });
}

}  // namespace
