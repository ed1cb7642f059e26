#pragma once
// Translation of POSIX error numbers into the last-error codes callers test for.

#include "platform/kernel/WinDef.h"

namespace win::detail {

DWORD ErrnoToLastError(int error);
// Sets the last error from `error` and returns it.
DWORD SetLastErrorFromErrno(int error);

}  // namespace win::detail
