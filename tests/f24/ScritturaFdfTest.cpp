// The FDF writer: the name check against the template, the values as they are
// written, the file byte for byte and the field-name reader.
#include <gmock/gmock.h>

#include "f24/ScritturaFdf.h"
#include "platform/Files.h"
#include "F24Fixture.h"

namespace f24::testing {
namespace {

using forms::vbOK;

constexpr const char* kInizio = "%FDF-1.2\r\n%\xE2\xE3\xCF\xD3\r\n1 0 obj<</FDF<</Fields[\r\n";

class ScritturaFdfTest : public F24Test {
 protected:
  // A template whose fields are `nomi`, one field dictionary a line.
  std::string modello(const std::vector<std::string>& nomi) {
    std::string pdf = "%PDF-1.4\r\n";
    int n = 1;
    for (const auto& nome : nomi) pdf += std::to_string(n++) + " 0 obj<</FT/Tx/T(" + nome + ")/F 4>>\r\nendobj\r\n";
    pdf += "%%EOF\r\n";
    const std::string p = percorso("modello.pdf");
    ScriviFile(p, pdf);
    return p;
  }

  // The entries that the FDF got, between its first three and its last five lines.
  std::string voci(const std::string& fdf) {
    const std::string testo = LeggiFile(fdf);
    const size_t inizio = std::string(kInizio).size();
    return testo.substr(inizio, testo.find("]/F(") - inizio);
  }
};

TEST_F(ScritturaFdfTest, WritesEachFieldAsTheTemplateNamesIt) {
  struct Caso {
    const char* nome;
    const char* valore;
    const char* voce;  // "" when nothing is written
  };
  const Caso casi[] = {
      {"cognome", "BIANCHI", "<</T(cognome)/V(BIANCHI)>>\r\n"},
      {"cognome", "", "<</T(cognome)/V()>>\r\n"},
      {"cognome", "   ", "<</T(cognome)/V()>>\r\n"},
      {"cognome", "  ROSSI  ", "<</T(cognome)/V(ROSSI)>>\r\n"},
      {"indirizzo", "VIA ROMA (INT. 2)", "<</T(indirizzo)/V(VIA ROMA \\(INT. 2\\))>>\r\n"},
      {"indirizzo", "A\\B", "<</T(indirizzo)/V(A\\\\B)>>\r\n"},
      // No control character reaches the form; what Windows-1252 lacks is "?".
      {"indirizzo", "\tTAB\t", "<</T(indirizzo)/V(TAB)>>\r\n"},
      {"indirizzo",
       " \x1B VIA\x0C \xC5\x81\xC3\x93"
       "D\xC5\xB9\x7F ",
       "<</T(indirizzo)/V(VIA ?\xD3"
       "D?)>>\r\n"},
      {"NOME", "ANNA", "<</T(nome)/V(ANNA)>>\r\n"},
      {"CoGnOmE", "X", "<</T(cognome)/V(X)>>\r\n"},
      // A plain search in the list: the tail of a listed name matches too.
      {"ome", "Y", "<</T(ome)/V(Y)>>\r\n"},
      {"nominativo", "Z", ""},
      // A child field: its parent's name and its own, each found in the list.
      {"DECDET1.3", "0", "<</T(decdet1.3)/V(0)>>\r\n"},
      {"decdet1.x", "0", ""},
      {"decdet9.3", "0", ""},
      {"decdet1.", "0", ""},
      {".3", "0", ""},
  };
  const std::string pdf = modello({"cognome", "nome", "indirizzo", "decdet1", "3"});
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.nome) + " = " + c.valore);
    ScritturaFdf fdf;
    ASSERT_TRUE(fdf.LeggiNomiCampi(pdf));
    fdf.OpenFdf(percorso("uscita"));
    fdf.WriteField(c.nome, c.valore);
    fdf.CloseFdf(percorso("modello"));
    EXPECT_EQ(voci(percorso("uscita.fdf")), c.voce);
  }
  EXPECT_TRUE(desk.msgBoxes().empty()) << "no message unless asked for";
}

TEST_F(ScritturaFdfTest, ReportsAnUnknownNameOnlyWhenAsked) {
  const std::string pdf = modello({"cognome"});
  for (const bool segnala : {false, true}) {
    ScritturaFdf fdf;
    fdf.LeggiNomiCampi(pdf);
    fdf.SegnalaCampiMancanti = segnala;
    fdf.OpenFdf(percorso("uscita"));
    fdf.WriteField("detrazione0", "50");
    fdf.CloseFdf(pdf);
    EXPECT_EQ(voci(percorso("uscita.fdf")), "");
    EXPECT_EQ(fdf.Avvisi(), segnala ? std::vector<std::string>{"Scrittura FDF: Nome campo inesistente detrazione0"}
                                    : std::vector<std::string>{});
    // The next form starts without the notices of the last.
    fdf.OpenFdf(percorso("uscita"));
    EXPECT_TRUE(fdf.Avvisi().empty());
  }
  // The writer itself shows nothing.
  EXPECT_TRUE(desk.msgBoxes().empty());
}

TEST_F(ScritturaFdfTest, WithoutATemplateEveryNameIsWrittenAsGiven) {
  for (const bool letto : {false, true}) {
    ScritturaFdf fdf;
    fdf.SegnalaCampiMancanti = true;
    if (letto) {
      EXPECT_FALSE(fdf.LeggiNomiCampi(percorso("manca.pdf")));
    }
    EXPECT_EQ(fdf.ElencoCampi(), "");
    fdf.OpenFdf(percorso("uscita.fdf"));
    fdf.WriteField("Qualunque", "1");
    fdf.WriteCheckBox("Casella", true);
    fdf.WriteCheckBox("Altra", false);
    fdf.CloseFdf(percorso("manca"));
    EXPECT_EQ(voci(percorso("uscita.fdf")),
              "<</T(Qualunque)/V(1)>>\r\n<</T(Casella)/V/S#EC>>\r\n<</T(Altra)/V/Off>>\r\n");
  }
  EXPECT_TRUE(desk.msgBoxes().empty());
}

TEST_F(ScritturaFdfTest, WritesAccentsAndTheEuroAsWindows1252Bytes) {
  ScritturaFdf fdf;
  fdf.OpenFdf(percorso("uscita"));
  fdf.WriteField("nome", "NICCOLÒ è €");
  fdf.CloseFdf(percorso("uscita"));
  EXPECT_EQ(voci(percorso("uscita.fdf")), "<</T(nome)/V(NICCOL\xD2 \xE8 \x80)>>\r\n");
}

TEST_F(ScritturaFdfTest, WritesTheWholeFileByteForByte) {
  const std::string copia = percorso("datiF24/f24tasi_BIANCHI ANNA_A001_acconto_2014");
  std::filesystem::create_directories(percorso("datiF24"));
  ScritturaFdf fdf;
  fdf.OpenFdf(copia);
  fdf.WriteField("cognome", "BIANCHI");
  fdf.WriteField("nome", "ANNA");
  fdf.CloseFdf(copia + ".pdf");
  EXPECT_EQ(LeggiFile(copia + ".fdf"),
            "%FDF-1.2\r\n"
            "%\xE2\xE3\xCF\xD3\r\n"
            "1 0 obj<</FDF<</Fields[\r\n"
            "<</T(cognome)/V(BIANCHI)>>\r\n"
            "<</T(nome)/V(ANNA)>>\r\n"
            "]/F(" +
                copia +
                ".pdf)>>>>\r\n"
                "endobj\r\n"
                "trailer\r\n"
                "<</Root 1 0 R>>\r\n"
                "%%EOF\r\n");
}

TEST_F(ScritturaFdfTest, NamesTheSameFilesWithOrWithoutTheirEndings) {
  for (const std::string nome : {"a", "a.fdf"}) {
    std::filesystem::remove(percorso("a.fdf"));
    ScritturaFdf fdf;
    fdf.OpenFdf(percorso(nome));
    fdf.CloseFdf(percorso("x/f24tasi_A"));
    const std::string testo = LeggiFile(percorso("a.fdf"));
    EXPECT_NE(testo.find("]/F(" + percorso("x/f24tasi_A.pdf") + ")>>>>\r\n"), std::string::npos) << testo;
  }
  ScritturaFdf fdf;
  fdf.OpenFdf(percorso("b"));
  fdf.CloseFdf(percorso("x/f24tasi_A.pdf"));
  EXPECT_NE(LeggiFile(percorso("b.fdf")).find("]/F(" + percorso("x/f24tasi_A.pdf") + ")>>>>"), std::string::npos);
  // A "\" is a plain character of a Linux file name: it is escaped, not turned.
  fdf.OpenFdf(percorso("c"));
  fdf.CloseFdf("/tmp/a\\b(1)");
  EXPECT_NE(LeggiFile(percorso("c.fdf")).find("]/F(/tmp/a\\\\b\\(1\\).pdf)>>>>"), std::string::npos);
}

// What the writer keeps of a form is what a reader of the file gets back:
// names as the template writes them, values trimmed, without control
// characters, in Windows-1252 (a character it lacks as "?"), check boxes as
// names, the PDF path of /F.
TEST_F(ScritturaFdfTest, KeepsWhatAReaderOfTheFileGetsBack) {
  const std::string pdf = modello({"Cognome", "nome", "decdet1", "3", "casella", "altra"});
  for (const bool letto : {true, false}) {
    SCOPED_TRACE(letto ? "names checked" : "names unchecked");
    ScritturaFdf fdf;
    if (letto) {
      ASSERT_TRUE(fdf.LeggiNomiCampi(pdf));
    }
    fdf.OpenFdf(percorso("uscita"));
    fdf.WriteField("cognome", "  D'ARCO (ROSSI) \\ ");
    fdf.WriteField("nome", "NICCOLÒ\tè € \xE2\x9C\x93");
    fdf.WriteField("manca", "x");
    fdf.WriteField("decdet1.3", "0");
    fdf.WriteField("nome", "");
    fdf.WriteCheckBox("casella", true);
    fdf.WriteCheckBox("altra", false);
    fdf.CloseFdf(percorso("cartella (1)/modello è"));
    const pdf::DatiFdf letti = pdf::LeggiFdf(LeggiFile(percorso("uscita.fdf")));
    EXPECT_EQ(fdf.Dati().Pdf, letti.Pdf);
    EXPECT_EQ(fdf.Dati().Campi, letti.Campi);
    EXPECT_EQ(letti.Pdf, percorso("cartella (1)/modello è.pdf"));
    EXPECT_EQ(letti.Campi.size(), letto ? 6u : 7u);
  }
}

TEST_F(ScritturaFdfTest, AFailedWriteThrowsAndLeavesNoHalfFile) {
  ScritturaFdf fdf;
  EXPECT_THROW(fdf.OpenFdf(percorso("manca/uscita")), platform::FileError);
  EXPECT_FALSE(std::filesystem::exists(percorso("manca")));
  // Closing a file that was never opened writes nothing.
  EXPECT_NO_THROW(fdf.CloseFdf(percorso("x")));
  EXPECT_FALSE(std::filesystem::exists(percorso("manca/uscita.fdf")));
}

TEST_F(ScritturaFdfTest, ReadsTheNamesByItsLineGrammar) {
  struct Caso {
    const char* descrizione;
    std::string byte;
    const char* elenco;
  };
  const Caso casi[] = {
      {"CR LF lines", "1 0 obj<</FT/Tx/T(a)>>\r\nendobj\r\n2 0 obj<</FT/Tx/T(b)>>\r\n", "a;b;"},
      {"CR alone ends a line", "1 0 obj<</FT/Tx/T(a)>>\r2 0 obj<</FT/Tx/T(b)>>\r", "a;b;"},
      {"a lone LF does not: one line, its first /T( counts", "1 0 obj<</FT/Tx/T(a)>>\n2 0 obj<</FT/Tx/T(b)>>\r\n",
       "a;"},
      {"buttons and choices too", "1 0 obj<</FT/Btn/T(c)>>\r\n2 0 obj<</FT/Ch/T(d)>>\r\n", "c;d;"},
      {"the type must be written without a space", "1 0 obj<</FT /Tx/T(a)>>\r\n", ""},
      {"a line without obj does not count", "<</FT/Tx/T(a)>>\r\n", ""},
      {"a field line without /T( adds nothing", "1 0 obj<</FT/Tx/TU(a)>>\r\n2 0 obj<</FT/Tx/T(b)>>\r\n", "b;"},
      {"the name runs to the next )", "1 0 obj<</FT/Tx/T(a b)/TU(x)>>\r\n", "a b;"},
      {"stops at %%EOF", "1 0 obj<</FT/Tx/T(a)>>\r\n%%EOF\r\n2 0 obj<</FT/Tx/T(b)>>\r\n", "a;"},
      {"%%EOF only as a whole line", "%%EOF x\r\n1 0 obj<</FT/Tx/T(a)>>\r\n", "a;"},
      {"no ending line", "1 0 obj<</FT/Tx/T(a)>>", "a;"},
      {"empty file", "", ""},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.descrizione);
    ScriviFile(percorso("m.pdf"), c.byte);
    ScritturaFdf fdf;
    EXPECT_TRUE(fdf.LeggiNomiCampi(percorso("m")));
    EXPECT_EQ(fdf.ElencoCampi(), c.elenco);
  }
}

TEST_F(ScritturaFdfTest, ReadsTheTemplatePathAsGivenWithOrWithoutPdf) {
  std::filesystem::create_directories(percorso("a.pdf.d"));
  ScriviFile(percorso("a.pdf.d/m.pdf"), "1 0 obj<</FT/Tx/T(a)>>\r\n");
  ScritturaFdf fdf;
  // Only the ending is taken off: a folder named "a.pdf.d" stays as it is.
  EXPECT_TRUE(fdf.LeggiNomiCampi(percorso("a.pdf.d/m.pdf")));
  EXPECT_EQ(fdf.ElencoCampi(), "a;");
  ScriviFile(percorso("m.pdf"), "1 0 obj<</FT/Tx/T(a)>>\r\n");
  EXPECT_TRUE(fdf.LeggiNomiCampi(percorso("m.pdf")));
  EXPECT_EQ(fdf.ElencoCampi(), "a;");
  // Reading again replaces the list.
  EXPECT_FALSE(fdf.LeggiNomiCampi(percorso("altro")));
  EXPECT_EQ(fdf.ElencoCampi(), "");
}

}  // namespace
}  // namespace f24::testing
