// Saving an export to a file: a complete file or none, the old file kept on failure, links,
// permissions and neighbouring files respected; and the copy to the clipboard.

#include <sys/stat.h>
#include <unistd.h>

#include "chart/PlotExportData.h"
#include "data_support.h"
#include "export/KvPlotStore.h"
#include "export/PlotStore.h"
#include "framework/Clipbrd.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/user/services/Clipboard.h"
#include "support/HeadlessFixture.h"

using namespace datatest;

namespace {

// Writes part of its document, then fails as a full disk would.
class TFailingExport : public chart::TPlotExportData {
 public:
  void SaveToStream(fw::TStream* Stream) override {
    Stream->WriteBuffer("partial", 7);
    throw fw::EWriteError("Stream write error");
  }
};

class TFixedExport : public chart::TPlotExportData {
 public:
  explicit TFixedExport(std::string Text) : FText(std::move(Text)) {}
  fw::String AsString() override { return FText; }

 private:
  std::string FText;
};

class SaveToFileTest : public DataExportTest {
 protected:
  int EntriesInFolder() { return int(std::distance(std::filesystem::directory_iterator(Path("")), {})); }
};

TEST_F(SaveToFileTest, TheBaseWritesAnEmptyFileAndReplacesLongerContents) {
  const std::string file = Path("base.txt");
  WriteFile(file, "a much longer old content");
  chart::TPlotExportData empty;
  EXPECT_EQ(empty.AsString(), "");
  empty.SaveToFile(file);
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(ReadFile(file), "");
  TFixedExport("new").SaveToFile(file);
  EXPECT_EQ(ReadFile(file), "new");
  EXPECT_EQ(EntriesInFolder(), 1);
}

TEST_F(SaveToFileTest, AFailedWriteLeavesTheOldFileAndNoPartialOne) {
  const std::string file = Path("keep.txt");
  WriteFile(file, "old");
  TFailingExport failing;
  EXPECT_THROW(failing.SaveToFile(file), fw::EWriteError);
  EXPECT_EQ(ReadFile(file), "old");
  EXPECT_EQ(EntriesInFolder(), 1);
  // Without an old file nothing at all remains.
  const std::string fresh = Path("fresh.txt");
  EXPECT_THROW(failing.SaveToFile(fresh), fw::EWriteError);
  EXPECT_FALSE(std::filesystem::exists(fresh));
  EXPECT_EQ(EntriesInFolder(), 1);
}

TEST_F(SaveToFileTest, AMissingFolderRaisesTheCreateErrorNamingTheFile) {
  const std::string file = Path("no/such/folder/data.txt");
  try {
    TFixedExport("x").SaveToFile(file);
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const fw::EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + file + "\". " + fw::SysErrorMessage(ENOENT));
  }
  EXPECT_EQ(EntriesInFolder(), 0);
}

TEST_F(SaveToFileTest, AFileThatMayNotBeWrittenIsRefused) {
  // A folder is no file to replace.
  const std::string folder = Path("folder");
  std::filesystem::create_directory(folder);
  EXPECT_THROW(TFixedExport("x").SaveToFile(folder), fw::EFCreateError);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(EntriesInFolder(), 1);
  // A read-only file (the permission bits do not bind the superuser).
  if (geteuid() != 0) {
    const std::string file = Path("readonly.txt");
    WriteFile(file, "locked");
    ::chmod(file.c_str(), 0444);
    EXPECT_THROW(TFixedExport("x").SaveToFile(file), fw::EFCreateError);
    EXPECT_EQ(ReadFile(file), "locked");
  }
}

TEST_F(SaveToFileTest, ALinkIsFollowedAndThePermissionsStay) {
  const std::string target = Path("target.txt");
  const std::string link = Path("link.txt");
  WriteFile(target, "old");
  ::chmod(target.c_str(), 0640);
  std::filesystem::create_symlink(target, link);
  TFixedExport("through the link").SaveToFile(link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFile(target), "through the link");
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(EntriesInFolder(), 2);
}

TEST_F(SaveToFileTest, AnUnrelatedPartFileIsLeftAlone) {
  const std::string file = Path("data.txt");
  WriteFile(file + ".part", "someone else's");
  TFixedExport("mine").SaveToFile(file);
  EXPECT_EQ(ReadFile(file), "mine");
  EXPECT_EQ(ReadFile(file + ".part"), "someone else's");
  EXPECT_EQ(EntriesInFolder(), 2);
}

TEST_F(SaveToFileTest, ANameAtTheLengthLimitIsSavedToo) {
  const std::string file = Path(std::string(255 - 4, 'n') + ".txt");
  WriteFile(file, "old");
  ASSERT_EQ(ReadFile(file), "old");
  TFixedExport("new").SaveToFile(file);
  EXPECT_EQ(ReadFile(file), "new");
  EXPECT_EQ(EntriesInFolder(), 1);
}

TEST_F(SaveToFileTest, EachFormatSavesWhatItsStreamGets) {
  auto* s = AddLine("Ряд", {{1, 2.5}});
  kvexport::TKvSeriesDataText text(Chart(), s);
  kvexport::TSeriesDataXML xml(Chart(), s);
  kvexport::TSeriesDataHTML html(Chart(), s);
  kvexport::TSeriesDataXLS xls(Chart(), s);
  for (chart::TPlotExportData* e : std::initializer_list<chart::TPlotExportData*>{&text, &xml, &html, &xls}) {
    fw::TStringStream stream;
    e->SaveToStream(&stream);
    const std::string file = Path("each");
    e->SaveToFile(file);
    EXPECT_EQ(ReadFile(file), stream.DataString()) << e->ClassName();
    EXPECT_FALSE(stream.DataString().empty());
  }
  // Only the XML is UTF-8.
  fw::TStringStream stream;
  xml.SaveToStream(&stream);
  EXPECT_NE(stream.DataString().find("title=\"Ряд\""), std::string::npos);
}

class ClipboardExport : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    win::ResetClipboard();
  }
  void TearDown() override {
    win::ResetClipboard();
    HeadlessTest::TearDown();
  }
};

TEST_F(ClipboardExport, CopyPutsTheTextOnTheClipboard) {
  chart::TChart chart(nullptr);
  chart::TLineSeries series(nullptr);
  series.SetTitle("Ток");
  series.AddXY(0, 1.5);
  chart.AddSeries(&series);
  kvexport::TKvSeriesDataText text(&chart, &series);
  text.SetDecimalSeparator('.');
  text.SetIncludeHeader(true);
  text.CopyToClipboard();
  EXPECT_EQ(fw::Clipboard()->AsText(), "X\tТок\r\n0\t1.5\r\n\r\n");
  TFixedExport("<table/>").CopyToClipboard();
  EXPECT_EQ(fw::Clipboard()->AsText(), "<table/>");
  chart.RemoveSeries(&series);
}

}  // namespace
