#pragma once
// Documents opened with the desktop's default program (a report, a help page,
// the CSV export, a filled F24). When the desktop has no program that opens
// them, one "Quotara" message names the files and their folder, so the user
// can open them by hand:
//
//   shell::ApriDocumento(CartellaTemp() + "quotara.pdf");
#include <string>
#include <vector>

namespace shell {

// Opens the file; its failure is told later, when the desktop learns it.
void ApriDocumento(const std::string& Percorso);

// Opens the files in order; when one or more fail, one message for all of them.
void ApriDocumenti(const std::vector<std::string>& Percorsi);

// The message for files that no program opened: their names and their folder.
std::string TestoDocumentoNonAperto(const std::vector<std::string>& Percorsi);

}  // namespace shell
