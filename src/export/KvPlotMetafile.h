#pragma once
// The chart as a metafile picture: an enhanced metafile (EMF) of the drawing's records, or the
// same drawing as a placeable Windows metafile (WMF).

#include "export/KvPlotExport.h"

namespace kvexport {

class TKvEMFExportFormat : public TKvPlotExportFormat {
 public:
  explicit TKvEMFExportFormat(bool AEnhanced) : Enhanced(AEnhanced) {}
  // The enhanced metafile goes on the clipboard (the clipboard offers the Windows form from it).
  void CopyToClipboard() override;
  void SaveToStream(fw::TStream* Stream) override;

  bool Enhanced;

 private:
  // SizedPanel, refusing a picture with a side above Limit (a metafile would cut it).
  chart::TCustomPlotPanel& MetafilePanel(fw::Integer Limit);
};

}  // namespace kvexport
