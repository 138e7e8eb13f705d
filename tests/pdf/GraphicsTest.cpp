// Graphics operators: the exact lines each call writes into the content stream.
#include <gtest/gtest.h>

#include "PdfTestSupport.h"
#include "pdf/PdfWriter.h"

using namespace pdftest;
using pdf::clsPDFWriter;
using pdf::PdfError;

namespace {

struct Case {
  const char* what;
  std::function<void(clsPDFWriter&)> draw;
  const char* lines;
};

void expectLines(const std::vector<Case>& cases, int scaleMode) {
  for (const Case& c : cases) {
    EXPECT_EQ(pageContent("graphics.pdf", c.draw, {}, scaleMode), c.lines) << c.what;
  }
}

}  // namespace

TEST(PdfGraphics, ColoursAndLineStyleInCentimetres) {
  expectLines(
      {
          {"line width", [](clsPDFWriter& w) { w.SetLineWidth(0.01f); }, "0.283 w\r\n"},
          {"dash", [](clsPDFWriter& w) { w.SetDash(0.05f, 0.05f); }, "[1.417 1.417] 0 d\r\n"},
          {"solid",
           [](clsPDFWriter& w) {
             w.SetDash(0);
             w.SetDash(0, 0);
           },
           "[ ] 0 d\r\n[ ] 0 d\r\n"},
          {"move", [](clsPDFWriter& w) { w.MoveTo(2, 2); }, "56.693 56.693 m\r\n"},
          {"greys",
           [](clsPDFWriter& w) {
             w.SetColorStroke(0);
             w.SetColorStroke(-255);
             w.SetColorFill(-128);
           },
           "0 G\r\n1 G\r\n0.502 g\r\n"},
          {"colours",
           [](clsPDFWriter& w) {
             w.SetColorStroke(255);       // red, not a grey
             w.SetColorStroke(16777471);  // the highest byte is not read
             w.SetColorStroke(32768);
             w.SetColorFill(16711680);
             w.SetColorFill(-2147483647 - 1);
           },
           "1 0 0 RG\r\n1 0 0 RG\r\n0 0.502 0 RG\r\n0 0 1 rg\r\n0 0 0 rg\r\n"},
          {"caps, joins, miter",
           [](clsPDFWriter& w) {
             for (int v : {-1, 0, 1, 2, 3}) w.SetLineCap(v);
             for (int v : {-1, 0, 2, 3}) w.SetLineJoin(v);
             w.SetMiterLimit(1);
             w.SetMiterLimit(0.99f);
             w.SetMiterLimit(2.5f);
           },
           "0 J\r\n1 J\r\n2 J\r\n0 j\r\n2 j\r\n1 M\r\n2.5 M\r\n"},
      },
      3);
}

TEST(PdfGraphics, PathsAndPaintingInPoints) {
  expectLines(
      {
          {"dash in points",
           [](clsPDFWriter& w) {
             w.SetDash(3);
             w.SetDash(0, 2);
           },
           "[3 0] 0 d\r\n[0 2] 0 d\r\n"},
          {"line strokes by default", [](clsPDFWriter& w) { w.LineTo(10, 20); }, "10 20 l\r\nS\r\n"},
          {"open path goes on",
           [](clsPDFWriter& w) {
             w.MoveTo(0, 0);
             w.LineTo(10, 0, 0);
             w.LineTo(10, 10, 0);
           },
           "0 0 m\r\n10 0 l\r\n10 10 l\r\n"},
          {"painting options",
           [](clsPDFWriter& w) {
             for (int o : {0, 1, 2, 3, 4, 5, 6, 7, 8, 15}) w.LineTo(1, 1, o);
           },
           "1 1 l\r\n1 1 l\r\nS\r\n1 1 l\r\nh\r\n1 1 l\r\nh\r\nS\r\n1 1 l\r\nf\r\n1 1 l\r\nB\r\n1 1 l\r\nf\r\n"
           "1 1 l\r\nb\r\n1 1 l\r\n1 1 l\r\nb\r\n"},
          {"curve", [](clsPDFWriter& w) { w.Curve(1, 2, 3, 4, 5.5f, -6, 6); }, "1 2 3 4 5.5 -6 c\r\nf\r\n"},
          {"rectangle", [](clsPDFWriter& w) { w.Rectangle(10, 20, 30, 40); }, "n\r\n10 20 30 40 re\r\nS\r\n"},
          {"rectangle, no radius when not positive", [](clsPDFWriter& w) { w.Rectangle(1, 2, 3, 4, 4, -1); },
           "n\r\n1 2 3 4 re\r\nf\r\n"},
          {"rounded rectangle", [](clsPDFWriter& w) { w.Rectangle(0, 0, 100, 50, 1, 10); },
           "n\r\n10 0 m\r\n90 0 l\r\n95.5 0 100 4.5 100 10 c\r\n100 40 l\r\n100 45.5 95.5 50 90 50 c\r\n"
           "10 50 l\r\n4.5 50 0 45.5 0 40 c\r\n0 10 l\r\n0 4.5 4.5 0 10 0 c\r\nS\r\n"},
          {"square with a large radius: four curves, zero-length lines",
           [](clsPDFWriter& w) { w.Rectangle(0, 0, 20, 20, 3, 50); },
           "n\r\n10 0 m\r\n10 0 l\r\n15.5 0 20 4.5 20 10 c\r\n20 10 l\r\n20 15.5 15.5 20 10 20 c\r\n"
           "10 20 l\r\n4.5 20 0 15.5 0 10 c\r\n0 10 l\r\n0 4.5 4.5 0 10 0 c\r\nh\r\nS\r\n"},
          {"circle, no n first", [](clsPDFWriter& w) { w.DrawCircle(50, 50, 10); },
           "50 40 m\r\n55.5 40 60 44.5 60 50 c\r\n60 55.5 55.5 60 50 60 c\r\n44.5 60 40 55.5 40 50 c\r\n"
           "40 44.5 44.5 40 50 40 c\r\nS\r\n"},
          {"arc of a quarter in 45 degree steps", [](clsPDFWriter& w) { w.Arc(0, 0, 10, 0, 90, 1, false, 0, 45); },
           "n\r\n0 0 m\r\n10 0 m\r\n10 0 l\r\n7.071 7.071 l\r\n0 10 l\r\nS\r\n"},
          {"pie by option 4, ellipse, rotated", [](clsPDFWriter& w) { w.Arc(0, 0, 10, 0, 90, 0.5f, false, 90, 90, 5); },
           "n\r\n0 0 m\r\n0 10 l\r\n-5 0 l\r\n0 0 l\r\nB\r\n"},
          {"start after end: no points", [](clsPDFWriter& w) { w.Arc(5, 5, 10, 90, 0, 1, true); },
           "n\r\n5 5 m\r\n5 5 l\r\nS\r\n"},
      },
      0);
}

TEST(PdfGraphics, FullCircleArcHas361Points) {
  const std::string content = pageContent(
      "arc.pdf", [](clsPDFWriter& w) { w.Arc(100, 100, 50); }, {}, 0);
  size_t lines = 0;
  for (size_t at = content.find(" l\r\n"); at != std::string::npos; at = content.find(" l\r\n", at + 1)) ++lines;
  EXPECT_EQ(lines, 361u);
  const std::string head = "n\r\n100 100 m\r\n150 100 m\r\n150 100 l\r\n";
  const std::string tail = "\r\n150 100 l\r\nS\r\n";  // the 361st point is at 360 degrees
  EXPECT_EQ(content.substr(0, head.size()), head);
  EXPECT_EQ(content.substr(content.size() - tail.size()), tail);
}

TEST(PdfGraphics, RefusedArgumentsWriteNothing) {
  const std::string content = pageContent("refused.pdf", [](clsPDFWriter& w) {
    EXPECT_THROW(w.SetColorFill(-256), PdfError);
    EXPECT_THROW(w.SetColorStroke(-65536), PdfError);
    EXPECT_THROW(w.Arc(0, 0, 10, 0, 360, 1, false, 0, 0), PdfError);  // would never end
    EXPECT_THROW(w.Arc(0, 0, 10, 360, 0, 1, false, 0, -1), PdfError);
    EXPECT_THROW(w.Arc(0, 0, 10, 1e9f, 1e9f + 360, 1, false, 0, 1), PdfError);  // a step lost in the angle
  });
  EXPECT_EQ(content, "");
}
