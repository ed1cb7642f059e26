// Painting the edit control: the parent chooses colours and brush, the selection shows in the
// highlight colours while the edit has the focus (or always with ES_NOHIDESEL).

#include <algorithm>

#include "platform/controls/Edit.h"
#include "platform/controls/EditState.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/windows/Window.h"

namespace win::edit {
namespace {

// Draws characters [from, to) of a line, run by run between tabs.
void DrawPiece(HDC hdc, std::u16string_view line, const std::vector<int>& x, std::size_t from, std::size_t to, int ox,
               int y) {
  std::size_t a = from;
  while (a < to) {
    while (a < to && line[a] == u'\t') ++a;
    std::size_t b = a;
    while (b < to && line[b] != u'\t') ++b;
    if (b > a) TextOutW(hdc, ox + x[a], y, line.data() + a, int(b - a));
    a = b;
  }
}

HBRUSH AskParentForColours(HWND hwnd, HDC hdc) {
  bool grey = !IsWindowEnabled(hwnd) || HasStyle(hwnd, ES_READONLY);
  SetTextColor(hdc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  SetBkColor(hdc, GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
  HBRUSH fallback = GetSysColorBrush(grey ? COLOR_BTNFACE : COLOR_WINDOW);
  HWND parent = GetParent(hwnd);
  if (!parent) return fallback;
  LRESULT r = SendMessageW(parent, grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hdc),
                           reinterpret_cast<LPARAM>(hwnd));
  return r ? reinterpret_cast<HBRUSH>(r) : fallback;
}

}  // namespace

void PaintEdit(HWND hwnd, EditState& s, HDC hdc) {
  HGDIOBJ oldFont = s.font ? SelectObject(hdc, s.font) : nullptr;
  HBRUSH brush = AskParentForColours(hwnd, hdc);
  if (!IsWindow(hwnd) || StateOf(hwnd) != &s) return;
  RECT client{};
  GetClientRect(hwnd, &client);
  FillRect(hdc, &client, brush);

  const COLORREF text = GetTextColor(hdc);
  const int oldMode = SetBkMode(hdc, TRANSPARENT);
  const int saved = SaveDC(hdc);
  IntersectClipRect(hdc, s.format.left, s.format.top, s.format.right, s.format.bottom);

  const bool showSel = s.focused || HasStyle(hwnd, ES_NOHIDESEL);
  const std::size_t lo = s.buffer.selection().lo(), hi = s.buffer.selection().hi();
  const std::u16string shown = DisplayText(hwnd, s);
  std::vector<int> x;
  const std::size_t visible = VisibleLines(s) + 1;
  for (std::size_t i = s.firstLine; i < s.lines.size() && i < s.firstLine + visible; ++i) {
    const EditLine& l = s.lines[i];
    std::u16string_view line = std::u16string_view(shown).substr(l.start, l.length);
    LinePositions(hwnd, s, i, x);
    const int ox = LineOriginX(hwnd, s, x.back());
    const int y = s.format.top + int(i - s.firstLine) * s.lineHeight;
    std::size_t a = showSel ? std::clamp(lo, l.start, l.start + l.length) - l.start : l.length;
    std::size_t b = showSel ? std::clamp(hi, l.start, l.start + l.length) - l.start : l.length;
    DrawPiece(hdc, line, x, 0, a, ox, y);
    if (b > a) {
      RECT sel{ox + x[a], y, ox + x[b], y + s.lineHeight};
      FillRect(hdc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
      SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      DrawPiece(hdc, line, x, a, b, ox, y);
      SetTextColor(hdc, text);
    }
    DrawPiece(hdc, line, x, b, l.length, ox, y);
  }
  RestoreDC(hdc, saved);
  SetBkMode(hdc, oldMode);
  if (oldFont) SelectObject(hdc, oldFont);
}

}  // namespace win::edit
