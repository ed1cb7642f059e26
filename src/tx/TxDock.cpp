#include "tx/TxDock.h"

#include <vector>

#include "framework/ControlMessages.h"
#include "framework/Forms.h"
#include "platform/user/painting/Paint.h"
#include "toolbars/TBDockableWindow.h"
#include "tx/Tx.h"
#include "tx/TxDkPanels.h"
#include "tx/TxParentBackground.h"
#include "tx/TxToolbar.h"
#include "tx/TxUtils.h"
#include "tx/detail/TxCanvasDC.h"

namespace tx {

using namespace toolbars;
using detail::TDCCanvas;

namespace {

Integer DockPaintPosition(TTBDockPosition P) {
  switch (P) {
    case dpBottom: return DP_BOTTOM;
    case dpLeft: return DP_LEFT;
    case dpRight: return DP_RIGHT;
    default: return DP_TOP;
  }
}

}  // namespace

TTxDock::TTxDock(fw::TComponent* AOwner) : TTBDock(AOwner) {
  SetColor(fw::clNone);
  AddThemeChangeListener(this);
}

TTxDock::~TTxDock() {
  RemoveThemeChangeListener(this);
  ReleasePanels();
}

void TTxDock::ReleasePanels() {
  fw::TCustomForm* form = fw::GetParentForm(this);
  if (!form || form->ComponentState().Contains(fw::csDestroying)) return;
  std::vector<TTxDockablePanel*> panels;
  for (Integer i = 0; i < ControlCount(); ++i)
    if (auto* p = dynamic_cast<TTxDockablePanel*>(Controls(i))) panels.push_back(p);
  for (TTxDockablePanel* p : panels) {
    if (p->ComponentState().Contains(fw::csDestroying)) continue;
    if (p->DockMode() == toolbars::dmCanFloat && form->HandleAllocated()) {
      p->SetFloatingPosition(p->ClientToScreen(TPoint{0, 0}));
      p->SetFloating(true);
    } else {
      p->Hide();
      p->SetCurrentDock(nullptr);
    }
  }
}

void TTxDock::SetUseParentBackground(bool Value) {
  if (FUseParentBackground == Value) return;
  FUseParentBackground = Value;
  if (HandleAllocated())
    win::RedrawWindow(Handle(), nullptr, nullptr,
                      win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_ALLCHILDREN | win::RDW_FRAME);
}

bool TTxDock::ThemedBackground() {
  return !Background() && Color() == fw::clNone && CurrentTheme->GetBooleanMetric(TMB_VISUAL_STYLES);
}

void TTxDock::DrawBackground(win::HDC DC, const TRect& DrawRect) {
  if (FUseParentBackground) {
    PaintParentBackground(this, DC, ClientRect());
  } else if (ThemedBackground()) {
    TDCCanvas canvas(DC);
    CurrentTheme->PaintDock(canvas.get(), ClientRect(), DrawRect, DockPaintPosition(Position()));
  } else {
    TTBDock::DrawBackground(DC, DrawRect);
  }
}

bool TTxDock::UsingBackground() {
  return FUseParentBackground || (ThemedBackground() && !FMoving) || TTBDock::UsingBackground();
}

void TTxDock::EraseBackground(fw::TMessage& Message) {
  auto dc = reinterpret_cast<win::HDC>(Message.WParam);
  if (!UsingBackground())
    FillRectColor(dc, ClientRect(), Color() != fw::clNone ? Color() : GetEffectiveColor(Parent()));
  else
    DrawBackground(dc, ClientRect());
  Message.Result = 1;
}

void TTxDock::Resize() {
  TTBDock::Resize();
  if (!UsingBackground()) return;
  for (Integer i = 0; i < GetToolbarCount(); ++i) {
    Invalidate();
    if (auto* toolbar = dynamic_cast<TTxToolbar*>(GetToolbars(i))) RepaintBetweenViewers(toolbar);
  }
}

void TTxDock::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case TXM_GETEFFECTIVECOLOR:
      Message.WParam = win::WPARAM(Color() != fw::clNone ? Color() : GetEffectiveColor(Parent()));
      Message.Result = 1;
      return;
    case TXM_THEMECHANGE:
      if (Message.WParam == 3) Invalidate();
      return;
    case win::WM_ERASEBKGND: EraseBackground(Message); return;
    case win::WM_MOVE:
      FMoving = true;
      TTBDock::Dispatch(Message);
      FMoving = false;
      return;
    case win::WM_SIZE:
      FSizing = true;
      TTBDock::Dispatch(Message);
      FSizing = false;
      return;
    case fw::CM_COLORCHANGED:
      TTBDock::Dispatch(Message);
      for (Integer i = 0; i < ControlCount(); ++i)
        if (auto* child = dynamic_cast<fw::TWinControl*>(Controls(i))) RedrawFrameAndClient(child);
      return;
    default: TTBDock::Dispatch(Message);
  }
}

}  // namespace tx
