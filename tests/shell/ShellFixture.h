#pragma once
// The headless desktop, the program's application object and private
// program and temporary folders for the tests of the frame window and the
// start-up.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"
#include "platform/Paths.h"
#include "shell/Applicazione.h"

namespace shell::testing {

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    base = std::filesystem::path(QUOTARA_TEST_OUT) / (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(base);
    std::filesystem::create_directories(base / "dati");
    std::filesystem::create_directories(base / "temp");
    std::filesystem::permissions(base / "dati", std::filesystem::perms::owner_all);
    std::filesystem::permissions(base / "temp", std::filesystem::perms::owner_all);
    platform::setProgramFolderForTests((base / "dati").string());
    platform::setTempFolderForTests((base / "temp").string());
    // 10 December 2026, at noon.
    desk.setNow(std::chrono::local_days{std::chrono::year{2026} / 12 / 10} + std::chrono::hours{12});
  }
  ~ShellTest() override {
    platform::setProgramFolderForTests("");
    platform::setTempFolderForTests("");
  }

  std::string temp(const std::string& nome) const { return (base / "temp" / nome).string(); }

  std::filesystem::path base;
  forms::HeadlessDesktop desk;
  Applicazione application{desk};
  forms::ScriptedUser user;
};

}  // namespace shell::testing
