// The Qt font engine of picture boxes and the translation of Qt's keys into
// the windows' key codes.
#include <QFontInfo>

#include "DesktopFixture.h"
#include "desktop/Keys.h"
#include "desktop/QtFontEngine.h"

namespace desktop::testing {
namespace {

using namespace forms;

TEST(FontMapping, TheWindowsFacesBecomeLiberationFaces) {
  qtApplication();
  const std::vector<std::pair<std::string, QString>> cases = {
      {"MS Sans Serif", "Liberation Sans"},
      {"Arial", "Liberation Sans"},
      {"arial", "Liberation Sans"},
      {"Courier", "Liberation Mono"},
      {"Courier New", "Liberation Mono"},
      {"Times New Roman", "Liberation Serif"},
      {"Liberation Serif", "Liberation Serif"},
  };
  for (const auto& [name, family] : cases) {
    EXPECT_EQ(qtFontFamily(name), family) << name;
    // The face is really there (fonts-liberation), not a substitute.
    EXPECT_EQ(QFontInfo(qtFont(Font{.name = name})).family(), family) << name;
  }
  EXPECT_EQ(qtFont(Font{.size = 8}).pixelSize(), 11);
  EXPECT_EQ(qtFont(Font{.size = 12, .bold = true}).pixelSize(), 16);
  EXPECT_TRUE(qtFont(Font{.bold = true}).bold());
}

class FontEngineTest : public DesktopTest {};

TEST_F(FontEngineTest, TheDesktopInstallsItsEngine) { EXPECT_NE(dynamic_cast<QtFontEngine*>(&fontEngine()), nullptr); }

TEST_F(FontEngineTest, MetricsOfTheDefaultFont) {
  const Font sans;  // MS Sans Serif 8
  EXPECT_GE(fontEngine().textHeight(sans), 12);
  EXPECT_LE(fontEngine().textHeight(sans), 14);
  // The longest toolbar caption stays inside its 60-pixel button.
  EXPECT_LT(fontEngine().textWidth(sans, "Strumenti"), 56);
  EXPECT_GT(fontEngine().textWidth(Font{.bold = true}, "Strumenti"), fontEngine().textWidth(sans, "Strumenti"));
  EXPECT_EQ(fontEngine().textWidth(sans, ""), 0);
}

TEST_F(FontEngineTest, DrawTextPaintsTheGlyphsInTheirCellOnly) {
  const Font sans;
  forms::Image image(120, 40, RGB(255, 255, 255));
  fontEngine().drawText(image, 10, 12, sans, "Quotara", RGB(0, 0, 0));
  const int w = fontEngine().textWidth(sans, "Quotara"), h = fontEngine().textHeight(sans);
  int inside = 0, outside = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == RGB(255, 255, 255)) continue;
      (x >= 9 && x <= 10 + w && y >= 12 && y < 12 + h ? inside : outside)++;
    }
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);

  // Clipped at the image's edge without harm; a mono image keeps its two values.
  forms::Image mono(30, 10, RGB(255, 255, 255), forms::Image::Kind::Mono);
  fontEngine().drawText(mono, 20, 2, sans, "Quotara", RGB(0, 0, 0));
  int black = 0;
  for (Color p : mono.pixels()) {
    EXPECT_TRUE(p == 0 || p == 1);
    black += p == 0;
  }
  EXPECT_GT(black, 0);
}

TEST(KeyTranslation, QtKeysBecomeKeyCodesAndKeyAscii) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    VbKey expected;
  };
  const QString nul(QChar(0));  // what X gives for Ctrl+2
  const std::vector<Case> cases = {
      {Qt::Key_A, Qt::NoModifier, "a", {vbKeyA, 0, 'a'}},
      {Qt::Key_A, Qt::ShiftModifier, "A", {vbKeyA, vbShiftMask, 'A'}},
      {Qt::Key_5, Qt::NoModifier, "5", {'5', 0, '5'}},
      {Qt::Key_Comma, Qt::NoModifier, ",", {188, 0, ','}},
      {Qt::Key_Period, Qt::NoModifier, ".", {190, 0, '.'}},
      {Qt::Key_Semicolon, Qt::ShiftModifier, ";", {186, vbShiftMask, ';'}},
      {Qt::Key_Egrave, Qt::NoModifier, "è", {222, 0, 0xE8}},
      {Qt::Key_Return, Qt::NoModifier, "\r", {vbKeyReturn, 0, 13}},
      {Qt::Key_Enter, Qt::KeypadModifier, "\r", {vbKeyReturn, 0, 13}},
      {Qt::Key_Escape, Qt::NoModifier, "\x1b", {vbKeyEscape, 0, 27}},
      {Qt::Key_Backspace, Qt::NoModifier, "\b", {vbKeyBack, 0, 8}},
      {Qt::Key_Tab, Qt::NoModifier, "\t", {vbKeyTab, 0, 0}},
      {Qt::Key_Backtab, Qt::ShiftModifier, "", {vbKeyTab, vbShiftMask, 0}},
      {Qt::Key_Delete, Qt::NoModifier, "\x7f", {vbKeyDelete, 0, 0}},
      {Qt::Key_Left, Qt::ShiftModifier, "", {vbKeyLeft, vbShiftMask, 0}},
      {Qt::Key_Space, Qt::NoModifier, " ", {vbKeySpace, 0, ' '}},
      {Qt::Key_V, Qt::ControlModifier, "\x16", {vbKeyV, vbCtrlMask, 22}},
      {Qt::Key_C, Qt::AltModifier, "c", {vbKeyC, vbAltMask, 0}},
      {Qt::Key_F4, Qt::NoModifier, "", {115, 0, 0}},
      {Qt::Key_1, Qt::KeypadModifier, "1", {97, 0, '1'}},
      {Qt::Key_Comma, Qt::KeypadModifier, ",", {110, 0, ','}},
      {Qt::Key_Shift, Qt::ShiftModifier, "", {vbKeyShift, vbShiftMask, 0}},
      {Qt::Key_unknown, Qt::NoModifier, "€", {222, 0, 0x80}},
      // Ctrl with a digit of the main row: the key, never a character,
      // whatever X makes of it (Ctrl+2 NUL, Ctrl+3 ESC, Ctrl+8 DEL, Ctrl+1 "1").
      {Qt::Key_1, Qt::ControlModifier, "1", {vbKey0 + 1, vbCtrlMask, 0}},
      {Qt::Key_2, Qt::ControlModifier, nul, {vbKey0 + 2, vbCtrlMask, 0}},
      {Qt::Key_3, Qt::ControlModifier, "\x1b", {vbKey0 + 3, vbCtrlMask, 0}},
      {Qt::Key_7, Qt::ControlModifier, "\x1f", {vbKey0 + 7, vbCtrlMask, 0}},
      {Qt::Key_8, Qt::ControlModifier, "\x7f", {vbKey0 + 8, vbCtrlMask, 0}},
      {Qt::Key_9, Qt::ControlModifier, "9", {vbKey0 + 9, vbCtrlMask, 0}},
      {Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier, nul, {vbKey0 + 2, vbCtrlMask | vbShiftMask, 0}},
      // Characters that no box takes are refused: outside Windows-1252, and
      // the control characters of Ctrl+[ (ESC) and Ctrl+\ (FS).
      {Qt::Key_unknown, Qt::NoModifier, "Ж", {0, 0, 0, true}},
      {0x141, Qt::ShiftModifier, "Ł", {0, vbShiftMask, 0, true}},
      {Qt::Key_A, Qt::NoModifier, "ą", {0, 0, 0, true}},
      {Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(U"😀", 1), {0, 0, 0, true}},
      {Qt::Key_BracketLeft, Qt::ControlModifier, "\x1b", {0, vbCtrlMask, 0, true}},
      {Qt::Key_Backslash, Qt::ControlModifier, "\x1c", {0, vbCtrlMask, 0, true}},
      {0x141, Qt::AltModifier, "ł", {0, vbAltMask, 0, false}},  // Alt: an access key, not typing
  };
  for (const Case& c : cases) {
    const VbKey k = vbKey(c.key, c.modifiers, c.text);
    EXPECT_EQ(k.keyCode, c.expected.keyCode) << c.text.toStdString();
    EXPECT_EQ(k.shift, c.expected.shift) << c.text.toStdString();
    EXPECT_EQ(k.keyAscii, c.expected.keyAscii) << c.text.toStdString();
    EXPECT_EQ(k.refused, c.expected.refused) << c.text.toStdString();
  }
  EXPECT_EQ(vbKeyForChar(U'à').keyAscii, 0xE0);
  for (char32_t ch : {U'Ж', U'ő', U'\t', U'\x0C', U'\u0081'}) {
    EXPECT_EQ(vbKeyForChar(ch).keyCode, 0) << static_cast<uint32_t>(ch);
    EXPECT_TRUE(vbKeyForChar(ch).refused) << static_cast<uint32_t>(ch);
  }
  EXPECT_EQ(vbButtons(Qt::LeftButton | Qt::RightButton), vbLeftButton | vbRightButton);
}

}  // namespace
}  // namespace desktop::testing
