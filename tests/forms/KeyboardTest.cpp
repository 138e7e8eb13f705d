// The keystroke pipeline of text boxes: KeyDown, KeyPress, editing, Change, KeyUp.
#include "FormsFixture.h"

namespace forms::testing {
namespace {

class BoxForm : public Form {
 public:
  TextBox Text1, Text2;
  BoxForm() {
    setClientSize(4000, 2000);
    Text1.create(*this, 0, 0, 2000, 300);
    Text2.create(*this, 0, 400, 2000, 900);
  }
};

class KeyboardTest : public FormsTest {
 protected:
  KeyboardTest() {
    f.Show();
    f.Text1.Change = [this] { ++changes; };
  }
  BoxForm& f = application.form<BoxForm>();
  int changes = 0;
};

struct EditCase {
  const char* name;
  std::string start;  // text before; the caret at its end
  std::function<void(BoxForm&, ScriptedUser&, HeadlessDesktop&)> act;
  std::string text;
  int caret;
};

TEST_F(KeyboardTest, DefaultEditing) {
  const EditCase cases[] = {
      {"typing appends", "", [](BoxForm&, ScriptedUser& u, auto&) { u.type("abè"); }, "abè", 3},
      {"Backspace deletes before the caret", "abc",
       [](BoxForm&, ScriptedUser& u, auto&) {
         u.key(vbKeyLeft);
         u.key(vbKeyBack);
       },
       "ac", 1},
      {"Delete deletes after the caret", "abc",
       [](BoxForm&, ScriptedUser& u, auto&) {
         u.key(vbKeyHome);
         u.key(vbKeyDelete);
       },
       "bc", 0},
      {"Left twice, then a typed character is inserted", "abc",
       [](BoxForm&, ScriptedUser& u, auto&) {
         u.key(vbKeyLeft);
         u.key(vbKeyLeft);
         u.type("X");
       },
       "aXbc", 2},
      {"Shift+Home selects, typing replaces the selection", "abc",
       [](BoxForm&, ScriptedUser& u, auto&) {
         u.key(vbKeyHome, vbShiftMask);
         u.type("x");
       },
       "x", 1},
      {"MaxLength limits typing", "",
       [](BoxForm& w, ScriptedUser& u, auto&) {
         w.Text1.setMaxLength(4);
         u.type("abcdef");
       },
       "abcd", 4},
      {"MaxLength does not limit code; typing stays refused, deleting works", "",
       [](BoxForm& w, ScriptedUser& u, auto&) {
         w.Text1.setMaxLength(2);
         w.Text1.setText("abcd");
         w.Text1.setSelStart(4);
         u.type("e");
         u.key(vbKeyBack);
       },
       "abc", 3},
      {"Ctrl+C then Ctrl+V at the end", "abc",
       [](BoxForm& w, ScriptedUser& u, auto&) {
         w.Text1.setSelStart(0);
         w.Text1.setSelLength(3);
         u.key(vbKeyC, vbCtrlMask);
         u.key(vbKeyEnd);
         u.key(vbKeyV, vbCtrlMask);
       },
       "abcabc", 6},
      {"Ctrl+X cuts the selection", "abc",
       [](BoxForm& w, ScriptedUser& u, HeadlessDesktop& d) {
         w.Text1.setSelStart(1);
         w.Text1.setSelLength(1);
         u.key(vbKeyX, vbCtrlMask);
         EXPECT_EQ(d.clipboardText(), "b");
       },
       "ac", 1},
      {"a paste is cut to MaxLength and to its first line", "abc",
       [](BoxForm& w, ScriptedUser& u, HeadlessDesktop& d) {
         w.Text1.setMaxLength(5);
         d.setClipboardText("12\r\n34");
         u.key(vbKeyV, vbCtrlMask);
         d.setClipboardText("9999");
         u.key(vbKeyV, vbCtrlMask);
       },
       "abc12", 5},
      {"Ctrl+A selects the whole text, typing replaces it", "abc",
       [](BoxForm& w, ScriptedUser& u, auto&) {
         u.key(vbKeyHome);
         u.key(vbKeyA, vbCtrlMask);
         EXPECT_EQ(w.Text1.SelStart(), 0);
         EXPECT_EQ(w.Text1.SelLength(), 3);
         u.type("VIA PO");
       },
       "VIA PO", 6},
      {"Shift+Left and Shift+Right move the free end of the selection", "abcd",
       [](BoxForm& w, ScriptedUser& u, auto&) {
         u.key(vbKeyLeft, vbShiftMask);
         u.key(vbKeyLeft, vbShiftMask);
         u.key(vbKeyRight, vbShiftMask);
         EXPECT_EQ(w.Text1.SelText(), "d");
         u.key(vbKeyLeft, vbShiftMask);
         u.key(vbKeyX, vbCtrlMask);
       },
       "ab", 2},
      {"Shift+End from the start selects everything", "abc",
       [](BoxForm& w, ScriptedUser& u, auto&) {
         u.key(vbKeyHome);
         u.key(vbKeyEnd, vbShiftMask);
         EXPECT_EQ(w.Text1.SelLength(), 3);
         u.key(vbKeyDelete);
       },
       "", 0},
      {"Ctrl+Z takes back a run of typed characters at once", "abc",
       [](BoxForm&, ScriptedUser& u, auto&) {
         u.type("def");
         u.key(vbKeyZ, vbCtrlMask);
       },
       "abc", 3},
      {"Ctrl+Z goes back edit by edit: a caret move ends a run", "abc",
       [](BoxForm& w, ScriptedUser& u, auto&) {
         u.type("de");
         u.key(vbKeyHome);
         u.type("X");
         u.key(vbKeyBack);
         u.key(vbKeyZ, vbCtrlMask);
         EXPECT_EQ(w.Text1.Text(), "Xabcde");
         u.key(vbKeyZ, vbCtrlMask);
         EXPECT_EQ(w.Text1.Text(), "abcde");
         u.key(vbKeyZ, vbCtrlMask);
         u.key(vbKeyZ, vbCtrlMask);  // nothing more to take back
       },
       "abc", 3},
      {"Ctrl+Z takes back a cut, a paste and a select-all typed over", "abc",
       [](BoxForm& w, ScriptedUser& u, HeadlessDesktop& d) {
         u.key(vbKeyA, vbCtrlMask);
         u.type("x");
         d.setClipboardText("12");
         u.key(vbKeyV, vbCtrlMask);
         u.key(vbKeyLeft, vbShiftMask);
         u.key(vbKeyX, vbCtrlMask);
         EXPECT_EQ(w.Text1.Text(), "x1");
         u.key(vbKeyZ, vbCtrlMask);
         EXPECT_EQ(w.Text1.Text(), "x12");
         EXPECT_EQ(w.Text1.SelText(), "2") << "the selection the cut took is back";
         u.key(vbKeyZ, vbCtrlMask);
         EXPECT_EQ(w.Text1.Text(), "x");
         u.key(vbKeyZ, vbCtrlMask);
         EXPECT_EQ(w.Text1.SelLength(), 3) << "the text that Ctrl+A selected, selected again";
       },
       "abc", 0},
      {"a text set by code starts the history anew", "abc",
       [](BoxForm& w, ScriptedUser& u, auto&) {
         u.type("d");
         w.Text1.setText("xyz");
         w.Text1.setSelStart(3);
         u.key(vbKeyZ, vbCtrlMask);
       },
       "xyz", 3},
      {"a locked box selects all and copies, but takes nothing back", "abc",
       [](BoxForm& w, ScriptedUser& u, HeadlessDesktop& d) {
         u.type("d");
         w.Text1.setLocked(true);
         u.key(vbKeyA, vbCtrlMask);
         u.key(vbKeyC, vbCtrlMask);
         EXPECT_EQ(d.clipboardText(), "abcd");
         u.key(vbKeyZ, vbCtrlMask);
         w.Text1.setLocked(false);
       },
       "abcd", 0},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    f.Text1.setMaxLength(0);
    f.Text1.setText(c.start);
    f.Text1.SetFocus();
    f.Text1.setSelStart(1000);
    c.act(f, user, desk);
    EXPECT_EQ(f.Text1.Text(), c.text);
    EXPECT_EQ(f.Text1.SelStart(), c.caret);
  }
}

TEST_F(KeyboardTest, HandlersSwallowRefuseAndReplaceKeys) {
  f.Text1.KeyDown = [](int& KeyCode, int) {
    if (KeyCode == vbKeyDelete) KeyCode = 0;
  };
  f.Text1.KeyPress = [](int& KeyAscii) {
    if (KeyAscii >= '0' && KeyAscii <= '9') KeyAscii = 0;
    if (KeyAscii == '.') KeyAscii = ',';
  };
  user.type(f.Text1, "a1.b2");
  EXPECT_EQ(f.Text1.Text(), "a,b");
  EXPECT_EQ(changes, 3);
  user.key(vbKeyHome);
  user.key(vbKeyDelete);
  EXPECT_EQ(f.Text1.Text(), "a,b") << "Delete swallowed in KeyDown";

  f.Text1.KeyPress = [](int& KeyAscii) { KeyAscii = 0; };
  desk.setClipboardText("pasted");
  user.key(vbKeyV, vbCtrlMask);
  EXPECT_EQ(f.Text1.Text(), "a,b") << "Ctrl+V arrives as KeyPress 22 and is refused with the rest";
}

TEST_F(KeyboardTest, OneKeystrokeRaisesItsEventsInOrder) {
  f.Text1.KeyDown = [this](int& KeyCode, int Shift) {
    log.push_back("KeyDown " + std::to_string(KeyCode) + "/" + std::to_string(Shift));
  };
  f.Text1.KeyPress = [this](int& KeyAscii) { log.push_back("KeyPress " + std::to_string(KeyAscii)); };
  f.Text1.Change = [this] { log.push_back("Change " + f.Text1.Text()); };
  f.Text1.KeyUp = [this](int& KeyCode, int) { log.push_back("KeyUp " + std::to_string(KeyCode)); };
  user.type(f.Text1, "A.");
  user.key(vbKeyLeft);
  EXPECT_EQ(log, (std::vector<std::string>{"KeyDown 65/1", "KeyPress 65", "Change A", "KeyUp 65", "KeyDown 190/0",
                                           "KeyPress 46", "Change A.", "KeyUp 190", "KeyDown 37/0", "KeyUp 37"}))
      << "\".\" comes with key code 190, not 46 (Delete)";
}

TEST_F(KeyboardTest, CodeAssignmentPutsTheCaretAtTheStart) {
  user.type(f.Text1, "abc");
  f.Text1.setText("12345");
  EXPECT_EQ(f.Text1.SelStart(), 0);
  EXPECT_EQ(f.Text1.SelLength(), 0);
  f.Text1.setSelStart(2);
  f.Text1.setSelLength(99);
  EXPECT_EQ(f.Text1.SelText(), "345");
  f.Text1.setSelText("x");
  EXPECT_EQ(f.Text1.Text(), "12x");
  EXPECT_EQ(f.Text1.SelStart(), 3);
}

TEST_F(KeyboardTest, EnterInAMultiLineBoxBreaksTheLine) {
  f.Text2.setMultiLine(true);
  user.type(f.Text2, "a\nb");
  EXPECT_EQ(f.Text2.Text(), "a\r\nb");
}

// Only printable Windows-1252 reaches a box: what else is typed is refused
// with the beep, without any key event; a paste drops it. A paste is typed
// through KeyPress one character at a time; tabs and line breaks of a
// single-line box become one blank between the words.
TEST_F(KeyboardTest, CharactersThatNoBoxTakesAreRefused) {
  f.Text2.setMultiLine(true);
  std::vector<int> pressed;
  for (TextBox* box : {&f.Text1, &f.Text2}) box->KeyPress = [&pressed](int& KeyAscii) { pressed.push_back(KeyAscii); };
  struct Case {
    const char* name;
    TextBox BoxForm::*box;
    std::function<void(ScriptedUser&, HeadlessDesktop&)> act;
    std::string text;
    int beeps;
    std::vector<int> pressed;
  };
  const Case cases[] = {
      {"typed letters outside Windows-1252 and an emoji",
       &BoxForm::Text1,
       [](ScriptedUser& u, auto&) {
         u.type(
             "\xC5\x81\xC3\xB3"
             "d\xC5\xBA \xF0\x9F\x98\x80");
       },  // Łódź 😀
       "\xC3\xB3"
       "d ",
       3,
       {0xF3, 'd', ' '}},
      {"Ctrl+L (form feed) and Ctrl+I (tab) typed",
       &BoxForm::Text1,
       [](ScriptedUser& u, auto&) {
         u.type("a");
         u.key('L', vbCtrlMask);
         u.key('I', vbCtrlMask);
       },
       "a",
       2,
       {'a', 12, 9}},
      {"the undefined byte 0x81 from a handler",
       &BoxForm::Text1,
       [](ScriptedUser& u, auto&) {
         u.type("b");
         input::key(222, 0, 0x81);
       },
       "b",
       1,
       {'b', 0x81}},
      {"a paste joins its lines with a blank, less what no box takes",
       &BoxForm::Text1,
       [](ScriptedUser& u, HeadlessDesktop& d) {
         d.setClipboardText(
             "\xC5\x81\xC3\xB3"
             "d\xC5\xBA \xF0\x9F\x98\x80\tX\x1B\x0C"
             "Y\xC2\x81Z\r\nseconda");
         u.key(vbKeyV, vbCtrlMask);
       },
       "\xC3\xB3"
       "d XYZ seconda",
       0,
       {22, 0xF3, 'd', ' ', 'X', 'Y', 'Z', ' ', 's', 'e', 'c', 'o', 'n', 'd', 'a'}},
      {"a multi-line box keeps the line breaks",
       &BoxForm::Text2,
       [](ScriptedUser& u, HeadlessDesktop& d) {
         d.setClipboardText(
             "uno\t\r\n\xC5\x91"
             "due\x1Btre");
         u.key(vbKeyV, vbCtrlMask);
       },
       "uno\r\nduetre",
       0,
       {22, 'u', 'n', 'o', 'd', 'u', 'e', 't', 'r', 'e'}},
      {"a paste of nothing that a box takes rings once",
       &BoxForm::Text1,
       [](ScriptedUser& u, HeadlessDesktop& d) {
         d.setClipboardText("\xF0\x9F\x98\x80\t");
         u.key(vbKeyV, vbCtrlMask);
       },
       "",
       1,
       {22}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TextBox& box = f.*c.box;
    box.setText("");
    box.SetFocus();
    pressed.clear();
    const int beeps = desk.beeps();
    c.act(user, desk);
    EXPECT_EQ(box.Text(), c.text);
    EXPECT_EQ(desk.beeps() - beeps, c.beeps);
    EXPECT_EQ(pressed, c.pressed);
  }
  // A locked box refuses them silently, as it refuses every edit.
  f.Text1.setLocked(true);
  const int beeps = desk.beeps();
  user.type(f.Text1, "\xC5\x81");
  EXPECT_EQ(desk.beeps(), beeps);
}

}  // namespace
}  // namespace forms::testing
