#pragma once
// The headless desktop, the program's application object and a private
// program folder for each test of the F24 forms; helpers to run the PDF tools.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "forms/HeadlessDesktop.h"
#include "platform/Paths.h"
#include "shell/Applicazione.h"

namespace f24::testing {

inline std::string leggiByte(const std::string& percorso) {
  std::ifstream in(percorso, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void scriviByte(const std::string& percorso, const std::string& byte) {
  std::ofstream(percorso, std::ios::binary) << byte;
}

// A file of the repository.
inline std::string sorgente(const std::string& relativo) { return std::string(QUOTARA_SOURCE_DIR) + "/" + relativo; }

// Single quotes around a path for the shell.
inline std::string quota(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs a command; its standard output, and its exit status in `stato`.
inline std::string esegui(const std::string& comando, int* stato = nullptr) {
  std::string out;
  FILE* p = popen(comando.c_str(), "r");
  if (!p) return out;
  std::array<char, 4096> buf{};
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
  const int rc = pclose(p);
  if (stato) *stato = rc;
  return out;
}

// The project's structural PDF check.
inline void controllaPdf(const std::string& percorso) {
  int stato = -1;
  const std::string out = esegui(sorgente("tools/check-pdf") + " " + quota(percorso) + " 2>&1", &stato);
  EXPECT_EQ(stato, 0) << out;
}

class F24Test : public ::testing::Test {
 protected:
  F24Test() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string nome = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : nome)
      if (c == '/') c = '-';
    base = std::filesystem::path(QUOTARA_TEST_OUT) / nome;
    std::filesystem::remove_all(base);
    std::filesystem::create_directories(base / "dati");
    std::filesystem::create_directories(base / "temp");
    std::filesystem::permissions(base / "dati", std::filesystem::perms::owner_all);
    std::filesystem::permissions(base / "temp", std::filesystem::perms::owner_all);
    platform::setProgramFolderForTests((base / "dati").string());
    platform::setTempFolderForTests((base / "temp").string());
  }
  ~F24Test() override {
    platform::setProgramFolderForTests("");
    platform::setTempFolderForTests("");
  }

  std::string percorso(const std::string& nome) const { return (base / nome).string(); }
  std::string datiF24() const { return (base / "dati" / "datiF24").string(); }

  std::filesystem::path base;
  forms::HeadlessDesktop desk;
  shell::Applicazione application{desk};
};

}  // namespace f24::testing
