// The export format base: the file around SaveToStream, the picture size, the chart's bitmap,
// and the choice of format by extension.

#include "export/KvPlotExport.h"

#include <cstdint>
#include <fstream>
#include <limits>
#include <string>

#include "chart/Chart.h"
#include "export/KvPlotBmp.h"
#include "export/KvPlotGIF.h"
#include "export/KvPlotJPEG.h"
#include "export/KvPlotMetafile.h"
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

// What one pixel costs at most while a picture is made: the 32-bit drawing, a converted copy
// for the writer, and the encoder's own buffer.
constexpr std::uint64_t kBytesPerPixel = 9;
// The drawing layer refuses a single bitmap above 1 GiB; a 32-bit picture must stay below it.
constexpr std::uint64_t kMaxPicturePixels = (std::uint64_t{1} << 30) / 4;

// Memory the system can still give us, from /proc/meminfo; unlimited when it cannot be read.
std::uint64_t AvailableMemory() {
  std::ifstream in("/proc/meminfo");
  std::string key;
  std::uint64_t kilobytes = 0;
  std::string unit;
  while (in >> key >> kilobytes >> unit)
    if (key == "MemAvailable:") return kilobytes * 1024;
  return std::numeric_limits<std::uint64_t>::max();
}
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

chart::TCustomPlotPanel& TKvPlotExportFormat::RasterPanel() {
  chart::TCustomPlotPanel& panel = SizedPanel();
  const std::uint64_t pixels = std::uint64_t(Width) * std::uint64_t(Height);
  if (pixels > kMaxPicturePixels || pixels * kBytesPerPixel > AvailableMemory())
    throw fw::Exception("Недостаточно памяти для рисунка " + std::to_string(Width) + " × " +
                        std::to_string(Height) + " точек");
  return panel;
}

std::unique_ptr<fw::TBitmap> TKvPlotExportFormat::ChartBitmap(fw::TPixelFormat PixelFormat) {
  chart::TCustomPlotPanel& panel = RasterPanel();
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
  else if (Ext == ".wmf" || Ext == ".emf")
    format = std::make_unique<TKvEMFExportFormat>(Ext == ".emf");
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
