// GIF export: the chart at the display's depth handed to a GIF image, which reduces its colours
// as set and codes it.

#include "export/KvPlotGIF.h"

#include "export/GIFImage.h"

namespace kvexport {

std::unique_ptr<TGIFImage> TKvGIFExportFormat::BuildImage() {
  auto gif = std::make_unique<TGIFImage>();
  gif->SetCompression(Compression);
  gif->SetDitherMode(DitherMode);
  gif->SetColorReduction(ColorReduction);
  std::unique_ptr<fw::TBitmap> bitmap = ChartBitmap(fw::pfDevice);
  gif->Assign(bitmap.get());
  return gif;
}

void TKvGIFExportFormat::SaveToStream(fw::TStream* Stream) {
  BuildImage()->SaveToStream(Stream);
}

void TKvGIFExportFormat::CopyToClipboard() {
  CopyGIFToClipboard(*BuildImage());
}

}  // namespace kvexport
