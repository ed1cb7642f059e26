#pragma once
// Reading a file whole, only when it is a regular file.

#include "framework/ClassesTypes.h"

namespace fw {

// True when FileName names a regular file, following symbolic links.
bool IsRegularFile(const String& FileName);

// The bytes of the regular file FileName (a symbolic link to one is followed). Anything else (a
// folder, a FIFO, a device) is refused before it is read, so that it can neither block nor be
// consumed: EFOpenError "Cannot open file "%s". %s". So is a file above MaxSize bytes. A read
// that fails, or memory that runs out, raises EReadError "Cannot read file "%s". %s": the
// bytes come back whole or not at all.
std::string ReadWholeFile(const String& FileName, Int64 MaxSize);

}  // namespace fw
