#include "controls/UniCanvas.h"

#include "platform/gdi/GdiText.h"

namespace cs {

void WideCanvasTextOut(fw::TCanvas* Canvas, int X, int Y, const WideString& Text) {
  Canvas->Changing();
  Canvas->RequiredState({fw::csHandleValid, fw::csFontValid, fw::csBrushValid});
  const win::SIZE size = WideTextExtent(Canvas->Handle(), Text);
  if (Canvas->CanvasOrientation() == fw::coRightToLeft) X += size.cx + 1;
  win::ExtTextOutW(Canvas->Handle(), X, Y, win::UINT(Canvas->TextFlags()), nullptr, Text.c_str(),
                   win::UINT(Text.size()), nullptr);
  Canvas->MoveTo(X + size.cx, Y);
  Canvas->Changed();
}

win::SIZE WideTextExtent(win::HDC DC, const WideString& Text) {
  win::SIZE size{};
  win::GetTextExtentPoint32W(DC, Text.c_str(), int(Text.size()), &size);
  return size;
}

win::SIZE WideCanvasTextExtent(fw::TCanvas* Canvas, const WideString& Text) {
  Canvas->RequiredState({fw::csHandleValid, fw::csFontValid});
  return WideTextExtent(Canvas->Handle(), Text);
}

int WideCanvasTextWidth(fw::TCanvas* Canvas, const WideString& Text) { return WideCanvasTextExtent(Canvas, Text).cx; }
int WideCanvasTextHeight(fw::TCanvas* Canvas, const WideString& Text) { return WideCanvasTextExtent(Canvas, Text).cy; }

}  // namespace cs
