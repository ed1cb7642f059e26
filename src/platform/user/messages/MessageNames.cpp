// The names of the system's window messages and their channels, for the message trace.

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "platform/user/messages/Messages.h"
#include "platform/user/messages/MessageTrace.h"

namespace win {
namespace {

struct NamedMessage {
  UINT msg;
  const char* name;
};

// clang-format off
constexpr NamedMessage kNames[] = {
    {WM_NULL, "WM_NULL"}, {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"},
    {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"}, {WM_ACTIVATE, "WM_ACTIVATE"},
    {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"}, {WM_ENABLE, "WM_ENABLE"},
    {WM_SETREDRAW, "WM_SETREDRAW"}, {WM_SETTEXT, "WM_SETTEXT"}, {WM_GETTEXT, "WM_GETTEXT"},
    {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"}, {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"},
    {WM_QUIT, "WM_QUIT"}, {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_SYSCOLORCHANGE, "WM_SYSCOLORCHANGE"},
    {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_SETTINGCHANGE, "WM_SETTINGCHANGE"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
    {WM_FONTCHANGE, "WM_FONTCHANGE"}, {WM_CANCELMODE, "WM_CANCELMODE"}, {WM_SETCURSOR, "WM_SETCURSOR"},
    {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"}, {WM_CHILDACTIVATE, "WM_CHILDACTIVATE"}, {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
    {WM_DRAWITEM, "WM_DRAWITEM"}, {WM_MEASUREITEM, "WM_MEASUREITEM"}, {WM_SETFONT, "WM_SETFONT"},
    {WM_GETFONT, "WM_GETFONT"}, {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"}, {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
    {WM_NOTIFY, "WM_NOTIFY"}, {WM_HELP, "WM_HELP"}, {WM_NOTIFYFORMAT, "WM_NOTIFYFORMAT"},
    {WM_CONTEXTMENU, "WM_CONTEXTMENU"}, {WM_STYLECHANGING, "WM_STYLECHANGING"}, {WM_STYLECHANGED, "WM_STYLECHANGED"},
    {WM_GETICON, "WM_GETICON"}, {WM_SETICON, "WM_SETICON"}, {WM_NCCREATE, "WM_NCCREATE"},
    {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"}, {WM_NCHITTEST, "WM_NCHITTEST"},
    {WM_NCPAINT, "WM_NCPAINT"}, {WM_NCACTIVATE, "WM_NCACTIVATE"}, {WM_GETDLGCODE, "WM_GETDLGCODE"},
    {WM_SYNCPAINT, "WM_SYNCPAINT"}, {WM_KEYF1, "WM_KEYF1"}, {WM_GETOBJECT, "WM_GETOBJECT"},
    {WM_DELETEITEM, "WM_DELETEITEM"}, {WM_VKEYTOITEM, "WM_VKEYTOITEM"}, {WM_CHARTOITEM, "WM_CHARTOITEM"},
    {WM_COMPAREITEM, "WM_COMPAREITEM"}, {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"}, {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
    {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"}, {WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK"}, {WM_NCRBUTTONDOWN, "WM_NCRBUTTONDOWN"},
    {WM_NCRBUTTONUP, "WM_NCRBUTTONUP"}, {WM_NCRBUTTONDBLCLK, "WM_NCRBUTTONDBLCLK"}, {WM_NCMBUTTONDOWN, "WM_NCMBUTTONDOWN"},
    {WM_NCMBUTTONUP, "WM_NCMBUTTONUP"}, {WM_NCMBUTTONDBLCLK, "WM_NCMBUTTONDBLCLK"}, {WM_NCXBUTTONDOWN, "WM_NCXBUTTONDOWN"},
    {WM_NCXBUTTONUP, "WM_NCXBUTTONUP"}, {WM_NCXBUTTONDBLCLK, "WM_NCXBUTTONDBLCLK"}, {WM_KEYDOWN, "WM_KEYDOWN"},
    {WM_KEYUP, "WM_KEYUP"}, {WM_CHAR, "WM_CHAR"}, {WM_DEADCHAR, "WM_DEADCHAR"},
    {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"}, {WM_SYSKEYUP, "WM_SYSKEYUP"}, {WM_SYSCHAR, "WM_SYSCHAR"},
    {WM_SYSDEADCHAR, "WM_SYSDEADCHAR"}, {WM_UNICHAR, "WM_UNICHAR"}, {WM_INITDIALOG, "WM_INITDIALOG"},
    {WM_COMMAND, "WM_COMMAND"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_TIMER, "WM_TIMER"},
    {WM_HSCROLL, "WM_HSCROLL"}, {WM_VSCROLL, "WM_VSCROLL"}, {WM_INITMENU, "WM_INITMENU"},
    {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"}, {WM_SYSTIMER, "WM_SYSTIMER"}, {WM_MENUSELECT, "WM_MENUSELECT"},
    {WM_MENUCHAR, "WM_MENUCHAR"}, {WM_ENTERIDLE, "WM_ENTERIDLE"}, {WM_CHANGEUISTATE, "WM_CHANGEUISTATE"},
    {WM_UPDATEUISTATE, "WM_UPDATEUISTATE"}, {WM_QUERYUISTATE, "WM_QUERYUISTATE"}, {WM_CTLCOLORMSGBOX, "WM_CTLCOLORMSGBOX"},
    {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"}, {WM_CTLCOLORLISTBOX, "WM_CTLCOLORLISTBOX"}, {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
    {WM_CTLCOLORDLG, "WM_CTLCOLORDLG"}, {WM_CTLCOLORSCROLLBAR, "WM_CTLCOLORSCROLLBAR"}, {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
    {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"},
    {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"}, {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"},
    {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"}, {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"}, {WM_MBUTTONUP, "WM_MBUTTONUP"},
    {WM_MBUTTONDBLCLK, "WM_MBUTTONDBLCLK"}, {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"}, {WM_XBUTTONDOWN, "WM_XBUTTONDOWN"},
    {WM_XBUTTONUP, "WM_XBUTTONUP"}, {WM_XBUTTONDBLCLK, "WM_XBUTTONDBLCLK"}, {WM_MOUSEHWHEEL, "WM_MOUSEHWHEEL"},
    {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"}, {WM_ENTERMENULOOP, "WM_ENTERMENULOOP"}, {WM_EXITMENULOOP, "WM_EXITMENULOOP"},
    {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"}, {WM_MOVING, "WM_MOVING"}, {WM_ENTERSIZEMOVE, "WM_ENTERSIZEMOVE"},
    {WM_EXITSIZEMOVE, "WM_EXITSIZEMOVE"}, {WM_DROPFILES, "WM_DROPFILES"}, {WM_SIZING, "WM_SIZING"},
    {WM_IME_CHAR, "WM_IME_CHAR"}, {WM_NCMOUSEHOVER, "WM_NCMOUSEHOVER"}, {WM_MOUSEHOVER, "WM_MOUSEHOVER"},
    {WM_NCMOUSELEAVE, "WM_NCMOUSELEAVE"}, {WM_MOUSELEAVE, "WM_MOUSELEAVE"}, {WM_CUT, "WM_CUT"},
    {WM_COPY, "WM_COPY"}, {WM_PASTE, "WM_PASTE"}, {WM_CLEAR, "WM_CLEAR"},
    {WM_UNDO, "WM_UNDO"}, {WM_PRINT, "WM_PRINT"}, {WM_PRINTCLIENT, "WM_PRINTCLIENT"},
    {WM_THEMECHANGED, "WM_THEMECHANGED"},
};
// clang-format on

constexpr std::array<const char*, WM_USER> BuildNames() {
  std::array<const char*, WM_USER> t{};
  for (const NamedMessage& m : kNames) t[m.msg] = m.name;
  return t;
}

constexpr std::array<const char*, WM_USER> kByNumber = BuildNames();

}  // namespace

std::string MessageName(UINT msg) {
  if (msg < WM_USER && kByNumber[msg]) return kByNumber[msg];
  char buf[32];
  if (msg >= WM_USER && msg < WM_APP) {
    std::snprintf(buf, sizeof buf, "WM_USER+%u", unsigned(msg - WM_USER));
  } else if (msg >= WM_APP && msg < 0xC000) {
    std::snprintf(buf, sizeof buf, "WM_APP+0x%X", unsigned(msg - WM_APP));
  } else {
    std::snprintf(buf, sizeof buf, "0x%04X", unsigned(msg));
  }
  return buf;
}

MessageChannel ChannelOfMessage(UINT msg) {
  switch (msg) {
    case WM_CREATE: case WM_NCCREATE: case WM_DESTROY: case WM_NCDESTROY: case WM_CLOSE: case WM_QUIT:
      return kChannelLifetime;
    case WM_MOVE: case WM_SIZE: case WM_SHOWWINDOW: case WM_WINDOWPOSCHANGING: case WM_WINDOWPOSCHANGED:
    case WM_GETMINMAXINFO: case WM_NCCALCSIZE: case WM_STYLECHANGING: case WM_STYLECHANGED: case WM_SIZING:
    case WM_MOVING: case WM_ENTERSIZEMOVE: case WM_EXITSIZEMOVE:
      return kChannelGeometry;
    case WM_PAINT: case WM_ERASEBKGND: case WM_NCPAINT: case WM_SYNCPAINT: case WM_PRINT: case WM_PRINTCLIENT:
    case WM_DRAWITEM: case WM_MEASUREITEM:
      return kChannelPaint;
    case WM_NCHITTEST: case WM_SETCURSOR: case WM_MOUSEACTIVATE: case WM_CAPTURECHANGED: case WM_NCMOUSEHOVER:
    case WM_MOUSEHOVER: case WM_NCMOUSELEAVE: case WM_MOUSELEAVE: case WM_DROPFILES:
      return kChannelMouse;
    case WM_GETDLGCODE: case WM_KEYF1: case WM_IME_CHAR: case WM_VKEYTOITEM: case WM_CHARTOITEM:
    case WM_CHANGEUISTATE: case WM_UPDATEUISTATE: case WM_QUERYUISTATE:
      return kChannelKeyboard;
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ACTIVATE: case WM_ACTIVATEAPP: case WM_NCACTIVATE:
    case WM_CHILDACTIVATE: case WM_ENABLE: case WM_CANCELMODE:
      return kChannelFocus;
    case WM_INITMENU: case WM_INITMENUPOPUP: case WM_MENUSELECT: case WM_MENUCHAR: case WM_ENTERIDLE:
    case WM_ENTERMENULOOP: case WM_EXITMENULOOP: case WM_SYSCOMMAND: case WM_CONTEXTMENU:
    case 0x0122 /* WM_MENURBUTTONUP */: case 0x0123 /* WM_MENUDRAG */: case 0x0124 /* WM_MENUGETOBJECT */:
    case 0x0125 /* WM_UNINITMENUPOPUP */: case 0x0126 /* WM_MENUCOMMAND */:
      return kChannelMenu;
    case WM_COMMAND: case WM_NOTIFY: case WM_PARENTNOTIFY: case WM_HSCROLL: case WM_VSCROLL: case WM_HELP:
    case WM_INITDIALOG:
      return kChannelCommand;
    case WM_TIMER: case WM_SYSTIMER:
      return kChannelTimer;
    case WM_SETTINGCHANGE: case WM_SYSCOLORCHANGE: case WM_DISPLAYCHANGE: case WM_FONTCHANGE: case WM_THEMECHANGED:
      return kChannelSystem;
    default: break;
  }
  if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) return kChannelPaint;
  if ((msg >= WM_NCMOUSEMOVE && msg <= WM_NCXBUTTONDBLCLK) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST))
    return kChannelMouse;
  if (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) return kChannelKeyboard;
  if (msg >= 0x01E0 && msg <= 0x01EF) return kChannelMenu;  // the menu window class's MN_ messages
  // EM_ (0xB0…0xDF), SBM_ (0xE0…0xEF), BM_ (0xF0…0xFF), CB_ (0x140…0x16F), LB_ (0x180…0x1BF)
  if ((msg >= 0x00B0 && msg <= 0x00FF) || (msg >= 0x0140 && msg <= 0x016F) || (msg >= 0x0180 && msg <= 0x01BF))
    return kChannelControl;
  if (msg >= WM_USER) return kChannelPrivate;
  return kChannelOther;
}

namespace {
constexpr std::pair<MessageChannel, std::string_view> kChannelNames[] = {
    {kChannelLifetime, "lifetime"}, {kChannelGeometry, "geometry"}, {kChannelPaint, "paint"},
    {kChannelMouse, "mouse"},       {kChannelKeyboard, "keyboard"}, {kChannelFocus, "focus"},
    {kChannelMenu, "menu"},         {kChannelCommand, "command"},   {kChannelTimer, "timer"},
    {kChannelSystem, "system"},     {kChannelControl, "control"},   {kChannelPrivate, "private"},
    {kChannelOther, "other"},       {kChannelHook, "hook"},
};
}  // namespace

std::string_view ChannelName(MessageChannel channel) {
  for (const auto& [c, name] : kChannelNames)
    if (c == channel) return name;
  return "?";
}

unsigned ChannelsFromText(std::string_view names) {
  unsigned out = 0;
  while (!names.empty()) {
    size_t comma = names.find(',');
    std::string_view name = names.substr(0, comma);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    if (name == "all") out |= kAllChannels;
    for (const auto& [c, n] : kChannelNames)
      if (n == name) out |= c;
    names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 1);
  }
  return out;
}

}  // namespace win
