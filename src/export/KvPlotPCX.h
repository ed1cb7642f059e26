#pragma once
// The chart as a true-colour PCX picture.

#include "export/KvPlotExport.h"

namespace kvexport {

class TKvPCXExportFormat : public TKvPlotExportFormat {
 public:
  // The clipboard takes the chart as a bitmap, not as PCX.
  void CopyToClipboard() override;
  void SaveToStream(fw::TStream* Stream) override;
};

}  // namespace kvexport
