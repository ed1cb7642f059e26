#include "tx/TxDkPanels.h"

#include <algorithm>

#include "framework/ControlMessages.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBDock.h"
#include "tx/Tx.h"
#include "tx/TxFloatingWindowParent.h"
#include "tx/TxMultiDock.h"
#include "tx/TxParentBackground.h"
#include "tx/TxUtils.h"
#include "tx/detail/TxCanvasDC.h"

namespace tx {

using namespace toolbars;
using detail::TDCCanvas;

namespace {

Integer SmallCaption() { return win::GetSystemMetrics(win::SM_CYSMCAPTION); }
bool TopBottom(const TTBDock* Dock) { return Dock && (Dock->Position() == dpTop || Dock->Position() == dpBottom); }
bool LeftRight(const TTBDock* Dock) { return Dock && (Dock->Position() == dpLeft || Dock->Position() == dpRight); }
bool Within(Integer V, Integer Lo, Integer Hi) { return V >= Lo && V < Hi; }

}  // namespace

TTxDockablePanel::TTxDockablePanel(fw::TComponent* AOwner) : TTBCustomDockableWindow(AOwner) {
  SetCloseButtonWhenDocked(true);
  SetDblClickUndock(false);
  SetBoundsInternally(Left(), Top(), 128, 128);
  SetFullSize(true);
  SetColor(fw::clNone);
  UpdateEffectiveColor();
  AddThemeChangeListener(this);
}

TTxDockablePanel::~TTxDockablePanel() { RemoveThemeChangeListener(this); }

// ---- sizes -----------------------------------------------------------------------------------

bool TTxDockablePanel::DockedTopBottom() const { return Docked() && TopBottom(CurrentDock()); }

void TTxDockablePanel::SetBoundsInternally(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  ++FInternalSizing;
  try {
    SetBounds(ALeft, ATop, AWidth, AHeight);
  } catch (...) {
    --FInternalSizing;
    throw;
  }
  --FInternalSizing;
}

void TTxDockablePanel::SetDockedWidth(Integer Value) {
  Value = std::max(Value, FMinClientWidth);
  if (Value == FDockedWidth) return;
  FDockedWidth = Value;
  if (!Docked() || !LeftRight(CurrentDock())) return;
  TPoint nc{};
  GetDockedNCAreaSize(nc);
  SetBoundsInternally(Left(), Top(), Value + nc.x, Height());
  CurrentDock()->ArrangeToolbars();
}

void TTxDockablePanel::SetDockedHeight(Integer Value) {
  Value = std::max(Value, FMinClientHeight);
  if (Value == FDockedHeight) return;
  FDockedHeight = Value;
  if (!DockedTopBottom()) return;
  TPoint nc{};
  GetDockedNCAreaSize(nc);
  SetBoundsInternally(Left(), Top(), Width(), Value + nc.y);
  CurrentDock()->ArrangeToolbars();
}

void TTxDockablePanel::SetFloatingWidth(Integer Value) {
  Value = std::max(Value, 0);
  if (Docked()) {
    FFloatingWidth = Value;
    return;
  }
  FFloatingWidth = std::max(Value, FMinClientWidth);
  SetBoundsInternally(Left(), Top(), FFloatingWidth, Height());
}

void TTxDockablePanel::SetFloatingHeight(Integer Value) {
  Value = std::max(Value, 0);
  if (Docked()) {
    FFloatingHeight = Value;
    return;
  }
  FFloatingHeight = std::max(Value, FMinClientHeight);
  SetBoundsInternally(Left(), Top(), Width(), FFloatingHeight);
}

void TTxDockablePanel::SetSplitWidth(Integer Value) {
  Value = std::max(Value, 0);
  if (Value == FSplitWidth) return;
  FSplitWidth = Value;
  if (auto* dock = dynamic_cast<TTxMultiDock*>(Docked() ? CurrentDock() : nullptr); dock && TopBottom(dock))
    dock->ArrangeToolbars();
}

void TTxDockablePanel::SetSplitHeight(Integer Value) {
  Value = std::max(Value, 0);
  if (Value == FSplitHeight) return;
  FSplitHeight = Value;
  if (auto* dock = dynamic_cast<TTxMultiDock*>(Docked() ? CurrentDock() : nullptr); dock && LeftRight(dock))
    dock->ArrangeToolbars();
}

void TTxDockablePanel::SetBorderSize(Integer Value) {
  if (FBorderSize == Value) return;
  FBorderSize = Value;
  Realign();
}

void TTxDockablePanel::RecalcDockedFrame() {
  if (Docked() && HandleAllocated())
    win::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                      win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_FRAMECHANGED);
}

void TTxDockablePanel::SetCaptionRotation(TDPCaptionRotation Value) {
  if (FCaptionRotation == Value) return;
  FCaptionRotation = Value;
  RecalcDockedFrame();
}

void TTxDockablePanel::SetShowCaptionWhenDocked(bool Value) {
  if (FShowCaptionWhenDocked == Value) return;
  FShowCaptionWhenDocked = Value;
  RecalcDockedFrame();
}

void TTxDockablePanel::SetSnapDistance(Integer Value) {
  FSnapDistance = std::max(Value, 0);
  if (auto* host = dynamic_cast<TTxFloatingWindowParent*>(Parent())) host->SetSnapDistance(FSnapDistance);
}

bool TTxDockablePanel::VertCaptionOn(TTBDock* ADock) const {
  switch (FCaptionRotation) {
    case dpcrAlwaysHorz: return false;
    case dpcrAlwaysVert: return ADock != nullptr;
    case dpcrAuto: return TopBottom(ADock);
  }
  return false;
}

bool TTxDockablePanel::IsVertCaption() { return Docked() && VertCaptionOn(CurrentDock()); }

TPoint TTxDockablePanel::NCSizeFor(TTBDock* ADock) {
  if (!ADock) return TPoint{0, 0};
  TPoint size{4, 4};
  if (FShowCaptionWhenDocked) (VertCaptionOn(ADock) ? size.x : size.y) += SmallCaption();
  return size;
}

void TTxDockablePanel::GetDockedNCAreaSize(TPoint& Size) { Size = Docked() ? NCSizeFor(CurrentDock()) : TPoint{0, 0}; }

void TTxDockablePanel::GetDockedCloseButtonRect(bool /*LeftRight*/, TRect& R) {
  // Placed by the caption's orientation, so that the button is where the caption bar is.
  const Integer side = SmallCaption() - 1;
  if (IsVertCaption())
    R = TRect{2, ClientHeight() + 2 - side, 2 + side, ClientHeight() + 2};
  else
    R = TRect{ClientWidth() + 2 - side, 2, ClientWidth() + 2, 2 + side};
}

bool TTxDockablePanel::CanDockTo(TTBDock* ADock) {
  if (!TTBCustomDockableWindow::CanDockTo(ADock)) return false;
  return FSupportedDocks.Contains(dynamic_cast<TTxMultiDock*>(ADock) ? dkMultiDock : dkStandardDock);
}

TPoint TTxDockablePanel::SizeForDock(TTBDock* ADock) {
  TPoint nc{};
  GetDockedNCAreaSize(nc);
  if (!ADock) {
    if (FFloatingWidth == 0) FFloatingWidth = DockedTopBottom() ? Width() - nc.x : FDockedWidth;
    if (FFloatingHeight == 0) FFloatingHeight = (Docked() && LeftRight(CurrentDock())) ? Height() - nc.y : FDockedHeight;
    return TPoint{FFloatingWidth, FFloatingHeight};
  }
  // Measured with the frame the panel takes on ADock. A standard dock gives every window a
  // frame of 4 across its rows: a caption bar across the row is added to the depth asked for.
  nc = NCSizeFor(ADock);
  const bool multi = dynamic_cast<TTxMultiDock*>(ADock) != nullptr;
  if (TopBottom(ADock)) return TPoint{ADock->ClientWidth() - nc.x, FDockedHeight + (multi ? 0 : nc.y - 4)};
  return TPoint{FDockedWidth + (multi ? 0 : nc.x - 4), ADock->ClientHeight() - nc.y};
}

void TTxDockablePanel::GetBaseSize(TPoint& ASize) { ASize = SizeForDock(Floating() ? nullptr : CurrentDock()); }

TPoint TTxDockablePanel::OrderControls(bool /*CanMoveControls*/, TTBDockType /*PreviousDockType*/,
                                       TTBDock* DockingTo) {
  return SizeForDock(DockingTo);
}

void TTxDockablePanel::GetMinMaxSize(Integer& AMinClientWidth, Integer& AMinClientHeight, Integer& AMaxClientWidth,
                                     Integer& AMaxClientHeight) {
  AMinClientWidth = FMinClientWidth;
  AMinClientHeight = FMinClientHeight;
  AMaxClientWidth = FMaxClientWidth;
  AMaxClientHeight = FMaxClientHeight;
}

void TTxDockablePanel::GetWindowSizeLimits(Integer& MinWidth, Integer& MinHeight, Integer& MaxWidth,
                                           Integer& MaxHeight) {
  TPoint nc{};
  GetDockedNCAreaSize(nc);
  MinWidth = FMinClientWidth + nc.x;
  MinHeight = FMinClientHeight + nc.y;
  MaxWidth = FMaxClientWidth > FMinClientWidth ? FMaxClientWidth + nc.x : 0;
  MaxHeight = FMaxClientHeight > FMinClientHeight ? FMaxClientHeight + nc.y : 0;
}

void TTxDockablePanel::SizeChanging(Integer AWidth, Integer AHeight) {
  if (FInternalSizing > 0) return;
  TPoint nc{};
  GetDockedNCAreaSize(nc);
  if (Docked() && LeftRight(CurrentDock()))
    FDockedWidth = AWidth - nc.x;
  else if (Floating())
    FFloatingWidth = AWidth - nc.x;
  if (DockedTopBottom())
    FDockedHeight = AHeight - nc.y;
  else if (Floating())
    FFloatingHeight = AHeight - nc.y;
}

void TTxDockablePanel::ResizeEnd() {
  // The floating sizing loop sizes the window past SetBounds: keep the size it ended with.
  TTBCustomDockableWindow::ResizeEnd();
  if (Floating()) {
    FFloatingWidth = ClientWidth();
    FFloatingHeight = ClientHeight();
  }
}

void TTxDockablePanel::GetFloatingBorderSize(TPoint& Size) {
  CurrentTheme->GetViewBorder(GetPanelViewType() | VT_FLOATING, Size);
}

TTBFloatingWindowParentClass TTxDockablePanel::GetFloatingWindowParentClass() {
  return TTBFloatingWindowParentClass::Of<TTxFloatingWindowParent>();
}

void TTxDockablePanel::SetParent(fw::TWinControl* AParent) {
  TTBCustomDockableWindow::SetParent(AParent);
  if (auto* host = dynamic_cast<TTxFloatingWindowParent*>(AParent)) host->SetSnapDistance(FSnapDistance);
  UpdateEffectiveColor();
}

void TTxDockablePanel::AdjustClientRect(TRect& Rect) {
  TTBCustomDockableWindow::AdjustClientRect(Rect);
  Rect.left += FBorderSize;
  Rect.top += FBorderSize;
  Rect.right -= FBorderSize;
  Rect.bottom -= FBorderSize;
}

void TTxDockablePanel::ReadPositionData(const TPositionReadIntProc& Read) {
  if (!Read) return;
  FDockedWidth = Read("DPDockedWidth", FDockedWidth);
  FDockedHeight = Read("DPDockedHeight", FDockedHeight);
  FFloatingWidth = Read("DPFloatingWidth", FFloatingWidth);
  FFloatingHeight = Read("DPFloatingHeight", FFloatingHeight);
  FSplitWidth = Read("DPSplitWidth", FSplitWidth);
  FSplitHeight = Read("DPSplitHeight", FSplitHeight);
}

void TTxDockablePanel::WritePositionData(const TPositionWriteIntProc& Write) {
  if (!Write) return;
  Write("DPDockedWidth", FDockedWidth);
  Write("DPDockedHeight", FDockedHeight);
  Write("DPFloatingWidth", FFloatingWidth);
  Write("DPFloatingHeight", FFloatingHeight);
  Write("DPSplitWidth", FSplitWidth);
  Write("DPSplitHeight", FSplitHeight);
}

// ---- split edges -----------------------------------------------------------------------------

bool TTxDockablePanel::CanSplitResize(Integer Side) {
  auto* dock = dynamic_cast<TTxMultiDock*>(Docked() ? CurrentDock() : nullptr);
  if (!dock || !HandleAllocated()) return false;
  const std::vector<TTxDockablePanel*> panels = dock->SortedVisiblePanels();
  const bool last = !panels.empty() && panels.back() == this;
  const bool leftRight = LeftRight(dock);
  switch (Side) {
    case HTSPLITTOP: return leftRight && EffectiveDockPos() > 0;
    case HTSPLITBOTTOM: return leftRight && !last;
    case HTSPLITLEFT: return !leftRight && EffectiveDockPos() > 0;
    case HTSPLITRIGHT: return !leftRight && !last;
    default: return false;
  }
}

// ---- colour and frame ------------------------------------------------------------------------

Integer TTxDockablePanel::GetPanelViewType() {
  Integer vt = VT_DOCKPANEL_NORMAL;
  if (Floating()) vt |= VT_FLOATING;
  if (Resizable()) vt |= VT_RESIZABLE;
  return vt;
}

void TTxDockablePanel::UpdateEffectiveColor() {
  FEffectiveColor = Color() != fw::clNone ? Color() : CurrentTheme->GetViewColor(GetPanelViewType());
  Brush()->SetColor(FEffectiveColor);
}

void TTxDockablePanel::BroadcastParentColor() { tx::BroadcastParentColor(this, FEffectiveColor); }

void TTxDockablePanel::GetDockPanelInfo(TTxDockPanelInfo& Info) {
  Info = TTxDockPanelInfo{};
  Info.WindowHandle = HandleAllocated() ? Handle() : nullptr;
  Info.ViewType = GetPanelViewType();
  if (Docked()) {
    Info.IsVertical = !IsVertCaption();
    Info.AllowDrag = CurrentDock()->AllowDrag();
  }
  Info.BorderStyle = Byte(BorderStyle());
  CurrentTheme->GetViewBorder(Info.ViewType, Info.BorderSize);
  Info.ClientWidth = ClientWidth();
  Info.ClientHeight = ClientHeight();
  Info.DragHandleStyle = FShowCaptionWhenDocked ? 1 : 0;
  Info.EffectiveColor = FEffectiveColor;
  if (FShowCaptionWhenDocked && CloseButtonWhenDocked()) {
    Info.CloseButtonState = CDBS_VISIBLE;
    if (CloseButtonDown()) Info.CloseButtonState |= CDBS_PRESSED;
    if (CloseButtonHover()) Info.CloseButtonState |= CDBS_HOT;
  }
}

void TTxDockablePanel::DrawNCArea(bool DrawToDC, win::HDC ADC, win::HRGN Clip) {
  if (!Docked() || !CurrentDock() || !HandleAllocated()) return;
  win::HDC dc = DrawToDC ? ADC : win::GetWindowDC(Handle());
  if (!dc) return;  // nothing to paint on
  TTxDockPanelInfo info;
  GetDockPanelInfo(info);
  info.Caption = Caption();
  win::RECT wr{};
  win::GetWindowRect(Handle(), &wr);
  const TRect r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  if (!DrawToDC) {
    SelectNCUpdateRgn(Handle(), dc, Clip);
    TRect client{r.left + info.BorderSize.x, r.top + info.BorderSize.y, r.right - info.BorderSize.x,
                 r.bottom - info.BorderSize.y};
    if (FShowCaptionWhenDocked) (IsVertCaption() ? client.left : client.top) += SmallCaption();
    win::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  }
  {
    TDCCanvas canvas(dc);
    canvas->Brush()->SetColor(FEffectiveColor);
    CurrentTheme->PaintDockPanelNCArea(canvas.get(), r, info);
  }
  if (!DrawToDC) win::ReleaseDC(Handle(), dc);
}

// ---- messages --------------------------------------------------------------------------------

void TTxDockablePanel::ThemeChange(fw::TMessage& Message) {
  if (Message.WParam == 1) {
    BeginUpdate();
  } else if (Message.WParam == 3) {
    EndUpdate();
    UpdateEffectiveColor();
    if (Floating() && Parent())
      tx::RecalcFrameKeepingClientSize(Parent());
    else
      tx::RecalcNCArea(this);
    Invalidate();
    BroadcastParentColor();
  }
}

void TTxDockablePanel::NCCalcSize(fw::TMessage& Message) {
  if (!Docked()) {
    TTBCustomDockableWindow::Dispatch(Message);
    return;
  }
  auto* r = reinterpret_cast<win::RECT*>(Message.LParam);
  win::InflateRect(r, -2, -2);
  if (FShowCaptionWhenDocked) (IsVertCaption() ? r->left : r->top) += SmallCaption();
  Message.Result = 0;
}

void TTxDockablePanel::NCHitTest(fw::TMessage& Message) {
  if (!Docked()) {
    TTBCustomDockableWindow::Dispatch(Message);
    return;
  }
  win::RECT wr{};
  win::GetWindowRect(Handle(), &wr);
  const Integer x = Integer(short(Message.LParam & 0xFFFF)) - wr.left;
  const Integer y = Integer(short((Message.LParam >> 16) & 0xFFFF)) - wr.top;
  const Integer w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (Resizable()) {
    switch (CurrentDock()->Position()) {
      case dpTop: if (y >= h - 2) { Message.Result = win::HTBOTTOM; return; } break;
      case dpBottom: if (y < 2) { Message.Result = win::HTTOP; return; } break;
      case dpLeft: if (x >= w - 2) { Message.Result = win::HTRIGHT; return; } break;
      case dpRight: if (x < 2) { Message.Result = win::HTLEFT; return; } break;
    }
  }
  const struct {
    bool On;
    Integer Code;
  } splits[] = {{x >= w - 2, HTSPLITRIGHT}, {y >= h - 2, HTSPLITBOTTOM}, {x < 2, HTSPLITLEFT}, {y < 2, HTSPLITTOP}};
  for (const auto& s : splits)
    if (s.On && CanSplitResize(s.Code)) {
      Message.Result = s.Code;
      return;
    }
  TRect client{2, 2, w - 2, h - 2};
  const bool vertCaption = IsVertCaption();
  if (FShowCaptionWhenDocked) (vertCaption ? client.left : client.top) += SmallCaption();
  if (Within(x, client.left, client.right) && Within(y, client.top, client.bottom)) {
    Message.Result = win::HTCLIENT;
    return;
  }
  Message.Result = HTDockBorder;
  if (!FShowCaptionWhenDocked || !Within(x, 2, w - 2) || !Within(y, 2, h - 2)) return;
  if (CloseButtonWhenDocked()) {
    // The close button is hit where it is painted: the square of GetDockedCloseButtonRect.
    TRect b{};
    GetDockedCloseButtonRect(false, b);
    if (Within(x, b.left, b.right) && Within(y, b.top, b.bottom)) Message.Result = HTDockClose;
  }
}

void TTxDockablePanel::SetCursorFor(fw::TMessage& Message) {
  const Integer code = Integer(short(Message.LParam & 0xFFFF));
  if (Docked() && CurrentDock()->AllowDrag()) {
    win::LPCWSTR cursor = nullptr;
    if (code == HTDockBorder && FShowCaptionWhenDocked) cursor = win::IDC_ARROW;
    if (code == HTSPLITLEFT || code == HTSPLITRIGHT) cursor = win::IDC_SIZEWE;
    if (code == HTSPLITTOP || code == HTSPLITBOTTOM) cursor = win::IDC_SIZENS;
    if (cursor) {
      win::SetCursor(win::LoadCursorW(nullptr, cursor));
      Message.Result = 1;
      return;
    }
  }
  TTBCustomDockableWindow::Dispatch(Message);
}

void TTxDockablePanel::NCLButtonDown(fw::TMessage& Message) {
  const Integer code = Integer(Message.WParam);
  const win::POINT pressedAt{win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam)};
  if (Docked() && code >= win::HTLEFT && code <= win::HTBOTTOMRIGHT) {
    DockedResize(code, pressedAt);
    return;
  }
  if (Docked() && code >= HTSPLITLEFT && code <= HTSPLITBOTTOM) {
    SplitResize(code, pressedAt);
    return;
  }
  if (code == HTDockBorder && IsMovable()) {
    win::HCURSOR old = win::SetCursor(win::LoadCursorW(nullptr, win::IDC_SIZEALL));
    TTBCustomDockableWindow::Dispatch(Message);
    win::SetCursor(old);
    return;
  }
  TTBCustomDockableWindow::Dispatch(Message);
}

void TTxDockablePanel::Loaded() {
  TTBCustomDockableWindow::Loaded();
  BroadcastParentColor();
}

void TTxDockablePanel::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case TXM_GETVIEWTYPE: Message.Result = GetPanelViewType(); return;
    case TXM_GETEFFECTIVECOLOR:
      Message.WParam = win::WPARAM(FEffectiveColor);
      Message.Result = 1;
      return;
    case TXM_THEMECHANGE: ThemeChange(Message); return;
    case win::WM_ERASEBKGND:
      FillRectColor(reinterpret_cast<win::HDC>(Message.WParam), ClientRect(), FEffectiveColor);
      Message.Result = 1;
      return;
    case win::WM_NCCALCSIZE: NCCalcSize(Message); return;
    case win::WM_NCHITTEST: NCHitTest(Message); return;
    case win::WM_SETCURSOR: SetCursorFor(Message); return;
    case win::WM_NCLBUTTONDOWN: NCLButtonDown(Message); return;
    case fw::CM_COLORCHANGED:
      TTBCustomDockableWindow::Dispatch(Message);
      UpdateEffectiveColor();
      if (Docked()) RedrawAllNow(this);
      Invalidate();
      BroadcastParentColor();
      return;
    case fw::CM_CONTROLCHANGE:
      TTBCustomDockableWindow::Dispatch(Message);
      TellInsertedControl(Message, this, FEffectiveColor);
      return;
    case fw::CM_TEXTCHANGED:
      TTBCustomDockableWindow::Dispatch(Message);
      if (Docked() && HandleAllocated())
        win::RedrawWindow(Handle(), nullptr, nullptr, win::RDW_FRAME | win::RDW_INVALIDATE);
      else if (Floating() && Parent() && Parent()->HandleAllocated())
        win::RedrawWindow(Parent()->Handle(), nullptr, nullptr, win::RDW_FRAME | win::RDW_INVALIDATE);
      return;
    case win::WM_WINDOWPOSCHANGED: {
      TTBCustomDockableWindow::Dispatch(Message);
      const auto* pos = reinterpret_cast<const win::WINDOWPOS*>(Message.LParam);
      if (pos && !(pos->flags & win::SWP_NOSIZE)) {
        Realign();
        Update();
      }
      if (pos && (pos->flags & win::SWP_SHOWWINDOW)) {
        UpdateEffectiveColor();
        BroadcastParentColor();
      }
      return;
    }
    default: TTBCustomDockableWindow::Dispatch(Message);
  }
}

}  // namespace tx
