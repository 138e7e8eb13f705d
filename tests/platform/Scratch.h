#pragma once
// A fresh, empty folder under the test output folder for one test.
#include <filesystem>
#include <fstream>
#include <string>

inline std::string scratchFolder(const std::string& name) {
  const std::filesystem::path dir = std::filesystem::path(QUOTARA_TEST_OUT) / name;
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
