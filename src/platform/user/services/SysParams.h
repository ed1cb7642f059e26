#pragma once
// System parameters: the menu delay, UI effects, keyboard and mouse settings, the non-client
// fonts and the work area, read and changed through SystemParametersInfoW, plus the double-click
// and caret blink times. Values start as a Windows XP desktop with the classic look has them;
// every SPI_SET* counterpart works, so tests can change any of them.

#include "platform/gdi/GdiTypes.h"
#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr UINT SPI_GETKEYBOARDSPEED = 0x000A, SPI_SETKEYBOARDSPEED = 0x000B,
                      SPI_GETKEYBOARDDELAY = 0x0016, SPI_SETKEYBOARDDELAY = 0x0017,
                      SPI_GETICONTITLELOGFONT = 0x001F, SPI_SETDOUBLECLICKTIME = 0x0020,
                      SPI_SETICONTITLELOGFONT = 0x0022, SPI_SETDRAGFULLWINDOWS = 0x0025,
                      SPI_GETDRAGFULLWINDOWS = 0x0026, SPI_GETNONCLIENTMETRICS = 0x0029,
                      SPI_SETNONCLIENTMETRICS = 0x002A, SPI_SETWORKAREA = 0x002F, SPI_GETWORKAREA = 0x0030,
                      SPI_GETHIGHCONTRAST = 0x0042, SPI_SETHIGHCONTRAST = 0x0043,
                      SPI_GETMOUSEHOVERWIDTH = 0x0062, SPI_SETMOUSEHOVERWIDTH = 0x0063,
                      SPI_GETMOUSEHOVERHEIGHT = 0x0064, SPI_SETMOUSEHOVERHEIGHT = 0x0065,
                      SPI_GETMOUSEHOVERTIME = 0x0066, SPI_SETMOUSEHOVERTIME = 0x0067,
                      SPI_GETWHEELSCROLLLINES = 0x0068, SPI_SETWHEELSCROLLLINES = 0x0069,
                      SPI_GETMENUSHOWDELAY = 0x006A, SPI_SETMENUSHOWDELAY = 0x006B,
                      SPI_GETMENUANIMATION = 0x1002, SPI_SETMENUANIMATION = 0x1003,
                      SPI_GETCOMBOBOXANIMATION = 0x1004, SPI_SETCOMBOBOXANIMATION = 0x1005,
                      SPI_GETGRADIENTCAPTIONS = 0x1008, SPI_SETGRADIENTCAPTIONS = 0x1009,
                      SPI_GETKEYBOARDCUES = 0x100A, SPI_SETKEYBOARDCUES = 0x100B,
                      SPI_GETMENUUNDERLINES = 0x100A, SPI_SETMENUUNDERLINES = 0x100B,
                      SPI_GETMENUFADE = 0x1012, SPI_SETMENUFADE = 0x1013,
                      SPI_GETSELECTIONFADE = 0x1014, SPI_SETSELECTIONFADE = 0x1015,
                      SPI_GETTOOLTIPANIMATION = 0x1016, SPI_SETTOOLTIPANIMATION = 0x1017,
                      SPI_GETTOOLTIPFADE = 0x1018, SPI_SETTOOLTIPFADE = 0x1019,
                      SPI_GETFLATMENU = 0x1022, SPI_SETFLATMENU = 0x1023,
                      SPI_GETDROPSHADOW = 0x1024, SPI_SETDROPSHADOW = 0x1025,
                      SPI_GETUIEFFECTS = 0x103E, SPI_SETUIEFFECTS = 0x103F;

inline constexpr UINT SPIF_UPDATEINIFILE = 0x0001, SPIF_SENDCHANGE = 0x0002, SPIF_SENDWININICHANGE = 0x0002;

inline constexpr DWORD HCF_HIGHCONTRASTON = 0x00000001;

struct NONCLIENTMETRICSW {
  UINT cbSize = 0;
  int iBorderWidth = 0;
  int iScrollWidth = 0;
  int iScrollHeight = 0;
  int iCaptionWidth = 0;
  int iCaptionHeight = 0;
  LOGFONTW lfCaptionFont;
  int iSmCaptionWidth = 0;
  int iSmCaptionHeight = 0;
  LOGFONTW lfSmCaptionFont;
  int iMenuWidth = 0;
  int iMenuHeight = 0;
  LOGFONTW lfMenuFont;
  LOGFONTW lfStatusFont;
  LOGFONTW lfMessageFont;
  int iPaddedBorderWidth = 0;
};
// Callers may pass the record without its last field, as programs written for older systems do.
inline constexpr UINT kNonClientMetricsSizeWithoutPadding = sizeof(NONCLIENTMETRICSW) - sizeof(int);

struct HIGHCONTRASTW {
  UINT cbSize = 0;
  DWORD dwFlags = 0;
  LPWSTR lpszDefaultScheme = nullptr;
};

// Win32 conventions: GET actions write through pvParam; SET actions take the value in uiParam
// (numbers) or in pvParam (the UI-effect switches, records). SPIF_SENDCHANGE sends
// WM_SETTINGCHANGE to the top-level windows after a successful SET. An unknown action, a wrong
// record size or a null output fails with ERROR_INVALID_PARAMETER.
// While SPI_GETUIEFFECTS is off, every animation, fade, shadow and gradient switch reads FALSE
// and keyboard cues read TRUE (underlines always shown), whatever was stored.
BOOL SystemParametersInfoW(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);

UINT GetDoubleClickTime();
// 0 restores the default of 500 ms; values above 5000 are capped there.
BOOL SetDoubleClickTime(UINT uInterval);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT uMSeconds);

// Every parameter back to its start value (for tests).
void ResetSystemParameters();

}  // namespace win
