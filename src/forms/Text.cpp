#include "forms/Text.h"

#include "platform/Cp1252.h"

namespace forms::text {

std::u32string toU32(std::string_view utf8) {
  std::u32string out;
  for (size_t pos = 0; pos < utf8.size();) out.push_back(platform::nextCodePoint(utf8, pos));
  return out;
}

std::string toUtf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) platform::appendUtf8(out, c);
  return out;
}

int length(std::string_view utf8) {
  int n = 0;
  for (size_t pos = 0; pos < utf8.size(); ++n) platform::nextCodePoint(utf8, pos);
  return n;
}

}  // namespace forms::text
