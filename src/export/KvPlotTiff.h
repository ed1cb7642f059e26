#pragma once
// The chart as a TIFF picture at the display's colour depth.

#include "export/KvPlotExport.h"

namespace kvexport {

class TKvTIFFExportFormat : public TKvPlotExportFormat {
 public:
  // The clipboard takes the chart as a bitmap (it has no TIFF format of its own).
  void CopyToClipboard() override;
  void SaveToStream(fw::TStream* Stream) override;
};

}  // namespace kvexport
