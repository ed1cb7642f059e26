// CF_ENHMETAFILE on the clipboard: the data is a metafile handle, owned by the clipboard once
// placed and deleted when the clipboard is emptied or the format replaced. CF_METAFILEPICT: a
// global block holding a METAFILEPICT; the block and the Windows metafile in it go together.

#include <cstring>
#include <optional>

#include "platform/gdi/Metafile.h"
#include "platform/user/services/ClipboardBuiltinRules.h"
#include "platform/user/services/ClipboardFormats.h"
#include "platform/user/services/ClipboardGlobalMemory.h"
#include "platform/user/services/ClipboardSynthesis.h"

namespace win {

void AddMetafileClipboardRules() {
  ClipboardFormatHandler h;
  h.isValid = [](HANDLE data) { return IsEnhMetaFile(static_cast<HENHMETAFILE>(data)); };
  h.release = [](HANDLE data) { DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data)); };
  SetClipboardFormatHandler(CF_ENHMETAFILE, h);
  SetClipboardFormatHandler(CF_DSPENHMETAFILE, std::move(h));

  // The METAFILEPICT in a block, read out; nothing when the block cannot hold one.
  auto picture = [](HANDLE data) -> std::optional<METAFILEPICT> {
    const auto block = static_cast<HGLOBAL>(data);
    if (!IsGlobalBlock(block) || GlobalSize(block) < sizeof(METAFILEPICT)) return std::nullopt;
    METAFILEPICT p;
    std::memcpy(&p, GlobalLock(block), sizeof p);
    GlobalUnlock(block);
    return p;
  };
  ClipboardFormatHandler pict;
  pict.isValid = [picture](HANDLE data) {
    const std::optional<METAFILEPICT> p = picture(data);
    return p && IsMetaFile(p->hMF);
  };
  pict.release = [picture](HANDLE data) {
    if (const std::optional<METAFILEPICT> p = picture(data)) DeleteMetaFile(p->hMF);
    GlobalFree(static_cast<HGLOBAL>(data));
  };
  SetClipboardFormatHandler(CF_METAFILEPICT, pict);
  SetClipboardFormatHandler(CF_DSPMETAFILEPICT, std::move(pict));
}

}  // namespace win
