#include "platform/Text.h"

#include <algorithm>

#include "platform/Cp1252.h"

namespace platform {

namespace text {

std::u32string toU32(std::string_view utf8) {
  std::u32string out;
  for (size_t pos = 0; pos < utf8.size();) out.push_back(nextCodePoint(utf8, pos));
  return out;
}

std::string toUtf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) appendUtf8(out, c);
  return out;
}

int length(std::string_view utf8) {
  int n = 0;
  for (size_t pos = 0; pos < utf8.size(); ++n) nextCodePoint(utf8, pos);
  return n;
}

}  // namespace text

int compareNoCase(std::string_view a, std::string_view b) {
  // Equal bytes fold alike: the common start is passed over at once, back to
  // the start of the character in which the texts part (or, when one ends,
  // of its last character, which may be cut short).
  const size_t n = std::min(a.size(), b.size());
  size_t k = static_cast<size_t>(std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(n), b.begin()).first -
                                 a.begin());
  if (k == n && n > 0) --k;
  const auto continuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
  while (k > 0 && (continuation(a[k]) || continuation(b[k]))) --k;
  size_t i = k, j = k;
  while (i < a.size() && j < b.size()) {
    const unsigned char p = a[i], q = b[j];
    char32_t x, y;
    if (p < 0x80 && q < 0x80) {  // the common case, without decoding
      x = smallLetter(p), y = smallLetter(q);
      ++i, ++j;
    } else {
      x = smallLetter(nextCodePoint(a, i)), y = smallLetter(nextCodePoint(b, j));
    }
    if (x != y) return x < y ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

std::string foldNoCase(std::string_view text) {
  std::string key;
  key.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = text[i];
    if (c < 0x80) {
      key += static_cast<char>(smallLetter(c));
      ++i;
    } else {
      appendUtf8(key, smallLetter(nextCodePoint(text, i)));
    }
  }
  return key;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  size_t i = 0, j = 0;
  while (j < prefix.size()) {
    if (i >= text.size()) return false;
    if (smallLetter(nextCodePoint(text, i)) != smallLetter(nextCodePoint(prefix, j))) return false;
  }
  return true;
}

}  // namespace platform
