#pragma once
// Internal to the edit control: the editing operations the keyboard, the context menu and the
// messages share.

#include <string_view>

#include "platform/user/windows/WinUserTypes.h"

namespace win::edit {

struct EditState;

enum class Source { Program, Typing, User };

// Replaces the selection with `text` (case styles applied, a single-line edit's pasted text
// cut at its first line break by the caller). Text the limit or the width of a single-line edit
// without ES_AUTOHSCROLL leaves no room for is dropped and EN_MAXTEXT sent; typed text that is
// refused beeps. Returns whether anything changed.
bool ReplaceSelection(HWND hwnd, EditState& s, std::u16string_view text, bool undoable, Source source);

bool CopySelection(HWND hwnd, EditState& s);
bool CutSelection(HWND hwnd, EditState& s);
bool PasteClipboard(HWND hwnd, EditState& s);
bool ClearSelection(HWND hwnd, EditState& s);
bool UndoLast(HWND hwnd, EditState& s);
// Sets the selection and the caret (at `caret`); repaints and scrolls the caret into view.
void SetSelection(HWND hwnd, EditState& s, std::size_t anchor, std::size_t caret);

bool ClipboardHasText();
// Empties the clipboard and puts `text` on it as CF_UNICODETEXT, owned by `owner`.
bool PutTextOnClipboard(HWND owner, std::u16string_view text);

// Input handlers (EditInput.cpp)
void OnKeyDown(HWND hwnd, EditState& s, WPARAM vk);
void OnChar(HWND hwnd, EditState& s, char16_t ch);
void OnButtonDown(HWND hwnd, EditState& s, POINT pt, bool shift, bool doubleClick);
void OnMouseMove(HWND hwnd, EditState& s, POINT pt);
void OnButtonUp(HWND hwnd, EditState& s);

// The context menu (EditMenu.cpp); `screen` is (-1, -1) when opened from the keyboard.
void ShowContextMenu(HWND hwnd, EditState& s, POINT screen);

}  // namespace win::edit
