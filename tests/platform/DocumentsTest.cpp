#include "platform/Documents.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>

#include "Scratch.h"
#include "support/Apritore.h"

using namespace platform;
using Argv = std::vector<std::string>;

TEST(OpenDocument, StartsXdgOpenWithTheFileAsOneArgument) {
  std::vector<Argv> started;
  setSpawnerForTests([&](const Argv& argv) {
    started.push_back(argv);
    return true;
  });
  const struct {
    const char* path;
    const char* argument;
  } cases[] = {
      {"/tmp/quotara-1000/quotara.pdf", "/tmp/quotara-1000/quotara.pdf"},
      {"/home/anna/Dati F24/Rossi; $(rm -rf ~) 'x'.fdf", "/home/anna/Dati F24/Rossi; $(rm -rf ~) 'x'.fdf"},
      {"-catasto.csv", "./-catasto.csv"},
  };
  for (const auto& c : cases) {
    started.clear();
    EXPECT_TRUE(openDocument(c.path));
    EXPECT_EQ(started, (std::vector<Argv>{{"xdg-open", c.argument}})) << c.path;
  }
  started.clear();
  EXPECT_FALSE(openDocument(""));
  EXPECT_TRUE(started.empty());
  setSpawnerForTests({});
}

namespace {

// Puts `dir` alone on PATH for the life of the object.
class OnlyOnPath {
 public:
  explicit OnlyOnPath(const std::string& dir) : old_(std::getenv("PATH") ? std::getenv("PATH") : "") {
    setenv("PATH", dir.c_str(), 1);
  }
  ~OnlyOnPath() { setenv("PATH", old_.c_str(), 1); }

 private:
  std::string old_;
};

}  // namespace

TEST(OpenDocument, MissingOpenerDoesNothing) {
  OnlyOnPath path(scratchFolder("noopener"));
  EXPECT_FALSE(openDocument("/tmp/quotara.pdf"));
}

TEST(OpenDocument, TheRealOpenerGetsTheArgumentUntouched) {
  const std::string dir = scratchFolder("opener");
  const std::string record = dir + "/argv.txt";
  putBytes(dir + "/xdg-open", "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done > '" + record +
                                  ".part'\nmv '" + record + ".part' '" + record + "'\n");
  chmod((dir + "/xdg-open").c_str(), 0700);
  const std::string document = dir + "/Rossi; `touch " + dir + "/danno` $HOME.pdf";

  {
    OnlyOnPath path(dir + ":/bin:/usr/bin");
    ASSERT_TRUE(openDocument(document));
  }
  // The opener runs on its own; give it time to write what it received.
  for (int i = 0; i < 500 && !std::filesystem::exists(record); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(getBytes(record), "[" + document + "]");
  EXPECT_FALSE(std::filesystem::exists(dir + "/danno"));
}

namespace {

// What an opener's end reported, waited for on the test's thread.
class Esito {
 public:
  OpenerEnded ricevi() {
    return [this](bool opened) {
      std::lock_guard lock(mutex_);
      esito_ = opened;
      arrivato_.notify_all();
    };
  }
  std::optional<bool> aspetta() {
    std::unique_lock lock(mutex_);
    arrivato_.wait_for(lock, std::chrono::seconds(10), [this] { return esito_.has_value(); });
    return esito_;
  }
  std::optional<bool> finora() {
    std::lock_guard lock(mutex_);
    return esito_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrivato_;
  std::optional<bool> esito_;
};

}  // namespace

TEST(OpenDocument, TellsHowTheOpenerEnded) {
  const struct {
    const char* cosa;
    std::optional<int> uscita;
    bool avviato, aperto;
  } casi[] = {
      {"exits 0", 0, true, true},
      {"exits 1", 1, true, false},
      {"exits 4 (no program for the type)", 4, true, false},
      {"none on PATH", std::nullopt, false, false},
  };
  int n = 0;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.cosa);
    quotara::testing::ApritoreFinto apritore(scratchFolder("opener" + std::to_string(++n)), c.uscita);
    Esito esito;
    EXPECT_EQ(openDocument("/tmp/quotara.pdf", esito.ricevi()), c.avviato);
    EXPECT_EQ(esito.aspetta(), std::optional<bool>(c.aperto));
  }
}

TEST(OpenDocument, AnOpenerThatKeepsRunningHoldsNothingUp) {
  // The opener runs the viewer itself and ends when the viewer is closed.
  const std::string dir = scratchFolder("viewer");
  const std::string chiuso = dir + "/chiuso";
  putBytes(dir + "/xdg-open", "#!/bin/sh\nwhile [ ! -e '" + chiuso + "' ]; do /bin/sleep 0.05; done\nexit 3\n");
  chmod((dir + "/xdg-open").c_str(), 0700);
  quotara::testing::ApritoreFinto sulPath(dir, std::nullopt);

  Esito esito;
  ASSERT_TRUE(openDocument("/tmp/quotara.pdf", esito.ricevi()));
  EXPECT_EQ(esito.finora(), std::nullopt);  // back while the viewer is still open
  putBytes(chiuso, "");
  EXPECT_EQ(esito.aspetta(), std::optional<bool>(false));
}
