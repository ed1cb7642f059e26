// The theme manager and the system-state globals it keeps.

#include "tx/TxThemesManager.h"

#include <algorithm>

#include "framework/ClassesUtilWindow.h"
#include "framework/Colors.h"
#include "framework/ControlMessages.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/Version.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/DefWindowProc.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"
#include "tx/detail/TxRegistry.h"

namespace tx {

bool LowColorDisplay = false;
bool HighContrastColors = false;
bool VisualStylesActive = false;
TColor ToolbarColor = fw::clBtnFace, ToolbarTextColor = fw::clBtnText;
bool FlatMenuColors = false;
TColor MenuBackColor = fw::clMenu, MenuTextColor = fw::clMenuText;
TColor HotLightColor = fw::clHighlight;
HTHEME ButtonThemeHandle = nullptr, ScrollBarThemeHandle = nullptr, RebarThemeHandle = nullptr,
       ToolbarThemeHandle = nullptr, WindowThemeHandle = nullptr, ComboBoxThemeHandle = nullptr,
       ExplorerBarThemeHandle = nullptr, StatusThemeHandle = nullptr, SpinThemeHandle = nullptr;

TTxThemeManager* ThemeManager = nullptr;

namespace {

int gStartCount = 0;

struct ClassHandle {
  HTHEME* handle;
  const char16_t* className;
};
constexpr ClassHandle kClassHandles[] = {
    {&ButtonThemeHandle, u"BUTTON"},   {&ScrollBarThemeHandle, u"SCROLLBAR"},
    {&RebarThemeHandle, u"REBAR"},     {&ToolbarThemeHandle, u"TOOLBAR"},
    {&WindowThemeHandle, u"WINDOW"},   {&ComboBoxThemeHandle, u"COMBOBOX"},
    {&ExplorerBarThemeHandle, u"EXPLORERBAR"}, {&StatusThemeHandle, u"STATUS"},
    {&SpinThemeHandle, u"SPIN"},
};

bool IsXPOrLater() {
  const win::DWORD v = win::GetVersion();
  const int major = int(v & 0xFF), minor = int((v >> 8) & 0xFF);
  return !(v & 0x80000000u) && (major > 5 || (major == 5 && minor >= 1));
}

void CloseThemeHandles() {
  if (VisualStylesActive)
    for (const auto& c : kClassHandles)
      if (*c.handle) {
        if (ux::CloseThemeData) ux::CloseThemeData(*c.handle);
        *c.handle = nullptr;
      }
  FreeUxTheme();
}

void OpenThemeHandles(win::HWND wnd) {
  VisualStylesActive = false;
  if (!IsXPOrLater()) return;
  try {
    LoadUxTheme();
    VisualStylesActive = IsUxThemeActive();
    // Handles are only taken while styles are on: they are given back only then.
    if (VisualStylesActive && ux::OpenThemeData)
      for (const auto& c : kClassHandles) *c.handle = ux::OpenThemeData(wnd, c.className);
  } catch (...) {
    CloseThemeHandles();
  }
}

}  // namespace

TTxThemeManager::TTxThemeManager() {
  FHandle = fw::AllocateHWnd([this](win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
    return WndProc(Msg, WParam, LParam);
  });
  UpdateVariables();
}

TTxThemeManager::~TTxThemeManager() {
  CloseThemeHandles();
  fw::DeallocateHWnd(FHandle);
  FHandle = nullptr;
  CloseThemeHandles();
}

void TTxThemeManager::AddListener(fw::TObject* Obj) { FListeners.push_back(Obj); }

void TTxThemeManager::RemoveListener(fw::TObject* Obj) {
  const auto it = std::find(FListeners.begin(), FListeners.end(), Obj);
  if (it != FListeners.end()) FListeners.erase(it);
}

win::LRESULT TTxThemeManager::Broadcast(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  if (FListeners.empty()) return 0;
  fw::TMessage message{Msg, WParam, LParam, 0};
  const std::vector<fw::TObject*> listeners = FListeners;
  for (fw::TObject* listener : listeners)
    if (std::find(FListeners.begin(), FListeners.end(), listener) != FListeners.end()) listener->Dispatch(message);
  return message.Result;
}

void TTxThemeManager::BroadcastSysChange() {
  if (FListeners.empty()) return;
  for (win::WPARAM phase : {TSC_BEFORE_CHANGE, TSC_CHANGE, TSC_AFTER_CHANGE}) Broadcast(TXM_SYSCHANGE, phase, 0);
}

win::LRESULT TTxThemeManager::WndProc(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  switch (Msg) {
    case win::WM_SYSCOLORCHANGE:
    case win::WM_DISPLAYCHANGE:
    case win::WM_THEMECHANGED:
      UpdateVariables();
      ClearBrushedCache();
      BroadcastSysChange();
      break;
    case win::WM_ACTIVATEAPP:
      Broadcast(TXM_SYSCHANGE, WParam ? TSC_APP_ACTIVATE : TSC_APP_DEACTIVATE, 0);
      break;
    default:
      break;
  }
  return win::DefWindowProcW(FHandle, Msg, WParam, LParam);
}

void TTxThemeManager::UpdateVariables() {
  RecreateTxUtilsObjects();
  // The display has one plane; its depth is asked without a screen DC, which would make the
  // desktop compose and keep a copy of the whole screen.
  LowColorDisplay = win::GetDisplayBitsPerPixel() < 12;
  HighContrastColors = win::GetSysColor(win::COLOR_BTNFACE) == 0xFFFFFF;

  CloseThemeHandles();
  OpenThemeHandles(FHandle);

  ToolbarColor = fw::clBtnFace;
  ToolbarTextColor = fw::clBtnText;
  if (VisualStylesActive) {
    ToolbarColor = TColor(ThemeColorOr(ToolbarThemeHandle, 0, 0, TMT_FILLCOLOR, win::COLORREF(ToolbarColor)));
    ToolbarTextColor = TColor(ThemeColorOr(ToolbarThemeHandle, 0, 0, TMT_TEXTCOLOR, win::COLORREF(ToolbarTextColor)));
  }

  win::BOOL flat = win::FALSE;
  if (IsXPOrLater()) win::SystemParametersInfoW(win::SPI_GETFLATMENU, 0, &flat, 0);
  FlatMenuColors = flat != win::FALSE;
  MenuBackColor = fw::clMenu;
  MenuTextColor = fw::clMenuText;
}

void AddSysChangeListener(fw::TObject* Obj) {
  if (ThemeManager) ThemeManager->AddListener(Obj);
}

void RemoveSysChangeListener(fw::TObject* Obj) {
  if (ThemeManager) ThemeManager->RemoveListener(Obj);
}

void InitTxThemes() {
  if (gStartCount++ > 0) return;
  InitTxUtils();
  HotLightColor = win::GetSysColorBrush(win::COLOR_HOTLIGHT) ? fw::clHotLight : fw::clHighlight;
  detail::ClearThemeRegistry();
  ThemeManager = new TTxThemeManager();
}

void DoneTxThemes() {
  if (gStartCount <= 0 || --gStartCount > 0) return;
  delete ThemeManager;
  ThemeManager = nullptr;
  detail::ClearThemeRegistry();
  DoneTxUtils();
}

}  // namespace tx
