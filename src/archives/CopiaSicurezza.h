#pragma once
// Backup, restore and import of the archives, as plain operations over files.
//
// The three archives ("tasi.dat", "tasicat.dat", "tasif24.dat") are always
// handled in this order and under the same names in both folders. Every file
// is copied byte for byte. A file brought into the program folder (a restore
// or an import) must first hold lines of the archive's own layout; one that
// does not is refused and nothing is replaced. The files of one command are
// written beside their targets first and only then put in place, so a full
// disk or an unreadable source leaves every archive as it was; an archive that
// is a symbolic link stays one (the file it points to gets the new bytes).
// A restore and an import replace their archives as one step: a journal in
// the program folder lets the next start finish them when the program was
// stopped half-way, so the archives are never part old, part new.
//
// Each operation gives back what the user is told: the text of the message
// and whether it reports a failure.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archives/CatastoRecord.h"
#include "calculation/CalcoloRecord.h"
#include "f24/DatiContribuenteF24.h"

namespace archives {

// The backup set, in the order it is handled.
inline constexpr std::array<std::string_view, 3> CopiaSicurezzaArchivi{"tasi.dat", "tasicat.dat", "tasif24.dat"};

// The layout that every non-empty line of an archive must have.
struct Tracciato {
  int campi = 0;           // fields separated by ";"
  bool tipologia = false;  // the type (CatastoRecord::kTipologia) is "", "0", "1" or "2" (the cadastral archive)
};

inline constexpr Tracciato TracciatoCalcolo{calculation::CalcoloRecord::kNumeroCampi, false};  // "tasi.dat"
// "tasicat.dat", "imucat.dat"
inline constexpr Tracciato TracciatoCatasto{CatastoRecord::kNumeroCampi, true};
inline constexpr Tracciato TracciatoF24{f24::DatiContribuenteF24::kNumeroCampi, false};  // "tasif24.dat", "imuf24.dat"

// The layout of one of the three archives, by its name.
Tracciato TracciatoArchivio(std::string_view nome);

// Nothing when the bytes hold at least one line and every non-empty line is
// one the program's readers load as a record: text (tabs allowed, no other
// control character), at least the record's fields, any beyond them empty (a
// trailing ";"), the last line with or without its line end. Otherwise the
// fault, naming `percorso` and the line counted from 1, as in
// `La riga 3 del file "/media/imucat.dat" ha 17 campi invece di 18.`
std::optional<std::string> ControllaTracciato(std::string_view byte, const std::string& percorso, Tracciato tracciato);

// What the user is told after a command.
struct Esito {
  std::string messaggio;
  bool errore = false;               // the message reports a failure
  std::vector<std::string> copiati;  // the names written, in order
};

// The archives of the set that can be read in `cartella`, in order.
std::vector<std::string> ArchiviPresenti(const std::string& cartella);

// Copies every readable archive of `cartellaProgramma` that holds a record
// into `destinazione`, replacing older copies (an empty one is as if missing).
// "Copia di sicurezza effettuata." and the count on success.
Esito SalvaArchivi(const std::string& cartellaProgramma, const std::string& destinazione);

// Copies every archive found in `origine` into `cartellaProgramma`, replacing
// the archives there, once all of them have passed the layout check. An
// empty file there is skipped and named in the message; an entry of one of
// the three names that is not a regular file (a folder, a named pipe, a
// device) is refused, unread, and nothing is replaced.
// "Copia di sicurezza ripristinate." and the count on success; a folder
// without any of them gives its own notice. A failure after the first
// archive is in place leaves the rest to the next start, and says so.
Esito RipristinaArchivi(const std::string& origine, const std::string& cartellaProgramma);

// Copies `file` over the archive `archivio` (a full path) once it has passed
// the layout check; `riuscito` is the message on success. A file that is not
// a regular file is refused unread; an empty one leaves the archive as it is,
// with a notice.
Esito ImportaArchivio(const std::string& file, const std::string& archivio, Tracciato tracciato,
                      const std::string& riuscito);

// At start, once the instance lock is held and before any window reads an
// archive: finishes a restore or an import that the program was stopped in
// the middle of, and says which archives it replaced. A journal that cannot be
// read, or a set that cannot be put in place whole, is said once (which
// archives, that they are as before or as far as the step came, that it can
// be run again) and set aside, so the next start says nothing. Nothing when
// there was none.
std::optional<Esito> CompletaSostituzioneInterrotta(const std::string& cartellaProgramma);

// At start, after CompletaSostituzioneInterrotta: what an interrupted save
// left in an archive of the set goes. The NUL bytes at its end (a power cut
// during an append; never text) are cut, and an empty file (a stop between
// creating an archive and writing its first line) is removed: an archive
// without records is one that is not there, as when its last record is
// deleted. A link to an emptied file stays. Silent: an archive that cannot be
// mended is reported by the window that reads it.
void SistemaArchivi(const std::string& cartellaProgramma);

}  // namespace archives
