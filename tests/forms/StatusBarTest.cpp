#include "forms/StatusBar.h"

#include "FormsFixture.h"

namespace forms::testing {
namespace {

class StatusForm : public Form {
 public:
  PictureBox Host;
  StatusBarControl Bar;
  StatusForm() {
    setClientSize(6000, 3000);
    Host.create(*this, 0, 0, 6000, 600);
    Bar.create(Host, 0, 0, 300 * TwipsPerPixel, 25 * TwipsPerPixel);
  }
};

class StatusBarTest : public FormsTest {
 protected:
  StatusForm& f = application.form<StatusForm>();
};

TEST_F(StatusBarTest, PartsRunFromTheirLeftNeighbourToTheirRightEdge) {
  f.Bar.SetParts({100, 180, -1});
  const struct {
    int part;
    bool exists;
    Rect rect;
  } cases[] = {{0, true, {0, 2, 100, 25}},
               {1, true, {102, 2, 180, 25}},
               {2, true, {182, 2, 300, 25}},
               {3, false, {}},
               {-1, false, {}}};
  for (const auto& c : cases) {
    Rect r{9, 9, 9, 9};
    EXPECT_EQ(f.Bar.GetRect(c.part, r), c.exists) << "part " << c.part;
    EXPECT_EQ(r, c.rect) << "part " << c.part;
  }
}

TEST_F(StatusBarTest, OwnerDrawnPartsLoseTheOwnersPaintingOnARepaint) {
  f.Bar.SetParts({100, -1});
  EXPECT_TRUE(f.Bar.SetText(0 | StatusBarControl::SBT_OWNERDRAW, ""));
  EXPECT_TRUE(f.Bar.SetText(1, "Pronto"));
  EXPECT_FALSE(f.Bar.SetText(2, "x"));
  const Image clean = f.Bar.Image();
  f.Bar.image().fillBox(10, 5, 20, 15, RGB(0, 0, 0));
  f.Bar.UpdateWindow();
  EXPECT_EQ(f.Bar.Image().pixel(15, 10), RGB(0, 0, 0));
  f.Bar.InvalidateRect({0, 0, 50, 25});
  EXPECT_EQ(f.Bar.Image(), clean);

  // The part the bar draws itself keeps its text through a repaint.
  f.Bar.image().fillBox(10, 5, 20, 15, RGB(0, 0, 0));
  input::paint(f.Bar);
  EXPECT_EQ(f.Bar.Image(), clean);
  EXPECT_NE(f.Bar.Image().pixel(102 + 2 + 2 + 1, 10), clean.pixel(50, 10));
}

}  // namespace
}  // namespace forms::testing
