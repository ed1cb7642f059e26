// Measuring and laying out popup menus and menu bars.

#include "platform/user/detail/MenuLayout.h"

#include <algorithm>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/user/detail/MenuInternal.h"
#include "platform/user/detail/MenuMetrics.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysMetrics.h"

namespace win::menu {
namespace {

// What layout needs of an item, copied out so that WM_MEASUREITEM runs without the lock.
struct Measured {
  Item item;
  SIZE size{};
};

std::vector<Item> SnapshotItems(HMENU menu, bool* ok) {
  std::lock_guard lock(MenuLock());
  MenuObj* m = FindMenu(menu);
  *ok = m != nullptr;
  return m ? m->items : std::vector<Item>{};
}

// Writes the rectangles back, unless a handler changed the menu meanwhile.
void StoreRects(HMENU menu, const std::vector<RECT>& rects, SIZE size, HWND barHost) {
  std::lock_guard lock(MenuLock());
  MenuObj* m = FindMenu(menu);
  if (!m || m->items.size() != rects.size()) return;
  for (size_t i = 0; i < rects.size(); ++i) m->items[i].rect = rects[i];
  m->size = size;
  if (barHost) m->barHost = barHost;
}

SIZE BitmapSize(HBITMAP bmp, int fallback) {
  BITMAP bm{};
  if (reinterpret_cast<uintptr_t>(bmp) > 0xFF && GetObjectW(bmp, sizeof(bm), &bm) == int(sizeof(bm)))
    return SIZE{bm.bmWidth, bm.bmHeight};
  return SIZE{fallback, fallback};
}

SIZE OwnerDrawSize(HWND owner, const Item& it) {
  MEASUREITEMSTRUCT mis;
  mis.CtlType = ODT_MENU;
  mis.itemID = it.id;
  mis.itemData = it.data;
  if (owner) SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  return SIZE{LONG(mis.itemWidth), LONG(mis.itemHeight)};
}

}  // namespace

void SplitItemText(const std::u16string& text, std::u16string* label, std::u16string* accel) {
  size_t tab = text.find(u'\t');
  *label = text.substr(0, tab);
  *accel = tab == std::u16string::npos ? std::u16string() : text.substr(tab + 1);
}

char16_t Mnemonic(const std::u16string& label) {
  for (size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != u'&') continue;
    if (label[i + 1] != u'&') return label[i + 1];
    ++i;  // "&&" is a literal ampersand
  }
  return 0;
}

SIZE LayoutPopup(HMENU menu, HWND owner) {
  bool ok = false;
  std::vector<Item> items = SnapshotItems(menu, &ok);
  if (!ok) return SIZE{};
  MenuMetrics mm;
  std::vector<SIZE> label(items.size()), accel(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    const Item& it = items[i];
    if (it.IsSeparator()) {
      label[i] = SIZE{0, mm.separatorHeight};
    } else if (it.IsOwnerDraw()) {
      SIZE s = OwnerDrawSize(owner, it);
      label[i] = SIZE{s.cx, s.cy};
    } else if (it.IsBitmap()) {
      SIZE s = BitmapSize(it.bitmap, mm.checkWidth);
      label[i] = SIZE{s.cx, std::max<LONG>(s.cy, mm.itemHeight)};
    } else {
      std::u16string l, a;
      SplitItemText(it.text, &l, &a);
      label[i] = SIZE{mm.TextWidth(l, (it.state & MFS_DEFAULT) != 0), mm.itemHeight};
      accel[i] = SIZE{a.empty() ? 0 : mm.TextWidth(a, false), 0};
    }
  }
  std::vector<RECT> rects(items.size());
  int x = kPopupBorder, maxBottom = kPopupBorder;
  size_t start = 0;
  while (start < items.size() || (start == 0 && items.empty())) {
    size_t end = start + 1;
    while (end < items.size() && !(items[end].type & (MFT_MENUBREAK | MFT_MENUBARBREAK))) ++end;
    end = std::min(end, items.size());
    int labelMax = 0, accelMax = 0;
    for (size_t i = start; i < end; ++i) {
      labelMax = std::max<int>(labelMax, label[i].cx);
      accelMax = std::max<int>(accelMax, accel[i].cx);
    }
    int width = mm.checkWidth + labelMax + (accelMax ? mm.accelGap + accelMax : 0) + mm.arrowWidth;
    if (start < items.size() && (items[start].type & MFT_MENUBARBREAK) && start > 0) x += 2;  // the dividing line
    int y = kPopupBorder;
    for (size_t i = start; i < end; ++i) {
      rects[i] = RECT{x, y, x + width, y + label[i].cy};
      y += label[i].cy;
    }
    maxBottom = std::max(maxBottom, y);
    x += width;
    if (items.empty()) break;
    start = end;
  }
  SIZE size{x + kPopupBorder, maxBottom + kPopupBorder};
  StoreRects(menu, rects, size, nullptr);
  return size;
}

int LayoutBar(HMENU menu, HWND owner, int width, POINT origin) {
  bool ok = false;
  std::vector<Item> items = SnapshotItems(menu, &ok);
  if (!ok) return 0;
  MenuMetrics mm;
  int rowHeight = GetSystemMetrics(SM_CYMENU);
  std::vector<RECT> rects(items.size());
  int x = origin.x, y = origin.y;
  size_t rowStart = 0;
  auto justifyRow = [&](size_t from, size_t to) {
    // Items from the first right-justified one on move to the row's right end.
    for (size_t i = from; i < to; ++i) {
      if (!(items[i].type & MFT_RIGHTJUSTIFY)) continue;
      int shift = origin.x + width - rects[to - 1].right;
      if (shift > 0)
        for (size_t j = i; j < to; ++j) OffsetRect(&rects[j], shift, 0);
      break;
    }
  };
  for (size_t i = 0; i < items.size(); ++i) {
    const Item& it = items[i];
    int w;
    if (it.IsOwnerDraw()) {
      w = OwnerDrawSize(owner, it).cx;
    } else if (it.IsBitmap()) {
      w = BitmapSize(it.bitmap, mm.checkWidth).cx + 2 * mm.barPadding;
    } else {
      std::u16string l, a;
      SplitItemText(it.text, &l, &a);
      w = mm.TextWidth(l, false) + 2 * mm.barPadding;
    }
    bool breakHere = (it.type & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0;
    if (x > origin.x && (breakHere || x + w > origin.x + width)) {
      justifyRow(rowStart, i);
      rowStart = i;
      x = origin.x;
      y += rowHeight;
    }
    rects[i] = RECT{x, y, x + w, y + rowHeight};
    x += w;
  }
  if (!items.empty()) justifyRow(rowStart, items.size());
  int height = y - origin.y + rowHeight;
  StoreRects(menu, rects, SIZE{width, height}, owner);
  return height;
}

int ItemAt(HMENU menu, POINT pt) {
  std::lock_guard lock(MenuLock());
  MenuObj* m = FindMenu(menu);
  if (!m) return -1;
  for (size_t i = 0; i < m->items.size(); ++i) {
    const Item& it = m->items[i];
    if (PtInRect(&it.rect, pt)) return it.Selectable() ? int(i) : -1;
  }
  return -1;
}

}  // namespace win::menu
