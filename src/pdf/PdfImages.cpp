// Images: Windows bitmaps and prepared samples as image objects, raw or ASCII base-85.
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "pdf/PdfWriter.h"
#include "platform/Bmp.h"

namespace pdf {
namespace {

std::uint8_t greyOf(int red, int green, int blue) {
  const double v = std::nearbyint(0.33 * red + 0.59 * green + 0.11 * blue);  // the weights add up to 1.03
  return static_cast<std::uint8_t>(v > 255 ? 255 : v);
}

}  // namespace

bool clsPDFWriter::LeggiBmp(const std::string& FileName, std::vector<std::uint8_t>& ImgBuf,
                            std::vector<std::uint8_t>& ImgColor, std::int32_t& ImgWidth, std::int32_t& ImgHeight,
                            std::uint8_t& ImgBPP, int ColorSpace) {
  std::ifstream in(FileName, std::ios::binary);
  if (!in) {
    if (errno == ENOENT) return false;
    const std::string why = std::strerror(errno);
    throw PdfError("cannot open " + FileName + ": " + why);
  }
  const std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw PdfError("cannot read " + FileName);

  // Only a bitmap the shared reader takes, stored bottom-up.
  platform::Bmp bmp;
  try {
    bmp = platform::ReadBmp(file);
  } catch (const platform::BmpError&) {
    return false;
  }
  if (bmp.topDown) return false;
  const int width = bmp.width, height = bmp.height;
  const unsigned bits = bmp.bits;
  const size_t rowBytes = bmp.rowBytes, stride = bmp.stride;

  ImgColor.clear();
  if (bits <= 8) {
    // A palette may list fewer colours than the depth allows; the rest stay black.
    const size_t entries = size_t{1} << bits;
    ImgColor.assign(entries * (ColorSpace == 0 ? 3 : 1), 0);
    for (size_t i = 0; i < bmp.palette.size(); ++i) {
      const auto& [red, green, blue] = bmp.palette[i];
      if (ColorSpace == 0) {
        ImgColor[3 * i] = red;
        ImgColor[3 * i + 1] = green;
        ImgColor[3 * i + 2] = blue;
      } else {
        ImgColor[i] = greyOf(red, green, blue);
      }
    }
  }

  const auto w = static_cast<size_t>(width);
  const auto h = static_cast<size_t>(height);
  const std::uint8_t* rows = bmp.rows;
  if (bits <= 8) {
    ImgBuf.resize(rowBytes * h);
    for (size_t r = 0; r < h; ++r) std::memcpy(&ImgBuf[r * rowBytes], rows + r * stride, rowBytes);
  } else if (ColorSpace == 0) {
    // The buffer keeps the file's size; the pixels come first as red, green, blue.
    ImgBuf.assign(stride * h, 0);
    size_t out = 0;
    for (size_t r = 0; r < h; ++r) {
      const std::uint8_t* p = rows + r * stride;
      for (size_t i = 0; i < w; ++i, p += 3) {
        ImgBuf[out++] = p[2];
        ImgBuf[out++] = p[1];
        ImgBuf[out++] = p[0];
      }
    }
  } else {
    ImgBuf.resize(w * h);
    size_t out = 0;
    for (size_t r = 0; r < h; ++r) {
      const std::uint8_t* p = rows + r * stride;
      for (size_t i = 0; i < w; ++i, p += 3) ImgBuf[out++] = greyOf(p[2], p[1], p[0]);
    }
  }
  ImgWidth = width;
  ImgHeight = height;
  ImgBPP = static_cast<std::uint8_t>(bits);
  return true;
}

bool clsPDFWriter::LoadImgFromBMPFile(std::string_view Name, const std::string& FileName, int ColorSpace) {
  requireName(Name);
  requireNoStream();
  std::vector<std::uint8_t> buf, palette;
  std::int32_t width = 0, height = 0;
  std::uint8_t bpp = 0;
  if (!LeggiBmp(FileName, buf, palette, width, height, bpp, ColorSpace)) return false;
  LoadImgFromArray(Name, buf, palette, width, height, bpp, ColorSpace);
  return true;
}

void clsPDFWriter::LoadImgFromArray(std::string_view Name, const std::vector<std::uint8_t>& ImgBuf,
                                    const std::vector<std::uint8_t>& ImgColor, std::int32_t ImgWidth,
                                    std::int32_t ImgHeight, std::uint8_t ImgBPP, int ColorSpace) {
  requireName(Name);
  requireNoStream();
  if (ImgBPP != 1 && ImgBPP != 4 && ImgBPP != 8 && ImgBPP != 24)
    throw PdfError("an image has 1, 4, 8 or 24 bits per pixel");
  if (ImgWidth <= 0 || ImgHeight <= 0) throw PdfError("an image needs a positive width and height");
  const bool grey = ColorSpace != 0;
  const auto w = static_cast<std::uint64_t>(ImgWidth);
  const std::uint64_t rowBytes = ImgBPP == 24 ? w * (grey ? 1 : 3) : (w * ImgBPP + 7) / 8;
  if (ImgBuf.size() / static_cast<std::uint64_t>(ImgHeight) < rowBytes)
    throw PdfError("the samples of image " + std::string(Name) + " are shorter than its size");
  const size_t colours = ImgBPP <= 8 ? size_t{1} << ImgBPP : 0;
  if (ImgColor.size() < colours * (grey ? 1 : 3))
    throw PdfError("the palette of image " + std::string(Name) + " is shorter than its depth");

  const std::string_view cs = grey ? "DeviceGray" : "DeviceRGB";
  const int N = ApriOggettoPdf(0);
  put("<<\r/Type /XObject\r/Subtype /Image\r/Name /");
  put(Name);
  put("\r/Width ");
  putInt(ImgWidth);
  put("\r/Height ");
  putInt(ImgHeight);
  if (encodeASCII85_) put("\r/Filter /ASCII85Decode");
  endLine();
  put("/BitsPerComponent ");
  if (ImgBPP == 24) {
    put("8\r/ColorSpace /");
    put(cs);
  } else {
    putInt(ImgBPP);
    put("\r/ColorSpace [/Indexed /");
    put(cs);
    put(" ");
    putInt(static_cast<std::int64_t>(colours) - 1);
    put(" ");
    putInt(static_cast<std::int64_t>(N) + 2);
    put(" 0 R]");
  }
  put("\r/Length ");
  putInt(static_cast<std::int64_t>(N) + 1);
  put(" 0 R");
  endLine();

  // The stream data starts after the CR LF of "stream" and is written byte for byte;
  // an encoded stream's length counts its closing "~>".
  auto streamData = [this](const std::vector<std::uint8_t>& bytes, std::string& encoded) {
    if (!encodeASCII85_) return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    encoded = CodificaASCII85(bytes);
    return std::string_view(encoded);
  };
  auto writeStream = [this](std::string_view data) {
    put("stream\r\n");
    put(data);
    put("\rendstream");
    endLine();
  };
  std::string encoded;
  const std::string_view data = streamData(ImgBuf, encoded);
  put(">>\r");
  writeStream(data);
  ChiudiOggettoPdf();
  addResource(imageResources_, Name, N);
  ApriOggettoPdf(0);
  putInt(static_cast<std::int64_t>(data.size()));
  endLine();
  ChiudiOggettoPdf();

  if (ImgBPP <= 8) {
    ApriOggettoPdf(0);
    const std::vector<std::uint8_t> palette(ImgColor.begin(),
                                            ImgColor.begin() + static_cast<std::ptrdiff_t>(colours * (grey ? 1 : 3)));
    std::string encodedPalette;
    const std::string_view paletteData = streamData(palette, encodedPalette);
    put("<<");
    if (encodeASCII85_) put("/Filter /ASCII85Decode\r");
    put("/Length ");
    putInt(static_cast<std::int64_t>(paletteData.size()));
    put(" >>\r");
    writeStream(paletteData);
    ChiudiOggettoPdf();
  }
}

void clsPDFWriter::DrawImg(std::string_view Name, float DestX, float DestY, float ImgWidth, float ImgHeight) {
  requireName(Name);
  requireStream();
  put("q\r");
  putCoord(ImgWidth);
  put(" 0 0 ");
  putNumber(-InPunti(ImgHeight));
  put(" ");
  putCoord(DestX);
  put(" ");
  putCoord(DestY);
  put(" cm\r/");
  put(Name);
  put(" Do\rQ");
  endLine();
}

}  // namespace pdf
