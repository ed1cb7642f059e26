#pragma once
// Owner-drawn hints: the one bitmap a control draws its hint into, and the hint window that
// shows that bitmap as it stands.

#include "framework/GraphicsBitmap.h"
#include "framework/HintWindow.h"

namespace cs {

// Shared by every control-set control; only one hint shows at a time.
fw::TBitmap* HintBitmap();

// Shows HintBitmap at its client origin, sized to the bitmap less the 1-pixel border on each
// side; a text change does not resize it.
class TBitmapHint : public fw::THintWindow {
 public:
  using fw::THintWindow::THintWindow;
  static const fw::THintWindowClassInfo* ClassInfo();

  void ActivateHint(const fw::TRect& Rect, const fw::String& AHint) override;
  fw::TRect CalcHintRect(fw::Integer MaxWidth, const fw::String& AHint, void* AData) override;

 protected:
  void Paint() override;
  void Dispatch(fw::TMessage& Message) override;
};

}  // namespace cs
