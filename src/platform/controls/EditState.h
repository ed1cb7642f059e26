#pragma once
// Internal to the edit control: the state each edit window keeps in its window data (so it is
// found through the handle whatever procedure a caller has put in front), and the view
// operations shared by its message, input and painting code.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/controls/EditBuffer.h"
#include "platform/controls/EditLayout.h"
#include "platform/user/windows/WinUserTypes.h"

namespace win::edit {

// Two 16-bit halves of a message result.
inline LRESULT MakeLResult(WORD lo, WORD hi) { return LRESULT(DWORD(lo) | (DWORD(hi) << 16)); }

struct EditState {
  EditBuffer buffer;
  std::vector<EditLine> lines{EditLine{}};
  HFONT font = nullptr;
  int lineHeight = 13;
  int avgCharWidth = 7;
  RECT format{};             // the formatting rectangle, client coordinates
  bool customFormat = false;  // set through EM_SETRECT / EM_SETRECTNP
  int leftMargin = 0, rightMargin = 0;
  int xOffset = 0;            // pixels scrolled to the left
  std::size_t firstLine = 0;  // first visible line (multi-line)
  char16_t passwordChar = u'*';
  std::vector<int> tabStops;  // pixels; empty: every 32 dialog units
  int maxLineWidth = 0;
  int goalX = -1;  // x the caret aims for on vertical moves
  bool focused = false;
  bool dragging = false;
  bool inLayout = false;
};

// Null for a window that is not (or no longer) an edit.
EditState* StateOf(HWND hwnd);
bool IsMultiLine(HWND hwnd);
bool HasStyle(HWND hwnd, DWORD style);

// The text as drawn: password characters instead of the text of a single-line password edit.
std::u16string DisplayText(HWND hwnd, const EditState& s);
// Boundary positions of one line, from the line's own origin.
void LinePositions(HWND hwnd, const EditState& s, std::size_t line, std::vector<int>& out);
// Client x of a line's origin (alignment and horizontal scrolling applied).
int LineOriginX(HWND hwnd, const EditState& s, int lineWidth);
// Width of a run of text as it would be drawn (tabs expanded).
int TextWidth(HWND hwnd, const EditState& s, std::u16string_view run);
int FormatWidth(const EditState& s);
// The number of lines `text` would take in this edit.
std::size_t CountLines(HWND hwnd, const EditState& s, std::u16string_view text);
std::size_t VisibleLines(const EditState& s);

// Font metrics, default formatting rectangle, line breaking, scroll limits and bars.
void ApplyFont(HWND hwnd, EditState& s, HFONT font);
void ResetFormatRect(HWND hwnd, EditState& s);
void Relayout(HWND hwnd, EditState& s);
void UpdateScrollBars(HWND hwnd, EditState& s);

// Positions and hit testing, in client coordinates.
POINT PosFromChar(HWND hwnd, const EditState& s, std::size_t pos);
std::size_t CharFromPoint(HWND hwnd, const EditState& s, POINT pt, std::size_t* lineOut = nullptr);

// Scrolling. Each returns whether the view moved and repaints when it did.
bool ScrollCaretIntoView(HWND hwnd, EditState& s);
bool ScrollLines(HWND hwnd, EditState& s, long long lines);
bool ScrollPixels(HWND hwnd, EditState& s, long long dx);

void UpdateCaret(HWND hwnd, const EditState& s);
void Notify(HWND hwnd, WORD code);

// After the text changed: layout, caret, EN_UPDATE, repaint, EN_CHANGE (when `notify`).
void TextChanged(HWND hwnd, EditState& s, bool notify);
// After the selection moved: caret into view and the selection repainted.
void SelectionChanged(HWND hwnd, EditState& s);

// Painting (EditPaint.cpp)
void PaintEdit(HWND hwnd, EditState& s, HDC hdc);

}  // namespace win::edit
