#pragma once
// Accessibility events. NotifyWinEvent hands an event to every listener installed with
// SetWinEventHook whose range holds it, at once and on the calling thread (the presenter's
// listener passes them to the desktop's accessibility), and records it for tests.
//
// The menu loop reports: EVENT_SYSTEM_MENUSTART and EVENT_SYSTEM_MENUEND for the owner window
// (OBJID_MENU for the menu bar, OBJID_WINDOW for a popup menu tracked on its own);
// EVENT_SYSTEM_MENUPOPUPSTART and EVENT_SYSTEM_MENUPOPUPEND for each popup menu window as it
// opens and before it closes (OBJID_CLIENT); EVENT_OBJECT_FOCUS for the item selected (the popup
// menu window, OBJID_CLIENT, the item's position plus one; or the owner, OBJID_MENU, for a menu
// bar item).

#include <vector>

#include "platform/kernel/WinDef.h"
#include "platform/user/services/ObjectIds.h"

namespace win {

inline constexpr DWORD EVENT_MIN = 0x00000001, EVENT_MAX = 0x7FFFFFFF;
inline constexpr DWORD EVENT_SYSTEM_MENUSTART = 0x0004, EVENT_SYSTEM_MENUEND = 0x0005,
                       EVENT_SYSTEM_MENUPOPUPSTART = 0x0006, EVENT_SYSTEM_MENUPOPUPEND = 0x0007,
                       EVENT_OBJECT_CREATE = 0x8000, EVENT_OBJECT_DESTROY = 0x8001, EVENT_OBJECT_SHOW = 0x8002,
                       EVENT_OBJECT_HIDE = 0x8003, EVENT_OBJECT_FOCUS = 0x8005, EVENT_OBJECT_SELECTION = 0x8006,
                       EVENT_OBJECT_STATECHANGE = 0x800A, EVENT_OBJECT_NAMECHANGE = 0x800C;

// SetWinEventHook flags. Listeners are always called in the notifying thread's context.
inline constexpr DWORD WINEVENT_OUTOFCONTEXT = 0x0000, WINEVENT_SKIPOWNTHREAD = 0x0001,
                       WINEVENT_SKIPOWNPROCESS = 0x0002, WINEVENT_INCONTEXT = 0x0004;

struct HWINEVENTHOOK__;
using HWINEVENTHOOK = HWINEVENTHOOK__*;
using WINEVENTPROC = void (*)(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG idObject, LONG idChild,
                              DWORD idEventThread, DWORD dwmsEventTime);

// Installs a listener for the events eventMin..eventMax. idProcess and idThread 0 hear every
// source; a non-zero idThread hears only events notified on that thread. Null when the range is
// empty or proc is null (ERROR_INVALID_PARAMETER).
HWINEVENTHOOK SetWinEventHook(DWORD eventMin, DWORD eventMax, HMODULE hmodWinEventProc, WINEVENTPROC proc,
                              DWORD idProcess, DWORD idThread, DWORD dwFlags);
// Removes it; a listener removed while events are being handed out hears no further ones.
BOOL UnhookWinEvent(HWINEVENTHOOK hook);

void NotifyWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild);

// The latest events notified (a few thousand), oldest first, for tests.
struct WinEventRecord {
  DWORD event = 0;
  HWND hwnd = nullptr;
  LONG idObject = 0;
  LONG idChild = 0;
};
std::vector<WinEventRecord> RecordedWinEvents();
void ResetWinEvents();

}  // namespace win
