#pragma once
// The small text services of the PDF writer: its error, number text, string escaping
// and ASCII base-85 encoding. None of them depends on the process locale.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pdf {

// Every failure of the writer: a file that cannot be created or written, a call in the
// wrong state, an argument the file format cannot carry.
class PdfError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Number text of the file: rounded to `Decimals` decimals (0 to 6; a tie goes to the even
// neighbour), then at most 7 significant digits, "." as decimal separator, no exponent,
// no trailing zeros, "0" for -0. Throws PdfError for infinity and NaN.
std::string FormattaNumeroPdf(float Value, int Decimals);
void appendNumberPdf(std::string& out, float Value, int Decimals);

// Escapes a text for a literal string between "(" and ")": "\" "(" ")" get a backslash.
std::string EscapeTestoPdf(std::string_view Text);
void appendEscapedPdf(std::string& out, std::string_view Text);

// ASCII base-85 text of the bytes as the ASCII85Decode filter reads it, "~>" included.
std::string CodificaASCII85(const std::vector<std::uint8_t>& bytes);

// True for a name the writer may put after "/": 1 or more printable ASCII characters,
// none of them a PDF delimiter or "#".
bool isPdfName(std::string_view name);

}  // namespace pdf
