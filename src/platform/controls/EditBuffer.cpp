#include "platform/controls/EditBuffer.h"

#include <algorithm>

namespace win::edit {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

int CharKind(char16_t c) {
  if (c == u' ' || c == u'\t' || c == 0x00A0) return 0;
  if (c == u'\r' || c == u'\n') return 2;
  if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_') return 1;
  if (c >= 0x00C0 && c != 0x00D7 && c != 0x00F7 && !(c >= 0x2000 && c <= 0x2BFF) && !(c >= 0x3000 && c <= 0x303F))
    return 1;
  return 3;
}

std::size_t EditBuffer::Snap(std::size_t pos) const {
  pos = std::min(pos, text_.size());
  if (pos > 0 && pos < text_.size()) {
    if (text_[pos - 1] == u'\r' && text_[pos] == u'\n') --pos;
    else if (IsHighSurrogate(text_[pos - 1]) && IsLowSurrogate(text_[pos])) --pos;
  }
  return pos;
}

void EditBuffer::Select(std::size_t anchor, std::size_t caret) {
  sel_.anchor = Snap(anchor);
  sel_.caret = Snap(caret);
}

void EditBuffer::SetText(std::u16string text) {
  text_ = std::move(text);
  sel_ = {};
  modified_ = false;
  EmptyUndo();
}

EditBuffer::Replaced EditBuffer::ReplaceSelection(std::u16string_view insert, bool undoable, bool typing) {
  Replaced r;
  const std::size_t lo = sel_.lo(), hi = sel_.hi();
  const std::size_t kept = text_.size() - (hi - lo);
  const std::size_t room = limit_ > kept ? limit_ - kept : 0;
  if (insert.size() > room) {
    r.truncated = true;
    std::size_t n = room;
    // Never leave half of a pair at the cut.
    if (n > 0 && IsHighSurrogate(insert[n - 1]) && IsLowSurrogate(insert[n])) --n;
    if (n > 0 && insert[n - 1] == u'\r' && insert[n] == u'\n') --n;
    insert = insert.substr(0, n);
  }
  if (insert.empty() && lo == hi) return r;

  const bool continuesRun = typing && typingRun_ && hasUndo_ && lo == hi && lo == typingEnd_;
  if (undoable && !continuesRun) {
    undoText_ = text_;
    undoSel_ = sel_;
    hasUndo_ = true;
  } else if (!undoable) {
    EmptyUndo();
  }
  text_.replace(lo, hi - lo, insert);
  sel_.anchor = sel_.caret = lo + insert.size();
  r.inserted = insert.size();
  modified_ = true;
  typingRun_ = typing && undoable;
  typingEnd_ = sel_.caret;
  return r;
}

bool EditBuffer::Undo() {
  if (!hasUndo_) return false;
  std::swap(text_, undoText_);
  std::swap(sel_, undoSel_);
  typingRun_ = false;
  modified_ = true;
  return true;
}

std::size_t EditBuffer::NextCharPos(std::size_t pos) const {
  pos = Snap(pos);
  if (pos >= text_.size()) return text_.size();
  return Snap(pos + 1) == pos ? std::min(pos + 2, text_.size()) : pos + 1;
}

std::size_t EditBuffer::PrevCharPos(std::size_t pos) const {
  pos = Snap(pos);
  if (pos == 0) return 0;
  return Snap(pos - 1);
}

std::size_t EditBuffer::NextWordStart(std::size_t pos) const {
  std::size_t n = text_.size();
  pos = Snap(pos);
  if (pos >= n) return n;
  int kind = CharKind(text_[pos]);
  if (kind == 2) return NextCharPos(pos);  // a line break is a word of its own
  while (pos < n && CharKind(text_[pos]) == kind && kind != 0) ++pos;
  while (pos < n && CharKind(text_[pos]) == 0) ++pos;
  return pos;
}

std::size_t EditBuffer::PrevWordStart(std::size_t pos) const {
  pos = Snap(pos);
  if (pos == 0) return 0;
  while (pos > 0 && CharKind(text_[pos - 1]) == 0) --pos;
  if (pos == 0) return 0;
  int kind = CharKind(text_[pos - 1]);
  if (kind == 2) return PrevCharPos(pos);
  while (pos > 0 && CharKind(text_[pos - 1]) == kind) --pos;
  return pos;
}

std::pair<std::size_t, std::size_t> EditBuffer::WordAt(std::size_t pos) const {
  std::size_t n = text_.size();
  if (n == 0) return {0, 0};
  pos = std::min(Snap(pos), n - 1);
  int kind = CharKind(text_[pos]);
  if (kind == 2) return {pos, pos};
  std::size_t a = pos, b = pos;
  while (a > 0 && CharKind(text_[a - 1]) == kind) --a;
  while (b < n && CharKind(text_[b]) == kind) ++b;
  return {a, b};
}

}  // namespace win::edit
