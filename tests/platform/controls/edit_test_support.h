#pragma once
// Edit controls on the headless desktop: a parent window, the fixed test font (7 pixels a
// character, 13 pixels a line) and no margins, so positions follow from character counts.

#include <string>
#include <utility>

#include "platform/controls/Edit.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "support/HeadlessFixture.h"

namespace kvtest {

class EditTest : public HeadlessTest {
 protected:
  static constexpr int kAdvance = 7, kLine = 13;

  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(win::RegisterEditClass());
    parent = Create(win::WS_OVERLAPPEDWINDOW | win::WS_VISIBLE, {50, 50, 500, 400});
    font = win::CreateFontW(13, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, std::u16string(win::kTestFontFace).c_str());
  }
  void TearDown() override {
    if (parent) win::DestroyWindow(parent);
    win::DeleteObject(font);
    HeadlessTest::TearDown();
  }

  // An edit at (10, 10) in the parent, `width` x `height`, with the test font and no margins.
  win::HWND MakeEdit(win::DWORD style, int width = 200, int height = 20, const char16_t* text = u"",
                     int id = 100, win::DWORD exStyle = 0) {
    win::HWND e = win::CreateWindowExW(exStyle, u"Edit", text, win::WS_CHILD | win::WS_VISIBLE | style, 10, 10, width,
                                       height, parent, reinterpret_cast<win::HMENU>(intptr_t(id)), nullptr, nullptr);
    EXPECT_NE(e, nullptr);
    win::SendMessageW(e, win::WM_SETFONT, reinterpret_cast<win::WPARAM>(font), 0);
    win::SendMessageW(e, win::EM_SETMARGINS, win::EC_LEFTMARGIN | win::EC_RIGHTMARGIN, 0);
    desktop->run_until_idle();
    return e;
  }

  static std::u16string Text(win::HWND e) {
    int n = win::GetWindowTextLengthW(e);
    std::u16string s(std::size_t(n) + 1, u'\0');
    int got = win::GetWindowTextW(e, s.data(), n + 1);
    s.resize(std::size_t(got));
    return s;
  }
  static std::pair<int, int> Sel(win::HWND e) {
    win::DWORD a = 0, b = 0;
    win::SendMessageW(e, win::EM_GETSEL, reinterpret_cast<win::WPARAM>(&a), reinterpret_cast<win::LPARAM>(&b));
    return {int(a), int(b)};
  }
  static void SetSel(win::HWND e, int a, int b) { win::SendMessageW(e, win::EM_SETSEL, win::WPARAM(a), win::LPARAM(b)); }

  void Type(std::u16string_view s) {
    for (char16_t c : s) desktop->type_char(c);
    desktop->run_until_idle();
  }
  // A key with modifiers held: 's' Shift, 'c' Ctrl.
  void Key(win::UINT vk, const char* mods = "") {
    std::string m(mods);
    if (m.find('s') != std::string::npos) desktop->key_down(win::VK_SHIFT);
    if (m.find('c') != std::string::npos) desktop->key_down(win::VK_CONTROL);
    desktop->press_key(vk);
    if (m.find('c') != std::string::npos) desktop->key_up(win::VK_CONTROL);
    if (m.find('s') != std::string::npos) desktop->key_up(win::VK_SHIFT);
    desktop->run_until_idle();
  }
  // A screen point from a point in the edit's client area.
  static win::POINT Screen(win::HWND e, int x, int y) {
    win::POINT p{x, y};
    win::ClientToScreen(e, &p);
    return p;
  }
  // EN_ codes the parent received from the edit, in order.
  std::vector<win::WORD> Notifications(win::HWND e) const {
    std::vector<win::WORD> codes;
    for (const LoggedMessage& m : Log(parent))
      if (m.msg == win::WM_COMMAND && m.lParam == reinterpret_cast<win::LPARAM>(e)) codes.push_back(win::HIWORD(m.wParam));
    return codes;
  }

  win::HWND parent = nullptr;
  win::HFONT font = nullptr;
};

}  // namespace kvtest
