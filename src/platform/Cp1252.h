#pragma once
// Windows-1252 at the file boundary. Inside the program every string is UTF-8;
// the archives, the municipality table and the PDF text are Windows-1252 bytes.
#include <string>
#include <string_view>

namespace platform {

// UTF-8 to Windows-1252. A character that Windows-1252 cannot hold, and a byte
// sequence that is not valid UTF-8, becomes `replacement`.
std::string utf8ToCp1252(std::string_view utf8, char replacement = '?');

// Windows-1252 to UTF-8. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same number.
std::string cp1252ToUtf8(std::string_view bytes);
// The same, appended to `out`: a text decoded piece by piece into one buffer.
void appendCp1252AsUtf8(std::string& out, std::string_view bytes);

// The Windows-1252 byte for one Unicode code point, or -1 when it has none.
int cp1252FromCodePoint(char32_t cp);

// The Unicode code point of one Windows-1252 byte.
char32_t cp1252ToCodePoint(unsigned char b);

// A character the archives, the reports and the forms can hold: one that
// Windows-1252 has, and not a control character (below space, DEL, the five
// undefined bytes).
bool cp1252Printable(char32_t cp);

// `utf8` without the characters that are not cp1252Printable; CR and LF stay
// when `lineBreaks` is true.
std::string onlyCp1252Printable(std::string_view utf8, bool lineBreaks = false);

// The one rule for what a field of an archive holds: the cp1252Printable
// characters, and a tab, which is stored and looked up as one space.
bool archiveFieldChar(char32_t cp);
// `utf8` as an archive stores it: each tab one space, the characters that are
// not archiveFieldChar left out.
std::string archiveFieldText(std::string_view utf8);
// Whether archiveFieldText could change `utf8`, valid UTF-8 (it holds a
// control character or one Windows-1252 may lack); false means it would give
// `utf8` itself.
bool changedAsArchiveField(std::string_view utf8);

// utf8ToCp1252 for text that is shown (a report, a form's field): a character
// that Windows-1252 lacks is "?", a control character is left out.
std::string utf8ToCp1252Printable(std::string_view utf8);

// Decodes the next UTF-8 character of `s` at `pos` and advances `pos`;
// an invalid sequence gives U+FFFD and advances one byte.
char32_t nextCodePoint(std::string_view s, size_t& pos);

// Appends the UTF-8 encoding of `cp` to `out`.
void appendUtf8(std::string& out, char32_t cp);

// The small letter of a capital that Windows-1252 holds (A -> a, À -> à,
// Š -> š, Ÿ -> ÿ); any other character as it is.
inline char32_t smallLetter(char32_t c) {
  if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  switch (c) {
    case 0x160:  // Š
    case 0x152:  // Œ
    case 0x17D:  // Ž
      return c + 1;
    case 0x178:  // Ÿ
      return 0xFF;
    default:
      return c;
  }
}

// The capital of a small letter that Windows-1252 holds (a -> A, à -> À,
// š -> Š, ÿ -> Ÿ); any other character (ß included) as it is. The program's
// one upper-casing: the text boxes that type in upper case and every text
// turned to upper case use it. š, œ, ž and ÿ become Š, Œ, Ž and Ÿ, as on a
// Windows-1252 system, since the code page holds those capitals too and an
// archive line keeps them.
inline char32_t capitalLetter(char32_t c) {
  if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
  switch (c) {
    case 0x161:  // š
    case 0x153:  // œ
    case 0x17E:  // ž
      return c - 1;
    case 0xFF:  // ÿ
      return 0x178;
    default:
      return c;
  }
}

}  // namespace platform
