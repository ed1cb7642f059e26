#pragma once
// Internal to the drawing layer: the bytes behind a metafile handle, and the check that makes
// any byte string safe to walk record by record.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/MetafileRecords.h"
#include "platform/kernel/WinDef.h"

namespace win::gdi {

// The bytes of a live metafile, or null. Metafiles never change: the bytes stay valid for the
// holder even when the handle is deleted meanwhile.
std::shared_ptr<const std::vector<uint8_t>> MetafileBytes(HENHMETAFILE hemf);

// Whether `data` is a whole metafile: EMR_HEADER first with the signature and sizes that agree
// with the data, every record's size a multiple of 4 of at least 8 bytes lying within the data,
// EMR_EOF last and the record count as the header says.
bool ValidMetafile(const uint8_t* data, size_t size);

// The frame of a metafile in recorded device pixels: [left, right) x [top, bottom).
RECT MetafileFramePixels(const ENHMETAHEADER& header);

// Frees the recorder of a DC deleted without CloseEnhMetaFile.
struct DCObj;
void DiscardRecording(DCObj& dc);

}  // namespace win::gdi
