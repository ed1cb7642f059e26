#pragma once
// The theme manager: a hidden window that hears the system's colour, display, visual-style and
// activation changes, recomputes the system-state globals below and tells its listeners with
// TXM_SYSCHANGE (by direct calls of their Dispatch, never through a queue). Themes and the
// themed controls listen.

#include <vector>

#include "framework/Persistent.h"
#include "tx/TxThemesTypes.h"
#include "tx/TxUxThemes.h"

namespace tx {

// Recomputed on every system change, before any listener hears of it.
extern bool LowColorDisplay;     // screen depth below 12 bits
extern bool HighContrastColors;  // clBtnFace is pure white
extern bool VisualStylesActive;
extern TColor ToolbarColor, ToolbarTextColor;
extern bool FlatMenuColors;
extern TColor MenuBackColor, MenuTextColor;
extern TColor HotLightColor;  // set once at start
extern HTHEME ButtonThemeHandle, ScrollBarThemeHandle, RebarThemeHandle, ToolbarThemeHandle, WindowThemeHandle,
    ComboBoxThemeHandle, ExplorerBarThemeHandle, StatusThemeHandle, SpinThemeHandle;

class TTxThemeManager : public fw::TObject {
 public:
  TTxThemeManager();
  ~TTxThemeManager() override;

  void AddListener(fw::TObject* Obj);
  void RemoveListener(fw::TObject* Obj);
  Integer ListenerCount() const { return Integer(FListeners.size()); }
  // One message record handed to every listener in list order; its final result (0 without
  // listeners). A listener removed during the broadcast is not called afterwards.
  win::LRESULT Broadcast(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
  // TXM_SYSCHANGE with 1, 2 and 3, when anyone listens.
  void BroadcastSysChange();
  win::HWND Handle() const { return FHandle; }

 private:
  win::LRESULT WndProc(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
  void UpdateVariables();

  std::vector<fw::TObject*> FListeners;
  win::HWND FHandle = nullptr;
};

extern TTxThemeManager* ThemeManager;

void AddSysChangeListener(fw::TObject* Obj);
void RemoveSysChangeListener(fw::TObject* Obj);

// Reference-counted start and end of the registry and the manager (the drawing utilities start
// with them). The last end frees the manager and empties the registry.
void InitTxThemes();
void DoneTxThemes();

}  // namespace tx
