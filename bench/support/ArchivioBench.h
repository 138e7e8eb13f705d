#pragma once
// What the benchmarks of the archives share: a "tasi.dat"-shaped line and a
// private program folder (with the temporary folder inside) for one
// benchmark, removed when it ends.
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Paths.h"

namespace quotara::bench {

// Line i of an archive of 20,000 taxpayers with five properties each,
// 100,000 addresses, 800 municipalities and `anni` years back from 2026;
// accented names keep the decoder busy.
inline std::string RigaTasi(int i, int anni = 1) {
  const std::string n = std::to_string(i);
  return "ROSSI MARIA " + std::to_string(i % 20000) + ";VIA DELLA LIBERTÀ " + n + ";CITTÀ " + std::to_string(i % 800) +
         ";" + std::to_string(2026 - i % anni) +
         ";1.234,56;2.5;5;0;200,00;12;6;6;100;0;1;1.296,29;1.296,29;200,00;548,15;"
         "100,00;548,14;100,00;1;10;0;3958;0;C745";
}

inline std::vector<std::string> RigheTasi(int righe, int anni = 1) {
  std::vector<std::string> v;
  v.reserve(static_cast<size_t>(righe));
  for (int i = 0; i < righe; ++i) v.push_back(RigaTasi(i, anni));
  return v;
}

class CartellaBench {
 public:
  CartellaBench() {
    char modello[] = "/tmp/quotara-bench-XXXXXX";
    if (!mkdtemp(modello)) throw std::runtime_error("mkdtemp");
    percorso_ = modello;
    std::filesystem::create_directories(percorso_ + "/temp");
    platform::setProgramFolderForTests(percorso_);
    platform::setTempFolderForTests(percorso_ + "/temp");
  }
  ~CartellaBench() {
    platform::setProgramFolderForTests("");
    platform::setTempFolderForTests("");
    std::filesystem::remove_all(percorso_);
  }
  CartellaBench(const CartellaBench&) = delete;
  CartellaBench& operator=(const CartellaBench&) = delete;

  // A file of the program folder.
  std::string file(const std::string& nome) const { return percorso_ + "/" + nome; }
  // Writes "tasi.dat" with these lines.
  void archivio(const std::vector<std::string>& righe) const { platform::writeLinesAtomic(file("tasi.dat"), righe); }

 private:
  std::string percorso_;
};

}  // namespace quotara::bench
