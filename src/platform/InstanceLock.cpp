#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/Files.h"
#include "platform/Paths.h"

namespace platform {

InstanceLock::InstanceLock(std::string path) : path_(std::move(path)) {}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool InstanceLock::acquire() {
  if (fd_ >= 0) return true;
  if (path_.empty()) {
    try {
      path_ = programFolder() + "/quotara.lock";
    } catch (const FileError&) {
      return false;
    }
  }
  const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

}  // namespace platform
