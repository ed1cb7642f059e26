// The default window procedure: every message it answers, with the handler that answers it and
// the file that handler lives in. Where the frame or the menu loop handles a message before the
// classic handling, the second column names the handler below it, which the first reaches for
// the cases it leaves alone. The table is built when the program is compiled, so every handler is
// in place from start-up.

#include "platform/user/windows/DefWindowProc.h"

#include <array>

#include "platform/user/messages/Messages.h"
#include "platform/user/detail/DefaultHandlers.h"
#include "platform/user/detail/UserCore.h"

namespace win::user {
namespace {

constexpr UINT kQueryEndSession = 0x0011;

struct DefaultEntry {
  UINT msg;
  DefaultHandler handler;
  DefaultHandler underlying = nullptr;
};

// clang-format off
constexpr DefaultEntry kDefaults[] = {
    // message               handler (file)                           underlying handler (file)
    {WM_NCCREATE,            OnNcCreate},                             // DefWindowBasics.cpp
    {WM_SETTEXT,             frame::OnSetText,                        OnSetText},  // NonClientFrame.cpp over DefWindowBasics.cpp
    {WM_GETTEXT,             OnGetText},                              // DefWindowBasics.cpp
    {WM_GETTEXTLENGTH,       OnGetTextLength},                        // DefWindowBasics.cpp
    {WM_CLOSE,               OnClose},                                // DefWindowBasics.cpp
    {kQueryEndSession,       OnQueryEndSession},                      // DefWindowBasics.cpp
    {WM_WINDOWPOSCHANGED,    OnWindowPosChanged},                     // DefWindowBasics.cpp
    {WM_GETMINMAXINFO,       OnGetMinMaxInfo},                        // DefWindowBasics.cpp
    {WM_SYSCOMMAND,          frame::OnSysCommand,                     OnSysCommand},  // SysMenuCommands.cpp over DefWindowBasics.cpp
    {WM_CONTEXTMENU,         frame::OnContextMenu,                    OnContextMenu},  // NonClientFrame.cpp over DefWindowBasics.cpp
    {WM_CHANGEUISTATE,       OnChangeUIState},                        // DefWindowBasics.cpp
    {WM_UPDATEUISTATE,       OnUpdateUIState},                        // DefWindowBasics.cpp
    {WM_QUERYUISTATE,        OnQueryUIState},                         // DefWindowBasics.cpp
    {WM_NOTIFYFORMAT,        OnNotifyFormat},                         // DefWindowBasics.cpp
    {WM_CANCELMODE,          menu::OnCancelMode,                      OnCancelMode},  // MenuLoop.cpp over DefWindowBasics.cpp
    {WM_ACTIVATE,            OnActivate},                             // DefWindowBasics.cpp
    {WM_NCACTIVATE,          frame::OnNcActivate,                     OnNcActivate},  // NonClientFrame.cpp over DefWindowBasics.cpp
    {WM_MOUSEACTIVATE,       OnMouseActivate},                        // DefInput.cpp
    {WM_SETCURSOR,           frame::OnSetCursor,                      OnSetCursor},  // NonClientFrame.cpp over DefInput.cpp
    {WM_MOUSEWHEEL,          OnMouseWheel},                           // DefInput.cpp
    {WM_MOUSEHWHEEL,         OnMouseWheel},                           // DefInput.cpp
    {WM_RBUTTONUP,           OnRButtonUp},                            // DefInput.cpp
    {WM_SYSKEYDOWN,          OnSysKeyDown},                           // DefInput.cpp
    {WM_SYSKEYUP,            OnSysKeyUp},                             // DefInput.cpp
    {WM_SYSCHAR,             OnSysChar},                              // DefInput.cpp
    {WM_NCCALCSIZE,          frame::OnNcCalcSize,                     OnNcCalcSize},  // NonClientFrame.cpp over NonClient.cpp
    {WM_NCHITTEST,           frame::OnNcHitTest,                      OnNcHitTest},  // NonClientFrame.cpp over NonClient.cpp
    {WM_NCPAINT,             frame::OnNcPaint,                        OnNcPaint},  // NonClientFrame.cpp over Paint.cpp
    {WM_NCLBUTTONDOWN,       frame::OnNcLButtonDown},                 // NonClientFrame.cpp
    {WM_NCLBUTTONDBLCLK,     frame::OnNcLButtonDblClk},               // NonClientFrame.cpp
    {WM_NCRBUTTONUP,         frame::OnNcRButtonUp},                   // NonClientFrame.cpp
    {WM_NCDESTROY,           frame::OnNcDestroy},                     // NonClientFrame.cpp
    {WM_ERASEBKGND,          OnEraseBkgnd},                           // Paint.cpp
    {WM_PAINT,               OnPaint},                                // Paint.cpp
    {WM_PRINT,               frame::OnPrint,                          OnPrint},  // NonClientFrame.cpp over PaintPrint.cpp
    {WM_PRINTCLIENT,         OnPrintClient},                          // PaintPrint.cpp
    {WM_SYSTIMER,            OnSysTimer},                             // Caret.cpp
};
// clang-format on

constexpr UINT kTableSize = 0x400;  // the system's messages; WM_USER and above are the window's own

struct DefaultTable {
  std::array<DefaultHandler, kTableSize> first{};
  std::array<DefaultHandler, kTableSize> underlying{};
};

constexpr DefaultTable BuildTable() {
  DefaultTable t;
  for (const DefaultEntry& e : kDefaults) {
    t.first[e.msg] = e.handler;
    t.underlying[e.msg] = e.underlying;
  }
  return t;
}

constexpr DefaultTable kTable = BuildTable();

}  // namespace

DefaultHandler UnderlyingDefault(UINT msg) { return msg < kTableSize ? kTable.underlying[msg] : nullptr; }

LRESULT CallUnderlyingDefault(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DefaultHandler h = UnderlyingDefault(msg);
  return h ? h(hwnd, msg, wParam, lParam) : 0;
}

}  // namespace win::user

namespace win {

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg >= user::kTableSize || !user::FindWindowObj(hwnd)) return 0;
  DefaultHandler h = user::kTable.first[msg];
  return h ? h(hwnd, msg, wParam, lParam) : 0;
}

}  // namespace win
