// The open dialog comes back where the user left it: the next Open starts in the folder of the
// files last opened, on the filter last chosen, and lets several existing files be picked.

#include <gtest/gtest.h>

#include "mainwindow_fixture.h"

namespace {

using namespace mainwindowtest;

TEST_F(MainWindowTest, TheNextOpenStartsInTheFolderAndFilterTheLastOneLeft) {
  std::string path = WriteFile("remembered.txt", "0 1\n1 2\n");
  wd::ClearCommonDialogHistory();
  wd::PushOpenDialogAnswer(wd::FileDialogResult{{win::Utf8ToWide(path)}, 3});
  ASSERT_TRUE(form->OpenAction()->Execute());
  wd::PushOpenDialogAnswer(std::nullopt);  // the second time the user cancels
  ASSERT_TRUE(form->OpenAction()->Execute());

  const auto& requests = wd::CommonDialogHistory().files;
  ASSERT_EQ(requests.size(), 2u);
  const wd::FileDialogRequest& again = requests[1];
  EXPECT_FALSE(again.save);
  EXPECT_EQ(win::WideToUtf8(again.initialDir), folder.string());
  EXPECT_EQ(again.filterIndex, 3);
  EXPECT_TRUE(again.multiSelect);
  EXPECT_TRUE(again.fileMustExist);
  EXPECT_EQ(Graphs().Count(), 1);  // cancelling opened nothing more
}

}  // namespace
