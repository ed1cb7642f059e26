// The list box's geometry, scrolling and painting.

#include <algorithm>

#include "platform/controls/ListBox.h"
#include "platform/controls/ListBoxInternal.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/windows/Window.h"

namespace win::listbox {

namespace {

int ClientHeight(const State& s) {
  RECT rc;
  GetClientRect(s.hwnd, &rc);
  return rc.bottom;
}

bool CanDraw(const State& s) { return s.redraw && IsWindowVisible(s.hwnd); }

}  // namespace

int HeightOf(const State& s, int index) {
  if (Variable(s) && index >= 0 && index < Count(s)) return s.items[size_t(index)].height;
  return s.itemHeight;
}

RECT ItemRect(const State& s, int index) {
  RECT client;
  GetClientRect(s.hwnd, &client);
  int y = 0;
  if (!Variable(s)) {
    y = (index - s.top) * s.itemHeight;
  } else if (index >= s.top) {
    for (int i = s.top; i < index; ++i) y += HeightOf(s, i);
  } else {
    for (int i = index; i < s.top; ++i) y -= HeightOf(s, i);
  }
  int width = std::max(int(client.right), s.hExtent);
  return RECT{-s.hPos, y, width - s.hPos, y + HeightOf(s, index)};
}

int PageCount(const State& s) {
  int h = ClientHeight(s);
  if (!Variable(s)) return std::max(1, h / std::max(1, s.itemHeight));
  int n = 0, y = 0;
  for (int i = s.top; i < Count(s); ++i) {
    y += HeightOf(s, i);
    if (y > h) break;
    ++n;
  }
  return std::max(1, n);
}

int MaxTop(const State& s) {
  int n = Count(s);
  if (n == 0) return 0;
  int h = ClientHeight(s);
  if (!Variable(s)) return std::max(0, n - std::max(1, h / std::max(1, s.itemHeight)));
  int y = 0, i = n - 1;
  for (; i >= 0; --i) {
    y += HeightOf(s, i);
    if (y > h) break;
  }
  return std::min(n - 1, i + 1);
}

int ItemAt(const State& s, int y, bool* outside) {
  int n = Count(s);
  *outside = false;
  if (n == 0) return -1;
  if (y < 0) {
    *outside = true;
    return std::max(0, s.top - 1);
  }
  int i = s.top, bottom = 0;
  for (; i < n; ++i) {
    bottom += HeightOf(s, i);
    if (y < bottom) return i;
  }
  *outside = true;
  return n - 1;
}

void UpdateScrollBars(State& s) {
  if (!s.redraw) return;
  DWORD style = Style(s);
  UINT disable = (style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0;
  if (s.vscroll) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | disable;
    si.nMin = 0;
    si.nMax = std::max(0, Count(s) - 1);
    si.nPage = Count(s) ? UINT(PageCount(s)) : 0;
    si.nPos = s.top;
    SetScrollInfo(s.hwnd, SB_VERT, &si, TRUE);
  }
  if (s.hscroll) {
    RECT rc;
    GetClientRect(s.hwnd, &rc);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | disable;
    si.nMin = 0;
    si.nMax = std::max(0, s.hExtent - 1);
    si.nPage = UINT(rc.right);
    s.hPos = std::clamp(s.hPos, 0, std::max(0, s.hExtent - int(rc.right)));
    si.nPos = s.hPos;
    SetScrollInfo(s.hwnd, SB_HORZ, &si, TRUE);
  }
}

void InvalidateAll(State& s) {
  if (s.redraw) InvalidateRect(s.hwnd, nullptr, TRUE);
}

void InvalidateItem(State& s, int index) {
  if (!s.redraw || index < 0 || index >= Count(s)) return;
  RECT rc = ItemRect(s, index);
  InvalidateRect(s.hwnd, &rc, TRUE);
}

void SetTop(State& s, int top) {
  top = std::clamp(top, 0, MaxTop(s));
  if (top == s.top) return;
  s.top = top;
  UpdateScrollBars(s);
  InvalidateAll(s);
}

void EnsureVisible(State& s, int index, bool partialOk) {
  if (index < 0 || index >= Count(s)) return;
  if (index < s.top) {
    SetTop(s, index);
    return;
  }
  RECT rc = ItemRect(s, index);
  int h = ClientHeight(s);
  if (rc.bottom <= h || (partialOk && rc.top < h)) return;
  // Make it the last item that is shown whole.
  int top = index, y = HeightOf(s, index);
  while (top > 0 && y + HeightOf(s, top - 1) <= h) y += HeightOf(s, --top);
  SetTop(s, top);
}

LRESULT OnScroll(State& s, UINT msg, WORD code) {
  int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
  SCROLLINFO si;
  si.fMask = SIF_TRACKPOS;
  GetScrollInfo(s.hwnd, bar, &si);
  if (bar == SB_VERT) {
    int page = PageCount(s);
    switch (code) {
      case SB_LINEUP: SetTop(s, s.top - 1); break;
      case SB_LINEDOWN: SetTop(s, s.top + 1); break;
      case SB_PAGEUP: SetTop(s, s.top - std::max(1, page - 1)); break;
      case SB_PAGEDOWN: SetTop(s, s.top + std::max(1, page - 1)); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: SetTop(s, si.nTrackPos); break;
      case SB_TOP: SetTop(s, 0); break;
      case SB_BOTTOM: SetTop(s, MaxTop(s)); break;
      default: break;
    }
    return 0;
  }
  RECT rc;
  GetClientRect(s.hwnd, &rc);
  int pos = s.hPos;
  switch (code) {
    case SB_LINELEFT: pos -= 8; break;
    case SB_LINERIGHT: pos += 8; break;
    case SB_PAGELEFT: pos -= rc.right; break;
    case SB_PAGERIGHT: pos += rc.right; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_LEFT: pos = 0; break;
    case SB_RIGHT: pos = s.hExtent; break;
    default: return 0;
  }
  pos = std::clamp(pos, 0, std::max(0, s.hExtent - int(rc.right)));
  if (pos != s.hPos) {
    s.hPos = pos;
    UpdateScrollBars(s);
    InvalidateAll(s);
  }
  return 0;
}

void RecalcFontHeight(State& s) {
  HDC hdc = GetDC(s.hwnd);
  if (!hdc) return;
  HGDIOBJ old = SelectObject(hdc, s.font ? HGDIOBJ(s.font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm;
  if (GetTextMetricsW(hdc, &tm) && tm.tmHeight > 0) s.itemHeight = std::min(255, int(tm.tmHeight));
  SelectObject(hdc, old);
  ReleaseDC(s.hwnd, hdc);
}

namespace {

// Asks the owner for the list's colours; the brush to fill the background with.
HBRUSH PrepareDC(const State& s, HDC hdc) {
  SelectObject(hdc, s.font ? HGDIOBJ(s.font) : GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(hdc, GetSysColor(COLOR_WINDOW));
  HBRUSH brush = nullptr;
  if (HWND owner = Owner(s))
    brush = reinterpret_cast<HBRUSH>(SendMessageW(owner, WM_CTLCOLORLISTBOX, WPARAM(hdc), LPARAM(s.hwnd)));
  return brush ? brush : GetSysColorBrush(COLOR_WINDOW);
}

void DrawOne(const State& s, HDC hdc, int index, UINT action, HBRUSH background) {
  RECT rc = ItemRect(s, index);
  bool selected = IsSelected(s, index);
  bool focus = s.focused && index == s.caret && !s.combo;
  bool enabled = IsWindowEnabled(s.combo ? s.combo : s.hwnd);
  if (OwnerDrawn(s)) {
    DRAWITEMSTRUCT dis;
    dis.CtlType = CtlType(s);
    dis.CtlID = CtlId(s);
    dis.itemID = UINT(index);
    dis.itemAction = action;
    dis.itemState = (selected ? ODS_SELECTED : 0) | (focus ? ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
    dis.hwndItem = s.combo ? s.combo : s.hwnd;
    dis.hDC = hdc;
    dis.rcItem = rc;
    dis.itemData = index < Count(s) ? s.items[size_t(index)].data : 0;
    if (HWND owner = Owner(s)) SendMessageW(owner, WM_DRAWITEM, dis.CtlID, LPARAM(&dis));
    return;
  }
  if (index >= Count(s)) return;
  COLORREF oldText = GetTextColor(hdc), oldBk = GetBkColor(hdc);
  if (selected) {
    FillRect(hdc, &rc, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(hdc, GetSysColor(enabled ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
  } else {
    FillRect(hdc, &rc, background);
    if (!enabled) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
  }
  int mode = SetBkMode(hdc, TRANSPARENT);
  const std::u16string& text = s.items[size_t(index)].text;
  TextOutW(hdc, rc.left + 2, rc.top, text.c_str(), int(text.size()));
  SetBkMode(hdc, mode);
  SetTextColor(hdc, oldText);
  SetBkColor(hdc, oldBk);
  if (focus) DrawFocusRect(hdc, &rc);
}

}  // namespace

void RedrawItem(State& s, int index, UINT action) {
  if (index < 0 || index >= Count(s)) return;
  if (!OwnerDrawn(s)) {
    InvalidateItem(s, index);
    return;
  }
  if (!CanDraw(s)) return;
  HDC hdc = GetDC(s.hwnd);
  if (!hdc) return;
  RECT client;
  GetClientRect(s.hwnd, &client);
  IntersectClipRect(hdc, client.left, client.top, client.right, client.bottom);
  HBRUSH brush = PrepareDC(s, hdc);
  (void)brush;
  DrawOne(s, hdc, index, action, brush);
  ReleaseDC(s.hwnd, hdc);
}

void Paint(State& s, HDC hdc, const RECT* area) {
  RECT client;
  GetClientRect(s.hwnd, &client);
  HBRUSH brush = PrepareDC(s, hdc);
  int bottom = 0;
  for (int i = s.top; i < Count(s); ++i) {
    RECT rc = ItemRect(s, i);
    if (rc.top >= client.bottom) break;
    bottom = rc.bottom;
    RECT overlap;
    if (area && !IntersectRect(&overlap, area, &rc)) continue;
    if (OwnerDrawn(s)) FillRect(hdc, &rc, brush);
    DrawOne(s, hdc, i, ODA_DRAWENTIRE, brush);
  }
  RECT rest{client.left, bottom, client.right, client.bottom};
  if (rest.top < rest.bottom) FillRect(hdc, &rest, brush);
  // An empty list with the focus still shows where the caret is.
  if (Count(s) == 0 && s.focused && !s.combo && !OwnerDrawn(s)) {
    RECT rc{0, 0, client.right, s.itemHeight};
    DrawFocusRect(hdc, &rc);
  }
}

}  // namespace win::listbox
