// The rules of the cadastral register without windows: list rows, owner
// groups, distinct values, the CSV lines, the calculation type of a record,
// the text forms of the notes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archives/RegistroCatasto.h"
#include "support/NumeriCampi.h"

namespace archives {
namespace {

using Righe = std::vector<std::string>;

std::string Linea(const Righe& campi) {
  std::string riga;
  for (size_t i = 0; i < campi.size(); ++i) riga += (i ? ";" : "") + campi[i];
  return riga;
}

// A register line of owner `nome`, type `tipo`, with the given list fields.
std::string Record(const std::string& nome, const std::string& comune, const std::string& ubicazione,
                   const std::string& tipo, const std::string& rendita = "", const std::string& dominicale = "") {
  return Linea(
      {nome, comune, ubicazione, tipo, "1", "", "2", "3", "", "A/2", "", "", "", "100", rendita, "", dominicale, ""});
}

TEST(CatastoRecord, EighteenFieldsTheFirstThreeTheKey) {
  const CatastoRecord r =
      CatastoRecord::fromLine("ROSSI;TORINO;VIA ROMA 1;0;12;A;3;45;2;A/2;3;5,5;90;50%;1.234,56;7,00;8,00;uno\\due");
  EXPECT_EQ(r.Nome, "ROSSI");
  EXPECT_EQ(r.Tipologia, "0");
  EXPECT_EQ(r.Categoria, "A/2");
  EXPECT_EQ(r.Possesso, "50%");
  EXPECT_EQ(r.RenditaCatastale, "1.234,56");
  EXPECT_EQ(r.RedditoAgrario, "7,00");
  EXPECT_EQ(r.RedditoDominicale, "8,00");
  EXPECT_EQ(r.Annotazioni, "uno\\due");
  EXPECT_EQ(r.chiave(), "ROSSI;TORINO;VIA ROMA 1");
  EXPECT_EQ(CatastoRecord::chiaveDi("A;B"), "A;B;");
  EXPECT_EQ(CatastoRecord::nomeCampo(18), "Annotazioni");
  EXPECT_EQ(CatastoRecord::fromLine("A;B;C").toLine(), "A;B;C;;;;;;;;;;;;;;;");
}

TEST(RigaElenco, CutsOrFillsTheNamesAndMarksMissingAmounts) {
  struct Caso {
    const char* cosa;
    std::string riga;
    std::string attesa;
  };
  const Caso casi[] = {
      {"a short municipality is filled to 12 characters", Record("A", "PINO", "VIA PO 1", "0", "1.234,56", "12,00"),
       "PINO        ;VIA PO 1                 ;1.234,56;12,00"},
      {"a long description is cut to 25 characters",
       Record("A", "SAN MAURIZIO CANAVESE", "VIA DELLE MADONNE DI SOTTO 12", "0", "100,00"),
       "SAN MAURIZIO;VIA DELLE MADONNE DI SOTT;100,00;    ---"},
      {"no amounts", Record("A", "TORINO", "X", "1"), "TORINO      ;X                        ;    ---;    ---"},
      {"characters, not bytes", Record("A", "FORLÌ", "PIAZZA DELL'UNITÀ", "0", "1,00"),
       "FORLÌ       ;PIAZZA DELL'UNITÀ        ;1,00;    ---"},
      {"a line that lacks the fields", "SOLO NOME",
       std::string(12, ' ') + ";" + std::string(25, ' ') + ";    ---;    ---"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.cosa);
    EXPECT_EQ(RigaElenco(CatastoRecord::fromLine(c.riga), ";"), c.attesa);
  }
  EXPECT_EQ(RigaElenco(CatastoRecord::fromLine(Record("A", "B", "C", "0")), "|"),
            "B           |C                        |    ---|    ---");
}

// Only the three texts the record window writes are a type, and the empty
// field of an imported line, a building as the record window shows it; the
// list, the calculation page and the report read it the same way.
TEST(CatastoRecord, TheTypeIsOneOfTheThreeTextsOrNone) {
  const std::pair<const char*, int> casi[] = {{"0", 0},  {"1", 1},   {"2", 2},   {"3", -1},  {"", 0},
                                              {"a", -1}, {" 1", -1}, {"01", -1}, {"1,0", -1}};
  for (const auto& [tipologia, tipo] : casi)
    EXPECT_EQ(CatastoRecord::fromLine(Record("A", "B", "C", tipologia)).Tipo(), tipo) << '"' << tipologia << '"';
}

TEST(RigheProprietario, BuildingsThenLandThenAreasOfThatOwnerOnly) {
  const Righe registro = {
      Record("BIANCHI", "X", "AREA 1", "2"), Record("ROSSI", "A", "TERRENO", "1"), Record("ROSSI", "A", "CASA 1", "0"),
      Record("rossi", "A", "ALTRO", "0"),    Record("ROSSI", "A", "LOTTO", "2"),   Record("ROSSI", "A", "STRANO", "3"),
      Record("ROSSI", "A", "CASA 2", "0"),   Record("ROSSI ", "A", "BLANK", "0"),  Record("ROSSI", "A", "VUOTO", ""),
  };
  const auto righe = RigheProprietario(registro, "ROSSI", ";");
  std::vector<int> indici;
  for (const auto& r : righe) indici.push_back(r.indice);
  // The line without a type is a building, listed in the file's order.
  EXPECT_EQ(indici, (std::vector<int>{2, 6, 8, 1, 4}));
  EXPECT_EQ(righe[0].testo, RigaElenco(CatastoRecord::fromLine(registro[2]), ";"));
  EXPECT_EQ(RigheProprietario(registro, "rossi", ";").size(), 1u);
  EXPECT_TRUE(RigheProprietario(registro, "VERDI", ";").empty());
}

TEST(ValoriDistinti, EachTextOnceInOrderOfFirstAppearanceCaseCounting) {
  const Righe registro = {Record("ROSSI", "TORINO", "A", "0"), Record("BIANCHI", "PINO", "B", "0"),
                          Record("ROSSI", "torino", "C", "0"), Record("rossi", "TORINO", "D", "0")};
  EXPECT_EQ(ValoriDistinti(registro, 1), (Righe{"ROSSI", "BIANCHI", "rossi"}));
  EXPECT_EQ(ValoriDistinti(registro, 2), (Righe{"TORINO", "PINO", "torino"}));
}

TEST(RigheEsportazione, FieldsStayAsStoredQuotedWhenTheyHoldACommaAQuoteOrALineBreak) {
  const Righe csv = RigheEsportazione({"ROSSI;TORINO;VIA ROMA, 1;0;;;;;;A/2;;5,5;;50%;1.234,56;;;uno, due\\tre"});
  ASSERT_EQ(csv.size(), 2u);
  EXPECT_EQ(csv[0],
            "Nome,Comune,Ubicazione,Tipologia,Partita,Sezione,Foglio,Numero,Subalterno,Categoria,Classe,Vani,Metri,"
            "Possesso,Rendita catastale,Renddito agrario,Reddito domenicale,Annotazioni");
  EXPECT_EQ(csv[1], "ROSSI,TORINO,\"VIA ROMA, 1\",0,,,,,,A/2,,\"5,5\",,50%,\"1.234,56\",,,\"uno, due\\tre\"");
  EXPECT_EQ(RigheEsportazione({}).size(), 1u);

  const std::pair<const char*, const char*> campi[] = {
      {"", ""},
      {"1.234,56", "\"1.234,56\""},
      {"40.000.00", "40.000.00"},
      {"detto \"il villino\"", "\"detto \"\"il villino\"\"\""},
      {"\"", "\"\"\"\""},
      {"uno\rdue", "\"uno\rdue\""},
      {"uno\ndue", "\"uno\ndue\""},
      {"a\\b  c", "a\\b  c"},
      {"FORLÌ", "FORLÌ"},
  };
  for (const auto& [campo, atteso] : campi) {
    const Righe r = RigheEsportazione({std::string("X;") + campo + ";Y"});
    EXPECT_EQ(r.at(1), std::string("X,") + atteso + ",Y") << campo;
  }
  // Empty fields at either end keep their places.
  EXPECT_EQ(RigheEsportazione({";X;"}).at(1), ",X,");
  EXPECT_EQ(RigheEsportazione({";;"}).at(1), ",,");
}

TEST(TogliPercento, OneTrailingPercentGoes) {
  const std::pair<const char*, const char*> casi[] = {{"50%", "50"}, {"50", "50"},    {"", ""},
                                                      {"%", ""},     {"50%%", "50%"}, {"%50", "%50"}};
  for (const auto& [testo, atteso] : casi) EXPECT_EQ(TogliPercento(testo), atteso) << testo;
}

TEST(OpzioneTipologia, TheCategoryDecidesTheTypeOfABuilding) {
  struct Caso {
    const char* tipologia;
    const char* categoria;
    int opzione;
  };
  const Caso casi[] = {
      {"0", "A/10", 1},  {"0", "B/1", 4},   {"0", "C/3", 4},   {"0", "C/4", 4},  {"0", "C/5", 4},
      {"0", "C/1", 2},   {"0", "D/5", 7},   {"0", "D/10", 6},  {"0", "D/1", 5},  {"0", "D/8", 5},
      {"0", "D/15", 0},  {"0", "A/2", 0},   {"0", "C/2", 0},   {"0", "E/1", 0},  {"0", "", 0},
      {"0", "A/10 ", 1}, {"0", " a/10", 1}, {"0", "b/2", 4},   {"0", "d/10", 6}, {"0", "A/1", 0},
      {"2", "A/10", 3},  {"2", "", 3},      {"1", "A/10", -1}, {"1", "", -1},    {"", "A/10", 1},
  };
  for (const Caso& c : casi)
    EXPECT_EQ(OpzioneTipologia(CatastoRecord::fromLine(Record("A", "B", "C", c.tipologia)).Tipo(), c.categoria),
              c.opzione)
        << "type \"" << c.tipologia << "\", category \"" << c.categoria << "\"";
}

TEST(Note, EveryLineBreakIsOneBackslashAndComesBackAsCrLf) {
  const std::pair<const char*, const char*> casi[] = {
      {"uno\r\ndue", "uno\\due"},
      {"uno\ndue", "uno\\due"},
      {"uno\rdue", "uno\\due"},
      {"a\r\n\r\nb", "a\\\\b"},
      {"a\n\rb", "a\\\\b"},
      {"fine\r\n", "fine\\"},
      {"", ""},
      {"già\\fatto", "già\\fatto"},
  };
  for (const auto& [note, campo] : casi) EXPECT_EQ(NoteInCampo(note), campo) << note;
  EXPECT_EQ(CampoInNote("uno\\due\\"), "uno\r\ndue\r\n");
  EXPECT_EQ(CampoInNote(NoteInCampo("uno\r\ndue")), "uno\r\ndue");
}

TEST(SenzaSeparatore, DropsEverySemicolon) {
  EXPECT_EQ(SenzaSeparatore(";a;;b;"), "ab");
  EXPECT_EQ(SenzaSeparatore("nessuno"), "nessuno");
}

}  // namespace
// The readers of raw lines use the field numbers; each must be the field the
// record stores there.
TEST(CatastoRecord, EachFieldNumberIsTheFieldOfThatName) {
  quotara::testing::ControllaNumeriCampi<CatastoRecord>({
      QUOTARA_CAMPO(CatastoRecord, Nome),
      QUOTARA_CAMPO(CatastoRecord, Comune),
      QUOTARA_CAMPO(CatastoRecord, Ubicazione),
      QUOTARA_CAMPO(CatastoRecord, Tipologia),
      QUOTARA_CAMPO(CatastoRecord, Partita),
      QUOTARA_CAMPO(CatastoRecord, Sezione),
      QUOTARA_CAMPO(CatastoRecord, Foglio),
      QUOTARA_CAMPO(CatastoRecord, Numero),
      QUOTARA_CAMPO(CatastoRecord, Subalterno),
      QUOTARA_CAMPO(CatastoRecord, Categoria),
      QUOTARA_CAMPO(CatastoRecord, Classe),
      QUOTARA_CAMPO(CatastoRecord, Vani),
      QUOTARA_CAMPO(CatastoRecord, Metri),
      QUOTARA_CAMPO(CatastoRecord, Possesso),
      QUOTARA_CAMPO(CatastoRecord, RenditaCatastale),
      QUOTARA_CAMPO(CatastoRecord, RedditoAgrario),
      QUOTARA_CAMPO(CatastoRecord, RedditoDominicale),
      QUOTARA_CAMPO(CatastoRecord, Annotazioni),
  });
}

}  // namespace archives
