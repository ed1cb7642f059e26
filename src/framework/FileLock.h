#pragma once
// A lock on a file against other processes, for a read, merge and write of the file that must be
// one step: another process taking the same lock waits until it is let go. The file is replaced
// by rename when saved, so the lock is taken on the file that stands under the name once it is
// held (a waiter that got the lock on a file renamed away meanwhile takes it again on the new
// one). A process that ends, killed or not, lets its locks go. The wait is bounded: a holder
// that does not let go in time (stopped, hung) is not waited for longer, and the caller goes on
// without the lock.
// Within one process the lock nests: taken again on the same file while held, it is held
// already and the inner one lets nothing go. A child made by fork holds none of its parent's.

#include <sys/types.h>

#include <utility>

#include "framework/ClassesTypes.h"

namespace fw {

class TFileLock {
 public:
  // How long a lock is waited for unless the caller says otherwise.
  static constexpr unsigned DefaultWaitMs = 10000;

  // Waits up to WaitMs for the lock on FileName. A missing file is made (empty) to be locked, and
  // removed again when the lock goes unless something was saved under the name meanwhile; a name
  // that is no regular file, or one that cannot be made or opened, gives no lock.
  explicit TFileLock(const String& FileName, unsigned WaitMs = DefaultWaitMs);
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  // Whether this process holds the lock now (through this object or an outer one).
  bool Held() const { return FHeld; }

 private:
  String FFileName;
  std::pair<dev_t, ino_t> FId{};  // the file locked
  bool FHeld = false;
};

}  // namespace fw
