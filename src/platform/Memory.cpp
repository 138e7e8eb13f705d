#include "platform/Memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace platform {

namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr const char* kHugePages = "glibc.malloc.hugetlb";
// Set for the restarted program only: the user's own GLIBC_TUNABLES after
// "=", or empty when there were none.
constexpr const char* kOriginal = "QUOTARA_GLIBC_TUNABLES";

// Huge pages are given to memory that asks for them, and only to it.
bool onlyWhenAsked() {
  std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
  const std::string mode((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return mode.find("[madvise]") != std::string::npos;
}

void putBack(const std::string& original) {
  if (original.empty())
    ::unsetenv(kTunables);
  else
    ::setenv(kTunables, original.c_str() + 1, 1);
}

}  // namespace

void preferHugePages(void* begin, size_t size) {
  constexpr uintptr_t kPagina = uintptr_t{2} << 20;
  const uintptr_t inizio = reinterpret_cast<uintptr_t>(begin);
  const uintptr_t primo = (inizio + kPagina - 1) & ~(kPagina - 1);
  const uintptr_t fine = (inizio + size) & ~(kPagina - 1);
  // Only advice: where it is refused, the buffer works as before.
  if (fine > primo) ::madvise(reinterpret_cast<void*>(primo), fine - primo, MADV_HUGEPAGE);
}

std::optional<std::string> tunablesWithHugePages(const char* tunables) {
  const std::string prima = tunables ? tunables : "";
  if (prima.find(kHugePages) != std::string::npos) return std::nullopt;
  return prima.empty() ? std::string(kHugePages) + "=1" : prima + ":" + kHugePages + "=1";
}

void heapInHugePages(char** argv) {
#ifdef __GLIBC__
  if (const char* original = std::getenv(kOriginal)) {
    // The restarted program: the C library has read its settings.
    const std::string valore = original;
    ::unsetenv(kOriginal);
    putBack(valore);
    return;
  }
  if (!argv || !argv[0] || !onlyWhenAsked()) return;
  const char* tunables = std::getenv(kTunables);
  const std::optional<std::string> nuove = tunablesWithHugePages(tunables);
  if (!nuove) return;
  const std::string valore = tunables ? std::string("=") + tunables : std::string();
  ::setenv(kOriginal, valore.c_str(), 1);
  ::setenv(kTunables, nuove->c_str(), 1);
  // By its own path, so that the process keeps its name.
  char percorso[4096];
  const ssize_t n = ::readlink("/proc/self/exe", percorso, sizeof percorso - 1);
  if (n > 0) {
    percorso[n] = '\0';
    ::execv(percorso, argv);
  }
  // Not restarted: the program goes on as it is.
  ::unsetenv(kOriginal);
  putBack(valore);
#else
  (void)argv;
#endif
}

}  // namespace platform
