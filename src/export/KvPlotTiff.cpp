#include "export/KvPlotTiff.h"

#include "export/KvPlotTiffWriter.h"
#include "framework/Clipbrd.h"

namespace kvexport {

void TKvTIFFExportFormat::SaveToStream(fw::TStream* Stream) {
  std::unique_ptr<fw::TBitmap> bitmap = ChartBitmap(fw::pfDevice);
  WriteTIFF(*Stream, *bitmap);
}

void TKvTIFFExportFormat::CopyToClipboard() {
  fw::Clipboard()->Assign(ChartBitmap(fw::pfDevice).get());
}

}  // namespace kvexport
