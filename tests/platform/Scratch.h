#pragma once
// A fresh, empty folder inside the running test's own scratch folder.
#include <filesystem>
#include <fstream>
#include <string>

#include "support/Cartella.h"

inline std::string scratchFolder(const std::string& name) {
  const std::filesystem::path dir = quotara::testing::CartellaTest() / name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

inline void putBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string getBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
