// Painting of the button styles: push buttons, check boxes and radio buttons (glyph and text),
// group boxes, and owner-drawn buttons through the parent.

#include <string>

#include "platform/controls/Button.h"
#include "platform/controls/ButtonInternal.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/windows/Window.h"

namespace win::button {
namespace {

// The check box square and the radio glyph's cell, and the gap to the text.
constexpr int kGlyph = 13, kGlyphGap = 4;

std::u16string TextOf(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::u16string text(std::size_t(n) + 1, u'\0');
  int got = GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(std::size_t(got < 0 ? 0 : got));
  return text;
}

DWORD StyleOf(HWND hwnd) { return DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE)); }

// Text colour and background brush: the parent's answer to WM_CTLCOLORBTN/STATIC, else the
// button face.
HBRUSH AskParentForColours(HWND hwnd, HDC hdc, UINT msg) {
  SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(hdc, GetSysColor(COLOR_BTNFACE));
  HWND parent = GetParent(hwnd);
  LRESULT r = parent ? SendMessageW(parent, msg, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hwnd)) : 0;
  return r ? reinterpret_cast<HBRUSH>(r) : GetSysColorBrush(COLOR_BTNFACE);
}

UINT TextFormat(DWORD style, UINT defaultAlign) {
  UINT f = 0;
  switch (style & BS_CENTER) {
    case BS_LEFT: f |= DT_LEFT; break;
    case BS_RIGHT: f |= DT_RIGHT; break;
    case BS_CENTER: f |= DT_CENTER; break;
    default: f |= defaultAlign; break;
  }
  if (style & BS_MULTILINE) {
    f |= DT_WORDBREAK;
  } else {
    f |= DT_SINGLELINE;
    switch (style & BS_VCENTER) {
      case BS_TOP: f |= DT_TOP; break;
      case BS_BOTTOM: f |= DT_BOTTOM; break;
      default: f |= DT_VCENTER; break;
    }
  }
  return f;
}

// Draws the caption in `box`; a multi-line caption is centred vertically as a block. Answers
// the rectangle the text took.
RECT DrawCaption(HWND hwnd, HDC hdc, const std::u16string& text, RECT box, UINT format) {
  if (!IsWindowEnabled(hwnd)) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(hdc, TRANSPARENT);
  RECT used = box;
  DrawTextW(hdc, text.c_str(), int(text.size()), &used, format | DT_CALCRECT);
  int w = used.right - used.left, h = used.bottom - used.top;
  if (format & DT_WORDBREAK) {
    int top = (format & DT_BOTTOM) ? box.bottom - h : box.top + (box.bottom - box.top - h) / 2;
    box.top = top;
    box.bottom = top + h;
  }
  DrawTextW(hdc, text.c_str(), int(text.size()), &box, format);
  int left = (format & DT_CENTER) ? box.left + (box.right - box.left - w) / 2
             : (format & DT_RIGHT) ? box.right - w
                                   : box.left;
  int top = (format & DT_WORDBREAK) ? box.top
            : (format & DT_VCENTER) ? box.top + (box.bottom - box.top - h) / 2
            : (format & DT_BOTTOM)  ? box.bottom - h
                                    : box.top;
  return RECT{left, top, left + w, top + h};
}

void PaintPush(HWND hwnd, State& s, HDC hdc) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  AskParentForColours(hwnd, hdc, WM_CTLCOLORBTN);
  const DWORD style = StyleOf(hwnd);
  FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
    // The default button wears a dark frame around its face.
    FrameRect(hdc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&rc, -1, -1);
  }
  bool checked = s.check != BST_UNCHECKED && !s.pushed;
  RECT face = rc;
  DrawFrameControl(hdc, &face, DFC_BUTTON,
                   DFCS_BUTTONPUSH | (s.pushed ? DFCS_PUSHED : 0) | (checked ? DFCS_CHECKED : 0) |
                       ((style & BS_FLAT) ? DFCS_FLAT : 0));
  RECT label = rc;
  InflateRect(&label, -2, -2);
  if (s.pushed || checked) OffsetRect(&label, 1, 1);
  SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  DrawCaption(hwnd, hdc, TextOf(hwnd), label, TextFormat(style, DT_CENTER));
  if (s.focused) {
    RECT focus = rc;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(hdc, &focus);
  }
}

void PaintCheck(HWND hwnd, State& s, HDC hdc) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  HBRUSH brush = AskParentForColours(hwnd, hdc, WM_CTLCOLORSTATIC);
  FillRect(hdc, &rc, brush);
  const DWORD style = StyleOf(hwnd);
  const DWORD type = style & BS_TYPEMASK;
  const bool leftText = (style & BS_LEFTTEXT) != 0;
  int top = (rc.top + rc.bottom - kGlyph) / 2;
  if ((style & BS_VCENTER) == BS_TOP) top = rc.top;
  if ((style & BS_VCENTER) == BS_BOTTOM) top = rc.bottom - kGlyph;
  RECT glyph{leftText ? rc.right - kGlyph : rc.left, top, 0, top + kGlyph};
  glyph.right = glyph.left + kGlyph;
  UINT state = IsRadio(type) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
  if (s.check == BST_CHECKED) state |= DFCS_CHECKED;
  if (s.check == BST_INDETERMINATE) state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (s.pushed) state |= DFCS_PUSHED;
  if (!IsWindowEnabled(hwnd)) state |= DFCS_INACTIVE;
  if (style & BS_FLAT) state |= DFCS_FLAT;
  DrawFrameControl(hdc, &glyph, DFC_BUTTON, state);
  RECT label = rc;
  if (leftText) {
    label.right = glyph.left - kGlyphGap;
  } else {
    label.left = glyph.right + kGlyphGap;
  }
  std::u16string text = TextOf(hwnd);
  RECT used = DrawCaption(hwnd, hdc, text, label, TextFormat(style, leftText ? DT_RIGHT : DT_LEFT));
  if (s.focused && !text.empty()) {
    InflateRect(&used, 1, 1);
    IntersectRect(&used, &used, &rc);
    DrawFocusRect(hdc, &used);
  }
}

void PaintGroup(HWND hwnd, HDC hdc) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  HBRUSH brush = AskParentForColours(hwnd, hdc, WM_CTLCOLORSTATIC);
  TEXTMETRICW tm{};
  GetTextMetricsW(hdc, &tm);
  RECT frame = rc;
  frame.top += tm.tmHeight / 2;
  DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
  std::u16string text = TextOf(hwnd);
  if (text.empty()) return;
  const DWORD style = StyleOf(hwnd);
  RECT label{rc.left + 8, rc.top, rc.right - 8, rc.top + tm.tmHeight};
  UINT align = (style & BS_CENTER) == BS_RIGHT ? DT_RIGHT : (style & BS_CENTER) == BS_CENTER ? DT_CENTER : DT_LEFT;
  RECT used = label;
  DrawTextW(hdc, text.c_str(), int(text.size()), &used, align | DT_SINGLELINE | DT_CALCRECT);
  int w = used.right - used.left;
  int left = align == DT_RIGHT ? label.right - w : align == DT_CENTER ? (label.left + label.right - w) / 2 : label.left;
  // The caption sits on the frame's top line with a little of the background around it.
  RECT gap{left - 2, label.top, left + w + 2, label.bottom};
  FillRect(hdc, &gap, brush);
  DrawCaption(hwnd, hdc, text, RECT{left, label.top, left + w, label.bottom}, DT_LEFT | DT_SINGLELINE | DT_TOP);
}

void PaintOwnerDrawn(HWND hwnd, State& s, HDC hdc) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = UINT(GetDlgCtrlID(hwnd));
  dis.itemID = 0;
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = (s.pushed ? ODS_SELECTED : 0) | (s.focused ? ODS_FOCUS : 0) |
                  (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED) | (s.check == BST_CHECKED ? ODS_CHECKED : 0);
  dis.hwndItem = hwnd;
  dis.hDC = hdc;
  GetClientRect(hwnd, &dis.rcItem);
  AskParentForColours(hwnd, hdc, WM_CTLCOLORBTN);
  SendMessageW(parent, WM_DRAWITEM, WPARAM(dis.CtlID), reinterpret_cast<LPARAM>(&dis));
}

}  // namespace

void Paint(HWND hwnd, State& s, HDC hdc) {
  int saved = SaveDC(hdc);
  SelectObject(hdc, s.font ? HGDIOBJ(s.font) : GetStockObject(DEFAULT_GUI_FONT));
  const DWORD type = TypeOf(hwnd);
  if (type == BS_OWNERDRAW) {
    PaintOwnerDrawn(hwnd, s, hdc);
  } else if (type == BS_GROUPBOX) {
    PaintGroup(hwnd, hdc);
  } else if (LooksPushed(hwnd)) {
    PaintPush(hwnd, s, hdc);
  } else {
    PaintCheck(hwnd, s, hdc);
  }
  RestoreDC(hdc, saved);
}

}  // namespace win::button
