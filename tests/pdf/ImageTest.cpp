// Images: bitmap files read into image objects, raw and ASCII base-85, and DrawImg.
#include <gtest/gtest.h>

#include <filesystem>

#include "PdfTestSupport.h"
#include "pdf/PdfWriter.h"

using namespace pdftest;
using pdf::clsPDFWriter;
using pdf::PdfError;

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& b, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A bitmap file: 14-byte file header, 40-byte information header, palette, rows.
struct Bmp {
  std::int32_t width = 2;
  std::int32_t height = 2;
  std::uint16_t bits = 24;
  Bytes palette;  // 4 bytes per entry: blue, green, red, reserved
  Bytes rows;     // stride-padded, bottom row first
  std::uint32_t headerSize = 40;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;

  std::string write(const std::string& name) const {
    Bytes b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(54 + palette.size() + rows.size()));
    put32(b, 10, static_cast<std::uint32_t>(54 + palette.size()));
    put32(b, 14, headerSize);
    put32(b, 18, static_cast<std::uint32_t>(width));
    put32(b, 22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = static_cast<std::uint8_t>(bits);
    put32(b, 30, compression);
    put32(b, 46, coloursUsed);
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), rows.begin(), rows.end());
    const std::string path = outPath(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return path;
  }
};

// 2 x 2, 24 bits: bottom row (10,0,0 red-ish) and green, top row blue and white.
Bmp colour24() {
  Bmp bmp;
  bmp.rows = {0,   0, 10, 0,   255, 0,   0, 0,  // blue, green, red of each pixel; 2 padding bytes
              255, 0, 0,  255, 255, 255, 0, 0};
  return bmp;
}

// 3 x 2, 8 bits: palette entry 0 red, 1 blue, the rest black.
Bmp indexed8() {
  Bmp bmp;
  bmp.width = 3;
  bmp.bits = 8;
  bmp.palette.assign(256 * 4, 0);
  bmp.palette[2] = 255;  // entry 0: blue 0, green 0, red 255
  bmp.palette[4] = 255;  // entry 1: blue 255
  bmp.rows = {0, 1, 0, 0, 1, 0, 1, 0};
  return bmp;
}

std::string paletteOf(const Bytes& firstEntries, size_t size) {
  std::string p(size, '\0');
  std::copy(firstEntries.begin(), firstEntries.end(), p.begin());
  return p;
}

struct Loaded {
  bool result;
  std::string pdf;
};

Loaded load(const std::string& bmpPath, int colorSpace, bool ascii85) {
  std::string path = outPath("image.pdf");
  clsPDFWriter w;
  w.SetClock(fixedTime);
  w.EncodeASCII85(ascii85);
  w.InitPDFFile(path);
  const bool result = w.LoadImgFromBMPFile("Im1", bmpPath, colorSpace);
  w.BeginPage();
  if (result) w.DrawImg("Im1", 1, 5, 2, 2);
  w.EndPage();
  w.ClosePDFFile();
  expectValidPdf(path);
  return {result, readFile(path)};
}

std::string asText(const Bytes& b) { return {b.begin(), b.end()}; }

}  // namespace

TEST(PdfImage, BitmapsBecomeImageObjects) {
  const std::string rgb24 = colour24().write("rgb24.bmp");
  const std::string idx8 = indexed8().write("idx8.bmp");
  // Samples as the object holds them: 24-bit colour keeps the file's size, padded with 0.
  const Bytes rgbSamples = {10, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 0};
  const Bytes greySamples = {3, 150, 28, 255};  // 0.33 R + 0.59 G + 0.11 B, at most 255
  const Bytes idxSamples = {0, 1, 0, 1, 0, 1};
  const std::string rgbPalette = paletteOf({255, 0, 0, 0, 0, 255}, 768);
  const std::string greyPalette = paletteOf({84, 28}, 256);
  const struct {
    const char* what;
    std::string file;
    int colorSpace;
    bool ascii85;
    std::string dictionary;  // after "/Height 2"
    std::string data;
    std::string palette;  // the palette object's stream data, if any
  } cases[] = {
      {"24-bit colour, raw", rgb24, 0, false, "\r\n/BitsPerComponent 8\r/ColorSpace /DeviceRGB\r/Length 6 0 R\r\n",
       asText(rgbSamples), ""},
      {"24-bit colour, base-85", rgb24, 0, true,
       "\r/Filter /ASCII85Decode\r\n/BitsPerComponent 8\r/ColorSpace /DeviceRGB\r/Length 6 0 R\r\n",
       pdf::CodificaASCII85(rgbSamples), ""},
      {"24-bit grey", rgb24, 1, false, "\r\n/BitsPerComponent 8\r/ColorSpace /DeviceGray\r/Length 6 0 R\r\n",
       asText(greySamples), ""},
      {"8-bit colour, raw", idx8, 0, false,
       "\r\n/BitsPerComponent 8\r/ColorSpace [/Indexed /DeviceRGB 255 7 0 R]\r/Length 6 0 R\r\n", asText(idxSamples),
       rgbPalette},
      {"8-bit colour, base-85", idx8, 0, true,
       "\r/Filter /ASCII85Decode\r\n/BitsPerComponent 8\r/ColorSpace [/Indexed /DeviceRGB 255 7 0 R]\r/Length 6 0 "
       "R\r\n",
       pdf::CodificaASCII85(idxSamples), pdf::CodificaASCII85(Bytes(rgbPalette.begin(), rgbPalette.end()))},
      {"8-bit grey", idx8, 1, false,
       "\r\n/BitsPerComponent 8\r/ColorSpace [/Indexed /DeviceGray 255 7 0 R]\r/Length 6 0 R\r\n", asText(idxSamples),
       greyPalette},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Loaded got = load(c.file, c.colorSpace, c.ascii85);
    ASSERT_TRUE(got.result);
    const std::string image = "5 0 obj\r\n<<\r/Type /XObject\r/Subtype /Image\r/Name /Im1\r/Width " +
                              std::string(c.what[0] == '8' ? "3" : "2") + "\r/Height 2" + c.dictionary +
                              ">>\rstream\r\n" + c.data + "\rendstream\r\nendobj\r\n6 0 obj\r\n" +
                              std::to_string(c.data.size()) + "\r\nendobj\r\n";
    EXPECT_NE(got.pdf.find(image), std::string::npos);
    if (!c.palette.empty()) {
      const std::string filter = c.ascii85 ? "/Filter /ASCII85Decode\r" : "";
      EXPECT_NE(got.pdf.find("7 0 obj\r\n<<" + filter + "/Length " + std::to_string(c.palette.size()) +
                             " >>\rstream\r\n" + c.palette + "\rendstream\r\nendobj\r\n"),
                std::string::npos);
    }
    EXPECT_NE(got.pdf.find("/ProcSet [/PDF /Text /ImageB /ImageC /ImageI ]\r/XObject <<\r/Im1 5 0 R \r\r>>"),
              std::string::npos);
    EXPECT_NE(got.pdf.find("stream\r\nq\r2 0 0 -2 1 5 cm\r/Im1 Do\rQ\r\nendstream"), std::string::npos);
  }
}

TEST(PdfImage, RowsKeepTheirDataBytes) {
  const struct {
    std::int32_t width;
    std::uint16_t bits;
    size_t stride, kept;
  } cases[] = {{8, 1, 4, 1}, {33, 1, 8, 5}, {3, 4, 4, 2}, {5, 8, 8, 5}};
  for (const auto& c : cases) {
    Bmp bmp;
    bmp.width = c.width;
    bmp.height = 1;
    bmp.bits = c.bits;
    bmp.palette.assign((size_t{1} << c.bits) * 4, 0);
    for (size_t i = 0; i < c.stride; ++i) bmp.rows.push_back(static_cast<std::uint8_t>(0x41 + i));
    const Loaded got = load(bmp.write("rows.bmp"), 0, false);
    ASSERT_TRUE(got.result);
    const std::string kept = "stream\r\n" + asText(Bytes(bmp.rows.begin(), bmp.rows.begin() + c.kept)) + "\rendstream";
    EXPECT_NE(got.pdf.find(kept), std::string::npos) << c.width << " x " << c.bits;
    EXPECT_NE(got.pdf.find("/BitsPerComponent " + std::to_string(c.bits) + "\r/ColorSpace [/Indexed /DeviceRGB " +
                           std::to_string((1 << c.bits) - 1) + " 7 0 R]"),
              std::string::npos);
  }
}

TEST(PdfImage, ShortPaletteFillsTheRestWithBlack) {
  Bmp bmp = indexed8();
  bmp.palette.resize(2 * 4);
  bmp.coloursUsed = 2;
  const Loaded got = load(bmp.write("short-palette.bmp"), 0, false);
  ASSERT_TRUE(got.result);
  EXPECT_NE(got.pdf.find("stream\r\n" + paletteOf({255, 0, 0, 0, 0, 255}, 768) + "\rendstream"), std::string::npos);
  EXPECT_NE(got.pdf.find("stream\r\n" + asText({0, 1, 0, 1, 0, 1}) + "\rendstream"), std::string::npos);
}

TEST(PdfImage, ObjectNumbersFollowOneAnother) {
  std::string path = outPath("two-images.pdf");
  clsPDFWriter w;
  w.SetClock(fixedTime);
  w.InitPDFFile(path);
  ASSERT_TRUE(w.LoadImgFromBMPFile("Im1", indexed8().write("first.bmp")));
  ASSERT_TRUE(w.LoadImgFromBMPFile("Im2", colour24().write("second.bmp")));
  w.LoadImgFromArray("Im3", {1, 2, 3}, {}, 1, 1, 24);
  w.ClosePDFFile();
  expectValidPdf(path);
  EXPECT_NE(readFile(path).find("/XObject <<\r/Im1 5 0 R \r/Im2 8 0 R \r/Im3 10 0 R \r\r>>"), std::string::npos);
}

TEST(PdfImage, OtherFilesAreRefusedAndNothingIsWritten) {
  auto variant = [](const std::function<void(Bmp&)>& change) {
    Bmp bmp = colour24();
    change(bmp);
    return bmp;
  };
  const std::string empty = outPath("empty.bmp");
  std::ofstream(empty).close();
  const std::string notBmp = outPath("not.bmp");
  std::ofstream(notBmp) << "GIF89a and some more bytes to pass the length of a header...............";
  std::string truncated = colour24().write("truncated.bmp");
  std::filesystem::resize_file(truncated, std::filesystem::file_size(truncated) - 1);
  const std::string missing = outPath("missing.bmp");
  const struct {
    const char* what;
    std::string file;
  } cases[] = {
      {"empty", empty},
      {"not a bitmap", notBmp},
      {"missing", missing},
      {"rows cut short", truncated},
      {"compressed", variant([](Bmp& b) { b.compression = 1; }).write("rle.bmp")},
      {"16 bits", variant([](Bmp& b) { b.bits = 16; }).write("16.bmp")},
      {"32 bits", variant([](Bmp& b) { b.bits = 32; }).write("32.bmp")},
      {"other header size", variant([](Bmp& b) { b.headerSize = 108; }).write("v4.bmp")},
      {"top-down", variant([](Bmp& b) { b.height = -2; }).write("top-down.bmp")},
      {"no width", variant([](Bmp& b) { b.width = 0; }).write("no-width.bmp")},
      {"sizes beyond the file", variant([](Bmp& b) { b.width = b.height = 0x7FFFFFFF; }).write("huge.bmp")},
      {"more colours than the depth",
       [] {
         Bmp b = indexed8();
         b.coloursUsed = 257;
         return b.write("colours.bmp");
       }()},
  };
  for (const auto& c : cases) {
    const Loaded got = load(c.file, 0, false);
    EXPECT_FALSE(got.result) << c.what;
    EXPECT_EQ(got.pdf.find("/Image"), std::string::npos) << c.what;
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(PdfImage, PreparedSamplesThatCannotBeAnImageAreRefused) {
  std::string path = outPath("bad-array.pdf");
  clsPDFWriter w;
  w.SetClock(fixedTime);
  w.InitPDFFile(path);
  EXPECT_THROW(w.LoadImgFromArray("Im1", Bytes(12), {}, 2, 2, 16), PdfError);
  EXPECT_THROW(w.LoadImgFromArray("Im1", Bytes(11), {}, 2, 2, 24), PdfError);
  EXPECT_THROW(w.LoadImgFromArray("Im1", Bytes(4), Bytes(767), 2, 2, 8), PdfError);
  EXPECT_THROW(w.LoadImgFromArray("Im1", Bytes(4), {}, 0, 2, 24, 1), PdfError);
  EXPECT_THROW(w.LoadImgFromArray("Im 1", Bytes(12), {}, 2, 2, 24), PdfError);
  w.LoadImgFromArray("Im1", Bytes(4), {}, 2, 2, 24, 1);  // grey: one byte a pixel
  w.ClosePDFFile();
  expectValidPdf(path);
  EXPECT_NE(readFile(path).find("/XObject <<\r/Im1 5 0 R \r\r>>"), std::string::npos);
}

TEST(PdfImage, DrawImgLine) {
  const std::string content = pageContent(
      "draw-image.pdf",
      [](clsPDFWriter& w) {
        w.DrawImg("Im1", 2, 27, 4, 1);
        w.DrawImg("Im1", 0, 0, 1, -1);  // a negative height flips the image, one sign only
      },
      [](clsPDFWriter& w) {
        w.LoadImgFromArray("Im1", {1, 2, 3}, {}, 1, 1, 24);
      });
  EXPECT_EQ(content,
            "q\r113.386 0 0 -28.346 56.693 765.354 cm\r/Im1 Do\rQ\r\n"
            "q\r28.346 0 0 28.346 0 0 cm\r/Im1 Do\rQ\r\n");
}
