#pragma once
// A headless desktop with a fresh application object for every test of the controls, forms,
// menus, actions and hints.

#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "support/HeadlessFixture.h"

namespace fw::testing {

class ControlTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete Application;
    Application = new TApplication(nullptr);
  }
  void TearDown() override {
    delete Application;
    Application = new TApplication(nullptr);
    delete PopupList;
    PopupList = new TPopupList();
    MessageBoxProc = SavedMessageBox;
    HeadlessTest::TearDown();
  }
  void Pump() { desktop->run_until_idle(); }
  void Step(win::DWORD ms) {
    desktop->advance(ms);
    desktop->run_until_idle();
  }
  // Messages through the application's own loop (key messages reach CN_KEYDOWN there).
  void AppPump() { Application->ProcessMessages(); }
  // A screen point of a control's client point.
  win::POINT At(TControl* c, int x, int y) { return c->ClientToScreen(Point(x, y)); }

  TMessageBoxProc SavedMessageBox = MessageBoxProc;
};

}  // namespace fw::testing
