#pragma once
// The report tests start from the program fixture (scratch folder, headless
// desktop, Thursday 10 December 2026, 9:30:15) and read their PDF files back
// with the shared readers.
#include <filesystem>
#include <string>

#include "support/Pdf.h"
#include "support/ProgramTest.h"

namespace reports::testing {

using quotara::testing::ControllaPdf;
using quotara::testing::Parola;
using quotara::testing::ParolaPresente;
using quotara::testing::Parole;
using quotara::testing::TestoIn;
using quotara::testing::TestiDisegnati;
using quotara::testing::TestoPagina;

class ReportsTest : public quotara::testing::ProgramTest {};

// The bytes of a file.
inline std::string Leggi(const std::filesystem::path& file) { return quotara::testing::LeggiFile(file); }

}  // namespace reports::testing
