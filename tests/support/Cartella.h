#pragma once
// The scratch folder of the running test and plain file helpers, for every
// test program (linked to all of them). No two tests share a writable folder:
// a test writes only under CartellaTest().
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace quotara::testing {

// The scratch folder of the running test, build/test-output/<program>/<Suite>.<Test>
// ("/" of parameterised tests turned into "_"), emptied on the first call of the test.
std::filesystem::path CartellaTest();

// Bytes of a file ("" when it cannot be read) and a file written with them.
std::string LeggiFile(const std::filesystem::path& file);
void ScriviFile(const std::filesystem::path& file, const std::string& byte);

}  // namespace quotara::testing
