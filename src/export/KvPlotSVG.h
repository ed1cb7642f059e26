#pragma once
// The chart as an SVG 1.1 document, drawn through the SVG canvas.

#include "export/KvPlotExport.h"

namespace fw {
class TStringList;
}

namespace kvexport {

class TKvSVGExportFormat : public TKvPlotExportFormat {
 public:
  // The document as clipboard text.
  void CopyToClipboard() override;
  // UTF-8 text, lines ended by CR LF.
  void SaveToStream(fw::TStream* Stream) override;
  // The document's lines: the panel draws once through an SVG canvas installed in place of its
  // own, which goes back afterwards (also when drawing fails).
  std::unique_ptr<fw::TStringList> BuildSVG();

  bool TextAntiAlias = false;
};

}  // namespace kvexport
