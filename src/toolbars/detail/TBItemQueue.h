#pragma once
// The pending-call queue, one per thread: clicks chosen in a menu loop run later, from the
// application's message loop, through message 1280 posted to a hidden window. The queue lives
// while items or viewers live: the window goes with the last of them.

#include <functional>

#include "framework/ClassesTypes.h"
#include "platform/user/windows/WinUserTypes.h"

namespace fw {
class TObject;
}

namespace toolbars::detail {

inline constexpr win::UINT TBM_POSTCLICK = win::UINT(0x0400 + 256);  // 1280

// Items and viewers count themselves in and out.
void AddLiveObject();
void RemoveLiveObject();
// Queues a call for Obj (an item: its Click; a viewer: its accessibility default action, with
// Flag non-zero meaning "execute the selected item"). Takes the first free slot.
void PostCall(fw::TObject* Obj, win::WPARAM Flag);
// Obj goes away: its queued calls become dead markers that the handler skips.
void CancelPostedCalls(fw::TObject* Obj);
// The hidden window (nil until the first posting) and the slot count, for tests.
win::HWND PendingCallWindow();
int PendingSlotCount();
// Runs a queued call for a viewer (installed by the accessibility objects).
extern std::function<void(fw::TObject* Viewer, win::WPARAM Flag)> ViewerCallHandler;

}  // namespace toolbars::detail
