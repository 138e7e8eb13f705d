#pragma once
// An environment variable set (or, with nullptr, removed) for the life of the
// object, and put back as it was when the object goes, also when an assertion
// ends the test early.
#include <cstdlib>
#include <optional>
#include <string>

namespace quotara::testing {

class EnvVar {
 public:
  EnvVar(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~EnvVar() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
  EnvVar(const EnvVar&) = delete;
  EnvVar& operator=(const EnvVar&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace quotara::testing
