#pragma once
// The derivation rules the clipboard starts with (internal to the clipboard).

#include "platform/kernel/WinDef.h"

namespace win {

// CF_TEXT, CF_OEMTEXT and CF_UNICODETEXT from one another (ClipboardText.cpp).
void AddTextClipboardRules();
// CF_DIB and CF_BITMAP from one another, and the handlers of the GDI-object formats
// (ClipboardBitmap.cpp).
void AddBitmapClipboardRules();
// The handler of CF_ENHMETAFILE handles, which the clipboard owns and deletes (ClipboardMetafile.cpp).
void AddMetafileClipboardRules();

// The code pages text formats use under a CF_LOCALE value (0: no locale, the process's pages).
UINT AnsiCodePageOfLocale(LCID locale);
UINT OemCodePageOfLocale(LCID locale);
// The keyboard's locale, which CF_LOCALE gets when text is placed without one.
LCID ClipboardInputLocale();

}  // namespace win
