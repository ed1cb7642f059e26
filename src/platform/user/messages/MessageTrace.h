#pragma once
// The message trace: every message delivered to a window procedure (sent, or posted and
// dispatched), every thread hook called, and what each returned, with the nesting depth of sends
// inside sends. A sink receives the records; the environment's trace (KV_TRACE_MESSAGES) is one
// such sink, writing the channels it names to standard error. With no sink a delivery pays one
// relaxed load.
//
// KV_TRACE_MESSAGES=1 (or "all") traces every channel; a comma-separated list of channel names
// ("menu,focus,mouse") traces only those.

#include <functional>
#include <string>
#include <string_view>

#include "platform/kernel/WinDef.h"

namespace win {

// Groups of messages by concern, as bits so that a filter can hold several.
enum MessageChannel : unsigned {
  kChannelLifetime = 1u << 0,   // creation, destruction, closing, quitting
  kChannelGeometry = 1u << 1,   // moving, sizing, showing, styles, size-move loops
  kChannelPaint = 1u << 2,      // painting, erasing, printing, control colours
  kChannelMouse = 1u << 3,      // client and non-client mouse, hit tests, cursors, capture
  kChannelKeyboard = 1u << 4,   // keys, characters, dialog codes
  kChannelFocus = 1u << 5,      // focus, activation, enabling, cancelling modes
  kChannelMenu = 1u << 6,       // menu loops, popups, selection, menu characters, system commands
  kChannelCommand = 1u << 7,    // commands, notifications, scrolling requests of controls
  kChannelTimer = 1u << 8,      // timers
  kChannelSystem = 1u << 9,     // settings, colours, display, fonts, themes
  kChannelControl = 1u << 10,   // messages of the standard control classes (EM_, LB_, CB_, BM_, SBM_ …)
  kChannelPrivate = 1u << 11,   // WM_USER and above: the framework's, the program's and registered ones
  kChannelOther = 1u << 12,     // the rest (text, fonts, icons, clipboard …)
  kChannelHook = 1u << 13,      // thread hooks
  kAllChannels = (1u << 14) - 1,
};

// How a record came about.
enum class TraceKind {
  Sent,       // SendMessage and its kin, called straight into the window procedure
  Posted,     // taken from the queue and dispatched
  Hook,       // a thread hook chain was called (`hook` names it, `wParam`/`lParam` are its own)
};

struct TracedMessage {
  unsigned long long id = 0;  // increases with every record, so a result finds its call
  TraceKind kind = TraceKind::Sent;
  MessageChannel channel = kChannelOther;
  int depth = 0;    // sends and hooks already running on this thread when this one began
  HWND hwnd = nullptr;
  UINT msg = 0;     // 0 for hooks
  int hook = 0;     // WH_ id of a hook record
  int code = 0;     // the hook code of a hook record
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  bool returned = false;  // false: the call begins; true: it ended and `result` holds its answer
  LRESULT result = 0;
};

// The channel a message number belongs to.
MessageChannel ChannelOfMessage(UINT msg);
// "menu", "mouse" …, and back (0 for an unknown name).
std::string_view ChannelName(MessageChannel channel);
unsigned ChannelsFromText(std::string_view names);

// "WM_PAINT", "WM_USER+5", "WM_APP+0x10", or the number in hexadecimal.
std::string MessageName(UINT msg);

// Receives every record of the channels in its filter, on the thread that delivers the message:
// one record when a call begins and one when it returns. Installing a sink replaces the previous
// one and returns it, so that a caller can restore it; an empty sink switches tracing off (unless
// the environment asked for the standard-error trace, which comes back).
using MessageTraceSink = std::function<void(const TracedMessage&)>;
struct MessageTraceSinkEntry {
  MessageTraceSink sink;
  unsigned channels = kAllChannels;
};
MessageTraceSinkEntry SetMessageTraceSink(MessageTraceSink sink, unsigned channels = kAllChannels);

// One line of the standard-error trace for a record (indented by its depth).
std::string FormatTracedMessage(const TracedMessage& m);

}  // namespace win
