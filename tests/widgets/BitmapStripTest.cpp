#include <gtest/gtest.h>

#include "WidgetsFixture.h"

namespace widgets::testing {
namespace {

constexpr Color kFace = RGB(212, 208, 200);
constexpr Color kShadow = RGB(100, 90, 80);
constexpr Color kHighlight = RGB(250, 250, 240);
constexpr Color kText = RGB(0, 0, 128);

class BitmapStripTest : public WidgetsTest {
 protected:
  void setScheme(Color face, Color shadow, Color highlight, Color text) {
    desk.setSysColor(15, face);
    desk.setSysColor(16, shadow);
    desk.setSysColor(20, highlight);
    desk.setSysColor(18, text);
  }
  Host& host() { return application.form<Host>(); }
  const forms::Image& working() { return host().picSourceBitmaps.Image(); }
  // Each pixel of the strip as the scheme should map it, each mapped once.
  static forms::Image mapped(Color face, Color shadow, Color highlight) {
    forms::Image out = makeStrip();
    for (int y = 0; y < out.height(); ++y)
      for (int x = 0; x < out.width(); ++x) {
        const Color c = out.pixel(x, y);
        if (c == kLightGrey) out.setPixel(x, y, face);
        if (c == kDarkGrey) out.setPixel(x, y, shadow);
        if (c == kWhite) out.setPixel(x, y, highlight);
      }
    return out;
  }
};

TEST_F(BitmapStripTest, WithoutSystemColoursTheWorkingStripIsTheMaster) {
  setScheme(kFace, kShadow, kHighlight, kText);
  host().CreateBar();
  host().BarraComandi.setUseSystemColours(false);
  EXPECT_EQ(working(), makeStrip());
  clsCoolbar& bar = host().BarraComandi;
  EXPECT_EQ(bar.Highlight(), kWhite);
  EXPECT_EQ(bar.Shadow(), kDarkGrey);
  EXPECT_EQ(bar.Face(), kLightGrey);
  EXPECT_EQ(bar.TextColour(), RGB(0, 0, 0));
}

TEST_F(BitmapStripTest, SystemColoursReplaceTheThreeFixedOnesAndNothingElse) {
  setScheme(kFace, kShadow, kHighlight, kText);
  host().CreateBar();
  EXPECT_EQ(working(), mapped(kFace, kShadow, kHighlight));
  EXPECT_EQ(working().pixel(kMarkerAt, kMarkerAt), marker(0, 0));
  EXPECT_EQ(host().BarraComandi.TextColour(), kText);
  // The master stays as designed.
  EXPECT_EQ(host().picMasterBitmaps.Picture(), makeStrip());
}

TEST_F(BitmapStripTest, ARepaintFollowsAChangedScheme) {
  host().Show();
  host().BuildAsFrame();
  EXPECT_EQ(working(), makeStrip());
  setScheme(kFace, kShadow, kHighlight, kText);
  host().BarraComandi.Refresh();
  EXPECT_EQ(working(), mapped(kFace, kShadow, kHighlight));
  EXPECT_EQ(host().bar().pixel(314, 10), kFace);
  // Button 1's cell is copied from the mapped strip.
  EXPECT_EQ(host().bar().pixel(12 + 18, 4 + 4), kHighlight);
}

TEST_F(BitmapStripTest, PassesRunFaceShadowHighlight) {
  // A face of dark grey is mapped again by the shadow pass, a shadow of
  // white again by the highlight pass.
  setScheme(kDarkGrey, kWhite, kHighlight, kText);
  host().CreateBar();
  EXPECT_EQ(working(), mapped(kHighlight, kHighlight, kHighlight));
}

// A pseudo-random picture in a few colours, one of them the key.
forms::Image noise(int w, int h, unsigned seed) {
  const Color palette[] = {kWhite, kDarkGrey, kLightGrey, RGB(255, 0, 255), RGB(1, 2, 3)};
  forms::Image out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1103515245u + 12345u;
      out.setPixel(x, y, palette[(seed >> 16) % 5]);
    }
  return out;
}

TEST_F(WidgetsTest, BlitTransparentGivesTheResultOfTheMaskSequence) {
  Host& host = application.form<Host>();
  forms::PictureBox& dst = host.picScratchPad;
  forms::PictureBox& src = host.picSourceBitmaps;
  dst.setBorderStyle(0);
  dst.Move(0, 0, 40 * forms::TwipsPerPixel, 30 * forms::TwipsPerPixel);
  const struct {
    int x, y;
    Color key;
  } cases[] = {{0, 0, kWhite}, {7, 5, RGB(255, 0, 255)}, {30, 25, kLightGrey}, {-6, -4, RGB(1, 2, 3)}};
  unsigned seed = 1;
  for (const auto& c : cases) {
    const forms::Image before = noise(40, 30, seed++);
    const forms::Image picture = noise(17, 11, seed++);
    dst.image() = before;
    src.setPicture(picture);
    BlitTransparent(dst, src, c.x, c.y, c.key);

    forms::Image expected = before;
    forms::blitTransparent(expected, c.x, c.y, 17, 11, picture, 0, 0, c.key);
    EXPECT_EQ(dst.Image(), expected) << "at " << c.x << ", " << c.y;
    EXPECT_EQ(src.Picture(), picture);
  }
}

}  // namespace
}  // namespace widgets::testing
