// The blank declaration: the committed resource is what the generator writes,
// a sound PDF of two pages with its sections.
#include "Dichiarazione.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <regex>

#include "../pdf/PdfTestSupport.h"

namespace {

std::string comando(const std::string& riga) {
  std::string uscita;
  std::unique_ptr<FILE, int (*)(FILE*)> p(popen(riga.c_str(), "r"), pclose);
  if (!p) return uscita;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, p.get())) > 0;) uscita.append(buf, n);
  return uscita;
}

TEST(Dichiarazione, TheResourceIsWhatTheGeneratorWrites) {
  const std::string file = pdftest::outPath("dichiarazioneIMUTASI.pdf");
  strumenti::ScriviDichiarazione(file);
  const std::string risorsa = pdftest::readFile(QUOTARA_SOURCE_DIR "/resources/dichiarazioneIMUTASI.pdf");
  ASSERT_FALSE(risorsa.empty());
  EXPECT_TRUE(pdftest::readFile(file) == risorsa)
      << "resources/dichiarazioneIMUTASI.pdf is not the generator's: run gen-dichiarazione again";
}

TEST(Dichiarazione, IsASoundPdfOfTwoPagesWithItsSections) {
  const std::string file = pdftest::outPath("dichiarazioneIMUTASI.pdf");
  strumenti::ScriviDichiarazione(file);
  pdftest::expectValidPdf(file);
  if (!pdftest::haveTool("pdftotext") || !pdftest::haveTool("pdfinfo")) GTEST_SKIP() << "poppler-utils missing";
  EXPECT_TRUE(std::regex_search(comando("pdfinfo '" + file + "'"), std::regex("\nPages: +2\n")));
  const std::string pagina1 = comando("pdftotext -f 1 -l 1 -layout '" + file + "' -");
  for (const char* titolo :
       {"DICHIARAZIONE IMU/TASI", "COMUNE DESTINATARIO DELLA DICHIARAZIONE", "CONTRIBUENTE", "DICHIARANTE",
        "FIRMA DELLA DICHIARAZIONE", "Codice fiscale", "Domicilio fiscale", "Natura della carica", "Pagina 1 di 2"})
    EXPECT_NE(pagina1.find(titolo), std::string::npos) << titolo;
  const std::string pagina2 = comando("pdftotext -f 2 -l 2 -layout '" + file + "' -");
  for (const char* titolo :
       {"IMMOBILI", "Caratteristiche", "Indirizzo", "Sezione", "Foglio", "Particella", "Sub.", "Categoria", "Classe",
        "Valore (euro)", "% possesso", "Riduzione", "Data di inizio", "ANNOTAZIONI", "è iniziato", "Pagina 2 di 2"})
    EXPECT_NE(pagina2.find(titolo), std::string::npos) << titolo;
}

}  // namespace
