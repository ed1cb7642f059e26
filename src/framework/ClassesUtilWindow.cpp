#include "framework/ClassesUtilWindow.h"

#include <map>
#include <mutex>

#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/windows/Window.h"

namespace fw {

std::function<void(TObject* Sender)> ApplicationHandleException;

namespace {

constexpr char16_t kUtilClass[] = u"TPUtilWindow";

std::mutex gLock;
std::map<win::HWND, win::WNDPROC>& Instances() {
  static std::map<win::HWND, win::WNDPROC> instances;
  return instances;
}

void EnsureClass() {
  win::WNDCLASSW wc;
  if (win::GetClassInfoW(nullptr, kUtilClass, &wc)) return;
  wc.lpfnWndProc = win::DefWindowProcW;
  wc.lpszClassName = kUtilClass;
  win::RegisterClassW(&wc);
}

}  // namespace

win::HWND AllocateHWnd(TWndMethod Method) {
  EnsureClass();
  // A hidden top-level window rather than a message-only one: only top-level windows hear the
  // system's broadcasts (colours, settings, display, theme, application activation).
  win::HWND wnd = win::CreateWindowExW(win::WS_EX_TOOLWINDOW, kUtilClass, u"", win::WS_POPUP, 0, 0, 0, 0, nullptr,
                                       nullptr, nullptr, nullptr);
  if (!wnd) return nullptr;
  if (Method) {
    win::WNDPROC proc = win::MakeObjectInstance(
        [method = std::move(Method)](win::HWND, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) -> win::LRESULT {
          try {
            return method(msg, wParam, lParam);
          } catch (...) {
            if (!ApplicationHandleException) throw;
            ApplicationHandleException(nullptr);
            return 0;
          }
        });
    win::SetWindowLongPtrW(wnd, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(proc));
    std::lock_guard lock(gLock);
    Instances()[wnd] = proc;
  }
  return wnd;
}

void DeallocateHWnd(win::HWND Wnd) {
  win::WNDPROC proc = nullptr;
  {
    std::lock_guard lock(gLock);
    auto it = Instances().find(Wnd);
    if (it != Instances().end()) {
      proc = it->second;
      Instances().erase(it);
    }
  }
  if (proc && win::IsWindow(Wnd) &&
      win::GetWindowLongPtrW(Wnd, win::GWLP_WNDPROC) == reinterpret_cast<win::LONG_PTR>(proc)) {
    // Back to the plain procedure first, so that destruction messages do not reach a method
    // whose object is going away.
    win::SetWindowLongPtrW(Wnd, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(&win::DefWindowProcW));
    win::DestroyWindow(Wnd);
  }
  if (proc) win::FreeObjectInstance(proc);
}

bool AllocatedHWndAlive(win::HWND Wnd) {
  win::WNDPROC proc = nullptr;
  {
    std::lock_guard lock(gLock);
    auto it = Instances().find(Wnd);
    if (it == Instances().end()) return false;
    proc = it->second;
  }
  return win::IsWindow(Wnd) && win::GetWindowLongPtrW(Wnd, win::GWLP_WNDPROC) == reinterpret_cast<win::LONG_PTR>(proc);
}

}  // namespace fw
