#include "calculation/Tasi.h"

#include <gtest/gtest.h>

using namespace calculation;

namespace {

// The captions and shared texts one calculation must produce.
struct Atteso {
  const char* Label8;
  const char* Label10;
  const char* Label11;
  const char* Label18;
  const char* Label12;
  const char* Label13;
  const char* Label14;
  const char* Label15;
  const char* lblCodCom;
  const char* ImportoAcconto;
  const char* ImportoSaldo;
};

void Confronta(const RisultatoCalcolo& r, const Atteso& a) {
  EXPECT_EQ(r.etichette.Label8, a.Label8);
  EXPECT_EQ(r.etichette.Label10, a.Label10);
  EXPECT_EQ(r.etichette.Label11, a.Label11);
  EXPECT_EQ(r.etichette.Label18, a.Label18);
  EXPECT_EQ(r.etichette.Label12, a.Label12);
  EXPECT_EQ(r.etichette.Label13, a.Label13);
  EXPECT_EQ(r.etichette.Label14, a.Label14);
  EXPECT_EQ(r.etichette.Label15, a.Label15);
  EXPECT_EQ(r.etichette.lblCodCom, a.lblCodCom);
  EXPECT_EQ(r.ImportoAcconto, a.ImportoAcconto);
  EXPECT_EQ(r.ImportoSaldo, a.ImportoSaldo);
}

struct Caso {
  const char* nome;
  DatiCalcolo dati;
  Atteso atteso;
};

// In the comments: R rendita after halving and revaluation, T = x * R * rate / 1000,
// Q = M * T / 12 * S / 100, D deduction, A2 advance to the cent, S2 balance to the cent;
// Label12 = euro(A2), Label14 = euro(Q - D - Label12).
const Caso kCasiOrdinari[] = {
    // Each type with rendita 1000, rate 1, no revaluation: T = Q = multiplier.
    {"tipo0",
     {.rendita = 1000, .aliquota = 1, .rivalutazione = 0, .tipologia = 0},
     // T 160, A2 80, S2 80
     {"160,00", "160,00", "0,00", "160,00", "80,00", "0,00", "80,00", "0,00", "3961", "80,00", "80,00"}},
    {"tipo1",
     {.rendita = 1000, .aliquota = 1, .rivalutazione = 0, .tipologia = 1},
     // T 80, A2 40
     {"80,00", "80,00", "0,00", "80,00", "40,00", "0,00", "40,00", "0,00", "3961", "40,00", "40,00"}},
    {"tipo2",
     {.rendita = 1000, .aliquota = 1, .rivalutazione = 0, .tipologia = 2},
     // T 55, A2 27,50 -> 28; balance euro(55 - 28) = 27
     {"55,00", "55,00", "0,00", "55,00", "28,00", "0,00", "27,00", "0,00", "3961", "27,50", "27,50"}},
    {"tipo3",
     {.rendita = 1000, .aliquota = 1, .rivalutazione = 0, .tipologia = 3},
     // T 1 (market value x 1), A2 0,50 -> 1; balance euro(1 - 1) = 0
     {"1,00", "1,00", "0,00", "1,00", "1,00", "0,00", "0,00", "0,00", "3960", "0,50", "0,50"}},
    {"tipo4",
     {.rendita = 1000, .aliquota = 1, .rivalutazione = 0, .tipologia = 4},
     // T 140, A2 70
     {"140,00", "140,00", "0,00", "140,00", "70,00", "0,00", "70,00", "0,00", "3961", "70,00", "70,00"}},
    {"tipo5",
     {.rendita = 1000, .aliquota = 1, .rivalutazione = 0, .tipologia = 5},
     // T 65, A2 32,50 -> 33; balance euro(65 - 33) = 32
     {"65,00", "65,00", "0,00", "65,00", "33,00", "0,00", "32,00", "0,00", "3961", "32,50", "32,50"}},
    {"tipo6",
     {.rendita = 1000, .aliquota = 1, .rivalutazione = 0, .tipologia = 6},
     // T 65, code of rural buildings
     {"65,00", "65,00", "0,00", "65,00", "33,00", "0,00", "32,00", "0,00", "3959", "32,50", "32,50"}},
    {"tipo7",
     {.rendita = 1000, .aliquota = 1, .rivalutazione = 0, .tipologia = 7},
     // T 80
     {"80,00", "80,00", "0,00", "80,00", "40,00", "0,00", "40,00", "0,00", "3961", "40,00", "40,00"}},
    {"rivalutazione5",
     {.rendita = 1000, .aliquota = 2, .rivalutazione = 5},
     // R 1050, T 160 * 1050 * 2 / 1000 = 336, A2 168
     {"336,00", "336,00", "0,00", "336,00", "168,00", "0,00", "168,00", "0,00", "3961", "168,00", "168,00"}},
    {"rivalutazione2virgola5",
     {.rendita = 1000, .aliquota = 1, .rivalutazione = 2.5},
     // R 1025, T 164, A2 82
     {"164,00", "164,00", "0,00", "164,00", "82,00", "0,00", "82,00", "0,00", "3961", "82,00", "82,00"}},
    {"inagibile",
     {.rendita = 1000, .aliquota = 2, .rivalutazione = 5, .inagibile = true},
     // R 500 * 1,05 = 525, T 168, A2 84
     {"168,00", "168,00", "0,00", "168,00", "84,00", "0,00", "84,00", "0,00", "3961", "84,00", "84,00"}},
    {"mesiEQuota",
     {.rendita = 1000, .aliquota = 2, .rivalutazione = 5, .mesi = 6, .quota = 50},
     // T 336, Q 6 * 336 / 12 * 50 / 100 = 84, A2 42
     {"336,00", "84,00", "0,00", "84,00", "42,00", "0,00", "42,00", "0,00", "3961", "42,00", "42,00"}},
    {"mesi9",
     {.rendita = 1000, .aliquota = 2, .rivalutazione = 5, .mesi = 9, .mesiPrimoSemestre = 3},
     // Q 9 * 336 / 12 = 252, A2 126
     {"336,00", "252,00", "0,00", "252,00", "126,00", "0,00", "126,00", "0,00", "3961", "126,00", "126,00"}},
    {"quotaOltre100",
     {.rendita = 1000, .aliquota = 2, .rivalutazione = 5, .quota = 100.5},
     // the share is taken as 100: Q 336
     {"336,00", "336,00", "0,00", "336,00", "168,00", "0,00", "168,00", "0,00", "3961", "168,00", "168,00"}},
    {"abitazioneDetrazioneMinore",
     {.rendita = 1000,
      .aliquota = 2,
      .rivalutazione = 5,
      .abitazionePrincipale = true,
      .detrazione = 200,
      .proprietari = 1},
     // Q 336, D 200, due 136, A2 68, deduction 100 + 100, code 3958
     {"336,00", "336,00", "200,00", "136,00", "68,00", "100,00", "68,00", "100,00", "3958", "68,00", "68,00"}},
    {"abitazioneDueProprietari",
     {.rendita = 1000,
      .aliquota = 2,
      .rivalutazione = 5,
      .abitazionePrincipale = true,
      .detrazione = 200,
      .proprietari = 2},
     // D 200 / 2 = 100, due 236, A2 118, deduction 50 + 50
     {"336,00", "336,00", "100,00", "236,00", "118,00", "50,00", "118,00", "50,00", "3958", "118,00", "118,00"}},
    {"abitazioneMesi6",
     {.rendita = 1000,
      .aliquota = 2,
      .rivalutazione = 5,
      .mesi = 6,
      .mesiPrimoSemestre = 6,
      .abitazionePrincipale = true,
      .detrazione = 100,
      .proprietari = 1},
     // Q 168, D 100 * 6 / 12 = 50, due 118, A2 59, deduction 25 + 25
     {"336,00", "168,00", "50,00", "118,00", "59,00", "25,00", "59,00", "25,00", "3958", "59,00", "59,00"}},
    {"ufficioAbitazione",
     {.rendita = 1000,
      .aliquota = 1,
      .rivalutazione = 0,
      .tipologia = 1,
      .abitazionePrincipale = true,
      .detrazione = 20,
      .proprietari = 1},
     // an office kept as main dwelling: T 80, D 20, due 60, A2 30, code 3958
     {"80,00", "80,00", "20,00", "60,00", "30,00", "10,00", "30,00", "10,00", "3958", "30,00", "30,00"}},
    {"locataQuotaProprietario",
     {.rendita = 1000, .aliquota = 2, .rivalutazione = 5, .locata = true, .percentualeInquilino = 30},
     // T 336, owner 336 - 100,80 = 235,20, A2 117,60 -> 118; balance euro(117,20) = 117
     {"336,00", "235,20", "0,00", "235,20", "118,00", "0,00", "117,00", "0,00", "3961", "117,60", "117,60"}},
    {"locataComeInquilino",
     {.rendita = 1000,
      .aliquota = 2,
      .rivalutazione = 5,
      .locata = true,
      .percentualeInquilino = 10,
      .calcolaInquilino = true},
     // tenant 10 * 336 / 100 = 33,60, A2 16,80 -> 17; balance euro(16,60) = 17
     {"336,00", "33,60", "0,00", "33,60", "17,00", "0,00", "17,00", "0,00", "3961", "16,80", "16,80"}},
    {"locataSenzaPercentuale",
     {.rendita = 1000, .aliquota = 2, .rivalutazione = 5, .locata = true},
     // tenant 0 %: no split
     {"336,00", "336,00", "0,00", "336,00", "168,00", "0,00", "168,00", "0,00", "3961", "168,00", "168,00"}},
    {"dovuto101",
     {.rendita = 101000, .aliquota = 1, .rivalutazione = 0, .tipologia = 3},
     // T 101, A2 50,50 shown 51, balance euro(101 - 51) = 50
     {"101,00", "101,00", "0,00", "101,00", "51,00", "0,00", "50,00", "0,00", "3960", "50,50", "50,50"}},
    {"unica",
     {.rendita = 100400, .aliquota = 1, .rivalutazione = 0, .tipologia = 3, .soluzioneUnica = true},
     // A2 100,40 shown 100; balance euro(0,40) = 0; Label13 = Label11, Label15 "0"
     {"100,40", "100,40", "0,00", "100,40", "100,00", "0,00", "0,00", "0", "3960", "100,40", "0,00"}},
    {"unicaArrotondataInSu",
     {.rendita = 100600, .aliquota = 1, .rivalutazione = 0, .tipologia = 3, .soluzioneUnica = true},
     // A2 100,60 shown 101; balance euro(-0,40) is zero, shown without a sign
     {"100,60", "100,60", "0,00", "100,60", "101,00", "0,00", "0,00", "0", "3960", "100,60", "0,00"}},
    {"unicaConDetrazione",
     {.rendita = 1000,
      .aliquota = 2,
      .rivalutazione = 5,
      .abitazionePrincipale = true,
      .detrazione = 200,
      .proprietari = 1,
      .soluzioneUnica = true},
     // due 136 in one payment, the whole deduction in it
     {"336,00", "336,00", "200,00", "136,00", "136,00", "200,00", "0,00", "0", "3958", "136,00", "0,00"}},
    // Worked out by hand from the rules, one rounding each.
    {"negozioNoveMesiMetaQuota",
     {.rendita = 1234.56,
      .aliquota = 2.5,
      .rivalutazione = 5,
      .tipologia = 2,
      .mesi = 9,
      .mesiPrimoSemestre = 3,
      .quota = 50},
     // R 1296,288, T 55 * R * 2,5 / 1000 = 178,2396, Q 9 * T / 12 * 50 / 100 = 66,83985;
     // A2 33,419925 -> 33,42 shown 33; S2 33,41985 -> 33,42; balance euro(33,83985) = 34
     {"178,24", "66,84", "0,00", "66,84", "33,00", "0,00", "34,00", "0,00", "3961", "33,42", "33,42"}},
    {"inagibileSaldoInSu",
     {.rendita = 2000, .aliquota = 2, .rivalutazione = 5, .tipologia = 5, .inagibile = true},
     // R 1000 * 1,05 = 1050, T 65 * 1050 * 2 / 1000 = 136,50; A2 68,25 shown 68;
     // balance euro(136,50 - 68) = euro(68,50) = 69: the two shown add up to 137
     {"136,50", "136,50", "0,00", "136,50", "68,00", "0,00", "69,00", "0,00", "3961", "68,25", "68,25"}},
    {"inquilinoSeiMesiMetaQuota",
     {.rendita = 1000,
      .aliquota = 2.5,
      .rivalutazione = 5,
      .locata = true,
      .percentualeInquilino = 30,
      .calcolaInquilino = true,
      .mesi = 6,
      .mesiPrimoSemestre = 6,
      .quota = 50},
     // T 160 * 1050 * 2,5 / 1000 = 420, tenant 126, Q 6 * 126 / 12 * 50 / 100 = 31,50;
     // A2 15,75 shown 16, balance euro(15,50) = 16
     {"420,00", "31,50", "0,00", "31,50", "16,00", "0,00", "16,00", "0,00", "3961", "15,75", "15,75"}},
    {"mezzoCentesimoAllAcconto",
     {.rendita = 100010, .aliquota = 1, .rivalutazione = 0, .tipologia = 3},
     // due 100,01: A2 50,005 goes away from zero to 50,01, S2 100,01 - 50,01 = 50,00
     {"100,01", "100,01", "0,00", "100,01", "50,00", "0,00", "50,00", "0,00", "3960", "50,01", "50,00"}},
    {"detrazioneUgualeAllImposta",
     {.rendita = 500,
      .aliquota = 1,
      .rivalutazione = 5,
      .abitazionePrincipale = true,
      .detrazione = 84,
      .proprietari = 1},
     // Q = D = 84: still the ordinary way (D <= Q), zero due shown as amounts, no notice
     {"84,00", "84,00", "84,00", "0,00", "0,00", "42,00", "0,00", "42,00", "3958", "0,00", "0,00"}},
    {"unicaOttoMesiConDetrazione",
     {.rendita = 1000,
      .aliquota = 2,
      .rivalutazione = 5,
      .mesi = 8,
      .mesiPrimoSemestre = 2,
      .abitazionePrincipale = true,
      .detrazione = 200,
      .proprietari = 1,
      .soluzioneUnica = true},
     // Q 8 * 336 / 12 = 224, D 200 * 8 / 12 = 133,33, due 90,67 shown 91;
     // balance euro(90,67 - 91) is zero
     {"336,00", "224,00", "133,33", "90,67", "91,00", "133,33", "0,00", "0", "3958", "90,67", "0,00"}},
};

class CalcoloOrdinario : public testing::TestWithParam<Caso> {};

TEST_P(CalcoloOrdinario, EtichetteEImporti) {
  const RisultatoCalcolo r = CalcolaImposta(GetParam().dati);
  Confronta(r, GetParam().atteso);
  EXPECT_FALSE(r.avviso);
  EXPECT_EQ(r.eccedenza, 0);
}

INSTANTIATE_TEST_SUITE_P(Tasi, CalcoloOrdinario, testing::ValuesIn(kCasiOrdinari),
                         [](const auto& caso) { return std::string(caso.param.nome); });

TEST(Tasi, ValoriNumericiDelRisultato) {
  // R 525, T 168, Q 168, D 200 / 2 = 100, A2 34, S2 34.
  const RisultatoCalcolo r = CalcolaImposta({.rendita = 1000,
                                             .aliquota = 2,
                                             .rivalutazione = 5,
                                             .inagibile = true,
                                             .abitazionePrincipale = true,
                                             .detrazione = 200,
                                             .proprietari = 2});
  EXPECT_DOUBLE_EQ(r.base, 525);
  EXPECT_DOUBLE_EQ(r.impostaImmobile, 168);
  EXPECT_DOUBLE_EQ(r.impostaContribuente, 168);
  EXPECT_DOUBLE_EQ(r.detrazione, 100);
  EXPECT_DOUBLE_EQ(r.detrazioneSpettante, 100);
  EXPECT_DOUBLE_EQ(r.acconto, 34);
  EXPECT_DOUBLE_EQ(r.saldo, 34);
  EXPECT_EQ(r.codiceTributo, 3958);
}

// Deduction larger than the tax: rendita 500, rate 1, revaluation 5: R 525, T 84.
struct CasoEccedenza {
  const char* nome;
  DatiCalcolo dati;
  const char* Label10;
  const char* Label13;
  const char* Label15;
  const char* appunti;
  const char* righeInizio;  // the first two lines of the notice
};

const CasoEccedenza kCasiEccedenza[] = {
    {"dodiciMesi",
     {.rendita = 500,
      .aliquota = 1,
      .rivalutazione = 5,
      .abitazionePrincipale = true,
      .detrazione = 200,
      .proprietari = 1},
     // Q 84, D 200, E 116, deduction used 84 split 42 + 42
     "84,00",
     "42,00",
     "42,00",
     "116,00",
     "Eccedenza d'imposta detraibile = 116,00 euro\r\n(116,00 euro x proprietari: 1)\r\n"},
    {"dueProprietari",
     {.rendita = 500,
      .aliquota = 1,
      .rivalutazione = 5,
      .abitazionePrincipale = true,
      .detrazione = 200,
      .proprietari = 2},
     // D 100, E 16, clipboard 2 x 16 = 32
     "84,00",
     "42,00",
     "42,00",
     "32,00",
     "Eccedenza d'imposta detraibile = 32,00 euro\r\n(16,00 euro x proprietari: 2)\r\n"},
    {"setteMesiQuattroNelPrimo",
     {.rendita = 500,
      .aliquota = 1,
      .rivalutazione = 5,
      .mesi = 7,
      .mesiPrimoSemestre = 4,
      .abitazionePrincipale = true,
      .detrazione = 200,
      .proprietari = 1},
     // Q 7 * 84 / 12 = 49, D 200 * 7 / 12 = 116,67, E 67,67; advance 49 * 4 / 7 = 28, rest 21
     "49,00",
     "28,00",
     "21,00",
     "67,67",
     "Eccedenza d'imposta detraibile = 67,67 euro\r\n(67,67 euro x proprietari: 1)\r\n"},
    {"setteMesiPrimoSemestreVuoto",
     {.rendita = 500,
      .aliquota = 1,
      .rivalutazione = 5,
      .mesi = 7,
      .mesiPrimoSemestre = 0,
      .abitazionePrincipale = true,
      .detrazione = 200,
      .proprietari = 1},
     // 7 months hold at least 1 in the first half: advance 49 * 1 / 7 = 7, rest 42
     "49,00",
     "7,00",
     "42,00",
     "67,67",
     "Eccedenza d'imposta detraibile = 67,67 euro\r\n(67,67 euro x proprietari: 1)\r\n"},
    {"quattroMesiSeiNelPrimo",
     {.rendita = 500,
      .aliquota = 1,
      .rivalutazione = 5,
      .mesi = 4,
      .mesiPrimoSemestre = 6,
      .abitazionePrincipale = true,
      .detrazione = 200,
      .proprietari = 1},
     // Q 28, D 66,67, E 38,67; the first half holds at most the 4 months: 28 + 0
     "28,00",
     "28,00",
     "0,00",
     "38,67",
     "Eccedenza d'imposta detraibile = 38,67 euro\r\n(38,67 euro x proprietari: 1)\r\n"},
    {"treProprietari",
     {.rendita = 500,
      .aliquota = 1,
      .rivalutazione = 5,
      .abitazionePrincipale = true,
      .detrazione = 280,
      .proprietari = 3},
     // D 93,333, E 9,333 shown 9,33; the clipboard holds 3 x E = 28,00, not 3 x 9,33
     "84,00",
     "42,00",
     "42,00",
     "28,00",
     "Eccedenza d'imposta detraibile = 28,00 euro\r\n(9,33 euro x proprietari: 3)\r\n"},
};

class CalcoloEccedenza : public testing::TestWithParam<CasoEccedenza> {};

TEST_P(CalcoloEccedenza, NienteDaVersareEAvviso) {
  const CasoEccedenza& c = GetParam();
  for (const RisultatoCalcolo& r : {CalcolaImposta(c.dati), Fondivomanuale(c.dati, 100, 10)}) {
    EXPECT_EQ(r.etichette.Label8, "84,00");
    EXPECT_EQ(r.etichette.Label10, c.Label10);
    EXPECT_EQ(r.etichette.Label11, c.Label10);
    EXPECT_EQ(r.etichette.Label18, "0");
    EXPECT_EQ(r.etichette.Label12, "0");
    EXPECT_EQ(r.etichette.Label14, "0");
    EXPECT_EQ(r.etichette.Label13, c.Label13);
    EXPECT_EQ(r.etichette.Label15, c.Label15);
    EXPECT_EQ(r.ImportoAcconto, "0,00");
    EXPECT_EQ(r.ImportoSaldo, "0,00");
    // The code is written in this branch too, so it is never the previous property's.
    EXPECT_EQ(r.etichette.lblCodCom, "3958");
    ASSERT_TRUE(r.avviso);
    EXPECT_EQ(r.avviso->titolo, "Quotara - Eccedenza imposta detraibile");
    EXPECT_EQ(r.avviso->appunti, c.appunti);
    EXPECT_EQ(r.avviso->testo.rfind(c.righeInizio, 0), 0u) << r.avviso->testo;
  }
}

INSTANTIATE_TEST_SUITE_P(Tasi, CalcoloEccedenza, testing::ValuesIn(kCasiEccedenza),
                         [](const auto& caso) { return std::string(caso.param.nome); });

TEST(Tasi, TestoCompletoDellAvviso) {
  const RisultatoCalcolo r = CalcolaImposta({.rendita = 500,
                                             .aliquota = 1,
                                             .rivalutazione = 5,
                                             .abitazionePrincipale = true,
                                             .detrazione = 200,
                                             .proprietari = 1});
  ASSERT_TRUE(r.avviso);
  EXPECT_EQ(r.avviso->testo,
            "Eccedenza d'imposta detraibile = 116,00 euro\r\n"
            "(116,00 euro x proprietari: 1)\r\n"
            "\r\n"
            "Ai sensi della Circolare dell'Agenzia delle Entrate n. 114 del 25/5/99\r\n"
            "tale eccedenza può essere computata sull'imposta dovuta per UNA pertinenza\r\n"
            "cui va riservato lo stesso trattamento fiscale dell'abitazione principale.\r\n"
            "\r\n"
            "Tale importo verrà copiato negli appunti e potrà essere incollato\r\n"
            "nella voce detrazione nel calcolo della pertinenza dell'abitazione.");
}

TEST(Tasi, ProprietariZeroNonDivide) {
  // An unchecked owners box reads 0: the deduction is counted for one owner.
  const RisultatoCalcolo r = CalcolaImposta({.rendita = 1000,
                                             .aliquota = 2,
                                             .rivalutazione = 5,
                                             .abitazionePrincipale = true,
                                             .detrazione = 200,
                                             .proprietari = 0});
  EXPECT_EQ(r.etichette.Label11, "200,00");
  EXPECT_EQ(r.etichette.Label18, "136,00");
}

TEST(Tasi, MesiFuoriIntervalloContanoDodici) {
  for (int mesi : {0, 13, -1}) {
    const RisultatoCalcolo r = CalcolaImposta({.rendita = 1000, .aliquota = 2, .rivalutazione = 5, .mesi = mesi});
    EXPECT_EQ(r.etichette.Label10, "336,00") << mesi;
  }
}

struct CasoManuale {
  const char* nome;
  DatiCalcolo dati;
  double versato;
  double detrazioneVersata;
  Atteso atteso;
};

const CasoManuale kCasiManuali[] = {
    {"senzaDetrazione",
     {.rendita = 1000, .aliquota = 2, .rivalutazione = 5},
     150,
     0,
     // Q 336, A2 150, S2 186, balance euro(336 - 150) = 186
     {"336,00", "336,00", "0,00", "336,00", "150,00", "0,00", "186,00", "0,00", "3961", "150,00", "186,00"}},
    {"conDetrazione",
     {.rendita = 1000,
      .aliquota = 2,
      .rivalutazione = 5,
      .abitazionePrincipale = true,
      .detrazione = 200,
      .proprietari = 1},
     60,
     100,
     // due 136, A2 60, S2 76; deduction 100 paid, 200 - 100 left
     {"336,00", "336,00", "200,00", "136,00", "60,00", "100,00", "76,00", "100,00", "3958", "60,00", "76,00"}},
    {"versatoAlCentesimo",
     {.rendita = 1000, .aliquota = 2, .rivalutazione = 5},
     150.456,
     0,
     // A2 150,46 shown 150; S2 336 - 150,46 = 185,54; balance euro(336 - 150) = 186
     {"336,00", "336,00", "0,00", "336,00", "150,00", "0,00", "186,00", "0,00", "3961", "150,46", "185,54"}},
    {"versatoOltreIlDovuto",
     {.rendita = 100400, .aliquota = 1, .rivalutazione = 0, .tipologia = 3},
     111,
     0,
     // due 100,40, A2 111, S2 -10,60; balance euro(100,40 - 111) = -10 (toward zero)
     {"100,40", "100,40", "0,00", "100,40", "111,00", "0,00", "-10,00", "0,00", "3960", "111,00", "-10,60"}},
    {"versatoMezzoCentesimo",
     {.rendita = 750,
      .aliquota = 1.5,
      .rivalutazione = 5,
      .abitazionePrincipale = true,
      .detrazione = 50,
      .proprietari = 1},
     69.505,
     25,
     // T 160 * 787,5 * 1,5 / 1000 = 189, due 139; A2 69,505 -> 69,51 shown 70;
     // S2 139 - 69,51 = 69,49; balance euro(139 - 70) = 69; deduction 25 paid, 25 left
     {"189,00", "189,00", "50,00", "139,00", "70,00", "25,00", "69,00", "25,00", "3958", "69,51", "69,49"}},
    {"unicaIgnorata",
     {.rendita = 1000, .aliquota = 2, .rivalutazione = 5, .soluzioneUnica = true},
     150,
     0,
     {"336,00", "336,00", "0,00", "336,00", "150,00", "0,00", "186,00", "0,00", "3961", "150,00", "186,00"}},
};

class CalcoloManuale : public testing::TestWithParam<CasoManuale> {};

TEST_P(CalcoloManuale, SaldoDallAccontoVersato) {
  const CasoManuale& c = GetParam();
  Confronta(Fondivomanuale(c.dati, c.versato, c.detrazioneVersata), c.atteso);
}

INSTANTIATE_TEST_SUITE_P(Tasi, CalcoloManuale, testing::ValuesIn(kCasiManuali),
                         [](const auto& caso) { return std::string(caso.param.nome); });

TEST(Tasi, Semestri) {
  const struct {
    int mesi, primo, attesoPrimo, attesoSecondo;
  } casi[] = {
      {12, 6, 6, 6},
      {12, 2, 6, 6},
      {9, 2, 3, 6},
      {9, 6, 6, 3},
      {9, 4, 4, 5},
      {4, 6, 4, 0},
      {4, 0, 0, 4},
      {7, 0, 1, 6},
      {1, 1, 1, 0},
      {5, 9, 5, 0},
      // months outside 0-12 (a box being typed into) are taken within it
      {13, 2, 6, 6},
      {0, 3, 0, 0},
      {-1, 3, 0, 0},
  };
  for (const auto& c : casi) {
    const Semestri s = DividiSemestri(c.mesi, c.primo);
    EXPECT_EQ(s.primo, c.attesoPrimo) << c.mesi << " " << c.primo;
    EXPECT_EQ(s.secondo, c.attesoSecondo) << c.mesi << " " << c.primo;
  }
}

TEST(Tasi, TabellaTipologie) {
  const int moltiplicatori[] = {160, 80, 55, 1, 140, 65, 65, 80};
  const int codici[] = {3961, 3961, 3961, 3960, 3961, 3961, 3959, 3961};
  for (int t = 0; t < 8; ++t) {
    EXPECT_EQ(Moltiplicatore(t), moltiplicatori[t]);
    EXPECT_EQ(CodiceTributoTipologia(t), codici[t]);
  }
  EXPECT_EQ(Moltiplicatore(8), 0);
  EXPECT_EQ(CodiceTributoTipologia(-1), 0);
}

}  // namespace
