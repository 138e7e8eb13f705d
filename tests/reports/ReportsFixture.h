#pragma once
// The headless desktop with the program's application object, private
// program and temporary folders, and what the report tests read back from a
// PDF file: the structural check, the words with their positions, the text.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"
#include "shell/Applicazione.h"

namespace reports::testing {

class ReportsTest : public ::testing::Test {
 protected:
  ReportsTest();
  ~ReportsTest() override;

  std::string temp(const std::string& nome) const { return (base / "temp" / nome).string(); }

  std::filesystem::path base;
  forms::HeadlessDesktop desk;
  shell::Applicazione application{desk};
  forms::ScriptedUser user;
};

// tools/check-pdf on the file: "" when it passes (or qpdf is not installed),
// else what it printed.
std::string ControllaPdf(const std::string& file);

// One word that pdftotext finds, in centimetres from the page's lower left
// corner: x where it starts and ends, y of its baseline.
struct Parola {
  std::string testo;
  double x0 = 0, x1 = 0, y = 0;
};
// The words of page `pagina` (from 1).
std::vector<Parola> Parole(const std::string& file, int pagina = 1);

// The texts drawn at (x, y) in the page: `testo` may hold several words; with
// `destra` x is where it ends. Positions match within 1 mm.
bool TestoIn(const std::vector<Parola>& parole, const std::string& testo, double x, double y, bool destra = false);
// Whether any word of the page is `testo`.
bool ParolaPresente(const std::vector<Parola>& parole, const std::string& testo);

// The text of the page as pdftotext lays it out.
std::string TestoPagina(const std::string& file, int pagina = 1);

// The bytes of a file.
std::string Leggi(const std::filesystem::path& file);

}  // namespace reports::testing
