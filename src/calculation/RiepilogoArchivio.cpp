#include "calculation/RiepilogoArchivio.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <utility>

#include "calculation/CalcoloRecord.h"
#include "platform/Memory.h"
#include "shell/CampiRiga.h"

namespace calculation {

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

std::string_view CodiceCatastaleDi(std::string_view riga) {
  return shell::CampoDi(riga, CalcoloRecord::kCodiceCatastale);
}

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
    shell::LettoreCampi campi(riga);
    const std::string_view contribuente = campi.Prossimo();
    const std::string_view indirizzo = campi.Prossimo();
    const std::string_view comune = campi.Prossimo();
    if (contribuenti.insert(contribuente)) r.Contribuenti.push_back(contribuente);
    if (r.IndirizziVisti.insert(indirizzo)) r.Indirizzi.push_back(indirizzo);
    const bool nuovo = r.ComuniVisti.insert(comune);
    if (nuovo) r.Comuni.push_back(comune);
    // The fields after the municipality are looked at only while it has no code.
    if (nuovo || !r.Codici.contains(comune)) {
      const std::string_view codice = campi.Campo(CalcoloRecord::kCodiceCatastale - CalcoloRecord::kComuneUbicazione);
      if (!codice.empty()) r.Codici.emplace(comune, codice);
    }
  }
  return r;
}

}  // namespace calculation
