#pragma once
// The persistent image of a picture box: a grid of 24-bit colours (or of 0/1
// bits for a monochrome mask) with the drawing and block-copy operations that
// the windows use. Coordinates are pixels, (0, 0) at the top left; everything
// that falls outside the image is clipped away silently.
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "platform/Bmp.h"

#include "forms/Color.h"

namespace forms {

// Raster operations of the block copies, with their GDI codes.
enum class Rop : uint32_t {
  SRCCOPY = 0x00CC0020,     // dest = source
  SRCAND = 0x008800C6,      // dest = dest AND source
  SRCPAINT = 0x00EE0086,    // dest = dest OR source
  NOTSRCCOPY = 0x00330008,  // dest = NOT source
};

// Colours that convert between colour and monochrome images in a block copy.
struct BlitColours {
  Color sourceBack = RGB(255, 255, 255);  // colour to mono: this colour gives 1, any other 0
  Color destBack = RGB(255, 255, 255);    // mono to colour: 1 gives this colour
  Color destText = RGB(0, 0, 0);          // mono to colour: 0 gives this colour
};

// A BMP that cannot be read: truncated, malformed or of an unsupported kind.
using BmpError = platform::BmpError;

class Image {
 public:
  enum class Kind { Colour, Mono };

  // What pixel() gives for a point outside the image.
  static constexpr Color kOutside = 0xFFFFFFFF;

  Image() = default;
  // A negative size counts as 0.
  Image(int width, int height, Color fill = 0, Kind kind = Kind::Colour);

  int width() const { return width_; }
  int height() const { return height_; }
  Kind kind() const { return kind_; }
  bool isMono() const { return kind_ == Kind::Mono; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Row by row from the top; 0x00BBGGRR for a colour image, 0 or 1 for a mono one.
  std::span<const Color> pixels() const { return pixels_; }

  // kOutside for a point outside the image.
  Color pixel(int x, int y) const;
  // Outside the image nothing happens. A colour image keeps the low 24 bits;
  // a mono image stores 0 for black and 1 for every other colour.
  void setPixel(int x, int y, Color c);

  // Keeps the pixels that the old and new sizes share; new room gets `fill`.
  void resize(int width, int height, Color fill);
  void fill(Color c);

  // A plain line: starts at (x1, y1), stops just before (x2, y2); the last
  // point is not drawn, so a line from a point to itself draws nothing.
  void line(int x1, int y1, int x2, int y2, Color c);
  // Rectangle outline between two opposite corners, both corners included.
  void box(int x1, int y1, int x2, int y2, Color c);
  // Filled rectangle between two opposite corners, edges included.
  void fillBox(int x1, int y1, int x2, int y2, Color c);

  // Windows BMP, uncompressed, 40-byte header, 1, 4, 8 or 24 bits per pixel,
  // bottom-up or top-down. Gives a colour image; throws BmpError otherwise.
  static Image fromBmp(std::span<const uint8_t> bytes);
  // One picture of an icon file (platform::ReadIconPicture), its transparent
  // pixels painted in `background`; throws BmpError.
  static Image fromIconPicture(std::span<const uint8_t> bytes, Color background);
  // 24-bit bottom-up BMP of this image (a mono image as black and white).
  // Throws std::invalid_argument for an empty image, which BMP cannot hold.
  std::vector<uint8_t> toBmp() const;

  bool operator==(const Image&) const = default;

 private:
  void fillClipped(int64_t left, int64_t top, int64_t right, int64_t bottom, Color c);
  Color stored(Color c) const;

  int width_ = 0;
  int height_ = 0;
  Kind kind_ = Kind::Colour;
  std::vector<Color> pixels_;
};

// Copies the w x h block at (sx, sy) of `src` onto `dst` at (x, y) with `rop`.
// Between a colour and a mono image the source is converted first with
// `colours`. Only the pixels inside both images take part; `src` may be `dst`.
// Throws std::invalid_argument for a raster operation other than the four.
void bitBlt(Image& dst, int x, int y, int w, int h, const Image& src, int sx, int sy, Rop rop,
            const BlitColours& colours = {});

// Copies the w x h block at (sx, sy) of `src` onto `dst` at (x, y), leaving
// `dst` unchanged where the source has `key`: the result of the usual mask
// sequence (mask, inverse mask, SRCAND, SRCAND, SRCPAINT). Both images must be
// colour images (std::invalid_argument otherwise).
void blitTransparent(Image& dst, int x, int y, int w, int h, const Image& src, int sx, int sy, Color key);

}  // namespace forms
