#include "shell/FileArchivio.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "forms/Controls.h"
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

bool FileArchivio::Aggiungi(const std::string& Riga) {
  try {
    platform::appendLine(percorso_, Riga);
  } catch (const platform::FileError& e) {
    Messaggio(kNonArchiviato + std::string(e.what()), forms::vbCritical);
    return false;
  }
  elenco_.AddItem(Riga);
  return true;
}

bool FileArchivio::Archivia(std::string_view Chiave, const std::string& Riga, const std::string& GiaPresente) {
  const int i = Trova(Chiave);
  if (i < 0) return Aggiungi(Riga);
  if (!Domanda(GiaPresente + "\r\nVuoi sovrascriverlo?")) return false;
  return Sostituisci(i, Riga);
}

bool FileArchivio::Sostituisci(int Indice, const std::string& Riga) {
  if (Indice < 0 || Indice >= elenco_.ListCount()) return Aggiungi(Riga);
  std::vector<std::string> righe = Righe();
  righe.erase(righe.begin() + Indice);
  // A sorted list puts the line after every line that is not greater (case
  // ignored); the file takes the order of the list.
  const auto dove =
      elenco_.Sorted()
          ? std::upper_bound(righe.begin(), righe.end(), Riga,
                             [](const std::string& a, const std::string& b) { return forms::compareNoCase(a, b) < 0; })
          : righe.end();
  righe.insert(dove, Riga);
  if (!Riscrivi(righe, kNonArchiviato)) return false;
  elenco_.RemoveItem(Indice);
  elenco_.AddItem(Riga);
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
