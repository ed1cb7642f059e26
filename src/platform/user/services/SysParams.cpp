#include "platform/user/services/SysParams.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/kernel/LastError.h"
#include "platform/desktop/Screen.h"
#include "platform/user/services/MonitorLayout.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysWindowLink.h"

namespace win {
namespace {

constexpr UINT kSettingChangeMessage = 0x001A;  // WM_SETTINGCHANGE
constexpr UINT kDefaultDoubleClickTime = 500, kMaxDoubleClickTime = 5000;

LOGFONTW Tahoma(LONG weight) {
  LOGFONTW lf;
  lf.lfHeight = -11;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  const char16_t face[] = u"Tahoma";
  std::copy(std::begin(face), std::end(face), lf.lfFaceName);
  return lf;
}

struct Params {
  UINT menuShowDelay = 400;
  UINT keyboardSpeed = 31;
  int keyboardDelay = 1;
  BOOL dragFullWindows = TRUE;
  UINT hoverWidth = 4, hoverHeight = 4, hoverTime = 400;
  UINT wheelScrollLines = 3;
  BOOL uiEffects = TRUE;
  BOOL menuAnimation = TRUE, menuFade = TRUE, comboBoxAnimation = TRUE, gradientCaptions = TRUE;
  BOOL keyboardCues = FALSE, selectionFade = TRUE, toolTipAnimation = TRUE, toolTipFade = TRUE;
  BOOL flatMenu = FALSE, dropShadow = TRUE;
  DWORD highContrastFlags = 0;
  UINT doubleClickTime = kDefaultDoubleClickTime;
  UINT caretBlinkTime = 530;
  LOGFONTW captionFont = Tahoma(FW_BOLD), smCaptionFont = Tahoma(FW_NORMAL), menuFont = Tahoma(FW_NORMAL),
           statusFont = Tahoma(FW_NORMAL), messageFont = Tahoma(FW_NORMAL), iconTitleFont = Tahoma(FW_NORMAL);
};

struct ParamState {
  std::mutex mutex;
  Params p;
};

ParamState& State() {
  static ParamState s;
  return s;
}

BOOL Fail() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

template <class T>
BOOL Put(void* pv, T value) {
  if (!pv) return Fail();
  std::memcpy(pv, &value, sizeof(T));
  return TRUE;
}

// A UI-effect switch as it reads with the master switch applied.
BOOL Effect(const Params& p, BOOL stored) { return (p.uiEffects && stored) ? TRUE : FALSE; }

BOOL* EffectSwitch(Params& p, UINT action) {
  switch (action) {
    case SPI_GETMENUANIMATION: case SPI_SETMENUANIMATION: return &p.menuAnimation;
    case SPI_GETMENUFADE: case SPI_SETMENUFADE: return &p.menuFade;
    case SPI_GETCOMBOBOXANIMATION: case SPI_SETCOMBOBOXANIMATION: return &p.comboBoxAnimation;
    case SPI_GETGRADIENTCAPTIONS: case SPI_SETGRADIENTCAPTIONS: return &p.gradientCaptions;
    case SPI_GETSELECTIONFADE: case SPI_SETSELECTIONFADE: return &p.selectionFade;
    case SPI_GETTOOLTIPANIMATION: case SPI_SETTOOLTIPANIMATION: return &p.toolTipAnimation;
    case SPI_GETTOOLTIPFADE: case SPI_SETTOOLTIPFADE: return &p.toolTipFade;
    case SPI_GETFLATMENU: case SPI_SETFLATMENU: return &p.flatMenu;
    case SPI_GETDROPSHADOW: case SPI_SETDROPSHADOW: return &p.dropShadow;
    default: return nullptr;
  }
}

BOOL PointerAsBool(void* pv) { return pv ? TRUE : FALSE; }

bool IsSetAction(UINT action) {
  switch (action) {
    case SPI_SETKEYBOARDSPEED: case SPI_SETKEYBOARDDELAY: case SPI_SETICONTITLELOGFONT:
    case SPI_SETDOUBLECLICKTIME: case SPI_SETDRAGFULLWINDOWS: case SPI_SETNONCLIENTMETRICS:
    case SPI_SETWORKAREA: case SPI_SETHIGHCONTRAST: case SPI_SETMOUSEHOVERWIDTH:
    case SPI_SETMOUSEHOVERHEIGHT: case SPI_SETMOUSEHOVERTIME: case SPI_SETWHEELSCROLLLINES:
    case SPI_SETMENUSHOWDELAY: case SPI_SETKEYBOARDCUES: case SPI_SETUIEFFECTS:
      return true;
    default:
      return action >= 0x1000 && (action & 1) != 0;  // the UI-effect switches: SET is GET + 1
  }
}

bool NonClientSizeOk(UINT size) {
  return size == sizeof(NONCLIENTMETRICSW) || size == kNonClientMetricsSizeWithoutPadding;
}

BOOL GetNonClientMetrics(const Params& p, UINT uiParam, void* pv) {
  if (!pv) return Fail();
  auto* out = static_cast<NONCLIENTMETRICSW*>(pv);
  UINT size = out->cbSize;
  if (!NonClientSizeOk(size) || (uiParam != 0 && uiParam != size)) return Fail();
  NONCLIENTMETRICSW m;
  m.cbSize = size;
  m.iBorderWidth = 1;
  m.iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  m.iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
  m.iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
  m.iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
  m.lfCaptionFont = p.captionFont;
  m.iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
  m.iSmCaptionHeight = GetSystemMetrics(SM_CYSMSIZE);
  m.lfSmCaptionFont = p.smCaptionFont;
  m.iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
  m.iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
  m.lfMenuFont = p.menuFont;
  m.lfStatusFont = p.statusFont;
  m.lfMessageFont = p.messageFont;
  std::memcpy(out, &m, size);  // the short record simply ends before iPaddedBorderWidth
  return TRUE;
}

// Only the fonts are kept; the sizes follow the system metrics.
BOOL SetNonClientMetrics(Params& p, void* pv) {
  if (!pv) return Fail();
  const auto* in = static_cast<const NONCLIENTMETRICSW*>(pv);
  if (!NonClientSizeOk(in->cbSize)) return Fail();
  p.captionFont = in->lfCaptionFont;
  p.smCaptionFont = in->lfSmCaptionFont;
  p.menuFont = in->lfMenuFont;
  p.statusFont = in->lfStatusFont;
  p.messageFont = in->lfMessageFont;
  return TRUE;
}

BOOL SetWorkArea(void* pv) {
  auto layout = MonitorLayout();
  if (!pv) return SetMonitorWorkArea(0, layout.front().monitor) ? TRUE : Fail();
  const RECT& r = *static_cast<const RECT*>(pv);
  for (size_t i = 0; i < layout.size(); ++i) {
    const RECT& m = layout[i].monitor;
    if (r.left >= m.left && r.top >= m.top && r.right <= m.right && r.bottom <= m.bottom)
      return SetMonitorWorkArea(i, r) ? TRUE : Fail();
  }
  return Fail();
}

// Everything that reads or writes the parameter record, under the lock.
BOOL Dispatch(Params& p, UINT action, UINT ui, void* pv) {
  if (BOOL* sw = EffectSwitch(p, action)) {
    if (action & 1) {
      *sw = PointerAsBool(pv);
      return TRUE;
    }
    return Put<BOOL>(pv, Effect(p, *sw));
  }
  switch (action) {
    case SPI_GETMENUSHOWDELAY: return Put<DWORD>(pv, p.menuShowDelay);
    case SPI_SETMENUSHOWDELAY: p.menuShowDelay = ui; return TRUE;
    case SPI_GETKEYBOARDSPEED: return Put<DWORD>(pv, p.keyboardSpeed);
    case SPI_SETKEYBOARDSPEED: p.keyboardSpeed = std::min<UINT>(ui, 31); return TRUE;
    case SPI_GETKEYBOARDDELAY: return Put<int>(pv, p.keyboardDelay);
    case SPI_SETKEYBOARDDELAY: p.keyboardDelay = int(std::min<UINT>(ui, 3)); return TRUE;
    case SPI_GETDRAGFULLWINDOWS: return Put<BOOL>(pv, p.dragFullWindows);
    case SPI_SETDRAGFULLWINDOWS: p.dragFullWindows = ui ? TRUE : FALSE; return TRUE;
    case SPI_GETMOUSEHOVERWIDTH: return Put<UINT>(pv, p.hoverWidth);
    case SPI_SETMOUSEHOVERWIDTH: p.hoverWidth = ui; return TRUE;
    case SPI_GETMOUSEHOVERHEIGHT: return Put<UINT>(pv, p.hoverHeight);
    case SPI_SETMOUSEHOVERHEIGHT: p.hoverHeight = ui; return TRUE;
    case SPI_GETMOUSEHOVERTIME: return Put<UINT>(pv, p.hoverTime);
    case SPI_SETMOUSEHOVERTIME: p.hoverTime = ui; return TRUE;
    case SPI_GETWHEELSCROLLLINES: return Put<UINT>(pv, p.wheelScrollLines);
    case SPI_SETWHEELSCROLLLINES: p.wheelScrollLines = ui; return TRUE;
    case SPI_SETDOUBLECLICKTIME:
      p.doubleClickTime = ui == 0 ? kDefaultDoubleClickTime : std::min(ui, kMaxDoubleClickTime);
      return TRUE;
    case SPI_GETUIEFFECTS: return Put<BOOL>(pv, p.uiEffects);
    case SPI_SETUIEFFECTS: p.uiEffects = PointerAsBool(pv); return TRUE;
    case SPI_GETKEYBOARDCUES: return Put<BOOL>(pv, (!p.uiEffects || p.keyboardCues) ? TRUE : FALSE);
    case SPI_SETKEYBOARDCUES: p.keyboardCues = PointerAsBool(pv); return TRUE;
    case SPI_GETNONCLIENTMETRICS: return GetNonClientMetrics(p, ui, pv);
    case SPI_SETNONCLIENTMETRICS: return SetNonClientMetrics(p, pv);
    case SPI_GETICONTITLELOGFONT:
      if (ui != 0 && ui != sizeof(LOGFONTW)) return Fail();
      return Put<LOGFONTW>(pv, p.iconTitleFont);
    case SPI_SETICONTITLELOGFONT:
      if (!pv || (ui != 0 && ui != sizeof(LOGFONTW))) return Fail();
      p.iconTitleFont = *static_cast<const LOGFONTW*>(pv);
      return TRUE;
    case SPI_GETHIGHCONTRAST: {
      auto* hc = static_cast<HIGHCONTRASTW*>(pv);
      if (!hc || hc->cbSize != sizeof(HIGHCONTRASTW)) return Fail();
      hc->dwFlags = p.highContrastFlags;
      hc->lpszDefaultScheme = nullptr;
      return TRUE;
    }
    case SPI_SETHIGHCONTRAST: {
      const auto* hc = static_cast<const HIGHCONTRASTW*>(pv);
      if (!hc || hc->cbSize != sizeof(HIGHCONTRASTW)) return Fail();
      p.highContrastFlags = hc->dwFlags;
      return TRUE;
    }
    default: return Fail();
  }
}

}  // namespace

BOOL SystemParametersInfoW(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni) {
  BOOL ok = FALSE;
  if (uiAction == SPI_GETWORKAREA) {
    ok = Put<RECT>(pvParam, PrimaryMonitorArea().work);
  } else if (uiAction == SPI_SETWORKAREA) {
    ok = SetWorkArea(pvParam);
  } else {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    ok = Dispatch(s.p, uiAction, uiParam, pvParam);
  }
  // Shadows are on only where the desktop can blend them; elsewhere the caller draws its own.
  if (ok && uiAction == SPI_GETDROPSHADOW && !desktop::ScreenCanBlend()) *static_cast<BOOL*>(pvParam) = FALSE;
  if (ok && IsSetAction(uiAction) && (fWinIni & SPIF_SENDCHANGE))
    LinkSendToTopLevelWindows(kSettingChangeMessage, uiAction, 0);
  return ok;
}

UINT GetDoubleClickTime() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  return s.p.doubleClickTime;
}

BOOL SetDoubleClickTime(UINT uInterval) { return SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, uInterval, nullptr, 0); }

UINT GetCaretBlinkTime() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  return s.p.caretBlinkTime;
}

BOOL SetCaretBlinkTime(UINT uMSeconds) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  s.p.caretBlinkTime = uMSeconds;
  return TRUE;
}

void ResetSystemParameters() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  s.p = Params{};
}

}  // namespace win
