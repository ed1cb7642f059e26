// The print job: each page is drawn on a bitmap at the printer's resolution and, when the next
// page begins or the job ends, placed on a PDF page through Qt's PDF writer into memory; the
// file is written once the job ends.

#include "framework/Printers.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/SafeSave.h"
#include "framework/Streams.h"

namespace fw {

namespace {
const char kPdfPrinter[] = "PDF";
}  // namespace

struct TPrinter::TJob {
  QBuffer Buffer;
  std::unique_ptr<QPdfWriter> Writer;
  std::unique_ptr<QPainter> Painter;
  bool PagePlaced = false;
};

TPrinter::TPrinter() = default;
TPrinter::~TPrinter() = default;

std::vector<String> TPrinter::Printers() const { return {kPdfPrinter}; }

void TPrinter::SetPrinterIndex(Integer Value) {
  CheckPrinting(false);
  if (Value < 0 || Value >= Integer(Printers().size())) throw EPrinter("Printer index out of range");
  FPrinterIndex = Value;
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
  if (FileName.empty()) throw EPrinter("No file name for the PDF printer");
  auto job = std::make_unique<TJob>();
  job->Buffer.open(QIODevice::WriteOnly);
  job->Writer = std::make_unique<QPdfWriter>(&job->Buffer);
  job->Writer->setResolution(FResolution);
  job->Writer->setPageSize(QPageSize(QSizeF(FPaperWidthMM, FPaperHeightMM), QPageSize::Millimeter));
  job->Writer->setPageOrientation(FOrientation == poPortrait ? QPageLayout::Portrait : QPageLayout::Landscape);
  job->Writer->setPageMargins(QMarginsF(0, 0, 0, 0));
  job->Writer->setTitle(QString::fromStdString(Title));
  job->Writer->setCreator(QStringLiteral("Korvalin"));
  job->Painter = std::make_unique<QPainter>();
  if (!job->Painter->begin(job->Writer.get())) throw EPrinter("Cannot start the print job");
  // The page goes into the PDF without lossy compression: what was drawn is what prints.
  job->Painter->setRenderHint(QPainter::LosslessImageRendering);
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
  if (FJob->PagePlaced && !FJob->Writer->newPage()) throw EPrinter("Cannot start a new page");
  const QImage image(static_cast<const uchar*>(FPage->ScanLine(0)), FPage->Width(), FPage->Height(),
                     qsizetype(FPage->ScanLineSize()), QImage::Format_BGR888);
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
  FJob->Painter->end();
  const QByteArray& bytes = FJob->Buffer.data();
  SaveFileSafely(FileName, [&bytes](TStream* Stream) { Stream->WriteBuffer(bytes.constData(), Integer(bytes.size())); });
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
