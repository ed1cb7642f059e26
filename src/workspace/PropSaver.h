#pragma once
// The program's settings store: an in-memory ini file with one current section, bound to the
// settings file (the executable's path with ".ini") or to no file at all (snapshots, info
// lists). Values are typed on top of plain text: everything a reader cannot parse reads as the
// caller's default, so a damaged settings file never stops the program. Destroying a store
// never writes it; UpdateFile does, atomically, and raises when the file cannot be written.
// UpdateFile merges: it reads the file as it is on disk then and applies only the changes made
// through this store, so a store that was never loaded, or one loaded before another store
// saved, never wipes sections and keys it did not touch.

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "framework/ClassesTypes.h"
#include "framework/Colors.h"
#include "framework/GraphicsTypes.h"

namespace fw {
class TMemIniFile;
class TStrings;
class TFont;
class TPen;
class TControl;
class TWinControl;
}  // namespace fw

namespace chart {
class TPlotShadow;
class TPlotGradient;
class TPlotCustomShapePosition;
class TChartTitle;
class TChartLegend;
class TChartAxis;
class TChartSeries;
class TCustomChart;
}  // namespace chart

namespace workspace {

using fw::Integer;
using fw::String;

class TPropSaver {
 public:
  // On the settings file, current section "PREFERENCES"; the file is read only when Load.
  // These two never raise: a settings file that cannot be read is declared unreadable (see
  // SettingsKeeping.h) and the store starts empty; one declared so is not read again, and
  // UpdateFile raises rather than write over it.
  explicit TPropSaver(bool Load);
  // On the settings file with Section current; read only when Load.
  TPropSaver(std::string_view Section, bool Load);
  // On the given file (empty: no file) with Section current; read only when Load.
  TPropSaver(const String& FileName, std::string_view Section, bool Load);
  // File-less, filled from ini lines (Lines may be null: an empty store).
  static std::unique_ptr<TPropSaver> FromStrings(const fw::TStrings* Lines, std::string_view Section);
  ~TPropSaver();
  TPropSaver(const TPropSaver&) = delete;
  TPropSaver& operator=(const TPropSaver&) = delete;

  static String SettingsFileName();

  const String& FileName() const { return FFileName; }
  const String& Section() const { return FSection; }
  void SetSection(std::string_view Value) { FSection = String(Value); }

  // Plain values in the current section.
  String ReadString(std::string_view Ident, const String& Default) const;
  void WriteString(std::string_view Ident, const String& Value);
  // A file name: the value's bytes as the file has them, not decoded when they are not UTF-8
  // (decoded, they would name another file).
  String ReadFileName(std::string_view Ident, const String& Default) const;
  // Decimal, or hexadecimal after "0x" (or "$").
  Integer ReadInteger(std::string_view Ident, Integer Default) const;
  // ReadInteger, and Default also for a value outside Low .. High.
  Integer ReadInteger(std::string_view Ident, Integer Low, Integer High, Integer Default) const;
  void WriteInteger(std::string_view Ident, Integer Value);
  // Written as "0"/"1"; any other integer reads as true when non-zero.
  bool ReadBool(std::string_view Ident, bool Default) const;
  void WriteBool(std::string_view Ident, bool Value);
  // Always "." as the decimal separator, written so that it reads back to the same double.
  double ReadFloat(std::string_view Ident, double Default) const;
  void WriteFloat(std::string_view Ident, double Value);
  // "$" and eight hexadecimal digits.
  fw::TColor ReadColor(std::string_view Ident, fw::TColor Default) const;
  void WriteColor(std::string_view Ident, fw::TColor Value);
  // Left;Top;Right;Bottom and X;Y.
  fw::TRect ReadRect(std::string_view Ident, const fw::TRect& Default) const;
  void WriteRect(std::string_view Ident, const fw::TRect& Value);
  fw::TPoint ReadPoint(std::string_view Ident, const fw::TPoint& Default) const;
  void WritePoint(std::string_view Ident, const fw::TPoint& Value);
  // Text with line breaks on one line: CR is stored as character 4, LF as character 5.
  String ReadMultiLine(std::string_view Ident, const String& Default) const;
  void WriteMultiLine(std::string_view Ident, const String& Value);
  // "<Ident>Count" and one key "<Ident><i>" per item; Items is replaced (left alone when the
  // count is missing or broken).
  bool ReadStrings(std::string_view Ident, fw::TStrings* Items) const;
  void WriteStrings(std::string_view Ident, const fw::TStrings* Items);
  // ';'-separated integers; Default when any item is broken.
  std::vector<Integer> ReadIntegers(std::string_view Ident, const std::vector<Integer>& Default) const;
  void WriteIntegers(std::string_view Ident, const std::vector<Integer>& Value);

  // Objects as ';'-separated fields. A reader leaves the object untouched and returns false
  // when the key is missing or any field is broken.
  // Sizes a reader takes (beyond them a field counts as broken): a font's size in points either
  // way, a pen's width, and a shadow's or a radial gradient's offset in pixels either way.
  static constexpr Integer MaxFontSize = 1000;
  static constexpr Integer MaxPenWidth = 100;
  static constexpr Integer MaxOffset = 32767;
  // Font: Size;Color;Styles;Charset;Name (the name last, so it may hold ';').
  bool ReadFont(std::string_view Ident, fw::TFont* Font) const;
  void WriteFont(std::string_view Ident, const fw::TFont* Font);
  // Pen: Color;Width;Style;Mode, and for a chart pen also Visible;EndStyle;SmallDots.
  bool ReadPen(std::string_view Ident, fw::TPen* Pen) const;
  void WritePen(std::string_view Ident, const fw::TPen* Pen);
  // Shadow: Color;HorizSize;VertSize;Transparency;Smooth.
  bool ReadShadow(std::string_view Ident, chart::TPlotShadow* Shadow) const;
  void WriteShadow(std::string_view Ident, const chart::TPlotShadow* Shadow);
  // Gradient: Visible;Direction;StartColor;MidColor;EndColor;Balance;RadialX;RadialY.
  bool ReadGradient(std::string_view Ident, chart::TPlotGradient* Gradient) const;
  void WriteGradient(std::string_view Ident, const chart::TPlotGradient* Gradient);

  // Chart element formats, each in the section the caller names (the current section stays as
  // it was): every property the format dialogs set, one key each. A reader leaves a property
  // whose key is missing or broken as it is, and returns false when the section is missing.
  void WriteTitle(std::string_view Section, const chart::TChartTitle* Title);
  bool ReadTitle(std::string_view Section, chart::TChartTitle* Title);
  void WriteLegend(std::string_view Section, const chart::TChartLegend* Legend);
  bool ReadLegend(std::string_view Section, chart::TChartLegend* Legend);
  // The series' colour, title, visibility, legend entry, point colouring, value format, pen
  // and marks, and for a line series its pointer.
  void WriteSeriesFormat(std::string_view Section, const chart::TChartSeries* Series);
  bool ReadSeriesFormat(std::string_view Section, chart::TChartSeries* Series);
  // Visibility, scaling (automatic, minimum, maximum, increment, logarithmic and its base),
  // direction, label format, title, labels, the axis, grid and tick pens and tick sizes.
  void WriteAxis(std::string_view Section, const chart::TChartAxis* Axis);
  bool ReadAxis(std::string_view Section, chart::TChartAxis* Axis);
  // The whole chart's formatting: panel colour and gradient and the back wall in Section, the
  // titles in Section + "_TITLE", "_SUBTITLE", "_FOOT", "_SUBFOOT", the legend in
  // Section + "_LEGEND" and the axes in Section + "_AXIS" + their index in the axes list.
  void WriteChart(std::string_view Section, const chart::TCustomChart* Chart);
  bool ReadChart(std::string_view Section, chart::TCustomChart* Chart);

  // The control's bounds (Left;Top;Width;Height) under its name followed by "Position".
  bool ReadFormPosition(fw::TControl* Form) const;
  void WriteFormPosition(const fw::TControl* Form);

  // The name of the checked radio button among Container's own controls. Reading checks the
  // button of the stored name, or the one named Default when none has it; false when neither
  // exists.
  bool ReadRadioButton(std::string_view Ident, fw::TWinControl* Container, const String& Default) const;
  void WriteRadioButton(std::string_view Ident, const fw::TWinControl* Container);

  // Whole sections and keys.
  void ReadSection(std::string_view Section, fw::TStrings* Strings) const;
  void ReadSections(fw::TStrings* Strings) const;
  void ReadSectionValues(std::string_view Section, fw::TStrings* Strings) const;
  bool ValueExists(std::string_view Ident) const;
  // The value of Ident in Section as stored; none when the key is missing.
  std::optional<String> ValueIn(std::string_view Section, std::string_view Ident) const;
  void EraseSection(std::string_view Section);
  void DeleteKey(std::string_view Ident);
  String GetText() const;
  void SetText(std::string_view Text);

  // Applies this store's changes to the file as it is now on disk and writes it through a
  // temporary file and a rename, the file locked against other copies of the program from the
  // read to the rename (fw::TFileLock); the store then holds the whole file. A file unchanged
  // since this store read it (same file, size and times) is not read again. Raises EFCreateError when
  // the store has no file or the file cannot be written; the previous file is then left as it
  // was. SetText counts as one change that replaces everything before it, file included.
  void UpdateFile();

 private:
  void WriteShape(const chart::TPlotCustomShapePosition* Shape);
  void ReadShape(chart::TPlotCustomShapePosition* Shape);

  // One change made through the store, replayed on the file's current text by UpdateFile.
  struct TChange {
    enum TKind { ckWrite, ckDeleteKey, ckEraseSection, ckReplace } Kind;
    String Section;
    String Ident;
    String Value;
  };

  // What identifies the file's content as this store read it: kind 0 nothing known (not read,
  // or not since the last save), 1 no file, 2 the file with its identity, size and times.
  struct TFileStamp {
    int Kind = 0;
    unsigned long Device = 0, Inode = 0;
    long long Size = 0, Modified = 0, ModifiedNs = 0, Changed = 0, ChangedNs = 0;
    bool operator==(const TFileStamp&) const = default;
  };
  static TFileStamp StampOf(const String& FileName);

  std::unique_ptr<fw::TMemIniFile> FIni;
  TFileStamp FLoadedFrom;
  std::vector<TChange> FChanges;
  String FFileName;
  String FSection;
  bool FSettingsFile = false;
};

// Runs Body with Store's current section switched to Section; the previous one comes back after,
// also when Body throws.
template <class Body>
void InSection(TPropSaver& Store, std::string_view Section, Body body) {
  const String previous = Store.Section();
  Store.SetSection(Section);
  try {
    body();
  } catch (...) {
    Store.SetSection(previous);
    throw;
  }
  Store.SetSection(previous);
}

}  // namespace workspace
