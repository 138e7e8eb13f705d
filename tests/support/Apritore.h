#pragma once
// The desktop's opener as a test wants it: a script named xdg-open in the
// test's scratch folder that ends with a given status, or no xdg-open at all.
// Its folder is the only one on PATH for the life of the object, so the
// program under test finds this one or none.
//
//   ApritoreFinto apritore(CartellaTest() / "bin", 1);   // xdg-open exits 1
//   ApritoreFinto nessuno(CartellaTest() / "bin", std::nullopt);
#include <filesystem>
#include <optional>
#include <string>

namespace quotara::testing {

class ApritoreFinto {
 public:
  // `uscita`: the status the fake opener exits with; none: no opener.
  ApritoreFinto(const std::filesystem::path& cartella, std::optional<int> uscita);
  ~ApritoreFinto();
  ApritoreFinto(const ApritoreFinto&) = delete;
  ApritoreFinto& operator=(const ApritoreFinto&) = delete;

 private:
  std::string pathPrima_;
  bool cera_ = false;
};

}  // namespace quotara::testing
