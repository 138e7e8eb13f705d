#include "archives/CopiaSicurezza.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "platform/Cp1252.h"
#include "platform/Files.h"
#include "platform/Lines.h"
#include "shell/CampiRiga.h"

namespace archives {
namespace {

// What a restore and an import write in the journal of their replacement.
constexpr const char* kRipristino = "ripristino";
constexpr const char* kImportazione = "importazione";

std::string nomeDi(const std::string& percorso) { return percorso.substr(percorso.rfind('/') + 1); }

std::string cartellaDi(const std::string& percorso) {
  const size_t barra = percorso.rfind('/');
  if (barra == std::string::npos) return ".";
  return barra == 0 ? "/" : percorso.substr(0, barra);
}

// Writes every file beside its target, then puts them in place as one step:
// with a journal in `cartellaDiario` (when not empty) that the next start
// finishes should the program be stopped half-way. `fatti` receives the names
// put in place. A failure while writing leaves every target as it was; one
// after the first file is in place leaves the rest to the next start, when
// there is a journal: its text is given back then ("" when all is in place).
std::string MettiAlPosto(const std::vector<platform::NewFile>& nuovi, const std::string& cartellaDiario,
                         const char* operazione, std::vector<std::string>& fatti) {
  std::vector<std::string> percorsi;
  try {
    platform::replaceFiles(nuovi, cartellaDiario, operazione, percorsi);
  } catch (const platform::FileError& e) {
    // `percorsi` follows the order of `nuovi` (a link's own name is the one shown).
    for (size_t i = 0; i < percorsi.size(); ++i) fatti.push_back(nomeDi(nuovi[i].path));
    if (!cartellaDiario.empty() && !percorsi.empty() && percorsi.size() < nuovi.size()) return e.what();
    throw;
  }
  for (const auto& f : nuovi) fatti.push_back(nomeDi(f.path));
  return "";
}

// Why a file could not be read, written or put in place, in the user's words.
std::string Motivo(int errore) {
  switch (errore) {
    case ENOENT:
      return "il file non esiste";
    case EISDIR:
      return "è una cartella";
    case EACCES:
    case EPERM:
      return "accesso negato";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return "lo spazio su disco è esaurito";
    case EROFS:
      return "il disco è di sola lettura";
    case EIO:
      return "errore di lettura o scrittura del disco";
    case EBUSY:
      return "il file è in uso";
    default:
      return std::error_code(errore, std::generic_category()).message();
  }
}

// Nothing when `percorso` is missing or a regular file (after links);
// otherwise why it is no archive to bring in. Looks without opening.
std::optional<std::string> NonUnFile(const std::string& percorso) {
  struct stat st {};
  if (::stat(percorso.c_str(), &st) != 0 || S_ISREG(st.st_mode)) return std::nullopt;
  const char* cosa = S_ISDIR(st.st_mode)    ? "una cartella"
                     : S_ISFIFO(st.st_mode) ? "una pipe con nome"
                     : S_ISSOCK(st.st_mode) ? "un socket"
                                            : "un dispositivo";
  return "Il file \"" + percorso + "\" non è un file di dati ma " + cosa + ".";
}

// A file that holds no record (empty, or line ends only).
bool SenzaRecord(std::string_view byte) { return byte.find_first_not_of("\r\n") == std::string_view::npos; }

// "tasi.dat, tasicat.dat"
std::string elenco(const std::vector<std::string>& nomi) {
  std::string testo;
  for (const auto& n : nomi) testo += (testo.empty() ? "" : ", ") + n;
  return testo;
}

// What had been done when a command failed.
std::string giaFatti(const std::vector<std::string>& fatti, const char* nessuno, const char* uno, const char* piu) {
  if (fatti.empty()) return nessuno;
  return std::string(fatti.size() == 1 ? uno : piu) + elenco(fatti) + ".";
}

// "Salvato 1 archivio." / "Salvati 3 archivi."
std::string conteggio(size_t n, const char* singolare, const char* plurale) {
  if (n == 1) return std::string(singolare) + " 1 archivio.";
  return std::string(plurale) + " " + std::to_string(n) + " archivi.";
}

}  // namespace

Tracciato TracciatoArchivio(std::string_view nome) {
  if (nome == "tasicat.dat") return TracciatoCatasto;
  if (nome == "tasif24.dat") return TracciatoF24;
  return TracciatoCalcolo;
}

std::optional<std::string> ControllaTracciato(std::string_view byte, const std::string& percorso, Tracciato tracciato) {
  const std::string file = "del file \"" + percorso + "\"";
  int numero = 0;
  bool righe = false;
  // Lines end as the archives' readers end them: CR LF, LF or CR.
  platform::LineReader lettore(byte);
  for (std::string_view riga; lettore.next(riga);) {
    ++numero;
    if (riga.empty()) continue;
    righe = true;
    const std::string prefisso = "La riga " + std::to_string(numero) + " " + file;
    // Text only, as an archive's field holds it (a tab, stored as a space,
    // included): a control character means a file of another kind.
    for (const char c : riga) {
      const auto u = static_cast<unsigned char>(c);
      if (!platform::archiveFieldChar(platform::cp1252ToCodePoint(u)))
        return prefisso + " contiene un carattere non ammesso (codice " + std::to_string(u) + ").";
    }
    // As the readers take a line: the fields it lacks would be empty, those
    // beyond the record's last are left out. A short line or one with more
    // data than the record holds is of another layout.
    int n = 0;
    bool oltre = false;
    std::string_view tipo;
    for (shell::LettoreCampi campi(riga); !campi.Finito();) {
      const std::string_view campo = campi.Prossimo();
      if (++n == CatastoRecord::kTipologia) tipo = campo;
      if (n > tracciato.campi && !campo.empty()) oltre = true;
    }
    if (n < tracciato.campi || oltre)
      return prefisso + " ha " + std::to_string(n) + (n == 1 ? " campo" : " campi") + " invece di " +
             std::to_string(tracciato.campi) + ".";
    // The cadastral window shows an empty type as a building.
    if (tracciato.tipologia) {
      if (tipo != "" && tipo != "0" && tipo != "1" && tipo != "2")
        return prefisso + " ha la tipologia \"" + std::string(tipo) + "\" invece di 0, 1 o 2.";
    }
  }
  if (!righe) return "Il file \"" + percorso + "\" è vuoto.";
  return std::nullopt;
}

std::vector<std::string> ArchiviPresenti(const std::string& cartella) {
  std::vector<std::string> presenti;
  for (const auto nome : CopiaSicurezzaArchivi)
    if (platform::fileReadable(cartella + "/" + std::string(nome))) presenti.emplace_back(nome);
  return presenti;
}

Esito SalvaArchivi(const std::string& cartellaProgramma, const std::string& destinazione) {
  Esito esito;
  std::vector<platform::NewFile> file;
  try {
    for (const auto& nome : ArchiviPresenti(cartellaProgramma)) {
      platform::NewFile f{destinazione + "/" + nome, platform::readFile(cartellaProgramma + "/" + nome)};
      // An archive without records is one that is not there: its copy could not be restored.
      if (!SenzaRecord(f.bytes)) file.push_back(std::move(f));
    }
    if (file.empty()) return {"La cartella del programma non contiene nessun archivio.", false, {}};
    MettiAlPosto(file, "", "", esito.copiati);
  } catch (const platform::FileError& e) {
    esito.errore = true;
    esito.messaggio =
        "Copia di sicurezza non riuscita.\r\n" + std::string(e.what()) + "\r\n" +
        giaFatti(esito.copiati, "Nessun archivio è stato copiato.", "Archivio già copiato: ", "Archivi già copiati: ");
    return esito;
  }
  esito.messaggio = "Copia di sicurezza effettuata.\r\n" + conteggio(esito.copiati.size(), "Salvato", "Salvati");
  return esito;
}

Esito RipristinaArchivi(const std::string& origine, const std::string& cartellaProgramma) {
  Esito esito;
  std::vector<platform::NewFile> file;
  // The empty files of the backup: skipped, and said.
  std::string vuoti;
  constexpr const char* kAnnullato = "\r\nRipristino annullato: nessun archivio è stato sostituito.";
  try {
    for (const auto nome : CopiaSicurezzaArchivi) {
      const std::string percorso = origine + "/" + std::string(nome);
      // Only a regular file is read: a pipe or a device could hang the program.
      if (auto errore = NonUnFile(percorso)) return {*errore + kAnnullato, true, {}};
      if (!platform::fileReadable(percorso)) continue;
      platform::NewFile f{cartellaProgramma + "/" + std::string(nome), platform::readFile(percorso)};
      if (SenzaRecord(f.bytes)) {
        vuoti += "\r\nIl file \"" + percorso + "\" è vuoto: " + std::string(nome) + " non è stato ripristinato.";
        continue;
      }
      if (auto errore = ControllaTracciato(f.bytes, percorso, TracciatoArchivio(nome)))
        return {*errore + kAnnullato, true, {}};
      file.push_back(std::move(f));
    }
    if (file.empty())
      return {"La cartella selezionata non conteneva nessun archivio.\r\nSeleziona una cartella valida." + vuoti,
              false,
              {}};
    if (const std::string resto = MettiAlPosto(file, cartellaProgramma, kRipristino, esito.copiati); !resto.empty()) {
      esito.errore = true;
      esito.messaggio = "Ripristino non riuscito.\r\n" + resto + "\r\n" +
                        giaFatti(esito.copiati, "", "Archivio già ripristinato: ", "Archivi già ripristinati: ") +
                        "\r\nIl ripristino sarà completato al prossimo avvio del programma.";
      return esito;
    }
  } catch (const platform::FileError& e) {
    esito.errore = true;
    esito.messaggio = "Ripristino non riuscito.\r\n" + std::string(e.what()) + "\r\n" +
                      giaFatti(esito.copiati, "Nessun archivio è stato sostituito.",
                               "Archivio già ripristinato: ", "Archivi già ripristinati: ");
    return esito;
  }
  esito.messaggio =
      "Copia di sicurezza ripristinate.\r\n" + conteggio(esito.copiati.size(), "Ripristinato", "Ripristinati") + vuoti;
  return esito;
}

Esito ImportaArchivio(const std::string& file, const std::string& archivio, Tracciato tracciato,
                      const std::string& riuscito) {
  Esito esito;
  constexpr const char* kAnnullata = "\r\nImportazione annullata: l'archivio non è stato modificato.";
  try {
    // Only a regular file is read: a pipe or a device could hang the program.
    if (auto errore = NonUnFile(file)) return {*errore + kAnnullata, true, {}};
    std::string byte = platform::readFile(file);
    if (SenzaRecord(byte))
      return {"Il file \"" + file + "\" è vuoto: non c'è nulla da importare.\r\nL'archivio non è stato modificato.",
              false,
              {}};
    if (auto errore = ControllaTracciato(byte, file, tracciato)) return {*errore + kAnnullata, true, {}};
    std::vector<platform::NewFile> nuovo;
    nuovo.push_back({archivio, std::move(byte)});
    MettiAlPosto(nuovo, cartellaDi(archivio), kImportazione, esito.copiati);
  } catch (const platform::FileError& e) {
    return {
        "Importazione non riuscita.\r\n" + std::string(e.what()) + "\r\nL'archivio non è stato modificato.", true, {}};
  }
  esito.messaggio = riuscito;
  return esito;
}

namespace {

// The words of the message for the step a journal names.
struct Passo {
  const char* nome;             // "Il ripristino degli archivi, interrotto nell'ultima sessione,"
  const char* nonCompletabile;  // " non può essere completato"
  const char* nonCompletato;    // " non è stato completato."
  const char* prima;            // "prima del ripristino"
  const char* ripetibile;       // "Il ripristino può essere eseguito di nuovo."
};

Passo PassoDi(const std::string& etichetta) {
  if (etichetta == kImportazione)
    return {"L'importazione dell'archivio, interrotta nell'ultima sessione,", " non può essere completata",
            " non è stata completata.", "prima dell'importazione", "L'importazione può essere eseguita di nuovo."};
  if (etichetta == kRipristino)
    return {"Il ripristino degli archivi, interrotto nell'ultima sessione,", " non può essere completato",
            " non è stato completato.", "prima del ripristino", "Il ripristino può essere eseguito di nuovo."};
  return {"Il ripristino o l'importazione degli archivi, interrotti nell'ultima sessione,",
          " non possono essere completati", " non sono stati completati.", "prima del ripristino o dell'importazione",
          "Il ripristino o l'importazione possono essere eseguiti di nuovo."};
}

// Why the journal could not be used.
std::string MotivoGiornale(int errore) {
  switch (errore) {
    case ENODATA:
      return "è vuoto";
    case EBADMSG:
      return "è danneggiato";
    case EISDIR:
      return "è una cartella";
    case EINVAL:
      return "non è un file";
    default:
      return "non può essere letto (" + Motivo(errore) + ")";
  }
}

// Why a file of the set could not be put in place.
std::string MotivoFile(int errore) {
  switch (errore) {
    case ENOENT:
      return "il nuovo file manca";
    case EISDIR:
      return "al posto del nuovo file c'è una cartella";
    case EINVAL:
      return "al posto del nuovo file c'è qualcosa che non è un file";
    default:
      return Motivo(errore);
  }
}

}  // namespace

std::optional<Esito> CompletaSostituzioneInterrotta(const std::string& cartellaProgramma) {
  const std::optional<platform::FinishedReplacement> finita = platform::finishInterruptedReplacement(cartellaProgramma);
  if (!finita) return std::nullopt;
  Esito esito;
  for (const auto& p : finita->paths) esito.copiati.push_back(nomeDi(p));
  const bool uno = esito.copiati.size() == 1;
  const std::string giornale = cartellaProgramma + "/" + platform::kReplacementJournal;
  const Passo passo = PassoDi(finita->label);
  const bool importazione = finita->label == kImportazione;
  // Where the journal went, as the last line.
  const std::string spostato =
      !finita->setAside.empty() ? "\r\nIl registro è stato spostato in \"" + finita->setAside + "\"."
      : finita->setAsideError
          ? "\r\nImpossibile spostare il registro \"" + giornale + "\": " + Motivo(finita->setAsideError) + "."
          : "";

  if (finita->journalError) {
    std::vector<std::string> nomi;
    for (const auto& p : finita->named) nomi.push_back(nomeDi(p));
    esito.errore = true;
    esito.messaggio =
        std::string(passo.nome) + passo.nonCompletabile + ": il registro \"" + giornale + "\" " +
        MotivoGiornale(finita->journalError) + ".\r\n" +
        (nomi.empty() ? std::string("Non si sa quali archivi riguardava.")
                      : std::string(nomi.size() == 1 ? "Archivio interessato: " : "Archivi interessati: ") +
                            elenco(nomi) + ".") +
        "\r\nGli archivi sono come erano " + passo.prima + " o come li aveva lasciati l'operazione interrotta.\r\n" +
        passo.ripetibile + spostato;
    return esito;
  }
  if (!finita->failed.empty()) {
    esito.errore = true;
    esito.messaggio = std::string(passo.nome) + passo.nonCompletato;
    if (!esito.copiati.empty())
      esito.messaggio +=
          std::string(importazione ? (uno ? "\r\nArchivio importato: " : "\r\nArchivi importati: ")
                                   : (uno ? "\r\nArchivio ripristinato: " : "\r\nArchivi ripristinati: ")) +
          elenco(esito.copiati) + ".";
    for (const auto& f : finita->failed)
      esito.messaggio += "\r\nImpossibile mettere al suo posto " + nomeDi(f.path) + ": " + MotivoFile(f.error) +
                         "; l'archivio è rimasto com'era.";
    esito.messaggio += std::string("\r\n") + passo.ripetibile + spostato;
    return esito;
  }
  if (importazione)
    esito.messaggio = "L'importazione dell'archivio, interrotta nell'ultima sessione, è stata completata.\r\n" +
                      std::string(uno ? "Archivio importato: " : "Archivi importati: ") + elenco(esito.copiati) + ".";
  else
    esito.messaggio = "Il ripristino degli archivi, interrotto nell'ultima sessione, è stato completato.\r\n" +
                      std::string(uno ? "Archivio ripristinato: " : "Archivi ripristinati: ") + elenco(esito.copiati) +
                      ".";
  return esito;
}

void SistemaArchivi(const std::string& cartellaProgramma) {
  for (const auto nome : CopiaSicurezzaArchivi) {
    const std::string percorso = cartellaProgramma + "/" + std::string(nome);
    try {
      struct stat st {};
      if (::stat(percorso.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
      if (st.st_size > 0) platform::trimTrailingNuls(percorso);
      // A link stays a link: the program keeps it, pointing to an emptied file.
      if (!platform::isSymlink(percorso) && ::stat(percorso.c_str(), &st) == 0 && st.st_size == 0)
        platform::removeFileDurably(percorso);
    } catch (const platform::FileError&) {
      // The window that uses the archive says what is wrong with it.
    }
  }
}

}  // namespace archives
