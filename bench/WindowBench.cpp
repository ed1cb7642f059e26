// Window-system figures: queue throughput and painting a window with many children.

#include <benchmark/benchmark.h>

#include "platform/desktop/HeadlessDesktop.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

namespace {

using namespace win;

long g_counted = 0;

LRESULT CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER) {
    ++g_counted;
    return 0;
  }
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterBenchClass() {
  static bool done = [] {
    WNDCLASSW wc;
    wc.lpfnWndProc = CountingProc;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = u"KvBenchWindow";
    return RegisterClassW(&wc) != 0;
  }();
  (void)done;
}

void BM_PostDispatch1M(benchmark::State& state) {
  desktop::HeadlessDesktop desk(800, 600);
  RegisterBenchClass();
  HWND h = CreateWindowExW(0, u"KvBenchWindow", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  for (auto _ : state) {
    g_counted = 0;
    // The queue holds at most 10,000 posted messages, so post and drain in batches.
    for (int batch = 0; batch < 100; ++batch) {
      for (int i = 0; i < 10000; ++i) PostMessageW(h, WM_USER, WPARAM(i), 0);
      MSG m;
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    }
    benchmark::DoNotOptimize(g_counted);
  }
  if (g_counted != 1000000) state.SkipWithError("not every message was dispatched");
  state.SetItemsProcessed(state.iterations() * 1000000);
  DestroyWindow(h);
}
BENCHMARK(BM_PostDispatch1M)->Unit(benchmark::kMillisecond);

void BM_PaintWindow500Children(benchmark::State& state) {
  desktop::HeadlessDesktop desk(1920, 1280);
  RegisterBenchClass();
  HWND top = CreateWindowExW(0, u"KvBenchWindow", u"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1600, 1200,
                             nullptr, nullptr, nullptr, nullptr);
  for (int i = 0; i < 500; ++i) {
    int x = (i % 25) * 64, y = (i / 25) * 60;
    CreateWindowExW(0, u"KvBenchWindow", u"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, 60, 56, top, nullptr,
                    nullptr, nullptr);
  }
  desk.run_until_idle();
  for (auto _ : state) {
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    desk.run_until_idle();
  }
  DestroyWindow(top);
}
BENCHMARK(BM_PaintWindow500Children)->Unit(benchmark::kMillisecond);

}  // namespace
