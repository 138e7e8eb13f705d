#include "platform/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/Cp1252.h"

using namespace platform;

TEST(NoCase, FoldedKeysCompareAsTheTextsDo) {
  const char* testi[] = {"",      "a",     "A",     "b", "B;1", "b;1", "b;", "à",     "À",     "Š", "š",   "z",
                         "Città", "CITTÀ", "citta", "Ÿ", "ÿ",   "ß",   "ÿa", "Œuvre", "œuvre", "~", "é;2", "É;10"};
  const auto segno = [](int v) { return (v > 0) - (v < 0); };
  for (const char* a : testi)
    for (const char* b : testi) {
      SCOPED_TRACE(std::string(a) + " / " + b);
      EXPECT_EQ(segno(foldNoCase(a).compare(foldNoCase(b))), segno(compareNoCase(a, b)));
    }
}

// The comparison passes over the start two texts share at once: it must
// still fold the character in which they part, a multi-byte one too, and
// treat a character cut short at the end as the slow comparison does.
TEST(NoCase, TextsWithALongCommonStartCompareCharacterByCharacter) {
  // Each code point folded in turn, shorter text first on a tie.
  const auto riferimento = [](std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
      const char32_t x = smallLetter(nextCodePoint(a, i));
      const char32_t y = smallLetter(nextCodePoint(b, j));
      if (x != y) return x < y ? -1 : 1;
    }
    return i < a.size() ? 1 : j < b.size() ? -1 : 0;
  };
  const std::string inizio = "ROSSI MARIA 1234;VIA DELLA LIBERT";
  const char* fini[] = {"",
                        "À",
                        "à",
                        "A",
                        "a",
                        "À;1",
                        "à;2",
                        "\xC3",
                        "\xC3\x80\xC3",
                        "\x80",
                        "Š",
                        "š",
                        "Ÿ",
                        "ÿ",
                        "Œ",
                        "€",
                        "é",
                        "\xC3\x41",
                        "Z",
                        "zz",
                        "ß",
                        "\xE2\x82",
                        "\xE2\x82\xAC",
                        "1",
                        ";",
                        "\xC3\xA0\xC3\xA0"};
  const auto segno = [](int v) { return (v > 0) - (v < 0); };
  for (const std::string& prima : {std::string(), inizio, inizio + "À ", std::string("à")})
    for (const char* x : fini)
      for (const char* y : fini) {
        const std::string a = prima + x, b = prima + y;
        SCOPED_TRACE(a + " / " + b);
        EXPECT_EQ(segno(compareNoCase(a, b)), riferimento(a, b));
      }
}

TEST(NoCase, PrefixesMatchWithCaseIgnored) {
  const struct {
    const char* testo;
    const char* prefisso;
    bool atteso;
  } casi[] = {
      {"ROMA", "", true},
      {"ROMA", "ro", true},
      {"roma", "ROMA", true},
      {"ROMA", "ROMAN", false},
      {"CITTÀ DI CASTELLO", "città", true},
      {"ÀBC", "àb", true},
      {"ABC", "àb", false},
      {"", "A", false},
      {"Œuvre", "œu", true},
      {"ROVIGO", "RM", false},
  };
  for (const auto& c : casi)
    EXPECT_EQ(startsWithNoCase(c.testo, c.prefisso), c.atteso) << c.testo << " / " << c.prefisso;
}

TEST(Text, CountsAndConvertsCharacters) {
  const struct {
    const char* utf8;
    int caratteri;
  } casi[] = {
      {"", 0}, {"abc", 3}, {"città", 5}, {"€ 1,00", 6}, {"ÀÈÌÒÙ", 5}, {"\xC3", 1}, {"a\x80z", 3},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(text::length(c.utf8), c.caratteri);
    EXPECT_EQ(static_cast<int>(text::toU32(c.utf8).size()), c.caratteri);
  }
  EXPECT_EQ(text::toUtf8(text::toU32("città €")), "città €");
  EXPECT_EQ(text::toU32("è€"), (std::u32string{U'\u00E8', U'\u20AC'}));
  // A byte that is not UTF-8 reads as the replacement character.
  EXPECT_EQ(text::toUtf8(text::toU32("a\x80")), "a\xEF\xBF\xBD");
}
