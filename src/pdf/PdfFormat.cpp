#include "pdf/PdfFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace pdf {
namespace {

constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
constexpr std::int64_t kIntPow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000};

void appendInteger(std::string& out, std::uint64_t n) {
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, n);
  out.append(buf, res.ptr);
}

// A value of 10^7 or more units of the last decimal: the 32-bit float of the rounded value
// keeps 7 significant digits, laid out without exponent.
void appendLarge(std::string& out, double rounded) {
  const float f = static_cast<float>(rounded);
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(f), std::chars_format::scientific, 6);
  std::string_view s(buf, res.ptr - buf);  // [-]d.dddddde[+-]XX
  if (s.front() == '-') {
    out += '-';
    s.remove_prefix(1);
  }
  const std::string digits{s[0], s[2], s[3], s[4], s[5], s[6], s[7]};
  const int exp = std::atoi(std::string(s.substr(9)).c_str());
  if (exp >= 6) {
    out += digits;
    out.append(static_cast<size_t>(exp - 6), '0');
    return;
  }
  std::string frac;
  if (exp >= 0) {
    out.append(digits, 0, static_cast<size_t>(exp) + 1);
    frac = digits.substr(static_cast<size_t>(exp) + 1);
  } else {
    out += '0';
    frac = std::string(static_cast<size_t>(-exp - 1), '0') + digits;
  }
  while (!frac.empty() && frac.back() == '0') frac.pop_back();
  if (!frac.empty()) out += '.' + frac;
}

}  // namespace

void appendNumberPdf(std::string& out, float Value, int Decimals) {
  if (!std::isfinite(Value)) throw PdfError("a number of the PDF file is not finite");
  if (Decimals < 0 || Decimals > 6) throw PdfError("PDF numbers carry 0 to 6 decimals");
  // A float times a power of ten up to 10^6 is exact in double; nearbyint rounds a tie to even.
  const double units = std::nearbyint(static_cast<double>(Value) * kPow10[Decimals]);
  if (units == 0) {
    out += '0';
    return;
  }
  if (std::fabs(units) >= 1e7) {
    appendLarge(out, units / kPow10[Decimals]);
    return;
  }
  // Up to 7 digits: the float of the rounded value reads back as exactly these digits.
  const auto n = static_cast<std::int64_t>(units);
  if (n < 0) out += '-';
  const std::uint64_t magnitude = static_cast<std::uint64_t>(n < 0 ? -n : n);
  appendInteger(out, magnitude / static_cast<std::uint64_t>(kIntPow10[Decimals]));
  std::uint64_t frac = magnitude % static_cast<std::uint64_t>(kIntPow10[Decimals]);
  if (frac == 0) return;
  int width = Decimals;
  while (frac % 10 == 0) {
    frac /= 10;
    --width;
  }
  out += '.';
  char buf[8];
  for (int i = width - 1; i >= 0; --i) {
    buf[i] = static_cast<char>('0' + frac % 10);
    frac /= 10;
  }
  out.append(buf, static_cast<size_t>(width));
}

std::string FormattaNumeroPdf(float Value, int Decimals) {
  std::string out;
  appendNumberPdf(out, Value, Decimals);
  return out;
}

void appendEscapedPdf(std::string& out, std::string_view Text) {
  for (char c : Text) {
    if (c == '\\' || c == '(' || c == ')') out += '\\';
    out += c;
  }
}

std::string EscapeTestoPdf(std::string_view Text) {
  std::string out;
  out.reserve(Text.size());
  appendEscapedPdf(out, Text);
  return out;
}

std::string CodificaASCII85(const std::vector<std::uint8_t>& bytes) {
  std::string out;
  out.reserve(bytes.size() / 4 * 5 + 7);
  for (size_t i = 0; i < bytes.size(); i += 4) {
    const size_t n = std::min<size_t>(4, bytes.size() - i);
    std::uint32_t value = 0;
    for (size_t k = 0; k < 4; ++k) value = value << 8 | (k < n ? bytes[i + k] : 0);
    if (n == 4 && value == 0) {
      out += 'z';
      continue;
    }
    char digits[5];
    for (int k = 4; k >= 0; --k) {
      digits[k] = static_cast<char>('!' + value % 85);
      value /= 85;
    }
    out.append(digits, n + 1);
  }
  out += "~>";
  return out;
}

bool isPdfName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    if (c < '!' || c > '~') return false;
    switch (c) {
      case '(':
      case ')':
      case '<':
      case '>':
      case '[':
      case ']':
      case '{':
      case '}':
      case '/':
      case '%':
      case '#':
        return false;
      default:
        break;
    }
  }
  return true;
}

}  // namespace pdf
