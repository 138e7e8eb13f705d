#pragma once
// One running program per user: an advisory lock (flock) on a lock file in the
// program folder, the same wherever the temporary folder ends up, which the
// system releases when the program ends, however it ends.
#include <string>

namespace platform {

class InstanceLock {
 public:
  // The lock file; by default "quotara.lock" in programFolder().
  explicit InstanceLock(std::string path = {});
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock without waiting; false when another process holds it or the
  // lock file cannot be opened. True again when this object already holds it.
  bool acquire();

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace platform
