// What the user does on the widgets reaches the model through its own
// pipeline: keys, clicks, rows, the scroll bar, the mouse on a picture box.
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>

#include "DesktopFixture.h"

namespace desktop::testing {
namespace {

using namespace forms;

class InputTest : public DesktopTest {
 protected:
  SampleForm& form = application.form<SampleForm>();
  std::vector<std::string>& log = form.log;
  InputTest() {
    form.Show();
    settle();
  }
  std::function<void()> logs(std::string entry) {
    return [this, entry] { log.push_back(entry); };
  }
  QLineEdit* text1() { return widget<QLineEdit>(form.Text1); }
};

// On the screen the arrows go through an option group as in the model: the
// next option, wrapping round, focused and selected with its Click.
TEST_F(InputTest, TheArrowsChooseTheOptionsOfAGroup) {
  std::vector<int> clic;
  form.Option1.Click = [&clic](int Index) { clic.push_back(Index); };
  QTest::mouseClick(widget<QRadioButton>(form.Option1[1]), Qt::LeftButton);
  settle();
  ASSERT_TRUE(form.Option1[1].hasFocus());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  settle();
  EXPECT_TRUE(form.Option1[0].Value());
  EXPECT_TRUE(form.Option1[0].hasFocus());
  EXPECT_EQ(QApplication::focusWidget(), desk.widgetOf(form.Option1[0]));
  EXPECT_TRUE(widget<QRadioButton>(form.Option1[0])->isChecked());
  EXPECT_FALSE(widget<QRadioButton>(form.Option1[1])->isChecked());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
  settle();
  EXPECT_TRUE(form.Option1[1].Value());
  EXPECT_EQ(clic, (std::vector<int>{0, 1}));
}

// Every control that takes the focus shows it, whichever way it came: the
// combos (with and without an edit part) and the lists, with a row chosen
// or none.
TEST_F(InputTest, CombosAndListsShowTheFocus) {
  form.List1.setListIndex(-1);
  for (bool rowChosen : {false, true}) {
    SCOPED_TRACE(rowChosen);
    if (rowChosen) form.List1.setListIndex(1);
    for (Control* c : std::initializer_list<Control*>{&form.Combo1, &form.Combo2, &form.List1}) {
      SCOPED_TRACE(c->TabIndex());
      desk.deliver([&] { input::focus(form.Text1); });
      settle();
      const QImage without = desk.widgetOf(*c)->grab().toImage();
      desk.deliver([&] { input::focus(*c); });
      settle();
      ASSERT_EQ(QApplication::focusWidget(), desk.widgetOf(*c));
      // The frame round the control takes the focus colour: most of the
      // pixels of its outer edge change.
      const QImage with = desk.widgetOf(*c)->grab().toImage();
      int ring = 0, changed = 0;
      for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
          if (x == 0 || y == 0 || x == with.width() - 1 || y == with.height() - 1) {
            ++ring;
            changed += with.pixel(x, y) != without.pixel(x, y);
          }
      EXPECT_GT(changed, ring / 2);
    }
  }
}

TEST_F(InputTest, KeysGoThroughTheKeyPressOfTheBox) {
  form.Text1.setText("");
  form.Text1.setMaxLength(8);
  form.Text1.KeyPress = [](int& KeyAscii) {
    if (KeyAscii == ';') KeyAscii = 0;    // refused
    if (KeyAscii == '.') KeyAscii = ',';  // replaced
    if (KeyAscii == 13) {                 // Enter: next field
      KeyAscii = 0;
      SendKeys("{TAB}");
    }
  };
  QTest::mouseClick(text1(), Qt::LeftButton);
  ASSERT_EQ(application.focused(), &form.Text1);

  QTest::keyClicks(text1(), "12.5;");
  EXPECT_EQ(form.Text1.Text(), "12,5");
  EXPECT_EQ(text1()->text(), "12,5");
  EXPECT_EQ(text1()->cursorPosition(), 4);

  QTest::keyClicks(text1(), "6789X");  // MaxLength 8 holds
  EXPECT_EQ(form.Text1.Text(), "12,56789");

  QTest::keyClick(text1(), Qt::Key_Backspace);
  QTest::keyClick(text1(), Qt::Key_Home);
  QTest::keyClick(text1(), Qt::Key_Delete);
  EXPECT_EQ(form.Text1.Text(), "2,5678");
  EXPECT_EQ(text1()->text(), "2,5678");

  // Enter: the handler sends Tab, the focus moves to the next control in tab
  // order (Text2 is disabled), in the model and on the screen.
  QTest::keyClick(text1(), Qt::Key_Return);
  EXPECT_EQ(application.focused(), &form.Combo1);
  settle();
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  EXPECT_TRUE(focus == desk.widgetOf(form.Combo1) || focus->parentWidget() == desk.widgetOf(form.Combo1));
  EXPECT_EQ(form.Text1.Text(), "2,5678");
}

TEST_F(InputTest, KeyDownSeesTheKeyCodeAndCanDropTheKeysAction) {
  std::vector<std::pair<int, int>> downs;
  form.Text1.KeyDown = [&](int& KeyCode, int Shift) {
    downs.emplace_back(KeyCode, Shift);
    if (KeyCode == vbKeyDelete) KeyCode = 0;
  };
  QTest::mouseClick(text1(), Qt::LeftButton);
  QTest::keyClick(text1(), Qt::Key_Home);
  QTest::keyClick(text1(), Qt::Key_Delete);
  QKeyEvent shiftR(QEvent::KeyPress, Qt::Key_R, Qt::ShiftModifier, "R");
  QApplication::sendEvent(text1(), &shiftR);
  EXPECT_EQ(form.Text1.Text(), "RROMA");
  EXPECT_EQ(downs, (std::vector<std::pair<int, int>>{{vbKeyHome, 0}, {vbKeyDelete, 0}, {'R', vbShiftMask}}));
}

TEST_F(InputTest, TabAndAltLetterAreTheModels) {
  form.Command1.Click = logs("Command1_Click");
  QTest::mouseClick(text1(), Qt::LeftButton);
  QTest::keyClick(text1(), Qt::Key_Tab);
  EXPECT_EQ(application.focused(), &form.Combo1);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(application.focused(), &form.Text1);
  QTest::keyClick(text1(), Qt::Key_C, Qt::AltModifier);
  EXPECT_EQ(log, std::vector<std::string>{"Command1_Click"});
  EXPECT_EQ(application.focused(), &form.Command1);
}

TEST_F(InputTest, AMouseSelectionInATextBoxIsTheModelsSelection) {
  QTest::mouseDClick(text1(), Qt::LeftButton, {}, QPoint(8, 10));
  EXPECT_EQ(application.focused(), &form.Text1);
  EXPECT_EQ(form.Text1.SelStart(), 0);
  EXPECT_EQ(form.Text1.SelLength(), 4);

  // The multi-line box counts its line break as CR LF.
  auto* text3 = widget<QPlainTextEdit>(form.Text3);
  QTextCursor lineTwo(text3->document());
  lineTwo.setPosition(text3->document()->findBlockByNumber(1).position());
  QTest::mouseClick(text3->viewport(), Qt::LeftButton, {}, text3->cursorRect(lineTwo).center());
  EXPECT_EQ(application.focused(), &form.Text3);
  EXPECT_EQ(form.Text3.SelStart(), 12);  // "Prima riga" CR LF, then the start of the second line
  QTest::keyClicks(text3->viewport(), "X");
  EXPECT_EQ(form.Text3.Text(), "Prima riga\r\nXSeconda riga");
  EXPECT_EQ(text3->toPlainText(), "Prima riga\nXSeconda riga");
}

TEST_F(InputTest, ClicksOnButtonsBoxesAndOptions) {
  form.Text1.LostFocus = logs("Text1_LostFocus");
  form.Command1.Click = logs("Command1_Click");
  form.Check1.Click = logs("Check1_Click");
  form.Option1.Click = [this](int Index) { log.push_back("Option1_Click " + std::to_string(Index)); };
  QTest::mouseClick(text1(), Qt::LeftButton);
  QTest::mouseClick(widget<QPushButton>(form.Command1), Qt::LeftButton);
  QTest::mouseClick(widget<QCheckBox>(form.Check1), Qt::LeftButton);
  QTest::mouseClick(widget<QRadioButton>(form.Option1[0]), Qt::LeftButton);
  QTest::mouseClick(widget<QPushButton>(form.Command2), Qt::LeftButton);  // disabled: nothing
  EXPECT_EQ(log, (std::vector<std::string>{"Text1_LostFocus", "Command1_Click", "Check1_Click", "Option1_Click 0"}));
  EXPECT_EQ(form.Check1.Value(), vbUnchecked);
  EXPECT_EQ(widget<QCheckBox>(form.Check1)->checkState(), Qt::Unchecked);
  EXPECT_TRUE(form.Option1[0].Value());
  EXPECT_FALSE(form.Option1[1].Value());
  EXPECT_TRUE(widget<QRadioButton>(form.Option1[0])->isChecked());
  EXPECT_FALSE(widget<QRadioButton>(form.Option1[1])->isChecked());
  // A click on the selected option changes nothing.
  QTest::mouseClick(widget<QRadioButton>(form.Option1[0]), Qt::LeftButton);
  EXPECT_TRUE(widget<QRadioButton>(form.Option1[0])->isChecked());
  EXPECT_EQ(log.size(), 4u);
}

TEST_F(InputTest, PickingRowsOfListsAndCombos) {
  form.List1.Click = logs("List1_Click");
  form.List1.DblClick = logs("List1_DblClick");
  form.Combo2.Click = logs("Combo2_Click");
  auto* list = widget<QListView>(form.List1);
  const QPoint row2 = list->visualRect(list->model()->index(2, 0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row2);
  EXPECT_EQ(form.List1.ListIndex(), 2);
  EXPECT_EQ(list->currentIndex().row(), 2);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row2);
  EXPECT_EQ(log, (std::vector<std::string>{"List1_Click", "List1_DblClick"}));
  // Keys move the selection through the model.
  QTest::keyClick(list, Qt::Key_Up);
  EXPECT_EQ(form.List1.ListIndex(), 1);
  EXPECT_EQ(list->currentIndex().row(), 1);

  auto* combo = widget<QComboBox>(form.Combo2);
  QTest::mouseClick(combo, Qt::LeftButton);
  EXPECT_EQ(application.focused(), &form.Combo2);
  combo->showPopup();
  combo->hidePopup();
  emit combo->activated(2);  // the row the user picks in the drop-down list
  EXPECT_EQ(form.Combo2.ListIndex(), 2);
  EXPECT_EQ(combo->currentText(), "Unica soluzione");
  QTest::keyClick(combo, Qt::Key_A);  // first letter
  EXPECT_EQ(form.Combo2.ListIndex(), 0);
  EXPECT_EQ(combo->currentText(), "Acconto");
  EXPECT_EQ(log,
            (std::vector<std::string>{"List1_Click", "List1_DblClick", "List1_Click", "Combo2_Click", "Combo2_Click"}));
}

// A list takes its highlighted row from the keyboard as the mouse does:
// Space selects it, Down with nothing selected selects the first row, and
// Enter takes the row as a double click does. With nothing selected the
// focus frame stands on the first row, the one these keys take.
TEST_F(InputTest, TheKeysOfAListTakeItsHighlightedRow) {
  auto* list = widget<QListView>(form.List1);
  struct Caso {
    const char* name;
    Qt::Key key;
    int listIndex;
    std::vector<std::string> events;
  };
  const Caso casi[] = {
      {"Space", Qt::Key_Space, 0, {"Click"}},
      {"Down", Qt::Key_Down, 0, {"Click"}},
      {"Enter", Qt::Key_Return, 0, {"Click", "DblClick"}},
      {"keypad Enter", Qt::Key_Enter, 0, {"Click", "DblClick"}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.name);
    form.List1.Click = nullptr;
    form.List1.DblClick = nullptr;
    desk.deliver([&] {
      form.List1.setListIndex(-1);
      input::focus(form.List1);
    });
    settle();
    EXPECT_EQ(list->currentIndex().row(), 0) << "the focus frame on the first row";
    EXPECT_TRUE(list->selectionModel()->selectedIndexes().isEmpty());
    log.clear();
    form.List1.Click = logs("Click");
    form.List1.DblClick = logs("DblClick");
    QTest::keyClick(list, c.key);
    EXPECT_EQ(form.List1.ListIndex(), c.listIndex);
    EXPECT_EQ(list->currentIndex().row(), c.listIndex);
    EXPECT_EQ(log, c.events);
  }
  // Enter on a row chosen with the arrows takes that row.
  QTest::keyClick(list, Qt::Key_Down);
  log.clear();
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(form.List1.ListIndex(), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"Click", "DblClick"}));
}

// Ctrl+A selects the whole text of a box, on the screen too; Ctrl+Z takes
// the typing back.
TEST_F(InputTest, SelectAllAndUndoInATextBox) {
  desk.deliver([&] { input::focus(form.Text1); });
  QTest::keyClick(text1(), Qt::Key_End);
  QTest::keyClicks(text1(), " NORD");
  QTest::keyClick(text1(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(form.Text1.SelLength(), 9);
  EXPECT_EQ(text1()->selectedText(), "ROMA NORD");
  QTest::keyClicks(text1(), "VIA PO");
  EXPECT_EQ(form.Text1.Text(), "VIA PO");
  QTest::keyClick(text1(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form.Text1.Text(), "ROMA NORD");
  EXPECT_EQ(text1()->text(), "ROMA NORD");
  QTest::keyClick(text1(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(text1()->text(), "ROMA");
  QTest::keyClick(text1(), Qt::Key_End);  // Ctrl released: the next mouse event carries no modifier
}

TEST_F(InputTest, TheScrollBarSetsValue) {
  form.VScroll1.Change = logs("VScroll1_Change");
  auto* bar = widget<QScrollBar>(form.VScroll1);
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(form.VScroll1.Value(), 1);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(form.VScroll1.Value(), 6);
  bar->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(form.VScroll1.Value(), 10);
  EXPECT_EQ(bar->value(), 10);
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(InputTest, MouseOnAPictureBoxInItsScale) {
  std::vector<std::string> events;
  auto record = [&](const char* what) {
    return [&events, what](int Button, int Shift, float X, float Y) {
      events.push_back(std::string(what) + " " + std::to_string(Button) + " " + std::to_string(Shift) + " " +
                       std::to_string(static_cast<int>(X)) + "," + std::to_string(static_cast<int>(Y)));
    };
  };
  form.Picture1.MouseDown = record("down");
  form.Picture1.MouseMove = record("move");
  form.Picture1.MouseUp = record("up");
  QWidget* pic = desk.widgetOf(form.Picture1);
  QTest::mouseMove(pic, QPoint(22, 17));  // inside the 2-pixel border: (20, 15)
  QTest::mousePress(pic, Qt::LeftButton, Qt::ShiftModifier, QPoint(12, 7));
  QTest::mouseRelease(pic, Qt::LeftButton, Qt::ShiftModifier, QPoint(12, 7));
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events.front(), "move 0 0 20,15");
  EXPECT_EQ(events[events.size() - 2], "down 1 1 10,5");
  EXPECT_EQ(events.back(), "up 1 1 10,5");

  // In twips when the box keeps the default scale.
  events.clear();
  form.Picture1.setScaleMode(vbTwips);
  QTest::mousePress(pic, Qt::RightButton, {}, QPoint(12, 7));
  EXPECT_EQ(events.back(), "down 2 0 150,75");
  QTest::mouseRelease(pic, Qt::RightButton, {}, QPoint(12, 7));
}

TEST_F(InputTest, ATimerTicksOnTheQtClock) {
  form.Timer1.setEnabled(true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return log.size() >= 2; }, 2000));
  form.Timer1.setEnabled(false);
  const size_t ticks = log.size();
  QTest::qWait(60);
  EXPECT_EQ(log.size(), ticks);
}

}  // namespace
}  // namespace desktop::testing
