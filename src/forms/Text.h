#pragma once
// UTF-8 text counted in characters, for the editing of text boxes.
#include <string>
#include <string_view>

namespace forms::text {

std::u32string toU32(std::string_view utf8);
std::string toUtf8(std::u32string_view text);
int length(std::string_view utf8);

}  // namespace forms::text
