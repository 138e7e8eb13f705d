#include "support/ProgramTest.h"

#include "frame/Principale.h"
#include "platform/Cp1252.h"
#include "platform/Paths.h"

namespace quotara::testing {

namespace fs = std::filesystem;

ProgramTest::ProgramTest(std::chrono::local_seconds oggi) : base(CartellaTest()) {
  for (const char* cartella : {"dati", "temp"}) {
    fs::create_directories(base / cartella);
    fs::permissions(base / cartella, fs::perms::owner_all);
  }
  platform::setProgramFolderForTests((base / "dati").string());
  platform::setTempFolderForTests((base / "temp").string());
  desk.setNow(oggi);
  // The pages open in the program's frame.
  shell::CollegaCornice(application);
}

ProgramTest::~ProgramTest() {
  platform::setProgramFolderForTests("");
  platform::setTempFolderForTests("");
}

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
