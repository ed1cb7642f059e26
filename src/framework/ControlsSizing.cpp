// The sizing hooks of controls: margins kept by the alignment, the steps a new size goes
// through (CanResize, Constraints, AutoSize with CanAutoSize), and the client area the
// alignment uses (AdjustClientRect).

#include <algorithm>

#include "framework/Controls.h"

namespace fw {

void TMargins::SetMargins(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom) {
  if (ALeft == FLeft && ATop == FTop && ARight == FRight && ABottom == FBottom) return;
  FLeft = ALeft;
  FTop = ATop;
  FRight = ARight;
  FBottom = ABottom;
  if (OnChange) OnChange(this);
}

void TMargins::Assign(TPersistent* Source) {
  if (auto* m = dynamic_cast<TMargins*>(Source)) {
    SetMargins(m->FLeft, m->FTop, m->FRight, m->FBottom);
    return;
  }
  TPersistent::Assign(Source);
}

void TControl::SetAlignWithMargins(bool Value) {
  if (FAlignWithMargins == Value) return;
  FAlignWithMargins = Value;
  RequestAlign();
}

void TControl::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  if (Value) AdjustSize();
}

bool TControl::CanResize(Integer& NewWidth, Integer& NewHeight) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, resize);
  return resize;
}

bool TControl::CanAutoSize(Integer&, Integer&) { return false; }

void TControl::AdjustSize() {
  if (!FAutoSize || FAutoSizing || ComponentState().Contains(csLoading)) return;
  FAutoSizing = true;
  try {
    SetBounds(FLeft, FTop, FWidth, FHeight);
  } catch (...) {
    FAutoSizing = false;
    throw;
  }
  FAutoSizing = false;
}

void TControl::CheckNewSize(Integer& NewWidth, Integer& NewHeight) {
  Integer w = std::max(NewWidth, 0), h = std::max(NewHeight, 0);
  if (w != FWidth || h != FHeight) {
    Integer askW = w, askH = h;
    if (CanResize(askW, askH)) {
      w = std::max(askW, 0);
      h = std::max(askH, 0);
    } else {
      w = FWidth;
      h = FHeight;
    }
  }
  FConstraints->Apply(w, h);
  if (FAutoSize) {
    Integer fitW = w, fitH = h;
    if (CanAutoSize(fitW, fitH)) {
      w = std::max(fitW, 0);
      h = std::max(fitH, 0);
      FConstraints->Apply(w, h);
    }
  }
  NewWidth = w;
  NewHeight = h;
}

void TWinControl::AdjustClientRect(TRect&) {}

bool TWinControl::CanAutoSize(Integer& NewWidth, Integer& NewHeight) {
  // The room each side's aligned children take, and how far the others reach.
  Integer across = 0, down = 0;           // alLeft/alRight widths, alTop/alBottom heights
  Integer spanW = 0, spanH = 0;           // the widest top/bottom/client child, the tallest left/right/client one
  Integer reachW = 0, reachH = 0;         // right and bottom edges of children placed freely
  bool any = false;
  for (TControl* c : FControls) {
    if (!c->Visible()) continue;
    any = true;
    Integer ml = 0, mt = 0, mr = 0, mb = 0;
    if (c->AlignWithMargins()) {
      ml = c->Margins()->Left();
      mt = c->Margins()->Top();
      mr = c->Margins()->Right();
      mb = c->Margins()->Bottom();
    }
    const Integer w = c->Width() + ml + mr, h = c->Height() + mt + mb;
    const Integer minW = c->Constraints()->MinWidth() + ml + mr, minH = c->Constraints()->MinHeight() + mt + mb;
    switch (c->Align()) {
      case alTop:
      case alBottom:
        down += h;
        spanW = std::max(spanW, minW);
        break;
      case alLeft:
      case alRight:
        across += w;
        spanH = std::max(spanH, minH);
        break;
      case alClient:
        spanW = std::max(spanW, minW);
        spanH = std::max(spanH, minH);
        break;
      default:
        reachW = std::max(reachW, c->Left() + c->Width() + mr);
        reachH = std::max(reachH, c->Top() + c->Height() + mb);
        break;
    }
  }
  if (!any) return false;
  // What the borders and AdjustClientRect take off the control's own size.
  TRect client = ClientRect();
  TRect inner = client;
  AdjustClientRect(inner);
  const Integer frameW = (FWidth - (client.right - client.left)) + (inner.left - client.left) + (client.right - inner.right);
  const Integer frameH = (FHeight - (client.bottom - client.top)) + (inner.top - client.top) + (client.bottom - inner.bottom);
  NewWidth = std::max(across + spanW, reachW) + frameW;
  NewHeight = std::max(down + spanH, reachH) + frameH;
  return true;
}

}  // namespace fw
