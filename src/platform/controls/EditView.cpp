// Measuring, line layout, hit testing, scrolling and the caret of the edit control.

#include <algorithm>

#include "platform/controls/Edit.h"
#include "platform/controls/EditState.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/windows/Window.h"

namespace win::edit {
namespace {

// A DC of the edit with its font selected, for measuring.
class MeasureDC {
 public:
  MeasureDC(HWND hwnd, HFONT font) : hwnd_(hwnd), hdc_(GetDC(hwnd)) {
    if (hdc_ && font) old_ = SelectObject(hdc_, font);
  }
  ~MeasureDC() {
    if (!hdc_) return;
    if (old_) SelectObject(hdc_, old_);
    ReleaseDC(hwnd_, hdc_);
  }
  MeasureDC(const MeasureDC&) = delete;
  MeasureDC& operator=(const MeasureDC&) = delete;
  HDC get() const { return hdc_; }

 private:
  HWND hwnd_;
  HDC hdc_;
  HGDIOBJ old_ = nullptr;
};

int NextTabStop(const EditState& s, int x) {
  int unit = std::max(1, s.avgCharWidth);
  if (!s.tabStops.empty()) {
    for (int stop : s.tabStops)
      if (stop > x) return stop;
    int step = s.tabStops.size() == 1 ? s.tabStops[0] : 8 * unit;
    step = std::max(step, 1);
    return (x / step + 1) * step;
  }
  int step = 8 * unit;  // 32 dialog units
  return (x / step + 1) * step;
}

void RunPositions(HDC hdc, const EditState& s, std::u16string_view run, std::vector<int>& out) {
  out.assign(run.size() + 1, 0);
  int x = 0;
  std::size_t segStart = 0;
  std::vector<INT> partial;
  auto flush = [&](std::size_t end) {
    std::size_t n = end - segStart;
    if (n == 0) return;
    partial.assign(n, 0);
    SIZE size{};
    if (hdc && GetTextExtentExPointW(hdc, run.data() + segStart, int(n), 0, nullptr, partial.data(), &size)) {
      for (std::size_t k = 0; k < n; ++k) out[segStart + k + 1] = x + partial[k];
      x += size.cx;
    } else {
      for (std::size_t k = 0; k < n; ++k) out[segStart + k + 1] = x + int(k + 1) * s.avgCharWidth;
      x += int(n) * s.avgCharWidth;
    }
  };
  for (std::size_t i = 0; i < run.size(); ++i) {
    if (run[i] != u'\t') continue;
    flush(i);
    x = NextTabStop(s, x);
    out[i + 1] = x;
    segStart = i + 1;
  }
  flush(run.size());
}

std::size_t MaxFirstLine(const EditState& s) {
  std::size_t visible = VisibleLines(s);
  return s.lines.size() > visible ? s.lines.size() - visible : 0;
}

int MaxXOffset(const EditState& s) { return std::max(0, s.maxLineWidth + 1 - FormatWidth(s)); }

}  // namespace

int FormatWidth(const EditState& s) { return std::max<int>(0, s.format.right - s.format.left); }

int TextWidth(HWND hwnd, const EditState& s, std::u16string_view run) {
  MeasureDC dc(hwnd, s.font);
  std::vector<int> x;
  RunPositions(dc.get(), s, run, x);
  return x.back();
}

EditState* StateOf(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  return reinterpret_cast<EditState*>(GetWindowLongPtrW(hwnd, 0));
}

bool HasStyle(HWND hwnd, DWORD style) { return (DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE)) & style) != 0; }
bool IsMultiLine(HWND hwnd) { return HasStyle(hwnd, ES_MULTILINE); }

std::u16string DisplayText(HWND hwnd, const EditState& s) {
  const std::u16string& t = s.buffer.text();
  if (!IsMultiLine(hwnd) && s.passwordChar != 0 && HasStyle(hwnd, ES_PASSWORD))
    return std::u16string(t.size(), s.passwordChar);
  return t;
}

void LinePositions(HWND hwnd, const EditState& s, std::size_t line, std::vector<int>& out) {
  if (line >= s.lines.size()) {
    out.assign(1, 0);
    return;
  }
  std::u16string shown = DisplayText(hwnd, s);
  const EditLine& l = s.lines[line];
  MeasureDC dc(hwnd, s.font);
  RunPositions(dc.get(), s, std::u16string_view(shown).substr(l.start, l.length), out);
}

int LineOriginX(HWND hwnd, const EditState& s, int lineWidth) {
  int free = FormatWidth(s) - lineWidth;
  int align = 0;
  if (free > 0) {
    if (HasStyle(hwnd, ES_RIGHT)) align = free - 1;
    else if (HasStyle(hwnd, ES_CENTER)) align = free / 2;
  }
  return s.format.left + align - s.xOffset;
}

std::size_t VisibleLines(const EditState& s) {
  int h = s.format.bottom - s.format.top;
  return std::size_t(std::max(1, h / std::max(1, s.lineHeight)));
}

void ApplyFont(HWND hwnd, EditState& s, HFONT font) {
  s.font = font;
  MeasureDC dc(hwnd, font);
  TEXTMETRICW tm;
  if (dc.get() && GetTextMetricsW(dc.get(), &tm)) {
    s.lineHeight = std::max<int>(1, tm.tmHeight);
    s.avgCharWidth = std::max<int>(1, tm.tmAveCharWidth);
  }
}

void ResetFormatRect(HWND hwnd, EditState& s) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  rc.left += s.leftMargin;
  rc.right -= s.rightMargin;
  if (rc.right < rc.left) rc.right = rc.left;
  if (!IsMultiLine(hwnd)) {
    // One line, centred vertically when the window is taller than the text.
    int free = (rc.bottom - rc.top) - s.lineHeight;
    if (free > 0) rc.top += free / 2;
    rc.bottom = rc.top + s.lineHeight;
  }
  s.format = rc;
}

static bool WrapsLines(HWND hwnd) {
  return IsMultiLine(hwnd) && !HasStyle(hwnd, ES_AUTOHSCROLL) && !HasStyle(hwnd, WS_HSCROLL);
}

std::size_t CountLines(HWND hwnd, const EditState& s, std::u16string_view text) {
  MeasureDC dc(hwnd, s.font);
  HDC hdc = dc.get();
  auto positions = [&](std::u16string_view run, std::vector<int>& out) { RunPositions(hdc, s, run, out); };
  return BreakLines(text, IsMultiLine(hwnd), WrapsLines(hwnd) ? std::max(1, FormatWidth(s)) : 0, positions).size();
}

void Relayout(HWND hwnd, EditState& s) {
  std::u16string shown = DisplayText(hwnd, s);
  {
    MeasureDC dc(hwnd, s.font);
    HDC hdc = dc.get();
    auto positions = [&](std::u16string_view run, std::vector<int>& out) { RunPositions(hdc, s, run, out); };
    s.lines = BreakLines(shown, IsMultiLine(hwnd), WrapsLines(hwnd) ? std::max(1, FormatWidth(s)) : 0, positions);
    s.maxLineWidth = 0;
    std::vector<int> x;
    for (const EditLine& l : s.lines) {
      RunPositions(hdc, s, std::u16string_view(shown).substr(l.start, l.length), x);
      s.maxLineWidth = std::max(s.maxLineWidth, x.back());
    }
  }
  s.firstLine = std::min(s.firstLine, MaxFirstLine(s));
  s.xOffset = std::clamp(s.xOffset, 0, MaxXOffset(s));
  UpdateScrollBars(hwnd, s);
}

void UpdateScrollBars(HWND hwnd, EditState& s) {
  if (!IsMultiLine(hwnd) || s.inLayout) return;
  s.inLayout = true;
  if (HasStyle(hwnd, WS_VSCROLL)) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = int(s.lines.size()) - 1;
    si.nPage = UINT(VisibleLines(s));
    si.nPos = int(s.firstLine);
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
  }
  if (HasStyle(hwnd, WS_HSCROLL)) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = s.maxLineWidth;
    si.nPage = UINT(FormatWidth(s));
    si.nPos = s.xOffset;
    SetScrollInfo(hwnd, SB_HORZ, &si, TRUE);
  }
  s.inLayout = false;
}

POINT PosFromChar(HWND hwnd, const EditState& s, std::size_t pos) {
  std::size_t line = LineOfPosition(s.lines, pos);
  std::vector<int> x;
  LinePositions(hwnd, s, line, x);
  std::size_t off = std::min(pos - std::min(pos, s.lines[line].start), x.size() - 1);
  POINT pt;
  pt.x = LineOriginX(hwnd, s, x.back()) + x[off];
  pt.y = s.format.top + (int(line) - int(s.firstLine)) * s.lineHeight;
  return pt;
}

std::size_t CharFromPoint(HWND hwnd, const EditState& s, POINT pt, std::size_t* lineOut) {
  long row = 0;
  int dy = pt.y - s.format.top;
  row = dy < 0 ? -1 - long((-dy - 1) / std::max(1, s.lineHeight)) : long(dy / std::max(1, s.lineHeight));
  long line = long(s.firstLine) + row;
  line = std::clamp(line, 0L, long(s.lines.size()) - 1);
  std::vector<int> x;
  LinePositions(hwnd, s, std::size_t(line), x);
  std::size_t off = NearestBoundary(x, pt.x - LineOriginX(hwnd, s, x.back()));
  if (lineOut) *lineOut = std::size_t(line);
  return s.lines[std::size_t(line)].start + off;
}

bool ScrollCaretIntoView(HWND hwnd, EditState& s) {
  bool moved = false;
  std::size_t caret = s.buffer.selection().caret;
  if (IsMultiLine(hwnd)) {
    std::size_t line = LineOfPosition(s.lines, caret);
    std::size_t visible = VisibleLines(s);
    std::size_t first = s.firstLine;
    if (line < first) first = line;
    else if (line >= first + visible) first = line - visible + 1;
    if (first != s.firstLine) {
      s.firstLine = first;
      moved = true;
    }
  }
  std::size_t line = LineOfPosition(s.lines, caret);
  std::vector<int> x;
  LinePositions(hwnd, s, line, x);
  std::size_t off = std::min(caret - s.lines[line].start, x.size() - 1);
  // The caret's x in the unscrolled line.
  int caretX = LineOriginX(hwnd, s, x.back()) + s.xOffset - s.format.left + x[off];
  int width = FormatWidth(s);
  int offset = s.xOffset;
  if (caretX < offset) offset = std::max(0, caretX - width / 3);
  else if (caretX > offset + width - 1) offset = caretX - width + 1;
  offset = std::clamp(offset, 0, std::max(MaxXOffset(s), caretX - width + 1));
  if (offset != s.xOffset) {
    s.xOffset = std::max(0, offset);
    moved = true;
  }
  if (moved) {
    UpdateScrollBars(hwnd, s);
    InvalidateRect(hwnd, nullptr, FALSE);
  }
  return moved;
}

bool ScrollLines(HWND hwnd, EditState& s, long long lines) {
  long long first = std::clamp<long long>((long long)(s.firstLine) + lines, 0, (long long)(MaxFirstLine(s)));
  if (std::size_t(first) == s.firstLine) return false;
  s.firstLine = std::size_t(first);
  UpdateScrollBars(hwnd, s);
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateCaret(hwnd, s);
  return true;
}

bool ScrollPixels(HWND hwnd, EditState& s, long long dx) {
  int offset = int(std::clamp<long long>(s.xOffset + dx, 0, MaxXOffset(s)));
  if (offset == s.xOffset) return false;
  s.xOffset = offset;
  UpdateScrollBars(hwnd, s);
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateCaret(hwnd, s);
  return true;
}

void UpdateCaret(HWND hwnd, const EditState& s) {
  if (!s.focused) return;
  POINT pt = PosFromChar(hwnd, s, s.buffer.selection().caret);
  SetCaretPos(pt.x, pt.y);
}

void Notify(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID(hwnd)), code), reinterpret_cast<LPARAM>(hwnd));
}

void TextChanged(HWND hwnd, EditState& s, bool notify) {
  Relayout(hwnd, s);
  ScrollCaretIntoView(hwnd, s);
  UpdateCaret(hwnd, s);
  if (notify) Notify(hwnd, EN_UPDATE);
  if (!IsWindow(hwnd)) return;
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
  if (notify && IsWindow(hwnd)) Notify(hwnd, EN_CHANGE);
}

void SelectionChanged(HWND hwnd, EditState& s) {
  ScrollCaretIntoView(hwnd, s);
  UpdateCaret(hwnd, s);
  InvalidateRect(hwnd, nullptr, FALSE);
}

}  // namespace win::edit
