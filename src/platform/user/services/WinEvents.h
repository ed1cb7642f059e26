#pragma once
// Accessibility events: NotifyWinEvent has no listener on this desktop, so the events are
// recorded for tests (menus report their start and end, focus moves between items).

#include <vector>

#include "platform/kernel/WinDef.h"
#include "platform/user/services/ObjectIds.h"

namespace win {

inline constexpr DWORD EVENT_SYSTEM_MENUSTART = 0x0004, EVENT_SYSTEM_MENUEND = 0x0005,
                       EVENT_SYSTEM_MENUPOPUPSTART = 0x0006, EVENT_SYSTEM_MENUPOPUPEND = 0x0007,
                       EVENT_OBJECT_CREATE = 0x8000, EVENT_OBJECT_DESTROY = 0x8001, EVENT_OBJECT_SHOW = 0x8002,
                       EVENT_OBJECT_HIDE = 0x8003, EVENT_OBJECT_FOCUS = 0x8005, EVENT_OBJECT_SELECTION = 0x8006,
                       EVENT_OBJECT_STATECHANGE = 0x800A, EVENT_OBJECT_NAMECHANGE = 0x800C;

void NotifyWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild);

struct WinEventRecord {
  DWORD event = 0;
  HWND hwnd = nullptr;
  LONG idObject = 0;
  LONG idChild = 0;
};
std::vector<WinEventRecord> RecordedWinEvents();
void ResetWinEvents();

}  // namespace win
