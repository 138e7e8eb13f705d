#include "kit/FileArchivio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "forms/Forms.h"
#include "platform/Files.h"
#include "shell/RecordArchivio.h"
#include "support/Guasti.h"
#include "support/ProgramTest.h"

namespace {

namespace fs = std::filesystem;
using namespace forms;

// A record of three fields, the first two its key.
struct Prova : shell::RecordArchivio<Prova, 3, 2> {
  std::string Nome, Comune, Importo;
  static const Tabella& Campi() {
    static const Tabella t = {{{&Prova::Nome, "Nome"}, {&Prova::Comune, "Comune"}, {&Prova::Importo, "Importo"}}};
    return t;
  }
};

TEST(RecordArchivio, SplitsOnceWritesBackAndGivesItsKey) {
  const struct {
    const char* riga;
    std::vector<std::string> campi;
    const char* chiave;
  } casi[] = {
      {"Rossi;ROMA;1.000,00", {"Rossi", "ROMA", "1.000,00"}, "Rossi;ROMA"},
      {"Rossi;ROMA", {"Rossi", "ROMA", ""}, "Rossi;ROMA"},
      {"Rossi", {"Rossi", "", ""}, "Rossi;"},
      {"", {"", "", ""}, ";"},
      {";;", {"", "", ""}, ";"},
      {"Rossi;ROMA;1;in più", {"Rossi", "ROMA", "1"}, "Rossi;ROMA"},
      {"Città;FORLÌ;2", {"Città", "FORLÌ", "2"}, "Città;FORLÌ"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.riga);
    const Prova r = Prova::fromLine(c.riga);
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(r.campo(n), c.campi[static_cast<size_t>(n - 1)]) << Prova::nomeCampo(n);
    EXPECT_EQ(r.chiave(), c.chiave);
    EXPECT_EQ(Prova::chiaveDi(c.riga), c.chiave);
    EXPECT_EQ(Prova::fromLine(r.toLine()).toLine(), r.toLine());
  }
  Prova r;
  r.Importo = "1;2";
  EXPECT_EQ(r.campoNonValido(), 3);
  r.Importo = "1\r\n";
  EXPECT_EQ(r.campoNonValido(), 3);
  r.Importo = "1";
  EXPECT_EQ(r.campoNonValido(), std::nullopt);
  EXPECT_THROW(r.campo(4), std::out_of_range);
  EXPECT_THROW(r.campo(0), std::out_of_range);
}

class Finestra : public Form {
 public:
  ListBox List1;
  Finestra() {
    List1.create(*this, 0, 0, 1000, 1000);
    List1.setVisible(false);
  }
};

enum class Operazione { Aggiungi, Sostituisci, Elimina };

struct Caso {
  const char* nome;
  std::string byte;  // the file before, "" when missing
  Operazione operazione;
  int indice;
  std::string riga;
  std::string dopo;  // the file after a successful change, "" when removed
  std::vector<std::string> elenco;
};

const Caso kCasi[] = {
    {"AggiungiConCrLf",
     "A;1;x\r\nB;2;y\r\n",
     Operazione::Aggiungi,
     -1,
     "C;3;z",
     "A;1;x\r\nB;2;y\r\nC;3;z\r\n",
     {"A;1;x", "B;2;y", "C;3;z"}},
    {"AggiungiSenzaCrLf",
     "A;1;x\r\nB;2;y",
     Operazione::Aggiungi,
     -1,
     "C;3;z",
     "A;1;x\r\nB;2;y\r\nC;3;z\r\n",
     {"A;1;x", "B;2;y", "C;3;z"}},
    {"AggiungiAFileMancante", "", Operazione::Aggiungi, -1, "Città;3;z", "Citt\xE0;3;z\r\n", {"Città;3;z"}},
    {"Sostituisci",
     "A;1;x\r\nB;2;y\r\nC;3;z\r\n",
     Operazione::Sostituisci,
     0,
     "A;1;nuovo",
     "B;2;y\r\nC;3;z\r\nA;1;nuovo\r\n",
     {"B;2;y", "C;3;z", "A;1;nuovo"}},
    {"SostituisciSenzaCrLf",
     "A;1;x\r\nB;2;y",
     Operazione::Sostituisci,
     1,
     "B;2;nuovo",
     "A;1;x\r\nB;2;nuovo\r\n",
     {"A;1;x", "B;2;nuovo"}},
    // A new line reaches file and list without what an archive cannot hold:
    // characters outside Windows-1252, control characters (a CR or LF, which
    // would split it, refuses the whole line), a tab becomes one space; the
    // lines already there stay as they are.
    {"AggiungiSoloCaratteriArchiviabili",
     "A;1;\tx\r\n",
     Operazione::Aggiungi,
     -1,
     "\xC5\x81\xC3\xB3"
     "d\xC5\xBA \xF0\x9F\x98\x80;\x1B"
     "3;z\x7Fw\x0C",
     "A;1;\tx\r\n\xF3"
     "d ;3;zw\r\n",
     {"A;1;\tx",
      "\xC3\xB3"
      "d ;3;zw"}},
    {"SostituisciSoloCaratteriArchiviabili",
     "A;1;x\x1B\r\nB;2;y\r\n",
     Operazione::Sostituisci,
     1,
     "B;2;\xC5\x91nuovo\t",
     "A;1;x\x1B\r\nB;2;nuovo \r\n",
     {"A;1;x\x1B", "B;2;nuovo "}},
    {"Elimina", "A;1;x\r\nB;2;y\r\nC;3;z\r\n", Operazione::Elimina, 1, "", "A;1;x\r\nC;3;z\r\n", {"A;1;x", "C;3;z"}},
    {"EliminaSenzaCrLf", "A;1;x\r\nB;2;y", Operazione::Elimina, 0, "", "B;2;y\r\n", {"B;2;y"}},
    {"EliminaUltimaRiga", "A;1;x\r\n", Operazione::Elimina, 0, "", "", {}},
};

class FileArchivioTest : public quotara::testing::ProgramTest,
                         public ::testing::WithParamInterface<std::tuple<Caso, bool>> {
 protected:
  std::string file() const { return dati("prova.dat"); }
  std::vector<std::string> elenco(const ListBox& l) const {
    std::vector<std::string> v;
    for (int i = 0; i < l.ListCount(); ++i) v.push_back(l.List(i));
    return v;
  }
  bool esegui(shell::FileArchivio& a, const Caso& c) {
    switch (c.operazione) {
      case Operazione::Aggiungi:
        return a.Aggiungi(c.riga);
      case Operazione::Sostituisci:
        return a.Sostituisci(c.indice, c.riga);
      case Operazione::Elimina:
        return a.Elimina(c.indice);
    }
    return false;
  }
};

// The file first, then the list; a write that fails (a folder where the file
// goes) leaves both as they were and says so.
TEST_P(FileArchivioTest, ChangesFileThenList) {
  const auto& [c, guasto] = GetParam();
  if (!c.byte.empty()) quotara::testing::ScriviFile(file(), c.byte);
  Finestra& f = application.form<Finestra>();
  shell::FileArchivio archivio(file(), f.List1, Prova::chiaveDi);
  std::vector<std::string> lette;
  ASSERT_TRUE(archivio.Carica([&lette](std::string_view r) { lette.emplace_back(r); }));
  const std::vector<std::string> prima = elenco(f.List1);
  EXPECT_EQ(lette, prima);

  if (guasto) {
    fs::remove(file());
    fs::create_directories(file() + "/dentro");
    desk.expectMsgBox(vbOK, {.title = "Quotara", .icon = vbCritical});
    EXPECT_FALSE(esegui(archivio, c));
    EXPECT_EQ(desk.pendingAnswers(), 0u);
    EXPECT_EQ(desk.msgBoxes().back().prompt.rfind("Impossibile ", 0), 0u) << desk.msgBoxes().back().prompt;
    EXPECT_TRUE(fs::is_directory(file() + "/dentro"));
    EXPECT_EQ(elenco(f.List1), prima);
    return;
  }
  EXPECT_TRUE(esegui(archivio, c));
  EXPECT_TRUE(desk.msgBoxes().empty());
  if (c.dopo.empty())
    EXPECT_FALSE(fs::exists(file()));
  else
    EXPECT_EQ(quotara::testing::LeggiFile(file()), c.dopo);
  EXPECT_EQ(elenco(f.List1), c.elenco);
  // What the list holds is what the file holds.
  shell::FileArchivio riletto(file(), f.List1, Prova::chiaveDi);
  ASSERT_TRUE(riletto.Carica());
  EXPECT_EQ(elenco(f.List1), c.elenco);
}

INSTANTIATE_TEST_SUITE_P(Casi, FileArchivioTest, ::testing::Combine(::testing::ValuesIn(kCasi), ::testing::Bool()),
                         [](const auto& caso) {
                           return std::string(std::get<0>(caso.param).nome) +
                                  (std::get<1>(caso.param) ? "_ScritturaFallita" : "");
                         });

class FileArchivioLettura : public quotara::testing::ProgramTest {};

// The archive browser's list: sorted, case ignored, equal lines in file order.
TEST_F(FileArchivioLettura, ASortedListLeavesOutBlankLinesAndKeepsEqualLinesInFileOrder) {
  Finestra& f = application.form<Finestra>();
  f.List1.setSorted(true);
  quotara::testing::ScriviFile(dati("prova.dat"), "b;2;x\r\n\r\nA;1;y\r\na;1;z\r\nB;2;X\r\na;1;y\r\n");
  shell::FileArchivio archivio(dati("prova.dat"), f.List1, Prova::chiaveDi);
  std::vector<std::string> lette;
  ASSERT_TRUE(archivio.Carica([&lette](std::string_view r) { lette.emplace_back(r); }));
  EXPECT_EQ(lette, (std::vector<std::string>{"b;2;x", "A;1;y", "a;1;z", "B;2;X", "a;1;y"}))
      << "the callback sees the lines in file order, without the blank one";
  const std::vector<std::string> ordinate = {"A;1;y", "a;1;y", "a;1;z", "b;2;x", "B;2;X"};
  std::vector<std::string> elenco;
  for (int i = 0; i < f.List1.ListCount(); ++i) elenco.push_back(f.List1.List(i));
  EXPECT_EQ(elenco, ordinate);
  ASSERT_TRUE(archivio.Elimina(1));
  EXPECT_EQ(quotara::testing::LeggiFile(dati("prova.dat")), "A;1;y\r\na;1;z\r\nb;2;x\r\nB;2;X\r\n");
}

TEST_F(FileArchivioLettura, FindsByKeyAndTakesAMissingFileAsEmpty) {
  Finestra& f = application.form<Finestra>();
  shell::FileArchivio archivio(dati("prova.dat"), f.List1, Prova::chiaveDi);
  ASSERT_TRUE(archivio.Carica());
  EXPECT_EQ(f.List1.ListCount(), 0);
  EXPECT_EQ(archivio.Trova("A;1"), -1);
  quotara::testing::ScriviFile(dati("prova.dat"), "A;1;x\r\nB;2;y\r\nA;1;z\r\n");
  ASSERT_TRUE(archivio.Carica());
  EXPECT_EQ(archivio.Trova("A;1"), 0);
  EXPECT_EQ(archivio.Trova("B;2"), 1);
  EXPECT_EQ(archivio.Trova("B"), -1);
  EXPECT_EQ(archivio.Trova("A;1;x"), -1);
}

// The first record creates the file and the last one removes it: either
// change reaches the disk only with the program folder, which is flushed
// before the save reports success.
TEST_F(FileArchivioLettura, TheFirstAndTheLastRecordFlushTheFolder) {
  Finestra& f = application.form<Finestra>();
  shell::FileArchivio archivio(dati("prova.dat"), f.List1, Prova::chiaveDi);
  ASSERT_TRUE(archivio.Carica());
  const std::string cartella = std::filesystem::path(dati()).parent_path().string();
  const auto cartellaFlushata = [&](const std::function<bool()>& passo) {
    quotara::testing::FlushRegistrati registro;
    EXPECT_TRUE(passo());
    const auto p = registro.Percorsi();
    return std::find(p.begin(), p.end(), cartella) != p.end();
  };
  EXPECT_TRUE(cartellaFlushata([&] { return archivio.Aggiungi("A;1;x"); }));
  EXPECT_FALSE(cartellaFlushata([&] { return archivio.Aggiungi("B;2;y"); })) << "an append to the file needs none";
  EXPECT_TRUE(cartellaFlushata([&] { return archivio.Elimina(0); })) << "a rewrite renames, and flushes it";
  EXPECT_TRUE(cartellaFlushata([&] { return archivio.Elimina(0); }));
  EXPECT_FALSE(fs::exists(dati("prova.dat")));
}

// A sorted list (the cadastral register): the lines in alphabetical order,
// case ignored, and every rewrite in that order, a replaced line at its place.
TEST_F(FileArchivioLettura, ASortedListKeepsFileAndListInItsOrder) {
  Finestra& f = application.form<Finestra>();
  f.List1.setSorted(true);
  shell::FileArchivio archivio(dati("prova.dat"), f.List1, Prova::chiaveDi);
  quotara::testing::ScriviFile(dati("prova.dat"), "c;1;x\r\nA;2;y\r\nb;3;z\r\n");
  ASSERT_TRUE(archivio.Carica());
  const auto elenco = [&f] {
    std::vector<std::string> v;
    for (int i = 0; i < f.List1.ListCount(); ++i) v.push_back(f.List1.List(i));
    return v;
  };
  EXPECT_EQ(elenco(), (std::vector<std::string>{"A;2;y", "b;3;z", "c;1;x"}));
  ASSERT_TRUE(archivio.Sostituisci(0, "Bb;0;w"));
  EXPECT_EQ(quotara::testing::LeggiFile(dati("prova.dat")), "b;3;z\r\nBb;0;w\r\nc;1;x\r\n");
  EXPECT_EQ(elenco(), (std::vector<std::string>{"b;3;z", "Bb;0;w", "c;1;x"}));
  ASSERT_TRUE(archivio.Aggiungi("a;9;9"));
  EXPECT_EQ(quotara::testing::LeggiFile(dati("prova.dat")), "b;3;z\r\nBb;0;w\r\nc;1;x\r\na;9;9\r\n");
  EXPECT_EQ(elenco(), (std::vector<std::string>{"a;9;9", "b;3;z", "Bb;0;w", "c;1;x"}));
  ASSERT_TRUE(archivio.Elimina(2));
  EXPECT_EQ(quotara::testing::LeggiFile(dati("prova.dat")), "a;9;9\r\nb;3;z\r\nc;1;x\r\n");

  // Lines equal but for case keep their file order, in a sorted file with
  // lines appended as in one in no order.
  for (const char* file : {"a;1;1\r\nb;1;x\r\nc;1;1\r\nB;1;x\r\nA;1;1\r\n", "B;1;x\r\na;1;1\r\nb;1;x\r\nA;1;1\r\n"}) {
    SCOPED_TRACE(file);
    quotara::testing::ScriviFile(dati("prova.dat"), file);
    ASSERT_TRUE(archivio.Carica());
    const auto righe = elenco();
    const std::string testo = file;
    ASSERT_EQ(righe.size(), static_cast<size_t>(std::count(testo.begin(), testo.end(), '\n')));
    EXPECT_TRUE(std::is_sorted(righe.begin(), righe.end(),
                               [](const std::string& a, const std::string& b) { return compareNoCase(a, b) < 0; }));
    // Each line after the ones equal to it that come first in the file.
    for (size_t i = 0; i + 1 < righe.size(); ++i) {
      if (compareNoCase(righe[i], righe[i + 1]) == 0) {
        EXPECT_LT(testo.find(righe[i]), testo.find(righe[i + 1]));
      }
    }
  }
}

}  // namespace

namespace {

// An archive that is a symbolic link stays one through every change, the last
// deletion included.
TEST_F(FileArchivioLettura, ALinkedArchiveStaysALink) {
  fs::create_directories(cartella() / "altrove");
  quotara::testing::ScriviFile(cartella() / "altrove" / "vero.dat", "A;1;x\r\n");
  fs::create_symlink(cartella() / "altrove" / "vero.dat", dati("prova.dat"));
  Finestra& f = application.form<Finestra>();
  shell::FileArchivio archivio(dati("prova.dat"), f.List1, Prova::chiaveDi);
  ASSERT_TRUE(archivio.Carica());
  ASSERT_TRUE(archivio.Aggiungi("B;2;y"));
  ASSERT_TRUE(archivio.Sostituisci(0, "A;1;z"));
  EXPECT_TRUE(fs::is_symlink(dati("prova.dat")));
  EXPECT_EQ(quotara::testing::LeggiFile(cartella() / "altrove" / "vero.dat"), "B;2;y\r\nA;1;z\r\n");
  ASSERT_TRUE(archivio.Elimina(0));
  ASSERT_TRUE(archivio.Elimina(0));
  EXPECT_TRUE(fs::is_symlink(dati("prova.dat")));
  EXPECT_EQ(quotara::testing::LeggiFile(cartella() / "altrove" / "vero.dat"), "");
  EXPECT_EQ(f.List1.ListCount(), 0);
}

}  // namespace

namespace {

// A record whose field would break its line never reaches the file, whichever
// field holds the separator or the line break, on an append or a replacement.
TEST_F(FileArchivioLettura, RefusesARecordThatWouldBreakItsLine) {
  const std::string prima = "A;1;x\r\nB;2;y\r\n";
  quotara::testing::ScriviFile(dati("prova.dat"), prima);
  Finestra& f = application.form<Finestra>();
  shell::FileArchivio archivio(dati("prova.dat"), f.List1, Prova::chiaveDi);
  ASSERT_TRUE(archivio.Carica());
  for (int n = 1; n <= Prova::kNumeroCampi; ++n) {
    for (const char* guasto : {"a;b", "a\rb", "a\nb", "a\r\nb"}) {
      for (const bool sostituisci : {false, true}) {
        SCOPED_TRACE(std::to_string(n) + " " + (sostituisci ? "Sostituisci" : "Aggiungi"));
        Prova r = Prova::fromLine("C;3;z");
        r.campo(n) = guasto;
        const std::string atteso = "Impossibile archiviare i dati.\r\nIl campo \"" + std::string(Prova::nomeCampo(n)) +
                                   "\" contiene un carattere non ammesso (\";\" o un ritorno a capo).";
        desk.expectMsgBox(vbOK, {.prompt = atteso, .title = "Quotara", .icon = vbExclamation});
        EXPECT_FALSE(sostituisci ? archivio.Sostituisci(0, r) : archivio.Aggiungi(r));
        EXPECT_EQ(quotara::testing::LeggiFile(dati("prova.dat")), prima);
        EXPECT_EQ(f.List1.ListCount(), 2);
        EXPECT_EQ(f.List1.List(0), "A;1;x");
      }
    }
  }
  // A line handed over whole may not hold a line break either.
  desk.expectMsgBox(vbOK, {.prompt = "Impossibile archiviare i dati.\r\nLa riga contiene un ritorno a capo."});
  EXPECT_FALSE(archivio.Sostituisci(1, "B;2;y\r\nC;3;z"));
  desk.expectMsgBox(vbOK, {.prompt = "Impossibile archiviare i dati.\r\nLa riga contiene un ritorno a capo."});
  EXPECT_FALSE(archivio.Aggiungi("C;3\n;z"));
  EXPECT_EQ(quotara::testing::LeggiFile(dati("prova.dat")), prima);
  EXPECT_EQ(desk.pendingAnswers(), 0u);
  // A sound record goes through.
  Prova r = Prova::fromLine("C;3;z");
  ASSERT_TRUE(archivio.Aggiungi(r));
  r.Importo = "w";
  ASSERT_TRUE(archivio.Sostituisci(2, r));
  EXPECT_EQ(quotara::testing::LeggiFile(dati("prova.dat")), prima + "C;3;w\r\n");
}

class AltraFinestra : public Finestra {};

// Until the file clock has ticked past the file's last change: a file read in
// the same tick as its change is read again the next time (a change in that
// tick would not move its times).
void DopoLoScatto(const std::string& file) {
  while (platform::fileClockNow() <= platform::fileStamp(file)->changed)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::vector<std::string> Voci(const ListBox& l) {
  std::vector<std::string> v;
  for (int i = 0; i < l.ListCount(); ++i) v.push_back(l.List(i));
  return v;
}

// Two windows share the lines of a file read once; another program that
// rewrites the file behind their back (in place with the same size, or as a
// new file renamed over it, its times put back) is seen by the next window
// that loads it, and so is a change the program writes itself.
TEST_F(FileArchivioLettura, WindowsShareTheLinesReadOnceUntilTheFileChanges) {
  const std::string file = dati("tasi.dat");
  const auto ieri = fs::file_time_type::clock::now() - std::chrono::hours(24);
  const struct {
    const char* nome;
    bool nuovoFile;
  } casi[] = {{"stessa lunghezza, stesso file", false}, {"nuovo file rinominato, stessi tempi", true}};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    quotara::testing::ScriviFile(file, "A;1;x\r\nB;2;y\r\n");
    fs::last_write_time(file, ieri);
    DopoLoScatto(file);
    Finestra& uno = application.form<Finestra>();
    AltraFinestra& due = application.form<AltraFinestra>();
    ASSERT_TRUE(shell::FileArchivio(file, uno.List1, Prova::chiaveDi).Carica());
    const auto letta = shell::RigheCondivise(file);
    ASSERT_TRUE(shell::FileArchivio(file, due.List1, Prova::chiaveDi).Carica());
    EXPECT_EQ(shell::RigheCondivise(file), letta) << "read once for both windows";
    EXPECT_EQ(Voci(due.List1), (std::vector<std::string>{"A;1;x", "B;2;y"}));

    if (c.nuovoFile) {
      quotara::testing::ScriviFile(file + ".nuovo", "A;1;z\r\nB;2;w\r\n");
      fs::last_write_time(file + ".nuovo", ieri);
      DopoLoScatto(file + ".nuovo");
      fs::rename(file + ".nuovo", file);
    } else {
      quotara::testing::ScriviFile(file, "A;1;z\r\nB;2;w\r\n");
    }
    ASSERT_TRUE(shell::FileArchivio(file, due.List1, Prova::chiaveDi).Carica());
    EXPECT_EQ(Voci(due.List1), (std::vector<std::string>{"A;1;z", "B;2;w"}));
    EXPECT_NE(shell::RigheCondivise(file), letta);

    // The program's own writes: the other window loads what they wrote.
    shell::FileArchivio archivio(file, uno.List1, Prova::chiaveDi);
    ASSERT_TRUE(archivio.Carica());
    ASSERT_TRUE(archivio.Aggiungi("Città;3;€"));
    ASSERT_TRUE(shell::FileArchivio(file, due.List1, Prova::chiaveDi).Carica());
    EXPECT_EQ(Voci(due.List1), (std::vector<std::string>{"A;1;z", "B;2;w", "Città;3;€"}));
    ASSERT_TRUE(archivio.Sostituisci(0, "A;1;nuovo"));
    ASSERT_TRUE(shell::FileArchivio(file, due.List1, Prova::chiaveDi).Carica());
    EXPECT_EQ(Voci(due.List1), (std::vector<std::string>{"B;2;w", "Città;3;€", "A;1;nuovo"}));
    ASSERT_TRUE(archivio.Elimina(1));
    ASSERT_TRUE(shell::FileArchivio(file, due.List1, Prova::chiaveDi).Carica());
    EXPECT_EQ(Voci(due.List1), (std::vector<std::string>{"B;2;w", "A;1;nuovo"}));
    // What the program wrote is what the file holds.
    EXPECT_EQ(quotara::testing::LeggiFile(file), "B;2;w\r\nA;1;nuovo\r\n");
    for (const auto& riga : shell::RigheCondivise(file)->Righe) EXPECT_NE(riga.find(';'), std::string_view::npos);
    application.unload<Finestra>();
    application.unload<AltraFinestra>();
  }
}

// A character the file cannot hold in Windows-1252 never reaches it, and the
// shared lines hold the line as the file does.
TEST_F(FileArchivioLettura, AnAppendedLineIsSharedAsTheFileHoldsIt) {
  const std::string file = dati("prova.dat");
  Finestra& f = application.form<Finestra>();
  shell::FileArchivio archivio(file, f.List1, Prova::chiaveDi);
  ASSERT_TRUE(archivio.Carica());
  ASSERT_TRUE(archivio.Aggiungi("Ω;1;x"));
  const auto righe = shell::RigheCondivise(file);
  ASSERT_EQ(righe->Righe.size(), 1u);
  EXPECT_EQ(righe->Righe[0], ";1;x");
  EXPECT_EQ(quotara::testing::LeggiFile(file), ";1;x\r\n");
}

}  // namespace
