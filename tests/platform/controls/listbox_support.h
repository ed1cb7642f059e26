#pragma once
// Shared set-up of the list and combo box tests: a visible parent on the headless desktop and the
// fixed test font, so that every item is 13 pixels high.

#include <string>
#include <vector>

#include "support/HeadlessFixture.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/StandardControls.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace kvtest {

class ListTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(win::RegisterStandardControls());
    font = win::CreateFontW(13, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, std::u16string(win::kTestFontFace).c_str());
    parent = Create(win::WS_POPUP | win::WS_VISIBLE, {0, 0, 500, 400}, nullptr, 0,
                    [this](win::HWND, win::UINT m, win::WPARAM w, win::LPARAM l) { return OnParent(m, w, l); });
  }
  void TearDown() override {
    if (parent) win::DestroyWindow(parent);
    win::DeleteObject(font);
    HeadlessTest::TearDown();
  }
  // The parent's answers; tests replace `answer` to answer owner messages.
  std::optional<win::LRESULT> OnParent(win::UINT m, win::WPARAM w, win::LPARAM l) {
    if (answer) return answer(m, w, l);
    return std::nullopt;
  }
  win::HWND MakeList(win::DWORD style, win::RECT r = {10, 10, 200, 130}, int id = 7) {
    win::HWND h = win::CreateWindowExW(0, u"ListBox", u"", win::WS_CHILD | win::WS_VISIBLE | style, r.left, r.top,
                                       r.right, r.bottom, parent, reinterpret_cast<win::HMENU>(intptr_t(id)), nullptr,
                                       nullptr);
    if (h) win::SendMessageW(h, win::WM_SETFONT, win::WPARAM(font), 0);
    return h;
  }
  static void Add(win::HWND list, std::initializer_list<const char16_t*> texts) {
    for (auto* t : texts) win::SendMessageW(list, win::LB_ADDSTRING, 0, win::LPARAM(t));
  }
  static std::u16string Text(win::HWND list, int index) {
    char16_t buf[256] = {};
    if (win::SendMessageW(list, win::LB_GETTEXT, index, win::LPARAM(buf)) < 0) return u"<err>";
    return buf;
  }
  // Notification codes the parent received through WM_COMMAND from `from`.
  std::vector<win::WORD> Notes(win::HWND from) const {
    std::vector<win::WORD> out;
    for (auto& m : Log(parent))
      if (m.msg == win::WM_COMMAND && win::HWND(m.lParam) == from) out.push_back(win::HIWORD(m.wParam));
    return out;
  }
  // Screen point of a point in a window's client area.
  static win::POINT At(win::HWND hwnd, int x, int y) {
    win::POINT p{x, y};
    win::ClientToScreen(hwnd, &p);
    return p;
  }

  // Input that is dispatched before the call returns.
  void Press(win::UINT vk) {
    desktop->press_key(vk);
    desktop->run_until_idle();
  }
  void Type(char16_t ch) {
    desktop->type_char(ch);
    desktop->run_until_idle();
  }
  void Hold(win::UINT vk) {
    desktop->key_down(vk);
    desktop->run_until_idle();
  }
  void Release(win::UINT vk) {
    desktop->key_up(vk);
    desktop->run_until_idle();
  }
  void Click(win::POINT pt) {
    desktop->click(pt);
    desktop->run_until_idle();
  }

  std::function<std::optional<win::LRESULT>(win::UINT, win::WPARAM, win::LPARAM)> answer;
  win::HFONT font = nullptr;
  win::HWND parent = nullptr;
};

}  // namespace kvtest
