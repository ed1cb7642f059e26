#pragma once
// Files dropped on a window. The desktop builds a drop handle (a DROPFILES block in global
// memory, names in UTF-16) and sends it with WM_DROPFILES to a window that accepts files; the
// window reads it with DragQueryFileW/DragQueryPoint and frees it with DragFinish.

#include <string>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win {

// The header of the block behind an HDROP, as Win32 lays it out: the names follow at pFiles,
// each terminated, with an empty name after the last.
struct DROPFILES {
  DWORD pFiles = 0;  // offset of the first name from the start of the block
  POINT pt;          // drop point, client coordinates of the target window
  BOOL fNC = FALSE;  // dropped on the non-client area
  BOOL fWide = FALSE;  // names are UTF-16 (otherwise ANSI bytes)
};

// For the desktop: a new drop handle (owned by whoever receives WM_DROPFILES). Null with
// ERROR_INVALID_PARAMETER when the list is empty or a name is empty or holds a zero character.
HDROP CreateDropHandle(POINT pt, const std::vector<std::u16string>& files, BOOL nonClient = FALSE);

// Sets or clears WS_EX_ACCEPTFILES on the window.
void DragAcceptFiles(HWND hWnd, BOOL fAccept);
// iFile 0xFFFFFFFF: the number of files. Null buffer: the length of name iFile (characters,
// without the terminator). Otherwise copies at most cch - 1 characters plus a terminator and
// returns the number copied. 0 for a bad handle or index.
UINT DragQueryFileW(HDROP hDrop, UINT iFile, LPWSTR lpszFile, UINT cch);
// The same in the ANSI code page; characters it lacks become "?", so names outside Windows
// Cyrillic cannot be opened this way: use DragQueryFileW.
UINT DragQueryFileA(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch);
// TRUE when the drop was on the client area; *lppt gets the drop point either way.
BOOL DragQueryPoint(HDROP hDrop, POINT* lppt);
void DragFinish(HDROP hDrop);

}  // namespace win
