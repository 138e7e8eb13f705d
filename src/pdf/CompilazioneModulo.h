#pragma once
// Fills a PDF form from an FDF file of the program's own shape and writes the
// filled copy beside it, for the desktop's PDF viewer (which cannot read FDF).
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace pdf {

// A form that could not be filled; what() names the file and the reason.
class ErroreCompilazione : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What an FDF file holds: the PDF it fills (its /F path) and the field values
// in file order, all as UTF-8.
struct DatiFdf {
  std::string Pdf;
  std::vector<std::pair<std::string, std::string>> Campi;
};

// Reads the bytes of an FDF file: the entries <</T(name)/V(value)>> of its
// /Fields array (literal strings of Windows-1252 bytes with the escapes \\, \(
// and \); a value written as a name, /Off or /S#EC, is kept as its name) and
// its /F(path). Throws ErroreCompilazione when the bytes are not such a file.
DatiFdf LeggiFdf(const std::string& byte);

// Fills the form that the FDF `percorsoFdf` names: its /F path, or, when that
// file is not there, the PDF of the same name beside the FDF. Every field of
// the FDF gets its value; the sums of the form's calculation order (the
// AFSimple_Calculate "SUM" scripts) are worked out; a value wider than its box
// gets a smaller font size, down to 5 points; a box that asks for centred or
// right-aligned text gets it. The filled copy is written,
// atomically, as the FDF's name without ".fdf" followed by "-compilato.pdf";
// its path is returned. The same input always gives the same bytes.
// Throws ErroreCompilazione.
std::string CompilaModulo(const std::string& percorsoFdf);

// The same from the values `dati` that the FDF `percorsoFdf` holds, which is
// then not read again: the same filled copy, the same messages.
std::string CompilaModulo(const DatiFdf& dati, const std::string& percorsoFdf);

}  // namespace pdf
