#pragma once
// The fixture of the F24 tests (the program's own, with a scratch folder per
// test) and small helpers to run the PDF tools on the files they write.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/Pdf.h"
#include "support/ProgramTest.h"

namespace f24::testing {

using quotara::testing::LeggiFile;
using quotara::testing::ScriviFile;

inline std::string leggiByte(const std::string& percorso) { return LeggiFile(percorso); }
inline void scriviByte(const std::string& percorso, const std::string& byte) { ScriviFile(percorso, byte); }

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
inline void controllaPdf(const std::string& percorso) { EXPECT_EQ(quotara::testing::ControllaPdf(percorso), ""); }

class F24Test : public quotara::testing::ProgramTest {
 protected:
  std::string percorso(const std::string& nome) const { return (cartella() / nome).string(); }
  std::string datiF24() const { return dati("datiF24"); }
};

}  // namespace f24::testing
