#pragma once
// A headless desktop with a fresh application object, and helpers to record item notifications.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/services/WinEvents.h"
#include "support/HeadlessFixture.h"
#include "toolbars/TBItem.h"

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
