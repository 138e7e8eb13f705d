// The built-in metric tables: the rows they are known by, their rules and descriptors.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "PdfTestSupport.h"
#include "pdf/FontMetrics.h"

using namespace pdf;

namespace {

using Table = FontMetrics (*)(int);

int descriptorValue(const std::string& descriptor, const std::string& key) {
  std::smatch m;
  EXPECT_TRUE(std::regex_search(descriptor, m, std::regex("/" + key + " (-?\\d+)"))) << key;
  return std::stoi(m[1]);
}

// Windows-1252 accented letters and the letter without the accent.
const std::vector<std::pair<int, char>>& accentedLetters() {
  static const std::vector<std::pair<int, char>> letters = [] {
    std::vector<std::pair<int, char>> v = {{138, 'S'}, {142, 'Z'}, {154, 's'}, {158, 'z'}, {159, 'Y'}, {199, 'C'},
                                           {209, 'N'}, {221, 'Y'}, {231, 'c'}, {241, 'n'}, {253, 'y'}, {255, 'y'}};
    const struct {
      int from, to;
      char base;
    } runs[] = {{192, 197, 'A'}, {200, 203, 'E'}, {204, 207, 'I'}, {210, 214, 'O'}, {217, 220, 'U'},
                {224, 229, 'a'}, {232, 235, 'e'}, {236, 239, 'i'}, {242, 246, 'o'}, {249, 252, 'u'}};
    for (const auto& r : runs)
      for (int c = r.from; c <= r.to; ++c) v.push_back({c, r.base});
    return v;
  }();
  return letters;
}

}  // namespace

TEST(PdfFontMetrics, SampleRows) {
  const struct {
    Table table;
    int code;
    int widths[4];  // styles 0 to 3
  } rows[] = {
      {MetricheTimesNewRoman, 32, {250, 250, 250, 250}},  {MetricheTimesNewRoman, 39, {180, 278, 214, 278}},
      {MetricheTimesNewRoman, 65, {722, 722, 611, 667}},  {MetricheTimesNewRoman, 87, {944, 1000, 833, 889}},
      {MetricheTimesNewRoman, 105, {278, 278, 278, 278}}, {MetricheTimesNewRoman, 109, {778, 833, 722, 778}},
      {MetricheTimesNewRoman, 128, {500, 500, 500, 500}}, {MetricheTimesNewRoman, 133, {1000, 1000, 889, 1000}},
      {MetricheTimesNewRoman, 160, {250, 250, 250, 250}}, {MetricheTimesNewRoman, 173, {333, 333, 333, 333}},
      {MetricheTimesNewRoman, 224, {444, 500, 500, 500}}, {MetricheTimesNewRoman, 232, {444, 444, 444, 444}},
      {MetricheTimesNewRoman, 249, {500, 556, 500, 556}}, {MetricheArial, 32, {278, 278, 278, 278}},
      {MetricheArial, 39, {191, 238, 191, 238}},          {MetricheArial, 64, {1015, 975, 1015, 975}},
      {MetricheArial, 65, {667, 722, 667, 722}},          {MetricheArial, 87, {944, 944, 944, 944}},
      {MetricheArial, 105, {222, 278, 222, 278}},         {MetricheArial, 109, {833, 889, 833, 889}},
      {MetricheArial, 128, {556, 556, 556, 556}},         {MetricheArial, 160, {278, 278, 278, 278}},
      {MetricheArial, 173, {333, 333, 333, 333}},         {MetricheArial, 224, {556, 556, 556, 556}},
      {MetricheArial, 232, {556, 556, 556, 556}},         {MetricheArial, 236, {278, 278, 278, 278}},
      {MetricheArial, 249, {556, 611, 556, 611}},         {MetricheSymbol, 30, {600, 600, 600, 600}},
      {MetricheSymbol, 31, {600, 600, 600, 600}},         {MetricheSymbol, 32, {250, 250, 250, 250}},
      {MetricheSymbol, 65, {722, 722, 722, 722}},         {MetricheSymbol, 87, {768, 768, 768, 768}},
      {MetricheSymbol, 97, {631, 631, 631, 631}},         {MetricheSymbol, 105, {329, 329, 329, 329}},
      {MetricheSymbol, 109, {576, 576, 576, 576}},        {MetricheSymbol, 164, {167, 167, 167, 167}},
      {MetricheSymbol, 171, {1042, 1042, 1042, 1042}},    {MetricheSymbol, 219, {1042, 1042, 1042, 1042}},
      {MetricheSymbol, 240, {600, 600, 600, 600}},        {MetricheSymbol, 255, {600, 600, 600, 600}},
  };
  for (const auto& row : rows)
    for (int style = 0; style < 4; ++style)
      EXPECT_EQ(row.table(style).Widths[row.code], row.widths[style])
          << row.table(style).FontName << " code " << row.code;
}

TEST(PdfFontMetrics, TimesAndArialRules) {
  const struct {
    Table table;
    int fill;
    int narrowest[4];
  } families[] = {{MetricheTimesNewRoman, 778, {180, 220, 214, 220}}, {MetricheArial, 750, {191, 238, 191, 238}}};
  for (const auto& f : families) {
    for (int style = 0; style < 4; ++style) {
      const FontMetrics m = f.table(style);
      SCOPED_TRACE(m.FontName);
      EXPECT_EQ(m.FirstChar, 32);
      EXPECT_EQ(m.LastChar, 255);
      for (int code = 1; code < 32; ++code) EXPECT_EQ(m.Widths[code], 0);
      for (int code = 48; code <= 57; ++code) EXPECT_EQ(m.Widths[code], m.Widths[48]);
      for (int code : {127, 129, 141, 143, 144, 157}) EXPECT_EQ(m.Widths[code], f.fill) << code;
      EXPECT_EQ(m.Widths[160], m.Widths[32]);
      EXPECT_EQ(m.Widths[173], m.Widths[45]);
      const auto [lo, hi] = std::minmax_element(m.Widths.begin() + 32, m.Widths.end());
      EXPECT_EQ(*lo, f.narrowest[style]);
      if (f.table == MetricheTimesNewRoman) {
        EXPECT_LE(*hi, 1000);
      } else if (style % 2 == 0) {
        EXPECT_EQ(*hi, 1015);  // Arial's commercial at
      }
      const bool arialThinI = f.table == MetricheArial && style % 2 == 0;
      for (const auto& [code, base] : accentedLetters()) {
        const int expected =
            arialThinI && code >= 236 && code <= 239 ? 278 : m.Widths[static_cast<unsigned char>(base)];
        EXPECT_EQ(m.Widths[code], expected) << code;
      }
    }
  }
  EXPECT_EQ(MetricheArial(2).Widths, MetricheArial(0).Widths);
  EXPECT_EQ(MetricheArial(3).Widths, MetricheArial(1).Widths);
}

TEST(PdfFontMetrics, SymbolAndCourierRules) {
  for (int style = 0; style < 4; ++style) {
    const FontMetrics s = MetricheSymbol(style);
    EXPECT_EQ(s.FirstChar, 30);
    for (int code = 1; code < 30; ++code) EXPECT_EQ(s.Widths[code], 0);
    for (int code = 30; code <= 255; ++code) {
      const bool fill = code == 30 || code == 31 || (code >= 127 && code <= 160) || code == 240 || code == 255;
      EXPECT_EQ(s.Widths[code] == 600, fill) << "Symbol code " << code;
    }
    for (int code = 48; code <= 57; ++code) EXPECT_EQ(s.Widths[code], 500);
    const FontMetrics c = MetricheCourierNew(style);
    for (int code = 32; code <= 255; ++code) EXPECT_EQ(c.Widths[code], 600);
    EXPECT_EQ(c.MissingWidth, 600);
  }
}

TEST(PdfFontMetrics, NamesAndDescriptors) {
  const struct {
    Table table;
    const char* family;
    int flags;
    int missing[4];
  } families[] = {{MetricheCourierNew, "CourierNew", 34, {600, 600, 600, 600}},
                  {MetricheTimesNewRoman, "TimesNewRoman", 34, {333, 333, 333, 333}},
                  {MetricheSymbol, "Symbol", 6, {332, 332, 332, 332}},
                  {MetricheArial, "Arial", 32, {272, 311, 259, 311}}};
  const char* suffix[] = {"", ",Bold", ",Italic", ",BoldItalic"};
  for (const auto& f : families) {
    for (int style = 0; style < 4; ++style) {
      const FontMetrics m = f.table(style);
      EXPECT_EQ(m.FontName, std::string(f.family) + suffix[style]);
      EXPECT_EQ(m.MissingWidth, f.missing[style]) << m.FontName;
      EXPECT_EQ(descriptorValue(m.Descriptor, "MissingWidth"), m.MissingWidth) << m.FontName;
      EXPECT_EQ(descriptorValue(m.Descriptor, "Flags"), f.flags + (style >= 2 ? 64 : 0) + (style % 2 ? 16384 : 0));
      EXPECT_EQ(descriptorValue(m.Descriptor, "ItalicAngle"), style >= 2 ? -11 : 0);
      EXPECT_EQ(descriptorValue(m.Descriptor, "StemH"), descriptorValue(m.Descriptor, "StemV"));
      EXPECT_EQ(descriptorValue(m.Descriptor, "CapHeight"), descriptorValue(m.Descriptor, "Ascent"));
      EXPECT_EQ(descriptorValue(m.Descriptor, "XHeight"), (descriptorValue(m.Descriptor, "CapHeight") + 1) / 2);
      EXPECT_EQ(m.Descriptor.rfind("/Flags ", 0), 0u);
      EXPECT_NE(m.Descriptor.back(), ' ');
    }
  }
  EXPECT_EQ(MetricheArial(1).Descriptor,
            "/Flags 16416 /FontBBox [-250 -212 1120 1000] /MissingWidth 311 /StemV 153 "
            "/StemH 153 /ItalicAngle 0 /CapHeight 905 /XHeight 453 /Ascent 905 /Descent -212 /Leading 150 "
            "/MaxWidth 933 /AvgWidth 479");
  EXPECT_EQ(MetricheTimesNewRoman(3).Descriptor,
            "/Flags 16482 /FontBBox [-250 -216 1200 1000] /MissingWidth 333 /StemV 131 "
            "/StemH 131 /ItalicAngle -11 /CapHeight 891 /XHeight 446 /Ascent 891 /Descent -216 /Leading 149 "
            "/MaxWidth 1000 /AvgWidth 412");
}

TEST(PdfFontMetrics, StyleOutsideTheTablesIsRefused) {
  for (Table t : {MetricheCourierNew, MetricheTimesNewRoman, MetricheSymbol, MetricheArial}) {
    EXPECT_THROW(t(4), PdfError);
    EXPECT_THROW(t(-1), PdfError);
  }
}
