#pragma once
// The Qt desktop on the offscreen platform with an application object, a
// sample window with one control of every kind, and helpers to look at the
// widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "desktop/QtDesktop.h"
#include "forms/Forms.h"

namespace desktop::testing {

// One QApplication for the whole test program.
QApplication& qtApplication();

// One control of every kind, as a window of the program would place them.
class SampleForm : public forms::Form {
 public:
  forms::Label Label1;
  forms::TextBox Text1, Text2, Text3;
  forms::ComboBox Combo1, Combo2;
  forms::ListBox List1;
  forms::FileListBox File1;
  forms::Frame Frame1;
  forms::ControlArray<forms::OptionButton> Option1;
  forms::CheckBox Check1;
  forms::CommandButton Command1, Command2;
  forms::PictureBox Picture1;
  forms::ImageControl Image1;
  forms::LineControl Line1;
  forms::VScrollBar VScroll1;
  forms::TimerControl Timer1;

  std::vector<std::string> log;

  SampleForm();
};

// The Qt desktop attached to an application object of type App (the
// program's own, shell::Applicazione, for its windows).
template <class App>
class DesktopTestOf : public ::testing::Test {
 protected:
  DesktopTestOf() { desk.attach(application); }

  template <class W>
  W* widget(const forms::Element& e) {
    W* w = dynamic_cast<W*>(desk.widgetOf(e));
    EXPECT_NE(w, nullptr);
    return w;
  }
  // Lets Qt deliver what is pending (paint, activation, timers due).
  static void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  // The window of `form` as drawn on the screen.
  QImage grab(const forms::Form& form) {
    settle();
    return desk.widgetOf(form)->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

 private:
  struct QtApp {
    QtApp() { qtApplication(); }
  } qtApp_;

 protected:
  QtDesktop desk;
  App application{desk};
};

using DesktopTest = DesktopTestOf<forms::Application>;

}  // namespace desktop::testing
