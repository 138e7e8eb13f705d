#pragma once
// An archive file bound to the hidden list box that holds its lines, in file
// order; a sorted list keeps them sorted (ascending, case ignored) and every
// rewrite writes them in that order. Every change writes the file first and
// touches the list only when the write succeeded; a failure leaves both as
// they were and is shown to the user in a message box.
//
// Windows hand over records (RecordArchivio): a record with a field that
// holds ";", CR or LF would break its line, so it is refused with a message
// and nothing is written.
//
//   FileArchivio archivio(PercorsoApp() + "/tasi.dat", List1, CalcoloRecord::chiaveDi);
//   archivio.Carica();
//   archivio.Archivia(record);  // asks before it overwrites
//   archivio.Elimina(j);        // the last line removes the file
//
// The lines of each file are read and decoded once and shared by every
// window that loads it (RigheCondivise): a window that opens reads the file
// again only when it changed on disk since (another program wrote it), and
// the kit's own writes keep the shared lines as the file now holds them.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shell/RigheArchivio.h"

namespace forms {
class ListBox;
}

namespace shell {

// The shared lines of the archive `Percorso`: read and decoded when first
// asked for, and again only when the file has changed since (another inode,
// size, modification or change time); empty when the file is missing.
// Throws platform::FileError when it cannot be read. Any thread may ask.
std::shared_ptr<const RigheArchivio> RigheCondivise(const std::string& Percorso);

class FileArchivio {
 public:
  // The key of a stored line (RecordArchivio::chiaveDi).
  using ChiaveDi = std::string (*)(std::string_view riga);

  FileArchivio(std::string Percorso, forms::ListBox& Elenco, ChiaveDi Chiave);

  const std::string& Percorso() const { return percorso_; }
  forms::ListBox& Elenco() const { return elenco_; }

  // Empties the list and fills it with the lines of the file, shared with the
  // other windows that read it (none when the file is missing; a sorted list
  // leaves out blank lines, which hold no record); `OgniRiga`, when given,
  // sees each line first, in file order (a window fills its combos from
  // them). False, after the message, when the file cannot be read: the list
  // stays empty.
  bool Carica(const std::function<void(std::string_view Riga)>& OgniRiga = {});
  // The shared lines the last Carica read (none before it, or when it failed).
  const std::shared_ptr<const RigheArchivio>& Lette() const { return lette_; }

  // The index of the first line whose key is `Chiave`, both as an archive
  // stores them (a tab as a space); -1 when none.
  int Trova(std::string_view Chiave) const;

  // The new line of Aggiungi and Sostituisci reaches the file and the list
  // without the characters an archive cannot hold (outside Windows-1252,
  // control characters), a tab as one space.
  //
  // Aggiungi appends the line to the file (a last line without CR LF is ended
  // first), then to the list. A line holding CR or LF is refused with a message.
  bool Aggiungi(const std::string& Riga);
  // Line `Indice` goes and `Riga` is appended at the end (a sorted list: at
  // its sorted place), in one atomic rewrite of the file; then the list
  // follows.
  bool Sostituisci(int Indice, const std::string& Riga);
  // The same for a record, once no field of it holds ";", CR or LF; one that
  // does is refused with a message naming the field, and nothing is written.
  template <class R>
  requires requires(const R& r) { r.campoNonValido(); }
  bool Aggiungi(const R& Record) { return Ammesso(Record) && Aggiungi(Record.toLine()); }
  template <class R>
  requires requires(const R& r) { r.campoNonValido(); }
  bool Sostituisci(int Indice, const R& Record) { return Ammesso(Record) && Sostituisci(Indice, Record.toLine()); }

  // Stores a record: `Riga` is appended when no line has the key `Chiave`;
  // otherwise the user is asked `GiaPresente` + CR LF + "Vuoi sovrascriverlo?"
  // and, on yes, the first line of that key is replaced (Sostituisci). False
  // on no, or when the file cannot be written.
  bool Archivia(std::string_view Chiave, const std::string& Riga, const std::string& GiaPresente = kGiaPresente);
  // The same for a record, once no field of it holds ";", CR or LF.
  template <class R>
  requires requires(const R& r) { r.campoNonValido(); }
  bool Archivia(const R& Record, const std::string& GiaPresente = kGiaPresente) {
    return Ammesso(Record) && Archivia(Record.chiave(), Record.toLine(), GiaPresente);
  }
  static constexpr const char* kGiaPresente = "Questo immobile è già presente nell'archivio.";
  // Line `Indice` goes, in one atomic rewrite; the last line removes the file
  // and flushes its folder (a link to it is kept, pointing to an emptied file).
  bool Elimina(int Indice);

 private:
  template <class R>
  static bool Ammesso(const R& Record) {
    const auto n = Record.campoNonValido();
    if (n) CampoNonAmmesso(R::nomeCampo(*n));
    return !n;
  }
  static void CampoNonAmmesso(std::string_view nome);
  static bool UnaRiga(const std::string& Riga);
  static std::string RigaArchiviabile(std::string_view Riga);
  bool AggiungiRiga(const std::string& riga);
  std::vector<std::string> Righe() const;
  bool Riscrivi(const std::vector<std::string>& righe, const char* messaggio);

  std::string percorso_;
  forms::ListBox& elenco_;
  ChiaveDi chiave_;
  std::shared_ptr<const RigheArchivio> lette_;
};

}  // namespace shell
