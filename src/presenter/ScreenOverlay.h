#pragma once
// What our windows drew on the screen itself (GetDC(NULL): inverted drag frames, outlines of
// windows being docked) shown over every window: a frameless window on top that lets input
// through and is shaped to the drawn pixels, hidden while nothing is drawn.

#include <QRasterWindow>

#include "platform/desktop/ScreenCompositor.h"

namespace win::presenter {

class ScreenOverlay final : public QRasterWindow {
 public:
  ScreenOverlay();
  // Shows the screen surface where it differs from the windows (`screen` outlives the call).
  void ShowDrawing(desktop::ScreenCompositor& screen, const RECT& screenRect);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  desktop::ScreenCompositor* screen_ = nullptr;
};

}  // namespace win::presenter
