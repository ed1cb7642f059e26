#pragma once
// The two-column text reader: lines of at least two fields split at the delimiters, the first
// two read as X and Y with the decimal separator. The configured first lines are skipped, and so
// is every line whose first two fields are not both finite numbers.
//
// All the syntax (digits, signs, separators, line ends) is ASCII, which reads the same in UTF-8
// and in Windows Cyrillic, so the bytes are scanned as they are; only delimiters outside ASCII
// need the text decoded (line by line: UTF-8 when valid, else Windows Cyrillic) before the scan.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/ClassesTypes.h"

namespace chart {
class TChartSeries;
}

namespace workspace {

using fw::Integer;
using fw::String;

inline constexpr const char* TooFewPointsMsg = "Слишком мало точек для построения";

struct TTextReaderSettings {
  // Every character of the text (UTF-8) separates fields; runs of them count as one.
  String Delimiters = "\t ;";
  char DecimalSeparator = ',';
  // Lines skipped at the top before any is parsed.
  Integer SkipLines = 0;

  // The preferences' delimiters, decimal separator and lines to skip.
  static TTextReaderSettings FromPreferences();
};

// What a read met besides its points.
struct TTextReadReport {
  // Lines past the header lines that gave no point (blank lines not counted).
  std::size_t SkippedLines = 0;
  // The bytes read when the file grew while it was read: the size it had when opened, past
  // which nothing was read. WholeFile otherwise.
  static constexpr std::size_t WholeFile = std::size_t(-1);
  std::size_t ReadTo = WholeFile;
};

// The points of a text in file order.
struct TTwoColumnPoints {
  std::vector<double> X;
  std::vector<double> Y;
};

// Appends the points of Text to Points.
void ReadTwoColumnText(std::string_view Text, const TTextReaderSettings& Settings, TTwoColumnPoints& Points);

// Fills Series (emptied first) with the points of Text in the order its X list keeps (ascending
// for a line series; points of equal X keep their order in the text). Raises EGraphError, leaving
// Series as it was, when the text gives fewer than two points: TooFewPointsMsg, followed by what
// would read the text when the other decimal separator or a comma delimiter would
// (TooFewPointsMessage). Report, when given, receives what the read skipped.
void LoadTwoColumnSeries(std::string_view Text, const TTextReaderSettings& Settings,
                         chart::TChartSeries* Series, TTextReadReport* Report = nullptr);

// The same for a file, read in pieces (the text is never held whole). Raises as ReadFileBytes;
// Series changes only once the whole file was read. A file that only grows meanwhile (what it
// held when opened still there, read again) is read up to the size it had when opened
// (Report->ReadTo says so); one written to in place, or cut and written again, is read once
// more, and refused with EGraphError when that happens again.
void LoadTwoColumnFile(const String& FileName, const TTextReaderSettings& Settings,
                       chart::TChartSeries* Series, TTextReadReport* Report = nullptr);

// LoadTwoColumnFile with the file split into Shares shares, read on as many threads as there
// are cores (at most one a share), whatever its size (LoadTwoColumnFile picks the shares by size
// and cores; small files stay on one thread): the same points, skipped lines and messages.
void LoadTwoColumnFileInShares(const String& FileName, const TTextReaderSettings& Settings, unsigned Shares,
                               chart::TChartSeries* Series, TTextReadReport* Report = nullptr);

// Fills Series (emptied first) with the points (X[i], Y[i]) as LoadTwoColumnSeries does,
// raising the same way.
void FillSeries(const std::vector<double>& X, const std::vector<double>& Y, chart::TChartSeries* Series);

// For tests: Hook runs after every read from a file being loaded, on the reading threads too
// (it must be safe to call from them), with a number that tells the file's openings apart; an
// empty one removes it.
void SetFileReadHook(std::function<void(unsigned Opening)> Hook);

// The whole file. Raises fw::EFOpenError when it cannot be read and EGraphError when it is too
// large to be a graph.
std::string ReadFileBytes(const String& FileName);
// At most the first Size bytes of the file; raises as ReadFileBytes.
std::string ReadFileStart(const String& FileName, std::size_t Size);

// One number field: blanks around, optional sign, digits with at most one Separator, optional
// exponent. False for anything else and for values beyond the range of double, except that a
// value past it only by the rounding of 15-digit text reads as ±DBL_MAX; values too small for a
// double read as zero.
bool ParseNumberField(std::string_view Field, char Separator, double& Value);

}  // namespace workspace
