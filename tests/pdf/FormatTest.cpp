// Number text, string escaping, ASCII base-85 and names: the pieces every line is made of.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>

#include "PdfTestSupport.h"
#include "pdf/PdfFormat.h"

using namespace pdf;

TEST(PdfFormat, NumbersHaveAtMostThreeDecimalsAndNoExponent) {
  const struct {
    float value;
    int decimals;
    const char* text;
  } cases[] = {
      {595.2f, 3, "595.2"},
      {842, 3, "842"},
      {28.346457f, 3, "28.346"},
      {-0.5f, 3, "-0.5"},
      {0, 3, "0"},
      {-0.0004f, 3, "0"},  // no "-0"
      {0.0625f, 3, "0.062"},
      {0.1875f, 3, "0.188"},  // exact ties go to the even neighbour
      {2.5f, 0, "2"},
      {3.5f, 0, "4"},
      {0.0005f, 3, "0.001"},
      {1e-7f, 3, "0"},
      {595.27559f, 3, "595.276"},
      {8.5f, 3, "8.5"},
      {-765.35433f, 3, "-765.354"},
      {9999.999f, 3, "9999.999"},
      {12345.678f, 3, "12345.68"},
      {123456789.0f, 3, "123456800"},  // 7 significant digits
      {-1234567.5f, 3, "-1234568"},
      {1e20f, 3, "100000000000000000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormattaNumeroPdf(c.value, c.decimals), c.text) << c.value;
}

TEST(PdfFormat, NumbersThatAreNoNumbersAreRefused) {
  EXPECT_THROW(FormattaNumeroPdf(std::numeric_limits<float>::infinity(), 3), PdfError);
  EXPECT_THROW(FormattaNumeroPdf(std::nanf(""), 3), PdfError);
}

TEST(PdfFormat, DecimalCommaLocaleStillWritesPoint) {
  const std::locale before;
  bool set = false;
  for (const char* name : {"it_IT.UTF-8", "it_IT.utf8", "de_DE.UTF-8", "de_DE.utf8"}) {
    try {
      std::locale::global(std::locale(name));
      set = true;
      break;
    } catch (const std::runtime_error&) {
    }
  }
  if (!set) GTEST_SKIP() << "no locale with a decimal comma is installed";
  ASSERT_EQ(*std::localeconv()->decimal_point, ',');
  const std::string content = pdftest::pageContent(
      "locale.pdf",
      [](clsPDFWriter& w) {
        w.DrawText(1.5f, 27, "Totale", "Fnt1", 8.5f, 1);
        w.SetLineWidth(0.01f);
        w.SetColorFill(-128);
      },
      [](clsPDFWriter& w) { w.LoadFont("Fnt1", "Arial"); });
  std::locale::global(before);
  EXPECT_EQ(content, "BT\r\n/Fnt1 8.5 Tf\r\n18.898 765.354 Td\r\n(Totale) Tj\r\nET\r\n0.283 w\r\n0.502 g\r\n");
}

TEST(PdfFormat, EscapingOfLiteralStrings) {
  const struct {
    const char* text;
    const char* escaped;
  } cases[] = {
      {"(senza titolo)", "\\(senza titolo\\)"},
      {"a\\b", "a\\\\b"},
      {"\\)", "\\\\\\)"},
      {"riga\r\nà\x80", "riga\r\nà\x80"},  // nothing else changes
  };
  for (const auto& c : cases) EXPECT_EQ(EscapeTestoPdf(c.text), c.escaped);
}

TEST(PdfFormat, Ascii85) {
  const struct {
    std::vector<std::uint8_t> bytes;
    const char* text;
  } cases[] = {
      {{}, "~>"},
      {{0, 0, 0, 0}, "z~>"},
      {{0, 0, 0, 0, 0, 0, 0, 0}, "zz~>"},
      {{0}, "!!~>"},
      {{0, 0}, "!!!~>"},  // a short group of zeros is not "z"
      {{255}, "rr~>"},
      {{255, 255, 255, 255}, "s8W-!~>"},
      {{'M', 'a', 'n', ' ', 's', 'u', 'r', 'e', '.'}, "9jqo^F*2M7/c~>"},
  };
  for (const auto& c : cases) EXPECT_EQ(CodificaASCII85(c.bytes), c.text);
}

TEST(PdfFormat, PlainNames) {
  for (const char* good : {"Fnt1", "Im-1_x.y", "Footers", "A"}) EXPECT_TRUE(isPdfName(good)) << good;
  for (const char* bad : {"", "a b", "a/b", "F#1", "x(1)", "<n>", "è", "a\tb", "%c"})
    EXPECT_FALSE(isPdfName(bad)) << bad;
}
