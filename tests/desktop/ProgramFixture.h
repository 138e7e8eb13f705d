#pragma once
// The real program on the offscreen Qt screen: a fresh program folder and
// temporary folder per test, the start-up run as the program runs it, and
// helpers to look at the windows it shows.
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <set>

#include "DesktopFixture.h"
#include "calculation/MainForm.h"
#include "platform/InstanceLock.h"
#include "platform/Paths.h"
#include "kit/Applicazione.h"
#include "frame/Avvio.h"
#include "frame/Principale.h"
#include "frame/Splash.h"
#include "support/Cartella.h"

namespace desktop::testing {

// The window as the screen shows it. Its first drawing makes the windows
// that draw themselves (Paint) do so; the second one shows that.
inline QImage shotOf(QWidget* w) {
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 3; ++j) QCoreApplication::processEvents();
    w->grab();
  }
  return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline void save(const QImage& shot, const char* name) {
  const auto file = quotara::testing::CartellaTest() / (std::string(name) + ".png");
  ASSERT_TRUE(shot.save(QString::fromStdString(file.string()))) << name;
}

// The Qt desktop that photographs the splash window while the start-up
// waits on it (and then waits as the program does).
class WatchingDesktop : public QtDesktop {
 public:
  QImage splash;
  void Sleep(int ms) override {
    if (forms::app().isLoaded<shell::Splash>())
      if (QWidget* w = widgetOf(forms::app().form<shell::Splash>())) splash = shotOf(w);
    QtDesktop::Sleep(ms);
  }
};

// The number of different colours in `r`.
inline int colours(const QImage& img, QRect r) {
  r = r.intersected(img.rect());
  std::set<QRgb> seen;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) seen.insert(img.pixel(x, y));
  return static_cast<int>(seen.size());
}

// Rows of `r` with a dark pixel: the lines of a text drawn there.
inline int inkedRows(const QImage& img, QRect r) {
  r = r.intersected(img.rect());
  int rows = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (qGray(img.pixel(x, y)) < 100) {
        ++rows;
        break;
      }
  return rows;
}

inline QRect pixels(const forms::Control& c) {
  return QRect(c.Left() / forms::TwipsPerPixel, c.Top() / forms::TwipsPerPixel, c.Width() / forms::TwipsPerPixel,
               c.Height() / forms::TwipsPerPixel);
}

class ProgramFixture : public ::testing::Test {
 protected:
  // A fresh program folder and temporary folder for each test.
  static std::filesystem::path scratch() {
    const auto base = quotara::testing::CartellaTest();
    for (const char* d : {"dati", "temp"}) {
      std::filesystem::create_directories(base / d);
      std::filesystem::permissions(base / d, std::filesystem::perms::owner_all);
    }
    return base;
  }

  ProgramFixture() {
    platform::setProgramFolderForTests((base / "dati").string());
    platform::setTempFolderForTests((base / "temp").string());
    desk.attach(application);
    started = shell::Main(lock);
  }
  ~ProgramFixture() override {
    desk.setMousePointer(forms::vbDefault);
    platform::setProgramFolderForTests("");
    platform::setTempFolderForTests("");
  }

  QWidget* widget(const forms::Element& e) { return desk.widgetOf(e); }
  // The frame made the active window, as the user's first click does.
  void activateFrame() {
    if (!started) return;
    QWidget* w = widget(frame());
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w));
  }
  // Lets Qt deliver what is pending (paint, activation, timers due).
  static void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  shell::Principale& frame() { return application.form<shell::Principale>(); }
  // A page fills the room between the toolbar and the status bar, but for
  // a line of the workspace at most (the toolbar's height follows its font).
  void fillsThePageArea(const forms::Form& page) {
    const QSize size = widget(page)->size();
    const QSize area =
        widget(frame())->size() - QSize(0, (frame().pageTop() + frame().StatBar.Height()) / forms::TwipsPerPixel);
    EXPECT_EQ(size.width(), area.width());
    EXPECT_GE(size.height(), area.height() - 1);
  }
  // No caption is cut: every frame title, button caption and wrapped label fits its control.
  void captionsFit(forms::Form& form) {
    for (forms::Control* c : form.controls()) {
      QWidget* w = widget(*c);
      if (!w) continue;
      const QFontMetrics fm(w->font());
      if (auto* g = qobject_cast<QGroupBox*>(w)) {
        EXPECT_LE(fm.horizontalAdvance(g->title()) + 16, g->width()) << g->title().toStdString();
      }
      if (auto* b = qobject_cast<QPushButton*>(w)) {
        EXPECT_LE(fm.horizontalAdvance(b->text()) + 8, b->width()) << b->text().toStdString();
      }
      if (auto* l = qobject_cast<QLabel*>(w); l && l->wordWrap()) {
        EXPECT_LE(l->heightForWidth(l->width()), l->height()) << l->text().toStdString();
      }
    }
  }
  calculation::MainForm& page() { return application.form<calculation::MainForm>(); }
  void click(const forms::Control& c) { QTest::mouseClick(widget(c), Qt::LeftButton); }
  // Types into `c` after moving the focus there as the Tab key does.
  void type(forms::Control& c, const char* text) {
    desk.deliver([&] { forms::input::focus(c); });
    QTest::keyClicks(widget(c), text);
  }
  // Answers the next message box with its button `caption`.
  static void answerNextMessage(const QString& caption) {
    QTimer::singleShot(0, [caption] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      for (QAbstractButton* b : box->buttons())
        if (b->text() == caption) return b->click();
      ADD_FAILURE() << "no button " << caption.toStdString();
    });
  }

 private:
  struct QtApp {
    QtApp() { qtApplication(); }
  } qtApp_;

 protected:
  std::filesystem::path base = scratch();
  platform::InstanceLock lock{(base / "quotara.lock").string()};
  WatchingDesktop desk;
  shell::Applicazione application{desk};
  bool started = false;
};

}  // namespace desktop::testing
