#pragma once
// Translation of POSIX error numbers into the last-error codes callers test for; for layers
// above that call the system directly (wide file streams).

#include "platform/kernel/WinDef.h"

namespace win {

DWORD ErrnoToLastError(int error);
// Sets the last error from `error` and returns it.
DWORD SetLastErrorFromErrno(int error);

}  // namespace win
