// The blank declaration: the committed resource is what the generator writes,
// a sound PDF of two pages with its sections.
#include "Dichiarazione.h"

#include <gtest/gtest.h>

#include "support/Pdf.h"
#include "support/ProgramTest.h"

namespace {

using namespace quotara::testing;

TEST(Dichiarazione, TheResourceIsWhatTheGeneratorWrites) {
  const std::string file = (CartellaTest() / "dichiarazioneIMUTASI.pdf").string();
  strumenti::ScriviDichiarazione(file);
  const std::string risorsa = LeggiFile(QUOTARA_SOURCE_DIR "/resources/dichiarazioneIMUTASI.pdf");
  ASSERT_FALSE(risorsa.empty());
  EXPECT_TRUE(LeggiFile(file) == risorsa)
      << "resources/dichiarazioneIMUTASI.pdf is not the generator's: run gen-dichiarazione again";
}

TEST(Dichiarazione, IsASoundPdfOfTwoPagesWithItsSections) {
  const std::string file = (CartellaTest() / "dichiarazioneIMUTASI.pdf").string();
  strumenti::ScriviDichiarazione(file);
  EXPECT_EQ(ControllaPdf(file), "");
  EXPECT_EQ(NumeroPagine(file), 2);
  const std::string pagina1 = TestoPagina(file, 1);
  for (const char* titolo :
       {"DICHIARAZIONE IMU/TASI", "COMUNE DESTINATARIO DELLA DICHIARAZIONE", "CONTRIBUENTE", "DICHIARANTE",
        "FIRMA DELLA DICHIARAZIONE", "Codice fiscale", "Domicilio fiscale", "Natura della carica", "Pagina 1 di 2"})
    EXPECT_NE(pagina1.find(titolo), std::string::npos) << titolo;
  const std::string pagina2 = TestoPagina(file, 2);
  for (const char* titolo :
       {"IMMOBILI", "Caratteristiche", "Indirizzo", "Sezione", "Foglio", "Particella", "Sub.", "Categoria", "Classe",
        "Valore (euro)", "% possesso", "Riduzione", "Data di inizio", "ANNOTAZIONI", "è iniziato", "Pagina 2 di 2"})
    EXPECT_NE(pagina2.find(titolo), std::string::npos) << titolo;
}

}  // namespace
