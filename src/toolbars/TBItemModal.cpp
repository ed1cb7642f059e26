#include "toolbars/TBItemModal.h"

#include <climits>

#include "framework/ClassesUtilWindow.h"
#include "framework/Forms.h"
#include "platform/kernel/Modules.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/Beep.h"
#include "platform/user/services/WinEvents.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBItemPopup.h"
#include "toolbars/TBItemViewer.h"
#include "toolbars/detail/TBItemLoop.h"

namespace toolbars {

namespace {

constexpr win::LONG kUnknownPos = INT_MIN;
win::POINT gLastPos{kUnknownPos, kUnknownPos};
using LockFn = win::BOOL (*)(win::UINT);
LockFn gLockSetForeground = nullptr;
bool gLookedUp = false;

win::POINT MessagePoint() {
  win::DWORD pos = win::GetMessagePos();
  return win::POINT{win::GET_X_LPARAM(pos), win::GET_Y_LPARAM(pos)};
}

TTBView* CurrentView(TTBView* Root) {
  TTBView* v = Root;
  while (v->OpenViewerView()) v = v->OpenViewerView();
  return v;
}

bool InChain(TTBView* Root, win::HWND Wnd) {
  for (TTBView* v = Root; v; v = v->OpenViewerView())
    if (v->Window() && v->Window()->HandleAllocated() && v->Window()->Handle() == Wnd) return true;
  return false;
}

void UpdateAllSelections(TTBView* Root, const win::POINT& P, bool AllowNewSelection) {
  TTBView* current = CurrentView(Root);
  TTBView* capturing = nullptr;
  for (TTBView* v = current; v; v = v->ParentView())
    if (v->Capture()) {
      capturing = v;
      break;
    }
  for (TTBView* v = current; v; v = v->ParentView()) {
    if (capturing && capturing != v) continue;
    v->UpdateSelection(&P, AllowNewSelection);
    if (v == Root) break;
  }
}

TTBItemViewer* ViewerUnderMouse(TTBView* Root) {
  for (TTBView* v = Root; v; v = v->OpenViewerView())
    if (v->Capture()) return v->Selected();
  for (TTBView* v = Root; v; v = v->OpenViewerView()) {
    if (v->Selected() && v->MouseOverSelected()) return v->Selected();
    if (v->State() & tbvsMouseInWindow) return nullptr;
  }
  return nullptr;
}

TPoint ViewerPoint(TTBItemViewer* V, const win::POINT& Screen) {
  win::POINT p = Screen;
  win::ScreenToClient(V->View()->Window()->Handle(), &p);
  return TPoint{p.x - V->BoundsRect().left, p.y - V->BoundsRect().top};
}

void MouseMoveUpdate(TTBView* Root) {
  UpdateAllSelections(Root, gLastPos, true);
  TTBView* view = CurrentView(Root);
  TTBItemViewer* sel = view->Selected();
  if (sel && view->Window() && view->Window()->HandleAllocated()) {
    if (((view->Style() & tbvoAlwaysShowHints) || sel->Item()->EffectiveOptions().Contains(tboShowHint)) &&
        !view->Capture()) {
      view->Window()->Update();
      win::POINT c = gLastPos;
      win::ScreenToClient(view->Window()->Handle(), &c);
      fw::TMessage m{win::WM_MOUSEMOVE, 0, win::MAKELPARAM(win::WORD(c.x), win::WORD(c.y)), 0};
      if (fw::Application) fw::Application->HintMouseMessage(view->Window(), m);
    } else if (fw::Application) {
      fw::Application->CancelHint();
    }
    win::HCURSOR cursor = nullptr;
    sel->GetCursor(ViewerPoint(sel, gLastPos), cursor);
    win::SetCursor(cursor ? cursor : win::LoadCursorW(nullptr, win::IDC_ARROW));
  }
}

}  // namespace

namespace detail {
void ResetLastMousePos() { gLastPos = win::POINT{kUnknownPos, kUnknownPos}; }
}  // namespace detail

TTBModalHandler::TTBModalHandler(win::HWND ExistingWnd) {
  if (!gLookedUp) {
    gLookedUp = true;
    if (win::HMODULE m = win::LoadLibraryW(u"user32.dll"))
      gLockSetForeground = reinterpret_cast<LockFn>(win::GetProcAddress(m, "LockSetForegroundWindow"));
  }
  gLastPos = MessagePoint();
  if (ExistingWnd) {
    FWnd = ExistingWnd;
  } else {
    FWnd = fw::AllocateHWnd(nullptr);
    FCreatedWnd = true;
  }
  if (gLockSetForeground) gLockSetForeground(win::LSFW_LOCK);
  win::SetCapture(FWnd);
  win::SetCursor(win::LoadCursorW(nullptr, win::IDC_ARROW));
  win::NotifyWinEvent(win::EVENT_SYSTEM_MENUSTART, FWnd, win::OBJID_CLIENT, win::CHILDID_SELF);
  FInited = true;
}

TTBModalHandler::~TTBModalHandler() {
  if (gLockSetForeground) gLockSetForeground(win::LSFW_UNLOCK);
  if (FWnd) {
    if (win::GetCapture() == FWnd) win::ReleaseCapture();
    if (FInited) win::NotifyWinEvent(win::EVENT_SYSTEM_MENUEND, FWnd, win::OBJID_CLIENT, win::CHILDID_SELF);
    if (FCreatedWnd) fw::DeallocateHWnd(FWnd);
  }
}

void TTBModalHandler::Loop(TTBView* RootView, bool AMouseDown, bool AExecuteSelected, bool AFromMSAA,
                           bool TrackRightButton) {
  RootView->ClearDoneAction();
  RootView->ValidatePositions();
  RootView->SetModalHandlerWnd(FWnd);
  auto finished = [&] { return RootView->DoneActionData().DoneAction != tbdaNone; };
  auto finish = [&] {
    RootView->CancelCapture();
    RootView->SetModalHandlerWnd(nullptr);
    if (fw::Application) fw::Application->SetHint("");
    RemoveMessages(win::WM_CHAR, win::WM_DEADCHAR);
    RemoveMessages(win::WM_SYSCHAR, win::WM_SYSDEADCHAR);
    RemoveMessages(win::WM_KEYF1, win::WM_KEYF1);
  };
  try {
    if (AMouseDown && RootView->Selected()) {
      bool onMenu = false;
      TTBItemViewer* sel = RootView->Selected();
      TPoint p = ViewerPoint(sel, MessagePoint());
      sel->MouseDown(fw::TShiftState(), p.x, p.y, onMenu);
    } else if (AExecuteSelected) {
      RootView->ExecuteSelected(!AFromMSAA);
    }
    bool mouseDownOnMenu = false;
    bool first = true;
    while (!finished() && win::GetCapture() == FWnd) {
      if (!first) win::WaitMessage();
      first = false;
      win::MSG msg{};
      while (!finished() && win::GetCapture() == FWnd && win::PeekMessageW(&msg, nullptr, 0, 0, win::PM_NOREMOVE)) {
        if (msg.message == win::WM_QUIT) {
          // Leave the quit request for the application's loop.
          RootView->EndModal();
          break;
        }
        const bool press = msg.message == win::WM_LBUTTONDOWN || msg.message == win::WM_RBUTTONDOWN;
        if (press) {
          win::POINT p = msg.pt;
          win::HWND under = win::WindowFromPoint(p);
          bool inChainPopup = InChain(RootView, under) && dynamic_cast<TTBPopupWindow*>(fw::FindControl(under));
          if (!inChainPopup) {
            bool rootWindow = RootView->Window() && RootView->Window()->HandleAllocated() &&
                              under == RootView->Window()->Handle();
            if (RootView->IsPopup() || !rootWindow) {
              RootView->EndModal();
              RootView->ClearDoneAction();
              finish();
              return;  // the click stays queued for the window under it
            }
            if (msg.message == win::WM_LBUTTONDOWN) {
              UpdateAllSelections(RootView, p, true);
              TTBItemViewer* sel = RootView->Selected();
              if (!sel || !RootView->MouseOverSelected() || (sel->Item()->ItemStyle() & tbisClicksTransparent)) {
                finish();
                return;
              }
            }
          }
        }
        if (!win::PeekMessageW(&msg, nullptr, 0, 0, win::PM_REMOVE | win::PM_NOYIELD)) continue;
        const win::UINT m = msg.message;
        if (m == win::WM_TIMER) {
          bool routed = false;
          if (msg.wParam >= kViewTimerBaseID && msg.wParam <= kViewTimerBaseID + 3)
            for (TTBView* v = RootView; v; v = v->OpenViewerView())
              if (v->Window() && v->Window()->HandleAllocated() && v->Window()->Handle() == msg.hwnd) {
                v->TimerExpired(TTBViewTimerID(msg.wParam - kViewTimerBaseID));
                routed = true;
                break;
              }
          if (!routed) win::DispatchMessageW(&msg);
        } else if (m == win::WM_KEYF1 || m == win::WM_CONTEXTMENU || m == win::WM_SYSTIMER) {
          // dropped
        } else if (m >= win::WM_KEYFIRST && m <= win::WM_KEYFIRST + 8) {
          if (fw::Application) fw::Application->CancelHint();
          const bool held = (win::GetKeyState(win::VK_LBUTTON) < 0) ||
                            (TrackRightButton && win::GetKeyState(win::VK_RBUTTON) < 0);
          TTBView* view = CurrentView(RootView);
          if ((m == win::WM_CHAR || m == win::WM_SYSCHAR) && !held) {
            bool only = false;
            char16_t ch = char16_t(msg.wParam);
            if (TTBItemViewer* v = view->FindAccel(view->Selected(), ch, only)) {
              view->SetSelected(v);
              view->ScrollSelectedIntoView();
              if (only) view->ExecuteSelected(true);
            } else if ((ch == u' ' || ch == u'-') && !RootView->IsPopup() && view == RootView &&
                       win::GetActiveWindow()) {
              RootView->EndModalWithSystemMenu(win::GetActiveWindow(), msg.wParam);
            } else {
              win::MessageBeep(0);
            }
          } else if (m == win::WM_KEYDOWN || m == win::WM_SYSKEYDOWN) {
            Word key = Word(msg.wParam);
            if (!held || key == win::VK_F1) {
              fw::TShiftState shift = fw::KeyDataToShiftState(msg.lParam);
              if (TTBItemViewer* sel = view->Selected()) sel->KeyDown(key, shift);
              if (!finished() && key != 0) view->KeyDown(key, shift);
              if (key != 0) win::TranslateMessage(&msg);
            }
          }
        } else if (m >= win::WM_MOUSEFIRST && m <= win::WM_MOUSEWHEEL) {
          const win::POINT p = msg.pt;
          if (m == win::WM_MOUSEMOVE) {
            if (p.x != gLastPos.x || p.y != gLastPos.y) {
              gLastPos = p;
              MouseMoveUpdate(RootView);
              if (TTBItemViewer* v = ViewerUnderMouse(RootView)) {
                TPoint vp = ViewerPoint(v, p);
                v->MouseMove(vp.x, vp.y);
              }
            }
          } else if (m == win::WM_LBUTTONDOWN || m == win::WM_LBUTTONDBLCLK ||
                     (m == win::WM_RBUTTONDOWN && TrackRightButton)) {
            if (fw::Application) fw::Application->CancelHint();
            mouseDownOnMenu = false;
            RootView->SetState(RootView->State() & ~tbvsIgnoreFirstMouseUp);
            UpdateAllSelections(RootView, p, true);
            if (TTBItemViewer* v = ViewerUnderMouse(RootView)) {
              TPoint vp = ViewerPoint(v, p);
              v->MouseDown(m == win::WM_LBUTTONDBLCLK ? fw::TShiftState{fw::ssDouble} : fw::TShiftState(), vp.x,
                           vp.y, mouseDownOnMenu);
            }
            gLastPos = MessagePoint();
          } else if (m == win::WM_LBUTTONUP || (m == win::WM_RBUTTONUP && TrackRightButton)) {
            UpdateAllSelections(RootView, p, false);
            if (TTBItemViewer* v = ViewerUnderMouse(RootView)) {
              TPoint vp = ViewerPoint(v, p);
              v->MouseUp(vp.x, vp.y, mouseDownOnMenu);
            } else {
              TTBView* inView = nullptr;
              for (TTBView* vv = RootView; vv; vv = vv->OpenViewerView())
                if (vv->State() & tbvsMouseInWindow) inView = vv;
              if ((inView && inView != RootView) || (inView == RootView && RootView->IsPopup())) {
                // nothing
              } else if (RootView->State() & tbvsIgnoreFirstMouseUp) {
                RootView->SetState(RootView->State() & ~tbvsIgnoreFirstMouseUp);
              } else {
                RootView->EndModal();
              }
            }
          } else if (m == win::WM_MOUSEWHEEL) {
            if (TTBItemViewer* v = ViewerUnderMouse(RootView)) {
              TPoint vp = ViewerPoint(v, p);
              v->MouseWheel(win::GET_WHEEL_DELTA_WPARAM(msg.wParam), vp.x, vp.y);
            }
          }
        } else {
          win::DispatchMessageW(&msg);
        }
        if (finished()) break;
        if (gLastPos.x == kUnknownPos) {
          gLastPos = MessagePoint();
          MouseMoveUpdate(RootView);
        }
        // The hint of the deepest view with a selection.
        String hint;
        for (TTBView* v = RootView; v; v = v->OpenViewerView())
          if (v->Selected()) hint = fw::GetLongHint(v->Selected()->Item()->Hint());
        if (fw::Application) fw::Application->SetHint(hint);
      }
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

}  // namespace toolbars
