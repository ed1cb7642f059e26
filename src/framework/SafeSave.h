#pragma once
// Saving a file so that it is either complete or untouched.

#include <functional>
#include <vector>

#include "framework/ClassesTypes.h"

namespace fw {

class TStream;

// Writes the file FileName with Write, which gets a stream at the start of an empty file. The
// bytes go to a new file beside the target first, which takes the target's place only once Write
// has returned and the file is closed; on any failure the new file is removed, an existing
// FileName stays as it was, and the exception propagates.
// A symbolic link is followed (the file it points to is replaced, the link stays), an existing
// file keeps its permission bits, a name at the length limit still saves, and a file someone else
// left at "<FileName>.part" is not touched. Only a regular file is replaced: a folder, a FIFO, a
// device (also behind a link), or a file that may not be written, is refused and left alone.
// A part file is locked while its save is under way; one that a save left when its process
// ended before it finished (killed) is removed by the next save of that name. The errors of the
// file itself raise EFCreateError "Cannot create file "%s". %s" with FileName; a failed close
// raises EWriteError "Stream write error".
void SaveFileSafely(const String& FileName, const std::function<void(TStream* Stream)>& Write);

// Several files saved as one: Add writes each to its new file beside the target (with the checks
// and errors of SaveFileSafely) and replaces nothing; Commit puts them all in place once every
// one is written. A batch left without Commit (an Add failed, an exception passed) removes its
// new files, so every target stays as it was.
class TSafeSaveBatch {
 public:
  TSafeSaveBatch() = default;
  TSafeSaveBatch(const TSafeSaveBatch&) = delete;
  TSafeSaveBatch& operator=(const TSafeSaveBatch&) = delete;
  ~TSafeSaveBatch();

  void Add(const String& FileName, const std::function<void(TStream* Stream)>& Write);
  // Renames the new files over their targets in the order they were added. A rename that fails
  // raises EFCreateError with its FileName; the files not yet in place are removed.
  void Commit();

 private:
  struct TPending {
    String FileName, Target, PartName;
    int LockFd;  // keeps the part file locked, as a save still under way (-1: none)
  };
  std::vector<TPending> FPending;
};

}  // namespace fw
