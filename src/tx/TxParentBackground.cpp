#include "tx/TxParentBackground.h"

#include "framework/ControlMessages.h"
#include "platform/gdi/GdiDC.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBDock.h"
#include "tx/Tx.h"
#include "tx/TxUtils.h"

namespace tx {

void PaintParentBackground(fw::TControl* Control, win::HDC DC, const TRect& ARect) {
  fw::TWinControl* parent = Control->Parent();
  if (!parent) {
    FillRectColor(DC, ARect, fw::clBtnFace);
    return;
  }
  const TPoint origin = parent->ScreenToClient(Control->ClientToScreen(TPoint{0, 0}));
  int saved = win::SaveDC(DC);
  win::SetWindowOrgEx(DC, origin.x, origin.y, nullptr);
  fw::TMessage erase{win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(DC), reinterpret_cast<win::LPARAM>(DC), 0};
  parent->Dispatch(erase);
  win::RestoreDC(DC, saved);
  if (erase.Result != 0) return;
  if (auto* dock = dynamic_cast<toolbars::TTBDock*>(parent)) {
    saved = win::SaveDC(DC);
    win::SetWindowOrgEx(DC, Control->Left(), Control->Top(), nullptr);
    dock->DrawBackground(DC, ARect);
    win::RestoreDC(DC, saved);
    return;
  }
  FillRectColor(DC, ARect, GetEffectiveColor(parent));
}

void TellParentColor(fw::TControl* Child, fw::TColor Color) {
  fw::TMessage m{fw::CM_PARENTCOLORCHANGED, 1, win::LPARAM(Color), 0};
  Child->Dispatch(m);
}

void BroadcastParentColor(fw::TWinControl* Parent, fw::TColor Color) {
  for (Integer i = 0; i < Parent->ControlCount(); ++i) TellParentColor(Parent->Controls(i), Color);
}

void TellInsertedControl(const fw::TMessage& ControlChange, fw::TWinControl* Parent, fw::TColor Color) {
  auto* control = reinterpret_cast<fw::TControl*>(ControlChange.WParam);
  if (control && ControlChange.LParam != 0 && Parent->Color() == fw::clNone) TellParentColor(control, Color);
}

void RedrawAllNow(fw::TWinControl* Control) {
  if (Control->HandleAllocated())
    win::RedrawWindow(Control->Handle(), nullptr, nullptr,
                      win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME | win::RDW_ALLCHILDREN | win::RDW_UPDATENOW);
}

void RecalcNCArea(fw::TWinControl* Control) {
  const Integer w = Control->ClientWidth(), h = Control->ClientHeight();
  Control->SetClientWidth(w);
  Control->SetClientHeight(h);
  if (Control->HandleAllocated())
    win::SetWindowPos(Control->Handle(), nullptr, 0, 0, 0, 0,
                      win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOACTIVATE |
                          win::SWP_FRAMECHANGED);
  Control->Invalidate();
}

void RecalcFrameKeepingClientSize(fw::TWinControl* Control) {
  if (!Control->HandleAllocated()) return;
  const win::HWND wnd = Control->Handle();
  win::RECT before{}, after{};
  win::GetClientRect(wnd, &before);
  win::SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                    win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOREDRAW | win::SWP_NOACTIVATE |
                        win::SWP_FRAMECHANGED);
  win::GetClientRect(wnd, &after);
  const Integer dx = (before.right - before.left) - (after.right - after.left);
  const Integer dy = (before.bottom - before.top) - (after.bottom - after.top);
  if (dx || dy)
    Control->SetBounds(Control->Left() - dx / 2, Control->Top() - dy / 2, Control->Width() + dx,
                       Control->Height() + dy);
  win::RedrawWindow(wnd, nullptr, nullptr,
                    win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME | win::RDW_ALLCHILDREN | win::RDW_UPDATENOW);
}

void RedrawFrameAndClient(fw::TWinControl* Control) {
  if (Control->HandleAllocated())
    win::RedrawWindow(Control->Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME);
}

}  // namespace tx
