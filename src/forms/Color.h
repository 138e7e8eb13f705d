#pragma once
// Colours as the form layer stores them: 0x00BBGGRR, red in the low byte.
#include <cstdint>

namespace forms {

using Color = uint32_t;

constexpr Color RGB(int r, int g, int b) {
  return static_cast<Color>(r & 0xFF) | static_cast<Color>(g & 0xFF) << 8 | static_cast<Color>(b & 0xFF) << 16;
}

}  // namespace forms
