// The main window's menus with the data module present: every command item shows its action's
// picture from the data module's menu images, and the actions carry the small images.

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/ActnList.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/control_fixture.h"
#include "toolbars/TBItem.h"
#include "workspace/DataModule.h"
#include "workspace/DataModuleImages.h"
#include "workspace/PropSaver.h"
#include "mainwindow/MainWindowBars.h"
#include "mainwindow/Startup.h"
#include "mainwindow/WinMain.h"

namespace {

using workspace::TwndKorvalinMain;

class MainMenuImagesTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    std::filesystem::remove(workspace::TPropSaver::SettingsFileName());
    workspace::StartProgram();
    new workspace::TDataModule1(fw::Application);
    form = fw::Application->CreateForm<TwndKorvalinMain>();
  }
  void TearDown() override {
    form->Close();
    delete form;
    workspace::FinishProgram();
    ControlTest::TearDown();
    std::filesystem::remove(workspace::TPropSaver::SettingsFileName());
  }
  TwndKorvalinMain* form = nullptr;
};

TEST_F(MainMenuImagesTest, EveryCommandItemShowsItsActionsImage) {
  ASSERT_NE(workspace::DataModule1, nullptr);
  EXPECT_EQ(form->Bars()->MenuBar()->Images(), workspace::DataModule1->MenuImages());
  EXPECT_EQ(form->OpenAction()->ActionList()->Images(), workspace::DataModule1->SmallImages());
  for (fw::TAction* action : {form->OpenAction(), form->PasteAction(), form->CopyAction(), form->DeleteAction(),
                              form->UndoAction(), form->ExitAction(), form->DerivativeAction(),
                              form->Derivative2Action()}) {
    ASSERT_NE(form->MenuItemOf(action), nullptr) << action->Name();
    EXPECT_EQ(form->MenuItemOf(action)->ImageIndex(), action->ImageIndex()) << action->Name();
  }
  EXPECT_EQ(form->OpenAction()->ImageIndex(), workspace::imgOpen);
  EXPECT_EQ(form->Derivative2Action()->ImageIndex(), workspace::imgDerivative2);
}

}  // namespace
