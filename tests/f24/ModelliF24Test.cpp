// The two F24 templates of the resources: their field names, the shape the
// name reader relies on, the structural check, and the generator that wrote them.
#include <gmock/gmock.h>

#include <algorithm>
#include <regex>
#include <set>

#include "f24/ScritturaFdf.h"
#include "F24Fixture.h"

namespace f24::testing {
namespace {

using ::testing::ElementsAreArray;

std::vector<std::string> numerati(const std::string& prima, int da, int a, const std::string& dopo = "") {
  std::vector<std::string> out;
  for (int i = da; i <= a; ++i) out.push_back(prima + std::to_string(i) + dopo);
  return out;
}

void aggiungi(std::vector<std::string>& a, const std::vector<std::string>& b) { a.insert(a.end(), b.begin(), b.end()); }

// The field table of the forms, in its order: the fields common to both, the
// rows, then the fields that the program leaves to the form.
std::vector<std::string> campiModello(bool semplificato) {
  const int righe = semplificato ? 10 : 4;
  std::vector<std::string> n = {"delega", "agenzia", "prov"};
  aggiungi(n, numerati("cf", 1, 16));
  aggiungi(n,
           {"cognome", "nome", "sesso", "comune", "g1", "g2", "m1", "m2", "a1", "a2", "a3", "a4", "prona1", "prona2"});
  if (!semplificato) aggiungi(n, {"comunedom", "prodom1", "prodom2", "indirizzo"});
  aggiungi(n, numerati("iban", 1, 25));
  for (int i = 1; i <= righe; ++i) aggiungi(n, numerati("coca" + std::to_string(i), 1, 4));
  for (int i = 1; i <= righe; ++i)
    for (const char* c : {"acc", "sal", "immobili", "cotri", "anno", "imu"}) n.push_back(c + std::to_string(i));
  if (semplificato) {
    for (int i = 1; i <= righe; ++i) aggiungi(n, numerati("el" + std::to_string(i), 1, 2));
    aggiungi(n, numerati("detrazione", 1, 10));
  } else {
    n.push_back("detrazione");
  }
  for (int i = 1; i <= righe; ++i)
    for (const char* c : {"rav", "variato", "rata"}) n.push_back(c + std::to_string(i));
  for (int i = 1; i <= 4; ++i) aggiungi(n, numerati("decimu" + std::to_string(i), 1, 2));
  aggiungi(n, {"totimu", "dectotimu1", "dectotimu2", "decdet1", "decdet2"});
  if (!semplificato)
    aggiungi(n, {"plusimu", "saldoimu", "saldo", "decsaldo1", "decsaldo2", "decsaldoimu1", "decsaldoimu2"});
  return n;
}

// Fields of the simplified form that hold the ten children "0" to "9".
bool genitore(bool semplificato, const std::string& nome) {
  return semplificato && (nome == "decimu41" || nome == "decimu42" || nome == "decdet1" || nome == "decdet2");
}

struct Modello {
  const char* file;
  bool semplificato;
  size_t campi;
};
const Modello kModelli[] = {{"f24tasi.pdf", false, 135}, {"f24tasisemplificato.pdf", true, 231}};

class ModelliF24Test : public F24Test {};

TEST_F(ModelliF24Test, HoldTheFieldsOfTheTable) {
  for (const auto& m : kModelli) {
    SCOPED_TRACE(m.file);
    const auto campi = campiModello(m.semplificato);
    EXPECT_EQ(campi.size(), m.campi);
    // The reader gets the names in table order, each parent followed by its children.
    std::string atteso;
    for (const auto& c : campi) {
      atteso += c + ";";
      if (genitore(m.semplificato, c))
        for (int k = 0; k <= 9; ++k) atteso += std::to_string(k) + ";";
    }
    ScritturaFdf fdf;
    ASSERT_TRUE(fdf.LeggiNomiCampi(sorgente("resources/") + m.file));
    EXPECT_EQ(fdf.ElencoCampi(), atteso);
    if (!m.semplificato) {
      EXPECT_EQ(fdf.ElencoCampi().rfind("delega;agenzia;prov;cf1;", 0), 0u);
    }

    // An independent reader sees the same fields (children by their full names).
    const std::string dump = Esegui("pdftk " + quota(sorgente("resources/") + m.file) + " dump_data_fields");
    ASSERT_TRUE(Riuscito(dump)) << dump;
    std::vector<std::string> visti;
    const std::regex riga("FieldName: ([^\r\n]*)");
    for (auto it = std::sregex_iterator(dump.begin(), dump.end(), riga); it != std::sregex_iterator(); ++it)
      visti.push_back((*it)[1]);
    std::vector<std::string> attesi;
    for (const auto& c : campi) {
      if (!genitore(m.semplificato, c)) {
        attesi.push_back(c);
      } else {
        for (int k = 0; k <= 9; ++k) attesi.push_back(c + "." + std::to_string(k));
      }
    }
    std::sort(visti.begin(), visti.end());
    std::sort(attesi.begin(), attesi.end());
    EXPECT_THAT(visti, ElementsAreArray(attesi));
    EXPECT_EQ(dump.find("FieldType: Button"), std::string::npos) << "every field is a text field";
  }
}

TEST_F(ModelliF24Test, KeepTheShapeTheNameReaderNeeds) {
  for (const auto& m : kModelli) {
    SCOPED_TRACE(m.file);
    const std::string pdf = LeggiFile(sorgente("resources/") + m.file);
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(pdf.rfind("%PDF-1.4\r\n", 0), 0u);
    EXPECT_TRUE(std::regex_search(pdf, std::regex("%%EOF\r\n$")));
    for (size_t i = 0; i < pdf.size(); ++i) {
      if (pdf[i] == '\n') {
        ASSERT_EQ(pdf[i - 1], '\r') << "a lone LF at byte " << i;
      }
    }
    auto conta = [&](const std::string& s) {
      size_t n = 0;
      for (size_t p = pdf.find(s); p != std::string::npos; p = pdf.find(s, p + 1)) ++n;
      return n;
    };
    EXPECT_EQ(conta("%%EOF"), 1u);
    EXPECT_EQ(conta("\r\nxref\r\n"), 1u);
    EXPECT_EQ(conta("/ObjStm"), 0u);
    EXPECT_EQ(conta("/XRef"), 0u);
    EXPECT_EQ(conta("/Filter"), 0u) << "the page is not compressed";
    // Each field: one line, /FT/Tx and its own /T first, endobj on the next line.
    const std::regex campo(R"((\d+) 0 obj<</FT/Tx/T\(([^)]*)\)[^\r\n]*>>\r\nendobj\r\n)");
    const size_t campi = std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), campo), std::sregex_iterator());
    EXPECT_EQ(campi, m.campi + (m.semplificato ? 40 : 0));
    EXPECT_EQ(conta("/FT/"), campi);
    // The font that the values are drawn with, and the form's own sums.
    EXPECT_NE(pdf.find("/DR<</Font<</Helv 5 0 R>>>>"), std::string::npos);
    EXPECT_NE(pdf.find("5 0 obj<</Type/Font/Subtype/Type1/BaseFont/Helvetica/Encoding/WinAnsiEncoding>>"),
              std::string::npos);
    const std::string imu = m.semplificato ? R"("imu1", "imu2", "imu3", "imu4", "imu5", "imu6", "imu7", "imu8", )"
                                             R"("imu9", "imu10")"
                                           : R"("imu1", "imu2", "imu3", "imu4")";
    const std::string somma = "AFSimple_Calculate\\(\"SUM\", new Array\\(" + imu + "\\)\\);";
    EXPECT_EQ(conta(somma), m.semplificato ? 1u : 3u);
    for (const char* totale : {"totimu", "saldoimu", "saldo"}) {
      if (m.semplificato && std::string(totale) != "totimu") continue;
      EXPECT_TRUE(std::regex_search(pdf, std::regex(std::string("/T\\(") + totale + "\\)[^\r\n]*AFSimple"))) << totale;
    }
    EXPECT_TRUE(std::regex_search(pdf, std::regex(R"(/CO\[\d+ 0 R)")));
  }
}

TEST_F(ModelliF24Test, PassTheStructuralCheck) {
  for (const auto& m : kModelli) controllaPdf(sorgente("resources/") + m.file);
}

TEST_F(ModelliF24Test, AreWhatTheGeneratorWrites) {
  const std::string out =
      Esegui("python3 " + quota(sorgente("tools/gen-modelli-f24.py")) + " " + quota(cartella().string()));
  ASSERT_TRUE(Riuscito(out)) << out;
  for (const auto& m : kModelli) {
    SCOPED_TRACE(m.file);
    const std::string generato = LeggiFile(percorso(m.file));
    ASSERT_FALSE(generato.empty());
    EXPECT_TRUE(generato == LeggiFile(sorgente("resources/") + m.file)) << "run tools/gen-modelli-f24.py again";
  }
}

}  // namespace
}  // namespace f24::testing
