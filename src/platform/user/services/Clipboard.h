#pragma once
// The clipboard with Win32's rules: one thread at a time opens it, EmptyClipboard makes the
// opening window the owner, data handles belong to the clipboard once set, and on closing the
// formats Windows derives are offered too (CF_TEXT, CF_OEMTEXT and CF_UNICODETEXT from one
// another through the CF_LOCALE code page, CF_LOCALE itself, CF_DIB and CF_BITMAP from one
// another), made when first asked for. CF_BITMAP, CF_PALETTE and the CF_GDIOBJFIRST ..
// CF_GDIOBJLAST formats hold GDI objects, which the clipboard deletes when it lets them go.

#include "platform/kernel/WinDef.h"
#include "platform/user/services/ClipboardFormats.h"

namespace win {

// Fails with ERROR_ACCESS_DENIED while the clipboard is open (also by the caller), and with
// ERROR_INVALID_WINDOW_HANDLE for a dead window. A null window is allowed.
BOOL OpenClipboard(HWND hWndNewOwner);
// Fails with ERROR_CLIPBOARD_NOT_OPEN unless the calling thread has the clipboard open.
BOOL CloseClipboard();
BOOL EmptyClipboard();
// Replaces the format's data and returns hMem. The handle must be live for its kind (a global
// block, or a GDI object of the right type); delayed rendering (a null handle) is not
// supported and fails with ERROR_INVALID_PARAMETER.
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
// The clipboard keeps ownership of what it returns. Null when the clipboard is not open by this
// thread or the format is absent or cannot be made.
HANDLE GetClipboardData(UINT uFormat);
BOOL IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
// 0 starts; 0 with ERROR_SUCCESS ends; 0 with ERROR_CLIPBOARD_NOT_OPEN when not open.
UINT EnumClipboardFormats(UINT format);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
// Changes whenever the contents change.
DWORD GetClipboardSequenceNumber();

// Tests: drops all contents and any open state, as at start-up.
void ResetClipboard();

}  // namespace win
