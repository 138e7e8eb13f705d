#include "platform/Bmp.h"

#include <cstdint>
#include <string>

namespace platform {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t u16(std::span<const std::uint8_t> b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// The information header at `info` and the palette after it; the rows are
// left to the caller. The header's height counts `heightParts` bitmaps of the
// picture's height. `paletteEnd` gets where the palette ends.
Bmp readHeader(std::span<const std::uint8_t> bytes, std::size_t info, int heightParts, std::uint64_t& paletteEnd) {
  if (bytes.size() < info + kInfoHeaderSize) throw BmpError("BMP too short for its headers");
  if (u32(bytes, info) != kInfoHeaderSize) throw BmpError("unsupported BMP header size");
  const std::int64_t width = static_cast<std::int32_t>(u32(bytes, info + 4));
  const std::int64_t rawHeight = static_cast<std::int32_t>(u32(bytes, info + 8)) / heightParts;
  const std::uint32_t planes = u16(bytes, info + 12);
  const std::uint32_t bits = u16(bytes, info + 14);
  const std::uint32_t compression = u32(bytes, info + 16);
  std::uint32_t colours = u32(bytes, info + 32);
  const bool topDown = rawHeight < 0;
  const std::int64_t height = topDown ? -rawHeight : rawHeight;
  if (width <= 0 || height <= 0 || height > INT32_MAX) throw BmpError("bad BMP size");
  if (planes != 1) throw BmpError("bad BMP plane count");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
    throw BmpError("unsupported BMP bit depth " + std::to_string(bits));
  if (compression != 0) throw BmpError("compressed BMP not supported");

  Bmp bmp;
  bmp.width = static_cast<int>(width);
  bmp.height = static_cast<int>(height);
  bmp.topDown = topDown;
  bmp.bits = bits;
  paletteEnd = info + kInfoHeaderSize;
  if (bits <= 8) {
    const std::uint32_t maxColours = 1u << bits;
    if (colours == 0) colours = maxColours;
    if (colours > maxColours) throw BmpError("BMP palette too large");
    const std::size_t at = info + kInfoHeaderSize;
    paletteEnd = at + std::uint64_t{colours} * 4;
    if (bytes.size() < paletteEnd) throw BmpError("BMP truncated in its palette");
    for (std::uint32_t k = 0; k < colours; ++k)
      bmp.palette.push_back({bytes[at + 4 * k + 2], bytes[at + 4 * k + 1], bytes[at + 4 * k]});
  }
  bmp.rowBytes = static_cast<std::size_t>((static_cast<std::uint64_t>(width) * bits + 7) / 8);
  bmp.stride = (bmp.rowBytes + 3) / 4 * 4;
  return bmp;
}

// Points the bitmap at its rows, which start at `dataOffset`, no earlier than `paletteEnd`.
void placeRows(Bmp& bmp, std::span<const std::uint8_t> bytes, std::uint64_t dataOffset, std::uint64_t paletteEnd) {
  if (dataOffset < paletteEnd || dataOffset > bytes.size() ||
      (bytes.size() - dataOffset) / bmp.stride < static_cast<std::uint64_t>(bmp.height))
    throw BmpError("BMP truncated in its pixels");
  bmp.rows = bytes.data() + dataOffset;
}

}  // namespace

Bmp ReadBmp(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kFileHeaderSize + kInfoHeaderSize) throw BmpError("BMP too short for its headers");
  if (bytes[0] != 'B' || bytes[1] != 'M') throw BmpError("not a BMP file");
  std::uint64_t paletteEnd = 0;
  Bmp bmp = readHeader(bytes, kFileHeaderSize, 1, paletteEnd);
  placeRows(bmp, bytes, u32(bytes, 10), paletteEnd);
  return bmp;
}

IconPicture ReadIconPicture(std::span<const std::uint8_t> bytes) {
  std::uint64_t paletteEnd = 0;
  IconPicture icon;
  icon.colours = readHeader(bytes, 0, 2, paletteEnd);
  placeRows(icon.colours, bytes, paletteEnd, paletteEnd);
  icon.mask = icon.colours;
  icon.mask.bits = 1;
  icon.mask.palette = {{0, 0, 0}, {255, 255, 255}};
  icon.mask.rowBytes = (static_cast<std::size_t>(icon.mask.width) + 7) / 8;
  icon.mask.stride = (icon.mask.rowBytes + 3) / 4 * 4;
  const std::uint64_t maskStart = paletteEnd + std::uint64_t{icon.colours.stride} * icon.colours.height;
  placeRows(icon.mask, bytes, maskStart, maskStart);
  return icon;
}

}  // namespace platform
