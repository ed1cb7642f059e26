// The theme registry and the non-client geometry helpers.

#include "tx/TxThemes.h"

#include <cassert>

#include "framework/ControlMessages.h"
#include "framework/StringList.h"
#include "platform/user/services/SysMetrics.h"
#include "toolbars/TBCommon.h"
#include "tx/detail/TxRegistry.h"

namespace tx {

namespace {

constexpr size_t kMaxNameLength = 255;

std::vector<TTxThemeEntry>& Entries() {
  static std::vector<TTxThemeEntry> entries;
  return entries;
}

char Fold(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Names compare without regard to (Latin) case, as far as a stored name reaches: a name longer
// than a stored one can hold finds the entry it was stored as.
bool SameName(const String& a, const String& b) {
  const String ca = a.substr(0, kMaxNameLength), cb = b.substr(0, kMaxNameLength);
  if (ca.size() != cb.size()) return false;
  for (size_t i = 0; i < ca.size(); ++i)
    if (Fold(ca[i]) != Fold(cb[i])) return false;
  return true;
}

}  // namespace

const std::vector<TTxThemeEntry>& ThemeRegistry() { return Entries(); }

namespace detail {
void ClearThemeRegistry() { Entries().clear(); }
}  // namespace detail

void RegisterTheme(const String& Name, TTxThemeClass ThemeClass) {
  if (Name.empty() || !ThemeClass) throw fw::Exception("Cannot register theme");
  if (FindThemeIndex(Name) >= 0) throw fw::Exception("Theme " + Name + " is already registered");
  Entries().push_back(TTxThemeEntry{Name.substr(0, kMaxNameLength), ThemeClass, nullptr, 0});
}

Integer FindThemeIndex(const String& Name) {
  const auto& entries = Entries();
  for (size_t i = 0; i < entries.size(); ++i)
    if (SameName(entries[i].Name, Name)) return Integer(i);
  return -1;
}

bool IsThemeRegistered(const String& Name) { return FindThemeIndex(Name) >= 0; }

void GetRegisteredThemes(fw::TStrings* List) {
  assert(List);
  if (!List) return;
  for (const auto& entry : Entries()) List->Add(entry.Name);
}

TTxTheme* AcquireTheme(const String& Name) {
  const Integer index = FindThemeIndex(Name);
  if (index < 0) throw fw::Exception("Unknown theme " + Name);
  TTxThemeEntry& entry = Entries()[size_t(index)];
  if (entry.RefCount == 0) {
    assert(!entry.Instance);
    entry.Instance = entry.ThemeClass(entry.Name);
    // The entry may have moved if the theme registered another one while starting.
    TTxThemeEntry& made = Entries()[size_t(index)];
    fw::TMessage message{TXM_SYSCHANGE, toolbars::ApplicationIsActive() ? 1u : 0u, 0, 0};
    made.Instance->Dispatch(message);
    ++made.RefCount;
    return made.Instance;
  }
  ++entry.RefCount;
  return entry.Instance;
}

void ReleaseTheme(TTxTheme*& Theme) {
  // Null is held by no entry, also not by the entries that hold nothing yet.
  if (Theme)
    for (auto& entry : Entries()) {
      if (entry.Instance != Theme) continue;
      if (entry.RefCount < 1) throw fw::Exception("Cannot release theme " + entry.Name);
      if (--entry.RefCount > 0) return;
      TTxTheme* instance = entry.Instance;
      entry.Instance = nullptr;
      Theme = nullptr;
      delete instance;
      return;
    }
  throw fw::Exception("Cannot release theme");
}

void GetFloatingCaptionRect(const TTxFloatingWindowInfo& WindowInfo, bool AddBorder, bool ExcludeButton, TRect& R) {
  R = TRect{0, 0, WindowInfo.ClientWidth, win::GetSystemMetrics(win::SM_CYSMCAPTION) - 1};
  if (ExcludeButton) R.right -= R.bottom;
  if (AddBorder) {
    R.left += WindowInfo.FloatingBorderSize.x;
    R.right += WindowInfo.FloatingBorderSize.x;
    R.top += WindowInfo.FloatingBorderSize.y;
    R.bottom += WindowInfo.FloatingBorderSize.y;
  }
}

void GetFloatingCloseButtonRect(const TTxFloatingWindowInfo& WindowInfo, bool AddBorder, TRect& R) {
  GetFloatingCaptionRect(WindowInfo, AddBorder, false, R);
  R.left = R.right - R.bottom + R.top;
}

Integer GetDragHandleSize(const TTxToolbarInfo& ToolbarInfo) {
  if (!ToolbarInfo.AllowDrag) return 0;
  if (ToolbarInfo.CloseButtonState & CDBS_VISIBLE) return 14;
  switch (ToolbarInfo.DragHandleStyle) {
    case 0: return 9;
    case 2: return 6;
    default: return 0;
  }
}

void GetToolbarCloseButtonRect(const TTxToolbarInfo& ToolbarInfo, TRect& R) {
  const Integer S = GetDragHandleSize(ToolbarInfo) - 1;
  const Integer x = ToolbarInfo.IsVertical ? ToolbarInfo.BorderSize.x + ToolbarInfo.ClientWidth - S
                                           : ToolbarInfo.BorderSize.x;
  R = TRect{x, ToolbarInfo.BorderSize.y, x + S, ToolbarInfo.BorderSize.y + S};
}

}  // namespace tx
