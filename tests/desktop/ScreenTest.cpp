// The windows as a user meets them on the screen: the real drop-down list of
// a combo, the focus after a corrected value, the visible focus frame, paste,
// the selection a click leaves, the drawn title, the tool tip after a rest.
#include <QAbstractItemView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>

#include "DesktopFixture.h"

namespace desktop::testing {
namespace {

using namespace forms;

class ScreenTest : public DesktopTest {
 protected:
  SampleForm& form = application.form<SampleForm>();
  ScreenTest() {
    form.Show();
    settle();
  }
  // The drop-down list of `combo` as Qt shows it, open.
  QAbstractItemView* openList(ComboBox& combo) {
    auto* w = widget<QComboBox>(combo);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() - 6, w->height() / 2));
    EXPECT_TRUE(QTest::qWaitFor([w] { return w->view()->isVisible(); }, 2000));
    // Qt ignores a release on the list for a double-click time after the
    // click that opened it (a coarse timer, up to 5 % late): a user's pick
    // comes later.
    QElapsedTimer opened;
    opened.start();
    QTest::qWaitFor([&] { return opened.elapsed() > 2 * QApplication::doubleClickInterval(); }, 5000);
    return w->view();
  }
  QPoint rowCentre(QAbstractItemView* view, int row) { return view->visualRect(view->model()->index(row, 0)).center(); }
};

TEST_F(ScreenTest, APickInTheOpenListChoosesTheItem) {
  std::vector<std::string> clicks;
  form.Combo1.Click = [&] { clicks.push_back(form.Combo1.Text()); };
  auto* w = widget<QComboBox>(form.Combo1);

  // With the mouse.
  QAbstractItemView* view = openList(form.Combo1);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, 2));
  EXPECT_TRUE(QTest::qWaitFor([w] { return !w->view()->isVisible(); }, 2000));
  EXPECT_EQ(form.Combo1.ListIndex(), 2);
  EXPECT_EQ(form.Combo1.Text(), "A/2");
  EXPECT_EQ(w->lineEdit()->text(), "A/2");

  // With Alt+Down, Down and Enter.
  QTest::keyClick(w, Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([w] { return w->view()->isVisible(); }, 2000));
  QTest::keyClick(w->view(), Qt::Key_Down);
  QTest::keyClick(w->view(), Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([w] { return !w->view()->isVisible(); }, 2000));
  EXPECT_EQ(form.Combo1.ListIndex(), 3);
  EXPECT_EQ(form.Combo1.Text(), "C/6");
  EXPECT_EQ(w->lineEdit()->text(), "C/6");
  EXPECT_EQ(clicks, (std::vector<std::string>{"A/2", "C/6"}));
}

// A window that draws itself (Paint, as the "Info" page prints its title)
// draws when it is shown, even when the screen asks for no repaint (X11
// keeps the pixels of a window it has drawn).
class SelfDrawn : public Form {
 public:
  int paints = 0;
  SelfDrawn() {
    setBorderStyle(1);
    setClientSize(3000, 1500);
    Paint = [this] { ++paints; };
  }
};

TEST_F(ScreenTest, AWindowThatDrawsItselfDrawsWhenShown) {
  auto& w = application.form<SelfDrawn>();
  desk.widgetOf(w)->setUpdatesEnabled(false);  // no paint event from the screen
  w.Show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return w.paints > 0; }, 2000));
  const int shown = w.paints;
  desk.widgetOf(w)->showMinimized();
  desk.widgetOf(w)->showNormal();
  EXPECT_TRUE(QTest::qWaitFor([&] { return w.paints > shown; }, 2000)) << "restored";
}

}  // namespace
}  // namespace desktop::testing
