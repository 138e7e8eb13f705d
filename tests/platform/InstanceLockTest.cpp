#include "platform/InstanceLock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Scratch.h"
#include "platform/Paths.h"

using namespace platform;

namespace {

// Exit status of a child process that tries the lock: 0 taken, 1 refused.
int acquireInChild(const std::string& path) {
  const pid_t pid = fork();
  if (pid == 0) {
    InstanceLock other(path);
    _exit(other.acquire() ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(InstanceLock, ASecondProgramIsRefusedWhileTheFirstRuns) {
  const std::string path = scratchFolder("lock") + "/quotara.lock";
  {
    InstanceLock first(path);
    ASSERT_TRUE(first.acquire());
    EXPECT_TRUE(first.acquire());
    EXPECT_EQ(acquireInChild(path), 1);
  }
  EXPECT_EQ(acquireInChild(path), 0) << "free again once the first has gone";
}

TEST(InstanceLock, TheSystemReleasesTheLockOfAProgramThatDied) {
  const std::string path = scratchFolder("lockdied") + "/quotara.lock";
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    static InstanceLock held(path);  // never destroyed: the process just dies
    const char ok = held.acquire() ? 'y' : 'n';
    [[maybe_unused]] const ssize_t n = write(ready[1], &ok, 1);
    pause();
    _exit(0);
  }
  char ok = 0;
  ASSERT_EQ(read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, 'y');
  InstanceLock second(path);
  EXPECT_FALSE(second.acquire());
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  EXPECT_TRUE(second.acquire());
  close(ready[0]);
  close(ready[1]);
}

TEST(InstanceLock, DefaultLockFileIsInTheProgramFolder) {
  setProgramFolderForTests(scratchFolder("programma"));
  InstanceLock lock;
  EXPECT_TRUE(lock.acquire());
  EXPECT_TRUE(std::filesystem::exists(programFolder() + "/quotara.lock"));
  setProgramFolderForTests("");
}

namespace {

// An instance of the program started in a child process with its own
// environment: it finds its folders as the program does at start-up, takes
// the lock and says whether it got it ('y' or 'n'), then runs until told to end.
class Istanza {
 public:
  struct Ambiente {
    std::string home;     // HOME
    std::string tmpdir;   // TMPDIR
    std::string runtime;  // XDG_RUNTIME_DIR, "" unset
  };

  explicit Istanza(const Ambiente& a) {
    int esito[2], fine[2];
    if (pipe(esito) != 0 || pipe(fine) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(esito[0]);
      close(fine[1]);
      setenv("HOME", a.home.c_str(), 1);
      unsetenv("XDG_DATA_HOME");
      setenv("TMPDIR", a.tmpdir.c_str(), 1);
      a.runtime.empty() ? unsetenv("XDG_RUNTIME_DIR") : setenv("XDG_RUNTIME_DIR", a.runtime.c_str(), 1);
      setProgramFolderForTests("");
      setTempFolderForTests("");
      static InstanceLock lock;
      const std::string temp = tempFolder();
      const char ok = lock.acquire() ? 'y' : 'n';
      [[maybe_unused]] ssize_t n = write(esito[1], &ok, 1);
      n = write(esito[1], temp.data(), temp.size());
      close(esito[1]);
      char c;
      n = read(fine[0], &c, 1);
      std::exit(0);  // as the program ends: what it registered at exit runs
    }
    close(esito[1]);
    close(fine[0]);
    fine_ = fine[1];
    char ok = 0;
    if (read(esito[0], &ok, 1) == 1) preso_ = ok == 'y';
    char blocco[512];
    for (ssize_t n; (n = read(esito[0], blocco, sizeof blocco)) > 0;) temp_.append(blocco, static_cast<size_t>(n));
    close(esito[0]);
  }
  ~Istanza() { termina(); }

  bool preso() const { return preso_; }
  const std::string& temp() const { return temp_; }
  void termina() {
    if (pid_ <= 0) return;
    close(fine_);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int fine_ = -1;
  bool preso_ = false;
  std::string temp_;
};

struct CasoIstanze {
  const char* nome;
  bool runtimePrima, runtimeSeconda;  // XDG_RUNTIME_DIR set for the first, the second instance
  bool occupata;                      // $TMPDIR/quotara-<uid> made by someone else
};

class DueIstanze : public ::testing::TestWithParam<CasoIstanze> {};

// Two instances of one user, wherever their temporary folders end up: the
// second one never runs while the first does.
TEST_P(DueIstanze, NeverTwoRunning) {
  const CasoIstanze& c = GetParam();
  const std::string dir = scratchFolder("utente");
  const std::string tmp = dir + "/tmp";
  std::filesystem::create_directories(tmp);
  std::filesystem::create_directories(dir + "/run");
  if (c.occupata) {
    const std::string squat = tmp + "/quotara-" + std::to_string(geteuid());
    mkdir(squat.c_str(), 0777);
    chmod(squat.c_str(), 0777);
    if (geteuid() == 0) {
      ASSERT_EQ(chown(squat.c_str(), 65534, 65534), 0);
    }
  }
  const auto ambiente = [&](bool runtime) {
    return Istanza::Ambiente{dir + "/home", tmp, runtime ? dir + "/run" : ""};
  };
  Istanza prima(ambiente(c.runtimePrima));
  ASSERT_TRUE(prima.preso());
  {
    Istanza seconda(ambiente(c.runtimeSeconda));
    EXPECT_FALSE(seconda.preso());
  }
  EXPECT_TRUE(std::filesystem::exists(dir + "/home/.local/share/quotara/quotara.lock"));
  prima.termina();
  Istanza terza(ambiente(c.runtimeSeconda));
  EXPECT_TRUE(terza.preso()) << "free once the first has ended";
}

INSTANTIATE_TEST_SUITE_P(Ambienti, DueIstanze,
                         ::testing::Values(CasoIstanze{"SenzaRuntime", false, false, false},
                                           CasoIstanze{"SenzaRuntimeTempOccupata", false, false, true},
                                           CasoIstanze{"ConRuntime", true, true, false},
                                           CasoIstanze{"ConRuntimeTempOccupata", true, true, true},
                                           CasoIstanze{"PrimaConRuntime", true, false, true},
                                           CasoIstanze{"SecondaConRuntime", false, true, true}),
                         [](const auto& caso) { return std::string(caso.param.nome); });

// A temporary folder made in place of a squatted one goes when the program ends.
TEST(InstanceLock, TheFallbackTemporaryFolderIsRemovedAtExit) {
  const std::string dir = scratchFolder("utente");
  const std::string tmp = dir + "/tmp";
  std::filesystem::create_directories(tmp);
  const std::string squat = tmp + "/quotara-" + std::to_string(geteuid());
  mkdir(squat.c_str(), 0777);
  chmod(squat.c_str(), 0777);
  std::string temp;
  {
    Istanza istanza({dir + "/home", tmp, ""});
    ASSERT_TRUE(istanza.preso());
    temp = istanza.temp();
    ASSERT_EQ(temp.rfind(tmp + "/quotara-", 0), 0u) << temp;
    EXPECT_NE(temp, squat + "/");
    EXPECT_TRUE(std::filesystem::is_directory(temp));
    putBytes(temp + "quotara.pdf", "%PDF");
  }
  EXPECT_FALSE(std::filesystem::exists(temp));
  EXPECT_TRUE(std::filesystem::is_directory(squat)) << "someone else's folder is left alone";
}

}  // namespace
