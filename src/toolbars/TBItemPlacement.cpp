// Opening popups of an item: creating, placing and showing the popup window, the modal popup of
// popup menus, and carrying out how a menu loop ended.

#include <algorithm>

#include "framework/Forms.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/Sound.h"
#include "platform/user/services/WinHelp.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/WinEvents.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBAcc.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBItem.h"
#include "toolbars/TBItemModal.h"
#include "toolbars/TBItemPopup.h"
#include "toolbars/TBItemViewer.h"
#include "toolbars/detail/TBItemQueue.h"

namespace toolbars {

namespace {

constexpr win::DWORD kMenuSoundFlags = win::SND_ALIAS | win::SND_ASYNC | win::SND_NODEFAULT | win::SND_NOSTOP;
bool gPopupShownBefore = false;

bool Intersects(const TRect& A, const TRect& B) {
  return A.left < B.right && B.left < A.right && A.top < B.bottom && B.top < A.bottom;
}

bool Inside(const TRect& Inner, const TRect& Outer) {
  return Inner.left >= Outer.left && Inner.top >= Outer.top && Inner.right <= Outer.right &&
         Inner.bottom <= Outer.bottom;
}

// Shown buttons of the parent view the popup rectangle would wholly cover.
Integer CountCoveredButtons(TTBView* ParentView, const TRect& PopupRect) {
  Integer n = 0;
  for (Integer i = 0; i < ParentView->ViewerCount(); ++i) {
    TTBItemViewer* v = ParentView->Viewers(i);
    if (v->Show() && Inside(v->ScreenBoundsRect(), PopupRect)) ++n;
  }
  return n;
}

}  // namespace

TTBPopupWindowClass TTBCustomItem::GetPopupWindowClass() { return TTBPopupWindowClass::Of<TTBPopupWindow>(); }

TTBPopupWindow* TTBCustomItem::CreatePopup(TTBView* ParentView, TTBItemViewer* ParentViewer, bool PositionAsSubmenu,
                                           bool SelectFirstItem, bool Customizing, const TPoint& APopupPoint,
                                           Byte Alignment) {
  TTBCustomItem* linked = GetLinkedItem();
  if (linked != this) linked->DoPopup(this, true);
  DoPopup(this, false);
  // The children show what their actions (and visibility toggles their controls) say now, not
  // what they said when the idle update last reached them.
  if (!ComponentState().Contains(fw::csDesigning)) {
    // By index: an update handler may add or remove items.
    TTBCustomItem* owner = GetLinkedItem();
    for (Integer i = 0; i < owner->Count(); ++i) owner->Items(i)->InitiateAction();
  }

  TTBView* chevronParentView = GetChevronParentView();
  TTBCustomItem* popupItem = chevronParentView ? chevronParentView->ParentItem() : this;
  bool opposite = ParentView && (ParentView->State() & tbvsOppositePopup);

  TTBPopupWindow* popup = GetPopupWindowClass().Create(nullptr, ParentView, popupItem, Customizing);
  try {
    TTBView* view = popup->View();
    if (chevronParentView) {
      view->SetChevronParentView(chevronParentView);
      view->SetIsToolbar(true);
      view->SetStyle(TTBViewStyle((view->Style() & ~tbvoAlwaysShowHints) |
                                  (chevronParentView->Style() & tbvoAlwaysShowHints)));
      popup->SetColor(fw::clBtnFace);
    }
    TTBPopupPlacement rec;
    if (ParentView) {
      ParentView->ValidatePositions();
      rec.ParentItemRect = ParentViewer ? ParentViewer->ScreenBoundsRect() : TRect{};
      const TRect& stored = ParentView->MonitorRect();
      if (stored.right > stored.left && stored.bottom > stored.top)
        rec.MonitorRect = stored;
      else
        rec.MonitorRect = GetRectOfMonitorContainingRect(rec.ParentItemRect, false);
    } else {
      rec.ParentItemRect = TRect{APopupPoint.x, APopupPoint.y, APopupPoint.x, APopupPoint.y};
      rec.MonitorRect = GetRectOfMonitorContainingPoint(APopupPoint, false);
    }
    view->SetMonitorRect(rec.MonitorRect);
    TPoint nc{0, 0};
    popup->GetNCSize(nc);
    rec.NCSizeX = nc.x;
    rec.NCSizeY = nc.y;
    if (chevronParentView)
      view->SetWrapOffset(std::max(0, Integer(rec.MonitorRect.right - rec.MonitorRect.left) - 2 * nc.x));
    else
      view->SetMaxHeight(std::max(0, Integer(rec.MonitorRect.bottom - rec.MonitorRect.top) - 2 * nc.y));
    if (SelectFirstItem) view->SetSelected(view->FirstSelectable());
    TPoint size{0, 0};
    view->UpdatePositions(size);
    const Integer W = popup->Width(), H = popup->Height();
    Integer X = 0, Y = 0;
    const TRect& pr = rec.ParentItemRect;
    if (ParentView == nullptr) {
      X = APopupPoint.x - (Alignment == 1 ? W : Alignment == 2 ? W / 2 : 0);
      Y = APopupPoint.y;
    } else if (PositionAsSubmenu) {
      X = pr.right - nc.x;
      Y = pr.top - nc.y;
    } else if (chevronParentView) {
      if (chevronParentView->Orientation() != tbvoVertical) {
        X = pr.right - W;
        Y = pr.bottom;
      } else {
        X = pr.left - W;
        Y = pr.top;
      }
    } else if (ParentView->Orientation() == tbvoVertical) {
      X = pr.left - W;
      Y = pr.top;
    } else {
      X = win::GetSystemMetrics(win::SM_MENUDROPALIGNMENT) ? pr.right - W : pr.left;
      Y = pr.bottom;
    }
    rec.PositionAsSubmenu = PositionAsSubmenu;
    rec.Alignment = Alignment;
    rec.Opposite = opposite;
    rec.X = X;
    rec.Y = Y;
    rec.W = W;
    rec.H = H;
    GetPopupPosition(ParentView, popup, rec);
    popup->SetAnimationDirection(rec.AnimDir);
    popup->SetBounds(rec.X, rec.Y, rec.W, rec.H);

    if (ParentView) {
      ParentView->SetOpenViewer(ParentViewer, view, popup);
      if (ParentView->IsToolbar()) {
        ParentView->SetState(ParentView->State() | tbvsDropDownMenus);
        ParentView->Invalidate(ParentViewer);
        if (ParentView->Window() && ParentView->Window()->HandleAllocated())
          win::UpdateWindow(ParentView->Window()->Handle());
      }
    }

    if (!rec.PlaySound || !NeedToPlaySound("MenuPopup")) {
      popup->Show();
    } else if (!gPopupShownBefore) {
      popup->Show();
      popup->Update();
      win::PlaySoundW(u"MenuPopup", nullptr, kMenuSoundFlags);
    } else {
      win::PlaySoundW(u"MenuPopup", nullptr, kMenuSoundFlags);
      popup->Show();
    }
    gPopupShownBefore = true;
  } catch (...) {
    if (ParentView && ParentView->OpenViewerWindow() == popup) ParentView->SetOpenViewer(nullptr, nullptr, nullptr);
    delete popup;
    throw;
  }
  win::NotifyWinEvent(win::EVENT_SYSTEM_MENUPOPUPSTART, popup->Handle(), win::OBJID_CLIENT, win::CHILDID_SELF);
  if (TTBItemViewer* sel = popup->View()->Selected())
    win::NotifyWinEvent(win::EVENT_OBJECT_FOCUS, popup->Handle(), win::OBJID_CLIENT, AccChildIdOf(sel));
  return popup;
}

void TTBCustomItem::GetPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& P) {
  const TRect& M = P.MonitorRect;
  const TRect& PI = P.ParentItemRect;
  const bool verticalBar = ParentView && ParentView->IsToolbar() && ParentView->Orientation() == tbvoVertical;
  auto popupRect = [&] { return TRect{P.X, P.Y, P.X + P.W, P.Y + P.H}; };
  // 1. Vertical fit.
  if (P.Y + P.H > M.bottom && !verticalBar) {
    Integer y = (P.PositionAsSubmenu ? PI.bottom + P.NCSizeY : PI.top) - P.H;
    if (y >= M.top) P.Y = y;
  }
  if (P.Y + P.H > M.bottom) P.Y = M.bottom - P.H;
  if (P.Y < M.top) P.Y = M.top;
  if (P.PositionAsSubmenu) {
    // 2. Beside the parent line, the left side tried first when the parent opened leftward.
    while (true) {
      if (!P.Opposite && P.X + P.W <= M.right) break;
      Integer x = ParentView ? PI.left + P.NCSizeX - P.W : P.X - P.W;
      if (P.Opposite && x < M.left) {
        P.Opposite = false;
        continue;
      }
      P.X = x;
      if (PopupWindow && PopupWindow->View())
        PopupWindow->View()->SetState(PopupWindow->View()->State() | tbvsOppositePopup);
      break;
    }
    if (P.X < M.left) P.X = M.left;
  } else {
    // 3. At a point or dropped down.
    if (!ParentView && P.Alignment == 1 && P.X < M.left) P.X += P.W;
    if (P.X + P.W > M.right) P.X = (ParentView || P.Alignment != 0) ? M.right - P.W : P.X - P.W;
    if (P.X < M.left) P.X = M.left;
    if (ParentView && verticalBar) {
      // 4. Drop-down from a vertical toolbar.
      Integer x = PI.right;
      if (x + P.W <= M.right) {
        TRect cur = popupRect();
        TRect cand{x, P.Y, x + P.W, P.Y + P.H};
        Integer nCur = CountCoveredButtons(ParentView, cur), nCand = CountCoveredButtons(ParentView, cand);
        if (nCand < nCur || (nCand == nCur && Intersects(cur, PI))) P.X = x;
      }
      if (Intersects(popupRect(), PI)) {
        P.Y = PI.bottom;
        if (P.Y + P.H > M.bottom) P.Y = PI.top - P.H;
        if (P.Y < M.top) P.Y = M.top;
      }
    } else if (ParentView) {
      // 5. Any other drop-down.
      Integer y = PI.top - P.H;
      if (y >= M.top) {
        TRect cur = popupRect();
        TRect cand{P.X, y, P.X + P.W, y + P.H};
        Integer nCur = CountCoveredButtons(ParentView, cur), nCand = CountCoveredButtons(ParentView, cand);
        if (nCand < nCur || (nCand == nCur && Intersects(cur, PI))) P.Y = y;
      }
      if (Intersects(popupRect(), PI)) {
        P.X = PI.right;
        if (P.X + P.W > M.right) P.X = PI.left - P.W;
        if (P.X < M.left) P.X = M.left;
      }
    }
  }
  // 6. Direction of the open animation.
  P.AnimDir = 0;
  if (P.PositionAsSubmenu) {
    P.AnimDir = (P.X + P.W / 2 < (PI.left + PI.right) / 2) ? tbadLeftward : tbadRightward;
  } else {
    if (P.Y >= PI.bottom)
      P.AnimDir |= tbadDownward;
    else if (P.Y + P.H <= PI.top)
      P.AnimDir |= tbadUpward;
    if (P.X + P.W <= PI.left)
      P.AnimDir |= tbadLeftward;
    else if (P.X >= PI.right)
      P.AnimDir |= tbadRightward;
  }
}

void TTBCustomItem::Popup(Integer X, Integer Y, bool TrackRightButton, Byte Alignment) {
  TTBDoneActionRec done;
  {
    auto handler = std::make_unique<TTBModalHandler>(nullptr);
    TTBPopupWindow* popup = nullptr;
    try {
      popup = CreatePopup(nullptr, nullptr, false, false, false, TPoint{X, Y}, Alignment);
      TTBView* view = popup->View();
      view->SetState(view->State() | tbvsIgnoreFirstMouseUp);
      handler->Loop(view, false, false, false, TrackRightButton);
      done = view->DoneActionData();
      view->SetState(view->State() & ~tbvsModal);
    } catch (...) {
      try {
        delete popup;
      } catch (...) {
      }
      throw;
    }
    // Each release runs even when the other throws.
    std::exception_ptr failure;
    try {
      delete popup;
    } catch (...) {
      failure = std::current_exception();
    }
    try {
      handler.reset();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
    if (failure) std::rethrow_exception(failure);
  }
  ProcessDoneAction(done);
}

void ProcessDoneAction(const TTBDoneActionRec& D) {
  switch (D.DoneAction) {
    case tbdaClickItem:
      if (D.Sound && NeedToPlaySound("MenuCommand")) win::PlaySoundW(u"MenuCommand", nullptr, kMenuSoundFlags);
      if (D.ClickItem) detail::PostCall(D.ClickItem, 0);
      break;
    case tbdaOpenSystemMenu:
      win::SendMessageW(D.Wnd, win::WM_SYSCOMMAND, win::SC_KEYMENU, win::LPARAM(D.Key));
      break;
    case tbdaHelpContext: {
      if (!fw::Application) break;
      // A form with a help button shows the topic as a popup.
      if (fw::Screen && fw::Screen->ActiveForm() && fw::Screen->ActiveForm()->BorderIcons().Contains(fw::biHelp))
        fw::Application->HelpCommand(win::HELP_CONTEXTPOPUP, D.ContextID);
      else
        fw::Application->HelpContext(D.ContextID);
      break;
    }
    case tbdaNone:
    case tbdaCancel:
      break;
  }
}

}  // namespace toolbars
