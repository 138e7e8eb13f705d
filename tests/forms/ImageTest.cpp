#include "forms/Image.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace forms;

namespace {

constexpr Color kWhite = RGB(255, 255, 255);
constexpr Color kBlack = RGB(0, 0, 0);
constexpr Color kInk = RGB(200, 10, 30);
constexpr Color kLightGrey = RGB(192, 192, 192);

// The image as rows of characters: '.' white, '#' kInk, '?' anything else.
std::string picture(const Image& image) {
  std::string out;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Color c = image.pixel(x, y);
      out += c == kWhite ? '.' : c == kInk ? '#' : '?';
    }
    out += '\n';
  }
  return out;
}

// An image whose pixels are the given values, row by row.
Image imageOf(int width, const std::vector<Color>& values, Image::Kind kind = Image::Kind::Colour) {
  const int height = static_cast<int>(values.size()) / width;
  Image image(width, height, 0, kind);
  for (int i = 0; i < static_cast<int>(values.size()); ++i) image.setPixel(i % width, i / width, values[i]);
  return image;
}

std::vector<Color> valuesOf(const Image& image) { return {image.pixels().begin(), image.pixels().end()}; }

}  // namespace

TEST(ImageDrawing, LineLeavesOutItsLastPoint) {
  const struct {
    int x1, y1, x2, y2;
    const char* expected;
  } cases[] = {
      {1, 1, 5, 1, "........\n.####...\n........\n........\n........\n........\n"},
      {5, 1, 1, 1, "........\n..####..\n........\n........\n........\n........\n"},
      {2, 0, 2, 4, "..#.....\n..#.....\n..#.....\n..#.....\n........\n........\n"},
      {0, 0, 4, 4, "#.......\n.#......\n..#.....\n...#....\n........\n........\n"},
      {0, 0, 6, 2, "##......\n..###...\n.....#..\n........\n........\n........\n"},
      {3, 3, 3, 3, "........\n........\n........\n........\n........\n........\n"},
      {-3, 2, 10, 2, "........\n........\n########\n........\n........\n........\n"},
      {7, 5, 7, -9, ".......#\n.......#\n.......#\n.......#\n.......#\n.......#\n"},
  };
  for (const auto& c : cases) {
    Image image(8, 6, kWhite);
    image.line(c.x1, c.y1, c.x2, c.y2, kInk);
    EXPECT_EQ(picture(image), c.expected) << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2;
  }
}

TEST(ImageDrawing, BoxAndFilledBoxIncludeBothCorners) {
  const struct {
    bool filled;
    int x1, y1, x2, y2;
    const char* expected;
  } cases[] = {
      {false, 1, 1, 4, 3, "........\n.####...\n.#..#...\n.####...\n........\n........\n"},
      {false, 4, 3, 1, 1, "........\n.####...\n.#..#...\n.####...\n........\n........\n"},
      {true, 1, 1, 4, 3, "........\n.####...\n.####...\n.####...\n........\n........\n"},
      {true, 4, 1, 1, 3, "........\n.####...\n.####...\n.####...\n........\n........\n"},
      {false, 2, 2, 2, 2, "........\n........\n..#.....\n........\n........\n........\n"},
      {true, 0, 4, 7, 4, "........\n........\n........\n........\n########\n........\n"},
      // Clipped: the left, top and bottom edges lie outside the image.
      {false, -2, -2, 3, 10, "...#....\n...#....\n...#....\n...#....\n...#....\n...#....\n"},
      {true, 5, -4, 30, 1, ".....###\n.....###\n........\n........\n........\n........\n"},
  };
  for (const auto& c : cases) {
    Image image(8, 6, kWhite);
    if (c.filled)
      image.fillBox(c.x1, c.y1, c.x2, c.y2, kInk);
    else
      image.box(c.x1, c.y1, c.x2, c.y2, kInk);
    EXPECT_EQ(picture(image), c.expected)
        << (c.filled ? "BF " : "B ") << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2;
  }
}

TEST(ImageDrawing, PixelsOutsideAreClippedAndColoursAre24Bit) {
  Image image(3, 2, kWhite);
  image.setPixel(-1, 0, kInk);
  image.setPixel(3, 1, kInk);
  image.setPixel(0, 2, kInk);
  EXPECT_EQ(picture(image), "...\n...\n");
  EXPECT_EQ(image.pixel(-1, 0), Image::kOutside);
  EXPECT_EQ(image.pixel(0, 2), Image::kOutside);

  image.setPixel(1, 1, 0xFF000000 | kInk);
  EXPECT_EQ(image.pixel(1, 1), kInk);

  Image mask(2, 1, kWhite, Image::Kind::Mono);
  mask.setPixel(1, 0, kBlack);
  EXPECT_EQ(valuesOf(mask), (std::vector<Color>{1, 0}));
}

TEST(ImageDrawing, ResizeKeepsSharedPixelsAndFillsNewRoom) {
  Image image(3, 2, kWhite);
  image.setPixel(0, 0, kInk);
  image.setPixel(2, 1, kInk);
  image.resize(4, 3, kLightGrey);
  EXPECT_EQ(picture(image), "#..?\n..#?\n????\n");
  image.resize(2, 1, kWhite);
  EXPECT_EQ(picture(image), "#.\n");
  image.resize(-5, 2, kWhite);
  EXPECT_EQ(image.width(), 0);
  EXPECT_TRUE(image.pixels().empty());
}

TEST(ImageBlit, RasterOperationsBetweenColourImages) {
  constexpr Color d = 0x00CC33F0, s = 0x00AA55FF;
  const struct {
    Rop rop;
    Color expected;
  } cases[] = {
      {Rop::SRCCOPY, 0x00AA55FF},
      {Rop::SRCAND, 0x008811F0},
      {Rop::SRCPAINT, 0x00EE77FF},
      {Rop::NOTSRCCOPY, 0x0055AA00},
  };
  for (const auto& c : cases) {
    Image dst(4, 3, d);
    const Image src(3, 3, s);
    bitBlt(dst, 1, 1, 2, 2, src, 0, 0, c.rop);
    EXPECT_EQ(valuesOf(dst),
              (std::vector<Color>{d, d, d, d, d, c.expected, c.expected, d, d, c.expected, c.expected, d}))
        << std::hex << static_cast<uint32_t>(c.rop);
  }
  Image dst(1, 1);
  EXPECT_THROW(bitBlt(dst, 0, 0, 1, 1, dst, 0, 0, static_cast<Rop>(0x00660046)), std::invalid_argument);
}

TEST(ImageBlit, ColourToMonoMarksTheSourceBackColour) {
  const Image src = imageOf(3, {kWhite, kLightGrey, kBlack});
  const struct {
    Color sourceBack;
    Rop rop;
    std::vector<Color> dst, expected;
  } cases[] = {
      {kWhite, Rop::SRCCOPY, {0, 0, 0}, {1, 0, 0}},        {kLightGrey, Rop::SRCCOPY, {0, 0, 0}, {0, 1, 0}},
      {kLightGrey, Rop::NOTSRCCOPY, {0, 0, 0}, {1, 0, 1}}, {kLightGrey, Rop::SRCAND, {1, 1, 0}, {0, 1, 0}},
      {kWhite, Rop::SRCPAINT, {0, 1, 0}, {1, 1, 0}},
  };
  for (const auto& c : cases) {
    Image mask = imageOf(3, c.dst, Image::Kind::Mono);
    bitBlt(mask, 0, 0, 3, 1, src, 0, 0, c.rop, {.sourceBack = c.sourceBack});
    EXPECT_EQ(valuesOf(mask), c.expected) << std::hex << c.sourceBack << " " << static_cast<uint32_t>(c.rop);
  }
}

TEST(ImageBlit, MonoToColourUsesDestinationColours) {
  const Image mask = imageOf(2, {1, 0}, Image::Kind::Mono);
  constexpr Color back = RGB(10, 20, 30), text = RGB(200, 100, 50), d = 0x00F0F00F;
  const struct {
    BlitColours colours;
    Rop rop;
    std::vector<Color> expected;
  } cases[] = {
      {{}, Rop::SRCCOPY, {kWhite, kBlack}},
      {{.destBack = back, .destText = text}, Rop::SRCCOPY, {back, text}},
      {{}, Rop::SRCAND, {d, kBlack}},
      {{}, Rop::SRCPAINT, {kWhite, d}},
      {{.destBack = back, .destText = text}, Rop::NOTSRCCOPY, {~back & 0xFFFFFF, ~text & 0xFFFFFF}},
  };
  for (const auto& c : cases) {
    Image dst(2, 1, d);
    bitBlt(dst, 0, 0, 2, 1, mask, 0, 0, c.rop, c.colours);
    EXPECT_EQ(valuesOf(dst), c.expected) << std::hex << static_cast<uint32_t>(c.rop);
  }
}

TEST(ImageBlit, MonoToMono) {
  const Image src = imageOf(2, {1, 0}, Image::Kind::Mono);
  const struct {
    Rop rop;
    std::vector<Color> expected;
  } cases[] = {{Rop::SRCCOPY, {1, 0}}, {Rop::NOTSRCCOPY, {0, 1}}, {Rop::SRCAND, {1, 0}}, {Rop::SRCPAINT, {1, 1}}};
  for (const auto& c : cases) {
    Image dst(2, 1, 1, Image::Kind::Mono);
    bitBlt(dst, 0, 0, 2, 1, src, 0, 0, c.rop);
    EXPECT_EQ(valuesOf(dst), c.expected) << std::hex << static_cast<uint32_t>(c.rop);
  }
}

TEST(ImageBlit, CopiesOnlyWhatLiesInsideBothImages) {
  // Source pixels 1..16 row by row; destination 0. Expected as (x, y) -> value.
  std::vector<Color> numbers;
  for (Color v = 1; v <= 16; ++v) numbers.push_back(v);
  const Image src = imageOf(4, numbers);
  const struct {
    int x, y, w, h, sx, sy;
    std::map<std::pair<int, int>, Color> changed;
  } cases[] = {
      {-1, 2, 4, 4, 0, 0, {{{0, 2}, 2}, {{1, 2}, 3}, {{2, 2}, 4}, {{0, 3}, 6}, {{1, 3}, 7}, {{2, 3}, 8}}},
      {0, 0, 4, 2, 3, -1, {{{0, 1}, 4}}},
      {3, 3, 9, 9, 0, 0, {{{3, 3}, 1}}},
      {0, 0, -2, 2, 0, 0, {}},
      {4, 0, 1, 1, 0, 0, {}},
  };
  for (const auto& c : cases) {
    Image dst(4, 4, 0);
    bitBlt(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy, Rop::SRCCOPY);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        const auto it = c.changed.find({x, y});
        EXPECT_EQ(dst.pixel(x, y), it == c.changed.end() ? 0 : it->second)
            << "blit at " << c.x << "," << c.y << " pixel " << x << "," << y;
      }
  }
}

TEST(ImageBlit, OverlappingCopyWithinOneImage) {
  Image row = imageOf(5, {1, 2, 3, 4, 5});
  bitBlt(row, 1, 0, 4, 1, row, 0, 0, Rop::SRCCOPY);
  EXPECT_EQ(valuesOf(row), (std::vector<Color>{1, 1, 2, 3, 4}));
}

namespace {

// The mask sequence of the toolbar's transparent copy, spelled out with block copies.
Image maskSequence(Image dst, int x, int y, const Image& source, Color key) {
  const int w = source.width(), h = source.height();
  Image src = source;
  Image mask(w, h, 0, Image::Kind::Mono), inverse(w, h, 0, Image::Kind::Mono), merge(w, h);
  bitBlt(mask, 0, 0, w, h, src, 0, 0, Rop::SRCCOPY, {.sourceBack = key});
  bitBlt(inverse, 0, 0, w, h, mask, 0, 0, Rop::NOTSRCCOPY);
  bitBlt(merge, 0, 0, w, h, dst, x, y, Rop::SRCCOPY);
  bitBlt(merge, 0, 0, w, h, mask, 0, 0, Rop::SRCAND);
  bitBlt(src, 0, 0, w, h, inverse, 0, 0, Rop::SRCAND);
  bitBlt(merge, 0, 0, w, h, src, 0, 0, Rop::SRCPAINT);
  bitBlt(dst, x, y, w, h, merge, 0, 0, Rop::SRCCOPY);
  return dst;
}

}  // namespace

TEST(ImageBlit, TransparentCopyMatchesTheMaskSequence) {
  const Color key = kLightGrey;
  const Image src = imageOf(4, {key, kInk, RGB(128, 128, 128), key,  //
                                kWhite, key, kBlack, RGB(1, 2, 3),   //
                                key, key, RGB(191, 192, 192), kWhite});
  Image background(8, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) background.setPixel(x, y, RGB(x * 30, y * 40, 77));

  const struct { int x, y; } positions[] = {{1, 1}, {0, 0}, {-2, -1}, {5, 4}, {8, 0}};
  for (const auto& p : positions) {
    Image dst = background;
    blitTransparent(dst, p.x, p.y, src.width(), src.height(), src, 0, 0, key);
    EXPECT_EQ(dst, maskSequence(background, p.x, p.y, src, key)) << "at " << p.x << "," << p.y;
  }
  Image dst = background;
  blitTransparent(dst, 1, 1, 4, 3, src, 0, 0, key);
  EXPECT_EQ(dst.pixel(1, 1), background.pixel(1, 1));  // key: left alone
  EXPECT_EQ(dst.pixel(2, 1), kInk);
  EXPECT_EQ(dst.pixel(3, 3), RGB(191, 192, 192));  // near the key is not the key

  Image mono(4, 3, 0, Image::Kind::Mono);
  EXPECT_THROW(blitTransparent(mono, 0, 0, 4, 3, src, 0, 0, key), std::invalid_argument);
}

namespace {

// A BMP file: 40-byte header, the palette, then the rows as given (each padded to 4 bytes).
std::vector<uint8_t> bmp(int bits, int width, int height, const std::vector<Color>& palette,
                         const std::vector<std::vector<uint8_t>>& rows, uint32_t headerSize = 40,
                         uint32_t compression = 0) {
  std::vector<uint8_t> out;
  auto put = [&out](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out.push_back(v >> (8 * i) & 0xFF);
  };
  const uint32_t offset = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
  out.push_back('B');
  out.push_back('M');
  put(0, 4);  // file size: not relied upon
  put(0, 4);
  put(offset, 4);
  put(headerSize, 4);
  put(width, 4);
  put(static_cast<uint32_t>(height), 4);
  put(1, 2);
  put(bits, 2);
  put(compression, 4);
  put(0, 4);
  put(0, 4);
  put(0, 4);
  put(static_cast<uint32_t>(palette.size()), 4);
  put(0, 4);
  for (Color c : palette) {
    out.push_back(c >> 16 & 0xFF);
    out.push_back(c >> 8 & 0xFF);
    out.push_back(c & 0xFF);
    out.push_back(0);
  }
  for (auto row : rows) {
    row.resize((row.size() + 3) / 4 * 4);
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

constexpr Color kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

}  // namespace

TEST(ImageBmp, LoadsPaletteAndTrueColourFiles) {
  const struct {
    const char* what;
    std::vector<uint8_t> file;
    int width;
    std::vector<Color> expected;
  } cases[] = {
      {"8-bit bottom-up",
       bmp(8, 3, 2, {kRed, kGreen, kBlue, kWhite}, {{3, 3, 0}, {0, 1, 2}}),
       3,
       {kRed, kGreen, kBlue, kWhite, kWhite, kRed}},
      {"24-bit top-down",
       bmp(24, 2, -2, {}, {{255, 0, 0, 0, 0, 255}, {1, 2, 3, 0, 255, 0}}),
       2,
       {kBlue, kRed, RGB(3, 2, 1), kGreen}},
      {"24-bit bottom-up", bmp(24, 1, 2, {}, {{0, 255, 0}, {0, 0, 0}}), 1, {kBlack, kGreen}},
      {"4-bit, odd width", bmp(4, 3, 1, {kBlack, kRed, kGreen}, {{0x12, 0x00}}), 3, {kRed, kGreen, kBlack}},
      {"1-bit across a byte",
       bmp(1, 10, 1, {kBlack, kWhite}, {{0xA0, 0x40}}),
       10,
       {kWhite, kBlack, kWhite, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kWhite}},
  };
  for (const auto& c : cases) {
    const Image image = Image::fromBmp(c.file);
    EXPECT_EQ(image.width(), c.width) << c.what;
    EXPECT_EQ(valuesOf(image), c.expected) << c.what;
  }
}

TEST(ImageBmp, RefusesWhatItCannotReadSafely) {
  const std::vector<uint8_t> good = bmp(8, 3, 2, {kRed, kGreen}, {{1, 1, 0}, {0, 1, 1}});
  ASSERT_NO_THROW(Image::fromBmp(good));
  auto patched = [&good](size_t at, std::vector<uint8_t> bytes) {
    std::vector<uint8_t> file = good;
    std::copy(bytes.begin(), bytes.end(), file.begin() + at);
    return file;
  };
  const struct {
    const char* what;
    std::vector<uint8_t> file;
  } cases[] = {
      {"empty", {}},
      {"truncated header", std::vector<uint8_t>(good.begin(), good.begin() + 30)},
      {"truncated pixels", std::vector<uint8_t>(good.begin(), good.end() - 1)},
      {"truncated palette", std::vector<uint8_t>(good.begin(), good.begin() + 58)},
      {"bad magic", patched(0, {'B', 'X'})},
      {"V5 header", bmp(24, 1, 1, {}, {{1, 2, 3}}, 124)},
      {"RLE8", bmp(8, 1, 1, {kRed}, {{0}}, 40, 1)},
      {"16 bits", bmp(16, 1, 1, {}, {{0, 0}})},
      {"two planes", patched(26, {2, 0})},
      {"zero width", patched(18, {0, 0, 0, 0})},
      {"negative width", patched(18, {0xFF, 0xFF, 0xFF, 0xFF})},
      {"lowest height", patched(22, {0, 0, 0, 0x80})},
      {"huge height", patched(22, {0xFF, 0xFF, 0xFF, 0x7F})},
      {"pixel data past the end", patched(10, {0xF0, 0xFF, 0xFF, 0xFF})},
      {"palette larger than the depth", bmp(1, 1, 1, {kRed, kGreen, kBlue}, {{0}})},
      {"index past the palette", bmp(8, 2, 1, {kRed, kGreen}, {{1, 2}})},
  };
  for (const auto& c : cases) EXPECT_THROW(Image::fromBmp(c.file), BmpError) << c.what;
}

TEST(ImageBmp, WritesTwentyFourBitFilesThatReadBack) {
  const Image image = imageOf(3, {kRed, kGreen, kBlue, kWhite, kBlack, RGB(1, 2, 3)});
  const std::vector<uint8_t> file = image.toBmp();
  EXPECT_EQ(file.size(), 14u + 40u + 2 * 12);  // rows of 9 bytes padded to 12
  EXPECT_EQ(file[28], 24);                     // bits per pixel
  EXPECT_EQ(Image::fromBmp(file), image);

  const Image mask = imageOf(2, {1, 0}, Image::Kind::Mono);
  EXPECT_EQ(valuesOf(Image::fromBmp(mask.toBmp())), (std::vector<Color>{kWhite, kBlack}));
  EXPECT_THROW(Image().toBmp(), std::invalid_argument);
}
