#pragma once
// Common-control records and constants: WM_NOTIFY headers, custom draw, the track bar
// ("msctls_trackbar32") and the up-down control ("msctls_updown32").

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr char16_t TRACKBAR_CLASSW[] = u"msctls_trackbar32";
inline constexpr char16_t UPDOWN_CLASSW[] = u"msctls_updown32";

// WM_NOTIFY
struct NMHDR {
  HWND hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  UINT code = 0;
};

inline constexpr UINT NM_FIRST = 0u, NM_OUTOFMEMORY = NM_FIRST - 1, NM_CLICK = NM_FIRST - 2,
                      NM_DBLCLK = NM_FIRST - 3, NM_RETURN = NM_FIRST - 4, NM_RCLICK = NM_FIRST - 5,
                      NM_SETFOCUS = NM_FIRST - 7, NM_KILLFOCUS = NM_FIRST - 8, NM_CUSTOMDRAW = NM_FIRST - 12,
                      NM_RELEASEDCAPTURE = NM_FIRST - 16;

// Custom draw
struct NMCUSTOMDRAW {
  NMHDR hdr;
  DWORD dwDrawStage = 0;
  HDC hdc = nullptr;
  RECT rc{};
  DWORD_PTR dwItemSpec = 0;
  UINT uItemState = 0;
  LPARAM lItemlParam = 0;
};

inline constexpr DWORD CDDS_PREPAINT = 0x00000001, CDDS_POSTPAINT = 0x00000002, CDDS_PREERASE = 0x00000003,
                       CDDS_POSTERASE = 0x00000004, CDDS_ITEM = 0x00010000,
                       CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT, CDDS_ITEMPOSTPAINT = CDDS_ITEM | CDDS_POSTPAINT,
                       CDDS_SUBITEM = 0x00020000;
inline constexpr LRESULT CDRF_DODEFAULT = 0x00, CDRF_NEWFONT = 0x02, CDRF_SKIPDEFAULT = 0x04,
                         CDRF_NOTIFYPOSTPAINT = 0x10, CDRF_NOTIFYITEMDRAW = 0x20, CDRF_NOTIFYSUBITEMDRAW = 0x20,
                         CDRF_NOTIFYPOSTERASE = 0x40;
inline constexpr UINT CDIS_SELECTED = 0x0001, CDIS_GRAYED = 0x0002, CDIS_DISABLED = 0x0004, CDIS_CHECKED = 0x0008,
                      CDIS_FOCUS = 0x0010, CDIS_DEFAULT = 0x0020, CDIS_HOT = 0x0040;

// Track bar
inline constexpr DWORD TBS_AUTOTICKS = 0x0001, TBS_VERT = 0x0002, TBS_HORZ = 0x0000, TBS_TOP = 0x0004,
                       TBS_BOTTOM = 0x0000, TBS_LEFT = 0x0004, TBS_RIGHT = 0x0000, TBS_BOTH = 0x0008,
                       TBS_NOTICKS = 0x0010, TBS_ENABLESELRANGE = 0x0020, TBS_FIXEDLENGTH = 0x0040,
                       TBS_NOTHUMB = 0x0080, TBS_TOOLTIPS = 0x0100, TBS_REVERSED = 0x0200,
                       TBS_DOWNISLEFT = 0x0400;

inline constexpr UINT TBM_GETPOS = 0x0400, TBM_GETRANGEMIN = 0x0401, TBM_GETRANGEMAX = 0x0402,
                      TBM_GETTIC = 0x0403, TBM_SETTIC = 0x0404, TBM_SETPOS = 0x0405, TBM_SETRANGE = 0x0406,
                      TBM_SETRANGEMIN = 0x0407, TBM_SETRANGEMAX = 0x0408, TBM_CLEARTICS = 0x0409,
                      TBM_SETSEL = 0x040A, TBM_SETSELSTART = 0x040B, TBM_SETSELEND = 0x040C,
                      TBM_GETPTICS = 0x040E, TBM_GETTICPOS = 0x040F, TBM_GETNUMTICS = 0x0410,
                      TBM_GETSELSTART = 0x0411, TBM_GETSELEND = 0x0412, TBM_CLEARSEL = 0x0413,
                      TBM_SETTICFREQ = 0x0414, TBM_SETPAGESIZE = 0x0415, TBM_GETPAGESIZE = 0x0416,
                      TBM_SETLINESIZE = 0x0417, TBM_GETLINESIZE = 0x0418, TBM_GETTHUMBRECT = 0x0419,
                      TBM_GETCHANNELRECT = 0x041A, TBM_SETTHUMBLENGTH = 0x041B, TBM_GETTHUMBLENGTH = 0x041C;

// WM_HSCROLL / WM_VSCROLL requests of a track bar
inline constexpr WORD TB_LINEUP = 0, TB_LINEDOWN = 1, TB_PAGEUP = 2, TB_PAGEDOWN = 3, TB_THUMBPOSITION = 4,
                      TB_THUMBTRACK = 5, TB_TOP = 6, TB_BOTTOM = 7, TB_ENDTRACK = 8;

// NMCUSTOMDRAW::dwItemSpec of a track bar's parts
inline constexpr DWORD_PTR TBCD_TICS = 0x0001, TBCD_THUMB = 0x0002, TBCD_CHANNEL = 0x0003;

// Up-down
inline constexpr DWORD UDS_WRAP = 0x0001, UDS_SETBUDDYINT = 0x0002, UDS_ALIGNRIGHT = 0x0004,
                       UDS_ALIGNLEFT = 0x0008, UDS_AUTOBUDDY = 0x0010, UDS_ARROWKEYS = 0x0020,
                       UDS_HORZ = 0x0040, UDS_NOTHOUSANDS = 0x0080, UDS_HOTTRACK = 0x0100;

inline constexpr UINT UDM_SETRANGE = 0x0465, UDM_GETRANGE = 0x0466, UDM_SETPOS = 0x0467, UDM_GETPOS = 0x0468,
                      UDM_SETBUDDY = 0x0469, UDM_GETBUDDY = 0x046A, UDM_SETACCEL = 0x046B,
                      UDM_GETACCEL = 0x046C, UDM_SETBASE = 0x046D, UDM_GETBASE = 0x046E,
                      UDM_SETRANGE32 = 0x046F, UDM_GETRANGE32 = 0x0470, UDM_SETPOS32 = 0x0471,
                      UDM_GETPOS32 = 0x0472;

inline constexpr int UD_MAXVAL = 0x7FFF, UD_MINVAL = -UD_MAXVAL;

inline constexpr UINT UDN_FIRST = 0u - 721u, UDN_DELTAPOS = UDN_FIRST - 1;

struct NMUPDOWN {
  NMHDR hdr;
  int iPos = 0;
  int iDelta = 0;
};

struct UDACCEL {
  UINT nSec = 0;
  UINT nInc = 0;
};

// Register "msctls_trackbar32" and "msctls_updown32". Once each.
BOOL RegisterTrackBarClass();
BOOL RegisterUpDownClass();

}  // namespace win
