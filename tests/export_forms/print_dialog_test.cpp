// The print dialog on the headless desktop: what it loads from "PRINT" (and that loading moves
// nothing), the margin rules, the proportional interplay, the chart's look while it is open, and
// a print to the PDF printer whose file pdfinfo reads and whose choices the next dialog finds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartElement.h"
#include "chart/PlotMultiSelectorTool.h"
#include "controls/CsButtons.h"
#include "controls/CsTrackBar.h"
#include "controls/NumericSpinEdit.h"
#include "export/PlotPreviewPanel.h"
#include "export/chart_export_fixture.h"
#include "export/format_test_support.h"
#include "export/forms/WinPrint.h"
#include "framework/Dialogs.h"
#include "framework/StdCtrls.h"
#include "framework/StdCtrlsList.h"
#include "framework/Forms.h"
#include "framework/Printers.h"
#include "framework/StringList.h"
#include "platform/controls/MessageBox.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/desktop/PrintService.h"
#include "platform/desktop/ScriptedAnswers.h"
#include "platform/kernel/TextConvert.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsKeeping.h"

namespace {

using kvforms::TwndPrint;

class PrintDialogTest : public exporttest::ChartExportTest {
 protected:
  void SetUp() override {
    ChartExportTest::SetUp();
    std::remove(workspace::TPropSaver::SettingsFileName().c_str());
    chart::TChart& chart = MakeChart(400, 300);
    chart.SetPrintMargins({10, 20, 30, 40});
    chart.SetPrintProportional(true);
    chart.SetColor(fw::clYellow);
    chart.Gradient()->Visible = true;
    selector_ = new chart::TMultiSelectorTool(&chart);
    selector_->SetParentChart(&chart);
  }
  void TearDown() override {
    std::filesystem::remove_all(workspace::TPropSaver::SettingsFileName());
    workspace::DeclareSettingsUnreadable("");
    win::desktop::ClearScriptedAnswers();
    ChartExportTest::TearDown();
  }
  std::unique_ptr<TwndPrint> Open() { return std::make_unique<TwndPrint>(nullptr, chart_.get(), selector_); }
  void ToPdf(TwndPrint& Dialog, const std::string& Path) {
    const std::vector<fw::String> printers = Dialog.Printer()->Printers();
    for (size_t i = 0; i < printers.size(); ++i)
      if (printers[i] == "PDF") Dialog.ChoosePrinter(fw::Integer(i));
    Dialog.Printer()->FileName = Path;
  }
  chart::TMultiSelectorTool* selector_ = nullptr;
};

TEST_F(PrintDialogTest, OpeningLoadsTheDefaultsAndMovesNothing) {
  auto dialog = Open();
  EXPECT_EQ(dialog->ClientWidth(), 409);
  EXPECT_EQ(dialog->ClientHeight(), 431);
  EXPECT_EQ(dialog->Caption(), "Печать - " + dialog->Printer()->PrinterName());
  EXPECT_TRUE(dialog->cbShowMargins->Checked());
  EXPECT_TRUE(dialog->p->Margins()->Visible());
  EXPECT_FALSE(dialog->cbAsImage->Checked());
  EXPECT_EQ(dialog->tbResolution->Position(), 0);
  EXPECT_EQ(dialog->seCopies->Value(), 1);
  EXPECT_TRUE(dialog->cbLandscape->Checked());
  EXPECT_EQ(dialog->Printer()->Orientation(), fw::poLandscape);
  EXPECT_FALSE(dialog->cbProportional->Checked());
  EXPECT_FALSE(chart_->PrintProportional());
  // The chart's margins stay and show in the edits.
  EXPECT_EQ(chart_->PrintMargins(), (fw::TRect{10, 20, 30, 40}));
  EXPECT_EQ(dialog->seLeft->Value(), 10);
  EXPECT_EQ(dialog->seTop->Value(), 20);
  EXPECT_EQ(dialog->seRight->Value(), 30);
  EXPECT_EQ(dialog->seBottom->Value(), 40);
  EXPECT_EQ(dialog->p->Panel(), chart_.get());
}

TEST_F(PrintDialogTest, MarginsReachingAHundredWithTheirOppositeAreRefused) {
  chart_->SetPrintMargins({50, 20, 30, 40});
  auto dialog = Open();
  dialog->seRight->SetValue(50);  // 50 + 50 = 100 (the edits go up to 50)
  EXPECT_EQ(dialog->seRight->Value(), 30);
  EXPECT_EQ(chart_->PrintMargins().right, 30);
  dialog->seRight->SetValue(49);
  EXPECT_EQ(chart_->PrintMargins(), (fw::TRect{50, 20, 49, 40}));
  dialog->seTop->SetValue(50);
  EXPECT_EQ(chart_->PrintMargins().top, 50);
  dialog->seBottom->SetValue(50);  // 50 + 50
  EXPECT_EQ(chart_->PrintMargins().bottom, 40);
  EXPECT_EQ(dialog->seBottom->Value(), 40);
}

// A margin typed past its field's limit of 50 counts as 50 at once: the preview and the print
// follow the value the field shows once left, not the digits typed.
TEST_F(PrintDialogTest, AMarginTypedPastTheLimitCountsAsTheLimit) {
  struct Typed {
    bool Right;  // else the left margin
    const char* Text;
    fw::TRect Margins;
  };
  for (const Typed& t : {Typed{true, "59", {10, 20, 50, 40}}, Typed{false, "75", {50, 20, 30, 40}}}) {
    chart_->SetPrintMargins({10, 20, 30, 40});
    auto dialog = Open();
    (t.Right ? dialog->seRight : dialog->seLeft)->SetText(t.Text);
    EXPECT_EQ(chart_->PrintMargins(), t.Margins);
  }
}

TEST_F(PrintDialogTest, ProportionalReplacesTheMarginsAndAnEditClearsIt) {
  auto dialog = Open();
  dialog->cbProportional->SetChecked(true);
  EXPECT_TRUE(chart_->PrintProportional());
  const fw::TRect proportional =
      chart_->CalcProportionalMargins(dialog->Printer()->PageWidth(), dialog->Printer()->PageHeight());
  EXPECT_EQ(chart_->PrintMargins(), proportional);
  EXPECT_EQ(dialog->seLeft->Value(), proportional.left);
  EXPECT_EQ(dialog->seTop->Value(), proportional.top);
  dialog->seLeft->SetValue(5);
  EXPECT_FALSE(dialog->cbProportional->Checked());
  EXPECT_FALSE(chart_->PrintProportional());
  EXPECT_EQ(chart_->PrintMargins().left, 5);
  EXPECT_EQ(chart_->PrintMargins().top, proportional.top);
  // Portrait: the printer turns.
  dialog->cbPortrait->SetChecked(true);
  EXPECT_EQ(dialog->Printer()->Orientation(), fw::poPortrait);
  EXPECT_EQ(dialog->p->Orientation(), kvexport::ppoPortrait);
}

// Every option shows on the preview at once: each change repaints it, and the margin lines go
// as "Показывать поля" is unticked and come back as it is ticked.
TEST_F(PrintDialogTest, EveryOptionShowsOnThePreviewAtOnce) {
  auto dialog = Open();
  dialog->Show();
  desktop->run_until_idle();
  kvexport::TPlotPreviewPanel* p = dialog->p;
  int paints = 0;
  p->OnAfterDraw = [&](fw::TObject*) { ++paints; };
  // Dark dots of the left margin line on the sheet above the chart's area.
  const auto marginDots = [&] {
    const fw::TRect sheet = p->PaperRect(), area = p->MarginsRect(sheet);
    int n = 0;
    for (int y = sheet.top + 1; y < area.top; ++y) {
      const win::POINT at = p->ClientToScreen(fw::TPoint{area.left, y});
      n += (desktop->screen_pixel(at.x, at.y) & 0xFF) < 0x40;
    }
    return n;
  };
  ASSERT_GT(marginDots(), 3);
  struct Option {
    const char* What;
    std::function<void()> Change;
    bool LinesShown;
    int Level = 0;  // the chart's level of detail after the change
  };
  const Option options[] = {
      {"Книжная", [&] { dialog->cbPortrait->SetChecked(true); }, true},
      {"Альбомная", [&] { dialog->cbLandscape->SetChecked(true); }, true},
      {"a margin",
       [&] {
         dialog->seTop->SetFocus();
         desktop->press_key(win::VK_UP);
       },
       true},
      {"Пропорционально", [&] { dialog->cbProportional->SetChecked(true); }, true},
      {"Показывать поля off", [&] { dialog->cbShowMargins->SetChecked(false); }, false},
      {"Сглаживать лист", [&] { dialog->cbAsImage->SetChecked(true); }, false},
      {"Показывать поля on", [&] { dialog->cbShowMargins->SetChecked(true); }, true},
      {"the level of detail",
       [&] {
         dialog->tbResolution->SetFocus();
         desktop->press_key(win::VK_END);
       },
       true, 100},
      {"Норма", [&] { dialog->labResolutionNormal->Click(); }, true},
  };
  for (const Option& o : options) {
    SCOPED_TRACE(o.What);
    paints = 0;
    o.Change();
    desktop->run_until_idle();
    EXPECT_GE(paints, 1) << "the preview repainted";
    EXPECT_EQ(marginDots() > 3, o.LinesShown);
    EXPECT_EQ(chart_->PrintResolution(), o.Level);
  }
}

TEST_F(PrintDialogTest, TheChartIsWhiteWhileTheDialogShowsAndItselfAfterwards) {
  auto dialog = Open();
  fw::TColor during = 0;
  bool gradientDuring = true, selectorDuring = true;
  desktop->script([&] {
    during = chart_->Color();
    gradientDuring = chart_->Gradient()->Visible;
    selectorDuring = selector_->Active();
    dialog->SetModalResult(fw::mrCancel);
  });
  dialog->ShowModal();
  EXPECT_EQ(during, fw::clWhite);
  EXPECT_FALSE(gradientDuring);
  EXPECT_FALSE(selectorDuring);
  EXPECT_EQ(chart_->Color(), fw::clYellow);
  EXPECT_TRUE(chart_->Gradient()->Visible);
  EXPECT_TRUE(selector_->Active());
  // Closed without printing: nothing was written.
  EXPECT_FALSE(std::filesystem::exists(workspace::TPropSaver::SettingsFileName()));
}

// The wheel over the focused «Уровень детализации» moves it a line a notch, to the right toward
// the user, and the chart's print resolution, which the preview and the print use, follows.
TEST_F(PrintDialogTest, TheWheelMovesTheDetailLevelAndThePrintFollows) {
  struct Turn {
    int delta;
    int position;
  };
  const Turn turns[] = {{-win::WHEEL_DELTA, 1}, {-2 * win::WHEEL_DELTA, 3}, {win::WHEEL_DELTA, 2}, {60, 2}, {60, 1}};
  auto dialog = Open();
  std::vector<std::string> seen, expected;
  desktop->script([&] { dialog->tbResolution->SetFocus(); });
  for (const Turn& turn : turns) {
    expected.push_back(std::to_string(turn.position) + " printed at " + std::to_string(turn.position));
    desktop->script([&, turn] { desktop->wheel(dialog->tbResolution->ClientToScreen(fw::Point(75, 13)), turn.delta); });
    desktop->script([&] {
      seen.push_back(std::to_string(dialog->tbResolution->Position()) + " printed at " +
                     std::to_string(chart_->PrintResolution()));
    });
  }
  desktop->script([&] { dialog->SetModalResult(fw::mrCancel); });
  dialog->ShowModal();
  EXPECT_EQ(seen, expected);
}

TEST_F(PrintDialogTest, APdfThatCannotBeWrittenIsSaidInRussianNamingTheFile) {
  const std::string pdf = dir_.File("missing/chart.pdf");
  auto dialog = Open();
  ToPdf(*dialog, pdf);
  try {
    dialog->butPrintClick();
    ADD_FAILURE() << "printed into a folder that does not exist";
  } catch (const std::exception& e) {
    const std::string said = e.what();
    EXPECT_NE(said.find(pdf), std::string::npos) << said;
    EXPECT_EQ(said.find("Cannot"), std::string::npos) << said;
    EXPECT_TRUE(said.rfind("Не", 0) == 0) << said;
  }
}

TEST_F(PrintDialogTest, PrintingWritesThePdfAndTheNextDialogFindsTheChoices) {
  const std::string pdf = dir_.File("chart.pdf");
  {
    auto dialog = Open();
    ToPdf(*dialog, pdf);
    dialog->cbPortrait->SetChecked(true);
    dialog->seLeft->SetValue(12);
    dialog->cbShowMargins->SetChecked(false);
    dialog->cbAsImage->SetChecked(true);
    dialog->tbResolution->SetPosition(-30);
    dialog->seCopies->SetValue(2);
    dialog->butPrintClick();
    EXPECT_EQ(dialog->Caption(), "Печать - PDF");
    EXPECT_EQ(dialog->Printer()->Copies, 2) << "one job with the count";
  }
  const auto info = writertest::RunCommand("pdfinfo '" + pdf + "'");
  ASSERT_EQ(info.Status, 0) << info.Output;
  EXPECT_NE(info.Output.find("Pages:"), std::string::npos);
  // Portrait A4: taller than wide.
  EXPECT_NE(info.Output.find("595"), std::string::npos) << info.Output;

  workspace::TPropSaver store("PRINT", true);
  EXPECT_EQ(store.ReadInteger("Orientation", -1), 0);
  EXPECT_EQ(store.ReadString("PrinterName", ""), "PDF");
  EXPECT_EQ(store.ReadInteger("Copies", 0), 2);
  EXPECT_EQ(store.ReadInteger("Resolution", 0), -30);
  chart_->SetPrintMargins({1, 1, 1, 1});
  auto again = Open();
  EXPECT_TRUE(again->cbPortrait->Checked());
  EXPECT_FALSE(again->cbShowMargins->Checked());
  EXPECT_FALSE(again->p->Margins()->Visible());
  EXPECT_TRUE(again->cbAsImage->Checked());
  EXPECT_TRUE(again->p->AsBitmap());
  EXPECT_EQ(again->tbResolution->Position(), -30);
  EXPECT_EQ(chart_->PrintResolution(), -30);
  EXPECT_EQ(again->seCopies->Value(), 2);
  EXPECT_EQ(chart_->PrintMargins(), (fw::TRect{12, 20, 30, 40}));
  EXPECT_EQ(again->Printer()->PrinterName(), "PDF");
}

// The PDF printer without a file name asks for one in a save dialog offering PDF documents; a
// cancelled dialog prints nothing.
TEST_F(PrintDialogTest, PrintingToPdfWithoutAFileNameAsksForOneAndCancelPrintsNothing) {
  namespace wd = win::desktop;
  const std::string pdf = dir_.File("asked.pdf");
  struct Case {
    bool answered;
    bool written;
  } cases[] = {{false, false}, {true, true}};
  for (const Case& c : cases) {
    auto dialog = Open();
    ToPdf(*dialog, "");
    wd::ClearCommonDialogHistory();
    if (c.answered)
      wd::PushSaveDialogAnswer(wd::FileDialogResult{{win::Utf8ToWide(pdf)}, 1});
    else
      wd::PushSaveDialogAnswer(std::nullopt);
    dialog->butPrintClick();
    const auto& asked = wd::CommonDialogHistory().files;
    ASSERT_EQ(asked.size(), 1u) << c.answered;
    EXPECT_TRUE(asked[0].save);
    ASSERT_EQ(asked[0].filters.size(), 1u);
    EXPECT_EQ(win::WideToUtf8(asked[0].filters[0].description), "Документ PDF (*.pdf)");
    EXPECT_EQ(win::WideToUtf8(asked[0].filters[0].patterns), "*.pdf");
    EXPECT_EQ(win::WideToUtf8(asked[0].defaultExt), "pdf");
    EXPECT_EQ(std::filesystem::exists(pdf), c.written) << c.answered;
  }
  const auto info = writertest::RunCommand("pdfinfo '" + pdf + "'");
  EXPECT_EQ(info.Status, 0) << info.Output;
}

// A print system with the queues a test gives it, taking every job it is handed unless a refusal
// is set.
class QueuesForTest : public win::desktop::PrintService {
 public:
  QueuesForTest() : previous_(win::desktop::SetPrintService(this)) {}
  ~QueuesForTest() override { win::desktop::SetPrintService(previous_); }
  std::vector<std::string> Queues() override { return queues; }
  std::string DefaultQueue() override { return defaultQueue; }
  std::optional<win::desktop::PaperSize> DefaultPaper(const std::string&) override { return std::nullopt; }
  std::optional<std::string> Submit(const std::string& queue, const std::string&, const std::string&, int,
                                    const win::desktop::PaperSize&) override {
    if (std::find(queues.begin(), queues.end(), queue) == queues.end()) return "The printer or class does not exist.";
    if (!refusal.empty()) return refusal;
    jobs.push_back(queue);
    return std::nullopt;
  }
  std::vector<std::string> queues, jobs;
  std::string defaultQueue, refusal;

 private:
  win::desktop::PrintService* previous_;
};

// The default queue is taken by its name when the dialog opens: should it go while the dialog
// is open, printing reports it gone as it does for a queue chosen by hand, and prints nowhere else.
TEST_F(PrintDialogTest, ADefaultQueueRemovedWhileOpenIsReportedNotReplaced) {
  QueuesForTest system;
  system.queues = {"office", "lab"};
  system.defaultQueue = "office";
  auto dialog = Open();
  EXPECT_EQ(dialog->Caption(), "Печать - office");
  system.queues = {"lab"};
  system.defaultQueue = "lab";
  win::desktop::ClearCommonDialogHistory();
  try {
    dialog->butPrintClick();
    ADD_FAILURE() << "printed although the queue has gone";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("\"office\": принтер больше недоступен"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(system.jobs.empty());
  EXPECT_TRUE(win::desktop::CommonDialogHistory().files.empty()) << "no PDF file asked for";
}

// Queues added or removed while the printer set-up is open: OK chooses the printer picked by its
// name, whatever its place has become; the caption names it, and the job goes to it (or, when it
// was the one removed, printing says so and prints nowhere else).
TEST_F(PrintDialogTest, QueuesChangingWhileTheSetUpIsOpenKeepThePickedPrinter) {
  struct Row {
    const char* What;
    std::vector<std::string> Before;
    const char* Picked;
    std::vector<std::string> After;  // while the set-up is open
    bool Gone;                       // the picked queue is among those removed
  };
  const Row rows[] = {
      {"a queue added before the picked one", {"office", "lab"}, "lab", {"office", "annex", "lab"}, false},
      {"a queue removed before the picked one", {"office", "lab", "annex"}, "annex", {"office", "annex"}, false},
      {"a queue removed, the picked one the last place", {"office", "lab"}, "PDF", {"office"}, false},
      {"the picked queue removed", {"office", "lab"}, "lab", {"office"}, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.What);
    QueuesForTest system;
    system.queues = row.Before;
    system.defaultQueue = "office";
    auto dialog = Open();
    dialog->Printer()->FileName = dir_.File("picked.pdf");
    desktop->script([&] {
      fw::TCustomForm* setup = fw::Screen->ActiveForm();
      ASSERT_NE(setup, nullptr);
      auto* queue = dynamic_cast<fw::TComboBox*>(setup->FindComponent("cbPrinter"));
      ASSERT_NE(queue, nullptr);
      queue->SetItemIndex(queue->Items()->IndexOf(row.Picked));
      system.queues = row.After;
      setup->SetModalResult(fw::mrOk);
    });
    dialog->butPrinter->Click();
    EXPECT_EQ(dialog->Caption(), std::string("Печать - ") + row.Picked);
    try {
      dialog->butPrintClick();
      EXPECT_FALSE(row.Gone) << "printed although the queue has gone";
    } catch (const std::exception& e) {
      EXPECT_TRUE(row.Gone) << e.what();
      EXPECT_NE(std::string(e.what()).find(std::string("\"") + row.Picked + "\": принтер больше недоступен"),
                std::string::npos)
          << e.what();
    }
    if (row.Gone || std::string(row.Picked) == "PDF")
      EXPECT_TRUE(system.jobs.empty());
    else
      EXPECT_EQ(system.jobs, std::vector<std::string>{row.Picked});
    EXPECT_EQ(std::filesystem::exists(dir_.File("picked.pdf")), std::string(row.Picked) == "PDF");
    std::filesystem::remove(dir_.File("picked.pdf"));
  }
}

// A job the print system refuses is said in Russian, naming the printer; the dialog stays usable
// and the next job goes. Words the program does not know are quoted after its own.
TEST_F(PrintDialogTest, ARefusedJobIsSaidInRussianNamingThePrinter) {
  namespace wd = win::desktop;
  QueuesForTest system;
  system.queues = {"office"};
  system.defaultQueue = "office";
  const std::string failed = "Не удалось напечатать на принтере \"office\": ";
  const struct {
    std::string Refusal;
    std::string Said;
  } cases[] = {
      {wd::kQueueNotAcceptingJobs, failed + "принтер не принимает задания"},
      {wd::kQueueGone, failed + "принтер больше недоступен"},
      {wd::kPrintSystemNotAnswering, failed + "система печати не отвечает"},
      {"Paper jam in tray 2.", failed + "система печати не приняла задание (Paper jam in tray 2.)"},
  };
  auto dialog = Open();
  for (const auto& c : cases) {
    system.refusal = c.Refusal;
    try {
      dialog->butPrintClick();
      ADD_FAILURE() << c.Refusal << ": reported as printed";
    } catch (const std::exception& e) {
      EXPECT_EQ(std::string(e.what()), c.Said);
    }
    EXPECT_FALSE(dialog->Printer()->Printing()) << c.Refusal;
  }
  EXPECT_TRUE(system.jobs.empty());
  system.refusal.clear();
  dialog->butPrintClick();
  EXPECT_EQ(system.jobs, std::vector<std::string>{"office"});
}

// Settings that cannot be kept never stop a print: the job goes, and the user is told once a
// run, in Russian, that the settings are not kept.
TEST_F(PrintDialogTest, SettingsThatCannotBeKeptDoNotStopPrinting) {
  QueuesForTest system;
  system.queues = {"office"};
  system.defaultQueue = "office";
  const std::string settings = workspace::TPropSaver::SettingsFileName();
  // The settings file's place taken by a folder: it can be neither read nor written.
  std::filesystem::create_directory(settings);
  win::ClearMessageBoxHistory();
  for (int i = 0; i < 2; ++i) win::desktop::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  for (int run = 0; run < 2; ++run) {
    auto dialog = Open();
    EXPECT_EQ(dialog->Caption(), "Печать - office");
    dialog->butPrintClick();
  }
  EXPECT_EQ(system.jobs, (std::vector<std::string>{"office", "office"}));
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  const std::string said = win::WideToUtf8(win::MessageBoxHistory()[0].text);
  EXPECT_EQ(said.rfind("Настройки программы не сохраняются", 0), 0u) << said;
  EXPECT_TRUE(std::filesystem::is_directory(settings));
}

// "Принтер..." opens the printer set-up: OK writes the queue, the paper and the orientation to
// the printer, the caption names the printer and the orientation buttons follow; Cancel changes
// nothing.
TEST_F(PrintDialogTest, PrinterSetUpChoosesQueuePaperAndOrientation) {
  auto dialog = Open();
  fw::TPrinter& printer = *dialog->Printer();
  const std::vector<fw::String> printers = printer.Printers();
  const auto pdf = fw::Integer(std::find(printers.begin(), printers.end(), "PDF") - printers.begin());
  ASSERT_LT(pdf, fw::Integer(printers.size()));
  struct Case {
    fw::TModalResult Result;
    fw::Integer Paper;  // in PaperSizes()
    bool Landscape;
  };
  for (const Case& c : {Case{fw::mrCancel, 2, false}, Case{fw::mrOk, 2, false}, Case{fw::mrOk, 4, true}}) {
    SCOPED_TRACE(int(c.Result) * 10 + int(c.Paper));
    const double widthBefore = printer.PaperWidthMM();
    const fw::TPrinterOrientation orientationBefore = printer.Orientation();
    bool shown = false;
    desktop->script([&] {
      fw::TCustomForm* setup = fw::Screen->ActiveForm();
      ASSERT_NE(setup, nullptr);
      EXPECT_EQ(setup->Caption(), "Настройка принтера");
      auto* queue = dynamic_cast<fw::TComboBox*>(setup->FindComponent("cbPrinter"));
      auto* paper = dynamic_cast<fw::TComboBox*>(setup->FindComponent("cbPaper"));
      auto* landscape = dynamic_cast<fw::TRadioButton*>(setup->FindComponent("rbLandscape"));
      auto* portrait = dynamic_cast<fw::TRadioButton*>(setup->FindComponent("rbPortrait"));
      ASSERT_TRUE(queue && paper && landscape && portrait);
      shown = true;
      queue->SetItemIndex(pdf);
      paper->SetItemIndex(c.Paper);
      (c.Landscape ? landscape : portrait)->SetChecked(true);
      setup->SetModalResult(c.Result);
    });
    dialog->butPrinter->Click();
    EXPECT_TRUE(shown);
    if (c.Result != fw::mrOk) {
      EXPECT_EQ(printer.PaperWidthMM(), widthBefore);
      EXPECT_EQ(printer.Orientation(), orientationBefore);
      continue;
    }
    const fw::TPaperSize& size = fw::PaperSizes()[std::size_t(c.Paper)];
    EXPECT_EQ(printer.PrinterName(), "PDF");
    EXPECT_EQ(dialog->Caption(), "Печать - PDF");
    EXPECT_DOUBLE_EQ(printer.PaperWidthMM(), size.WidthMM);
    EXPECT_DOUBLE_EQ(printer.PaperHeightMM(), size.HeightMM);
    EXPECT_EQ(printer.Orientation(), c.Landscape ? fw::poLandscape : fw::poPortrait);
    EXPECT_EQ(dialog->cbLandscape->Checked(), c.Landscape);
    EXPECT_EQ(dialog->cbPortrait->Checked(), !c.Landscape);
    // The page in dots follows the paper: its long side across in landscape.
    const double across = c.Landscape ? size.HeightMM : size.WidthMM;
    EXPECT_NEAR(printer.PageWidth(), across / 25.4 * printer.Resolution(), 1.0);
  }
}

}  // namespace
