#include "controls/CsBitmapHint.h"

#include <memory>

#include "framework/ControlMessages.h"
#include "framework/GraphicsCanvas.h"

namespace cs {

fw::TBitmap* HintBitmap() {
  static const std::unique_ptr<fw::TBitmap> bitmap = std::make_unique<fw::TBitmap>();
  return bitmap.get();
}

const fw::THintWindowClassInfo* TBitmapHint::ClassInfo() {
  static const fw::THintWindowClassInfo info("TBitmapHint", [](fw::TComponent* o) -> fw::THintWindow* {
    return new TBitmapHint(o);
  }, fw::THintWindow::ClassInfo());
  return &info;
}

fw::TRect TBitmapHint::CalcHintRect(fw::Integer, const fw::String&, void*) {
  return fw::Rect(0, 0, HintBitmap()->Width() - 2, HintBitmap()->Height() - 2);
}

void TBitmapHint::ActivateHint(const fw::TRect& Rect, const fw::String& AHint) {
  fw::TRect r = Rect;
  r.right = r.left + HintBitmap()->Width() - 2;
  r.bottom = r.top + HintBitmap()->Height() - 2;
  fw::THintWindow::ActivateHint(r, AHint);
}

void TBitmapHint::Paint() { Canvas()->Draw(0, 0, HintBitmap()); }

void TBitmapHint::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == fw::CM_TEXTCHANGED) {
    Message.Result = 1;
    return;
  }
  fw::THintWindow::Dispatch(Message);
}

}  // namespace cs
