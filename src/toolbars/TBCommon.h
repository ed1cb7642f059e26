#pragma once
// Shared routines of the toolbar and menu framework, also used by the themed engine and the
// themes: the system settings menus honour (menu delay, flat menus, keyboard cues, menu sounds),
// monitor rectangles, mouse-leave tracking, caption text routines (accelerators), vertical
// captions, the XOR drag frame, WM_PRINT support, queue helpers and list helpers.
//
// Captions are UTF-8. '&' and ':' never occur inside a multibyte sequence, so the accelerator
// routines are plain byte scans; an accelerator character is reported as one UTF-16 unit.

#include <functional>

#include "framework/ClassesTypes.h"
#include "framework/ControlMessages.h"
#include "framework/GraphicsTypes.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/user/windows/WinUserTypes.h"

namespace fw {
class TList;
class TWinControl;
}  // namespace fw

namespace toolbars {

using fw::Integer;
using fw::String;
using fw::TMessage;
using fw::TPoint;
using fw::TRect;

// ---- system settings ----
// The thread has an active window.
bool ApplicationIsActive();
// Submenu show delay in ms: SPI_GETMENUSHOWDELAY, else the "MenuShowDelay" value of
// HKCU\Control Panel\Desktop (read once per run): 400 when missing, 0 when not a number or too
// long; never negative.
Integer GetMenuShowDelay();
bool AreFlatMenusEnabled();
// True when accelerator underlines are always shown (or the setting cannot be read).
bool AreKeyboardCuesEnabled();
// Whether the sound scheme gives the named menu event ("MenuCommand", "MenuPopup") a sound.
bool NeedToPlaySound(const String& Alias);
// Fixed answers on this platform: always the newest system generation.
bool IsWindowsXPOrLater();
// ANSI code page of the current keyboard layout's locale; 0 when it cannot be read.
Integer GetInputLocaleCodePage();

// ---- lists and arithmetic ----
using TListSortExCompare = std::function<Integer(void* Item1, void* Item2, void* ExtraData)>;
// Quicksort of the list in place; lists of 0 or 1 items are untouched.
void ListSortEx(fw::TList* List, const TListSortExCompare& Compare, void* ExtraData);
// Creates the list when nil; appends (or inserts at 0) unless present; true when added.
bool AddToList(fw::TList*& List, void* Item);
bool AddToFrontOfList(fw::TList*& List, void* Item);
// Removes Item; frees the list and sets it nil once empty.
void RemoveFromList(fw::TList*& List, void* Item);
// X div Y, moved one away from zero when there is a remainder: (7,2)=4, (-7,2)=-4.
Integer DivRoundUp(Integer X, Integer Y);
inline Integer Max(Integer A, Integer B) { return A > B ? A : B; }
inline Integer Min(Integer A, Integer B) { return A < B ? A : B; }
inline bool PointsEqual(const TPoint& P1, const TPoint& P2) { return P1.x == P2.x && P1.y == P2.y; }

// ---- printing and the message queue ----
using TNCPaintProc = std::function<void(win::HWND Wnd, win::HDC DC, void* AppData)>;
// Answers WM_PRINT for Wnd: the non-client part through NCPaintProc, then erase and
// WM_PRINTCLIENT, then children and owned windows as the flags ask. Message.Result = 1.
void HandleWMPrint(win::HWND Wnd, TMessage& Message, const TNCPaintProc& NCPaintProc, void* AppData);
// Paints the control into WM_PRINTCLIENT's DC through its WM_PAINT handler.
void HandleWMPrintClient(fw::TWinControl* Control, TMessage& Message);
// Dispatches every WM_PAINT waiting in the thread's queue.
void ProcessPaintMessages();
// Removes every queued message of the range. A WM_QUIT met is posted again.
void RemoveMessages(win::UINT AMin, win::UINT AMax);

// ---- text ----
Integer GetTextHeight(win::HDC DC);
// Width of S in the DC's font; with Prefix the accelerator ampersands are stripped first.
Integer GetTextWidth(win::HDC DC, const String& S, bool Prefix);
Integer GetTextExtentWidth(win::HDC DC, const String& S);
// "&&" leaves one "&", every other "&" goes.
String StripAccelChars(const String& S);
// Every "&" doubled.
String EscapeAmpersands(const String& S);
// A final ":" removed; else a final "..." removed when the text is longer than 3 characters.
String StripTrailingPunctuation(const String& S);
// The character after the last single "&" ("&&" pairs skipped), 0 when none.
char16_t FindAccelChar(const String& S);
// Case-insensitive compare of two characters (Latin, Cyrillic, Greek ...), for accelerators.
bool CompareCharNoCase(char16_t A, char16_t B);
// A copy of the DC's current font turned by 270 degrees (text running downward); the caller
// deletes it.
win::HFONT CreateRotatedFont(win::HDC DC);
// One caption drawn top to bottom, centred across Rect, honouring DT_NOPREFIX, DT_HIDEPREFIX,
// DT_END_ELLIPSIS, DT_CENTER (along) and DT_NOCLIP of Format.
void DrawRotatedText(win::HDC DC, const String& Text, const TRect& Rect, win::UINT Format);

// ---- GDI ----
// The update region of a WM_NCPAINT (screen coordinates) as DC's clip in window coordinates;
// 0 and 1 (the whole window) leave DC alone; a region that cannot be selected gives the window
// rectangle.
void SelectNCUpdateRgn(win::HWND Wnd, win::HDC DC, win::HRGN Rgn);
win::HRGN CreateNullRegion();
// Frames as regions: NewRect less NewRect inflated by -NewSize, likewise the old one. With one
// brush for both only the XOR of the two frames is inverted; otherwise the old frame is inverted
// with LastBrush and the new with Brush. A nil rectangle is an empty frame.
void DrawInvertRect(win::HDC DC, const TRect* NewRect, const TRect* OldRect, win::SIZE NewSize, win::SIZE OldSize,
                    win::HBRUSH Brush, win::HBRUSH LastBrush);
// 8x8 monochrome pattern with rows alternating 0x5555 and 0xAAAA; the caller deletes it.
win::HBRUSH CreateHalftoneBrush();
void DrawHalftoneInvertRect(win::HDC DC, const TRect* NewRect, const TRect* OldRect, win::SIZE NewSize,
                            win::SIZE OldSize);

// ---- monitors and mouse ----
// The SPI_GETWORKAREA rectangle (WorkArea) or the primary screen.
TRect GetRectOfPrimaryMonitor(bool WorkArea);
bool UsingMultipleMonitors();
// The monitor nearest to R (largest overlap) or P: its work area or whole rectangle; the
// primary monitor when there is one monitor or the monitor functions are missing.
TRect GetRectOfMonitorContainingRect(const TRect& R, bool WorkArea);
TRect GetRectOfMonitorContainingPoint(const TPoint& P, bool WorkArea);
// Asks for leave notifications (TME_ flags) for Wnd; false when tracking is unavailable.
bool CallTrackMouseEvent(win::HWND Wnd, win::DWORD Flags);

}  // namespace toolbars
