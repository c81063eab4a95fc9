#include "app/user_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace tl {

UserLock TakeUserLock(const std::string& fileName, const std::string& userFolder) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string folder = runtime && runtime[0] == '/' ? runtime : userFolder + "/tidelight";
  const int fd = open((folder + "/" + fileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return UserLock::Unavailable;
  // Kept open until the process ends, which lets the lock go.
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return UserLock::Taken;
  close(fd);
  return UserLock::HeldByAnother;
}

}  // namespace tl
