#include "forms/Image.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace forms {

namespace {

constexpr Color kRgbMask = 0x00FFFFFF;

// The part of a w x h block copy that lies inside both images, as offsets
// into the block: columns [i0, i1), rows [j0, j1). Empty when i0 >= i1 or j0 >= j1.
struct BlitArea {
  int64_t i0, i1, j0, j1;
  bool empty() const { return i0 >= i1 || j0 >= j1; }
};

BlitArea clipBlit(const Image& dst, int x, int y, int w, int h, const Image& src, int sx, int sy) {
  const int64_t X = x, Y = y, SX = sx, SY = sy;
  return {std::max({int64_t{0}, -X, -SX}), std::min({int64_t{w}, dst.width() - X, src.width() - SX}),
          std::max({int64_t{0}, -Y, -SY}), std::min({int64_t{h}, dst.height() - Y, src.height() - SY})};
}

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back(v >> 8 & 0xFF);
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelsPerMetre = 3780;  // 96 dpi

}  // namespace

Image::Image(int width, int height, Color fill, Kind kind)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), kind_(kind) {
  pixels_.assign(static_cast<size_t>(width_) * height_, stored(fill));
}

Color Image::stored(Color c) const {
  if (kind_ == Kind::Mono) return (c & kRgbMask) != 0 ? 1 : 0;
  return c & kRgbMask;
}

Color Image::pixel(int x, int y) const {
  if (!contains(x, y)) return kOutside;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Image::setPixel(int x, int y, Color c) {
  if (contains(x, y)) pixels_[static_cast<size_t>(y) * width_ + x] = stored(c);
}

void Image::resize(int width, int height, Color fill) {
  Image bigger(width, height, fill, kind_);
  bitBlt(bigger, 0, 0, width_, height_, *this, 0, 0, Rop::SRCCOPY);
  *this = std::move(bigger);
}

void Image::fill(Color c) { std::fill(pixels_.begin(), pixels_.end(), stored(c)); }

void Image::fillClipped(int64_t left, int64_t top, int64_t right, int64_t bottom, Color c) {
  left = std::max<int64_t>(left, 0);
  top = std::max<int64_t>(top, 0);
  right = std::min<int64_t>(right, width_ - 1);
  bottom = std::min<int64_t>(bottom, height_ - 1);
  const Color v = stored(c);
  for (int64_t y = top; y <= bottom; ++y)
    for (int64_t x = left; x <= right; ++x) pixels_[y * width_ + x] = v;
}

void Image::line(int x1, int y1, int x2, int y2, Color c) {
  // Bresenham over all octants; the loop ends on reaching (x2, y2) unpainted.
  const int64_t dx = std::llabs(int64_t{x2} - x1), dy = std::llabs(int64_t{y2} - y1);
  const int stepX = x1 < x2 ? 1 : -1, stepY = y1 < y2 ? 1 : -1;
  int64_t err = dx - dy;
  int x = x1, y = y1;
  while (x != x2 || y != y2) {
    setPixel(x, y, c);
    const int64_t e2 = 2 * err;
    if (e2 > -dy) {
      err -= dy;
      x += stepX;
    }
    if (e2 < dx) {
      err += dx;
      y += stepY;
    }
  }
}

void Image::box(int x1, int y1, int x2, int y2, Color c) {
  const int64_t l = std::min(x1, x2), r = std::max(x1, x2);
  const int64_t t = std::min(y1, y2), b = std::max(y1, y2);
  fillClipped(l, t, r, t, c);
  fillClipped(l, b, r, b, c);
  fillClipped(l, t, l, b, c);
  fillClipped(r, t, r, b, c);
}

void Image::fillBox(int x1, int y1, int x2, int y2, Color c) {
  fillClipped(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), c);
}

void bitBlt(Image& dst, int x, int y, int w, int h, const Image& src, int sx, int sy, Rop rop,
            const BlitColours& colours) {
  if (rop != Rop::SRCCOPY && rop != Rop::SRCAND && rop != Rop::SRCPAINT && rop != Rop::NOTSRCCOPY)
    throw std::invalid_argument("bitBlt: unsupported raster operation");
  const BlitArea a = clipBlit(dst, x, y, w, h, src, sx, sy);
  if (a.empty()) return;
  const Image copy = &src == &dst ? src : Image();
  const Image& from = &src == &dst ? copy : src;
  const Color allBits = dst.isMono() ? 1 : kRgbMask;
  for (int64_t j = a.j0; j < a.j1; ++j) {
    for (int64_t i = a.i0; i < a.i1; ++i) {
      Color s = from.pixel(static_cast<int>(sx + i), static_cast<int>(sy + j));
      if (dst.isMono() && !from.isMono())
        s = s == (colours.sourceBack & kRgbMask) ? 1 : 0;
      else if (!dst.isMono() && from.isMono())
        s = s != 0 ? colours.destBack & kRgbMask : colours.destText & kRgbMask;
      const int dx = static_cast<int>(x + i), dy = static_cast<int>(y + j);
      const Color d = dst.pixel(dx, dy);
      Color result = s;
      if (rop == Rop::SRCAND) result = d & s;
      if (rop == Rop::SRCPAINT) result = d | s;
      if (rop == Rop::NOTSRCCOPY) result = ~s & allBits;
      dst.setPixel(dx, dy, result);
    }
  }
}

void blitTransparent(Image& dst, int x, int y, int w, int h, const Image& src, int sx, int sy, Color key) {
  if (dst.isMono() || src.isMono()) throw std::invalid_argument("blitTransparent: colour images only");
  const BlitArea a = clipBlit(dst, x, y, w, h, src, sx, sy);
  if (a.empty()) return;
  const Image copy = &src == &dst ? src : Image();
  const Image& from = &src == &dst ? copy : src;
  key &= kRgbMask;
  for (int64_t j = a.j0; j < a.j1; ++j) {
    for (int64_t i = a.i0; i < a.i1; ++i) {
      const Color s = from.pixel(static_cast<int>(sx + i), static_cast<int>(sy + j));
      if (s != key) dst.setPixel(static_cast<int>(x + i), static_cast<int>(y + j), s);
    }
  }
}

namespace {

// The pixels of a read bitmap as an image.
Image imageOf(const platform::Bmp& bmp) {
  std::vector<Color> palette;
  for (const auto& [r, g, b] : bmp.palette) palette.push_back(RGB(r, g, b));
  Image image(bmp.width, bmp.height);
  for (int row = 0; row < bmp.height; ++row) {
    const uint8_t* p = bmp.row(static_cast<size_t>(row));
    const int y = bmp.topDown ? row : bmp.height - 1 - row;
    for (int x = 0; x < bmp.width; ++x) {
      if (bmp.bits == 24) {
        image.setPixel(x, y, RGB(p[3 * x + 2], p[3 * x + 1], p[3 * x]));
        continue;
      }
      const unsigned index = bmp.index(p, x);
      if (index >= palette.size()) throw BmpError("BMP pixel outside its palette");
      image.setPixel(x, y, palette[index]);
    }
  }
  return image;
}

}  // namespace

Image Image::fromBmp(std::span<const uint8_t> bytes) { return imageOf(platform::ReadBmp(bytes)); }

Image Image::fromIconPicture(std::span<const uint8_t> bytes, Color background) {
  const platform::IconPicture icon = platform::ReadIconPicture(bytes);
  Image image = imageOf(icon.colours);
  const Image mask = imageOf(icon.mask);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (mask.pixel(x, y) == RGB(255, 255, 255)) image.setPixel(x, y, background);
  return image;
}

std::vector<uint8_t> Image::toBmp() const {
  if (width_ == 0 || height_ == 0) throw std::invalid_argument("toBmp: empty image");
  const uint32_t stride = (static_cast<uint32_t>(width_) * 3 + 3) / 4 * 4;
  const uint32_t dataSize = stride * height_;
  const uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize;
  std::vector<uint8_t> out;
  out.reserve(dataOffset + dataSize);
  out.push_back('B');
  out.push_back('M');
  put32(out, dataOffset + dataSize);
  put32(out, 0);  // reserved
  put32(out, dataOffset);
  put32(out, kInfoHeaderSize);
  put32(out, width_);
  put32(out, height_);  // positive: bottom-up
  put16(out, 1);        // planes
  put16(out, 24);       // bits per pixel
  put32(out, 0);        // uncompressed
  put32(out, dataSize);
  put32(out, kPixelsPerMetre);
  put32(out, kPixelsPerMetre);
  put32(out, 0);  // colours used
  put32(out, 0);  // important colours
  for (int y = height_ - 1; y >= 0; --y) {
    for (int x = 0; x < width_; ++x) {
      Color c = pixel(x, y);
      if (isMono()) c = c ? RGB(255, 255, 255) : RGB(0, 0, 0);
      out.push_back(c >> 16 & 0xFF);
      out.push_back(c >> 8 & 0xFF);
      out.push_back(c & 0xFF);
    }
    out.resize(out.size() + (stride - width_ * 3));
  }
  return out;
}

}  // namespace forms
