// Window classes: registration, lookup by name or atom, class information and class long values.

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/LastError.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace user {
namespace {

struct ClassRegistry {
  std::mutex m;
  std::vector<std::shared_ptr<ClassObj>> classes;
  ATOM nextAtom = 0xC000;
};

ClassRegistry& Classes() {
  static ClassRegistry* r = new ClassRegistry;
  return *r;
}

std::shared_ptr<ClassObj> FindLocked(ClassRegistry& r, LPCWSTR nameOrAtom) {
  if (!nameOrAtom) return nullptr;
  if (IS_INTRESOURCE(nameOrAtom)) {
    ATOM a = ATOM(reinterpret_cast<uintptr_t>(nameOrAtom));
    for (auto& c : r.classes)
      if (c->atom == a) return c;
    return nullptr;
  }
  std::u16string_view name(nameOrAtom);
  for (auto& c : r.classes)
    if (SameTextIgnoreCase(c->name, name)) return c;
  return nullptr;
}

ATOM Register(const WNDCLASSEXW& wc) {
  if (!wc.lpszClassName || IS_INTRESOURCE(wc.lpszClassName) || !*wc.lpszClassName || wc.cbClsExtra < 0 ||
      wc.cbWndExtra < 0 || wc.cbClsExtra > 40000 || wc.cbWndExtra > 40000) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  ClassRegistry& r = Classes();
  std::lock_guard lock(r.m);
  if (FindLocked(r, wc.lpszClassName)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  auto c = std::make_shared<ClassObj>();
  c->atom = r.nextAtom++;
  c->name = wc.lpszClassName;
  c->style = wc.style;
  c->proc = reinterpret_cast<LONG_PTR>(wc.lpfnWndProc);
  c->clsExtra = wc.cbClsExtra;
  c->wndExtra = wc.cbWndExtra;
  c->instance = wc.hInstance;
  c->icon = wc.hIcon;
  c->iconSm = wc.hIconSm;
  c->cursor = wc.hCursor;
  c->background = wc.hbrBackground;
  if (wc.lpszMenuName && IS_INTRESOURCE(wc.lpszMenuName))
    c->menuName = reinterpret_cast<uintptr_t>(wc.lpszMenuName);
  else if (wc.lpszMenuName)
    c->menuNameText = wc.lpszMenuName;
  c->extra.assign(size_t(wc.cbClsExtra), 0);
  r.classes.push_back(c);
  return c->atom;
}

void FillInfo(const ClassObj& c, WNDCLASSEXW* out) {
  out->style = c.style;
  out->lpfnWndProc = reinterpret_cast<WNDPROC>(c.proc);
  out->cbClsExtra = c.clsExtra;
  out->cbWndExtra = c.wndExtra;
  out->hInstance = c.instance;
  out->hIcon = c.icon;
  out->hIconSm = c.iconSm;
  out->hCursor = c.cursor;
  out->hbrBackground = c.background;
  out->lpszMenuName =
      c.menuNameText.empty() ? reinterpret_cast<LPCWSTR>(c.menuName) : c.menuNameText.c_str();
  out->lpszClassName = c.name.c_str();
}

}  // namespace

std::shared_ptr<ClassObj> FindClass(LPCWSTR nameOrAtom) {
  ClassRegistry& r = Classes();
  std::lock_guard lock(r.m);
  return FindLocked(r, nameOrAtom);
}

}  // namespace user

using namespace user;

ATOM RegisterClassW(const WNDCLASSW* wc) {
  if (!wc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEXW ex;
  ex.style = wc->style;
  ex.lpfnWndProc = wc->lpfnWndProc;
  ex.cbClsExtra = wc->cbClsExtra;
  ex.cbWndExtra = wc->cbWndExtra;
  ex.hInstance = wc->hInstance;
  ex.hIcon = wc->hIcon;
  ex.hCursor = wc->hCursor;
  ex.hbrBackground = wc->hbrBackground;
  ex.lpszMenuName = wc->lpszMenuName;
  ex.lpszClassName = wc->lpszClassName;
  return Register(ex);
}

ATOM RegisterClassExW(const WNDCLASSEXW* wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return Register(*wc);
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  ClassRegistry& r = Classes();
  std::shared_ptr<ClassObj> c;
  {
    std::lock_guard lock(r.m);
    c = FindLocked(r, className);
  }
  if (!c) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  for (auto& w : AllWindows()) {
    if (w->cls == c) {
      SetLastError(1412);  // ERROR_CLASS_HAS_WINDOWS
      return FALSE;
    }
  }
  std::lock_guard lock(r.m);
  std::erase(r.classes, c);
  return TRUE;
}

BOOL GetClassInfoExW(HINSTANCE, LPCWSTR className, WNDCLASSEXW* out) {
  auto c = FindClass(className);
  if (!c || !out) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  FillInfo(*c, out);
  return c->atom;
}

BOOL GetClassInfoW(HINSTANCE instance, LPCWSTR className, WNDCLASSW* out) {
  WNDCLASSEXW ex;
  if (!out || !GetClassInfoExW(instance, className, &ex)) return FALSE;
  out->style = ex.style;
  out->lpfnWndProc = ex.lpfnWndProc;
  out->cbClsExtra = ex.cbClsExtra;
  out->cbWndExtra = ex.cbWndExtra;
  out->hInstance = ex.hInstance;
  out->hIcon = ex.hIcon;
  out->hCursor = ex.hCursor;
  out->hbrBackground = ex.hbrBackground;
  out->lpszMenuName = ex.lpszMenuName;
  out->lpszClassName = ex.lpszClassName;
  return TRUE;
}

int GetClassNameW(HWND hwnd, LPWSTR buffer, int size) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !buffer || size <= 0) return 0;
  if (!w->cls) {
    buffer[0] = 0;
    return 0;
  }
  int n = std::min<int>(int(w->cls->name.size()), size - 1);
  std::copy_n(w->cls->name.data(), n, buffer);
  buffer[n] = 0;
  return n;
}

UINT_PTR GetClassLongPtrW(HWND hwnd, int index) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !w->cls) return 0;
  ClassObj& c = *w->cls;
  switch (index) {
    case GCLP_HBRBACKGROUND: return reinterpret_cast<UINT_PTR>(c.background);
    case GCLP_HCURSOR: return reinterpret_cast<UINT_PTR>(c.cursor);
    case GCLP_HICON: return reinterpret_cast<UINT_PTR>(c.icon);
    case GCLP_HICONSM: return reinterpret_cast<UINT_PTR>(c.iconSm);
    case GCLP_HMODULE: return reinterpret_cast<UINT_PTR>(c.instance);
    case GCL_CBWNDEXTRA: return UINT_PTR(c.wndExtra);
    case GCL_CBCLSEXTRA: return UINT_PTR(c.clsExtra);
    case GCLP_WNDPROC: return UINT_PTR(c.proc);
    case GCL_STYLE: return c.style;
    case GCW_ATOM: return c.atom;
    case GCLP_MENUNAME: return c.menuName;
    default: break;
  }
  if (index >= 0 && size_t(index) + sizeof(LONG_PTR) <= c.extra.size()) {
    LONG_PTR v;
    std::memcpy(&v, c.extra.data() + index, sizeof v);
    return UINT_PTR(v);
  }
  SetLastError(1413);  // ERROR_INVALID_INDEX
  return 0;
}

UINT_PTR SetClassLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !w->cls) return 0;
  ClassObj& c = *w->cls;
  UINT_PTR old = GetClassLongPtrW(hwnd, index);
  switch (index) {
    case GCLP_HBRBACKGROUND: c.background = reinterpret_cast<HBRUSH>(value); return old;
    case GCLP_HCURSOR: c.cursor = reinterpret_cast<HCURSOR>(value); return old;
    case GCLP_HICON: c.icon = reinterpret_cast<HICON>(value); return old;
    case GCLP_HICONSM: c.iconSm = reinterpret_cast<HICON>(value); return old;
    case GCLP_WNDPROC: c.proc = value; return old;
    case GCL_STYLE: c.style = UINT(value); return old;
    default: break;
  }
  if (index >= 0 && size_t(index) + sizeof(LONG_PTR) <= c.extra.size()) {
    std::memcpy(c.extra.data() + index, &value, sizeof value);
    return old;
  }
  SetLastError(1413);
  return 0;
}

}  // namespace win
