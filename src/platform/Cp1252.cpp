#include "platform/Cp1252.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace platform {
namespace {

// 0x80..0x9F; 0 marks the five undefined bytes.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

}  // namespace

char32_t cp1252ToCodePoint(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) return kHigh[b - 0x80];
  return b;
}

int cp1252FromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] == cp && cp != 0) return 0x80 + i;
  }
  // The undefined bytes round-trip through their C1 controls.
  if (cp == 0x81 || cp == 0x8D || cp == 0x8F || cp == 0x90 || cp == 0x9D) return static_cast<int>(cp);
  return -1;
}

bool cp1252Printable(char32_t cp) {
  if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0x9F)) return false;
  return cp1252FromCodePoint(cp) >= 0;
}

std::string onlyCp1252Printable(std::string_view utf8, bool lineBreaks) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const size_t start = pos;
    const char32_t cp = nextCodePoint(utf8, pos);
    if (cp1252Printable(cp) || (lineBreaks && (cp == U'\r' || cp == U'\n')))
      out.append(utf8.substr(start, pos - start));
  }
  return out;
}

bool archiveFieldChar(char32_t cp) { return cp == U'\t' || cp1252Printable(cp); }

std::string archiveFieldText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const size_t start = pos;
    const char32_t cp = nextCodePoint(utf8, pos);
    if (cp == U'\t')
      out += ' ';
    else if (cp1252Printable(cp))
      out.append(utf8.substr(start, pos - start));
  }
  return out;
}

bool changedAsArchiveField(std::string_view utf8) {
  // Every character it drops or changes is a control character (C0, DEL or
  // C1, which UTF-8 writes as 0xC2 0x80-0x9F) or one Windows-1252 lacks (of
  // three or four bytes, or two from 0xC4 on).
  // No branch and no early exit: the loop runs over whole vectors of bytes.
  unsigned found = 0;
  for (const char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    found |= static_cast<unsigned>(u < 0x20) | static_cast<unsigned>(u == 0x7F) | static_cast<unsigned>(u == 0xC2) |
             static_cast<unsigned>(u >= 0xC4);
  }
  return found != 0;
}

std::string utf8ToCp1252Printable(std::string_view utf8) {
  std::string out = utf8ToCp1252(utf8);
  std::erase_if(out, [](char c) { return !cp1252Printable(cp1252ToCodePoint(static_cast<unsigned char>(c))); });
  return out;
}

char32_t nextCodePoint(std::string_view s, size_t& pos) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  if (b0 < 0x80) {
    ++pos;
    return b0;
  }
  int len = 0;
  char32_t cp = 0;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4;
    cp = b0 & 0x07;
  } else {
    ++pos;
    return 0xFFFD;
  }
  if (pos + len > s.size()) {
    ++pos;
    return 0xFFFD;
  }
  for (int i = 1; i < len; ++i) {
    const auto b = static_cast<unsigned char>(s[pos + i]);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  const bool overlong = (len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
  if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return 0xFFFD;
  }
  pos += len;
  return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string utf8ToCp1252(std::string_view utf8, char replacement) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    const auto b = static_cast<unsigned char>(utf8[pos]);
    if (b < 0x80) {  // fast path for plain ASCII
      out += static_cast<char>(b);
      ++pos;
      continue;
    }
    const int c = cp1252FromCodePoint(nextCodePoint(utf8, pos));
    out += c < 0 ? replacement : static_cast<char>(c);
  }
  return out;
}

void appendCp1252AsUtf8(std::string& out, std::string_view bytes) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  while (p < end) {
    // Plain ASCII, eight bytes at a time, copied as one run.
    const char* run = p;
    while (end - run >= 8) {
      uint64_t word;
      std::memcpy(&word, run, 8);
      if (word & 0x8080808080808080ULL) break;
      run += 8;
    }
    while (run < end && static_cast<unsigned char>(*run) < 0x80) ++run;
    out.append(p, static_cast<size_t>(run - p));
    if (run == end) break;
    appendUtf8(out, cp1252ToCodePoint(static_cast<unsigned char>(*run)));
    p = run + 1;
  }
}

std::string cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  appendCp1252AsUtf8(out, bytes);
  return out;
}

}  // namespace platform
