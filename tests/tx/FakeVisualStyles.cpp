#include "tx/FakeVisualStyles.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/kernel/Modules.h"
#include "platform/kernel/Rects.h"

namespace txtest {
namespace {

FakeVisualStyles* gFake = nullptr;
std::vector<std::u16string> gClasses;  // handle = index + 1

std::u16string ClassOf(tx::HTHEME h) {
  const size_t i = reinterpret_cast<uintptr_t>(h);
  return i >= 1 && i <= gClasses.size() ? gClasses[i - 1] : u"?";
}
void Record(const char* fn, tx::HTHEME h, int part, int state, int prop, const win::RECT* r) {
  if (!gFake) return;
  UxCall c{fn, ClassOf(h), part, state, prop, r ? *r : win::RECT{}};
  gFake->calls.push_back(c);
}

tx::HTHEME OpenThemeData(win::HWND, win::LPCWSTR names) {
  std::u16string name(names);
  auto it = std::find(gClasses.begin(), gClasses.end(), name);
  if (it == gClasses.end()) it = gClasses.insert(gClasses.end(), name);
  const auto h = reinterpret_cast<tx::HTHEME>(uintptr_t(it - gClasses.begin() + 1));
  Record("OpenThemeData", h, 0, 0, 0, nullptr);
  return h;
}
tx::HRESULT CloseThemeData(tx::HTHEME h) {
  Record("CloseThemeData", h, 0, 0, 0, nullptr);
  return tx::S_OK;
}
tx::HRESULT DrawThemeBackground(tx::HTHEME h, win::HDC dc, int part, int state, const win::RECT* r,
                                const win::RECT* clip) {
  Record("DrawThemeBackground", h, part, state, 0, r);
  win::RECT fill = *r;
  if (clip) win::IntersectRect(&fill, r, clip);
  const win::HBRUSH brush = win::CreateSolidBrush(FakeVisualStyles::PartColor(part, state));
  win::FillRect(dc, &fill, brush);
  win::DeleteObject(brush);
  return tx::S_OK;
}
tx::HRESULT GetThemeColor(tx::HTHEME h, int part, int state, int prop, win::COLORREF* out) {
  Record("GetThemeColor", h, part, state, prop, nullptr);
  auto it = gFake->colors.find({ClassOf(h), part, state, prop});
  if (it == gFake->colors.end()) return -1;
  *out = it->second;
  return tx::S_OK;
}
tx::HRESULT GetThemeMargins(tx::HTHEME h, win::HDC, int part, int state, int prop, const win::RECT*,
                            tx::MARGINS* out) {
  Record("GetThemeMargins", h, part, state, prop, nullptr);
  auto it = gFake->margins.find({ClassOf(h), part, state, prop});
  if (it == gFake->margins.end()) return -1;
  *out = it->second;
  return tx::S_OK;
}
tx::HRESULT GetThemePartSize(tx::HTHEME h, win::HDC, int part, int state, const win::RECT*, tx::THEMESIZE,
                             win::SIZE* out) {
  Record("GetThemePartSize", h, part, state, 0, nullptr);
  auto it = gFake->partSizes.find({ClassOf(h), part, state});
  if (it == gFake->partSizes.end()) return -1;
  *out = it->second;
  return tx::S_OK;
}
tx::HRESULT GetThemeBackgroundContentRect(tx::HTHEME h, win::HDC, int part, int state, const win::RECT* r,
                                          win::RECT* out) {
  Record("GetThemeBackgroundContentRect", h, part, state, 0, r);
  const auto it = gFake->contentInsets.find(ClassOf(h));
  const win::RECT in = it == gFake->contentInsets.end() ? win::RECT{} : it->second;
  *out = win::RECT{r->left + in.left, r->top + in.top, r->right - in.right, r->bottom - in.bottom};
  return tx::S_OK;
}
tx::HRESULT GetThemeBackgroundRegion(tx::HTHEME h, win::HDC, int part, int state, const win::RECT* r,
                                     win::HRGN* out) {
  Record("GetThemeBackgroundRegion", h, part, state, 0, r);
  *out = win::CreateRectRgnIndirect(r);
  return tx::S_OK;
}
tx::HRESULT DrawThemeText(tx::HTHEME h, win::HDC, int part, int state, win::LPCWSTR, int, win::DWORD, win::DWORD,
                          const win::RECT* r) {
  Record("DrawThemeText", h, part, state, 0, r);
  return tx::S_OK;
}
win::BOOL IsAppThemed() { return win::TRUE; }
win::BOOL IsThemeActive() { return gFake && gFake->active; }

template <typename F>
void Put(const char* name, F* f) {
  win::modules::RegisterFunction(u"uxtheme.dll", name, f);
}

}  // namespace

FakeVisualStyles::FakeVisualStyles(bool isActive) : active(isActive) {
  gFake = this;
  gClasses.clear();
  Put("OpenThemeData", &OpenThemeData);
  Put("CloseThemeData", &CloseThemeData);
  Put("DrawThemeBackground", &DrawThemeBackground);
  Put("DrawThemeText", &DrawThemeText);
  Put("GetThemeColor", &GetThemeColor);
  Put("GetThemeMargins", &GetThemeMargins);
  Put("GetThemePartSize", &GetThemePartSize);
  Put("GetThemeBackgroundContentRect", &GetThemeBackgroundContentRect);
  Put("GetThemeBackgroundRegion", &GetThemeBackgroundRegion);
  Put("IsAppThemed", &IsAppThemed);
  Put("IsThemeActive", &IsThemeActive);
}

FakeVisualStyles::~FakeVisualStyles() {
  win::modules::Unregister(u"uxtheme.dll");
  gFake = nullptr;
}

std::vector<UxCall> FakeVisualStyles::Calls(const std::string& function) const {
  std::vector<UxCall> out;
  for (const auto& c : calls)
    if (c.function == function) out.push_back(c);
  return out;
}

bool FakeVisualStyles::Drew(const std::u16string& themeClass, int part, int state) const {
  return std::any_of(calls.begin(), calls.end(), [&](const UxCall& c) {
    return c.function == "DrawThemeBackground" && c.themeClass == themeClass && c.part == part && c.state == state;
  });
}

void FakeVisualStyles::Clear() { calls.clear(); }

FakeVisualStyles* CurrentFake() { return gFake; }

}  // namespace txtest
