// The EDIT window class: creation and destruction of the window's state, and the messages.

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include "platform/controls/Edit.h"
#include "platform/controls/EditCommands.h"
#include "platform/controls/EditState.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"

namespace win::edit {
namespace {

constexpr int kStateSlot = 0;

std::u16string CaseStyled(HWND hwnd, std::u16string text) {
  if (HasStyle(hwnd, ES_UPPERCASE)) return UpperCase(text);
  if (HasStyle(hwnd, ES_LOWERCASE)) return LowerCase(text);
  return text;
}

void SetWholeText(HWND hwnd, EditState& s, const char16_t* text) {
  std::u16string t = text ? std::u16string(text) : std::u16string();
  s.buffer.SetText(CaseStyled(hwnd, std::move(t)));
  s.xOffset = 0;
  s.firstLine = 0;
  // A multi-line edit does not report text set by its program as a change.
  TextChanged(hwnd, s, !IsMultiLine(hwnd));
}

LRESULT OnCreate(HWND hwnd, EditState& s, const CREATESTRUCTW* cs) {
  ApplyFont(hwnd, s, reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  ResetFormatRect(hwnd, s);
  if (HasStyle(hwnd, ES_MULTILINE)) s.buffer.SetLimit(kEditMaxLimitMultiLine);
  else s.buffer.SetLimit(kEditDefaultLimit);
  s.buffer.SetText(CaseStyled(hwnd, cs && cs->lpszName ? std::u16string(cs->lpszName) : std::u16string()));
  Relayout(hwnd, s);
  return 0;
}

void OnSetFont(HWND hwnd, EditState& s, HFONT font, bool redraw) {
  ApplyFont(hwnd, s, font ? font : reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  // A new font brings margins of its own.
  int margin = s.avgCharWidth / 2;
  s.leftMargin = s.rightMargin = margin;
  if (!s.customFormat) ResetFormatRect(hwnd, s);
  Relayout(hwnd, s);
  ScrollCaretIntoView(hwnd, s);
  if (s.focused) {
    CreateCaret(hwnd, nullptr, 1, s.lineHeight);
    UpdateCaret(hwnd, s);
    ShowCaret(hwnd);
  }
  if (redraw) InvalidateRect(hwnd, nullptr, TRUE);
}

void OnSetFocus(HWND hwnd, EditState& s) {
  s.focused = true;
  CreateCaret(hwnd, nullptr, 1, s.lineHeight);
  UpdateCaret(hwnd, s);
  ShowCaret(hwnd);
  InvalidateRect(hwnd, nullptr, FALSE);
  Notify(hwnd, EN_SETFOCUS);
}

void OnKillFocus(HWND hwnd, EditState& s) {
  s.focused = false;
  if (s.dragging) {
    s.dragging = false;
    if (GetCapture() == hwnd) ReleaseCapture();
  }
  DestroyCaret();
  InvalidateRect(hwnd, nullptr, FALSE);
  Notify(hwnd, EN_KILLFOCUS);
}

LRESULT OnSetSel(HWND hwnd, EditState& s, WPARAM wParam, LPARAM lParam) {
  long start = long(INT(wParam)), end = long(INT(lParam));
  std::size_t n = s.buffer.size();
  if (start == -1) {
    // Removes the selection, leaving the caret where it is.
    std::size_t caret = s.buffer.selection().caret;
    SetSelection(hwnd, s, caret, caret);
    return 0;
  }
  auto clampPos = [n](long v) { return v < 0 ? n : std::min<std::size_t>(std::size_t(v), n); };
  SetSelection(hwnd, s, clampPos(start), clampPos(end));
  return 0;
}

LRESULT OnGetSel(const EditState& s, WPARAM wParam, LPARAM lParam) {
  DWORD lo = DWORD(s.buffer.selection().lo()), hi = DWORD(s.buffer.selection().hi());
  if (auto* p = reinterpret_cast<DWORD*>(wParam)) *p = lo;
  if (auto* p = reinterpret_cast<DWORD*>(lParam)) *p = hi;
  return MakeLResult(WORD(std::min<DWORD>(lo, 0xFFFF)), WORD(std::min<DWORD>(hi, 0xFFFF)));
}

std::size_t LineFromCharArg(HWND hwnd, const EditState& s, WPARAM wParam) {
  if (INT(wParam) < 0) {
    (void)hwnd;
    return LineOfPosition(s.lines, s.buffer.selection().lo());
  }
  return LineOfPosition(s.lines, std::min<std::size_t>(std::size_t(wParam), s.buffer.size()));
}

LRESULT OnLineIndex(const EditState& s, WPARAM wParam) {
  long line = long(INT(wParam));
  if (line < 0) line = long(LineOfPosition(s.lines, s.buffer.selection().caret));
  if (std::size_t(line) >= s.lines.size()) return -1;
  return LRESULT(s.lines[std::size_t(line)].start);
}

LRESULT OnLineLength(HWND hwnd, const EditState& s, WPARAM wParam) {
  if (!IsMultiLine(hwnd)) return LRESULT(s.buffer.size());
  if (INT(wParam) < 0) {
    // The unselected characters on the lines the selection touches.
    const Selection& sel = s.buffer.selection();
    const EditLine& first = s.lines[LineOfPosition(s.lines, sel.lo())];
    const EditLine& last = s.lines[LineOfPosition(s.lines, sel.hi())];
    return LRESULT((sel.lo() - first.start) + (last.start + last.length - std::min(sel.hi(), last.start + last.length)));
  }
  std::size_t pos = std::size_t(wParam);
  if (pos > s.buffer.size()) return 0;
  return LRESULT(s.lines[LineOfPosition(s.lines, pos)].length);
}

LRESULT OnGetLine(HWND hwnd, const EditState& s, WPARAM wParam, LPARAM lParam) {
  auto* buffer = reinterpret_cast<char16_t*>(lParam);
  if (!buffer) return 0;
  WORD room;
  std::memcpy(&room, buffer, sizeof room);
  std::size_t line = IsMultiLine(hwnd) ? std::size_t(wParam) : 0;
  if (line >= s.lines.size()) return 0;
  const EditLine& l = s.lines[line];
  std::size_t n = std::min<std::size_t>(l.length, room);
  std::copy_n(s.buffer.text().data() + l.start, n, buffer);
  if (n < room) buffer[n] = 0;
  return LRESULT(n);
}

LRESULT OnPosFromChar(HWND hwnd, const EditState& s, WPARAM wParam) {
  std::size_t pos = std::size_t(wParam);
  if (pos >= s.buffer.size()) return -1;
  POINT pt = PosFromChar(hwnd, s, pos);
  return MakeLResult(WORD(SHORT(pt.x)), WORD(SHORT(pt.y)));
}

LRESULT OnCharFromPos(HWND hwnd, const EditState& s, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  std::size_t line = 0;
  std::size_t pos = CharFromPoint(hwnd, s, pt, &line);
  return MakeLResult(WORD(std::min<std::size_t>(pos, 0xFFFF)), WORD(std::min<std::size_t>(line, 0xFFFF)));
}

LRESULT OnSetMargins(HWND hwnd, EditState& s, WPARAM flags, LPARAM lParam) {
  if (flags == EC_USEFONTINFO) {
    s.leftMargin = s.rightMargin = s.avgCharWidth / 2;
  } else {
    if (flags & EC_LEFTMARGIN) s.leftMargin = LOWORD(uintptr_t(lParam));
    if (flags & EC_RIGHTMARGIN) s.rightMargin = HIWORD(uintptr_t(lParam));
  }
  if (!s.customFormat) ResetFormatRect(hwnd, s);
  Relayout(hwnd, s);
  UpdateCaret(hwnd, s);
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT OnSetRect(HWND hwnd, EditState& s, const RECT* rc, bool repaint) {
  if (!rc) {
    s.customFormat = false;
    ResetFormatRect(hwnd, s);
  } else {
    s.customFormat = true;
    s.format = *rc;
    if (s.format.right < s.format.left) s.format.right = s.format.left;
    if (s.format.bottom < s.format.top) s.format.bottom = s.format.top;
  }
  Relayout(hwnd, s);
  UpdateCaret(hwnd, s);
  if (repaint) InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT OnSetTabStops(HWND hwnd, EditState& s, WPARAM count, LPARAM lParam) {
  if (!IsMultiLine(hwnd)) return FALSE;
  const auto* stops = reinterpret_cast<const INT*>(lParam);
  if (count > 0 && !stops) return FALSE;
  s.tabStops.clear();
  // Dialog units: a quarter of the average character width each.
  for (WPARAM i = 0; i < count && i < 1024; ++i)
    s.tabStops.push_back(int(std::clamp<long long>((long long)(stops[i]) * s.avgCharWidth / 4, 1, 1 << 24)));
  std::sort(s.tabStops.begin(), s.tabStops.end());
  Relayout(hwnd, s);
  UpdateCaret(hwnd, s);
  InvalidateRect(hwnd, nullptr, FALSE);
  return TRUE;
}

LRESULT OnScroll(HWND hwnd, EditState& s, WORD request, bool notify) {
  long before = long(s.firstLine);
  long page = std::max(1L, long(VisibleLines(s)));
  switch (request) {
    case SB_LINEUP: ScrollLines(hwnd, s, -1); break;
    case SB_LINEDOWN: ScrollLines(hwnd, s, 1); break;
    case SB_PAGEUP: ScrollLines(hwnd, s, -page); break;
    case SB_PAGEDOWN: ScrollLines(hwnd, s, page); break;
    default: return 0;
  }
  if (notify && long(s.firstLine) != before) Notify(hwnd, EN_VSCROLL);
  return MakeLResult(WORD(SHORT(long(s.firstLine) - before)), TRUE);
}

void OnScrollBar(HWND hwnd, EditState& s, bool vertical, WPARAM wParam) {
  WORD code = LOWORD(wParam);
  if (code == SB_ENDSCROLL) return;
  if (vertical) {
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
      SCROLLINFO si;
      si.fMask = SIF_TRACKPOS | SIF_POS;
      GetScrollInfo(hwnd, SB_VERT, &si);
      long target = code == SB_THUMBTRACK ? si.nTrackPos : si.nPos;
      if (code == SB_THUMBPOSITION) target = HIWORD(wParam);
      Notify(hwnd, EN_VSCROLL);
      if (StateOf(hwnd) == &s) ScrollLines(hwnd, s, target - long(s.firstLine));
    } else if (code == SB_TOP || code == SB_BOTTOM) {
      Notify(hwnd, EN_VSCROLL);
      if (StateOf(hwnd) == &s) ScrollLines(hwnd, s, code == SB_TOP ? -long(s.lines.size()) : long(s.lines.size()));
    } else {
      Notify(hwnd, EN_VSCROLL);
      if (StateOf(hwnd) == &s) OnScroll(hwnd, s, code, false);
    }
    return;
  }
  int width = std::max(1, FormatWidth(s));
  int dx = 0;
  switch (code) {
    case SB_LINELEFT: dx = -s.avgCharWidth; break;
    case SB_LINERIGHT: dx = s.avgCharWidth; break;
    case SB_PAGELEFT: dx = -width; break;
    case SB_PAGERIGHT: dx = width; break;
    case SB_LEFT: dx = -s.xOffset; break;
    case SB_RIGHT: dx = s.maxLineWidth; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(hwnd, SB_HORZ, &si);
      dx = (code == SB_THUMBTRACK ? si.nTrackPos : int(HIWORD(wParam))) - s.xOffset;
      break;
    }
    default: return;
  }
  Notify(hwnd, EN_HSCROLL);
  if (StateOf(hwnd) == &s) ScrollPixels(hwnd, s, dx);
}

LRESULT OnGetDlgCode(HWND hwnd, LPARAM lParam) {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (!IsMultiLine(hwnd)) return code;
  code |= DLGC_WANTALLKEYS;
  if (const MSG* m = reinterpret_cast<const MSG*>(lParam)) {
    // Enter reaches a multi-line edit only with ES_WANTRETURN; Escape goes to the dialog.
    if (m->message == WM_KEYDOWN && ((m->wParam == VK_RETURN && !HasStyle(hwnd, ES_WANTRETURN)) ||
                                     m->wParam == VK_ESCAPE))
      code &= ~DLGC_WANTALLKEYS;
  }
  return code;
}

LRESULT OnSetText(HWND hwnd, EditState& s, const char16_t* text) {
  SetWholeText(hwnd, s, text);
  return TRUE;
}

LRESULT OnGetText(const EditState& s, WPARAM size, LPARAM lParam) {
  auto* buffer = reinterpret_cast<char16_t*>(lParam);
  if (!buffer || size == 0) return 0;
  std::size_t n = std::min<std::size_t>(s.buffer.size(), size - 1);
  std::copy_n(s.buffer.text().data(), n, buffer);
  buffer[n] = 0;
  return LRESULT(n);
}

LRESULT EditMessage(HWND hwnd, EditState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd, s, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    case WM_SIZE:
      if (!s.customFormat) ResetFormatRect(hwnd, s);
      if (!s.inLayout) {
        Relayout(hwnd, s);
        ScrollCaretIntoView(hwnd, s);
        UpdateCaret(hwnd, s);
      }
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_STYLECHANGED:
      Relayout(hwnd, s);
      UpdateCaret(hwnd, s);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills every pixel
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = reinterpret_cast<HDC>(wParam);
      if (hdc) {
        PaintEdit(hwnd, s, hdc);
        return 0;
      }
      hdc = BeginPaint(hwnd, &ps);
      if (hdc) PaintEdit(hwnd, s, hdc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: PaintEdit(hwnd, s, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_SETFOCUS: OnSetFocus(hwnd, s); return 0;
    case WM_KILLFOCUS: OnKillFocus(hwnd, s); return 0;
    case WM_SETFONT: OnSetFont(hwnd, s, reinterpret_cast<HFONT>(wParam), LOWORD(uintptr_t(lParam)) != 0); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
    case WM_SETTEXT: return OnSetText(hwnd, s, reinterpret_cast<const char16_t*>(lParam));
    case WM_GETTEXT: return OnGetText(s, wParam, lParam);
    case WM_GETTEXTLENGTH: return LRESULT(s.buffer.size());
    case WM_GETDLGCODE: return OnGetDlgCode(hwnd, lParam);
    case WM_KEYDOWN: OnKeyDown(hwnd, s, wParam); return 0;
    case WM_CHAR: OnChar(hwnd, s, char16_t(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnButtonDown(hwnd, s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (wParam & MK_SHIFT) != 0,
                   msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE: OnMouseMove(hwnd, s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_LBUTTONUP: OnButtonUp(hwnd, s); return 0;
    case WM_CAPTURECHANGED: s.dragging = false; return 0;
    case WM_MOUSEWHEEL:
      if (IsMultiLine(hwnd)) {
        UINT perNotch = 3;
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
        long lines = -long(GET_WHEEL_DELTA_WPARAM(wParam)) * long(perNotch) / WHEEL_DELTA;
        if (lines != 0) {
          Notify(hwnd, EN_VSCROLL);
          if (StateOf(hwnd) == &s) ScrollLines(hwnd, s, lines);
        }
        return 0;
      }
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_CONTEXTMENU:
      ShowContextMenu(hwnd, s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (lParam == 0) OnScrollBar(hwnd, s, msg == WM_VSCROLL, wParam);
      return 0;
    case WM_CUT: CutSelection(hwnd, s); return 0;
    case WM_COPY: CopySelection(hwnd, s); return 0;
    case WM_PASTE: PasteClipboard(hwnd, s); return 0;
    case WM_CLEAR: ClearSelection(hwnd, s); return 0;
    case WM_UNDO:
    case EM_UNDO: return UndoLast(hwnd, s) ? TRUE : FALSE;
    case EM_CANUNDO: return s.buffer.CanUndo() ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER: s.buffer.EmptyUndo(); return 0;
    case EM_GETSEL: return OnGetSel(s, wParam, lParam);
    case EM_SETSEL: return OnSetSel(hwnd, s, wParam, lParam);
    case EM_REPLACESEL: {
      const auto* text = reinterpret_cast<const char16_t*>(lParam);
      ReplaceSelection(hwnd, s, text ? std::u16string_view(text) : std::u16string_view(), wParam != 0,
                       Source::Program);
      return 0;
    }
    case EM_GETLINECOUNT: return LRESULT(IsMultiLine(hwnd) ? s.lines.size() : 1);
    case EM_LINEINDEX: return IsMultiLine(hwnd) ? OnLineIndex(s, wParam) : (INT(wParam) > 0 ? -1 : 0);
    case EM_LINELENGTH: return OnLineLength(hwnd, s, wParam);
    case EM_LINEFROMCHAR: return IsMultiLine(hwnd) ? LRESULT(LineFromCharArg(hwnd, s, wParam)) : 0;
    case EM_GETLINE: return OnGetLine(hwnd, s, wParam, lParam);
    case EM_GETFIRSTVISIBLELINE:
      if (IsMultiLine(hwnd)) return LRESULT(s.firstLine);
      return LRESULT(CharFromPoint(hwnd, s, POINT{s.format.left, s.format.top}));
    case EM_LINESCROLL:
      if (!IsMultiLine(hwnd)) return FALSE;
      ScrollPixels(hwnd, s, (long long)(INT(wParam)) * s.avgCharWidth);
      ScrollLines(hwnd, s, (long long)(INT(lParam)));
      return TRUE;
    case EM_SCROLL: return IsMultiLine(hwnd) ? OnScroll(hwnd, s, LOWORD(wParam), true) : FALSE;
    case EM_SCROLLCARET: ScrollCaretIntoView(hwnd, s); UpdateCaret(hwnd, s); return TRUE;
    case EM_GETMODIFY: return s.buffer.modified() ? TRUE : FALSE;
    case EM_SETMODIFY: s.buffer.SetModified(wParam != 0); return 0;
    case EM_SETREADONLY: {
      LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
      style = wParam ? (style | LONG_PTR(ES_READONLY)) : (style & ~LONG_PTR(ES_READONLY));
      SetWindowLongPtrW(hwnd, GWL_STYLE, style);
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case EM_GETRECT:
      if (auto* rc = reinterpret_cast<RECT*>(lParam)) *rc = s.format;
      return 0;
    case EM_SETRECT: return OnSetRect(hwnd, s, reinterpret_cast<const RECT*>(lParam), true);
    case EM_SETRECTNP: return OnSetRect(hwnd, s, reinterpret_cast<const RECT*>(lParam), false);
    case EM_SETMARGINS: return OnSetMargins(hwnd, s, wParam, lParam);
    case EM_GETMARGINS: return MakeLResult(WORD(s.leftMargin), WORD(s.rightMargin));
    case EM_LIMITTEXT: {
      std::size_t limit = wParam ? std::size_t(wParam)
                                 : std::size_t(IsMultiLine(hwnd) ? kEditMaxLimitMultiLine : kEditMaxLimitSingleLine);
      s.buffer.SetLimit(limit);
      return 0;
    }
    case EM_GETLIMITTEXT: return LRESULT(s.buffer.limit());
    case EM_POSFROMCHAR: return OnPosFromChar(hwnd, s, wParam);
    case EM_CHARFROMPOS: return OnCharFromPos(hwnd, s, lParam);
    case EM_SETTABSTOPS: return OnSetTabStops(hwnd, s, wParam, lParam);
    case EM_SETPASSWORDCHAR: {
      if (IsMultiLine(hwnd)) return 0;
      s.passwordChar = char16_t(wParam);
      LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
      style = wParam ? (style | LONG_PTR(ES_PASSWORD)) : (style & ~LONG_PTR(ES_PASSWORD));
      SetWindowLongPtrW(hwnd, GWL_STYLE, style);
      Relayout(hwnd, s);
      UpdateCaret(hwnd, s);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    case EM_GETPASSWORDCHAR: return HasStyle(hwnd, ES_PASSWORD) ? LRESULT(s.passwordChar) : 0;
    case EM_GETHANDLE:  // the text is not kept in a movable block callers could reach
    case EM_SETHANDLE:
    case EM_GETTHUMB:
    case EM_SETWORDBREAKPROC:
    case EM_GETWORDBREAKPROC: return 0;
    case EM_FMTLINES: return LRESULT(wParam != 0);
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto state = std::make_unique<EditState>();
    SetWindowLongPtrW(hwnd, kStateSlot, reinterpret_cast<LONG_PTR>(state.release()));
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  EditState* s = StateOf(hwnd);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, kStateSlot, 0);
    delete s;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  if (!s) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return EditMessage(hwnd, *s, msg, wParam, lParam);
}

}  // namespace
}  // namespace win::edit

namespace win {

BOOL RegisterEditClass() {
  static std::once_flag once;
  static BOOL ok = FALSE;
  std::call_once(once, [] {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = edit::EditProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    wc.lpszClassName = u"Edit";
    ok = RegisterClassExW(&wc) != 0;
  });
  return ok;
}

}  // namespace win
