#include <gtest/gtest.h>

#include "WidgetsFixture.h"
#include "widgets/frmToolTip.h"

namespace widgets::testing {
namespace {

using forms::TwipsPerPixel;

class ToolTipTest : public WidgetsTest {
 protected:
  // Places the tip at (x, y) pixels and shows `text`, as the toolbar does.
  frmToolTip& show(int x, int y, const std::string& text) {
    frmToolTip& tip = application.form<frmToolTip>();
    tip.Move(x * TwipsPerPixel, y * TwipsPerPixel);
    tip.lblToolTip.setCaption(text);
    return tip;
  }
};

TEST_F(ToolTipTest, SizesTheWindowToTheTextWithAOnePixelFrame) {
  frmToolTip& tip = show(100, 50, " Archivio dati ");
  ASSERT_TRUE(tip.Visible());
  // 15 characters of 6 pixels, one line of 13; one pixel of room left and
  // above, three right and below.
  EXPECT_EQ(tip.Width(), (90 + 4) * TwipsPerPixel);
  EXPECT_EQ(tip.Height(), (13 + 4) * TwipsPerPixel);
  EXPECT_EQ(tip.Left(), 100 * TwipsPerPixel);
  EXPECT_EQ(tip.Top(), 50 * TwipsPerPixel);
  const forms::Image& img = tip.Image();
  const Color frame = forms::resolveColor(tip.ForeColor()), back = forms::resolveColor(tip.BackColor());
  for (auto [x, y] : {std::pair{0, 0}, {93, 0}, {0, 16}, {93, 16}, {50, 0}, {93, 8}})
    EXPECT_EQ(img.pixel(x, y), frame) << x << ", " << y;
  EXPECT_EQ(img.pixel(1, 1), back);
}

TEST_F(ToolTipTest, StaysOnTheScreen) {
  desk.setScreenSize(800, 600);
  struct Case {
    const char* what;
    int x, y;
    std::string text;
    int left, top;  // pixels
  } cases[] = {
      {"past the right edge", 780, 100, " Esci ", 800 - 40, 100},
      {"past the bottom edge", 10, 595, " Esci ", 10, 600 - 17},
      {"wider than the screen", 100, 100, std::string(140, 'x'), 0, 100},
  };
  for (const Case& c : cases) {
    frmToolTip& tip = show(c.x, c.y, c.text);
    EXPECT_EQ(tip.Left(), c.left * TwipsPerPixel) << c.what;
    EXPECT_EQ(tip.Top(), c.top * TwipsPerPixel) << c.what;
    tip.lblToolTip.setCaption("");
  }
}

TEST_F(ToolTipTest, EmptyOrBlankCaptionHidesAndUnloads) {
  for (const char* blank : {"", "   "}) {
    show(10, 10, " Info ");
    ASSERT_TRUE(application.isLoaded<frmToolTip>());
    application.form<frmToolTip>().lblToolTip.setCaption(blank);
    EXPECT_FALSE(application.isLoaded<frmToolTip>()) << '"' << blank << '"';
  }
}

TEST_F(ToolTipTest, ShowingTakesNeitherTheActiveWindowNorTheFocus) {
  Host& host = application.form<Host>();
  host.Show();
  host.Text1.SetFocus();
  show(10, 10, " Info ");
  EXPECT_EQ(application.activeForm(), &host);
  EXPECT_TRUE(host.Text1.hasFocus());
}

}  // namespace
}  // namespace widgets::testing
