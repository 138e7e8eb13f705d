#pragma once
// The report tests start from the program fixture (scratch folder, headless
// desktop, Thursday 10 December 2026, 9:30:15) and read their PDF files back
// with the shared readers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "frame/Principale.h"
#include "support/Pdf.h"
#include "support/ProgramTest.h"

namespace reports::testing {

using quotara::testing::ControllaPdf;
using quotara::testing::Parola;
using quotara::testing::ParolaPresente;
using quotara::testing::Parole;
using quotara::testing::TestiDisegnati;
using quotara::testing::TestoIn;
using quotara::testing::TestoPagina;
using shell::MostraStampa;

class ReportsTest : public quotara::testing::ProgramTest {
 protected:
  // pdftoppm -r 70 of a page, kept in the test's folder under the build
  // folder to be looked at.
  void Immagine(const std::string& file, const std::string& nome, int pagina = 1) {
    if (std::system("command -v pdftoppm > /dev/null 2>&1") != 0) return;
    const std::string p = std::to_string(pagina);
    const std::string comando =
        "pdftoppm -png -r 70 -f " + p + " -l " + p + " -singlefile '" + file + "' '" + (base / nome).string() + "'";
    EXPECT_EQ(std::system(comando.c_str()), 0);
  }
};

// The bytes of a file.
inline std::string Leggi(const std::filesystem::path& file) { return quotara::testing::LeggiFile(file); }

}  // namespace reports::testing
