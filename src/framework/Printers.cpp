// The print job: each page is drawn on a bitmap at the printer's resolution and, when the next
// page begins or the job ends, placed on a page of a PDF document kept in memory. When the job
// ends the document is written to the PDF printer's file, or handed whole to the chosen queue
// through the desktop's print service; an aborted job is simply dropped.

#include "framework/Printers.h"

#include <algorithm>
#include <cmath>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/SafeSave.h"
#include "framework/Streams.h"
#include "platform/desktop/PrintService.h"
#include "platform/gdi/PdfDocument.h"

namespace fw {

namespace {
const char kPdfPrinter[] = "PDF";

// The printers in their order: the default one first (the system's default queue, or the PDF
// printer when the system names none), then the other queues, then the PDF printer.
struct TPrinterEntry {
  String Name;
  bool Queue;
};

std::vector<TPrinterEntry> PrinterList() {
  std::vector<TPrinterEntry> list;
  win::desktop::PrintService* service = win::desktop::GetPrintService();
  const String fallback = service ? service->DefaultQueue() : String();
  if (fallback.empty()) list.push_back({kPdfPrinter, false});
  else list.push_back({fallback, true});
  if (service)
    for (const String& name : service->Queues())
      if (name != fallback && name != kPdfPrinter) list.push_back({name, true});
  if (!fallback.empty()) list.push_back({kPdfPrinter, false});
  return list;
}

// The entry of the printer named Name (the default for an empty name); null when it has gone.
const TPrinterEntry* Find(const std::vector<TPrinterEntry>& List, const String& Name) {
  if (Name.empty()) return &List.front();
  auto it = std::find_if(List.begin(), List.end(), [&](const TPrinterEntry& e) { return e.Name == Name; });
  return it == List.end() ? nullptr : &*it;
}
}  // namespace

struct TPrinter::TJob {
  std::unique_ptr<win::gdi::PdfDocument> Document;
  String Queue;  // empty: the PDF printer
};

TPrinter::TPrinter() { TakeQueuePaper(); }

void TPrinter::TakeQueuePaper() {
  win::desktop::PrintService* service = win::desktop::GetPrintService();
  const std::vector<TPrinterEntry> list = PrinterList();
  const TPrinterEntry* entry = Find(list, FChosenName);
  if (service == nullptr || entry == nullptr || !entry->Queue) return;
  if (std::optional<win::desktop::PaperSize> paper = service->DefaultPaper(entry->Name))
    if (paper->widthMM > 0 && paper->heightMM > 0) {
      FPaperWidthMM = paper->widthMM;
      FPaperHeightMM = paper->heightMM;
    }
}
TPrinter::~TPrinter() {
  // A job still open when the printer goes is dropped, never half-submitted.
  if (FPrinting) Abort();
}

std::vector<String> TPrinter::Printers() const {
  std::vector<String> names;
  for (const TPrinterEntry& e : PrinterList()) names.push_back(e.Name);
  return names;
}

String TPrinter::PrinterName() const {
  const std::vector<TPrinterEntry> list = PrinterList();
  const TPrinterEntry* e = Find(list, FChosenName);
  return e ? e->Name : String();
}

Integer TPrinter::PrinterIndex() const {
  const std::vector<TPrinterEntry> list = PrinterList();
  const TPrinterEntry* e = Find(list, FChosenName);
  return e ? Integer(e - list.data()) : -1;
}

void TPrinter::SetPrinterIndex(Integer Value) {
  CheckPrinting(false);
  const std::vector<String> names = Printers();
  if (Value < 0 || Value >= Integer(names.size())) throw EPrinter("Printer index out of range");
  FChosenName = names[std::size_t(Value)];
  TakeQueuePaper();
}

void TPrinter::SetPrinterName(const String& Name) {
  CheckPrinting(false);
  FChosenName = Name;
  TakeQueuePaper();
}

void TPrinter::CheckPrinting(bool Value) const {
  if (FPrinting != Value) throw EPrinter(Value ? "Printing not in progress" : "Printing in progress");
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
  CheckPrinting(false);
  FOrientation = Value;
}

void TPrinter::SetPaperSize(double WidthMM, double HeightMM) {
  CheckPrinting(false);
  if (!(WidthMM > 0) || !(HeightMM > 0)) throw EPrinter("Invalid paper size");
  FPaperWidthMM = WidthMM;
  FPaperHeightMM = HeightMM;
}

void TPrinter::SetResolution(Integer Value) {
  CheckPrinting(false);
  if (Value < 36 || Value > 1200) throw EPrinter("Invalid printer resolution");
  FResolution = Value;
}

Integer TPrinter::PageWidth() const {
  const double mm = FOrientation == poPortrait ? FPaperWidthMM : FPaperHeightMM;
  return Integer(std::lround(mm * FResolution / 25.4));
}

Integer TPrinter::PageHeight() const {
  const double mm = FOrientation == poPortrait ? FPaperHeightMM : FPaperWidthMM;
  return Integer(std::lround(mm * FResolution / 25.4));
}

TCanvas* TPrinter::Canvas() {
  CheckPrinting(true);
  return FPage->Canvas();
}

void TPrinter::BeginDoc() {
  CheckPrinting(false);
  const std::vector<TPrinterEntry> list = PrinterList();
  // A queue that went away since it was chosen is reported, never replaced by another.
  const TPrinterEntry* entry = Find(list, FChosenName);
  if (entry == nullptr) throw EPrinter("The printer \"" + FChosenName + "\" is no longer available");
  if (!entry->Queue && FileName.empty()) throw EPrinter("No file name for the PDF printer");
  auto job = std::make_unique<TJob>();
  job->Queue = entry->Queue ? entry->Name : String();
  win::gdi::PdfPaper paper;
  paper.widthMM = FPaperWidthMM;
  paper.heightMM = FPaperHeightMM;
  paper.landscape = FOrientation == poLandscape;
  paper.resolution = FResolution;
  job->Document = std::make_unique<win::gdi::PdfDocument>(paper, Title, "Korvalin");
  if (!job->Document->Started()) throw EPrinter("Cannot start the print job");
  auto page = std::make_unique<TBitmap>();
  page->SetPixelFormat(pf24bit);
  page->SetSize(PageWidth(), PageHeight());
  FJob = std::move(job);
  FPage = std::move(page);
  FPrinting = true;
  FAborted = false;
  FPageNumber = 1;
  NewPageSurface();
}

void TPrinter::NewPageSurface() {
  TCanvas* c = FPage->Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clWhite);
  c->FillRect(TRect{0, 0, FPage->Width(), FPage->Height()});
}

// The page bitmap onto a page of the document, filling it.
void TPrinter::FlushPage() {
  const auto* rows = static_cast<const std::uint8_t*>(FPage->ScanLine(0));
  if (!FJob->Document->AddPage(rows, FPage->Width(), FPage->Height(), std::ptrdiff_t(FPage->ScanLineSize())))
    throw EPrinter("Cannot start a new page");
}

void TPrinter::NewPage() {
  CheckPrinting(true);
  FlushPage();
  NewPageSurface();
  ++FPageNumber;
}

void TPrinter::EndDoc() {
  CheckPrinting(true);
  struct TEnd {
    TPrinter* P;
    ~TEnd() {
      P->FJob.reset();
      P->FPage.reset();
      P->FPrinting = false;
      P->FPageNumber = 0;
    }
  } end{this};
  FlushPage();
  const std::string pdf = FJob->Document->Finish();
  if (FJob->Queue.empty()) {
    if (pdf.empty()) throw EPrinter("Cannot finish the print job");
    SaveFileSafely(FileName, [&pdf](TStream* Stream) { Stream->WriteBuffer(pdf.data(), Integer(pdf.size())); });
    return;
  }
  const String failed = "The print job could not be sent to \"" + FJob->Queue + "\"";
  if (pdf.empty()) throw EPrinter(failed);
  win::desktop::PrintService* service = win::desktop::GetPrintService();
  if (service == nullptr) throw EPrinter(failed + ": " + win::desktop::kNoPrintSystem);
  // The queue is told the paper the pages were laid out on, or it prints them on its own.
  const win::desktop::PaperSize paper{FPaperWidthMM, FPaperHeightMM};
  if (std::optional<std::string> refused =
          service->Submit(FJob->Queue, Title, pdf, int(std::max<Integer>(1, Copies)), paper))
    throw EPrinter(failed + ": " + *refused);
}

void TPrinter::Abort() {
  CheckPrinting(true);
  FJob.reset();
  FPage.reset();
  FPrinting = false;
  FAborted = true;
  FPageNumber = 0;
}

}  // namespace fw
