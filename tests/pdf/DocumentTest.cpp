// File layout, object numbering, pages, form objects and the life cycle of the writer.
#include <gtest/gtest.h>

#include <filesystem>

#include "PdfTestSupport.h"
#include "pdf/PdfWriter.h"
#include "platform/Paths.h"

using namespace pdftest;
using pdf::clsPDFWriter;
using pdf::PdfError;

namespace {

// Two pages as the reports write them, with every kind of object: metric and standard
// fonts, an image, a footer form object drawn on every page and created after the last one.
void writeFixedDocument(std::string path) {
  clsPDFWriter w;
  w.SetClock(fixedTime);
  w.Title("Prova (àè) \\ €");
  w.ScaleMode(3);
  w.PaperSize(0);
  w.Margin(0);
  w.Orientation(0);
  w.InitPDFFile(path);
  w.LoadFont("Fnt1", "Arial", 0);
  w.LoadFont("Fnt2", "Arial", 1);
  w.LoadFontStandard("Fnt4", "Courier New", 3);
  w.LoadImgFromArray("Im1", {255, 0, 0, 0, 0, 255}, {}, 2, 1, 24);
  for (int page = 1; page <= 2; ++page) {
    w.BeginPage();
    w.DrawText(19, 1, "pag. " + std::to_string(w.Pages()), "Fnt1", 8, 1);
    w.DrawObject("Footers");
    w.DrawText(1.5, 27, "Quotara - Perché è così", "Fnt2", 14);
    w.SetLineWidth(0.01f);
    w.MoveTo(1.5, 26.5);
    w.LineTo(19.5, 26.5);
    w.Rectangle(1.5, 2, 18, 24, 1, 0.1f);
    w.DrawImg("Im1", 2, 25, 1, 0.5);
    w.EndPage();
  }
  w.StartObject("Footers", 7);
  w.DrawText(19.5, 1, "di " + std::to_string(w.Pages()), "Fnt1", 8, 1);
  w.EndObject();
  w.ClosePDFFile();
}

std::string writeEmpty(const std::string& name, const std::function<void(clsPDFWriter&)>& settings = {}) {
  std::string path = outPath(name);
  clsPDFWriter w;
  w.SetClock(fixedTime);
  if (settings) settings(w);
  w.InitPDFFile(path);
  w.ClosePDFFile();
  expectValidPdf(path);
  return readFile(path);
}

}  // namespace

TEST(PdfDocument, FixedDocumentIsByteForByteTheExpectedFile) {
  const std::string path = outPath("fixed.pdf");
  writeFixedDocument(path);
  expectValidPdf(path);
  const std::string expected = readFile(std::string(QUOTARA_TEST_DATA) + "/expected-fixed.pdf");
  ASSERT_FALSE(expected.empty()) << "expected-fixed.pdf is missing";
  EXPECT_TRUE(readFile(path) == expected) << "compare " << path << " with expected-fixed.pdf";
}

TEST(PdfDocument, DocumentWithoutPages) {
  const std::string pdf = writeEmpty("no-pages.pdf");
  EXPECT_NE(pdf.find("\r/Count 0\r"), std::string::npos);
  EXPECT_NE(pdf.find("\r/Kids [ ]\r"), std::string::npos);
  EXPECT_NE(pdf.find("xref\r\n0 5\r\n"), std::string::npos);
  EXPECT_NE(pdf.find("trailer\r<<\r/Size 5\r"), std::string::npos);
  EXPECT_EQ(pdf.find("/Font"), std::string::npos);
}

TEST(PdfDocument, OnePageWithoutResources) {
  std::string path = outPath("one-page.pdf");
  {
    clsPDFWriter w;
    w.SetClock(fixedTime);
    w.InitPDFFile(path);
    EXPECT_EQ(w.BeginPage(), 1);
    EXPECT_EQ(w.Pages(), 1);
    w.EndPage();
    w.ClosePDFFile();
  }
  expectValidPdf(path);
  const std::string pdf = readFile(path);
  EXPECT_NE(pdf.find("5 0 obj\r\n<<\r/Type /Page\r/Parent 3 0 R\r/Contents 6 0 R\r>>\r\nendobj\r\n"
                     "6 0 obj\r\n<< /Length 7 0 R >>\rstream\r\nendstream\r\nendobj\r\n7 0 obj\r\n0\r\nendobj\r\n"),
            std::string::npos);
  EXPECT_NE(pdf.find("4 0 obj\r\n<<\r/ProcSet [/PDF /Text ]\r>>\r\nendobj\r\n"), std::string::npos);
  EXPECT_NE(pdf.find("/Kids [5 0 R  ]"), std::string::npos);
  EXPECT_NE(pdf.find("/Size 8\r"), std::string::npos);
}

TEST(PdfDocument, InformationDictionary) {
  struct {
    const char* title;    // UTF-8
    const char* written;  // Windows-1252 between the parentheses
  } cases[] = {
      {nullptr, "\\(senza titolo\\)"},
      {"C:\\temp (copia)", "C:\\\\temp \\(copia\\)"},
      {"Città € ∞", "Citt\xE0 \x80 ?"},
  };
  for (const auto& c : cases) {
    const std::string pdf = writeEmpty("info.pdf", [&](clsPDFWriter& w) {
      if (c.title) w.Title(c.title);
    });
    EXPECT_EQ(pdf.compare(0, 25, "%PDF-1.3\r\n1 0 obj\r\n<<\r/Ti"), 0);
    EXPECT_NE(pdf.find("/Title (" + std::string(c.written) +
                       ")\r/Author (Bromwel)\r/Creator  (Quotara)\r/Producer (Quotara clsPDFWriter)\r"
                       "/CreationDate (D:20240309143022+01'00')\r>>\r\nendobj\r\n"),
              std::string::npos)
        << c.written;
    EXPECT_NE(pdf.find("0000000010 00000 n\r\n"), std::string::npos);
  }
}

TEST(PdfDocument, PaperMarginAndOrientation) {
  struct {
    const char* what;
    std::function<void(clsPDFWriter&)> settings;
    const char* mediaBox;
    const char* cropBoxAndRotate;
  } cases[] = {
      {"A4 default", [](clsPDFWriter&) {}, "[0 0 595.2 842]", "[0 0 595.2 842]\r\r"},
      {"A3", [](clsPDFWriter& w) { w.PaperSize(1); }, "[0 0 842 1190.5]", "[0 0 842 1190.5]\r\r"},
      {"Letter, landscape",
       [](clsPDFWriter& w) {
         w.PaperSize(2);
         w.Orientation(1);
       },
       "[0 0 612 792]", "[0 0 612 792]\r/Rotate 90\r"},
      {"width 21 cm",
       [](clsPDFWriter& w) {
         w.ScaleMode(3);
         w.PaperWidth(21);
       },
       "[0 0 595.276 842]", "[0 0 595.276 842]\r\r"},
      {"unknown code keeps the size",
       [](clsPDFWriter& w) {
         w.PaperSize(3);
         w.PaperSize(9);
       },
       "[0 0 612 864]", "[0 0 612 864]\r\r"},
      {"margin before ScaleMode is in points",
       [](clsPDFWriter& w) {
         w.Margin(10);
         w.ScaleMode(3);
       },
       "[0 0 595.2 842]", "[10 10 585.2 832]\r\r"},
      {"margin in centimetres",
       [](clsPDFWriter& w) {
         w.ScaleMode(3);
         w.Margin(1);
       },
       "[0 0 595.2 842]", "[28.346 28.346 566.854 813.654]\r\r"},
  };
  for (const auto& c : cases) {
    const std::string pdf = writeEmpty("paper.pdf", c.settings);
    EXPECT_NE(pdf.find("/MediaBox " + std::string(c.mediaBox) + "\r/CropBox " + c.cropBoxAndRotate + "/Kids"),
              std::string::npos)
        << c.what;
  }
}

TEST(PdfDocument, FormObjectsDrawnOnTheirPages) {
  const struct {
    int options;
    const char* pages;  // '1' where the object is drawn, pages 1 to 4
  } cases[] = {{0, "0000"}, {1, "0000"},  {2, "0101"},  {4, "1010"}, {6, "1111"},
               {7, "1111"}, {12, "0010"}, {14, "0111"}, {15, "1111"}};
  for (const auto& c : cases) {
    std::string path = outPath("auto-objects.pdf");
    clsPDFWriter w;
    w.SetClock(fixedTime);
    w.InitPDFFile(path);
    w.StartObject("Head", c.options);
    w.EndObject();
    std::string drawn;
    for (int page = 1; page <= 4; ++page) {
      w.BeginPage();
      w.EndPage();
    }
    w.ClosePDFFile();
    expectValidPdf(path);
    const std::string pdf = readFile(path);
    size_t at = pdf.find("/Type /Page\r");
    for (int page = 1; page <= 4; ++page, at = pdf.find("/Type /Page\r", at + 1)) {
      const size_t start = pdf.find("stream\r\n", at) + 8;
      drawn += pdf.compare(start, 19, "/Head Do\r\nendstream") == 0 ? '1' : '0';
    }
    EXPECT_EQ(drawn, c.pages) << "Options " << c.options;
  }
}

TEST(PdfDocument, FormObjectLayoutAndLength) {
  std::string path = outPath("form.pdf");
  clsPDFWriter w;
  w.SetClock(fixedTime);
  w.ScaleMode(3);
  w.Margin(1);
  w.InitPDFFile(path);
  w.StartObject("Logo", 0);
  w.MoveTo(2, 2);
  w.EndObject();
  w.BeginPage();
  w.DrawObject("Logo");
  w.EndPage();
  w.ClosePDFFile();
  expectValidPdf(path);
  const std::string pdf = readFile(path);
  EXPECT_NE(pdf.find("5 0 obj\r\n<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /Logo\r"
                     "/BBox [28.346 28.346 566.854 813.654]\r/Matrix [1 0 0 1 0 0]\r/Length 6 0 R >>\rstream\r\n"
                     "56.693 56.693 m\r\nendstream\r\nendobj\r\n6 0 obj\r\n17\r\nendobj\r\n"),
            std::string::npos);
  EXPECT_NE(pdf.find("stream\r\n/Logo Do\r\nendstream"), std::string::npos);
  EXPECT_NE(pdf.find("/XObject <<\r\r/Logo 5 0 R \r>>\r"), std::string::npos);
}

TEST(PdfDocument, ChosenFileNameComesBack) {
  const std::string folder = outPath("program-folder");
  platform::setProgramFolderForTests(folder);
  std::string path;
  clsPDFWriter w;
  w.SetClock(fixedTime);  // day 9, 14:30:22: the number 9143022 and one digit
  w.InitPDFFile(path);
  w.ClosePDFFile();
  platform::setProgramFolderForTests("");
  EXPECT_EQ(std::filesystem::path(path).parent_path().string(), folder);
  const std::string name = std::filesystem::path(path).filename().string();
  ASSERT_EQ(name.front(), '~');
  const unsigned long number = std::stoul(name.substr(1, name.size() - 5), nullptr, 16);
  EXPECT_EQ(number / 10, 9143022u) << name;
  EXPECT_EQ(name.substr(name.size() - 4), ".pdf");
  EXPECT_EQ(name.substr(1, name.size() - 5).find_first_of("abcdef"), std::string::npos);
  expectValidPdf(path);
  std::filesystem::remove(path);
}

TEST(PdfDocument, MoreObjectsThanSixteenBitsHold) {
  std::string path = outPath("many-pages.pdf");
  clsPDFWriter w;
  w.SetClock(fixedTime);
  w.InitPDFFile(path);
  for (int page = 1; page <= 12000; ++page) {
    EXPECT_EQ(w.BeginPage(), page);
    w.EndPage();
  }
  w.ClosePDFFile();
  expectValidPdf(path);
  EXPECT_NE(readFile(path).find("/Size 36005\r"), std::string::npos);
}

TEST(PdfDocument, FailuresReachTheCaller) {
  clsPDFWriter w;
  std::string missingFolder = outPath("no-such-folder/x.pdf");
  EXPECT_THROW(w.InitPDFFile(missingFolder), PdfError);
  EXPECT_THROW(w.BeginPage(), PdfError);  // no file open
  EXPECT_THROW(w.ClosePDFFile(), PdfError);

  if (std::filesystem::exists("/dev/full")) {
    std::string full = "/dev/full";
    clsPDFWriter disk;
    disk.InitPDFFile(full);
    EXPECT_THROW(
        {
          for (int page = 0; page < 1000; ++page) {
            disk.BeginPage();
            disk.EndPage();
          }
          disk.ClosePDFFile();
        },
        PdfError);
  }
}

TEST(PdfDocument, CallsInTheWrongStateAreRefused) {
  std::string path = outPath("wrong-state.pdf");
  clsPDFWriter w;
  w.SetClock(fixedTime);
  w.InitPDFFile(path);
  EXPECT_THROW(w.MoveTo(1, 1), PdfError);  // content between objects
  EXPECT_THROW(w.EndPage(), PdfError);
  w.BeginPage();
  EXPECT_THROW(w.LoadFont("Fnt1", "Arial"), PdfError);  // an object inside a page
  EXPECT_THROW(w.BeginPage(), PdfError);
  EXPECT_THROW(w.StartObject("X", 0), PdfError);
  EXPECT_THROW(w.EndObject(), PdfError);
  EXPECT_THROW(w.ClosePDFFile(), PdfError);
  EXPECT_THROW(w.DrawObject("Bad Name"), PdfError);
  w.EndPage();
  w.ClosePDFFile();
  expectValidPdf(path);
}

TEST(PdfDocument, AbandonRemovesTheHalfWrittenFile) {
  std::string path = outPath("abandoned.pdf");
  clsPDFWriter w;
  w.InitPDFFile(path);
  w.BeginPage();
  ASSERT_TRUE(std::filesystem::exists(path));
  w.AbandonPDFFile();
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_THROW(w.MoveTo(0, 0), PdfError);
}
