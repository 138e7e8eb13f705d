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
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened.elapsed() > 2 * QApplication::doubleClickInterval(); }, 5000));
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

// On an open drop-down list, Enter takes the highlighted row and closes the
// list, and nothing more: the key reaches neither the box nor the next one.
// Tab and Shift+Tab take the row and move on; Esc closes without a pick.
TEST_F(ScreenTest, KeysOnTheOpenListTakeTheRowOrLeaveIt) {
  std::vector<std::string> seen;
  form.Combo1.Click = [&] { seen.push_back("Click " + form.Combo1.Text()); };
  form.Combo1.KeyPress = [&](int& k) { seen.push_back("KeyPress " + std::to_string(k)); };
  auto* w = widget<QComboBox>(form.Combo1);
  const auto open = [&] {
    desk.deliver([&] { input::focus(form.Combo1); });
    QTest::keyClick(w, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([w] { return w->view()->isVisible(); }, 2000));
  };
  const auto closed = [w] { return QTest::qWaitFor([w] { return !w->view()->isVisible(); }, 2000); };
  struct Caso {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int listIndex;         // of Combo1 afterwards
    const Control* focus;  // the control with the focus afterwards
  };
  const Caso casi[] = {
      {"Enter", Qt::Key_Return, {}, 2, &form.Combo1},
      {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, 2, &form.Combo1},
      {"Tab", Qt::Key_Tab, {}, 2, &form.Combo2},
      {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, 2, &form.Text1},
      {"Esc", Qt::Key_Escape, {}, 0, &form.Combo1},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.name);
    desk.deliver([&] { form.Combo1.setListIndex(0); });
    seen.clear();
    open();
    QTest::keyClick(w->view(), Qt::Key_Down);
    QTest::keyClick(w->view(), Qt::Key_Down);
    QTest::keyClick(w->view(), c.key, c.modifiers);
    ASSERT_TRUE(closed());
    settle();
    EXPECT_EQ(form.Combo1.ListIndex(), c.listIndex);
    EXPECT_EQ(w->lineEdit()->text().toStdString(), form.Combo1.Text());
    EXPECT_EQ(application.focused(), c.focus);
    EXPECT_EQ(seen, c.listIndex ? std::vector<std::string>{"Click A/2"} : std::vector<std::string>{})
        << "no key reaches the box";
  }
  // The next Enter is the box's own key again.
  desk.deliver([&] { input::focus(form.Combo1); });
  seen.clear();
  QTest::keyClick(w, Qt::Key_Return);
  EXPECT_EQ(seen, std::vector<std::string>{"KeyPress 13"});
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
