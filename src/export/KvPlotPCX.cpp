#include "export/KvPlotPCX.h"

#include "export/PCX.h"
#include "framework/Clipbrd.h"

namespace kvexport {

void TKvPCXExportFormat::SaveToStream(fw::TStream* Stream) {
  std::unique_ptr<fw::TBitmap> bitmap = ChartBitmap(fw::pfDevice);
  bitmap->SetPixelFormat(fw::pf24bit);
  WritePCX(*Stream, *bitmap, pcxTrueColor);
}

void TKvPCXExportFormat::CopyToClipboard() {
  fw::Clipboard()->Assign(ChartBitmap(fw::pfDevice).get());
}

}  // namespace kvexport
