#pragma once
// The fixture of every test that runs windows or touches files: a scratch
// folder of its own, named after the test program, suite and test
// (build/test-output/test_calculation/MainFormTest.Archivia), emptied when
// the test starts, holding the program folder "dati" and the temporary folder
// "temp"; a headless desktop with a fixed date; the program's application
// object, whose shared variables start afresh; a scripted user.
//
//   class MiaFinestraTest : public quotara::testing::ProgramTest {};
//   TEST_F(MiaFinestraTest, Apre) { auto& f = application.form<MiaFinestra>(); ... }
//
// No two tests share a writable folder: write only under cartella().
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "forms/HeadlessDesktop.h"
#include "support/Cartella.h"
#include "forms/ScriptedUser.h"
#include "kit/Applicazione.h"

namespace quotara::testing {

class ProgramTest : public ::testing::Test {
 protected:
  // Today is `oggi` (by default Thursday 10 December 2026, 9:30:15).
  explicit ProgramTest(std::chrono::local_seconds oggi = DataFissa());
  ~ProgramTest() override;

  static std::chrono::local_seconds DataFissa() {
    using namespace std::chrono;
    return local_days{year{2026} / December / 10} + hours{9} + minutes{30} + seconds{15};
  }

  // The test's scratch folder, its program folder and its temporary folder.
  const std::filesystem::path& cartella() const { return base; }
  std::string dati(const std::string& nome = {}) const { return (base / "dati" / nome).string(); }
  std::string temp(const std::string& nome = {}) const { return (base / "temp" / nome).string(); }

  std::filesystem::path base;
  forms::HeadlessDesktop desk;
  shell::Applicazione application{desk};
  forms::ScriptedUser user;
};

// Lines given in UTF-8 written as the program writes its archives
// (Windows-1252, each ended by CR LF), and read back the same way; the test
// fails when the file does not end with CR LF.
void ScriviRighe(const std::filesystem::path& file, const std::vector<std::string>& righe);
std::vector<std::string> LeggiRighe(const std::filesystem::path& file);

}  // namespace quotara::testing
