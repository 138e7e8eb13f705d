#include <gtest/gtest.h>

#include "WidgetsFixture.h"
#include "platform/Dates.h"
#include "widgets/CStatusBar32x.h"

namespace widgets::testing {
namespace {

using forms::TwipsPerPixel;

constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kBlue = RGB(0, 0, 255);
constexpr Color kBlack = RGB(0, 0, 0);

// The frame's bottom picture box, 11385 twips wide.
class StatusHost : public forms::Form {
 public:
  forms::PictureBox StatBar;
  CStatusBar32x StatusBar;

  StatusHost() {
    setClientSize(11385, 6000);
    StatBar.create(*this, 0, 0, 11385, 390);
    StatBar.setBorderStyle(0);
    StatBar.setAlign(forms::vbAlignBottom);
  }
};

// A 16 x 16 icon of one colour with a transparent top-left corner.
forms::Image icon(Color c) {
  forms::Image out(16, 16, c);
  out.fillBox(0, 0, 3, 3, kIconTransparent);
  return out;
}

class StatusBarTest : public WidgetsTest {
 protected:
  void SetUp() override {
    setProgramIcons({icon(kBlack), icon(kRed), icon(kBlue)});
    host = &application.form<StatusHost>();
    host->Show();
    sb().setParent(host->StatBar);
    sb().Create();
    sb().SetIcon(0, 1);
    sb().SetIcon(1, 2);
  }
  void TearDown() override { setProgramIcons({}); }
  CStatusBar32x& sb() { return host->StatusBar; }
  forms::StatusBarControl& control() { return *sb().GetStatBarHwnd(); }
  const forms::Image& dc() { return control().Image(); }
  // Whether any pixel of the column range [x0, x1) holds black text.
  bool inkBetween(int x0, int x1) {
    for (int x = x0; x < x1; ++x)
      for (int y = 0; y < dc().height(); ++y)
        if (dc().pixel(x, y) == kBlack) return true;
    return false;
  }

  StatusHost* host = nullptr;
  const Color face = RGB(192, 192, 192);
  // The frame's texts: ten blanks keep the text clear of the icon.
  std::string product = "          Quotara";
  std::string date = "          " + platform::longDateItalian(2026, 12, 10);
};

TEST_F(StatusBarTest, CreatesTwoOwnerDrawnPanesAcrossTheParent) {
  ASSERT_NE(sb().GetStatBarHwnd(), nullptr);
  EXPECT_EQ(control().Left(), 0);
  EXPECT_EQ(control().Top(), 0);
  // The parent's Width taken as a pixel count: far wider than the parent.
  EXPECT_EQ(control().Width(), 11385 * TwipsPerPixel);
  EXPECT_EQ(control().Height(), 25 * TwipsPerPixel);
  EXPECT_EQ(&control().container(), &host->StatBar);
  ASSERT_EQ(control().PartCount(), 2);
  forms::Rect r;
  ASSERT_TRUE(control().GetRect(0, r));
  EXPECT_EQ(r, (forms::Rect{0, 2, 200, 25}));
  ASSERT_TRUE(control().GetRect(1, r));
  EXPECT_EQ(r, (forms::Rect{202, 2, 11385, 25}));
  for (int part : {0, 1}) {
    EXPECT_TRUE(control().OwnerDrawn(part));
    EXPECT_EQ(control().Text(part), "");
  }
}

TEST_F(StatusBarTest, DrawsTheProductAndTheLongDateAfterTheirIcons) {
  ASSERT_EQ(date, "          Giovedì 10 Dicembre 2026");
  sb().DrawTextPic(0, product, 0);
  sb().DrawTextPic(1, date, 1);
  EXPECT_EQ(product, "          Quotara");
  EXPECT_EQ(date, "          Giovedì 10 Dicembre 2026");

  // Pane 0: its icon at (3, 4), transparent corner showing the fill; the
  // text (7-pixel characters at 9 points) from x = 70 after the blanks,
  // centred in rows 2 to 25.
  EXPECT_EQ(dc().pixel(3 + 8, 4 + 8), kRed);
  EXPECT_EQ(dc().pixel(4, 5), face);
  EXPECT_EQ(dc().pixel(72, 10), kBlack);
  EXPECT_FALSE(inkBetween(20, 70));
  // Pane 1 from x = 202: its own icon, then the date.
  EXPECT_EQ(dc().pixel(202 + 3 + 8, 4 + 8), kBlue);
  EXPECT_EQ(dc().pixel(202 + 72, 10), kBlack);
  EXPECT_TRUE(inkBetween(202 + 70, 202 + 70 + 24 * 7));
}

TEST_F(StatusBarTest, TooLongTextIsShortenedInsideTheRightMargin) {
  std::string text = "          " + std::string(40, 'x');
  sb().DrawTextPic(0, text, 0);
  EXPECT_NE(text.find("..."), std::string::npos) << text;
  EXPECT_LE(forms::fontEngine().textWidth(forms::Font{.size = 9}, text), 198);
  EXPECT_TRUE(inkBetween(150, 198));
  EXPECT_FALSE(inkBetween(198, 202));
}

TEST_F(StatusBarTest, PaneTheBarDoesNotHaveDrawsNothing) {
  const forms::Image before = dc();
  for (int pane : {2, 3, -1, 300}) {
    std::string text = product;
    sb().DrawTextPic(pane, text, 0);
    EXPECT_EQ(dc(), before) << "pane " << pane;
    EXPECT_EQ(text, product);
  }
}

TEST_F(StatusBarTest, SetIconIgnoresOtherPanesAndClearsOnAMissingIcon) {
  sb().SetIcon(3, 0);
  sb().SetIcon(-1, 0);
  sb().DrawTextPic(0, product, 0);
  EXPECT_EQ(dc().pixel(11, 12), kRed);
  sb().SetIcon(0, 7);
  sb().DrawTextPic(0, product, 0);
  EXPECT_EQ(dc().pixel(11, 12), face);
}

TEST_F(StatusBarTest, RepaintsOfTheBarBlankThePanesUntilTheNextDrawing) {
  sb().DrawTextPic(0, product, 0);
  sb().DrawTextPic(1, date, 1);
  sb().UpdateStatBar(0);
  EXPECT_EQ(dc().pixel(72, 10), face);
  EXPECT_EQ(dc().pixel(11, 12), face);
  EXPECT_EQ(dc().pixel(202 + 72, 10), kBlack);

  // Covered and uncovered: the screen asks for a repaint.
  forms::input::paint(control());
  EXPECT_EQ(dc().pixel(202 + 72, 10), face);
  // Frames stay: a shaded top edge, a lit bottom one.
  EXPECT_EQ(dc().pixel(100, 2), RGB(128, 128, 128));
  EXPECT_EQ(dc().pixel(100, 24), RGB(255, 255, 255));
}

TEST_F(StatusBarTest, SetStatBarTextLetsTheBarDrawThePaneItself) {
  sb().SetStatBarText(1, "Pronto");
  EXPECT_FALSE(control().OwnerDrawn(1));
  EXPECT_EQ(control().Text(1), "Pronto");
  EXPECT_TRUE(inkBetween(202, 260));
  forms::input::paint(control());
  EXPECT_TRUE(inkBetween(202, 260));
  EXPECT_FALSE(inkBetween(0, 200));
}

TEST_F(StatusBarTest, ResizePlacesTheBarAsInAWholeWindow) {
  sb().Resize();
  // 390 twips high is 26 pixels: 26 - 72 above the parent; 759 - 10 wide.
  EXPECT_EQ(control().Left(), 15);
  EXPECT_EQ(control().Top(), (26 - 72) * TwipsPerPixel);
  EXPECT_EQ(control().Width(), 749 * TwipsPerPixel);
  EXPECT_EQ(control().Height(), 25 * TwipsPerPixel);
}

TEST_F(StatusBarTest, AfterDestroyNothingIsDrawn) {
  sb().DestroyStatBar();
  EXPECT_EQ(sb().GetStatBarHwnd(), nullptr);
  sb().DrawTextPic(0, product, 0);
  sb().UpdateStatBar(0);
  sb().SetStatBarText(0, "x");
  sb().DestroyStatBar();
}

}  // namespace
}  // namespace widgets::testing
