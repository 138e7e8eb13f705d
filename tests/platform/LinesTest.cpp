#include "platform/Lines.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"

namespace platform {
namespace {

using Lines = std::vector<std::string>;

Lines Read(std::string_view text) {
  Lines lines;
  LineReader reader(text);
  for (std::string_view line; reader.next(line);) lines.emplace_back(line);
  return lines;
}

TEST(LineReader, EndsALineAtCrLfLfOrCr) {
  const struct {
    const char* name;
    std::string text;
    Lines lines;
  } cases[] = {
      {"empty", "", {}},
      {"one line without its end", "a", {"a"}},
      {"one line with its end", "a\r\n", {"a"}},
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF", "a\nb\n", {"a", "b"}},
      {"CR", "a\rb\r", {"a", "b"}},
      {"CR alone, last without end", "a\rb\rc", {"a", "b", "c"}},
      {"mixed", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
      {"empty lines kept", "\r\n\r\na\r\n\r\n", {"", "", "a", ""}},
      {"a lone line end", "\n", {""}},
      {"CR then CR LF", "a\r\r\nb", {"a", "", "b"}},
      {"NUL is text", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read(c.text), c.lines) << c.name;
    // splitLines gives the same lines.
    const std::vector<std::string_view> views = splitLines(c.text);
    EXPECT_EQ(Lines(views.begin(), views.end()), c.lines) << c.name;
  }
}

TEST(LineReader, ReadsALongTextOfCrAloneLineByLine) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += std::to_string(i) + "\r";
  const Lines lines = Read(text);
  ASSERT_EQ(lines.size(), 20000u);
  EXPECT_EQ(lines.front(), "0");
  EXPECT_EQ(lines.back(), "19999");
}

}  // namespace
}  // namespace platform
