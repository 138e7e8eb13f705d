// Backup, restore and import over real folders: what is copied, what is
// refused, and that a failure leaves every archive as it was.
#include "archives/CopiaSicurezza.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "archives/CatastoRecord.h"
#include "calculation/CalcoloRecord.h"
#include "forms/Forms.h"
#include "kit/FileArchivio.h"
#include "platform/Files.h"
#include "support/DiscoPieno.h"
#include "support/Guasti.h"
#include "support/ProgramTest.h"

using namespace archives;
namespace fs = std::filesystem;

namespace {

// Lines of the three layouts (Windows-1252 bytes, as the files hold them).
std::string riga(int campi, const std::string& primo = "ROSSI MARIO") {
  std::string r = primo;
  for (int i = 2; i <= campi; ++i) r += ";" + std::to_string(i);
  return r;
}
std::string rigaCatasto(const std::string& tipo, const std::string& proprietario = "ROSSI MARIO") {
  return proprietario + ";ROMA;VIA ROMA 1;" + tipo + ";12;;3;45;2;A/2;1;5,5;80;100;1.234,56;;;nota\\seconda";
}
const std::string kCalcolo = riga(28) + "\r\n" + riga(28, "BIANCHI ANNA") + "\r\n";
const std::string kCatasto = rigaCatasto("0") + "\r\n" + rigaCatasto("2", "VERDI LUCA") + "\r\n";
const std::string kF24 = riga(14, "RSSMRA80A01H501U") + "\r\n";

class CopiaSicurezzaTest : public ::testing::Test {
 protected:
  CopiaSicurezzaTest() : base(quotara::testing::CartellaTest()) {
    for (const char* d : {"programma", "copie"}) fs::create_directories(base / d);
  }

  std::string programma() const { return (base / "programma").string(); }
  std::string copie() const { return (base / "copie").string(); }
  static void scrivi(const std::string& percorso, const std::string& byte) {
    std::ofstream(percorso, std::ios::binary) << byte;
  }
  static std::string leggi(const std::string& percorso) {
    std::ifstream in(percorso, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // Every entry of a folder (hidden ones included) with its bytes; folders as "<cartella>".
  static std::map<std::string, std::string> contenuto(const std::string& cartella) {
    std::map<std::string, std::string> c;
    for (const auto& e : fs::directory_iterator(cartella))
      c[e.path().filename().string()] = e.is_directory() ? "<cartella>" : leggi(e.path().string());
    return c;
  }

  // Both folders afresh: the backup folder empty, the program folder with
  // the three archives, each "vecchio " before its lines.
  void ArchiviVecchi() const;

  fs::path base;
};

// The three archives, as the program folder may hold them.
const std::map<std::string, std::string> kTutti{
    {"tasi.dat", kCalcolo}, {"tasicat.dat", kCatasto}, {"tasif24.dat", kF24}};

void CopiaSicurezzaTest::ArchiviVecchi() const {
  fs::remove_all(base);
  fs::create_directories(programma());
  fs::create_directories(copie());
  for (const auto& [nome, byte] : kTutti) scrivi(programma() + "/" + nome, "vecchio " + byte);
}

TEST(ControllaTracciato, AcceptsTheLayoutsAndNamesTheFirstBadLine) {
  const std::string f = "/media/chiavetta/imucat.dat";
  const struct {
    const char* caso;
    std::string byte;
    Tracciato tracciato;
    std::optional<std::string> atteso;
  } casi[] = {
      {"catasto, CR LF", kCatasto, TracciatoCatasto, std::nullopt},
      {"catasto, LF, no final line end, empty lines", rigaCatasto("1") + "\n\n" + rigaCatasto("0"), TracciatoCatasto,
       std::nullopt},
      {"catasto, Windows-1252 bytes", rigaCatasto("0", "CITT\xC0 N\xC8") + "\r\n", TracciatoCatasto, std::nullopt},
      {"calcolo", kCalcolo, TracciatoCalcolo, std::nullopt},
      {"F24, empty last field", riga(13) + ";\r\n", TracciatoF24, std::nullopt},
      {"F24 line in a cadastral file", kCatasto + kF24, TracciatoCatasto,
       "La riga 3 del file \"" + f + "\" ha 14 campi invece di 18."},
      {"one field too many", kF24 + riga(15) + "\r\n", TracciatoF24,
       "La riga 2 del file \"" + f + "\" ha 15 campi invece di 14."},
      {"a line without separators", "testo libero\r\n", TracciatoF24,
       "La riga 1 del file \"" + f + "\" ha 1 campo invece di 14."},
      {"empty lines count", "\r\n\r\n" + riga(27) + "\r\n", TracciatoCalcolo,
       "La riga 3 del file \"" + f + "\" ha 27 campi invece di 28."},
      {"a lone CR ends a line", kF24 + riga(13) + "\r" + riga(14) + "\r\n", TracciatoF24,
       "La riga 2 del file \"" + f + "\" ha 13 campi invece di 14."},
      {"type 7", kCatasto + rigaCatasto("7") + "\r\n", TracciatoCatasto,
       "La riga 3 del file \"" + f + "\" ha la tipologia \"7\" invece di 0, 1 o 2."},
      {"empty type: the cadastral window shows a building", rigaCatasto(""), TracciatoCatasto, std::nullopt},
      {"type with a blank", rigaCatasto("1 "), TracciatoCatasto,
       "La riga 1 del file \"" + f + "\" ha la tipologia \"1 \" invece di 0, 1 o 2."},
      {"type 7 is fine outside the cadastral layout", "A;B;C;7;5;6;7;8;9;10;11;12;13;14", TracciatoF24, std::nullopt},
      {"empty file", "", TracciatoCatasto, "Il file \"" + f + "\" è vuoto."},
      {"a trailing \";\"", rigaCatasto("1") + ";\r\n" + riga(14) + ";;\r\n", TracciatoCatasto,
       "La riga 2 del file \"" + f + "\" ha 16 campi invece di 18."},
      {"trailing \";\" on every layout", riga(28) + ";\r\n" + riga(28) + ";;;", TracciatoCalcolo, std::nullopt},
      {"a last line without its line end", kF24 + riga(14), TracciatoF24, std::nullopt},
      {"data beyond the last field", kF24 + riga(14) + ";;x\r\n", TracciatoF24,
       "La riga 2 del file \"" + f + "\" ha 16 campi invece di 14."},
      {"a tab is text", riga(13) + ";A\tB\r\n", TracciatoF24, std::nullopt},
      {"a NUL byte", kF24 + riga(13) + ";A" + std::string(1, '\0') + "B\r\n", TracciatoF24,
       "La riga 2 del file \"" + f + "\" contiene un carattere non ammesso (codice 0)."},
      {"a control character", kCatasto + kCatasto + rigaCatasto("0", "RO\x1BSSI") + "\r\n", TracciatoCatasto,
       "La riga 5 del file \"" + f + "\" contiene un carattere non ammesso (codice 27)."},
      {"DEL", riga(13) + ";\x7F", TracciatoF24,
       "La riga 1 del file \"" + f + "\" contiene un carattere non ammesso (codice 127)."},
      {"a binary file", std::string("%PDF-1.3\r\n\x01\x02\x03", 13), TracciatoF24,
       "La riga 1 del file \"" + f + "\" ha 1 campo invece di 14."},
      {"type 3", rigaCatasto("3"), TracciatoCatasto,
       "La riga 1 del file \"" + f + "\" ha la tipologia \"3\" invece di 0, 1 o 2."},
      {"type \"00\"", kCatasto + rigaCatasto("00"), TracciatoCatasto,
       "La riga 3 del file \"" + f + "\" ha la tipologia \"00\" invece di 0, 1 o 2."},
      {"only line ends", "\r\n\r\n", TracciatoF24, "Il file \"" + f + "\" è vuoto."},
  };
  for (const auto& c : casi) EXPECT_EQ(ControllaTracciato(c.byte, f, c.tracciato), c.atteso) << c.caso;
}

TEST(ControllaTracciato, TheCalculationArchiveAsTheProgramWritesItPasses) {
  calculation::CalcoloRecord r;
  for (int n = 1; n <= calculation::CalcoloRecord::kNumeroCampi; ++n) r.campo(n) = "c" + std::to_string(n);
  r.campo(28).clear();  // an empty last field still counts
  EXPECT_EQ(TracciatoCalcolo.campi, calculation::CalcoloRecord::kNumeroCampi);
  EXPECT_EQ(ControllaTracciato(r.toLine() + "\r\n", "tasi.dat", TracciatoCalcolo), std::nullopt);
}

TEST_F(CopiaSicurezzaTest, BackupCopiesTheArchivesPresentAndCountsThem) {
  const struct {
    const char* caso;
    std::set<std::string> presenti;
    std::string messaggio;
    bool errore;
  } casi[] = {
      {"none", {}, "La cartella del programma non contiene nessun archivio.", false},
      {"cadastral only", {"tasicat.dat"}, "Copia di sicurezza effettuata.\r\nSalvato 1 archivio.", false},
      {"two", {"tasi.dat", "tasif24.dat"}, "Copia di sicurezza effettuata.\r\nSalvati 2 archivi.", false},
      {"all three",
       {"tasi.dat", "tasicat.dat", "tasif24.dat"},
       "Copia di sicurezza effettuata.\r\nSalvati 3 archivi.",
       false},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.caso);
    fs::remove_all(base);
    fs::create_directories(programma());
    fs::create_directories(copie());
    std::map<std::string, std::string> attesi;
    for (const auto& nome : c.presenti) scrivi(programma() + "/" + nome, attesi[nome] = kTutti.at(nome));
    // Other files of the program folder stay where they are; an older copy is replaced.
    scrivi(programma() + "/tasi.bak", "altro");
    scrivi(copie() + "/tasicat.dat", "copia vecchia\r\n");
    if (!c.presenti.contains("tasicat.dat")) attesi["tasicat.dat"] = "copia vecchia\r\n";

    const Esito e = SalvaArchivi(programma(), copie());
    EXPECT_EQ(e.messaggio, c.messaggio);
    EXPECT_EQ(e.errore, c.errore);
    EXPECT_EQ(std::set<std::string>(e.copiati.begin(), e.copiati.end()), c.presenti);
    EXPECT_EQ(contenuto(copie()), attesi);
  }
}

TEST_F(CopiaSicurezzaTest, BackupKeepsTheOrderAndTheBytes) {
  // Windows-1252, a missing final line end and LF line ends come back unchanged.
  const std::map<std::string, std::string> archivi{{"tasi.dat", riga(28, "NIT\xD2") + "\n" + riga(28)},
                                                   {"tasicat.dat", rigaCatasto("1")},
                                                   {"tasif24.dat", kF24 + "\r\n\r\n"}};
  for (const auto& [nome, byte] : archivi) scrivi(programma() + "/" + nome, byte);
  const Esito e = SalvaArchivi(programma(), copie());
  EXPECT_FALSE(e.errore) << e.messaggio;
  EXPECT_EQ(e.copiati, (std::vector<std::string>{"tasi.dat", "tasicat.dat", "tasif24.dat"}));
  EXPECT_EQ(contenuto(copie()), archivi);
  EXPECT_EQ(contenuto(programma()), archivi);
}

TEST_F(CopiaSicurezzaTest, BackupIntoTheProgramFolderLeavesTheArchivesWhole) {
  for (const auto& [nome, byte] : kTutti) scrivi(programma() + "/" + nome, byte);
  EXPECT_FALSE(SalvaArchivi(programma(), programma()).errore);
  EXPECT_EQ(contenuto(programma()), kTutti);
}

TEST_F(CopiaSicurezzaTest, RestoreReplacesTheArchivesFoundAndLeavesTheOthers) {
  for (const auto& [nome, byte] : kTutti) scrivi(programma() + "/" + nome, "vecchio " + byte);
  const std::string calcolo = riga(28, "SALVATO") + "\r\n", f24 = riga(14, "SALVATO") + "\r\n";
  scrivi(copie() + "/tasi.dat", calcolo);
  scrivi(copie() + "/tasif24.dat", f24);
  scrivi(copie() + "/imucat.dat", kCatasto);  // not one of the three names

  const Esito e = RipristinaArchivi(copie(), programma());
  EXPECT_EQ(e.messaggio, "Copia di sicurezza ripristinate.\r\nRipristinati 2 archivi.");
  EXPECT_FALSE(e.errore);
  EXPECT_EQ(e.copiati, (std::vector<std::string>{"tasi.dat", "tasif24.dat"}));
  EXPECT_EQ(contenuto(programma()), (std::map<std::string, std::string>{
                                        {"tasi.dat", calcolo},
                                        {"tasicat.dat", "vecchio " + kCatasto},
                                        {"tasif24.dat", f24},
                                    }));
}

TEST_F(CopiaSicurezzaTest, RestoreOfOneArchiveSaysSo) {
  scrivi(copie() + "/tasicat.dat", kCatasto);
  const Esito e = RipristinaArchivi(copie(), programma());
  EXPECT_EQ(e.messaggio, "Copia di sicurezza ripristinate.\r\nRipristinato 1 archivio.");
  EXPECT_EQ(contenuto(programma()), (std::map<std::string, std::string>{{"tasicat.dat", kCatasto}}));
}

TEST_F(CopiaSicurezzaTest, RestoreFromAFolderWithoutArchivesChangesNothing) {
  scrivi(programma() + "/tasi.dat", kCalcolo);
  scrivi(copie() + "/tasi.bak", kCalcolo);  // not one of the three names
  const Esito e = RipristinaArchivi(copie(), programma());
  EXPECT_EQ(e.messaggio, "La cartella selezionata non conteneva nessun archivio.\r\nSeleziona una cartella valida.");
  EXPECT_FALSE(e.errore);
  EXPECT_EQ(contenuto(programma()), (std::map<std::string, std::string>{{"tasi.dat", kCalcolo}}));
}

// A folder, a named pipe or a device under an archive's name is refused by
// name, unread (a pipe would never end), and nothing is replaced; the same
// for the file chosen for an import.
TEST_F(CopiaSicurezzaTest, RestoreAndImportReadOnlyRegularFiles) {
  const struct {
    const char* caso;
    std::function<void(const std::string&)> crea;
    const char* cosa;
  } casi[] = {
      {"folder", [](const std::string& p) { fs::create_directories(p); }, "una cartella"},
      {"named pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, "una pipe con nome"},
      {"device", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }, "un dispositivo"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.caso);
    ArchiviVecchi();
    for (const auto& [nome, byte] : kTutti)
      if (nome != "tasicat.dat") scrivi(copie() + "/" + nome, byte);
    c.crea(copie() + "/tasicat.dat");
    const Esito r = RipristinaArchivi(copie(), programma());
    EXPECT_EQ(r.messaggio, "Il file \"" + copie() + "/tasicat.dat\" non è un file di dati ma " + c.cosa +
                               ".\r\nRipristino annullato: nessun archivio è stato sostituito.");
    EXPECT_TRUE(r.errore);

    c.crea(copie() + "/imucat.dat");
    const Esito i = ImportaArchivio(copie() + "/imucat.dat", programma() + "/tasicat.dat", TracciatoCatasto, "");
    EXPECT_EQ(i.messaggio, "Il file \"" + copie() + "/imucat.dat\" non è un file di dati ma " + c.cosa +
                               ".\r\nImportazione annullata: l'archivio non è stato modificato.");
    EXPECT_TRUE(i.errore);
    for (const auto& [nome, byte] : kTutti) EXPECT_EQ(leggi(programma() + "/" + nome), "vecchio " + byte) << nome;
    EXPECT_EQ(contenuto(programma()).size(), 3u);
  }
}

// An archive without records is one that is not there: the backup leaves it
// out, and a restore skips an empty copy, says so and restores the others.
TEST_F(CopiaSicurezzaTest, AnEmptyArchiveIsSkippedByBackupAndRestore) {
  for (const auto& [nome, byte] : kTutti) scrivi(programma() + "/" + nome, nome == "tasicat.dat" ? "" : byte);
  const Esito salvati = SalvaArchivi(programma(), copie());
  EXPECT_EQ(salvati.messaggio, "Copia di sicurezza effettuata.\r\nSalvati 2 archivi.");
  EXPECT_EQ(contenuto(copie()), (std::map<std::string, std::string>{{"tasi.dat", kCalcolo}, {"tasif24.dat", kF24}}));

  // A backup made before, with empty copies (one of line ends only).
  scrivi(copie() + "/tasicat.dat", "");
  scrivi(copie() + "/tasif24.dat", "\r\n\r\n");
  for (const auto& [nome, byte] : kTutti) scrivi(programma() + "/" + nome, "vecchio " + byte);
  const Esito ripristinati = RipristinaArchivi(copie(), programma());
  EXPECT_FALSE(ripristinati.errore);
  EXPECT_EQ(ripristinati.messaggio,
            "Copia di sicurezza ripristinate.\r\nRipristinato 1 archivio.\r\n"
            "Il file \"" +
                copie() +
                "/tasicat.dat\" è vuoto: tasicat.dat non è stato ripristinato.\r\n"
                "Il file \"" +
                copie() + "/tasif24.dat\" è vuoto: tasif24.dat non è stato ripristinato.");
  EXPECT_EQ(contenuto(programma()),
            (std::map<std::string, std::string>{
                {"tasi.dat", kCalcolo}, {"tasicat.dat", "vecchio " + kCatasto}, {"tasif24.dat", "vecchio " + kF24}}));
  // Nothing but empty copies.
  scrivi(copie() + "/tasi.dat", "");
  EXPECT_EQ(RipristinaArchivi(copie(), programma()).messaggio,
            "La cartella selezionata non conteneva nessun archivio.\r\nSeleziona una cartella valida.\r\n"
            "Il file \"" +
                copie() +
                "/tasi.dat\" è vuoto: tasi.dat non è stato ripristinato.\r\n"
                "Il file \"" +
                copie() +
                "/tasicat.dat\" è vuoto: tasicat.dat non è stato ripristinato.\r\n"
                "Il file \"" +
                copie() + "/tasif24.dat\" è vuoto: tasif24.dat non è stato ripristinato.");
  // Only empty archives: nothing to back up.
  for (const auto& [nome, byte] : kTutti) scrivi(programma() + "/" + nome, "");
  EXPECT_EQ(SalvaArchivi(programma(), copie()).messaggio, "La cartella del programma non contiene nessun archivio.");
}

TEST_F(CopiaSicurezzaTest, RestoreWithOneBadFileReplacesNothing) {
  const struct {
    const char* caso;
    std::string nome, byte, errore;
  } casi[] = {
      {"cadastral line in the calculation archive", "tasi.dat", kCatasto,
       "La riga 1 del file \"" + copie() + "/tasi.dat\" ha 18 campi invece di 28."},
      {"type 7", "tasicat.dat", rigaCatasto("7"),
       "La riga 1 del file \"" + copie() + "/tasicat.dat\" ha la tipologia \"7\" invece di 0, 1 o 2."},
      {"a NUL byte", "tasif24.dat", kF24 + std::string(3, '\0'),
       "La riga 2 del file \"" + copie() + "/tasif24.dat\" contiene un carattere non ammesso (codice 0)."},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.caso);
    ArchiviVecchi();
    for (const auto& [nome, byte] : kTutti) scrivi(copie() + "/" + nome, nome == c.nome ? c.byte : byte);
    const Esito e = RipristinaArchivi(copie(), programma());
    EXPECT_EQ(e.messaggio, c.errore + "\r\nRipristino annullato: nessun archivio è stato sostituito.");
    EXPECT_TRUE(e.errore);
    EXPECT_TRUE(e.copiati.empty());
    for (const auto& [nome, byte] : kTutti) EXPECT_EQ(leggi(programma() + "/" + nome), "vecchio " + byte) << nome;
    EXPECT_EQ(contenuto(programma()).size(), 3u);
  }
}

TEST_F(CopiaSicurezzaTest, RestoreTakesEveryLineTheWindowsLoad) {
  // A building with an empty type, a trailing ";", a last line without CR LF.
  const std::map<std::string, std::string> copia{
      {"tasi.dat", kCalcolo + riga(28) + ";"},
      {"tasicat.dat", rigaCatasto("") + ";\r\n" + rigaCatasto("1", "VERDI LUCA")},
      {"tasif24.dat", kF24 + riga(14, "BNCNNA80A41H501X") + ";\r\n"}};
  for (const auto& [nome, byte] : kTutti) scrivi(programma() + "/" + nome, "vecchio " + byte);
  for (const auto& [nome, byte] : copia) scrivi(copie() + "/" + nome, byte);
  const Esito e = RipristinaArchivi(copie(), programma());
  EXPECT_FALSE(e.errore) << e.messaggio;
  EXPECT_EQ(e.messaggio, "Copia di sicurezza ripristinate.\r\nRipristinati 3 archivi.");
  EXPECT_EQ(contenuto(programma()), copia);
}

TEST_F(CopiaSicurezzaTest, ImportReplacesTheArchiveByteForByteOrRefusesTheFile) {
  const std::string riuscito = "Importazione catasto completata con successo.";
  const std::string vecchio = rigaCatasto("1", "VECCHIO") + "\r\n";
  const struct {
    const char* caso;
    const char* file;
    std::optional<std::string> byte;  // nothing: the file is missing
    Tracciato tracciato;
    std::string messaggio;  // "%" stands for the imported file's path
  } casi[] = {
      {"cadastral file", "imucat.dat", kCatasto, TracciatoCatasto, riuscito},
      {"upper-case name, LF, Windows-1252", "IMUCAT.DAT", rigaCatasto("2", "CANT\xD9") + "\n", TracciatoCatasto,
       riuscito},
      {"payers' file", "imuf24.dat", kF24, TracciatoF24, riuscito},
      {"wrong field count", "imucat.dat", kCatasto + rigaCatasto("0") + ";x\r\n", TracciatoCatasto,
       "La riga 3 del file \"%\" ha 19 campi invece di 18.\r\n"
       "Importazione annullata: l'archivio non è stato modificato."},
      {"type 7", "imucat.dat", rigaCatasto("7") + "\r\n", TracciatoCatasto,
       "La riga 1 del file \"%\" ha la tipologia \"7\" invece di 0, 1 o 2.\r\n"
       "Importazione annullata: l'archivio non è stato modificato."},
      {"payers' file as cadastral", "imucat.dat", kF24, TracciatoCatasto,
       "La riga 1 del file \"%\" ha 14 campi invece di 18.\r\n"
       "Importazione annullata: l'archivio non è stato modificato."},
      {"empty file", "imuf24.dat", "", TracciatoF24,
       "Il file \"%\" è vuoto: non c'è nulla da importare.\r\nL'archivio non è stato modificato."},
      {"missing file", "imuf24.dat", std::nullopt, TracciatoF24,
       "Importazione non riuscita.\r\nImpossibile leggere il file \"%\": No such file or directory\r\n"
       "L'archivio non è stato modificato."},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.caso);
    fs::remove_all(base);
    fs::create_directories(programma());
    fs::create_directories(copie());
    const std::string file = copie() + "/" + c.file, archivio = programma() + "/tasicat.dat";
    if (c.byte) scrivi(file, *c.byte);
    scrivi(archivio, vecchio);

    const Esito e = ImportaArchivio(file, archivio, c.tracciato, riuscito);
    std::string atteso = c.messaggio;
    if (const size_t p = atteso.find('%'); p != std::string::npos) atteso.replace(p, 1, file);
    EXPECT_EQ(e.messaggio, atteso);
    const bool vuoto = c.byte && c.byte->empty();
    EXPECT_EQ(e.errore, atteso != riuscito && !vuoto);
    const std::string dopo = atteso != riuscito ? vecchio : *c.byte;
    EXPECT_EQ(contenuto(programma()), (std::map<std::string, std::string>{{"tasicat.dat", dopo}}));
  }
}

TEST_F(CopiaSicurezzaTest, ImportCreatesAMissingArchive) {
  scrivi(copie() + "/imuf24.dat", kF24);
  const Esito e = ImportaArchivio(copie() + "/imuf24.dat", programma() + "/tasif24.dat", TracciatoF24, "fatto");
  EXPECT_EQ(e.messaggio, "fatto");
  EXPECT_EQ(contenuto(programma()), (std::map<std::string, std::string>{{"tasif24.dat", kF24}}));
}

// A folder where a target file goes makes the copy fail (the tests run as
// root, so permissions cannot): the command stops before replacing anything.
TEST_F(CopiaSicurezzaTest, AFolderInPlaceOfATargetStopsTheCommandBeforeAnyCopy) {
  for (const auto& [nome, byte] : kTutti) scrivi(programma() + "/" + nome, byte);
  scrivi(copie() + "/tasi.dat", "copia vecchia");
  fs::create_directories(copie() + "/tasif24.dat");

  const Esito salva = SalvaArchivi(programma(), copie());
  EXPECT_TRUE(salva.errore);
  EXPECT_EQ(salva.messaggio, "Copia di sicurezza non riuscita.\r\nImpossibile scrivere il file \"" + copie() +
                                 "/tasif24.dat\": Is a directory\r\nNessun archivio è stato copiato.");
  EXPECT_EQ(contenuto(copie()),
            (std::map<std::string, std::string>{{"tasi.dat", "copia vecchia"}, {"tasif24.dat", "<cartella>"}}));

  fs::remove_all(copie());
  fs::create_directories(copie());
  for (const auto& [nome, byte] : kTutti) scrivi(copie() + "/" + nome, byte);
  fs::remove(programma() + "/tasicat.dat");
  fs::create_directories(programma() + "/tasicat.dat");
  const Esito ripristina = RipristinaArchivi(copie(), programma());
  EXPECT_TRUE(ripristina.errore);
  EXPECT_EQ(ripristina.messaggio, "Ripristino non riuscito.\r\nImpossibile scrivere il file \"" + programma() +
                                      "/tasicat.dat\": Is a directory\r\nNessun archivio è stato sostituito.");

  fs::create_directories(programma() + "/imucat");
  scrivi(copie() + "/imucat.dat", kCatasto);
  const Esito importa = ImportaArchivio(copie() + "/imucat.dat", programma() + "/tasicat.dat", TracciatoCatasto, "");
  EXPECT_TRUE(importa.errore);
  EXPECT_EQ(importa.messaggio, "Importazione non riuscita.\r\nImpossibile scrivere il file \"" + programma() +
                                   "/tasicat.dat\": Is a directory\r\nL'archivio non è stato modificato.");
}

TEST_F(CopiaSicurezzaTest, AMissingBackupFolderIsNamedWithTheArchive) {
  scrivi(programma() + "/tasi.dat", kCalcolo);
  const std::string manca = (base / "manca").string();
  const Esito e = SalvaArchivi(programma(), manca);
  EXPECT_TRUE(e.errore);
  EXPECT_EQ(e.messaggio, "Copia di sicurezza non riuscita.\r\nImpossibile scrivere il file \"" + manca +
                             "/tasi.dat\": No such file or directory\r\nNessun archivio è stato copiato.");
}

// The command's Esito as the exit status of the child: 0 it reported a
// failure, 1 success.
int conDiscoPieno(rlim_t limite, const std::function<Esito()>& comando) {
  return quotara::testing::ConDiscoPieno(limite, [&] { return comando().errore ? 0 : 1; });
}

TEST_F(CopiaSicurezzaTest, AFullDiskLeavesEveryArchiveAsItWas) {
  // The payers' archive is the largest and is written last: the first two
  // fit, the third does not.
  std::string f24;
  for (int i = 0; i < 200; ++i) f24 += riga(14, "CF" + std::to_string(i)) + "\r\n";
  ASSERT_GT(f24.size(), 4096u);
  const std::map<std::string, std::string> vecchi{
      {"tasi.dat", "vecchio " + kCalcolo}, {"tasicat.dat", "vecchio " + kCatasto}, {"tasif24.dat", "vecchio"}};
  for (const auto& [nome, byte] : vecchi) scrivi(programma() + "/" + nome, byte);
  scrivi(copie() + "/tasi.dat", kCalcolo);
  scrivi(copie() + "/tasicat.dat", kCatasto);
  scrivi(copie() + "/tasif24.dat", f24);

  EXPECT_EQ(conDiscoPieno(4096, [&] { return RipristinaArchivi(copie(), programma()); }), 0);
  EXPECT_EQ(contenuto(programma()), vecchi);

  EXPECT_EQ(
      conDiscoPieno(
          4096,
          [&] { return ImportaArchivio(copie() + "/tasif24.dat", programma() + "/tasif24.dat", TracciatoF24, ""); }),
      0);
  EXPECT_EQ(contenuto(programma()), vecchi);

  for (const auto& [nome, byte] : kTutti) scrivi(programma() + "/" + nome, nome == "tasif24.dat" ? f24 : byte);
  const auto archivi = contenuto(programma());
  fs::remove_all(copie());
  fs::create_directories(copie());
  for (const auto& [nome, byte] : vecchi) scrivi(copie() + "/" + nome, byte);
  EXPECT_EQ(conDiscoPieno(4096, [&] { return SalvaArchivi(programma(), copie()); }), 0);
  EXPECT_EQ(contenuto(copie()), vecchi);
  EXPECT_EQ(contenuto(programma()), archivi);
}

// An archive that is a link (to a synced or shared folder) stays one after a
// restore and an import: the file it points to gets the new bytes.
TEST_F(CopiaSicurezzaTest, RestoreAndImportKeepALinkedArchiveALink) {
  fs::create_directories(base / "condivisa");
  const std::string condiviso = (base / "condivisa" / "catasto.dat").string();
  scrivi(condiviso, "vecchio " + kCatasto);
  fs::create_symlink("../condivisa/catasto.dat", programma() + "/tasicat.dat");
  for (const auto& [nome, byte] : kTutti) scrivi(copie() + "/" + nome, byte);

  EXPECT_FALSE(RipristinaArchivi(copie(), programma()).errore);
  EXPECT_TRUE(fs::is_symlink(programma() + "/tasicat.dat"));
  EXPECT_EQ(leggi(condiviso), kCatasto);

  const std::string importato = rigaCatasto("2", "IMPORTATO") + "\r\n";
  scrivi(copie() + "/imucat.dat", importato);
  EXPECT_FALSE(ImportaArchivio(copie() + "/imucat.dat", programma() + "/tasicat.dat", TracciatoCatasto, "").errore);
  EXPECT_TRUE(fs::is_symlink(programma() + "/tasicat.dat"));
  EXPECT_EQ(leggi(condiviso), importato);
  EXPECT_EQ(contenuto((base / "condivisa").string()), (std::map<std::string, std::string>{{"catasto.dat", importato}}));
  EXPECT_EQ(contenuto(programma()).size(), 3u) << "nothing waits beside the archives";
}

// What the start tells about a restore or an import it had to finish.
TEST_F(CopiaSicurezzaTest, TheStartSaysWhichArchivesItFinishedReplacing) {
  const struct {
    const char* caso;
    const char* operazione;  // as the journal names it; nullptr: no journal
    std::vector<std::string> nomi;
    std::optional<std::string> messaggio;
  } casi[] = {
      {"no journal", nullptr, {}, std::nullopt},
      {"restore of three",
       "ripristino",
       {"tasi.dat", "tasicat.dat", "tasif24.dat"},
       "Il ripristino degli archivi, interrotto nell'ultima sessione, è stato completato.\r\n"
       "Archivi ripristinati: tasi.dat, tasicat.dat, tasif24.dat."},
      {"restore of one",
       "ripristino",
       {"tasif24.dat"},
       "Il ripristino degli archivi, interrotto nell'ultima sessione, è stato completato.\r\n"
       "Archivio ripristinato: tasif24.dat."},
      {"import",
       "importazione",
       {"tasicat.dat"},
       "L'importazione dell'archivio, interrotta nell'ultima sessione, è stata completata.\r\n"
       "Archivio importato: tasicat.dat."},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.caso);
    fs::remove_all(base);
    fs::create_directories(programma());
    if (c.operazione) {
      std::string giornale = std::string(c.operazione) + '\0';
      for (const auto& n : c.nomi) {
        giornale += programma() + "/" + n + '\0' + programma() + "/" + n + '\0';
        scrivi(programma() + "/." + n + ".nuovo", kTutti.at(n));
      }
      scrivi(programma() + "/" + platform::kReplacementJournal, giornale);
    }
    const auto esito = CompletaSostituzioneInterrotta(programma());
    ASSERT_EQ(esito.has_value(), c.messaggio.has_value());
    if (!esito) continue;
    EXPECT_EQ(esito->messaggio, *c.messaggio);
    EXPECT_FALSE(esito->errore);
    EXPECT_EQ(esito->copiati, c.nomi);
    std::map<std::string, std::string> attesi;
    for (const auto& n : c.nomi) attesi[n] = kTutti.at(n);
    EXPECT_EQ(contenuto(programma()), attesi);
  }
}

// A restore whose second archive cannot be put in place says so now, with
// what is already in place, and the next start finishes the set: never part
// old, part new.
TEST_F(CopiaSicurezzaTest, ARestoreStoppedByARenameIsFinishedByTheNextStart) {
  for (const auto& [nome, byte] : kTutti) {
    scrivi(programma() + "/" + nome, "vecchio " + byte);
    scrivi(copie() + "/" + nome, byte);
  }
  {
    quotara::testing::RinominaImpossibile guasto("/tasicat.dat", EIO);
    const Esito e = RipristinaArchivi(copie(), programma());
    EXPECT_TRUE(e.errore);
    EXPECT_EQ(e.messaggio, "Ripristino non riuscito.\r\nImpossibile scrivere il file \"" + programma() +
                               "/tasicat.dat\": Input/output error\r\nArchivio già ripristinato: tasi.dat.\r\n"
                               "Il ripristino sarà completato al prossimo avvio del programma.");
    EXPECT_EQ(e.copiati, std::vector<std::string>{"tasi.dat"});
  }
  const auto esito = CompletaSostituzioneInterrotta(programma());
  platform::removeInterruptedWrites(programma());
  ASSERT_TRUE(esito);
  EXPECT_FALSE(esito->errore);
  EXPECT_EQ(esito->messaggio,
            "Il ripristino degli archivi, interrotto nell'ultima sessione, è stato completato.\r\n"
            "Archivi ripristinati: tasi.dat, tasicat.dat, tasif24.dat.");
  EXPECT_EQ(contenuto(programma()), kTutti);
}

// Two names of the set that are one file (one archive a link to another)
// are refused before anything is written.
TEST_F(CopiaSicurezzaTest, ARestoreOntoTwoNamesOfOneFileChangesNothing) {
  scrivi(programma() + "/tasi.dat", "vecchio " + kCalcolo);
  fs::create_symlink("tasi.dat", programma() + "/tasif24.dat");
  for (const auto& [nome, byte] : kTutti) scrivi(copie() + "/" + nome, byte);
  const Esito e = RipristinaArchivi(copie(), programma());
  EXPECT_TRUE(e.errore);
  EXPECT_EQ(e.messaggio, "Ripristino non riuscito.\r\nImpossibile scrivere il file \"" + programma() +
                             "/tasif24.dat\": è lo stesso file di \"" + programma() +
                             "/tasi.dat\"\r\nNessun archivio è stato sostituito.");
  EXPECT_EQ(leggi(programma() + "/tasi.dat"), "vecchio " + kCalcolo);
  EXPECT_EQ(contenuto(programma()).size(), 2u);
}

// An archive the program was killed in the middle of creating (empty), and
// the NUL bytes a power cut leaves at the end of an append: the start mends
// both, so a backup and its restore take every archive.
TEST_F(CopiaSicurezzaTest, TheStartRemovesAnEmptyArchiveAndANulTail) {
  scrivi(programma() + "/tasi.dat", kCalcolo + std::string(4096, '\0'));
  scrivi(programma() + "/tasicat.dat", "");
  scrivi(programma() + "/tasif24.dat", kF24);
  fs::create_directories(base / "condivisa");
  scrivi((base / "condivisa" / "vuoto.dat").string(), "");
  SistemaArchivi(programma());
  EXPECT_EQ(contenuto(programma()),
            (std::map<std::string, std::string>{{"tasi.dat", kCalcolo}, {"tasif24.dat", kF24}}));
  // A link to an emptied file is what the program leaves when the last record goes.
  fs::create_symlink("../condivisa/vuoto.dat", programma() + "/tasicat.dat");
  SistemaArchivi(programma());
  EXPECT_TRUE(fs::is_symlink(programma() + "/tasicat.dat"));

  EXPECT_EQ(SalvaArchivi(programma(), copie()).messaggio, "Copia di sicurezza effettuata.\r\nSalvati 2 archivi.");
  const Esito e = RipristinaArchivi(copie(), programma());
  EXPECT_FALSE(e.errore) << e.messaggio;
  EXPECT_EQ(e.messaggio, "Copia di sicurezza ripristinate.\r\nRipristinati 2 archivi.");
}

// A journal the start cannot use is said once, in Italian, with the archives
// it names and the step it was; it goes aside, with the new files waiting,
// so the next start says nothing.
TEST_F(CopiaSicurezzaTest, AJournalTheStartCannotUseIsSaidOnceAndSetAside) {
  const std::string giornale = programma() + "/" + platform::kReplacementJournal;
  const std::string guasto = giornale + ".guasto";
  const auto voce = [this](const std::string& nome) {
    return programma() + "/" + nome + '\0' + programma() + "/" + nome + '\0';
  };
  const std::string ripristino =
      "\r\nGli archivi sono come erano prima del ripristino o come li aveva lasciati l'operazione interrotta.\r\n"
      "Il ripristino può essere eseguito di nuovo.\r\nIl registro è stato spostato in \"" +
      guasto + "\".";
  const std::string importazione =
      "\r\nGli archivi sono come erano prima dell'importazione o come li aveva lasciati l'operazione interrotta.\r\n"
      "L'importazione può essere eseguita di nuovo.\r\nIl registro è stato spostato in \"" +
      guasto + "\".";
  const struct {
    const char* caso;
    std::function<void()> prepara;
    std::string messaggio;
  } casi[] = {
      {"empty", [&] { scrivi(giornale, ""); },
       "Il ripristino o l'importazione degli archivi, interrotti nell'ultima sessione, non possono essere completati: "
       "il registro \"" +
           giornale +
           "\" è vuoto.\r\nNon si sa quali archivi riguardava.\r\n"
           "Gli archivi sono come erano prima del ripristino o dell'importazione o come li aveva lasciati l'operazione "
           "interrotta.\r\nIl ripristino o l'importazione possono essere eseguiti di nuovo.\r\n"
           "Il registro è stato spostato in \"" +
           guasto + "\"."},
      {"garbage",
       [&] {
         scrivi(giornale,
                "\x7F"
                "ELF\x02\x01\x01");
       },
       "Il ripristino o l'importazione degli archivi, interrotti nell'ultima sessione, non possono essere completati: "
       "il registro \"" +
           giornale +
           "\" è danneggiato.\r\nNon si sa quali archivi riguardava.\r\n"
           "Gli archivi sono come erano prima del ripristino o dell'importazione o come li aveva lasciati l'operazione "
           "interrotta.\r\nIl ripristino o l'importazione possono essere eseguiti di nuovo.\r\n"
           "Il registro è stato spostato in \"" +
           guasto + "\"."},
      {"cut short",
       [&] {
         scrivi(giornale, "ripristino" + std::string(1, '\0') + voce("tasi.dat") + voce("tasicat.dat").substr(0, 9));
       },
       "Il ripristino degli archivi, interrotto nell'ultima sessione, non può essere completato: il registro \"" +
           giornale + "\" è danneggiato.\r\nArchivio interessato: tasi.dat." + ripristino},
      {"a folder", [&] { fs::create_directories(giornale + "/dentro"); },
       "Il ripristino o l'importazione degli archivi, interrotti nell'ultima sessione, non possono essere completati: "
       "il registro \"" +
           giornale +
           "\" è una cartella.\r\nNon si sa quali archivi riguardava.\r\n"
           "Gli archivi sono come erano prima del ripristino o dell'importazione o come li aveva lasciati l'operazione "
           "interrotta.\r\nIl ripristino o l'importazione possono essere eseguiti di nuovo.\r\n"
           "Il registro è stato spostato in \"" +
           guasto + "\"."},
      {"a folder in place of the new file",
       [&] {
         scrivi(giornale, "importazione" + std::string(1, '\0') + voce("tasicat.dat"));
         fs::create_directories(programma() + "/.tasicat.dat.nuovo");
       },
       "L'importazione dell'archivio, interrotta nell'ultima sessione, non è stata completata.\r\n"
       "Impossibile mettere al suo posto tasicat.dat: al posto del nuovo file c'è una cartella; l'archivio è rimasto "
       "com'era.\r\nL'importazione può essere eseguita di nuovo.\r\nIl registro è stato spostato in \"" +
           guasto + "\"."},
      {"a missing new file of a missing archive",
       [&] {
         scrivi(giornale, "ripristino" + std::string(1, '\0') + voce("tasi.dat") + voce("tasif24.dat"));
         fs::remove(programma() + "/tasif24.dat");
       },
       "Il ripristino degli archivi, interrotto nell'ultima sessione, non è stato completato.\r\n"
       "Archivio ripristinato: tasi.dat.\r\n"
       "Impossibile mettere al suo posto tasif24.dat: il nuovo file manca; l'archivio è rimasto com'era.\r\n"
       "Il ripristino può essere eseguito di nuovo.\r\nIl registro è stato spostato in \"" +
           guasto + "\"."},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.caso);
    fs::remove_all(base);
    fs::create_directories(programma());
    for (const auto& [nome, byte] : kTutti) scrivi(programma() + "/" + nome, byte);
    // An older damaged journal is replaced.
    scrivi(guasto, "vecchio");
    // New files that wait, named or not.
    scrivi(programma() + "/.tasi.dat.nuovo", "nuovo\r\n");
    c.prepara();
    const std::map<std::string, std::string> prima = contenuto(programma());

    const auto esito = CompletaSostituzioneInterrotta(programma());
    platform::removeInterruptedWrites(programma());
    ASSERT_TRUE(esito);
    EXPECT_TRUE(esito->errore);
    EXPECT_EQ(esito->messaggio, c.messaggio);
    EXPECT_FALSE(fs::exists(giornale));
    EXPECT_TRUE(fs::exists(guasto));
    EXPECT_FALSE(fs::exists(programma() + "/.tasi.dat.nuovo"));
    EXPECT_FALSE(fs::exists(programma() + "/.tasicat.dat.nuovo")) << "an empty folder in its place too";
    // What was not put in place is as it was.
    for (const auto& [nome, byte] : kTutti) {
      if (prima.contains(nome) &&
          std::find(esito->copiati.begin(), esito->copiati.end(), nome) == esito->copiati.end()) {
        EXPECT_EQ(leggi(programma() + "/" + nome), byte) << nome;
      }
    }
    EXPECT_EQ(fs::exists(programma() + "/tasif24.dat"), prima.contains("tasif24.dat"));
    // The next start has nothing to say.
    EXPECT_FALSE(CompletaSostituzioneInterrotta(programma()));
  }
}

}  // namespace

namespace {

class Registro : public forms::Form {
 public:
  forms::ListBox List1;
  Registro() {
    List1.create(*this, 0, 0, 1000, 1000);
    List1.setVisible(false);
  }
};

class TabulazioneTest : public quotara::testing::ProgramTest {};

// A restored line whose key holds a tab, loaded and archived again, is the
// same record: the user is asked to overwrite it and the archive keeps one
// line, the tab a space as the program stores it.
TEST_F(TabulazioneTest, ARestoredLineWithATabIsOverwrittenNotDoubled) {
  const std::string copie = (cartella() / "copie").string();
  fs::create_directories(copie);
  const std::string conTab = rigaCatasto("1", "ROSSI\tMARIO");
  quotara::testing::ScriviFile(copie + "/tasicat.dat", conTab + "\r\n" + rigaCatasto("0", "VERDI LUCA") + "\r\n");
  const Esito ripristino = RipristinaArchivi(copie, dati());
  ASSERT_FALSE(ripristino.errore) << ripristino.messaggio;

  Registro& f = application.form<Registro>();
  shell::FileArchivio archivio(dati("tasicat.dat"), f.List1, CatastoRecord::chiaveDi);
  ASSERT_TRUE(archivio.Carica());
  CatastoRecord r = CatastoRecord::fromLine(f.List1.List(0));
  ASSERT_EQ(r.Nome, "ROSSI\tMARIO");
  r.Annotazioni = "cambiata";
  desk.expectMsgBox(forms::vbYes, {.prompt = "Questo immobile è già presente nell'archivio.\r\nVuoi sovrascriverlo?"});
  EXPECT_TRUE(archivio.Archivia(r));
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  std::string atteso = conTab;
  atteso.replace(atteso.find('\t'), 1, " ");
  atteso.replace(atteso.rfind(';') + 1, std::string::npos, "cambiata");
  EXPECT_EQ(quotara::testing::LeggiRighe(dati("tasicat.dat")),
            (std::vector<std::string>{rigaCatasto("0", "VERDI LUCA"), atteso}));
  // Looked up as it is stored now, or as it came: the same record.
  EXPECT_EQ(archivio.Trova(CatastoRecord::fromLine(atteso).chiave()), 1);
  EXPECT_EQ(archivio.Trova(CatastoRecord::chiaveDi(conTab)), 1);
}

}  // namespace
