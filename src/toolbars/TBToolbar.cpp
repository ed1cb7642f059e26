#include "toolbars/TBToolbar.h"

#include <algorithm>

#include "framework/Forms.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/Beep.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/services/AccessibleParts.h"
#include "toolbars/TBAcc.h"
#include "toolbars/TBFloatingParent.h"
#include "toolbars/TBHook.h"

namespace toolbars {

// ---- chevron ----

TTBChevronItem::TTBChevronItem(fw::TComponent* AOwner) : TTBCustomItem(AOwner) {
  SetItemStyle(TTBItemStyle(ItemStyle() | tbisSubmenu | tbisNoAutoOpen));
  SetChevronHint(DefaultHint);
}

void TTBChevronItem::SetChevronHint(const String& Value) {
  SetHint(Value);
  SetCaption(EscapeAmpersands(fw::GetShortHint(Value)));
}

TTBItemViewerClass TTBChevronItem::GetItemViewerClass(TTBView* /*AView*/) {
  return TTBItemViewerClass::Of<TTBChevronItemViewer>();
}

TTBView* TTBChevronItem::GetChevronParentView() { return FToolbar ? FToolbar->View() : nullptr; }

void TTBChevronItemViewer::Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
                                 bool /*UseDisabledShadow*/) {
  win::HDC dc = Canvas->Handle();
  win::RECT r{ClientAreaRect.left, ClientAreaRect.top, ClientAreaRect.right, ClientAreaRect.bottom};
  const bool enabled = Item()->Enabled();
  if (enabled && IsPushed)
    win::DrawEdge(dc, &r, win::BDR_SUNKENOUTER, win::BF_RECT);
  else if (enabled && IsSelected)
    win::DrawEdge(dc, &r, win::BDR_RAISEDINNER, win::BF_RECT);
  // A double arrow: to the right on a horizontal bar, downwards on a vertical one.
  static const unsigned char kRight[5] = {0xCC, 0x66, 0x33, 0x66, 0xCC};
  static const unsigned char kDown[8] = {0x88, 0xD8, 0x70, 0x20, 0x88, 0xD8, 0x70, 0x20};
  const bool vertical = View()->Orientation() == tbvoVertical;
  const Integer shift = IsPushed ? 1 : 0;
  const Integer ox = (vertical ? ClientAreaRect.right - 9 : ClientAreaRect.left + 2) + shift;
  const Integer oy = (vertical ? ClientAreaRect.top + 2 : 4) + shift;
  auto glyph = [&](int colour, Integer dy) {
    win::HBRUSH brush = win::GetSysColorBrush(colour);
    const int rows = vertical ? 8 : 5, cols = vertical ? 5 : 8;
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < cols; ++x)
        if ((vertical ? kDown[y] : kRight[y]) & (0x80 >> x)) {
          win::RECT px{ox + x, oy + y + dy, ox + x + 1, oy + y + dy + 1};
          win::FillRect(dc, &px, brush);
        }
  };
  if (enabled) {
    glyph(win::COLOR_BTNTEXT, 0);
  } else {
    glyph(win::COLOR_BTNHIGHLIGHT, 1);
    glyph(win::COLOR_BTNSHADOW, 0);
  }
}

// ---- view ----

TTBToolbarView::TTBToolbarView(fw::TComponent* AOwner, TTBView* AParentView, TTBCustomItem* AParentItem,
                               fw::TWinControl* AWindow, bool AIsToolbar, bool ACustomizing, bool AUsePriorityList)
    : TTBView(AOwner, AParentView, AParentItem, AWindow, AIsToolbar, ACustomizing, AUsePriorityList),
      FToolbar(dynamic_cast<TTBCustomToolbar*>(AWindow)) {}

void TTBToolbarView::AutoSize(Integer AWidth, Integer AHeight) {
  if (!FToolbar) return;
  // A dock shrinks the toolbar from its whole length; given the shrunk one it would let the
  // toolbar grow back on its next arrange and shrink it again on the one after.
  FToolbar->FBaseSize = UnshrunkSize();
  if (!(FToolbar->AutoResize() || FToolbar->Docked() || FToolbar->Floating())) return;
  if (FToolbar->Docked()) {
    FToolbar->CurrentDock()->ArrangeToolbars();
    return;
  }
  TPoint nc{};
  FToolbar->GetDockedNCAreaSize(nc);
  Integer w = AWidth + nc.x, h = AHeight + nc.y;
  if (!FToolbar->Floating()) {
    if (FToolbar->Anchors().Contains(fw::akLeft) && FToolbar->Anchors().Contains(fw::akRight)) w = FToolbar->Width();
    if (FToolbar->Anchors().Contains(fw::akTop) && FToolbar->Anchors().Contains(fw::akBottom)) h = FToolbar->Height();
  }
  ++FToolbar->FUpdatingBounds;
  FToolbar->SetBounds(FToolbar->Left(), FToolbar->Top(), w, h);
  --FToolbar->FUpdatingBounds;
}

bool TTBToolbarView::DoUpdatePositions(TPoint& ASize) {
  if (!FToolbar) return TTBView::DoUpdatePositions(ASize);
  // Docked, the buttons spread across the row's thickness as the other bars of the row make it.
  // A dock measuring the toolbar gets its own thickness: were it told the row's, two bars of a
  // row would hold each other at the thicker one's size for good.
  SetMinimumSize(FToolbar->FMeasuring ? TPoint{0, 0} : RowMinimumSize());
  ++FToolbar->FDisableAlignArrange;
  try {
    const bool changed = TTBView::DoUpdatePositions(ASize);
    --FToolbar->FDisableAlignArrange;
    return changed;
  } catch (...) {
    --FToolbar->FDisableAlignArrange;
    throw;
  }
}

TPoint TTBToolbarView::RowMinimumSize() const {
  TPoint minimum{0, 0};
  TTBDock* dock = FToolbar ? FToolbar->CurrentDock() : nullptr;
  if (!dock || !FToolbar->Docked()) return minimum;
  const bool leftRight = dock->Position() == dpLeft || dock->Position() == dpRight;
  (leftRight ? minimum.x : minimum.y) = dock->GetMinRowSize(FToolbar->EffectiveDockRow(), FToolbar);
  if (FToolbar->FullSize()) (leftRight ? minimum.y : minimum.x) = WrapOffset();
  return minimum;
}

TTBCustomItem* TTBToolbarView::GetChevronItem() { return FToolbar ? FToolbar->FChevronItem : nullptr; }
TTBCustomItem* TTBToolbarView::GetTrailingGroupItem() { return FToolbar ? FToolbar->FTrailingGroupItem : nullptr; }
TTBCustomItem* TTBToolbarView::GetLeadingItem() { return FToolbar ? FToolbar->FLeadingItem : nullptr; }
fw::TFont* TTBToolbarView::GetFont() {
  if (FToolbar && !FToolbar->SystemFont()) return FToolbar->Font();
  return ToolbarFont();
}
void TTBToolbarView::InvalidatePositions() {
  TTBView::InvalidatePositions();
  if (FToolbar && FToolbar->HandleAllocated()) FToolbar->Invalidate();
}

// ---- toolbar ----

namespace {

// Toolbars whose shortcuts work through the application.
std::vector<TTBCustomToolbar*>& ShortCutToolbars() {
  static std::vector<TTBCustomToolbar*> list;
  return list;
}

// The application the shortcut hook sits on (nil while no toolbar is registered).
fw::TApplication* HookedApplication = nullptr;
const char kShortCutHookId = 0;

fw::TCustomForm* FormOf(TTBCustomToolbar* T) {
  if (auto* p = T->FloatingParent()) return p->ParentForm();
  return fw::GetParentForm(T);
}

// The registered toolbars of Form with ProcessShortCuts ask OnShortCut, then their items.
bool ShortCutOnForm(fw::TCustomForm* Form, TMessage& Message) {
  if (!Form || !Form->Enabled()) return false;
  for (TTBCustomToolbar* t : std::vector<TTBCustomToolbar*>(ShortCutToolbars())) {
    if (!t->ProcessShortCuts() || FormOf(t) != Form) continue;
    bool handled = false;
    if (t->OnShortCut) t->OnShortCut(Message, handled);
    if (handled || t->Items()->IsShortCut(Message)) return true;
  }
  return false;
}

// Sends WM_SYSCOMMAND to the docks and menu-event toolbars under Control until one answers.
bool SysCommandToBars(fw::TWinControl* Control, TMessage& Message) {
  for (Integer i = 0; i < Control->ControlCount(); ++i) {
    auto* c = dynamic_cast<fw::TWinControl*>(Control->Controls(i));
    if (!c) continue;
    if ((dynamic_cast<TTBDock*>(c) || dynamic_cast<TTBCustomToolbar*>(c)) &&
        c->ControlStyle().Contains(fw::csMenuEvents)) {
      Message.Result = c->Perform(win::WM_SYSCOMMAND, Message.WParam, Message.LParam);
      if (Message.Result != 0) return true;
    }
    if (SysCommandToBars(c, Message)) return true;
  }
  return false;
}

bool ApplicationHook(TMessage& Message) {
  if (!fw::Application) return false;
  fw::TCustomForm* active = fw::Screen ? fw::Screen->ActiveForm() : nullptr;
  fw::TCustomForm* mainForm = fw::Application->MainForm();
  if (Message.Msg == fw::CM_APPKEYDOWN) {
    TMessage key{win::WM_KEYDOWN, Message.WParam, Message.LParam, 0};
    if (ShortCutOnForm(active, key) || (active != mainForm && ShortCutOnForm(mainForm, key))) {
      Message.Result = 1;
      return true;
    }
  } else if (Message.Msg == fw::CM_APPSYSCOMMAND && active && Message.LParam) {
    auto* sys = reinterpret_cast<TMessage*>(Message.LParam);
    if (SysCommandToBars(active, *sys)) {
      Message.Result = 1;
      return true;
    }
  }
  return false;
}

// Menu bars take Alt+letter from every window of the program: a WM_SYSCHAR taken from the queue
// while nothing has the capture goes to the main form, whose menu bar then sees SC_KEYMENU.
void MenuBarCharHook(THookProcCode Code, win::HWND /*Wnd*/, win::WPARAM WParam, win::LPARAM LParam) {
  if (Code != hpGetMessage || !(WParam & win::PM_REMOVE)) return;
  auto* msg = reinterpret_cast<win::MSG*>(LParam);
  if (!msg || msg->message != win::WM_SYSCHAR || win::GetCapture()) return;
  fw::TCustomForm* mainForm = fw::Application ? fw::Application->MainForm() : nullptr;
  if (!mainForm || !mainForm->HandleAllocated()) return;
  msg->hwnd = mainForm->Handle();
}

}  // namespace

TTBCustomToolbar::TTBCustomToolbar(fw::TComponent* AOwner) : TTBCustomDockableWindow(AOwner) {
  fw::TControlStyle style = ControlStyle();
  style += fw::TControlStyle{fw::csAcceptsControls, fw::csActionClient};
  style -= fw::TControlStyle{fw::csCaptureMouse};
  SetControlStyle(style);
  SetColor(fw::clBtnFace);
  SetBounds(Left(), Top(), 23, 22);
}

void TTBCustomToolbar::AfterConstruction() {
  FItems = GetItemsClass().Create(this);
  FItems->AssignParentComponent(this);
  FChevronItem = GetChevronItemClass().Create(this);
  FChevronItem->FToolbar = this;
  FChevronItem->SetLinkSubitems(FItems);
  FView = GetViewClass().Create(this, nullptr, FItems, this, true, false, true);
  FView->SetBackgroundColor(fw::clBtnFace);
  FView->SetNewItemsFirst(FChevronPriorityForNewItems == tbcpHighest);
}

TTBCustomToolbar::~TTBCustomToolbar() {
  if (HandleAllocated()) win::SetAccessibleInfoSource(Handle(), nullptr);
  if (FMenuBarHookInstalled) UninstallHookProc(MenuBarCharHook);
  FProcessShortCuts = FMenuBar = false;
  UpdateShortCutRegistration();
  delete FView;
  FView = nullptr;
  delete FChevronItem;
  FChevronItem = nullptr;
  delete FItems;
  FItems = nullptr;
}

TTBRootItemClass TTBCustomToolbar::GetItemsClass() { return TTBRootItemClass::Of<TTBRootItem>(); }
TTBToolbarViewClass TTBCustomToolbar::GetViewClass() { return TTBToolbarViewClass::Of<TTBToolbarView>(); }
TTBChevronItemClass TTBCustomToolbar::GetChevronItemClass() { return TTBChevronItemClass::Of<TTBChevronItem>(); }

String TTBCustomToolbar::ChevronHint() const { return FChevronItem ? FChevronItem->Hint() : String(); }
void TTBCustomToolbar::SetChevronHint(const String& Value) {
  if (FChevronItem) FChevronItem->SetChevronHint(Value);
}
void TTBCustomToolbar::SetChevronMoveItems(bool Value) {
  if (FChevronMoveItems == Value) return;
  FChevronMoveItems = Value;
  if (FView) FView->SetUsePriorityList(Value);
}
void TTBCustomToolbar::SetChevronPriorityForNewItems(TTBChevronPriorityForNewItems Value) {
  FChevronPriorityForNewItems = Value;
  if (FView) FView->SetNewItemsFirst(Value == tbcpHighest);
}
void TTBCustomToolbar::SetFloatingWidth(Integer Value) {
  if (FFloatingWidth == Value) return;
  FFloatingWidth = Value;
  if (Floating()) Arrange();
}
fw::TCustomImageList* TTBCustomToolbar::Images() const { return FItems ? FItems->SubMenuImages() : nullptr; }
void TTBCustomToolbar::SetImages(fw::TCustomImageList* Value) {
  if (FItems) FItems->SetSubMenuImages(Value);
}
void TTBCustomToolbar::SetSystemFont(bool Value) {
  if (FSystemFont == Value) return;
  FSystemFont = Value;
  Arrange();
}
void TTBCustomToolbar::SetShrinkMode(TTBShrinkMode Value) {
  if (FShrinkMode == Value) return;
  FShrinkMode = Value;
  // Laid out again with the new wrap and chevron lengths; a docked toolbar's dock follows.
  if (!Floating()) Arrange();
}
void TTBCustomToolbar::SetProcessShortCuts(bool Value) {
  if (FProcessShortCuts == Value) return;
  FProcessShortCuts = Value;
  UpdateShortCutRegistration();
}

void TTBCustomToolbar::UpdateShortCutRegistration() {
  const bool wanted = (FProcessShortCuts || FMenuBar) && !ComponentState().Contains(fw::csDestroying);
  auto& list = ShortCutToolbars();
  const bool listed = std::find(list.begin(), list.end(), this) != list.end();
  if (wanted && !listed) list.push_back(this);
  if (!wanted && listed) std::erase(list, this);
  FShortCutRegistered = wanted;
  // The application's hook is there while any toolbar is registered.
  if (!list.empty() && !HookedApplication && fw::Application) {
    HookedApplication = fw::Application;
    HookedApplication->HookMainWindow(ApplicationHook, &kShortCutHookId);
  } else if (list.empty() && HookedApplication) {
    if (HookedApplication == fw::Application) HookedApplication->UnhookMainWindow(&kShortCutHookId);
    HookedApplication = nullptr;
  }
}

bool TTBCustomToolbar::ProcessShortCut(TMessage& Message) { return ShortCutOnForm(FormOf(this), Message); }

void TTBCustomToolbar::SetMenuBar(bool Value) {
  if (FMenuBar == Value) return;
  FMenuBar = Value;
  fw::TControlStyle style = ControlStyle();
  if (Value)
    style += fw::TControlStyle{fw::csMenuEvents};
  else
    style -= fw::TControlStyle{fw::csMenuEvents};
  SetControlStyle(style);
  if (FView) FView->SetStyle(TTBViewStyle(Value ? (FView->Style() | tbvoMenuBar) : (FView->Style() & ~tbvoMenuBar)));
  if (!ComponentState().Contains(fw::csLoading)) {
    SetFullSize(Value);
    SetShrinkMode(Value ? tbsmWrap : tbsmChevron);
    SetCloseButton(!Value);
    FProcessShortCuts = Value;
  }
  if (Value != FMenuBarHookInstalled) {
    if (Value)
      InstallHookProc(MenuBarCharHook, HookCode(hpGetMessage), false);
    else
      UninstallHookProc(MenuBarCharHook);
    FMenuBarHookInstalled = Value;
  }
  UpdateShortCutRegistration();
}

// ---- layout ----

TTBViewLayout TTBCustomToolbar::LayoutParameters(TTBDock* ADock, bool AFloating) {
  const TTBDockType type = GetDockTypeOf(ADock, AFloating);
  TTBViewLayout layout;
  layout.Orientation = type == dtFloating    ? tbvoFloating
                       : type == dtLeftRight ? tbvoVertical
                                             : tbvoHorizontal;
  TPoint nc{};
  if (ADock) {
    nc = TPoint{4, 4};
    if (ADock->AllowDrag()) (type == dtLeftRight ? nc.y : nc.x) += DragHandleSize();
  }
  const bool leftRight = type == dtLeftRight;
  Integer wrap = 0, chevron = 0;
  if (AFloating) {
    wrap = FFloatingWidth;
  } else if (ADock) {
    if (FShrinkMode == tbsmWrap)
      wrap = (leftRight ? ADock->Height() - ADock->NonClientHeight() : ADock->Width() - ADock->NonClientWidth()) -
             (leftRight ? nc.y : nc.x);
    if (FShrinkMode == tbsmChevron && ADock == CurrentDock() && CurrentSize() != 0)
      chevron = std::max(0, CurrentSize() - (leftRight ? nc.y : nc.x));
  } else if (!AutoResize() || (Anchors().Contains(fw::akLeft) && Anchors().Contains(fw::akRight))) {
    if (FShrinkMode == tbsmChevron) chevron = std::max(0, Width());
    if (FShrinkMode == tbsmWrap) wrap = std::max(0, Width());
  }
  layout.WrapOffset = wrap;
  layout.ChevronOffset = chevron;
  layout.ChevronSize = 12;
  return layout;
}

TPoint TTBCustomToolbar::OrderControls(bool CanMoveControls, TTBDockType /*PreviousDockType*/, TTBDock* DockingTo) {
  if (!FView) return TPoint{0, 0};
  TPoint size{0, 0};
  if (CanMoveControls) {
    const TTBViewLayout layout = LayoutParameters(CurrentDock(), Floating());
    FView->SetOrientation(layout.Orientation);
    FView->SetWrapOffset(layout.WrapOffset);
    FView->SetChevronOffset(layout.ChevronOffset);
    FView->SetChevronSize(layout.ChevronSize);
    FView->UpdatePositions(size);
    return size;
  }
  // Measure only, for the asked dock. The measure leaves the toolbar's size, its dock, its
  // layout and its picture alone: a drag measures the toolbar for every dock before it starts,
  // and a toolbar sized for another dock on the way would move its own dock's edge under the
  // grab point.
  const bool floating = DockingTo == nullptr && Floating();
  return Measure(LayoutParameters(DockingTo, DockingTo == nullptr ? true : floating));
}

TPoint TTBCustomToolbar::Measure(const TTBViewLayout& Layout) {
  TPoint size{0, 0};
  ++FMeasuring;
  try {
    FView->MeasurePositions(Layout, size);
  } catch (...) {
    --FMeasuring;
    throw;
  }
  --FMeasuring;
  return size;
}

void TTBCustomToolbar::GetBaseSize(TPoint& ASize) {
  if (FView) FView->ValidatePositions();
  ASize = FBaseSize;
}

void TTBCustomToolbar::GetMinShrinkSize(Integer& AMinimumSize) {
  TTBItemViewer* v = FView ? FView->HighestPriorityViewer() : nullptr;
  if (!v) return;
  const TRect r = v->BoundsRect();
  const bool leftRight = GetDockTypeOf(CurrentDock(), false) == dtLeftRight;
  TPoint nc{};
  GetDockedNCAreaSize(nc);
  AMinimumSize = (leftRight ? r.bottom - r.top + nc.y : r.right - r.left + nc.x) + 12;
}

TTBShrinkMode TTBCustomToolbar::GetShrinkMode() { return FShrinkMode; }

void TTBCustomToolbar::ControlExistsAtPos(const TPoint& P, bool& ControlExists) {
  TTBCustomDockableWindow::ControlExistsAtPos(P, ControlExists);
  if (ControlExists || !FView) return;
  if (TTBItemViewer* v = FView->ViewerFromPoint(P))
    if (!(v->Item()->ItemStyle() & tbisClicksTransparent)) ControlExists = true;
}

void TTBCustomToolbar::InitiateAction() {
  TTBCustomDockableWindow::InitiateAction();
  if (!FUpdateActions || !FItems || ComponentState().Contains(fw::csDesigning)) return;
  // By index: an update handler may add or remove items.
  for (Integer i = 0; i < FItems->Count(); ++i) FItems->Items(i)->InitiateAction();
}

void TTBCustomToolbar::BeginUpdate() {
  if (FView) FView->BeginUpdate();
}
void TTBCustomToolbar::EndUpdate() {
  if (FView) FView->EndUpdate();
}

// ---- keyboard ----

bool TTBCustomToolbar::KeyboardOpen(char16_t Key, bool RequirePrimaryAccel) {
  FView->SetAccelsVisibility(true);
  if (Key == 0) {
    TTBItemViewer* first = FView->FirstSelectable();
    if (!first) return false;
    FView->SetSelected(first);
    FView->EnterToolbarLoop(0);
    return true;
  }
  bool only = false;
  TTBItemViewer* v = FView->FindAccel(nullptr, Key, only, RequirePrimaryAccel);
  bool result = false;
  if (v && v->Item()->Enabled()) {
    if (only) {
      FView->SetSelected(v);
      FView->EnterToolbarLoop(tbetExecuteSelected);
      result = true;
    } else if (FMenuBar) {
      FView->SetSelected(v);
      FView->EnterToolbarLoop(0);
      result = true;
    }
  }
  if (v) FView->SetAccelsVisibility(false);
  return result;
}

// ---- mouse, painting and messages ----

void TTBCustomToolbar::CreateWnd() {
  TTBCustomDockableWindow::CreateWnd();
  win::SetAccessibleInfoSource(Handle(), [this] { return DescribeForAccessibility(FView); });
}

void TTBCustomToolbar::DestroyWindowHandle() {
  win::SetAccessibleInfoSource(Handle(), nullptr);
  TTBCustomDockableWindow::DestroyWindowHandle();
}

void TTBCustomToolbar::Paint() {
  if (FView) FView->DrawSubitems(Canvas());
}

void TTBCustomToolbar::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  TTBItemViewer* v = (Button == fw::mbLeft && FView) ? FView->ViewerFromPoint(TPoint{X, Y}) : nullptr;
  if (v && !(v->Item()->ItemStyle() & tbisClicksTransparent)) {
    FView->SetSelected(v, true);
    FView->EnterToolbarLoop(tbetMouseDown);
    return;
  }
  TTBCustomDockableWindow::MouseDown(Button, Shift, X, Y);
}

void TTBCustomToolbar::WMSetCursor(TMessage& Message) {
  if (FView && Integer(short(Message.LParam & 0xFFFF)) == win::HTCLIENT) {
    win::POINT p{};
    win::GetCursorPos(&p);
    const TPoint c = ScreenToClient(TPoint{p.x, p.y});
    if (TTBItemViewer* v = FView->ViewerFromPoint(c)) {
      win::HCURSOR cursor = nullptr;
      const TRect b = v->BoundsRect();
      v->GetCursor(TPoint{c.x - b.left, c.y - b.top}, cursor);
      if (cursor) {
        win::SetCursor(cursor);
        Message.Result = 1;
        return;
      }
    }
  }
  TTBCustomDockableWindow::WMSetCursor(Message);
}

void TTBCustomToolbar::CMHintShow(TMessage& Message) {
  auto* info = reinterpret_cast<fw::THintInfo*>(Message.LParam);
  if (!info) return;
  TTBItemViewer* v = FView ? FView->ViewerFromPoint(info->CursorPos) : nullptr;
  if (!v) {
    // Between buttons: nothing to show, and asked again as soon as the mouse moves.
    info->HintStr.clear();
    info->CursorRect = TRect{info->CursorPos.x, info->CursorPos.y, info->CursorPos.x + 1, info->CursorPos.y + 1};
    Message.Result = 1;
    return;
  }
  info->HintStr = v->GetHintText();
  info->CursorRect = v->BoundsRect();
  Message.Result = 0;
}

void TTBCustomToolbar::CMControlChange(TMessage& Message) {
  TTBCustomDockableWindow::Dispatch(Message);
  if (!FItems || ComponentState().Contains(fw::csLoading) || ComponentState().Contains(fw::csDestroying)) return;
  auto* control = reinterpret_cast<fw::TControl*>(Message.WParam);
  if (Message.LParam) {
    WrapControl(control);
  } else {
    for (Integer i = FItems->Count() - 1; i >= 0; --i)
      if (auto* ci = dynamic_cast<TTBControlItem*>(FItems->Items(i)); ci && ci->Control() == control) delete ci;
  }
}

void TTBCustomToolbar::Loaded() {
  // Controls read with the toolbar become buttons in their child order (their control items
  // were not made while loading).
  if (FItems)
    for (Integer i = 0; i < ControlCount(); ++i) WrapControl(Controls(i));
  TTBCustomDockableWindow::Loaded();
}

void TTBCustomToolbar::WrapControl(fw::TControl* Control) {
  std::vector<TTBCustomItem*> items;
  CollectItems(FItems, items);
  for (TTBCustomItem* item : items)
    if (auto* ci = dynamic_cast<TTBControlItem*>(item); ci && ci->Control() == Control) return;
  auto* item = new TTBControlItem(Owner());
  item->SetControl(Control);
  FItems->Add(item);
}

void TTBCustomToolbar::CollectItems(TTBCustomItem* Parent, std::vector<TTBCustomItem*>& Out) {
  for (Integer i = 0; i < Parent->Count(); ++i) {
    TTBCustomItem* item = Parent->Items(i);
    Out.push_back(item);
    // Groups show their children in place; a submenu's children are not on the bar.
    if (item->ItemStyle() & tbisEmbeddedGroup) CollectItems(item, Out);
  }
}

void TTBCustomToolbar::GetTabOrderList(std::vector<fw::TWinControl*>& List) {
  std::vector<fw::TWinControl*> own;
  TTBCustomDockableWindow::GetTabOrderList(own);
  // The hosted controls go in the order of their items, each followed by its own children;
  // other windowed children keep their places after them.
  std::vector<TTBCustomItem*> items;
  if (FItems) CollectItems(FItems, items);
  std::vector<fw::TWinControl*> ordered;
  for (TTBCustomItem* item : items) {
    auto* ci = dynamic_cast<TTBControlItem*>(item);
    auto* control = ci ? dynamic_cast<fw::TWinControl*>(ci->Control()) : nullptr;
    if (!control || control->Parent() != this || std::find(own.begin(), own.end(), control) == own.end()) continue;
    if (std::find(ordered.begin(), ordered.end(), control) != ordered.end()) continue;
    ordered.push_back(control);
    control->GetTabOrderList(ordered);
  }
  for (fw::TWinControl* c : own)
    if (std::find(ordered.begin(), ordered.end(), c) == ordered.end()) ordered.push_back(c);
  List.insert(List.end(), ordered.begin(), ordered.end());
}

void TTBCustomToolbar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_SETCURSOR: WMSetCursor(Message); return;
    case fw::CM_CONTROLCHANGE: CMControlChange(Message); return;
    case win::WM_MOUSEMOVE:
      if (FView) {
        // The view takes screen coordinates.
        const TPoint p = ClientToScreen(
            TPoint{Integer(short(Message.LParam & 0xFFFF)), Integer(short((Message.LParam >> 16) & 0xFFFF))});
        FView->UpdateSelection(&p, true);
        TTBItemViewer* sel = FView->Selected();
        SetHint(sel && !sel->Item()->EffectiveOptions().Contains(tboLongHintInMenuOnly) ? sel->Item()->Hint() : String());
        CallTrackMouseEvent(Handle(), win::TME_LEAVE);
      }
      break;
    case win::WM_MOUSELEAVE:
    case fw::CM_MOUSELEAVE:
    case win::WM_CONTEXTMENU:
    case fw::CM_TEXTCHANGED:
      // The mouse left, a context menu opens or the caption changed: no button stays hot.
      if (FView && !FView->Capture()) FView->UpdateSelection(nullptr, true);
      break;
    case fw::CM_FONTCHANGED:
      TTBCustomDockableWindow::Dispatch(Message);
      // The view measures with this font only when it does not use the system's.
      if (!FSystemFont) Arrange();
      return;
    case win::WM_SETTINGCHANGE:
      TTBCustomDockableWindow::Dispatch(Message);
      if (Message.WParam == win::SPI_SETNONCLIENTMETRICS) {
        ReloadToolbarFont();
        Arrange();
      }
      return;
    case win::WM_SYSCOMMAND:
      if (FMenuBar && (Message.WParam & 0xFFF0) == win::SC_KEYMENU && Visible() && !win::GetCapture()) {
        const char16_t key = char16_t(Message.LParam & 0xFFFF);
        if (key != u' ') {
          if (!KeyboardOpen(key, false) && key != u'-') win::MessageBeep(0);
          Message.Result = 1;
          return;
        }
      }
      // Any other command is the form's, passed to its bars on the way: handled by default here it
      // would act on the bar's own window (a close destroyed the menu bar's window while the form
      // still asked whether to close). Unanswered, it goes on to the form.
      Message.Result = 0;
      return;
    case fw::CM_DIALOGCHAR:
      if (!FMenuBar && Visible() && Message.WParam != 0 && KeyboardOpen(char16_t(Message.WParam), true)) {
        Message.Result = 1;
        return;
      }
      break;
    case win::WM_SYSKEYDOWN:
      if (FMenuBar && Message.WParam == win::VK_MENU && FView) FView->SetAccelsVisibility(true);
      break;
    case fw::CM_COLORCHANGED:
      if (FView) FView->SetBackgroundColor(Color());
      break;
    case win::WM_SIZE:
      // The dock made the row thicker or thinner than the last layout filled: lay out again.
      if (FView && Docked() && FView->RowMinimumSize() != FView->MinimumSize()) FView->InvalidatePositions();
      break;
    default: break;
  }
  TTBCustomDockableWindow::Dispatch(Message);
}

}  // namespace toolbars

namespace toolbars {

// ---- floating resize ----

struct TTBCustomToolbar::TResizeState {
  Integer Edge = 0;
  bool Horizontal = true;  // left or right edge: the width is dragged
  Integer OrigFloatingWidth = 0;
  // Sized smoothly, the buttons are laid out anew at each step; sized by outline, only at the
  // release, to the rows the outline last showed (Wrap).
  bool Live = true;
  Integer Wrap = 0;
  struct TEntry {
    TPoint Frame;  // frame size
    Integer Wrap;  // FloatingWidth giving it
  };
  std::vector<TEntry> Sizes;  // ascending in the dragged dimension
  Integer Current = 0;
  Integer Snap = 12;
  bool LeftSnapZone = false;
  bool Accepted = false;
};

TPoint TTBCustomToolbar::MeasureFloating(Integer Wrap) {
  TTBViewLayout layout = LayoutParameters(nullptr, true);
  layout.WrapOffset = Wrap;
  return Measure(layout);
}

void TTBCustomToolbar::LayOutFloating(Integer Wrap) {
  FView->SetOrientation(tbvoFloating);
  FView->SetWrapOffset(Wrap);
  FView->SetChevronOffset(0);
  TPoint size{0, 0};
  FView->UpdatePositions(size);
}

void TTBCustomToolbar::ResizeBegin(Integer SizeHandle) {
  FResizing = std::make_unique<TResizeState>();
  TResizeState& rs = *FResizing;
  rs.Edge = SizeHandle;
  rs.Horizontal = SizeHandle != win::HTTOP && SizeHandle != win::HTBOTTOM;
  rs.OrigFloatingWidth = FFloatingWidth;
  rs.Live = SmoothDrag();
  rs.Wrap = FFloatingWidth;

  // Every layout whose row count differs, each at its narrowest width.
  TRect margins{};
  FView->GetMargins(tbvoFloating, margins);
  const Integer minWrap = std::max<Integer>(1, margins.left + margins.right);
  std::vector<TResizeState::TEntry> found;
  const TPoint unwrapped = MeasureFloating(0);
  found.push_back({unwrapped, 0});
  for (Integer w = unwrapped.x - 1; w >= minWrap;) {
    const TPoint s = MeasureFloating(w);
    if (s.y == found.back().Frame.y)
      found.back() = {s, w};
    else
      found.push_back({s, w});
    w = std::min(w - 1, s.x - 1);
  }

  TPoint border{};
  GetFloatingBorderSize(border);
  const Integer caption = ShowCaption() ? win::GetSystemMetrics(win::SM_CYSMCAPTION) : 0;
  for (auto& e : found) e.Frame = TPoint{e.Frame.x + 2 * border.x, e.Frame.y + 2 * border.y + caption};
  std::stable_sort(found.begin(), found.end(), [&](const auto& a, const auto& b) {
    return rs.Horizontal ? a.Frame.x < b.Frame.x : a.Frame.y < b.Frame.y;
  });
  rs.Sizes = std::move(found);
  // The present layout's entry: the one with its number of rows (its height).
  const TPoint present = MeasureFloating(FFloatingWidth);
  const Integer presentHeight = present.y + 2 * border.y + caption;
  rs.Current = 0;
  for (size_t i = 0; i < rs.Sizes.size(); ++i)
    if (std::abs(rs.Sizes[i].Frame.y - presentHeight) < std::abs(rs.Sizes[size_t(rs.Current)].Frame.y - presentHeight))
      rs.Current = Integer(i);
  auto length = [&](Integer i) {
    return rs.Horizontal ? rs.Sizes[size_t(i)].Frame.x : rs.Sizes[size_t(i)].Frame.y;
  };
  for (Integer n : {rs.Current - 1, rs.Current + 1})
    if (n >= 0 && n < Integer(rs.Sizes.size()))
      rs.Snap = std::max(0, std::min(rs.Snap, std::abs(length(n) - length(rs.Current)) - 1));
}

std::vector<TPoint> TTBCustomToolbar::ResizeSizes() const {
  std::vector<TPoint> out;
  if (FResizing)
    for (const auto& e : FResizing->Sizes) out.push_back(e.Frame);
  return out;
}

void TTBCustomToolbar::ResizeTrack(TRect& Rect, const TRect& OrigRect) {
  if (!FResizing || FResizing->Sizes.empty()) return;
  TResizeState& rs = *FResizing;
  auto length = [&](size_t i) { return rs.Horizontal ? rs.Sizes[i].Frame.x : rs.Sizes[i].Frame.y; };
  const Integer start = length(size_t(rs.Current));
  const Integer wanted = rs.Horizontal ? Rect.right - Rect.left : Rect.bottom - Rect.top;
  size_t pick = size_t(rs.Current);
  if (!rs.LeftSnapZone && std::abs(wanted - start) <= rs.Snap) {
    pick = size_t(rs.Current);
  } else {
    rs.LeftSnapZone = true;
    if (wanted < start) {
      // Shrinking: the largest listed size that fits.
      pick = 0;
      for (size_t i = rs.Sizes.size(); i-- > 0;)
        if (length(i) <= wanted) {
          pick = i;
          break;
        }
    } else {
      // Growing: the smallest listed size that reaches the wanted length.
      pick = rs.Sizes.size() - 1;
      for (size_t i = 0; i < rs.Sizes.size(); ++i)
        if (length(i) >= wanted) {
          pick = i;
          break;
        }
    }
  }
  const TPoint frame = rs.Sizes[pick].Frame;
  Rect = OrigRect;
  if (rs.Edge == win::HTLEFT || rs.Edge == win::HTTOPLEFT || rs.Edge == win::HTBOTTOMLEFT)
    Rect.left = Rect.right - frame.x;
  else
    Rect.right = Rect.left + frame.x;
  if (rs.Edge == win::HTTOP || rs.Edge == win::HTTOPLEFT || rs.Edge == win::HTTOPRIGHT)
    Rect.top = Rect.bottom - frame.y;
  else
    Rect.bottom = Rect.top + frame.y;
  rs.Wrap = rs.Sizes[pick].Wrap;
  if (rs.Live && FFloatingWidth != rs.Wrap) {
    FFloatingWidth = rs.Wrap;
    LayOutFloating(FFloatingWidth);
    Invalidate();
  }
}

void TTBCustomToolbar::ResizeTrackAccept() {
  if (FResizing) {
    FResizing->Accepted = true;
    FFloatingWidth = FResizing->Wrap;
  }
  Arrange();
}

void TTBCustomToolbar::ResizeEnd() {
  // Cancelled after live steps, the buttons go back; by outline they never moved.
  if (FResizing && !FResizing->Accepted && FResizing->Live) {
    FFloatingWidth = FResizing->OrigFloatingWidth;
    LayOutFloating(FFloatingWidth);
    Arrange();
  }
  FResizing.reset();
}

}  // namespace toolbars
