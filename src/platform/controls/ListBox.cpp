// The LISTBOX control: items, selection and the LB_ messages.

#include <algorithm>
#include <mutex>

#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListBoxInternal.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/Rects.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/messages/Timers.h"
#include "platform/user/windows/Window.h"

namespace win::listbox {

State* StateOf(HWND hwnd) { return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, 0)); }

DWORD Style(const State& s) { return DWORD(GetWindowLongPtrW(s.hwnd, GWL_STYLE)); }
bool MultiSel(const State& s) { return (Style(s) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
bool Extended(const State& s) { return (Style(s) & LBS_EXTENDEDSEL) != 0; }
bool OwnerDrawn(const State& s) { return (Style(s) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
bool Variable(const State& s) { return (Style(s) & LBS_OWNERDRAWVARIABLE) != 0; }
bool HasStrings(const State& s) { return !OwnerDrawn(s) || (Style(s) & LBS_HASSTRINGS) != 0; }
bool NoSel(const State& s) { return (Style(s) & LBS_NOSEL) != 0; }

HWND Owner(const State& s) { return s.combo ? GetParent(s.combo) : GetParent(s.hwnd); }
UINT CtlType(const State& s) { return s.combo ? ODT_COMBOBOX : ODT_LISTBOX; }
UINT CtlId(const State& s) { return UINT(GetDlgCtrlID(s.combo ? s.combo : s.hwnd)); }

void Notify(State& s, WORD code) {
  if (s.combo) {
    SendMessageW(s.combo, WM_COMMAND, MAKEWPARAM(WORD(CtlId(s)), code), LPARAM(s.hwnd));
  } else if (Style(s) & LBS_NOTIFY) {
    if (HWND parent = GetParent(s.hwnd))
      SendMessageW(parent, WM_COMMAND, MAKEWPARAM(WORD(CtlId(s)), code), LPARAM(s.hwnd));
  }
}

int Count(const State& s) { return int(s.items.size()); }

bool IsSelected(const State& s, int index) {
  if (index < 0 || index >= Count(s)) return false;
  return MultiSel(s) ? s.items[size_t(index)].selected : index == s.cur;
}

void SetCaret(State& s, int index, bool scroll) {
  if (Count(s) == 0) {
    s.caret = 0;
    return;
  }
  index = std::clamp(index, 0, Count(s) - 1);
  if (index != s.caret) {
    int old = s.caret;
    s.caret = index;
    if (s.focused) {
      RedrawItem(s, old, ODA_FOCUS);
      RedrawItem(s, index, ODA_FOCUS);
    }
  }
  if (scroll) EnsureVisible(s, index);
}

bool SelectSingle(State& s, int index) {
  if (NoSel(s)) return false;
  if (index >= Count(s)) index = -1;
  if (index == s.cur) return false;
  int old = s.cur;
  s.cur = index;
  RedrawItem(s, old, ODA_SELECT);
  RedrawItem(s, index, ODA_SELECT);
  return true;
}

bool SetItemSel(State& s, int index, bool select) {
  if (NoSel(s) || index < 0 || index >= Count(s)) return false;
  Item& it = s.items[size_t(index)];
  if (it.selected == select) return false;
  it.selected = select;
  RedrawItem(s, index, ODA_SELECT);
  return true;
}

bool SelectOnlyRange(State& s, int first, int last) {
  if (first > last) std::swap(first, last);
  bool changed = false;
  for (int i = 0; i < Count(s); ++i) changed |= SetItemSel(s, i, i >= first && i <= last);
  return changed;
}

int FindPrefix(const State& s, int start, std::u16string_view text, bool exact) {
  int n = Count(s);
  if (n == 0) return int(LB_ERR);
  if (start < -1 || start >= n) start = -1;
  bool strings = HasStrings(s);
  // A cheap test of the first character passes over most items before the full comparison.
  const bool screen = !text.empty();
  const char16_t lower = screen ? ToLowerChar(text[0]) : 0, upper = screen ? ToUpperChar(text[0]) : 0;
  char16_t lastFirst = text.empty() ? 0 : text[0];  // the last first character seen and its verdict
  bool lastPasses = true;
  for (int k = 1; k <= n; ++k) {
    int i = (start + k) % n;
    const Item& it = s.items[size_t(i)];
    if (!strings) continue;
    // Lengths first: they sit in the item itself, the characters elsewhere in memory.
    if (exact ? it.text.size() != text.size() : it.text.size() < text.size()) continue;
    if (screen && !it.text.empty()) {
      const char16_t first = it.text[0];
      if (first != lastFirst) {
        lastFirst = first;
        lastPasses = ToLowerChar(first) == lower || ToUpperChar(first) == upper;
      }
      if (!lastPasses) continue;
    }
    if (exact) {
      if (SameTextIgnoreCase(it.text, text)) return i;
    } else if (it.text.size() >= text.size() &&
               SameTextIgnoreCase(std::u16string_view(it.text).substr(0, text.size()), text)) {
      return i;
    }
  }
  return int(LB_ERR);
}

namespace {

constexpr size_t kMaxItems = 0x7FFFFFF;  // beyond this an insertion fails with LB_ERRSPACE

int FindData(const State& s, int start, ULONG_PTR data) {
  int n = Count(s);
  if (start < -1 || start >= n) start = -1;
  for (int k = 1; k <= n; ++k) {
    int i = (start + k) % n;
    if (s.items[size_t(i)].data == data) return i;
  }
  return int(LB_ERR);
}

int DefaultItemHeight(State& s) {
  RecalcFontHeight(s);
  return s.itemHeight;
}

int MeasureItem(State& s, int index, ULONG_PTR data) {
  MEASUREITEMSTRUCT mis;
  mis.CtlType = CtlType(s);
  mis.CtlID = CtlId(s);
  mis.itemID = UINT(index);
  mis.itemData = data;
  mis.itemHeight = UINT(s.itemHeight);
  RECT rc;
  GetClientRect(s.hwnd, &rc);
  mis.itemWidth = UINT(rc.right);
  if (HWND owner = Owner(s)) SendMessageW(owner, WM_MEASUREITEM, mis.CtlID, LPARAM(&mis));
  return std::clamp(int(mis.itemHeight), 1, 255);
}

// -1: a before b, 0: same, 1: after.
int Compare(State& s, const Item& a, int indexB) {
  const Item& b = s.items[size_t(indexB)];
  if (HasStrings(s)) {
    int c = CompareTextIgnoreCase(a.text, b.text);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
  }
  COMPAREITEMSTRUCT cis;
  cis.CtlType = CtlType(s);
  cis.CtlID = CtlId(s);
  cis.hwndItem = s.combo ? s.combo : s.hwnd;
  cis.itemID1 = UINT(-1);
  cis.itemData1 = a.data;
  cis.itemID2 = UINT(indexB);
  cis.itemData2 = b.data;
  HWND owner = Owner(s);
  LRESULT r = owner ? SendMessageW(owner, WM_COMPAREITEM, cis.CtlID, LPARAM(&cis)) : 0;
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

void SendDeleteItem(State& s, int index) {
  const Item& it = s.items[size_t(index)];
  if (!OwnerDrawn(s) && it.data == 0) return;
  DELETEITEMSTRUCT dis;
  dis.CtlType = CtlType(s);
  dis.CtlID = CtlId(s);
  dis.itemID = UINT(index);
  dis.hwndItem = s.combo ? s.combo : s.hwnd;
  dis.itemData = it.data;
  if (HWND owner = Owner(s)) SendMessageW(owner, WM_DELETEITEM, dis.CtlID, LPARAM(&dis));
}

void AfterCountChange(State& s) {
  if (s.top > MaxTop(s)) s.top = MaxTop(s);
  if (s.top < 0) s.top = 0;
  UpdateScrollBars(s);
  InvalidateAll(s);
}

LRESULT InsertItem(State& s, int index, LPARAM lParam, bool sorted) {
  if (s.items.size() >= kMaxItems) return LB_ERRSPACE;
  if (index < -1 || index > Count(s)) return LB_ERR;
  Item item;
  if (HasStrings(s)) {
    if (auto* text = reinterpret_cast<LPCWSTR>(lParam)) item.text = text;
  } else {
    item.data = ULONG_PTR(lParam);
  }
  if (sorted) {
    // After the items that compare equal, so that equal items keep their order of arrival.
    int lo = 0, hi = Count(s);
    while (lo < hi) {
      int mid = (lo + hi) / 2;
      if (Compare(s, item, mid) < 0) hi = mid; else lo = mid + 1;
    }
    index = lo;
  } else if (index == -1) {
    index = Count(s);
  }
  if (Variable(s)) item.height = MeasureItem(s, index, item.data);
  s.items.insert(s.items.begin() + index, std::move(item));
  if (s.cur >= index) ++s.cur;
  if (s.anchor >= index) ++s.anchor;
  if (Count(s) > 1 && s.caret >= index) ++s.caret;
  AfterCountChange(s);
  return index;
}

LRESULT DeleteItem(State& s, int index) {
  if (index < 0 || index >= Count(s)) return LB_ERR;
  SendDeleteItem(s, index);
  if (index >= Count(s)) return LB_ERR;  // the owner changed the list meanwhile
  s.items.erase(s.items.begin() + index);
  if (s.cur == index) s.cur = -1; else if (s.cur > index) --s.cur;
  if (s.anchor == index) s.anchor = -1; else if (s.anchor > index) --s.anchor;
  if (s.caret > index || (s.caret == index && s.caret >= Count(s))) s.caret = std::max(0, s.caret - 1);
  AfterCountChange(s);
  return Count(s);
}

void ResetContent(State& s) {
  for (int i = 0; i < Count(s); ++i) SendDeleteItem(s, i);
  s.items.clear();
  s.cur = -1;
  s.caret = 0;
  s.anchor = -1;
  s.top = 0;
  AfterCountChange(s);
}

LRESULT GetText(const State& s, int index, LPARAM buffer) {
  if (index < 0 || index >= Count(s) || !buffer) return LB_ERR;
  const Item& it = s.items[size_t(index)];
  if (!HasStrings(s)) {
    *reinterpret_cast<ULONG_PTR*>(buffer) = it.data;
    return sizeof(ULONG_PTR);
  }
  auto* out = reinterpret_cast<char16_t*>(buffer);
  std::copy(it.text.begin(), it.text.end(), out);
  out[it.text.size()] = 0;
  return LRESULT(it.text.size());
}

LRESULT SelectRange(State& s, int first, int last, bool select) {
  if (!MultiSel(s) || NoSel(s)) return LB_ERR;
  if (first > last) std::swap(first, last);
  first = std::max(first, 0);
  last = std::min(last, Count(s) - 1);
  for (int i = first; i <= last; ++i) SetItemSel(s, i, select);
  return 0;
}

LRESULT SetSel(State& s, bool select, int index) {
  if (!MultiSel(s) || NoSel(s)) return LB_ERR;
  if (index == -1) {
    for (int i = 0; i < Count(s); ++i) SetItemSel(s, i, select);
    return 0;
  }
  if (index < 0 || index >= Count(s)) return LB_ERR;
  SetItemSel(s, index, select);
  if (select) {
    s.anchor = index;
    SetCaret(s, index, false);
  }
  return 0;
}

LRESULT SetCurSel(State& s, int index) {
  if (MultiSel(s) || NoSel(s)) return LB_ERR;
  if (index < -1 || index >= Count(s)) return LB_ERR;
  SelectSingle(s, index);
  if (index < 0) return LB_ERR;  // clearing the selection answers LB_ERR
  SetCaret(s, index);
  return index;
}

LRESULT GetSelItems(const State& s, int max, LPARAM out) {
  if (!MultiSel(s)) return LB_ERR;
  auto* indexes = reinterpret_cast<int*>(out);
  if (!indexes && max > 0) return LB_ERR;
  int n = 0;
  for (int i = 0; i < Count(s) && n < max; ++i)
    if (s.items[size_t(i)].selected) indexes[n++] = i;
  return n;
}

LRESULT SetItemHeight(State& s, int index, int height) {
  if (height <= 0 || height > 255) return LB_ERR;
  if (Variable(s)) {
    if (index < 0 || index >= Count(s)) return LB_ERR;
    s.items[size_t(index)].height = height;
  } else {
    s.itemHeight = height;
  }
  AfterCountChange(s);
  return 0;
}

LRESULT SetCount(State& s, int count) {
  if (!(Style(s) & LBS_NODATA) || HasStrings(s)) return LB_ERR;
  if (count < 0 || size_t(count) > kMaxItems) return LB_ERRSPACE;
  s.items.resize(size_t(count));
  if (s.cur >= count) s.cur = -1;
  if (s.anchor >= count) s.anchor = -1;
  if (s.caret >= count) s.caret = std::max(0, count - 1);
  AfterCountChange(s);
  return 0;
}

void OnFocus(State& s, bool gained) {
  s.focused = gained;
  if (Count(s) == 0) InvalidateAll(s);  // the empty list's focus frame
  RedrawItem(s, s.caret, ODA_FOCUS);
  if (!gained && s.tracking && !s.combo) EndTracking(s, true);
  Notify(s, gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCTW* cs) {
  auto* s = new State;
  s->hwnd = hwnd;
  SetWindowLongPtrW(hwnd, 0, LONG_PTR(s));
  if (cs && cs->lpCreateParams) {
    s->combo = static_cast<HWND>(cs->lpCreateParams);
    // Lists without strings are only possible for owner-drawn lists.
  }
  DWORD style = Style(*s);
  if ((style & LBS_OWNERDRAWVARIABLE) && (style & LBS_OWNERDRAWFIXED))
    SetWindowLongPtrW(hwnd, GWL_STYLE, LONG_PTR(style & ~DWORD(LBS_OWNERDRAWFIXED)));
  if (style & LBS_NOREDRAW) s->redraw = false;
  s->vscroll = (style & WS_VSCROLL) != 0;
  s->hscroll = (style & WS_HSCROLL) != 0;
  DefaultItemHeight(*s);
  if (Style(*s) & LBS_OWNERDRAWFIXED) s->itemHeight = MeasureItem(*s, 0, 0);
  UpdateScrollBars(*s);
  return 0;
}

void OnDestroy(State& s) {
  if (s.tracking) EndTracking(s, true);
  for (int i = 0; i < Count(s); ++i) SendDeleteItem(s, i);
  s.items.clear();
}

// Integral height: a list of fixed-height items is cut to show whole items only.
void KeepIntegralHeight(State& s) {
  static thread_local bool busy = false;
  if (busy || (Style(s) & (LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWVARIABLE)) || s.itemHeight <= 0) return;
  RECT rc;
  GetClientRect(s.hwnd, &rc);
  int extra = rc.bottom % s.itemHeight;
  if (extra == 0 || rc.bottom < s.itemHeight) return;
  RECT wr;
  GetWindowRect(s.hwnd, &wr);
  busy = true;
  SetWindowPos(s.hwnd, nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top - extra,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  busy = false;
}

LRESULT ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  State* sp = StateOf(hwnd);
  if (msg == WM_CREATE) return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lParam));
  if (!sp) return DefWindowProcW(hwnd, msg, wParam, lParam);
  State& s = *sp;
  int index = int(wParam);
  switch (msg) {
    case WM_DESTROY: OnDestroy(s); return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, 0, 0);
      delete sp;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_SIZE:
      KeepIntegralHeight(s);
      if (s.top > MaxTop(s)) s.top = MaxTop(s);
      UpdateScrollBars(s);
      InvalidateAll(s);
      return 0;
    case WM_SETFONT:
      s.font = reinterpret_cast<HFONT>(wParam);
      if (!OwnerDrawn(s)) {
        RecalcFontHeight(s);
        KeepIntegralHeight(s);
        AfterCountChange(s);
      }
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return LRESULT(s.font);
    case WM_SETREDRAW:
      s.redraw = wParam != 0;
      if (s.redraw) {
        UpdateScrollBars(s);
        InvalidateAll(s);
      }
      return 0;
    case WM_ERASEBKGND: return 1;  // painting covers every pixel
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      if (msg == WM_PRINTCLIENT || wParam) {
        Paint(s, reinterpret_cast<HDC>(wParam), nullptr);
        return 0;
      }
      PAINTSTRUCT ps;
      if (HDC hdc = BeginPaint(hwnd, &ps)) {
        Paint(s, hdc, &ps.rcPaint);
        EndPaint(hwnd, &ps);
      }
      return 0;
    }
    case WM_ENABLE: InvalidateAll(s); return 0;
    case WM_SETFOCUS: OnFocus(s, true); return 0;
    case WM_KILLFOCUS: OnFocus(s, false); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: return OnKeyDown(s, wParam);
    case WM_CHAR: return OnChar(s, char16_t(wParam));
    case WM_MOUSEACTIVATE:
      if (s.combo) return MA_NOACTIVATE;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnButtonDown(s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam, msg == WM_LBUTTONDBLCLK);
    case WM_MOUSEMOVE: return OnMouseMove(s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
    case WM_LBUTTONUP: return OnButtonUp(s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_CAPTURECHANGED:
      if (s.tracking && HWND(lParam) != hwnd) EndTracking(s, true);
      return 0;
    case WM_CANCELMODE:
      if (s.tracking) EndTracking(s, true);
      return 0;
    case WM_TIMER: OnDragTimer(s); return 0;
    case WM_MOUSEWHEEL: {
      int lines = -GET_WHEEL_DELTA_WPARAM(wParam) * 3 / WHEEL_DELTA;
      SetTop(s, s.top + lines);
      return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL: return OnScroll(s, msg, LOWORD(wParam));
    case kStartTracking: StartComboTracking(s, wParam != 0); return 0;

    case LB_ADDSTRING: return InsertItem(s, -1, lParam, (Style(s) & LBS_SORT) != 0);
    case LB_INSERTSTRING: return InsertItem(s, index, lParam, false);
    case LB_DELETESTRING: return DeleteItem(s, index);
    case LB_RESETCONTENT: ResetContent(s); return 0;
    case LB_GETCOUNT: return Count(s);
    case LB_GETTEXT: return GetText(s, index, lParam);
    case LB_GETTEXTLEN:
      if (index < 0 || index >= Count(s)) return LB_ERR;
      return HasStrings(s) ? LRESULT(s.items[size_t(index)].text.size()) : LRESULT(sizeof(ULONG_PTR));
    case LB_GETITEMDATA:
      if (index < 0 || index >= Count(s)) return LB_ERR;
      return LRESULT(s.items[size_t(index)].data);
    case LB_SETITEMDATA:
      if (index == -1) {
        for (auto& it : s.items) it.data = ULONG_PTR(lParam);
        return 0;
      }
      if (index < 0 || index >= Count(s)) return LB_ERR;
      s.items[size_t(index)].data = ULONG_PTR(lParam);
      return 0;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      if (!HasStrings(s)) return FindData(s, index, ULONG_PTR(lParam));
      return FindPrefix(s, index, lParam ? reinterpret_cast<LPCWSTR>(lParam) : u"", msg == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
      if (MultiSel(s)) return LB_ERR;
      int found = HasStrings(s) ? FindPrefix(s, index, lParam ? reinterpret_cast<LPCWSTR>(lParam) : u"", false)
                                : FindData(s, index, ULONG_PTR(lParam));
      if (found < 0) return LB_ERR;
      return SetCurSel(s, found);
    }
    case LB_SETCURSEL: return SetCurSel(s, index);
    case LB_GETCURSEL: return MultiSel(s) ? s.caret < Count(s) ? s.caret : LB_ERR : s.cur;
    case LB_SETSEL: return SetSel(s, wParam != 0, int(lParam));
    case LB_GETSEL:
      if (index < 0 || index >= Count(s)) return LB_ERR;
      return IsSelected(s, index) ? 1 : 0;
    case LB_GETSELCOUNT:
      if (!MultiSel(s)) return LB_ERR;
      return std::count_if(s.items.begin(), s.items.end(), [](const Item& it) { return it.selected; });
    case LB_GETSELITEMS: return GetSelItems(s, index, lParam);
    case LB_SELITEMRANGE: return SelectRange(s, LOWORD(lParam), HIWORD(lParam), wParam != 0);
    case LB_SELITEMRANGEEX:
      if (int(lParam) >= index) return SelectRange(s, index, int(lParam), true);
      return SelectRange(s, int(lParam), index, false);
    case LB_SETTOPINDEX:
      if (index < 0 || (index >= Count(s) && Count(s) > 0)) return LB_ERR;
      SetTop(s, index);
      return 0;
    case LB_GETTOPINDEX: return s.top;
    case LB_SETITEMHEIGHT: return SetItemHeight(s, index, int(SHORT(LOWORD(lParam))));
    case LB_GETITEMHEIGHT:
      if (Variable(s)) {
        if (index < 0 || index >= Count(s)) return LB_ERR;
        return s.items[size_t(index)].height;
      }
      return s.itemHeight;
    case LB_GETITEMRECT: {
      auto* out = reinterpret_cast<RECT*>(lParam);
      if (!out || index < 0 || (index >= Count(s) && !(index == 0 && Count(s) == 0))) return LB_ERR;
      *out = ItemRect(s, index);
      RECT client, both;
      GetClientRect(hwnd, &client);
      return IntersectRect(&both, &client, out) ? 1 : 0;
    }
    case LB_ITEMFROMPOINT: {
      bool outside = false;
      POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      int found = ItemAt(s, pt.y, &outside);
      RECT client;
      GetClientRect(hwnd, &client);
      if (!PtInRect(&client, pt)) outside = true;
      if (found < 0) return MAKELONG(0xFFFF, 1);
      return MAKELONG(WORD(found), outside ? 1 : 0);
    }
    case LB_SETCARETINDEX:
      if (index < 0 || index >= Count(s)) return LB_ERR;
      SetCaret(s, index, lParam == 0);
      if (lParam) EnsureVisible(s, index, true);
      return 0;
    case LB_GETCARETINDEX: return Count(s) ? s.caret : (MultiSel(s) ? 0 : LB_ERR);
    case LB_SETANCHORINDEX:
      if (index < -1 || index >= Count(s)) return LB_ERR;
      s.anchor = index;
      return 0;
    case LB_GETANCHORINDEX: return s.anchor;
    case LB_INITSTORAGE: {
      size_t wanted = s.items.size() + wParam;
      if (wParam > kMaxItems || wanted > kMaxItems) return LB_ERRSPACE;
      s.items.reserve(wanted);
      return LRESULT(s.items.capacity());
    }
    case LB_SETHORIZONTALEXTENT:
      s.hExtent = std::max(0, index);
      UpdateScrollBars(s);
      InvalidateAll(s);
      return 0;
    case LB_GETHORIZONTALEXTENT: return s.hExtent;
    case LB_SETCOUNT: return SetCount(s, index);
    case LB_SETLOCALE: return 0;
    case LB_GETLOCALE: return 0x0409;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace
}  // namespace win::listbox

namespace win {

BOOL RegisterListBoxClasses() {
  static std::once_flag once;
  static BOOL ok = FALSE;
  std::call_once(once, [] {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = listbox::ListBoxProc;
    wc.cbWndExtra = sizeof(void*);
    wc.lpszClassName = u"ListBox";
    ok = RegisterClassExW(&wc) != 0;
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS | CS_SAVEBITS;
    wc.lpszClassName = u"ComboLBox";
    ok = ok && RegisterClassExW(&wc) != 0;
  });
  return ok;
}

}  // namespace win
