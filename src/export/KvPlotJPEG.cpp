// JPEG export: a 24-bit picture of the chart compressed with the chosen settings.

#include "export/KvPlotJPEG.h"

#include "framework/Clipbrd.h"

namespace kvexport {

std::unique_ptr<fw::TJPEGImage> TKvJPEGExportFormat::BuildImage() {
  std::unique_ptr<fw::TBitmap> bitmap = ChartBitmap(fw::pf24bit);
  auto jpeg = std::make_unique<fw::TJPEGImage>();
  jpeg->SetGrayscale(Grayscale);
  jpeg->SetProgressiveEncoding(ProgressiveEncoding);
  jpeg->SetCompressionQuality(CompressionQuality);
  jpeg->SetProgressiveDisplay(ProgressiveDisplay);
  jpeg->SetPerformance(Performance);
  jpeg->SetSmoothing(Smoothing);
  jpeg->Assign(bitmap.get());
  return jpeg;
}

void TKvJPEGExportFormat::SaveToStream(fw::TStream* Stream) {
  BuildImage()->SaveToStream(Stream);
}

void TKvJPEGExportFormat::CopyToClipboard() {
  fw::Clipboard()->Assign(BuildImage().get());
}

}  // namespace kvexport
