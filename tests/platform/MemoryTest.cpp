#include "platform/Memory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
