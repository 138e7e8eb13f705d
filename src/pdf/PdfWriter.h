#pragma once
// clsPDFWriter writes one PDF 1.3 file from top to bottom while its caller describes the
// document: fonts and images outside pages, content inside a page or a form object.
// Every operation writes its lines at once; nothing of a page is kept in memory.
//
// Texts handed to the writer are UTF-8 and go into the file as Windows-1252 bytes
// ("?" for a character the code page lacks). Coordinates and lengths are in the unit
// chosen with ScaleMode, measured from the paper's lower left corner, y upward; font
// sizes are in points. A failing file operation, or a call in the wrong state, throws
// PdfError; the caller can then drop the half-written file with AbandonPDFFile.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/FontMetrics.h"
#include "pdf/PdfFormat.h"

namespace pdf {

// Local date and time, as written into the creation date.
struct PdfDateTime {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

class clsPDFWriter {
 public:
  clsPDFWriter();
  // Closes the file if one is still open, without finishing the document.
  ~clsPDFWriter();
  clsPDFWriter(const clsPDFWriter&) = delete;
  clsPDFWriter& operator=(const clsPDFWriter&) = delete;

  // Settings. ScaleMode comes before Margin, PaperWidth and PaperHeight, which are read
  // in the unit in force when they are set; Title before InitPDFFile.
  void EncodeASCII85(bool value);
  void Margin(float value);
  void PaperWidth(float value);   // PaperSize becomes 255 (custom)
  void PaperHeight(float value);  // PaperSize becomes 255 (custom)
  void ScaleMode(int value);      // 0 points, 1 inches, 2 millimetres, 3 centimetres
  void PaperSize(int value);      // 0 A4, 1 A3, 2 Letter, 3 612 x 864 points
  void Orientation(int value);    // 1 landscape
  void Title(std::string_view value);
  int Pages() const;  // pages begun so far; after BeginPage the current page's number
  // The clock of the creation date and of the chosen file name; the local time by default.
  void SetClock(std::function<PdfDateTime()> clock);

  // Document. An empty strFileName makes InitPDFFile choose "~<hex>.pdf" in the program's
  // folder and hand the path back.
  void InitPDFFile(std::string& strFileName);
  void ClosePDFFile();
  // Closes the open file without finishing it and removes it.
  void AbandonPDFFile();
  int BeginPage();
  void EndPage();
  // A reusable form object, drawn automatically at the top of the pages its Options select:
  // 7 every page, 2 even pages, 4 odd pages, + 8 not on page 1 (except with 7).
  void StartObject(std::string_view Name, int Options);
  void EndObject();
  void DrawObject(std::string_view Name);

  // Text. Align: 0 left, 1 right (x is the end), 2 centred; Rotate in degrees.
  void LoadFontStandard(std::string_view Name, std::string_view BaseFont, int Options = 0);
  void LoadFont(std::string_view Name, std::string_view BaseFont, int Options = 0);
  void DrawText(float x, float y, std::string_view strTemp, std::string_view FontName, float Fontsize, int Align = 0,
                float Rotate = 0);
  float Length(std::string_view Phrase, std::string_view FontName, float Fontsize) const;
  void SetWordSpacing(float W);
  void SetCharSpacing(float W);
  void SetTextHorizontalScaling(float W);
  void SetTextRenderingMode(float W);

  // Graphics. rgb: -255..0 a grey level, otherwise red + 256 green + 65536 blue.
  // Options of a path: 1 stroke, 2 close, 4 fill; 0 leaves the path open.
  void SetColorStroke(std::int32_t rgb);
  void SetColorFill(std::int32_t rgb);
  void SetDash(float dash_on, float dash_off = 0);
  void SetLineWidth(float W);
  void SetLineCap(int W);
  void SetLineJoin(int W);
  void SetMiterLimit(float W);
  void MoveTo(float x, float y);
  void LineTo(float x, float y, int Options = 1);
  void Curve(float x1, float y1, float X2, float Y2, float X3, float Y3, int Options = 1);
  void Rectangle(float x, float y, float xdim, float ydim, int Options = 1, float Ray = 0);
  void DrawCircle(float x, float y, float Ray, int Options = 1);
  void Arc(float x, float y, float Ray, float StartAngle = 0, float EndAngle = 360, float Ratio = 1, bool Pie = false,
           float Rotate = 0, int Quality = 1, int Options = 1);

  // Images. ColorSpace 0 colour, any other value grey. ImgBuf holds the rows from the
  // bottom row up; 1, 4 and 8 bits are palette indexes, 24 bits red, green, blue (grey: one
  // byte). LoadImgFromBMPFile reads uncompressed 1-, 4-, 8- and 24-bit Windows bitmaps and
  // returns false, writing nothing, for any other file.
  bool LoadImgFromBMPFile(std::string_view Name, const std::string& FileName, int ColorSpace = 0);
  void LoadImgFromArray(std::string_view Name, const std::vector<std::uint8_t>& ImgBuf,
                        const std::vector<std::uint8_t>& ImgColor, std::int32_t ImgWidth, std::int32_t ImgHeight,
                        std::uint8_t ImgBPP, int ColorSpace = 0);
  // (DestX, DestY) is the image's top left corner.
  void DrawImg(std::string_view Name, float DestX, float DestY, float ImgWidth, float ImgHeight);

 private:
  enum class Stream { None, Page, Form };
  struct OggettoPdf {
    std::string Name;
    int Options;
  };
  struct FontEntry {
    std::string Name;
    size_t Index;  // into fontTable_
  };

  // Output: lines gather in buffer_ and go to the file in large writes.
  void ScriviLineaPdf(std::string_view Text);
  void put(std::string_view text) { buffer_.append(text); }
  void putInt(std::int64_t n);
  void putNumber(float points) { appendNumberPdf(buffer_, points, 3); }
  void putCoord(float value) { putNumber(InPunti(value)); }
  // The paper less the margin: "x1 y1 x2 y2" of the crop and form boxes.
  void putMarginBox() {
    putNumber(margin_);
    put(" ");
    putNumber(margin_);
    put(" ");
    putNumber(paperWidth_ - margin_);
    put(" ");
    putNumber(paperHeight_ - margin_);
  }
  void endLine();
  void flush();
  std::int64_t position() const { return written_ + static_cast<std::int64_t>(buffer_.size()); }

  int ApriOggettoPdf(int N);
  void ChiudiOggettoPdf();
  void closeStream();
  float InPunti(float Value) const;
  float DaPunti(float Value) const;
  void DisegnaOggettiAutomatici();
  float measure(std::string_view bytes, std::string_view FontName, float Fontsize) const;
  void DipingiPercorso(int Options);
  void setColor(std::int32_t rgb, std::string_view grey, std::string_view colour);
  static bool LeggiBmp(const std::string& FileName, std::vector<std::uint8_t>& ImgBuf,
                       std::vector<std::uint8_t>& ImgColor, std::int32_t& ImgWidth, std::int32_t& ImgHeight,
                       std::uint8_t& ImgBPP, int ColorSpace);

  void requireOpen() const;
  void requireStream() const;
  void requireNoStream() const;
  static void requireName(std::string_view name);
  // Appends "/Name N 0 R " and a CR to a resource list.
  static void addResource(std::string& list, std::string_view Name, int N);

  std::FILE* file_ = nullptr;  // the open output file
  std::string title_ = "(senza titolo)";
  int paperSize_ = 0;
  float paperWidth_ = 595.2f;  // points
  float paperHeight_ = 842;
  int scaleMode_ = 0;
  int orientation_ = 0;
  int pages_ = 0;
  float margin_ = 0;  // points
  std::string pdfFileName_;
  bool encodeASCII85_ = false;
  std::string kidsList_;       // "P 0 R " of each page
  std::string fontResources_;  // "/Name N 0 R " CR of each font
  std::vector<FontEntry> fontIndex_;
  std::string imageResources_;    // of each image
  std::string objectResources_;   // of each form object
  int objectCount_ = 0;           // highest object number handed out
  std::int64_t streamStart_ = 0;  // position of the open stream's first byte
  float charSpacing_ = 0;
  float wordSpacing_ = 0;
  float horizontalScaling_ = 0;
  std::vector<std::int64_t> xrefOffsets_;  // byte offset of object n at [n - 1]
  std::vector<OggettoPdf> autoObjects_;
  std::vector<FontMetrics> fontTable_;
  Stream stream_ = Stream::None;
  std::string buffer_;
  std::int64_t written_ = 0;  // bytes already handed to the file
  std::function<PdfDateTime()> clock_;
};

}  // namespace pdf
