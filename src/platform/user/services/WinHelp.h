#pragma once
// Help requests. There is no help viewer on this desktop: WinHelpW takes every request, shows
// nothing and answers FALSE (ERROR_FILE_NOT_FOUND), as when the help file cannot be found.

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr UINT HELP_CONTEXT = 0x0001, HELP_QUIT = 0x0002, HELP_INDEX = 0x0003, HELP_CONTENTS = 0x0003,
                      HELP_HELPONHELP = 0x0004, HELP_SETINDEX = 0x0005, HELP_CONTEXTPOPUP = 0x0008,
                      HELP_FORCEFILE = 0x0009, HELP_KEY = 0x0101, HELP_COMMAND = 0x0102,
                      HELP_PARTIALKEY = 0x0105, HELP_FINDER = 0x000B;

BOOL WinHelpW(HWND hWndMain, LPCWSTR lpszHelp, UINT uCommand, UINT_PTR dwData);

}  // namespace win
