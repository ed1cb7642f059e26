#pragma once
// Another program holding a file locked: a child process takes the whole-file lock every program
// may take on it (made empty when missing) and keeps it for HoldMs, or until this object goes
// when HoldMs is 0. The child is killed and reaped when the object goes.

#include <sys/types.h>

#include <string>

namespace kvtest {

class ForeignLockHolder {
 public:
  explicit ForeignLockHolder(const std::string& Path, unsigned HoldMs = 0);
  ~ForeignLockHolder();
  ForeignLockHolder(const ForeignLockHolder&) = delete;
  ForeignLockHolder& operator=(const ForeignLockHolder&) = delete;

  // Whether the child got the lock (before the constructor returned).
  bool Held() const { return FHeld; }

 private:
  pid_t FPid = -1;
  bool FHeld = false;
};

}  // namespace kvtest
