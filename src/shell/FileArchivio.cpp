#include "shell/FileArchivio.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "forms/Controls.h"
#include "platform/Cp1252.h"
#include "platform/Files.h"
#include "shell/Messaggi.h"

namespace shell {

namespace {

constexpr const char* kNonArchiviato = "Impossibile archiviare i dati.\r\n";
constexpr const char* kNonEliminato = "Impossibile eliminare i dati.\r\n";

}  // namespace

FileArchivio::FileArchivio(std::string Percorso, forms::ListBox& Elenco, ChiaveDi Chiave)
    : percorso_(std::move(Percorso)), elenco_(Elenco), chiave_(Chiave) {}

bool FileArchivio::Carica(const std::function<void(std::string_view)>& OgniRiga) {
  elenco_.Clear();
  // A missing archive is an empty one.
  if (!platform::fileReadable(percorso_)) return true;
  std::vector<std::string> righe;
  try {
    righe = platform::readLines(percorso_);
  } catch (const platform::FileError& e) {
    Messaggio(e.what(), forms::vbExclamation);
    return false;
  }
  if (elenco_.Sorted()) std::erase_if(righe, [](const std::string& riga) { return riga.empty(); });
  if (OgniRiga)
    for (const std::string& riga : righe) OgniRiga(riga);
  // All at once: a sorted list sorts them once, and the view is told once.
  elenco_.AddItems(std::move(righe));
  return true;
}

int FileArchivio::Trova(std::string_view Chiave) const {
  for (int i = 0; i < elenco_.ListCount(); ++i)
    if (chiave_(elenco_.List(i)) == Chiave) return i;
  return -1;
}

std::vector<std::string> FileArchivio::Righe() const {
  std::vector<std::string> righe;
  righe.reserve(static_cast<size_t>(elenco_.ListCount()) + 1);
  for (int i = 0; i < elenco_.ListCount(); ++i) righe.push_back(elenco_.List(i));
  return righe;
}

bool FileArchivio::Riscrivi(const std::vector<std::string>& righe, const char* messaggio) {
  try {
    platform::writeLinesAtomic(percorso_, righe);
  } catch (const platform::FileError& e) {
    Messaggio(messaggio + std::string(e.what()), forms::vbCritical);
    return false;
  }
  return true;
}

void FileArchivio::CampoNonAmmesso(std::string_view nome) {
  Messaggio(kNonArchiviato + ("Il campo \"" + std::string(nome) + "\" contiene un carattere non ammesso (\";\" o un ritorno a capo)."),
            forms::vbExclamation);
}

// A line break inside a line would make two of it.
bool FileArchivio::UnaRiga(const std::string& Riga) {
  if (Riga.find_first_of("\r\n") == std::string::npos) return true;
  Messaggio(std::string(kNonArchiviato) + "La riga contiene un ritorno a capo.", forms::vbExclamation);
  return false;
}

// A line reaches the file, and the list, with only the characters an archive
// holds: no character outside Windows-1252, no control character.
std::string FileArchivio::RigaArchiviabile(std::string_view Riga) { return platform::onlyCp1252Printable(Riga); }

bool FileArchivio::Aggiungi(const std::string& Riga) {
  if (!UnaRiga(Riga)) return false;
  return AggiungiRiga(RigaArchiviabile(Riga));
}

bool FileArchivio::AggiungiRiga(const std::string& riga) {
  try {
    platform::appendLine(percorso_, riga);
  } catch (const platform::FileError& e) {
    Messaggio(kNonArchiviato + std::string(e.what()), forms::vbCritical);
    return false;
  }
  elenco_.AddItem(riga);
  return true;
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
    if (!platform::removeFile(percorso_) && errno != ENOENT) {
      Messaggio(
          std::string(kNonEliminato) + platform::FileError(errno, "Impossibile eliminare il file", percorso_).what(),
          forms::vbCritical);
      return false;
    }
  } else {
    std::vector<std::string> righe = Righe();
    righe.erase(righe.begin() + Indice);
    if (!Riscrivi(righe, kNonEliminato)) return false;
  }
  elenco_.RemoveItem(Indice);
  return true;
}

}  // namespace shell
