#pragma once
// Built-in metrics of the four font families the PDF writer can describe and measure.
#include <array>
#include <cstdint>
#include <string>

namespace pdf {

// The metrics of one font in one style (0 regular, 1 bold, 2 italic, 3 bold italic).
struct FontMetrics {
  std::string FontName;           // written after /BaseFont and /FontName, e.g. "Arial,Bold"
  std::uint8_t FirstChar = 0;     // first code with a width
  std::uint8_t LastChar = 0;      // last code with a width
  std::string Descriptor;         // the font descriptor's entries from /Flags to /AvgWidth
  std::array<int, 256> Widths{};  // by character code, thousandths of the font size; 0 below FirstChar
  int MissingWidth = 0;           // measured for a code outside FirstChar..LastChar
};

// Each returns the metrics of its family in `style`; a style outside 0 to 3 throws PdfError.
FontMetrics MetricheCourierNew(int style);
FontMetrics MetricheTimesNewRoman(int style);
FontMetrics MetricheSymbol(int style);
FontMetrics MetricheArial(int style);

}  // namespace pdf
