#pragma once
// An archive file bound to the hidden list box that holds its lines, in file
// order; a sorted list keeps them sorted (ascending, case ignored) and every
// rewrite writes them in that order. Every change writes the file first and
// touches the list only when the write succeeded; a failure leaves both as
// they were and is shown to the user in a message box.
//
//   FileArchivio archivio(PercorsoApp() + "/tasi.dat", List1, CalcoloRecord::chiaveDi);
//   archivio.Carica();
//   archivio.Archivia(record.chiave(), record.toLine());   // asks before it overwrites
//   archivio.Elimina(j);   // the last line removes the file
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace forms {
class ListBox;
}

namespace shell {

class FileArchivio {
 public:
  // The key of a stored line (RecordArchivio::chiaveDi).
  using ChiaveDi = std::string (*)(std::string_view riga);

  FileArchivio(std::string Percorso, forms::ListBox& Elenco, ChiaveDi Chiave);

  const std::string& Percorso() const { return percorso_; }
  forms::ListBox& Elenco() const { return elenco_; }

  // Empties the list and fills it with the lines of the file (none when the
  // file is missing; a sorted list leaves out blank lines, which hold no
  // record); `OgniRiga`, when given, sees each line first, in file order (a
  // window fills its combos from them). False, after the message, when the
  // file cannot be read: the list stays empty.
  bool Carica(const std::function<void(std::string_view Riga)>& OgniRiga = {});

  // The index of the first line whose key is `Chiave`; -1 when none.
  int Trova(std::string_view Chiave) const;

  // Appends the line to the file (a last line without CR LF is ended first),
  // then to the list.
  bool Aggiungi(const std::string& Riga);
  // Line `Indice` goes and `Riga` is appended at the end (a sorted list: at
  // its sorted place), in one atomic rewrite of the file; then the list
  // follows.
  bool Sostituisci(int Indice, const std::string& Riga);
  // Stores a record: `Riga` is appended when no line has the key `Chiave`;
  // otherwise the user is asked `GiaPresente` + CR LF + "Vuoi sovrascriverlo?"
  // and, on yes, the first line of that key is replaced (Sostituisci). False
  // on no, or when the file cannot be written.
  bool Archivia(std::string_view Chiave, const std::string& Riga,
                const std::string& GiaPresente = "Questo immobile è già presente nell'archivio.");
  // Line `Indice` goes, in one atomic rewrite; the last line removes the file
  // (a link to it is kept, pointing to an emptied file).
  bool Elimina(int Indice);

 private:
  std::vector<std::string> Righe() const;
  bool Riscrivi(const std::vector<std::string>& righe, const char* messaggio);

  std::string percorso_;
  forms::ListBox& elenco_;
  ChiaveDi chiave_;
};

}  // namespace shell
