// The PDF printer: pages drawn on the printer's canvas read back by pdftoppm, the page size in
// dots, and the misuses that raise without leaving a file.

#include <gtest/gtest.h>

#include <map>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "framework/GraphicsCanvas.h"
#include "framework/Printers.h"
#include "platform/desktop/PrintService.h"

namespace {

struct Folder {
  std::filesystem::path Path = std::filesystem::temp_directory_path() / ("kv-printer-" + std::to_string(::getpid()));
  Folder() { std::filesystem::create_directories(Path); }
  ~Folder() { std::filesystem::remove_all(Path); }
};

// The colour of pixel (X, Y) of page Page as pdftoppm renders it at 150 dots per inch, "rrggbb".
std::string PagePixel(const std::string& Pdf, int Page, int X, int Y) {
  const std::string command = "pdftoppm -r 150 -f " + std::to_string(Page) + " -l " + std::to_string(Page) + " -x " +
                              std::to_string(X) + " -y " + std::to_string(Y) + " -W 1 -H 1 '" + Pdf + "' | od -An -tx1 | tail -c 9";
  std::string out;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    char buf[64];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    ::pclose(p);
  }
  std::string hex;
  for (char c : out)
    if (std::isxdigit(static_cast<unsigned char>(c))) hex += c;
  return hex;
}

TEST(Printer, PagesReachThePdfAsDrawn) {
  Folder folder;
  fw::TPrinter printer;
  ASSERT_EQ(printer.Printers().front(), "PDF");
  EXPECT_EQ(printer.PageWidth(), 1240);  // A4 at 150 dots per inch
  EXPECT_EQ(printer.PageHeight(), 1754);
  printer.FileName = (folder.Path / "job.pdf").string();
  printer.Title = "Chart";
  printer.BeginDoc();
  printer.Canvas()->Brush()->SetColor(fw::clRed);
  printer.Canvas()->FillRect(fw::TRect{100, 200, 400, 500});
  printer.NewPage();
  EXPECT_EQ(printer.PageNumber(), 2);
  printer.Canvas()->Brush()->SetColor(fw::clBlue);
  printer.Canvas()->FillRect(fw::TRect{600, 900, 800, 1100});
  printer.EndDoc();
  EXPECT_FALSE(printer.Printing());
  const struct {
    int Page, X, Y;
    const char* Rgb;
  } cases[] = {{1, 250, 350, "ff0000"}, {1, 50, 50, "ffffff"}, {1, 700, 1000, "ffffff"},
               {2, 700, 1000, "0000ff"}, {2, 250, 350, "ffffff"}};
  // The PDF writer may round a channel by one.
  auto near = [](const std::string& Got, const char* Want) {
    if (Got.size() != 6) return false;
    for (int i = 0; i < 6; i += 2)
      if (std::abs(std::stoi(Got.substr(i, 2), nullptr, 16) - std::stoi(std::string(Want + i, 2), nullptr, 16)) > 2)
        return false;
    return true;
  };
  for (const auto& c : cases) {
    const std::string got = PagePixel(printer.FileName, c.Page, c.X, c.Y);
    EXPECT_TRUE(near(got, c.Rgb)) << c.Page << " " << c.X << "," << c.Y << ": " << got;
  }

  printer.SetOrientation(fw::poLandscape);
  EXPECT_EQ(printer.PageWidth(), 1754);
}

TEST(Printer, MisuseRaisesAndLeavesNoFile) {
  Folder folder;
  fw::TPrinter printer;
  auto raises = [](const std::function<void()>& F, const char* Message) {
    try {
      F();
      ADD_FAILURE() << Message << ": nothing raised";
    } catch (const fw::EPrinter& e) {
      EXPECT_EQ(e.Message(), Message);
    }
  };
  raises([&] { printer.EndDoc(); }, "Printing not in progress");
  raises([&] { printer.NewPage(); }, "Printing not in progress");
  raises([&] { printer.Canvas(); }, "Printing not in progress");
  raises([&] { printer.BeginDoc(); }, "No file name for the PDF printer");
  raises([&] { printer.SetPrinterIndex(fw::Integer(printer.Printers().size())); }, "Printer index out of range");
  raises([&] { printer.SetPrinterIndex(-1); }, "Printer index out of range");
  raises([&] { printer.SetPaperSize(0, 297); }, "Invalid paper size");
  printer.FileName = (folder.Path / "aborted.pdf").string();
  printer.BeginDoc();
  raises([&] { printer.BeginDoc(); }, "Printing in progress");
  raises([&] { printer.SetResolution(300); }, "Printing in progress");
  printer.Canvas()->FillRect(fw::TRect{0, 0, 10, 10});
  printer.Abort();
  EXPECT_TRUE(printer.Aborted());
  EXPECT_FALSE(printer.Printing());
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path)) << "an aborted job writes nothing";
}

}  // namespace

namespace {

// The print system as the framework sees it, scripted: queues come and go, refuse jobs, and the
// jobs handed over are kept.
class FakePrintService : public win::desktop::PrintService {
 public:
  FakePrintService() : previous_(win::desktop::SetPrintService(this)) {}
  ~FakePrintService() override { win::desktop::SetPrintService(previous_); }
  std::vector<std::string> Queues() override { return queues; }
  std::string DefaultQueue() override { return defaultQueue; }
  std::optional<win::desktop::PaperSize> DefaultPaper(const std::string& queue) override {
    auto it = papers.find(queue);
    if (it == papers.end()) return std::nullopt;
    return it->second;
  }
  std::optional<std::string> Submit(const std::string& queue, const std::string& title, const std::string& pdf,
                                    int copies, const win::desktop::PaperSize& paper) override {
    if (std::find(queues.begin(), queues.end(), queue) == queues.end()) return "The printer or class does not exist.";
    if (refusing == queue) return "Destination \"" + queue + "\" is not accepting jobs.";
    jobs.push_back({queue, title, pdf, copies, paper});
    return std::nullopt;
  }
  struct Job {
    std::string Queue, Title, Pdf;
    int Copies = 0;
    win::desktop::PaperSize Paper;
  };
  std::vector<std::string> queues;
  std::string defaultQueue, refusing;
  std::map<std::string, win::desktop::PaperSize> papers;  // the queues' default papers
  std::vector<Job> jobs;

 private:
  win::desktop::PrintService* previous_;
};

void PrintOnePage(fw::TPrinter& Printer, const char* Title) {
  Printer.Title = Title;
  Printer.BeginDoc();
  Printer.Canvas()->FillRect(fw::TRect{0, 0, 10, 10});
  Printer.EndDoc();
}

TEST(PrinterQueues, TheListPutsTheDefaultFirstAndThePdfPrinterLast) {
  FakePrintService service;
  fw::TPrinter printer;
  EXPECT_EQ(printer.Printers(), std::vector<fw::String>{"PDF"});
  service.queues = {"Alpha", "Beta"};
  EXPECT_EQ(printer.Printers(), (std::vector<fw::String>{"PDF", "Alpha", "Beta"}));
  service.defaultQueue = "Beta";
  EXPECT_EQ(printer.Printers(), (std::vector<fw::String>{"Beta", "Alpha", "PDF"}));
  EXPECT_EQ(printer.PrinterName(), "Beta");  // nothing chosen: the default
  PrintOnePage(printer, "to the default");
  ASSERT_EQ(service.jobs.size(), 1u);
  EXPECT_EQ(service.jobs[0].Queue, "Beta");
  EXPECT_EQ(service.jobs[0].Title, "to the default");
  EXPECT_EQ(service.jobs[0].Pdf.rfind("%PDF-", 0), 0u) << "the job is a PDF document";
}

TEST(PrinterQueues, TheChosenPrinterIsKeptByNameWhenQueuesComeAndGo) {
  FakePrintService service;
  service.queues = {"Korvalin", "Zeta"};
  service.defaultQueue = "Zeta";
  fw::TPrinter printer;
  printer.SetPrinterIndex(1);  // Zeta, Korvalin, PDF
  ASSERT_EQ(printer.PrinterName(), "Korvalin");
  // A queue whose name sorts earlier arrives: the choice stays, its place moves.
  service.queues = {"Aardvark", "Korvalin", "Zeta"};
  EXPECT_EQ(printer.PrinterName(), "Korvalin");
  EXPECT_EQ(printer.PrinterIndex(), 2);
  PrintOnePage(printer, "kept");
  ASSERT_EQ(service.jobs.size(), 1u);
  EXPECT_EQ(service.jobs[0].Queue, "Korvalin");
  EXPECT_EQ(service.jobs[0].Copies, 1);
  // Copies go with the one job, for the print system to make; a count below one prints once.
  printer.Copies = 3;
  PrintOnePage(printer, "three");
  printer.Copies = 0;
  PrintOnePage(printer, "once");
  ASSERT_EQ(service.jobs.size(), 3u);
  EXPECT_EQ(service.jobs[1].Copies, 3);
  EXPECT_EQ(service.jobs[2].Copies, 1);
  service.jobs.resize(1);
  printer.Copies = 1;
  // Gone: reported by name, never replaced by the queue now in its place.
  service.queues = {"Aardvark", "Zeta"};
  EXPECT_EQ(printer.PrinterIndex(), -1);
  EXPECT_EQ(printer.PrinterName(), "");
  try {
    printer.BeginDoc();
    ADD_FAILURE() << "a job began on a printer that is gone";
  } catch (const fw::EPrinter& e) {
    EXPECT_EQ(e.Message(), "The printer \"Korvalin\" is no longer available");
  }
  EXPECT_FALSE(printer.Printing());
  // Back again: printing resumes to it.
  service.queues = {"Korvalin", "Zeta"};
  PrintOnePage(printer, "back");
  EXPECT_EQ(service.jobs.back().Queue, "Korvalin");
}

TEST(PrinterQueues, ARefusedOrVanishedJobIsAPrintingError) {
  FakePrintService service;
  service.queues = {"Office"};
  fw::TPrinter printer;
  printer.SetPrinterIndex(1);  // PDF, Office
  ASSERT_EQ(printer.PrinterName(), "Office");
  const struct {
    const char* Name;
    std::function<void()> Between;  // what happens between the start and the end of the job
    const char* Message;
  } cases[] = {
      {"refusing", [&] { service.refusing = "Office"; },
       "The print job could not be sent to \"Office\": Destination \"Office\" is not accepting jobs."},
      {"removed during the job", [&] { service.queues.clear(); },
       "The print job could not be sent to \"Office\": The printer or class does not exist."},
  };
  for (const auto& c : cases) {
    service.queues = {"Office"};
    service.refusing.clear();
    printer.BeginDoc();
    printer.Canvas()->FillRect(fw::TRect{0, 0, 10, 10});
    c.Between();
    try {
      printer.EndDoc();
      ADD_FAILURE() << c.Name << ": the job was reported as printed";
    } catch (const fw::EPrinter& e) {
      EXPECT_EQ(e.Message(), c.Message) << c.Name;
    }
    EXPECT_FALSE(printer.Printing()) << c.Name;
  }
  EXPECT_TRUE(service.jobs.empty());
}

// Each queue starts on its own default paper (the default queue as the printer is made, another
// as it is chosen; A4 where the print system names none), and a job asks its queue for the paper
// its pages were laid out on: the queue's or the one chosen since.
TEST(PrinterQueues, AQueueStartsOnItsPaperAndAJobAsksForThePaperChosen) {
  FakePrintService service;
  service.queues = {"Office", "Lab", "Plain"};
  service.defaultQueue = "Office";
  service.papers = {{"Office", {215.9, 279.4}}, {"Lab", {148, 210}}};
  fw::TPrinter printer;
  struct Step {
    const char* Queue;
    bool ByName;                  // chosen by its name, else by its place
    double SetWidth, SetHeight;  // 0: the queue's own paper
    double Width, Height;         // the paper of the page and of the job
  };
  const Step steps[] = {
      {"Office", false, 0, 0, 215.9, 279.4},
      {"Lab", false, 0, 0, 148, 210},
      {"Plain", false, 0, 0, 148, 210},   // names none: the paper stays as it was
      {"Office", false, 297, 420, 297, 420},  // chosen after the queue
      {"Lab", true, 0, 0, 148, 210},
      {"Office", true, 0, 0, 215.9, 279.4},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.Queue);
    const std::vector<fw::String> names = printer.Printers();
    if (step.ByName)
      printer.SetPrinterName(step.Queue);
    else
      printer.SetPrinterIndex(fw::Integer(std::find(names.begin(), names.end(), step.Queue) - names.begin()));
    if (step.SetWidth > 0) printer.SetPaperSize(step.SetWidth, step.SetHeight);
    EXPECT_DOUBLE_EQ(printer.PaperWidthMM(), step.Width);
    EXPECT_DOUBLE_EQ(printer.PaperHeightMM(), step.Height);
    PrintOnePage(printer, "Paper");
    ASSERT_FALSE(service.jobs.empty());
    EXPECT_EQ(service.jobs.back().Queue, step.Queue);
    EXPECT_DOUBLE_EQ(service.jobs.back().Paper.widthMM, step.Width);
    EXPECT_DOUBLE_EQ(service.jobs.back().Paper.heightMM, step.Height);
  }
}

}  // namespace
