#pragma once
// The chart as a BMP picture of a chosen depth.

#include "export/KvPlotExport.h"

namespace kvexport {

class TKvBMPExportFormat : public TKvPlotExportFormat {
 public:
  void CopyToClipboard() override;
  void SaveToStream(fw::TStream* Stream) override;
  // The chart drawn into a new bitmap of Width x Height and the chosen depth (24 bits whatever
  // was chosen when the chart's canvas is not GDI-based).
  std::unique_ptr<fw::TBitmap> BuildBitmap();

  bool Monochrome = false;
  fw::TPixelFormat PixelFormat = fw::pf24bit;
};

}  // namespace kvexport
