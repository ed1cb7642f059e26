// The export format base: the file around SaveToStream, the picture size, the chart's bitmap,
// and the choice of format by extension.

#include "export/KvPlotExport.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
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

constexpr std::uint64_t kUnlimited = std::numeric_limits<std::uint64_t>::max();

// What the machine can still give, from /proc/meminfo.
std::uint64_t MachineAvailable() {
  std::ifstream in("/proc/meminfo");
  std::string key;
  std::uint64_t kilobytes = 0;
  std::string unit;
  while (in >> key >> kilobytes >> unit)
    if (key == "MemAvailable:") return kilobytes * 1024;
  return kUnlimited;
}

// What the process's own limits leave: the address space and data limits less what is mapped
// now (/proc/self/statm counts pages: size, resident, shared, text, lib, data).
std::uint64_t ProcessAvailable() {
  std::uint64_t pages[6] = {};
  std::ifstream statm("/proc/self/statm");
  for (std::uint64_t& p : pages) statm >> p;
  const std::uint64_t page = std::uint64_t(::sysconf(_SC_PAGESIZE));
  std::uint64_t left = kUnlimited;
  const auto limit = [&](int Resource, std::uint64_t Used) {
    rlimit r{};
    if (::getrlimit(Resource, &r) != 0 || r.rlim_cur == RLIM_INFINITY) return;
    left = std::min(left, r.rlim_cur > Used ? std::uint64_t(r.rlim_cur) - Used : 0);
  };
  if (statm) {
    limit(RLIMIT_AS, pages[0] * page);
    limit(RLIMIT_DATA, pages[5] * page);
  }
  return left;
}

// What the process's control group (version 2) still allows.
std::uint64_t GroupAvailable() {
  std::ifstream cgroup("/proc/self/cgroup");
  std::string line;
  while (std::getline(cgroup, line)) {
    if (line.rfind("0::", 0) != 0) continue;
    const std::string folder = "/sys/fs/cgroup" + line.substr(3);
    std::string max;
    std::uint64_t current = 0;
    if (!(std::ifstream(folder + "/memory.max") >> max) || max == "max") return kUnlimited;
    if (!(std::ifstream(folder + "/memory.current") >> current)) return kUnlimited;
    const std::uint64_t limit = std::strtoull(max.c_str(), nullptr, 10);
    return limit > current ? limit - current : 0;
  }
  return kUnlimited;
}

// Memory this process can still get: the least of the machine's, its limits' and its group's.
std::uint64_t AvailableMemory() { return std::min({MachineAvailable(), ProcessAvailable(), GroupAvailable()}); }
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
  if (pixels > kMaxPicturePixels || pixels * kBytesPerPixel > AvailableMemory()) NoMemory();
  return panel;
}

void TKvPlotExportFormat::NoMemory() const {
  throw fw::Exception("Недостаточно памяти для рисунка " + std::to_string(Width) + " × " + std::to_string(Height) +
                      " точек");
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
  // Memory that runs out after the check (other programs took it meanwhile) is said the same way.
  try {
    fw::SaveFileSafely(FileName, [this](fw::TStream* Stream) { SaveToStream(Stream); });
  } catch (const std::bad_alloc&) {
    NoMemory();
  }
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
