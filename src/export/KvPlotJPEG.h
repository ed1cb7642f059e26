#pragma once
// The chart as a JPEG picture; the fields are the compressor's settings.

#include "export/KvPlotExport.h"
#include "framework/Jpeg.h"

namespace kvexport {

class TKvJPEGExportFormat : public TKvPlotExportFormat {
 public:
  void CopyToClipboard() override;
  void SaveToStream(fw::TStream* Stream) override;
  std::unique_ptr<fw::TJPEGImage> BuildImage();

  bool Grayscale = false;
  bool ProgressiveEncoding = false;
  fw::Integer CompressionQuality = 95;
  bool ProgressiveDisplay = false;
  fw::TJPEGPerformance Performance = fw::jpBestQuality;
  bool Smoothing = true;
};

}  // namespace kvexport
