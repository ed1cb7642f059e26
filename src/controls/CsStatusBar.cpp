#include "controls/CsStatusBar.h"

#include <utility>

#include "framework/ControlMessages.h"
#include "framework/Forms.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiDC.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/ObjectIds.h"
#include "platform/user/services/SysMetrics.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUxThemes.h"

namespace cs {

namespace {

bool OfficeTheme() {
  return tx::GetCurrentThemeName().find("Office") != String::npos;
}

bool IsEmpty(const TRect& R) {
  return R.right <= R.left || R.bottom <= R.top;
}

fw::TCustomForm* FormOf(fw::TControl* Control) {
  for (fw::TControl* c = Control; c; c = c->Parent())
    if (auto* f = dynamic_cast<fw::TCustomForm*>(c)) return f;
  return nullptr;
}

}  // namespace

// ---- compound items control ------------------------------------------------------------------

TCsCompoundItemsControl::TCsCompoundItemsControl(fw::TComponent* AOwner)
    : TCsCompoundItemsControl(AOwner, TCsToolbarClass::Of<TCsToolbar>()) {}

TCsCompoundItemsControl::TCsCompoundItemsControl(fw::TComponent* AOwner, TCsToolbarClass ToolbarClass)
    : TCsThemed<fw::TCustomControl>(AOwner) {
  FDock = new TCsDock(this);
  FDock->SetParent(this);
  FDock->SetAlign(fw::alTop);
  // The embedded toolbar is part of the control (a status line, a caption): a press on its bare
  // face must not tear it off into a floating window.
  FDock->SetAllowDrag(false);
  FToolbar = ToolbarClass.Create(this);
  FToolbar->SetEmbedded(true);
  FToolbar->SetBorderStyle(fw::bsNone);
  FToolbar->SetDragHandleStyle(toolbars::dhNone);
  FToolbar->SetStretch(true);
  FToolbar->SetShrinkMode(toolbars::tbsmNone);
  FToolbar->SetShowCaption(false);
  FToolbar->SetCurrentDock(FDock);
  FDock->OnRequestDock = [this](fw::TObject*, toolbars::TTBCustomDockableWindow* Bar, bool& Accept) {
    Accept = Bar == FToolbar;
  };
  // The bar is as high as its dock.
  FDock->OnResize = [this](fw::TObject*) {
    if (FDock && FDock->Height() != Height()) SetHeight(FDock->Height());
  };
}

TCsCompoundItemsControl::~TCsCompoundItemsControl() {
  // The toolbar goes before its dock: a dock torn down as a plain child would leave the toolbar
  // asking a half-destroyed dock to let it go.
  delete std::exchange(FToolbar, nullptr);
  delete std::exchange(FDock, nullptr);
}

void TCsCompoundItemsControl::Repaint() {
  if (HandleAllocated())
    win::RedrawWindow(Handle(), nullptr, nullptr,
                      win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_ALLCHILDREN);
}

void TCsCompoundItemsControl::ThemeChanged() {
  Repaint();
}

void TCsCompoundItemsControl::Loaded() {
  TCsThemed<fw::TCustomControl>::Loaded();
  for (Integer i = 0; i < Items()->Count(); ++i)
    if (auto* ci = dynamic_cast<toolbars::TTBControlItem*>(Items()->Items(i)); ci && ci->Control())
      ci->Control()->SetParent(FToolbar);
}

void TCsCompoundItemsControl::GetChildren(const std::function<void(fw::TComponent* Child)>& Proc,
                                          fw::TComponent* /*Root*/) {
  toolbars::TTBRootItem* items = Items();
  for (Integer i = 0; i < items->Count(); ++i) Proc(items->Items(i));
  for (Integer i = 0; i < items->Count(); ++i)
    if (auto* ci = dynamic_cast<toolbars::TTBControlItem*>(items->Items(i)); ci && ci->Control())
      if (ci->Control()->Parent() != this) Proc(ci->Control());
  for (Integer i = 0; i < ControlCount(); ++i)
    if (Controls(i) != FDock) Proc(Controls(i));
}

void TCsCompoundItemsControl::CreateParams(fw::TCreateParams& Params) {
  TCsThemed<fw::TCustomControl>::CreateParams(Params);
  Params.WindowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

void TCsCompoundItemsControl::Resize() {
  TCsThemed<fw::TCustomControl>::Resize();
  if (FToolbar) FToolbar->Resize();
}

void TCsCompoundItemsControl::Dispatch(fw::TMessage& Message) {
  TCsThemed<fw::TCustomControl>::Dispatch(Message);
}

// ---- compound bar ----------------------------------------------------------------------------

TCsCompoundBar::TCsCompoundBar(fw::TComponent* AOwner, TCsToolbarClass ToolbarClass)
    : TCsCompoundItemsControl(AOwner, ToolbarClass) {
  Dock()->OnDrawBackground = [this](fw::TObject*, fw::TCanvas* ACanvas, TRect& ARect,
                                    TCsPaintStage PaintStage, bool& PaintDefault) {
    if (PaintStage != pstPrePaint) return;
    ACanvas->Brush()->SetColor(fw::clBtnFace);
    bool paintDefault = true;
    DoDrawDockBackground(ACanvas, ARect, pstPrePaint, paintDefault);
    PaintDefault = paintDefault;
    paintDefault = true;
    DoDrawDockBackground(ACanvas, ARect, pstPostPaint, paintDefault);
  };
}

void TCsCompoundBar::DoDrawDockBackground(fw::TCanvas* ACanvas, TRect& ARect, TCsPaintStage PaintStage,
                                          bool& PaintDefault) {
  if (OnDrawDockBackground) OnDrawDockBackground(this, ACanvas, ARect, PaintStage, PaintDefault);
}

// ---- status toolbar --------------------------------------------------------------------------

Integer TCsStatusToolbarView::GetAccRole() { return win::ROLE_SYSTEM_STATUSBAR; }

toolbars::TTBToolbarViewClass TCsStatusToolbar::GetViewClass() {
  return toolbars::TTBToolbarViewClass::Of<TCsStatusToolbarView>();
}

bool TCsStatusToolbar::PaintsOwnSeparators() const {
  return GetEffectiveThemeType(FThemeType) == thtNone || OfficeTheme();
}

TRect TCsStatusToolbar::GetGripRect() const {
  if (!Docked() || !CurrentDock()) return TRect{};
  fw::TCustomForm* form = FormOf(const_cast<TCsStatusToolbar*>(this));
  if (!form || form->WindowState() != fw::wsNormal) return TRect{};
  TRect r = CurrentDock()->ClientRect();
  r.top -= 3;
  r.left = r.right - win::GetSystemMetrics(win::SM_CXVSCROLL);
  return r;
}

void TCsStatusToolbar::Dispatch(fw::TMessage& Message) {
  const bool designing = ComponentState().Contains(fw::csDesigning);
  if (!designing && CurrentDock() &&
      (Message.Msg == win::WM_LBUTTONDOWN || Message.Msg == win::WM_SETCURSOR)) {
    fw::TPoint p;
    if (Message.Msg == win::WM_LBUTTONDOWN) {
      p = fw::TPoint{Integer(short(Message.LParam & 0xFFFF)),
                     Integer(short((Message.LParam >> 16) & 0xFFFF))};
    } else {
      win::GetCursorPos(&p);
      p = ScreenToClient(p);
    }
    const fw::TPoint inDock = CurrentDock()->ScreenToClient(ClientToScreen(p));
    const TRect grip = GetGripRect();
    const bool overGrip = !IsEmpty(grip) && inDock.x >= grip.left && inDock.x < grip.right &&
                          inDock.y >= grip.top && inDock.y < grip.bottom;
    if (overGrip && Message.Msg == win::WM_LBUTTONDOWN) {
      win::ReleaseCapture();
      if (fw::TCustomForm* form = FormOf(this); form && form->HandleAllocated())
        win::SendMessageW(form->Handle(), win::WM_SYSCOMMAND, win::SC_SIZE + 8, 0);
      return;
    }
    if (overGrip && Message.Msg == win::WM_SETCURSOR && fw::Screen && fw::Screen->Cursor() == fw::crDefault) {
      win::SetCursor(fw::Screen->Cursors(fw::crSizeNWSE));
      Message.Result = 1;
      return;
    }
  }
  TCsToolbar::Dispatch(Message);
}

// ---- status bar ------------------------------------------------------------------------------

TCsCustomStatusBar::TCsCustomStatusBar(fw::TComponent* AOwner)
    : TCsCompoundBar(AOwner, TCsToolbarClass::Of<TCsStatusToolbar>()) {
  SetAlign(fw::alBottom);
}

void TCsCustomStatusBar::ThemeChanged() {
  StatusToolbar()->SetThemeType(ThemeType());
  TCsCompoundBar::ThemeChanged();
}

void TCsCustomStatusBar::DoDrawDockBackground(fw::TCanvas* ACanvas, TRect& ARect, TCsPaintStage PaintStage,
                                              bool& PaintDefault) {
  TCsCompoundBar::DoDrawDockBackground(ACanvas, ARect, PaintStage, PaintDefault);
  if (PaintStage != pstPrePaint || !PaintDefault) return;
  PaintDefault = false;
  TRect grip = StatusToolbar()->GetGripRect();
  const bool shifted = ARect.left == -2 && ARect.top == -2;
  if (!IsEmpty(grip) && shifted) {
    grip.left -= 2;
    grip.right -= 2;
    grip.top -= 2;
    grip.bottom -= 2;
  }
  PaintStatusBarBackground(ACanvas, ARect, grip, ThemeType());
  if (StatusToolbar()->PaintsOwnSeparators()) DrawSeparators(ACanvas, ARect);
}

void TCsCustomStatusBar::DrawSeparators(fw::TCanvas* ACanvas, const TRect& ARect) {
  toolbars::TTBView* view = StatusToolbar()->View();
  if (!view) return;
  const bool shifted = ARect.left == -2 && ARect.top == -2;
  const fw::TColor second = GetEffectiveThemeType(ThemeType()) == thtNone ? fw::clBtnShadow : fw::clWindow;
  const fw::TPoint origin = Dock()->ScreenToClient(StatusToolbar()->ClientToScreen(fw::TPoint{0, 0}));
  for (Integer i = 0; i < view->ViewerCount(); ++i) {
    toolbars::TTBItemViewer* v = view->Viewers(i);
    auto* sep = dynamic_cast<toolbars::TTBSeparatorItem*>(v->Item());
    if (!sep || sep->Blank() || !v->Show()) continue;
    TRect r = v->BoundsRect();
    r.left += origin.x;
    r.right += origin.x;
    if (!shifted) {
      r.left += 2;
      r.right += 2;
    }
    const Integer x = (r.left + r.right) / 2 - 2;
    const TRect line{x, ARect.top, x + 3, ARect.bottom};
    ACanvas->FillRect(line);
    ACanvas->Pen()->SetColor(fw::clWindow);
    ACanvas->MoveTo(x, line.top);
    ACanvas->LineTo(x, line.bottom);
    ACanvas->Pen()->SetColor(second);
    ACanvas->MoveTo(x + 3, line.top);
    ACanvas->LineTo(x + 3, line.bottom);
  }
}

void TCsCustomStatusBar::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == win::WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  TCsCompoundBar::Dispatch(Message);
}

void PaintStatusBarBackground(fw::TCanvas* Canvas, const TRect& Rect, const TRect& GripRect,
                              TCsThemeType ThemeType) {
  const win::HDC dc = Canvas->Handle();
  switch (GetEffectiveThemeType(ThemeType)) {
    case thtNone: {
      Canvas->Brush()->SetColor(fw::clBtnFace);
      Canvas->FillRect(Rect);
      TRect r = Rect;
      tx::DrawFrame3D(dc, r, fw::clBtnShadow, fw::clWindow, false);
      if (!IsEmpty(GripRect)) {
        TRect g = GripRect;
        g.top += 4;
        g.right -= 1;
        g.bottom -= 1;
        win::DrawFrameControl(dc, &g, win::DFC_SCROLL, win::DFCS_SCROLLSIZEGRIP);
      }
      break;
    }
    case thtWindows:
      tx::DrawThemePart(tx::StatusThemeHandle, dc, 0, 0, Rect);
      if (!IsEmpty(GripRect)) tx::DrawThemePart(tx::StatusThemeHandle, dc, 3, 0, GripRect);
      break;
    case thtTx:
      if (OfficeTheme()) {
        Canvas->Brush()->SetColor(fw::clBtnFace);
        Canvas->FillRect(Rect);
        TRect r = Rect;
        tx::FrameRectColor(dc, r, fw::clWindow, false);
      } else {
        tx::CurrentTheme->PaintStatusBar(Canvas, Rect, 0);
      }
      if (!IsEmpty(GripRect)) tx::CurrentTheme->PaintStatusBar(Canvas, GripRect, 3);
      break;
  }
}

}  // namespace cs
