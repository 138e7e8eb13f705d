#pragma once
// The base of the records stored one per line in the archives: fields joined
// by ";", no quoting, the first `NChiave` fields the record's key. A record
// names its fields once, in file order:
//
//   struct CatastoRecord : shell::RecordArchivio<CatastoRecord, 18, 2> {
//     std::string Foglio, Particella, ...;
//     static const Tabella& Campi() {
//       static const Tabella t = {{{&CatastoRecord::Foglio, "Foglio"}, ...}};
//       return t;
//     }
//   };
//
// and gets campo(n), nomeCampo(n), toLine(), fromLine(), chiave(), chiaveDi()
// and campoNonValido(). Each record also numbers its fields, in its own header,
// with an enum `NumeroCampo` (kFoglio = 1, ...): the readers of raw lines
// (totals, summaries, the restore check) use those numbers and its
// kNumeroCampi, never a number of their own. Strings are UTF-8; the files are Windows-1252 with CR LF,
// converted by whoever reads or writes them (FileArchivio).
#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "shell/CampiRiga.h"

namespace shell {

// Every field of a line split at ";" (LettoreCampi); a line with fewer fields
// gives fewer.
std::vector<std::string_view> DividiCampi(std::string_view Riga);

template <class R, int N, int NChiave>
class RecordArchivio {
 public:
  static_assert(NChiave >= 1 && NChiave <= N);
  static constexpr int kNumeroCampi = N;
  static constexpr int kCampiChiave = NChiave;

  struct Campo {
    std::string R::*membro;
    std::string_view nome;
  };
  using Tabella = std::array<Campo, N>;

  // Field n, counted from 1 (1 to N).
  std::string& campo(int n) { return self().*descrivi(n).membro; }
  const std::string& campo(int n) const { return self().*descrivi(n).membro; }
  // The name of field n.
  static std::string_view nomeCampo(int n) { return descrivi(n).nome; }

  // The N fields joined by ";", without the line end.
  std::string toLine() const {
    std::string riga;
    for (int n = 1; n <= N; ++n) {
      if (n > 1) riga += ';';
      riga += campo(n);
    }
    return riga;
  }

  // A line of the file without its line end, split once; a field the line
  // lacks is empty, fields beyond N are ignored.
  static R fromLine(std::string_view riga) {
    R r;
    LettoreCampi campi(riga);
    for (int n = 1; n <= N && !campi.Finito(); ++n) r.campo(n) = campi.Prossimo();
    return r;
  }

  // The first NChiave fields joined by ";": the record's key, compared exactly.
  std::string chiave() const {
    std::string k = campo(1);
    for (int n = 2; n <= NChiave; ++n) k += ';' + campo(n);
    return k;
  }
  // The key of a stored line, the fields it lacks empty.
  static std::string chiaveDi(std::string_view riga) {
    std::string k;
    LettoreCampi campi(riga);
    for (int n = 1; n <= NChiave; ++n) {
      if (n > 1) k += ';';
      k += campi.Prossimo();
    }
    return k;
  }

  // The first field holding ";", CR or LF, which would break the line; none
  // when the record can be stored.
  std::optional<int> campoNonValido() const {
    for (int n = 1; n <= N; ++n)
      if (campo(n).find_first_of(";\r\n") != std::string::npos) return n;
    return std::nullopt;
  }

 private:
  R& self() { return static_cast<R&>(*this); }
  const R& self() const { return static_cast<const R&>(*this); }
  static const Campo& descrivi(int n) {
    if (n < 1 || n > N) throw std::out_of_range("campo " + std::to_string(n) + " del record");
    return R::Campi()[n - 1];
  }
};

}  // namespace shell
