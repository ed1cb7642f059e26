#include "chart/PlotExportData.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>

#include "chart/Chart.h"
#include "chart/PlotEngine.h"
#include "framework/Clipbrd.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/kernel/TextConvert.h"

namespace chart {
namespace {

[[noreturn]] void RaiseCreateError(const String& FileName, int Error) {
  throw fw::EFCreateError(fw::Format("Cannot create file \"%s\". %s", FileName, fw::SysErrorMessage(Error)));
}

// The file a name stands for: a symbolic link is followed, so that saving replaces the file it
// points to rather than the link.
String ResolvedTarget(const String& FileName) {
  struct stat info {};
  if (::lstat(FileName.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return FileName;
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(FileName.c_str(), nullptr), &std::free);
  return real ? String(real.get()) : FileName;
}

// A new, empty file beside Target that no one else uses: "<Target>.part", else with a number.
// A name already at the length limit gets a short one of the process's own in the same folder.
int CreatePartFile(const String& Target, const String& FileName, String& PartName) {
  bool shortName = false;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const String suffix = ".part" + (attempt ? std::to_string(attempt) : String());
    PartName = shortName ? fw::ExtractFilePath(Target) + ".export-" + std::to_string(::getpid()) + suffix
                         : Target + suffix;
    const int fd = ::open(PartName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno == ENAMETOOLONG && !shortName) {
      shortName = true;
      attempt = -1;
      continue;
    }
    if (errno != EEXIST) RaiseCreateError(FileName, errno);
  }
  RaiseCreateError(FileName, EEXIST);
}

}  // namespace

String TPlotExportData::AsString() {
  return {};
}

void TPlotExportData::CopyToClipboard() {
  fw::Clipboard()->SetAsText(AsString());
}

void TPlotExportData::SaveToStream(fw::TStream* Stream) {
  WriteAllBytes(Stream, FileBytes(AsString()));
}

void WriteAllBytes(fw::TStream* Stream, std::string_view Bytes) {
  // WriteBuffer takes an Integer count: large documents go in slices.
  for (std::size_t done = 0; done < Bytes.size();) {
    const std::size_t slice = std::min<std::size_t>(Bytes.size() - done, std::size_t(1) << 30);
    Stream->WriteBuffer(Bytes.data() + done, Integer(slice));
    done += slice;
  }
}

std::string TPlotExportData::FileBytes(String Text) {
  return TextToAnsiBytes(std::move(Text));
}

void TPlotExportData::SaveToFile(const String& FileName) {
  const String target = ResolvedTarget(FileName);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  // Replacing by rename would get past a file that may not be written to, or a folder.
  if (exists && ::access(target.c_str(), W_OK) != 0) RaiseCreateError(FileName, errno);
  if (exists && S_ISDIR(existing.st_mode)) RaiseCreateError(FileName, EISDIR);

  String partName;
  const int fd = CreatePartFile(target, FileName, partName);
  try {
    if (exists && S_ISREG(existing.st_mode)) ::fchmod(fd, existing.st_mode & 07777);
    fw::THandleStream stream(fd);
    SaveToStream(&stream);
  } catch (...) {
    ::close(fd);
    ::unlink(partName.c_str());
    throw;
  }
  if (::close(fd) != 0) {
    ::unlink(partName.c_str());
    throw fw::EWriteError("Stream write error");
  }
  if (::rename(partName.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(partName.c_str());
    RaiseCreateError(FileName, error);
  }
}

std::vector<TChartSeries*> ExportedSeries(const TCustomAxisPanel* Chart, TChartSeries* Series) {
  if (Series) return {Series};
  if (!Chart) return {};
  const TChartSeriesList& list = Chart->SeriesList();
  return std::vector<TChartSeries*>(list.begin(), list.end());
}

Integer ExportRowCount(const std::vector<TChartSeries*>& Series) {
  Integer rows = 0;
  for (const TChartSeries* s : Series) rows = std::max(rows, s->Count());
  return rows;
}

String ExportedSeriesName(const TCustomAxisPanel* Chart, const TChartSeries* Series) {
  if (Chart) return SeriesDisplayName(Series, &Chart->SeriesList());
  if (Series->ParentChart()) return SeriesDisplayName(Series, &Series->ParentChart()->SeriesList());
  return SeriesDisplayName(Series);
}

std::string TextToAnsiBytes(String Text) {
  auto ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
  auto first = std::find_if_not(Text.begin(), Text.end(), ascii);
  if (first == Text.end()) return Text;
  // A multi-byte UTF-8 sequence holds no ASCII byte, so cutting at ASCII never splits one.
  std::string out(Text.begin(), first);
  out.reserve(Text.size());
  for (auto it = first; it != Text.end();) {
    auto runEnd = std::find_if(it, Text.end(), ascii);
    out += win::Utf8ToCp1251(std::string_view(&*it, std::size_t(runEnd - it)));
    it = std::find_if_not(runEnd, Text.end(), ascii);
    out.append(runEnd, it);
  }
  return out;
}

}  // namespace chart
