#include <gtest/gtest.h>

#include <functional>

#include "calculation/Tasi.h"

using namespace calculation;

namespace {

// What the window holds after start-up with a rendita and a rate typed in.
TestiCalcolo Validi() {
  TestiCalcolo t;
  t.anno = "2024";
  t.rendita = "1.000,00";
  t.aliquota = "2";
  t.rivalutazione = "5";
  t.detrazione = "0";
  t.mesi = "12";
  t.mesiPrimoSemestre = "6";
  t.quota = "100";
  t.proprietari = "0";
  t.percentualeInquilino = "0";
  return t;
}

const char* const kManca = "Devi immettere il valore della ";

struct CasoRifiuto {
  const char* nome;
  std::function<void(TestiCalcolo&)> modifica;
  CasellaCalcolo casella;
  std::string messaggio;
};

const CasoRifiuto kRifiuti[] = {
    {"annoVuoto", [](TestiCalcolo& t) { t.anno = ""; }, CasellaCalcolo::Anno, std::string(kManca) + "anno di imposta!"},
    {"annoDiBlank", [](TestiCalcolo& t) { t.anno = "  "; }, CasellaCalcolo::Anno,
     std::string(kManca) + "anno di imposta!"},
    {"primaLAnno",
     [](TestiCalcolo& t) {
       t.anno = "";
       t.rendita = "0";
     },
     CasellaCalcolo::Anno, std::string(kManca) + "anno di imposta!"},
    {"renditaZero", [](TestiCalcolo& t) { t.rendita = "0"; }, CasellaCalcolo::Rendita,
     std::string(kManca) + "rendita catastale!"},
    {"renditaZeroFormattata", [](TestiCalcolo& t) { t.rendita = "0,00"; }, CasellaCalcolo::Rendita,
     std::string(kManca) + "rendita catastale!"},
    {"renditaNonNumerica", [](TestiCalcolo& t) { t.rendita = "abc"; }, CasellaCalcolo::Rendita,
     std::string(kManca) + "rendita catastale!"},
    {"aliquotaZero", [](TestiCalcolo& t) { t.aliquota = "0"; }, CasellaCalcolo::Aliquota,
     std::string(kManca) + "aliquota TASI!"},
    {"aliquotaDueVirgole", [](TestiCalcolo& t) { t.aliquota = "2,5,1"; }, CasellaCalcolo::Aliquota,
     std::string(kManca) + "aliquota TASI!"},
    {"aliquotaVuota", [](TestiCalcolo& t) { t.aliquota = ""; }, CasellaCalcolo::Aliquota,
     std::string(kManca) + "aliquota TASI!"},
    {"aliquotaZeroDecimale", [](TestiCalcolo& t) { t.aliquota = "0,0"; }, CasellaCalcolo::Aliquota,
     "L'aliquota non può essere zero."},
    {"rivalutazioneNonNumerica", [](TestiCalcolo& t) { t.rivalutazione = "5,,"; }, CasellaCalcolo::Rivalutazione,
     std::string(kManca) + "rivalutazione!"},
    {"detrazioneNonNumerica",
     [](TestiCalcolo& t) {
       t.abitazionePrincipale = true;
       t.proprietari = "1";
       t.detrazione = "1,2,3";
     },
     CasellaCalcolo::Detrazione, std::string(kManca) + "detrazione per l'abitazione principale!"},
    {"quotaNonNumerica", [](TestiCalcolo& t) { t.quota = "x"; }, CasellaCalcolo::Quota,
     std::string(kManca) + "quota di possesso!"},
    {"proprietariVuoto",
     [](TestiCalcolo& t) {
       t.abitazionePrincipale = true;
       t.proprietari = "";
     },
     CasellaCalcolo::Proprietari,
     std::string(kManca) + "casella relativa al numero di proprietari che risiedono nella prima casa!"},
    {"proprietariZero",
     [](TestiCalcolo& t) {
       t.abitazionePrincipale = true;
       t.proprietari = "0";
     },
     CasellaCalcolo::Proprietari,
     std::string(kManca) + "casella relativa al numero di proprietari che risiedono nella prima casa!"},
    {"proprietariDoppioZero",
     [](TestiCalcolo& t) {
       t.abitazionePrincipale = true;
       t.proprietari = "00";
     },
     CasellaCalcolo::Proprietari,
     std::string(kManca) + "casella relativa al numero di proprietari che risiedono nella prima casa!"},
    {"inquilinoSenzaPercentuale",
     [](TestiCalcolo& t) {
       t.locata = true;
       t.calcolaInquilino = true;
       t.percentualeInquilino = "0";
     },
     CasellaCalcolo::PercentualeInquilino, std::string(kManca) + "percentuale a carico dell'inquilino!"},
};

class Rifiuti : public testing::TestWithParam<CasoRifiuto> {};

TEST_P(Rifiuti, PrimoCampoMancante) {
  TestiCalcolo t = Validi();
  GetParam().modifica(t);
  const ControlloDati esito = ControllaDati(t);
  ASSERT_TRUE(esito.rifiuto);
  EXPECT_EQ(esito.rifiuto->casella, GetParam().casella);
  EXPECT_EQ(esito.rifiuto->messaggio, GetParam().messaggio);
  EXPECT_TRUE(esito.domande.empty());
}

INSTANTIATE_TEST_SUITE_P(ControllaDati, Rifiuti, testing::ValuesIn(kRifiuti),
                         [](const auto& caso) { return std::string(caso.param.nome); });

TEST(ControllaDati, LeggeINumeri) {
  TestiCalcolo t = Validi();
  t.rendita = "1.234,56";
  t.aliquota = "2,5";
  t.rivalutazione = "";
  t.tipologia = 2;
  t.mesi = "9";
  t.mesiPrimoSemestre = "3";
  t.quota = "50,5";
  t.abitazionePrincipale = true;
  t.detrazione = "200,00";
  t.proprietari = "02";
  t.soluzioneUnica = true;
  const ControlloDati esito = ControllaDati(t);
  ASSERT_FALSE(esito.rifiuto);
  EXPECT_TRUE(esito.domande.empty());
  const DatiCalcolo& d = esito.dati;
  EXPECT_DOUBLE_EQ(d.rendita, 1234.56);
  EXPECT_DOUBLE_EQ(d.aliquota, 2.5);
  EXPECT_DOUBLE_EQ(d.rivalutazione, 0);  // an empty box counts as "0"
  EXPECT_EQ(d.tipologia, 2);
  EXPECT_EQ(d.mesi, 9);
  EXPECT_EQ(d.mesiPrimoSemestre, 3);
  EXPECT_DOUBLE_EQ(d.quota, 50.5);
  EXPECT_TRUE(d.abitazionePrincipale);
  EXPECT_DOUBLE_EQ(d.detrazione, 200);
  EXPECT_EQ(d.proprietari, 2);
  EXPECT_TRUE(d.soluzioneUnica);
}

TEST(ControllaDati, QuotaRiportataA100) {
  for (const char* quota : {"100,5", "150", "0", ""}) {
    TestiCalcolo t = Validi();
    t.quota = quota;
    const ControlloDati esito = ControllaDati(t);
    ASSERT_FALSE(esito.rifiuto) << quota;
    EXPECT_DOUBLE_EQ(esito.dati.quota, 100) << quota;
  }
}

TEST(ControllaDati, LocataSenzaCalcoloInquilinoAccettaZero) {
  TestiCalcolo t = Validi();
  t.locata = true;
  const ControlloDati esito = ControllaDati(t);
  EXPECT_FALSE(esito.rifiuto);
  EXPECT_TRUE(esito.dati.locata);
  EXPECT_EQ(esito.dati.percentualeInquilino, 0);
}

TEST(ControllaDati, Domande) {
  const std::string agricola =
      "L'aliquota per gli immobili strumentali alle attività agricole non può essere "
      "superiore all'1 per mille.\r\nVuoi continuare comunque?";
  const std::string detrazione =
      "Non hai immesso la detrazione per l'abitazione principale.\r\nVuoi continuare comunque?";
  const struct {
    int tipologia;
    const char* aliquota;
    bool abitazione;
    const char* detrazione;
    std::vector<std::string> attese;
  } casi[] = {
      {6, "1,5", false, "0", {agricola}},   {6, "1", false, "0", {}},
      {5, "1,5", false, "0", {}},           {0, "2", true, "0", {detrazione}},
      {0, "2", true, "0,00", {detrazione}}, {0, "2", true, "", {detrazione}},
      {0, "2", true, "200,00", {}},         {6, "2", true, "0", {agricola, detrazione}},
  };
  for (const auto& c : casi) {
    TestiCalcolo t = Validi();
    t.tipologia = c.tipologia;
    t.aliquota = c.aliquota;
    t.abitazionePrincipale = c.abitazione;
    t.proprietari = "1";
    t.detrazione = c.detrazione;
    const ControlloDati esito = ControllaDati(t);
    EXPECT_FALSE(esito.rifiuto);
    EXPECT_EQ(esito.domande, c.attese) << c.tipologia << " " << c.aliquota << " " << c.detrazione;
  }
}

}  // namespace
