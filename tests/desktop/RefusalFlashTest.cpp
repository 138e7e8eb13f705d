// A key that a box refuses is seen on the screen, not only heard: the box's
// background flashes for a moment and then shows its own colour again.
#include <QComboBox>
#include <QLineEdit>

#include "DesktopFixture.h"
#include "ProgramFixture.h"
#include "desktop/Views.h"
#include "kit/Convenzioni.h"

namespace desktop::testing {
namespace {

using namespace forms;

const QColor kLampo(255, 170, 170);

// The share of the widget's pixels in the flash colour.
double flashed(QWidget* w) {
  const QImage img = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == kLampo.rgb();
  return static_cast<double>(n) / (img.width() * img.height());
}

class RefusalFlashTest : public DesktopTest {
 protected:
  SampleForm& form = application.form<SampleForm>();
  RefusalFlashTest() {
    form.Show();
    settle();
  }
};

TEST_F(RefusalFlashTest, TheBoxThatRefusedAKeyFlashesBriefly) {
  for (EditControl* box : std::initializer_list<EditControl*>{&form.Text1, &form.Combo1}) {
    SCOPED_TRACE(box->TabIndex());
    box->KeyPress = [box](int& KeyAscii) {
      if (KeyAscii == ';') {
        KeyAscii = 0;
        FlashControl(*box);
      }
    };
    QWidget* w = desk.widgetOf(*box);
    desk.deliver([&] { input::focus(*box); });
    settle();
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClicks(target, "a");
    EXPECT_EQ(flashed(w), 0) << "a key taken does not flash";
    QTest::keyClicks(target, ";");
    EXPECT_GT(flashed(w), 0.5) << "the background turns to the flash colour";
    QTest::qWait(ControlView::kFlashMs + 150);
    EXPECT_EQ(flashed(w), 0) << "and back to the box's own";
    EXPECT_EQ(w->palette().color(QPalette::Base), QColor(Qt::white));
  }
}

TEST_F(RefusalFlashTest, AWindowClosedDuringTheFlashIsLeftAlone) {
  form.Text1.KeyPress = [this](int& KeyAscii) {
    KeyAscii = 0;
    FlashControl(form.Text1);
  };
  desk.deliver([&] { input::focus(form.Text1); });
  QTest::keyClicks(desk.widgetOf(form.Text1), "x");
  desk.deliver([&] { application.unload(form); });
  QTest::qWait(ControlView::kFlashMs + 100);  // the restoring timer went with the window
  EXPECT_FALSE(application.isLoaded<SampleForm>());
}

class AmountFlashTest : public ProgramFixture {
 protected:
  AmountFlashTest() { activateFrame(); }
};

// The rendita typed the Italian way, then a third decimal: the box keeps
// the amount and flashes. The screenshots show the page during the flash
// and after it.
TEST_F(AmountFlashTest, ARefusedDecimalFlashesTheAmountBox) {
  ASSERT_TRUE(started);
  calculation::MainForm& f = page();
  QWidget* box = widget(f.Text3);
  type(f.Text3, "40.000,00");
  EXPECT_EQ(f.Text3.Text(), "40.000,00");
  EXPECT_EQ(flashed(box), 0);
  QTest::keyClicks(box, "5");
  EXPECT_EQ(f.Text3.Text(), "40.000,00");
  // The page as drawn now, before the flash is over (no events in between).
  save(widget(frame())->grab().toImage(), "rendita-lampo");
  EXPECT_GT(flashed(box), 0.5);
  QTest::qWait(ControlView::kFlashMs + 150);
  EXPECT_EQ(flashed(box), 0);
  save(shotOf(widget(frame())), "rendita-dopo");
}

}  // namespace
}  // namespace desktop::testing
