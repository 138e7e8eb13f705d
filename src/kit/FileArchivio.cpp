#include "kit/FileArchivio.h"

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <utility>

#include "forms/Controls.h"
#include "platform/Cp1252.h"
#include "platform/Files.h"
#include "kit/Messaggi.h"

namespace shell {

namespace {

constexpr const char* kNonArchiviato = "Impossibile archiviare i dati.\r\n";
constexpr const char* kNonEliminato = "Impossibile eliminare i dati.\r\n";

// The shared lines of one file and the state of the file they belong to.
struct Copia {
  platform::FileStamp stato;
  // Read in the same tick of the file clock as the file's last change: a
  // change in that tick would leave the stamp as it is, so it is read again.
  bool recente = false;
  std::shared_ptr<const RigheArchivio> righe;
};

struct Copie {
  std::mutex mutex;
  std::unordered_map<std::string, Copia> perPercorso;
};

Copie& copie() {
  static Copie c;
  return c;
}

// The lines of a decoded text, which they keep.
std::shared_ptr<const RigheArchivio> Dividi(std::string decodificato) {
  auto righe = std::make_shared<RigheArchivio>();
  auto testo = std::make_shared<const std::string>(std::move(decodificato));
  righe->Righe = platform::splitLines(*testo);
  righe->Testi.push_back(std::move(testo));
  return righe;
}

// The lines of Windows-1252 bytes, decoded into one text.
std::shared_ptr<const RigheArchivio> Decodifica(std::string_view byte) { return Dividi(platform::cp1252ToUtf8(byte)); }

// The shared lines of `percorso` while they are still those of the file as it
// stands (`stato`); nullptr when the file changed since, or may have changed
// in the tick they were read in. Called with the lock held.
std::shared_ptr<const RigheArchivio> Valida(Copie& c, const std::string& percorso, const platform::FileStamp& stato) {
  const auto trovata = c.perPercorso.find(percorso);
  if (trovata == c.perPercorso.end() || trovata->second.recente || !(trovata->second.stato == stato)) return nullptr;
  return trovata->second.righe;
}

// After a write of the kit: the file holds `righe` now (nullptr: its state is
// unknown, it is read again when next asked for).
void Scritto(const std::string& percorso, std::shared_ptr<const RigheArchivio> righe) {
  Copie& c = copie();
  const std::lock_guard blocco(c.mutex);
  const std::optional<platform::FileStamp> stato = platform::fileStamp(percorso);
  if (!righe || !stato)
    c.perPercorso.erase(percorso);
  else
    c.perPercorso[percorso] = {*stato, false, std::move(righe)};
}

}  // namespace

std::shared_ptr<const RigheArchivio> RigheCondivise(const std::string& Percorso) {
  static const auto kNessuna = std::make_shared<const RigheArchivio>();
  Copie& c = copie();
  const std::lock_guard blocco(c.mutex);
  const std::optional<platform::FileStamp> stato = platform::fileStamp(Percorso);
  if (!stato) {
    c.perPercorso.erase(Percorso);
    return kNessuna;
  }
  if (auto valida = Valida(c, Percorso, *stato)) return valida;
  const long long inizio = platform::fileClockNow();
  platform::FileStamp letto;
  std::string testo = platform::readTextFile(Percorso, letto);
  Copia& copia = c.perPercorso[Percorso];
  copia = {letto, platform::recentlyChanged(letto, inizio), Dividi(std::move(testo))};
  return copia.righe;
}

FileArchivio::FileArchivio(std::string Percorso, forms::ListBox& Elenco, ChiaveDi Chiave)
    : percorso_(std::move(Percorso)), elenco_(Elenco), chiave_(Chiave) {}

bool FileArchivio::Carica(const std::function<void(std::string_view)>& OgniRiga) {
  elenco_.Clear();
  lette_ = nullptr;
  // A missing archive is an empty one.
  if (!platform::fileReadable(percorso_)) {
    lette_ = std::make_shared<const RigheArchivio>();
    return true;
  }
  std::shared_ptr<const RigheArchivio> copia;
  try {
    copia = RigheCondivise(percorso_);
  } catch (const platform::FileError& e) {
    Messaggio(e.what(), forms::vbExclamation);
    return false;
  }
  // The list refers to the shared lines, without copies.
  const bool ordinato = elenco_.Sorted();
  std::vector<std::string_view> senzaVuote;
  if (ordinato) {
    senzaVuote.reserve(copia->Righe.size());
    for (const std::string_view riga : copia->Righe)
      if (!riga.empty()) senzaVuote.push_back(riga);
  }
  const std::vector<std::string_view>& righe = ordinato ? senzaVuote : copia->Righe;
  if (OgniRiga)
    for (const std::string_view riga : righe) OgniRiga(riga);
  // All at once: a sorted list sorts them once, and the view is told once.
  elenco_.AddItems(righe, copia);
  lette_ = std::move(copia);
  return true;
}

int FileArchivio::Trova(std::string_view Chiave) const {
  // Both keys as an archive stores them: a line brought in by a restore may
  // hold a tab where the kit writes a space.
  const std::string cercata = RigaArchiviabile(Chiave);
  for (int i = 0; i < elenco_.ListCount(); ++i) {
    const std::string chiave = chiave_(elenco_.ListText(i));
    if (platform::changedAsArchiveField(chiave) ? RigaArchiviabile(chiave) == cercata : chiave == cercata) return i;
  }
  return -1;
}

std::vector<std::string> FileArchivio::Righe() const {
  std::vector<std::string> righe;
  righe.reserve(static_cast<size_t>(elenco_.ListCount()) + 1);
  for (int i = 0; i < elenco_.ListCount(); ++i) righe.push_back(elenco_.List(i));
  return righe;
}

bool FileArchivio::Riscrivi(const std::vector<std::string>& righe, const char* messaggio) {
  std::string byte;
  try {
    byte = platform::encodeLines(righe);
    platform::writeFileAtomic(percorso_, byte);
  } catch (const platform::FileError& e) {
    Scritto(percorso_, nullptr);
    Messaggio(messaggio + std::string(e.what()), forms::vbCritical);
    return false;
  }
  Scritto(percorso_, Decodifica(byte));
  return true;
}

void FileArchivio::CampoNonAmmesso(std::string_view nome) {
  Messaggio(kNonArchiviato + ("Il campo \"" + std::string(nome) +
                              "\" contiene un carattere non ammesso (\";\" o un ritorno a capo)."),
            forms::vbExclamation);
}

// A line break inside a line would make two of it.
bool FileArchivio::UnaRiga(const std::string& Riga) {
  if (Riga.find_first_of("\r\n") == std::string::npos) return true;
  Messaggio(std::string(kNonArchiviato) + "La riga contiene un ritorno a capo.", forms::vbExclamation);
  return false;
}

// A line reaches the file, and the list, with only the characters an archive
// holds: no character outside Windows-1252, no control character, a tab as
// one space.
std::string FileArchivio::RigaArchiviabile(std::string_view Riga) {
  return platform::changedAsArchiveField(Riga) ? platform::archiveFieldText(Riga) : std::string(Riga);
}

bool FileArchivio::Aggiungi(const std::string& Riga) {
  if (!UnaRiga(Riga)) return false;
  return AggiungiRiga(RigaArchiviabile(Riga));
}

bool FileArchivio::AggiungiRiga(const std::string& riga) {
  // The shared lines grow by the line when they were those of the file
  // just before it.
  std::shared_ptr<const RigheArchivio> prima;
  {
    Copie& c = copie();
    const std::lock_guard blocco(c.mutex);
    const auto stato = platform::fileStamp(percorso_);
    prima = stato ? Valida(c, percorso_, *stato) : std::make_shared<const RigheArchivio>();
  }
  try {
    platform::appendLine(percorso_, riga);
  } catch (const platform::FileError& e) {
    Scritto(percorso_, nullptr);
    Messaggio(kNonArchiviato + std::string(e.what()), forms::vbCritical);
    return false;
  }
  std::shared_ptr<RigheArchivio> dopo;
  if (prima) {
    dopo = std::make_shared<RigheArchivio>(*prima);
    auto testo = std::make_shared<const std::string>(platform::cp1252ToUtf8(platform::utf8ToCp1252(riga)));
    dopo->Righe.push_back(*testo);
    dopo->Testi.push_back(std::move(testo));
  }
  Scritto(percorso_, std::move(dopo));
  elenco_.AddItem(riga);
  return true;
}

bool FileArchivio::Archivia(std::string_view Chiave, const std::string& Riga, const std::string& GiaPresente) {
  // The key as the stored lines hold it: what an archive cannot hold never
  // reached them.
  const int i = Trova(Chiave);
  if (i < 0) return Aggiungi(Riga);
  if (!Domanda(GiaPresente + "\r\nVuoi sovrascriverlo?")) return false;
  return Sostituisci(i, Riga);
}

bool FileArchivio::Sostituisci(int Indice, const std::string& Riga) {
  if (Indice < 0 || Indice >= elenco_.ListCount()) return Aggiungi(Riga);
  if (!UnaRiga(Riga)) return false;
  const std::string riga = RigaArchiviabile(Riga);
  std::vector<std::string> righe = Righe();
  righe.erase(righe.begin() + Indice);
  // A sorted list puts the line after every line that is not greater (case
  // ignored); the file takes the order of the list.
  const auto dove =
      elenco_.Sorted()
          ? std::upper_bound(righe.begin(), righe.end(), riga,
                             [](const std::string& a, const std::string& b) { return forms::compareNoCase(a, b) < 0; })
          : righe.end();
  righe.insert(dove, riga);
  if (!Riscrivi(righe, kNonArchiviato)) return false;
  elenco_.RemoveItem(Indice);
  elenco_.AddItem(riga);
  return true;
}

bool FileArchivio::Elimina(int Indice) {
  if (Indice < 0 || Indice >= elenco_.ListCount()) return false;
  // The last line takes the file with it; an archive that is a link stays
  // one, emptied.
  if (elenco_.ListCount() == 1 && !platform::isSymlink(percorso_)) {
    // The removal lasts only once the folder is flushed: the record cannot
    // come back after a power cut.
    try {
      platform::removeFileDurably(percorso_);
    } catch (const platform::FileError& e) {
      Scritto(percorso_, nullptr);
      Messaggio(std::string(kNonEliminato) + e.what(), forms::vbCritical);
      return false;
    }
    Scritto(percorso_, nullptr);
  } else {
    std::vector<std::string> righe = Righe();
    righe.erase(righe.begin() + Indice);
    if (!Riscrivi(righe, kNonEliminato)) return false;
  }
  elenco_.RemoveItem(Indice);
  return true;
}

}  // namespace shell
