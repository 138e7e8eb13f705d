#pragma once
// Calendar dates for the status bar and the reports.
#include <string>

namespace platform {

struct Date {
  int year = 0;
  int month = 0;  // 1-12
  int day = 0;    // 1-31
};

// Today in local time.
Date today();

// Day of the week, 0 Sunday to 6 Saturday (Gregorian calendar).
int weekday(int year, int month, int day);

// The long Italian date with every word capitalised: "Giovedì 10 Dicembre 2026".
// Throws std::invalid_argument for a month outside 1-12 or a day outside 1-31.
std::string longDateItalian(int year, int month, int day);

}  // namespace platform
