// Picture boxes as drawing surfaces (the pixel work itself is tested with
// forms::Image): scale units, colours, Line, Print, Cls, Picture and Image.
#include "FormsFixture.h"

namespace forms::testing {
namespace {

constexpr Color kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0), kWhite = RGB(255, 255, 255);

class PictureForm : public MDIForm {
 public:
  PictureBox Picture1, picBar;
  PictureForm() {
    setClientSize(6000, 3000);
    Picture1.create(*this, 0, 0, 20 * 15, 16 * 15);
    Picture1.setBorderStyle(0);
    picBar.create(*this, 0, 0, 0, 600);
    picBar.setAlign(vbAlignTop);
  }
};

class PictureBoxTest : public FormsTest {
 protected:
  PictureForm& f = application.form<PictureForm>();
  PictureBox& pic = f.Picture1;
  // The pixels of one row as '.' (background), 'r' (red), 'x' (other).
  std::string row(int y) {
    std::string s;
    for (int x = 0; x < pic.Image().width(); ++x) {
      const Color c = pic.Image().pixel(x, y);
      s += c == kBlue ? '.' : c == kRed ? 'r' : 'x';
    }
    return s;
  }
};

TEST_F(PictureBoxTest, BackColorClearsAndLinesFollowTheirInclusionRules) {
  pic.setScaleMode(vbPixels);
  EXPECT_EQ(pic.ScaleWidth(), 20);
  EXPECT_EQ(pic.ScaleHeight(), 16);
  pic.setBackColor(kBlue);
  EXPECT_EQ(row(0), std::string(20, '.'));
  pic.Line(0, 0, 4, 0, kRed);
  pic.Line(6, 0, 8, 2, kRed, LineKind::Box);
  pic.Line(10, 0, 11, 1, kRed, LineKind::BoxFill);
  EXPECT_EQ(row(0), "rrrr..rrr.rr........");
  EXPECT_EQ(row(1), "......r.r.rr........");
  EXPECT_EQ(row(2), "......rrr...........");
  EXPECT_EQ(pic.CurrentX(), 11);
  EXPECT_EQ(pic.CurrentY(), 1);
}

TEST_F(PictureBoxTest, PrintAndTextMetricsInScaleUnits) {
  EXPECT_EQ(pic.TextWidth("ab"), 12 * 15) << "twips by default";
  pic.setScaleMode(vbPixels);
  EXPECT_EQ(pic.TextWidth("ab"), 12);
  EXPECT_EQ(pic.TextHeight("ab"), 13);
  EXPECT_EQ(pic.TextHeight("a\r\nb"), 26);
  pic.setBackColor(kBlue);
  pic.setForeColor(kRed);
  pic.setCurrentX(2);
  pic.Print("a", false);
  EXPECT_EQ(pic.CurrentX(), 8);
  EXPECT_EQ(row(1), "...rrrr.............") << "the headless glyph: its cell less one pixel";
  pic.Print("b");
  EXPECT_EQ(pic.CurrentX(), 0);
  EXPECT_EQ(pic.CurrentY(), 13);
}

TEST_F(PictureBoxTest, PictureIsTheBackgroundAndImageWhatIsDrawnOnIt) {
  pic.setScaleMode(vbPixels);
  Image picture(2, 2, kWhite);
  pic.setBackColor(kBlue);
  pic.setPicture(picture);
  pic.PSet(5, 0, kRed);
  EXPECT_EQ(row(0), "xx...r..............");
  EXPECT_EQ(pic.Picture(), picture);
  pic.setCurrentX(7);
  pic.Cls();
  EXPECT_EQ(row(0), "xx..................");
  EXPECT_EQ(pic.CurrentX(), 0);
  PictureBox& other = f.picBar;
  other.setPicture(pic.Image());  // Picture = Image
  EXPECT_EQ(other.Picture(), pic.Image());
}

TEST_F(PictureBoxTest, AlignedBoxesSpanTheFormAndRaiseResize) {
  EXPECT_EQ(f.picBar.Width(), 6000);
  f.picBar.Resize = logs("Resize");
  f.picBar.setHeight(900);
  EXPECT_EQ(f.pageTop(), 900);
  f.setClientSize(7500, 3000);
  EXPECT_EQ(f.picBar.Width(), 7500);
  EXPECT_EQ(log, (std::vector<std::string>{"Resize", "Resize"}));
  EXPECT_EQ(f.picBar.Image().width(), 7500 / 15 - 4) << "less the 2-pixel border";
}

TEST_F(PictureBoxTest, AutoSizeTakesThePictureSizeAndRefreshPaints) {
  pic.setAutoSize(true);
  pic.setPicture(Image(25, 10, kWhite));
  EXPECT_EQ(pic.Width(), 25 * 15);
  EXPECT_EQ(pic.Height(), 10 * 15);
  pic.Paint = logs("Paint");
  pic.Refresh();
  pic.setAutoRedraw(true);
  pic.Refresh();
  EXPECT_EQ(log, (std::vector<std::string>{"Paint"})) << "Paint only without AutoRedraw";
  EXPECT_THROW(pic.setScaleMode(6), FormsError);
}

TEST_F(PictureBoxTest, FormsDrawToo) {
  f.setScaleMode(vbPixels);
  f.setBackColor(kBlue);
  f.Line(0, 0, 9, 9, kRed, LineKind::Box);
  EXPECT_EQ(f.Image().pixel(9, 9), kRed);
  EXPECT_EQ(f.Image().width(), 6000 / 15);
}

}  // namespace
}  // namespace forms::testing
