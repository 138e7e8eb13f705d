// Focus, tab order, access keys and the keys sent with SendKeys.
#include "FormsFixture.h"

namespace forms::testing {
namespace {

class TabForm : public Form {
 public:
  TextBox Text1, Text2, Text3, Text4, Text5, Text6;
  Frame Frame1, Frame2, Frame3;
  PictureBox Picture1;
  Label Label1;
  CheckBox Check1;
  CommandButton Command1;
  OptionButton OptA, OptB;

  TabForm() {
    setCaption("Tab");
    setClientSize(8000, 6000);
    Label1.create(*this, 0, 0, 1000, 300);
    Label1.setTabIndex(0);
    Text1.create(*this, 0, 300, 1000, 300);
    Text1.setTabIndex(3);
    Frame1.create(*this, 1000, 0, 2000, 2000);
    Text2.create(Frame1, 100, 200, 1000, 300);
    Text2.setTabIndex(1);
    Text3.create(Frame1, 100, 600, 1000, 300);
    Text3.setTabIndex(2);
    Text3.setEnabled(false);
    Picture1.create(*this, 3000, 0, 2000, 2000);
    Picture1.setVisible(false);
    Text4.create(Picture1, 0, 0, 1000, 300);
    Text4.setTabIndex(0);
    Check1.create(*this, 0, 700, 1000, 300);
    Check1.setTabIndex(4);
    Check1.setVisible(false);
    Command1.create(*this, 0, 1000, 1000, 300);
    Command1.setCaption("&Calcola TASI");
    Command1.setTabIndex(5);
    Frame2.create(*this, 5000, 0, 2000, 2000);
    Frame2.setEnabled(false);
    Text5.create(Frame2, 100, 200, 1000, 300);
    Text5.setTabIndex(6);
    Text6.create(*this, 0, 1400, 1000, 300);
    Text6.setTabIndex(7);
    Text6.setTabStop(false);
    Frame3.create(*this, 0, 2000, 2000, 2000);
    OptA.create(Frame3, 100, 200, 1000, 300);
    OptA.setTabIndex(8);
    OptB.create(Frame3, 100, 600, 1000, 300);
    OptB.setTabIndex(9);
  }
};

class FocusTest : public FormsTest {
 protected:
  TabForm& f = application.form<TabForm>();
  std::vector<Control*> walk(bool forward, int steps) {
    std::vector<Control*> seen;
    for (int i = 0; i < steps; ++i) {
      forward ? user.pressTab() : user.pressShiftTab();
      seen.push_back(application.focused());
    }
    return seen;
  }
};

TEST_F(FocusTest, TabOrderSkipsWhatCannotTakeTheFocus) {
  f.Show();
  EXPECT_EQ(application.focused(), &f.Text2) << "the first tab stop takes the focus on Show";
  struct Case {
    const char* name;
    std::function<void()> setup;
    bool forward;
    std::vector<Control*> expected;
  };
  const Case cases[] = {
      {"forward across containers: disabled, hidden, in a hidden or disabled container, no tab stop",
       [] {},
       true,
       {&f.Text1, &f.Command1, &f.OptA, &f.Text2}},
      {"backward", [] {}, false, {&f.OptA, &f.Command1, &f.Text1, &f.Text2}},
      {"only the selected option of a group",
       [this] { f.OptB.setValue(true); },
       true,
       {&f.Text1, &f.Command1, &f.OptB, &f.Text2}},
      {"a container made visible and enabled again",
       [this] {
         f.Picture1.setVisible(true);
         f.Frame2.setEnabled(true);
       },
       true,
       {&f.Text1, &f.Command1, &f.Text5, &f.OptB, &f.Text4, &f.Text2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.setup();
    f.Text2.SetFocus();
    EXPECT_EQ(walk(c.forward, static_cast<int>(c.expected.size())), c.expected);
  }
}

// The keyboard never stays without a control: when a LostFocus handler
// disables the control the focus was going to, or a handler disables the
// focused control, the focus goes on (backwards for a Shift+Tab).
TEST_F(FocusTest, TheFocusGoesOnWhenItsTargetIsDisabledOnTheWay) {
  f.Show();
  struct Case {
    const char* name;
    Control* from;
    bool forward;
    Control* expected;
  };
  for (const Case& c : {Case{"forward", &f.Text2, true, &f.Command1}, Case{"backward", &f.Command1, false, &f.Text2}}) {
    SCOPED_TRACE(c.name);
    f.Text1.setEnabled(true);
    user.focus(*c.from);
    c.from->LostFocus = [this] { f.Text1.setEnabled(false); };
    c.forward ? user.pressTab() : user.pressShiftTab();
    c.from->LostFocus = nullptr;
    EXPECT_EQ(application.focused(), c.expected);
  }
  f.Text1.setEnabled(true);
  f.Text1.KeyPress = [this](int&) { f.Text1.setEnabled(false); };
  user.focus(f.Text1);
  user.type(f.Text1, "x");
  EXPECT_EQ(application.focused(), &f.Command1);
}

// A single-line box selects its whole text when it takes the focus.
TEST_F(FocusTest, ABoxSelectsItsTextWhenItTakesTheFocus) {
  f.Show();
  f.Text1.setText("ROMA");
  user.pressTab();
  ASSERT_EQ(application.focused(), &f.Text1);
  EXPECT_EQ(f.Text1.SelStart(), 0);
  EXPECT_EQ(f.Text1.SelLength(), 4);
}

TEST_F(FocusTest, SetFocusFailsSoftly) {
  EXPECT_FALSE(f.Text1.SetFocus()) << "the form is loaded but not shown";
  f.Show();
  EXPECT_FALSE(f.Label1.SetFocus()) << "a label";
  EXPECT_FALSE(f.Text3.SetFocus()) << "disabled";
  EXPECT_FALSE(f.Text4.SetFocus()) << "inside a hidden picture box";
  EXPECT_FALSE(f.Text5.SetFocus()) << "inside a disabled frame";
  EXPECT_TRUE(f.Text6.SetFocus()) << "no tab stop, but it takes the focus";
  EXPECT_EQ(application.focused(), &f.Text6);
}

TEST_F(FocusTest, LostFocusRunsBeforeGotFocusAndBeforeTheClick) {
  f.Show();
  f.Text2.LostFocus = [&] {
    log.push_back("Text2 LostFocus");
    f.Text2.setText("formatted");
  };
  f.Command1.GotFocus = logs("Command1 GotFocus");
  f.Command1.Click = [&] { log.push_back("Click sees " + f.Text2.Text()); };
  user.type(f.Text2, "12");
  user.click(f.Command1);
  EXPECT_EQ(log, (std::vector<std::string>{"Text2 LostFocus", "Command1 GotFocus", "Click sees formatted"}));
}

TEST_F(FocusTest, AltAndTheAccessLetterClicksTheButton) {
  f.Show();
  f.Text1.LostFocus = logs("Text1 LostFocus");
  f.Command1.Click = logs("Command1 Click");
  f.Text1.SetFocus();
  user.pressAlt('c');
  EXPECT_EQ(log, (std::vector<std::string>{"Text1 LostFocus", "Command1 Click"}));
  user.pressAlt('z');
  EXPECT_EQ(log.size(), 2u) << "a letter no caption has does nothing";
}

TEST_F(FocusTest, SentTabsComeAfterTheHandlerAndBeforeFurtherInput) {
  f.Show();
  f.Text2.KeyPress = [&](int& KeyAscii) {
    if (KeyAscii != vbKeyReturn) return;
    KeyAscii = 0;
    SendKeys("{TAB}");
    log.push_back("KeyPress done, focus still on Text2: " + std::to_string(f.Text2.hasFocus()));
  };
  f.Text2.LostFocus = logs("Text2 LostFocus");
  f.Text1.GotFocus = logs("Text1 GotFocus");
  f.Text1.KeyUp = [&](int& KeyCode, int) { log.push_back("Text1 KeyUp " + std::to_string(KeyCode)); };
  f.Text2.SetFocus();
  user.pressEnter();
  user.type("x");
  EXPECT_EQ(log, (std::vector<std::string>{"KeyPress done, focus still on Text2: 1", "Text2 LostFocus",
                                           "Text1 GotFocus", "Text1 KeyUp 13", "Text1 KeyUp 88"}));
  EXPECT_EQ(f.Text1.Text(), "x");
  EXPECT_EQ(f.Text2.Text(), "") << "Enter inserts nothing in a single-line box";

  SendKeys("+{TAB}");  // outside any handler: at once
  EXPECT_EQ(application.focused(), &f.Text2);
  EXPECT_THROW(SendKeys("{ENTER}"), FormsError);
}

TEST_F(FocusTest, InputToHiddenOrDisabledControlsIsRefused) {
  EXPECT_THROW(user.click(f.Command1), FormsError) << "the window is not shown";
  f.Show();
  EXPECT_THROW(user.click(f.Text3), FormsError);
  EXPECT_THROW(user.click(f.Text5), FormsError);
  EXPECT_THROW(user.type(f.Check1, " "), FormsError);
}

}  // namespace
}  // namespace forms::testing
