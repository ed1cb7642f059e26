#pragma once
// Internal: the handlers of the default window procedure. DefWindowProc.cpp lists which handler
// answers which message; where the frame or the menu loop handles a message before the classic
// handling, the list names both, and the upper one reaches the lower through
// CallUnderlyingDefault.

#include "platform/user/windows/DefWindowProc.h"

namespace win::user {

// The handler below the first one for `msg` (null when there is none).
DefaultHandler UnderlyingDefault(UINT msg);
// Calls it, or answers 0 when there is none.
LRESULT CallUnderlyingDefault(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Every handler has the window procedure's shape.
using DefaultHandlerFunction = LRESULT(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// DefWindowBasics.cpp: creation, text, closing, placement, UI state, activation.
DefaultHandlerFunction OnNcCreate;
DefaultHandlerFunction OnSetText;
DefaultHandlerFunction OnGetText;
DefaultHandlerFunction OnGetTextLength;
DefaultHandlerFunction OnClose;
DefaultHandlerFunction OnWindowPosChanged;
DefaultHandlerFunction OnGetMinMaxInfo;
DefaultHandlerFunction OnSysCommand;
DefaultHandlerFunction OnContextMenu;
DefaultHandlerFunction OnChangeUIState;
DefaultHandlerFunction OnUpdateUIState;
DefaultHandlerFunction OnQueryUIState;
DefaultHandlerFunction OnNotifyFormat;
DefaultHandlerFunction OnCancelMode;
DefaultHandlerFunction OnActivate;
DefaultHandlerFunction OnNcActivate;
DefaultHandlerFunction OnQueryEndSession;
// DefInput.cpp: mouse activation, cursors, wheel, context menus, system keys.
DefaultHandlerFunction OnMouseActivate;
DefaultHandlerFunction OnSetCursor;
DefaultHandlerFunction OnMouseWheel;
DefaultHandlerFunction OnRButtonUp;
DefaultHandlerFunction OnSysKeyDown;
DefaultHandlerFunction OnSysKeyUp;
DefaultHandlerFunction OnSysChar;
// NonClient.cpp: frame-less geometry and hit-testing.
DefaultHandlerFunction OnNcCalcSize;
DefaultHandlerFunction OnNcHitTest;
// Paint.cpp, PaintPrint.cpp, Caret.cpp.
DefaultHandlerFunction OnEraseBkgnd;
DefaultHandlerFunction OnPaint;
DefaultHandlerFunction OnNcPaint;
DefaultHandlerFunction OnPrint;
DefaultHandlerFunction OnPrintClient;
DefaultHandlerFunction OnSysTimer;

}  // namespace win::user

namespace win::frame {

using user::DefaultHandlerFunction;

// NonClientFrame.cpp: classic frames, caption buttons, move and size, the frame part of WM_PRINT.
DefaultHandlerFunction OnNcCalcSize;
DefaultHandlerFunction OnNcHitTest;
DefaultHandlerFunction OnNcPaint;
DefaultHandlerFunction OnNcActivate;
DefaultHandlerFunction OnSetText;
DefaultHandlerFunction OnSetCursor;
DefaultHandlerFunction OnNcLButtonDown;
DefaultHandlerFunction OnNcLButtonDblClk;
DefaultHandlerFunction OnNcRButtonUp;
DefaultHandlerFunction OnContextMenu;
DefaultHandlerFunction OnNcDestroy;
DefaultHandlerFunction OnPrint;
// SysMenuCommands.cpp: WM_SYSCOMMAND (move/size loops, caption commands, system menu, scroll bars).
DefaultHandlerFunction OnSysCommand;

}  // namespace win::frame

namespace win::menu {

using user::DefaultHandlerFunction;

// MenuLoop.cpp: WM_CANCELMODE also ends a menu the window tracks.
DefaultHandlerFunction OnCancelMode;

}  // namespace win::menu
