// A DC's drawing state: modes, colours, origins, the current position, SaveDC and RestoreDC.

#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/gdi/MetafileRecords.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/kernel/LastError.h"

namespace win {
using namespace gdi;

namespace {

// Sets a DC field and returns the old value, or `failure` for a bad handle or value.
// `record` is the metafile record of the change (0: none).
template <class T, class V>
T Exchange(HDC hdc, T DCState::*field, V value, T failure, bool valid = true, DWORD record = 0) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return failure;
  if (!valid) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return failure;
  }
  T old = dc->state.*field;
  dc->state.*field = T(value);
  if (dc->recorder && record) dc->recorder->SetValue(record, DWORD(dc->state.*field));
  return old;
}

template <class T>
T Read(HDC hdc, T DCState::*field, T failure) {
  DCObj* dc = DCOrFail(hdc);
  return dc ? dc->state.*field : failure;
}

BOOL MovePoint(HDC hdc, POINT DCState::*field, int x, int y, bool relative, POINT* old, DWORD record) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return FALSE;
  POINT& p = dc->state.*field;
  if (old) *old = p;
  p = relative ? POINT{SaturateCoord(int64_t(p.x) + x), SaturateCoord(int64_t(p.y) + y)} : POINT{x, y};
  // Origins move the device transform; the brush origin and current position do not.
  if (field == &DCState::windowOrg || field == &DCState::viewportOrg) DeviceChanged(*dc);
  if (dc->recorder) dc->recorder->SetPoint(record, p);
  return TRUE;
}

BOOL ReadPoint(HDC hdc, POINT DCState::*field, POINT* out) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->state.*field;
  return TRUE;
}

// Points move by the origins' difference, saturating at the int range.
BOOL ShiftPoints(HDC hdc, POINT* points, int count, int sign) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc || (!points && count > 0)) return FALSE;
  const SurfaceShift d = LogicalShift(dc->state);
  for (int i = 0; i < count; ++i)
    points[i] = POINT{SaturateCoord(points[i].x + sign * d.x), SaturateCoord(points[i].y + sign * d.y)};
  return TRUE;
}

}  // namespace

int SaveDC(HDC hdc) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return 0;
  if (dc->recorder) dc->recorder->SaveDC();
  dc->saved.push_back(dc->state);
  RetainState(dc->state);
  return int(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int saved) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return FALSE;
  const int depth = int(dc->saved.size());
  const int target = saved < 0 ? depth + saved + 1 : saved;
  if (target < 1 || target > depth) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (dc->recorder) dc->recorder->RestoreDC(saved);
  ReleaseState(dc->state);
  while (int(dc->saved.size()) > target) {
    ReleaseState(dc->saved.back());
    dc->saved.pop_back();
  }
  dc->state = std::move(dc->saved.back());  // its selections were retained by SaveDC
  dc->saved.pop_back();
  DeviceChanged(*dc);
  return TRUE;
}

int SetROP2(HDC hdc, int rop2) {
  return Exchange(hdc, &DCState::rop2, rop2, 0, rop2 >= R2_BLACK && rop2 <= R2_WHITE, EMR_SETROP2);
}
int GetROP2(HDC hdc) { return Read(hdc, &DCState::rop2, 0); }
int SetBkMode(HDC hdc, int mode) {
  return Exchange(hdc, &DCState::bkMode, mode, 0, mode == TRANSPARENT || mode == OPAQUE, EMR_SETBKMODE);
}
int GetBkMode(HDC hdc) { return Read(hdc, &DCState::bkMode, 0); }
COLORREF SetBkColor(HDC hdc, COLORREF color) {
  return Exchange(hdc, &DCState::bkColor, color & 0xFFFFFF, CLR_INVALID, true, EMR_SETBKCOLOR);
}
COLORREF GetBkColor(HDC hdc) { return Read(hdc, &DCState::bkColor, CLR_INVALID); }
COLORREF SetTextColor(HDC hdc, COLORREF color) {
  return Exchange(hdc, &DCState::textColor, color & 0xFFFFFF, CLR_INVALID, true, EMR_SETTEXTCOLOR);
}
COLORREF GetTextColor(HDC hdc) { return Read(hdc, &DCState::textColor, CLR_INVALID); }
UINT SetTextAlign(HDC hdc, UINT align) { return Exchange(hdc, &DCState::textAlign, align, UINT(0xFFFFFFFF), true, EMR_SETTEXTALIGN); }
UINT GetTextAlign(HDC hdc) { return Read(hdc, &DCState::textAlign, UINT(0xFFFFFFFF)); }
int SetPolyFillMode(HDC hdc, int mode) {
  return Exchange(hdc, &DCState::polyFillMode, mode, 0, mode == ALTERNATE || mode == WINDING, EMR_SETPOLYFILLMODE);
}
int GetPolyFillMode(HDC hdc) { return Read(hdc, &DCState::polyFillMode, 0); }
int SetMapMode(HDC hdc, int mode) { return Exchange(hdc, &DCState::mapMode, mode, 0, mode == MM_TEXT); }
int GetMapMode(HDC hdc) { return Read(hdc, &DCState::mapMode, 0); }
COLORREF SetDCBrushColor(HDC hdc, COLORREF color) {
  return Exchange(hdc, &DCState::dcBrushColor, color & 0xFFFFFF, CLR_INVALID);
}
COLORREF GetDCBrushColor(HDC hdc) { return Read(hdc, &DCState::dcBrushColor, CLR_INVALID); }
COLORREF SetDCPenColor(HDC hdc, COLORREF color) {
  return Exchange(hdc, &DCState::dcPenColor, color & 0xFFFFFF, CLR_INVALID);
}
COLORREF GetDCPenColor(HDC hdc) { return Read(hdc, &DCState::dcPenColor, CLR_INVALID); }
int SetTextCharacterExtra(HDC hdc, int extra) {
  return Exchange(hdc, &DCState::textCharExtra, extra, int(0x80000000));
}
int GetTextCharacterExtra(HDC hdc) { return Read(hdc, &DCState::textCharExtra, int(0x80000000)); }

BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* old) {
  return MovePoint(hdc, &DCState::windowOrg, x, y, false, old, EMR_SETWINDOWORGEX);
}
BOOL GetWindowOrgEx(HDC hdc, POINT* out) { return ReadPoint(hdc, &DCState::windowOrg, out); }
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, POINT* old) {
  return MovePoint(hdc, &DCState::windowOrg, dx, dy, true, old, EMR_SETWINDOWORGEX);
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* old) {
  return MovePoint(hdc, &DCState::viewportOrg, x, y, false, old, EMR_SETVIEWPORTORGEX);
}
BOOL GetViewportOrgEx(HDC hdc, POINT* out) { return ReadPoint(hdc, &DCState::viewportOrg, out); }
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* old) {
  return MovePoint(hdc, &DCState::viewportOrg, dx, dy, true, old, EMR_SETVIEWPORTORGEX);
}
BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* old) {
  return MovePoint(hdc, &DCState::brushOrg, x, y, false, old, EMR_SETBRUSHORGEX);
}
BOOL GetBrushOrgEx(HDC hdc, POINT* out) { return ReadPoint(hdc, &DCState::brushOrg, out); }
BOOL MoveToEx(HDC hdc, int x, int y, POINT* old) { return MovePoint(hdc, &DCState::curPos, x, y, false, old, EMR_MOVETOEX); }
BOOL GetCurrentPositionEx(HDC hdc, POINT* out) { return ReadPoint(hdc, &DCState::curPos, out); }

BOOL LPtoDP(HDC hdc, POINT* points, int count) { return ShiftPoints(hdc, points, count, 1); }
BOOL DPtoLP(HDC hdc, POINT* points, int count) { return ShiftPoints(hdc, points, count, -1); }

}  // namespace win
