#pragma once
// A lock on a file against other processes, for a read, merge and write of the file that must be
// one step: another process taking the same lock waits until it is let go. The file is replaced
// by rename when saved, so the lock is taken on the file that stands under the name once it is
// held (a waiter that got the lock on a file renamed away meanwhile takes it again on the new
// one). A process that ends, killed or not, lets its locks go. The wait is bounded: a holder
// that does not let go in time (stopped, hung, another program keeping the file locked) is not
// waited for longer, and the caller goes on without the lock.
// Going on without it, the copies of this program still take turns among themselves: each also
// takes a second lock of the file's that only they ask for, so two copies that both gave up on a
// third program's lock do not read and write the file at once (the later one reads what the
// earlier one wrote). That turn is waited for within a bound of its own, counted from the end of
// the first wait; it only ever waits for another copy's save.
// Within one process the lock nests: taken again on the same file while an outer lock of it
// lives, the inner one gets what the outer one got without waiting again, and lets nothing go
// (an outer one that got not even its turn leaves nothing to nest in).
// A child made by fork holds none of its parent's.

#include <sys/types.h>

#include <utility>

#include "framework/ClassesTypes.h"

namespace fw {

class TFileLock {
 public:
  // How long a lock is waited for unless the caller or SetDefaultWait says otherwise.
  static constexpr unsigned DefaultWaitMs = 10000;
  // The wait of a lock made without one (the settings file's at exit among them); tests shorten it.
  static unsigned DefaultWait();
  static void SetDefaultWait(unsigned WaitMs);

  // Waits up to WaitMs (DefaultWait when none is given) for the lock on FileName. A missing file
  // is made (empty) to be locked, and removed again when the lock goes unless something was saved
  // under the name meanwhile; a name that is no regular file, or one that cannot be made or
  // opened, gives no lock.
  explicit TFileLock(const String& FileName);
  TFileLock(const String& FileName, unsigned WaitMs);
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  // Whether this process holds the lock now (through this object or an outer one).
  bool Held() const { return FHeld; }

 private:
  String FFileName;
  std::pair<dev_t, ino_t> FId{};  // the file locked
  bool FHeld = false;
  bool FTaken = false;  // counted in the process's table (held, or at least this copy's turn)
};

}  // namespace fw
