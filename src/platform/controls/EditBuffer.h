#pragma once
// The text of an edit control with its selection, length limit, modified flag and single-level
// undo; knows nothing of windows, so it is exercised on its own.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace win::edit {

struct Selection {
  std::size_t anchor = 0;  // the end that stays put while the selection is extended
  std::size_t caret = 0;   // the end the caret sits at
  std::size_t lo() const { return anchor < caret ? anchor : caret; }
  std::size_t hi() const { return anchor < caret ? caret : anchor; }
  bool empty() const { return anchor == caret; }
};

class EditBuffer {
 public:
  struct Replaced {
    std::size_t inserted = 0;  // characters actually inserted
    bool truncated = false;    // the limit cut the inserted text short
  };

  const std::u16string& text() const { return text_; }
  std::size_t size() const { return text_.size(); }
  const Selection& selection() const { return sel_; }

  // Positions are clamped to the text and never split a CR LF pair or a surrogate pair.
  void Select(std::size_t anchor, std::size_t caret);
  // Replaces all text: caret at the start, undo emptied, not modified.
  void SetText(std::u16string text);
  // Replaces the selection, inserting no more than the limit leaves room for. `typing` lets
  // consecutive typed characters form one undo step. The caret ends after the inserted text.
  Replaced ReplaceSelection(std::u16string_view insert, bool undoable, bool typing = false);

  bool CanUndo() const { return hasUndo_; }
  // Swaps the text with the state before the last change, so a second undo redoes it.
  bool Undo();
  void EmptyUndo() { hasUndo_ = false; typingRun_ = false; undoText_.clear(); }

  std::size_t limit() const { return limit_; }
  void SetLimit(std::size_t limit) { limit_ = limit; }
  bool modified() const { return modified_; }
  void SetModified(bool m) { modified_ = m; }

  // Caret steps: one character, a CR LF pair or a surrogate pair at a time.
  std::size_t NextCharPos(std::size_t pos) const;
  std::size_t PrevCharPos(std::size_t pos) const;
  // Word moves: to the start of the next word, or of this or the previous one.
  std::size_t NextWordStart(std::size_t pos) const;
  std::size_t PrevWordStart(std::size_t pos) const;
  // The run of characters of one kind (word, blanks, or other) around `pos`.
  std::pair<std::size_t, std::size_t> WordAt(std::size_t pos) const;

 private:
  std::size_t Snap(std::size_t pos) const;
  std::u16string text_;
  Selection sel_;
  std::size_t limit_ = 0x7FFF;
  bool modified_ = false;
  bool hasUndo_ = false;
  bool typingRun_ = false;
  std::size_t typingEnd_ = 0;
  std::u16string undoText_;
  Selection undoSel_;
};

// The kind of character for word moves: 0 blank, 1 word character, 2 line break, 3 other.
int CharKind(char16_t c);

}  // namespace win::edit
