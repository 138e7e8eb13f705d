#include "shell/Numeri.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

namespace shell {
namespace {

// The magnitude of a finite value as 15 significant decimal digits and the
// position of the decimal point: value = 0.<cifre> * 10^punto.
struct Decimale {
  std::string cifre;
  int punto = 0;
};

Decimale in15Cifre(double valore) {
  char buf[40];
  const auto fine = std::to_chars(buf, buf + sizeof buf, std::fabs(valore), std::chars_format::scientific, 14).ptr;
  // buf holds "d.dddddddddddddde[+-]xx".
  Decimale d;
  const std::string_view s(buf, static_cast<size_t>(fine - buf));
  const size_t e = s.find('e');
  d.cifre.push_back(s[0]);
  d.cifre.append(s.substr(2, e - 2));
  int esponente = 0;
  std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), esponente);
  d.punto = esponente + 1;
  return d;
}

struct Schema {
  bool gruppi = false;
  int minimoInteri = 0;
  int decimali = 0;
  int minimoDecimali = 0;
};

Schema leggiSchema(std::string_view formato) {
  if (formato == "Standard") formato = "#,##0.00";
  Schema s;
  const size_t punto = formato.find('.');
  const std::string_view interi = formato.substr(0, punto);
  for (char c : interi) {
    if (c == ',') s.gruppi = true;
    if (c == '0') ++s.minimoInteri;
  }
  if (punto != std::string_view::npos) {
    const std::string_view dec = formato.substr(punto + 1);
    for (size_t i = 0; i < dec.size(); ++i) {
      if (dec[i] == '0' || dec[i] == '#') ++s.decimali;
      if (dec[i] == '0') s.minimoDecimali = s.decimali;
    }
  }
  return s;
}

std::string_view senzaBlanchi(std::string_view t) {
  const size_t inizio = t.find_first_not_of(" \t");
  if (inizio == std::string_view::npos) return {};
  return t.substr(inizio, t.find_last_not_of(" \t") - inizio + 1);
}

bool cifra(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string Formatta(double valore, std::string_view formato) {
  if (!std::isfinite(valore)) return "";
  const Schema schema = leggiSchema(formato);
  Decimale d = in15Cifre(valore);

  // Keep the digits up to the last decimal place, rounding half away from zero.
  const int tenute = d.punto + schema.decimali;
  std::string interi, decimali;
  if (tenute < 0) {
    decimali.assign(static_cast<size_t>(schema.decimali), '0');
  } else {
    if (tenute < static_cast<int>(d.cifre.size())) {
      const bool suPerUno = d.cifre[static_cast<size_t>(tenute)] >= '5';
      d.cifre.resize(static_cast<size_t>(tenute));
      if (suPerUno) {
        int i = tenute - 1;
        while (i >= 0 && d.cifre[static_cast<size_t>(i)] == '9') d.cifre[static_cast<size_t>(i--)] = '0';
        if (i >= 0) {
          ++d.cifre[static_cast<size_t>(i)];
        } else {
          d.cifre.insert(d.cifre.begin(), '1');
          ++d.punto;
        }
      }
    } else {
      d.cifre.resize(static_cast<size_t>(tenute), '0');
    }
    if (d.punto > 0) {
      interi = d.cifre.substr(0, static_cast<size_t>(d.punto));
      decimali = d.cifre.substr(static_cast<size_t>(d.punto));
    } else {
      decimali = std::string(static_cast<size_t>(-d.punto), '0') + d.cifre;
    }
  }

  const bool zero =
      interi.find_first_not_of('0') == std::string::npos && decimali.find_first_not_of('0') == std::string::npos;
  interi.erase(0, std::min(interi.find_first_not_of('0'), interi.size()));
  if (static_cast<int>(interi.size()) < schema.minimoInteri)
    interi.insert(0, static_cast<size_t>(schema.minimoInteri) - interi.size(), '0');
  while (static_cast<int>(decimali.size()) > schema.minimoDecimali && decimali.back() == '0') decimali.pop_back();

  std::string out;
  if (valore < 0 && !zero) out += '-';
  for (size_t i = 0; i < interi.size(); ++i) {
    if (schema.gruppi && i > 0 && (interi.size() - i) % 3 == 0) out += '.';
    out += interi[i];
  }
  if (!decimali.empty()) out += ',' + decimali;
  return out;
}

std::string FormattaEuro(double valore) { return Formatta(valore, "#,##0.00"); }

namespace {

// The common amount, digits with grouping dots and one decimal comma
// ("-1.234,56"), read without building a new text: the digits (15 at most, so
// exact) divided by the power of ten of the decimals, which rounds the decimal
// to the nearest double exactly as the general reading does. False when the
// text is not of that simple kind.
bool LetturaRapida(std::string_view t, double& valore) {
  static constexpr double kPotenze[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const bool negativo = !t.empty() && t[0] == '-';
  if (negativo) t.remove_prefix(1);
  long long cifre = 0;
  int quante = 0, decimali = 0;
  bool virgola = false;
  for (const char c : t) {
    if (cifra(c)) {
      if (++quante > 15) return false;
      cifre = cifre * 10 + (c - '0');
      if (virgola) ++decimali;
    } else if (c == '.' && !virgola) {
      // a grouping dot
    } else if (c == ',' && !virgola) {
      virgola = true;
    } else {
      return false;
    }
  }
  if (quante == 0) return false;
  valore = static_cast<double>(cifre) / kPotenze[decimali];
  if (negativo) valore = -valore;
  return true;
}

}  // namespace

std::optional<double> LeggiNumero(std::string_view testo) {
  if (double valore; LetturaRapida(testo, valore)) return valore;
  std::string_view t = senzaBlanchi(testo);
  std::string numero;
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
    if (t[0] == '-') numero += '-';
    t.remove_prefix(1);
  }
  bool cifre = false, virgola = false;
  for (char c : t) {
    if (cifra(c)) {
      numero += c;
      cifre = true;
    } else if (c == '.' && !virgola) {
      // a grouping dot: carries no value
    } else if (c == ',' && !virgola) {
      numero += '.';
      virgola = true;
    } else {
      return std::nullopt;
    }
  }
  if (!cifre) return std::nullopt;
  double valore = 0;
  const auto [fine, errore] = std::from_chars(numero.data(), numero.data() + numero.size(), valore);
  if (errore != std::errc() || fine != numero.data() + numero.size()) return std::nullopt;
  return valore;
}

bool IsNumeric(std::string_view testo) { return LeggiNumero(testo).has_value(); }

double CDbl(std::string_view testo) { return LeggiNumero(testo).value_or(0.0); }

long long Val(std::string_view testo) {
  size_t i = testo.find_first_not_of(" \t");
  if (i == std::string_view::npos) return 0;
  const bool negativo = testo[i] == '-';
  if (testo[i] == '-' || testo[i] == '+') ++i;
  long long valore = 0;
  for (; i < testo.size() && cifra(testo[i]); ++i) {
    const int c = testo[i] - '0';
    if (valore > (LLONG_MAX - c) / 10) return negativo ? LLONG_MIN : LLONG_MAX;
    valore = valore * 10 + c;
  }
  return negativo ? -valore : valore;
}

double Arrotonda15Cifre(double valore) {
  if (!std::isfinite(valore)) return valore;
  char buf[40];
  const auto fine = std::to_chars(buf, buf + sizeof buf, valore, std::chars_format::scientific, 14).ptr;
  double arrotondato = valore;
  std::from_chars(buf, fine, arrotondato);
  return arrotondato;
}

}  // namespace shell
