#include "fiscalcode/DataNascita.h"

#include <chrono>

namespace fiscalcode {

namespace {

// The number written by the digits Testo[da, da + n); -1 when one is not a digit.
int cifre(std::string_view Testo, size_t da, size_t n) {
  int v = 0;
  for (size_t i = da; i < da + n; ++i) {
    if (Testo[i] < '0' || Testo[i] > '9') return -1;
    v = v * 10 + (Testo[i] - '0');
  }
  return v;
}

}  // namespace

bool DataValida(std::string_view Testo) {
  if (Testo.size() != 10 || Testo[2] != '/' || Testo[5] != '/') return false;
  const int g = cifre(Testo, 0, 2), m = cifre(Testo, 3, 2), a = cifre(Testo, 6, 4);
  if (g < 1 || m < 1 || a < 1) return false;
  using namespace std::chrono;
  return year_month_day{year{a}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(g)}}.ok();
}

std::string DataPerCodice(std::string_view Testo) {
  if (!DataValida(Testo)) return "";
  return std::string(Testo.substr(0, 6)) + std::string(Testo.substr(8, 2));
}

}  // namespace fiscalcode
