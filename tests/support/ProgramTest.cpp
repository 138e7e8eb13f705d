#include "ProgramTest.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "platform/Cp1252.h"
#include "platform/Paths.h"

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

ProgramTest::ProgramTest(std::chrono::local_seconds oggi) : base(CartellaTest()) {
  for (const char* cartella : {"dati", "temp"}) {
    fs::create_directories(base / cartella);
    fs::permissions(base / cartella, fs::perms::owner_all);
  }
  platform::setProgramFolderForTests((base / "dati").string());
  platform::setTempFolderForTests((base / "temp").string());
  desk.setNow(oggi);
}

ProgramTest::~ProgramTest() {
  platform::setProgramFolderForTests("");
  platform::setTempFolderForTests("");
}

std::string LeggiFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void ScriviFile(const fs::path& file, const std::string& byte) { std::ofstream(file, std::ios::binary) << byte; }

void ScriviRighe(const fs::path& file, const std::vector<std::string>& righe) {
  std::string byte;
  for (const std::string& r : righe) byte += platform::utf8ToCp1252(r) + "\r\n";
  ScriviFile(file, byte);
}

std::vector<std::string> LeggiRighe(const fs::path& file) {
  const std::string b = LeggiFile(file);
  std::vector<std::string> righe;
  size_t inizio = 0;
  for (size_t fine; (fine = b.find("\r\n", inizio)) != std::string::npos; inizio = fine + 2)
    righe.push_back(platform::cp1252ToUtf8(b.substr(inizio, fine - inizio)));
  EXPECT_EQ(inizio, b.size()) << file << " ends with CR LF";
  return righe;
}

}  // namespace quotara::testing
