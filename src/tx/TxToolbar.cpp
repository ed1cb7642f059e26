#include "tx/TxToolbar.h"

#include "framework/ControlMessages.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiRegions.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBDock.h"
#include "toolbars/TBItem.h"
#include "tx/Tx.h"
#include "tx/TxChevron.h"
#include "tx/TxDock.h"
#include "tx/TxFloatingWindowParent.h"
#include "tx/TxParentBackground.h"
#include "tx/TxUtils.h"
#include "tx/detail/TxCanvasDC.h"

namespace tx {

using namespace toolbars;
using detail::TDCCanvas;

namespace {

TRect ClientRectIn(fw::TControl* From, fw::TControl* To) {
  const TRect r = From->ClientRect();
  const TPoint tl = To->ScreenToClient(From->ClientToScreen(TPoint{r.left, r.top}));
  return TRect{tl.x, tl.y, tl.x + r.right - r.left, tl.y + r.bottom - r.top};
}

bool DockPaintsToolbars(TTBDock* Dock) { return Dock && Dock->UsingBackground() && Dock->BackgroundOnToolbars(); }

}  // namespace

// ---- view ------------------------------------------------------------------------------------

void TTxToolbarView::GetMargins(TTBViewOrientation AOrientation, TRect& Margins) {
  Integer vt = GetWinViewType(dynamic_cast<fw::TControl*>(Owner()));
  if ((vt & VT_TOOLBAR) || (vt & VT_DOCKPANEL)) {
    if (AOrientation == tbvoFloating)
      vt |= VT_FLOATING;
    else
      vt &= ~VT_FLOATING;
  }
  TTxMargins m{};
  CurrentTheme->GetViewMargins(vt, m);
  Margins = TRect{m.LeftWidth, m.TopHeight, m.RightWidth, m.BottomHeight};
}

// ---- toolbar ---------------------------------------------------------------------------------

TTxToolbar::TTxToolbar(fw::TComponent* AOwner) : TTBCustomToolbar(AOwner) {
  FEffectiveColor = Color();
  SetColor(fw::clNone);
  SetControlStyle(ControlStyle().Exclude(fw::csOpaque));
  AddThemeChangeListener(this);
}

TTxToolbar::~TTxToolbar() { RemoveThemeChangeListener(this); }

TTBToolbarViewClass TTxToolbar::GetViewClass() { return TTBToolbarViewClass::Of<TTxToolbarView>(); }
TTBChevronItemClass TTxToolbar::GetChevronItemClass() { return TTBChevronItemClass::Of<TTxChevronItem>(); }
TTBFloatingWindowParentClass TTxToolbar::GetFloatingWindowParentClass() {
  return TTBFloatingWindowParentClass::Of<TTxFloatingWindowParent>();
}

void TTxToolbar::SetItemTransparency(TTxItemTransparency Value) {
  FItemTransparency = Value;
  Invalidate();
}

void TTxToolbar::SetSnapDistance(Integer Value) {
  FSnapDistance = Value < 0 ? 0 : Value;
  PassSnapDistance();
}

void TTxToolbar::PassSnapDistance() {
  if (auto* host = dynamic_cast<TTxFloatingWindowParent*>(Parent())) host->SetSnapDistance(FSnapDistance);
}

void TTxToolbar::SetParent(fw::TWinControl* AParent) {
  TTBCustomToolbar::SetParent(AParent);
  // Docked, floating and embedded toolbars paint with different colours.
  UpdateEffectiveColor();
  PassSnapDistance();
}

Integer TTxToolbar::GetToolbarViewType() {
  Integer vt = MenuBar() ? VT_TOOLBAR_MENUBAR : VT_TOOLBAR_NORMAL;
  if (Floating()) vt |= VT_FLOATING;
  if (Resizable()) vt |= VT_RESIZABLE;
  if (FItemTransparency == itDisable || (FItemTransparency == itAuto && !Docked() && !Floating())) vt |= VT_EMBEDDED;
  return vt;
}

void TTxToolbar::UpdateEffectiveColor() {
  if (Color() != fw::clNone)
    FEffectiveColor = Color();
  else if (!Docked() && !Floating() && Parent())
    FEffectiveColor = GetEffectiveColor(Parent());
  else
    FEffectiveColor = CurrentTheme->GetViewColor(GetViewType(View()));
}

void TTxToolbar::BroadcastParentColor() { tx::BroadcastParentColor(this, FEffectiveColor); }

void TTxToolbar::GetToolbarInfo(TTxToolbarInfo& Info) {
  Info = TTxToolbarInfo{};
  Info.WindowHandle = HandleAllocated() ? Handle() : nullptr;
  Info.ViewType = GetWinViewType(this);
  TTBDock* dock = CurrentDock();
  Info.IsVertical = dock && (dock->Position() == dpLeft || dock->Position() == dpRight);
  Info.AllowDrag = dock && dock->AllowDrag();
  Info.BorderStyle = Byte(BorderStyle());
  Info.DragHandleStyle = Integer(DragHandleStyle());
  Info.ClientWidth = ClientWidth();
  Info.ClientHeight = ClientHeight();
  if (Info.AllowDrag && CloseButtonWhenDocked()) {
    Info.CloseButtonState = CDBS_VISIBLE;
    if (CloseButtonDown())
      Info.CloseButtonState |= CDBS_PRESSED;
    else if (CloseButtonHover())
      Info.CloseButtonState |= CDBS_HOT;
  }
  CurrentTheme->GetViewBorder(Info.ViewType, Info.BorderSize);
  Info.EffectiveColor = FEffectiveColor;
}

void TTxToolbar::DrawNCArea(bool DrawToDC, win::HDC ADC, win::HRGN Clip) {
  TTBDock* dock = CurrentDock();
  if (!Docked() || !dock || !HandleAllocated()) return;
  TTxToolbarInfo info;
  GetToolbarInfo(info);
  win::RECT wr{};
  win::GetWindowRect(Handle(), &wr);
  const TRect r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  win::HDC dc = DrawToDC ? ADC : win::GetWindowDC(Handle());
  if (!dc) return;
  if (!DrawToDC) {
    SelectNCUpdateRgn(Handle(), dc, Clip);
    TRect client{r.left + info.BorderSize.x, r.top + info.BorderSize.y, r.right - info.BorderSize.x,
                 r.bottom - info.BorderSize.y};
    const Integer grip = GetDragHandleSize(info);
    if (info.IsVertical)
      client.top += grip;
    else
      client.left += grip;
    win::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  }
  {
    TDCCanvas canvas(dc);
    canvas->Brush()->SetColor(FEffectiveColor);
    if (!CurrentTheme->GetBooleanMetric(TMB_SOLID_TOOLBAR_NC)) {
      if (dock->UsingBackground()) {
        TRect dr = dock->ClientRect();
        win::OffsetRect(reinterpret_cast<win::RECT*>(&dr), -Left(), -Top());
        dock->DrawBackground(dc, dr);
        if (Color() == fw::clNone && dock->BackgroundOnToolbars()) canvas->Brush()->SetStyle(fw::bsClear);
      } else {
        FillRectColor(dc, r, GetEffectiveColor(dock));
        canvas->Brush()->SetColor(FEffectiveColor);
      }
    }
    CurrentTheme->PaintToolbarNCArea(canvas.get(), r, info);
  }
  if (!DrawToDC) win::ReleaseDC(Handle(), dc);
}

void TTxToolbar::GetFloatingBorderSize(TPoint& Size) {
  // The view's type already carries the floating bit while floating: OR, never add.
  CurrentTheme->GetViewBorder(GetViewType(View()) | VT_FLOATING, Size);
}

void TTxToolbar::ThemeChange(fw::TMessage& Message) {
  switch (Message.WParam) {
    case 1:
      if (View()) View()->BeginUpdate();
      break;
    case 3:
      if (View()) View()->EndUpdate();
      UpdateEffectiveColor();
      if (Floating() && Parent())
        tx::RecalcNCArea(Parent());
      else
        tx::RecalcNCArea(this);
      Invalidate();
      Arrange();
      BroadcastParentColor();
      break;
    case 4:
    case 5:
      if (MenuBar()) Invalidate();
      break;
    default: break;
  }
}

void TTxToolbar::EraseBackground(fw::TMessage& Message) {
  auto dc = reinterpret_cast<win::HDC>(Message.WParam);
  const TRect r = ClientRect();
  bool transparent = false;
  TTBDock* dock = Docked() ? CurrentDock() : nullptr;
  if (Color() == fw::clNone) {
    if (DockPaintsToolbars(dock) && !CurrentTheme->GetBooleanMetric(TMB_SOLID_TOOLBAR_ON_DOCK_IMAGE)) {
      dock->DrawBackground(dc, ClientRectIn(dock, this));
      transparent = true;
    } else if (!Docked() && !Floating()) {
      PaintParentBackground(this, dc, r);
      transparent = true;
    }
  }
  const TRect dockRect = dock ? ClientRectIn(dock, this) : TRect{};
  TDCCanvas canvas(dc);
  CurrentTheme->PaintBackground(canvas.get(), dockRect, r, r, FEffectiveColor, transparent, GetWinViewType(this));
  Message.Result = 1;
}

void TTxToolbar::Sized(fw::TMessage& Message) {
  TTBCustomToolbar::Dispatch(Message);
  auto* dock = dynamic_cast<TTxDock*>(Docked() ? CurrentDock() : nullptr);
  if (DockPaintsToolbars(dock) && !dock->Sizing()) RepaintBetweenViewers(this);
}

std::optional<TTxToolbar::TPaintedPlace> TTxToolbar::PlaceNow() {
  if (!HandleAllocated()) return std::nullopt;
  win::RECT top{};
  if (!win::GetWindowRect(win::GetAncestor(Handle(), win::GA_ROOT), &top)) return std::nullopt;
  win::POINT origin{0, 0};
  win::ClientToScreen(Handle(), &origin);
  TTBDock* dock = Docked() ? CurrentDock() : nullptr;
  return TPaintedPlace{win::POINT{origin.x - top.left, origin.y - top.top},
                       dock ? TPoint{dock->Width(), dock->Height()} : TPoint{0, 0}};
}

bool TTxToolbar::PaintedWhereItIs() {
  const std::optional<TPaintedPlace> now = PlaceNow();
  return now && FPaintedAt && *now == *FPaintedAt;
}

void RepaintBetweenViewers(TTxToolbar* Toolbar) {
  const bool handle = Toolbar->HandleAllocated();
  const bool keepDrawn = handle && Toolbar->PaintedWhereItIs();
  // Only a viewer whose rectangle waits for no paint shows what it is now: one waiting (a layout
  // left to the next paint, a theme switch, a hover) is drawn by that paint, so it stays invalid.
  win::HRGN waiting = nullptr;
  win::RECT pending{};
  if (keepDrawn && win::GetUpdateRect(Toolbar->Handle(), &pending, win::FALSE)) {
    waiting = win::CreateRectRgn(0, 0, 0, 0);
    win::GetUpdateRgn(Toolbar->Handle(), waiting, win::FALSE);
  }
  TTBView* view = Toolbar->View();
  std::vector<win::RECT> drawn;
  for (Integer i = 0; view && i < view->ViewerCount(); ++i) {
    TTBItemViewer* v = view->Viewers(i);
    const TRect& b = v->BoundsRect();
    if (!v->Show() || b.right <= b.left || b.bottom <= b.top || dynamic_cast<TTBControlItem*>(v->Item())) continue;
    const win::RECT rc{b.left, b.top, b.right, b.bottom};
    if (keepDrawn && !(waiting && win::RectInRegion(waiting, &rc))) drawn.push_back(rc);
    view->Invalidate(v);
  }
  if (waiting) win::DeleteObject(waiting);
  Toolbar->Invalidate();
  if (!handle) return;
  win::InvalidateRect(Toolbar->Handle(), nullptr, win::TRUE);
  for (const win::RECT& rc : drawn) win::ValidateRect(Toolbar->Handle(), &rc);
}

void TTxToolbar::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case TXM_GETVIEWTYPE: Message.Result = GetToolbarViewType(); return;
    case TXM_GETEFFECTIVECOLOR:
      Message.WParam = win::WPARAM(FEffectiveColor);
      Message.Result = 1;
      return;
    case TXM_THEMECHANGE: ThemeChange(Message); return;
    case win::WM_ERASEBKGND: EraseBackground(Message); return;
    case win::WM_SIZE: Sized(Message); return;
    case win::WM_PAINT:
      FPaintedAt = PlaceNow();
      TTBCustomToolbar::Dispatch(Message);
      return;
    case fw::CM_COLORCHANGED:
      TTBCustomToolbar::Dispatch(Message);
      UpdateEffectiveColor();
      if (Docked()) RedrawAllNow(this);
      BroadcastParentColor();
      Invalidate();
      return;
    case fw::CM_CONTROLCHANGE:
      TTBCustomToolbar::Dispatch(Message);
      TellInsertedControl(Message, this, FEffectiveColor);
      return;
    case fw::CM_PARENTCOLORCHANGED:
      if (!Docked() && !Floating() && Color() == fw::clNone) {
        UpdateEffectiveColor();
        if (Message.WParam == 0) {
          Message.WParam = 1;
          Message.LParam = win::LPARAM(FEffectiveColor);
        }
      }
      TTBCustomToolbar::Dispatch(Message);
      Invalidate();
      return;
    default: TTBCustomToolbar::Dispatch(Message);
  }
}

}  // namespace tx
