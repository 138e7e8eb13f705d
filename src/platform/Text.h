#pragma once
// UTF-8 text counted in characters (for the editing of text boxes) and
// compared with case ignored (for sorted lists, searches and the archives'
// look-ups): the letters of Windows-1252 fold to their small letters.
#include <string>
#include <string_view>

namespace platform {

namespace text {

std::u32string toU32(std::string_view utf8);
std::string toUtf8(std::u32string_view text);
int length(std::string_view utf8);

}  // namespace text

// Case-insensitive comparison of texts (Windows-1252 letters folded).
int compareNoCase(std::string_view a, std::string_view b);
// The text with its letters folded as compareNoCase folds them: two such keys
// compare byte by byte as compareNoCase compares the texts (sorting many texts
// folds each once instead of at every comparison).
std::string foldNoCase(std::string_view text);
// Whether `text` starts with `prefix`, case ignored.
bool startsWithNoCase(std::string_view text, std::string_view prefix);

}  // namespace platform
