// Key bindings: the table's text form, the settings section taking precedence over the built-in
// text, keys running their action through the main window, and the menus showing the first
// binding of each action. Also the information window.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "framework/ActnList.h"
#include "framework/Menus.h"
#include "toolbars/TBItem.h"
#include "framework/StdCtrlsList.h"
#include "framework/StringList.h"
#include "framework/control_fixture.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/desktop/ScriptedAnswers.h"
#include "platform/user/windows/WinUserTypes.h"
#include "workspace/Common.h"
#include "workspace/GraphCollection.h"
#include "workspace/Preferences.h"
#include "workspace/PropSaver.h"
#include "mainwindow/ShortCutTable.h"
#include "mainwindow/Startup.h"
#include "mainwindow/WinInfo.h"
#include "mainwindow/WinMain.h"

namespace {

namespace wd = win::desktop;
using workspace::TShortCutTable;

TEST(ShortCutTableTest, ReadsLinesInOrderAndSkipsWhatNamesNoShortcut) {
  TShortCutTable table;
  table.LoadFromText("Ctrl+O=actOpen\r\nnonsense\n=actNothing\nCtrl+Q=\nF5=actRefresh\nShift+Ins=actPaste\nCtrl+V=actPaste\n");
  ASSERT_EQ(table.Entries().size(), 4u);
  EXPECT_EQ(table.ActionFor(fw::ShortCut('O', {fw::ssCtrl})), "actOpen");
  EXPECT_EQ(table.ActionFor(fw::ShortCut('Q', {fw::ssCtrl})), "");
  // The first binding of an action is the one menus show.
  EXPECT_EQ(table.FirstBinding("actPaste"), fw::TextToShortCut("Shift+Ins"));
  EXPECT_EQ(table.FirstBinding("actNothing"), 0);
}

TEST(ShortCutTableTest, FirstMatchWinsForAKeyBoundTwice) {
  TShortCutTable table;
  table.LoadFromText("F2=actFirst\nF2=actSecond\n");
  EXPECT_EQ(table.ActionFor(fw::TextToShortCut("F2")), "actFirst");
}

TEST(ShortCutTableTest, TheSettingsSectionReplacesTheBuiltInText) {
  ASSERT_FALSE(workspace::DefaultShortCutsText().empty()) << "the program carries its default bindings";
  auto lines = std::make_unique<fw::TStringList>();
  auto store = workspace::TPropSaver::FromStrings(lines.get(), "PREFERENCES");
  TShortCutTable table;
  ASSERT_TRUE(table.Load(*store));
  EXPECT_EQ(table.ActionFor(fw::ShortCut('O', {fw::ssCtrl})), "actOpen");

  lines->Add("[SHORTCUTS]");
  lines->Add("F3=actOpen");
  auto custom = workspace::TPropSaver::FromStrings(lines.get(), "PREFERENCES");
  ASSERT_TRUE(table.Load(*custom));
  EXPECT_EQ(table.ActionFor(fw::TextToShortCut("F3")), "actOpen");
  EXPECT_EQ(table.ActionFor(fw::ShortCut('O', {fw::ssCtrl})), "");
  EXPECT_EQ(custom->Section(), "PREFERENCES");  // the store's own section is kept
}

// The keyboard survives a damaged section: an unreadable binding gives its action the built-in
// keys no other binding took; a section with no usable binding counts as missing.
TEST(ShortCutTableTest, UnreadableBindingsFallBackToTheBuiltInOnes) {
  struct Case { const char *Section, *Key, *Action; };
  const Case cases[] = {
      {"Ctrl+Nonsense=actOpen\r\nF3=actPaste\r\n", "Ctrl+O", "actOpen"},
      {"Ctrl+Nonsense=actOpen\r\nF3=actPaste\r\n", "F3", "actPaste"},
      {"Ctrl+Nonsense=actOpen\r\nF3=actPaste\r\n", "Ctrl+V", ""},
      {"NoKey=actPaste\r\nCtrl+V=actCopy\r\n", "Shift+Ins", "actPaste"},
      {"NoKey=actPaste\r\nCtrl+V=actCopy\r\n", "Ctrl+V", "actCopy"},
      {"junk=\r\n%%%=actOpen\r\n", "Ctrl+V", "actPaste"},
      {"F3=actMissing\r\n", "Ctrl+O", "actOpen"},  // an action the program lacks
      // Written by hand: the key ends in "=", the action follows the second.
      {"Ctrl+==actCopy\r\nF3=actPaste\r\n", "Ctrl+=", "actCopy"},
      {"Ctrl+ = = actCopy\r\n", "Ctrl+=", "actCopy"},
  };
  const auto known = [](std::string_view Name) { return Name == "actOpen" || Name == "actPaste" || Name == "actCopy"; };
  for (const Case& c : cases) {
    auto store = workspace::TPropSaver::FromStrings(nullptr, "PREFERENCES");
    store->SetText(std::string("[SHORTCUTS]\r\n") + c.Section);
    TShortCutTable table;
    EXPECT_TRUE(table.Load(*store, known));
    EXPECT_EQ(table.ActionFor(fw::TextToShortCut(c.Key)), c.Action) << c.Section << c.Key;
  }
}

class MainWindowKeysTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    wd::ClearScriptedAnswers();
    std::filesystem::remove(workspace::TPropSaver::SettingsFileName());
    workspace::Preferences = workspace::TPreferences{};
    workspace::StartProgram();
    form = fw::Application->CreateForm<workspace::TwndKorvalinMain>();
    form->Show();
    Pump();
  }
  void TearDown() override {
    workspace::Preferences.ConfirmClose = false;
    form->Close();
    delete form;
    workspace::FinishProgram();
    EXPECT_EQ(wd::PendingScriptedAnswers(), 0u);
    std::filesystem::remove(workspace::TPropSaver::SettingsFileName());
    ControlTest::TearDown();
  }
  workspace::TwndKorvalinMain* form = nullptr;
};

TEST_F(MainWindowKeysTest, CtrlORunsOpenAndMenusShowTheFirstBinding) {
  wd::ClearCommonDialogHistory();
  wd::PushOpenDialogAnswer(std::nullopt);  // the user cancels the dialog the key opened
  form->SetFocus();
  desktop->key_down(win::VK_CONTROL);
  desktop->press_key('O');
  desktop->key_up(win::VK_CONTROL);
  AppPump();
  EXPECT_EQ(wd::CommonDialogHistory().files.size(), 1u);

  toolbars::TTBCustomItem* open = form->MenuItemOf(form->OpenAction());
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->Caption(), "Открыть...\tCtrl+O");
  toolbars::TTBCustomItem* paste = form->MenuItemOf(form->PasteAction());
  ASSERT_NE(paste, nullptr);
  EXPECT_EQ(paste->Caption(), "Вставить\tCtrl+V");
  // The undo item follows its action's caption and state.
  toolbars::TTBCustomItem* undo = form->MenuItemOf(form->UndoAction());
  ASSERT_NE(undo, nullptr);
  EXPECT_FALSE(undo->Enabled());
}

TEST_F(MainWindowKeysTest, InformationWindowListsEverySectionAsNameValueRows) {
  auto info = workspace::TPropSaver::FromStrings(nullptr, "Результат");
  info->WriteFloat("K0", 1.5);
  info->WriteString("Примечание", "текст");
  std::vector<std::string> shown;
  desktop->script([&] {
    for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
      if (auto* window = dynamic_cast<workspace::TwndInfo*>(fw::Screen->Forms(i))) {
        for (fw::Integer j = 0; j < window->Lines()->Items()->Count(); ++j)
          shown.push_back(window->Lines()->Items()->Strings(j));
        window->SetModalResult(fw::mrOk);
      }
  });
  workspace::ShowInfoWindow(*info);
  EXPECT_EQ(shown, (std::vector<std::string>{"K0 = 1.5", "Примечание = текст"}));
}

}  // namespace
