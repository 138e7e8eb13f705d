#pragma once
// The one QApplication of a benchmark program, on the offscreen platform:
// every benchmark that draws through the Qt views asks for it first.
#include <stdlib.h>

#include <QApplication>

namespace quotara::bench {

inline QApplication& QtOffscreen() {
  static int argc = 1;
  static char nome[] = "quotara-bench";
  static char* argv[] = {nome, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace quotara::bench
