#include "PresenterFixture.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <chrono>
#include <cstdio>
#include <future>
#include <map>
#include <sstream>

#include "platform/gdi/Gdi.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "presenter/DesktopPresenter.h"

namespace kvtest {
namespace {

std::vector<ProbeMessage> g_messages;
std::map<win::HWND, win::COLORREF> g_fill;

win::LRESULT ProbeProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  g_messages.push_back({hwnd, msg, wParam, lParam});
  switch (msg) {
    case win::WM_ERASEBKGND:
      return 1;  // WM_PAINT covers everything
    case win::WM_PAINT: {
      win::PAINTSTRUCT ps;
      win::HDC dc = win::BeginPaint(hwnd, &ps);
      win::RECT client;
      win::GetClientRect(hwnd, &client);
      win::HBRUSH brush = win::CreateSolidBrush(g_fill.count(hwnd) ? g_fill[hwnd] : win::RGB(255, 255, 255));
      win::FillRect(dc, &client, brush);
      win::DeleteObject(brush);
      win::EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return win::DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

void RegisterProbeClass() {
  static bool done = [] {
    win::WNDCLASSEXW wc;
    wc.style = win::CS_DBLCLKS;
    wc.lpfnWndProc = ProbeProc;
    wc.lpszClassName = u"KvPresenterProbe";
    return win::RegisterClassExW(&wc) != 0;
  }();
  ASSERT_TRUE(done);
}

win::presenter::DesktopPresenter* g_presenter = nullptr;

}  // namespace

std::string ShellQuote(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

void PresenterTest::SetUpTestSuite() {
  if (!g_presenter) {
    win::clock::UseVirtual(false);
    // Kept for the whole run: the GUI application it starts lives as long as the process.
    g_presenter = new win::presenter::DesktopPresenter();
  }
}

win::presenter::DesktopPresenter& PresenterTest::Presenter() { return *g_presenter; }

void PresenterTest::SetUp() {
  ASSERT_TRUE(g_presenter);
  ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "the presenter tests need an X server (xvfb-run)";
  RegisterProbeClass();
  ClearMessages();
}

void PresenterTest::TearDown() {
  for (win::HWND h : created_)
    if (win::IsWindow(h)) win::DestroyWindow(h);
  created_.clear();
  win::ReleaseCapture();
  PumpUntil([] { return false; }, 0);
  g_fill.clear();
  ClearMessages();
}

win::HWND PresenterTest::CreateProbe(const std::u16string& title, win::DWORD style, win::DWORD exStyle, int x, int y,
                                     int width, int height, win::COLORREF colour, win::HWND owner) {
  win::HWND h = win::CreateWindowExW(exStyle, u"KvPresenterProbe", title.c_str(), style & ~win::WS_VISIBLE, x, y,
                                     width, height, owner, nullptr, nullptr, nullptr);
  if (!h) return nullptr;
  g_fill[h] = colour;
  created_.push_back(h);
  if (style & win::WS_VISIBLE) win::ShowWindow(h, win::SW_SHOWNORMAL);
  return h;
}

void PresenterTest::SetFill(win::HWND hwnd, win::COLORREF colour) { g_fill[hwnd] = colour; }

bool PresenterTest::PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    win::MSG m;
    while (win::PeekMessageW(&m, nullptr, 0, 0, win::PM_REMOVE)) {
      win::TranslateMessage(&m);
      win::DispatchMessageW(&m);
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    // A short wait in the presenter's loop: it returns early as soon as the desktop has news.
    g_presenter->WaitForWork(win::clock::NowMs() + 10);
  }
}

CommandResult PresenterTest::Run(const std::string& command) {
  // The command is ended after 20 seconds, so that waiting for its result cannot hang.
  auto job = std::async(std::launch::async, [command] {
    CommandResult r;
    FILE* pipe = popen(("timeout 20 sh -c " + ShellQuote(command) + " 2>&1").c_str(), "r");
    if (!pipe) return r;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.output.append(buffer, n);
    int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
  });
  PumpUntil([&] { return job.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 25000);
  CommandResult r = job.get();
  if (r.status == 124) ADD_FAILURE() << "'" << command << "' did not end within 20 seconds";
  return r;
}

QImage PresenterTest::GrabScreen(int x, int y, int width, int height) {
  return QGuiApplication::primaryScreen()->grabWindow(0, x, y, width, height).toImage();
}

unsigned long PresenterTest::FindXWindow(const std::string& title, bool any) {
  CommandResult r = Run("xdotool search " + std::string(any ? "" : "--onlyvisible ") + "--name " +
                        ShellQuote("^" + title + "$"));
  if (r.status != 0) return 0;
  return std::strtoul(r.output.c_str(), nullptr, 10);
}

win::RECT PresenterTest::XGeometry(unsigned long window) {
  CommandResult r = Run("xdotool getwindowgeometry " + std::to_string(window));
  win::RECT rect{};
  int x, y, w, h;
  auto pos = r.output.find("Position:");
  auto size = r.output.find("Geometry:");
  if (r.status != 0 || pos == std::string::npos || size == std::string::npos) return rect;
  if (std::sscanf(r.output.c_str() + pos, "Position: %d,%d", &x, &y) != 2) return rect;
  if (std::sscanf(r.output.c_str() + size, "Geometry: %dx%d", &w, &h) != 2) return rect;
  return win::RECT{x, y, x + w, y + h};
}

std::vector<ProbeMessage> PresenterTest::Messages(win::HWND hwnd, win::UINT msg) const {
  std::vector<ProbeMessage> out;
  for (const ProbeMessage& m : g_messages)
    if ((!hwnd || m.hwnd == hwnd) && m.msg == msg) out.push_back(m);
  return out;
}

void PresenterTest::ClearMessages() { g_messages.clear(); }

}  // namespace kvtest
