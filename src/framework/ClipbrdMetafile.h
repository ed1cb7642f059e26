#pragma once
// A chart picture on the clipboard as a metafile: CF_ENHMETAFILE, and for a Windows-format copy
// CF_METAFILEPICT as well (the Windows metafile made from the same records), put together.

#include "platform/kernel/WinDef.h"

namespace fw {

// The clipboard takes Metafile (also when this raises: it is deleted then). Exception "Cannot
// create the Windows metafile" when the records have no Windows form.
void SetClipboardMetafile(win::HENHMETAFILE Metafile, bool WindowsFormat);

}  // namespace fw
