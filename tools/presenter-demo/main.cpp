// A window on the real desktop: it paints its client area, changes colour on every left click
// and reports each click and each paint on standard output, so a script can drive it with
// xdotool and watch what it does. Closing the window ends the program.

#include <cstdio>
#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "presenter/DesktopPresenter.h"

namespace {

using namespace win;

constexpr COLORREF kColours[] = {RGB(40, 90, 200), RGB(200, 60, 40), RGB(40, 160, 70)};
int g_clicks = 0;

std::u16string ToWide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  COLORREF colour = kColours[g_clicks % 3];
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  std::u16string text = ToWide("Clicks: " + std::to_string(g_clicks));
  DrawTextW(dc, text.c_str(), int(text.size()), &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EndPaint(hwnd, &ps);
  std::printf("painted %02x%02x%02x\n", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  std::fflush(stdout);
}

LRESULT DemoProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      Paint(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
      ++g_clicks;
      std::printf("click %d at %d,%d\n", g_clicks, int(SHORT(LOWORD(lParam))), int(SHORT(HIWORD(lParam))));
      std::fflush(stdout);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int main() {
  if (!presenter::DesktopPresenter::DisplayAvailable()) {
    std::puts("presenter-demo: no display to show a window on.");
    return 0;
  }
  presenter::DesktopPresenter desktop;
  WNDCLASSEXW wc;
  wc.lpfnWndProc = DemoProc;
  wc.lpszClassName = u"KvPresenterDemo";
  if (!RegisterClassExW(&wc)) return 1;
  HWND hwnd = CreateWindowExW(0, u"KvPresenterDemo", u"Korvalin presenter demo", WS_OVERLAPPEDWINDOW, 100, 100, 360,
                              240, nullptr, nullptr, nullptr, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return int(m.wParam);
}
