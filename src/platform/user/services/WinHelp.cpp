#include "platform/user/services/WinHelp.h"

#include "platform/kernel/LastError.h"

namespace win {

BOOL WinHelpW(HWND, LPCWSTR, UINT uCommand, UINT_PTR) {
  if (uCommand == HELP_QUIT) return TRUE;  // nothing to close
  SetLastError(ERROR_FILE_NOT_FOUND);
  return FALSE;
}

}  // namespace win
