#pragma once
// The chart as a picture file: one class per format, each drawing the chart at Width x Height
// and writing it to a stream or putting it on the clipboard. CreateExportFormat picks the class
// by file extension.

#include <memory>

#include "framework/ClassesTypes.h"
#include "framework/GraphicsBitmap.h"

namespace chart {
class TCustomPlotPanel;
}
namespace fw {
class TStream;
}

namespace kvexport {

class TKvPlotExportFormat {
 public:
  TKvPlotExportFormat() = default;
  virtual ~TKvPlotExportFormat() = default;
  TKvPlotExportFormat(const TKvPlotExportFormat&) = delete;
  TKvPlotExportFormat& operator=(const TKvPlotExportFormat&) = delete;

  virtual void CopyToClipboard() = 0;
  virtual void SaveToStream(fw::TStream* Stream) = 0;
  // Written beside FileName and renamed over it at the end, so a failed export leaves neither a
  // partial file nor a damaged old one; the failure is raised. Without a Panel: fw::Exception
  // "Panel property is not set in Export format".
  void SaveToFile(const fw::String& FileName);
  // A Width or Height of 0 becomes the panel's.
  void CheckSize();

  fw::Integer Height = 0;                    // 0: the panel's height at export time
  chart::TCustomPlotPanel* Panel = nullptr;  // not owned
  fw::Integer Width = 0;                     // 0: the panel's width at export time

 protected:
  // The panel, or the "not set" exception.
  chart::TCustomPlotPanel& CheckedPanel() const;
  // CheckSize, then the panel; a picture without pixels raises.
  chart::TCustomPlotPanel& SizedPanel();
  // SizedPanel for a picture made of pixels: one too large for the memory this process can get
  // (the machine's, its own limits', its control group's) is refused before any drawing, with
  // a message naming its size.
  chart::TCustomPlotPanel& RasterPanel();
  // Raises the message of a picture too large for memory.
  [[noreturn]] void NoMemory() const;
  // The chart at Width x Height over the panel's colour (after CheckSize); raises when no
  // picture of that size can be made.
  std::unique_ptr<fw::TBitmap> ChartBitmap(fw::TPixelFormat PixelFormat);
};

// ".bmp", ".jpg"/".jpeg", ".gif", ".svg", ".tif"/".tiff", ".wmf", ".emf" or ".pcx" (lower case,
// with the dot), for the main chart at its size; any other extension raises fw::Exception
// "Неподдерживаемый формат изображения".
std::unique_ptr<TKvPlotExportFormat> CreateExportFormat(const fw::String& Ext);

}  // namespace kvexport
