// Painting popup menus and menu bars in the classic look.

#include <algorithm>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/user/detail/MenuInternal.h"
#include "platform/user/detail/MenuLayout.h"
#include "platform/user/detail/MenuMetrics.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/painting/UserDraw.h"

namespace win::menu {
namespace {

struct Snapshot {
  std::vector<Item> items;
  HBRUSH background = nullptr;
  SIZE size{};
  bool ok = false;
};

Snapshot Take(HMENU menu) {
  std::lock_guard lock(MenuLock());
  Snapshot s;
  if (MenuObj* m = FindMenu(menu)) {
    s.items = m->items;
    s.background = m->background;
    s.size = m->size;
    s.ok = true;
  }
  return s;
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH b = CreateSolidBrush(colour);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

void FillBackground(HDC dc, const RECT& r, HBRUSH background) {
  if (background)
    FillRect(dc, &r, background);
  else
    Fill(dc, r, GetSysColor(COLOR_MENU));
}

// A DFC_MENU glyph (drawn as a mask) in one colour, centred in `cell`.
void Glyph(HDC dc, const RECT& cell, UINT state, COLORREF colour) {
  int side = GetSystemMetrics(SM_CXMENUCHECK);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, side, side);
  if (mem && bmp) {
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT r{0, 0, side, side};
    DrawFrameControl(mem, &r, DFC_MENU, state);
    int x0 = cell.left + (cell.right - cell.left - side) / 2;
    int y0 = cell.top + (cell.bottom - cell.top - side) / 2;
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x)
        if ((GetPixel(mem, x, y) & 0xFFFFFF) == 0) SetPixelV(dc, x0 + x, y0 + y, colour);
    SelectObject(mem, old);
  }
  if (bmp) DeleteObject(bmp);
  if (mem) DeleteDC(mem);
}

void DrawBitmapAt(HDC dc, HBITMAP bmp, const RECT& cell) {
  BITMAP bm{};
  if (reinterpret_cast<uintptr_t>(bmp) <= 0xFF || GetObjectW(bmp, sizeof(bm), &bm) != int(sizeof(bm))) return;
  HDC mem = CreateCompatibleDC(dc);
  if (!mem) return;
  HGDIOBJ old = SelectObject(mem, bmp);
  int x = cell.left + (cell.right - cell.left - bm.bmWidth) / 2;
  int y = cell.top + (cell.bottom - cell.top - bm.bmHeight) / 2;
  BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

// Text of a disabled item: embossed when not highlighted, grey on the highlight otherwise.
void DrawItemText(HDC dc, const std::u16string& text, RECT r, UINT format, COLORREF normal, bool disabled,
                  bool selected) {
  if (text.empty()) return;
  if (disabled && !selected) {
    RECT shifted = r;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextW(dc, text.c_str(), int(text.size()), &shifted, format);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  } else if (disabled) {
    COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, grey == GetSysColor(COLOR_HIGHLIGHT) ? GetSysColor(COLOR_BTNSHADOW) : grey);
  } else {
    SetTextColor(dc, normal);
  }
  DrawTextW(dc, text.c_str(), int(text.size()), &r, format);
}

UINT OwnerDrawState(const Item& it, bool selected) {
  UINT s = 0;
  if (selected) s |= ODS_SELECTED;
  if (it.state & MFS_CHECKED) s |= ODS_CHECKED;
  if (it.state & MF_GRAYED) s |= ODS_GRAYED;
  if (it.state & MF_DISABLED) s |= ODS_DISABLED;
  if (it.state & MFS_DEFAULT) s |= ODS_DEFAULT;
  return s;
}

void OwnerDraw(HMENU menu, HWND owner, HDC dc, const Item& it, bool selected) {
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  DRAWITEMSTRUCT dis;
  dis.CtlType = ODT_MENU;
  dis.itemID = it.id;
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = OwnerDrawState(it, selected);
  dis.hwndItem = reinterpret_cast<HWND>(menu);
  dis.hDC = dc;
  dis.rcItem = it.rect;
  dis.itemData = it.data;
  if (owner) SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
}

void PaintPopupItem(HMENU menu, HWND owner, HDC dc, const MenuMetrics& mm, const Item& it, bool selected,
                    HBRUSH background) {
  const RECT& r = it.rect;
  if (it.IsSeparator()) {
    FillBackground(dc, r, background);
    RECT line{r.left + 1, r.top + (r.bottom - r.top) / 2 - 1, r.right - 1, r.top + (r.bottom - r.top) / 2 + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  if (selected)
    Fill(dc, r, GetSysColor(COLOR_HIGHLIGHT));
  else
    FillBackground(dc, r, background);
  if (it.IsOwnerDraw()) {
    OwnerDraw(menu, owner, dc, it, selected);
    return;
  }
  COLORREF textColour = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  bool disabled = it.IsDisabled();
  RECT check{r.left, r.top, r.left + mm.checkWidth, r.bottom};
  if (it.state & MFS_CHECKED) {
    if (it.checkedBitmap)
      DrawBitmapAt(dc, it.checkedBitmap, check);
    else
      Glyph(dc, check, (it.type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK,
            disabled ? GetSysColor(COLOR_GRAYTEXT) : textColour);
  } else if (it.uncheckedBitmap) {
    DrawBitmapAt(dc, it.uncheckedBitmap, check);
  } else if (it.bitmap && !it.IsBitmap()) {
    DrawBitmapAt(dc, it.bitmap, check);
  }
  RECT text{r.left + mm.checkWidth, r.top, r.right - mm.arrowWidth, r.bottom};
  if (it.IsBitmap()) {
    DrawBitmapAt(dc, it.bitmap, text);
  } else {
    std::u16string label, accel;
    SplitItemText(it.text, &label, &accel);
    HGDIOBJ oldFont = SelectObject(dc, mm.Font((it.state & MFS_DEFAULT) != 0));
    SetBkMode(dc, TRANSPARENT);
    DrawItemText(dc, label, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT, textColour, disabled, selected);
    DrawItemText(dc, accel, text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT, textColour, disabled, selected);
    SelectObject(dc, oldFont);
  }
  if (it.subMenu) {
    RECT arrow{r.right - mm.arrowWidth, r.top, r.right, r.bottom};
    Glyph(dc, arrow, DFCS_MENUARROW, disabled ? GetSysColor(COLOR_GRAYTEXT) : textColour);
  }
}

}  // namespace

void PaintPopup(HMENU menu, HWND owner, HDC dc, int selected) {
  Snapshot s = Take(menu);
  if (!s.ok) return;
  MenuMetrics mm;
  RECT frame{0, 0, s.size.cx, s.size.cy};
  DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT | BF_ADJUST);
  FillBackground(dc, frame, s.background);
  for (size_t i = 0; i < s.items.size(); ++i) {
    const Item& it = s.items[i];
    if (i > 0 && (it.type & MFT_MENUBARBREAK)) {
      RECT line{it.rect.left - 2, kPopupBorder, it.rect.left, s.size.cy - kPopupBorder};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
    }
    PaintPopupItem(menu, owner, dc, mm, it, int(i) == selected, s.background);
  }
}

void PaintBar(HMENU menu, HWND owner, HDC dc, const RECT& bar, int selected, bool barOpen) {
  Snapshot s = Take(menu);
  if (!s.ok) return;
  MenuMetrics mm;
  FillBackground(dc, bar, s.background);
  HGDIOBJ oldFont = SelectObject(dc, mm.Font(false));
  SetBkMode(dc, TRANSPARENT);
  for (size_t i = 0; i < s.items.size(); ++i) {
    const Item& it = s.items[i];
    RECT r = it.rect;
    bool isSelected = int(i) == selected || (selected < 0 && (it.state & MFS_HILITE));
    if (it.IsOwnerDraw()) {
      OwnerDraw(menu, owner, dc, it, isSelected);
      continue;
    }
    if (isSelected) {
      RECT edge = r;
      DrawEdge(dc, &edge, barOpen ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      if (barOpen) OffsetRect(&r, 1, 1);
    }
    if (it.IsBitmap()) {
      DrawBitmapAt(dc, it.bitmap, r);
      continue;
    }
    std::u16string label, accel;
    SplitItemText(it.text, &label, &accel);
    DrawItemText(dc, label, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER, GetSysColor(COLOR_MENUTEXT), it.IsDisabled(),
                 false);
  }
  SelectObject(dc, oldFont);
}

}  // namespace win::menu
