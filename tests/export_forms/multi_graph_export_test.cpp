// Several graphs saved through the wizard: each layout and format written as answered and read
// back (plain parsing for text, xmllint for XML, xlrd for XLS), the visible part only, unique
// names, Cancel writing nothing, and a failed file taking the others of the batch with it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "export/export_test_files.h"
#include "export/forms/MultiGraphExport.h"
#include "export/forms/WinSaveParams.h"
#include "framework/StreamSlices.h"
#include "framework/Forms.h"
#include "platform/controls/MessageBox.h"
#include "platform/desktop/ScriptedAnswers.h"
#include "support/HeadlessFixture.h"
#include "workspace/Graph.h"
#include "workspace/PropSaver.h"

namespace {

using kvforms::TwndSaveParams;
namespace fs = std::filesystem;

class MultiGraphExportTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    std::remove(workspace::TPropSaver::SettingsFileName().c_str());
    chart::RegisterLineSeriesClasses();
    chart_ = std::make_unique<chart::TChart>(nullptr);
  }
  void TearDown() override {
    std::remove(workspace::TPropSaver::SettingsFileName().c_str());
    graphs_.clear();
    chart_.reset();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    HeadlessTest::TearDown();
  }
  void AddGraph(const std::string& Title, std::vector<std::pair<double, double>> Points) {
    auto* s = new chart::TLineSeries(nullptr);
    s->SetTitle(Title);
    for (auto [x, y] : Points) s->AddXY(x, y);
    chart_->AddSeries(s);
    graphs_.push_back(std::make_unique<workspace::TGraph>(s, Title + ".src", 0));
  }
  void TwoGraphs() {
    AddGraph("alpha", {{1, 1.5}, {2, 2.5}, {3, 3.5}});
    AddGraph("beta", {{1, -1}, {2, -2}});
  }
  void Seed(const std::function<void(workspace::TPropSaver&)>& Fill) {
    workspace::TPropSaver seed("EXPORT_DATA", false);
    Fill(seed);
    seed.UpdateFile();
  }
  // Runs the wizard as Save as does, pressing Next Steps times and then OK (or Cancel).
  bool RunWizard(int Steps, bool Ok = true) {
    desktop->script([Steps, Ok] {
      for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
        if (auto* w = dynamic_cast<TwndSaveParams*>(fw::Screen->Forms(i))) {
          for (int n = 0; n < Steps; ++n) w->butNextClick();
          if (Ok)
            w->butOkClick();
          else
            w->SetModalResult(fw::mrCancel);
        }
    });
    return kvforms::ExecuteSaveParams(List());
  }
  std::vector<workspace::TGraph*> List() {
    std::vector<workspace::TGraph*> list;
    for (auto& g : graphs_) list.push_back(g.get());
    return list;
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Dir())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Dir() const { return fs::path(dir_.File("x")).parent_path().string(); }
  std::string Path(const std::string& Name) const { return dir_.File(Name); }
  static std::string Run(const std::string& Command) {
    int status = -1;
    std::string out = exporttest::CommandOutput(Command + " 2>&1", &status);
    EXPECT_EQ(status, 0) << Command << "\n" << out;
    return out;
  }

  exporttest::ScratchDir dir_;
  std::unique_ptr<chart::TChart> chart_;
  std::vector<std::unique_ptr<workspace::TGraph>> graphs_;
};

// The text layouts with their separators, through the wizard's pages.
TEST_F(MultiGraphExportTest, OneTextFileSequentialOrParallelWithTheStoredSeparators) {
  struct Case {
    bool Sequential;
    int Decimal, Line;
    const char* Value;
    const char* Expected;
  } cases[] = {
      {true, 1, 2, ";", "1;1.5\r\n2;2.5\r\n3;3.5\r\n1;-1\r\n2;-2\r\n"},
      {false, 0, 0, "", "1\t1,5\t-1\n2\t2,5\t-2\n3\t3,5\t\n"},
      {false, 1, 1, " | ", "1 | 1.5 | -1\r2 | 2.5 | -2\r3 | 3.5 | \r"},
  };
  TwoGraphs();
  for (const Case& c : cases) {
    const std::string file = Path("all.txt");
    fs::remove(file);  // replacing it would ask first
    Seed([&](workspace::TPropSaver& s) {
      s.WriteString("BundlePath", file);
      s.WriteBool("SaveInSeries", c.Sequential);
      s.WriteBool("AskFormatParams", true);
      s.WriteInteger("DecimalSeparator", c.Decimal);
      s.WriteInteger("LineSeparator", c.Line);
      s.WriteString("ValueSeparator", c.Value);
    });
    // Start -> FileFormat -> SaveBundle -> Format, then OK.
    ASSERT_TRUE(RunWizard(3));
    EXPECT_EQ(exporttest::ReadText(file), c.Expected) << c.Value;
    EXPECT_EQ(Files(), std::vector<std::string>{"all.txt"});
  }
}

TEST_F(MultiGraphExportTest, OneFilePerGraphWithUniqueNamesAndTheUsersExtension) {
  AddGraph("alpha", {{1, 2}});
  AddGraph("alpha", {{3, 4}});
  AddGraph("a/b", {{5, 6}});
  Seed([&](workspace::TPropSaver& s) {
    s.WriteBool("SaveBundle", false);
    s.WriteString("FilesPath", Dir());
    s.WriteInteger("SaveFormat", 4);
    s.WriteString("UserFileExt", "dat");
    s.WriteInteger("DecimalSeparator", 1);
  });
  ASSERT_TRUE(RunWizard(2));  // Start -> FileFormat -> Files, then OK
  EXPECT_EQ(Files(), (std::vector<std::string>{"a_b.dat", "alpha.dat", "alpha1.dat"}));
  EXPECT_EQ(exporttest::ReadText(Path("alpha1.dat")), "3\t4\n");
}

// Each file goes to disk in slices as one graph's file does (a count of 2 GiB and more fits
// no single write): made small here, every byte still arrives.
TEST_F(MultiGraphExportTest, EachFileIsWrittenWholeInSlices) {
  const std::size_t saved = fw::StreamSliceBytes;
  fw::StreamSliceBytes = 3;
  AddGraph("first", {{1, 2}, {3, 4}, {5, 6}});
  AddGraph("second", {{10, 20}});
  Seed([&](workspace::TPropSaver& s) {
    s.WriteBool("SaveBundle", false);
    s.WriteString("FilesPath", Dir());
    s.WriteInteger("SaveFormat", 4);
    s.WriteString("UserFileExt", "dat");
    s.WriteInteger("DecimalSeparator", 1);
  });
  const bool ran = RunWizard(2);
  fw::StreamSliceBytes = saved;
  ASSERT_TRUE(ran);
  EXPECT_EQ(exporttest::ReadText(Path("first.dat")), "1\t2\n3\t4\n5\t6\n");
  EXPECT_EQ(exporttest::ReadText(Path("second.dat")), "10\t20\n");
}

TEST_F(MultiGraphExportTest, TypedNamesAndSourceNamesGiveTheFileNames) {
  TwoGraphs();
  kvforms::TExportParameters p;
  p.SaveBundle = false;
  p.Path = Dir();
  p.Naming = kvforms::enFilesByTypedNames;
  p.Names = {"one", ""};
  EXPECT_EQ(kvforms::ExportFileNames(List(), p), (std::vector<std::string>{Path("one.txt"), Path("beta.txt")}));
  // A source that is a file gives its name; one that is not falls back to the title.
  exporttest::WriteFile(Path("measured.csv"), "");
  graphs_[0]->Source = Path("measured.csv");
  p.Naming = kvforms::enFilesBySourceNames;
  p.Format = 3;
  EXPECT_EQ(kvforms::ExportFileNames(List(), p),
            (std::vector<std::string>{Path("measured.xls"), Path("beta.xls")}));
}

// A name that already ends with the format's extension (in any letter case) keeps it once; a
// number for a name met before goes before the extension.
TEST_F(MultiGraphExportTest, ANameEndingInTheExtensionIsNotGivenItTwice) {
  struct Case {
    const char *First, *Second;
    int Format;
    const char* UserExt;
    std::vector<std::string> Typed;  // typed names (naming 4) when not empty
    const char *ExpectedFirst, *ExpectedSecond;
  } cases[] = {
      {"graph.txt", "beta", 0, "", {}, "graph.txt", "beta.txt"},
      {"GRAPH.TXT", "graph.txt", 0, "", {}, "GRAPH.TXT", "graph1.txt"},
      {"graph.txt", "graph", 0, "", {}, "graph.txt", "graph1.txt"},
      {"data.xml", "data.txt", 1, "", {}, "data.xml", "data.txt.xml"},
      {"graph.txt", "x.DAT", 4, ".dat", {}, "graph.txt.dat", "x.DAT"},
      {"graph.txt", "b", 4, "", {}, "graph.txt", "b"},  // no extension to add
      {".txt", "a.txt.txt", 0, "", {}, ".txt.txt", "a.txt.txt"},
      // An empty typed name is the graph's title.
      {"t1.txt", "t2.txt", 0, "", {"alpha.TXT", ""}, "alpha.TXT", "t2.txt"},
  };
  TwoGraphs();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.First) + " " + c.Second);
    graphs_[0]->Series()->SetTitle(c.First);
    graphs_[1]->Series()->SetTitle(c.Second);
    kvforms::TExportParameters p;
    p.SaveBundle = false;
    p.Path = Dir();
    p.Format = fw::Byte(c.Format);
    p.UserExt = c.UserExt;
    p.Naming = c.Typed.empty() ? kvforms::enFilesByGraphNames : kvforms::enFilesByTypedNames;
    p.Names = c.Typed;
    EXPECT_EQ(kvforms::ExportFileNames(List(), p),
              (std::vector<std::string>{Path(c.ExpectedFirst), Path(c.ExpectedSecond)}));
  }
}

// The files the export would replace: files of its names in its folder (or its one file), not
// other files there, nor a folder of such a name (the write fails on that instead).
TEST_F(MultiGraphExportTest, TheFilesAlreadyThereAreThoseOfTheExportsNames) {
  struct Case {
    std::vector<std::string> Files, Folders;
    const char* Bundle;  // the one file's name, or separate files when null
    std::vector<std::string> Expected;
  } cases[] = {
      {{}, {}, nullptr, {}},
      {{"beta.txt"}, {}, nullptr, {"beta.txt"}},
      {{"beta.txt", "alpha.txt"}, {}, nullptr, {"alpha.txt", "beta.txt"}},
      {{"alpha.xml", "gamma.txt"}, {"beta.txt"}, nullptr, {}},
      {{"all.txt"}, {}, "all.txt", {"all.txt"}},
      {{"alpha.txt"}, {}, "all.txt", {}},
  };
  TwoGraphs();
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(n);
    const std::string folder = Path("case" + std::to_string(n++));
    fs::create_directory(folder);
    for (const std::string& f : c.Files) exporttest::WriteFile(folder + "/" + f, "old");
    for (const std::string& f : c.Folders) fs::create_directory(folder + "/" + f);
    kvforms::TExportParameters p;
    p.SaveBundle = c.Bundle != nullptr;
    p.Path = c.Bundle ? folder + "/" + c.Bundle : folder;
    p.Naming = c.Bundle ? kvforms::enOneFileSequential : kvforms::enFilesByGraphNames;
    std::vector<std::string> expected;
    for (const std::string& f : c.Expected) expected.push_back(folder + "/" + f);
    EXPECT_EQ(kvforms::ExportFilesAlreadyThere(List(), p), expected);
  }
  kvforms::TExportParameters none;  // no path: nothing would be written
  none.SaveBundle = false;
  EXPECT_TRUE(kvforms::ExportFilesAlreadyThere(List(), none).empty());
}

// OK over a file already there asks once; "No" leaves the wizard open on its page with nothing
// written or stored, "Yes" writes every file, the old one replaced.
TEST_F(MultiGraphExportTest, AFileAlreadyThereIsReplacedOnlyAfterYes) {
  TwoGraphs();
  Seed([&](workspace::TPropSaver& s) {
    s.WriteBool("SaveBundle", false);
    s.WriteString("FilesPath", Dir());
  });
  exporttest::WriteFile(Path("beta.txt"), "old");
  auto wizard = [] {
    for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
      if (auto* w = dynamic_cast<TwndSaveParams*>(fw::Screen->Forms(i))) return w;
    throw std::runtime_error("no wizard");
  };
  win::ClearMessageBoxHistory();
  desktop->script([&] {
    TwndSaveParams* w = wizard();
    w->butNextClick();
    w->butNextClick();
    w->cbFormatParams->SetChecked(true);
    win::desktop::PushScriptedAnswer("MessageBox", {win::IDNO, {}, 0});
    w->butOkClick();
    EXPECT_EQ(w->ModalResult(), fw::mrNone);
    EXPECT_EQ(w->Page(), "Files");
  });
  desktop->script([&] {
    EXPECT_EQ(Files(), std::vector<std::string>{"beta.txt"});
    EXPECT_EQ(exporttest::ReadText(Path("beta.txt")), "old");
    EXPECT_FALSE(workspace::TPropSaver("EXPORT_DATA", true).ReadBool("AskFormatParams", false));
    win::desktop::PushScriptedAnswer("MessageBox", {win::IDYES, {}, 0});
    wizard()->butOkClick();
  });
  ASSERT_TRUE(kvforms::ExecuteSaveParams(List()));
  ASSERT_EQ(win::MessageBoxHistory().size(), 2u);
  for (const win::MessageBoxRecord& box : win::MessageBoxHistory()) {
    EXPECT_EQ(box.text, u"Файл «beta.txt» уже существует.\nЗаменить его?");
    EXPECT_EQ(box.type, win::MB_YESNO | win::MB_ICONWARNING);
  }
  EXPECT_EQ(Files(), (std::vector<std::string>{"alpha.txt", "beta.txt"}));
  EXPECT_EQ(exporttest::ReadText(Path("beta.txt")), "1\t-1\n2\t-2\n");
  EXPECT_TRUE(workspace::TPropSaver("EXPORT_DATA", true).ReadBool("AskFormatParams", false));
}

TEST_F(MultiGraphExportTest, XmlFilesPerGraphAndOneXlsWorkbookReadBack) {
  TwoGraphs();
  Seed([&](workspace::TPropSaver& s) {
    s.WriteBool("SaveBundle", false);
    s.WriteString("FilesPath", Dir());
    s.WriteInteger("SaveFormat", 1);
  });
  ASSERT_TRUE(RunWizard(2));
  EXPECT_EQ(Run("xmllint --xpath 'count(//point)' '" + Path("alpha.xml") + "'"), "3\n");
  EXPECT_EQ(Run("xmllint --xpath 'count(//point)' '" + Path("beta.xml") + "'"), "2\n");

  const std::string book = Path("both.xls");
  Seed([&](workspace::TPropSaver& s) {
    s.WriteBool("SaveBundle", true);
    s.WriteString("BundlePath", book);
    s.WriteInteger("SaveFormat", 3);
  });
  ASSERT_TRUE(RunWizard(2));
  const std::string program =
      "import sys, xlrd\n"
      "sh = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
      "print(sorted(v for r in range(sh.nrows) for v in sh.row_values(r) if isinstance(v, float)))\n";
  exporttest::WriteFile(Path("reader.py"), program);
  EXPECT_EQ(Run("/usr/bin/python3 '" + Path("reader.py") + "' '" + book + "'"),
            "[-2.0, -1.0, 1.0, 1.0, 1.5, 2.0, 2.0, 2.5, 3.0, 3.5]\n");
}

TEST_F(MultiGraphExportTest, OnlyTheVisibleRangeWhenAsked) {
  TwoGraphs();
  chart_->BottomAxis()->SetMinMax(1.5, 3);
  for (const auto& g : graphs_) ASSERT_EQ(g->Series()->HorizAxis(), chart_->BottomAxis());
  kvforms::TExportParameters p;
  p.Path = Path("seen.txt");
  p.VisibleOnly = true;
  kvforms::ExportGraphs(List(), p, {});
  EXPECT_EQ(exporttest::ReadText(p.Path), "2\t2,5\n3\t3,5\n2\t-2\n");
  p.Path = Path("seen.html");
  p.Format = 2;
  kvforms::ExportGraphs(List(), p, {});
  // A row per point index of the longer visible part, and the point left of the range gone.
  EXPECT_EQ(Run("xmllint --html --xpath 'count(//tr)' '" + p.Path + "'"), "2\n");
  EXPECT_EQ(exporttest::ReadText(p.Path).find("1,5"), std::string::npos);
  EXPECT_NE(exporttest::ReadText(p.Path).find("3,5"), std::string::npos);
}

TEST_F(MultiGraphExportTest, CancelWritesNothing) {
  TwoGraphs();
  Seed([&](workspace::TPropSaver& s) { s.WriteString("BundlePath", Path("none.txt")); });
  EXPECT_FALSE(RunWizard(2, false));
  EXPECT_TRUE(Files().empty());
}

// The second file cannot replace a folder of its name: the first, new, file goes again.
TEST_F(MultiGraphExportTest, AFailedFileLeavesNoneOfTheBatch) {
  TwoGraphs();
  fs::create_directory(Path("beta.txt"));
  kvforms::TExportParameters p;
  p.SaveBundle = false;
  p.Path = Dir();
  p.Naming = kvforms::enFilesByGraphNames;
  EXPECT_ANY_THROW(kvforms::ExportGraphs(List(), p, {}));
  EXPECT_EQ(Files(), std::vector<std::string>{"beta.txt"});
  EXPECT_TRUE(fs::is_directory(Path("beta.txt")));
}

// A file that is there already is not replaced when a later file of the export fails.
TEST_F(MultiGraphExportTest, AFailedFileLeavesTheEarlierTargetsAsTheyWere) {
  TwoGraphs();
  {
    std::ofstream old(Path("alpha.txt"), std::ios::binary);
    old << "kept";
  }
  fs::create_directory(Path("beta.txt"));
  kvforms::TExportParameters p;
  p.SaveBundle = false;
  p.Path = Dir();
  p.Naming = kvforms::enFilesByGraphNames;
  EXPECT_ANY_THROW(kvforms::ExportGraphs(List(), p, {}));
  EXPECT_EQ(Files(), (std::vector<std::string>{"alpha.txt", "beta.txt"}));
  std::ifstream in(Path("alpha.txt"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "kept");
  // With the folder gone the same export replaces it.
  fs::remove(Path("beta.txt"));
  kvforms::ExportGraphs(List(), p, {});
  std::ifstream again(Path("alpha.txt"), std::ios::binary);
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(again), {}), "kept");
}

}  // namespace
