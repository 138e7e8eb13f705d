// The archive report: the table head of every page, one line per archive
// line in the order given, 46 lines a page, the page count, and the texts
// that the report makes of the fields (names, location, amounts by year).
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ReportsFixture.h"
#include "reports/Stampe.h"

namespace reports::testing {
namespace {

// A line of "tasi.dat" with what the report prints of it.
std::string Riga(const std::string& nome, const std::string& indirizzo, const std::string& comune,
                 const std::string& anno, const std::string& rendita, const std::string& acconto,
                 const std::string& saldo) {
  return nome + ";" + indirizzo + ";" + comune + ";" + anno + ";" + rendita +
         ";2.5;5;0;0;12;6;6;100;1;0;420,00;420,00;0,00;" + acconto + ";0,00;" + saldo + ";0,00;0;0;0;3961;0;H501";
}

// Numbered lines: name "NOME n", address "VIA n", rendita n,00.
std::vector<std::string> Righe(int n) {
  std::vector<std::string> righe;
  for (int i = 1; i <= n; ++i) {
    const std::string k = std::to_string(i);
    righe.push_back(Riga("NOME " + k, "VIA " + k, "ROMA", "2014", k + ",00", "1,00", "2,00"));
  }
  return righe;
}

class StampaArchivio : public ReportsTest {
 protected:
  std::string stampa(const std::vector<std::string>& righe) {
    MostraStampa(StampaArchivioPdf(righe, desk.now()));
    const std::string file = temp("archiviotasi.pdf");
    EXPECT_EQ(ControllaPdf(file), "");
    return file;
  }

  // The frame and the table head of a page of `pagine`.
  static void TestaPagina(const std::vector<Parola>& parole, int pagina, int pagine) {
    const struct {
      std::string testo;
      double x, y;
      bool destra = false;
    } attesi[] = {{"Quotara - Archivio immobili", 1.5, 27.7},
                  {"Nome", 2.8, 26.1},
                  {"Ubicazione", 7.8, 26.1},
                  {"Anno", 13.5, 26.1},
                  {"Rendita", 15.3, 26.1},
                  {"TASI", 17.8, 26.1},
                  {"pag. " + std::to_string(pagina), 19, 1, true},
                  {"di " + std::to_string(pagine), 19.1, 1},
                  {"Stampato con Quotara - 2026", 1.5, 1}};
    for (const auto& a : attesi) EXPECT_TRUE(TestoIn(parole, a.testo, a.x, a.y, a.destra)) << a.testo;
  }
  // Table line k (from 0) of a page shows "NOME n".
  static bool Linea(const std::vector<Parola>& parole, int k, int n) {
    const double y = 25 - 0.5 * k;
    const std::string s = std::to_string(n);
    return TestoIn(parole, "Nome " + s, 1.7, y) && TestoIn(parole, "ROMA - VIA " + s, 5.2, y) &&
           TestoIn(parole, "2014", 13.6, y) && TestoIn(parole, s + ",00", 16.8, y, true) &&
           TestoIn(parole, "3,00", 19.3, y, true);
  }
  static int Linee(const std::vector<Parola>& parole) {
    int n = 0;
    for (const auto& p : parole) n += p.testo == "ROMA";
    return n;
  }
};

TEST_F(StampaArchivio, OneRowIsOnePageWithTheTableHead) {
  const std::string file = stampa(Righe(1));
  const auto parole = Parole(file);
  TestaPagina(parole, 1, 1);
  EXPECT_TRUE(Linea(parole, 0, 1));
  EXPECT_EQ(Linee(parole), 1);
  EXPECT_NE(TestoPagina(file, 2).find("(exit"), std::string::npos) << "no second page";
  EXPECT_EQ(desk.openedDocuments(), std::vector<std::string>{file});
}

TEST_F(StampaArchivio, PagesHold46LinesAndAFullPageBreaksAtOnce) {
  struct Caso {
    int righe;
    std::vector<int> perPagina;
  } casi[] = {{45, {45}}, {46, {46, 0}}, {47, {46, 1}}, {92, {46, 46, 0}}, {100, {46, 46, 8}}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.righe);
    const std::string file = stampa(Righe(c.righe));
    const int pagine = static_cast<int>(c.perPagina.size());
    int n = 1;
    for (int p = 1; p <= pagine; ++p) {
      SCOPED_TRACE("page " + std::to_string(p));
      const auto parole = Parole(file, p);
      TestaPagina(parole, p, pagine);
      EXPECT_EQ(Linee(parole), c.perPagina[p - 1]);
      for (int k = 0; k < c.perPagina[p - 1]; ++k, ++n) EXPECT_TRUE(Linea(parole, k, n)) << "line " << k;
    }
    EXPECT_NE(TestoPagina(file, pagine + 1).find("(exit"), std::string::npos) << "no further page";
  }
}

TEST_F(StampaArchivio, NamesInProperCaseCutAt18Characters) {
  struct Caso {
    const char* nome;
    const char* stampato;
  } casi[] = {
      {"ROSSI MARIO", "Rossi Mario"},
      {"rossi  mario", "Rossi Mario"},  // two blanks: two words for pdftotext
      {"D'ANGELO PIA", "D'angelo Pia"},
      {"ÉMILE ÀNGELÈSCHIÙS MARCO", "Émile Àngelèschiùs"},  // 18 characters, 22 bytes
      {"VERDI GIUSEPPINA MARIA", "Verdi Giuseppina M"},
      {"ŠKODA ŒUVRE", "Škoda Œuvre"},
  };
  std::vector<std::string> righe;
  for (const Caso& c : casi) righe.push_back(Riga(c.nome, "VIA", "ROMA", "2014", "1,00", "1,00", "1,00"));
  const auto parole = Parole(stampa(righe));
  for (size_t k = 0; k < std::size(casi); ++k) {
    SCOPED_TRACE(casi[k].nome);
    EXPECT_TRUE(TestoIn(parole, casi[k].stampato, 1.7, 25 - 0.5 * static_cast<double>(k)));
  }
  EXPECT_FALSE(ParolaPresente(parole, "Marco"));
  EXPECT_FALSE(ParolaPresente(parole, "Maria"));
}

TEST_F(StampaArchivio, TheTasiPaidIsBothInstalmentsInLireStyleBefore2002) {
  struct Caso {
    const char* anno;
    const char* acconto;
    const char* saldo;
    const char* tasi;
  } casi[] = {
      {"2001", "617,25", "617,25", "1.235"},
      {"2002", "617,25", "617,25", "1.234,50"},
      {"2014", "0.00", "0.00", "0,00"},
      {"2014", "12,50", "n/d", "12,50"},
      {"2014", "1.000,00", "1.000,01", "2.000,01"},
      {"", "1,50", "0,00", "2"},
  };
  std::vector<std::string> righe;
  for (const Caso& c : casi) righe.push_back(Riga("A", "VIA", "ROMA", c.anno, "1,00", c.acconto, c.saldo));
  const auto parole = Parole(stampa(righe));
  for (size_t k = 0; k < std::size(casi); ++k) {
    SCOPED_TRACE(k);
    EXPECT_TRUE(TestoIn(parole, casi[k].tasi, 19.3, 25 - 0.5 * static_cast<double>(k), true));
  }
}

TEST_F(StampaArchivio, TheLocationIsMunicipalityThenAddressCutAtTheYearsColumn) {
  const struct {
    std::string comune, via;
    std::string inizio;  // the words the line shows first, from x 5.2
    bool tagliato;
  } casi[] = {
      {"ROMA", "VIA VERDI 3", "ROMA - VIA VERDI 3", false},
      {"SAN GIOVANNI IN PERSICETO", "VIA DELLA REPUBBLICA PARTIGIANA 123", "SAN GIOVANNI IN PERSICETO - VIA", true},
      {"ROMA", std::string(60, 'W'), "ROMA -", true},
      {"ROMA", "VIA " + std::string(90, 'i'), "ROMA - VIA", true},
  };
  std::vector<std::string> righe;
  for (const auto& c : casi) righe.push_back(Riga("A", c.via, c.comune, "2014", "1,00", "1,00", "1,00"));
  const std::string file = stampa(righe);
  const auto parole = Parole(file);
  const auto testi = TestiDisegnati(file);
  for (size_t k = 0; k < std::size(casi); ++k) {
    const auto& c = casi[k];
    const std::string intero = c.comune + " - " + c.via;
    SCOPED_TRACE(intero);
    // The text drawn is the whole location or its head.
    const auto drawn = std::find_if(testi.begin(), testi.end(), [&](const std::string& t) {
      return t.size() >= c.inizio.size() && intero.starts_with(t) && t.starts_with(c.inizio);
    });
    ASSERT_NE(drawn, testi.end());
    EXPECT_EQ(*drawn == intero, !c.tagliato) << *drawn;
    const double y = 25 - 0.5 * static_cast<double>(k);
    EXPECT_TRUE(TestoIn(parole, c.inizio, 5.2, y));
    double fine = 0;
    for (const Parola& p : parole)
      if (std::abs(p.y - y) < 0.1 && p.x0 >= 5.1 && p.x0 < 13) fine = std::max(fine, p.x1);
    EXPECT_LE(fine, 13.005);  // no glyph past the separator
    if (c.tagliato) {
      EXPECT_GT(fine, 12.5);  // and cut at it, not before
    }
    EXPECT_TRUE(TestoIn(parole, "2014", 13.6, y));
  }
  // Nothing of the address is lost from the archive: only the print is cut.
  EXPECT_FALSE(ParolaPresente(parole, "PARTIGIANA"));
}

// The largest figures the boxes and the archive hold are printed smaller
// until they fit their column: each still ends where the column's figures
// end, and none reaches the separator before it (x 15 and x 17).
TEST_F(StampaArchivio, AFigureWiderThanItsColumnIsPrintedSmallerInsideIt) {
  const struct {
    std::string rendita, acconto, saldo;
    std::string tasi;  // the two instalments together
  } casi[] = {
      {"1,00", "1,00", "2,00", "3,00"},
      {"1.500.000,00", "7.500,00", "7.500,00", "15.000,00"},
      {"999.999.999,99", "499.999.999.999,50", "499.999.999.999,50", "999.999.999.999,00"},
      {"999999999999999", "890.399.999.999,00", "890.399.999.999,00", "1.780.799.999.998,00"},
  };
  std::vector<std::string> righe;
  for (const auto& c : casi)
    righe.push_back(Riga("ROSSI MARIO", "VIA ROMA 1", "ROMA", "2026", c.rendita, c.acconto, c.saldo));
  const std::string file = stampa(righe);
  const auto parole = Parole(file);
  for (size_t k = 0; k < std::size(casi); ++k) {
    const auto& c = casi[k];
    SCOPED_TRACE(c.rendita);
    const double y = 25 - 0.5 * static_cast<double>(k);
    const struct {
      const std::string& testo;
      double separatore, fine;
    } colonne[] = {{c.rendita, 15, 16.8}, {c.tasi, 17, 19.3}};
    for (const auto& col : colonne) {
      const Parola* trovata = nullptr;
      for (const Parola& p : parole)
        if (p.testo == col.testo && std::abs(p.x1 - col.fine) < 0.1) trovata = &p;
      ASSERT_NE(trovata, nullptr) << col.testo;
      EXPECT_GT(trovata->x0, col.separatore) << col.testo << " crosses the separator";
      // A smaller figure stands on the line's baseline, within pdftotext's rounding.
      EXPECT_NEAR(trovata->y, y, 0.15) << col.testo;
    }
    EXPECT_TRUE(TestoIn(parole, "2026", 13.6, y));
  }
  Immagine(file, "archiviotasi-cifre-lunghe");
}

TEST_F(StampaArchivio, EveryLineGivenIsPrintedOnceInTheOrderGiven) {
  // Two lines with the same key (a restored archive): each once, each with
  // its own amounts.
  const std::vector<std::string> righe = {Riga("A", "VIA", "ROMA", "2014", "1,00", "1,00", "1,00"),
                                          Riga("A", "VIA", "ROMA", "2014", "9,00", "4,00", "5,00"),
                                          Riga("B", "VIA", "ROMA", "2013", "1,00", "1,00", "1,00")};
  const auto parole = Parole(stampa(righe));
  EXPECT_TRUE(TestoIn(parole, "2,00", 19.3, 25, true));
  EXPECT_TRUE(TestoIn(parole, "9,00", 19.3, 24.5, true));
  EXPECT_TRUE(TestoIn(parole, "B", 1.7, 24));
  EXPECT_EQ(Linee(parole), 3);
}

}  // namespace
}  // namespace reports::testing
