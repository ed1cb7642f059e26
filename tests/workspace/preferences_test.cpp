// The preferences record in section "PREFERENCES": every field through the file, and damaged
// values falling back to the defaults.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "workspace/Preferences.h"
#include "workspace/PropSaver.h"

namespace {

using workspace::TPreferences;
using workspace::TPropSaver;

TPreferences NonDefault() {
  TPreferences p;
  p.OpenDir = "/home/user/Данные";
  p.SaveDir = "/tmp/out";
  p.WorkspaceDir = "/srv/ws";
  p.OpenFilterIndex = 3;
  p.OpenTableFilterIndex = 2;
  p.SaveFilterIndex = 4;
  p.TimeAxis = true;
  p.Delimiters = "\t,";
  p.SkipLines = 12;
  p.PointDecimalSeparator = true;
  p.CopyX = false;
  p.CopyY = false;
  p.CopyVisible = true;
  p.CopyProperties = false;
  p.CopyFormat = workspace::cfBMP;
  p.AxisFactorX = 0.001;
  p.AxisFactorY = -1e6;
  p.SplitInterval = 7;
  p.ShowBalloonTips = false;
  p.ConfirmDelete = false;
  p.ConfirmClose = false;
  p.AxisDblClickShowLimits = true;
  p.SaveGraphSettings = true;
  return p;
}

void ExpectSame(const TPreferences& a, const TPreferences& b) {
  EXPECT_EQ(a.OpenDir, b.OpenDir);
  EXPECT_EQ(a.SaveDir, b.SaveDir);
  EXPECT_EQ(a.WorkspaceDir, b.WorkspaceDir);
  EXPECT_EQ(a.OpenFilterIndex, b.OpenFilterIndex);
  EXPECT_EQ(a.OpenTableFilterIndex, b.OpenTableFilterIndex);
  EXPECT_EQ(a.SaveFilterIndex, b.SaveFilterIndex);
  EXPECT_EQ(a.TimeAxis, b.TimeAxis);
  EXPECT_EQ(a.Delimiters, b.Delimiters);
  EXPECT_EQ(a.SkipLines, b.SkipLines);
  EXPECT_EQ(a.PointDecimalSeparator, b.PointDecimalSeparator);
  EXPECT_EQ(a.CopyX, b.CopyX);
  EXPECT_EQ(a.CopyY, b.CopyY);
  EXPECT_EQ(a.CopyVisible, b.CopyVisible);
  EXPECT_EQ(a.CopyProperties, b.CopyProperties);
  EXPECT_EQ(a.CopyFormat, b.CopyFormat);
  EXPECT_EQ(a.AxisFactorX, b.AxisFactorX);
  EXPECT_EQ(a.AxisFactorY, b.AxisFactorY);
  EXPECT_EQ(a.SplitInterval, b.SplitInterval);
  EXPECT_EQ(a.ShowBalloonTips, b.ShowBalloonTips);
  EXPECT_EQ(a.ConfirmDelete, b.ConfirmDelete);
  EXPECT_EQ(a.ConfirmClose, b.ConfirmClose);
  EXPECT_EQ(a.AxisDblClickShowLimits, b.AxisDblClickShowLimits);
  EXPECT_EQ(a.SaveGraphSettings, b.SaveGraphSettings);
}

TEST(Preferences, Defaults) {
  TPreferences p;
  EXPECT_EQ(p.DecimalSeparator(), ',');
  EXPECT_TRUE(p.CopyX);
  EXPECT_TRUE(p.CopyY);
  EXPECT_FALSE(p.CopyVisible);
  EXPECT_TRUE(p.CopyProperties);
  EXPECT_EQ(p.CopyFormat, workspace::cfEMF);
  EXPECT_GE(p.SplitInterval, 1);
  p.PointDecimalSeparator = true;
  EXPECT_EQ(p.DecimalSeparator(), '.');
}

TEST(Preferences, EveryFieldSurvivesTheSettingsFile) {
  char tmpl[] = "/tmp/preferencesXXXXXX";
  ASSERT_NE(::mkdtemp(tmpl), nullptr);
  const std::filesystem::path dir = tmpl;
  const std::string path = (dir / "korvalin.ini").string();
  const TPreferences saved = NonDefault();
  {
    // Saved from a store whose current section is another one: the record still goes to
    // "PREFERENCES" and the store's section is kept.
    TPropSaver store(path, "EXPORT_DATA", false);
    saved.Save(store);
    EXPECT_EQ(store.Section(), "EXPORT_DATA");
    EXPECT_FALSE(store.ValueExists("CopyX"));
    store.UpdateFile();
  }
  TPropSaver store(path, "PREFERENCES", true);
  EXPECT_EQ(store.ReadString("CopyFormat", ""), "1");
  EXPECT_EQ(store.ReadString("PointDecimalSeparator", ""), "1");
  TPreferences loaded;
  loaded.Load(store);
  ExpectSame(loaded, saved);
  EXPECT_EQ(loaded.DecimalSeparator(), '.');
  std::filesystem::remove_all(dir);
}

TEST(Preferences, DamagedValuesFallBackToDefaults) {
  auto store = TPropSaver::FromStrings(nullptr, "PREFERENCES");
  store->SetText(
      "[PREFERENCES]\r\nCopyFormat=3\r\nSplitInterval=0\r\nSkipLines=-4\r\nAxisFactorX=0\r\nAxisFactorY=abc\r\n"
      "Delimiters=9;x\r\nCopyX=maybe\r\nConfirmClose=0\r\nOpenFilterIndex=2\r\n"
      "SaveFilterIndex=-2147483648\r\nOpenTableFilterIndex=0\r\n");
  TPreferences loaded = NonDefault();
  loaded.Load(*store);
  const TPreferences defaults;
  EXPECT_EQ(loaded.CopyFormat, defaults.CopyFormat);
  EXPECT_EQ(loaded.SplitInterval, defaults.SplitInterval);
  EXPECT_EQ(loaded.SkipLines, defaults.SkipLines);
  EXPECT_EQ(loaded.AxisFactorX, defaults.AxisFactorX);
  EXPECT_EQ(loaded.AxisFactorY, defaults.AxisFactorY);
  EXPECT_EQ(loaded.Delimiters, defaults.Delimiters);
  EXPECT_EQ(loaded.CopyX, defaults.CopyX);
  EXPECT_EQ(loaded.SaveFilterIndex, defaults.SaveFilterIndex);
  EXPECT_EQ(loaded.OpenTableFilterIndex, defaults.OpenTableFilterIndex);
  // Readable keys are taken, missing ones reset to the defaults.
  EXPECT_FALSE(loaded.ConfirmClose);
  EXPECT_EQ(loaded.OpenFilterIndex, 2);
  EXPECT_EQ(loaded.OpenDir, defaults.OpenDir);
  EXPECT_EQ(loaded.SaveGraphSettings, defaults.SaveGraphSettings);
}

}  // namespace
