// The main window on the headless desktop: a file opened through the (scripted) open dialog or
// dropped becomes a graph on the chart and can be undone; graphs go to the clipboard as text
// and come back; point picks take the chart's left press and Esc; closing asks when graphs
// exist and writes the settings file.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <iterator>

#include "chart/PlotMultiSelectorTool.h"
#include "controls/UniApplication.h"
#include "dialog_script.h"
#include "export/forms/WinCopy.h"
#include "mainwindow_fixture.h"
#include "platform/desktop/DesktopView.h"
#include "platform/kernel/Files.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/windows/Window.h"
#include "tx/Tx.h"
#include "tx/TxThemes.h"

namespace {

using namespace mainwindowtest;

TEST_F(MainWindowTest, StartsWithTitleChartAndGlobals) {
  EXPECT_EQ(form->Caption(), "Korvalin 4");
  EXPECT_EQ(fw::Application->Title(), "Korvalin 4");
  EXPECT_EQ(chart::MainChart, form->Chart());
  EXPECT_EQ(workspace::GraphCollection, form->Graphs());
  EXPECT_EQ(workspace::OperationCollection, form->Operations());
  EXPECT_FALSE(form->UndoAction()->Enabled());
  EXPECT_EQ(form->StatusText(), "Графиков: 0");
  // The chart fills what the menu and the status line leave.
  EXPECT_GT(form->Chart()->Width(), 0);
  EXPECT_GT(form->Chart()->Height(), 0);
}

// The analysis windows and commands reach the graphs through the globals: a window that is gone
// leaves none of them pointing at what it freed.
TEST_F(MainWindowTest, AWindowGoneLeavesNoGlobalPointingAtIt) {
  form->Close();
  delete form;
  form = nullptr;
  EXPECT_EQ(chart::MainChart, nullptr);
  EXPECT_EQ(workspace::GraphCollection, nullptr);
  EXPECT_EQ(workspace::OperationCollection, nullptr);
}

// The wide application runs from start-up to the end: it holds the program's title, and once
// messages flow it has its idle control on the main window, whose hint it reports at idle.
TEST_F(MainWindowTest, TheWideApplicationRunsFromStartToEnd) {
  ASSERT_NE(cs::UniApplication, nullptr);
  EXPECT_EQ(cs::UniApplication->Title(), u"Korvalin 4");
  win::PostMessageW(form->Handle(), win::WM_NULL, 0, 0);
  Pump();
  ASSERT_NE(cs::UniApplication->AppIdleEventControl(), nullptr);
  EXPECT_EQ(cs::UniApplication->AppIdleEventControl()->Parent(), form);
  cs::UniApplication->SetHint(u"Подсказка ✓");
  EXPECT_EQ(fw::Application->Hint(), "Подсказка ✓");
  workspace::Preferences.ConfirmClose = false;
  form->Close();
  delete form;
  form = nullptr;
  workspace::FinishProgram();
  EXPECT_EQ(cs::UniApplication, nullptr);
  workspace::StartProgram();  // the fixture's end finishes once more
  EXPECT_NE(cs::UniApplication, nullptr);
}

TEST_F(MainWindowTest, OpenThroughTheDialogAddsAGraphThatUndoRemoves) {
  std::string path = WriteFile("first.txt", "x\ty\n0\t1\n1\t4\n2\t9\n");
  wd::PushOpenDialogAnswer(wd::FileDialogResult{{win::Utf8ToWide(path)}, 2});
  ASSERT_TRUE(form->OpenAction()->Execute());
  ASSERT_EQ(Graphs().Count(), 1);
  chart::TChartSeries* series = Graphs().Items(0)->Series();
  EXPECT_EQ(form->Chart()->SeriesCount(), 1);
  EXPECT_EQ(form->Chart()->Series(0), series);
  ASSERT_EQ(series->Count(), 3);
  EXPECT_DOUBLE_EQ(series->PointY(2), 9);
  EXPECT_EQ(Graphs().Current(), Graphs().Items(0));  // the last added graph is selected
  EXPECT_EQ(form->StatusText(), "Графиков: 1  |  first.txt");
  // The dialog's folder and filter are remembered.
  EXPECT_EQ(workspace::Preferences.OpenFilterIndex, 2);
  EXPECT_EQ(workspace::Preferences.OpenDir, folder.string());

  EXPECT_TRUE(form->UndoAction()->Enabled());
  EXPECT_EQ(form->UndoAction()->Caption(), "Отменить добавление графика");
  ASSERT_TRUE(form->UndoAction()->Execute());
  EXPECT_EQ(Graphs().Count(), 0);
  EXPECT_EQ(form->Chart()->SeriesCount(), 0);
  EXPECT_FALSE(form->UndoAction()->Enabled());
}

TEST_F(MainWindowTest, MissingAndBadFilesAreReportedAndLoseNothing) {
  std::string good = WriteFile("good.txt", "0 1\n1 2\n");
  form->OpenFileNames({good});
  ASSERT_EQ(Graphs().Count(), 1);
  win::ClearMessageBoxHistory();
  std::string bad = WriteFile("bad.txt", "just one line\n");
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  form->OpenFileNames({(folder / "gone.txt").string(), bad});
  EXPECT_EQ(Graphs().Count(), 1);
  ASSERT_GE(win::MessageBoxHistory().size(), 2u);
  std::string last = win::WideToUtf8(win::MessageBoxHistory().back().text);
  EXPECT_NE(last.find("bad.txt"), std::string::npos) << last;
}

// Names reach the file system byte for byte, UTF-8 or not (a name written under Windows
// Cyrillic, a stray byte), and the graphs keep them so.
TEST_F(MainWindowTest, DroppedFilesBecomeGraphs) {
  const struct {
    std::string name, text;
    int points;
  } files[] = {
      {"a.txt", "0 1\n1 2\n2 3\n", 3},
      {"\xC4\xE0\xED\xED\xFB\xE5.txt", "0 5\n1 6\n", 2},
      {"run\xFF" "2.txt", "0 5\n1 6\n2 7\n3 8\n", 4},
  };
  std::vector<std::u16string> dropped;
  for (const auto& f : files) dropped.push_back(win::WidePathOf(WriteFile(f.name, f.text)));
  win::POINT inside = At(form->Chart(), 50, 50);
  ASSERT_TRUE(desktop->drop_files(inside, dropped));
  AppPump();
  ASSERT_EQ(Graphs().Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Graphs().Items(i)->Series()->Count(), files[i].points) << i;
    EXPECT_EQ(Graphs().Items(i)->Source, (folder / files[i].name).string()) << i;
  }
  EXPECT_EQ(Graphs().Current(), Graphs().Items(2));
}

TEST_F(MainWindowTest, CopyAndPasteOfAGraphRoundTripsItsPoints) {
  form->OpenFileNames({WriteFile("c.txt", "0 1,5\n1 2,5\n2 -3\n")});
  ASSERT_EQ(Graphs().Count(), 1);
  AnswerDialog<kvforms::TwndCopyTxt>(*desktop, fw::mrOk);
  ASSERT_TRUE(form->CopyAction()->Execute());
  std::string text = fw::Clipboard()->AsText();
  EXPECT_NE(text.find("[DATA]"), std::string::npos) << text;
  ASSERT_TRUE(form->PasteAction()->Execute());
  ASSERT_EQ(Graphs().Count(), 2);
  chart::TChartSeries* copy = Graphs().Items(1)->Series();
  ASSERT_EQ(copy->Count(), 3);
  EXPECT_DOUBLE_EQ(copy->PointX(1), 1);
  EXPECT_DOUBLE_EQ(copy->PointY(2), -3);
  // Plain two-column text pastes as a graph as well.
  fw::Clipboard()->SetAsText("10\t1\r\n20\t2\r\n30\t3\r\n");
  ASSERT_TRUE(form->PasteAction()->Execute());
  ASSERT_EQ(Graphs().Count(), 3);
  EXPECT_DOUBLE_EQ(Graphs().Items(2)->Series()->PointX(2), 30);
}

TEST_F(MainWindowTest, CopyWithoutGraphsPutsTheChartPictureInTheCopyFormat) {
  AnswerDialog<kvforms::TwndCopyImg>(*desktop, fw::mrOk);
  ASSERT_TRUE(form->CopyAction()->Execute());  // the default format: an enhanced metafile
  fw::Clipboard()->Open();
  EXPECT_TRUE(fw::Clipboard()->HasFormat(14 /* CF_ENHMETAFILE */));
  fw::Clipboard()->Close();
  workspace::Preferences.CopyFormat = workspace::cfBMP;
  AnswerDialog<kvforms::TwndCopyImg>(*desktop, fw::mrOk);
  ASSERT_TRUE(form->CopyAction()->Execute());
  fw::Clipboard()->Open();
  EXPECT_TRUE(fw::Clipboard()->HasFormat(2 /* CF_BITMAP */));
  EXPECT_FALSE(fw::Clipboard()->HasFormat(14 /* CF_ENHMETAFILE */));
  fw::Clipboard()->Close();
}

TEST_F(MainWindowTest, DeleteAsksTakesTheCurrentGraphAndUndoBringsThatGraphBack) {
  form->OpenFileNames({WriteFile("c.txt", "0 5\n1 6\n"), WriteFile("d.txt", "0 1\n1 2\n")});
  ASSERT_EQ(Graphs().Count(), 2);
  Graphs().Select(0);
  workspace::TGraph* first = Graphs().Items(0);
  int cancelled = 0;
  workspace::PointPickHandler = [&](int x, int y, bool accept) {
    if (!accept && x == -1 && y == -1) ++cancelled;
  };
  // "ConfirmDelete" is on: No keeps the graph, Yes deletes it.
  wd::PushScriptedAnswer("MessageBox", {win::IDNO, {}, 0});
  ASSERT_TRUE(form->DeleteAction()->Execute());
  EXPECT_EQ(Graphs().Count(), 2);
  wd::PushScriptedAnswer("MessageBox", {win::IDYES, {}, 0});
  ASSERT_TRUE(form->DeleteAction()->Execute());
  ASSERT_EQ(Graphs().Count(), 1);
  EXPECT_EQ(form->Chart()->SeriesCount(), 1);
  // Undo brings back the deleted graph, not a removal of the other one.
  ASSERT_TRUE(form->UndoAction()->Execute());
  ASSERT_EQ(Graphs().Count(), 2);
  EXPECT_EQ(Graphs().Items(0), first);
  EXPECT_EQ(form->Chart()->Series(0), first->Series());
  EXPECT_EQ(Graphs().Current(), first);
  // Without confirmation the last graph goes at once and a pick is cancelled with it.
  workspace::Preferences.ConfirmDelete = false;
  ASSERT_TRUE(form->DeleteAction()->Execute());
  ASSERT_TRUE(form->DeleteAction()->Execute());
  EXPECT_EQ(Graphs().Count(), 0);
  EXPECT_EQ(form->Chart()->SeriesCount(), 0);
  EXPECT_EQ(cancelled, 1);
}

TEST_F(MainWindowTest, ArmedPickTakesTheLeftPressAndEscCancelsIt) {
  form->OpenFileNames({WriteFile("e.txt", "0 1\n10 2\n")});
  Pump();
  std::vector<std::tuple<int, int, bool>> calls;
  workspace::PointPickHandler = [&](int x, int y, bool accept) { calls.emplace_back(x, y, accept); };
  const double minBefore = form->Chart()->BottomAxis()->Minimum();
  const double maxBefore = form->Chart()->BottomAxis()->Maximum();
  win::RECT plot = form->Chart()->ChartRect();
  win::POINT from = At(form->Chart(), plot.left + 20, plot.top + 20);
  win::POINT to = At(form->Chart(), plot.left + 80, plot.top + 60);
  desktop->mouse_down(from);
  desktop->mouse_move(to);
  desktop->mouse_up(to);
  AppPump();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], std::make_tuple(int(plot.left + 20), int(plot.top + 20), true));
  // The press went to the pick, so the drag did not zoom.
  EXPECT_DOUBLE_EQ(form->Chart()->BottomAxis()->Minimum(), minBefore);
  EXPECT_DOUBLE_EQ(form->Chart()->BottomAxis()->Maximum(), maxBefore);

  form->SetFocus();
  desktop->press_key(win::VK_ESCAPE);
  AppPump();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1], std::make_tuple(-1, -1, false));
}

TEST_F(MainWindowTest, ClosingAsksWithGraphsAndWritesTheSettings) {
  form->OpenFileNames({WriteFile("f.txt", "0 1\n1 2\n")});
  workspace::Preferences.ConfirmClose = true;
  workspace::Preferences.SkipLines = 7;
  wd::PushScriptedAnswer("MessageBox", {win::IDCANCEL, {}, 0});
  form->Close();
  ASSERT_FALSE(win::MessageBoxHistory().empty());
  EXPECT_EQ(win::WideToUtf8(win::MessageBoxHistory().back().text),
            "Имеются построенные графики. Подтвердите закрытие программы");
  EXPECT_EQ(Graphs().Count(), 1);  // still open
  EXPECT_FALSE(std::filesystem::exists(workspace::TPropSaver::SettingsFileName()));

  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  form->Close();
  ASSERT_TRUE(std::filesystem::exists(workspace::TPropSaver::SettingsFileName()));
  workspace::TPropSaver saved(true);
  workspace::TPreferences loaded;
  loaded.Load(saved);
  EXPECT_EQ(loaded.SkipLines, 7);
  EXPECT_EQ(Graphs().Count(), 0);  // the graphs went with the window's closing
}

}  // namespace

namespace {

// A damaged settings file, started with and shut down: every value the damage did not touch,
// and the damaged line itself, come back byte for byte, and UTF-8 values read as written.
TEST_F(MainWindowTest, DamagedSettingsFileSpreadsNoDamage) {
  const std::string good = "[PREFERENCES]\r\nOpenDir=/home/папка\r\nSkipLines=3\r\n[OTHER]\r\nName=значение\r\n";
  const std::string cut = "Cut=пап\xD0", legacy = "Legacy=\xCF\xF0\xE8\xE2\xE5\xF2", junk = "\x9A\xFF odd=\xE0\x80";
  struct Case { std::string Name, File, Damaged; };
  const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
  };
  const Case cases[] = {
      {"cut inside a letter", good + cut, cut},
      {"junk appended", good + "\xFF\xFE\x80\x01" + junk + "\r\n", junk},
      {"junk between sections", replaced(good, "[OTHER]", junk + "\r\n[OTHER]"), junk},
      {"one Windows Cyrillic line", good + legacy + "\r\n", legacy},
      {"byte order mark", "\xEF\xBB\xBF" + good, {}},
      {"LF only", replaced(good, "\r\n", "\n"), {}},
      {"CR only", replaced(good, "\r\n", "\r"), {}},
  };
  delete form;
  const std::string settings = workspace::TPropSaver::SettingsFileName();
  for (const Case& c : cases) {
    std::ofstream(settings, std::ios::binary | std::ios::trunc) << c.File;
    form = fw::Application->CreateForm<TwndKorvalinMain>();
    EXPECT_EQ(workspace::Preferences.OpenDir, "/home/папка") << c.Name;
    form->Close();
    delete form;
    form = nullptr;
    std::ifstream in(settings, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (std::string line : {"OpenDir=/home/папка", "SkipLines=3", "Name=значение", c.Damaged.c_str()})
      EXPECT_NE(written.find(line + "\r\n"), std::string::npos) << c.Name << ": " << line;
  }
}

std::string FileBytes(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Text in UTF-16 as a file's bytes, and back (a test's own reading of what the program wrote).
std::string Utf16Bytes(std::u16string_view Text, bool HighFirst) {
  std::string bytes;
  for (const char16_t unit : Text) {
    bytes += char(HighFirst ? unit >> 8 : unit & 0xFF);
    bytes += char(HighFirst ? unit & 0xFF : unit >> 8);
  }
  return bytes;
}
std::u16string Utf16Text(std::string_view Bytes, bool HighFirst) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < Bytes.size(); i += 2) {
    const unsigned char first = Bytes[i], second = Bytes[i + 1];
    text += char16_t(HighFirst ? first << 8 | second : second << 8 | first);
  }
  return text;
}

// A settings file an editor saved in UTF-16: the program reads its settings (no close question),
// and at exit writes it back in UTF-16 of the same byte order, its mark kept, with the comment,
// the Cyrillic folder and the file opened in the recent list.
TEST_F(MainWindowTest, SettingsFileInUtf16IsReadAndWrittenBackInUtf16) {
  delete form;
  form = nullptr;
  const std::string settings = workspace::TPropSaver::SettingsFileName();
  const std::string data = WriteFile("данные.txt", "0 1\n1 2\n");
  const struct {
    const char* Name;
    bool HighFirst;
    std::u16string Mark;
  } cases[] = {{"UTF-16 LE with its mark", false, u"\uFEFF"}, {"UTF-16 BE without a mark", true, u""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    std::ofstream(settings, std::ios::binary | std::ios::trunc)
        << Utf16Bytes(c.Mark + u"[PREFERENCES]\r\n; мои настройки\r\nConfirmClose=0\r\nOpenDir=/home/папка\r\n",
                      c.HighFirst);
    workspace::Preferences = workspace::TPreferences{};
    win::ClearMessageBoxHistory();
    form = fw::Application->CreateForm<TwndKorvalinMain>();
    EXPECT_FALSE(workspace::Preferences.ConfirmClose);
    EXPECT_EQ(workspace::Preferences.OpenDir, "/home/папка");
    form->OpenFileNames({data});
    ASSERT_EQ(Graphs().Count(), 1);
    form->Close();
    delete form;
    form = nullptr;
    EXPECT_TRUE(win::MessageBoxHistory().empty()) << "asked or said something";
    const std::u16string written = Utf16Text(FileBytes(settings), c.HighFirst);
    EXPECT_EQ(written.rfind(c.Mark + u"[PREFERENCES]\r\n; мои настройки\r\nConfirmClose=0\r\n", 0), 0u)
        << win::WideToUtf8(written);
    const std::string lines[] = {"OpenDir=/home/папка", "RecentFilesCount=1", "RecentFiles0=" + data};
    for (const std::string& line : lines)
      EXPECT_NE(written.find(u"\r\n" + win::Utf8ToWide(line) + u"\r\n"), std::u16string::npos)
          << line << " in " << win::WideToUtf8(written);
  }
}

// A settings file that cannot be read: the program starts with the defaults, says so once, and
// leaves the file as it found it at exit.
TEST_F(MainWindowTest, UnreadableSettingsFileStartsWithDefaultsAndIsLeftAlone) {
  delete form;
  form = nullptr;
  const std::string settings = workspace::TPropSaver::SettingsFileName();
  struct Case { const char* Name; std::function<void()> Make; std::function<bool()> Unchanged; };
  const auto size = (std::uintmax_t(2) << 30) + 5;
  const Case cases[] = {
      {"FIFO", [&] { ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0); },
       [&] { return std::filesystem::is_fifo(settings); }},
      {"above 2 GiB",
       [&] {
         std::ofstream(settings, std::ios::binary) << "[PREFERENCES]\r\nSkipLines=9\r\n";
         std::filesystem::resize_file(settings, size);
       },
       [&] { return std::filesystem::file_size(settings) == size; }},
      {"folder", [&] { ASSERT_TRUE(std::filesystem::create_directory(settings)); },
       [&] { return std::filesystem::is_directory(settings); }},
      // UTF-16 cut short by one byte: read as bytes it would be written back garbled.
      {"UTF-16 cut short",
       [&] { std::ofstream(settings, std::ios::binary) << std::string("\xFF\xFE[\0P\0]\0\r\0\n\0A", 13); },
       [&] { return FileBytes(settings) == std::string("\xFF\xFE[\0P\0]\0\r\0\n\0A", 13); }},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(settings);
    c.Make();
    win::ClearMessageBoxHistory();
    workspace::Preferences = workspace::TPreferences{};
    wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
    form = fw::Application->CreateForm<TwndKorvalinMain>();
    ASSERT_EQ(win::MessageBoxHistory().size(), 1u) << c.Name;
    const std::string said = win::WideToUtf8(win::MessageBoxHistory().back().text);
    EXPECT_EQ(said.rfind("Не удалось прочитать файл настроек", 0), 0u) << said;
    EXPECT_NE(said.find(settings), std::string::npos) << said;
    if (std::string(c.Name) == "folder") {
      EXPECT_NE(said.find("это папка, а не файл"), std::string::npos) << said;
    }
    if (std::string(c.Name) == "UTF-16 cut short") {
      EXPECT_NE(said.find("текст файла в кодировке UTF-16 повреждён"), std::string::npos) << said;
    }
    EXPECT_EQ(workspace::Preferences.SkipLines, workspace::TPreferences{}.SkipLines) << c.Name;
    ASSERT_TRUE(form->ShowHintValuesAction()->Execute());
    form->Close();
    delete form;
    form = nullptr;
    EXPECT_EQ(win::MessageBoxHistory().size(), 1u) << c.Name;
    EXPECT_TRUE(c.Unchanged()) << c.Name;
  }
  std::filesystem::remove(settings);
}

// A damaged handle size in the settings: the default is used, and saved back in its place.
TEST_F(MainWindowTest, SelectorSizeOutsideItsRangeTakesTheDefault) {
  delete form;
  form = nullptr;
  const std::string settings = workspace::TPropSaver::SettingsFileName();
  for (const char* stored : {"-100", "2147483647", "51"}) {
    std::ofstream(settings, std::ios::binary | std::ios::trunc) << "[PREFERENCES]\r\nSelectorSize=" << stored << "\r\n";
    form = fw::Application->CreateForm<TwndKorvalinMain>();
    EXPECT_EQ(form->MultiSelectorTool()->HandleSize(), 3) << stored;
    form->Close();
    delete form;
    form = nullptr;
    EXPECT_EQ(workspace::TPropSaver(true).ReadInteger("SelectorSize", -1), 3) << stored;
  }
}

TEST_F(MainWindowTest, DerivativesOfTheCurrentGraphAreNewSelectedGraphs) {
  EXPECT_FALSE(form->DerivativeAction()->Enabled());
  form->OpenFileNames({WriteFile("g.txt", "0 0\n1 1\n2 4\n3 9\n4 16\n5 25\n6 36\n")});
  ASSERT_TRUE(form->DerivativeAction()->Enabled());
  ASSERT_TRUE(form->DerivativeAction()->Execute());
  ASSERT_EQ(Graphs().Count(), 2);
  workspace::TGraph* derivative = Graphs().Items(1);
  EXPECT_EQ(Graphs().Current(), derivative);
  EXPECT_EQ(derivative->Series()->Title(), "Производная g.txt");
  // y = x^2: the slope at x = 2 is 4.
  bool found = false;
  for (int i = 0; i < derivative->Series()->Count(); ++i)
    if (derivative->Series()->PointX(i) == 2) {
      EXPECT_DOUBLE_EQ(derivative->Series()->PointY(i), 4);
      found = true;
    }
  EXPECT_TRUE(found);
  // The second derivative of the derivative's source: the current graph is now the derivative.
  ASSERT_TRUE(form->Derivative2Action()->Execute());
  ASSERT_EQ(Graphs().Count(), 3);
  EXPECT_EQ(Graphs().Items(2)->Series()->Title(), "Производная2 Производная g.txt");
  // Each is undone as an added graph.
  ASSERT_TRUE(form->UndoAction()->Execute());
  EXPECT_EQ(Graphs().Count(), 2);
}

}  // namespace

namespace {

using namespace mainwindowtest;

// At its smallest size (the tracking minimum) the client area is empty and the status bar hangs
// above it, over the caption and the menu bar; those still paint, not the black of a surface
// nobody painted.
TEST_F(MainWindowTest, SmallestSizeStillPaintsTheFrame) {
  win::HWND h = form->Handle();
  win::SetWindowPos(h, nullptr, 0, 0, 112, 27, win::SWP_NOMOVE | win::SWP_NOZORDER);
  Pump();
  win::RECT r;
  win::GetWindowRect(h, &r);
  win::desktop::SurfaceView s = win::desktop::SurfaceOf(h);
  ASSERT_NE(s.bits, nullptr);
  ASSERT_EQ(s.width, r.right - r.left);
  ASSERT_EQ(s.height, r.bottom - r.top);
  int black = 0;
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) black += (s.Row(y)[x] & 0xFFFFFFu) == 0;
  // Black belongs only to the outer shadow edge and to letters; an unpainted band is thousands.
  EXPECT_LT(black, s.width + s.height);
}

}  // namespace

namespace {

using mainwindowtest::MainWindowTest;

// The theme is read from the settings when the window is made and written when it closes; a
// name no theme carries leaves "Default".
TEST_F(MainWindowTest, ThemeSettingIsReadAtStartAndWrittenAtExit) {
  EXPECT_EQ(tx::GetCurrentThemeName(), "Default");
  EXPECT_TRUE(tx::IsThemeRegistered("DefaultXP")) << "the themes' list ran at start";
  tx::SetCurrentTheme("DefaultXP");
  form->Close();
  delete form;
  form = nullptr;
  {
    workspace::TPropSaver saved(true);
    EXPECT_EQ(saved.ReadString("Theme", ""), "DefaultXP");
  }
  tx::SetCurrentTheme("Default");
  form = fw::Application->CreateForm<TwndKorvalinMain>();
  EXPECT_EQ(tx::GetCurrentThemeName(), "DefaultXP");
  form->Close();
  delete form;
  form = nullptr;

  {
    workspace::TPropSaver store(true);
    store.WriteString("Theme", "Chrome Unicorn");
    store.UpdateFile();
  }
  tx::SetCurrentTheme("Default");
  form = fw::Application->CreateForm<TwndKorvalinMain>();
  EXPECT_EQ(tx::GetCurrentThemeName(), "Default");
}

}  // namespace
