#pragma once
// How the presenter keeps the desktop's clipboard and ours in step: it is told when our text
// changes, and hands us the desktop's text when that changes.

#include <optional>
#include <string>
#include <string_view>

#include "platform/kernel/WinDef.h"

namespace win {

class ClipboardMirror {
 public:
  virtual ~ClipboardMirror() = default;
  // Our clipboard was closed with changed contents; the text as UTF-8, or none when it holds no
  // text format. Called on the thread that closed it, with the clipboard already closed.
  virtual void OurClipboardChanged(const std::optional<std::string>& utf8Text) = 0;
};

// Not owned; null removes it. Returns the mirror set before.
ClipboardMirror* SetClipboardMirror(ClipboardMirror* mirror);

// The desktop's clipboard now holds this text: ours is emptied and given it as CF_UNICODETEXT
// (owner none), without telling the mirror. Nothing changes when our text is already the same.
// FALSE while our clipboard is open.
BOOL TakeDesktopClipboardText(std::string_view utf8);

}  // namespace win
