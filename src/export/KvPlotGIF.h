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
  // The optimal 256-colour palette: a chart of up to 256 colours keeps them exactly, one with
  // more (anti-aliased edges, gradients) gets the closest 256. "None" is the user's explicit
  // choice and refuses a picture of more than 256 colours.
  TColorReduction ColorReduction = TColorReduction::Quantize;
};

}  // namespace kvexport
