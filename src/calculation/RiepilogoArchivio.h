#pragma once
// What the calculation page offers from the lines of "tasi.dat", worked out
// apart from the page (the start-up does it while the splash shows): each
// taxpayer, municipality and address once, in the order of first appearance,
// and the cadastral code archived for each municipality.
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "shell/RigheArchivio.h"

namespace calculation {

// Texts looked up by their exact bytes: views, not copies, in one table with
// open addressing, so that the hundreds of thousands of addresses of a large
// archive cost no allocation each. The texts must outlive the set.
class InsiemeTesti {
 public:
  // Room for `n` texts without growing.
  void reserve(size_t n);
  // True when `testo` was not there yet.
  bool insert(std::string_view testo);
  bool contains(std::string_view testo) const;
  size_t size() const { return contati_; }
  bool empty() const { return contati_ == 0; }

 private:
  struct Voce {
    const char* dati = nullptr;
    uint32_t lunghezza = kVuota;
    uint32_t impronta = 0;
  };
  static constexpr uint32_t kVuota = UINT32_MAX;
  static uint32_t Impronta(std::string_view testo);
  // The slot of `testo`, or the empty one where it would go.
  size_t Posto(std::string_view testo, uint32_t impronta) const;
  void Cresci(size_t posti);

  std::vector<Voce> tavola_;
  size_t contati_ = 0;
};

struct RiepilogoArchivio {
  // The lines it was worked out from; the views below point into them.
  std::shared_ptr<const shell::RigheArchivio> Righe;
  // Fields 1, 3 and 2 of the lines, each exact text once, in file order.
  std::vector<std::string_view> Contribuenti, Comuni, Indirizzi;
  // The same municipalities and addresses, to look up.
  InsiemeTesti ComuniVisti, IndirizziVisti;
  // Municipality (field 3) -> field 28 of its first line where that is not
  // empty.
  std::unordered_map<std::string_view, std::string_view> Codici;
};

RiepilogoArchivio Riepiloga(std::shared_ptr<const shell::RigheArchivio> righe);

// Field 28 of an archive line, the cadastral code; "" when the line lacks it.
std::string_view CodiceCatastaleDi(std::string_view riga);

}  // namespace calculation
