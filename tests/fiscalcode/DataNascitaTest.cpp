// The birth date of the fiscal-code and F24 windows.
#include <gtest/gtest.h>

#include "fiscalcode/DataNascita.h"

namespace fiscalcode {
namespace {

TEST(DataNascita, OnlyARealDayMonthFourDigitYearIsValid) {
  const std::pair<const char*, const char*> casi[] = {
      {"01/01/1980", "01/01/80"},
      {"29/02/2000", "29/02/00"},
      {"31/12/2026", "31/12/26"},
      {"28/02/1900", "28/02/00"},
      {"  /  /    ", ""},
      {"31/02/1975", ""},
      {"29/02/1900", ""},
      {"00/01/1980", ""},
      {"01/13/1980", ""},
      {"01/00/1980", ""},
      {"12/03/19  ", ""},
      {"12/03/ 975", ""},
      {"1/3/1975", ""},
      {"01/01/0000", ""},
      {"01-01-1980", ""},
      {"01/01/19800", ""},
      {"", ""},
  };
  for (const auto& [testo, breve] : casi) {
    EXPECT_EQ(DataValida(testo), *breve != '\0') << testo;
    EXPECT_EQ(DataPerCodice(testo), breve) << testo;
  }
}

}  // namespace
}  // namespace fiscalcode
