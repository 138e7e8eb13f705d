#include "platform/Dates.h"

#include <gtest/gtest.h>

#include <ctime>
#include <stdexcept>

using namespace platform;

TEST(Dates, LongItalianDateCapitalisesEveryWord) {
  const struct {
    int y, m, d;
    const char* text;
  } cases[] = {
      {2026, 12, 10, "Giovedì 10 Dicembre 2026"}, {2026, 12, 9, "Mercoledì 9 Dicembre 2026"},
      {2000, 2, 29, "Martedì 29 Febbraio 2000"},  {2024, 1, 1, "Lunedì 1 Gennaio 2024"},
      {2023, 10, 1, "Domenica 1 Ottobre 2023"},   {2014, 6, 16, "Lunedì 16 Giugno 2014"},
      {2100, 3, 6, "Sabato 6 Marzo 2100"},        {2015, 8, 14, "Venerdì 14 Agosto 2015"},
  };
  for (const auto& c : cases) EXPECT_EQ(longDateItalian(c.y, c.m, c.d), c.text);
  EXPECT_THROW(longDateItalian(2026, 13, 1), std::invalid_argument);
  EXPECT_THROW(longDateItalian(2026, 1, 0), std::invalid_argument);
}

TEST(Dates, WeekdayAgreesWithTheCLibrary) {
  for (int y = 1999; y <= 2031; ++y) {
    for (int m = 1; m <= 12; ++m) {
      for (int d = 1; d <= 28; d += 9) {
        std::tm t{};
        t.tm_year = y - 1900;
        t.tm_mon = m - 1;
        t.tm_mday = d;
        t.tm_hour = 12;
        std::mktime(&t);
        ASSERT_EQ(weekday(y, m, d), t.tm_wday) << y << "-" << m << "-" << d;
      }
    }
  }
}

TEST(Dates, TodayIsTheLocalDate) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const Date t = today();
  EXPECT_EQ(t.year, local.tm_year + 1900);
  EXPECT_EQ(t.month, local.tm_mon + 1);
  EXPECT_EQ(t.day, local.tm_mday);
}
