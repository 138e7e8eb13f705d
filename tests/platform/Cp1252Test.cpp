#include "platform/Cp1252.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Cp1252, RoundTripsEveryDefinedByte) {
  for (int b = 1; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(one)), one) << "byte " << b;
  }
}

TEST(Cp1252, ItalianLettersAndEuro) {
  const struct {
    const char* utf8;
    const char* bytes;
  } cases[] = {
      {"àèéìòù", "\xE0\xE8\xE9\xEC\xF2\xF9"},
      {"€ 1.234,56", "\x80 1.234,56"},
      {"CITTA' DI CASTELLO", "CITTA' DI CASTELLO"},
      {"“virgolette” – trattino", "\x93virgolette\x94 \x96 trattino"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8ToCp1252(c.utf8), c.bytes);
    EXPECT_EQ(cp1252ToUtf8(c.bytes), c.utf8);
  }
}

TEST(Cp1252, UnrepresentableAndInvalidBecomeReplacement) {
  EXPECT_EQ(utf8ToCp1252("a\xE2\x88\x9E"
                         "b"),
            "a?b");                                  // U+221E infinity
  EXPECT_EQ(utf8ToCp1252("x\xC3"), "x?");            // truncated sequence
  EXPECT_EQ(utf8ToCp1252("\xC0\xAF", '_'), "__");    // overlong "/"
  EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x98\x80"), "?");  // emoji
}

// Every letter of the code page has its pair; the rest stay as they are.
TEST(Cp1252, SmallAndCapitalLettersPairUp) {
  const std::u32string capitali = U"AZÀÉÌÒÙÞŠŒŽŸ", piccole = U"azàéìòùþšœžÿ";
  for (size_t i = 0; i < capitali.size(); ++i) {
    EXPECT_EQ(smallLetter(capitali[i]), piccole[i]) << i;
    EXPECT_EQ(capitalLetter(piccole[i]), capitali[i]) << i;
  }
  for (char32_t c : std::u32string(U"09 ;.'×÷ßµ€")) {
    EXPECT_EQ(smallLetter(c), c);
    EXPECT_EQ(capitalLetter(c), c);
  }
  // Each byte that is a letter maps within the code page.
  for (int b = 0x20; b < 0x100; ++b) {
    const char32_t c = cp1252ToCodePoint(static_cast<unsigned char>(b));
    EXPECT_GE(cp1252FromCodePoint(smallLetter(c)), 0) << b;
    EXPECT_GE(cp1252FromCodePoint(capitalLetter(c)), 0) << b;
  }
}

// What a box takes from the keyboard or the clipboard: printable Windows-1252
// only; line breaks only where asked.
TEST(Cp1252, OnlyPrintableCharactersStay) {
  const struct {
    const char* utf8;
    bool lineBreaks;
    const char* kept;
  } cases[] = {
      {"VIA APPIA 100", false, "VIA APPIA 100"},
      {"àèéìòù € “ÿ” Š œ", false, "àèéìòù € “ÿ” Š œ"},
      {"\xC5\x81\xC3\xB3\x64\xC5\xBA \xF0\x9F\x98\x80\tX", false, "ód X"},  // Łódź 😀 tab X
      {"\xC5\x91", false, ""},                                              // ő
      {"A\x1B"
       "B\x0C"
       "C",
       false, "ABC"},  // ESC, form feed
      {"A\x7F"
       "B\xC2\x81"
       "C\xC2\x9D"
       "D",
       false, "ABCD"},  // DEL, undefined bytes
      {"riga 1\r\nriga 2\n", false, "riga 1riga 2"},
      {"riga 1\r\nriga 2\n", true, "riga 1\r\nriga 2\n"},
      {"x\xC3"
       "y",
       false, "xy"},  // a broken sequence
  };
  for (const auto& c : cases) EXPECT_EQ(onlyCp1252Printable(c.utf8, c.lineBreaks), c.kept) << c.utf8;
  EXPECT_EQ(onlyCp1252Printable(std::string_view("A\0B", 3)), "AB");
}

// The one rule for an archive's field: a tab is one space, what the code
// page lacks and the control characters go; the quick test says "unchanged"
// only when the text comes back as it is.
TEST(Cp1252, ArchiveFieldText) {
  const struct {
    std::string utf8, stored;
  } cases[] = {
      {"ROSSI MARIO;VIA ROMA 1", "ROSSI MARIO;VIA ROMA 1"},
      {"ROSSI\tMARIO", "ROSSI MARIO"},
      {"\t\t", "  "},
      {"CITTÀ;FORLÌ € “x”", "CITTÀ;FORLÌ € “x”"},
      {"Š\xC2\xA0œ", "Š\xC2\xA0œ"},
      {"A\x1B"
       "B\x7F"
       "C\xC2\x81"
       "D\r\n",
       "ABCD"},
      {"\xC5\x81\xC3\xB3"
       "d\xC5\xBA \xF0\x9F\x98\x80",
       "ód "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(archiveFieldText(c.utf8), c.stored);
    if (!changedAsArchiveField(c.utf8)) {
      EXPECT_EQ(c.stored, c.utf8);
    }
  }
  EXPECT_FALSE(changedAsArchiveField("CITTÀ DELLA PIEVE;VIA LIBERTÀ 3;ÈÉÌÒÙ àèéìòù"));
  EXPECT_TRUE(changedAsArchiveField("A\tB"));
  EXPECT_TRUE(archiveFieldChar(U'\t'));
  EXPECT_FALSE(archiveFieldChar(U'\r'));
  EXPECT_FALSE(archiveFieldChar(U'\u0081'));
}

TEST(Cp1252, PrintableCharacters) {
  for (char32_t cp : {U' ', U'~', U'\u00A0', U'\u00FF', U'\u20AC', U'\u0178'})
    EXPECT_TRUE(cp1252Printable(cp)) << static_cast<uint32_t>(cp);
  for (char32_t cp :
       {U'\0', U'\t', U'\r', U'\x1B', U'\x7F', U'\u0081', U'\u009D', U'\u0141', U'\u0151', U'\U0001F600', U'\uFFFD'})
    EXPECT_FALSE(cp1252Printable(cp)) << static_cast<uint32_t>(cp);
}

// Plain ASCII goes eight bytes at a time: every other byte, wherever it falls
// in such a run, is decoded as on its own.
TEST(Cp1252, LongTextsDecodeAsByteByByte) {
  const unsigned char alti[] = {0x80, 0x81, 0x9F, 0xA0, 0xC0, 0xE0, 0xF9, 0xFF};
  for (size_t lunghezza : {1u, 7u, 8u, 9u, 15u, 16u, 17u, 40u})
    for (size_t dove = 0; dove < lunghezza; ++dove)
      for (unsigned char alto : alti) {
        std::string byte(lunghezza, 'a');
        for (size_t i = 0; i < lunghezza; ++i) byte[i] = static_cast<char>('A' + i % 26);
        byte[dove] = static_cast<char>(alto);
        std::string atteso;
        for (unsigned char b : byte) appendUtf8(atteso, cp1252ToCodePoint(b));
        EXPECT_EQ(cp1252ToUtf8(byte), atteso) << lunghezza << " " << dove << " " << int(alto);
        std::string accodato = "x";
        appendCp1252AsUtf8(accodato, byte);
        EXPECT_EQ(accodato, "x" + atteso);
      }
}
