#include "calculation/RiepilogoArchivio.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <utility>

#include "platform/Memory.h"

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

uint32_t InsiemeTesti::Impronta(std::string_view testo) {
  return static_cast<uint32_t>(std::hash<std::string_view>{}(testo));
}

size_t InsiemeTesti::Posto(std::string_view testo, uint32_t impronta) const {
  const size_t maschera = tavola_.size() - 1;
  for (size_t i = impronta & maschera;; i = (i + 1) & maschera) {
    const Voce& v = tavola_[i];
    if (v.lunghezza == kVuota) return i;
    if (v.impronta == impronta && v.lunghezza == testo.size() && std::string_view(v.dati, v.lunghezza) == testo)
      return i;
  }
}

void InsiemeTesti::Cresci(size_t posti) {
  std::vector<Voce> nuova;
  nuova.reserve(posti);
  platform::preferHugePages(nuova.data(), posti * sizeof(Voce));
  nuova.resize(posti);
  std::vector<Voce> vecchia = std::exchange(tavola_, std::move(nuova));
  const size_t maschera = posti - 1;
  for (const Voce& v : vecchia) {
    if (v.lunghezza == kVuota) continue;
    size_t i = v.impronta & maschera;
    while (tavola_[i].lunghezza != kVuota) i = (i + 1) & maschera;
    tavola_[i] = v;
  }
}

void InsiemeTesti::reserve(size_t n) {
  // At most half full.
  const size_t posti = std::bit_ceil(std::max<size_t>(16, 2 * n));
  if (posti > tavola_.size()) Cresci(posti);
}

bool InsiemeTesti::insert(std::string_view testo) {
  if (2 * (contati_ + 1) > tavola_.size()) Cresci(std::max<size_t>(16, 2 * tavola_.size()));
  const uint32_t impronta = Impronta(testo);
  Voce& v = tavola_[Posto(testo, impronta)];
  if (v.lunghezza != kVuota) return false;
  // A field is a part of a line: far below 4 GB.
  v = {testo.data(), static_cast<uint32_t>(testo.size()), impronta};
  ++contati_;
  return true;
}

bool InsiemeTesti::contains(std::string_view testo) const {
  if (tavola_.empty()) return false;
  return tavola_[Posto(testo, Impronta(testo))].lunghezza != kVuota;
}

std::string_view CodiceCatastaleDi(std::string_view riga) { return Campo(riga, 28); }

RiepilogoArchivio Riepiloga(std::shared_ptr<const shell::RigheArchivio> righe) {
  RiepilogoArchivio r;
  r.Righe = std::move(righe);
  if (!r.Righe) return r;
  // An archive has a line per property: room for as many addresses, and a
  // taxpayer or municipality for a few lines each.
  const size_t n = r.Righe->Righe.size();
  InsiemeTesti contribuenti;
  contribuenti.reserve(n / 4);
  r.IndirizziVisti.reserve(n);
  r.ComuniVisti.reserve(1024);
  r.Indirizzi.reserve(n);
  platform::preferHugePages(r.Indirizzi.data(), n * sizeof(std::string_view));
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
    if (contribuenti.insert(campi[0])) r.Contribuenti.push_back(campi[0]);
    if (r.IndirizziVisti.insert(campi[1])) r.Indirizzi.push_back(campi[1]);
    const bool nuovo = r.ComuniVisti.insert(campi[2]);
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
