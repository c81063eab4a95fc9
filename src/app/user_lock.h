#pragma once
// Locks of the user's that a process holds until it ends, however it ends:
// flock on a file in $XDG_RUNTIME_DIR (else the user folder's tidelight
// folder), for the Linux entry points.
#include <string>

namespace tl {

enum class UserLock {
  Taken,          // this process holds it now
  HeldByAnother,  // another process of the user's holds it
  Unavailable,    // no lock can be had here (no folder, no file)
};

UserLock TakeUserLock(const std::string& fileName, const std::string& userFolder);

}  // namespace tl
