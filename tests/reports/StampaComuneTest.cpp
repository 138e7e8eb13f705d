// The totals report in both variants: every text and its place, the F24
// rows by category, the property list in one or two columns and continued
// on following pages, the file it writes and opens.
#include <array>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <filesystem>

#include "support/CasiTotali.h"
#include "ReportsFixture.h"
#include "reports/Stampe.h"

namespace reports::testing {
namespace {

namespace fs = std::filesystem;
using f24::testing::CasiTotali;
using f24::testing::CasoTotali;

struct Atteso {
  std::string testo;
  double x, y;
  bool destra = false;
};

class StampaComune : public ReportsTest {
 protected:
  // What the totals page shows for a case of the totals table.
  static DatiTotaliComune Dati(std::string_view nome) {
    for (const CasoTotali& c : CasiTotali()) {
      if (nome != c.nome) continue;
      const f24::SceltaTotali scelta{c.contribuente, c.comune(), c.anno()};
      return {c.contribuente, c.comune(), c.anno(), c.codice, f24::CalcolaTotali(c.righe, scelta), c.immobili};
    }
    throw std::invalid_argument(std::string(nome));
  }

  static std::vector<std::string> Immobili(int quanti) {
    std::vector<std::string> v;
    for (int i = 1; i <= quanti; ++i) v.push_back("VIA NUMERO " + std::to_string(i));
    return v;
  }

  std::string stampa(const DatiTotaliComune& dati, bool unica) {
    MostraStampa(unica ? StampaComuneUnicaPdf(dati, desk.now()) : StampaComunePdf(dati, desk.now()));
    const std::string file = temp("comunetasi.pdf");
    EXPECT_EQ(ControllaPdf(file), "");
    EXPECT_EQ(desk.openedDocuments().back(), file);
    return file;
  }

  // Like TestoIn, for a text that shares its line with another text drawn
  // over it (the footer line): the words in order, others between them.
  static bool TestoSovrapposto(const std::vector<Parola>& parole, const std::string& testo, double x, double y) {
    std::istringstream in(testo);
    std::vector<std::string> cercate;
    for (std::string w; in >> w;) cercate.push_back(w);
    size_t k = 0;
    for (const Parola& p : parole) {
      if (k == cercate.size()) break;
      if (p.testo != cercate[k] || std::abs(p.y - y) > 0.1) continue;
      if (k == 0 && std::abs(p.x0 - x) > 0.1) continue;
      ++k;
    }
    return k == cercate.size();
  }

  static void Controlla(const std::vector<Parola>& parole, const std::vector<Atteso>& attesi) {
    for (const auto& a : attesi)
      EXPECT_TRUE(TestoIn(parole, a.testo, a.x, a.y, a.destra)) << a.testo << " at " << a.x << ", " << a.y;
  }
};

// The frame and the blocks above the F24 section, common to both variants.
const std::vector<Atteso> kTesta = {
    {"Quotara complessivo per comune anno 2026", 1.5, 27},
    {"giovedì 10 dicembre 2026", 15, 27},
    {"Contribuente:", 1.5, 26},
    {"ROSSI MARIO", 9, 26},
    {"Comune di ubicazione:", 1.5, 25.4},
    {"TORINO", 9, 25.4},
    {"Totale versamento TASI del contribuente per il comune di TORINO", 1.5, 24.3},
    {"Imposta TASI totale:", 1.5, 23},
    {"571,50", 10, 23, true},
    {"Detrazione totale:", 1.5, 22.4},
    {"100,00", 10, 22.4, true},
    {"Versamento TASI dovuto:", 1.5, 21.8},
    {"471,50", 10, 21.8, true},
    {"Dati e codici per F24", 1.5, 15.2},
    {"Stampato con Quotara - 2026", 1.5, 1},
    {"pag. 1", 19, 1, true},
    {"di 1", 19.1, 1},
};

TEST_F(StampaComune, TwoInstalmentsOfFourCategories) {
  const std::string file = stampa(Dati("FourCategories"), false);
  const auto parole = Parole(file);
  Controlla(parole, kTesta);
  Controlla(parole, {
                        {"Rata in acconto (Giugno):", 1.5, 20.6},
                        {"236,00", 10, 20.6, true},
                        {"Rata a saldo (Dicembre):", 11, 20.6},
                        {"236,00", 19, 20.6, true},
                        {"Detrazione in acconto:", 1.5, 20},
                        {"50,00", 10, 20, true},
                        {"Detrazione a saldo:", 11, 20},
                        {"50,00", 19, 20, true},
                        {"Numero fabbricati:", 1.5, 19.4},
                        {"4", 10, 19.4, true},
                        {"Numero fabbricati:", 11, 19.4},
                        {"4", 19, 19.4, true},
                        {"Aree fabbricabili:", 1.5, 18.8},
                        {"41,00", 10, 18.8, true},
                        {"Aree fabbricabili:", 11, 18.8},
                        {"40,00", 19, 18.8, true},
                        {"Abitazione principale:", 1.5, 18.2},
                        {"100,00", 10, 18.2, true},
                        {"Abitazione principale:", 11, 18.2},
                        {"100,00", 19, 18.2, true},
                        {"Altri fabbricati:", 1.5, 17.6},
                        {"80,00", 10, 17.6, true},
                        {"Altri fabbricati:", 11, 17.6},
                        {"81,00", 19, 17.6, true},
                        {"Immobili strumentali:", 1.5, 17},
                        {"15,00", 10, 17, true},
                        {"Immobili strumentali:", 11, 17},
                        {"15,00", 19, 17, true},
                        // June
                        {"Acconto", 1.5, 14},
                        {"Cod.Com.", 3.5, 14},
                        {"N. Imm.", 5.5, 14},
                        {"Codice tributo", 7.5, 14},
                        {"Importo", 12, 14},
                        {"Detrazione", 15, 14},
                        {"H501", 3.5, 13.5},
                        {"1", 5.5, 13.5},
                        {"3958", 7.5, 13.5},
                        {"100,00", 13.2, 13.5, true},
                        {"50,00", 16.7, 13.5, true},
                        {"3961", 7.5, 13},
                        {"80,00", 13.2, 13, true},
                        {"3960", 7.5, 12.5},
                        {"41,00", 13.2, 12.5, true},
                        {"H501", 3.5, 12},
                        {"3959", 7.5, 12},
                        {"15,00", 13.2, 12, true},
                        // December
                        {"Saldo", 1.5, 11.5},
                        {"Cod.Com.", 3.5, 11.5},
                        {"Detrazione", 15, 11.5},
                        {"3958", 7.5, 11},
                        {"100,00", 13.2, 11, true},
                        {"50,00", 16.7, 11, true},
                        {"3961", 7.5, 10.5},
                        {"81,00", 13.2, 10.5, true},
                        {"3960", 7.5, 10},
                        {"40,00", 13.2, 10, true},
                        {"3959", 7.5, 9.5},
                        {"15,00", 13.2, 9.5, true},
                        // The properties
                        {"Elenco immobili dell'utente nel comune di TORINO", 1.5, 8.5},
                        {"VIA PO 2", 2, 8},
                        {"VIA PO 4", 2, 7.5},
                        {"STRADA DEI CAMPI", 2, 7},
                        {"CASCINA BIANCA", 2, 6.5},
                    });
  // Only the main-dwelling rows carry a deduction.
  EXPECT_FALSE(TestoIn(parole, "50,00", 16.7, 13));
  EXPECT_FALSE(ParolaPresente(parole, "Soluzione"));
  Immagine(file, "comunetasi-rate");
}

TEST_F(StampaComune, SinglePaymentOfFourCategories) {
  const std::string file = stampa(Dati("FourCategories"), true);
  const auto parole = Parole(file);
  Controlla(parole, kTesta);
  Controlla(parole, {
                        {"Soluzione unica (Giugno):", 1.5, 20.6},
                        {"472,00", 10, 20.6, true},
                        {"Detrazione comunale:", 1.5, 20},
                        {"100,00", 10, 20, true},
                        {"Numero fabbricati:", 1.5, 19.4},
                        {"4", 10, 19.4, true},
                        {"Aree fabbricabili:", 1.5, 18.8},
                        {"81,00", 10, 18.8, true},
                        {"Abitazione principale:", 1.5, 18.2},
                        {"200,00", 10, 18.2, true},
                        {"Altri fabbricati:", 1.5, 17.6},
                        {"161,00", 10, 17.6, true},
                        {"Immobili strumentali:", 1.5, 17},
                        {"30,00", 10, 17, true},
                        {"Soluzione Unica", 1.5, 14},
                        {"Cod.Com.", 5, 14},
                        {"N.Imm.", 6.9, 14},
                        {"Codice tributo", 8.5, 14},
                        {"Importo", 12, 14},
                        {"Detrazione", 15, 14},
                        {"H501", 5, 13.5},
                        {"1", 7, 13.5},
                        {"3958", 8.5, 13.5},
                        {"200,00", 13.2, 13.5, true},
                        {"100,00", 16.7, 13.5, true},
                        {"3961", 8.5, 13},
                        {"161,00", 13.2, 13, true},
                        {"3960", 8.5, 12.5},
                        {"81,00", 13.2, 12.5, true},
                        {"3959", 8.5, 12},
                        {"30,00", 13.2, 12, true},
                        {"Elenco immobili dell'utente nel comune di TORINO", 1.5, 11},
                        {"VIA PO 2", 2, 10.5},
                        {"CASCINA BIANCA", 2, 9},
                    });
  // No right column, no December table.
  EXPECT_FALSE(ParolaPresente(parole, "Dicembre):"));
  EXPECT_FALSE(ParolaPresente(parole, "Saldo"));
  EXPECT_FALSE(ParolaPresente(parole, "Acconto"));
  Immagine(file, "comunetasi-unica");
}

TEST_F(StampaComune, WithoutAnyCategoryTheHeadsCloseUp) {
  const auto parole = Parole(stampa(Dati("NoTax"), false));
  Controlla(parole, {
                        {"--", 10, 23, true},
                        {"Acconto", 1.5, 14},
                        {"Saldo", 1.5, 13.5},
                        {"Elenco immobili dell'utente nel comune di TORINO", 1.5, 12.5},
                        {"VIA ROMA 1", 2, 12},
                    });
  EXPECT_FALSE(TestoIn(parole, "Detrazione", 15, 14));
  EXPECT_FALSE(TestoIn(parole, "Detrazione", 15, 13.5));
  for (const char* codice : {"3958", "3959", "3960", "3961"}) EXPECT_FALSE(ParolaPresente(parole, codice));

  const auto unica = Parole(stampa(Dati("NoTax"), true));
  Controlla(unica, {{"Soluzione Unica", 1.5, 14}, {"Elenco immobili dell'utente nel comune di TORINO", 1.5, 13}});
  EXPECT_FALSE(TestoIn(unica, "Detrazione", 15, 14));
}

// A main dwelling paid in December only: its June row shows "--" with its
// count and June deduction; another building paid in December only has no
// June row.
TEST_F(StampaComune, ACategoryWithOnlyADecemberAmount) {
  DatiTotaliComune dati = Dati("MainDwellingWithoutAdvance");
  dati.Etichette.Label21 = "30,00";
  dati.Etichette.lblNaltri = "1";
  const auto parole = Parole(stampa(dati, false));
  Controlla(parole, {
                        {"Detrazione", 15, 14},
                        {"A944", 3.5, 13.5},
                        {"1", 5.5, 13.5},
                        {"3958", 7.5, 13.5},
                        {"--", 13.2, 13.5, true},
                        {"50,00", 16.7, 13.5, true},
                        {"Saldo", 1.5, 13},
                        {"Detrazione", 15, 13},
                        {"3958", 7.5, 12.5},
                        {"100,00", 13.2, 12.5, true},
                        {"0,00", 16.7, 12.5, true},
                        {"3961", 7.5, 12},
                        {"30,00", 13.2, 12, true},
                        {"Elenco immobili dell'utente nel comune di TORINO", 1.5, 11},
                    });
}

TEST_F(StampaComune, DeductionHeadsOnlyWithAMainDwelling) {
  struct Caso {
    const char* caso;
    bool unica;
    bool detrazione;
  };
  for (const Caso& c :
       {Caso{"FourCategories", false, true}, Caso{"FourCategories", true, true}, Caso{"RoundingOfSums", false, false},
        Caso{"RoundingOfSums", true, false}, Caso{"MainDwellingWithoutAdvance", true, true}}) {
    SCOPED_TRACE(std::string(c.caso) + (c.unica ? " single" : " two"));
    const auto parole = Parole(stampa(Dati(c.caso), c.unica));
    EXPECT_EQ(TestoIn(parole, "Detrazione", 15, 14), c.detrazione);
  }
}

// The word of the page whose right edge is at (x, y), within 1 mm; "" when none.
std::string ValoreIn(const std::vector<Parola>& parole, double x, double y) {
  for (const Parola& p : parole)
    if (std::abs(p.x1 - x) < 0.1 && std::abs(p.y - y) < 0.1) return p.testo;
  return "";
}

// A figure as the page writes it ("2.755,00"), in cents; "--" is none.
long long Centesimi(const std::string& testo) {
  if (testo == "--" || testo == "---") return 0;
  long long v = 0;
  for (const char c : testo)
    if (c >= '0' && c <= '9') v = v * 10 + (c - '0');
  EXPECT_NE(testo.find(','), std::string::npos) << testo << " is not a figure of the page";
  return v;
}

// Over every archive of the totals tables (the half-euro ones included), for
// the two instalments and for the single payment: each category's line holds
// its label's text as the page shows it, and each column adds up to the
// instalment printed above it.
TEST_F(StampaComune, EveryColumnIsWhatThePageShowsAndAddsUpToItsInstalment) {
  std::vector<DatiTotaliComune> archivi;
  for (const CasoTotali& c : CasiTotali()) {
    const std::string_view nome = c.nome;
    if (nome != "FourCategories" && nome != "ThreeCategoriesWithABalanceDeduction" && nome != "RoundingOfSums" &&
        nome != "RuralBalanceAboveOneEuro" && nome != "MainDwellingWithoutAdvance")
      continue;
    const f24::SceltaTotali scelta{c.contribuente, c.comune(), c.anno()};
    archivi.push_back({c.contribuente, c.comune(), c.anno(), c.codice, f24::CalcolaTotali(c.righe, scelta),
                       c.immobili.empty() ? Immobili(1) : c.immobili});
  }
  for (const f24::testing::CasoRate& c : f24::testing::CasiRate()) {
    const f24::SceltaTotali scelta{"ROSSI MARIO", "TORINO", "2026"};
    archivi.push_back({"ROSSI MARIO", "TORINO", "2026", "L219", f24::CalcolaTotali(c.righe, scelta), Immobili(4)});
  }
  // A taxpayer with a half-euro building land and a thousand-euro building.
  {
    f24::testing::Riga aree{.indirizzo = "VIA DEI PRATI", .tipologia = "3", .acconto = "37,50", .saldo = "37,50"};
    f24::testing::Riga casa{
        .indirizzo = "VIA ROMA 1", .tipologia = "0", .principale = "1", .acconto = "79,00", .saldo = "79,00"};
    f24::testing::Riga altri{.indirizzo = "VIA PO 2", .tipologia = "1", .acconto = "2.637,64", .saldo = "2.637,64"};
    const std::vector<std::string> righe = {aree.Linea(), casa.Linea(), altri.Linea()};
    const f24::SceltaTotali scelta{"ROSSI MARIO", "TORINO", "2026"};
    archivi.push_back({"ROSSI MARIO", "TORINO", "2026", "L219", f24::CalcolaTotali(righe, scelta), Immobili(3)});
    const f24::EtichetteTotali& e = archivi.back().Etichette;
    EXPECT_EQ(e.Label14, "38,00");
    EXPECT_EQ(e.Label19, "37,00");
    EXPECT_EQ(e.Label16, "2.638,00");
    EXPECT_EQ(e.Label6, "2.755,00");
    EXPECT_EQ(e.Label24, "5.275,00");
  }
  const double righeCategorie[] = {18.8, 18.2, 17.6, 17};  // building land, main dwelling, other, rural
  for (const DatiTotaliComune& d : archivi) {
    const f24::EtichetteTotali& e = d.Etichette;
    SCOPED_TRACE(e.Label4 + " " + e.Label6 + " " + e.Label8);
    struct Colonna {
      bool unica;
      double x;
      const std::string& rata;
      std::array<const std::string*, 4> categorie;
    };
    const Colonna colonne[] = {
        {false, 10, e.Label6, {&e.Label14, &e.Label15, &e.Label16, &e.Label54}},
        {false, 19, e.Label8, {&e.Label19, &e.Label20, &e.Label21, &e.Label56}},
        {true, 10, e.Label30, {&e.Label26, &e.Label25, &e.Label24, &e.Label58}},
    };
    const std::vector<Parola> rate = Parole(stampa(d, false)), unica = Parole(stampa(d, true));
    for (const Colonna& c : colonne) {
      SCOPED_TRACE(c.unica ? "single" : c.x == 10 ? "June" : "December");
      const std::vector<Parola>& parole = c.unica ? unica : rate;
      EXPECT_EQ(ValoreIn(parole, c.x, 20.6), c.rata);
      long long somma = 0;
      for (int i = 0; i < 4; ++i) {
        const std::string stampato = ValoreIn(parole, c.x, righeCategorie[i]);
        EXPECT_EQ(stampato, *c.categorie[i]) << "line at y " << righeCategorie[i];
        somma += Centesimi(stampato);
      }
      EXPECT_EQ(somma, Centesimi(c.rata));
    }
  }
}

// Every deduction stands under its heading: its value ends where the heading
// ends, in the June, December and single-payment tables.
TEST_F(StampaComune, EveryDeductionStandsUnderItsHeading) {
  for (const bool unica : {false, true}) {
    SCOPED_TRACE(unica ? "single" : "two");
    const auto parole = Parole(stampa(Dati("FourCategories"), unica));
    std::vector<const Parola*> teste, valori;
    for (const Parola& p : parole) {
      if (p.y > 14.05 || p.y < 9) continue;
      if (p.testo == "Detrazione")
        teste.push_back(&p);
      else if (std::abs(p.x1 - 16.7) < 0.15)
        valori.push_back(&p);
    }
    ASSERT_EQ(teste.size(), unica ? 1u : 2u);
    ASSERT_EQ(valori.size(), teste.size());
    for (size_t i = 0; i < teste.size(); ++i) {
      EXPECT_LT(teste[i]->x0, valori[i]->x0) << valori[i]->testo;
      EXPECT_NEAR(teste[i]->x1, valori[i]->x1, 0.1) << valori[i]->testo;
    }
  }
}

// Where property n stands on the first page, by the number of properties:
// the first column holds 8 (20 for the single payment), the second starts
// beside the first entry.
TEST_F(StampaComune, TheListTurnsIntoTwoColumns) {
  struct Caso {
    bool unica;
    int immobili;
    int n;
    double x, y;
  };
  // Four categories: the list heading stands at 8.5 (two instalments) or 11.0.
  const Caso casi[] = {
      {false, 7, 7, 2, 5},  {false, 8, 8, 2, 4.5}, {false, 9, 8, 2, 4.5},    {false, 9, 9, 12, 8},
      {true, 20, 20, 2, 1}, {true, 21, 20, 2, 1},  {true, 21, 21, 12, 10.5}, {true, 20, 1, 2, 10.5},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.immobili) + (c.unica ? " single" : " two") + ", property " + std::to_string(c.n));
    DatiTotaliComune dati = Dati("FourCategories");
    dati.Immobili = Immobili(c.immobili);
    const std::string file = stampa(dati, c.unica);
    const auto parole = Parole(file);
    EXPECT_TRUE(TestoSovrapposto(parole, "VIA NUMERO " + std::to_string(c.n), c.x, c.y));
    EXPECT_TRUE(TestoIn(parole, "di 1", 19.1, 1));
  }
}

// Entries that would stand below the footer line go on following pages:
// the frame, the list heading at 26.0, then two columns from 25.5 to 1.5.
TEST_F(StampaComune, ALongListGoesOnOnTheNextPages) {
  DatiTotaliComune dati = Dati("FourCategories");
  dati.Immobili = Immobili(60);
  const std::string file = stampa(dati, false);

  // Page 1: 8 in the first column, 9 to 23 in the second down to y 1.0.
  const auto prima = Parole(file, 1);
  Controlla(prima, {{"VIA NUMERO 8", 2, 4.5},
                    {"VIA NUMERO 9", 12, 8},
                    {"VIA NUMERO 23", 12, 1},
                    {"pag. 1", 19, 1, true},
                    {"di 2", 19.1, 1}});
  EXPECT_FALSE(ParolaPresente(prima, "24"));

  const auto seconda = Parole(file, 2);
  Controlla(seconda, {
                         {"Quotara complessivo per comune anno 2026", 1.5, 27},
                         {"giovedì 10 dicembre 2026", 15, 27},
                         {"Elenco immobili dell'utente nel comune di TORINO", 1.5, 26},
                         {"VIA NUMERO 24", 2, 25.5},
                         {"VIA NUMERO 60", 2, 7.5},
                         {"Stampato con Quotara - 2026", 1.5, 1},
                         {"pag. 2", 19, 1, true},
                         {"di 2", 19.1, 1},
                     });
  EXPECT_FALSE(ParolaPresente(seconda, "Contribuente:"));
  EXPECT_FALSE(ParolaPresente(seconda, "23"));
  Immagine(file, "comunetasi-seguito", 2);
}

TEST_F(StampaComune, AFullContinuationPageUsesBothColumns) {
  DatiTotaliComune dati = Dati("FourCategories");
  dati.Immobili = Immobili(23 + 98 + 1);
  const std::string file = stampa(dati, false);
  Controlla(Parole(file, 2), {{"VIA NUMERO 24", 2, 25.5},
                              {"VIA NUMERO 72", 2, 1.5},
                              {"VIA NUMERO 73", 12, 25.5},
                              {"VIA NUMERO 121", 12, 1.5},
                              {"di 3", 19.1, 1}});
  Controlla(Parole(file, 3), {{"VIA NUMERO 122", 2, 25.5}, {"pag. 3", 19, 1, true}});
}

TEST_F(StampaComune, TheSinglePaymentContinuesAfterItsFirstPage) {
  DatiTotaliComune dati = Dati("FourCategories");
  dati.Immobili = Immobili(45);
  const std::string file = stampa(dati, true);
  // 20 in the first column, 21 to 40 in the second down to y 1.0.
  Controlla(Parole(file, 1), {{"VIA NUMERO 40", 12, 1}, {"di 2", 19.1, 1}});
  Controlla(Parole(file, 2), {{"VIA NUMERO 41", 2, 25.5}, {"VIA NUMERO 45", 2, 23.5}});
}

TEST_F(StampaComune, PrintingAgainReplacesTheFile) {
  DatiTotaliComune dati = Dati("FourCategories");
  dati.Immobili = Immobili(60);
  stampa(dati, false);
  const std::string file = stampa(Dati("RoundingOfSums"), true);
  EXPECT_FALSE(ParolaPresente(Parole(file), "NUMERO"));
  EXPECT_TRUE(TestoIn(Parole(file), "di 1", 19.1, 1));
  EXPECT_EQ(desk.openedDocuments().size(), 2u);
}

}  // namespace
}  // namespace reports::testing
