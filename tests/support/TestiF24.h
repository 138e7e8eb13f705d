#pragma once
// The F24 rows of the shell in the ";" text the user reads them in:
//
//   row:      code;advance mark;balance mark;properties;tax code;year;amount[;deduction]
//   closing:  1;deduction;total;
//
// (marks "X" or empty, a deduction or amount of none empty), so that a test
// states the rows handed over as one line each, and hands rows over the same way.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kit/Applicazione.h"
#include "shell/Modulo1.h"
#include "shell/Numeri.h"
#include "shell/RigaF24.h"

namespace quotara::testing {

inline std::string TestoRiga(const shell::RigaF24& r) {
  std::string out = r.CodiceCatastale + ";" + (r.Acconto ? "X" : "") + ";" + (r.Saldo ? "X" : "") + ";" + r.Immobili +
                    ";" + r.CodiceTributo + ";" + r.Anno + ";" + std::to_string(r.Importo);
  if (r.Detrazione > 0) out += ";" + std::to_string(r.Detrazione);
  return out;
}

inline std::vector<std::string> TestiRighe(const std::vector<shell::RigaF24>& righe) {
  std::vector<std::string> out;
  for (const auto& r : righe) out.push_back(TestoRiga(r));
  return out;
}

// "" when there is no closing item.
inline std::string TestoChiusura(const std::optional<shell::RigaChiusuraF24>& c) {
  if (!c) return "";
  return "1;" + (c->Detrazione > 0 ? std::to_string(c->Detrazione) : std::string()) + ";" + std::to_string(c->Totale) +
         ";";
}

// The rows, then the closing item when there is one.
inline std::vector<std::string> TestiF24(const std::vector<shell::RigaF24>& righe,
                                         const std::optional<shell::RigaChiusuraF24>& chiusura) {
  std::vector<std::string> out = TestiRighe(righe);
  if (chiusura) out.push_back(TestoChiusura(chiusura));
  return out;
}

inline std::vector<std::string> TestiF24(const shell::Applicazione& a) { return TestiF24(a.RigheF24, a.ChiusuraF24); }

inline shell::RigaF24 RigaDaTesto(std::string_view testo) {
  const auto campo = [&](int k) { return shell::Campo(testo, ";", k); };
  return {.CodiceCatastale = campo(1),
          .Acconto = campo(2) == "X",
          .Saldo = campo(3) == "X",
          .Immobili = campo(4),
          .CodiceTributo = campo(5),
          .Anno = campo(6),
          .Importo = shell::Val(campo(7)),
          .Detrazione = shell::Val(campo(8))};
}

inline std::vector<shell::RigaF24> RigheDaTesto(const std::vector<std::string>& testi) {
  std::vector<shell::RigaF24> out;
  for (const auto& t : testi) out.push_back(RigaDaTesto(t));
  return out;
}

inline shell::RigaChiusuraF24 ChiusuraDaTesto(std::string_view testo) {
  return {shell::Val(shell::Campo(testo, ";", 2)), shell::Val(shell::Campo(testo, ";", 3))};
}

// Hands over `testi` as the totals page does: every item a row but the last,
// the closing item.
inline void ConsegnaF24(shell::Applicazione& a, const std::vector<std::string>& testi) {
  a.RigheF24 = RigheDaTesto({testi.begin(), testi.end() - (testi.empty() ? 0 : 1)});
  a.ChiusuraF24.reset();
  if (!testi.empty()) a.ChiusuraF24 = ChiusuraDaTesto(testi.back());
}

}  // namespace quotara::testing
