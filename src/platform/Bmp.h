#pragma once
// The one reader of Windows bitmaps: uncompressed, 40-byte header, one plane,
// 1, 4, 8 or 24 bits per pixel, bottom-up or top-down, palette and rows inside
// the file. The screen (forms::Image), the PDF writer and the program's icons
// build on it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace platform {

// A bitmap that cannot be read: truncated, malformed or of an unsupported kind.
class BmpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Bmp {
  int width = 0;
  int height = 0;
  bool topDown = false;  // the first stored row is the top one
  unsigned bits = 0;     // 1, 4, 8 or 24
  // The colours the file lists, red, green, blue (none for 24 bits); may be
  // fewer than the depth allows.
  std::vector<std::array<std::uint8_t, 3>> palette;
  // The stored rows, `stride` bytes apart, each `rowBytes` long; the bytes
  // stay those given to ReadBmp.
  const std::uint8_t* rows = nullptr;
  std::size_t stride = 0;
  std::size_t rowBytes = 0;

  // Stored row `r` (0 first in the file).
  const std::uint8_t* row(std::size_t r) const { return rows + r * stride; }
  // The palette index of pixel x of a stored row (1, 4 or 8 bits).
  unsigned index(const std::uint8_t* stored, int x) const {
    const unsigned perByte = 8 / bits;
    const unsigned shift = 8 - bits * (static_cast<unsigned>(x) % perByte + 1);
    return stored[static_cast<unsigned>(x) / perByte] >> shift & ((1u << bits) - 1);
  }
};

// Reads the headers and finds the palette and the rows; throws BmpError.
Bmp ReadBmp(std::span<const std::uint8_t> bytes);

// One picture of an icon file: a bitmap without its file header whose height
// counts the colour rows and the transparency mask together, the colour rows
// right after the palette, then the 1-bit mask rows (a set bit is a
// transparent pixel). Both bitmaps have the picture's size; throws BmpError.
struct IconPicture {
  Bmp colours;
  Bmp mask;
};
IconPicture ReadIconPicture(std::span<const std::uint8_t> bytes);

}  // namespace platform
