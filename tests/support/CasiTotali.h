#pragma once
// Archives of "tasi.dat" lines and what the totals page shows for them once
// the taxpayer is chosen: the municipalities and years in the order of their
// lists, the code, the properties, every caption and the notice. The totals
// tests and the page's tests share them.
#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace f24::testing {

// One archived calculation, with the fields that the totals read; the other
// fields hold a plausible calculation.
struct Riga {
  std::string contribuente = "ROSSI MARIO";
  std::string indirizzo = "VIA ROMA 1";
  std::string comune = "TORINO";
  std::string anno = "2026";
  std::string tipologia = "1";   // field 14
  std::string principale = "0";  // field 15
  std::string imposta = "0,00";  // field 17
  std::string acconto = "0,00";  // field 19
  std::string detrazioneAcconto = "0,00";
  std::string saldo = "0,00";  // field 21
  std::string detrazioneSaldo = "0,00";
  std::string codice = "L219";  // field 28

  std::string Linea() const {
    return contribuente + ";" + indirizzo + ";" + comune + ";" + anno + ";1.000,00;2.5;5;0;0,00;12;6;6;100;" +
           tipologia + ";" + principale + ";" + imposta + ";" + imposta + ";0,00;" + acconto + ";" + detrazioneAcconto +
           ";" + saldo + ";" + detrazioneSaldo + ";1;0;0;3961;0;" + codice;
  }
};

// The captions in the order of EtichetteTotali::Voci():
//   Label4 Label5 Label22 | Label6 Label7 Label8 Label9 | Label30 Label29 | Label12 Label17 Label28
//   advance Label14 Label15 Label16 Label54 | balance Label19 Label20 Label21 Label56
//   single Label26 Label25 Label24 Label58 | lblNpr lblNaltri lblNafa lblNstru
//   lblPrinc1 2 U | lblAltri1 2 U | lblAree1 2 U | lblStru1 2 U
using Didascalie = std::array<const char*, 40>;

struct CasoTotali {
  const char* nome;
  std::vector<std::string> righe;  // the archive, in file order
  std::string contribuente;        // the taxpayer the user picks
  // What the cascade shows: municipalities as their list sorts them, the one
  // chosen (the first), years newest first, the one chosen (the first).
  std::vector<std::string> comuni;
  std::vector<std::string> anni;
  std::string codice;                 // lblCodCat
  std::vector<std::string> immobili;  // List1
  // False when the cascade stops on an empty municipality: no totals, the
  // captions keep (or go back to) their initial texts.
  bool totali = true;
  Didascalie didascalie{};
  bool avviso = false;

  std::string comune() const { return comuni.empty() ? "" : comuni.front(); }
  std::string anno() const { return anni.empty() ? "" : anni.front(); }
};

inline void PrintTo(const CasoTotali& c, std::ostream* os) { *os << c.nome; }

template <typename... R>
std::vector<std::string> Righe(const R&... r) {
  return {r.Linea()...};
}

// Every case, each from an edge of the totals or a fault they must survive.
inline const std::vector<CasoTotali>& CasiTotali() {
  static const std::vector<CasoTotali> casi = {
      {.nome = "MainDwellingAlone",
       .righe = Righe(Riga{.tipologia = "0",
                           .principale = "1",
                           .imposta = "250,00",
                           .acconto = "100,00",
                           .detrazioneAcconto = "25,00",
                           .saldo = "100,00",
                           .detrazioneSaldo = "25,00"}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"TORINO"},
       .anni = {"2026"},
       .codice = "L219",
       .immobili = {"VIA ROMA 1"},
       .didascalie = {"200,00", "50,00",  "250,00", "100,00", "25,00", "100,00", "25,00", "200,00", "50,00", "1",
                      "1",      "1",      "--",     "100,00", "--",    "--",     "--",    "100,00", "--",    "--",
                      "--",     "200,00", "--",     "--",     "1",     "0",      "0",     "0",      "100",   "100",
                      "200,00", "--",     "--",     "--",     "--",    "--",     "--",    "---",    "---",   "--"}},

      // Four categories with both instalments, as the totals report's figures.
      {.nome = "FourCategories",
       .righe = Righe(Riga{.indirizzo = "VIA PO 2",
                           .tipologia = "0",
                           .principale = "1",
                           .imposta = "300,00",
                           .acconto = "100,00",
                           .detrazioneAcconto = "50,00",
                           .saldo = "100,00",
                           .detrazioneSaldo = "50,00",
                           .codice = "H501"},
                      Riga{.indirizzo = "VIA PO 4",
                           .tipologia = "0",
                           .principale = "0",
                           .imposta = "160,50",
                           .acconto = "80,25",
                           .saldo = "80,25",
                           .codice = "H501"},
                      Riga{.indirizzo = "STRADA DEI CAMPI",
                           .tipologia = "3",
                           .principale = "1",
                           .imposta = "81,00",
                           .acconto = "40,50",
                           .saldo = "40,50",
                           .codice = "H501"},
                      Riga{.indirizzo = "CASCINA BIANCA",
                           .tipologia = "6",
                           .imposta = "30,00",
                           .acconto = "15,00",
                           .saldo = "15,00",
                           .codice = "H501"}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"TORINO"},
       .anni = {"2026"},
       .codice = "H501",
       .immobili = {"VIA PO 2", "VIA PO 4", "STRADA DEI CAMPI", "CASCINA BIANCA"},
       .didascalie = {"471,50", "100,00", "571,50", "236,00", "50,00", "236,00", "50,00", "472,00", "100,00", "4",
                      "4",      "4",      "41,00",  "100,00", "80,00", "15,00",  "40,00", "100,00", "81,00",  "15,00",
                      "81,00",  "200,00", "161,00", "30,00",  "1",     "1",      "1",     "1",      "100",    "100",
                      "200,00", "80,25",  "80,25",  "160,50", "40,5",  "40,5",   "81,00", "15",     "15",     "30,00"}},

      // Main dwelling 150, other buildings 80 (two), building land 40 in each
      // instalment, a balance deduction of 50.
      {.nome = "ThreeCategoriesWithABalanceDeduction",
       .righe = Righe(Riga{.anno = "2014",
                           .tipologia = "0",
                           .principale = "1",
                           .imposta = "300,00",
                           .acconto = "150,00",
                           .saldo = "150,00",
                           .detrazioneSaldo = "50,00",
                           .codice = "H501"},
                      Riga{.indirizzo = "VIA PO 4",
                           .anno = "2014",
                           .imposta = "80,00",
                           .acconto = "40,00",
                           .saldo = "40,00",
                           .codice = "H501"},
                      Riga{.indirizzo = "VIA PO 6",
                           .anno = "2014",
                           .imposta = "80,00",
                           .acconto = "40,00",
                           .saldo = "40,00",
                           .codice = "H501"},
                      Riga{.indirizzo = "STRADA DEI CAMPI",
                           .anno = "2014",
                           .tipologia = "3",
                           .imposta = "80,00",
                           .acconto = "40,00",
                           .saldo = "40,00",
                           .codice = "H501"}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"TORINO"},
       .anni = {"2014"},
       .codice = "H501",
       .immobili = {"VIA ROMA 1", "VIA PO 4", "VIA PO 6", "STRADA DEI CAMPI"},
       .didascalie = {"540,00", "50,00",  "540,00", "270,00", "0,00",  "270,00", "50,00", "540,00", "50,00", "4",
                      "4",      "4",      "40,00",  "150,00", "80,00", "--",     "40,00", "150,00", "80,00", "--",
                      "80,00",  "300,00", "160,00", "--",     "1",     "2",      "1",     "0",      "150",   "150",
                      "300,00", "80",     "80",     "160,00", "40",    "40",     "80,00", "---",    "---",   "--"}},

      // 10,40 twice in each instalment: the advance rounds the sum (21), the
      // balance is the rounded year less the rounded advance; the same
      // address is listed twice.
      {.nome = "RoundingOfSums",
       .righe = Righe(Riga{.imposta = "20,80", .acconto = "10,40", .saldo = "10,40"},
                      Riga{.imposta = "20,80", .acconto = "10,40", .saldo = "10,40"}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"TORINO"},
       .anni = {"2026"},
       .codice = "L219",
       .immobili = {"VIA ROMA 1", "VIA ROMA 1"},
       .didascalie = {"41,60", "0,00", "41,60", "21,00", "0,00",  "21,00", "0,00", "42,00", "0,00",  "2",
                      "2",     "2",    "--",    "--",    "21,00", "--",    "--",   "--",    "21,00", "--",
                      "--",    "--",   "42,00", "--",    "0",     "2",     "0",    "0",     "---",   "---",
                      "--",    "20,8", "20,8",  "41,60", "--",    "--",    "--",   "---",   "---",   "--"}},

      // A rural balance of exactly 1,00 is not shown; one line with field 19
      // at 0 adds nothing to the advance count.
      {.nome = "RuralBalanceOfOneEuro",
       .righe = Righe(Riga{.tipologia = "6", .imposta = "1,00", .saldo = "1,00"}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"TORINO"},
       .anni = {"2026"},
       .codice = "L219",
       .immobili = {"VIA ROMA 1"},
       // No row carries the rural euro, so neither instalment holds it.
       .didascalie = {"1,00", "0,00", "1,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "--",
                      "1",    "--",   "--",   "--",   "--",   "--",   "--",   "--",   "--",   "--",
                      "--",   "--",   "--",   "--",   "0",    "0",    "0",    "1",    "---",  "---",
                      "--",   "--",   "--",   "--",   "--",   "--",   "--",   "---",  "1",    "1,00"},
       .avviso = true},

      {.nome = "RuralBalanceAboveOneEuro",
       .righe = Righe(Riga{.tipologia = "6", .imposta = "1,01", .saldo = "1,01"}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"TORINO"},
       .anni = {"2026"},
       .codice = "L219",
       .immobili = {"VIA ROMA 1"},
       .didascalie = {"1,01", "0,00", "1,01", "0,00", "0,00", "1,00", "0,00", "1,00", "0,00", "--",
                      "1",    "--",   "--",   "--",   "--",   "--",   "--",   "--",   "--",   "1,00",
                      "--",   "--",   "--",   "1,00", "0",    "0",    "0",    "1",    "---",  "---",
                      "--",   "--",   "--",   "--",   "--",   "--",   "--",   "---",  "1,01", "1,01"},
       .avviso = true},

      // Field 14 "0" with field 15 "0" is another building; "3" is building
      // land whatever field 15 holds. Due exactly 12 euro: the notice.
      {.nome = "CategoriesByTypeAndTwelveEuroNotice",
       .righe = Righe(Riga{.tipologia = "0", .principale = "0", .imposta = "8,00", .acconto = "4,00", .saldo = "4,00"},
                      Riga{.indirizzo = "VIA PO 2",
                           .tipologia = "3",
                           .principale = "1",
                           .imposta = "4,00",
                           .acconto = "2,00",
                           .saldo = "2,00"}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"TORINO"},
       .anni = {"2026"},
       .codice = "L219",
       .immobili = {"VIA ROMA 1", "VIA PO 2"},
       .didascalie = {"12,00", "0,00", "12,00", "6,00", "0,00", "6,00", "0,00", "12,00", "0,00", "2",
                      "2",     "2",    "2,00",  "--",   "4,00", "--",   "2,00", "--",    "4,00", "--",
                      "4,00",  "--",   "8,00",  "--",   "0",    "1",    "1",    "0",     "---",  "---",
                      "--",    "4",    "4",     "8,00", "2",    "2",    "4,00", "---",   "---",  "--"},
       .avviso = true},

      // An office with the main-dwelling flag is another building.
      {.nome = "FlaggedOfficeIsAnotherBuilding",
       .righe =
           Righe(Riga{.tipologia = "2", .principale = "1", .imposta = "40,00", .acconto = "20,00", .saldo = "20,00"}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"TORINO"},
       .anni = {"2026"},
       .codice = "L219",
       .immobili = {"VIA ROMA 1"},
       .didascalie = {"40,00", "0,00", "40,00", "20,00", "0,00",  "20,00", "0,00", "40,00", "0,00",  "1",
                      "1",     "1",    "--",    "--",    "20,00", "--",    "--",   "--",    "20,00", "--",
                      "--",    "--",   "40,00", "--",    "0",     "1",     "0",    "0",     "---",   "---",
                      "--",    "20",   "20",    "40,00", "--",    "--",    "--",   "---",   "---",   "--"}},

      // Due exactly 13 euro: no notice.
      {.nome = "ThirteenEuroWithoutNotice",
       .righe = Righe(Riga{.imposta = "13,00", .acconto = "6,50", .saldo = "6,50"}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"TORINO"},
       .anni = {"2026"},
       .codice = "L219",
       .immobili = {"VIA ROMA 1"},
       .didascalie = {"13,00", "0,00", "13,00", "7,00",  "0,00", "6,00", "0,00", "13,00", "0,00", "1",
                      "1",     "1",    "--",    "--",    "7,00", "--",   "--",   "--",    "6,00", "--",
                      "--",    "--",   "13,00", "--",    "0",    "1",    "0",    "0",     "---",  "---",
                      "--",    "6,5",  "6,5",   "13,00", "--",   "--",   "--",   "---",   "---",  "--"}},

      // No tax at all: "--" for the tax, 0,00 for due and deduction.
      {.nome = "NoTax",
       .righe = Righe(Riga{}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"TORINO"},
       .anni = {"2026"},
       .codice = "L219",
       .immobili = {"VIA ROMA 1"},
       .didascalie = {"0,00", "0,00", "--", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "--",
                      "--",   "--",   "--", "--",   "--",   "--",   "--",   "--",   "--",   "--",
                      "--",   "--",   "--", "--",   "0",    "1",    "0",    "0",    "---",  "---",
                      "--",   "--",   "--", "--",   "--",   "--",   "--",   "---",  "---",  "--"},
       .avviso = true},

      // A main dwelling paid in December only, with the deduction in June.
      {.nome = "MainDwellingWithoutAdvance",
       .righe = Righe(Riga{.tipologia = "0",
                           .principale = "1",
                           .imposta = "150,00",
                           .detrazioneAcconto = "50,00",
                           .saldo = "100,00",
                           .codice = "A944"}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"TORINO"},
       .anni = {"2026"},
       .codice = "A944",
       .immobili = {"VIA ROMA 1"},
       .didascalie = {"100,00", "50,00",  "150,00", "0,00", "50,00", "100,00", "0,00", "100,00", "50,00", "--",
                      "1",      "--",     "--",     "--",   "--",    "--",     "--",   "100,00", "--",    "--",
                      "--",     "100,00", "--",     "--",   "1",     "0",      "0",    "0",      "---",   "100",
                      "100,00", "--",     "--",     "--",   "--",    "--",     "--",   "---",    "---",   "--"}},

      // "Roma" and "ROMA" are two entries; the list shows the lines written
      // as chosen, the totals count both.
      {.nome = "MunicipalityCaseIgnoredInTotalsOnly",
       .righe = Righe(Riga{.indirizzo = "VIA A",
                           .comune = "Roma",
                           .imposta = "20,00",
                           .acconto = "10,00",
                           .saldo = "10,00",
                           .codice = "H501"},
                      Riga{.indirizzo = "VIA B",
                           .comune = "ROMA",
                           .imposta = "10,00",
                           .acconto = "5,00",
                           .saldo = "5,00",
                           .codice = "H501"}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"Roma", "ROMA"},
       .anni = {"2026"},
       .codice = "H501",
       .immobili = {"VIA A"},
       .didascalie = {"30,00", "0,00", "30,00", "15,00", "0,00",  "15,00", "0,00", "30,00", "0,00",  "2",
                      "2",     "2",    "--",    "--",    "15,00", "--",    "--",   "--",    "15,00", "--",
                      "--",    "--",   "30,00", "--",    "0",     "2",     "0",    "0",     "---",   "---",
                      "--",    "15",   "15",    "30,00", "--",    "--",    "--",   "---",   "---",   "--"}},

      // Three years, newest first, the newest totalled; the code is that of
      // the first line of the municipality that has one, whoever it belongs
      // to (a short line without field 28 comes first).
      {.nome = "NewestYearAndCodeOfAnyTaxpayer",
       .righe = {"BIANCHI LUCA;VIA MILANO 3;BRA;2026;1.000,00",
                 Riga{.contribuente = "BIANCHI LUCA", .comune = "BRA", .codice = "B111"}.Linea(),
                 Riga{.comune = "BRA",
                      .anno = "2024",
                      .imposta = "30,00",
                      .acconto = "15,00",
                      .saldo = "15,00",
                      .codice = ""}
                     .Linea(),
                 Riga{.comune = "BRA", .imposta = "40,00", .acconto = "20,00", .saldo = "20,00", .codice = ""}.Linea(),
                 Riga{.comune = "BRA",
                      .anno = "2025",
                      .imposta = "50,00",
                      .acconto = "25,00",
                      .saldo = "25,00",
                      .codice = ""}
                     .Linea()},
       .contribuente = "ROSSI MARIO",
       .comuni = {"BRA"},
       .anni = {"2026", "2025", "2024"},
       .codice = "B111",
       .immobili = {"VIA ROMA 1"},
       .didascalie = {"40,00", "0,00", "40,00", "20,00", "0,00",  "20,00", "0,00", "40,00", "0,00",  "1",
                      "1",     "1",    "--",    "--",    "20,00", "--",    "--",   "--",    "20,00", "--",
                      "--",    "--",   "40,00", "--",    "0",     "1",     "0",    "0",     "---",   "---",
                      "--",    "20",   "20",    "40,00", "--",    "--",    "--",   "---",   "---",   "--"}},

      // Empty and non-numeric fields read as 0; field 14 "3abc" begins with
      // 3; nothing stops the totals.
      {.nome = "EmptyAndNonNumericFieldsReadAsZero",
       .righe = Righe(Riga{.tipologia = "", .principale = "1", .imposta = "n/d", .acconto = "", .saldo = "abc"},
                      Riga{.indirizzo = "VIA PO 2",
                           .tipologia = "x",
                           .principale = "",
                           .imposta = "",
                           .acconto = "30,00",
                           .detrazioneAcconto = "abc",
                           .saldo = ""},
                      Riga{.indirizzo = "VIA PO 4",
                           .tipologia = "3abc",
                           .principale = "",
                           .imposta = "?",
                           .acconto = "",
                           .saldo = "12,00",
                           .detrazioneSaldo = ""}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"TORINO"},
       .anni = {"2026"},
       .codice = "L219",
       .immobili = {"VIA ROMA 1", "VIA PO 2", "VIA PO 4"},
       .didascalie = {"42,00", "0,00", "--",    "30,00", "0,00",  "12,00", "0,00",  "42,00", "0,00", "1",
                      "1",     "1",    "--",    "--",    "30,00", "--",    "12,00", "--",    "--",   "--",
                      "12,00", "--",   "30,00", "--",    "1",     "1",     "1",     "0",     "---",  "---",
                      "--",    "30",   "--",    "30,00", "--",    "12",    "12,00", "---",   "---",  "--"}},

      // A negative balance (allowed by the calculation) is shown as it is.
      {.nome = "NegativeBalanceIsShown",
       .righe = Righe(Riga{.imposta = "50,00", .acconto = "40,00", .saldo = "-10,00"}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"TORINO"},
       .anni = {"2026"},
       .codice = "L219",
       .immobili = {"VIA ROMA 1"},
       // The negative balance has no row: the balance instalment is 0.
       .didascalie = {"30,00", "0,00", "50,00", "40,00", "0,00",  "0,00", "0,00", "30,00", "0,00",   "1",
                      "1",     "1",    "--",    "--",    "40,00", "--",   "--",   "--",    "-10,00", "--",
                      "--",    "--",   "30,00", "--",    "0",     "1",    "0",    "0",     "---",    "---",
                      "--",    "40",   "-10",   "30,00", "--",    "--",   "--",   "---",   "---",    "--"}},

      // The first municipality of the taxpayer in list order is empty: the
      // cascade stops there and shows nothing.
      {.nome = "EmptyMunicipalityStopsTheCascade",
       .righe = Righe(Riga{.comune = "TORINO", .imposta = "20,00", .acconto = "10,00", .saldo = "10,00"},
                      Riga{.indirizzo = "VIA PO 2", .comune = ""}),
       .contribuente = "ROSSI MARIO",
       .comuni = {"", "TORINO"},
       .anni = {},
       .codice = "",
       .immobili = {},
       .totali = false,
       .didascalie = {"", "", "", "", "",  "",  "",  "",  "",  "",  "",  "",  "",  "",  "",  "",  "",  "",  "",  "",
                      "", "", "", "", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
  };
  return casi;
}

// Archives whose categories round apart, with the instalments the totals
// show: advance, balance, single payment. Each is what the F24 rows carry,
// every row rounded to the euro by itself.
struct CasoRate {
  const char* nome;
  std::vector<std::string> righe;  // of ROSSI MARIO, TORINO (L219), 2026
  std::array<const char*, 3> rate;
};

inline void PrintTo(const CasoRate& c, std::ostream* os) { *os << c.nome; }

inline const std::vector<CasoRate>& CasiRate() {
  // One line of a category with the same advance and balance.
  const auto riga = [](const char* tipologia, const char* principale, const char* rata) {
    return Riga{.indirizzo = std::string("VIA ") + tipologia + principale,
                .tipologia = tipologia,
                .principale = principale,
                .imposta = rata,
                .acconto = rata,
                .saldo = rata};
  };
  static const std::vector<CasoRate> casi = {
      // Rows 150 + 90 + 40 + 5 = 285, where the rounded sum 286,60 gave 287.
      {"FourCategoriesRoundedApart",
       Righe(riga("0", "1", "150,40"), riga("1", "0", "90,40"), riga("3", "0", "40,40"), riga("6", "0", "5,40")),
       {"285,00", "288,00", "574,00"}},
      // December rows 2 and 2, where the whole less the advance gave 5.
      {"HalfEuroInTwoCategories", Righe(riga("1", "0", "2,50"), riga("3", "0", "2,50")), {"6,00", "4,00", "10,00"}},
      // Every category at x,50; the other buildings' balance rounds to 0 and gives no row.
      {"HalfEuroInEveryCategory",
       Righe(riga("0", "1", "10,50"), riga("1", "0", "0,50"), riga("3", "0", "7,50"), riga("6", "0", "1,50")),
       {"22,00", "19,00", "40,00"}},
      // A rural sum of 1 euro gives no row; both instalments together (2) give one.
      {"RuralOfOneEuro", Righe(riga("1", "0", "10,50"), riga("6", "0", "1,00")), {"11,00", "10,00", "23,00"}},
  };
  return casi;
}

}  // namespace f24::testing
