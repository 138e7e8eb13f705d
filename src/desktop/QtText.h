#pragma once
// Text of the windows (UTF-8, line breaks "\r\n" or "\r") as Qt takes it.
#include <QString>
#include <string>

namespace desktop {

inline QString qs(const std::string& s) { return QString::fromStdString(s); }

inline QString lines(const std::string& s) {
  QString t = qs(s);
  t.replace("\r\n", "\n");
  t.replace('\r', '\n');
  return t;
}

}  // namespace desktop
