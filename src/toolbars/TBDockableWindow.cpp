#include "toolbars/TBDockableWindow.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "framework/Filer.h"
#include "framework/Menus.h"
#include "framework/SysUtils.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiRegions.h"
#include "platform/kernel/Rects.h"
#include "platform/kernel/Threads.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBFloatingParent.h"
#include "toolbars/TBHook.h"

namespace toolbars {
namespace {

// Every floating window of the process (used from the user-interface thread only).
std::vector<TTBCustomDockableWindow*>& FloatingWindows() {
  static std::vector<TTBCustomDockableWindow*> list;
  return list;
}

constexpr THookProcCodes kWindowHookCodes =
    THookProcCodes(HookCode(hpSendActivateApp) | HookCode(hpSendWindowPosChanged) | HookCode(hpPreDestroy));

fw::TCustomForm* OwnerFormOf(fw::TControl* Control) {
  for (fw::TComponent* c = Control->Owner(); c; c = c->Owner())
    if (auto* f = dynamic_cast<fw::TCustomForm*>(c)) return f;
  return fw::GetParentForm(Control);
}

}  // namespace

// The hooks keep floating windows in step with their owner forms and the application.
void DockableWindowHook(THookProcCode Code, win::HWND Wnd, win::WPARAM WParam, win::LPARAM LParam);

TTBCustomDockableWindow::TTBCustomDockableWindow(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {
  fw::TControlStyle style = ControlStyle();
  style += fw::TControlStyle{fw::csAcceptsControls, fw::csClickEvents, fw::csSetCaption, fw::csDoubleClicks};
  style -= fw::TControlStyle{fw::csCaptureMouse, fw::csOpaque};
  SetControlStyle(style);
  SetColor(fw::clBtnFace);
  InstallHookProc(DockableWindowHook, kWindowHookCodes, false);
}

TTBCustomDockableWindow::~TTBCustomDockableWindow() {
  std::erase(FloatingWindows(), this);
  if (FCurrentDock) {
    FCurrentDock->ChangeDockList(false, this);
    std::erase(FCurrentDock->FDockVisibleList, this);
  }
  if (FLastDock && FLastDock != FCurrentDock) std::erase(FLastDock->FDockList, this);
  if (FFloatParent) {
    // The window goes before its floating parent: it must not be destroyed with it.
    if (Parent() == FFloatParent) fw::TCustomControl::SetParent(nullptr);
    delete FFloatParent;
    FFloatParent = nullptr;
  }
  UninstallHookProc(DockableWindowHook);
}

TTBFloatingWindowParent* TTBCustomDockableWindow::FloatingParent() const {
  return FFloating ? dynamic_cast<TTBFloatingWindowParent*>(Parent()) : nullptr;
}

// ---- frame sizes ----

Integer TTBCustomDockableWindow::DragHandleSize() const {
  if (FCloseButtonWhenDocked) return 14;
  switch (FDragHandleStyle) {
    case dhDouble: return 9;
    case dhNone: return 0;
    case dhSingle: return 6;
  }
  return 0;
}

void TTBCustomDockableWindow::GetDockedNCAreaSize(TPoint& Size) {
  if (!FDocked || !FCurrentDock) {
    Size = TPoint{0, 0};
    return;
  }
  Size = TPoint{4, 4};
  if (FCurrentDock->AllowDrag()) {
    if (GetDockTypeOf(FCurrentDock, false) == dtLeftRight)
      Size.y += DragHandleSize();
    else
      Size.x += DragHandleSize();
  }
}

void TTBCustomDockableWindow::GetDockedCloseButtonRect(bool LeftRight, TRect& R) {
  const Integer side = DragHandleSize() - 3;
  if (LeftRight) {
    const Integer x = ClientWidth() + 2 - side;
    R = TRect{x, 3, x + side, 3 + side};
  } else {
    R = TRect{3, 2, 3 + side, 2 + side};
  }
}

void TTBCustomDockableWindow::GetFloatingBorderSize(TPoint& Size) {
  Size = FResizable ? TPoint{win::GetSystemMetrics(win::SM_CXFRAME), win::GetSystemMetrics(win::SM_CYFRAME)}
                    : TPoint{win::GetSystemMetrics(win::SM_CXDLGFRAME), win::GetSystemMetrics(win::SM_CYDLGFRAME)};
}

bool TTBCustomDockableWindow::CanDockTo(TTBDock* ADock) {
  return ADock && (FDockableTo & DockableBit(ADock->Position())) != 0;
}

void TTBCustomDockableWindow::ControlExistsAtPos(const TPoint& P, bool& ControlExists) {
  for (Integer i = 0; i < ControlCount(); ++i) {
    fw::TControl* c = Controls(i);
    if (!c->Visible() || IsTransparentChild(c)) continue;
    const TRect b = c->BoundsRect();
    if (P.x >= b.left && P.x < b.right && P.y >= b.top && P.y < b.bottom) {
      ControlExists = true;
      return;
    }
  }
}

void TTBCustomDockableWindow::GetMinShrinkSize(Integer& /*AMinimumSize*/) {}
void TTBCustomDockableWindow::GetMinMaxSize(Integer&, Integer&, Integer&, Integer&) {}
TTBShrinkMode TTBCustomDockableWindow::GetShrinkMode() { return tbsmNone; }
void TTBCustomDockableWindow::SizeChanging(Integer, Integer) {}
bool TTBCustomDockableWindow::IsTransparentChild(fw::TControl*) { return false; }
void TTBCustomDockableWindow::DoDockChangingHidden(bool /*NewFloating*/, TTBDock* /*DockingTo*/) {
  if (!ComponentState().Contains(fw::csDestroying) && OnDockChangingHidden) OnDockChangingHidden(this);
}
TTBFloatingWindowParentClass TTBCustomDockableWindow::GetFloatingWindowParentClass() {
  return TTBFloatingWindowParentClass::Of<TTBFloatingWindowParent>();
}
void TTBCustomDockableWindow::InitializeOrdering() {}
void TTBCustomDockableWindow::ResizeTrack(TRect&, const TRect&) {}
void TTBCustomDockableWindow::ResizeTrackAccept() {}
void TTBCustomDockableWindow::ResizeBegin(Integer) {}
void TTBCustomDockableWindow::ResizeEnd() {}

// ---- properties ----

void TTBCustomDockableWindow::RecalcNCArea() {
  if (HandleAllocated())
    win::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                      win::SWP_FRAMECHANGED | win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOZORDER |
                          win::SWP_NOACTIVATE);
}

void TTBCustomDockableWindow::SetAutoResize(bool Value) {
  FAutoResize = Value;
  if (Value) Arrange();
}
void TTBCustomDockableWindow::SetBorderStyle(fw::TBorderStyle Value) {
  FBorderStyle = Value;
  RecalcNCArea();
}
void TTBCustomDockableWindow::SetCloseButton(bool Value) {
  FCloseButton = Value;
  if (auto* p = FloatingParent()) p->RedrawNCArea(twrdCloseButton);
}
void TTBCustomDockableWindow::SetCloseButtonWhenDocked(bool Value) {
  FCloseButtonWhenDocked = Value;
  if (FDocked) {
    RecalcNCArea();
    FCurrentDock->ArrangeToolbars();
  }
}
void TTBCustomDockableWindow::SetDragHandleStyle(TTBDragHandleStyle Value) {
  FDragHandleStyle = Value;
  if (FDocked) {
    RecalcNCArea();
    FCurrentDock->ArrangeToolbars();
  }
}
void TTBCustomDockableWindow::SetDefaultDock(TTBDock* Value) {
  FDefaultDock = Value;
  if (Value) Value->FreeNotification(this);
}
void TTBCustomDockableWindow::SetDockPos(Integer Value) {
  FDockPos = Value;
  if (FDocked) FCurrentDock->ArrangeToolbars();
}
void TTBCustomDockableWindow::SetDockRow(Integer Value) {
  FDockRow = Value;
  if (FDocked) FCurrentDock->ArrangeToolbars();
}
void TTBCustomDockableWindow::SetFullSize(bool Value) {
  FFullSize = Value;
  if (FDocked) FCurrentDock->ArrangeToolbars();
}
void TTBCustomDockableWindow::SetStretch(bool Value) {
  FStretch = Value;
  if (FDocked) FCurrentDock->ArrangeToolbars();
}
void TTBCustomDockableWindow::SetShowCaption(bool Value) {
  if (FShowCaption == Value) return;
  FShowCaption = Value;
  if (auto* p = FloatingParent(); p && p->HandleAllocated())
    win::SetWindowPos(p->Handle(), nullptr, 0, 0, 0, 0,
                      win::SWP_FRAMECHANGED | win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOZORDER |
                          win::SWP_NOACTIVATE);
  Arrange();
}
void TTBCustomDockableWindow::SetHideWhenInactive(bool Value) {
  FHideWhenInactive = Value;
  UpdateVisibility();
}
void TTBCustomDockableWindow::SetFloatingMode(TTBFloatingMode Value) {
  FFloatingMode = Value;
  if (HandleAllocated()) Perform(fw::CM_SHOWINGCHANGED, 0, 0);
}
void TTBCustomDockableWindow::SetResizable(bool Value) {
  if (FResizable == Value) return;
  FResizable = Value;
  if (auto* p = FloatingParent(); p && p->HandleAllocated()) p->RecreateWnd();
}
void TTBCustomDockableWindow::SetLastDock(TTBDock* Value) {
  if (FUseLastDock && FCurrentDock) Value = FCurrentDock;
  if (FLastDock == Value) return;
  if (FLastDock && FLastDock != Parent()) FLastDock->ChangeDockList(false, this);
  FLastDock = Value;
  if (Value) {
    FUseLastDock = true;
    Value->FreeNotification(this);
    Value->ChangeDockList(true, this);
  }
}
void TTBCustomDockableWindow::SetUseLastDock(bool Value) {
  if (FUseLastDock == Value) return;
  FUseLastDock = Value;
  if (Value) {
    if (FCurrentDock) SetLastDock(FCurrentDock);
  } else {
    if (FLastDock && FLastDock != Parent()) FLastDock->ChangeDockList(false, this);
    FLastDock = nullptr;
  }
}
void TTBCustomDockableWindow::SetCurrentDock(TTBDock* Value) {
  if (ComponentState().Contains(fw::csLoading)) return;
  if (Value)
    SetParent(Value);
  else
    SetParent(OwnerFormOf(this));
}
void TTBCustomDockableWindow::SetFloatingPosition(TPoint Value) {
  FFloatingPosition = Value;
  FFloatingPositionKnown = true;
  if (auto* p = FloatingParent()) p->SetBounds(Value.x, Value.y, p->Width(), p->Height());
}

// ---- arrangement ----

void TTBCustomDockableWindow::BeginUpdate() { ++FDisableArrange; }
void TTBCustomDockableWindow::EndUpdate() {
  if (FDisableArrange > 0 && --FDisableArrange == 0 && FArrangeNeeded) Arrange();
}

void TTBCustomDockableWindow::Arrange() {
  if (FDisableArrange > 0 || ComponentState().Contains(fw::csLoading) || !Parent()) {
    FArrangeNeeded = true;
    return;
  }
  FArrangeNeeded = false;
  const TPoint size = OrderControls(true, GetDockTypeOf(FCurrentDock, FFloating), FCurrentDock);
  if (!(FAutoResize || FDocked || FFloating)) return;
  if (FDocked) {
    FCurrentDock->ArrangeToolbars();
    return;
  }
  TPoint nc{};
  GetDockedNCAreaSize(nc);
  Integer w = size.x + nc.x, h = size.y + nc.y;
  if (!FFloating) {
    if (Anchors().Contains(fw::akLeft) && Anchors().Contains(fw::akRight)) w = Width();
    if (Anchors().Contains(fw::akTop) && Anchors().Contains(fw::akBottom)) h = Height();
  }
  ++FUpdatingBounds;
  try {
    SetBounds(Left(), Top(), w, h);
  } catch (...) {
    --FUpdatingBounds;
    throw;
  }
  --FUpdatingBounds;
}

void TTBCustomDockableWindow::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  const bool sizeChanged = AWidth != Width() || AHeight != Height();
  if (FFloating) {
    ALeft = 0;
    ATop = 0;
    if (auto* p = FloatingParent()) {
      TPoint border{};
      GetFloatingBorderSize(border);
      const Integer caption = FShowCaption ? win::GetSystemMetrics(win::SM_CYSMCAPTION) : 0;
      p->SetBounds(p->Left(), p->Top(), AWidth + 2 * border.x, AHeight + 2 * border.y + caption);
    }
  }
  if (sizeChanged && FUpdatingBounds == 0) SizeChanging(AWidth, AHeight);
  fw::TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

bool TTBCustomDockableWindow::IsMovable() const { return FFloating || (FDocked && FCurrentDock->AllowDrag()); }

// ---- parents ----

void TTBCustomDockableWindow::SetParent(fw::TWinControl* AParent) {
  auto* newDock = dynamic_cast<TTBDock*>(AParent);
  auto* newFloatParent = dynamic_cast<TTBFloatingWindowParent*>(AParent);
  if (AParent == Parent()) {
    FCurrentDock = newDock;
    FFloating = newFloatParent != nullptr;
    FDocked = newDock != nullptr;
    return;
  }
  const bool destroying = ComponentState().Contains(fw::csDestroying);
  if (!destroying && AParent) {
    if (OnDockChanging) OnDockChanging(this, newFloatParent != nullptr, newDock);
    if (OnRecreating) OnRecreating(this);
  }
  TTBDock* oldDock = FCurrentDock;
  auto* oldFloatParent = dynamic_cast<TTBFloatingWindowParent*>(Parent());
  ++FDisableUpdateVisibility;
  if (oldDock) oldDock->BeginUpdate();
  if (newDock && newDock != oldDock) newDock->BeginUpdate();
  try {
    DoDockChangingHidden(newFloatParent != nullptr, newDock);
    FCurrentSize = 0;
    FCurrentDock = nullptr;
    FDocked = false;
    if (oldDock) {
      if (!(FUseLastDock && FLastDock == oldDock)) oldDock->ChangeDockList(false, this);
      oldDock->ChangeDockVisibleList(this, true);
    }
    fw::TCustomControl::SetParent(AParent);
    FCurrentDock = newDock;
    FFloating = newFloatParent != nullptr;
    FDocked = newDock != nullptr;
    FEffectiveDockRow = -1;
    if (oldFloatParent && oldFloatParent != AParent) {
      if (!FDragSmoothly) {
        if (oldFloatParent == FFloatParent) FFloatParent = nullptr;
        delete oldFloatParent;
      } else {
        // A smooth drag keeps the frame it may float into again (and whose caption press may be
        // what runs the drag) until it ends: empty now, it goes out of sight at once, or its last
        // picture would stay on the screen over the window it floated above.
        oldFloatParent->FShouldShow = false;
        oldFloatParent->Perform(fw::CM_SHOWINGCHANGED, 0, 0);
      }
    }
    if (newDock) {
      if (FUseLastDock && !FDragSmoothly && FLastDock != newDock) {
        if (FLastDock) FLastDock->ChangeDockList(false, this);
        FLastDock = newDock;
        newDock->FreeNotification(this);
      }
      newDock->ChangeDockList(true, this);
    }
    std::erase(FloatingWindows(), this);
    if (FFloating) {
      FloatingWindows().push_back(this);
      newFloatParent->SetBounds(FFloatingPosition.x, FFloatingPosition.y, newFloatParent->Width(),
                                newFloatParent->Height());
    }
    Arrange();
  } catch (...) {
    if (newDock && newDock != oldDock) newDock->EndUpdate();
    if (oldDock) oldDock->EndUpdate();
    --FDisableUpdateVisibility;
    throw;
  }
  if (newDock && newDock != oldDock) newDock->EndUpdate();
  if (oldDock) oldDock->EndUpdate();
  --FDisableUpdateVisibility;
  UpdateVisibility();
  if (OnMove) OnMove(this);
  if (!destroying) {
    if (OnRecreated) OnRecreated(this);
    if (OnDockChanged) OnDockChanged(this);
  }
}

void TTBCustomDockableWindow::SetFloating(bool Value) {
  fw::TCustomForm* form = OwnerFormOf(this);
  if (!Value) {
    if (FFloating || !Parent()) SetParent(form);
    return;
  }
  if (FFloating) return;
  if (!form) throw fw::EInvalidOperation(fw::Format("Control '%s' has no parent window", Name()));
  FFloatingPositionKnown = true;
  if (!FFloatParent || FFloatParent->FParentForm != form) {
    delete FFloatParent;
    FFloatParent = nullptr;
    auto* p = GetFloatingWindowParentClass().Create(nullptr);
    p->FParentForm = form;
    p->FDockableWindow = this;
    char name[32];
    std::snprintf(name, sizeof name, "TBFloating_%08X", unsigned(reinterpret_cast<uintptr_t>(p) & 0xFFFFFFFFu));
    p->SetName(name);
    p->SetCaption(Caption());
    FFloatParent = p;
    form->FreeNotification(this);
  }
  TPoint nc{};
  GetDockedNCAreaSize(nc);
  const TPoint client{Width() - nc.x, Height() - nc.y};
  // The parent takes its place and frame first, so the window shows (and gets its handle) in it.
  TPoint border{};
  GetFloatingBorderSize(border);
  const Integer caption = FShowCaption ? win::GetSystemMetrics(win::SM_CYSMCAPTION) : 0;
  FFloatParent->SetBounds(FFloatingPosition.x, FFloatingPosition.y, client.x + 2 * border.x,
                          client.y + 2 * border.y + caption);
  FFloatParent->SetVisible(true);
  SetParent(FFloatParent);
  SetBounds(0, 0, client.x, client.y);
  Arrange();  // the floating layout decides the size from here on
}

void TTBCustomDockableWindow::MoveOnScreen(bool OnlyIfFullyOffscreen) {
  auto* p = FloatingParent();
  if (!p) return;
  TRect r = p->BoundsRect();
  const TRect area = GetRectOfMonitorContainingRect(r, true);
  const bool meets = r.left < area.right && r.right > area.left && r.top < area.bottom && r.bottom > area.top;
  if (OnlyIfFullyOffscreen && meets) return;
  const Integer w = r.right - r.left, h = r.bottom - r.top;
  if (r.right > area.right) r.left = area.right - w;
  if (r.bottom > area.bottom) r.top = area.bottom - h;
  if (r.left < area.left) r.left = area.left;
  if (r.top < area.top) r.top = area.top;
  FFloatingPosition = TPoint{r.left, r.top};
  p->SetBounds(r.left, r.top, w, h);
}

void TTBCustomDockableWindow::DoubleClick() {
  if (FDocked) {
    if (FDblClickUndock && FDockMode == dmCanFloat) {
      // Back where it floated last; a window that never floated stays where it is.
      if (!FFloatingPositionKnown) FFloatingPosition = ClientToScreen(TPoint{0, 0});
      SetFloating(true);
      MoveOnScreen(true);
    }
  } else if (FFloating) {
    if (FLastDock) {
      SetParent(FLastDock);
    } else if (FDefaultDock) {
      FDockRow = 0;
      FDockPos = -8;  // before every window of row 0, those at -1 included
      SetParent(FDefaultDock);
    }
  }
}

void TTBCustomDockableWindow::Close() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  if (!canClose) return;
  Hide();
  if (OnClose) OnClose(this);
}

// ---- visibility of floating windows ----

bool TTBCustomDockableWindow::ShouldBeVisible() const {
  if (!Showing() || FDisableUpdateVisibility > 0) return false;
  if (!FFloating) return true;
  auto* p = FloatingParent();
  fw::TCustomForm* form = p ? p->FParentForm : nullptr;
  if (FFloatingMode == fmOnTopOfParentForm) {
    if (!form || !form->HandleAllocated()) return false;
    if (!form->Visible() || win::IsIconic(form->Handle())) return false;
    fw::TCustomForm* mainForm = fw::Application ? fw::Application->MainForm() : nullptr;
    if (mainForm && mainForm != form &&
        (!mainForm->HandleAllocated() || !mainForm->Visible() || win::IsIconic(mainForm->Handle())))
      return false;
  }
  if (FHideWhenInactive && !ApplicationIsActive()) return false;
  return true;
}

void TTBCustomDockableWindow::UpdateVisibility() {
  if (!FFloating || FDisableUpdateVisibility > 0) return;
  auto* p = FloatingParent();
  if (!p) return;
  const bool inactive = !FHideWhenInactive && !ApplicationIsActive();
  if (inactive != FInactiveCaption) {
    FInactiveCaption = inactive;
    p->RedrawNCArea(twrdAll);
  }
  const bool visible = ShouldBeVisible();
  if (visible == p->FShouldShow && p->HandleAllocated() && bool(win::IsWindowVisible(p->Handle())) == visible)
    return;
  if (HandleAllocated()) Perform(fw::CM_SHOWINGCHANGED, 0, 0);
}

// A floating window: the floating parent is owned by the application window (on top of all
// forms) or by the owner form, so that it stays above it; it is topmost as the mode asks, and
// shows exactly while the window should be seen. Hiding the active one hands activation on.
void TTBCustomDockableWindow::CMShowingChanged(TMessage& Message) {
  auto* p = FloatingParent();
  if (!p) {
    fw::TCustomControl::CMShowingChanged(Message);
    return;
  }
  const bool visible = ShouldBeVisible();
  p->HandleNeeded();
  const win::HWND frame = p->Handle();
  win::HWND owner = nullptr;
  if (FFloatingMode == fmOnTopOfAllForms && fw::Application)
    owner = fw::Application->Handle();
  else if (p->FParentForm && p->FParentForm->HandleAllocated())
    owner = p->FParentForm->Handle();
  if (owner && win::GetWindow(frame, win::GW_OWNER) != owner)
    win::SetWindowLongPtrW(frame, win::GWLP_HWNDPARENT, reinterpret_cast<win::LONG_PTR>(owner));
  UpdateTopmost();
  if (visible && !p->FShouldShow)
    win::SetWindowPos(frame, win::HWND_TOP, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
  const bool wasActive = win::GetActiveWindow() == frame;
  p->FShouldShow = visible;
  p->Perform(fw::CM_SHOWINGCHANGED, 0, 0);
  if (HandleAllocated())
    win::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                      win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE |
                          (visible ? win::SWP_SHOWWINDOW : win::SWP_HIDEWINDOW));
  if (!visible && wasActive) PassActivation(frame);
}

// On top of all forms: topmost while enabled. On top of its form: topmost when the owner is.
void TTBCustomDockableWindow::UpdateTopmost() {
  auto* p = FloatingParent();
  if (!p || !p->HandleAllocated()) return;
  const win::HWND frame = p->Handle();
  bool topmost = false;
  if (FFloatingMode == fmOnTopOfAllForms) {
    topmost = HandleAllocated() ? bool(win::IsWindowEnabled(Handle())) : Enabled();
  } else if (win::HWND owner = win::GetWindow(frame, win::GW_OWNER)) {
    topmost = (win::GetWindowLongPtrW(owner, win::GWL_EXSTYLE) & win::WS_EX_TOPMOST) != 0;
  }
  const bool now = (win::GetWindowLongPtrW(frame, win::GWL_EXSTYLE) & win::WS_EX_TOPMOST) != 0;
  if (topmost != now)
    win::SetWindowPos(frame, topmost ? win::HWND_TOPMOST : win::HWND_NOTOPMOST, 0, 0, 0, 0,
                      win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
}

void PassActivation(win::HWND From) {
  struct TSearch {
    win::HWND From, First = nullptr, FirstTool = nullptr;
  } search{From};
  win::EnumThreadWindows(
      win::GetCurrentThreadId(),
      [](win::HWND Wnd, win::LPARAM LParam) -> win::BOOL {
        auto* s = reinterpret_cast<TSearch*>(LParam);
        if (Wnd == s->From || !win::IsWindowVisible(Wnd) || !win::IsWindowEnabled(Wnd)) return win::TRUE;
        if (win::GetWindowLongPtrW(Wnd, win::GWL_EXSTYLE) & win::WS_EX_TOOLWINDOW) {
          if (!s->FirstTool) s->FirstTool = Wnd;
          return win::TRUE;
        }
        s->First = Wnd;
        return win::FALSE;
      },
      reinterpret_cast<win::LPARAM>(&search));
  if (win::HWND to = search.First ? search.First : search.FirstTool) win::SetActiveWindow(to);
}

void DockableWindowHook(THookProcCode Code, win::HWND Wnd, win::WPARAM /*WParam*/, win::LPARAM LParam) {
  const std::vector<TTBCustomDockableWindow*> floating = FloatingWindows();
  switch (Code) {
    case hpSendActivateApp:
      for (TTBCustomDockableWindow* w : floating) w->UpdateVisibility();
      break;
    case hpSendWindowPosChanged: {
      const auto* pos = reinterpret_cast<const win::WINDOWPOS*>(LParam);
      if (!pos || !(pos->flags & (win::SWP_SHOWWINDOW | win::SWP_HIDEWINDOW | win::SWP_FRAMECHANGED))) break;
      for (TTBCustomDockableWindow* w : floating) {
        if (w->FloatingMode() != fmOnTopOfParentForm) continue;
        auto* p = w->FloatingParent();
        fw::TCustomForm* form = p ? p->ParentForm() : nullptr;
        if (form && form->HandleAllocated() &&
            (form->Handle() == Wnd || win::IsChild(Wnd, form->Handle())))
          w->UpdateVisibility();
      }
      break;
    }
    case hpPreDestroy:
      for (TTBCustomDockableWindow* w : floating) {
        auto* p = w->FloatingParent();
        if (p && p->HandleAllocated() && win::GetWindow(p->Handle(), win::GW_OWNER) == Wnd && fw::Application)
          win::SetWindowLongPtrW(p->Handle(), win::GWLP_HWNDPARENT,
                                 reinterpret_cast<win::LONG_PTR>(fw::Application->Handle()));
      }
      break;
    case hpGetMessage: break;
  }
}

// ---- messages ----

void TTBCustomDockableWindow::Loaded() {
  fw::TCustomControl::Loaded();
  const TReadPlacement read = std::exchange(FRead, TReadPlacement{});
  if (!ComponentState().Contains(fw::csDesigning)) {
    fw::TCustomForm* form = OwnerFormOf(this);
    const TPoint at{read.Left.value_or(Left()), read.Top.value_or(Top())};
    if (read.Dock) {
      SetParent(read.Dock);
    } else if (read.Floating && form) {
      FFloatingPosition = form->ClientToScreen(at);
      SetFloating(true);
      // A window placed by hand is fitted into the work area whole; one that was put away while
      // the program ran comes back where it was unless that is off every screen now.
      MoveOnScreen(FSavedAtRunTime);
    } else if (read.Left || read.Top) {
      if (!Parent() && form) SetParent(form);
      SetBounds(at.x, at.y, Width(), Height());
    }
  }
  InitializeOrdering();
  Arrange();
}

void TTBCustomDockableWindow::DefineProperties(fw::TFiler* Filer) {
  fw::TCustomControl::DefineProperties(Filer);
  Filer->DefineProperty(
      "SavedAtRunTime", [this](fw::TReader* Reader) { FSavedAtRunTime = Reader->ReadBoolean(); },
      [](fw::TWriter* Writer) { Writer->WriteBoolean(true); }, !ComponentState().Contains(fw::csDesigning));
}

TPoint TTBCustomDockableWindow::StoredPosition() const {
  auto* self = const_cast<TTBCustomDockableWindow*>(this);
  if (FFloating)
    if (auto* p = FloatingParent())
      if (fw::TCustomForm* form = OwnerFormOf(self)) return form->ScreenToClient(TPoint{p->Left(), p->Top()});
  return TPoint{Left(), Top()};
}

void TTBCustomDockableWindow::SetStoredLeft(Integer Value) {
  if (ComponentState().Contains(fw::csLoading)) {
    FRead.Left = Value;
  } else if (fw::TCustomForm* form = FFloating ? OwnerFormOf(this) : nullptr) {
    SetFloatingPosition(form->ClientToScreen(TPoint{Value, StoredPosition().y}));
  } else {
    SetLeft(Value);
  }
}

void TTBCustomDockableWindow::SetStoredTop(Integer Value) {
  if (ComponentState().Contains(fw::csLoading)) {
    FRead.Top = Value;
  } else if (fw::TCustomForm* form = FFloating ? OwnerFormOf(this) : nullptr) {
    SetFloatingPosition(form->ClientToScreen(TPoint{StoredPosition().x, Value}));
  } else {
    SetTop(Value);
  }
}

void TTBCustomDockableWindow::SetStoredDock(TTBDock* Value) {
  if (ComponentState().Contains(fw::csLoading))
    FRead.Dock = Value;
  else
    SetCurrentDock(Value);
}

void TTBCustomDockableWindow::SetStoredFloating(bool Value) {
  if (ComponentState().Contains(fw::csLoading))
    FRead.Floating = Value;
  else
    SetFloating(Value);
}

void TTBCustomDockableWindow::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TCustomControl::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  if (AComponent == FDefaultDock) FDefaultDock = nullptr;
  if (AComponent == FLastDock) FLastDock = nullptr;
  if (AComponent == FCurrentDock) {
    FCurrentDock = nullptr;
    FDocked = false;
  }
  if (FFloatParent && AComponent == FFloatParent->FParentForm) {
    // The owner form goes: the window leaves the floating parent, which then goes too.
    if (Parent() == FFloatParent) fw::TCustomControl::SetParent(nullptr);
    FFloating = false;
    std::erase(FloatingWindows(), this);
    delete FFloatParent;
    FFloatParent = nullptr;
  }
}

void TTBCustomDockableWindow::CreateParams(fw::TCreateParams& Params) {
  fw::TCustomControl::CreateParams(Params);
  Params.WindowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

void TTBCustomDockableWindow::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  fw::TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != fw::mbLeft || !IsMovable()) return;
  bool control = false;
  ControlExistsAtPos(TPoint{X, Y}, control);
  if (control) return;
  if (Shift.Contains(fw::ssDouble)) {
    DoubleClick();
    return;
  }
  // A press on the bare client area (a separator, the empty end of a bar) drags the window like
  // its handle does. The loop takes the release, so the framework hears one made up afterwards.
  BeginMoving(X, Y);
  if (HandleAllocated()) {
    win::POINT p{};
    win::GetCursorPos(&p);
    const TPoint c = ScreenToClient(TPoint{p.x, p.y});
    Perform(win::WM_LBUTTONUP, 0, win::MAKELPARAM(c.x, c.y));
  }
}

void TTBCustomDockableWindow::WMNCCalcSize(TMessage& Message) {
  if (!FDocked) {
    fw::TCustomControl::Dispatch(Message);
    return;
  }
  auto* r = reinterpret_cast<win::RECT*>(Message.LParam);
  win::InflateRect(r, -2, -2);
  if (FCurrentDock->AllowDrag()) {
    if (GetDockTypeOf(FCurrentDock, false) == dtLeftRight)
      r->top += DragHandleSize();
    else
      r->left += DragHandleSize();
  }
  Message.Result = 0;
}

void TTBCustomDockableWindow::WMNCHitTest(TMessage& Message) {
  if (!FDocked) {
    fw::TCustomControl::Dispatch(Message);
    return;
  }
  win::RECT wr{};
  win::GetWindowRect(Handle(), &wr);
  const Integer x = Integer(short(Message.LParam & 0xFFFF)) - wr.left;
  const Integer y = Integer(short((Message.LParam >> 16) & 0xFFFF)) - wr.top;
  const bool leftRight = GetDockTypeOf(FCurrentDock, false) == dtLeftRight;
  const Integer handle = FCurrentDock->AllowDrag() ? DragHandleSize() : 0;
  const TRect client{2 + (leftRight ? 0 : handle), 2 + (leftRight ? handle : 0), Width() - 2, Height() - 2};
  if (x >= client.left && x < client.right && y >= client.top && y < client.bottom) {
    Message.Result = win::HTCLIENT;
    return;
  }
  Message.Result = HTDockBorder;
  if (FCloseButtonWhenDocked && FCurrentDock->AllowDrag()) {
    TRect r{};
    GetDockedCloseButtonRect(leftRight, r);
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) Message.Result = HTDockClose;
  }
}

void TTBCustomDockableWindow::WMSetCursor(TMessage& Message) {
  if (FDocked && Integer(short(Message.LParam & 0xFFFF)) == HTDockClose) {
    win::SetCursor(win::LoadCursorW(nullptr, win::IDC_ARROW));
    Message.Result = 1;
    return;
  }
  if (FDocked && FCurrentDock->AllowDrag() && Integer(short(Message.LParam & 0xFFFF)) == HTDockBorder &&
      FDragHandleStyle != dhNone) {
    win::POINT pt{};
    win::GetCursorPos(&pt);
    win::RECT wr{};
    win::GetWindowRect(Handle(), &wr);
    const bool leftRight = GetDockTypeOf(FCurrentDock, false) == dtLeftRight;
    const Integer along = leftRight ? pt.y - wr.top : pt.x - wr.left;
    if (along < DragHandleSize()) {
      win::SetCursor(win::LoadCursorW(nullptr, win::IDC_SIZEALL));
      Message.Result = 1;
      return;
    }
  }
  fw::TCustomControl::WMSetCursor(Message);
}

void TTBCustomDockableWindow::WMNCLButtonDown(TMessage& Message) {
  if (Message.WParam == win::WPARAM(HTDockBorder)) {
    if (IsMovable()) {
      const TPoint p = ScreenToClient(TPoint{Integer(short(Message.LParam & 0xFFFF)),
                                             Integer(short((Message.LParam >> 16) & 0xFFFF))});
      BeginMoving(p.x, p.y);
    }
    return;
  }
  if (Message.WParam == win::WPARAM(HTDockClose)) {
    TRect r{};
    GetDockedCloseButtonRect(GetDockTypeOf(FCurrentDock, false) == dtLeftRight, r);
    if (TrackCloseButton(Handle(), r, FCloseButtonDown)) Close();
    return;
  }
  fw::TCustomControl::Dispatch(Message);
}

void TTBCustomDockableWindow::WMNCLButtonDblClk(TMessage& Message) {
  if (Message.WParam == win::WPARAM(HTDockBorder) && IsMovable()) {
    DoubleClick();
    return;
  }
  fw::TCustomControl::Dispatch(Message);
}

void TTBCustomDockableWindow::CMTextChanged(TMessage& Message) {
  fw::TCustomControl::CMTextChanged(Message);
  if (auto* p = FloatingParent()) p->SetCaption(Caption());
}

void TTBCustomDockableWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_NCCALCSIZE: WMNCCalcSize(Message); return;
    case win::WM_NCHITTEST: WMNCHitTest(Message); return;
    case win::WM_SETCURSOR: WMSetCursor(Message); return;
    case win::WM_NCLBUTTONDOWN: WMNCLButtonDown(Message); return;
    case win::WM_NCLBUTTONDBLCLK: WMNCLButtonDblClk(Message); return;
    case win::WM_NCPAINT:
      if (FDocked) {
        DrawNCArea(false, nullptr, reinterpret_cast<win::HRGN>(Message.WParam));
        Message.Result = 0;
        return;
      }
      break;
    case win::WM_MOVE:
      fw::TCustomControl::Dispatch(Message);
      FMoved = true;
      if (FDocked && FCurrentDock->UsingBackground()) RepaintOffscreen();
      if (OnMove) OnMove(this);
      return;
    case win::WM_PRINT:
      HandleWMPrint(
          Handle(), Message,
          [](win::HWND, win::HDC DC, void* AppData) {
            static_cast<TTBCustomDockableWindow*>(AppData)->DrawNCArea(true, DC, nullptr);
          },
          this);
      return;
    case win::WM_PRINTCLIENT: HandleWMPrintClient(this, Message); return;
    case win::WM_ENABLE:
      fw::TCustomControl::Dispatch(Message);
      if (FFloatingMode == fmOnTopOfAllForms) UpdateTopmost();
      return;
    case fw::CM_COLORCHANGED:
      RedrawAll();
      fw::TCustomControl::Dispatch(Message);
      return;
    case fw::CM_TEXTCHANGED: CMTextChanged(Message); return;
    case win::WM_NCRBUTTONUP:
      win::SendMessageW(Handle(), win::WM_CONTEXTMENU, win::WPARAM(Handle()), Message.LParam);
      return;
    case win::WM_CONTEXTMENU:
      if (WMContextMenuOnFrame(Message)) return;
      break;
    case win::WM_NCMOUSEMOVE: SetCloseButtonHover(FDocked && Integer(Message.WParam) == HTDockClose); break;
    case win::WM_NCMOUSELEAVE:
    case win::WM_MOUSEMOVE:
    case fw::CM_MOUSELEAVE: SetCloseButtonHover(false); break;
    case win::WM_CAPTURECHANGED:
      // Wakes a mouse loop waiting for messages, so that it sees the capture is gone.
      win::PostMessageW(Handle(), win::WM_NULL, 0, 0);
      break;
    case fw::CM_VISIBLECHANGED:
      if (FDocked) FCurrentDock->ChangeDockVisibleList(this, false);
      fw::TCustomControl::Dispatch(Message);
      if (OnVisibleChanged) OnVisibleChanged(this);
      return;
    case win::WM_ERASEBKGND:
      if (FDocked && FCurrentDock->UsingBackground() && FCurrentDock->BackgroundOnToolbars()) {
        auto dc = reinterpret_cast<win::HDC>(Message.WParam);
        TRect r = ClientRect();
        TPoint nc{};
        GetDockedNCAreaSize(nc);
        r.left -= Left() + FCurrentDock->Left() + (nc.x - 2);
        r.top -= Top() + FCurrentDock->Top() + (nc.y - 2);
        // Only the client area: a printing DC is not clipped to it.
        const int saved = win::SaveDC(dc);
        const TRect client = ClientRect();
        win::IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        FCurrentDock->DrawBackground(dc, r);
        win::RestoreDC(dc, saved);
        Message.Result = 1;
        return;
      }
      break;
    default: break;
  }
  fw::TCustomControl::Dispatch(Message);
}

// A point in the client area is the contents' business; the frame, the drag handle and the
// keyboard (no point) get the window's popup menu.
bool TTBCustomDockableWindow::WMContextMenuOnFrame(TMessage& Message) {
  const bool keyboard = Message.LParam == win::LPARAM(-1) || win::DWORD(Message.LParam) == 0xFFFFFFFFu;
  TPoint at{win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam)};
  if (!keyboard) {
    const TPoint c = ScreenToClient(at);
    const TRect client = ClientRect();
    if (c.x >= client.left && c.x < client.right && c.y >= client.top && c.y < client.bottom) return false;
  } else {
    at = ClientToScreen(TPoint{0, 0});
  }
  fw::TPopupMenu* menu = PopupMenu();
  if (!menu || !menu->AutoPopup()) return false;
  menu->SetPopupComponent(this);
  menu->Popup(at.x, at.y);
  Message.Result = 1;
  return true;
}

void TTBCustomDockableWindow::SetCloseButtonHover(bool Value) {
  if (FCloseButtonHover == Value) return;
  FCloseButtonHover = Value;
  // Told when the pointer leaves the frame, so that the button does not stay lit.
  if (Value) CallTrackMouseEvent(Handle(), win::TME_LEAVE | win::TME_NONCLIENT);
  if (FDocked && FCloseButtonWhenDocked) DrawNCArea(false, nullptr, nullptr);
}

// ---- docked frame ----

void TTBCustomDockableWindow::RedrawAll() {
  if (HandleAllocated())
    win::RedrawWindow(Handle(), nullptr, nullptr,
                      win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME | win::RDW_ALLCHILDREN);
}

void TTBCustomDockableWindow::RepaintOffscreen() {
  if (!HandleAllocated() || !win::IsWindowVisible(Handle())) return;
  const TRect client = ClientRect();
  win::RECT pending{};
  if (win::GetUpdateRect(Handle(), &pending, win::FALSE) && pending.left <= client.left &&
      pending.top <= client.top && pending.right >= client.right && pending.bottom >= client.bottom)
    return;  // all of it is painted anyway
  win::RECT wr{};
  win::GetWindowRect(Handle(), &wr);
  const Integer w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (w <= 0 || h <= 0) return;
  const TPoint origin = ClientToScreen(TPoint{0, 0});
  const Integer cx = origin.x - wr.left, cy = origin.y - wr.top;
  win::HDC windowDC = win::GetWindowDC(Handle());
  win::HDC dc = win::CreateCompatibleDC(windowDC);
  win::HBITMAP bitmap = win::CreateCompatibleBitmap(windowDC, w, h);
  win::HGDIOBJ oldBitmap = win::SelectObject(dc, bitmap);
  DrawNCArea(true, dc, nullptr);
  win::POINT oldOrigin{};
  win::SetWindowOrgEx(dc, -cx, -cy, &oldOrigin);
  win::IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  Perform(win::WM_ERASEBKGND, win::WPARAM(dc), 0);
  Perform(win::WM_PRINTCLIENT, win::WPARAM(dc), win::PRF_CLIENT);
  win::SetWindowOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  win::SelectClipRgn(dc, nullptr);
  win::BitBlt(windowDC, 0, 0, w, h, dc, 0, 0, win::SRCCOPY);
  win::SelectObject(dc, oldBitmap);
  win::DeleteObject(bitmap);
  win::DeleteDC(dc);
  win::ReleaseDC(Handle(), windowDC);
  win::ValidateRect(Handle(), nullptr);
}

win::HPALETTE TTBCustomDockableWindow::GetPalette() { return FDocked ? FCurrentDock->GetPalette() : nullptr; }

void TTBCustomDockableWindow::DrawNCArea(bool DrawToDC, win::HDC ADC, win::HRGN Clip) {
  if (!FDocked || !HandleAllocated()) return;
  win::HDC dc = DrawToDC ? ADC : win::GetWindowDC(Handle());
  if (!DrawToDC) SelectNCUpdateRgn(Handle(), dc, Clip);
  win::RECT wr{};
  win::GetWindowRect(Handle(), &wr);
  win::RECT r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  const bool leftRight = GetDockTypeOf(FCurrentDock, false) == dtLeftRight;
  const bool dockBackground = FCurrentDock->UsingBackground() && FCurrentDock->BackgroundOnToolbars();

  // Everything outside the client area.
  win::RECT client{2, 2, r.right - 2, r.bottom - 2};
  const Integer handle = FCurrentDock->AllowDrag() ? DragHandleSize() : 0;
  if (leftRight)
    client.top += handle;
  else
    client.left += handle;
  const int saved = win::SaveDC(dc);
  win::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  if (dockBackground) {
    TRect anchor{r.left - Left() - FCurrentDock->Left(), r.top - Top() - FCurrentDock->Top(), r.right, r.bottom};
    FCurrentDock->DrawBackground(dc, anchor);
  } else {
    win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(fw::ColorToRGB(Color())));
    win::FillRect(dc, &r, brush);
    win::DeleteObject(brush);
  }
  if (FBorderStyle == fw::bsSingle) {
    win::RECT e = r;
    win::DrawEdge(dc, &e, win::BDR_RAISEDINNER, win::BF_RECT);
  }
  if (FCurrentDock->AllowDrag() && FDragHandleStyle != dhNone) {
    const int lines = FDragHandleStyle == dhDouble ? 2 : 1;
    Integer first = FCloseButtonWhenDocked ? (FDragHandleStyle == dhDouble ? 5 : 7)
                                           : (FDragHandleStyle == dhDouble ? 4 : 3);
    if (FCloseButtonWhenDocked && FDragHandleStyle == dhDouble) first = 5;
    for (int i = 0; i < lines; ++i) {
      const Integer at = first + i * 3;
      win::RECT g;
      if (leftRight) {
        Integer start = 2, end = r.right - 2;
        if (FCloseButtonWhenDocked) end = r.right - (handle - 2);
        g = win::RECT{start, at, end, at + 3};
      } else {
        Integer start = FCloseButtonWhenDocked ? handle : 2, end = r.bottom - 2;
        g = win::RECT{at, start, at + 3, end};
      }
      win::DrawEdge(dc, &g, win::BDR_RAISEDINNER, win::BF_RECT);
      // The line ends in a highlight pixel, so its light side runs its whole length.
      win::SetPixelV(dc, g.left, g.bottom - 1, win::GetSysColor(win::COLOR_BTNHIGHLIGHT));
    }
  }
  if (FCloseButtonWhenDocked && FCurrentDock->AllowDrag()) {
    TRect b{};
    GetDockedCloseButtonRect(leftRight, b);
    win::RECT e{b.left, b.top, b.right, b.bottom};
    if (FCloseButtonDown)
      win::DrawEdge(dc, &e, win::BDR_SUNKENOUTER, win::BF_RECT);
    else if (FCloseButtonHover)
      win::DrawEdge(dc, &e, win::BDR_RAISEDINNER, win::BF_RECT);
    // The cross: rows 00 CC 78 30 78 CC 00 00 of an 8 x 8 pattern.
    static const unsigned char kCross[8] = {0x00, 0xCC, 0x78, 0x30, 0x78, 0xCC, 0x00, 0x00};
    const Integer ox = b.left + 2 + (FCloseButtonDown ? 1 : 0), oy = b.top + 2 + (FCloseButtonDown ? 1 : 0);
    win::HBRUSH text = win::GetSysColorBrush(win::COLOR_BTNTEXT);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        if (kCross[y] & (0x80 >> x)) {
          win::RECT px{ox + x, oy + y, ox + x + 1, oy + y + 1};
          if (px.right <= b.right && px.bottom <= b.bottom) win::FillRect(dc, &px, text);
        }
  }
  win::RestoreDC(dc, saved);
  if (!DrawToDC) win::ReleaseDC(Handle(), dc);
}

}  // namespace toolbars
