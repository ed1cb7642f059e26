// The edit control's context menu. Each command is the message the edit sends itself.

#include "platform/controls/Edit.h"
#include "platform/controls/EditCommands.h"
#include "platform/controls/EditState.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/menus/PopupMenu.h"
#include "platform/user/windows/Window.h"

namespace win::edit {
namespace {

void Add(HMENU menu, UINT id, const char16_t* text, bool enabled) {
  AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, text);
}

}  // namespace

void ShowContextMenu(HWND hwnd, EditState& s, POINT screen) {
  if (GetFocus() != hwnd) {
    SetFocus(hwnd);
    if (StateOf(hwnd) != &s) return;
  }
  const bool readOnly = HasStyle(hwnd, ES_READONLY);
  const bool password = !IsMultiLine(hwnd) && HasStyle(hwnd, ES_PASSWORD) && s.passwordChar != 0;
  const Selection sel = s.buffer.selection();
  const bool hasSel = !sel.empty();
  const bool allSelected = sel.lo() == 0 && sel.hi() == s.buffer.size();

  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  Add(menu, WM_UNDO, u"&Отменить", s.buffer.CanUndo() && !readOnly);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  Add(menu, WM_CUT, u"&Вырезать", hasSel && !readOnly && !password);
  Add(menu, WM_COPY, u"&Копировать", hasSel && !password);
  Add(menu, WM_PASTE, u"Вст&авить", !readOnly && ClipboardHasText());
  Add(menu, WM_CLEAR, u"&Удалить", hasSel && !readOnly);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  Add(menu, kEditMenuSelectAll, u"Выделить &все", s.buffer.size() > 0 && !allSelected);

  if (screen.x == -1 && screen.y == -1) {
    // From the keyboard: at the caret.
    screen = PosFromChar(hwnd, s, sel.caret);
    screen.y += s.lineHeight;
    ClientToScreen(hwnd, &screen);
  }
  UINT cmd = UINT(TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, screen.x,
                                   screen.y, hwnd, nullptr));
  DestroyMenu(menu);
  if (cmd == 0 || !IsWindow(hwnd)) return;
  if (cmd == kEditMenuSelectAll) SendMessageW(hwnd, EM_SETSEL, 0, -1);
  else SendMessageW(hwnd, cmd, 0, 0);
}

}  // namespace win::edit
