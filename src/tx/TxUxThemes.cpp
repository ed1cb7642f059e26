// Binding of the visual-style library's entry points.

#include "tx/TxUxThemes.h"

#include "platform/kernel/Modules.h"

namespace tx {

namespace ux {
#define KV_UXTHEME_DEFINE(name, result, params) T##name name = nullptr;
KV_UXTHEME_ENTRY_POINTS(KV_UXTHEME_DEFINE)
#undef KV_UXTHEME_DEFINE
}  // namespace ux

namespace {
win::HMODULE gLibrary = nullptr;
}

bool LoadUxTheme() {
  if (!gLibrary) {
    gLibrary = win::LoadLibraryW(u"uxtheme.dll");
    if (gLibrary) {
#define KV_UXTHEME_BIND(name, result, params) ux::name = reinterpret_cast<ux::T##name>(win::GetProcAddress(gLibrary, #name));
      KV_UXTHEME_ENTRY_POINTS(KV_UXTHEME_BIND)
#undef KV_UXTHEME_BIND
    }
  }
  return gLibrary != nullptr;
}

void FreeUxTheme() {
  if (!gLibrary) return;
  win::FreeLibrary(gLibrary);
  gLibrary = nullptr;
#define KV_UXTHEME_CLEAR(name, result, params) ux::name = nullptr;
  KV_UXTHEME_ENTRY_POINTS(KV_UXTHEME_CLEAR)
#undef KV_UXTHEME_CLEAR
}

bool IsUxThemeActive() {
  // A library without either query cannot say that styles are on.
  return gLibrary && ux::IsAppThemed && ux::IsAppThemed() && ux::IsThemeActive && ux::IsThemeActive();
}

bool DrawThemePart(HTHEME Theme, win::HDC DC, int Part, int State, const win::RECT& R, const win::RECT* Clip) {
  return Theme && ux::DrawThemeBackground && ux::DrawThemeBackground(Theme, DC, Part, State, &R, Clip) == S_OK;
}

win::COLORREF ThemeColorOr(HTHEME Theme, int Part, int State, int Prop, win::COLORREF Default) {
  win::COLORREF c = Default;
  if (Theme && ux::GetThemeColor && ux::GetThemeColor(Theme, Part, State, Prop, &c) == S_OK) return c;
  return Default;
}

}  // namespace tx
