#pragma once
// The one way a line of an archive is split into its fields: at each ";" (or
// another separator, as a list's columns), no quoting, views into the line, nothing
// allocated. A line of a million-line archive is split once, field by field,
// as far as its reader needs.
//
//   shell::LettoreCampi l(riga);
//   const std::string_view contribuente = l.Prossimo();
//   l.Salta(2);
//   const std::string_view anno = l.Prossimo();
//
//   const shell::CampiRiga<CalcoloRecord::kNumeroCampi> c(riga, CalcoloRecord::kRataSaldo);
//   c[CalcoloRecord::kRataAcconto];   // "" when the line lacks the field
#include <algorithm>
#include <array>
#include <string_view>

namespace shell {

// The fields of a line, read one after the other.
class LettoreCampi {
 public:
  // An empty separator leaves the whole line as its one field.
  explicit LettoreCampi(std::string_view riga, std::string_view separatore = ";")
      : resto_(riga), separatore_(separatore) {}

  // True once the last field of the line has been read (a line always has at
  // least one field, the empty line one empty field).
  bool Finito() const { return finito_; }

  // The next field; "" once the line is finished.
  std::string_view Prossimo() {
    if (finito_) return {};
    const size_t n = resto_.size();
    size_t i = 0;
    if (separatore_.size() == 1) {
      // One pass over the characters: the fields are short, and a search
      // call per field would cost more than the field itself.
      const char* p = resto_.data();
      const char c = separatore_[0];
      while (i < n && p[i] != c) ++i;
    } else {
      i = separatore_.empty() ? n : std::min(resto_.find(separatore_), n);
    }
    const std::string_view campo = resto_.substr(0, i);
    if (i == n) {
      finito_ = true;
      resto_ = {};
    } else {
      resto_.remove_prefix(i + separatore_.size());
    }
    return campo;
  }

  // Passes over `quanti` fields.
  void Salta(int quanti) {
    for (int k = 0; k < quanti && !finito_; ++k) Prossimo();
  }

  // Field `n` of what is left, counted from 1 (the next field is 1); "" when
  // the line lacks it.
  std::string_view Campo(int n) {
    if (n < 1) return {};
    Salta(n - 1);
    return Prossimo();
  }

 private:
  std::string_view resto_;
  std::string_view separatore_;
  bool finito_ = false;
};

// Field `n` of a line, counted from 1; "" when the line lacks it.
inline std::string_view CampoDi(std::string_view riga, int n) { return LettoreCampi(riga).Campo(n); }

// The fields 1 to `ultimo` of a line, split once; at most N of them.
template <int N>
class CampiRiga {
 public:
  static_assert(N >= 1);

  explicit CampiRiga(std::string_view riga, int ultimo = N) {
    LettoreCampi lettore(riga);
    if (ultimo > N) ultimo = N;
    while (numero_ < ultimo && !lettore.Finito()) campi_[numero_++] = lettore.Prossimo();
  }

  // Field n, counted from 1; "" when the line has fewer fields or n is beyond
  // the last one split.
  std::string_view operator[](int n) const { return n >= 1 && n <= numero_ ? campi_[n - 1] : std::string_view(); }
  // How many fields were split.
  int size() const { return numero_; }

 private:
  std::array<std::string_view, N> campi_{};
  int numero_ = 0;
};

}  // namespace shell
