// A restore or an import killed at any point: after the next start, every
// archive is wholly old or wholly new, all of them from the same side, a
// linked archive is still a link, and nothing the program wrote for itself
// is left over.
//
// The command runs in a child process traced system call by system call; the
// child is killed (SIGKILL) at a stop drawn from a fixed seed, so each try
// stops at the same place on every run.
#include <gtest/gtest.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "archives/CopiaSicurezza.h"
#include "platform/Files.h"
#include "support/Cartella.h"

using namespace archives;
namespace fs = std::filesystem;

namespace {

// The system calls that change files: the child stops on entry to each of
// them. A kill anywhere else leaves what a kill at the next of them leaves,
// so these stops reach every state a kill can leave; reads, and the memory
// calls of the allocator and of the sanitizers, run without stopping.
const std::vector<unsigned> kScritture{
    SYS_openat,   SYS_write,  SYS_pwrite64, SYS_renameat,  SYS_renameat2,
    SYS_unlinkat, SYS_fchmod, SYS_fchmodat, SYS_ftruncate,
#ifdef SYS_open
    SYS_open,     SYS_rename, SYS_unlink,   SYS_chmod,
#endif
};

// The child's filter: calls that change files stop for the tracer; flushes to disk
// return at once (a kill, unlike a power cut, loses nothing the system
// already holds), which keeps a few hundred tries quick; the rest runs.
bool Filtro() {
#if defined(__x86_64__)
  constexpr __u32 kArch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
  constexpr __u32 kArch = AUDIT_ARCH_AARCH64;
#else
  return false;
#endif
  std::vector<sock_filter> f{
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kArch, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_fsync, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | 0),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_fdatasync, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | 0),
  };
  for (const unsigned nr : kScritture) {
    f.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, nr, 0, 1));
    f.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRACE));
  }
  f.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  const sock_fprog programma{static_cast<unsigned short>(f.size()), f.data()};
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &programma) == 0;
}

constexpr int kSenzaTraccia = 98;     // the child's exit status when it cannot be traced
constexpr long kNonTracciabile = -2;  // what Interrotto gives then

// Runs `comando` in a child process and kills it when it reaches its
// `fermata`-th stop at a system call that changes files; gives the stops the child
// made, -1 when it was killed, kNonTracciabile when this system lets no
// process trace its child.
long Interrotto(const std::function<void()>& comando, long fermata) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(kSenzaTraccia);
    raise(SIGSTOP);
    if (!Filtro()) _exit(kSenzaTraccia);
    comando();
    _exit(0);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFSTOPPED(status)) return kNonTracciabile;
  ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESECCOMP | PTRACE_O_EXITKILL);
  long fermate = 0;
  int segnale = 0;
  for (;;) {
    ptrace(PTRACE_CONT, pid, nullptr, segnale);
    segnale = 0;
    if (waitpid(pid, &status, 0) != pid) return kNonTracciabile;
    if (WIFEXITED(status)) return WEXITSTATUS(status) == kSenzaTraccia ? kNonTracciabile : fermate;
    if (WIFSIGNALED(status)) return fermate;
    if (status >> 8 != (SIGTRAP | (PTRACE_EVENT_SECCOMP << 8))) {
      segnale = WSTOPSIG(status);  // the child's own signal goes on to it
      continue;
    }
    if (++fermate == fermata) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
  }
}

// The program folder with "tasicat.dat" a link to a shared folder, and a
// backup folder with the new copies of the three archives.
class RipristinoInterrottoTest : public ::testing::Test {
 protected:
  RipristinoInterrottoTest() : base(quotara::testing::CartellaTest()) {
    for (const char* d : {"dati", "condivisa", "copie"}) fs::create_directories(base / d);
    fs::create_symlink("../condivisa/catasto.dat", dati() + "/tasicat.dat");
    for (const auto& [nome, byte] : nuovi) quotara::testing::ScriviFile(copie() + "/" + nome, byte);
  }

  std::string dati() const { return (base / "dati").string(); }
  std::string copie() const { return (base / "copie").string(); }

  // The old archives again; an archive that still holds them is left alone,
  // one that does not is written afresh (the file a link points to for the link).
  void ScriviVecchi() const {
    for (const auto& [nome, byte] : vecchi) {
      const std::string archivio = platform::finalTarget(dati() + "/" + nome);
      if (quotara::testing::LeggiFile(archivio) == byte) continue;
      fs::remove(archivio);
      quotara::testing::ScriviFile(archivio, byte);
    }
  }
  std::map<std::string, std::string> Archivi() const {
    std::map<std::string, std::string> a;
    for (const auto& [nome, byte] : vecchi) a[nome] = quotara::testing::LeggiFile(dati() + "/" + nome);
    return a;
  }
  // "vecchi" or "nuovi" when every archive is wholly old or wholly new, else
  // what each one holds ("tasi.dat nuovo, tasicat.dat vecchio, tasif24.dat rovinato").
  std::string Lato() const {
    const auto a = Archivi();
    if (a == vecchi) return "vecchi";
    if (a == nuovi) return "nuovi";
    std::string misto;
    for (const auto& [nome, byte] : a)
      misto += (misto.empty() ? "" : ", ") + nome + " " +
               (byte == vecchi.at(nome)  ? "vecchio"
                : byte == nuovi.at(nome) ? "nuovo"
                                         : "rovinato");
    return misto;
  }
  // Every entry of the program folder and of the shared folder.
  std::set<std::string> Voci() const {
    std::set<std::string> v;
    for (const char* d : {"dati", "condivisa"})
      for (const auto& e : fs::directory_iterator(base / d))
        v.insert(std::string(d) + "/" + e.path().filename().string());
    return v;
  }
  // What the start does before any window opens.
  std::optional<Esito> Avvio() const {
    auto esito = CompletaSostituzioneInterrotta(dati());
    platform::removeInterruptedWrites(dati());
    return esito;
  }

  static std::string Righe(const std::string& prima, int campi, int quante) {
    std::string byte;
    for (int r = 0; r < quante; ++r) {
      byte += prima + std::to_string(r);
      for (int i = 2; i <= campi; ++i) byte += i == 4 && campi == 18 ? ";1" : ";" + std::to_string(i);
      byte += "\r\n";
    }
    return byte;
  }

  fs::path base;
  const std::map<std::string, std::string> vecchi{{"tasi.dat", Righe("VECCHIO", 28, 40)},
                                                  {"tasicat.dat", Righe("VECCHIO", 18, 40)},
                                                  {"tasif24.dat", Righe("VECCHIO", 14, 40)}};
  const std::map<std::string, std::string> nuovi{{"tasi.dat", Righe("NUOVO", 28, 50)},
                                                 {"tasicat.dat", Righe("NUOVO", 18, 50)},
                                                 {"tasif24.dat", Righe("NUOVO", 14, 50)}};
  const std::set<std::string> soloArchivi{"dati/tasi.dat", "dati/tasicat.dat", "dati/tasif24.dat",
                                          "condivisa/catasto.dat"};
};

TEST_F(RipristinoInterrottoTest, AKilledRestoreIsWhollyOldOrWhollyNewAfterTheNextStart) {
  const auto ripristina = [this] { RipristinaArchivi(copie(), dati()); };
  ScriviVecchi();
  const long fermate = Interrotto(ripristina, 0);
  if (fermate == kNonTracciabile) GTEST_SKIP() << "this system lets no test trace its child";
  ASSERT_EQ(Lato(), "nuovi");
  ASSERT_GT(fermate, 20);

  std::mt19937 caso(20261210);
  std::uniform_int_distribution<long> dove(1, fermate);
  constexpr int kProve = 200;
  int aMeta = 0, completati = 0, rovinati = 0, avanzi = 0;
  for (int prova = 0; prova < kProve; ++prova) {
    ScriviVecchi();
    const long fermata = dove(caso);
    SCOPED_TRACE("stop " + std::to_string(fermata) + " of " + std::to_string(fermate));
    ASSERT_EQ(Interrotto(ripristina, fermata), -1);
    if (Voci() != soloArchivi || (Lato() != "vecchi" && Lato() != "nuovi")) ++aMeta;

    const auto esito = Avvio();
    const std::string lato = Lato();
    if (lato != "vecchi" && lato != "nuovi") ++rovinati;
    if (Voci() != soloArchivi || !fs::is_symlink(dati() + "/tasicat.dat")) ++avanzi;
    EXPECT_TRUE(lato == "vecchi" || lato == "nuovi") << lato;
    EXPECT_EQ(Voci(), soloArchivi);
    if (esito) {
      ++completati;
      EXPECT_EQ(esito->messaggio,
                "Il ripristino degli archivi, interrotto nell'ultima sessione, è stato completato.\r\n"
                "Archivi ripristinati: tasi.dat, tasicat.dat, tasif24.dat.");
      EXPECT_FALSE(esito->errore);
      EXPECT_EQ(lato, "nuovi");
    }
    // A second start finds nothing more to do.
    EXPECT_FALSE(Avvio());
    EXPECT_EQ(Lato(), lato);
  }
  std::cout << "[ kill ] restore of three archives: " << kProve << " tries, " << aMeta << " killed mid-restore, "
            << completati << " finished at start, " << rovinati << " archive sets damaged, " << avanzi
            << " with leftovers\n";
  EXPECT_EQ(rovinati, 0);
  EXPECT_EQ(avanzi, 0);
  EXPECT_GT(aMeta, kProve / 4);
  EXPECT_GT(completati, 0);
}

// The start itself may be killed while it finishes a restore: the one after it finishes the job.
TEST_F(RipristinoInterrottoTest, AKilledStartIsFinishedByTheNextOne) {
  // A restore stopped as soon as its journal was written (scanned back from its end).
  const auto ripristina = [this] { RipristinaArchivi(copie(), dati()); };
  const std::string giornale = dati() + "/" + platform::kReplacementJournal;
  ScriviVecchi();
  const long fermate = Interrotto(ripristina, 0);
  if (fermate == kNonTracciabile) GTEST_SKIP() << "this system lets no test trace its child";
  long fermataGiornale = 0;
  for (long f = fermate; f > 0; --f) {
    ScriviVecchi();
    Interrotto(ripristina, f);
    const bool scritto = fs::exists(giornale) && Lato() == "vecchi";
    Avvio();
    if (scritto)
      fermataGiornale = f;
    else if (fermataGiornale)
      break;
  }
  ASSERT_GT(fermataGiornale, 0);

  const auto prepara = [&] {
    ScriviVecchi();
    Interrotto(ripristina, fermataGiornale);
  };
  prepara();
  const long fermateAvvio = Interrotto([this] { Avvio(); }, 0);
  ASSERT_EQ(Lato(), "nuovi");
  std::mt19937 caso(10122026);
  std::uniform_int_distribution<long> dove(1, fermateAvvio);
  for (int prova = 0; prova < 30; ++prova) {
    const long fermata = dove(caso);
    SCOPED_TRACE("stop " + std::to_string(fermata) + " of " + std::to_string(fermateAvvio));
    prepara();
    ASSERT_TRUE(fs::exists(giornale));
    ASSERT_EQ(Interrotto([this] { Avvio(); }, fermata), -1);
    const auto esito = Avvio();
    EXPECT_EQ(Lato(), "nuovi");
    EXPECT_EQ(Voci(), soloArchivi);
    EXPECT_TRUE(fs::is_symlink(dati() + "/tasicat.dat"));
    if (esito) {
      EXPECT_FALSE(esito->errore) << esito->messaggio;
    }
  }
}

TEST_F(RipristinoInterrottoTest, AKilledImportOfALinkedArchiveIsWhollyOldOrWhollyNew) {
  const std::string file = copie() + "/imucat.dat";
  quotara::testing::ScriviFile(file, nuovi.at("tasicat.dat"));
  const auto importa = [&] {
    ImportaArchivio(file, dati() + "/tasicat.dat", TracciatoCatasto, "Importazione catasto completata con successo.");
  };
  ScriviVecchi();
  const long fermate = Interrotto(importa, 0);
  if (fermate == kNonTracciabile) GTEST_SKIP() << "this system lets no test trace its child";
  ASSERT_TRUE(quotara::testing::LeggiFile(dati() + "/tasicat.dat") == nuovi.at("tasicat.dat"));

  std::mt19937 caso(231);
  std::uniform_int_distribution<long> dove(1, fermate);
  for (int prova = 0; prova < 40; ++prova) {
    ScriviVecchi();
    const long fermata = dove(caso);
    SCOPED_TRACE("stop " + std::to_string(fermata) + " of " + std::to_string(fermate));
    ASSERT_EQ(Interrotto(importa, fermata), -1);
    const auto esito = Avvio();
    const std::string catasto = quotara::testing::LeggiFile(dati() + "/tasicat.dat");
    EXPECT_TRUE(catasto == vecchi.at("tasicat.dat") || catasto == nuovi.at("tasicat.dat"));
    if (esito) {
      EXPECT_EQ(esito->messaggio,
                "L'importazione dell'archivio, interrotta nell'ultima sessione, è stata completata.\r\n"
                "Archivio importato: tasicat.dat.");
    }
    EXPECT_EQ(Voci(), soloArchivi);
    EXPECT_TRUE(fs::is_symlink(dati() + "/tasicat.dat"));
  }
}

}  // namespace
