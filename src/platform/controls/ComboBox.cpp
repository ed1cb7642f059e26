// The COMBOBOX control: the selection field, the drop-down button, the "ComboLBox" list and the
// CB_ messages, with the CBN_ notifications to the parent.

#include <algorithm>
#include <mutex>
#include <string>

#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListBoxInternal.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/Rects.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/Monitor.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/windows/Window.h"

namespace win {
namespace {

constexpr int kListId = 1000, kEditId = 1001;
constexpr int kEdge = 2;           // the sunken 3-D edge round the field
constexpr int kDefaultMinVisible = 30;

struct Combo {
  HWND hwnd = nullptr;
  HWND edit = nullptr;
  HWND list = nullptr;
  WNDPROC editProc = nullptr;
  HFONT font = nullptr;
  int fieldHeight = 15;
  int dropHeight = 0;
  int droppedWidth = 0;
  int minVisible = 0;  // 0: the list's height comes from the height the combo was created with
  int shownSel = -1;   // the selection the field shows
  bool dropped = false;
  bool focused = false;
  bool extendedUI = false;
  bool settingText = false;
};

Combo* ComboOf(HWND hwnd) { return reinterpret_cast<Combo*>(GetWindowLongPtrW(hwnd, 0)); }

DWORD Kind(const Combo& c) { return DWORD(GetWindowLongPtrW(c.hwnd, GWL_STYLE)) & 3; }
bool DropDownList(const Combo& c) { return Kind(c) == CBS_DROPDOWNLIST; }
bool Simple(const Combo& c) { return Kind(c) == CBS_SIMPLE; }
bool OwnerDrawn(const Combo& c) {
  return (GetWindowLongPtrW(c.hwnd, GWL_STYLE) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}
bool HasStrings(const Combo& c) {
  return !OwnerDrawn(c) || (GetWindowLongPtrW(c.hwnd, GWL_STYLE) & CBS_HASSTRINGS) != 0;
}

void Notify(Combo& c, WORD code) {
  if (HWND parent = GetParent(c.hwnd))
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID(c.hwnd)), code), LPARAM(c.hwnd));
}

int ComboHeight(const Combo& c) { return c.fieldHeight + 2 * kEdge + 2; }
int ButtonWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

RECT ButtonRect(const Combo& c) {
  if (Simple(c)) return RECT{};
  RECT rc;
  GetClientRect(c.hwnd, &rc);
  return RECT{rc.right - kEdge - ButtonWidth(), kEdge, rc.right - kEdge, ComboHeight(c) - kEdge};
}

RECT FieldRect(const Combo& c) {
  RECT rc;
  GetClientRect(c.hwnd, &rc);
  int right = Simple(c) ? rc.right - kEdge - 1 : rc.right - kEdge - ButtonWidth() - 1;
  return RECT{kEdge + 1, kEdge + 1, std::max(kEdge + 1, right), ComboHeight(c) - kEdge - 1};
}

int TextHeight(HWND hwnd, HFONT font) {
  HDC hdc = GetDC(hwnd);
  if (!hdc) return 13;
  HGDIOBJ old = SelectObject(hdc, font ? HGDIOBJ(font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm;
  int h = GetTextMetricsW(hdc, &tm) ? int(tm.tmHeight) : 13;
  SelectObject(hdc, old);
  ReleaseDC(hwnd, hdc);
  return std::max(1, h);
}

int CurSel(const Combo& c) { return int(SendMessageW(c.list, LB_GETCURSEL, 0, 0)); }

std::u16string ItemText(const Combo& c, int index) {
  LRESULT len = SendMessageW(c.list, LB_GETTEXTLEN, WPARAM(index), 0);
  if (len < 0 || !HasStrings(c)) return {};
  std::u16string text(size_t(len) + 1, u'\0');
  LRESULT got = SendMessageW(c.list, LB_GETTEXT, WPARAM(index), LPARAM(text.data()));
  text.resize(size_t(std::max<LRESULT>(got, 0)));
  return text;
}

void SetEditText(Combo& c, const std::u16string& text) {
  if (!c.edit) return;
  c.settingText = true;
  SetWindowTextW(c.edit, text.c_str());
  if (c.focused) SendMessageW(c.edit, EM_SETSEL, 0, -1);
  c.settingText = false;
}

// The field shows the list's selection.
void ShowSelection(Combo& c) {
  c.shownSel = CurSel(c);
  if (c.edit) SetEditText(c, c.shownSel >= 0 ? ItemText(c, c.shownSel) : std::u16string());
  RECT field = FieldRect(c);
  InvalidateRect(c.hwnd, &field, TRUE);
}

RECT DroppedRect(const Combo& c) {
  RECT wr;
  GetWindowRect(c.hwnd, &wr);
  int width = std::max<int>(c.droppedWidth, wr.right - wr.left);
  int itemHeight = std::max<int>(1, int(SendMessageW(c.list, LB_GETITEMHEIGHT, 0, 0)));
  int count = int(SendMessageW(c.list, LB_GETCOUNT, 0, 0));
  int border = 2;
  int height;
  if (c.minVisible > 0) {
    height = std::clamp(count, 1, c.minVisible) * itemHeight + border;
  } else {
    height = std::max(c.dropHeight, itemHeight + border);
    if (!(GetWindowLongPtrW(c.hwnd, GWL_STYLE) & CBS_NOINTEGRALHEIGHT)) {
      int rows = std::clamp((height - border) / itemHeight, 1, std::max(count, 1));
      height = rows * itemHeight + border;
    }
  }
  RECT out{wr.left, wr.bottom, wr.left + width, wr.bottom + height};
  MONITORINFO mi;
  mi.cbSize = sizeof mi;
  if (GetMonitorInfoW(MonitorFromWindow(c.hwnd, MONITOR_DEFAULTTONEAREST), &mi)) {
    const RECT& work = mi.rcWork;
    if (out.bottom > work.bottom) {
      if (wr.top - height >= work.top) {
        out.top = wr.top - height;  // above the combo where it fits there
        out.bottom = wr.top;
      } else {
        out.bottom = std::max<LONG>(work.bottom, out.top + itemHeight + border);
      }
    }
    if (out.right > work.right) OffsetRect(&out, std::max<LONG>(work.left - out.left, work.right - out.right), 0);
  }
  return out;
}

void Drop(Combo& c, bool pressed) {
  if (c.dropped || Simple(c)) return;
  Notify(c, CBN_DROPDOWN);
  if (!IsWindow(c.hwnd) || c.dropped) return;
  c.dropped = true;
  c.shownSel = CurSel(c);
  RECT r = DroppedRect(c);
  SetWindowPos(c.list, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  if (c.shownSel >= 0) SendMessageW(c.list, LB_SETCARETINDEX, WPARAM(c.shownSel), 0);
  SendMessageW(c.list, listbox::kStartTracking, pressed ? TRUE : FALSE, 0);
  InvalidateRect(c.hwnd, nullptr, TRUE);
}

void CloseUp(Combo& c, bool ok) {
  if (!c.dropped) return;
  c.dropped = false;
  ShowWindow(c.list, SW_HIDE);
  if (GetCapture() == c.list) ReleaseCapture();
  if (ok) {
    if (CurSel(c) != c.shownSel) {
      ShowSelection(c);
      Notify(c, CBN_SELCHANGE);
    }
    if (IsWindow(c.hwnd)) Notify(c, CBN_SELENDOK);
  } else {
    // What the mouse only pointed at is dropped again.
    if (CurSel(c) != c.shownSel) SendMessageW(c.list, LB_SETCURSEL, WPARAM(c.shownSel), 0);
    Notify(c, CBN_SELENDCANCEL);
  }
  if (!IsWindow(c.hwnd)) return;
  Notify(c, CBN_CLOSEUP);
  if (IsWindow(c.hwnd)) InvalidateRect(c.hwnd, nullptr, TRUE);
}

void FocusIn(Combo& c) {
  if (c.focused) return;
  c.focused = true;
  if (c.edit) SendMessageW(c.edit, EM_SETSEL, 0, -1);
  InvalidateRect(c.hwnd, nullptr, TRUE);
  Notify(c, CBN_SETFOCUS);
}

void FocusOut(Combo& c, HWND to) {
  if (!c.focused || to == c.hwnd || (to && (to == c.edit || to == c.list))) return;
  if (c.dropped) CloseUp(c, false);
  if (!IsWindow(c.hwnd)) return;
  c.focused = false;
  InvalidateRect(c.hwnd, nullptr, TRUE);
  Notify(c, CBN_KILLFOCUS);
}

bool NavigationKey(const Combo& c, WPARAM vk) {
  switch (vk) {
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: return true;
    case VK_LEFT: case VK_RIGHT: case VK_HOME: case VK_END: return DropDownList(c);  // the edit keeps these
    default: return false;
  }
}

// The keys the combo box takes from its field; false: not for the combo.
bool OnComboKey(Combo& c, WPARAM vk, bool sys) {
  if (sys) {
    if (vk != VK_DOWN && vk != VK_UP) return false;
    if (c.dropped) CloseUp(c, true); else Drop(c, false);
    return true;
  }
  if (vk == VK_F4) {
    if (c.extendedUI) return true;
    if (c.dropped) CloseUp(c, true); else Drop(c, false);
    return true;
  }
  if (c.dropped && (vk == VK_RETURN || vk == VK_ESCAPE)) {
    CloseUp(c, vk == VK_RETURN);
    return true;
  }
  if (!c.dropped && c.extendedUI && vk == VK_DOWN) {
    Drop(c, false);
    return true;
  }
  if (!NavigationKey(c, vk)) return false;
  SendMessageW(c.list, WM_KEYDOWN, vk, 0);  // a change comes back as LBN_SELCHANGE
  return true;
}

// While the list is dropped Return and Esc close it (choosing or restoring the entry), so the
// combo box claims them from the dialog; lParam is the key's message when the asker passes one.
LRESULT DialogCode(const Combo& c, LPARAM lParam) {
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (!c.dropped) return code;
  const auto* key = reinterpret_cast<const MSG*>(lParam);
  if (key == nullptr || (key->message == WM_KEYDOWN && (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE)))
    code |= DLGC_WANTMESSAGE;
  return code;
}

LRESULT EditSubclass(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND combo = GetParent(edit);
  Combo* c = combo ? ComboOf(combo) : nullptr;
  if (!c || c->edit != edit) return DefWindowProcW(edit, msg, wParam, lParam);
  WNDPROC previous = c->editProc;
  switch (msg) {
    case WM_GETDLGCODE:
      return CallWindowProcW(previous, edit, msg, wParam, lParam) | (DialogCode(*c, lParam) & DLGC_WANTMESSAGE);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (OnComboKey(*c, wParam, msg == WM_SYSKEYDOWN)) return 0;
      break;
    case WM_CHAR:
      if (wParam == u'\r' || wParam == 27) {
        if (!c->dropped) break;
        return 0;
      }
      break;
    case WM_SETFOCUS: {
      LRESULT r = CallWindowProcW(previous, edit, msg, wParam, lParam);
      if (Combo* again = ComboOf(combo)) FocusIn(*again);
      return r;
    }
    case WM_KILLFOCUS: {
      LRESULT r = CallWindowProcW(previous, edit, msg, wParam, lParam);
      if (IsWindow(combo))
        if (Combo* again = ComboOf(combo)) FocusOut(*again, HWND(wParam));
      return r;
    }
    default: break;
  }
  return CallWindowProcW(previous, edit, msg, wParam, lParam);
}

void OnEditNotify(Combo& c, WORD code) {
  if (c.settingText) return;
  if (code == EN_UPDATE) {
    Notify(c, CBN_EDITUPDATE);
    return;
  }
  if (code != EN_CHANGE) return;
  // The list follows the text: the exact item, or while it is down the first that starts so.
  int length = GetWindowTextLengthW(c.edit);
  std::u16string text(size_t(length) + 1, u'\0');
  GetWindowTextW(c.edit, text.data(), length + 1);
  text.resize(size_t(length));
  LRESULT index = SendMessageW(c.list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(text.c_str()));
  if (index < 0 && c.dropped && !text.empty())
    index = SendMessageW(c.list, LB_FINDSTRING, WPARAM(-1), LPARAM(text.c_str()));
  SendMessageW(c.list, LB_SETCURSEL, WPARAM(index), 0);
  c.shownSel = int(index < 0 ? -1 : index);
  Notify(c, CBN_EDITCHANGE);
}

void Layout(Combo& c) {
  RECT rc;
  GetClientRect(c.hwnd, &rc);
  if (c.edit) {
    RECT f = FieldRect(c);
    MoveWindow(c.edit, f.left, f.top, f.right - f.left, f.bottom - f.top, TRUE);
  }
  if (Simple(c)) {
    int top = ComboHeight(c);
    MoveWindow(c.list, 0, top, rc.right, std::max<LONG>(0, rc.bottom - top), TRUE);
  }
}

void MeasureField(Combo& c) {
  c.fieldHeight = TextHeight(c.hwnd, c.font) + 2;
  if (!OwnerDrawn(c)) return;
  MEASUREITEMSTRUCT mis;
  mis.CtlType = ODT_COMBOBOX;
  mis.CtlID = UINT(GetDlgCtrlID(c.hwnd));
  mis.itemID = UINT(-1);
  mis.itemHeight = UINT(c.fieldHeight);
  if (HWND parent = GetParent(c.hwnd)) SendMessageW(parent, WM_MEASUREITEM, mis.CtlID, LPARAM(&mis));
  c.fieldHeight = std::clamp(int(mis.itemHeight), 1, 255);
}

void Resize(Combo& c) {
  if (!Simple(c)) {
    RECT wr;
    GetWindowRect(c.hwnd, &wr);
    SetWindowPos(c.hwnd, nullptr, 0, 0, wr.right - wr.left, ComboHeight(c),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Layout(c);
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCTW* cs) {
  auto* c = new Combo;
  c->hwnd = hwnd;
  SetWindowLongPtrW(hwnd, 0, LONG_PTR(c));
  DWORD style = DWORD(cs->style);
  if ((style & 3) == 0) SetWindowLongPtrW(hwnd, GWL_STYLE, LONG_PTR(style |= CBS_SIMPLE));
  MeasureField(*c);
  DWORD listStyle = WS_VSCROLL | LBS_NOTIFY | LBS_COMBOBOX;
  if (style & CBS_SORT) listStyle |= LBS_SORT;
  if (style & CBS_OWNERDRAWFIXED) listStyle |= LBS_OWNERDRAWFIXED;
  if (style & CBS_OWNERDRAWVARIABLE) listStyle |= LBS_OWNERDRAWVARIABLE;
  if (style & CBS_HASSTRINGS) listStyle |= LBS_HASSTRINGS;
  if (style & CBS_DISABLENOSCROLL) listStyle |= LBS_DISABLENOSCROLL;
  listStyle |= LBS_NOINTEGRALHEIGHT;  // the combo box sizes its list itself
  bool simple = (style & 3) == CBS_SIMPLE;
  listStyle |= simple ? (WS_CHILD | WS_VISIBLE | WS_BORDER) : (WS_POPUP | WS_BORDER);
  c->dropHeight = std::max(0, cs->cy - ComboHeight(*c));
  // A dropped list floats above its dialog as a menu does: a topmost tool window, which a window
  // manager neither decorates nor gives the keyboard, so the keys stay with the combo box while it
  // is open, and which stays above a dialog that itself stays on top.
  c->list = CreateWindowExW(simple ? 0 : WS_EX_TOOLWINDOW | WS_EX_TOPMOST, u"ComboLBox", u"", listStyle, 0, 0, std::max(cs->cx, 1), std::max(c->dropHeight, 1),
                            hwnd, simple ? reinterpret_cast<HMENU>(intptr_t(kListId)) : nullptr, cs->hInstance, hwnd);
  if (!c->list) return -1;
  if ((style & 3) != CBS_DROPDOWNLIST) {
    DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    if (style & CBS_UPPERCASE) editStyle |= ES_UPPERCASE;
    if (style & CBS_LOWERCASE) editStyle |= ES_LOWERCASE;
    c->edit = CreateWindowExW(0, u"Edit", u"", editStyle, 0, 0, 1, 1, hwnd,
                              reinterpret_cast<HMENU>(intptr_t(kEditId)), cs->hInstance, nullptr);
    if (!c->edit) return -1;  // the edit class is not registered
    c->editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(c->edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditSubclass)));
  }
  Resize(*c);
  return 0;
}

void PaintField(Combo& c, HDC hdc) {
  RECT client;
  GetClientRect(c.hwnd, &client);
  bool enabled = IsWindowEnabled(c.hwnd);
  HWND parent = GetParent(c.hwnd);
  SelectObject(hdc, c.font ? HGDIOBJ(c.font) : GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(hdc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  SetBkColor(hdc, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  UINT colorMsg = !enabled ? WM_CTLCOLORSTATIC : c.edit ? WM_CTLCOLOREDIT : WM_CTLCOLORLISTBOX;
  HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(SendMessageW(parent, colorMsg, WPARAM(hdc), LPARAM(c.hwnd))) : nullptr;
  if (!brush) brush = GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE);

  RECT frame{0, 0, client.right, ComboHeight(c)};
  if (Simple(c)) FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
  RECT inner = frame;
  DrawEdge(hdc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(hdc, &inner, brush);
  if (!Simple(c)) {
    RECT button = ButtonRect(c);
    DrawFrameControl(hdc, &button, DFC_SCROLL,
                     DFCS_SCROLLCOMBOBOX | (c.dropped ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
  }
  if (!DropDownList(c)) return;

  RECT field = FieldRect(c);
  int sel = CurSel(c);
  if (c.dropped) sel = c.shownSel;
  bool highlight = c.focused && !c.dropped;
  if (OwnerDrawn(c)) {
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_COMBOBOX;
    dis.CtlID = UINT(GetDlgCtrlID(c.hwnd));
    dis.itemID = UINT(sel);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = ODS_COMBOBOXEDIT | (highlight ? ODS_SELECTED | ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
    dis.hwndItem = c.hwnd;
    dis.hDC = hdc;
    dis.rcItem = field;
    dis.itemData = sel >= 0 ? DWORD_PTR(SendMessageW(c.list, LB_GETITEMDATA, WPARAM(sel), 0)) : 0;
    if (parent) SendMessageW(parent, WM_DRAWITEM, dis.CtlID, LPARAM(&dis));
    return;
  }
  if (highlight) {
    FillRect(hdc, &field, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  if (sel >= 0) {
    std::u16string text = ItemText(c, sel);
    int mode = SetBkMode(hdc, TRANSPARENT);
    RECT textRect = field;
    textRect.left += 2;
    DrawTextW(hdc, text.c_str(), int(text.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetBkMode(hdc, mode);
  }
  if (highlight) DrawFocusRect(hdc, &field);
}

LRESULT GetText(Combo& c, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (c.edit) return SendMessageW(c.edit, msg, wParam, lParam);
  int sel = c.dropped ? c.shownSel : CurSel(c);
  std::u16string text = sel >= 0 ? ItemText(c, sel) : std::u16string();
  if (msg == WM_GETTEXTLENGTH) return LRESULT(text.size());
  auto* out = reinterpret_cast<char16_t*>(lParam);
  if (!out || wParam == 0) return 0;
  size_t n = std::min(text.size(), size_t(wParam) - 1);
  std::copy_n(text.begin(), n, out);
  out[n] = 0;
  return LRESULT(n);
}

LRESULT SetText(Combo& c, LPARAM lParam) {
  const auto* text = reinterpret_cast<LPCWSTR>(lParam);
  std::u16string value = text ? text : u"";
  LRESULT index = SendMessageW(c.list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(value.c_str()));
  if (c.edit) {
    SendMessageW(c.list, LB_SETCURSEL, WPARAM(index), 0);
    c.shownSel = int(index < 0 ? -1 : index);
    SetEditText(c, value);
    return TRUE;
  }
  if (index < 0) return CB_ERR;
  SendMessageW(c.list, LB_SETCURSEL, WPARAM(index), 0);
  ShowSelection(c);
  return TRUE;
}

BOOL FillComboBoxInfo(HWND hwnd, const Combo& c, COMBOBOXINFO* info) {
  if (!info || info->cbSize != sizeof(COMBOBOXINFO)) return FALSE;
  info->rcItem = FieldRect(c);
  info->rcButton = ButtonRect(c);
  info->stateButton = Simple(c) ? STATE_SYSTEM_INVISIBLE : (c.dropped ? STATE_SYSTEM_PRESSED : 0);
  info->hwndCombo = hwnd;
  info->hwndItem = c.edit ? c.edit : hwnd;
  info->hwndList = c.list;
  return TRUE;
}

LRESULT ComboProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    // The scroll bar styles are for the list; the combo box itself has no window bars.
    LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    SetWindowLongPtrW(hwnd, GWL_STYLE, style & ~LONG_PTR(WS_VSCROLL | WS_HSCROLL));
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_CREATE) return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lParam));
  Combo* cp = ComboOf(hwnd);
  if (cp && msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, 0, 0);
    delete cp;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  if (!cp || !cp->list) return DefWindowProcW(hwnd, msg, wParam, lParam);
  Combo& c = *cp;
  switch (msg) {
    case WM_DESTROY:
      c.dropped = false;
      if (GetCapture() == c.list) ReleaseCapture();
      if (IsWindow(c.list)) DestroyWindow(c.list);
      return 0;
    case WM_WINDOWPOSCHANGING: {
      // The height a drop-down combo box is given is the height of its dropped list.
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!Simple(c) && wp && !(wp->flags & SWP_NOSIZE) && wp->cy != ComboHeight(c)) {
        if (wp->cy > ComboHeight(c)) c.dropHeight = wp->cy - ComboHeight(c);
        wp->cy = ComboHeight(c);
      }
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    case WM_SIZE: Layout(c); InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_SETFONT:
      c.font = reinterpret_cast<HFONT>(wParam);
      if (c.edit) SendMessageW(c.edit, WM_SETFONT, wParam, lParam);
      SendMessageW(c.list, WM_SETFONT, wParam, lParam);
      if (!OwnerDrawn(c)) MeasureField(c);
      Resize(c);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return LRESULT(c.font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      if (msg == WM_PRINTCLIENT || wParam) {
        PaintField(c, reinterpret_cast<HDC>(wParam));
        return 0;
      }
      PAINTSTRUCT ps;
      if (HDC hdc = BeginPaint(hwnd, &ps)) {
        PaintField(c, hdc);
        EndPaint(hwnd, &ps);
      }
      return 0;
    }
    case WM_ENABLE:
      if (c.edit) EnableWindow(c.edit, BOOL(wParam));
      EnableWindow(c.list, BOOL(wParam));
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_SETFOCUS:
      if (c.edit) SetFocus(c.edit); else FocusIn(c);
      return 0;
    case WM_KILLFOCUS: FocusOut(c, HWND(wParam)); return 0;
    case WM_GETDLGCODE: return DialogCode(c, lParam);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (OnComboKey(c, wParam, msg == WM_SYSKEYDOWN)) return 0;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_CHAR:
      if (DropDownList(c) && wParam >= 0x20) SendMessageW(c.list, WM_CHAR, wParam, lParam);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      HWND target = c.edit ? c.edit : hwnd;
      if (GetFocus() != target) SetFocus(target);
      if (!IsWindow(hwnd)) return 0;
      POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      RECT button = ButtonRect(c);
      if (!Simple(c) && (DropDownList(c) || PtInRect(&button, pt))) {
        if (c.dropped) CloseUp(c, true); else Drop(c, true);
      }
      return 0;
    }
    case WM_MOUSEWHEEL:
      if (!c.dropped) SendMessageW(c.list, WM_KEYDOWN, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? VK_UP : VK_DOWN, 0);
      return 0;
    case WM_COMMAND:
      if (HWND(lParam) == c.edit && c.edit) {
        OnEditNotify(c, HIWORD(wParam));
      } else if (HWND(lParam) == c.list) {
        WORD code = HIWORD(wParam);
        if (code == LBN_SELCHANGE) {
          ShowSelection(c);
          Notify(c, CBN_SELCHANGE);
        } else if (code == LBN_DBLCLK) {
          Notify(c, CBN_DBLCLK);
        } else if (code == LBN_SETFOCUS && Simple(c)) {
          SetFocus(c.edit ? c.edit : hwnd);  // the field keeps the focus
        }
      }
      return 0;
    case listbox::kDropDownEnded: CloseUp(c, wParam != 0); return 0;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return GetText(c, msg, wParam, lParam);
    case WM_SETTEXT: return SetText(c, lParam);

    case CB_ADDSTRING: return SendMessageW(c.list, LB_ADDSTRING, wParam, lParam);
    case CB_INSERTSTRING: return SendMessageW(c.list, LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING: {
      LRESULT r = SendMessageW(c.list, LB_DELETESTRING, wParam, lParam);
      if (r >= 0) {
        c.shownSel = CurSel(c);
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      return r;
    }
    case CB_RESETCONTENT:
      SendMessageW(c.list, LB_RESETCONTENT, 0, 0);
      c.shownSel = -1;
      if (c.edit) SetEditText(c, u"");
      InvalidateRect(hwnd, nullptr, TRUE);
      return CB_OKAY;
    case CB_GETCOUNT: return SendMessageW(c.list, LB_GETCOUNT, 0, 0);
    case CB_GETLBTEXT: return SendMessageW(c.list, LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN: return SendMessageW(c.list, LB_GETTEXTLEN, wParam, lParam);
    case CB_SETITEMDATA: return SendMessageW(c.list, LB_SETITEMDATA, wParam, lParam);
    case CB_GETITEMDATA: return SendMessageW(c.list, LB_GETITEMDATA, wParam, lParam);
    case CB_FINDSTRING: return SendMessageW(c.list, LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT: return SendMessageW(c.list, LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_GETTOPINDEX: return SendMessageW(c.list, LB_GETTOPINDEX, 0, 0);
    case CB_SETTOPINDEX: return SendMessageW(c.list, LB_SETTOPINDEX, wParam, 0);
    case CB_GETHORIZONTALEXTENT: return SendMessageW(c.list, LB_GETHORIZONTALEXTENT, 0, 0);
    case CB_SETHORIZONTALEXTENT: return SendMessageW(c.list, LB_SETHORIZONTALEXTENT, wParam, 0);
    case CB_INITSTORAGE: return SendMessageW(c.list, LB_INITSTORAGE, wParam, lParam);
    case CB_GETCURSEL: return CurSel(c);
    case CB_SETCURSEL: {
      int index = int(wParam);
      if (index < -1 || index >= int(SendMessageW(c.list, LB_GETCOUNT, 0, 0))) return CB_ERR;
      SendMessageW(c.list, LB_SETCURSEL, WPARAM(index), 0);
      ShowSelection(c);
      return index < 0 ? CB_ERR : index;
    }
    case CB_SELECTSTRING: {
      LRESULT r = SendMessageW(c.list, LB_SELECTSTRING, wParam, lParam);
      if (r >= 0) ShowSelection(c);
      return r;
    }
    case CB_SHOWDROPDOWN:
      if (wParam) Drop(c, false); else CloseUp(c, false);
      return TRUE;
    case CB_GETDROPPEDSTATE: return c.dropped ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT: {
      auto* out = reinterpret_cast<RECT*>(lParam);
      if (!out) return CB_ERR;
      if (Simple(c)) GetWindowRect(c.list, out); else *out = DroppedRect(c);
      return TRUE;
    }
    case CB_SETDROPPEDWIDTH: {
      if (int(wParam) < 0) return CB_ERR;
      c.droppedWidth = std::min(int(wParam), 0x7FFF);
      [[fallthrough]];
    }
    case CB_GETDROPPEDWIDTH: {
      RECT wr;
      GetWindowRect(hwnd, &wr);
      return std::max<LRESULT>(c.droppedWidth, wr.right - wr.left);
    }
    case CB_SETITEMHEIGHT: {
      int height = int(SHORT(LOWORD(lParam)));
      if (int(wParam) != -1) return SendMessageW(c.list, LB_SETITEMHEIGHT, wParam, lParam);
      if (height <= 0 || height > 255) return CB_ERR;
      c.fieldHeight = height;
      Resize(c);
      InvalidateRect(hwnd, nullptr, TRUE);
      return CB_OKAY;
    }
    case CB_GETITEMHEIGHT:
      if (int(wParam) == -1) return c.fieldHeight;
      return SendMessageW(c.list, LB_GETITEMHEIGHT, wParam, 0);
    case CB_SETEXTENDEDUI: c.extendedUI = wParam != 0; return CB_OKAY;
    case CB_GETEXTENDEDUI: return c.extendedUI ? TRUE : FALSE;
    case CB_SETMINVISIBLE:
      if (int(wParam) < 1) return FALSE;
      c.minVisible = int(wParam);
      return TRUE;
    case CB_GETMINVISIBLE: return c.minVisible > 0 ? c.minVisible : kDefaultMinVisible;
    case CB_GETEDITSEL: {
      if (!c.edit) return CB_ERR;
      DWORD start = 0, end = 0;
      SendMessageW(c.edit, EM_GETSEL, WPARAM(&start), LPARAM(&end));
      if (auto* p = reinterpret_cast<DWORD*>(wParam)) *p = start;
      if (auto* p = reinterpret_cast<DWORD*>(lParam)) *p = end;
      return LRESULT(MAKELONG(WORD(std::min<DWORD>(start, 0xFFFF)), WORD(std::min<DWORD>(end, 0xFFFF))));
    }
    case CB_SETEDITSEL:
      if (!c.edit) return CB_ERR;
      SendMessageW(c.edit, EM_SETSEL, WPARAM(int(SHORT(LOWORD(lParam)))), LPARAM(int(SHORT(HIWORD(lParam)))));
      return TRUE;
    case CB_LIMITTEXT:
      if (!c.edit) return CB_ERR;
      SendMessageW(c.edit, EM_LIMITTEXT, wParam, 0);
      return TRUE;
    case CB_GETCOMBOBOXINFO: return FillComboBoxInfo(hwnd, c, reinterpret_cast<COMBOBOXINFO*>(lParam));
    case CB_SETLOCALE: return 0;
    case CB_GETLOCALE: return 0x0409;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

// Answered by the combo box's own procedure, so windows of classes derived from "ComboBox" (whose
// procedures pass the message on) answer too, whatever their class name.
BOOL GetComboBoxInfo(HWND hwndCombo, COMBOBOXINFO* info) {
  if (!info || info->cbSize != sizeof(COMBOBOXINFO) || !IsWindow(hwndCombo)) return FALSE;
  return BOOL(SendMessageW(hwndCombo, CB_GETCOMBOBOXINFO, 0, LPARAM(info)));
}

BOOL RegisterComboBoxClass() {
  static std::once_flag once;
  static BOOL ok = FALSE;
  std::call_once(once, [] {
    if (!RegisterListBoxClasses()) return;
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ComboProc;
    wc.cbWndExtra = sizeof(void*);
    wc.lpszClassName = u"ComboBox";
    ok = RegisterClassExW(&wc) != 0;
  });
  return ok;
}

}  // namespace win
