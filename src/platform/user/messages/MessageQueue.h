#pragma once
// Sending, posting and retrieving messages.

#include "platform/user/windows/WinUserTypes.h"

namespace win {

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL SendNotifyMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageW(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Returns 0 on WM_QUIT, -1 on an invalid window filter, otherwise non-zero.
BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL WaitMessage();
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
LONG GetMessageTime();
DWORD GetMessagePos();
DWORD GetQueueStatus(UINT flags);
BOOL InSendMessage();
DWORD InSendMessageEx(void* reserved);
BOOL ReplyMessage(LRESULT result);
// Takes a message meant for the dialog or one of its controls: Tab and Shift+Tab move the
// focus to the next or previous control with WS_TABSTOP, Enter and Esc send the dialog
// WM_COMMAND IDOK and IDCANCEL (unless the control's WM_GETDLGCODE wants those keys), and any
// other message is translated and dispatched. FALSE for a message to another window.
BOOL IsDialogMessageW(HWND dialog, MSG* msg);
// Runs the WH_MSGFILTER hooks for a modal loop's message; TRUE when a hook handled it.
BOOL CallMsgFilterW(MSG* msg, int code);

}  // namespace win
