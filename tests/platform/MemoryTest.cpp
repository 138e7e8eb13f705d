#include "platform/Memory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "support/Ambiente.h"

using namespace platform;

// Only advice: buffers of any size and place, an empty one included, keep
// what is written into them afterwards.
TEST(PreferHugePages, BuffersOfAnySizeKeepTheirContents) {
  for (size_t dimensione : {size_t{0}, size_t{1}, size_t{4096}, (size_t{2} << 20) - 1, size_t{9} << 20}) {
    std::string buffer;
    buffer.reserve(dimensione);
    preferHugePages(buffer.data(), buffer.capacity());
    preferHugePages(buffer.data() + 1, dimensione / 2);
    for (size_t i = 0; i < dimensione; ++i) buffer.push_back(static_cast<char>('a' + i % 26));
    ASSERT_EQ(buffer.size(), dimensione);
    for (size_t i = 0; i < dimensione; i += 4093) ASSERT_EQ(buffer[i], static_cast<char>('a' + i % 26)) << i;
  }
  preferHugePages(nullptr, 0);
}

TEST(HeapInHugePages, TheCLibraryIsToldOnceKeepingTheUsersSettings) {
  const struct {
    const char* prima;
    std::optional<std::string> dopo;
  } casi[] = {
      {nullptr, "glibc.malloc.hugetlb=1"},
      {"", "glibc.malloc.hugetlb=1"},
      {"glibc.malloc.arena_max=2", "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1"},
      {"glibc.malloc.hugetlb=0", std::nullopt},
      {"glibc.malloc.arena_max=2:glibc.malloc.hugetlb=2", std::nullopt},
  };
  for (const auto& c : casi) EXPECT_EQ(tunablesWithHugePages(c.prima), c.dopo) << (c.prima ? c.prima : "(none)");
}

// The restarted program puts back the environment the user started it with,
// so that the programs it opens see it unchanged; and it does not restart.
TEST(HeapInHugePages, TheRestartedProgramPutsTheUsersEnvironmentBack) {
#ifndef __GLIBC__
  GTEST_SKIP() << "only the GNU C library is told";
#endif
  const struct {
    const char* dato;       // GLIBC_TUNABLES as the restart gave it
    const char* originale;  // what the first program left for the restarted one
    const char* atteso;     // GLIBC_TUNABLES afterwards, nullptr: unset
  } casi[] = {
      {"glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1", "=glibc.malloc.arena_max=2", "glibc.malloc.arena_max=2"},
      {"glibc.malloc.hugetlb=1", "", nullptr},
  };
  char nome[] = "quotara";
  char* argv[] = {nome, nullptr};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.dato);
    quotara::testing::EnvVar tunables("GLIBC_TUNABLES", c.dato);
    quotara::testing::EnvVar originale("QUOTARA_GLIBC_TUNABLES", c.originale);
    heapInHugePages(argv);
    if (c.atteso) {
      ASSERT_NE(std::getenv("GLIBC_TUNABLES"), nullptr);
      EXPECT_STREQ(std::getenv("GLIBC_TUNABLES"), c.atteso);
    } else {
      EXPECT_EQ(std::getenv("GLIBC_TUNABLES"), nullptr);
    }
    EXPECT_EQ(std::getenv("QUOTARA_GLIBC_TUNABLES"), nullptr);
  }
}
