// The form filler: reading an FDF, filling the F24 template, the form's sums,
// narrower text for long values, and what it does when the form is missing.
#include <gmock/gmock.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <regex>

#include "PdfTestSupport.h"
#include "support/Pdf.h"
#include "pdf/CompilazioneModulo.h"

namespace {

using pdf::CompilaModulo;
using pdf::ErroreCompilazione;
using pdf::LeggiFdf;
using quotara::testing::Esegui;

// The project's structural check (the filled files come from qpdf, not from our writer).
void controlla(const std::string& pdf) { EXPECT_EQ(quotara::testing::ControllaPdf(pdf), "") << pdf; }

// A scratch folder of the running test.
std::string cartella() {
  const std::string dir = pdftest::outPath("d");
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

void scrivi(const std::string& percorso, const std::string& byte) { std::ofstream(percorso, std::ios::binary) << byte; }

// An FDF of the program's shape: entries as given (already escaped, Windows-1252).
std::string fdf(const std::vector<std::pair<std::string, std::string>>& voci, const std::string& pdf) {
  std::string s = "%FDF-1.2\r\n%\xE2\xE3\xCF\xD3\r\n1 0 obj<</FDF<</Fields[\r\n";
  for (const auto& [nome, valore] : voci) s += "<</T(" + nome + ")/V(" + valore + ")>>\r\n";
  return s + "]/F(" + pdf + ")>>>>\r\nendobj\r\ntrailer\r\n<</Root 1 0 R>>\r\n%%EOF\r\n";
}

std::string modello(const char* nome) { return std::string(QUOTARA_SOURCE_DIR) + "/resources/" + nome; }

std::map<std::string, std::string> valori(const std::string& pdf) { return quotara::testing::ValoriCampi(pdf); }

TEST(LeggiFdf, ReadsTheEntriesAndTheFile) {
  struct Caso {
    const char* descrizione;
    std::string byte;
    std::vector<std::pair<std::string, std::string>> campi;
    std::string pdf;
  };
  const Caso casi[] = {
      {"plain", fdf({{"a", "1"}, {"b", ""}}, "/x/y.pdf"), {{"a", "1"}, {"b", ""}}, "/x/y.pdf"},
      {"the three escapes", fdf({{"a", "\\(x\\) \\\\ y"}}, "/p\\(1\\).pdf"), {{"a", "(x) \\ y"}}, "/p(1).pdf"},
      {"balanced parentheses need no escape", fdf({{"a", "(x)"}}, "/p.pdf"), {{"a", "(x)"}}, "/p.pdf"},
      {"Windows-1252 bytes", fdf({{"a", "\x80 \xC8\xD2 \xE8"}}, "/d\xE8.pdf"), {{"a", "€ ÈÒ è"}}, "/dè.pdf"},
      {"a check box keeps its name",
       "%FDF-1.2\r\n1 0 obj<</FDF<</Fields[\r\n<</T(c)/V/S#EC>>\r\n<</T(d)/V/Off>>\r\n"
       "]/F(/p.pdf)>>>>\r\n",
       {{"c", "/S#EC"}, {"d", "/Off"}},
       "/p.pdf"},
      {"no fields", fdf({}, "/p.pdf"), {}, "/p.pdf"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.descrizione);
    const auto d = LeggiFdf(c.byte);
    EXPECT_EQ(d.Campi, c.campi);
    EXPECT_EQ(d.Pdf, c.pdf);
  }
}

TEST(LeggiFdf, RefusesWhatIsNotSuchAFile) {
  for (const std::string& byte :
       {std::string(""), std::string("%PDF-1.4\r\n"), std::string("%FDF-1.2\r\nniente"),
        std::string("%FDF-1.2\r\n/Fields[<</T(a)/V(1"), std::string("%FDF-1.2\r\n/Fields[<</T(a)>>]/F(x)"),
        std::string("%FDF-1.2\r\n/Fields[]")}) {
    EXPECT_THROW(LeggiFdf(byte), ErroreCompilazione) << byte;
  }
}

TEST(CompilaModulo, FillsTheValuesAndTheFormsSums) {
  const std::string dir = cartella();
  const std::string copia = dir + "/f24tasi_A.pdf";
  std::filesystem::copy_file(modello("f24tasi.pdf"), copia);
  scrivi(dir + "/f24tasi_A.fdf", fdf({{"cognome", "\xC8\xD2 \x80 (INT. 2) A\\\\B"},
                                      {"nome", "NICCOL\xD2"},
                                      {"cf1", "R"},
                                      {"imu1", "150"},
                                      {"imu2", "80"},
                                      {"imu3", "40"},
                                      {"detrazione", "50"}},
                                     copia));
  const std::string compilato = CompilaModulo(dir + "/f24tasi_A.fdf");
  EXPECT_EQ(compilato, dir + "/f24tasi_A-compilato.pdf");
  controlla(compilato);

  const auto v = valori(compilato);
  EXPECT_EQ(v.at("cognome"), "ÈÒ € (INT. 2) A\\B");
  EXPECT_EQ(v.at("nome"), "NICCOLÒ");
  EXPECT_EQ(v.at("cf1"), "R");
  EXPECT_EQ(v.at("imu1"), "150");
  EXPECT_EQ(v.at("detrazione"), "50");
  for (const char* totale : {"totimu", "saldoimu", "saldo"}) EXPECT_EQ(v.at(totale), "270") << totale;

  // On the page, not only in the fields.
  const std::string testo = quotara::testing::TestoPagina(compilato);
  for (const char* atteso : {"ÈÒ € (INT. 2) A\\B", "NICCOLÒ", "150", "270"})
    EXPECT_NE(testo.find(atteso), std::string::npos) << atteso << "\n" << testo;
  // Amounts stand at the right of their box (imu1: 308 to 408 points), a single character
  // in the middle of its own (cf1: 120 to 131).
  const auto parole = quotara::testing::Parole(compilato);
  auto parola = [&](const std::string& t) {
    for (const auto& p : parole)
      if (p.testo == t) return p;
    ADD_FAILURE() << t;
    return quotara::testing::Parola{};
  };
  constexpr double kPunti = 72 / 2.54;
  EXPECT_NEAR(parola("150").x1 * kPunti, 406, 1);
  const auto r = parola("R");
  EXPECT_NEAR((r.x0 + r.x1) / 2 * kPunti, 125.5, 1);
  Esegui("pdftoppm -png -r 60 '" + compilato + "' '" + dir + "/pagina'");
  EXPECT_TRUE(std::filesystem::exists(dir + "/pagina-1.png"));

  // The same input gives the same bytes.
  const std::string prima = pdftest::readFile(compilato);
  CompilaModulo(dir + "/f24tasi_A.fdf");
  EXPECT_TRUE(prima == pdftest::readFile(compilato));
}

TEST(CompilaModulo, SumsTheTenRowsOfTheSimplifiedForm) {
  const std::string dir = cartella();
  const std::string copia = dir + "/f24tasi_B_s.pdf";
  std::filesystem::copy_file(modello("f24tasisemplificato.pdf"), copia);
  std::vector<std::pair<std::string, std::string>> voci;
  for (int i = 1; i <= 10; ++i) voci.emplace_back("imu" + std::to_string(i), std::to_string(i));
  voci.emplace_back("imu3", "");  // written again, empty: counts 0
  scrivi(dir + "/f24tasi_B_s.fdf", fdf(voci, copia));
  const auto v = valori(CompilaModulo(dir + "/f24tasi_B_s.fdf"));
  EXPECT_EQ(v.at("totimu"), "52");
  EXPECT_EQ(v.at("imu10"), "10");
}

TEST(CompilaModulo, NarrowsAValueWiderThanItsBox) {
  const std::string dir = cartella();
  const std::string copia = dir + "/m.pdf";
  std::filesystem::copy_file(modello("f24tasi.pdf"), copia);
  const std::string lungo(60, 'W');
  scrivi(dir + "/m.fdf",
         fdf({{"cognome", "ROSSI"}, {"nome", "MARIA ANTONIETTA GIUSEPPINA FRANCESCA"}, {"comune", lungo}}, copia));
  const std::string compilato = CompilaModulo(dir + "/m.fdf");
  controlla(compilato);
  const std::string pdf = pdftest::readFile(compilato);
  // The /DA of each field's own object.
  auto dimensione = [&](const std::string& campo) {
    const size_t t = pdf.find("/T (" + campo + ")");
    const size_t inizio = pdf.rfind(" obj", t), fine = pdf.find("endobj", t);
    std::smatch m;
    const std::string oggetto = pdf.substr(inizio, fine - inizio);
    EXPECT_TRUE(std::regex_search(oggetto, m, std::regex(R"(/DA \(/Helv ([0-9.]+) Tf)"))) << campo;
    return std::stod(m[1]);
  };
  EXPECT_EQ(dimensione("cognome"), 9);  // fits
  const double nome = dimensione("nome");
  EXPECT_LT(nome, 9);
  EXPECT_GT(nome, 5);
  EXPECT_EQ(dimensione("comune"), 5);  // never below 5 points
  const std::string testo = quotara::testing::TestoPagina(compilato);
  EXPECT_NE(testo.find("MARIA ANTONIETTA GIUSEPPINA FRANCESCA"), std::string::npos) << testo;
}

TEST(CompilaModulo, UsesTheTwinWhenTheNamedFormIsMissing) {
  const std::string dir = cartella();
  std::filesystem::copy_file(modello("f24tasi.pdf"), dir + "/c.pdf");
  scrivi(dir + "/c.fdf", fdf({{"cognome", "VERDI"}}, "/nessuna/cartella/\x3F\x3F/c.pdf"));
  EXPECT_EQ(valori(CompilaModulo(dir + "/c.fdf")).at("cognome"), "VERDI");
}

TEST(CompilaModulo, SaysWhichFileItCouldNotFill) {
  const std::string dir = cartella();
  struct Caso {
    const char* descrizione;
    std::function<void()> prepara;
    const char* frammento;
  };
  const Caso casi[] = {
      {"no FDF", [] {}, "c.fdf"},
      {"no form", [&] { scrivi(dir + "/c.fdf", fdf({}, dir + "/manca.pdf")); }, "manca.pdf"},
      {"not a PDF",
       [&] {
         scrivi(dir + "/c.pdf", "niente");
         scrivi(dir + "/c.fdf", fdf({}, dir + "/c.pdf"));
       },
       "c.fdf"},
      {"the filled copy cannot be written",
       [&] {
         std::filesystem::copy_file(modello("f24tasi.pdf"), dir + "/c.pdf");
         std::filesystem::create_directories(dir + "/c-compilato.pdf/x");
         scrivi(dir + "/c.fdf", fdf({}, dir + "/c.pdf"));
       },
       "c-compilato.pdf"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.descrizione);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    c.prepara();
    try {
      CompilaModulo(dir + "/c.fdf");
      ADD_FAILURE() << "no error";
    } catch (const ErroreCompilazione& e) {
      const std::string testo = e.what();
      EXPECT_EQ(testo.rfind("Impossibile compilare il modulo \"" + dir + "/c.fdf\": ", 0), 0u) << testo;
      EXPECT_NE(testo.find(c.frammento), std::string::npos) << testo;
    }
    EXPECT_FALSE(std::filesystem::is_regular_file(dir + "/c-compilato.pdf"));
  }
}

}  // namespace
