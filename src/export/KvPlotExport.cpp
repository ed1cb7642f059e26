// The export format base: the file around SaveToStream, the picture size, the chart's bitmap,
// and the choice of format by extension.

#include "export/KvPlotExport.h"

#include "chart/Chart.h"
#include "export/KvPlotBmp.h"
#include "export/KvPlotGIF.h"
#include "export/KvPlotJPEG.h"
#include "export/KvPlotPCX.h"
#include "export/KvPlotSVG.h"
#include "export/KvPlotTiff.h"
#include "framework/SafeSave.h"
#include "framework/SysUtils.h"

namespace kvexport {

namespace {
const char kNoPanel[] = "Panel property is not set in Export format";
const char kNoPicture[] = "Не удалось создать рисунок графика";
const char kUnsupported[] = "Неподдерживаемый формат изображения";
}  // namespace

chart::TCustomPlotPanel& TKvPlotExportFormat::CheckedPanel() const {
  if (!Panel) throw fw::Exception(kNoPanel);
  return *Panel;
}

void TKvPlotExportFormat::CheckSize() {
  chart::TCustomPlotPanel& panel = CheckedPanel();
  if (Width == 0) Width = panel.Width();
  if (Height == 0) Height = panel.Height();
}

chart::TCustomPlotPanel& TKvPlotExportFormat::SizedPanel() {
  CheckSize();
  if (Width <= 0 || Height <= 0) throw fw::Exception(kNoPicture);
  return *Panel;
}

std::unique_ptr<fw::TBitmap> TKvPlotExportFormat::ChartBitmap(fw::TPixelFormat PixelFormat) {
  chart::TCustomPlotPanel& panel = SizedPanel();
  std::unique_ptr<fw::TBitmap> bitmap =
      panel.CreateBitmap(panel.Color(), fw::TRect{0, 0, Width, Height}, PixelFormat);
  if (!bitmap || bitmap->Empty()) throw fw::Exception(kNoPicture);
  return bitmap;
}

void TKvPlotExportFormat::SaveToFile(const fw::String& FileName) {
  CheckSize();
  fw::SaveFileSafely(FileName, [this](fw::TStream* Stream) { SaveToStream(Stream); });
}

std::unique_ptr<TKvPlotExportFormat> CreateExportFormat(const fw::String& Ext) {
  std::unique_ptr<TKvPlotExportFormat> format;
  if (Ext == ".bmp")
    format = std::make_unique<TKvBMPExportFormat>();
  else if (Ext == ".jpg" || Ext == ".jpeg")
    format = std::make_unique<TKvJPEGExportFormat>();
  else if (Ext == ".gif")
    format = std::make_unique<TKvGIFExportFormat>();
  else if (Ext == ".svg")
    format = std::make_unique<TKvSVGExportFormat>();
  else if (Ext == ".tiff" || Ext == ".tif")
    format = std::make_unique<TKvTIFFExportFormat>();
  else if (Ext == ".pcx")
    format = std::make_unique<TKvPCXExportFormat>();
  else
    throw fw::Exception(kUnsupported);
  format->Panel = chart::MainChart;
  if (chart::MainChart) {
    format->Width = chart::MainChart->Width();
    format->Height = chart::MainChart->Height();
  }
  return format;
}

}  // namespace kvexport
