// The folder dialog answered in turn by scripted answers, the installed service, or nobody.
#include <gtest/gtest.h>

#include "platform/desktop/CommonDialogs.h"
#include "platform/desktop/ScriptedAnswers.h"

namespace win::desktop {
namespace {

class FolderService : public CommonDialogService {
 public:
  std::optional<FileDialogResult> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<ColorDialogResult> ChooseColor(const ColorDialogRequest&) override { return std::nullopt; }
  std::optional<FontChoice> ChooseFont(const FontDialogRequest&) override { return std::nullopt; }
  std::optional<std::u16string> ChooseFolder(const FolderDialogRequest&) override { return u"/from/service"; }
};

class FolderDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearScriptedAnswers();
    ClearCommonDialogHistory();
  }
  void TearDown() override {
    SetCommonDialogService(nullptr);
    ClearScriptedAnswers();
    ClearCommonDialogHistory();
  }
};

TEST_F(FolderDialog, ScriptedAnswersComeFirstThenTheServiceThenNothing) {
  FolderService service;
  FolderDialogRequest request;
  request.caption = u"Папка";
  PushFolderDialogAnswer(u"/data/графики");
  PushFolderDialogAnswer(std::nullopt);  // the user cancels
  struct Turn {
    CommonDialogService* installed;
    std::optional<std::u16string> answer;
  };
  const Turn turns[] = {
      {&service, u"/data/графики"}, {&service, std::nullopt}, {&service, u"/from/service"}, {nullptr, std::nullopt}};
  for (const Turn& t : turns) {
    SetCommonDialogService(t.installed);
    EXPECT_EQ(RunFolderDialog(request), t.answer) << &t - turns;
  }
  ASSERT_EQ(CommonDialogHistory().folders.size(), 4u);
  EXPECT_EQ(CommonDialogHistory().folders[0].caption, u"Папка");
}

}  // namespace
}  // namespace win::desktop
