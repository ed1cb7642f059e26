#include "presenter/ScreenOverlay.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <vector>

namespace win::presenter {

ScreenOverlay::ScreenOverlay() {
  setFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput |
           Qt::WindowDoesNotAcceptFocus);
}

void ScreenOverlay::ShowDrawing(desktop::ScreenCompositor& screen, const RECT& screenRect) {
  screen_ = &screen;
  std::vector<QRect> rects;
  for (const RECT& r : screen.DrawnOver()) rects.emplace_back(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (rects.empty()) {
    if (isVisible()) setVisible(false);
    return;
  }
  QRegion shown;
  shown.setRects(rects.data(), int(rects.size()));
  const QRect geometry(screenRect.left, screenRect.top, screen.Width(), screen.Height());
  if (this->geometry() != geometry) setGeometry(geometry);
  setMask(shown);
  if (!isVisible()) setVisible(true);
  raise();
  update(shown.boundingRect());
}

void ScreenOverlay::paintEvent(QPaintEvent* event) {
  if (!screen_ || !screen_->Bits()) return;
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QImage picture(reinterpret_cast<const uchar*>(screen_->Bits()), screen_->Width(), screen_->Height(),
                       screen_->Width() * 4, QImage::Format_RGB32);
  for (const QRect& r : event->region()) {
    // Drawing leaves the alpha byte undefined; an RGB32 picture must hold 0xFF there.
    QImage part = picture.copy(r);
    for (int y = 0; y < part.height(); ++y) {
      auto* row = reinterpret_cast<uint32_t*>(part.scanLine(y));
      for (int x = 0; x < part.width(); ++x) row[x] |= 0xFF000000u;
    }
    painter.drawImage(r.topLeft(), part);
  }
}

}  // namespace win::presenter
