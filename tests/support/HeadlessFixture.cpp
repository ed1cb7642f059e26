#include "HeadlessFixture.h"

#include <algorithm>
#include <map>

#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace kvtest {
namespace {

std::vector<LoggedMessage> g_log;
std::map<win::HWND, Handler> g_handlers;

win::LRESULT RecordingProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  g_log.push_back({hwnd, msg, wParam, lParam});
  auto it = g_handlers.find(hwnd);
  if (it == g_handlers.end() && (msg == win::WM_GETMINMAXINFO || msg == win::WM_NCCREATE)) {
    // The first message of a window being created: it takes the handler its Create call gave.
    auto creating = g_handlers.find(nullptr);
    if (creating != g_handlers.end()) {
      Handler h = creating->second;
      g_handlers.erase(creating);
      it = g_handlers.emplace(hwnd, std::move(h)).first;
    }
  }
  if (it != g_handlers.end() && it->second) {
    Handler h = it->second;  // the handler may replace itself
    if (auto r = h(hwnd, msg, wParam, lParam)) return *r;
  }
  if (msg == win::WM_NCDESTROY) g_handlers.erase(hwnd);
  return win::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void EnsureClass() {
  static bool done = [] {
    win::WNDCLASSEXW wc;
    wc.style = win::CS_DBLCLKS;
    wc.lpfnWndProc = RecordingProc;
    wc.hbrBackground = reinterpret_cast<win::HBRUSH>(uintptr_t(5 + 1));  // COLOR_WINDOW + 1
    wc.lpszClassName = u"KvTestWindow";
    return win::RegisterClassExW(&wc) != 0;
  }();
  (void)done;
}

}  // namespace

void HeadlessTest::SetUp() {
  EnsureClass();
  g_log.clear();
  g_handlers.clear();
  desktop = std::make_unique<win::desktop::HeadlessDesktop>(800, 600);
}

void HeadlessTest::TearDown() {
  if (!expectStarvation) {
    EXPECT_FALSE(desktop->starved()) << "a message loop waited with nothing scripted";
  }
  desktop.reset();
  g_handlers.clear();
  g_log.clear();
}

win::HWND HeadlessTest::Create(win::DWORD style, win::RECT r, win::HWND parent, win::DWORD exStyle, Handler handler) {
  // Handlers are looked up by handle, which exists only once creation starts: a creating window
  // finds its handler under the null key until then.
  g_handlers[nullptr] = handler;
  win::HWND h = win::CreateWindowExW(exStyle, u"KvTestWindow", u"", style, r.left, r.top, r.right, r.bottom, parent,
                                     nullptr, nullptr, nullptr);
  g_handlers.erase(nullptr);
  if (h && handler) g_handlers[h] = handler;
  return h;
}

void HeadlessTest::SetHandler(win::HWND hwnd, Handler handler) { g_handlers[hwnd] = std::move(handler); }

std::vector<LoggedMessage> HeadlessTest::Log(win::HWND hwnd) const {
  std::vector<LoggedMessage> out;
  for (auto& m : g_log) {
    if (!hwnd || m.hwnd == hwnd) {
      out.push_back(m);
    }
  }
  return out;
}

std::vector<win::UINT> HeadlessTest::Messages(win::HWND hwnd) const {
  std::vector<win::UINT> out;
  for (auto& m : g_log)
    if (m.hwnd == hwnd) {
      out.push_back(m.msg);
    }
  return out;
}

int HeadlessTest::Count(win::HWND hwnd, win::UINT msg) const {
  return int(std::count_if(g_log.begin(), g_log.end(), [&](const LoggedMessage& m) {
    return (!hwnd || m.hwnd == hwnd) && m.msg == msg;
  }));
}

void HeadlessTest::ClearLog() { g_log.clear(); }

}  // namespace kvtest
