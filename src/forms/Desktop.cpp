#include "forms/Desktop.h"

#include "forms/Application.h"

namespace forms {

std::chrono::year_month_day Desktop::today() const {
  return std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(now()));
}

Color resolveColor(Color c) {
  if (c & 0x80000000u) return desktop().sysColor(static_cast<int>(c & 0xFF));
  return c & 0x00FFFFFF;
}

}  // namespace forms
