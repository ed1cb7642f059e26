#pragma once
// The chart as a GIF picture; the fields are the GIF image's coding settings.

#include "export/GIFImageTypes.h"
#include "export/KvPlotExport.h"

namespace kvexport {

class TGIFImage;

class TKvGIFExportFormat : public TKvPlotExportFormat {
 public:
  void CopyToClipboard() override;
  void SaveToStream(fw::TStream* Stream) override;
  std::unique_ptr<TGIFImage> BuildImage();

  TGIFCompression Compression = TGIFCompression::LZW;
  TDitherMode DitherMode = TDitherMode::Nearest;
  TColorReduction ColorReduction = TColorReduction::None;
};

}  // namespace kvexport
