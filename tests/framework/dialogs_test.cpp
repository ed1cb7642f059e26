// The common dialogs answered by scripted answers or a stand-in dialog service, the checks the
// file options make before a name is taken, and the application's message box.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "control_fixture.h"
#include "framework/Dialogs.h"
#include "framework/GraphicsObjects.h"
#include "framework/Printers.h"
#include "framework/StdCtrls.h"
#include "framework/StdCtrlsList.h"
#include "framework/StringList.h"
#include "platform/controls/MessageBox.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/desktop/ScriptedAnswers.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/Window.h"
#include "stream_TempFolder.h"

namespace fw::testing {
namespace {

using win::desktop::FileDialogResult;
namespace wd = win::desktop;

std::u16string W(const std::string& s) { return win::Utf8ToWide(s); }

class DialogTests : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    wd::ClearScriptedAnswers();
    wd::ClearCommonDialogHistory();
    win::ClearMessageBoxHistory();
    savedCwd = std::filesystem::current_path();
  }
  void TearDown() override {
    std::filesystem::current_path(savedCwd);
    EXPECT_EQ(wd::PendingScriptedAnswers(), 0u) << "an answer the test queued was never asked for";
    wd::ClearScriptedAnswers();
    ControlTest::TearDown();
  }
  const wd::FileDialogRequest& LastFileRequest() { return wd::CommonDialogHistory().files.back(); }

  std::filesystem::path savedCwd;
  kvtest::TempFolder temp;
};

TEST_F(DialogTests, OpenDialogCancelledOrUnansweredChangesNothing) {
  TOpenDialog dlg(nullptr);
  dlg.SetFilter("Текст|*.txt|Все|*.*");
  dlg.SetFilterIndex(2);
  dlg.SetFileName("/data/old.txt");
  dlg.Files()->Add("/data/old.txt");
  wd::PushOpenDialogAnswer(std::nullopt);
  EXPECT_FALSE(dlg.Execute());
  // No script and no dialog service: nothing can be chosen.
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(wd::CommonDialogHistory().files.size(), 2u);
  EXPECT_EQ(dlg.FileName(), "/data/old.txt");
  EXPECT_EQ(dlg.FilterIndex(), 2);
  ASSERT_EQ(dlg.Files()->Count(), 1);
  EXPECT_EQ(dlg.Files()->Strings(0), "/data/old.txt");
}

TEST_F(DialogTests, RequestCarriesFiltersAndOptions) {
  TOpenDialog dlg(nullptr);
  dlg.SetFilter("Текстовые файлы|*.txt;*.dat|Все файлы|*.*|Без шаблона");
  dlg.SetFilterIndex(2);
  dlg.SetInitialDir("/home/user");
  dlg.SetTitle("Открыть графики");
  dlg.SetFileName("start.txt");
  dlg.SetOptions(TOpenOptions{ofAllowMultiSelect, ofFileMustExist, ofHideReadOnly});
  wd::PushOpenDialogAnswer(std::nullopt);
  dlg.Execute();
  const auto& r = LastFileRequest();
  EXPECT_FALSE(r.save);
  ASSERT_EQ(r.filters.size(), 2u);  // a description without patterns is left out
  EXPECT_EQ(r.filters[0].description, u"Текстовые файлы");
  EXPECT_EQ(r.filters[0].patterns, u"*.txt;*.dat");
  EXPECT_EQ(r.filters[1].patterns, u"*.*");
  EXPECT_EQ(r.filterIndex, 2);
  EXPECT_EQ(r.initialDir, u"/home/user");
  EXPECT_EQ(r.title, u"Открыть графики");
  EXPECT_EQ(r.fileName, u"start.txt");
  EXPECT_TRUE(r.multiSelect);
  EXPECT_TRUE(r.fileMustExist);
  EXPECT_TRUE(r.pathMustExist);  // a file that must exist needs its folder
  EXPECT_TRUE(r.hideReadOnly);

  // A filter index the filter does not have starts at the first filter.
  dlg.SetFilterIndex(7);
  wd::PushOpenDialogAnswer(std::nullopt);
  dlg.Execute();
  EXPECT_EQ(LastFileRequest().filterIndex, 1);
  EXPECT_EQ(dlg.FilterIndex(), 7);

  TSaveDialog save(nullptr);
  wd::PushSaveDialogAnswer(std::nullopt);
  save.Execute();
  EXPECT_TRUE(LastFileRequest().save);
  EXPECT_EQ(LastFileRequest().title, u"Сохранить как");  // the dialog's own title when none is set
}

TEST_F(DialogTests, ChosenFilesFilterIndexAndMultiSelection) {
  TOpenDialog dlg(nullptr);
  dlg.SetFilter("A|*.a|B|*.b|C|*.c");
  dlg.SetOptions(TOpenOptions{ofAllowMultiSelect, ofNoChangeDir});
  wd::PushOpenDialogAnswer(FileDialogResult{{u"/d/one.b", u"/d/two.b", u"/d/три.b"}, 2});
  ASSERT_TRUE(dlg.Execute());
  ASSERT_EQ(dlg.Files()->Count(), 3);
  EXPECT_EQ(dlg.Files()->Strings(2), "/d/три.b");
  EXPECT_EQ(dlg.FileName(), "/d/one.b");
  EXPECT_EQ(dlg.FilterIndex(), 2);

  // Without multi-selection only the first name counts; an index out of range is not taken.
  dlg.SetOptions(TOpenOptions{ofNoChangeDir});
  wd::PushOpenDialogAnswer(FileDialogResult{{u"/e/x.c", u"/e/y.c"}, 9});
  ASSERT_TRUE(dlg.Execute());
  ASSERT_EQ(dlg.Files()->Count(), 1);
  EXPECT_EQ(dlg.FileName(), "/e/x.c");
  EXPECT_EQ(dlg.FilterIndex(), 2);
}

TEST_F(DialogTests, DefaultExtensionIsAddedOnlyToNamesWithoutOne) {
  TSaveDialog dlg(nullptr);
  dlg.SetDefaultExt(".txt");
  EXPECT_EQ(dlg.DefaultExt(), "txt");
  dlg.SetOptions(TOpenOptions{ofNoChangeDir});
  wd::PushSaveDialogAnswer(FileDialogResult{{u"/d/graph"}, 0});
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), "/d/graph.txt");
  wd::PushSaveDialogAnswer(FileDialogResult{{u"/d/graph.csv"}, 0});
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), "/d/graph.csv");
  // A dot in a folder name is not the file's extension.
  wd::PushSaveDialogAnswer(FileDialogResult{{u"/d.v2/graph"}, 0});
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), "/d.v2/graph.txt");
}

TEST_F(DialogTests, FileMustExistReportsAMissingFileAndAsksAgain) {
  kvtest::WriteBytes(temp.File("есть.txt"), "1 2\n");
  TOpenDialog dlg(nullptr);
  dlg.SetOptions(TOpenOptions{ofFileMustExist, ofNoChangeDir});
  wd::PushOpenDialogAnswer(FileDialogResult{{W(temp.File("нет.txt"))}, 0});
  wd::PushOpenDialogAnswer(FileDialogResult{{W(temp.File("есть.txt"))}, 0});
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), temp.File("есть.txt"));
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  const auto& box = win::MessageBoxHistory()[0];
  EXPECT_EQ(box.text, u"Файл «нет.txt» не найден.\nПроверьте правильность имени файла.");
  EXPECT_EQ(box.caption, u"Открыть");
  // The dialog came back with the rejected name.
  EXPECT_EQ(wd::CommonDialogHistory().files.back().fileName, W(temp.File("нет.txt")));

  // A missing folder is reported as such; cancelling then leaves everything as it was.
  wd::PushOpenDialogAnswer(FileDialogResult{{W(temp.File("nowhere/a.txt"))}, 0});
  wd::PushOpenDialogAnswer(std::nullopt);
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(win::MessageBoxHistory().back().text, W("Путь «" + temp.File("nowhere") +
                                                     "» не существует.\nПроверьте правильность пути."));
  EXPECT_EQ(dlg.FileName(), temp.File("есть.txt"));
}

// One file is named; of several, the first three and how many more; never their folders.
TEST(ReplaceQuestionTest, NamesTheFilesOrTheFirstFewAndTheRest) {
  struct Case {
    std::vector<String> Names;
    const char* Expected;
  } cases[] = {
      {{"/tmp/out/a.txt"}, "Файл «a.txt» уже существует.\nЗаменить его?"},
      {{"/a/1.txt", "/a/2.txt"}, "Файлы «1.txt», «2.txt» уже существуют.\nЗаменить их?"},
      {{"1", "2", "3"}, "Файлы «1», «2», «3» уже существуют.\nЗаменить их?"},
      {{"1", "2", "3", "/b/4", "5"}, "Файлы «1», «2», «3» и ещё 2 уже существуют.\nЗаменить их?"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReplaceExistingFilesQuestion(c.Names), c.Expected);
}

TEST_F(DialogTests, OverwritePromptAsksBeforeReplacingAnExistingFile) {
  kvtest::WriteBytes(temp.File("old.txt"), "x");
  TSaveDialog dlg(nullptr);
  dlg.SetOptions(TOpenOptions{ofOverwritePrompt, ofNoChangeDir});
  dlg.SetFileName("keep");
  // "No" shows the dialog again; cancelling there keeps the old name.
  wd::PushSaveDialogAnswer(FileDialogResult{{W(temp.File("old.txt"))}, 0});
  wd::PushScriptedAnswer("MessageBox", {win::IDNO, {}, 0});
  wd::PushSaveDialogAnswer(std::nullopt);
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), "keep");
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  EXPECT_EQ(win::MessageBoxHistory()[0].text, u"Файл «old.txt» уже существует.\nЗаменить его?");
  EXPECT_EQ(win::MessageBoxHistory()[0].caption, u"Сохранить как");
  EXPECT_EQ(win::MessageBoxHistory()[0].type, win::MB_YESNO | win::MB_ICONWARNING);

  // "Yes" takes it.
  wd::PushSaveDialogAnswer(FileDialogResult{{W(temp.File("old.txt"))}, 0});
  wd::PushScriptedAnswer("MessageBox", {win::IDYES, {}, 0});
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), temp.File("old.txt"));

  // A new name, or no prompt option, asks nothing.
  win::ClearMessageBoxHistory();
  wd::PushSaveDialogAnswer(FileDialogResult{{W(temp.File("new.txt"))}, 0});
  ASSERT_TRUE(dlg.Execute());
  dlg.SetOptions(TOpenOptions{ofNoChangeDir});
  wd::PushSaveDialogAnswer(FileDialogResult{{W(temp.File("old.txt"))}, 0});
  ASSERT_TRUE(dlg.Execute());
  EXPECT_TRUE(win::MessageBoxHistory().empty());

  // The open dialog never asks about replacing.
  TOpenDialog open(nullptr);
  open.SetOptions(TOpenOptions{ofOverwritePrompt, ofNoChangeDir});
  wd::PushOpenDialogAnswer(FileDialogResult{{W(temp.File("old.txt"))}, 0});
  ASSERT_TRUE(open.Execute());
  EXPECT_TRUE(win::MessageBoxHistory().empty());
}

TEST_F(DialogTests, ChosenFolderBecomesCurrentUnlessNoChangeDir) {
  std::filesystem::create_directory(temp.File("sub"));
  const auto start = std::filesystem::current_path();
  TOpenDialog dlg(nullptr);
  dlg.SetOptions(TOpenOptions{ofNoChangeDir});
  wd::PushOpenDialogAnswer(FileDialogResult{{W(temp.File("sub/a.txt"))}, 0});
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(std::filesystem::current_path(), start);
  dlg.SetOptions(TOpenOptions{});
  wd::PushOpenDialogAnswer(FileDialogResult{{W(temp.File("sub/a.txt"))}, 0});
  ASSERT_TRUE(dlg.Execute());
  EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), temp.File("sub")));
}

// A stand-in for the real desktop's dialogs.
class FakeService : public wd::CommonDialogService {
 public:
  int calls = 0;
  std::optional<FileDialogResult> ChooseFile(const wd::FileDialogRequest&) override {
    ++calls;
    return FileDialogResult{{u"/svc/file.dat"}, 1};
  }
  std::optional<wd::ColorDialogResult> ChooseColor(const wd::ColorDialogRequest& r) override {
    ++calls;
    return wd::ColorDialogResult{r.color ^ 0xFFFFFF, {}};
  }
  std::optional<wd::FontChoice> ChooseFont(const wd::FontDialogRequest&) override {
    ++calls;
    return std::nullopt;
  }
  std::optional<std::u16string> ChooseFolder(const wd::FolderDialogRequest&) override {
    ++calls;
    return u"/svc";
  }
};

TEST_F(DialogTests, InstalledServiceAnswersWhenNothingIsScripted) {
  FakeService service;
  wd::CommonDialogService* before = wd::SetCommonDialogService(&service);
  TOpenDialog dlg(nullptr);
  dlg.SetOptions(TOpenOptions{ofNoChangeDir});
  wd::PushOpenDialogAnswer(FileDialogResult{{u"/script/x"}, 0});
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), "/script/x");  // the script comes first
  EXPECT_EQ(service.calls, 0);
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), "/svc/file.dat");
  TColorDialog color(nullptr);
  color.SetColor(clWhite);
  EXPECT_TRUE(color.Execute());
  EXPECT_EQ(color.Color(), clBlack);
  TFontDialog font(nullptr);
  EXPECT_FALSE(font.Execute());
  String dir = "/start";
  EXPECT_TRUE(SelectDirectory("Выбор каталога", "", dir));
  EXPECT_EQ(dir, "/svc");
  EXPECT_EQ(service.calls, 4);
  EXPECT_EQ(wd::SetCommonDialogService(before), &service);
}

TEST_F(DialogTests, ColorDialogTakesTheColourAndCustomColours) {
  TColorDialog dlg(nullptr);
  dlg.SetColor(clBtnFace);
  dlg.SetOptions(TColorDialogOptions{cdFullOpen, cdAnyColor});
  dlg.CustomColors()->Add("ColorA=FF8000");
  dlg.CustomColors()->Add("ColorB=nonsense");
  wd::PushColorDialogAnswer(std::nullopt);
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.Color(), clBtnFace);
  EXPECT_EQ(dlg.CustomColors()->Count(), 2);
  const auto& r = wd::CommonDialogHistory().colors.back();
  EXPECT_EQ(r.color, win::COLORREF(ColorToRGB(clBtnFace)));  // system colours as the RGB they show
  ASSERT_EQ(r.customColors.size(), 16u);
  EXPECT_EQ(r.customColors[0], win::RGB(0xFF, 0x80, 0x00));
  EXPECT_EQ(r.customColors[1], 0xFFFFFFu);
  EXPECT_EQ(r.customColors[15], 0xFFFFFFu);
  EXPECT_TRUE(r.fullOpen);
  EXPECT_TRUE(r.anyColor);
  EXPECT_FALSE(r.solidColor);

  std::vector<win::COLORREF> custom(16, 0xFFFFFF);
  custom[1] = win::RGB(0x12, 0x34, 0x56);
  wd::PushColorDialogAnswer(wd::ColorDialogResult{win::RGB(0, 0x80, 0xFF), custom});
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.Color(), TColor(win::RGB(0, 0x80, 0xFF)));
  EXPECT_EQ(dlg.CustomColors()->Count(), 16);
  EXPECT_EQ(dlg.CustomColors()->Values("ColorA"), "FFFFFF");
  EXPECT_EQ(dlg.CustomColors()->Values("ColorB"), "123456");
  EXPECT_EQ(dlg.CustomColors()->Strings(15), "ColorP=FFFFFF");
}

TEST_F(DialogTests, FontDialogTakesTheChoiceWithinTheLimits) {
  TFontDialog dlg(nullptr);
  dlg.Font()->SetName("Arial");
  dlg.Font()->SetSize(10);
  dlg.Font()->SetStyle(TFontStyles{fsBold, fsUnderline});
  dlg.Font()->SetColor(clRed);
  wd::PushFontDialogAnswer(std::nullopt);
  EXPECT_FALSE(dlg.Execute());
  const auto& r = wd::CommonDialogHistory().fonts.back();
  EXPECT_EQ(r.font.face, u"Arial");
  EXPECT_EQ(r.font.pointSize, 10);
  EXPECT_TRUE(r.font.bold && r.font.underline && !r.font.italic);
  EXPECT_EQ(r.font.color, 0x0000FFu);
  EXPECT_EQ(r.minSize, 0);  // limits only with fdLimitSize
  EXPECT_EQ(dlg.Font()->Name(), "Arial");

  wd::FontChoice choice{u"Times New Roman", 14, false, true, false, true, 0xFF0000, 204};
  wd::PushFontDialogAnswer(choice);
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.Font()->Name(), "Times New Roman");
  EXPECT_EQ(dlg.Font()->Size(), 14);
  EXPECT_EQ(dlg.Font()->Style(), (TFontStyles{fsItalic, fsStrikeOut}));
  EXPECT_EQ(dlg.Font()->Color(), clBlue);
  EXPECT_EQ(dlg.Font()->Charset(), 204);

  // Without effects, underline, strike-out and colour stay the font's own.
  dlg.SetOptions(TFontDialogOptions{});
  wd::FontChoice plain{u"Arial", 9, true, false, true, false, 0x00FF00, 1};
  wd::PushFontDialogAnswer(plain);
  ASSERT_TRUE(dlg.Execute());
  EXPECT_FALSE(wd::CommonDialogHistory().fonts.back().effects);
  EXPECT_EQ(dlg.Font()->Style(), (TFontStyles{fsBold, fsStrikeOut}));
  EXPECT_EQ(dlg.Font()->Color(), clBlue);

  // A size outside the limits is refused and the dialog asked again.
  dlg.SetOptions(TFontDialogOptions{fdEffects, fdLimitSize});
  dlg.SetMinFontSize(8);
  dlg.SetMaxFontSize(12);
  wd::PushFontDialogAnswer(wd::FontChoice{u"Arial", 20, false, false, false, false, 0, 1});
  wd::PushFontDialogAnswer(wd::FontChoice{u"Arial", 11, false, false, false, false, 0, 1});
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.Font()->Size(), 11);
  const auto& fonts = wd::CommonDialogHistory().fonts;
  EXPECT_EQ(fonts.back().minSize, 8);
  EXPECT_EQ(fonts.back().maxSize, 12);
  EXPECT_EQ(fonts.back().font.pointSize, 20);  // shown again with the refused choice
  EXPECT_EQ(win::MessageBoxHistory().back().text, u"Размер шрифта должен быть от 8 до 12 пунктов.");
}

TEST_F(DialogTests, SelectDirectoryReturnsTheFolderOrLeavesItAlone) {
  String dir = "/home/user/data";
  wd::PushFolderDialogAnswer(std::nullopt);
  EXPECT_FALSE(SelectDirectory("Выбор каталога", "/home", dir));
  EXPECT_EQ(dir, "/home/user/data");
  const auto& r = wd::CommonDialogHistory().folders.back();
  EXPECT_EQ(r.caption, u"Выбор каталога");
  EXPECT_EQ(r.root, u"/home");
  EXPECT_EQ(r.directory, u"/home/user/data");
  wd::PushFolderDialogAnswer(u"/home/user/результаты");
  EXPECT_TRUE(SelectDirectory("Выбор каталога", "/home", dir));
  EXPECT_EQ(dir, "/home/user/результаты");
}

// The printer set-up shows the printer's paper (a size of no name as "Другой", kept on OK) and
// writes the choices only on OK; without a printer it shows nothing.
TEST_F(DialogTests, PrinterSetupShowsThePrintersPaperAndWritesOnlyOnOk) {
  TPrinterSetupDialog none(nullptr);
  EXPECT_FALSE(none.Execute());
  TPrinter printer;
  printer.SetPaperSize(100, 150);
  TPrinterSetupDialog dlg(nullptr);
  dlg.Printer = &printer;
  std::vector<std::string> papers;
  auto answer = [&](TModalResult Result, Integer Paper) {
    desktop->script([&, Result, Paper] {
      TCustomForm* setup = Screen->ActiveForm();
      ASSERT_NE(setup, nullptr);
      auto* paper = dynamic_cast<TComboBox*>(setup->FindComponent("cbPaper"));
      ASSERT_NE(paper, nullptr);
      papers.push_back(paper->Text());
      if (Paper >= 0) paper->SetItemIndex(Paper);
      dynamic_cast<TRadioButton*>(setup->FindComponent("rbLandscape"))->SetChecked(true);
      setup->SetModalResult(Result);
    });
  };
  answer(mrCancel, 1);
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(printer.PaperWidthMM(), 100);
  EXPECT_EQ(printer.Orientation(), poPortrait);
  answer(mrOk, -1);  // the odd size stays
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(printer.PaperWidthMM(), 100);
  EXPECT_EQ(printer.Orientation(), poLandscape);
  answer(mrOk, 1);  // A3
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(printer.PaperWidthMM(), 297);
  EXPECT_EQ(printer.PaperHeightMM(), 420);
  answer(mrOk, -1);
  EXPECT_TRUE(dlg.Execute());
  // A print queue's A5, given in whole points, is A5.
  printer.SetPaperSize(148.52, 209.9);
  answer(mrCancel, -1);
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(papers, (std::vector<std::string>{"Другой", "Другой", "Другой", "A3", "A5"}));
}

TEST_F(DialogTests, AppMessageBoxIsCaptionedWithTheTitleAndOwnedByTheActiveForm) {
  Application->SetTitle("Korvalin 4");
  auto* form = Application->CreateForm<TForm>();
  form->SetBounds(100, 100, 400, 300);
  form->Show();
  Pump();
  ASSERT_EQ(Screen->ActiveForm(), form);

  wd::PushScriptedAnswer("MessageBox", {win::IDYES, {}, 0});
  EXPECT_EQ(AppMessageBox("Удалить графики?", 0x24), 6);
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  EXPECT_EQ(win::MessageBoxHistory()[0].caption, u"Korvalin 4");
  EXPECT_EQ(win::MessageBoxHistory()[0].text, u"Удалить графики?");
  EXPECT_EQ(win::MessageBoxHistory()[0].type, 0x24u);

  // Shown for real: the box belongs to the form, which is disabled meanwhile; Enter presses the
  // default button.
  win::HWND owner = nullptr;
  bool formEnabled = true;
  desktop->script([&] {
    win::HWND box = win::GetActiveWindow();
    owner = win::GetWindow(box, win::GW_OWNER);
    formEnabled = win::IsWindowEnabled(form->Handle()) != 0;
    desktop->press_key(win::VK_RETURN);
  });
  EXPECT_EQ(AppMessageBox("Ошибка чтения", win::MB_OKCANCEL | win::MB_ICONERROR), win::IDOK);
  EXPECT_EQ(owner, form->Handle());
  EXPECT_FALSE(formEnabled);
  EXPECT_TRUE(win::IsWindowEnabled(form->Handle()));
}

}  // namespace
}  // namespace fw::testing
