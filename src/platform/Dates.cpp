#include "platform/Dates.h"

#include <ctime>
#include <stdexcept>

namespace platform {

Date today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

int weekday(int year, int month, int day) {
  // Sakamoto's method.
  static constexpr int offset[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) --year;
  const int w = (year + year / 4 - year / 100 + year / 400 + offset[month - 1] + day) % 7;
  return w < 0 ? w + 7 : w;
}

std::string longDateItalian(int year, int month, int day) {
  static constexpr const char* days[] = {"Domenica", "Lunedì", "Martedì", "Mercoledì", "Giovedì", "Venerdì", "Sabato"};
  static constexpr const char* months[] = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                                           "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};
  if (month < 1 || month > 12 || day < 1 || day > 31) throw std::invalid_argument("data non valida");
  return std::string(days[weekday(year, month, day)]) + " " + std::to_string(day) + " " + months[month - 1] + " " +
         std::to_string(year);
}

}  // namespace platform
