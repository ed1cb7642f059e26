// Window procedures (plain and closure), long values, properties and window text.

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/LastError.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/PaintCore.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace user {
namespace {

// Closure procedures travel as values in a range no code address of a Linux process can have
// (the upper half of the address space), tagged with their instance number.
constexpr uintptr_t kClosureTag = uintptr_t(0xFFFF8000) << 32;
constexpr uintptr_t kClosureMask = uintptr_t(0xFFFFFFFF);

struct Instances {
  std::mutex m;
  std::map<uintptr_t, std::shared_ptr<ObjectProc>> procs;
  uintptr_t next = 1;
};
Instances& TheInstances() {
  static Instances* i = new Instances;
  return *i;
}

bool IsClosure(LONG_PTR v) { return (uintptr_t(v) & ~kClosureMask) == kClosureTag; }

std::u16string PropKey(LPCWSTR name) {
  if (IS_INTRESOURCE(name)) return u"#" + std::u16string(1, char16_t(reinterpret_cast<uintptr_t>(name)));
  return UpperCase(name);
}

// A window leaving the layered style forgets its layered look (a later layering starts with none,
// shown only once given one) and is fully opaque again; the screen shows a top-level window as
// it now is.
void LayeringChanged(WindowObj& w) {
  if (!(w.exStyle & WS_EX_LAYERED)) {
    w.perPixelLayered = false;
    w.layeredFlags = 0;
    w.layeredAlpha = 255;
    w.layeredKey = 0;
  }
  if (IsTopLevel(w)) NotifyRepainted(w, RECT{0, 0, w.window.right - w.window.left, w.window.bottom - w.window.top});
}

}  // namespace

LRESULT CallProcValue(LONG_PTR proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  if (IsClosure(proc)) {
    std::shared_ptr<ObjectProc> fn;
    {
      Instances& in = TheInstances();
      std::lock_guard lock(in.m);
      auto it = in.procs.find(uintptr_t(proc) & kClosureMask);
      if (it == in.procs.end()) return 0;  // freed instance: the call goes nowhere
      fn = it->second;
    }
    return (*fn)(hwnd, msg, wParam, lParam);
  }
  return reinterpret_cast<WNDPROC>(proc)(hwnd, msg, wParam, lParam);
}

}  // namespace user

using namespace user;

WNDPROC MakeObjectInstance(ObjectProc proc) {
  if (!proc) return nullptr;
  Instances& in = TheInstances();
  std::lock_guard lock(in.m);
  uintptr_t id = in.next++;
  in.procs[id] = std::make_shared<ObjectProc>(std::move(proc));
  return reinterpret_cast<WNDPROC>(kClosureTag | id);
}

void FreeObjectInstance(WNDPROC instance) {
  LONG_PTR v = reinterpret_cast<LONG_PTR>(instance);
  if (!IsClosure(v)) return;
  Instances& in = TheInstances();
  std::lock_guard lock(in.m);
  in.procs.erase(uintptr_t(v) & kClosureMask);
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallProcValue(reinterpret_cast<LONG_PTR>(proc), hwnd, msg, wParam, lParam);
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC: return w->proc;
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
      if (w->style & WS_CHILD) return w->parent ? reinterpret_cast<LONG_PTR>(w->parent->hwnd) : 0;
      return w->owner ? reinterpret_cast<LONG_PTR>(w->owner->hwnd) : 0;
    case GWLP_ID: return w->id;
    case GWL_STYLE: return LONG_PTR(LONG(w->style));
    case GWL_EXSTYLE: return LONG_PTR(LONG(w->exStyle));
    case GWLP_USERDATA: return w->userData;
    default: break;
  }
  if (index >= 0 && size_t(index) + sizeof(LONG) <= w->extra.size()) {
    LONG_PTR v = 0;
    size_t n = std::min(sizeof v, w->extra.size() - size_t(index));
    std::memcpy(&v, w->extra.data() + index, n);
    if (n < sizeof v) v = LONG_PTR(LONG(v));
    return v;
  }
  SetLastError(1413);  // ERROR_INVALID_INDEX
  return 0;
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtrW(hwnd, index);
  switch (index) {
    case GWLP_WNDPROC: w->proc = value; return old;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); return old;
    case GWLP_ID: w->id = value; return old;
    case GWLP_USERDATA: w->userData = value; return old;
    case GWLP_HWNDPARENT: {
      if (w->style & WS_CHILD) return old;  // a child's parent changes only through SetParent
      WindowObj* owner = value ? FindWindowObj(reinterpret_cast<HWND>(value)) : nullptr;
      if (owner) owner = TopLevelOf(owner);
      if (owner == w) return old;
      w->owner = owner;
      return old;
    }
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      STYLESTRUCT ss{DWORD(old), DWORD(value)};
      SendMessageW(hwnd, WM_STYLECHANGING, WPARAM(index), LPARAM(&ss));
      if (!(w = FindWindowObj(hwnd))) return 0;
      DWORD newValue = ss.styleNew;
      if (index == GWL_STYLE)
        w->style = newValue;
      else
        w->exStyle = newValue;
      if (index == GWL_EXSTYLE && ((DWORD(old) ^ newValue) & WS_EX_LAYERED)) LayeringChanged(*w);
      ss.styleNew = newValue;
      SendMessageW(hwnd, WM_STYLECHANGED, WPARAM(index), LPARAM(&ss));
      return old;
    }
    default: break;
  }
  if (index >= 0 && size_t(index) + sizeof(LONG) <= w->extra.size()) {
    size_t n = std::min(sizeof value, w->extra.size() - size_t(index));
    std::memcpy(w->extra.data() + index, &value, n);
    return old;
  }
  SetLastError(1413);
  return 0;
}

int GetDlgCtrlID(HWND hwnd) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !(w->style & WS_CHILD)) return 0;
  return int(w->id);
}

HWND GetDlgItem(HWND parent, int id) {
  WindowObj* p = CheckWindow(parent);
  if (!p) return nullptr;
  for (WindowObj* c : p->children)
    if (c->id == id) return c->hwnd;
  SetLastError(1421);  // ERROR_CONTROL_ID_NOT_FOUND
  return nullptr;
}

BOOL SetPropW(HWND hwnd, LPCWSTR name, HANDLE data) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !name) return FALSE;
  std::u16string key = PropKey(name);
  for (auto& [k, v] : w->props)
    if (k == key) {
      v = data;
      return TRUE;
    }
  w->props.emplace_back(std::move(key), data);
  return TRUE;
}

HANDLE GetPropW(HWND hwnd, LPCWSTR name) {
  WindowObj* w = FindWindowObj(hwnd);
  if (!w || !name) return nullptr;
  std::u16string key = PropKey(name);
  for (auto& [k, v] : w->props)
    if (k == key) return v;
  return nullptr;
}

HANDLE RemovePropW(HWND hwnd, LPCWSTR name) {
  WindowObj* w = FindWindowObj(hwnd);
  if (!w || !name) return nullptr;
  std::u16string key = PropKey(name);
  for (auto it = w->props.begin(); it != w->props.end(); ++it)
    if (it->first == key) {
      HANDLE v = it->second;
      w->props.erase(it);
      return v;
    }
  return nullptr;
}

int EnumPropsW(HWND hwnd, PROPENUMPROCW proc) {
  WindowObj* w = FindWindowObj(hwnd);
  if (!w || !proc || w->props.empty()) return -1;
  auto copy = w->props;
  BOOL last = TRUE;
  for (auto& [k, v] : copy) {
    last = proc(hwnd, k.c_str(), v);
    if (!last) break;
  }
  return last;
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  if (!CheckWindow(hwnd)) return FALSE;
  return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u"")) ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = 0;
  if (!CheckWindow(hwnd)) return 0;
  return int(SendMessageW(hwnd, WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) {
  if (!CheckWindow(hwnd)) return 0;
  return int(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

}  // namespace win
