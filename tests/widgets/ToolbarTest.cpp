#include <gtest/gtest.h>

#include "WidgetsFixture.h"
#include "widgets/frmToolTip.h"

namespace widgets::testing {
namespace {

using forms::TwipsPerPixel;

// Geometry of the frame's bar with the headless font: 60 x 46 buttons (the
// captions need 41 pixels, the 25-pixel cells add 5), top margin 4.
constexpr int kW = 60, kH = 46, kT = 4, kB = kT + kH;
constexpr int kLefts[] = {12, 72, 138, 198, 258, 324, 384, 444, 510};

class ToolbarTest : public WidgetsTest {
 protected:
  void SetUp() override {
    host = &application.form<Host>();
    host->Show();
    host->BuildAsFrame();
  }
  clsCoolbar& bar() { return host->BarraComandi; }
  const forms::Image& image() { return host->bar(); }
  static int left(int button) { return kLefts[button - 1]; }
  // Where the cell of `button` lands when the bitmap is shifted by (dx, dy).
  Color markerOf(int button, int dx = 0, int dy = 0) {
    return image().pixel(left(button) + 18 + kMarkerAt + dx, kT + 4 + kMarkerAt + dy);
  }
  void moveTo(float x, float y) { user.mouseMove(host->picCoolBar, x, y); }
  bool tipShown() { return application.isLoaded<frmToolTip>() && application.form<frmToolTip>().Visible(); }

  Host* host = nullptr;
};

TEST_F(ToolbarTest, LaysOutNineButtonsWithSeparatorsBeforeThreeSixAndNine) {
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(bar().ButtonLeft(i), left(i)) << "button " << i;
  // The separator before button 3: shadow at 134, highlight at 135, the
  // button's height long.
  for (int y : {kT, kT + kH / 2, kB}) {
    EXPECT_EQ(image().pixel(134, y), kDarkGrey) << "y " << y;
    EXPECT_EQ(image().pixel(135, y), kWhite) << "y " << y;
  }
  EXPECT_EQ(bar().BarHeight(), kH + 2 * kT);
  EXPECT_EQ(host->picCoolBar.Height(), (kH + 2 * kT + 1) * TwipsPerPixel);
}

TEST_F(ToolbarTest, DrawsRestingButtonsFlatWithTheirNormalCellsAndTheHandle) {
  for (int i = 1; i <= 9; ++i) {
    EXPECT_EQ(markerOf(i), marker(i - 1, 0)) << "button " << i;
    EXPECT_EQ(image().pixel(left(i), kT), kLightGrey) << "button " << i;
  }
  // The grip: lit strips at x = 3 and 6, shaded ones at 5 and 8.
  EXPECT_EQ(image().pixel(3, 20), kWhite);
  EXPECT_EQ(image().pixel(6, 20), kWhite);
  EXPECT_EQ(image().pixel(5, 20), kDarkGrey);
  EXPECT_EQ(image().pixel(8, 20), kDarkGrey);
  // Etched bar edges.
  EXPECT_EQ(image().pixel(300, 0), kDarkGrey);
  EXPECT_EQ(image().pixel(300, 1), kWhite);
}

TEST_F(ToolbarTest, HoverRaisesAndPressSinksTheButton) {
  const int L = left(2), R = L + kW;
  moveTo(L + 30, 20);
  EXPECT_EQ(image().pixel(L, kT), kWhite);
  EXPECT_EQ(image().pixel(R, kB), kDarkGrey);
  EXPECT_EQ(image().pixel(L, kB), kDarkGrey);
  EXPECT_EQ(markerOf(2), marker(1, 1));
  EXPECT_EQ(markerOf(1), marker(0, 0));

  user.mouseDown(host->picCoolBar, L + 30, 20);
  EXPECT_EQ(image().pixel(L, kT), kDarkGrey);
  EXPECT_EQ(image().pixel(R, kB), kWhite);
  EXPECT_EQ(markerOf(2, 1, 1), marker(1, 1));

  // Leaving the bar rests every button.
  moveTo(L + 30, 200);
  EXPECT_EQ(image().pixel(L, kT), kLightGrey);
  EXPECT_EQ(markerOf(2), marker(1, 0));
}

TEST_F(ToolbarTest, ReleaseReturnsTheEnabledButtonUnderThePoint) {
  struct Case {
    const char* what;
    int mouseButton;
    float x, y;
    int expected;
  } cases[] = {
      {"left button over button 1", forms::vbLeftButton, 40, 20, 1},
      {"right button over button 4", forms::vbRightButton, 220, 30, 4},
      {"shared border of buttons 1 and 2", forms::vbLeftButton, 72, 20, 2},
      {"gap of a separator", forms::vbLeftButton, 134, 20, 0},
      {"below the buttons", forms::vbLeftButton, 100, kB + 2, 0},
      {"last button inside the bar", forms::vbLeftButton, 555, 20, 9},
      {"right of the bar's inner width", forms::vbLeftButton, Host::kClientWidthPx + 5, 20, 0},
  };
  for (const Case& c : cases) {
    host->clicked.clear();
    user.mouseDown(host->picCoolBar, c.x, c.y, c.mouseButton);
    user.mouseUp(host->picCoolBar, c.x, c.y, c.mouseButton);
    EXPECT_EQ(host->clicked, std::vector<int>{c.expected}) << c.what;
  }
}

TEST_F(ToolbarTest, DisabledButtonIsNeverReturnedAndLooksEngraved) {
  bar().EnableButton(5, false);
  const int L = left(5);
  user.mouseDown(host->picCoolBar, L + 30, 20);
  user.mouseUp(host->picCoolBar, L + 30, 20);
  EXPECT_EQ(host->clicked, std::vector<int>{0});

  // Hovered: its disabled cell, no raised edge.
  moveTo(L + 31, 21);
  EXPECT_EQ(markerOf(5), marker(4, 2));
  EXPECT_EQ(image().pixel(L, kT), kLightGrey);

  // "Stampa" is 36 pixels wide: it starts 12 pixels into the button, under
  // the cell (8 + 25 + 2). The highlight copy shows only right of and below
  // the shadow copy, one pixel up and left.
  const int tx = L + 12, ty = kT + 4 + kCell + 2;
  EXPECT_EQ(image().pixel(tx + 4, ty + 11), kWhite);
  EXPECT_EQ(image().pixel(tx + 1, ty + 1), kDarkGrey);

  // Out-of-range numbers change nothing.
  bar().EnableButton(0, false);
  bar().EnableButton(10, false);
  EXPECT_TRUE(bar().ButtonEnabled(4));
  bar().EnableButton(5, true);
  EXPECT_TRUE(bar().ButtonEnabled(5));
}

TEST_F(ToolbarTest, TooltipAppearsAfterHalfASecondAndGoesOnTheNextMove) {
  application.activate(*host);
  host->Text1.SetFocus();
  desk.setCursorPos({300, 200});
  moveTo(40, 20);
  EXPECT_EQ(application.capture(), &host->picCoolBar);
  desk.advance(499);
  EXPECT_FALSE(tipShown());
  desk.advance(1);
  ASSERT_TRUE(tipShown());
  frmToolTip& tip = application.form<frmToolTip>();
  EXPECT_EQ(tip.lblToolTip.Caption(), " Calcola valore TASI ");
  EXPECT_EQ(tip.Left(), 300 * TwipsPerPixel);
  EXPECT_EQ(tip.Top(), 220 * TwipsPerPixel);
  // The tip takes neither the active window nor the focus.
  EXPECT_EQ(application.activeForm(), host);
  EXPECT_TRUE(host->Text1.hasFocus());
  // The timer stopped: no second tip comes by itself.
  EXPECT_FALSE(host->timerCoolBar.Enabled());

  moveTo(41, 20);
  EXPECT_FALSE(application.isLoaded<frmToolTip>());
  // The count starts again from that move.
  desk.advance(500);
  EXPECT_TRUE(tipShown());

  // Leaving the bar releases the capture and stops the count.
  moveTo(41, 300);
  EXPECT_EQ(application.capture(), nullptr);
  desk.advance(1000);
  EXPECT_FALSE(application.isLoaded<frmToolTip>());
}

TEST_F(ToolbarTest, DisabledButtonStillShowsItsTooltip) {
  bar().EnableButton(5, false);
  moveTo(left(5) + 10, 20);
  desk.advance(500);
  ASSERT_TRUE(tipShown());
  EXPECT_EQ(application.form<frmToolTip>().lblToolTip.Caption(), " Stampa Quotara ");
}

TEST_F(ToolbarTest, KeyAndClickDropTheHoverAndTheTip) {
  moveTo(40, 20);
  desk.advance(500);
  ASSERT_TRUE(tipShown());
  user.key(host->picCoolBar, forms::vbKeyA);
  EXPECT_FALSE(application.isLoaded<frmToolTip>());
  EXPECT_EQ(image().pixel(left(1), kT), kLightGrey);
  EXPECT_EQ(application.capture(), nullptr);
  desk.advance(1000);
  EXPECT_FALSE(application.isLoaded<frmToolTip>());
}

TEST_F(WidgetsTest, NoTipForABlankTooltipNorWithTooltipsOff) {
  Host& host = application.form<Host>();
  host.Show();
  host.CreateBar();
  clsCoolbar& bar = host.BarraComandi;
  bar.AddButton("Vuoto", "   ");
  bar.AddButton("Quotara", "Calcola valore TASI");
  bar.setShowText(true);
  auto tipLoaded = [&] { return application.isLoaded<frmToolTip>(); };

  user.mouseMove(host.picCoolBar, 40, 20);
  desk.advance(500);
  EXPECT_FALSE(tipLoaded());

  user.mouseMove(host.picCoolBar, 100, 20);
  desk.advance(500);
  ASSERT_TRUE(tipLoaded());
  bar.setShowToolTips(false);
  EXPECT_FALSE(tipLoaded());
  user.mouseMove(host.picCoolBar, 105, 20);
  EXPECT_FALSE(host.timerCoolBar.Enabled());
  desk.advance(1000);
  EXPECT_FALSE(tipLoaded());
}

TEST_F(ToolbarTest, ClickEventPressesTheButtonUnderTheScreenPointer) {
  host->Move(1500, 3000);  // 100, 200 pixels; the client area starts 4 and 27 further
  desk.setCursorPos({100 + 4 + 80, 200 + 27 + 20});
  EXPECT_EQ(bar().ClickEvent(), 2);
  EXPECT_EQ(image().pixel(left(2), kT), kDarkGrey);
}

TEST_F(ToolbarTest, OutOfRangeStylesFallBackToTheirDefaults) {
  bar().setBarStyle(7);
  EXPECT_EQ(bar().BarStyle(), 1);
  bar().setSeparatorStyle(-1);
  EXPECT_EQ(bar().SeparatorStyle(), 0);
  bar().setSeparatorStyle(1);
  // Full-height separators from y = 1 to the bar's height - 2.
  EXPECT_EQ(image().pixel(134, 1), kDarkGrey);
  EXPECT_EQ(image().pixel(134, 52), kDarkGrey);
  EXPECT_EQ(image().pixel(135, 2), kWhite);
}

TEST_F(ToolbarTest, SizeSettersTakeEffectAtTheNextLayout) {
  bar().SetBigButtonSize(70, 50);
  bar().Refresh();
  EXPECT_EQ(bar().ButtonLeft(2), 72);
  EXPECT_EQ(bar().BarHeight(), 50 + 2 * kT);
  bar().setShowHandle(false);
  EXPECT_EQ(bar().ButtonLeft(1), 6);
  EXPECT_EQ(bar().ButtonLeft(2), 76);
}

TEST_F(WidgetsTest, SetBitmapSizeGrowsTheBigHeightOnly) {
  Host& host = application.form<Host>();
  host.CreateBar();
  clsCoolbar& bar = host.BarraComandi;
  bar.AddButton("Quotara", "Calcola valore TASI");
  bar.setShowText(true);
  const int before = bar.BarHeight();
  bar.SetBitmapSize(kCell, kCell);
  bar.Refresh();
  EXPECT_EQ(bar.BarHeight(), before + 5);
  EXPECT_EQ(bar.ButtonLeft(1), 12);
}

TEST_F(WidgetsTest, BarWithoutButtonsOrNotCreatedDrawsNothingAndReturnsZero) {
  Host& host = application.form<Host>();
  host.Show();
  clsCoolbar& bar = host.BarraComandi;
  // Before Create every member is harmless.
  bar.AddButton("Quotara", "Calcola valore TASI");
  bar.AddBar(1);
  EXPECT_EQ(bar.MouseMoveEvent(0, 0, 20, 20), 0);
  EXPECT_EQ(bar.ClickEvent(), 0);
  bar.TimerEvent();

  clsCoolbar empty;
  empty.Create(host, host.picCoolBar, host.picMasterBitmaps, host.picSourceBitmaps, host.picScratchPad,
               host.timerCoolBar);
  const forms::Image before = host.bar();
  EXPECT_EQ(empty.MouseDownEvent(1, 0, 20, 20), 0);
  EXPECT_EQ(empty.MouseUpEvent(1, 0, 20, 20), 0);
  EXPECT_EQ(host.bar(), before);
}

TEST_F(WidgetsTest, SeparatorNamingAMissingButtonIsSkipped) {
  Host& host = application.form<Host>();
  host.Show();
  host.CreateBar();
  clsCoolbar& bar = host.BarraComandi;
  bar.AddButton("Quotara", "Calcola valore TASI");
  bar.AddBar(5);
  bar.AddBar(-2);
  bar.Refresh();
  EXPECT_EQ(bar.ButtonLeft(1), 12);
}

}  // namespace
}  // namespace widgets::testing
