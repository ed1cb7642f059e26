#include "toolbars/detail/TBItemQueue.h"

#include <vector>

#include "framework/ClassesUtilWindow.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/windows/DefWindowProc.h"
#include "toolbars/TBItem.h"

namespace toolbars::detail {

std::function<void(fw::TObject* Viewer, win::WPARAM Flag)> ViewerCallHandler;

namespace {

struct Slot {
  fw::TObject* Obj = nullptr;
  bool Dead = false;
};

struct Queue {
  int LiveCount = 0;
  win::HWND Wnd = nullptr;
  std::vector<Slot> Slots;  // an empty slot has Obj == nullptr and !Dead
};

thread_local Queue tQueue;

bool Empty(const Slot& s) { return s.Obj == nullptr && !s.Dead; }

win::LRESULT QueueWndProc(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  if (Msg != TBM_POSTCLICK) return win::DefWindowProcW(tQueue.Wnd, Msg, WParam, LParam);
  auto& slots = tQueue.Slots;
  if (LParam < 0 || size_t(LParam) >= slots.size()) return 0;
  Slot s = slots[size_t(LParam)];
  slots[size_t(LParam)] = Slot{};
  while (!slots.empty() && Empty(slots.back())) slots.pop_back();
  if (s.Dead || s.Obj == nullptr) return 0;
  if (auto* item = dynamic_cast<TTBCustomItem*>(s.Obj)) {
    item->Click();
  } else if (ViewerCallHandler) {
    ViewerCallHandler(s.Obj, WParam);
  }
  return 0;
}

}  // namespace

void AddLiveObject() { ++tQueue.LiveCount; }

void RemoveLiveObject() {
  if (--tQueue.LiveCount > 0) return;
  tQueue.LiveCount = 0;
  if (tQueue.Wnd) fw::DeallocateHWnd(tQueue.Wnd);
  tQueue.Wnd = nullptr;
  tQueue.Slots.clear();
}

void PostCall(fw::TObject* Obj, win::WPARAM Flag) {
  if (tQueue.Wnd == nullptr || !fw::AllocatedHWndAlive(tQueue.Wnd)) tQueue.Wnd = fw::AllocateHWnd(QueueWndProc);
  auto& slots = tQueue.Slots;
  size_t index = 0;
  while (index < slots.size() && !Empty(slots[index])) ++index;
  if (index == slots.size()) slots.emplace_back();
  slots[index] = Slot{Obj, false};
  win::PostMessageW(tQueue.Wnd, TBM_POSTCLICK, Flag, win::LPARAM(index));
}

void CancelPostedCalls(fw::TObject* Obj) {
  for (auto& s : tQueue.Slots)
    if (s.Obj == Obj) s = Slot{nullptr, true};
}

win::HWND PendingCallWindow() { return tQueue.Wnd; }
int PendingSlotCount() { return int(tQueue.Slots.size()); }

}  // namespace toolbars::detail
