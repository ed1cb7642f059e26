#pragma once
// Mouse cursors: the system's standard shapes and the program's own cursors by resource number,
// the current cursor and its visibility, and the rectangle the pointer is confined to. Every
// cursor is shared, as LoadCursorW's are in Win32: handles stay valid for the whole run and
// DestroyCursor frees nothing. The presenter shows the current cursor through CursorShapeId.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win {

inline LPCWSTR CursorResourceName(WORD id) { return reinterpret_cast<LPCWSTR>(uintptr_t(id)); }

inline const LPCWSTR IDC_ARROW = CursorResourceName(32512), IDC_IBEAM = CursorResourceName(32513),
                     IDC_WAIT = CursorResourceName(32514), IDC_CROSS = CursorResourceName(32515),
                     IDC_UPARROW = CursorResourceName(32516), IDC_SIZE = CursorResourceName(32640),
                     IDC_ICON = CursorResourceName(32641), IDC_SIZENWSE = CursorResourceName(32642),
                     IDC_SIZENESW = CursorResourceName(32643), IDC_SIZEWE = CursorResourceName(32644),
                     IDC_SIZENS = CursorResourceName(32645), IDC_SIZEALL = CursorResourceName(32646),
                     IDC_NO = CursorResourceName(32648), IDC_HAND = CursorResourceName(32649),
                     IDC_APPSTARTING = CursorResourceName(32650), IDC_HELP = CursorResourceName(32651);

// A null instance asks for a system cursor (IDC_*); any other instance for one of the program's
// cursors registered under that number. Names given as text are not supported. Null with
// ERROR_RESOURCE_NAME_NOT_FOUND when there is no such cursor.
HCURSOR LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName);
BOOL DestroyCursor(HCURSOR hCursor);

// Returns the previous cursor. Null hides the pointer; a dead handle changes nothing and
// returns null (ERROR_INVALID_CURSOR_HANDLE).
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();
// The display counter: the pointer shows while it is 0 or more. Returns the new count.
int ShowCursor(BOOL bShow);

// Confines the pointer to the rectangle (cut to the virtual screen); null frees it. FALSE with
// ERROR_INVALID_PARAMETER when nothing of the rectangle lies on the screen.
BOOL ClipCursor(const RECT* lpRect);
// The confining rectangle, or the virtual screen when the pointer is free.
BOOL GetClipCursor(RECT* lpRect);
// Where the pointer ends up when moved to `pt`: inside the confining rectangle (the window
// core applies this to SetCursorPos and to injected moves).
POINT ClampToCursorClip(POINT pt);

// A cursor image of the program's own: 32-bit ARGB rows, top row first.
struct CursorImage {
  POINT hotSpot;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;
};
// Makes the program's cursor number `id` available to LoadCursorW (the resource bundle fills
// these at start-up). Registering a number again replaces its image; its handle stays.
void RegisterCursorResource(WORD id, CursorImage image);

// For the presenter: the IDC_ number of a system cursor, the resource number of one of the
// program's cursors, 0 for a dead handle. And the image of one of the program's cursors.
int CursorShapeId(HCURSOR hCursor);
bool IsSystemCursor(HCURSOR hCursor);
bool GetCursorImage(HCURSOR hCursor, CursorImage* image);
// Told the current cursor and whether the pointer shows, whenever either changes.
void SetCursorChangeListener(std::function<void(HCURSOR current, bool visible)> listener);

// Tests: arrow cursor, counter 0, no confinement, no listener. Registered cursors stay.
void ResetCursorState();

}  // namespace win
