#pragma once
// A headless desktop with a fresh application object, and helpers to record item notifications.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/services/WinEvents.h"
#include "support/HeadlessFixture.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBItem.h"
#include "toolbars/TBItemPopup.h"

namespace toolbars::testing {

class ToolbarsTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    win::ResetWinEvents();
  }
  void TearDown() override {
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    win::ResetSystemParameters();
    HeadlessTest::TearDown();
  }
  void Pump() { desktop->run_until_idle(); }
};

// The shown popup windows, outermost first (a submenu after the menu that opened it).
inline std::vector<TTBPopupWindow*> Popups() {
  std::vector<TTBPopupWindow*> out;
  win::EnumWindows(
      [](win::HWND h, win::LPARAM lp) -> win::BOOL {
        if (auto* p = dynamic_cast<TTBPopupWindow*>(fw::FindControl(h)); p && win::IsWindowVisible(h))
          reinterpret_cast<std::vector<TTBPopupWindow*>*>(lp)->push_back(p);
        return win::TRUE;
      },
      reinterpret_cast<win::LPARAM>(&out));
  std::stable_sort(out.begin(), out.end(), [](TTBPopupWindow* a, TTBPopupWindow* b) {
    return a->View()->ParentView() == nullptr && b->View()->ParentView() != nullptr;
  });
  return out;
}

// An item with a caption and extra style bits (tbisSubmenu for a submenu), as item classes of a
// themed layer set them.
struct StyledItem : TTBCustomItem {
  StyledItem(TComponent* AOwner, const char* ACaption, TTBItemStyle Add = 0) : TTBCustomItem(AOwner) {
    SetCaption(ACaption);
    SetItemStyle(TTBItemStyle(ItemStyle() | Add));
  }
};

struct RecordedNotify {
  TTBCustomItem* Sender;
  bool Relayed;
  TTBItemChangedAction Action;
  Integer Index;
  TTBCustomItem* Item;
};

// Registers on an item and records what it hears.
struct NotifyRecorder {
  explicit NotifyRecorder(TTBCustomItem* AItem) : item(AItem) {
    item->RegisterNotification(this, [this](TTBCustomItem* S, bool R, TTBItemChangedAction A, Integer I,
                                            TTBCustomItem* It) { log.push_back({S, R, A, I, It}); });
  }
  ~NotifyRecorder() {
    if (item) item->UnregisterNotification(this);
  }
  std::vector<TTBItemChangedAction> Actions() const {
    std::vector<TTBItemChangedAction> out;
    for (auto& r : log) out.push_back(r.Action);
    return out;
  }
  TTBCustomItem* item;
  std::vector<RecordedNotify> log;
};

}  // namespace toolbars::testing
