// The file-opening routine under the headless desktop: graphs from files, the message boxes of
// missing and failing files with the scripted Yes/No answer, the last graph selected; saving a
// graph's points.

#include <fstream>
#include <sstream>

#include "platform/kernel/TextConvert.h"
#include "workspace/Common.h"
#include "workspace/OpenFiles.h"
#include "workspace_fixture.h"

namespace {

using workspace::TGraph;

class OpenFilesTest : public wstest::WorkspaceTest {
 protected:
  void SetUp() override {
    WorkspaceTest::SetUp();
    workspace::Preferences.PointDecimalSeparator = false;
    workspace::Preferences.Delimiters = "\t ;";
    workspace::Preferences.SkipLines = 0;
  }
  static std::u16string W(const std::string& s) { return win::Utf8ToWide(s); }
  static std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
};

TEST_F(OpenFilesTest, FilesBecomeGraphsAndTheLastIsSelected) {
  const std::string a = WriteFile("a.txt", "Частота\tУровень\r\n1\t10\r\n2\t20\r\n");
  const std::string b = WriteFile("b.dat", win::Utf8ToCp1251("Заголовок;x\n5;1,5\n6;2,5\n7;3,5\n"));
  std::vector<TGraph*> selected;
  graphs->OnGraphSelected = [&](TGraph* g) { selected.push_back(g); };
  TGraph* last = workspace::OpenFiles(*graphs, {a, b});
  ASSERT_EQ(graphs->Count(), 2);
  EXPECT_EQ(last, graphs->Items(1));
  EXPECT_EQ(graphs->Items(0)->Series()->Title(), "a.txt");
  EXPECT_EQ(graphs->Items(0)->Source, a);
  EXPECT_EQ(graphs->Items(1)->Series()->Count(), 3);
  EXPECT_EQ(graphs->Items(1)->Series()->PointY(0), 1.5);
  EXPECT_EQ(chart->SeriesCount(), 2);
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(selected[0], last);
  EXPECT_TRUE(win::MessageBoxHistory().empty());
  // The Road ends with an undo that takes the graph away again.
  undo->Undo();
  EXPECT_EQ(graphs->Count(), 1);
}

// Lines that did not read are said once the files are open (the status line), per file.
TEST_F(OpenFilesTest, SkippedLinesAreSaidAfterOpening) {
  std::vector<std::pair<std::string, std::string>> balloons;
  workspace::SetBalloonHintHandler([&](const std::string& title, const std::string& text, fw::Integer type) {
    balloons.emplace_back(title, text);
    EXPECT_EQ(type, workspace::SkippedLinesBalloon);
  });
  graphs->OnGraphSelected = [&](TGraph*) { EXPECT_TRUE(balloons.empty()) << "said before the selection"; };
  const std::string clean = WriteFile("clean.txt", "x y\n1 2\n3 4\n");
  workspace::Preferences.SkipLines = 1;
  workspace::OpenFiles(*graphs, {clean});
  EXPECT_TRUE(balloons.empty());
  const std::string mixed = WriteFile("mixed.txt", "x y\n1 2\n0.5 3\n3 4\n0.7 1\n");
  const std::string other = WriteFile("other.txt", "1 2\n3 4\n5 6\nend\n");
  workspace::OpenFiles(*graphs, {mixed, clean, other});
  ASSERT_EQ(balloons.size(), 1u);
  EXPECT_EQ(balloons[0].first, "Не все строки прочитаны");
  EXPECT_EQ(balloons[0].second,
            "mixed.txt: строк, не прочитанных как пары чисел: 2; other.txt: строк, не прочитанных как пары "
            "чисел: 1");
  workspace::SetBalloonHintHandler(nullptr);
}

TEST_F(OpenFilesTest, MissingFileIsReportedAndSkipped) {
  const std::string good = WriteFile("good.txt", "1 2\n3 4\n");
  win::desktop::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  workspace::OpenFiles(*graphs, {dir + "/gone.txt", good});
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  const auto& box = win::MessageBoxHistory()[0];
  EXPECT_NE(box.text.find(W(dir + "/gone.txt")), std::u16string::npos);
  EXPECT_EQ(box.type & win::MB_ICONMASK, win::MB_ICONWARNING);
  EXPECT_EQ(graphs->Count(), 1);
}

TEST_F(OpenFilesTest, FailingFileAsksWhetherToGoOn) {
  const std::string bad = WriteFile("bad.txt", "nothing to plot\n");
  const std::string good1 = WriteFile("good1.txt", "1 2\n3 4\n");
  const std::string good2 = WriteFile("good2.txt", "1 2\n3 4\n");
  TGraph* kept = workspace::OpenFiles(*graphs, {good1});
  ASSERT_NE(kept, nullptr);

  // Yes goes on with the next files.
  win::desktop::PushScriptedAnswer("MessageBox", {win::IDYES, {}, 0});
  workspace::OpenFiles(*graphs, {bad, good2});
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  const auto& box = win::MessageBoxHistory()[0];
  EXPECT_NE(box.text.find(W(bad)), std::u16string::npos);
  EXPECT_NE(box.text.find(u"Слишком мало точек для построения"), std::u16string::npos);
  EXPECT_EQ(box.type & win::MB_TYPEMASK, win::MB_YESNO);
  EXPECT_EQ(box.type & win::MB_ICONMASK, win::MB_ICONERROR);
  EXPECT_EQ(graphs->Count(), 2);

  // No stops: the file after it is not opened, and nothing open is lost.
  win::ClearMessageBoxHistory();
  win::desktop::PushScriptedAnswer("MessageBox", {win::IDNO, {}, 0});
  workspace::OpenFiles(*graphs, {bad, good2});
  EXPECT_EQ(graphs->Count(), 2);
  EXPECT_EQ(graphs->Items(0), kept);

  // The last file failing: an error box with OK only.
  win::ClearMessageBoxHistory();
  win::desktop::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  workspace::OpenFiles(*graphs, {good2, bad});
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  EXPECT_EQ(win::MessageBoxHistory()[0].type & win::MB_TYPEMASK, win::MB_OK);
  EXPECT_EQ(graphs->Count(), 3);
  EXPECT_EQ(graphs->Current(), graphs->Items(2));
}

TEST_F(OpenFilesTest, BinaryAndEmptyFilesGiveNoGraph) {
  std::string binary;
  for (int i = 0; i < 70000; ++i) binary.push_back(char((i * 7919) & 0xFF));
  const std::string bin = WriteFile("data.bin", binary);
  const std::string empty = WriteFile("empty.txt", "");
  win::desktop::PushScriptedAnswer("MessageBox", {win::IDYES, {}, 0});
  win::desktop::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  EXPECT_EQ(workspace::OpenFiles(*graphs, {bin, empty}), nullptr);
  EXPECT_EQ(graphs->Count(), 0);
  EXPECT_EQ(chart->SeriesCount(), 0);
  ASSERT_EQ(win::MessageBoxHistory().size(), 2u);
  // Each says what it found, naming the file.
  const std::u16string& first = win::MessageBoxHistory()[0].text;
  const std::u16string& second = win::MessageBoxHistory()[1].text;
  EXPECT_NE(first.find(W(bin)), std::u16string::npos);
  EXPECT_NE(first.find(u"двоичные данные"), std::u16string::npos) << win::WideToUtf8(first);
  EXPECT_NE(second.find(W(empty)), std::u16string::npos);
  EXPECT_NE(second.find(u"файл пуст (0 байт)"), std::u16string::npos) << win::WideToUtf8(second);
}

TEST_F(OpenFilesTest, AFolderIsSaidToBeAFolder) {
  const std::string good = WriteFile("good.txt", "1 2\n3 4\n");
  win::desktop::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  workspace::OpenFiles(*graphs, {dir, good});
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  const std::u16string& text = win::MessageBoxHistory()[0].text;
  EXPECT_NE(text.find(W(dir)), std::u16string::npos);
  EXPECT_NE(text.find(u"это папка, а не файл"), std::u16string::npos) << win::WideToUtf8(text);
  EXPECT_EQ(graphs->Count(), 1);
}

TEST_F(OpenFilesTest, DecimalCommasReadUnderPointSettingsAreWarnedOf) {
  workspace::Preferences.PointDecimalSeparator = true;
  workspace::Preferences.Delimiters = "\t ;,";
  std::string text;
  for (int i = 0; i < 50; ++i) text += "0," + std::to_string(100 + i) + "\t0,5\r\n";
  const std::string commas = WriteFile("commas.txt", text);
  win::desktop::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  workspace::OpenFiles(*graphs, {commas});
  EXPECT_EQ(graphs->Count(), 1);  // the graph stays; the user was told
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  const auto& box = win::MessageBoxHistory()[0];
  EXPECT_EQ(box.type & win::MB_ICONMASK, win::MB_ICONWARNING);
  for (const char* part : {"прочитан, но, вероятно, неверно", "commas.txt", "PointDecimalSeparator=0", "Delimiters=9;32;59"})
    EXPECT_NE(box.text.find(W(part)), std::u16string::npos) << part << " in " << win::WideToUtf8(box.text);
  // Files of decimal points under the same settings read without a word.
  win::ClearMessageBoxHistory();
  workspace::OpenFiles(*graphs, {WriteFile("points.txt", "0.1\t0.5\n0.2\t0.7\n0.3\t0.9\n")});
  EXPECT_TRUE(win::MessageBoxHistory().empty());
}

TEST_F(OpenFilesTest, SaveAsTextWritesThePointsWithThePreferredSeparator) {
  TGraph* g = AddData({0, 2}, {1.5, -3});
  const std::string path = dir + "/out.txt";
  g->SaveAsText(path);
  EXPECT_EQ(ReadAll(path), "0\t1,5\r\n2\t-3\r\n\r\n");
  workspace::Preferences.PointDecimalSeparator = true;
  g->SaveAsText(path);
  EXPECT_EQ(ReadAll(path), "0\t1.5\r\n2\t-3\r\n\r\n");
  g->SaveAsXML(dir + "/out.xml");
  EXPECT_NE(ReadAll(dir + "/out.xml").find("<series"), std::string::npos);
  EXPECT_THROW(g->SaveAsText(dir + "/no/such/folder/out.txt"), std::exception);
  // A graph saved back and opened again gives the same points.
  workspace::Preferences.PointDecimalSeparator = true;
  TGraph* again = workspace::OpenFiles(*graphs, {path});
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(Xs(again->Series()), Xs(g->Series()));
  EXPECT_EQ(Ys(again->Series()), Ys(g->Series()));
}

}  // namespace
