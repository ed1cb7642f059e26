#include "workspace/Preferences.h"

#include <cmath>
#include <string_view>

#include "workspace/PropSaver.h"

namespace workspace {

TPreferences Preferences;

namespace {

constexpr std::string_view kSection = "PREFERENCES";

// Delimiters are kept as character codes: a TAB or space at the ends of an ini value would not
// survive reading.
String DelimitersFromCodes(const std::vector<Integer>& codes, const String& fallback) {
  String out;
  for (Integer c : codes) {
    if (c <= 0 || c > 255) return fallback;
    out += char(c);
  }
  return out.empty() ? fallback : out;
}

}  // namespace

void TPreferences::Load(TPropSaver& Store) {
  const TPreferences defaults;
  InSection(Store, kSection, [&] {
    OpenDir = Store.ReadString("OpenDir", defaults.OpenDir);
    SaveDir = Store.ReadString("SaveDir", defaults.SaveDir);
    WorkspaceDir = Store.ReadString("WorkspaceDir", defaults.WorkspaceDir);
    OpenFilterIndex = Store.ReadInteger("OpenFilterIndex", 1, MaxFilterIndex, defaults.OpenFilterIndex);
    OpenTableFilterIndex = Store.ReadInteger("OpenTableFilterIndex", 1, MaxFilterIndex, defaults.OpenTableFilterIndex);
    SaveFilterIndex = Store.ReadInteger("SaveFilterIndex", 1, MaxFilterIndex, defaults.SaveFilterIndex);

    TimeAxis = Store.ReadBool("TimeAxis", defaults.TimeAxis);
    Delimiters = DelimitersFromCodes(Store.ReadIntegers("Delimiters", {}), defaults.Delimiters);
    SkipLines = Store.ReadInteger("SkipLines", defaults.SkipLines);
    if (SkipLines < 0) SkipLines = defaults.SkipLines;
    PointDecimalSeparator = Store.ReadBool("PointDecimalSeparator", defaults.PointDecimalSeparator);

    CopyX = Store.ReadBool("CopyX", defaults.CopyX);
    CopyY = Store.ReadBool("CopyY", defaults.CopyY);
    CopyVisible = Store.ReadBool("CopyVisible", defaults.CopyVisible);
    CopyProperties = Store.ReadBool("CopyProperties", defaults.CopyProperties);
    CopyFormat = Store.ReadInteger("CopyFormat", cfWMF, cfEMF, defaults.CopyFormat);

    AxisFactorX = Store.ReadFloat("AxisFactorX", defaults.AxisFactorX);
    AxisFactorY = Store.ReadFloat("AxisFactorY", defaults.AxisFactorY);
    // A zero factor would collapse every label to 0.
    if (AxisFactorX == 0 || !std::isfinite(AxisFactorX)) AxisFactorX = defaults.AxisFactorX;
    if (AxisFactorY == 0 || !std::isfinite(AxisFactorY)) AxisFactorY = defaults.AxisFactorY;
    SplitInterval = Store.ReadInteger("SplitInterval", defaults.SplitInterval);
    if (SplitInterval < 1) SplitInterval = defaults.SplitInterval;

    ShowBalloonTips = Store.ReadBool("ShowBalloonTips", defaults.ShowBalloonTips);
    ConfirmDelete = Store.ReadBool("ConfirmDelete", defaults.ConfirmDelete);
    ConfirmClose = Store.ReadBool("ConfirmClose", defaults.ConfirmClose);
    AxisDblClickShowLimits = Store.ReadBool("AxisDblClickShowLimits", defaults.AxisDblClickShowLimits);
    SaveGraphSettings = Store.ReadBool("SaveGraphSettings", defaults.SaveGraphSettings);
  });
}

void TPreferences::Save(TPropSaver& Store) const {
  InSection(Store, kSection, [&] {
    Store.WriteString("OpenDir", OpenDir);
    Store.WriteString("SaveDir", SaveDir);
    Store.WriteString("WorkspaceDir", WorkspaceDir);
    Store.WriteInteger("OpenFilterIndex", OpenFilterIndex);
    Store.WriteInteger("OpenTableFilterIndex", OpenTableFilterIndex);
    Store.WriteInteger("SaveFilterIndex", SaveFilterIndex);

    Store.WriteBool("TimeAxis", TimeAxis);
    std::vector<Integer> codes;
    for (char c : Delimiters) codes.push_back(Integer(static_cast<unsigned char>(c)));
    Store.WriteIntegers("Delimiters", codes);
    Store.WriteInteger("SkipLines", SkipLines);
    Store.WriteBool("PointDecimalSeparator", PointDecimalSeparator);

    Store.WriteBool("CopyX", CopyX);
    Store.WriteBool("CopyY", CopyY);
    Store.WriteBool("CopyVisible", CopyVisible);
    Store.WriteBool("CopyProperties", CopyProperties);
    Store.WriteInteger("CopyFormat", CopyFormat);

    Store.WriteFloat("AxisFactorX", AxisFactorX);
    Store.WriteFloat("AxisFactorY", AxisFactorY);
    Store.WriteInteger("SplitInterval", SplitInterval);

    Store.WriteBool("ShowBalloonTips", ShowBalloonTips);
    Store.WriteBool("ConfirmDelete", ConfirmDelete);
    Store.WriteBool("ConfirmClose", ConfirmClose);
    Store.WriteBool("AxisDblClickShowLimits", AxisDblClickShowLimits);
    Store.WriteBool("SaveGraphSettings", SaveGraphSettings);
  });
}

}  // namespace workspace
