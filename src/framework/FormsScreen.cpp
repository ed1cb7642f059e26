// TScreen and TMonitor, and the global Application and Screen objects.

#include <algorithm>

#include "framework/Forms.h"
#include "framework/StringList.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/services/Monitor.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"

namespace fw {
namespace {

void FontFromLogFont(TFont* Font, const win::LOGFONTW& lf) {
  std::u16string face(lf.lfFaceName);
  Font->SetName(win::WideToUtf8(face.c_str()));
  Font->SetHeight(lf.lfHeight);
  TFontStyles style;
  if (lf.lfWeight >= 700) style.Include(fsBold);
  if (lf.lfItalic) style.Include(fsItalic);
  if (lf.lfUnderline) style.Include(fsUnderline);
  if (lf.lfStrikeOut) style.Include(fsStrikeOut);
  Font->SetStyle(style);
}

win::LPCWSTR StandardCursor(TCursor Index) {
  switch (Index) {
    case crCross: return win::IDC_CROSS;
    case crIBeam: return win::IDC_IBEAM;
    case crSizeNESW: return win::IDC_SIZENESW;
    case crSizeNS: return win::IDC_SIZENS;
    case crSizeNWSE: return win::IDC_SIZENWSE;
    case crSizeWE: return win::IDC_SIZEWE;
    case crUpArrow: return win::IDC_UPARROW;
    case crHourGlass:
    case crSQLWait: return win::IDC_WAIT;
    case crNo:
    case crNoDrop: return win::IDC_NO;
    case crAppStart: return win::IDC_APPSTARTING;
    case crHelp: return win::IDC_HELP;
    case crHandPoint: return win::IDC_HAND;
    case crSizeAll: return win::IDC_SIZEALL;
    case crHSplit: return win::IDC_SIZEWE;
    case crVSplit: return win::IDC_SIZENS;
    default: return win::IDC_ARROW;
  }
}

win::BOOL CollectMonitor(win::HMONITOR monitor, win::HDC, win::RECT*, win::LPARAM data) {
  reinterpret_cast<std::vector<win::HMONITOR>*>(data)->push_back(monitor);
  return win::TRUE;
}

}  // namespace

// ---- TMonitor ----

TRect TMonitor::BoundsRect() const {
  win::MONITORINFO mi;
  mi.cbSize = sizeof(mi);
  if (!win::GetMonitorInfoW(FHandle, &mi)) return Rect(0, 0, 0, 0);
  return mi.rcMonitor;
}

TRect TMonitor::WorkareaRect() const {
  win::MONITORINFO mi;
  mi.cbSize = sizeof(mi);
  if (!win::GetMonitorInfoW(FHandle, &mi)) return Rect(0, 0, 0, 0);
  return mi.rcWork;
}

Integer TMonitor::Width() const {
  TRect r = BoundsRect();
  return r.right - r.left;
}

Integer TMonitor::Height() const {
  TRect r = BoundsRect();
  return r.bottom - r.top;
}

bool TMonitor::Primary() const {
  win::MONITORINFO mi;
  mi.cbSize = sizeof(mi);
  return win::GetMonitorInfoW(FHandle, &mi) && (mi.dwFlags & win::MONITORINFOF_PRIMARY) != 0;
}

// ---- TScreen ----

TScreen::TScreen(TComponent* AOwner)
    : TComponent(AOwner), FHintFont(std::make_unique<TFont>()), FMenuFont(std::make_unique<TFont>()) {
  FHintFont->SetColor(clInfoText);
  FMenuFont->SetColor(clMenuText);
  win::NONCLIENTMETRICSW ncm;
  ncm.cbSize = sizeof(ncm);
  if (win::SystemParametersInfoW(win::SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
    FontFromLogFont(FHintFont.get(), ncm.lfStatusFont);
    FontFromLogFont(FMenuFont.get(), ncm.lfMenuFont);
  }
}

TScreen::~TScreen() = default;

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  auto it = std::find(FForms.begin(), FForms.end(), Form);
  if (it != FForms.end()) FForms.erase(it);
  if (FActiveForm == Form) SetActiveForm(nullptr);
  if (FActiveControl != nullptr && GetParentForm(FActiveControl) == Form) SetActiveControl(nullptr);
}

void TScreen::SetActiveForm(TCustomForm* Form) {
  if (FActiveForm == Form) return;
  FActiveForm = Form;
  if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  FActiveControl = Control;
  if (OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  if (Value != crDefault) {
    win::SetCursor(Cursors(Value));
    return;
  }
  // Back to what the window under the mouse asks for.
  win::POINT p;
  win::GetCursorPos(&p);
  win::HWND wnd = win::WindowFromPoint(p);
  if (wnd != nullptr) {
    win::SendMessageW(wnd, win::WM_SETCURSOR, win::WPARAM(wnd), win::MAKELPARAM(win::WORD(win::HTCLIENT), win::WORD(win::WM_MOUSEMOVE)));
  }
}

win::HCURSOR TScreen::Cursors(TCursor Index) {
  for (const auto& [index, handle] : FCursorList)
    if (index == Index) return handle;
  if (Index == crNone) return nullptr;
  return win::LoadCursorW(nullptr, StandardCursor(Index));
}

void TScreen::SetCursors(TCursor Index, win::HCURSOR Handle) {
  auto it = std::find_if(FCursorList.begin(), FCursorList.end(), [&](const auto& e) { return e.first == Index; });
  if (Handle == nullptr) {
    if (it != FCursorList.end()) FCursorList.erase(it);
    return;
  }
  if (it != FCursorList.end()) {
    it->second = Handle;
  } else {
    FCursorList.emplace_back(Index, Handle);
  }
}

void TScreen::GetMonitors() {
  std::vector<win::HMONITOR> handles;
  win::EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, win::LPARAM(&handles));
  // Monitors still there keep their objects: callers may hold them.
  std::vector<std::unique_ptr<TMonitor>> monitors;
  for (size_t i = 0; i < handles.size(); ++i) {
    auto it = std::find_if(FMonitors.begin(), FMonitors.end(),
                           [&](const std::unique_ptr<TMonitor>& m) { return m && m->FHandle == handles[i]; });
    std::unique_ptr<TMonitor> m = it != FMonitors.end() ? std::move(*it) : std::make_unique<TMonitor>();
    m->FHandle = handles[i];
    m->FMonitorNum = Integer(i);
    monitors.push_back(std::move(m));
  }
  FMonitors = std::move(monitors);
}

TMonitor* TScreen::FindMonitor(win::HMONITOR Handle) {
  if (Handle == nullptr) return nullptr;
  for (auto& m : FMonitors)
    if (m->FHandle == Handle) return m.get();
  GetMonitors();
  for (auto& m : FMonitors)
    if (m->FHandle == Handle) return m.get();
  return nullptr;
}

Integer TScreen::MonitorCount() {
  GetMonitors();
  return Integer(FMonitors.size());
}

TMonitor* TScreen::Monitors(Integer Index) {
  if (FMonitors.empty()) GetMonitors();
  if (Index < 0 || size_t(Index) >= FMonitors.size()) throw EListError(Format("List index out of bounds (%d)", Index));
  return FMonitors[size_t(Index)].get();
}

namespace {
win::DWORD MonitorFlags(TMonitorDefaultTo d) {
  switch (d) {
    case mdNull: return win::MONITOR_DEFAULTTONULL;
    case mdPrimary: return win::MONITOR_DEFAULTTOPRIMARY;
    default: return win::MONITOR_DEFAULTTONEAREST;
  }
}
}  // namespace

TMonitor* TScreen::MonitorFromPoint(const TPoint& Point, TMonitorDefaultTo MonitorDefault) {
  return FindMonitor(win::MonitorFromPoint(Point, MonitorFlags(MonitorDefault)));
}

TMonitor* TScreen::MonitorFromRect(const TRect& Rect, TMonitorDefaultTo MonitorDefault) {
  return FindMonitor(win::MonitorFromRect(&Rect, MonitorFlags(MonitorDefault)));
}

TMonitor* TScreen::MonitorFromWindow(win::HWND Handle, TMonitorDefaultTo MonitorDefault) {
  return FindMonitor(win::MonitorFromWindow(Handle, MonitorFlags(MonitorDefault)));
}

TRect TScreen::WorkAreaRect() {
  win::RECT r{0, 0, 0, 0};
  win::SystemParametersInfoW(win::SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

TRect TScreen::DesktopRect() {
  Integer x = win::GetSystemMetrics(win::SM_XVIRTUALSCREEN), y = win::GetSystemMetrics(win::SM_YVIRTUALSCREEN);
  return Bounds(x, y, win::GetSystemMetrics(win::SM_CXVIRTUALSCREEN), win::GetSystemMetrics(win::SM_CYVIRTUALSCREEN));
}

Integer TScreen::Width() { return win::GetSystemMetrics(win::SM_CXSCREEN); }
Integer TScreen::Height() { return win::GetSystemMetrics(win::SM_CYSCREEN); }

TStrings* TScreen::Fonts() {
  if (!FFonts) {
    auto list = std::make_unique<TStringList>();
    list->SetSorted(true);
    list->SetDuplicates(dupIgnore);
    win::LOGFONTW all;  // no face name: every face
    win::EnumFontFamiliesExW(
        nullptr, &all,
        [](const win::LOGFONTW* lf, const win::TEXTMETRICW*, win::DWORD, win::LPARAM target) {
          reinterpret_cast<TStringList*>(target)->Add(win::WideToUtf8(lf->lfFaceName));
          return 1;
        },
        reinterpret_cast<win::LPARAM>(list.get()), 0);
    FFonts = std::move(list);
  }
  return FFonts.get();
}

TScreen* Screen = new TScreen(nullptr);
TApplication* Application = new TApplication(nullptr);

}  // namespace fw
