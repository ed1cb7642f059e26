#include "framework/Controls.h"

#include <algorithm>

#include "framework/ActnList.h"
#include "framework/Forms.h"
#include "framework/HandlerFrames.h"
#include "framework/Menus.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

namespace fw {
namespace {

TControl* g_captureControl = nullptr;

}  // namespace

TShiftState KeysToShiftState(win::WPARAM Keys) {
  TShiftState s;
  if (Keys & win::MK_SHIFT) s.Include(ssShift);
  if (Keys & win::MK_CONTROL) s.Include(ssCtrl);
  if (Keys & win::MK_LBUTTON) s.Include(ssLeft);
  if (Keys & win::MK_RBUTTON) s.Include(ssRight);
  if (Keys & win::MK_MBUTTON) s.Include(ssMiddle);
  if (win::GetKeyState(int(win::VK_MENU)) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyDataToShiftState(win::LPARAM KeyData) {
  TShiftState s;
  if (win::GetKeyState(int(win::VK_SHIFT)) < 0) s.Include(ssShift);
  if (win::GetKeyState(int(win::VK_CONTROL)) < 0) s.Include(ssCtrl);
  if (KeyData & 0x20000000) s.Include(ssAlt);
  return s;
}

String GetShortHint(const String& Hint) {
  auto bar = Hint.find('|');
  return bar == String::npos ? Hint : Hint.substr(0, bar);
}

String GetLongHint(const String& Hint) {
  auto bar = Hint.find('|');
  return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

TControl* GetCaptureControl() {
  if (g_captureControl == nullptr) return nullptr;
  // The window system may have taken the capture away meanwhile.
  TWinControl* holder = g_captureControl->IsWindowed() ? static_cast<TWinControl*>(g_captureControl)
                                                       : g_captureControl->Parent();
  if (holder == nullptr || !holder->HandleAllocated() || win::GetCapture() != holder->Handle()) {
    g_captureControl = nullptr;
  }
  return g_captureControl;
}

void SetCaptureControl(TControl* Control) {
  g_captureControl = nullptr;
  TWinControl* holder = Control == nullptr          ? nullptr
                        : Control->IsWindowed()     ? static_cast<TWinControl*>(Control)
                                                    : Control->Parent();
  // A platform control that took the capture in its own press handling (a track bar starting its
  // drag) keeps it: released and taken again, it would hear that it lost the mouse and stop.
  if (holder != nullptr && holder->HandleAllocated() && win::GetCapture() == holder->Handle()) {
    g_captureControl = Control;
    return;
  }
  if (win::GetCapture() != nullptr) win::ReleaseCapture();
  if (holder == nullptr) return;
  win::SetCapture(holder->Handle());
  g_captureControl = Control;
}

const char16_t* ControlAtomString() { return u"KvControlOfs"; }

TWinControl* FindControl(win::HWND Handle) {
  if (Handle == nullptr) return nullptr;
  return static_cast<TWinControl*>(win::GetPropW(Handle, ControlAtomString()));
}

TWinControl* FindWindowControlAt(const TPoint& Pos) {
  win::HWND wnd = win::WindowFromPoint(Pos);
  while (wnd != nullptr) {
    if (TWinControl* c = FindControl(wnd)) return c;
    wnd = win::GetParent(wnd);
  }
  return nullptr;
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
  TWinControl* win = FindWindowControlAt(Pos);
  if (win == nullptr) return nullptr;
  TControl* c = win->ControlAtPos(win->ScreenToClient(Pos), AllowDisabled);
  return c != nullptr ? c : win;
}

TCustomForm* GetParentForm(TControl* Control) {
  while (Control != nullptr && Control->Parent() != nullptr) Control = Control->Parent();
  return dynamic_cast<TCustomForm*>(Control);
}

// ---- TSizeConstraints ----

void TSizeConstraints::SetMinWidth(Integer Value) {
  if (Value == FMinWidth) return;
  FMinWidth = std::max(Value, 0);
  if (FMaxWidth > 0 && FMaxWidth < FMinWidth) FMaxWidth = FMinWidth;
  Change();
}
void TSizeConstraints::SetMaxWidth(Integer Value) {
  if (Value == FMaxWidth) return;
  FMaxWidth = std::max(Value, 0);
  if (FMaxWidth > 0 && FMaxWidth < FMinWidth) FMinWidth = FMaxWidth;
  Change();
}
void TSizeConstraints::SetMinHeight(Integer Value) {
  if (Value == FMinHeight) return;
  FMinHeight = std::max(Value, 0);
  if (FMaxHeight > 0 && FMaxHeight < FMinHeight) FMaxHeight = FMinHeight;
  Change();
}
void TSizeConstraints::SetMaxHeight(Integer Value) {
  if (Value == FMaxHeight) return;
  FMaxHeight = std::max(Value, 0);
  if (FMaxHeight > 0 && FMaxHeight < FMinHeight) FMinHeight = FMaxHeight;
  Change();
}
void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TSizeConstraints*>(Source)) {
    FMinWidth = s->FMinWidth;
    FMaxWidth = s->FMaxWidth;
    FMinHeight = s->FMinHeight;
    FMaxHeight = s->FMaxHeight;
    Change();
    return;
  }
  TPersistent::Assign(Source);
}
void TSizeConstraints::Apply(Integer& Width, Integer& Height) const {
  if (FMaxWidth > 0 && Width > FMaxWidth) Width = FMaxWidth;
  if (Width < FMinWidth) Width = FMinWidth;
  if (FMaxHeight > 0 && Height > FMaxHeight) Height = FMaxHeight;
  if (Height < FMinHeight) Height = FMinHeight;
}
void TSizeConstraints::Change() {
  if (OnChange) OnChange(this);
}

// ---- TControl ----

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FConstraints(std::make_unique<TSizeConstraints>()),
      FMargins(std::make_unique<TMargins>()),
      FFont(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  FFont->OnChange = [this](TObject* s) { FontChanged(s); };
  FConstraints->OnChange = [this](TObject* s) { DoConstraintsChange(s); };
  FMargins->OnChange = [this](TObject*) {
    if (FAlignWithMargins) RequestAlign();
  };
}

TControl::~TControl() {
  Destroying();
  if (g_captureControl == this) SetCaptureControl(nullptr);
  if (Application != nullptr) Application->ControlDestroyed(this);
  if (FParent != nullptr) FParent->RemoveControl(this);
  FActionLink.reset();
  WindowProc = nullptr;
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  for (TControl* p = AParent; p != nullptr; p = p->Parent()) {
    // A control inside this one cannot hold it: the tree would close into a ring.
    if (p == this) throw EInvalidOperation("A control cannot have itself as its parent");
  }
  if (FParent != nullptr) FParent->RemoveControl(this);
  if (AParent != nullptr) AParent->InsertControl(this);
}

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  CheckNewSize(AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  bool resized = AWidth != FWidth || AHeight != FHeight;
  InvalidateControl(FVisible, false);
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  Invalidate();
  RequestAlign();
  if (resized) Resize();
}

TRect TControl::ClientRect() { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientSize(Integer AWidth, Integer AHeight) {
  TRect r = ClientRect();
  SetBounds(FLeft, FTop, FWidth - (r.right - r.left) + AWidth, FHeight - (r.bottom - r.top) + AHeight);
}

TPoint TControl::ClientOrigin() {
  if (FParent == nullptr) return Point(FLeft, FTop);
  TPoint p = FParent->ClientOrigin();
  return Point(p.x + FLeft, p.y + FTop);
}

TPoint TControl::ClientToScreen(const TPoint& P) {
  TPoint o = ClientOrigin();
  return Point(P.x + o.x, P.y + o.y);
}

TPoint TControl::ScreenToClient(const TPoint& P) {
  TPoint o = ClientOrigin();
  return Point(P.x - o.x, P.y - o.y);
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  TAlign old = FAlign;
  FAlign = Value;
  // A control turned from a row into a column (or back) keeps its thickness.
  auto horizontal = [](TAlign a) { return a == alTop || a == alBottom; };
  auto vertical = [](TAlign a) { return a == alLeft || a == alRight; };
  bool turn = (horizontal(old) && vertical(Value)) || (vertical(old) && horizontal(Value));
  switch (Value) {
    case alTop: FAnchors = {akLeft, akTop, akRight}; break;
    case alBottom: FAnchors = {akLeft, akRight, akBottom}; break;
    case alLeft: FAnchors = {akLeft, akTop, akBottom}; break;
    case alRight: FAnchors = {akRight, akTop, akBottom}; break;
    case alClient: FAnchors = {akLeft, akTop, akRight, akBottom}; break;
    default: FAnchors = {akLeft, akTop}; break;
  }
  if (turn) {
    SetBounds(FLeft, FTop, FHeight, FWidth);
  } else {
    RequestAlign();
  }
}

void TControl::SetAnchors(TAnchors Value) {
  if (FAnchors == Value) return;
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  if (FAnchorMove || FParent == nullptr) return;
  TRect pr = FParent->ClientRect();
  Integer pw = pr.right - pr.left, ph = pr.bottom - pr.top;
  FAnchorRight = pw - (FLeft + FWidth);
  FAnchorBottom = ph - (FTop + FHeight);
  FAnchorCenterX = FLeft + FWidth / 2;
  FAnchorCenterY = FTop + FHeight / 2;
  FOriginalParentWidth = pw;
  FOriginalParentHeight = ph;
}

void TControl::RequestAlign() {
  if (FParent != nullptr) FParent->AlignControl(this);
}

void TControl::ConstraintsChanged() { SetBounds(FLeft, FTop, FWidth, FHeight); }

void TControl::DoConstraintsChange(TObject*) { ConstraintsChanged(); }

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::Loaded() {
  TComponent::Loaded();
  RequestAlign();
}

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  InvalidateControl(true, false);
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
  RequestAlign();
}

void TControl::Show() {
  if (FParent != nullptr) FParent->Show();
  SetVisible(true);
}

void TControl::Hide() { SetVisible(false); }

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED);
}

String TControl::GetText() const { return FText; }

void TControl::SetText(const String& Value) {
  if (GetText() == Value) return;
  FText = Value;
  Perform(CM_TEXTCHANGED);
}

TBiDiMode TControl::BiDiMode() const {
  if (FParentBiDiMode) return FParent != nullptr ? FParent->BiDiMode() : bdLeftToRight;
  return FBiDiMode;
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  const bool was = UseRightToLeftReading();
  FBiDiMode = Value;
  FParentBiDiMode = false;
  if (was != UseRightToLeftReading()) Invalidate();
}

void TControl::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  const bool was = UseRightToLeftReading();
  FParentBiDiMode = Value;
  if (was != UseRightToLeftReading()) Invalidate();
}

bool TControl::Ctl3D() const {
  if (FParentCtl3D) return FParent != nullptr ? FParent->Ctl3D() : true;
  return FCtl3D;
}

void TControl::SetCtl3D(bool Value) {
  const bool was = Ctl3D();
  FCtl3D = Value;
  FParentCtl3D = false;
  if (was != Ctl3D()) Invalidate();
}

void TControl::SetParentCtl3D(bool Value) {
  if (FParentCtl3D == Value) return;
  const bool was = Ctl3D();
  FParentCtl3D = Value;
  if (was != Ctl3D()) Invalidate();
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (Value && FParent != nullptr) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged(TObject*) {
  if (!FSettingParentFont) FParentFont = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetColor(TColor Value) {
  if (FColor == Value) {
    FParentColor = false;
    return;
  }
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (Value && FParent != nullptr) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  if (FShowHint == Value) return;
  FShowHint = Value;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (Value && FParent != nullptr) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  if (FPopupMenu != nullptr) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED);
}

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TBasicAction* Value) {
  if (Value == nullptr) {
    FActionLink.reset();
    FControlStyle.Exclude(csActionClient);
    return;
  }
  FControlStyle.Include(csActionClient);
  if (!FActionLink) FActionLink.reset(GetActionLinkClass()(this));
  FActionLink->SetAction(Value);
  FActionLink->OnChange = [this](TObject* s) { DoActionChange(s); };
  ActionChange(Value, ComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

TControl::TActionLinkFactory TControl::GetActionLinkClass() {
  return [](TControl* c) -> TControlActionLink* { return new TControlActionLink(c); };
}

void TControl::DoActionChange(TObject* Sender) {
  if (Sender == Action()) ActionChange(Sender, false);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* a = dynamic_cast<TCustomAction*>(Sender);
  if (a == nullptr) return;
  if (!CheckDefaults || Caption().empty() || Caption() == Name()) SetCaption(a->Caption());
  if (!CheckDefaults || FEnabled) SetEnabled(a->Enabled());
  if (!CheckDefaults || FHint.empty()) SetHint(a->Hint());
  if (!CheckDefaults || FVisible) SetVisible(a->Visible());
}

void TControl::InitiateAction() {
  if (FActionLink) FActionLink->Update();
}

bool TControl::ExecuteAction(TBasicAction* Action) { return Action->HandlesTarget(this) && Action->ExecuteTarget(this); }

bool TControl::UpdateAction(TBasicAction* Action) { return Action->HandlesTarget(this) && Action->UpdateTarget(this); }

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (FActionLink && (FActionLink->Action() == nullptr || AComponent == FActionLink->Action())) {
    FActionLink.reset();
    FControlStyle.Exclude(csActionClient);
  }
}

win::LRESULT TControl::Perform(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  THandlerFrame frame(this);
  if (WindowProc) WindowProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) {
  if (Message.Msg >= win::WM_MOUSEFIRST && Message.Msg <= win::WM_MOUSELAST && Application != nullptr) {
    Application->HintMouseMessage(this, Message);
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case win::WM_LBUTTONDOWN: WMLButtonDown(M); return;
    case win::WM_LBUTTONDBLCLK: WMLButtonDblClk(M); return;
    case win::WM_LBUTTONUP: WMLButtonUp(M); return;
    case win::WM_RBUTTONDOWN: WMRButtonDown(M); return;
    case win::WM_RBUTTONUP: WMRButtonUp(M); return;
    case win::WM_MBUTTONDOWN: WMMButtonDown(M); return;
    case win::WM_MBUTTONUP: WMMButtonUp(M); return;
    case win::WM_MOUSEMOVE: WMMouseMove(M); return;
    case win::WM_CONTEXTMENU: WMContextMenu(M); return;
    case win::WM_CANCELMODE: WMCancelMode(M); return;
    case win::WM_WINDOWPOSCHANGED: WMWindowPosChanged(M); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(M); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(M); return;
    case CM_TEXTCHANGED: CMTextChanged(M); return;
    case CM_COLORCHANGED: CMColorChanged(M); return;
    case CM_FONTCHANGED: CMFontChanged(M); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(M); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(M); return;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(M); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(M); return;
    case CM_MOUSEENTER: CMMouseEnter(M); return;
    case CM_MOUSELEAVE: CMMouseLeave(M); return;
    case CM_HITTEST: CMHitTest(M); return;
    case CM_HINTSHOW: CMHintShow(M); return;
    case CM_CURSORCHANGED: CMCursorChanged(M); return;
    case CM_ACTIONEXECUTE: CMActionExecute(M); return;
    case CM_ACTIONUPDATE: CMActionUpdate(M); return;
    default: TObject::Dispatch(M); return;
  }
}

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || FParent == nullptr || !FParent->HandleAllocated()) return;
  TRect r = BoundsRect();
  win::InvalidateRect(FParent->Handle(), &r, IsOpaque ? win::FALSE : win::TRUE);
}

void TControl::Invalidate() { InvalidateControl(FVisible, FControlStyle.Contains(csOpaque)); }

void TControl::Update() {
  if (FParent != nullptr) FParent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::SetZOrder(bool TopMost) {
  if (FParent == nullptr) return;
  auto& list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (TopMost) {
    list.push_back(this);
  } else {
    list.insert(list.begin(), this);
  }
  Invalidate();
}

void TControl::BringToFront() { SetZOrder(true); }
void TControl::SendToBack() { SetZOrder(false); }

bool TControl::HasParentHandle() const { return FParent != nullptr && FParent->HandleAllocated(); }

void TControl::Click() {
  if (OnClick) {
    OnClick(this);
  } else if (FActionLink) {
    FActionLink->Execute(this);
  }
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::WMLButtonDown(TMessage& M) {
  if (FControlStyle.Contains(csCaptureMouse)) SetCaptureControl(this);
  if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
  FControlState.Include(csLButtonDown);
  MouseDown(mbLeft, KeysToShiftState(M.WParam), win::GET_X_LPARAM(M.LParam), win::GET_Y_LPARAM(M.LParam));
}

void TControl::WMLButtonDblClk(TMessage& M) {
  // Without double clicks the second press of one is a press like any other (and clicks).
  if (!FControlStyle.Contains(csDoubleClicks)) {
    WMLButtonDown(M);
    return;
  }
  if (FControlStyle.Contains(csCaptureMouse)) SetCaptureControl(this);
  if (FControlStyle.Contains(csDoubleClicks)) DblClick();
  MouseDown(mbLeft, KeysToShiftState(M.WParam) + TShiftState{ssDouble}, win::GET_X_LPARAM(M.LParam),
            win::GET_Y_LPARAM(M.LParam));
}

void TControl::WMLButtonUp(TMessage& M) {
  Integer x = win::GET_X_LPARAM(M.LParam), y = win::GET_Y_LPARAM(M.LParam);
  if (FControlStyle.Contains(csCaptureMouse) && g_captureControl == this) SetCaptureControl(nullptr);
  bool clicked = FControlState.Contains(csClicked);
  FControlState.Exclude(csClicked);
  FControlState.Exclude(csLButtonDown);
  if (clicked && x >= 0 && y >= 0 && x < FWidth && y < FHeight) Click();
  MouseUp(mbLeft, KeysToShiftState(M.WParam), x, y);
}

void TControl::WMRButtonDown(TMessage& M) {
  MouseDown(mbRight, KeysToShiftState(M.WParam), win::GET_X_LPARAM(M.LParam), win::GET_Y_LPARAM(M.LParam));
}
void TControl::WMRButtonUp(TMessage& M) {
  MouseUp(mbRight, KeysToShiftState(M.WParam), win::GET_X_LPARAM(M.LParam), win::GET_Y_LPARAM(M.LParam));
  DefaultHandler(M);
}
void TControl::WMMButtonDown(TMessage& M) {
  MouseDown(mbMiddle, KeysToShiftState(M.WParam), win::GET_X_LPARAM(M.LParam), win::GET_Y_LPARAM(M.LParam));
}
void TControl::WMMButtonUp(TMessage& M) {
  MouseUp(mbMiddle, KeysToShiftState(M.WParam), win::GET_X_LPARAM(M.LParam), win::GET_Y_LPARAM(M.LParam));
}
void TControl::WMMouseMove(TMessage& M) {
  MouseMove(KeysToShiftState(M.WParam), win::GET_X_LPARAM(M.LParam), win::GET_Y_LPARAM(M.LParam));
}

void TControl::WMContextMenu(TMessage& M) {
  if (M.Result != 0) return;
  TPoint pt = Point(win::GET_X_LPARAM(M.LParam), win::GET_Y_LPARAM(M.LParam));
  if (pt.x == -1 && pt.y == -1) pt = ClientToScreen(Point(FWidth / 2, FHeight / 2));
  TPopupMenu* menu = FPopupMenu;
  if (menu != nullptr && menu->AutoPopup()) {
    menu->SetPopupComponent(this);
    M.Result = 1;
    menu->Popup(pt.x, pt.y);
    return;
  }
}

void TControl::WMCancelMode(TMessage&) {
  if (g_captureControl == this) SetCaptureControl(nullptr);
  FControlState.Exclude(csClicked);
  FControlState.Exclude(csLButtonDown);
}

void TControl::WMWindowPosChanged(TMessage&) {}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque)); }
void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }

void TControl::CMParentColorChanged(TMessage&) {
  if (!FParentColor || FParent == nullptr) return;
  if (FColor != FParent->Color()) {
    FColor = FParent->Color();
    Perform(CM_COLORCHANGED);
  }
}

void TControl::CMParentFontChanged(TMessage&) {
  if (!FParentFont || FParent == nullptr) return;
  FSettingParentFont = true;
  try {
    FFont->Assign(FParent->Font());
  } catch (...) {
    FSettingParentFont = false;
    throw;
  }
  FSettingParentFont = false;
}

void TControl::CMShowHintChanged(TMessage&) {}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!FParentShowHint || FParent == nullptr) return;
  if (FShowHint != FParent->ShowHint()) {
    FShowHint = FParent->ShowHint();
    Perform(CM_SHOWHINTCHANGED);
  }
}

void TControl::CMMouseEnter(TMessage& M) {
  if (FParent != nullptr) FParent->Perform(CM_MOUSEENTER, 0, M.LParam != 0 ? M.LParam : win::LPARAM(this));
  if (M.LParam == 0 && OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage& M) {
  if (FParent != nullptr) FParent->Perform(CM_MOUSELEAVE, 0, M.LParam != 0 ? M.LParam : win::LPARAM(this));
  if (M.LParam == 0 && OnMouseLeave) OnMouseLeave(this);
}

void TControl::CMHitTest(TMessage& M) { M.Result = win::HTCLIENT; }
void TControl::CMHintShow(TMessage&) {}
void TControl::CMCursorChanged(TMessage&) {}

void TControl::CMActionExecute(TMessage& M) {
  auto* a = reinterpret_cast<TBasicAction*>(M.LParam);
  M.Result = (a != nullptr && ExecuteAction(a)) ? 1 : 0;
}

void TControl::CMActionUpdate(TMessage& M) {
  auto* a = reinterpret_cast<TBasicAction*>(M.LParam);
  M.Result = (a != nullptr && UpdateAction(a)) ? 1 : 0;
}

// ---- TGraphicControl / TCustomControl / TControlCanvas ----

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
  auto canvas = std::make_unique<TControlCanvas>();
  canvas->SetControl(this);
  FCanvas = std::move(canvas);
}

TGraphicControl::~TGraphicControl() { static_cast<TControlCanvas*>(FCanvas.get())->FreeHandle(); }

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_PAINT) {
    WMPaint(Message);
    return;
  }
  TControl::Dispatch(Message);
}

void TGraphicControl::WMPaint(TMessage& Message) {
  auto dc = reinterpret_cast<win::HDC>(Message.WParam);
  if (dc == nullptr) return;
  static_cast<TControlCanvas*>(FCanvas.get())->PaintOn(dc, [this] { Paint(); });
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
  auto canvas = std::make_unique<TControlCanvas>();
  canvas->SetControl(this);
  FCanvas = std::move(canvas);
}

TCustomControl::~TCustomControl() {
  static_cast<TControlCanvas*>(FCanvas.get())->FreeHandle();
  DestroyHandle();
}

void TCustomControl::PaintWindow(win::HDC DC) {
  static_cast<TControlCanvas*>(FCanvas.get())->PaintOn(DC, [this] { Paint(); });
}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* AControl) {
  if (FControl == AControl) return;
  FreeHandle();
  FControl = AControl;
}

void TControlCanvas::FreeHandle() {
  if (FDeviceContext == nullptr) return;
  SetHandle(nullptr);
  win::ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  FWindowHandle = nullptr;
}

void TControlCanvas::CreateHandle() {
  if (FControl == nullptr || FDeviceContext != nullptr) return;
  if (FControl->IsWindowed()) {
    FWindowHandle = static_cast<TWinControl*>(FControl)->Handle();
    FDeviceContext = win::GetDC(FWindowHandle);
  } else {
    if (FControl->Parent() == nullptr) return;
    FWindowHandle = FControl->Parent()->Handle();
    FDeviceContext = win::GetDC(FWindowHandle);
    win::SetViewportOrgEx(FDeviceContext, FControl->Left(), FControl->Top(), nullptr);
    win::IntersectClipRect(FDeviceContext, 0, 0, FControl->Width(), FControl->Height());
  }
  SetHandle(FDeviceContext);
}

}  // namespace fw
