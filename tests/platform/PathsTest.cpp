#include "platform/Paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "Scratch.h"
#include "support/Ambiente.h"

using namespace platform;

namespace {

mode_t modeOf(const std::string& path) {
  struct stat st {};
  lstat(path.c_str(), &st);
  return st.st_mode & 07777;
}

using quotara::testing::EnvVar;

}  // namespace

TEST(ProgramFolder, IsTheUserDataFolderCreatedPrivate) {
  const std::string dir = scratchFolder("programfolder");
  {
    EnvVar data("XDG_DATA_HOME", (dir + "/data/").c_str());
    setProgramFolderForTests("");
    EXPECT_EQ(programFolder(), dir + "/data/quotara");
    EXPECT_EQ(modeOf(dir + "/data/quotara"), 0700u);
  }
  {
    EnvVar data("XDG_DATA_HOME", "relativo");  // not absolute: ignored
    EnvVar home("HOME", (dir + "/home").c_str());
    setProgramFolderForTests("");
    EXPECT_EQ(programFolder(), dir + "/home/.local/share/quotara");
    EXPECT_EQ(modeOf(dir + "/home/.local/share/quotara"), 0700u);
  }
  setProgramFolderForTests(dir + "/override/");
  EXPECT_EQ(programFolder(), dir + "/override");
  setProgramFolderForTests("");
}

TEST(TempFolder, IsAPrivateFolderOfTheRuntimeDirEndingWithSlash) {
  const std::string dir = scratchFolder("tempfolder");
  {
    EnvVar runtime("XDG_RUNTIME_DIR", dir.c_str());
    setTempFolderForTests("");
    EXPECT_EQ(tempFolder(), dir + "/quotara/");
    EXPECT_EQ(modeOf(dir + "/quotara"), 0700u);
  }
  setTempFolderForTests(dir + "/override");
  EXPECT_EQ(tempFolder(), dir + "/override/");
  setTempFolderForTests("");
}

TEST(TempFolder, RefusesAFolderOthersCouldReach) {
  const std::string dir = scratchFolder("private");
  mkdir((dir + "/open").c_str(), 0700);
  chmod((dir + "/open").c_str(), 0755);
  mkdir((dir + "/good").c_str(), 0700);
  symlink("good", (dir + "/link").c_str());
  putBytes(dir + "/file", "x");
  mkdir((dir + "/foreign").c_str(), 0700);
  const bool root = geteuid() == 0;
  if (root) chown((dir + "/foreign").c_str(), 65534, 65534);
  // The fresh folder made in place of a refused one goes where the system's
  // temporary files go: $TMPDIR, here a folder of the test's own.
  mkdir((dir + "/sistema").c_str(), 0700);
  EnvVar tmpdir("TMPDIR", (dir + "/sistema/").c_str());

  const struct {
    const char* name;
    const char* refusal;  // nullptr: accepted
  } cases[] = {
      {"new", nullptr},
      {"good", nullptr},
      {"open", "non ha i permessi 0700"},
      {"link", "è un collegamento simbolico"},
      {"file", "non è una cartella"},
      {"foreign", root ? "appartiene a un altro utente" : nullptr},
  };
  for (const auto& c : cases) {
    if (!root && std::string(c.name) == "foreign") continue;  // only root can give a folder away
    const std::string wanted = dir + "/" + c.name;
    std::string refusal;
    const std::string got = makePrivateFolder(wanted, &refusal);
    if (!c.refusal) {
      EXPECT_EQ(got, wanted) << c.name;
      EXPECT_EQ(refusal, "") << c.name;
    } else {
      EXPECT_EQ(refusal, c.refusal) << c.name;
      EXPECT_NE(got, wanted) << c.name;
      EXPECT_EQ(got.rfind(dir + "/sistema/quotara-", 0), 0u) << c.name;
    }
    EXPECT_EQ(modeOf(got), 0700u) << c.name;
    if (c.refusal) rmdir(got.c_str());
  }
}
