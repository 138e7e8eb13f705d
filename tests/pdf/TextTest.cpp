// Fonts, text objects, text state and measuring; the Italian text as a reader gets it back.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "PdfTestSupport.h"
#include "pdf/PdfWriter.h"

using namespace pdftest;
using pdf::clsPDFWriter;
using pdf::PdfError;

namespace {

void arial(clsPDFWriter& w) {
  w.LoadFont("Fnt1", "Arial");
  w.LoadFontStandard("Fnt4", "Courier New");
}

std::string documentWith(const std::string& name, const std::function<void(clsPDFWriter&)>& fonts) {
  std::string path = outPath(name);
  clsPDFWriter w;
  w.SetClock(fixedTime);
  w.InitPDFFile(path);
  fonts(w);
  w.ClosePDFFile();
  expectValidPdf(path);
  return readFile(path);
}

}  // namespace

TEST(PdfText, StandardFontObject) {
  const struct {
    const char* base;
    int options;
    const char* written;
  } cases[] = {{"Courier New", 0, "CourierNew"},
               {"Courier New", 1, "CourierNew,Bold"},
               {"Times New Roman", 3, "TimesNewRoman,BoldItalic"},
               {"Helvetica", 7, "Helvetica"}};
  for (const auto& c : cases) {
    const std::string pdf =
        documentWith("standard-font.pdf", [&](clsPDFWriter& w) { w.LoadFontStandard("Fnt4", c.base, c.options); });
    EXPECT_NE(pdf.find("5 0 obj\r\n<< /Type /Font /Subtype /Type1 /Name /Fnt4 /BaseFont /" + std::string(c.written) +
                       " /Encoding /WinAnsiEncoding >>\r\nendobj\r\n"),
              std::string::npos)
        << c.written;
    EXPECT_NE(pdf.find("/Font <<\r/Fnt4 5 0 R \r>>\r"), std::string::npos);
  }
}

TEST(PdfText, MetricFontObjects) {
  const struct {
    const char* base;
    int options;
    const char* written;
    const char* firstChar;
    int widthLines;  // lines of the /Widths array
  } cases[] = {{"courier new", 0, "CourierNew", "32", 14},
               {"Times New Roman", 2, "TimesNewRoman,Italic", "32", 14},
               {"TimesNewRoman", 0, "TimesNewRoman", "32", 14},
               {"Verdana", 1, "Arial,Bold", "32", 14},
               {"", 0, "Arial", "32", 14},
               {"SYMBOL", 0, "Symbol", "30", 15}};
  for (const auto& c : cases) {
    const std::string pdf =
        documentWith("metric-font.pdf", [&](clsPDFWriter& w) { w.LoadFont("Fnt5", c.base, c.options); });
    SCOPED_TRACE(c.written);
    const std::string head = "5 0 obj\r\n<< /Type /Font \r/Subtype /TrueType\r/Name /Fnt5\r/BaseFont /" +
                             std::string(c.written) + "\r/FirstChar " + c.firstChar +
                             "\r/LastChar 255\r/FontDescriptor 6 0 R\r/Encoding /WinAnsiEncoding\r/Widths [\r\n";
    ASSERT_EQ(pdf.find(head), 10 + pdf.substr(10).find("5 0 obj"));
    const size_t widthsStart = pdf.find(head) + head.size();
    const std::string widths = pdf.substr(widthsStart, pdf.find("] >>\r\nendobj\r\n", widthsStart) - widthsStart);
    int lines = 0;
    for (size_t at = widths.find("\r\n"); at != std::string::npos; at = widths.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, c.widthLines);
    EXPECT_EQ(widths.substr(widths.size() - 3), " \r\n");
    EXPECT_NE(pdf.find("6 0 obj\r\n<<\r/Type /FontDescriptor\r/FontName /" + std::string(c.written) + "\r/Flags "),
              std::string::npos);
  }
}

TEST(PdfText, BadFontsAreRefusedBeforeAnythingIsWritten) {
  const std::string pdf = documentWith("bad-font.pdf", [](clsPDFWriter& w) {
    EXPECT_THROW(w.LoadFont("Fnt1", "Arial", 4), PdfError);
    EXPECT_THROW(w.LoadFont("Fnt 1", "Arial"), PdfError);
    EXPECT_THROW(w.LoadFontStandard("Fnt2", "Città"), PdfError);
  });
  EXPECT_EQ(pdf.find("/Font"), std::string::npos);
  EXPECT_NE(pdf.find("/Size 5\r"), std::string::npos);
}

TEST(PdfText, TextObjectLines) {
  const struct {
    const char* what;
    float x, y;
    const char* text;
    const char* font;
    float size;
    int align;
    float rotate;
    const char* lines;
  } cases[] = {
      {"left", 1.5f, 27, "Totale", "Fnt1", 10, 0, 0, "BT\r\n/Fnt1 10 Tf\r\n42.52 765.354 Td\r\n(Totale) Tj\r\nET\r\n"},
      {"rotated 90", 1.5f, 27, "Totale", "Fnt1", 10, 0, 90,
       "BT\r\n/Fnt1 10 Tf\r\n0 1 -1 0 42.52 765.354 Tm\r\n(Totale) Tj\r\nET\r\n"},
      {"rotated 180", 1.5f, 27, "Totale", "Fnt1", 10, 0, 180,
       "BT\r\n/Fnt1 10 Tf\r\n-1 0 0 -1 42.52 765.354 Tm\r\n(Totale) Tj\r\nET\r\n"},
      {"rotated 30", 1.5f, 27, "Totale", "Fnt1", 10, 0, 30,
       "BT\r\n/Fnt1 10 Tf\r\n0.866 0.5 -0.5 0.866 42.52 765.354 Tm\r\n(Totale) Tj\r\nET\r\n"},
      // "pag. 1" in Arial is 2780 thousandths: 22.24 pt end at 19 cm = 538.583 pt.
      {"right", 19, 1, "pag. 1", "Fnt1", 8, 1, 0, "BT\r\n/Fnt1 8 Tf\r\n516.343 28.346 Td\r\n(pag. 1) Tj\r\nET\r\n"},
      {"centred", 19, 1, "pag. 1", "Fnt1", 8, 2, 0, "BT\r\n/Fnt1 8 Tf\r\n527.463 28.346 Td\r\n(pag. 1) Tj\r\nET\r\n"},
      {"right, rotated: shifted along x", 19, 1, "pag. 1", "Fnt1", 8, 1, 90,
       "BT\r\n/Fnt1 8 Tf\r\n0 1 -1 0 516.343 28.346 Tm\r\n(pag. 1) Tj\r\nET\r\n"},
      {"standard font has no width", 19, 1, "pag. 1", "Fnt4", 8.5f, 1, 0,
       "BT\r\n/Fnt4 8.5 Tf\r\n538.583 28.346 Td\r\n(pag. 1) Tj\r\nET\r\n"},
      {"escaped, Windows-1252", 0, 0, "(a\\b) è € ∞", "Fnt1", 10, 7, 0,
       "BT\r\n/Fnt1 10 Tf\r\n0 0 Td\r\n(\\(a\\\\b\\) \xE8 \x80 ?) Tj\r\nET\r\n"},
  };
  for (const auto& c : cases) {
    const std::string content = pageContent(
        "text.pdf", [&](clsPDFWriter& w) { w.DrawText(c.x, c.y, c.text, c.font, c.size, c.align, c.rotate); }, arial);
    EXPECT_EQ(content, c.lines) << c.what;
  }
}

TEST(PdfText, TextStateOperators) {
  const std::string content = pageContent("text-state.pdf", [](clsPDFWriter& w) {
    w.SetWordSpacing(2.5f);
    w.SetCharSpacing(-0.25f);
    w.SetTextHorizontalScaling(50);
    w.SetTextRenderingMode(2);
    w.SetTextRenderingMode(3);
    w.SetTextRenderingMode(1.5f);
    w.SetTextRenderingMode(0);
  });
  EXPECT_EQ(content, "2.5 Tw\r\n-0.25 Tc\r\n50 Tz\r\n2 Tr\r\n0 Tr\r\n");
}

TEST(PdfText, Measuring) {
  std::string path = outPath("measure.pdf");
  clsPDFWriter w;
  w.SetClock(fixedTime);
  w.InitPDFFile(path);
  w.LoadFont("Fnt1", "Arial");
  w.LoadFont("Fnt2", "Arial", 1);
  w.LoadFont("Fnt3", "Courier New");
  w.LoadFont("Fnt6", "Symbol");
  w.LoadFontStandard("Fnt4", "Courier New");
  EXPECT_EQ(w.Length("Totale", "Fnt1", 10), 0) << "no page begun: horizontal scaling is still 0";
  w.BeginPage();
  const struct {
    const char* text;
    const char* font;
    float size;
    float points;
  } cases[] = {
      {"Totale", "Fnt1", 10, 27.79f},    // 611 556 278 556 222 556
      {"Totale", "fNT1", 10, 27.79f},    // names are found whatever their case
      {"Totale", "Fnt2", 10, 29.45f},    // 611 611 333 556 278 556
      {"città €", "Fnt1", 12, 32.016f},  // 500 222 278 278 556 278 556: à and € are one code each
      {"", "Fnt1", 10, 0},
      {"\x01\x02", "Fnt3", 10, 12},  // codes below 32 count the missing width, 600
      {"\x01", "Fnt6", 10, 3.32f},   // Symbol's missing width
      {"Totale", "Fnt4", 10, 0},     // a standard font has no metrics
      {"Totale", "Fnt9", 10, 0},     // nor has an unknown one
  };
  for (const auto& c : cases) EXPECT_NEAR(w.Length(c.text, c.font, c.size), c.points, 1e-4) << c.text << " " << c.font;

  w.SetWordSpacing(2);
  EXPECT_NEAR(w.Length("   ", "Fnt1", 10), 3 * 2.78f + 3 * 2, 1e-4);
  w.SetWordSpacing(0);
  w.SetCharSpacing(1);
  EXPECT_NEAR(w.Length("ab", "Fnt1", 10), 11.12f + 2, 1e-4);  // the last character counts too
  w.SetCharSpacing(0);
  w.SetTextHorizontalScaling(50);
  EXPECT_NEAR(w.Length("Totale", "Fnt1", 10), 27.79f / 2, 1e-4);
  w.EndPage();
  w.BeginPage();  // a new page starts with the default text state
  EXPECT_NEAR(w.Length("Totale", "Fnt1", 10), 27.79f, 1e-4);
  w.ScaleMode(3);
  EXPECT_NEAR(w.Length("Totale", "Fnt1", 10), 27.79 / 72 * 2.54, 1e-6);
  w.ScaleMode(1);
  EXPECT_NEAR(w.Length("Totale", "Fnt1", 10), 27.79 / 72, 1e-6);
  w.EndPage();
  w.ClosePDFFile();
  expectValidPdf(path);
}

TEST(PdfText, ItalianTextReadsBackAndRenders) {
  std::string path = outPath("italiano.pdf");
  {
    clsPDFWriter w;
    w.SetClock(fixedTime);
    w.Title("Quotara");
    w.ScaleMode(3);
    w.InitPDFFile(path);
    w.LoadFont("Fnt1", "Arial");
    w.LoadFont("Fnt2", "Arial", 1);
    w.LoadFont("Fnt3", "Times New Roman", 2);
    w.BeginPage();
    w.DrawText(1.5f, 27, "Quotara anno 2024", "Fnt2", 14);
    w.SetLineWidth(0.01f);
    w.MoveTo(1.5f, 26.5f);
    w.LineTo(19.5f, 26.5f);
    w.DrawText(1.5f, 25, "Città, perché: àèéìòù €", "Fnt1", 12);
    w.DrawText(19.5f, 24, "Totale: € 1.234,56", "Fnt1", 12, 1);
    w.DrawText(10.5f, 23, "Più è meglio", "Fnt3", 12, 2);
    w.SetColorStroke(255);
    w.Rectangle(1.5f, 20, 18, 2, 1, 0.3f);
    w.SetColorFill(-128);
    w.DrawCircle(4, 16, 1.5f, 5);
    w.Arc(10, 16, 1.5f, 0, 270, 0.6f, true, 20, 5, 3);
    w.DrawText(2, 10, "ruotato 45°", "Fnt1", 12, 0, 45);
    w.EndPage();
    w.ClosePDFFile();
  }
  expectValidPdf(path);
  if (!haveTool("pdftotext") || !haveTool("pdftoppm")) GTEST_SKIP() << "poppler-utils are not installed";
  const std::string text = outPath("italiano.txt");
  ASSERT_EQ(std::system(("pdftotext -enc UTF-8 '" + path + "' '" + text + "'").c_str()), 0);
  const std::string got = readFile(text);
  EXPECT_NE(got.find("Città, perché: àèéìòù €"), std::string::npos) << got;
  EXPECT_NE(got.find("Totale: € 1.234,56"), std::string::npos) << got;
  EXPECT_NE(got.find("Più è meglio"), std::string::npos) << got;
  // For a person to look at: the rendered page next to the file.
  const std::string png = outPath("italiano");
  ASSERT_EQ(std::system(("pdftoppm -png -r 60 -f 1 -l 1 -singlefile '" + path + "' '" + png + "'").c_str()), 0);
  EXPECT_TRUE(std::filesystem::exists(png + ".png"));
}
