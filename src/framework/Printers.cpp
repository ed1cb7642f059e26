// The print job: each page is drawn on a bitmap at the printer's resolution and, when the next
// page begins or the job ends, placed on the output page. The PDF printer's output is Qt's PDF
// writer into memory, written to the file once the job ends. A system queue's pages are kept
// until the job ends and only then painted on a QPrinter bound to the queue: Qt's print engine
// cannot withdraw a job once painting on it began, so an aborted job must never start one.

#include "framework/Printers.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/SafeSave.h"
#include "framework/Streams.h"

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
  const QString fallback = QPrinterInfo::defaultPrinterName();
  if (fallback.isEmpty()) list.push_back({kPdfPrinter, false});
  else list.push_back({fallback.toStdString(), true});
  for (const QString& name : QPrinterInfo::availablePrinterNames())
    if (name != fallback) list.push_back({name.toStdString(), true});
  if (!fallback.isEmpty()) list.push_back({kPdfPrinter, false});
  return list;
}
}  // namespace

struct TPrinter::TJob {
  QBuffer Buffer;
  std::unique_ptr<QPdfWriter> Writer;
  std::unique_ptr<QPrinter> Queue;  // set when the job goes to a system queue
  std::vector<QImage> QueuePages;   // the queue's pages, sent when the job ends
  std::unique_ptr<QPainter> Painter;
  bool PagePlaced = false;
};

TPrinter::TPrinter() = default;
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
  const std::vector<String> names = Printers();
  return FPrinterIndex < Integer(names.size()) ? names[std::size_t(FPrinterIndex)] : String();
}

void TPrinter::SetPrinterIndex(Integer Value) {
  CheckPrinting(false);
  const std::vector<String> names = Printers();
  if (Value < 0 || Value >= Integer(names.size())) throw EPrinter("Printer index out of range");
  FPrinterIndex = Value;
  FChosenName = names[std::size_t(Value)];
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
  // The list may have changed since the printer was chosen: a queue that went away is reported,
  // never replaced by the one that took its place.
  if (FPrinterIndex >= Integer(list.size()) ||
      (!FChosenName.empty() && list[std::size_t(FPrinterIndex)].Name != FChosenName))
    throw EPrinter("The printer \"" + FChosenName + "\" is no longer available");
  const String name = list[std::size_t(FPrinterIndex)].Name;
  const bool toQueue = list[std::size_t(FPrinterIndex)].Queue;
  if (!toQueue && FileName.empty()) throw EPrinter("No file name for the PDF printer");
  auto job = std::make_unique<TJob>();
  const QPageSize pageSize(QSizeF(FPaperWidthMM, FPaperHeightMM), QPageSize::Millimeter);
  const QPageLayout::Orientation orientation = FOrientation == poPortrait ? QPageLayout::Portrait : QPageLayout::Landscape;
  if (toQueue) {
    // Qt's printing refuses to run (by ending the process) before the application object exists.
    if (QCoreApplication::instance() == nullptr) throw EPrinter("Cannot start the print job");
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(name));
    if (info.isNull()) throw EPrinter("The printer \"" + name + "\" is no longer available");
    job->Queue = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    job->Queue->setResolution(FResolution);
    job->Queue->setFullPage(true);
    job->Queue->setPageSize(pageSize);
    job->Queue->setPageOrientation(orientation);
    job->Queue->setPageMargins(QMarginsF(0, 0, 0, 0));
    job->Queue->setDocName(QString::fromStdString(Title));
    job->Queue->setCreator(QStringLiteral("Korvalin"));
  } else {
    job->Buffer.open(QIODevice::WriteOnly);
    job->Writer = std::make_unique<QPdfWriter>(&job->Buffer);
    job->Writer->setResolution(FResolution);
    job->Writer->setPageSize(pageSize);
    job->Writer->setPageOrientation(orientation);
    job->Writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    job->Writer->setTitle(QString::fromStdString(Title));
    job->Writer->setCreator(QStringLiteral("Korvalin"));
  }
  job->Painter = std::make_unique<QPainter>();
  if (!toQueue) {
    if (!job->Painter->begin(job->Writer.get())) throw EPrinter("Cannot start the print job");
    // The page goes out without lossy compression: what was drawn is what prints.
    job->Painter->setRenderHint(QPainter::LosslessImageRendering);
  }
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

// The page bitmap onto the PDF page, filling it.
void TPrinter::FlushPage() {
  const QImage image(static_cast<const uchar*>(FPage->ScanLine(0)), FPage->Width(), FPage->Height(),
                     qsizetype(FPage->ScanLineSize()), QImage::Format_BGR888);
  if (FJob->Queue) {
    FJob->QueuePages.push_back(image.copy());
    return;
  }
  if (FJob->PagePlaced && !FJob->Writer->newPage()) throw EPrinter("Cannot start a new page");
  FJob->Painter->drawImage(QRect(0, 0, FPage->Width(), FPage->Height()), image);
  FJob->PagePlaced = true;
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
  if (FJob->Queue) {
    SendToQueue();
    return;
  }
  FJob->Painter->end();
  const QByteArray& bytes = FJob->Buffer.data();
  SaveFileSafely(FileName, [&bytes](TStream* Stream) { Stream->WriteBuffer(bytes.constData(), Integer(bytes.size())); });
}

// Paints the kept pages on the queue's printer; ending the painter hands the job to the print
// system.
void TPrinter::SendToQueue() {
  QPrinter& queue = *FJob->Queue;
  QPainter& painter = *FJob->Painter;
  const String failed = "The print job could not be sent to \"" + queue.printerName().toStdString() + "\"";
  if (!painter.begin(&queue)) throw EPrinter(failed);
  painter.setRenderHint(QPainter::LosslessImageRendering);
  bool first = true;
  for (const QImage& page : FJob->QueuePages) {
    if (!first && !queue.newPage()) throw EPrinter(failed);
    painter.drawImage(QRect(0, 0, page.width(), page.height()), page);
    first = false;
  }
  if (!painter.end() || queue.printerState() == QPrinter::Error) throw EPrinter(failed);
}

void TPrinter::Abort() {
  CheckPrinting(true);
  if (FJob->Painter->isActive()) FJob->Painter->end();
  FJob.reset();
  FPage.reset();
  FPrinting = false;
  FAborted = true;
  FPageNumber = 0;
}

}  // namespace fw
