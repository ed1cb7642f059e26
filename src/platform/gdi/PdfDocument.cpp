#include "platform/gdi/PdfDocument.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace win::gdi {

struct PdfDocument::Impl {
  QBuffer buffer;
  std::unique_ptr<QPdfWriter> writer;
  QPainter painter;
  bool started = false;
};

PdfDocument::PdfDocument(const PdfPaper& paper, const std::string& title, const std::string& creator)
    : impl_(std::make_unique<Impl>()) {
  impl_->buffer.open(QIODevice::WriteOnly);
  impl_->writer = std::make_unique<QPdfWriter>(&impl_->buffer);
  QPdfWriter& w = *impl_->writer;
  w.setResolution(paper.resolution);
  w.setPageSize(QPageSize(QSizeF(paper.widthMM, paper.heightMM), QPageSize::Millimeter));
  w.setPageOrientation(paper.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  w.setPageMargins(QMarginsF(0, 0, 0, 0));
  w.setTitle(QString::fromStdString(title));
  w.setCreator(QString::fromStdString(creator));
}

PdfDocument::~PdfDocument() {
  if (impl_->painter.isActive()) impl_->painter.end();
}

bool PdfDocument::Started() const { return impl_->writer != nullptr; }

bool PdfDocument::AddPage(const uint8_t* rows, int width, int height, std::ptrdiff_t stride) {
  Impl& d = *impl_;
  if (!d.started) {
    if (!d.painter.begin(d.writer.get())) return false;
    // What was drawn is what prints: no lossy compression of the page.
    d.painter.setRenderHint(QPainter::LosslessImageRendering);
    d.started = true;
  } else if (!d.writer->newPage()) {
    return false;
  }
  const QImage image(rows, width, height, qsizetype(stride), QImage::Format_BGR888);
  d.painter.drawImage(QRect(0, 0, width, height), image);
  ++pages_;
  return true;
}

std::string PdfDocument::Finish() {
  Impl& d = *impl_;
  if (!d.started || !d.painter.end()) return {};
  const QByteArray& bytes = d.buffer.data();
  return std::string(bytes.constData(), size_t(bytes.size()));
}

}  // namespace win::gdi
