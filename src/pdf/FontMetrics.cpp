#include "pdf/FontMetrics.h"

#include <string_view>

#include "pdf/FontWidths.h"
#include "pdf/PdfFormat.h"

namespace pdf {
namespace {

constexpr std::string_view kSuffix[] = {"", ",Bold", ",Italic", ",BoldItalic"};

void checkStyle(int style) {
  if (style < 0 || style > 3) throw PdfError("font style " + std::to_string(style) + " is not 0 to 3");
}

// The descriptor text is the five pieces of the family and style joined as they stand.
template <size_t N>
FontMetrics make(std::string_view family, int style, int firstChar, int missingWidth, const std::array<int, N>& widths,
                 std::string_view piece1, std::string_view piece2, std::string_view piece3, std::string_view piece4,
                 std::string_view piece5) {
  FontMetrics m;
  m.FontName = std::string(family) + std::string(kSuffix[style]);
  m.FirstChar = static_cast<std::uint8_t>(firstChar);
  m.LastChar = 255;
  m.MissingWidth = missingWidth;
  m.Descriptor =
      std::string(piece1) + std::string(piece2) + std::string(piece3) + std::string(piece4) + std::string(piece5);
  for (size_t i = 0; i < N; ++i) m.Widths[firstChar + i] = widths[i];
  return m;
}

}  // namespace

FontMetrics MetricheCourierNew(int style) {
  checkStyle(style);
  static const std::array<int, 224> kAll600 = [] {
    std::array<int, 224> a{};
    a.fill(600);
    return a;
  }();
  constexpr std::string_view piece1[] = {
      "/Flags 34 /FontBBox [-250 -300 720 1000] ", "/Flags 16418 /FontBBox [-250 -300 720 1000] ",
      "/Flags 98 /FontBBox [-250 -300 720 1000] ", "/Flags 16482 /FontBBox [-250 -300 720 1000] "};
  constexpr std::string_view piece2[] = {"/MissingWidth 600 /StemV 109 ", "/MissingWidth 600 /StemV 191 ",
                                         "/MissingWidth 600 /StemV 109 ", "/MissingWidth 600 /StemV 191 "};
  constexpr std::string_view piece3[] = {"/StemH 109 /ItalicAngle 0 /CapHeight 833 /XHeight 417 ",
                                         "/StemH 191 /ItalicAngle 0 /CapHeight 833 /XHeight 417 ",
                                         "/StemH 109 /ItalicAngle -11 /CapHeight 833 /XHeight 417 ",
                                         "/StemH 191 /ItalicAngle -11 /CapHeight 833 /XHeight 417 "};
  return make("CourierNew", style, 32, 600, kAll600, piece1[style], piece2[style], piece3[style],
              "/Ascent 833 /Descent -300 /Leading 133 ", "/MaxWidth 600 /AvgWidth 600");
}

FontMetrics MetricheTimesNewRoman(int style) {
  checkStyle(style);
  const std::array<int, 224>* tables[] = {&widths::kTimesRegular, &widths::kTimesBold, &widths::kTimesItalic,
                                          &widths::kTimesBoldItalic};
  constexpr std::string_view piece1[] = {
      "/Flags 34 /FontBBox [-250 -216 1200 1000] ", "/Flags 16418 /FontBBox [-250 -216 1201 1000] ",
      "/Flags 98 /FontBBox [-250 -216 1200 1000] ", "/Flags 16482 /FontBBox [-250 -216 1200 1000] "};
  constexpr std::string_view piece2[] = {"/MissingWidth 333 /StemV 73 ", "/MissingWidth 333 /StemV 136 ",
                                         "/MissingWidth 333 /StemV 73 ", "/MissingWidth 333 /StemV 131 "};
  constexpr std::string_view piece3[] = {"/StemH 73 /ItalicAngle 0 /CapHeight 891 /XHeight 446 ",
                                         "/StemH 136 /ItalicAngle 0 /CapHeight 891 /XHeight 446 ",
                                         "/StemH 73 /ItalicAngle -11 /CapHeight 891 /XHeight 446 ",
                                         "/StemH 131 /ItalicAngle -11 /CapHeight 891 /XHeight 446 "};
  constexpr std::string_view piece5[] = {"/MaxWidth 1000 /AvgWidth 401", "/MaxWidth 1001 /AvgWidth 401",
                                         "/MaxWidth 1000 /AvgWidth 402", "/MaxWidth 1000 /AvgWidth 412"};
  return make("TimesNewRoman", style, 32, 333, *tables[style], piece1[style], piece2[style], piece3[style],
              "/Ascent 891 /Descent -216 /Leading 149 ", piece5[style]);
}

FontMetrics MetricheSymbol(int style) {
  checkStyle(style);
  constexpr std::string_view piece1[] = {
      "/Flags 6 /FontBBox [-250 -220 1246 1005] ", "/Flags 16390 /FontBBox [-250 -220 1246 1005] ",
      "/Flags 70 /FontBBox [-250 -220 1246 1005] ", "/Flags 16454 /FontBBox [-250 -220 1246 1005] "};
  constexpr std::string_view piece2[] = {"/MissingWidth 332 /StemV 109 ", "/MissingWidth 332 /StemV 191 ",
                                         "/MissingWidth 332 /StemV 109 ", "/MissingWidth 332 /StemV 191 "};
  constexpr std::string_view piece3[] = {"/StemH 109 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 ",
                                         "/StemH 191 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 ",
                                         "/StemH 109 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 ",
                                         "/StemH 191 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 "};
  constexpr std::string_view piece5[] = {"/MaxWidth 1038 /AvgWidth 601", "/MaxWidth 1038 /AvgWidth 600",
                                         "/MaxWidth 1038 /AvgWidth 600", "/MaxWidth 1038 /AvgWidth 600"};
  return make("Symbol", style, 30, 332, widths::kSymbol, piece1[style], piece2[style], piece3[style],
              "/Ascent 1005 /Descent -220 /Leading 225 ", piece5[style]);
}

FontMetrics MetricheArial(int style) {
  checkStyle(style);
  // Italic shares the regular widths, bold italic the bold ones.
  const bool bold = style == 1 || style == 3;
  constexpr std::string_view piece1[] = {
      "/Flags 32 /FontBBox [-250 -221 1190 1000] ", "/Flags 16416 /FontBBox [-250 -212 1120 1000] ",
      "/Flags 96 /FontBBox [-250 -212 1134 1000] ", "/Flags 16480 /FontBBox [-250 -212 1120 1000] "};
  constexpr std::string_view piece2[] = {"/MissingWidth 272 /StemV 80 ", "/MissingWidth 311 /StemV 153 ",
                                         "/MissingWidth 259 /StemV 80 ", "/MissingWidth 311 /StemV 153 "};
  constexpr std::string_view piece3[] = {"/StemH 80 /ItalicAngle 0 /CapHeight 905 /XHeight 453 ",
                                         "/StemH 153 /ItalicAngle 0 /CapHeight 905 /XHeight 453 ",
                                         "/StemH 80 /ItalicAngle -11 /CapHeight 905 /XHeight 453 ",
                                         "/StemH 153 /ItalicAngle -11 /CapHeight 905 /XHeight 453 "};
  constexpr std::string_view piece5[] = {"/MaxWidth 992 /AvgWidth 441", "/MaxWidth 933 /AvgWidth 479",
                                         "/MaxWidth 945 /AvgWidth 441", "/MaxWidth 933 /AvgWidth 479"};
  constexpr int missing[] = {272, 311, 259, 311};
  return make("Arial", style, 32, missing[style], bold ? widths::kArialBold : widths::kArialRegular, piece1[style],
              piece2[style], piece3[style], "/Ascent 905 /Descent -212 /Leading 150 ", piece5[style]);
}

}  // namespace pdf
