#include "toolbars/TBItemPopup.h"

#include "framework/Forms.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/kernel/Rects.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/services/WinEvents.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBAcc.h"
#include "toolbars/TBAnim.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBItemViewer.h"

namespace toolbars {

namespace {
constexpr Integer kPopupNCSize = 3;
}

// ---- popup view ----

void TTBPopupView::AutoSize(Integer AWidth, Integer AHeight) {
  auto* w = dynamic_cast<TTBPopupWindow*>(Window());
  if (!w) return;
  TPoint nc{0, 0};
  w->GetNCSize(nc);
  w->SetBounds(w->Left(), w->Top(), AWidth + 2 * nc.x, AHeight + 2 * nc.y);
}

fw::TFont* TTBPopupView::GetFont() {
  return Window() ? Window()->Font() : ToolbarFont();
}

// ---- popup window ----

TTBPopupWindow::TTBPopupWindow(TComponent* AOwner, TTBView* AParentView, TTBCustomItem* AItem, bool ACustomizing)
    : fw::TCustomControl(AOwner), FParentView(AParentView), FItem(AItem), FCustomizing(ACustomizing) {
  SetVisible(false);
  SetBounds(0, 0, 320, 240);
  SetControlStyle(ControlStyle() - fw::TControlStyle{fw::csCaptureMouse});
  SetShowHint(true);
  SetColor(fw::clMenu);
}

void TTBPopupWindow::AfterConstruction() {
  FView = static_cast<TTBPopupView*>(GetViewClass().Create(this, FParentView, FItem, this, false, FCustomizing, false));
  FView->SetState(FView->State() | tbvsModal | tbvsDrawInOrder);
  Font()->Assign(FParentView ? FParentView->GetFont() : ToolbarFont());
  if (!FParentView || (FParentView->Style() & tbvoUseHiddenAccels))
    FView->SetStyle(FView->Style() | tbvoUseHiddenAccels);
  if (FParentView && (FParentView->State() & tbvsShowAccels)) FView->SetAccelsVisibility(true);
  if (!FParentView || !(FParentView->Style() & tbvoUseHiddenAccels)) FView->SetAccelsVisibility(false);
  win::HWND owner = fw::Application ? fw::Application->Handle() : nullptr;
  SetParentWindow(owner ? owner : win::GetDesktopWindow());
}

TTBPopupWindow::~TTBPopupWindow() {
  if (FView) FView->CloseChildPopups();
  // The handle goes while the view still lives (its timers stop with it), then the view.
  if (HandleAllocated()) DestroyHandle();
  FView = nullptr;
  DestroyComponents();
}

TTBViewClass TTBPopupWindow::GetViewClass() { return TTBViewClass::Of<TTBPopupView>(); }

void TTBPopupWindow::GetNCSize(TPoint& NCSize) { NCSize = TPoint{kPopupNCSize, kPopupNCSize}; }

void TTBPopupWindow::CreateParams(fw::TCreateParams& Params) {
  fw::TCustomControl::CreateParams(Params);
  Params.Style = (Params.Style & ~(win::WS_CHILD | win::WS_MINIMIZEBOX | win::WS_MAXIMIZEBOX)) | win::WS_POPUP;
  Params.ExStyle |= win::WS_EX_TOPMOST | win::WS_EX_TOOLWINDOW;
  Params.WindowClass.style |= win::CS_SAVEBITS;
  if (IsWindowsXPOrLater()) Params.WindowClass.style |= win::CS_DROPSHADOW;
}

void TTBPopupWindow::CreateWnd() {
  fw::TCustomControl::CreateWnd();
  // Assistive technology reads the menu's items through the window.
  win::SetAccessibleInfoSource(Handle(), [this] { return DescribeForAccessibility(FView); });
  if (!FAccelsVisibilitySet && !FParentView) {
    FAccelsVisibilitySet = true;
    win::SendMessageW(Handle(), win::WM_CHANGEUISTATE, win::UIS_INITIALIZE, 0);
    auto state = win::SendMessageW(Handle(), win::WM_QUERYUISTATE, 0, 0);
    if (FView && !(state & win::UISF_HIDEACCEL)) FView->SetAccelsVisibility(true);
  }
}

void TTBPopupWindow::DestroyWindowHandle() {
  EndAnimation(Handle());
  if (FView) FView->StopAllTimers();
  win::NotifyWinEvent(win::EVENT_SYSTEM_MENUPOPUPEND, Handle(), win::OBJID_CLIENT, win::CHILDID_SELF);
  win::SetAccessibleInfoSource(Handle(), nullptr);
  fw::TCustomControl::DestroyWindowHandle();
}

void TTBPopupWindow::PaintFrame(win::HWND Wnd, win::HDC DC, void* /*AppData*/) {
  win::RECT r{};
  win::GetWindowRect(Wnd, &r);
  win::OffsetRect(&r, -r.left, -r.top);
  if (AreFlatMenusEnabled()) {
    win::FrameRect(DC, &r, win::GetSysColorBrush(win::COLOR_BTNSHADOW));
    win::InflateRect(&r, -1, -1);
    fw::TControl* c = fw::FindControl(Wnd);
    win::HBRUSH b = win::CreateSolidBrush(fw::ColorToRGB(c ? c->Color() : fw::clMenu));
    win::FrameRect(DC, &r, b);
    win::InflateRect(&r, -1, -1);
    win::FrameRect(DC, &r, b);
    win::DeleteObject(b);
  } else {
    win::DrawEdge(DC, &r, win::EDGE_RAISED, win::BF_RECT | win::BF_ADJUST);
    win::FrameRect(DC, &r, win::GetSysColorBrush(win::COLOR_BTNFACE));
  }
}

void TTBPopupWindow::Paint() {
  if (FView) FView->DrawSubitems(Canvas());
  PaintScrollArrows();
}

void TTBPopupWindow::PaintScrollArrows() {
  if (!FView) return;
  win::HDC dc = Canvas()->Handle();
  TRect cr = ClientRect();
  auto arrow = [&](TRect strip, bool up) {
    Integer cx = (strip.left + strip.right) / 2, cy = (strip.top + strip.bottom) / 2 - 1;
    win::COLORREF color = fw::ColorToRGB(fw::clMenuText);
    win::HBRUSH b = win::CreateSolidBrush(color);
    win::HPEN p = win::CreatePen(win::PS_SOLID, 1, color);
    win::HGDIOBJ ob = win::SelectObject(dc, b), op = win::SelectObject(dc, p);
    win::POINT pts[3];
    if (up)
      pts[0] = {cx - 3, cy + 1}, pts[1] = {cx + 3, cy + 1}, pts[2] = {cx, cy - 2};
    else
      pts[0] = {cx - 3, cy - 1}, pts[1] = {cx + 3, cy - 1}, pts[2] = {cx, cy + 2};
    win::Polygon(dc, pts, 3);
    win::SelectObject(dc, ob);
    win::SelectObject(dc, op);
    win::DeleteObject(b);
    win::DeleteObject(p);
  };
  if (FView->ShowUpArrow()) arrow(TRect{cr.left, cr.top, cr.right, cr.top + tbMenuScrollArrowHeight}, true);
  if (FView->ShowDownArrow()) arrow(TRect{cr.left, cr.bottom - tbMenuScrollArrowHeight, cr.right, cr.bottom}, false);
}

void TTBPopupWindow::CMShowingChanged(fw::TMessage& Message) {
  const bool showing = Showing();
  if (showing && FView) {
    win::BOOL animate = win::FALSE, fade = win::FALSE;
    win::SystemParametersInfoW(win::SPI_GETMENUANIMATION, 0, &animate, 0);
    const bool parentClosedOne = FParentView && (FParentView->State() & tbvsNoAnimation);
    if (!parentClosedOne && FView->Selected() == nullptr && !win::IsWindowVisible(Handle()) && animate) {
      win::SystemParametersInfoW(win::SPI_GETMENUFADE, 0, &fade, 0);
      if (fade || FAnimationDirection != 0) {
        if (win::SendMessageW(Handle(), TBM_POPUPSHOWING, TPS_ANIMSTART, 0) == 0) {
          BeginAnimation(Handle(), 150, fade != win::FALSE, FAnimationDirection);
          return;
        }
      }
    }
  }
  if (!showing) EndAnimation(Handle());
  constexpr win::UINT kShowFlags = 0x57, kHideFlags = 0x97;
  win::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, showing ? kShowFlags : kHideFlags);
  if (showing) win::SendNotifyMessageW(Handle(), TBM_POPUPSHOWING, TPS_NOANIM, 0);
  (void)Message;
}

void TTBPopupWindow::WMNCCalcSize(fw::TMessage& Message) {
  auto* r = reinterpret_cast<win::RECT*>(Message.LParam);
  TPoint nc{0, 0};
  GetNCSize(nc);
  win::InflateRect(r, -nc.x, -nc.y);
  Message.Result = 0;
}

void TTBPopupWindow::WMNCPaint(fw::TMessage& Message) {
  win::HDC dc = win::GetWindowDC(Handle());
  SelectNCUpdateRgn(Handle(), dc, reinterpret_cast<win::HRGN>(Message.WParam));
  PaintFrame(Handle(), dc, nullptr);
  win::ReleaseDC(Handle(), dc);
  Message.Result = 0;
}

void TTBPopupWindow::WMPrint(fw::TMessage& Message) { HandleWMPrint(Handle(), Message, PaintFrame, nullptr); }
void TTBPopupWindow::WMPrintClient(fw::TMessage& Message) { HandleWMPrintClient(this, Message); }

void TTBPopupWindow::WMEraseBkgnd(fw::TMessage& Message) {
  EndAnimation(Handle());
  fw::TCustomControl::WMEraseBkgnd(Message);
}

void TTBPopupWindow::WMPaint(fw::TMessage& Message) {
  EndAnimation(Handle());
  fw::TCustomControl::WMPaint(Message);
}

void TTBPopupWindow::WMGetObject(fw::TMessage& Message) { DefaultHandler(Message); }

void TTBPopupWindow::CMHintShow(fw::TMessage& Message) {
  auto* info = reinterpret_cast<fw::THintInfo*>(Message.LParam);
  TTBItemViewer* sel = FView ? FView->Selected() : nullptr;
  if (!info || !sel) {
    Message.Result = 1;
    return;
  }
  info->CursorRect = sel->BoundsRect();
  info->HintStr = sel->GetHintText();
  Message.Result = 0;
}

void TTBPopupWindow::WMMouseActivate(fw::TMessage& Message) { Message.Result = win::MA_NOACTIVATE; }

void TTBPopupWindow::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_NCCALCSIZE: WMNCCalcSize(Message); return;
    case win::WM_NCPAINT: WMNCPaint(Message); return;
    case win::WM_PRINT: WMPrint(Message); return;
    case win::WM_PRINTCLIENT: WMPrintClient(Message); return;
    case win::WM_GETOBJECT: WMGetObject(Message); return;
    case win::WM_MOUSEACTIVATE: WMMouseActivate(Message); return;
    case win::WM_CLOSE: return;  // a popup closes only through its view
    case TBM_ANIMATIONSTEP: AnimationStep(Message); return;
    case TBM_ANIMATIONEND:
      win::SendNotifyMessageW(Handle(), TBM_POPUPSHOWING, TPS_ANIMFINISHED, 0);
      return;
    default: break;
  }
  fw::TCustomControl::Dispatch(Message);
}

// ---- popup menu ----

TTBPopupMenu::TTBPopupMenu(TComponent* AOwner) : TTBPopupMenu(AOwner, new TTBRootItem(nullptr)) {}

TTBPopupMenu::TTBPopupMenu(TComponent* AOwner, TTBRootItem* ARootItem) : fw::TPopupMenu(AOwner) {
  FItem.reset(ARootItem);
  FItem->AssignParentComponent(this);
  FItem->OnClick = [this](TObject* Sender) { RootItemClick(Sender); };
}

TTBPopupMenu::~TTBPopupMenu() { FItem.reset(); }

void TTBPopupMenu::RootItemClick(TObject* /*Sender*/) { DoPopup(this); }

void TTBPopupMenu::Popup(Integer X, Integer Y) {
  FPopupPoint = TPoint{X, Y};
  FItem->Popup(X, Y, FTrackRightButton, Byte(Alignment()));
}

bool TTBPopupMenu::IsShortCut(fw::TMessage& Message) { return FItem->IsShortCut(Message); }

}  // namespace toolbars
