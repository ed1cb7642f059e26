#include "tx/TxPopupWindow.h"

#include "framework/ControlMessages.h"
#include "framework/GraphicsCanvas.h"
#include "platform/desktop/Screen.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBAnim.h"
#include "toolbars/TBCommon.h"
#include "tx/Tx.h"
#include "tx/TxExtItems.h"
#include "tx/TxItemViewer.h"
#include "tx/TxLists.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/detail/TxCanvasDC.h"

namespace tx {

using namespace toolbars;
using detail::TDCCanvas;

namespace {

constexpr Integer kShadowSize = 4;
constexpr Byte kShadowOpacity = 61;

bool IsEmptyRect(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

}  // namespace

TTxPopupWindow::~TTxPopupWindow() { DestroyShadow(); }

Integer TTxPopupWindow::GetPopupViewType() {
  if (IsChevronPopup()) return VT_POPUP_CHEVRON;
  if (!View() || !FItem) return VT_POPUP_MENU;
  if (FItem->Count() == 1 && dynamic_cast<TTxCustomList*>(FItem->Items(0))) return VT_POPUP_LIST;
  auto* item = dynamic_cast<TTxCustomItem*>(FItem);
  if (dynamic_cast<TTxEditItem*>(FItem) || (item && item->ToolBoxPopup())) return VT_POPUP_TOOLBOX;
  return VT_POPUP_MENU;
}

bool TTxPopupWindow::CanShowShadow() { return GetPopupViewType() != VT_POPUP_LIST; }

void TTxPopupWindow::GetNCSize(TPoint& NCSize) { CurrentTheme->GetViewBorder(GetPopupViewType(), NCSize); }

TTBViewClass TTxPopupWindow::GetViewClass() { return TTBViewClass::Of<TTxPopupView>(); }

void TTxPopupWindow::CreateParams(fw::TCreateParams& Params) {
  TTBPopupWindow::CreateParams(Params);
  Params.WindowClass.style &= ~(win::CS_DROPSHADOW | win::CS_SAVEBITS);
  if (CanShowShadow() && CurrentTheme->GetPopupShadowType() == PST_SYSTEM && IsWindowsXPOrLater()) {
    Params.WindowClass.style |= win::CS_DROPSHADOW;
    Params.WinClassName += u"S";  // shadowed popups get a class of their own
  }
}

void TTxPopupWindow::CreateShadow() {
  const Integer type = CurrentTheme->GetPopupShadowType();
  if (type != PST_LAYERED && type != PST_LAYERED_NT5) return;
  TRect itemRect{};
  TTBView* parentView = ParentViewOfPopup();
  TTBItemViewer* opener = parentView ? parentView->OpenViewer() : nullptr;
  const bool fromItem = type == PST_LAYERED && opener &&
                        (dynamic_cast<TTxItemViewer*>(opener) || IsChevronPopup()) &&
                        (IsChevronPopup() || !IsViewKind(GetViewType(parentView), VT_POPUP_MENU));
  if (fromItem)
    itemRect = opener->ScreenBoundsRect();
  else if (!IsEmptyRect(ExcludeRect))
    itemRect = ExcludeRect;
  TRect bounds{};
  win::GetWindowRect(Handle(), &bounds);
  // A screen that cannot blend shows a translucent ramp as solid black: the low-colour path then.
  const bool noAlpha = LowColorDisplay || !win::desktop::ScreenCanBlend();
  FShadows = std::make_unique<TShadows>(itemRect, bounds, kShadowSize, kShadowOpacity, noAlpha);
  FShadows->Show(Handle());
}

void TTxPopupWindow::DestroyShadow() { FShadows.reset(); }

void TTxPopupWindow::PopupShowing(fw::TMessage& Message) {
  const bool shown = Message.WParam == TPS_ANIMFINISHED || Message.WParam == TPS_NOANIM;
  if (shown && !ComponentState().Contains(fw::csDestroying) && CanShowShadow()) {
    const Integer type = CurrentTheme->GetPopupShadowType();
    if (type == PST_LAYERED || type == PST_LAYERED_NT5) CreateShadow();
  }
  TTBPopupWindow::Dispatch(Message);
}

void TTxPopupWindow::WindowPosChanged(fw::TMessage& Message) {
  TTBPopupWindow::Dispatch(Message);
  const auto* pos = reinterpret_cast<const win::WINDOWPOS*>(Message.LParam);
  if (!pos || (pos->flags & (win::SWP_SHOWWINDOW | win::SWP_HIDEWINDOW)) || !FShadows) return;
  // The shadow follows the window.
  DestroyShadow();
  CreateShadow();
}

void TTxPopupWindow::WMEraseBkgnd(fw::TMessage& Message) {
  EndAnimation(Handle());
  const Integer vt = GetPopupViewType();
  const TColor color = CurrentTheme->GetViewColor(vt);
  const TRect r = ClientRect();
  TDCCanvas canvas(reinterpret_cast<win::HDC>(Message.WParam));
  CurrentTheme->PaintBackground(canvas.get(), r, r, r, color, false, vt);
  Message.Result = 1;
}

TRect TTxPopupWindow::ParentRectInWindow() {
  TRect r{};
  TTBView* parentView = ParentViewOfPopup();
  TTBItemViewer* opener = parentView ? parentView->OpenViewer() : nullptr;
  if (opener && (dynamic_cast<TTxItemViewer*>(opener) || IsChevronPopup()) && opener->IsToolbarStyle()) {
    r = opener->ScreenBoundsRect();
  } else if (!parentView) {
    if (auto* root = dynamic_cast<TTxRootItem*>(FItem); root && !IsEmptyRect(root->PopupRect)) r = root->PopupRect;
  }
  if (IsEmptyRect(r)) return TRect{};
  TRect w{};
  win::GetWindowRect(Handle(), &w);
  win::OffsetRect(&r, -w.left, -w.top);
  return r;
}

void TTxPopupWindow::PaintNC(win::HDC DC) {
  TTxPopupInfo info;
  info.WindowHandle = Handle();
  info.ViewType = GetPopupViewType();
  info.ParentRect = ParentRectInWindow();
  CurrentTheme->GetViewBorder(info.ViewType, info.BorderSize);
  TRect w{};
  win::GetWindowRect(Handle(), &w);
  win::OffsetRect(&w, -w.left, -w.top);
  win::ExcludeClipRect(DC, w.left + info.BorderSize.x, w.top + info.BorderSize.y, w.right - info.BorderSize.x,
                       w.bottom - info.BorderSize.y);
  TDCCanvas canvas(DC);
  CurrentTheme->PaintPopupNCArea(canvas.get(), w, info);
}

void TTxPopupWindow::NCPaint(fw::TMessage& Message) {
  win::HDC dc = win::GetWindowDC(Handle());
  if (!dc) return;  // nothing to paint on
  SelectNCUpdateRgn(Handle(), dc, reinterpret_cast<win::HRGN>(Message.WParam));
  PaintNC(dc);
  win::ReleaseDC(Handle(), dc);
  Message.Result = 0;
}

void TTxPopupWindow::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case TXM_GETVIEWTYPE: Message.Result = GetPopupViewType(); return;
    case TBM_POPUPSHOWING: PopupShowing(Message); return;
    case win::WM_WINDOWPOSCHANGED: WindowPosChanged(Message); return;
    case win::WM_NCPAINT: NCPaint(Message); return;
    case win::WM_PRINT:
      HandleWMPrint(
          Handle(), Message,
          [](win::HWND Wnd, win::HDC DC, void*) {
            if (auto* self = dynamic_cast<TTxPopupWindow*>(fw::FindControl(Wnd))) self->PaintNC(DC);
          },
          nullptr);
      return;
    default: break;
  }
  TTBPopupWindow::Dispatch(Message);
}

// ---- popup menu ------------------------------------------------------------------------------

TTxPopupMenu::TTxPopupMenu(fw::TComponent* AOwner) : TTBPopupMenu(AOwner, new TTxRootItem(nullptr)) {}

TTxPopupMenu::TTxPopupMenu(fw::TComponent* AOwner, TTxRootItem* ARootItem) : TTBPopupMenu(AOwner, ARootItem) {}

void TTxPopupMenu::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == TXM_GETVIEWTYPE) {
    Message.Result = VT_POPUP_MENU;
    return;
  }
  TTBPopupMenu::Dispatch(Message);
}

}  // namespace tx
