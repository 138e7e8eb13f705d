#include "calculation/RiepilogoArchivio.h"

#include <array>
#include <utility>

namespace calculation {

namespace {

// Field `n` (from 1) of a line; "" when the line lacks it.
std::string_view Campo(std::string_view riga, int n) {
  for (int i = 1; i < n; ++i) {
    const size_t fine = riga.find(';');
    if (fine == std::string_view::npos) return {};
    riga.remove_prefix(fine + 1);
  }
  return riga.substr(0, riga.find(';'));
}

}  // namespace

std::string_view CodiceCatastaleDi(std::string_view riga) { return Campo(riga, 28); }

RiepilogoArchivio Riepiloga(std::shared_ptr<const shell::RigheArchivio> righe) {
  RiepilogoArchivio r;
  r.Righe = std::move(righe);
  if (!r.Righe) return r;
  std::unordered_set<std::string_view> contribuenti;
  for (std::string_view riga : r.Righe->Righe) {
    std::array<std::string_view, 3> campi;
    for (std::string_view& campo : campi) {
      const size_t fine = riga.find(';');
      campo = riga.substr(0, fine);
      if (fine == std::string_view::npos) {
        riga = {};
        break;
      }
      riga.remove_prefix(fine + 1);
    }
    if (contribuenti.insert(campi[0]).second) r.Contribuenti.push_back(campi[0]);
    if (r.IndirizziVisti.insert(campi[1]).second) r.Indirizzi.push_back(campi[1]);
    const bool nuovo = r.ComuniVisti.insert(campi[2]).second;
    if (nuovo) r.Comuni.push_back(campi[2]);
    // Fields 4 to 28 are looked at only while the municipality has no code.
    if (nuovo || !r.Codici.contains(campi[2])) {
      const std::string_view codice = Campo(riga, 25);
      if (!codice.empty()) r.Codici.emplace(campi[2], codice);
    }
  }
  return r;
}

}  // namespace calculation
