#pragma once
// The headless desktop, the program's application object and private
// program and temporary folders for the tests of the frame window and the
// start-up.
#include <gtest/gtest.h>

#include <chrono>

#include "support/ProgramTest.h"

namespace shell::testing {

// 10 December 2026, at noon.
class ShellTest : public quotara::testing::ProgramTest {
 protected:
  ShellTest() : ProgramTest(std::chrono::local_days{std::chrono::year{2026} / 12 / 10} + std::chrono::hours{12}) {}
};

}  // namespace shell::testing
