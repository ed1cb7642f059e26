// Editing operations of the edit control: replacing the selection within the limits, the
// clipboard and undo.

#include "platform/controls/EditCommands.h"

#include <algorithm>
#include <cstring>

#include "platform/controls/Edit.h"
#include "platform/controls/EditState.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/user/services/Beep.h"
#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardGlobalMemory.h"
#include "platform/user/windows/Window.h"

namespace win::edit {
namespace {

bool IsPassword(HWND hwnd, const EditState& s) {
  return !IsMultiLine(hwnd) && HasStyle(hwnd, ES_PASSWORD) && s.passwordChar != 0;
}

// Whether text may only grow as far as the window shows it: across a single-line edit without
// ES_AUTOHSCROLL, down a multi-line one without ES_AUTOVSCROLL (or a vertical scroll bar).
bool BoundedByWindow(HWND hwnd) {
  if (!IsMultiLine(hwnd)) return !HasStyle(hwnd, ES_AUTOHSCROLL);
  return !HasStyle(hwnd, ES_AUTOVSCROLL) && !HasStyle(hwnd, WS_VSCROLL);
}

// How many leading characters of `insert` fit before the text overflows a window-bounded edit.
std::size_t FittingPrefix(HWND hwnd, const EditState& s, std::u16string_view insert) {
  const std::u16string& t = s.buffer.text();
  const std::size_t lo = s.buffer.selection().lo(), hi = s.buffer.selection().hi();
  const bool multi = IsMultiLine(hwnd);
  auto fits = [&](std::size_t n) {
    std::u16string candidate = t.substr(0, lo);
    candidate.append(insert.substr(0, n));
    candidate.append(t.substr(hi));
    if (multi) return CountLines(hwnd, s, candidate) <= VisibleLines(s);
    if (IsPassword(hwnd, s)) candidate.assign(candidate.size(), s.passwordChar);
    return TextWidth(hwnd, s, candidate) < FormatWidth(s);
  };
  if (fits(insert.size())) return insert.size();
  std::size_t good = 0, bad = insert.size();
  while (bad - good > 1) {
    std::size_t mid = (good + bad) / 2;
    (fits(mid) ? good : bad) = mid;
  }
  // Never keep half of a line break or of a surrogate pair.
  if (good > 0 && good < insert.size()) {
    char16_t last = insert[good - 1], next = insert[good];
    if ((last == u'\r' && next == u'\n') || (last >= 0xD800 && last <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF))
      --good;
  }
  return good;
}

}  // namespace

bool ReplaceSelection(HWND hwnd, EditState& s, std::u16string_view text, bool undoable, Source source) {
  std::u16string insert(text);
  if (HasStyle(hwnd, ES_UPPERCASE)) insert = UpperCase(insert);
  else if (HasStyle(hwnd, ES_LOWERCASE)) insert = LowerCase(insert);

  bool cut = false;
  if (BoundedByWindow(hwnd)) {
    std::size_t n = FittingPrefix(hwnd, s, insert);
    if (n < insert.size()) {
      insert.resize(n);
      cut = true;
    }
  }
  const bool hadSelection = !s.buffer.selection().empty();
  EditBuffer::Replaced r = s.buffer.ReplaceSelection(insert, undoable, source == Source::Typing);
  cut = cut || r.truncated;
  const bool changed = r.inserted > 0 || hadSelection;
  if (changed) TextChanged(hwnd, s, true);
  if (cut && IsWindow(hwnd)) {
    if (source == Source::Typing) MessageBeep(0);
    Notify(hwnd, EN_MAXTEXT);
  }
  return changed;
}

void SetSelection(HWND hwnd, EditState& s, std::size_t anchor, std::size_t caret) {
  s.buffer.Select(anchor, caret);
  SelectionChanged(hwnd, s);
}

bool PutTextOnClipboard(HWND owner, std::u16string_view text) {
  std::u16string copy(text);
  HGLOBAL mem = GlobalAllocCopy(copy.c_str(), (copy.size() + 1) * sizeof(char16_t));
  if (!mem) return false;
  if (!OpenClipboard(owner)) {
    GlobalFree(mem);
    return false;
  }
  EmptyClipboard();
  bool ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
  if (!ok) GlobalFree(mem);
  CloseClipboard();
  return ok;
}

bool CopySelection(HWND hwnd, EditState& s) {
  const Selection& sel = s.buffer.selection();
  if (sel.empty() || IsPassword(hwnd, s)) return false;
  return PutTextOnClipboard(hwnd, std::u16string_view(s.buffer.text()).substr(sel.lo(), sel.hi() - sel.lo()));
}

bool ClearSelection(HWND hwnd, EditState& s) {
  if (HasStyle(hwnd, ES_READONLY) || s.buffer.selection().empty()) return false;
  return ReplaceSelection(hwnd, s, u"", true, Source::User);
}

bool CutSelection(HWND hwnd, EditState& s) {
  if (HasStyle(hwnd, ES_READONLY) || !CopySelection(hwnd, s)) return false;
  return ClearSelection(hwnd, s);
}

bool ClipboardHasText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT) ||
         IsClipboardFormatAvailable(CF_OEMTEXT);
}

bool PasteClipboard(HWND hwnd, EditState& s) {
  if (HasStyle(hwnd, ES_READONLY)) return false;
  if (!OpenClipboard(hwnd)) return false;
  std::u16string text;
  bool found = false;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    HGLOBAL mem = reinterpret_cast<HGLOBAL>(h);
    if (auto* p = static_cast<const char16_t*>(GlobalLock(mem))) {
      // Never read past the block, whether or not it holds its terminating zero.
      std::size_t units = GlobalSize(mem) / sizeof(char16_t);
      text.assign(p, std::find(p, p + units, u'\0'));
      found = true;
      GlobalUnlock(mem);
    }
  }
  CloseClipboard();
  if (!found) return false;
  if (!IsMultiLine(hwnd)) {
    std::size_t brk = text.find_first_of(u"\r\n");
    if (brk != std::u16string::npos) text.resize(brk);
  }
  return ReplaceSelection(hwnd, s, text, true, Source::User);
}

bool UndoLast(HWND hwnd, EditState& s) {
  if (HasStyle(hwnd, ES_READONLY) || !s.buffer.Undo()) return false;
  TextChanged(hwnd, s, true);
  return true;
}

}  // namespace win::edit
