#include "shell/Numeri.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

using namespace shell;

TEST(Formatta, RoundsTo15DigitsThenHalfAwayFromZero) {
  const struct {
    double valore;
    const char* formato;
    const char* testo;
  } cases[] = {
      {0.005, "#,##0.00", "0,01"},
      {0.00499, "#,##0.00", "0,00"},
      {2.675, "#,##0.00", "2,68"},  // binary 2.67499999...
      {1.005, "#,##0.00", "1,01"},
      {1234567.895, "#,##0.00", "1.234.567,90"},
      {999.995, "#,##0.00", "1.000,00"},
      {0.1 + 0.2, "#,##0.00", "0,30"},
      {0, "#,##0.00", "0,00"},
      {-0.0, "#,##0.00", "0,00"},
      {-0.001, "#,##0.00", "0,00"},
      {-0.005, "#,##0.00", "-0,01"},
      {-1234.5, "#,##0.00", "-1.234,50"},
      {123, "#,##0.00", "123,00"},
      {1e15, "#,##0.00", "1.000.000.000.000.000,00"},
      {123456789012345678.0, "#,##0.00", "123.456.789.012.346.000,00"},
      {1234.5, "Standard", "1.234,50"},
      {1.5, "#,##0.#0", "1,50"},
      {0, "#,##0.#0", "0,00"},
      {1234567, "##,###,##0", "1.234.567"},
      {999.5, "##,###,##0", "1.000"},
      {0, "##,###,##0", "0"},
      {1234.5, "###0", "1235"},
      {-2.5, "###0", "-3"},
      {-0.4, "###0", "0"},
      {2.5, "0", "3"},
      {0.49999999999999994, "0", "1"},  // 15 digits: 0.5
      {42, "00000", "00042"},
      {123456, "00000", "123456"},
  };
  for (const auto& c : cases) EXPECT_EQ(Formatta(c.valore, c.formato), c.testo) << c.valore << " " << c.formato;
  EXPECT_EQ(FormattaEuro(1234.56), "1.234,56");
  EXPECT_EQ(Formatta(NAN, "#,##0.00"), "");
  EXPECT_EQ(Formatta(INFINITY, "0"), "");
}

TEST(LeggiNumero, ReadsTheItalianFormatAndRefusesTheRest) {
  const struct {
    const char* testo;
    std::optional<double> valore;
  } cases[] = {
      {"1.234,56", 1234.56},
      {"1234,5", 1234.5},
      {" 12 ", 12},
      {"\t7\t", 7},
      {"1.2.3", 123},
      {"1.234.567,891", 1234567.891},
      {"-3,5", -3.5},
      {"+7", 7},
      {"0.00", 0},  // the archive's fallback for an empty instalment
      {",5", 0.5},
      {"1,", 1},
      {"007", 7},
      {"2,5,1", std::nullopt},
      {"1,5.3", std::nullopt},
      {"abc", std::nullopt},
      {"12a", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {".", std::nullopt},
      {",", std::nullopt},
      {"-", std::nullopt},
      {"--1", std::nullopt},
      {"- 1", std::nullopt},
      {"1 234", std::nullopt},
      {"1e3", std::nullopt},
      {"1;2", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LeggiNumero(c.testo), c.valore) << '"' << c.testo << '"';
    EXPECT_EQ(IsNumeric(c.testo), c.valore.has_value()) << '"' << c.testo << '"';
    EXPECT_EQ(CDbl(c.testo), c.valore.value_or(0)) << '"' << c.testo << '"';
  }
}

// Amounts read as the nearest double to their decimal value, whatever their
// number of digits and decimals: the same value as the C library's reading
// of the same number written with a decimal point.
TEST(LeggiNumero, EveryAmountIsTheNearestDouble) {
  for (long long cifre = 1; cifre < 1000000000000000000LL; cifre = cifre * 7 + 3) {
    const std::string tutte = std::to_string(cifre);
    for (size_t decimali = 0; decimali < tutte.size() && decimali < 8; ++decimali) {
      const std::string intera = tutte.substr(0, tutte.size() - decimali);
      const std::string frazione = tutte.substr(tutte.size() - decimali);
      std::string italiano;
      for (size_t i = 0; i < intera.size(); ++i) {
        if (i > 0 && (intera.size() - i) % 3 == 0) italiano += '.';
        italiano += intera[i];
      }
      if (decimali) italiano += ',' + frazione;
      const std::string punto = intera + (decimali ? "." + frazione : "");
      for (const bool negativo : {false, true}) {
        const std::string testo = (negativo ? "-" : "") + italiano;
        const double atteso = std::strtod(((negativo ? "-" : "") + punto).c_str(), nullptr);
        EXPECT_EQ(LeggiNumero(testo), atteso) << testo;
      }
    }
  }
}

TEST(Numeri, IgnoreTheProcessLocale) {
  const char* tried[] = {"it_IT.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"};
  const char* set = nullptr;
  for (const char* name : tried) {
    if ((set = std::setlocale(LC_ALL, name))) break;
  }
  if (!set) GTEST_SKIP() << "no locale with a decimal comma installed";
  EXPECT_EQ(Formatta(1234.5, "#,##0.00"), "1.234,50");
  EXPECT_EQ(LeggiNumero("1.234,56"), 1234.56);
  std::setlocale(LC_ALL, "C");
}

TEST(Val, ReadsTheLeadingDigits) {
  const struct {
    const char* testo;
    long long valore;
  } cases[] = {
      {"", 0},
      {"12ab", 12},
      {"00", 0},
      {"2014", 2014},
      {" 7", 7},
      {"abc", 0},
      {"-5", -5},
      {"1,5", 1},
      {"1.234", 1},
      {"99999999999999999999999", LLONG_MAX},
      {"-99999999999999999999999", LLONG_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(Val(c.testo), c.valore) << '"' << c.testo << '"';
}
