// The two reports of the cadastral register: one owner's list
// ("catastotasi.pdf") and one record's data sheet ("immobiletasi.pdf"), with
// the word wrap of the notes.
#include <algorithm>
#include <cmath>
#include <set>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ReportsFixture.h"
#include "reports/StampeCatasto.h"

namespace reports::testing {
namespace {

using Righe = std::vector<std::string>;

// A register line from its 18 fields.
std::string Linea(const std::vector<std::string>& campi) {
  std::string riga;
  for (size_t i = 0; i < campi.size(); ++i) riga += (i ? ";" : "") + campi[i];
  return riga;
}

std::string Fabbricato(const std::string& ubicazione, const std::string& rendita = "1.234,56") {
  return Linea({"ROSSI MARIO", "TORINO", ubicazione, "0", "123", "A", "12", "345", "6", "A/2", "3", "5,5", "90", "50",
                rendita, "", "", "note"});
}
std::string Terreno(const std::string& ubicazione) {
  return Linea({"ROSSI MARIO", "CHIERI", ubicazione, "1", "7", "", "3", "44", "", "", "", "", "1500", "100", "", "9,00",
                "12,00", ""});
}
std::string Area(const std::string& ubicazione, const std::string& valore = "50.000,00") {
  return Linea(
      {"ROSSI MARIO", "PINO", ubicazione, "2", "8", "", "4", "55", "", "", "", "", "800", "100", valore, "", "", ""});
}

std::vector<archives::CatastoRecord> Record(const Righe& righe) {
  std::vector<archives::CatastoRecord> record;
  for (const std::string& r : righe) record.push_back(archives::CatastoRecord::fromLine(r));
  return record;
}

Righe Linee(const std::vector<archives::CatastoRecord>& record) {
  Righe righe;
  for (const auto& r : record) righe.push_back(r.toLine());
  return righe;
}

// Whether `testi` holds `attesi` one right after the other.
bool InSequenza(const Righe& testi, const Righe& attesi) {
  for (size_t i = 0; i + attesi.size() <= testi.size(); ++i)
    if (std::equal(attesi.begin(), attesi.end(), testi.begin() + static_cast<long>(i))) return true;
  return false;
}

TEST(DividiTesto, WrapsAtBlanksAsTheRecordReportDoes) {
  const std::string w65(65, 'x'), w70 = std::string(62, 'a') + "bbbbbbbb";
  struct Caso {
    const char* cosa;
    std::string testo;
    int N;
    Righe attese;
  };
  const Caso casi[] = {
      {"three words of four letters", "abcd efgh ijkl", 10, {"abcd efgh ", "ijkl "}},
      {"a first word of exactly N characters leaves entry 1 empty", w65 + " fine", 65, {"", w65 + " ", "fine "}},
      {"a longer word fills the line with its head", "ab " + w70, 65, {"ab " + std::string(62, 'a'), "bbbbbbbb "}},
      {"two blanks give an empty word", "ab  cd", 10, {"ab  cd "}},
      {"a line break stays inside its word", "uno\r\ndue tre", 10, {"uno\r\ndue ", "tre "}},
      {"a long word after a full line starts a line of its own", "abcde fghijkl", 5, {"", "abcde ", "fghij", "kl "}},
      {"a long tail goes on in lines of N, then another long word",
       "abcdefghij klmnop",
       4,
       {"abcd", "efgh", "ij k", "lmno", "p "}},
      {"a word of many lines", std::string(25, 'w'), 10, {std::string(10, 'w'), std::string(10, 'w'), "wwwww "}},
      {"a tail of exactly N characters",
       std::string(20, 'z') + " a",
       10,
       {std::string(10, 'z'), std::string(10, 'z') + " ", "a "}},
      {"characters, not bytes", "perché è così", 10, {"perché è ", "così "}},
      {"a word whose blank does not fit moves to the next line", "aaaa bbbb c", 9, {"aaaa ", "bbbb c "}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.cosa);
    EXPECT_EQ(DividiTesto(c.testo, c.N), c.attese);
  }
}

// The groups the list prints, one after the other.
std::vector<archives::CatastoRecord> ListaDiLavoro(const std::vector<archives::CatastoRecord>& immobili) {
  std::vector<archives::CatastoRecord> lista;
  for (const auto& gruppo : archives::Gruppi(immobili)) lista.insert(lista.end(), gruppo.begin(), gruppo.end());
  return lista;
}

TEST(ListaDiLavoro, BuildingsThenLandThenAreasEachInListOrder) {
  const std::string t1 = Terreno("CAMPO 1"), a1 = Area("LOTTO 1"), f1 = Fabbricato("VIA A"), f2 = Fabbricato("VIA B"),
                    t2 = Terreno("CAMPO 2");
  const std::string altro = Linea({"ROSSI MARIO", "X", "Y", "3"}), vuoto = Linea({"ROSSI MARIO", "X", "Z", ""}),
                    testo = Linea({"ROSSI MARIO", "X", "W", "a"});
  // A line without a type (an imported one) is a building, in its place.
  EXPECT_EQ(Linee(ListaDiLavoro(Record({t1, a1, altro, f1, vuoto, f2, testo, t2}))),
            Linee(Record({f1, vuoto, f2, t1, t2, a1})));
}

class StampaCatasto : public ReportsTest {
 protected:
  std::string stampa(const Righe& righe, const std::string& proprietario = "ROSSI MARIO") {
    EXPECT_TRUE(MostraStampa(StampaCatastoPdf(proprietario, archives::Gruppi(Record(righe)), desk.now())));
    const std::string file = temp("catastotasi.pdf");
    EXPECT_EQ(ControllaPdf(file), "");
    return file;
  }
  static Righe Fabbricati(int n) {
    Righe righe;
    for (int i = 1; i <= n; ++i) righe.push_back(Fabbricato("VIA " + std::to_string(i)));
    return righe;
  }
};

TEST_F(StampaCatasto, ABuildingIsANumberedEntryOfThreeLines) {
  const std::string file = stampa({Fabbricato("VIA ROMA 1")});
  EXPECT_TRUE(InSequenza(TestiDisegnati(file),
                         {"Fabbricati", "1. TORINO - VIA ROMA 1",
                          "Partita: 123 Sez: A Fg: 12 Num: 345 Sub: 6 Categoria: A/2 Classe: 3 Vani: 5,5 Mq: 90",
                          "Rendita catastale: 1.234,56 - Percentuale di possesso: 50%"}));
  const auto parole = Parole(file);
  EXPECT_TRUE(TestoIn(parole, "Archivio dati catastali immobili - ROSSI MARIO", 1.5, 27.7));
  EXPECT_TRUE(TestoIn(parole, "Fabbricati", 1.5, 26.5));
  EXPECT_TRUE(TestoIn(parole, "1. TORINO - VIA ROMA 1", 1.5, 26));
  EXPECT_TRUE(TestoIn(parole, "Partita: 123", 2, 25.5));
  EXPECT_TRUE(TestoIn(parole, "Rendita catastale: 1.234,56", 2, 25));
  EXPECT_TRUE(TestoIn(parole, "pag. 1", 19, 1, true));
  EXPECT_TRUE(TestoIn(parole, "di 1", 19.1, 1));
  EXPECT_EQ(desk.openedDocuments(), std::vector<std::string>{file});
}

TEST_F(StampaCatasto, EmptyFieldsPrintAsTwoDashesExceptTheNamesAndTheBuildingsRendita) {
  const std::string vuoto = Linea({"ROSSI MARIO", "", "", "0", "", "", "", "", "", "", "", "", "", "", "", "", "", ""});
  const std::string area =
      Linea({"ROSSI MARIO", "PINO", "LOTTO", "2", "", "", "", "", "", "", "", "", "", "", "", "", "", ""});
  const auto testi = TestiDisegnati(stampa({vuoto, area}));
  EXPECT_TRUE(InSequenza(
      testi, {"1.  - ", "Partita: -- Sez: -- Fg: -- Num: -- Sub: -- Categoria: -- Classe: -- Vani: -- Mq: --",
              "Rendita catastale:  - Percentuale di possesso: --"}));
  EXPECT_TRUE(InSequenza(testi, {"Aree edificabili", "1. PINO - LOTTO",
                                 "Partita: -- Sez: -- Fg: -- Num: -- Sub: -- Mq: -- Rendita: -- - Possesso: --"}));
}

TEST_F(StampaCatasto, EachGroupHasItsHeadingAndNumbersFromOne) {
  const auto testi = TestiDisegnati(
      stampa({Terreno("CAMPO 1"), Fabbricato("VIA A"), Area("LOTTO 1"), Terreno("CAMPO 2"), Fabbricato("VIA B")}));
  const Righe attesi[] = {
      {"Fabbricati", "1. TORINO - VIA A"},
      {"2. TORINO - VIA B"},
      {"Terreni", "1. CHIERI - CAMPO 1",
       "Partita: 7 Sez: -- Fg: 3 Num: 44 Sub: -- Mq: 1500 R.dom.: 12,00 - R.agr: 9,00 - Possesso: 100%",
       "2. CHIERI - CAMPO 2"},
      {"Aree edificabili", "1. PINO - LOTTO 1",
       "Partita: 8 Sez: -- Fg: 4 Num: 55 Sub: -- Mq: 800 Rendita: 50.000,00 - Possesso: 100%"},
  };
  for (const Righe& a : attesi) EXPECT_TRUE(InSequenza(testi, a)) << a[0];
  const auto parole = Parole(temp("catastotasi.pdf"));
  // Buildings take 2 cm each, land 1.5 cm, a heading 0.5 cm.
  EXPECT_TRUE(TestoIn(parole, "Terreni", 1.5, 26.5 - 0.5 - 4));
  EXPECT_TRUE(TestoIn(parole, "Partita: 7", 1.5, 26.5 - 0.5 - 4 - 0.5 - 0.5));
  EXPECT_TRUE(TestoIn(parole, "Aree edificabili", 1.5, 26.5 - 0.5 - 4 - 0.5 - 3));
}

TEST_F(StampaCatasto, OnlyLandGetsOnlyItsHeading) {
  const auto testi = TestiDisegnati(stampa({Terreno("CAMPO 1"), Terreno("CAMPO 2")}));
  EXPECT_TRUE(InSequenza(testi, {"Terreni", "1. CHIERI - CAMPO 1"}));
  EXPECT_EQ(std::count(testi.begin(), testi.end(), "Fabbricati"), 0);
  EXPECT_EQ(std::count(testi.begin(), testi.end(), "Aree edificabili"), 0);
}

TEST_F(StampaCatasto, ElevenBuildingsFillOnePageTwelveAndThirteenTwo) {
  struct Caso {
    int fabbricati, pagine;
  };
  for (const Caso c : {Caso{11, 1}, Caso{12, 2}, Caso{13, 2}}) {
    SCOPED_TRACE(c.fabbricati);
    const std::string file = stampa(Fabbricati(c.fabbricati));
    for (int pagina = 1; pagina <= c.pagine; ++pagina) {
      const auto parole = Parole(file, pagina);
      EXPECT_TRUE(TestoIn(parole, "pag. " + std::to_string(pagina), 19, 1, true));
      EXPECT_TRUE(TestoIn(parole, "di " + std::to_string(c.pagine), 19.1, 1));
      EXPECT_TRUE(TestoIn(parole, "Archivio dati catastali immobili - ROSSI MARIO", 1.5, 27.7));
    }
    const auto ultima = Parole(file, c.pagine);
    EXPECT_FALSE(ParolaPresente(ultima, "Fabbricati") && c.pagine > 1);
    if (c.fabbricati == 12) {
      EXPECT_FALSE(ParolaPresente(ultima, "Partita:"));  // only the page head
    }
    if (c.fabbricati == 13) {
      EXPECT_TRUE(TestoIn(ultima, "13. TORINO - VIA 13", 1.5, 26.5));
    }
  }
}

TEST_F(StampaCatasto, AContinuationPageHoldsThirteenBuildingsWithoutAHeading) {
  const std::string file = stampa(Fabbricati(26));
  EXPECT_TRUE(TestoIn(Parole(file, 2), "13. TORINO - VIA 13", 1.5, 26.5));
  EXPECT_TRUE(TestoIn(Parole(file, 2), "25. TORINO - VIA 25", 1.5, 26.5 - 24));
  EXPECT_TRUE(TestoIn(Parole(file, 3), "26. TORINO - VIA 26", 1.5, 26.5));
  EXPECT_TRUE(TestoIn(Parole(file, 3), "di 3", 19.1, 1));
}

TEST_F(StampaCatasto, NoLineOfAnEntryPassesTheFramesRightEdge) {
  const std::string lungo(40, 'W');
  const Righe righe = {
      Linea({"ROSSI MARIO", "SAN GIOVANNI IN PERSICETO", "VIA DELLA REPUBBLICA PARTIGIANA 123 " + lungo, "0", "1234567",
             "ABC", "12345", "123456", "1234", "A/10", "U" + lungo, "12,5", "1234", "100", "1.234.567,89" + lungo, "",
             "", ""}),
      Linea({"ROSSI MARIO", "CHIERI", "CAMPO", "1", "1234567" + lungo, "B", "3", "44", "", "", "", "", "15000", "50",
             "", "9.999,00", "12.345,00", ""}),
      Linea({"ROSSI MARIO", "PINO", "LOTTO", "2", "8", "", "4", "55", "", "", "", "", "800", "100",
             "1.250.000,00" + lungo, "", "", ""}),
      Fabbricato("VIA ROMA 1"),
  };
  const std::string file = stampa(righe);
  const auto parole = Parole(file);
  for (const Parola& p : parole) {
    if (p.y <= 1.5) continue;  // the footer's page count
    EXPECT_LE(p.x1, 19.505) << p.testo << " at y " << p.y;
  }
  // Cut at the edge, not before: the long lines reach it.
  for (const double y : {26.0, 25.5, 25.0, 21.0, 19.0}) {
    double fine = 0;
    for (const Parola& p : parole)
      if (std::abs(p.y - y) < 0.1) fine = std::max(fine, p.x1);
    EXPECT_GT(fine, 19) << "y " << y;
  }
  // What is drawn is the head of the line, and a line that fits stays whole.
  const auto testi = TestiDisegnati(file);
  EXPECT_TRUE(std::any_of(testi.begin(), testi.end(), [](const std::string& t) {
    return t.starts_with("1. SAN GIOVANNI IN PERSICETO - VIA DELLA REPUBBLICA") && t.size() < 100;
  }));
  EXPECT_TRUE(InSequenza(testi, {"2. TORINO - VIA ROMA 1",
                                 "Partita: 123 Sez: A Fg: 12 Num: 345 Sub: 6 Categoria: A/2 Classe: 3 Vani: 5,5 Mq: 90",
                                 "Rendita catastale: 1.234,56 - Percentuale di possesso: 50%"}));
}

TEST_F(StampaCatasto, AShareStoredWithItsPercentPrintsOnePercent) {
  const struct {
    std::string possesso, stampato;
  } casi[] = {{"50%", "50%"}, {"50", "50%"}, {"", "--"}, {"%", "--"}, {"33,3%", "33,3%"}};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.possesso);
    const Righe righe = {Linea({"ROSSI MARIO", "TORINO", "VIA ROMA 1", "0", "1", "", "2", "3", "", "A/2", "", "", "",
                                c.possesso, "100,00", "", "", ""}),
                         Linea({"ROSSI MARIO", "CHIERI", "CAMPO", "1", "7", "", "3", "44", "", "", "", "", "1500",
                                c.possesso, "", "9,00", "12,00", ""}),
                         Linea({"ROSSI MARIO", "PINO", "LOTTO", "2", "8", "", "4", "55", "", "", "", "", "800",
                                c.possesso, "50.000,00", "", "", ""})};
    const auto testi = TestiDisegnati(stampa(righe));
    EXPECT_TRUE(InSequenza(testi, {"Rendita catastale: 100,00 - Percentuale di possesso: " + c.stampato}));
    EXPECT_TRUE(InSequenza(
        testi,
        {"Partita: 7 Sez: -- Fg: 3 Num: 44 Sub: -- Mq: 1500 R.dom.: 12,00 - R.agr: 9,00 - Possesso: " + c.stampato}));
    EXPECT_TRUE(InSequenza(
        testi, {"Partita: 8 Sez: -- Fg: 4 Num: 55 Sub: -- Mq: 800 Rendita: 50.000,00 - Possesso: " + c.stampato}));
  }
}

class StampaImmobile : public ReportsTest {
 protected:
  std::string stampa(const SchedaImmobile& s) {
    EXPECT_TRUE(MostraStampa(StampaImmobilePdf(s, desk.now())));
    const std::string file = temp("immobiletasi.pdf");
    EXPECT_EQ(ControllaPdf(file), "");
    return file;
  }
  static SchedaImmobile Scheda(int tipologia) {
    SchedaImmobile s;
    s.Nome = "ROSSI MARIO";
    s.Comune = "TORINO";
    s.Ubicazione = "VIA ROMA 1";
    s.Tipologia = tipologia;
    s.Dati = {"123", "A", "12", "345", "6", "A/2", "3", "5,5", "90", "50"};
    s.Rendita = "1.234,56";
    s.RedditoAgrario = "9,00";
    s.RedditoDominicale = "12,00";
    s.Note = "Nota breve";
    return s;
  }
};

// A label at x 1.5 and its value at x 7, on the same line.
struct Voce {
  const char* etichetta;
  const char* valore;
  double y;
};
void ControllaVoci(const std::vector<Parola>& parole, std::initializer_list<Voce> voci) {
  for (const Voce& v : voci) {
    SCOPED_TRACE(v.etichetta);
    EXPECT_TRUE(TestoIn(parole, v.etichetta, 1.5, v.y));
    EXPECT_TRUE(TestoIn(parole, v.valore, 7, v.y));
  }
}

TEST_F(StampaImmobile, ABuildingShowsItsCategoryClassRoomsAndRendita) {
  const std::string file = stampa(Scheda(0));
  const auto parole = Parole(file);
  ControllaVoci(parole, {
                            {"Comune:", "TORINO", 25.5},
                            {"Ubicazione/Descrizione:", "VIA ROMA 1", 24.9},
                            {"Tipologia:", "Fabbricato", 24.3},
                            {"Partita:", "123", 23.7},
                            {"Sezione:", "A", 23.1},
                            {"Foglio:", "12", 22.5},
                            {"Numero:", "345", 21.9},
                            {"Subalterno:", "6", 21.3},
                            {"Categoria:", "A/2", 20.7},
                            {"Classe:", "3", 20.1},
                            {"Vani catastali:", "5,5", 19.5},
                            {"Metri quadrati:", "90", 18.9},
                            {"Percentuale di possesso:", "50%", 18.3},
                            {"Rendita catastale:", "1.234,56", 17.7},
                            {"Annotazioni:", "Nota breve", 17.1},
                        });
  EXPECT_TRUE(TestoIn(parole, "Archivio dati catastali immobili - ROSSI MARIO", 1.5, 27));
  EXPECT_TRUE(TestoIn(parole, "Stampato con Quotara - 2026", 1.5, 1));
  EXPECT_FALSE(ParolaPresente(parole, "pag."));
  EXPECT_FALSE(ParolaPresente(parole, "agrario:"));
  EXPECT_EQ(desk.openedDocuments(), std::vector<std::string>{file});
}

TEST_F(StampaImmobile, LandHasTwoIncomeLinesAndItsNotesBeginLower) {
  const auto parole = Parole(stampa(Scheda(1)));
  ControllaVoci(parole, {{"Tipologia:", "Terreno", 24.3},
                         {"Metri quadrati:", "90", 18.9},
                         {"Reddito agrario:", "9,00", 17.7},
                         {"Reddito dominicale:", "12,00", 17.1},
                         {"Annotazioni:", "Nota breve", 16.5}});
  for (const char* assente : {"Categoria:", "Classe:", "catastali:", "catastale:"})
    EXPECT_FALSE(ParolaPresente(parole, assente)) << assente;
}

TEST_F(StampaImmobile, AnAreaAndARecordOfNoType) {
  auto parole = Parole(stampa(Scheda(2)));
  ControllaVoci(
      parole,
      {{"Tipologia:", "Area edificabile", 24.3}, {"Rendita:", "1.234,56", 17.7}, {"Annotazioni:", "Nota breve", 17.1}});
  EXPECT_FALSE(ParolaPresente(parole, "Categoria:"));

  SchedaImmobile nessuno = Scheda(-1);
  nessuno.Dati[9] = "";
  parole = Parole(stampa(nessuno));
  EXPECT_TRUE(TestoIn(parole, "Tipologia:", 1.5, 24.3));
  EXPECT_FALSE(TestoIn(parole, "Fabbricato", 7, 24.3));
  EXPECT_TRUE(TestoIn(parole, "%", 7, 18.3));  // the share is printed with "%" even when empty
  EXPECT_FALSE(ParolaPresente(parole, "Rendita:"));
  EXPECT_FALSE(ParolaPresente(parole, "Categoria:"));
  EXPECT_TRUE(TestoIn(parole, "Nota breve", 7, 17.1));
}

TEST_F(StampaImmobile, NotesOfSixtyFiveCharactersStayOneLineFromSixtySixTheyWrap) {
  SchedaImmobile s = Scheda(0);
  s.Note = std::string(30, 'x') + "  " + std::string(33, 'z');  // 65, two blanks kept
  EXPECT_TRUE(InSequenza(TestiDisegnati(stampa(s)), {s.Note}));

  s.Note = std::string(30, 'a') + " " + std::string(35, 'b');  // 66
  const std::string file = stampa(s);
  EXPECT_TRUE(InSequenza(TestiDisegnati(file), {std::string(30, 'a') + " ", std::string(35, 'b') + " "}));
  const auto parole = Parole(file);
  EXPECT_TRUE(TestoIn(parole, std::string(30, 'a'), 7, 17.1));
  EXPECT_TRUE(TestoIn(parole, std::string(35, 'b'), 7, 16.5));
}

TEST_F(StampaImmobile, AFirstWordOfSixtyFiveCharactersPrintsOnTheSecondLine) {
  SchedaImmobile s = Scheda(0);
  s.Note = std::string(65, 'x') + " fine";
  const auto parole = Parole(stampa(s));
  EXPECT_TRUE(TestoIn(parole, std::string(65, 'x'), 7, 16.5));
  EXPECT_TRUE(TestoIn(parole, "fine", 7, 15.9));
}

TEST_F(StampaImmobile, LongNotesGoOnOverANewPage) {
  SchedaImmobile s = Scheda(1);
  std::string note;
  for (int i = 1; note.size() < 3000; ++i) note += "parola" + std::to_string(i) + " ";
  s.Note = note;
  const std::string file = stampa(s);
  const auto righe = DividiTesto(note, 65);
  // From y 16.5 the first page takes 26 lines down to y 1.5.
  const auto prima = Parole(file, 1);
  EXPECT_TRUE(TestoIn(prima, righe[0].substr(0, righe[0].find(' ')), 7, 16.5));
  EXPECT_TRUE(TestoIn(prima, righe[25].substr(0, righe[25].find(' ')), 7, 1.5));
  for (const Parola& p : prima) EXPECT_GE(p.y, 0.9) << p.testo;
  const auto seconda = Parole(file, 2);
  EXPECT_TRUE(TestoIn(seconda, "Archivio dati catastali immobili - ROSSI MARIO", 1.5, 27));
  EXPECT_TRUE(TestoIn(seconda, "Stampato con Quotara - 2026", 1.5, 1));
  EXPECT_TRUE(TestoIn(seconda, righe[26].substr(0, righe[26].find(' ')), 7, 25.5));
  // Every word of the notes is printed.
  std::set<std::string> stampate;
  for (int pagina : {1, 2})
    for (const Parola& p : Parole(file, pagina)) stampate.insert(p.testo);
  std::istringstream parole(note);
  for (std::string parola; parole >> parola;) EXPECT_TRUE(stampate.count(parola)) << parola;
}

// Values too long for one line (the location box takes any length) wrap at
// the frame's right edge; what follows moves down, line for line, so no line
// stands on another and no glyph passes x 19.5.
TEST_F(StampaImmobile, LongValuesWrapAtTheFrameAndPushTheRestDown) {
  for (const int tipologia : {0, 1}) {
    SCOPED_TRACE(tipologia);
    SchedaImmobile s = Scheda(tipologia);
    std::string ubicazione;
    for (int i = 1; ubicazione.size() < 240; ++i) ubicazione += "LOCALITA" + std::to_string(i) + " ";
    s.Ubicazione = ubicazione;
    s.Comune = "SAN GIOVANNI IN PERSICETO CON UN NOME MOLTO PIU LUNGO DEL SOLITO E ANCORA";
    s.Dati[0] = std::string(60, 'W');  // wide letters, no blank: broken inside the word
    s.Dati[9] = "100";
    s.Rendita = s.RedditoDominicale = "999.999.999.999,99";
    const std::string file = stampa(s);
    const auto parole = Parole(file);
    for (const Parola& p : parole) EXPECT_LE(p.x1, 19.5 + 0.01) << p.testo << " at " << p.y;
    // Every word of the location is printed, from x 7, the first beside its label.
    std::set<std::string> stampate;
    for (const Parola& p : parole) stampate.insert(p.testo);
    std::istringstream in(ubicazione);
    for (std::string w; in >> w;) EXPECT_TRUE(stampate.count(w)) << w;
    // The municipality takes two lines: the location starts one line lower.
    EXPECT_TRUE(TestoIn(parole, "Ubicazione/Descrizione:", 1.5, 24.3));
    EXPECT_TRUE(TestoIn(parole, "LOCALITA1", 7, 24.3));
    // The labels keep their order, each on a line of its own below the last
    // line of the value above.
    std::vector<std::string> etichette = {
        "Comune:",    "Ubicazione/Descrizione:", "Tipologia:", "Partita:", "Sezione:", "Foglio:", "Numero:",
        "Subalterno:"};
    if (tipologia == 0) etichette.insert(etichette.end(), {"Categoria:", "Classe:", "Vani"});
    etichette.insert(etichette.end(), {"Metri", "Percentuale", tipologia == 0 ? "Rendita" : "Reddito", "Annotazioni:"});
    double sopra = 28;
    for (const std::string& e : etichette) {
      const auto it = std::find_if(parole.begin(), parole.end(), [&](const Parola& p) {
        return p.testo == e && std::abs(p.x0 - 1.5) < 0.1 && p.y < sopra - 0.05;
      });
      ASSERT_NE(it, parole.end()) << e;
      sopra = it->y;
    }
    std::map<long, int> righeValori;  // lines of the value column, by y in tenths of a millimetre
    for (const Parola& p : parole)
      if (p.x0 >= 6.95 && std::abs(p.x0 - 7) < 0.05) ++righeValori[std::lround(p.y * 100)];
    for (const auto& [y, n] : righeValori) EXPECT_EQ(n, 1) << "two values start on the line at y " << y / 100.0;
    if (tipologia == 1) Immagine(file, "immobiletasi-valori-lunghi");
  }
}

TEST_F(StampaImmobile, LineBreaksInTheNotesMakeAValidFile) {
  SchedaImmobile s = Scheda(0);
  s.Note = "uno\r\ndue";
  stampa(s);
}

TEST_F(StampaImmobile, AShareStoredWithItsPercentPrintsOnePercent) {
  SchedaImmobile s = Scheda(0);
  s.Dati[9] = "50%";
  const std::string file = stampa(s);
  EXPECT_TRUE(InSequenza(TestiDisegnati(file), {"50%"}));
  EXPECT_FALSE(InSequenza(TestiDisegnati(file), {"50%%"}));
}

TEST_F(StampaImmobile, AWordLongerThanTheLineIsBrokenAtTheLineWidth) {
  const struct {
    const char* cosa;
    std::string note;
  } casi[] = {
      {"a code of 200 characters", "Codice " + std::string(200, '7') + " fine"},
      {"a word of capitals, wider than the column in 65 characters", "NOTA " + std::string(150, 'W')},
      {"a line of wide words",
       [] {
         std::string t;
         for (int i = 0; i < 12; ++i) t += "MMMMM ";
         return t + "fine";
       }()},
      {"narrow letters", std::string(300, 'i')},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.cosa);
    SchedaImmobile s = Scheda(0);
    s.Note = c.note;
    const std::string file = stampa(s);
    std::string stampato;
    for (int pagina = 1; pagina <= quotara::testing::NumeroPagine(file); ++pagina)
      for (const Parola& p : Parole(file, pagina)) {
        EXPECT_LE(p.x1, 19.505) << p.testo;  // nothing past the frame's right edge
        EXPECT_GE(p.x0, 0) << p.testo;
        if (p.x0 > 6.9 && p.y < 17.2) stampato += p.testo;
      }
    // Every character of the notes is on the page, in order.
    std::string attese;
    for (const char ch : c.note)
      if (ch != ' ') attese += ch;
    EXPECT_EQ(stampato, attese);
  }
}

}  // namespace
}  // namespace reports::testing
