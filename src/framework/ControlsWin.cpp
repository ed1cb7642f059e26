// TWinControl: the window, its procedure, children, alignment, painting, keys and focus.

#include <algorithm>

#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/HandlerFrames.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

namespace fw {
namespace {

bool InsertBefore(TControl* C1, TControl* C2, TAlign AAlign) {
  switch (AAlign) {
    case alTop: return C1->Top() < C2->Top();
    case alBottom: return C1->Top() + C1->Height() > C2->Top() + C2->Height();
    case alLeft: return C1->Left() < C2->Left();
    case alRight: return C1->Left() + C1->Width() > C2->Left() + C2->Width();
    default: return false;
  }
}

}  // namespace

TWinControl* TWinControl::CreationControl = nullptr;

win::LRESULT TWinControl::InitWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  TWinControl* c = CreationControl;
  CreationControl = nullptr;
  if (c == nullptr) return win::DefWindowProcW(hwnd, msg, wParam, lParam);
  c->FHandle = hwnd;
  win::SetPropW(hwnd, ControlAtomString(), c);
  win::SetWindowLongPtrW(hwnd, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(c->FObjectInstance));
  return win::CallWindowProcW(c->FObjectInstance, hwnd, msg, wParam, lParam);
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(std::make_unique<TBrush>()) {
  FBrush->SetColor(FColor);
  FObjectInstance = win::MakeObjectInstance([this](win::HWND, win::UINT msg, win::WPARAM w, win::LPARAM l) {
    TMessage m{msg, w, l, 0};
    MainWndProc(m);
    return m.Result;
  });
  FDefWndProc = win::DefWindowProcW;
}

TWinControl::~TWinControl() {
  Destroying();
  if (FParent != nullptr) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, true);
    // The base destructor takes it off the parent's controls, but by then it no longer answers
    // as windowed: the tab list lets go of it here.
    auto& tabs = FParent->FTabList;
    tabs.erase(std::remove(tabs.begin(), tabs.end(), this), tabs.end());
  }
  DestroyHandle();
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    Remove(c);
    delete c;
  }
  win::FreeObjectInstance(FObjectInstance);
}

void TWinControl::MainWndProc(TMessage& Message) {
  THandlerFrame frame(this);
  try {
    if (WindowProc) {
      WindowProc(Message);
    } else {
      WndProc(Message);
    }
  } catch (...) {
    if (Application != nullptr) {
      Application->HandleException(this);
    } else {
      throw;
    }
  }
  if (Message.Msg == win::WM_NCDESTROY) {
    FHandle = nullptr;
    FShowing = false;
  }
}

// ---- handle ----

win::HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle != nullptr && !win::IsWindow(FHandle)) FHandle = nullptr;  // the window system went away
  if (FHandle != nullptr) return;
  if (FParent != nullptr) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateHandle() {
  if (FHandle != nullptr) return;
  CreateWnd();
  if (FParent != nullptr && FHandle != nullptr) {
    // Keep the windows' stacking in the order of the control list, whose later controls lie on
    // top (BringToFront moves a control to its end): the new window goes just below the first
    // later sibling that has a window, or on top of all when there is none.
    win::HWND below = win::HWND_TOP;
    auto& list = FParent->FControls;
    for (auto it = std::find(list.begin(), list.end(), this); it != list.end(); ++it) {
      if (*it == this || !(*it)->IsWindowed()) continue;
      if (win::HWND h = static_cast<TWinControl*>(*it)->FHandle; h != nullptr) {
        below = h;
        break;
      }
    }
    win::SetWindowPos(FHandle, below, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
  }
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams{};
  Params.Caption = win::Utf8ToWide(FText);
  Params.Style = win::WS_CHILD | win::WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls)) {
    Params.Style |= win::WS_CLIPCHILDREN;
    Params.ExStyle |= win::WS_EX_CONTROLPARENT;
  }
  if (!FEnabled) Params.Style |= win::WS_DISABLED;
  if (FTabStop) Params.Style |= win::WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent != nullptr ? FParent->Handle() : FParentWindow;
  Params.WindowClass.style = win::CS_VREDRAW | win::CS_HREDRAW | win::CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = win::DefWindowProcW;
  Params.WindowClass.hCursor = win::LoadCursorW(nullptr, win::IDC_ARROW);
  Params.WinClassName = win::Utf8ToWide(ClassName());
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char16_t* ControlClassName) {
  win::WNDCLASSW wc;
  if (win::GetClassInfoW(nullptr, ControlClassName, &wc)) {
    Params.WindowClass = wc;
    Params.WindowClass.lpszClassName = nullptr;
  }
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & win::WS_CHILD) != 0 && params.WndParent == nullptr) {
    throw EInvalidOperation(Format("Control '%s' has no parent window", Name()));
  }
  FDefWndProc = params.WindowClass.lpfnWndProc != nullptr ? params.WindowClass.lpfnWndProc : win::DefWindowProcW;
  win::WNDCLASSW existing;
  bool registered = win::GetClassInfoW(nullptr, params.WinClassName.c_str(), &existing) != win::FALSE;
  if (!registered || existing.lpfnWndProc != &InitWndProc) {
    if (registered) win::UnregisterClassW(params.WinClassName.c_str(), nullptr);
    win::WNDCLASSW wc = params.WindowClass;
    wc.lpfnWndProc = &InitWndProc;
    wc.hInstance = nullptr;
    wc.lpszClassName = params.WinClassName.c_str();
    if (win::RegisterClassW(&wc) == 0) throw EOutOfResources("Error creating window class");
  }
  CreationControl = this;
  try {
    CreateWindowHandle(params);
  } catch (...) {
    CreationControl = nullptr;
    throw;
  }
  CreationControl = nullptr;
  if (FHandle == nullptr) throw EOutOfResources("Error creating window");
  if (FFont->Handle() != nullptr) win::SendMessageW(FHandle, win::WM_SETFONT, win::WPARAM(FFont->Handle()), 0);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  win::HWND h = win::CreateWindowExW(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                                     Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr,
                                     nullptr, Params.Param);
  if (h != nullptr) FHandle = h;
}

void TWinControl::DestroyHandle() {
  if (FHandle == nullptr) return;
  for (TControl* c : FControls) {
    if (c->IsWindowed()) static_cast<TWinControl*>(c)->DestroyHandle();
  }
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  if (win::IsWindow(FHandle)) FText = GetText();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  FControlState.Include(csDestroyingHandle);
  win::HWND h = FHandle;
  if (h != nullptr && win::IsWindow(h)) {
    win::RemovePropW(h, ControlAtomString());
    win::DestroyWindow(h);
  }
  FControlState.Exclude(csDestroyingHandle);
  FHandle = nullptr;
  FShowing = false;
}

void TWinControl::RecreateWnd() {
  if (FHandle == nullptr) return;
  DestroyHandle();
  UpdateControlState();
}

void TWinControl::CMRecreateWnd(TMessage&) { RecreateWnd(); }

void TWinControl::SetParentWindow(win::HWND Value) {
  if (FParent != nullptr || FParentWindow == Value) return;
  if (FHandle != nullptr) {
    if (Value == nullptr) {
      DestroyHandle();
    } else {
      win::SetParent(FHandle, Value);
    }
  }
  FParentWindow = Value;
  UpdateControlState();
}

void TWinControl::UpdateControlState() {
  if (FParent == nullptr || FParent->FShowing) UpdateShowing();
}

void TWinControl::UpdateShowing() {
  bool showing = FVisible && (FParent != nullptr ? FParent->FShowing : (FParentWindow != nullptr || IsTopLevel()));
  if (showing) HandleNeeded();
  if (showing == FShowing) {
    if (showing) {
      for (TControl* c : FControls)
        if (c->IsWindowed()) static_cast<TWinControl*>(c)->UpdateShowing();
    }
    return;
  }
  FShowing = showing;
  if (showing) {
    for (TControl* c : FControls)
      if (c->IsWindowed()) static_cast<TWinControl*>(c)->UpdateShowing();
    Perform(CM_SHOWINGCHANGED);
  } else {
    if (FHandle != nullptr) Perform(CM_SHOWINGCHANGED);
    for (TControl* c : FControls)
      if (c->IsWindowed()) static_cast<TWinControl*>(c)->UpdateShowing();
  }
}

void TWinControl::CMShowingChanged(TMessage&) {
  if (FHandle == nullptr) return;
  win::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                    win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE |
                        (FShowing ? win::SWP_SHOWWINDOW : win::SWP_HIDEWINDOW));
}

// ---- children ----

void TWinControl::Insert(TControl* AControl) {
  FControls.push_back(AControl);
  if (AControl->IsWindowed()) FTabList.push_back(static_cast<TWinControl*>(AControl));
  AControl->FParent = this;
}

void TWinControl::Remove(TControl* AControl) {
  if (AControl->IsWindowed()) {
    auto t = std::find(FTabList.begin(), FTabList.end(), AControl);
    if (t != FTabList.end()) FTabList.erase(t);
  }
  auto it = std::find(FControls.begin(), FControls.end(), AControl);
  if (it != FControls.end()) FControls.erase(it);
  AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
  Insert(AControl);
  if (!AControl->ComponentState().Contains(csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED);
    AControl->Perform(CM_PARENTFONTCHANGED);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED);
    AControl->UpdateAnchorRules();
    if (AControl->IsWindowed()) {
      auto* w = static_cast<TWinControl*>(AControl);
      if (w->FHandle != nullptr && FHandle != nullptr) {
        win::SetParent(w->FHandle, FHandle);
      } else if (w->FHandle != nullptr) {
        w->DestroyHandle();
      }
      w->UpdateControlState();
    } else if (FHandle != nullptr) {
      AControl->Invalidate();
    }
    AlignControl(AControl);
  }
  Perform(CM_CONTROLLISTCHANGE, win::WPARAM(AControl), 1);
  // The control is in place (parent, colours, handle) when the new parent hears of it.
  Perform(CM_CONTROLCHANGE, win::WPARAM(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
  // Told while the control is still a child, so that the parent can drop what it keeps for it.
  Perform(CM_CONTROLCHANGE, win::WPARAM(AControl), 0);
  Perform(CM_CONTROLLISTCHANGE, win::WPARAM(AControl), 0);
  if (AControl->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(AControl);
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(w, true);
    if (!ComponentState().Contains(csDestroying)) w->DestroyHandle();
  } else if (FHandle != nullptr) {
    AControl->InvalidateControl(AControl->Visible(), false);
  }
  if (CreationControl == AControl) CreationControl = nullptr;
  Remove(AControl);
  if (!ComponentState().Contains(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const {
  while (Control != nullptr && Control != this) Control = Control->Parent();
  return Control == this;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() && !AllowWinControls) continue;
    if (!c->Visible() || (!c->Enabled() && !AllowDisabled)) continue;
    TRect r = c->BoundsRect();
    if (Pos.x >= r.left && Pos.x < r.right && Pos.y >= r.top && Pos.y < r.bottom) {
      if (c->Perform(CM_HITTEST, 0, win::MAKELPARAM(win::WORD(Pos.x - r.left), win::WORD(Pos.y - r.top))) != 0) {
        return c;
      }
    }
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (size_t i = 0; i < FControls.size(); ++i) {
    FControls[i]->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

// ---- bounds and alignment ----

void TWinControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  CheckNewSize(AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  if (FHandle != nullptr && !win::IsIconic(FHandle)) {
    FSizeChecked = true;  // the size has taken its steps: WM_WINDOWPOSCHANGING leaves it
    try {
      win::SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, win::SWP_NOZORDER | win::SWP_NOACTIVATE);
    } catch (...) {
      FSizeChecked = false;
      throw;
    }
    FSizeChecked = false;
    return;  // WM_WINDOWPOSCHANGED takes over
  }
  bool resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  if (resized) Realign();
  RequestAlign();
  if (resized) Resize();
}

void TWinControl::UpdateBounds() {
  win::RECT r;
  if (!win::GetWindowRect(FHandle, &r)) return;
  win::HWND parent = win::GetParent(FHandle);
  if (parent != nullptr && (win::GetWindowLongW(FHandle, win::GWL_STYLE) & win::LONG(win::WS_CHILD)) != 0) {
    win::MapWindowPoints(nullptr, parent, reinterpret_cast<win::POINT*>(&r), 2);
  }
  bool resized = (r.right - r.left) != FWidth || (r.bottom - r.top) != FHeight;
  FLeft = r.left;
  FTop = r.top;
  FWidth = r.right - r.left;
  FHeight = r.bottom - r.top;
  UpdateAnchorRules();
  if (resized) {
    Realign();
    RequestAlign();
    Resize();
  } else {
    RequestAlign();
  }
}

void TWinControl::WMWindowPosChanged(TMessage& M) {
  if (!win::IsIconic(FHandle)) UpdateBounds();
  DefaultHandler(M);
}

void TWinControl::WMSize(TMessage& M) { DefaultHandler(M); }

// A size the window system proposes (the frame dragged, SetWindowPos called directly) takes the
// steps SetBounds takes: OnCanResize may refuse it, Constraints limit it, AutoSize fits it.
void TWinControl::WMWindowPosChanging(TMessage& M) {
  auto* pos = reinterpret_cast<win::WINDOWPOS*>(M.LParam);
  if (pos != nullptr && !FSizeChecked && (pos->flags & win::SWP_NOSIZE) == 0 && !win::IsIconic(FHandle) &&
      !ComponentState().Contains(csDestroying)) {
    Integer w = pos->cx, h = pos->cy;
    CheckNewSize(w, h);
    pos->cx = w;
    pos->cy = h;
  }
  DefaultHandler(M);
}

TRect TWinControl::ClientRect() {
  if (FHandle != nullptr) {
    win::RECT r;
    win::GetClientRect(FHandle, &r);
    return r;
  }
  return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() {
  if (FHandle == nullptr) return TControl::ClientOrigin();
  win::POINT p{0, 0};
  win::ClientToScreen(FHandle, &p);
  return p;
}

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  --FAlignLevel;
  if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
  if (FAlignLevel != 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  try {
    TRect r = ClientRect();
    AdjustClientRect(r);
    AlignControls(AControl, r);
  } catch (...) {
    FControlState.Exclude(csAlignmentNeeded);
    EnableAlign();
    throw;
  }
  FControlState.Exclude(csAlignmentNeeded);
  EnableAlign();
  // A child moved, came or went: an auto-sized control fits itself again.
  if (FAutoSize) AdjustSize();
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    if (AControl != nullptr && AControl->Align() == align && AControl->Visible() && AControl->Parent() == this) {
      list.push_back(AControl);
    }
    for (TControl* c : FControls) {
      if (c == AControl || c->Align() != align || !c->Visible()) continue;
      auto pos = list.end();
      for (auto it = list.begin(); it != list.end(); ++it) {
        if (InsertBefore(c, *it, align)) {
          pos = it;
          break;
        }
      }
      list.insert(pos, c);
    }
    for (TControl* c : list) {
      // With AlignWithMargins the control's slot is its size plus its margins.
      Integer ml = 0, mt = 0, mr = 0, mb = 0;
      if (c->AlignWithMargins()) {
        ml = c->Margins()->Left();
        mt = c->Margins()->Top();
        mr = c->Margins()->Right();
        mb = c->Margins()->Bottom();
      }
      Integer w = std::max<Integer>(Rect.right - Rect.left - ml - mr, 0);
      Integer h = std::max<Integer>(Rect.bottom - Rect.top - mt - mb, 0);
      Integer cw = c->Width(), ch = c->Height();
      c->FAnchorMove = true;
      switch (align) {
        case alTop:
          c->Constraints()->Apply(w, ch);
          c->SetBounds(Rect.left + ml, Rect.top + mt, w, ch);
          Rect.top += mt + c->Height() + mb;
          break;
        case alBottom:
          c->Constraints()->Apply(w, ch);
          c->SetBounds(Rect.left + ml, Rect.bottom - mb - ch, w, ch);
          Rect.bottom -= mt + c->Height() + mb;
          break;
        case alLeft:
          c->Constraints()->Apply(cw, h);
          c->SetBounds(Rect.left + ml, Rect.top + mt, cw, h);
          Rect.left += ml + c->Width() + mr;
          break;
        case alRight:
          c->Constraints()->Apply(cw, h);
          c->SetBounds(Rect.right - mr - cw, Rect.top + mt, cw, h);
          Rect.right -= ml + c->Width() + mr;
          break;
        case alClient: c->SetBounds(Rect.left + ml, Rect.top + mt, w, h); break;
        default: break;
      }
      c->FAnchorMove = false;
    }
  }
  // Anchored controls keep their distances to the edges they are anchored to.
  Integer pw = Rect.right - Rect.left, ph = Rect.bottom - Rect.top;
  TRect client = ClientRect();
  pw = client.right - client.left;
  ph = client.bottom - client.top;
  for (TControl* c : FControls) {
    if (c->Align() != alNone || c == AControl) continue;
    TAnchors a = c->Anchors();
    if (a == TAnchors{akLeft, akTop}) continue;
    if (c->FOriginalParentWidth <= 0 || c->FOriginalParentHeight <= 0) {
      c->UpdateAnchorRules();
      continue;
    }
    Integer l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
    if (a.Contains(akRight)) {
      if (a.Contains(akLeft)) {
        w = pw - l - c->FAnchorRight;
      } else {
        l = pw - c->FAnchorRight - w;
      }
    } else if (!a.Contains(akLeft)) {
      l = Integer(int64_t(c->FAnchorCenterX) * pw / c->FOriginalParentWidth) - w / 2;
    }
    if (a.Contains(akBottom)) {
      if (a.Contains(akTop)) {
        h = ph - t - c->FAnchorBottom;
      } else {
        t = ph - c->FAnchorBottom - h;
      }
    } else if (!a.Contains(akTop)) {
      t = Integer(int64_t(c->FAnchorCenterY) * ph / c->FOriginalParentHeight) - h / 2;
    }
    c->FAnchorMove = true;
    try {
      c->SetBounds(l, t, w, h);
    } catch (...) {
      c->FAnchorMove = false;
      throw;
    }
    c->FAnchorMove = false;
  }
}

// ---- text, z-order, painting ----

String TWinControl::GetText() const {
  if (FHandle == nullptr || !win::IsWindow(FHandle)) return FText;
  int len = win::GetWindowTextLengthW(FHandle);
  std::u16string buf(size_t(len) + 1, u'\0');
  int got = win::GetWindowTextW(FHandle, buf.data(), len + 1);
  buf.resize(size_t(std::max(got, 0)));
  return win::WideToUtf8(buf);
}

void TWinControl::SetText(const String& Value) {
  if (GetText() == Value) return;
  FText = Value;
  if (FHandle != nullptr) win::SetWindowTextW(FHandle, win::Utf8ToWide(Value).c_str());
  Perform(CM_TEXTCHANGED);
}

void TWinControl::SetZOrder(bool TopMost) {
  TControl::SetZOrder(TopMost);
  if (FHandle != nullptr) {
    win::SetWindowPos(FHandle, TopMost ? win::HWND_TOP : win::HWND_BOTTOM, 0, 0, 0, 0,
                      win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
  }
}

void TWinControl::Invalidate() {
  if (FHandle != nullptr) {
    win::InvalidateRect(FHandle, nullptr, FControlStyle.Contains(csOpaque) ? win::FALSE : win::TRUE);
  }
}

void TWinControl::Update() {
  if (FHandle != nullptr) win::UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  if (FHandle == nullptr) return;
  win::RedrawWindow(FHandle, nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_UPDATENOW);
}

void TWinControl::WMPaint(TMessage& M) { PaintHandler(M); }

void TWinControl::PaintHandler(TMessage& M) {
  auto dc = reinterpret_cast<win::HDC>(M.WParam);
  win::PAINTSTRUCT ps;
  bool own = dc == nullptr;
  if (own) dc = win::BeginPaint(FHandle, &ps);
  try {
    int saved = win::SaveDC(dc);
    PaintWindow(dc);
    win::RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
  } catch (...) {
    if (own) win::EndPaint(FHandle, &ps);
    throw;
  }
  if (own) win::EndPaint(FHandle, &ps);
}

void TWinControl::PaintWindow(win::HDC DC) {
  TMessage m{win::WM_PAINT, win::WPARAM(DC), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(win::HDC DC, TControl* First) {
  auto it = FControls.begin();
  if (First != nullptr) it = std::find(FControls.begin(), FControls.end(), First);
  for (; it != FControls.end(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() || !c->Visible()) continue;
    int saved = win::SaveDC(DC);
    win::OffsetViewportOrgEx(DC, c->Left(), c->Top(), nullptr);
    win::IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    try {
      c->Perform(win::WM_PAINT, win::WPARAM(DC), 0);
    } catch (...) {
      win::RestoreDC(DC, saved);
      throw;
    }
    win::RestoreDC(DC, saved);
  }
}

void TWinControl::WMEraseBkgnd(TMessage& M) {
  auto dc = reinterpret_cast<win::HDC>(M.WParam);
  TRect r = ClientRect();
  win::FillRect(dc, &r, FBrush->Handle());
  M.Result = 1;
}

void TWinControl::PaintTo(win::HDC DC, Integer X, Integer Y) {
  HandleNeeded();
  int saved = win::SaveDC(DC);
  win::OffsetViewportOrgEx(DC, X, Y, nullptr);
  win::IntersectClipRect(DC, 0, 0, FWidth, FHeight);
  // Window frames are not drawn: the client area sits at the window's origin here.
  Perform(win::WM_ERASEBKGND, win::WPARAM(DC), 0);
  Perform(win::WM_PAINT, win::WPARAM(DC), 0);
  win::RestoreDC(DC, saved);
  for (TControl* c : FControls) {
    if (!c->IsWindowed() || !c->Visible()) continue;
    static_cast<TWinControl*>(c)->PaintTo(DC, X + c->Left(), Y + c->Top());
  }
}

// ---- message routing ----

bool TWinControl::IsControlMouseMsg(TMessage& M) {
  if (M.Msg == win::WM_MOUSEWHEEL || M.Msg == win::WM_MOUSEHWHEEL) return false;
  TControl* target = nullptr;
  TControl* capture = GetCaptureControl();
  if (FHandle != nullptr && win::GetCapture() == FHandle) {
    if (capture != nullptr && capture != this && capture->Parent() == this) target = capture;
  } else {
    target = ControlAtPos(Point(win::GET_X_LPARAM(M.LParam), win::GET_Y_LPARAM(M.LParam)), false);
  }
  if (target == nullptr) return false;
  Integer x = win::GET_X_LPARAM(M.LParam) - target->Left();
  Integer y = win::GET_Y_LPARAM(M.LParam) - target->Top();
  M.Result = target->Perform(M.Msg, M.WParam, win::MAKELPARAM(win::WORD(x), win::WORD(y)));
  return true;
}

void TWinControl::WndProc(TMessage& M) {
  switch (M.Msg) {
    case win::WM_SETFOCUS: {
      TCustomForm* form = GetParentForm(this);
      if (form != nullptr && form != this && !form->SetFocusedControl(this)) return;
      break;
    }
    case win::WM_KILLFOCUS:
      if (FControlState.Contains(csFocusing)) return;
      break;
    default:
      if (M.Msg >= win::WM_MOUSEFIRST && M.Msg <= win::WM_MOUSELAST && IsControlMouseMsg(M)) {
        // The window still gets its default handling (a right button's context menu ...).
        if (M.Result == 0 && FHandle != nullptr) win::DefWindowProcW(FHandle, M.Msg, M.WParam, M.LParam);
        return;
      }
      break;
  }
  TControl::WndProc(M);
}

void TWinControl::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case win::WM_PAINT: WMPaint(M); return;
    case win::WM_ERASEBKGND: WMEraseBkgnd(M); return;
    case win::WM_SETFOCUS: WMSetFocus(M); return;
    case win::WM_KILLFOCUS: WMKillFocus(M); return;
    case win::WM_KEYDOWN: WMKeyDown(M); return;
    case win::WM_SYSKEYDOWN: WMSysKeyDown(M); return;
    case win::WM_KEYUP:
    case win::WM_SYSKEYUP: WMKeyUp(M); return;
    case win::WM_CHAR: WMChar(M); return;
    case win::WM_COMMAND: WMCommand(M); return;
    case win::WM_NOTIFY: WMNotify(M); return;
    case win::WM_DRAWITEM: WMDrawItem(M); return;
    case win::WM_HSCROLL:
    case win::WM_VSCROLL: WMScroll(M); return;
    case win::WM_CTLCOLORMSGBOX:
    case win::WM_CTLCOLOREDIT:
    case win::WM_CTLCOLORLISTBOX:
    case win::WM_CTLCOLORBTN:
    case win::WM_CTLCOLORDLG:
    case win::WM_CTLCOLORSCROLLBAR:
    case win::WM_CTLCOLORSTATIC: WMCtlColor(M); return;
    case win::WM_SETCURSOR: WMSetCursor(M); return;
    case win::WM_SIZE: WMSize(M); return;
    case win::WM_WINDOWPOSCHANGING: WMWindowPosChanging(M); return;
    case win::WM_NCDESTROY: WMNCDestroy(M); return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: CNKeyDown(M); return;
    case CN_CHAR:
    case CN_SYSCHAR: CNChar(M); return;
    case CM_DIALOGKEY: CMDialogKey(M); return;
    case CM_DIALOGCHAR: CMDialogChar(M); return;
    case CM_CHILDKEY: CMChildKey(M); return;
    case CM_ENTER: CMEnter(M); return;
    case CM_EXIT: CMExit(M); return;
    case CM_FOCUSCHANGED: CMFocusChanged(M); return;
    case CM_SHOWINGCHANGED: CMShowingChanged(M); return;
    case CM_RECREATEWND: CMRecreateWnd(M); return;
    case CM_INVALIDATE: CMInvalidate(M); return;
    case CM_SYSCOLORCHANGE: CMSysColorChange(M); return;
    default: TControl::Dispatch(M); return;
  }
}

void TWinControl::DefaultHandler(TMessage& M) {
  if (FHandle == nullptr) return;
  if (M.Msg >= CM_BASE && M.Msg < 0xC000) return;  // the framework's own numbers mean nothing to windows
  M.Result = win::CallWindowProcW(FDefWndProc, FHandle, M.Msg, M.WParam, M.LParam);
}

void TWinControl::WMNCDestroy(TMessage& M) {
  DefaultHandler(M);
  FHandle = nullptr;
  FShowing = false;
}

void TWinControl::WMCommand(TMessage& M) {
  TWinControl* c = FindControl(reinterpret_cast<win::HWND>(M.LParam));
  if (M.LParam != 0 && c != nullptr && c != this) {
    M.Result = c->Perform(CN_COMMAND, M.WParam, M.LParam);
    return;
  }
  DefaultHandler(M);
}

void TWinControl::WMNotify(TMessage& M) {
  // The notification header starts with the sender's window.
  auto* from = reinterpret_cast<win::HWND*>(M.LParam);
  TWinControl* c = from != nullptr ? FindControl(*from) : nullptr;
  if (c != nullptr && c != this) {
    M.Result = c->Perform(CN_NOTIFY, M.WParam, M.LParam);
    return;
  }
  DefaultHandler(M);
}

void TWinControl::WMDrawItem(TMessage& M) {
  auto* dis = reinterpret_cast<win::DRAWITEMSTRUCT*>(M.LParam);
  TWinControl* c = (dis != nullptr && dis->CtlType != win::ODT_MENU) ? FindControl(dis->hwndItem) : nullptr;
  if (c != nullptr && c != this) {
    M.Result = c->Perform(CN_DRAWITEM, M.WParam, M.LParam);
    return;
  }
  DefaultHandler(M);
}

void TWinControl::WMScroll(TMessage& M) {
  TWinControl* c = FindControl(reinterpret_cast<win::HWND>(M.LParam));
  if (M.LParam != 0 && c != nullptr && c != this) {
    M.Result = c->Perform(CN_BASE + M.Msg, M.WParam, M.LParam);
    return;
  }
  DefaultHandler(M);
}

void TWinControl::WMCtlColor(TMessage& M) {
  TWinControl* c = FindControl(reinterpret_cast<win::HWND>(M.LParam));
  if (c != nullptr && c != this) {
    M.Result = c->Perform(CN_BASE + M.Msg, M.WParam, M.LParam);
    return;
  }
  DefaultHandler(M);
}

void TWinControl::WMSetCursor(TMessage& M) {
  if (win::LOWORD(win::UINT(M.LParam)) == win::HTCLIENT && reinterpret_cast<win::HWND>(M.WParam) == FHandle) {
    TCursor cursor = Screen != nullptr ? Screen->Cursor() : crDefault;
    if (cursor == crDefault) {
      win::POINT p;
      win::GetCursorPos(&p);
      TControl* c = ControlAtPos(ScreenToClient(p), false);
      cursor = c != nullptr ? c->Cursor() : FCursor;
    }
    if (cursor != crDefault && Screen != nullptr) {
      win::SetCursor(Screen->Cursors(cursor));
      M.Result = 1;
      return;
    }
  }
  DefaultHandler(M);
}

void TWinControl::WMContextMenu(TMessage& M) {
  if (M.Result != 0) return;
  TPoint pt = Point(win::GET_X_LPARAM(M.LParam), win::GET_Y_LPARAM(M.LParam));
  if (!(pt.x == -1 && pt.y == -1)) {
    TControl* c = ControlAtPos(ScreenToClient(pt), false);
    if (c != nullptr) {
      M.Result = c->Perform(win::WM_CONTEXTMENU, 0, M.LParam);
      if (M.Result != 0) return;
    }
  }
  TControl::WMContextMenu(M);
  if (M.Result == 0) DefaultHandler(M);
}

// ---- keys ----

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}
void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}
void TWinControl::KeyPress(char16_t& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TMessage& M) {
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyDown(M)) return true;
  Word key = Word(M.WParam);
  if (!FControlStyle.Contains(csNoStdEvents)) {
    KeyDown(key, KeyDataToShiftState(M.LParam));
    M.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& M) {
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyUp(M)) return true;
  Word key = Word(M.WParam);
  if (!FControlStyle.Contains(csNoStdEvents)) {
    KeyUp(key, KeyDataToShiftState(M.LParam));
    M.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TMessage& M) {
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyPress(M)) return true;
  char16_t ch = char16_t(win::LOWORD(M.WParam));
  if (!FControlStyle.Contains(csNoStdEvents)) {
    KeyPress(ch);
    M.WParam = (M.WParam & ~win::WPARAM(0xFFFF)) | ch;
    if (ch == 0) return true;
  }
  return false;
}

void TWinControl::WMKeyDown(TMessage& M) {
  if (!DoKeyDown(M)) DefaultHandler(M);
}
void TWinControl::WMSysKeyDown(TMessage& M) {
  if (!DoKeyDown(M)) DefaultHandler(M);
}
void TWinControl::WMKeyUp(TMessage& M) {
  if (!DoKeyUp(M)) DefaultHandler(M);
}
void TWinControl::WMChar(TMessage& M) {
  if (!DoKeyPress(M)) DefaultHandler(M);
}

void TWinControl::CNKeyDown(TMessage& M) {
  M.Result = 1;
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && form->IsShortCut(M)) return;
  // Then the application window, whose hooks (HookMainWindow) may take the key for another form.
  if (Application != nullptr && win::SendMessageW(Application->Handle(), CM_APPKEYDOWN, M.WParam, M.LParam) != 0) {
    return;
  }
  if (Perform(CM_CHILDKEY, M.WParam, win::LPARAM(this)) != 0) return;
  win::LRESULT mask = 0;
  switch (M.WParam) {
    case win::VK_TAB: mask = win::DLGC_WANTTAB; break;
    case win::VK_LEFT:
    case win::VK_RIGHT:
    case win::VK_UP:
    case win::VK_DOWN: mask = win::DLGC_WANTARROWS; break;
    case win::VK_RETURN:
    case win::VK_ESCAPE:
    case win::VK_CANCEL: mask = win::DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, M.WParam, M.LParam) == 0 &&
      (Perform(win::WM_GETDLGCODE) & mask) == 0 && form != nullptr &&
      form->Perform(CM_DIALOGKEY, M.WParam, M.LParam) != 0) {
    return;
  }
  M.Result = 0;
}

void TWinControl::CNChar(TMessage& M) {
  if ((Perform(win::WM_GETDLGCODE) & win::DLGC_WANTCHARS) == 0) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form->Perform(CM_DIALOGCHAR, M.WParam, M.LParam) != 0) {
      M.Result = 1;
      return;
    }
  }
  M.Result = 0;
}

void TWinControl::CMSysColorChange(TMessage& M) { Broadcast(M); }

void TWinControl::CMDialogKey(TMessage& M) { Broadcast(M); }
void TWinControl::CMDialogChar(TMessage& M) { Broadcast(M); }

void TWinControl::CMChildKey(TMessage& M) {
  if (FParent != nullptr) M.Result = FParent->Perform(CM_CHILDKEY, M.WParam, M.LParam);
}

// ---- focus ----

Integer TWinControl::TabOrder() const {
  if (FParent == nullptr) return -1;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : Integer(it - list.begin());
}

void TWinControl::SetTabOrder(Integer Value) {
  if (FParent == nullptr) return;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  Value = std::clamp<Integer>(Value, 0, Integer(list.size()));
  list.insert(list.begin() + Value, this);
}

bool TWinControl::CanFocus() {
  TCustomForm* form = GetParentForm(this);
  if (form == nullptr) return FVisible && FEnabled;
  TControl* c = this;
  while (c != nullptr) {
    if (!c->Visible() || !c->Enabled()) return false;
    if (c == form) return true;
    c = c->Parent();
  }
  return false;
}

bool TWinControl::Focused() { return FHandle != nullptr && win::GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr) {
    form->FocusControl(this);
  } else if (FParentWindow != nullptr || IsTopLevel()) {
    win::SetFocus(Handle());
  } else {
    throw EInvalidOperation(Format("Control '%s' has no parent window", Name()));
  }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  for (TWinControl* c : FTabList) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  Integer n = Integer(list.size());
  auto it = std::find(list.begin(), list.end(), CurControl);
  Integer start = it == list.end() ? (GoForward ? n - 1 : 0) : Integer(it - list.begin());
  Integer i = start;
  for (Integer step = 0; step < n; ++step) {
    i = GoForward ? (i + 1) % n : (i + n - 1) % n;
    TWinControl* c = list[size_t(i)];
    if (c == CurControl) break;
    if (c->CanFocus() && (!CheckTabStop || c->StopsOnTab()) && (!CheckParent || c->Parent() == this)) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  TWinControl* c = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
  if (c != nullptr) c->SetFocus();
}

void TWinControl::WMSetFocus(TMessage& M) { DefaultHandler(M); }
void TWinControl::WMKillFocus(TMessage& M) { DefaultHandler(M); }

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}
void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }
void TWinControl::CMFocusChanged(TMessage& M) { Broadcast(M); }
void TWinControl::CMInvalidate(TMessage&) { Invalidate(); }

// ---- state changes ----

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!FEnabled && FParent != nullptr) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
  }
  if (FHandle != nullptr) win::EnableWindow(FHandle, FEnabled ? win::TRUE : win::FALSE);
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!FVisible && FParent != nullptr) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
  }
  UpdateControlState();
}

void TWinControl::CMColorChanged(TMessage& M) {
  FBrush->SetColor(FColor);
  TMessage n{CM_PARENTCOLORCHANGED, 0, 0, 0};
  for (TControl* c : std::vector<TControl*>(FControls)) c->WindowProc(n);
  TControl::CMColorChanged(M);
}

void TWinControl::CMFontChanged(TMessage& M) {
  if (FHandle != nullptr) win::SendMessageW(FHandle, win::WM_SETFONT, win::WPARAM(FFont->Handle()), 0);
  for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_PARENTFONTCHANGED);
  TControl::CMFontChanged(M);
}

void TWinControl::CMTextChanged(TMessage& M) { TControl::CMTextChanged(M); }

void TWinControl::CMShowHintChanged(TMessage&) {
  for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::CMActionExecute(TMessage& M) {
  TControl::CMActionExecute(M);
  if (M.Result == 0) Broadcast(M);
}

void TWinControl::CMActionUpdate(TMessage& M) {
  TControl::CMActionUpdate(M);
  if (M.Result == 0) Broadcast(M);
}

}  // namespace fw
