// The multi-graph save wizard: its defaults, the page flow with OK and Next, the two refusals,
// the section written on OK (and only then) and read back by the next wizard, and the record.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/UniCodePages.h"
#include "controls/UniComboBox.h"
#include "export/forms/WinSaveParams.h"
#include "export/forms/WizardPicture.h"
#include "framework/Colors.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GridsString.h"
#include "platform/controls/MessageBox.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/desktop/ScriptedAnswers.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Input.h"
#include "support/HeadlessFixture.h"
#include "workspace/Graph.h"
#include "workspace/PropSaver.h"

namespace {

using kvforms::TwndSaveParams;

class SaveParamsWizardTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    std::remove(workspace::TPropSaver::SettingsFileName().c_str());
    for (const char* title : {"first", "second"}) {
      auto* series = new chart::TLineSeries(nullptr);
      series->SetTitle(title);
      graphs_.push_back(std::make_unique<workspace::TGraph>(series, std::string(title) + ".txt", 0));
    }
  }
  void TearDown() override {
    std::remove(workspace::TPropSaver::SettingsFileName().c_str());
    graphs_.clear();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    HeadlessTest::TearDown();
  }
  std::unique_ptr<TwndSaveParams> Open() {
    std::vector<workspace::TGraph*> list;
    for (auto& g : graphs_) list.push_back(g.get());
    return std::make_unique<TwndSaveParams>(nullptr, list);
  }
  std::vector<std::unique_ptr<workspace::TGraph>> graphs_;
};

TEST_F(SaveParamsWizardTest, FirstUseShowsTheDefaultsAndOkWaitsForItsPage) {
  auto w = Open();
  EXPECT_EQ(w->Caption(), "Мастер сохранения");
  EXPECT_GE(w->ClientWidth(), 456);  // wider for captions measured wider
  EXPECT_EQ(w->ClientHeight(), 284);
  EXPECT_EQ(w->Page(), "Start");
  EXPECT_TRUE(w->rbSaveBundle->Checked());
  EXPECT_TRUE(w->rbTxt->Checked());
  EXPECT_EQ(cs::WideToUtf8(w->edUsrExt->Text()), "dat");
  EXPECT_EQ(w->cbDecSep->ItemIndex(), 0);
  EXPECT_EQ(w->cbLineSep->ItemIndex(), 0);
  EXPECT_EQ(w->GridNames->Cells(0, 1), "first");
  EXPECT_EQ(w->GridNames->Cells(0, 2), "second");
  EXPECT_FALSE(w->butOk->Enabled());
  EXPECT_FALSE(w->butPrev->Enabled());
  w->butNextClick();
  EXPECT_EQ(w->Page(), "FileFormat");
  EXPECT_FALSE(w->butOk->Enabled());
  w->butNextClick();
  EXPECT_EQ(w->Page(), "SaveBundle");
  EXPECT_TRUE(w->butOk->Enabled());  // no format page asked for
  EXPECT_FALSE(w->butNext->Enabled());
  w->butPrevClick();
  EXPECT_EQ(w->Page(), "FileFormat");
  w->butPrevClick();
  EXPECT_EQ(w->Page(), "Start");
  EXPECT_FALSE(w->butPrev->Enabled());
}

TEST_F(SaveParamsWizardTest, NextRefusesAnEmptyNameOrFolderAndStays) {
  auto w = Open();
  w->cbFormatParams->SetChecked(true);
  w->butNextClick();
  w->butNextClick();
  ASSERT_EQ(w->Page(), "SaveBundle");
  win::ClearMessageBoxHistory();
  win::desktop::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  w->butNextClick();
  EXPECT_EQ(w->Page(), "SaveBundle");
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  EXPECT_EQ(win::WideToUtf8(win::MessageBoxHistory()[0].text), "Не задано имя файла для сохранения данных");
  w->edBundlePath->SetText(fw::String("/tmp/all.txt"));
  w->butNextClick();
  EXPECT_EQ(w->Page(), "Format");
  EXPECT_TRUE(w->butOk->Enabled());
  EXPECT_FALSE(w->butNext->Enabled());
  w->butPrevClick();
  EXPECT_EQ(w->Page(), "SaveBundle");

  auto s = Open();
  s->rbSaveSeparate->SetChecked(true);
  s->butNextClick();
  s->butNextClick();
  ASSERT_EQ(s->Page(), "Files");
  win::desktop::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  s->butNextClick();
  EXPECT_EQ(s->Page(), "Files");
  EXPECT_EQ(win::WideToUtf8(win::MessageBoxHistory().back().text), "Не задан путь для сохранения файлов");
}

TEST_F(SaveParamsWizardTest, OkStoresTheSectionAndHandsOverTheRecord) {
  {
    workspace::TPropSaver seed("EXPORT_DATA", false);
    seed.WriteInteger("SaveFormat", 9);
    seed.UpdateFile();
  }
  auto w = Open();
  EXPECT_TRUE(w->rbUsr->Checked());
  w->rbSaveSeparate->SetChecked(true);
  w->edUsrExt->SetText(fw::String("csv"));
  w->butNextClick();
  w->butNextClick();
  w->edFilesPath->SetText(fw::String("/tmp/out"));
  w->rbManualNames->SetChecked(true);
  EXPECT_FALSE(w->butOk->Enabled());
  w->butNextClick();
  ASSERT_EQ(w->Page(), "FileNames");
  EXPECT_TRUE(w->butOk->Enabled());
  w->GridNames->SetCells(1, 1, "a");
  w->GridNames->SetCells(1, 2, "b");
  std::vector<kvforms::TExportParameters> handed;
  w->OnParameters = [&](const kvforms::TExportParameters& p) { handed.push_back(p); };
  w->butOkClick();
  EXPECT_EQ(w->ModalResult(), fw::mrOk);
  ASSERT_EQ(handed.size(), 1u);
  const kvforms::TExportParameters& p = handed[0];
  EXPECT_FALSE(p.SaveBundle);
  EXPECT_EQ(p.Path, "/tmp/out");
  EXPECT_EQ(p.Format, 4);
  EXPECT_EQ(p.UserExt, "csv");
  EXPECT_EQ(p.Naming, kvforms::enFilesByTypedNames);
  EXPECT_EQ(p.Names, (std::vector<fw::String>{"a", "b"}));

  workspace::TPropSaver store("EXPORT_DATA", true);
  EXPECT_EQ(store.ReadInteger("SaveFormat", -1), 4);
  EXPECT_FALSE(store.ReadBool("SaveBundle", true));
  EXPECT_EQ(store.ReadString("UserFileExt", ""), "csv");
  EXPECT_EQ(store.ReadInteger("FileNameGenerating", -1), 2);
  auto again = Open();
  EXPECT_TRUE(again->rbSaveSeparate->Checked());
  EXPECT_TRUE(again->rbManualNames->Checked());
  EXPECT_EQ(cs::WideToUtf8(again->edFilesPath->Text()), "/tmp/out");
}

// Names typed into the grid from the keyboard, the last one still in the grid's editor when the
// wizard goes on: OK, Next to the separators' page, or a click elsewhere first. Each name reaches
// the record as typed.
TEST_F(SaveParamsWizardTest, TheNameStillBeingTypedReachesTheRecord) {
  enum TThen { OkAtOnce, NextThenOk, ClickElsewhereThenOk };
  for (TThen then : {OkAtOnce, NextThenOk, ClickElsewhereThenOk}) {
    SCOPED_TRACE(int(then));
    auto w = Open();
    w->rbSaveSeparate->SetChecked(true);
    w->cbFormatParams->SetChecked(then == NextThenOk);
    w->butNextClick();
    w->butNextClick();
    w->edFilesPath->SetText(fw::String("/tmp/out"));
    w->rbManualNames->SetChecked(true);
    w->butNextClick();
    ASSERT_EQ(w->Page(), "FileNames");
    w->Show();
    w->GridNames->SetFocus();
    desktop->run_until_idle();
    for (char16_t ch : std::u16string(u"alpha")) desktop->type_char(ch);
    desktop->press_key(win::VK_RETURN);
    desktop->press_key(win::VK_DOWN);
    for (char16_t ch : std::u16string(u"beta")) desktop->type_char(ch);
    desktop->run_until_idle();
    ASSERT_TRUE(w->GridNames->EditorMode());
    if (then == NextThenOk) {
      w->butNextClick();
      ASSERT_EQ(w->Page(), "Format");
    }
    if (then == ClickElsewhereThenOk) {
      w->rbShowSources->SetFocus();
      desktop->run_until_idle();
      EXPECT_EQ(w->GridNames->Cells(1, 2), "beta");
    }
    std::vector<kvforms::TExportParameters> handed;
    w->OnParameters = [&](const kvforms::TExportParameters& p) { handed.push_back(p); };
    w->butOkClick();
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].Names, (std::vector<fw::String>{"alpha", "beta"}));
  }
}

// The "Files" page's OK and Next follow the naming shown there, whether it was stored by an
// earlier OK or clicked now: typed names lead on to the names page, others end here unless the
// separators' page is asked for.
TEST_F(SaveParamsWizardTest, TheFilesPageFollowsTheNamingShownThere) {
  struct Row {
    const char* What;
    int Stored;                      // "FileNameGenerating"
    bool AskFormat;
    cs::TCsRadioButton* TwndSaveParams::*Clicked;  // then clicked on "Files"; null: none
    bool Ok, Next;
    const char* NextPage;
  };
  const Row rows[] = {
      {"stored typed names", 2, false, nullptr, false, true, "FileNames"},
      {"stored typed names, separators asked", 2, true, nullptr, false, true, "FileNames"},
      {"stored value past the choices", 7, false, nullptr, false, true, "FileNames"},
      {"stored graph names", 0, false, nullptr, true, false, nullptr},
      {"stored source names, separators asked", 1, true, nullptr, false, true, "Format"},
      {"stored typed names, graph names clicked", 2, false, &TwndSaveParams::rbUseNames, true, false, nullptr},
      {"stored typed names, source names clicked, separators asked", 2, true, &TwndSaveParams::rbSourceNames, false,
       true, "Format"},
      {"stored graph names, typed names clicked", 0, false, &TwndSaveParams::rbManualNames, false, true,
       "FileNames"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.What);
    {
      workspace::TPropSaver seed("EXPORT_DATA", false);
      seed.WriteBool("SaveBundle", false);
      seed.WriteBool("AskFormatParams", row.AskFormat);
      seed.WriteInteger("FileNameGenerating", row.Stored);
      seed.WriteString("FilesPath", "/tmp/out");
      seed.UpdateFile();
    }
    auto w = Open();
    w->butNextClick();
    w->butNextClick();
    ASSERT_EQ(w->Page(), "Files");
    if (row.Clicked) ((*w).*row.Clicked)->Click();
    EXPECT_EQ(w->butOk->Enabled(), row.Ok);
    EXPECT_EQ(w->butNext->Enabled(), row.Next);
    if (!row.NextPage) continue;
    w->butNextClick();
    EXPECT_EQ(w->Page(), row.NextPage);
    // Back on "Files" again, the same buttons.
    w->butPrevClick();
    ASSERT_EQ(w->Page(), "Files");
    EXPECT_EQ(w->butOk->Enabled(), row.Ok);
    EXPECT_EQ(w->butNext->Enabled(), row.Next);
  }
}

// The names page says what its two columns are.
TEST_F(SaveParamsWizardTest, TheNamesGridHeadsItsColumns) {
  auto w = Open();
  const std::pair<fw::Integer, const char*> headings[] = {{0, "График"},
                                                          {1, "Файл для сохранения (без пути и расширения)"}};
  for (const auto& [column, heading] : headings) {
    SCOPED_TRACE(column);
    EXPECT_EQ(w->GridNames->Cells(column, 0), heading);
    // The heading row stays put while the names scroll, and it is wide enough to read whole.
    EXPECT_EQ(w->GridNames->FixedRows(), 1);
    EXPECT_GE(w->GridNames->ColWidths(column), w->GridNames->Canvas()->TextWidth(heading));
  }
}

TEST_F(SaveParamsWizardTest, CancelWritesNothing) {
  auto w = Open();
  w->rbSaveSeparate->SetChecked(true);
  desktop->script([&] { w->SetModalResult(fw::mrCancel); });
  EXPECT_EQ(w->ShowModal(), fw::mrCancel);
  EXPECT_FALSE(std::filesystem::exists(workspace::TPropSaver::SettingsFileName()));
}

// The names page's key column, the graphs, is painted in the info-tip colour; the file column
// in the window colour.
TEST_F(SaveParamsWizardTest, TheNamesKeyColumnIsInTheInfoTipColour) {
  auto w = Open();
  w->GridNames->SetParent(w.get());  // shown whatever page is current
  w->GridNames->SetVisible(true);
  w->Show();
  fw::TBitmap shot;
  shot.SetPixelFormat(fw::pf24bit);
  shot.SetSize(w->GridNames->Width(), w->GridNames->Height());
  w->GridNames->PaintTo(shot.Canvas()->Handle(), 0, 0);
  const fw::TRect key = w->GridNames->CellRect(0, 1), file = w->GridNames->CellRect(1, 2);  // (1, 1) is the current cell
  auto at = [&](fw::Integer X, fw::Integer Y) { return fw::TColor(win::GetPixel(shot.Canvas()->Handle(), X, Y) & 0xFFFFFF); };
  EXPECT_EQ(at(key.right - 3, key.bottom - 3), fw::TColor(fw::ColorToRGB(fw::clInfoBk)));
  EXPECT_EQ(at(file.right - 3, file.bottom - 3), fw::TColor(fw::ColorToRGB(fw::clWindow)));
}

TEST_F(SaveParamsWizardTest, TheNamesListFollowsTheTitleOrSourceChoice) {
  auto w = Open();
  w->GridNames->SetCells(1, 1, "typed");
  struct Step {
    cs::TCsRadioButton* Choice;
    const char* First;
    const char* Second;
  };
  for (const Step& step : {Step{w->rbShowSources, "first.txt", "second.txt"}, Step{w->rbShowNames, "first", "second"}}) {
    step.Choice->Click();
    EXPECT_EQ(w->GridNames->Cells(0, 1), step.First);
    EXPECT_EQ(w->GridNames->Cells(0, 2), step.Second);
    EXPECT_EQ(w->GridNames->Cells(1, 1), "typed");  // what was typed stays
  }
}

TEST_F(SaveParamsWizardTest, ThePictureStandsLeftOfEveryPageAndAboveTheButtons) {
  auto w = Open();
  w->Show();
  ASSERT_NE(w->Picture, nullptr);
  EXPECT_TRUE(w->Picture->Visible());
  EXPECT_EQ(w->Picture->Parent(), w.get());
  const fw::Integer right = w->Picture->Left() + w->Picture->Width();
  EXPECT_GE(w->Picture->Left(), 0);
  EXPECT_LE(w->Picture->Top() + w->Picture->Height(), w->butPrev->Top());
  // Every other child of the window (labels and pages) starts right of it, on every page.
  for (fw::Integer i = 0; i < w->ControlCount(); ++i) {
    fw::TControl* c = w->Controls(i);
    if (c == w->Picture || dynamic_cast<cs::TCsButton*>(c)) continue;
    EXPECT_GT(c->Left(), right) << c->Name();
  }
  // Painted, it is not the form's plain colour.
  fw::TBitmap shot;
  shot.SetPixelFormat(fw::pf24bit);
  shot.SetSize(w->ClientWidth(), w->ClientHeight());
  w->PaintTo(shot.Canvas()->Handle(), 0, 0);
  const fw::TColor middle =
      fw::TColor(win::GetPixel(shot.Canvas()->Handle(), w->Picture->Left() + 2, w->Picture->Top() + 100) & 0xFFFFFF);
  EXPECT_NE(middle, fw::TColor(fw::ColorToRGB(w->Color())));
}

// "..." beside the bundle's file name asks for it in a save dialog; Cancel keeps the typed name.
TEST_F(SaveParamsWizardTest, TheBundleFileButtonAsksForTheFileName) {
  auto w = Open();
  w->edBundlePath->SetText(fw::String("/tmp/typed.txt"));
  win::desktop::PushSaveDialogAnswer(std::nullopt);
  w->butBundlePath->Click();
  EXPECT_EQ(cs::WideToUtf8(w->edBundlePath->Text()), "/tmp/typed.txt");
  win::desktop::PushSaveDialogAnswer(win::desktop::FileDialogResult{{u"/tmp/chosen.txt"}, 1});
  w->butBundlePath->Click();
  EXPECT_EQ(cs::WideToUtf8(w->edBundlePath->Text()), "/tmp/chosen.txt");
  ASSERT_FALSE(win::desktop::CommonDialogHistory().files.empty());
  const auto& asked = win::desktop::CommonDialogHistory().files.back();
  EXPECT_TRUE(asked.save);
  EXPECT_EQ(asked.fileName, u"/tmp/typed.txt");
}

}  // namespace
