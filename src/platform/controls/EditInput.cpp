// Keyboard and mouse input of the edit control.

#include <algorithm>

#include "platform/controls/Edit.h"
#include "platform/controls/EditCommands.h"
#include "platform/controls/EditState.h"
#include "platform/user/services/Beep.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/Window.h"

namespace win::edit {
namespace {

bool KeyDown(int vk) { return GetKeyState(vk) < 0; }

void MoveCaret(HWND hwnd, EditState& s, std::size_t pos, bool extend, bool keepGoal = false) {
  if (!keepGoal) s.goalX = -1;
  std::size_t anchor = extend ? s.buffer.selection().anchor : pos;
  SetSelection(hwnd, s, anchor, pos);
}

// The position on line `line` closest to the remembered x of vertical moves.
std::size_t PositionOnLine(HWND hwnd, EditState& s, long line) {
  line = std::clamp(line, 0L, long(s.lines.size()) - 1);
  const EditLine& l = s.lines[std::size_t(line)];
  std::vector<int> x;
  LinePositions(hwnd, s, std::size_t(line), x);
  std::size_t off = NearestBoundary(x, s.goalX - LineOriginX(hwnd, s, x.back()));
  return l.start + off;
}

void MoveVertically(HWND hwnd, EditState& s, long delta, bool extend) {
  std::size_t caret = s.buffer.selection().caret;
  if (s.goalX < 0) s.goalX = PosFromChar(hwnd, s, caret).x;
  long line = long(LineOfPosition(s.lines, caret)) + delta;
  MoveCaret(hwnd, s, PositionOnLine(hwnd, s, line), extend, true);
}

bool Refuse() {
  MessageBeep(0);
  return false;
}

void DeleteAround(HWND hwnd, EditState& s, bool forward) {
  if (HasStyle(hwnd, ES_READONLY)) {
    Refuse();
    return;
  }
  const Selection& sel = s.buffer.selection();
  if (sel.empty()) {
    std::size_t caret = sel.caret;
    std::size_t other = forward ? s.buffer.NextCharPos(caret) : s.buffer.PrevCharPos(caret);
    if (other == caret) return;
    s.buffer.Select(caret, other);
  }
  ReplaceSelection(hwnd, s, u"", true, Source::User);
}

}  // namespace

void OnKeyDown(HWND hwnd, EditState& s, WPARAM vk) {
  const bool shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
  const bool multi = IsMultiLine(hwnd);
  const Selection sel = s.buffer.selection();
  const EditBuffer& b = s.buffer;
  switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
      bool back = vk == VK_LEFT || vk == VK_UP;
      if (multi && (vk == VK_UP || vk == VK_DOWN)) {
        MoveVertically(hwnd, s, back ? -1 : 1, shift);
        break;
      }
      std::size_t pos;
      if (ctrl) pos = back ? b.PrevWordStart(sel.caret) : b.NextWordStart(sel.caret);
      else if (!shift && !sel.empty()) pos = back ? sel.lo() : sel.hi();
      else pos = back ? b.PrevCharPos(sel.caret) : b.NextCharPos(sel.caret);
      MoveCaret(hwnd, s, pos, shift);
      break;
    }
    case VK_HOME:
    case VK_END: {
      bool home = vk == VK_HOME;
      std::size_t pos;
      if (ctrl || !multi) {
        pos = home ? 0 : b.size();
      } else {
        const EditLine& l = s.lines[LineOfPosition(s.lines, sel.caret)];
        pos = home ? l.start : l.start + l.length;
      }
      MoveCaret(hwnd, s, pos, shift);
      break;
    }
    case VK_PRIOR:
    case VK_NEXT:
      if (multi) {
        long page = long(VisibleLines(s));
        long delta = vk == VK_PRIOR ? -page : page;
        ScrollLines(hwnd, s, delta);
        MoveVertically(hwnd, s, delta, shift);
      }
      break;
    case VK_DELETE:
      if (shift) CutSelection(hwnd, s);
      else DeleteAround(hwnd, s, true);
      break;
    case VK_INSERT:
      if (ctrl) CopySelection(hwnd, s);
      else if (shift && !PasteClipboard(hwnd, s) && HasStyle(hwnd, ES_READONLY)) Refuse();
      break;
    default: break;
  }
}

void OnChar(HWND hwnd, EditState& s, char16_t ch) {
  const bool multi = IsMultiLine(hwnd);
  const bool readOnly = HasStyle(hwnd, ES_READONLY);
  switch (ch) {
    case 0x03: CopySelection(hwnd, s); return;   // Ctrl+C
    case 0x16:                                    // Ctrl+V
      if (!PasteClipboard(hwnd, s) && readOnly) Refuse();
      return;
    case 0x18:                                    // Ctrl+X
      if (readOnly) Refuse();
      else CutSelection(hwnd, s);
      return;
    case 0x1A:                                    // Ctrl+Z
      if (readOnly) Refuse();
      else UndoLast(hwnd, s);
      return;
    case 0x08: DeleteAround(hwnd, s, false); return;
    case u'\r':
    case u'\n':
      if (!multi || readOnly) {
        Refuse();
        return;
      }
      ReplaceSelection(hwnd, s, u"\r\n", true, Source::Typing);
      return;
    case u'\t':
      if (!multi || readOnly) {
        Refuse();
        return;
      }
      ReplaceSelection(hwnd, s, u"\t", true, Source::Typing);
      return;
    default: break;
  }
  if (ch < 0x20 || ch == 0x7F) return;  // other control characters type nothing
  if (readOnly) {
    Refuse();
    return;
  }
  if (HasStyle(hwnd, ES_NUMBER) && !(ch >= u'0' && ch <= u'9')) {
    Refuse();
    return;
  }
  char16_t one[1] = {ch};
  ReplaceSelection(hwnd, s, std::u16string_view(one, 1), true, Source::Typing);
}

void OnButtonDown(HWND hwnd, EditState& s, POINT pt, bool shift, bool doubleClick) {
  if (!s.focused) {
    SetFocus(hwnd);
    if (StateOf(hwnd) != &s) return;
  }
  std::size_t pos = CharFromPoint(hwnd, s, pt);
  s.goalX = -1;
  if (doubleClick) {
    auto [a, e] = s.buffer.WordAt(pos);
    SetSelection(hwnd, s, a, e);
    return;
  }
  SetSelection(hwnd, s, shift ? s.buffer.selection().anchor : pos, pos);
  s.dragging = true;
  SetCapture(hwnd);
}

void OnMouseMove(HWND hwnd, EditState& s, POINT pt) {
  if (!s.dragging || GetCapture() != hwnd) return;
  std::size_t pos = CharFromPoint(hwnd, s, pt);
  if (pos == s.buffer.selection().caret) return;
  SetSelection(hwnd, s, s.buffer.selection().anchor, pos);
}

void OnButtonUp(HWND hwnd, EditState& s) {
  if (!s.dragging) return;
  s.dragging = false;
  if (GetCapture() == hwnd) ReleaseCapture();
}

}  // namespace win::edit
