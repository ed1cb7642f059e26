// The chart printed to a system print queue through the presenter's print service: the
// KorvalinPDF queue that scripts/cups.sh sets up turns jobs into PDF files, which poppler renders
// back. Queues that refuse jobs or go away are printing errors. Without the print daemon or the
// queue the tests skip; a job is awaited with a deadline, never without one.

#include <gtest/gtest.h>

#include <cstdio>

#include <QCoreApplication>
#include <cups/cups.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "chart_export_fixture.h"
#include "format_test_support.h"
#include "framework/GraphicsCanvas.h"
#include "framework/Printers.h"
#include "presenter/PrintQueues.h"
#include "presenter/PrintSystemLibrary.h"

namespace {

using namespace writertest;
namespace fs = std::filesystem;

const char kQueue[] = "KorvalinPDF";

class ChartQueuePrint : public exporttest::ChartExportTest {
 protected:
  // Printing to a queue runs inside the application, as the program does.
  void SetUp() override {
    ChartExportTest::SetUp();
    if (QCoreApplication::instance() == nullptr) app_ = std::make_unique<QCoreApplication>(argc_, argv_);
  }
  void TearDown() override {
    queues_.reset();
    app_.reset();
    ChartExportTest::TearDown();
  }
  std::unique_ptr<win::presenter::PrintQueues> queues_ = std::make_unique<win::presenter::PrintQueues>();
  int argc_ = 1;
  char name_[16] = "kv_export_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QCoreApplication> app_;

  // Selects the queue, or says why the test cannot run.
  std::string SelectQueue(fw::TPrinter& Printer) {
    const std::vector<fw::String> names = Printer.Printers();
    for (std::size_t i = 0; i < names.size(); ++i)
      if (names[i] == kQueue) {
        Printer.SetPrinterIndex(fw::Integer(i));
        return {};
      }
    return std::string("the print queue ") + kQueue + " is not set up (scripts/cups.sh starts the daemon and adds it)";
  }
  static fs::path OutputFolder() {
    const char* dir = std::getenv("KV_CUPS_PDF_DIR");
    return dir != nullptr && *dir ? fs::path(dir) : fs::path("/var/spool/cups-pdf/korvalin");
  }
  // The file the queue made for the job titled Title, once it is whole; empty after the deadline.
  static fs::path AwaitJob(const std::string& Title, std::chrono::seconds Deadline) {
    const auto until = std::chrono::steady_clock::now() + Deadline;
    while (std::chrono::steady_clock::now() < until) {
      std::error_code ec;
      for (const fs::directory_entry& e : fs::directory_iterator(OutputFolder(), ec)) {
        const std::string name = e.path().filename().string();
        if (name.find(Title) == std::string::npos || e.path().extension() != ".pdf") continue;
        // The queue writes the file in place: it is whole when poppler can read it.
        if (RunCommand("pdfinfo '" + e.path().string() + "'").Status == 0) return e.path();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return {};
  }
  static bool Exists(const std::string& Title) {
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(OutputFolder(), ec))
      if (e.path().filename().string().find(Title) != std::string::npos) return true;
    return false;
  }
};

TEST_F(ChartQueuePrint, TheQueueReceivesTheChartAndNothingOfAnAbortedJob) {
  MakeChart(320, 240);
  chart_->SetPrintMargins(fw::TRect{10, 10, 10, 50});
  fw::TPrinter printer;
  if (const std::string why = SelectQueue(printer); !why.empty()) GTEST_SKIP() << why;
  printer.SetResolution(72);  // the queue's paper, one dot a point: the reader's pixels fall on the printer's
  const std::string stamp = std::to_string(::getpid()) + "_" +
                            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  const std::string aborted = "kvaborted" + stamp, printed = "kvchart" + stamp;
  const fw::TRect r = chart_->ChartPrintRect(printer.PageWidth(), printer.PageHeight());

  printer.Title = aborted;
  printer.BeginDoc();
  chart_->PrintPartial(*printer.Canvas(), r);
  printer.Abort();
  EXPECT_FALSE(printer.Printing());

  printer.Title = printed;
  printer.BeginDoc();
  chart_->PrintPartial(*printer.Canvas(), r);
  printer.EndDoc();
  const fs::path pdf = AwaitJob(printed, std::chrono::seconds(90));
  ASSERT_FALSE(pdf.empty()) << "no PDF for the job in " << OutputFolder() << " after 90 s";
  // The queue serves jobs in order: the aborted one, had it been sent, would be there by now.
  EXPECT_FALSE(Exists(aborted)) << "an aborted job reached the queue";

  // The same chart on the PDF printer: the queue's page must look the same.
  fw::TPrinter direct;
  const std::vector<fw::String> names = direct.Printers();
  direct.SetPrinterIndex(fw::Integer(std::find(names.begin(), names.end(), "PDF") - names.begin()));
  direct.SetResolution(72);
  direct.SetPaperSize(printer.PaperWidthMM(), printer.PaperHeightMM());
  direct.FileName = dir_.File("direct.pdf");
  direct.BeginDoc();
  chart_->PrintPartial(*direct.Canvas(), r);
  direct.EndDoc();
  const CommandResult png = RunCommand("pdftoppm -r 72 -png -singlefile '" + pdf.string() + "' '" + dir_.File("page") +
                                       "' && pdftoppm -r 72 -png -singlefile '" + direct.FileName + "' '" + dir_.File("direct") + "'");
  if (!std::getenv("KV_KEEP_PRINT")) fs::remove(pdf);
  ASSERT_EQ(png.Status, 0) << png.Output;
  const std::vector<PillowPicture> read = ReadAllWithPillow(dir_, {dir_.File("page.png"), dir_.File("direct.png")});
  const PillowPicture &page = read[0], &want = read[1];
  ASSERT_EQ(page.Width, want.Width);
  ASSERT_EQ(page.Height, want.Height);
  // The print system re-encodes the page, so a channel may drift a little, never far.
  std::size_t far = 0, inked = 0;
  for (std::size_t i = 0; i < want.Rgb.size() && i < page.Rgb.size(); ++i) {
    inked += want.Rgb[i] != 0xFFFFFFu;
    for (int s : {0, 8, 16})
      if (std::abs(int(page.Rgb[i] >> s & 0xFF) - int(want.Rgb[i] >> s & 0xFF)) > 48) {
        ++far;
        break;
      }
  }
  EXPECT_GT(inked, want.Rgb.size() / 50) << "the chart was drawn";
  EXPECT_LT(far, want.Rgb.size() / 200) << "pixels of the printed page unlike the drawing";
}

// The paper chosen reaches the queue: a page laid out on A5 or Letter comes out of the queue on
// that paper, not centred on the queue's own.
TEST_F(ChartQueuePrint, TheQueuePrintsOnThePaperChosen) {
  MakeChart(320, 240);
  struct Paper {
    const char* Name;
    double WidthMM, HeightMM;
    double WidthPt, HeightPt;
  };
  for (const Paper& paper : {Paper{"a5", 148, 210, 419.5, 595.3}, Paper{"letter", 215.9, 279.4, 612, 792}}) {
    SCOPED_TRACE(paper.Name);
    fw::TPrinter printer;
    if (const std::string why = SelectQueue(printer); !why.empty()) GTEST_SKIP() << why;
    printer.SetPaperSize(paper.WidthMM, paper.HeightMM);
    printer.SetResolution(72);
    const std::string title = std::string("kvpaper") + paper.Name + std::to_string(::getpid()) + "_" +
                              std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    printer.Title = title;
    printer.BeginDoc();
    chart_->PrintPartial(*printer.Canvas(), chart_->ChartPrintRect(printer.PageWidth(), printer.PageHeight()));
    printer.EndDoc();
    const fs::path pdf = AwaitJob(title, std::chrono::seconds(90));
    ASSERT_FALSE(pdf.empty()) << "no PDF for the job in " << OutputFolder() << " after 90 s";
    const CommandResult info = RunCommand("pdfinfo '" + pdf.string() + "'");
    if (!std::getenv("KV_KEEP_PRINT")) fs::remove(pdf);
    double width = 0, height = 0;
    const std::size_t at = info.Output.find("Page size:");
    ASSERT_NE(at, std::string::npos) << info.Output;
    ASSERT_EQ(std::sscanf(info.Output.c_str() + at, "Page size: %lf x %lf", &width, &height), 2) << info.Output;
    EXPECT_NEAR(width, paper.WidthPt, 2) << info.Output;
    EXPECT_NEAR(height, paper.HeightPt, 2) << info.Output;
  }
}

TEST_F(ChartQueuePrint, AQueueThatWentAwayIsReportedAndNothingIsPrinted) {
  fw::TPrinter printer;
  if (const std::string why = SelectQueue(printer); !why.empty()) GTEST_SKIP() << why;
  const std::string gone = "KorvalinGone" + std::to_string(::getpid());
  if (RunCommand("lpadmin -p " + gone + " -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd").Status != 0)
    GTEST_SKIP() << "cannot add a print queue here";
  const std::vector<fw::String> names = printer.Printers();
  const auto at = std::find(names.begin(), names.end(), gone);
  ASSERT_NE(at, names.end()) << "a new queue shows in the list";
  printer.SetPrinterIndex(fw::Integer(at - names.begin()));
  EXPECT_EQ(printer.PrinterName(), gone);
  ASSERT_EQ(RunCommand("lpadmin -x " + gone).Status, 0);
  try {
    printer.BeginDoc();
    ADD_FAILURE() << "printing to a removed queue raised nothing";
    printer.Abort();
  } catch (const fw::EPrinter& e) {
    EXPECT_EQ(e.Message(), "The printer \"" + gone + "\" is no longer available");
  }
  EXPECT_FALSE(printer.Printing());
}

// A queue of our own for one test, removed with it.
struct ScratchQueue {
  std::string Name;
  bool Made = false;
  // Options: further lpadmin options, such as the queue's default paper.
  explicit ScratchQueue(const std::string& Prefix, const std::string& Options = "")
      : Name(Prefix + std::to_string(::getpid())) {
    Made = RunCommand("lpadmin -p " + Name + " -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd " +
                      Options)
               .Status == 0;
  }
  ~ScratchQueue() { RunCommand("lpadmin -x " + Name + " 2>/dev/null"); }
};

// The sheet a queue's media name gives: millimetres or inches in the last part that reads as a
// size, a variant after it ignored; a name without a size gives none (the printer's fallback).
TEST(QueueMediaNames, GiveTheSheetInMillimetres) {
  const struct {
    const char* Name;
    double Width, Height;  // 0: none
  } rows[] = {
      {"iso_a5_148x210mm", 148, 210},
      {"iso_a3_297x420mm", 297, 420},
      {"custom_100x150mm_100x150mm", 100, 150},
      {"na_letter_8.5x11in", 215.9, 279.4},
      {"na_index-4x6_4x6in", 101.6, 152.4},
      {"iso_a5_148x210mm_borderless", 148, 210},
      {"na_letter_8.5x11in_borderless", 215.9, 279.4},
      {"A5", 0, 0},
      {"iso_a5", 0, 0},
      {"custom_10x20pt", 0, 0},
      {"", 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    const std::optional<win::desktop::PaperSize> paper = win::presenter::MediaSize(row.Name);
    ASSERT_EQ(paper.has_value(), row.Width > 0);
    if (!paper) continue;
    EXPECT_NEAR(paper->widthMM, row.Width, 0.01);
    EXPECT_NEAR(paper->heightMM, row.Height, 0.01);
  }
}

// A queue whose own default paper is A5: chosen (as the print dialog chooses the stored printer),
// the printer lays its pages out on A5, not on the A4 it falls back to.
TEST_F(ChartQueuePrint, AQueueWhoseDefaultIsA5GivesA5Pages) {
  fw::TPrinter probe;
  if (const std::string why = SelectQueue(probe); !why.empty()) GTEST_SKIP() << why;
  ScratchQueue queue("KorvalinA5", "-o PageSize=A5");
  if (!queue.Made) GTEST_SKIP() << "cannot add a print queue here";
  fw::TPrinter printer;
  const std::vector<fw::String> names = printer.Printers();
  const auto at = std::find(names.begin(), names.end(), queue.Name);
  ASSERT_NE(at, names.end());
  printer.SetPrinterIndex(fw::Integer(at - names.begin()));
  // (The queue's description gives A5 in whole points: 148.52 x 209.9 mm.)
  EXPECT_NEAR(printer.PaperWidthMM(), 148, 1);
  EXPECT_NEAR(printer.PaperHeightMM(), 210, 1);
}

TEST_F(ChartQueuePrint, AQueueThatRefusesJobsOrGoesAwayDuringTheJobIsAPrintingError) {
  fw::TPrinter probe;
  if (const std::string why = SelectQueue(probe); !why.empty()) GTEST_SKIP() << why;
  const struct {
    const char* Name;
    const char* Between;  // the command run between the start and the end of the job
    const char* Reason;   // the print service's reason
  } cases[] = {
      {"refusing", "cupsreject ", win::desktop::kQueueNotAcceptingJobs},
      {"removed", "lpadmin -x ", win::desktop::kQueueGone},
  };
  for (const auto& c : cases) {
    ScratchQueue queue(std::string("KorvalinScratch") + c.Name);
    if (!queue.Made) GTEST_SKIP() << "cannot add a print queue here";
    fw::TPrinter printer;
    const std::vector<fw::String> names = printer.Printers();
    const auto at = std::find(names.begin(), names.end(), queue.Name);
    ASSERT_NE(at, names.end()) << c.Name;
    printer.SetPrinterIndex(fw::Integer(at - names.begin()));
    printer.Title = std::string("kvrefused") + c.Name;
    printer.BeginDoc();
    printer.Canvas()->FillRect(fw::TRect{0, 0, 100, 100});
    ASSERT_EQ(RunCommand(c.Between + queue.Name).Status, 0) << c.Name;
    try {
      printer.EndDoc();
      ADD_FAILURE() << c.Name << ": the job was reported as printed";
    } catch (const fw::EPrinter& e) {
      const std::string m = e.Message();
      EXPECT_EQ(m, "The print job could not be sent to \"" + queue.Name + "\": " + c.Reason) << c.Name;
    }
    EXPECT_FALSE(printer.Printing());
  }
}

// Points the print system's client at another server. Reached through the library the service
// loads, not linked: a test program linked with it would have it loaded from the start, and the
// test that the service loads it on first use could never run.
void SetPrintServer(const char* server) {
  void* library = dlopen(win::presenter::kPrintSystemLibraryFile, RTLD_NOW);
  ASSERT_NE(library, nullptr) << dlerror();
  auto set = reinterpret_cast<decltype(&cupsSetServer)>(dlsym(library, "cupsSetServer"));
  ASSERT_NE(set, nullptr);
  set(server);
}

// A print system that does not answer is said so, not taken for a queue that has gone.
TEST_F(ChartQueuePrint, APrintSystemThatDoesNotAnswerIsSaidSo) {
  SetPrintServer("127.0.0.1:1");  // nothing listens there
  const std::optional<std::string> refused = queues_->Submit(kQueue, "kvnoanswer", "%PDF-1.4\n%%EOF\n", 1, {210, 297});
  SetPrintServer(nullptr);
  ASSERT_TRUE(refused.has_value());
  EXPECT_EQ(*refused, win::desktop::kPrintSystemNotAnswering);
}

}  // namespace
