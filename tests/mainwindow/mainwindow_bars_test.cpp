// The main window's docks, menu bar and toolbars: where they sit, the commands they reach, the
// layout, theme and recent files kept in the settings file (damaged sections included), the
// menu bar from the keyboard, keys from a floating toolbar, dragging between docks, the chevron,
// the graph toolbar following the current graph, and a click on its width spin giving the keys back.

#include <algorithm>
#include <functional>
#include <fstream>
#include <optional>
#include <sstream>

#include "analysis/ChartListBox.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotToolsMarksTip.h"
#include "chart/Series.h"
#include "controls/CsEditItems.h"
#include "controls/CsStatusBar.h"
#include "controls/CsThemeMenu.h"
#include "controls/CsToolbars.h"
#include "framework/Clipbrd.h"
#include "framework/ExtCtrls.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "mainwindow/GraphToolbar.h"
#include "mainwindow/MainWindowBars.h"
#include "mainwindow_fixture.h"
#include "support/MessageSequence.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBDockableWindow.h"
#include "toolbars/TBFloatingParent.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"
#include "toolbars/ToolbarsFixture.h"
#include "tx/Tx.h"
#include "tx/TxExtItems.h"
#include "tx/TxItems.h"
#include "tx/TxMRU.h"
#include "tx/TxSpinEditItem.h"
#include "tx/TxThemes.h"

namespace mainwindowtest {
namespace {

using toolbars::dpBottom;
using toolbars::dpLeft;
using toolbars::dpRight;
using toolbars::dpTop;
using toolbars::TTBDockPosition;

class MainWindowBarsTest : public MainWindowTest {
 protected:
  workspace::TMainWindowBars& Bars() { return *form->Bars(); }
  workspace::TBar* Bar(const char* Name) {
    workspace::TBar* bar = Bars().Toolbar(Name);
    EXPECT_NE(bar, nullptr) << Name;
    return bar;
  }
  std::optional<TTBDockPosition> DockOf(const char* Name) {
    workspace::TBar* bar = Bar(Name);
    if (!bar || bar->Floating() || !bar->CurrentDock()) return std::nullopt;
    return bar->CurrentDock()->Position();
  }
  // Closes the window (which writes the settings) and makes it again (which reads them).
  void Restart() {
    workspace::Preferences.ConfirmClose = false;
    form->Close();
    delete form;
    form = fw::Application->CreateForm<TwndKorvalinMain>();
    form->Show();
    Pump();
  }
  // Starts again on a settings file holding Text.
  void RestartOn(const std::string& Text) {
    workspace::Preferences.ConfirmClose = false;
    form->Close();
    delete form;
    std::ofstream(workspace::TPropSaver::SettingsFileName(), std::ios::binary) << Text;
    workspace::Preferences = workspace::TPreferences{};
    form = fw::Application->CreateForm<TwndKorvalinMain>();
    form->Show();
    Pump();
  }
  std::string SettingsText() {
    std::ifstream in(workspace::TPropSaver::SettingsFileName(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static win::RECT ScreenRect(fw::TWinControl* C) {
    win::RECT r{};
    win::GetWindowRect(C->Handle(), &r);
    return r;
  }
  // Presses on the drag handle of Bar; the scripted steps move and release.
  void GrabHandle(workspace::TBar* Bar) {
    const win::RECT r = ScreenRect(Bar);
    const win::POINT grab{r.left + 3, (r.top + r.bottom) / 2};
    desktop->mouse_move(grab);
    Pump();
    win::SendMessageW(Bar->Handle(), win::WM_NCLBUTTONDOWN, toolbars::HTDockBorder,
                      win::MAKELPARAM(grab.x, grab.y));
    Pump();
  }
  // A point inside the form at its left edge, half way down.
  win::POINT LeftEdge() {
    const win::RECT r = ScreenRect(form);
    return {r.left + 6, (r.top + r.bottom) / 2};
  }
};

TEST_F(MainWindowBarsTest, TheMenuBarAndToolbarsSitOnTheirDocksAndReachEveryCommand) {
  workspace::TBar* menu = Bars().MenuBar();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->MenuBar());
  EXPECT_EQ(form->Menu(), nullptr) << "no menu of the platform's own any more";
  EXPECT_EQ(DockOf("MainMenuBar"), dpTop);
  EXPECT_EQ(menu->EffectiveDockRow(), 0);
  EXPECT_EQ(DockOf("StandardToolbar"), dpTop);
  EXPECT_EQ(DockOf("GraphToolbar"), dpTop);
  EXPECT_EQ(DockOf("AnalysisToolbar"), dpBottom);
  EXPECT_EQ(DockOf("FormatToolbar"), dpBottom);
  for (TTBDockPosition p : {dpTop, dpBottom, dpLeft, dpRight}) EXPECT_EQ(Bars().Dock(p)->Position(), p);
  // Every action of the window has a menu item that runs it.
  std::vector<std::string> missing;
  for (fw::Integer i = 0; i < form->ComponentCount(); ++i)
    if (auto* action = dynamic_cast<fw::TAction*>(form->Components(i)))
      if (!form->MenuItemOf(action)) missing.push_back(action->Name());
  EXPECT_TRUE(missing.empty()) << missing.front();
  // A button runs its action like the menu item does.
  Graphs();
  wd::ClearCommonDialogHistory();
  wd::PushOpenDialogAnswer(std::nullopt);
  workspace::TBar* standard = Bar("StandardToolbar");
  standard->Items()->Items(0)->Click();
  AppPump();
  EXPECT_EQ(wd::CommonDialogHistory().files.size(), 1u);
}

// Every part of the bars is the control set's, but for the kinds it has no class of its own for.
TEST_F(MainWindowBarsTest, TheBarsAreMadeOfTheControlSetsClasses) {
  for (toolbars::TTBDock* dock : Bars().Docks()) EXPECT_NE(dynamic_cast<cs::TCsDock*>(dock), nullptr);
  for (toolbars::TTBCustomDockableWindow* bar : Bars().DockableWindows())
    EXPECT_NE(dynamic_cast<cs::TCsToolbar*>(bar), nullptr) << bar->Name();
  EXPECT_NE(dynamic_cast<cs::TCsPopupMenu*>(static_cast<fw::TComponent*>(Bars().BarsMenu())), nullptr);
  std::vector<std::string> foreign;
  std::function<void(toolbars::TTBCustomItem*)> walk = [&](toolbars::TTBCustomItem* parent) {
    for (fw::Integer i = 0; i < parent->Count(); ++i) {
      toolbars::TTBCustomItem* item = parent->Items(i);
      const bool own = dynamic_cast<cs::TCsCustomItem*>(item) || dynamic_cast<cs::TCsSeparatorItem*>(item) ||
                       dynamic_cast<cs::TCsEditItem*>(item) || dynamic_cast<cs::TCsThemeGroupItem*>(item);
      const bool noCsKind = dynamic_cast<tx::TTxMRUListItem*>(item) ||
                            dynamic_cast<tx::TTxVisibilityToggleItem*>(item) ||
                            dynamic_cast<tx::TTxColorItem*>(item) || dynamic_cast<tx::TTxSpinEditItem*>(item);
      if (!own && !noCsKind) foreign.push_back(parent->Caption() + " / " + item->Caption());
      walk(item);
    }
  };
  for (toolbars::TTBCustomDockableWindow* bar : Bars().DockableWindows())
    walk(static_cast<workspace::TBar*>(bar)->Items());
  EXPECT_TRUE(foreign.empty()) << foreign.front();
  // The menus' own items: the submenus are the control set's submenu items.
  toolbars::TTBCustomItem* menus = Bars().MenuBar()->Items();
  for (fw::Integer i = 0; i < menus->Count(); ++i)
    EXPECT_NE(dynamic_cast<cs::TCsSubmenuItem*>(menus->Items(i)), nullptr) << menus->Items(i)->Caption();
  EXPECT_NE(dynamic_cast<cs::TCsSubmenuItem*>(form->ThemeMenu()), nullptr);
}

TEST_F(MainWindowBarsTest, TheSideDocksStayAtTheWindowsEdgesOutsideTheGraphListAndDataPanel) {
  form->ShowDataAction()->Execute();
  Pump();
  ASSERT_TRUE(form->DataPanel()->Visible());
  const fw::TWinControl* left = Bars().Dock(dpLeft);
  const fw::TWinControl* right = Bars().Dock(dpRight);
  EXPECT_EQ(left->Left(), 0);
  EXPECT_LE(left->Left() + left->Width(), fw::Integer(form->GraphList()->Left()));
  EXPECT_EQ(right->Left() + right->Width(), form->ClientWidth());
  EXPECT_LE(form->DataPanel()->Left() + form->DataPanel()->Width(), right->Left());
}

TEST_F(MainWindowBarsTest, TheLayoutRoundTripsThroughTheSettingsFile) {
  Bar("StandardToolbar")->SetCurrentDock(Bars().Dock(dpLeft));
  workspace::TBar* graph = Bar("GraphToolbar");
  graph->SetFloatingPosition({420, 330});
  graph->SetFloating(true);
  Bar("FormatToolbar")->SetVisible(false);
  Pump();
  Restart();
  // The file as any ini reader sees it: one line a toolbar in its own section.
  const std::string text = SettingsText();
  EXPECT_NE(text.find("[TOOLBARS]"), std::string::npos);
  EXPECT_NE(text.find("StandardToolbar=1;0;2;0;0;"), std::string::npos) << text;
  EXPECT_NE(text.find("GraphToolbar=1;1;0;0;0;420;330;"), std::string::npos) << text;
  EXPECT_NE(text.find("FormatToolbar=0;0;1;"), std::string::npos) << text;

  EXPECT_EQ(DockOf("StandardToolbar"), dpLeft);
  ASSERT_TRUE(Bar("GraphToolbar")->Floating());
  EXPECT_EQ(Bar("GraphToolbar")->FloatingPosition(), (fw::TPoint{420, 330}));
  EXPECT_FALSE(Bar("FormatToolbar")->Visible());
  EXPECT_EQ(DockOf("AnalysisToolbar"), dpBottom);
}

struct DamagedLayoutCase {
  const char* Name;
  const char* Section;  // the TOOLBARS lines; nullptr: no section
  std::optional<TTBDockPosition> Standard;  // nullopt: floating
  std::optional<TTBDockPosition> Analysis;
};

TEST_F(MainWindowBarsTest, WhatALayoutSectionCannotPlaceKeepsItsDefaultAndNothingElseIsLost) {
  const DamagedLayoutCase cases[] = {
      {"no section", nullptr, dpTop, dpBottom},
      {"damaged line, the next one used", "StandardToolbar=1;0;x;0\nAnalysisToolbar=1;0;2;0;0;0;0;0\n", dpTop,
       dpLeft},
      {"no such dock", "StandardToolbar=1;0;7;0;0;0;0;0\n", dpTop, dpBottom},
      {"too few fields", "StandardToolbar=1;0;2\n", dpTop, dpBottom},
      {"empty value", "StandardToolbar=\n", dpTop, dpBottom},
      {"a toolbar that no longer exists", "OldToolbar=1;0;2;0;0;0;0;0\nAnalysisToolbar=1;0;3;0;0;0;0;0\n", dpTop,
       dpRight},
      {"floating off every monitor", "StandardToolbar=1;1;0;0;0;-9000;-9000;0\n", dpTop, dpBottom},
      {"floating on the monitor", "StandardToolbar=1;1;0;0;0;200;150;0\n", std::nullopt, dpBottom},
      {"floating place past every coordinate", "StandardToolbar=1;1;0;0;0;2147483647;2147483647;0\n", dpTop,
       dpBottom},
      {"floating place below every coordinate", "StandardToolbar=1;1;0;0;0;-2147483648;-2147483648;0\n", dpTop,
       dpBottom},
  };
  for (const DamagedLayoutCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::string text = "[PREFERENCES]\nShowHintValues=0\nTheme=DefaultXP\n";
    if (c.Section) text += std::string("[TOOLBARS]\n") + c.Section;
    RestartOn(text);
    EXPECT_EQ(DockOf("StandardToolbar"), c.Standard);
    EXPECT_EQ(DockOf("AnalysisToolbar"), c.Analysis);
    EXPECT_TRUE(Bar("StandardToolbar")->Visible());
    // The rest of the settings is read as ever.
    EXPECT_FALSE(form->HintValuesTool()->Active());
    EXPECT_EQ(tx::GetCurrentThemeName(), "DefaultXP");
  }
}

TEST_F(MainWindowBarsTest, TheThemeMenuListsTheThemesSortedDefaultFirstAndTheChoiceIsKept) {
  ASSERT_NE(form->ThemeMenu(), nullptr);
  EXPECT_EQ(form->ThemeMenu()->Caption(), "Тема оформления");
  cs::TCsThemeGroupItem* themes = form->ThemeItems();
  ASSERT_NE(themes, nullptr);
  EXPECT_EQ(themes->Parent(), form->ThemeMenu());
  fw::TStringList names;
  tx::GetRegisteredThemes(&names);
  ASSERT_GE(names.Count(), 11) << "Default and the ten themes";
  ASSERT_EQ(themes->Count(), names.Count());
  EXPECT_EQ(themes->Items(0)->Caption(), "Default");
  for (fw::Integer i = 0; i < themes->Count(); ++i) {
    EXPECT_GE(names.IndexOf(themes->Items(i)->Caption()), 0) << themes->Items(i)->Caption();
    if (i > 1) {
      EXPECT_LT(fw::AnsiCompareText(themes->Items(i - 1)->Caption(), themes->Items(i)->Caption()), 0);
    }
    EXPECT_EQ(themes->Items(i)->Checked(), i == 0);
  }
  const fw::Integer xp = themes->Strings()->IndexOf("DefaultXP");
  ASSERT_GT(xp, 0);
  Pump();
  // Every toolbar and dock shown, and the status line, painted again once in the one switch.
  std::vector<fw::TWinControl*> painted{Bars().Dock(dpTop), Bars().Dock(dpBottom), form->StatusBar()->Dock(),
                                        form->StatusBar()->Toolbar()};
  for (workspace::TBar* bar : Bars().Toolbars())
    if (bar->Visible()) painted.push_back(bar);
  kvtest::MessageRecorder rec(win::kChannelPaint);
  for (fw::TWinControl* c : painted) rec.Watch(c->Handle());
  themes->Items(xp)->Click();
  EXPECT_EQ(tx::GetCurrentThemeName(), "DefaultXP");
  EXPECT_TRUE(themes->Items(xp)->Checked());
  EXPECT_FALSE(themes->Items(0)->Checked());
  Pump();
  for (fw::TWinControl* c : painted) {
    int paints = 0;
    for (const auto& m : rec.Calls())
      if (m.msg == win::WM_PAINT && m.hwnd == c->Handle()) ++paints;
    EXPECT_EQ(paints, 1) << c->Name();
  }
  Restart();
  EXPECT_EQ(tx::GetCurrentThemeName(), "DefaultXP");
  EXPECT_TRUE(form->ThemeItems()->Items(xp)->Checked());
  EXPECT_FALSE(form->ThemeItems()->Items(0)->Checked());
  EXPECT_NE(SettingsText().find("Theme=DefaultXP"), std::string::npos);
}

// A theme switch resizes every bar once and repaints it once, also with the format toolbar put
// on the analysis toolbar's row where the two do not fit and chevrons share out the room.
TEST_F(MainWindowBarsTest, ASwitchOfThemeSettlesEveryBarInOnePassAlsoOnAnOverfullRow) {
  for (const bool overfull : {false, true}) {
    SCOPED_TRACE(overfull ? "format toolbar on the analysis row" : "default rows");
    tx::SetCurrentTheme("Default");
    if (overfull) {
      Bar("FormatToolbar")->SetDockRow(0);
      Bar("FormatToolbar")->SetDockPos(1000);
    }
    Pump();
    if (overfull) {
      ASSERT_EQ(Bar("FormatToolbar")->DockRow(), 0);
      ASSERT_EQ(Bar("FormatToolbar")->CurrentDock(), Bar("AnalysisToolbar")->CurrentDock());
      ASSERT_LT(Bar("AnalysisToolbar")->Width() + Bar("FormatToolbar")->Width(),
                Bar("AnalysisToolbar")->BaseSize().x + Bar("FormatToolbar")->BaseSize().x + 8)
          << "the row is over-full";
    }
    std::vector<workspace::TBar*> shown;
    for (workspace::TBar* bar : Bars().Toolbars())
      if (bar->Visible()) shown.push_back(bar);
    auto boundsOf = [&] {
      std::vector<fw::TRect> r;
      for (workspace::TBar* bar : shown) r.push_back(bar->BoundsRect());
      return r;
    };
    kvtest::MessageRecorder rec(win::kChannelPaint | win::kChannelGeometry);
    for (workspace::TBar* bar : shown) rec.Watch(bar->Handle());
    tx::SetCurrentTheme("DefaultXP");
    Pump();
    const std::vector<fw::TRect> after = boundsOf();
    for (workspace::TBar* bar : shown) {
      int paints = 0, sizes = 0;
      for (const auto& m : rec.Calls()) {
        if (m.hwnd != bar->Handle()) continue;
        paints += m.msg == win::WM_PAINT;
        sizes += m.msg == win::WM_SIZE;
      }
      EXPECT_EQ(paints, 1) << bar->Name();
      EXPECT_LE(sizes, 1) << bar->Name();
    }
    // Settled: one more arrange of every dock moves nothing.
    for (TTBDockPosition p : {dpTop, dpBottom, dpLeft, dpRight}) Bars().Dock(p)->ArrangeToolbars();
    Pump();
    EXPECT_EQ(boundsOf(), after);
  }
}

TEST_F(MainWindowBarsTest, TheThemeMenuChecksASwitchMadeElsewhereWhenItOpens) {
  cs::TCsThemeGroupItem* themes = form->ThemeItems();
  const fw::Integer xp = themes->Strings()->IndexOf("DefaultXP");
  tx::SetCurrentTheme("DefaultXP");
  EXPECT_TRUE(themes->Items(0)->Checked()) << "not yet opened";
  form->ThemeMenu()->OnPopup(form->ThemeMenu(), false);
  EXPECT_TRUE(form->ThemeItems()->Items(xp)->Checked());
  EXPECT_FALSE(form->ThemeItems()->Items(0)->Checked());
}

TEST_F(MainWindowBarsTest, AnUnknownOrMissingThemeNameGivesDefault) {
  for (const char* stored : {"Theme=NoSuchTheme\n", "Theme=\n", ""}) {
    SCOPED_TRACE(stored);
    tx::SetCurrentTheme("DefaultXP");
    RestartOn(std::string("[PREFERENCES]\nShowHintValues=0\n") + stored);
    EXPECT_EQ(tx::GetCurrentThemeName(), "Default");
    EXPECT_TRUE(form->ThemeItems()->Items(0)->Checked());
    EXPECT_FALSE(form->HintValuesTool()->Active());
  }
}

TEST_F(MainWindowBarsTest, OpenedFilesGoOnTheRecentListWhichIsKeptWithItsLength) {
  const std::string a = WriteFile("a.txt", "1 2\n2 3\n"), b = WriteFile("b.txt", "1 5\n2 6\n");
  form->OpenFileNames({a});
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});  // the missing file is said
  form->OpenFileNames({b, (folder / "missing.txt").string()});
  workspace::TBarRecentList* recent = Bars().RecentFiles();
  ASSERT_EQ(recent->Items()->Count(), 2) << "a file that is not there is not remembered";
  EXPECT_EQ(recent->Items()->Strings(0), b);
  EXPECT_EQ(recent->Items()->Strings(1), a);
  Restart();
  recent = Bars().RecentFiles();
  ASSERT_EQ(recent->Items()->Count(), 2);
  EXPECT_EQ(recent->Items()->Strings(0), b);
  EXPECT_NE(SettingsText().find("RecentFilesLength=4"), std::string::npos);
  // An entry chosen from the menu opens its file.
  const fw::Integer before = Graphs().Count();
  recent->RootItem()->Items(1)->Click();
  AppPump();
  EXPECT_EQ(Graphs().Count(), before + 1);
  EXPECT_EQ(recent->Items()->Strings(0), a);
}

// The settings file changed while the window runs (edited by hand as the decimal-point advice
// says, or saved by another copy of the program): at close only what this window changed goes
// over it, and the file it opened goes on top of the recent files the file holds then.
TEST_F(MainWindowBarsTest, SettingsChangedBesideTheWindowSurviveItsClose) {
  const std::string a = WriteFile("a.txt", "1 2\n2 3\n");
  const std::string old = WriteFile("old.txt", "1 2\n2 3\n"), other = WriteFile("other.txt", "1 2\n2 3\n");
  RestartOn("[PREFERENCES]\nSkipLines=0\nRecentFilesCount=1\nRecentFiles0=" + old + "\n");
  form->OpenFileNames({a});
  workspace::Preferences.SkipLines = 2;  // as a change made in the running program
  std::ofstream(workspace::TPropSaver::SettingsFileName(), std::ios::binary | std::ios::trunc)
      << "[PREFERENCES]\nSkipLines=5\nPointDecimalSeparator=1\nRecentFilesCount=2\nRecentFiles0=" << other
      << "\nRecentFiles1=" << old << "\n";
  Restart();
  EXPECT_TRUE(workspace::Preferences.PointDecimalSeparator) << "edited beside the window";
  EXPECT_EQ(workspace::Preferences.SkipLines, 2) << "changed by the window itself";
  const workspace::TBarRecentList* recent = Bars().RecentFiles();
  ASSERT_EQ(recent->Items()->Count(), 3);
  EXPECT_EQ(recent->Items()->Strings(0), a);
  EXPECT_EQ(recent->Items()->Strings(1), other);
  EXPECT_EQ(recent->Items()->Strings(2), old);
}

TEST_F(MainWindowBarsTest, TheRecentListTakesItsStoredLengthAndSurvivesDamage) {
  const std::string a = WriteFile("a.txt", "1 2\n"), b = WriteFile("b.txt", "1 2\n"), c = WriteFile("c.txt", "1 2\n");
  RestartOn("[PREFERENCES]\nRecentFilesLength=2\nRecentFilesCount=3\nRecentFiles0=" + a + "\nRecentFiles1=" + b +
            "\nRecentFiles2=" + c + "\n");
  EXPECT_EQ(Bars().RecentFiles()->MaxItems(), 2);
  ASSERT_EQ(Bars().RecentFiles()->Items()->Count(), 2);
  EXPECT_EQ(Bars().RecentFiles()->Items()->Strings(0), a);
  RestartOn("[PREFERENCES]\nRecentFilesLength=-5\nRecentFilesCount=2000000000\nShowHintValues=0\n");
  EXPECT_EQ(Bars().RecentFiles()->MaxItems(), 4);
  EXPECT_EQ(Bars().RecentFiles()->Items()->Count(), 0);
  EXPECT_FALSE(form->HintValuesTool()->Active());
}

// The toolbars' section keeps what it does not own byte for byte at exit: comments, lines for
// toolbars the program does not have, lines it cannot read, a line of NUL bytes.
TEST_F(MainWindowBarsTest, TheToolbarsSectionKeepsWhatItDoesNotOwn) {
  const std::string others = "; placed by hand\r\nOldToolbar=1;0;2;0;0;0;0;0\r\nno equals sign here\r\n" +
                             std::string(3, '\0') + "\r\nStandardToolbar=1;0;2;0;0;0;0;0\r\n";
  RestartOn("[PREFERENCES]\r\nShowHintValues=0\r\n\r\n[TOOLBARS]\r\n" + others);
  EXPECT_EQ(DockOf("StandardToolbar"), dpLeft);
  Restart();
  const std::string text = SettingsText();
  const std::size_t section = text.find("[TOOLBARS]\r\n");
  ASSERT_NE(section, std::string::npos) << text;
  EXPECT_EQ(text.find("[TOOLBARS]", section + 1), std::string::npos) << "one section";
  EXPECT_EQ(text.compare(section + 12, others.size(), others), 0) << ::testing::PrintToString(text);
  EXPECT_EQ(DockOf("StandardToolbar"), dpLeft);
}

// A damaged count does not cost the list; a name that is not UTF-8 keeps its bytes, so that it
// names its file still, on the menu and in the file written at exit.
TEST_F(MainWindowBarsTest, TheRecentListSurvivesADamagedCountAndKeepsNamesAsTheirBytes) {
  const std::string a = WriteFile("a.txt", "1 2\n2 3\n");
  const std::string latin = WriteFile("caf\xE9.txt", "1 5\n2 6\n");  // ISO 8859-1, not UTF-8
  for (const char* count : {"RecentFilesCount=x\r\n", "RecentFilesCount=2000000000\r\n", ""}) {
    SCOPED_TRACE(count);
    RestartOn(std::string("[PREFERENCES]\r\n") + count + "RecentFiles0=" + latin + "\r\nRecentFiles1=" + a + "\r\n");
    workspace::TBarRecentList* recent = Bars().RecentFiles();
    ASSERT_EQ(recent->Items()->Count(), 2);
    EXPECT_EQ(recent->Items()->Strings(0), latin);
    EXPECT_EQ(recent->Items()->Strings(1), a);
    Restart();
    const std::string text = SettingsText();
    EXPECT_NE(text.find("RecentFilesCount=2\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("RecentFiles0=" + latin + "\r\n"), std::string::npos) << ::testing::PrintToString(text);
    ASSERT_EQ(Bars().RecentFiles()->Items()->Count(), 2);
    const fw::Integer before = Graphs().Count();
    Bars().RecentFiles()->RootItem()->Items(0)->Click();
    AppPump();
    EXPECT_EQ(Graphs().Count(), before + 1) << "the file opens from the menu";
  }
}

// The close command of the window (its caption's button, Alt+F4) passes the window's bars on its
// way to the window; a close the user cancels leaves the menu bar and its menus in place.
TEST_F(MainWindowBarsTest, ACancelledCloseKeepsTheMenuBar) {
  workspace::TBar* menu = Bars().MenuBar();
  form->OpenFileNames({WriteFile("f.txt", "0 1\n1 2\n")});
  Pump();
  const win::HWND bar = menu->Handle();
  workspace::Preferences.ConfirmClose = true;
  wd::PushScriptedAnswer("MessageBox", {win::IDCANCEL, {}, 0});
  win::SendMessageW(form->Handle(), win::WM_SYSCOMMAND, win::SC_CLOSE, 0);
  Pump();
  AppPump();
  ASSERT_FALSE(win::MessageBoxHistory().empty()) << "the close was asked";
  EXPECT_EQ(Graphs().Count(), 1);
  EXPECT_TRUE(win::IsWindow(bar)) << "the menu bar's window was destroyed";
  EXPECT_TRUE(menu->Showing());
  EXPECT_EQ(menu->Handle(), bar);
  // Its menus still open from the keyboard.
  toolbars::TTBCustomItem* selected = nullptr;
  desktop->script([&] {
    if (toolbars::TTBItemViewer* v = menu->View()->Selected()) selected = v->Item();
    desktop->press_key(win::VK_ESCAPE);
  });
  form->SetFocus();
  desktop->press_key(win::VK_F10);
  Pump();
  AppPump();
  EXPECT_EQ(selected, menu->Items()->Items(0));
}

TEST_F(MainWindowBarsTest, AltAndF10EnterTheMenuBarAtItsFirstMenu) {
  workspace::TBar* menu = Bars().MenuBar();
  for (fw::Word key : {fw::Word(win::VK_F10), fw::Word(win::VK_MENU)}) {
    SCOPED_TRACE(key);
    toolbars::TTBCustomItem* selected = nullptr;
    desktop->script([&] {
      if (toolbars::TTBItemViewer* v = menu->View()->Selected()) selected = v->Item();
      desktop->press_key(win::VK_ESCAPE);
    });
    form->SetFocus();
    desktop->press_key(key);
    Pump();
    AppPump();
    EXPECT_EQ(selected, menu->Items()->Items(0));
    EXPECT_EQ(menu->View()->Selected(), nullptr) << "Esc leaves the bar";
  }
}

TEST_F(MainWindowBarsTest, KeysReachTheWindowsCommandsWhileAFloatingToolbarIsActive) {
  workspace::TBar* standard = Bar("StandardToolbar");
  standard->SetFloatingPosition({300, 300});
  standard->SetFloating(true);
  Pump();
  ASSERT_NE(standard->FloatingParent(), nullptr);
  win::SetActiveWindow(standard->FloatingParent()->Handle());
  Pump();
  ASSERT_EQ(fw::Screen->ActiveForm(), standard->FloatingParent());
  wd::ClearCommonDialogHistory();
  wd::PushOpenDialogAnswer(std::nullopt);
  desktop->key_down(win::VK_CONTROL);
  desktop->press_key('O');
  desktop->key_up(win::VK_CONTROL);
  AppPump();
  EXPECT_EQ(wd::CommonDialogHistory().files.size(), 1u);
}

TEST_F(MainWindowBarsTest, AToolbarDraggedToAnotherDockOrWithCtrlStaysThere) {
  form->SetBounds(20, 20, 700, 480);  // well inside the test screen
  Pump();
  workspace::TBar* standard = Bar("StandardToolbar");
  // Onto the bottom dock's row, next to the toolbars there.
  const win::RECT bottom = ScreenRect(Bar("FormatToolbar"));
  const win::POINT onBottom{(bottom.left + bottom.right) / 2, (bottom.top + bottom.bottom) / 2};
  desktop->script([&] { desktop->mouse_move({onBottom.x, onBottom.y - 20}); });
  desktop->script([&] { desktop->mouse_move(onBottom); });
  desktop->script([&] { desktop->mouse_up(onBottom); });
  GrabHandle(standard);
  EXPECT_EQ(DockOf("StandardToolbar"), dpBottom);
  EXPECT_EQ(standard->EffectiveDockRow(), Bar("FormatToolbar")->EffectiveDockRow());

  // On to the empty left dock at the window's edge.
  const win::POINT left = LeftEdge();
  desktop->script([&] { desktop->mouse_move({left.x + 30, left.y}); });
  desktop->script([&] { desktop->mouse_move(left); });
  desktop->script([&] { desktop->mouse_up(left); });
  GrabHandle(standard);
  EXPECT_EQ(DockOf("StandardToolbar"), dpLeft);
  EXPECT_EQ(win::GetCapture(), nullptr);

  // With Ctrl held the toolbar floats where it is let go, over a dock or not.
  desktop->script([&] { desktop->key_down(win::VK_CONTROL); });
  desktop->script([&] { desktop->mouse_move({left.x + 4, left.y + 40}); });
  desktop->script([&] {
    desktop->mouse_up({left.x + 4, left.y + 40});
    desktop->key_up(win::VK_CONTROL);
  });
  GrabHandle(standard);
  EXPECT_TRUE(standard->Floating());
}

TEST_F(MainWindowBarsTest, ARightClickOnABarsFrameOffersTheToolbarsToShowAndHide) {
  workspace::TBar* standard = Bar("StandardToolbar");
  const win::RECT r = ScreenRect(standard);
  std::vector<std::string> captions;
  std::vector<bool> checked;
  desktop->script([&] {
    for (toolbars::TTBPopupWindow* popup : toolbars::testing::Popups())
      for (fw::Integer i = 0; i < popup->View()->ViewerCount(); ++i) {
        captions.push_back(popup->View()->Viewers(i)->Item()->Caption());
        checked.push_back(popup->View()->Viewers(i)->Item()->Checked());
      }
    desktop->press_key(win::VK_ESCAPE);
  });
  win::SendMessageW(standard->Handle(), win::WM_NCRBUTTONUP, toolbars::HTDockBorder,
                    win::MAKELPARAM(r.left + 3, r.top + 5));
  EXPECT_EQ(captions, (std::vector<std::string>{"Стандартная", "График", "Анализ", "Формат"}));
  EXPECT_EQ(checked, (std::vector<bool>{true, true, true, true}));
  // A toggle hides its toolbar and shows it again.
  toolbars::TTBCustomItem* toggles = Bars().BarsMenu()->Items()->LinkSubitems();
  toggles->Items(0)->Click();
  EXPECT_FALSE(standard->Visible());
  toggles->Items(0)->Click();
  EXPECT_TRUE(standard->Visible());
}

TEST_F(MainWindowBarsTest, ANarrowWindowHidesTheLastButtonsBehindTheChevron) {
  workspace::TBar* format = Bar("FormatToolbar");
  auto shown = [&] {
    int n = 0;
    for (fw::Integer i = 0; i < format->View()->ViewerCount(); ++i) {
      toolbars::TTBItemViewer* v = format->View()->Viewers(i);
      if (v->Item() != format->ChevronItem() && v->Show()) ++n;
    }
    return n;
  };
  auto chevron = [&] { return format->View()->Find(format->ChevronItem())->Show(); };
  form->SetWidth(1400);
  Pump();
  EXPECT_FALSE(chevron());
  const int all = shown();
  form->SetWidth(420);
  Pump();
  EXPECT_TRUE(chevron());
  EXPECT_LT(shown(), all);
  EXPECT_GT(shown(), 0);
  // The first buttons stay in view; the hidden ones are the last.
  EXPECT_TRUE(format->View()->Viewers(0)->Show());
  form->SetWidth(1400);
  Pump();
  EXPECT_FALSE(chevron());
  EXPECT_EQ(shown(), all);
}

TEST_F(MainWindowBarsTest, TheGraphToolbarFollowsTheCurrentGraphAndEditsItsLine) {
  workspace::TGraphToolbar& bar = *form->GraphBar();
  EXPECT_FALSE(bar.TitleItem()->Enabled()) << "no graph yet";
  EXPECT_FALSE(bar.WidthItem()->Enabled());
  form->OpenFileNames({WriteFile("first.txt", "1 2\n2 3\n")});
  form->OpenFileNames({WriteFile("second.txt", "1 5\n2 1\n")});
  workspace::TGraph* second = Graphs().Current();
  ASSERT_NE(second, nullptr);
  auto* line = dynamic_cast<chart::TCustomSeries*>(second->Series());
  ASSERT_NE(line, nullptr);
  EXPECT_TRUE(bar.TitleItem()->Enabled());
  EXPECT_EQ(bar.TitleItem()->Text(), line->Title());
  EXPECT_EQ(bar.ColorItem()->Color(), line->SeriesColor());

  // The width edited on the toolbar: the line's pen, one undo entry that takes it back.
  bar.WidthItem()->SetValue(4);
  EXPECT_EQ(line->LinePen()->Width(), 4);
  ASSERT_TRUE(form->Operations()->CanUndo());
  form->UndoAction()->Execute();
  EXPECT_EQ(line->LinePen()->Width(), 1);
  EXPECT_EQ(bar.WidthItem()->Value(), 1) << "the toolbar follows the undo";

  // The title through the collection; a blank one is refused and the old one shown.
  fw::String text = "Новое имя";
  bool accept = true;
  bar.TitleItem()->OnAcceptText(bar.TitleItem(), text, accept);
  EXPECT_TRUE(accept);
  EXPECT_EQ(line->Title(), "Новое имя");
  text = "   ";
  bar.TitleItem()->OnAcceptText(bar.TitleItem(), text, accept);
  EXPECT_FALSE(accept);
  EXPECT_EQ(line->Title(), "Новое имя");

  // Another graph made current: the toolbar shows it.
  workspace::TGraph* first = Graphs().Items(0);
  first->Series()->SetSeriesColor(fw::clBlue);
  Graphs().SelectBySeries(first->Series());
  EXPECT_EQ(bar.TitleItem()->Text(), first->Series()->Title());
  EXPECT_EQ(bar.ColorItem()->Color(), fw::clBlue);
  EXPECT_EQ(line->LinePen()->Width(), 1);
}


// A click on the graph toolbar's width spin steps the width and leaves the bar as it was before
// the press: the pointer moved away, the spin is drawn plain again, the bar holds no loop, and
// the keys go to the window's commands (Ctrl+V pastes a graph), whichever half was clicked. A
// press on the spin let go over the box opens the box for typing, as a click on the box does:
// Esc drops the typing and a second Esc leaves the bar.
TEST_F(MainWindowBarsTest, AClickOnTheWidthSpinLeavesTheKeyboardToTheWindow) {
  workspace::TGraphToolbar& bar = *form->GraphBar();
  form->OpenFileNames({WriteFile("first.txt", "1 2\n2 3\n")});
  Pump();
  toolbars::TTBView* view = bar.Bar()->View();
  const struct {
    const char* half;
    bool up;
    bool releasedOverTheBox;
    int width;
  } cases[] = {{"up", true, false, 2}, {"down", false, false, 1}, {"up, let go over the box", true, true, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.half);
    toolbars::TTBItemViewer* spin = view->Find(bar.WidthItem());
    ASSERT_NE(spin, nullptr);
    const fw::TRect r = spin->ScreenBoundsRect();
    const win::POINT half{r.right - 4, c.up ? r.top + 3 : r.bottom - 3};
    desktop->clear_starved();
    desktop->mouse_move(half);
    Pump();
    bool typing = false;
    if (c.releasedOverTheBox) {
      desktop->script([&] {
        auto* edit = dynamic_cast<toolbars::TTBEditItemViewer*>(view->Find(bar.WidthItem()));
        typing = edit != nullptr && edit->EditControl() != nullptr;
        desktop->press_key(win::VK_ESCAPE);
      });
      desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
      const win::POINT box{r.left + 6, (r.top + r.bottom) / 2};
      desktop->mouse_down(half);
      desktop->mouse_move(box);
      desktop->mouse_up(box);
    } else {
      desktop->click(half);
    }
    AppPump();
    EXPECT_EQ(typing, c.releasedOverTheBox) << "the box open for typing";
    EXPECT_EQ(bar.WidthItem()->Value(), c.width) << "the click stepped the width once";
    desktop->mouse_move(win::POINT{r.left - 200, r.bottom + 200});
    AppPump();
    EXPECT_FALSE(desktop->starved()) << "the bar waited in a loop of its own after the click";
    EXPECT_EQ(view->State() & toolbars::tbvsModal, 0) << "the bar still holds the keyboard";
    EXPECT_EQ(view->Selected(), nullptr) << "the spin is still drawn hot";
    const int graphs = Graphs().Count();
    fw::Clipboard()->SetAsText("1 5\n2 6\n3 7\n");
    form->SetFocus();
    desktop->key_down(win::VK_CONTROL);
    desktop->press_key('V');
    desktop->key_up(win::VK_CONTROL);
    AppPump();
    EXPECT_EQ(Graphs().Count(), graphs + 1) << "Ctrl+V pasted no graph";
    desktop->clear_starved();
  }
}

}  // namespace
}  // namespace mainwindowtest
