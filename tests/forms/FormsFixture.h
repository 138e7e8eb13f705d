#pragma once
// The headless desktop, the application object and a scripted user that
// every form-layer test starts from, and an event log.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Forms.h"
#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"

namespace forms::testing {

class FormsTest : public ::testing::Test {
 protected:
  HeadlessDesktop desk;
  Application application{desk};
  ScriptedUser user;
  std::vector<std::string> log;
  // A handler that appends `entry` to the log.
  std::function<void()> logs(std::string entry) {
    return [this, entry] { log.push_back(entry); };
  }
};

}  // namespace forms::testing
