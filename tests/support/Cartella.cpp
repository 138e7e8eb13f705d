#include "support/Cartella.h"

#include <fstream>
#include <sstream>

namespace quotara::testing {

namespace fs = std::filesystem;

namespace {

// The name of the running test program.
std::string Programma() {
  std::error_code e;
  const fs::path exe = fs::read_symlink("/proc/self/exe", e);
  return e ? std::string("test") : exe.filename().string();
}

}  // namespace

fs::path CartellaTest() {
  static std::string preparata;
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string nome = info ? std::string(info->test_suite_name()) + "." + info->name() : "fuori-dai-test";
  for (char& c : nome)
    if (c == '/') c = '_';
  const fs::path cartella = fs::path(QUOTARA_TEST_OUTPUT) / Programma() / nome;
  if (preparata != cartella.string()) {
    fs::remove_all(cartella);
    fs::create_directories(cartella);
    preparata = cartella.string();
  }
  return cartella;
}

std::string LeggiFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void ScriviFile(const fs::path& file, const std::string& byte) { std::ofstream(file, std::ios::binary) << byte; }

}  // namespace quotara::testing
