// The headless desktop: timers on the virtual clock, dialogs and menus
// answered from the script, records of what the windows asked for.
#include "FormsFixture.h"

namespace forms::testing {
namespace {

class TimerForm : public Form {
 public:
  TimerControl Timer1;
  int ticks = 0;
  TimerForm() {
    Timer1.create(*this);
    Timer1.setInterval(1000);
    Timer1.Timer = [this] { ++ticks; };
  }
};

class DesktopTest : public FormsTest {};

TEST_F(DesktopTest, TimersFireOnlyFromTheEventLoop) {
  TimerForm& f = application.form<TimerForm>();
  desk.advance(999);
  EXPECT_EQ(f.ticks, 0);
  desk.advance(1);
  EXPECT_EQ(f.ticks, 1);
  desk.advance(3000);
  EXPECT_EQ(f.ticks, 4) << "each interval on the way";

  desk.Sleep(5000);
  EXPECT_EQ(f.ticks, 4) << "nothing fires while sleeping";
  desk.DoEvents();
  EXPECT_EQ(f.ticks, 5) << "an overdue timer fires once";

  desk.advance(600);
  f.Timer1.setEnabled(false);
  f.Timer1.setEnabled(true);
  desk.advance(600);
  EXPECT_EQ(f.ticks, 5) << "enabling again restarts the count";
  desk.advance(400);
  EXPECT_EQ(f.ticks, 6);

  f.Timer1.setInterval(0);
  desk.advance(10000);
  EXPECT_EQ(f.ticks, 6) << "interval 0 stops it";
  f.Timer1.setInterval(100);
  application.unload(f);
  desk.advance(10000);
  EXPECT_EQ(f.ticks, 6) << "the timer of an unloaded window is silent";
}

TEST_F(DesktopTest, TheClockMovesWithTheTimers) {
  using namespace std::chrono;
  desk.setNow(local_days(year(2026) / 12 / 31) + hours(23) + minutes(59) + seconds(59));
  desk.advance(1000);
  EXPECT_EQ(desk.today(), year(2027) / 1 / 1);
}

TEST_F(DesktopTest, DialogsTakeTheQueuedAnswers) {
  desk.expectInputBox("42");
  desk.expectFolder(std::nullopt);
  desk.expectOpenFile("/tmp/imucat.dat");
  EXPECT_EQ(InputBox("Quanti?", "Quotara"), "42");
  EXPECT_EQ(desk.BrowseForFolder("Cartella", "/home"), std::nullopt);
  EXPECT_EQ(desk.GetOpenFileName("Apri", "Archivi|imucat.dat", "/tmp"), "/tmp/imucat.dat");
  EXPECT_EQ(desk.dialogFolders(), (std::vector<std::string>{"/home", "/tmp"}));
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  EXPECT_THROW(InputBox("Ancora?"), UnexpectedDialog);

  Menu menu;
  int copied = 0;
  menu.add("&Copia").Click = [&] { ++copied; };
  menu.add("Cancella").setEnabled(false);
  desk.expectPopupMenu("Copia");
  desk.expectPopupMenu("");
  desk.expectPopupMenu("Cancella");
  desk.PopupMenu(menu);
  desk.PopupMenu(menu);
  EXPECT_EQ(copied, 1);
  EXPECT_THROW(desk.PopupMenu(menu), UnexpectedDialog) << "a disabled item cannot be chosen";

  Beep();
  desktop().setMousePointer(vbHourglass);
  desktop().setMousePointer(vbDefault);
  desktop().openDocument("/tmp/quotara.pdf");
  EXPECT_EQ(desk.beeps(), 1);
  EXPECT_EQ(desk.pointerChanges(), (std::vector<int>{vbHourglass, vbDefault}));
  EXPECT_EQ(desk.openedDocuments(), (std::vector<std::string>{"/tmp/quotara.pdf"}));
}

TEST_F(DesktopTest, ScreenAndSystemColours) {
  desk.setScreenSize(640, 480);
  EXPECT_EQ(desktop().screenWidth(), 640 * TwipsPerPixel);
  EXPECT_EQ(resolveColor(vbButtonFace), RGB(192, 192, 192));
  desk.setSysColor(15, RGB(1, 2, 3));
  EXPECT_EQ(resolveColor(vbButtonFace), RGB(1, 2, 3));
  EXPECT_EQ(resolveColor(RGB(10, 20, 30)), RGB(10, 20, 30));
}

class CentredForm : public Form {
 public:
  CentredForm() {
    setBorderStyle(0);
    setClientSize(5430, 2550);
    setStartUpPosition(2);
  }
};

TEST_F(DesktopTest, ACentredWindowOpensInTheMiddleOfTheScreen) {
  desk.setScreenSize(800, 600);
  CentredForm& f = application.form<CentredForm>();
  f.Show();
  EXPECT_EQ(f.Left(), (800 * 15 - 5430) / 2);
  EXPECT_EQ(f.Top(), (600 * 15 - 2550) / 2);
  EXPECT_EQ(f.ScaleWidth(), 5430);
}

}  // namespace
}  // namespace forms::testing
