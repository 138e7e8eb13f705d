#pragma once
// A birth date as the date boxes of the fiscal-code and F24 windows hold it:
// "dd/mm/yyyy" in the mask "  /  /    ".
#include <string>
#include <string_view>

namespace fiscalcode {

// The text is a real calendar date "dd/mm/yyyy": two-digit day and month,
// four-digit year (0001 to 9999), no blank position, nothing more.
// "31/02/1975", "29/02/1900" and the blank mask are not.
bool DataValida(std::string_view Testo);

// A valid date as CalcolaCodiceFiscale takes it, "dd/mm/yy"; "" for any
// other text.
std::string DataPerCodice(std::string_view Testo);

}  // namespace fiscalcode
