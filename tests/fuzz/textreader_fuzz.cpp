// Bytes through the two-column text reader. The first byte picks the settings (decimal
// separator, delimiters, one of them outside ASCII, lines to skip); the rest is the text. The
// reader may refuse a text only with its own error; the points it gives must be finite, the
// series ascending in X, and a refused text must leave the series as it was. The text read
// from a file must give the same points as the text in memory, and read in shares on several
// threads the same points, skipped lines and message as on one.

#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "chart/PlotEngine.h"
#include "platform/kernel/Exceptions.h"
#include "workspace/GraphText.h"
#include "workspace/TextReader.h"

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

workspace::TTextReaderSettings SettingsFor(std::uint8_t Choice) {
  static const char* const delimiters[] = {"\t ;", "\t", ",", "№ ", "; "};
  workspace::TTextReaderSettings s;
  s.DecimalSeparator = (Choice & 1) ? '.' : ',';
  s.Delimiters = delimiters[(Choice >> 1) % 5];
  s.SkipLines = Choice >> 5;
  return s;
}

std::string TempFile(std::string_view Bytes) {
  char name[] = "/tmp/textreader_fuzzXXXXXX";
  const int fd = ::mkstemp(name);
  if (fd < 0) return {};
  const bool written = ::write(fd, Bytes.data(), Bytes.size()) == ssize_t(Bytes.size());
  ::close(fd);
  if (!written) {
    ::unlink(name);
    return {};
  }
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  const auto settings = SettingsFor(Data[0]);
  const std::string_view text(reinterpret_cast<const char*>(Data + 1), Size - 1);

  workspace::TTwoColumnPoints points;
  workspace::ReadTwoColumnText(text, settings, points);
  Check(points.X.size() == points.Y.size());
  for (std::size_t i = 0; i < points.X.size(); ++i) Check(std::isfinite(points.X[i]) && std::isfinite(points.Y[i]));

  chart::TChartSeries series(nullptr);
  series.AddPoint(-7, 7);
  bool loaded = true;
  try {
    workspace::LoadTwoColumnSeries(text, settings, &series);
  } catch (const win::Exception&) {
    loaded = false;
  }
  if (loaded) {
    Check(std::size_t(series.Count()) == points.X.size() && series.Count() >= 2);
    for (int i = 1; i < series.Count(); ++i) Check(series.PointX(i - 1) <= series.PointX(i));
  } else {
    Check(points.X.size() < 2 && series.Count() == 1 && series.PointX(0) == -7);
  }

  const std::string file = TempFile(text);
  if (!file.empty()) {
    chart::TChartSeries fromFile(nullptr);
    bool fileLoaded = true;
    try {
      workspace::LoadTwoColumnFile(file, settings, &fromFile);
    } catch (const win::Exception&) {
      fileLoaded = false;
    }
    Check(fileLoaded == loaded);
    if (loaded) {
      Check(fromFile.Count() == series.Count());
      for (int i = 0; i < series.Count(); ++i)
        Check(fromFile.PointX(i) == series.PointX(i) && fromFile.PointY(i) == series.PointY(i));
    }
    // One thread against shares: the same outcome to the bit and the letter.
    auto outcome = [&](unsigned Shares, chart::TChartSeries& Series, workspace::TTextReadReport& Report) {
      try {
        workspace::LoadTwoColumnFileInShares(file, settings, Shares, &Series, &Report);
        return std::string();
      } catch (const std::exception& e) {
        return std::string(e.what());
      }
    };
    chart::TChartSeries one(nullptr);
    workspace::TTextReadReport oneReport;
    const std::string oneMessage = outcome(1, one, oneReport);
    for (unsigned shares : {2u, 3u, 7u}) {
      chart::TChartSeries many(nullptr);
      workspace::TTextReadReport manyReport;
      Check(outcome(shares, many, manyReport) == oneMessage);
      Check(many.Count() == one.Count() && manyReport.SkippedLines == oneReport.SkippedLines);
      for (int i = 0; i < one.Count(); ++i)
        Check(std::memcmp(one.XValues()->Data() + i, many.XValues()->Data() + i, sizeof(double)) == 0 &&
              std::memcmp(one.YValues()->Data() + i, many.YValues()->Data() + i, sizeof(double)) == 0);
    }
    ::unlink(file.c_str());
  }

  // The same bytes as graph text.
  for (const auto& item : workspace::ParseGraphText(std::string(text))) Check(item.X.size() == item.Y.size());
  return 0;
}
