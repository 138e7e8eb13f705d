#include "platform/Documents.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "Scratch.h"

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
