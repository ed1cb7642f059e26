#pragma once
// What the list box's source files share: the per-window state and the operations on it. The
// combo box drives its "ComboLBox" through LB_ messages and the two private messages below.

#include <string>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win::listbox {

// Combo -> its list: start tracking the mouse with capture (wParam: the button is down, pressed
// on the combo). List -> its combo: the user ended the drop-down (wParam TRUE: an item was
// chosen, FALSE: cancelled).
inline constexpr UINT kStartTracking = 0x0400 + 0x7F0;
inline constexpr UINT kDropDownEnded = 0x0400 + 0x7F1;

struct Item {
  std::u16string text;
  DWORD_PTR data = 0;
  int height = 0;  // variable-height lists only
  bool selected = false;
};

struct State {
  HWND hwnd = nullptr;
  HWND combo = nullptr;  // the combo box this list belongs to
  std::vector<Item> items;
  int cur = -1;     // the selection of a single-selection list
  int caret = 0;    // the item with the focus rectangle
  int anchor = -1;  // start of an extended selection
  int top = 0;
  int itemHeight = 13;
  int hExtent = 0;
  int hPos = 0;
  HFONT font = nullptr;
  bool focused = false;
  bool redraw = true;
  // The window bars asked for at creation (a bar with nothing to scroll loses its style bit).
  bool vscroll = false;
  bool hscroll = false;
  // Mouse tracking with capture
  bool tracking = false;
  bool comboPress = false;  // tracking began with a press on the combo box
  bool dragTimer = false;
  std::vector<bool> baseSelection;  // selection before an extended drag with Ctrl
  // Type-ahead
  std::u16string search;
  DWORD searchTime = 0;
};

State* StateOf(HWND hwnd);

// Style questions (read from the window each time: styles may change after creation).
DWORD Style(const State& s);
bool MultiSel(const State& s);    // LBS_MULTIPLESEL or LBS_EXTENDEDSEL
bool Extended(const State& s);
bool OwnerDrawn(const State& s);
bool Variable(const State& s);
bool HasStrings(const State& s);
bool NoSel(const State& s);

// Messages to the owner
HWND Owner(const State& s);  // receives owner-draw and colour messages
UINT CtlType(const State& s);
UINT CtlId(const State& s);
void Notify(State& s, WORD code);

// Geometry, scrolling and painting (ListBoxView.cpp)
int Count(const State& s);
int HeightOf(const State& s, int index);
RECT ItemRect(const State& s, int index);
int PageCount(const State& s);  // items that fit from the top index (at least 1)
int MaxTop(const State& s);
int ItemAt(const State& s, int y, bool* outside);  // nearest item; -1 when empty
void SetTop(State& s, int top);
void EnsureVisible(State& s, int index, bool partialOk = false);
void UpdateScrollBars(State& s);
void InvalidateItem(State& s, int index);
void InvalidateAll(State& s);
void RedrawItem(State& s, int index, UINT action);  // owner-drawn: at once with ODA_SELECT/FOCUS
void Paint(State& s, HDC hdc, const RECT* area);
LRESULT OnScroll(State& s, UINT msg, WORD code);
void RecalcFontHeight(State& s);

// Selection (ListBox.cpp)
bool IsSelected(const State& s, int index);
void SetCaret(State& s, int index, bool scroll = true);
bool SelectSingle(State& s, int index);                // true when the selection changed
bool SetItemSel(State& s, int index, bool select);      // multi-selection
bool SelectOnlyRange(State& s, int first, int last);    // clears the rest
int FindPrefix(const State& s, int start, std::u16string_view text, bool exact);

// Input (ListBoxInput.cpp)
LRESULT OnKeyDown(State& s, WPARAM vk);
LRESULT OnChar(State& s, char16_t ch);
LRESULT OnButtonDown(State& s, POINT pt, WPARAM keys, bool dbl);
LRESULT OnMouseMove(State& s, POINT pt, WPARAM keys);
LRESULT OnButtonUp(State& s, POINT pt);
void OnDragTimer(State& s);
void EndTracking(State& s, bool cancelled);
void StartComboTracking(State& s, bool pressed);

}  // namespace win::listbox
