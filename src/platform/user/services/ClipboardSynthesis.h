#pragma once
// How the clipboard treats each format's data, and the rules that derive one format from
// another. The text and bitmap rules are built in; the metafile code adds CF_ENHMETAFILE <->
// CF_METAFILEPICT and the release of metafile handles here.

#include <functional>

#include "platform/kernel/WinDef.h"

namespace win {

// Data handles of a format: whether a handle is acceptable, and how the clipboard frees it.
// Formats without a handler hold global memory blocks; private formats (CF_PRIVATEFIRST ..
// CF_PRIVATELAST, CF_OWNERDISPLAY) are taken as they are and never freed.
struct ClipboardFormatHandler {
  std::function<bool(HANDLE)> isValid;
  std::function<void(HANDLE)> release;
};
void SetClipboardFormatHandler(UINT format, ClipboardFormatHandler handler);

// Makes a new handle of format `target` from the data of `source`; `locale` is the clipboard's
// CF_LOCALE value (0 when it has none). Null when it cannot.
using ClipboardRender = std::function<HANDLE(HANDLE source, LCID locale)>;
// On closing, a format that was not placed is offered when a placed format one of its rules
// starts from is there; rules added first are preferred.
void AddClipboardSynthesis(UINT target, UINT source, ClipboardRender render);

}  // namespace win
