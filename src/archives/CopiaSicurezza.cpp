#include "archives/CopiaSicurezza.h"

#include <algorithm>
#include <system_error>

#include "platform/Files.h"
#include "shell/RecordArchivio.h"

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
// put in place. A failure while writing leaves every target as it was.
void MettiAlPosto(const std::vector<platform::NewFile>& nuovi, const std::string& cartellaDiario,
                  const char* operazione, std::vector<std::string>& fatti) {
  std::vector<std::string> percorsi;
  try {
    platform::replaceFiles(nuovi, cartellaDiario, operazione, percorsi);
  } catch (...) {
    // `percorsi` follows the order of `nuovi` (a link's own name is the one shown).
    for (size_t i = 0; i < percorsi.size(); ++i) fatti.push_back(nomeDi(nuovi[i].path));
    throw;
  }
  for (const auto& f : nuovi) fatti.push_back(nomeDi(f.path));
}

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
  size_t inizio = 0;
  while (inizio < byte.size()) {
    // Lines end as the archives' readers end them: CR LF, LF or CR.
    size_t fine = byte.find_first_of("\r\n", inizio);
    if (fine == std::string_view::npos) fine = byte.size();
    const std::string_view riga = byte.substr(inizio, fine - inizio);
    ++numero;
    inizio = fine + (fine + 1 < byte.size() && byte[fine] == '\r' && byte[fine + 1] == '\n' ? 2 : 1);
    if (riga.empty()) continue;
    righe = true;
    const std::string prefisso = "La riga " + std::to_string(numero) + " " + file;
    // Text only: a control character (a tab aside) means a file of another kind.
    for (const char c : riga) {
      const auto u = static_cast<unsigned char>(c);
      if ((u < 0x20 && u != '\t') || u == 0x7F)
        return prefisso + " contiene un carattere non ammesso (codice " + std::to_string(u) + ").";
    }
    // As the readers take a line: the fields it lacks would be empty, those
    // beyond the record's last are left out. A short line or one with more
    // data than the record holds is of another layout.
    const std::vector<std::string_view> campi = shell::DividiCampi(riga);
    const int n = static_cast<int>(campi.size());
    const bool oltre = std::any_of(campi.begin() + std::min(n, tracciato.campi), campi.end(),
                                   [](std::string_view c) { return !c.empty(); });
    if (n < tracciato.campi || oltre)
      return prefisso + " ha " + std::to_string(n) + (n == 1 ? " campo" : " campi") + " invece di " +
             std::to_string(tracciato.campi) + ".";
    // The cadastral window shows an empty type as a building.
    if (tracciato.tipologia) {
      const std::string_view tipo = campi[3];
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
    for (const auto& nome : ArchiviPresenti(cartellaProgramma))
      file.push_back({destinazione + "/" + nome, platform::readFile(cartellaProgramma + "/" + nome)});
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
  try {
    for (const auto& nome : ArchiviPresenti(origine)) {
      const std::string percorso = origine + "/" + nome;
      platform::NewFile f{cartellaProgramma + "/" + nome, platform::readFile(percorso)};
      if (auto errore = ControllaTracciato(f.bytes, percorso, TracciatoArchivio(nome)))
        return {*errore + "\r\nRipristino annullato: nessun archivio è stato sostituito.", true, {}};
      file.push_back(std::move(f));
    }
    if (file.empty())
      return {"La cartella selezionata non conteneva nessun archivio.\r\nSeleziona una cartella valida.", false, {}};
    MettiAlPosto(file, cartellaProgramma, kRipristino, esito.copiati);
  } catch (const platform::FileError& e) {
    esito.errore = true;
    esito.messaggio = "Ripristino non riuscito.\r\n" + std::string(e.what()) + "\r\n" +
                      giaFatti(esito.copiati, "Nessun archivio è stato sostituito.",
                               "Archivio già ripristinato: ", "Archivi già ripristinati: ");
    return esito;
  }
  esito.messaggio =
      "Copia di sicurezza ripristinate.\r\n" + conteggio(esito.copiati.size(), "Ripristinato", "Ripristinati");
  return esito;
}

Esito ImportaArchivio(const std::string& file, const std::string& archivio, Tracciato tracciato,
                      const std::string& riuscito) {
  Esito esito;
  try {
    std::string byte = platform::readFile(file);
    if (auto errore = ControllaTracciato(byte, file, tracciato))
      return {*errore + "\r\nImportazione annullata: l'archivio non è stato modificato.", true, {}};
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

std::optional<Esito> CompletaSostituzioneInterrotta(const std::string& cartellaProgramma) {
  std::optional<platform::FinishedReplacement> finita;
  try {
    finita = platform::finishInterruptedReplacement(cartellaProgramma);
  } catch (const platform::FileError& e) {
    return Esito{"Impossibile completare il ripristino degli archivi interrotto nell'ultima sessione.\r\n" +
                     std::string(e.what()),
                 true,
                 {}};
  }
  if (!finita) return std::nullopt;
  Esito esito;
  for (const auto& p : finita->paths) esito.copiati.push_back(nomeDi(p));
  const bool uno = esito.copiati.size() == 1;
  if (finita->label == kImportazione)
    esito.messaggio = "L'importazione dell'archivio, interrotta nell'ultima sessione, è stata completata.\r\n" +
                      std::string(uno ? "Archivio importato: " : "Archivi importati: ") + elenco(esito.copiati) + ".";
  else
    esito.messaggio = "Il ripristino degli archivi, interrotto nell'ultima sessione, è stato completato.\r\n" +
                      std::string(uno ? "Archivio ripristinato: " : "Archivi ripristinati: ") + elenco(esito.copiati) +
                      ".";
  return esito;
}

}  // namespace archives
