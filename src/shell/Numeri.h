#pragma once
// Numbers as text in the Italian regional format: "." groups the thousands, ","
// is the decimal sign. Everything here ignores the process locale.
#include <optional>
#include <string>
#include <string_view>

namespace shell {

// Formats `valore` with a pattern of "#", "0", "," (grouping) and "." (decimal
// point): "#,##0.00", "##,###,##0", "#,##0.#0", "###0", "0", "00000";
// "Standard" is "#,##0.00". The count of "0" before the point is the minimum
// number of integer digits; every placeholder after it is a decimal place, and
// trailing "#" places are dropped when they are zero.
// The value is rounded to 15 significant digits first, then half away from zero
// to the decimals of the pattern; a result that shows only zeros has no sign.
// NaN and infinities give "".
std::string Formatta(double valore, std::string_view formato);

// Formatta(valore, "#,##0.00").
std::string FormattaEuro(double valore);

// Regional reading: "1.234,56" -> 1234.56. Blanks around the number and grouping
// dots anywhere in the whole part are accepted ("1.2.3" -> 123); a sign may lead.
// "" and anything that is not a number ("abc", "2,5,1", "1,5.3", "1e3") -> nullopt.
std::optional<double> LeggiNumero(std::string_view testo);

// LeggiNumero(testo) has a value.
bool IsNumeric(std::string_view testo);

// LeggiNumero(testo), or 0 when the text is not a number.
double CDbl(std::string_view testo);

// Plain reading of digits-only boxes: leading blanks skipped, an optional sign,
// then the leading digits; "" -> 0, "12ab" -> 12, "00" -> 0. Saturates instead
// of overflowing.
long long Val(std::string_view testo);

// `valore` rounded to 15 significant digits: removes the binary noise of sums
// and products (1.15 * 10 gives 11.5, not 11.499999999999998).
double Arrotonda15Cifre(double valore);

}  // namespace shell
