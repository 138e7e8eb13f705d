#include "forms/FontEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

using namespace forms;

namespace {

constexpr Color kWhite = RGB(255, 255, 255);
constexpr Color kInk = RGB(0, 0, 128);

Font font(double size, bool bold = false, bool underline = false) {
  Font f;
  f.size = size;
  f.bold = bold;
  f.underline = underline;
  return f;
}

// Every character 10 pixels wide, for checking that elide measures through the engine.
class WideEngine : public FontEngine {
 public:
  int textWidth(const Font&, std::string_view utf8) const override {
    return 10 * static_cast<int>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
  }
  int textHeight(const Font&) const override { return 20; }
  void drawText(Image&, int, int, const Font&, std::string_view, Color) const override {}
};

}  // namespace

TEST(HeadlessFontEngine, FixedMetricsScaleWithSize) {
  const struct {
    Font font;
    const char* text;
    int width, height;
  } cases[] = {
      {font(8), "Strumenti", 54, 13},  {font(8), "", 0, 13},     {font(8), "  Totali", 48, 13},
      {font(8), "Città €", 42, 13},                                                         // characters, not bytes
      {font(8, true), "Info", 28, 13}, {font(16), "ab", 24, 26}, {font(10), "ab", 16, 16},  // 7.5 and 16.25 rounded
      {font(1), "ab", 2, 2},                                                                // never below 1 pixel
  };
  const HeadlessFontEngine engine;
  for (const auto& c : cases) {
    EXPECT_EQ(engine.textWidth(c.font, c.text), c.width) << c.text << " " << c.font.size;
    EXPECT_EQ(engine.textHeight(c.font), c.height) << c.font.size;
  }
}

TEST(HeadlessFontEngine, ToolbarCaptionsFitTheDefaultButtonWidth) {
  // The toolbar widens its big buttons to the widest caption + 4; with these
  // metrics they stay 60 wide, as the designed button positions assume.
  const HeadlessFontEngine engine;
  for (const char* caption :
       {"Quotara", "Totali", "Archivio", "Catasto", "Stampa", "Strumenti", "Guida", "Info", "Esci"})
    EXPECT_LE(engine.textWidth(Font{}, caption) + 4, 60) << caption;
}

TEST(HeadlessFontEngine, DrawsEachGlyphAsItsCellLessAMargin) {
  const struct {
    const char* what;
    Font font;
    int x, y;
    const char* text;
    std::vector<std::array<int, 4>> boxes;  // expected ink, as fillBox corners
  } cases[] = {
      {"blank cell left empty", font(8), 2, 3, "A b", {{3, 4, 6, 14}, {15, 4, 18, 14}}},
      {"bold cell 7 wide", font(8, true), 0, 0, "xy", {{1, 1, 5, 11}, {8, 1, 12, 11}}},
      {"underline under the whole text", font(8, false, true), 0, 0, "a ", {{1, 1, 4, 11}, {0, 12, 11, 12}}},
      {"clipped at the top left", font(8), -3, -2, "ab", {{0, 0, 1, 9}, {4, 0, 7, 9}}},
      {"accented letter is one glyph", font(8), 0, 0, "è", {{1, 1, 4, 11}}},
  };
  const HeadlessFontEngine engine;
  for (const auto& c : cases) {
    Image image(22, 18, kWhite);
    engine.drawText(image, c.x, c.y, c.font, c.text, kInk);
    Image expected(22, 18, kWhite);
    for (const auto& b : c.boxes) expected.fillBox(b[0], b[1], b[2], b[3], kInk);
    EXPECT_EQ(image, expected) << c.what;
  }
}

TEST(FontEngine, ElidesInTheMiddleOrBeforeThePathsLastPart) {
  const struct {
    const char* text;
    int maxWidth;
    const char* expected;
  } cases[] = {
      {"Quotara", 42, "Quotara"},  // fits exactly
      {"Quotara", 41, "Qu...a"},
      {"Quotara", 48, "Quotara"},
      {"          Quotara", 196, "          Quotara"},
      {"Mercoledì 10 Dicembre 2025", 96, "Mercole...e 2025"},
      {"àèìòùàèìòù", 42, "àè...òù"},  // cut at characters, never inside one
      {"C:\\Dati\\tasi.dat", 84, "C:...\\tasi.dat"},
      {"C:\\Dati\\tasi.dat", 72, "...\\tasi.dat"},
      {"C:\\Dati\\tasi.dat", 60, "...asi.dat"},
      {"/home/utente/quotara.pdf", 120, "/home.../quotara.pdf"},
      {"Quotara", 12, ".."},
      {"Quotara", 0, ""},
      {"", 0, ""},
  };
  const HeadlessFontEngine engine;
  for (const auto& c : cases) {
    const std::string result = engine.elide(Font{}, c.text, c.maxWidth);
    EXPECT_EQ(result, c.expected) << c.text << " in " << c.maxWidth;
    EXPECT_LE(engine.textWidth(Font{}, result), std::max(c.maxWidth, 0)) << c.text;
  }
  EXPECT_EQ(WideEngine().elide(Font{}, "abcdef", 50), "a...f");
}

TEST(FontEngine, GlobalEngineCanBeReplacedAndRestored) {
  EXPECT_NE(dynamic_cast<HeadlessFontEngine*>(&fontEngine()), nullptr);
  WideEngine wide;
  setFontEngine(&wide);
  EXPECT_EQ(&fontEngine(), &wide);
  EXPECT_EQ(fontEngine().textHeight(Font{}), 20);
  setFontEngine(nullptr);
  EXPECT_EQ(fontEngine().textHeight(Font{}), 13);
}
