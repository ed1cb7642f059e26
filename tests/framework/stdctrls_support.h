#pragma once
// A form on the headless desktop for the standard controls, with the fixed test font (7 pixels a
// character, 13 a line) so that sizes follow from character counts.

#include "control_fixture.h"
#include "framework/StdCtrls.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw::testing {

class StdCtrlsTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    form = new TForm(nullptr);
    form->Font()->SetName("Korvalin Test");
    form->Font()->SetHeight(-13);
    form->SetBounds(100, 100, 400, 300);
  }
  void TearDown() override {
    delete form;
    ControlTest::TearDown();
  }
  template <class T>
  T* Add(Integer x, Integer y, Integer w, Integer h, TWinControl* parent = nullptr) {
    auto* c = new T(form);
    c->SetParent(parent != nullptr ? parent : form);
    c->SetBounds(x, y, w, h);
    return c;
  }
  void ShowForm() {
    form->Show();
    Pump();
  }
  void ClickOn(TControl* c, Integer x, Integer y) {
    desktop->click(At(c, x, y));
    AppPump();
  }
  void Key(win::UINT vk) {
    desktop->press_key(vk);
    AppPump();
  }

  TForm* form = nullptr;
};

}  // namespace fw::testing
