// CF_ENHMETAFILE on the clipboard: the data is a metafile handle, owned by the clipboard once
// placed and deleted when the clipboard is emptied or the format replaced.

#include "platform/gdi/Metafile.h"
#include "platform/user/services/ClipboardBuiltinRules.h"
#include "platform/user/services/ClipboardFormats.h"
#include "platform/user/services/ClipboardSynthesis.h"

namespace win {

void AddMetafileClipboardRules() {
  ClipboardFormatHandler h;
  h.isValid = [](HANDLE data) { return IsEnhMetaFile(static_cast<HENHMETAFILE>(data)); };
  h.release = [](HANDLE data) { DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data)); };
  SetClipboardFormatHandler(CF_ENHMETAFILE, h);
  SetClipboardFormatHandler(CF_DSPENHMETAFILE, std::move(h));
}

}  // namespace win
