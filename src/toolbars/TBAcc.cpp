#include "toolbars/TBAcc.h"

#include <mutex>
#include <set>

#include "framework/Controls.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/Rects.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"
#include "toolbars/detail/TBItemQueue.h"

namespace toolbars {

namespace {

// The live objects, guarded: clients may hold them from other places than their owners.
std::mutex gLiveLock;
std::set<TTBCustomAccObject*>& LiveObjects() {
  static std::set<TTBCustomAccObject*> objects;
  return objects;
}

constexpr win::WPARAM kPostSelect = 1, kPostExecute = 2;

void InstallViewerCallHandler() {
  if (detail::ViewerCallHandler) return;
  detail::ViewerCallHandler = [](fw::TObject* Obj, win::WPARAM Flag) {
    if (auto* v = dynamic_cast<TTBItemViewer*>(Obj)) HandleAccSelect(v, Flag == kPostExecute);
  };
}

bool Counted(TTBItemViewer* v) { return v->Show() || v->Clipped() || v->OffEdge(); }

// The n-th counted viewer (1-based), nil past the end.
TTBItemViewer* CountedViewer(TTBView* View, fw::Integer N) {
  fw::Integer k = 0;
  for (fw::Integer i = 0; i < View->ViewerCount(); ++i)
    if (Counted(View->Viewers(i)) && ++k == N) return View->Viewers(i);
  return nullptr;
}

TTBAccVariant ObjectOf(const TTBAccRef& Ref) {
  TTBAccVariant v;
  v.Object = Ref;
  return v;
}

TTBAccVariant Self() {
  TTBAccVariant v;
  v.IsChildId = true;
  v.ChildId = CHILDID_SELF;
  return v;
}

fw::WideString WindowText(fw::TWinControl* W) {
  if (!W || !W->HandleAllocated()) return fw::WideString();
  char16_t buffer[256] = {};
  int n = win::GetWindowTextW(W->Handle(), buffer, 256);
  return fw::WideString(buffer, size_t(std::max(n, 0)));
}

bool WindowAndAncestorsEnabled(win::HWND Wnd) {
  for (win::HWND h = Wnd; h; h = win::GetParent(h))
    if (!win::IsWindowEnabled(h)) return false;
  return true;
}

}  // namespace

// ---- base ----

TTBCustomAccObject::TTBCustomAccObject() {
  std::lock_guard lock(gLiveLock);
  LiveObjects().insert(this);
}

TTBCustomAccObject::~TTBCustomAccObject() {
  std::lock_guard lock(gLiveLock);
  LiveObjects().erase(this);
}

fw::Integer TTBCustomAccObject::LiveCount() {
  std::lock_guard lock(gLiveLock);
  return fw::Integer(LiveObjects().size());
}

bool InitializeOleAcc() { return true; }

fw::WideString AltKeyName() { return u"Alt"; }

fw::Integer AccChildIdOf(TTBItemViewer* Viewer) {
  if (!Viewer || !Counted(Viewer)) return CHILDID_SELF;
  TTBView* view = Viewer->View();
  fw::Integer n = 0;
  for (fw::Integer i = 0; i < view->ViewerCount(); ++i) {
    TTBItemViewer* v = view->Viewers(i);
    if (Counted(v)) ++n;
    if (v == Viewer) return n;
  }
  return CHILDID_SELF;
}

TTBAccRef ViewerAccObject(TTBItemViewer* Viewer) {
  if (!Viewer || !InitializeOleAcc()) return nullptr;
  if (Viewer->FAccObject) return Viewer->FAccObject->shared_from_this();
  auto obj = std::make_shared<TTBItemViewerAccObject>(Viewer);
  Viewer->FAccObject = obj.get();
  return obj;
}

bool IsAccessibleWindowAvailable(TTBView* View) {
  fw::TWinControl* w = View ? View->Window() : nullptr;
  if (!w || !w->HandleAllocated()) return false;
  win::HWND h = w->Handle();
  if (!win::IsWindowVisible(h) || !WindowAndAncestorsEnabled(h)) return false;
  if (View->State() & tbvsModal) return true;
  win::HWND active = win::GetActiveWindow();
  return active && (active == h || win::IsChild(active, h));
}

win::AccessibleWindowInfo DescribeForAccessibility(TTBView* View) {
  win::AccessibleWindowInfo info;
  auto obj = View ? View->GetAccObject() : nullptr;
  if (!obj) return info;
  fw::Integer role = 0, count = 0;
  obj->get_accRole(CHILDID_SELF, role);
  info.role = role;
  obj->get_accName(CHILDID_SELF, info.name);
  obj->get_accChildCount(count);
  for (fw::Integer i = 1; i <= count; ++i) {
    TTBAccVariant child;
    if (obj->get_accChild(i, child) != S_OK || !child.Object) continue;
    win::AccessiblePart part;
    child.Object->get_accName(CHILDID_SELF, part.name);
    fw::Integer partRole = 0;
    child.Object->get_accRole(CHILDID_SELF, partRole);
    part.role = partRole;
    fw::Cardinal state = 0;
    child.Object->get_accState(CHILDID_SELF, state);
    part.state = state;
    fw::Integer l = 0, t = 0, w = 0, h = 0;
    child.Object->accLocation(l, t, w, h, CHILDID_SELF);
    part.bounds = win::RECT{l, t, l + w, t + h};
    child.Object->get_accKeyboardShortcut(CHILDID_SELF, part.shortcut);
    child.Object->get_accDefaultAction(CHILDID_SELF, part.defaultAction);
    // The object answers E_FAIL once its viewer is gone, so holding it here is safe.
    TTBAccRef item = child.Object;
    part.doDefaultAction = [item] { return item->accDoDefaultAction(CHILDID_SELF) == S_OK; };
    part.takeFocus = [item] { return item->accSelect(SELFLAG_TAKEFOCUS, CHILDID_SELF) == S_OK; };
    info.parts.push_back(std::move(part));
  }
  return info;
}

void HandleAccSelect(TTBItemViewer* Viewer, bool Execute) {
  TTBView* view = Viewer->View();
  if (Execute) {
    const bool actable = Counted(Viewer) && Viewer->Item()->Enabled() &&
                         (Viewer->Item()->ItemStyle() & tbisSelectable) && IsAccessibleWindowAvailable(view);
    if (!actable) return;
  } else if (!IsAccessibleWindowAvailable(view)) {
    return;
  }
  view->SetSelected(Viewer);
  view->ScrollSelectedIntoView();
  if (view->State() & tbvsModal) {
    if (Execute) view->ExecuteSelected(true);
  } else if (!view->ParentView() && win::GetCapture() == nullptr) {
    view->EnterToolbarLoop(Execute ? TTBEnterToolbarLoopOptions(tbetExecuteSelected | tbetFromMSAA) : tbetFromMSAA);
  }
}

// ---- answers both objects give ----

HRESULT TTBCustomAccObject::get_accDescription(fw::Integer Child, fw::WideString& Description) {
  Description.clear();
  const HRESULT r = Check(Child);
  return r == S_OK ? S_FALSE : r;
}

HRESULT TTBCustomAccObject::get_accHelp(fw::Integer Child, fw::WideString& Help) {
  Help.clear();
  const HRESULT r = Check(Child);
  return r == S_OK ? S_FALSE : r;
}

HRESULT TTBCustomAccObject::get_accHelpTopic(fw::Integer Child, fw::WideString& HelpFile, fw::Integer& Topic) {
  HelpFile.clear();
  Topic = 0;
  const HRESULT r = Check(Child);
  return r == S_OK ? S_FALSE : r;
}

HRESULT TTBCustomAccObject::get_accSelection(TTBAccVariant& Selection) {
  Selection = TTBAccVariant();
  const HRESULT r = Check(CHILDID_SELF);
  return r == S_OK ? S_FALSE : r;
}

// ---- view object ----

HRESULT TTBViewAccObject::Check(fw::Integer Child) const {
  if (!FView) return E_FAIL;
  return Child == CHILDID_SELF ? S_OK : E_INVALIDARG;
}

HRESULT TTBViewAccObject::get_accParent(TTBAccVariant& Parent) {
  Parent = TTBAccVariant();
  if (!FView) return E_FAIL;
  TTBView* pv = FView->ParentView();
  if (pv && pv->OpenViewer()) {
    Parent = ObjectOf(ViewerAccObject(pv->OpenViewer()));
    return S_OK;
  }
  // The window's own standard object does not exist on this desktop.
  return E_UNEXPECTED;
}

HRESULT TTBViewAccObject::get_accChildCount(fw::Integer& Count) {
  Count = 0;
  if (!FView) return E_FAIL;
  for (fw::Integer i = 0; i < FView->ViewerCount(); ++i)
    if (Counted(FView->Viewers(i))) ++Count;
  return S_OK;
}

HRESULT TTBViewAccObject::get_accChild(fw::Integer Child, TTBAccVariant& Object) {
  Object = TTBAccVariant();
  if (!FView) return E_FAIL;
  if (Child == CHILDID_SELF) {
    Object = ObjectOf(shared_from_this());
    return S_OK;
  }
  TTBItemViewer* v = Child > 0 ? CountedViewer(FView, Child) : nullptr;
  if (!v) return E_INVALIDARG;
  if (auto* ci = dynamic_cast<TTBControlItem*>(v->Item()))
    if (auto* wc = dynamic_cast<fw::TWinControl*>(ci->Control()); wc && wc->HandleAllocated()) return E_UNEXPECTED;
  Object = ObjectOf(ViewerAccObject(v));
  return S_OK;
}

HRESULT TTBViewAccObject::get_accName(fw::Integer Child, fw::WideString& Name) {
  Name.clear();
  if (HRESULT r = Check(Child); r != S_OK) return r;
  TTBView* pv = FView->ParentView();
  if (pv && pv->OpenViewer()) Name = win::Utf8ToWide(StripAccelChars(pv->OpenViewer()->GetCaptionText()));
  if (Name.empty()) Name = WindowText(FView->Window());
  return S_OK;
}

HRESULT TTBViewAccObject::get_accValue(fw::Integer Child, fw::WideString& Value) {
  Value.clear();
  if (HRESULT r = Check(Child); r != S_OK) return r;
  return S_FALSE;
}

HRESULT TTBViewAccObject::get_accRole(fw::Integer Child, fw::Integer& Role) {
  Role = 0;
  if (HRESULT r = Check(Child); r != S_OK) return r;
  Role = FView->GetAccRole();
  return S_OK;
}

HRESULT TTBViewAccObject::get_accState(fw::Integer Child, fw::Cardinal& State) {
  State = 0;
  return Check(Child);
}

HRESULT TTBViewAccObject::get_accKeyboardShortcut(fw::Integer Child, fw::WideString& Shortcut) {
  Shortcut.clear();
  if (HRESULT r = Check(Child); r != S_OK) return r;
  if (!(FView->Style() & tbvoMenuBar)) return S_FALSE;
  Shortcut = AltKeyName();
  return S_OK;
}

HRESULT TTBViewAccObject::get_accFocus(TTBAccVariant& Focus) {
  Focus = TTBAccVariant();
  return FView ? S_FALSE : E_FAIL;
}

HRESULT TTBViewAccObject::get_accDefaultAction(fw::Integer Child, fw::WideString& Action) {
  Action.clear();
  if (HRESULT r = Check(Child); r != S_OK) return r;
  return S_FALSE;
}

HRESULT TTBViewAccObject::accSelect(fw::Integer, fw::Integer Child) {
  if (HRESULT r = Check(Child); r != S_OK) return r;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT TTBViewAccObject::accLocation(fw::Integer& Left, fw::Integer& Top, fw::Integer& Width, fw::Integer& Height,
                                      fw::Integer Child) {
  Left = Top = Width = Height = 0;
  if (HRESULT r = Check(Child); r != S_OK) return r;
  if (!FView->Window() || !FView->Window()->HandleAllocated()) return S_OK;
  win::RECT wr{};
  win::GetWindowRect(FView->Window()->Handle(), &wr);
  Left = wr.left, Top = wr.top, Width = wr.right - wr.left, Height = wr.bottom - wr.top;
  return S_OK;
}

HRESULT TTBViewAccObject::accNavigate(fw::Integer NavDir, fw::Integer Start, TTBAccVariant& End) {
  End = TTBAccVariant();
  if (HRESULT r = Check(Start); r != S_OK) return r;
  TTBItemViewer* found = nullptr;
  if (NavDir == NAVDIR_FIRSTCHILD) {
    found = CountedViewer(FView, 1);
  } else if (NavDir == NAVDIR_LASTCHILD) {
    for (fw::Integer i = FView->ViewerCount() - 1; i >= 0 && !found; --i)
      if (Counted(FView->Viewers(i))) found = FView->Viewers(i);
  }
  if (!found) return S_FALSE;
  End = ObjectOf(ViewerAccObject(found));
  return S_OK;
}

HRESULT TTBViewAccObject::accHitTest(fw::Integer X, fw::Integer Y, TTBAccVariant& Hit) {
  Hit = TTBAccVariant();
  if (!FView) return E_FAIL;
  fw::TWinControl* w = FView->Window();
  if (!w || !w->HandleAllocated()) return S_FALSE;
  win::RECT wr{};
  win::GetWindowRect(w->Handle(), &wr);
  win::POINT p{X, Y};
  if (!win::PtInRect(&wr, p)) return S_FALSE;
  win::POINT c = p;
  win::ScreenToClient(w->Handle(), &c);
  win::HWND child = win::ChildWindowFromPointEx(w->Handle(), c, win::CWP_SKIPINVISIBLE);
  if (child && child != w->Handle()) return E_UNEXPECTED;
  if (TTBItemViewer* v = FView->ViewerFromPoint(c)) {
    Hit = ObjectOf(ViewerAccObject(v));
    return S_OK;
  }
  Hit = Self();
  return S_OK;
}

HRESULT TTBViewAccObject::accDoDefaultAction(fw::Integer Child) {
  if (HRESULT r = Check(Child); r != S_OK) return r;
  return S_FALSE;
}

// ---- item viewer object ----

TTBItemViewerAccObject::~TTBItemViewerAccObject() {
  if (FViewer && FViewer->FAccObject == this) FViewer->FAccObject = nullptr;
}

HRESULT TTBItemViewerAccObject::Check(fw::Integer Child) const {
  if (!FViewer) return E_FAIL;
  return Child == CHILDID_SELF ? S_OK : E_INVALIDARG;
}

bool TTBItemViewerAccObject::CanActOn() const {
  return FViewer && Counted(FViewer) && FViewer->Item()->Enabled() &&
         (FViewer->Item()->ItemStyle() & tbisSelectable) && IsAccessibleWindowAvailable(FViewer->View());
}

HRESULT TTBItemViewerAccObject::get_accParent(TTBAccVariant& Parent) {
  Parent = TTBAccVariant();
  if (!FViewer) return E_FAIL;
  Parent = ObjectOf(FViewer->View()->GetAccObject());
  return S_OK;
}

HRESULT TTBItemViewerAccObject::get_accChildCount(fw::Integer& Count) {
  Count = 0;
  if (!FViewer) return E_FAIL;
  Count = FViewer->View()->OpenViewer() == FViewer ? 1 : 0;
  return S_OK;
}

HRESULT TTBItemViewerAccObject::get_accChild(fw::Integer Child, TTBAccVariant& Object) {
  Object = TTBAccVariant();
  if (!FViewer) return E_FAIL;
  if (Child == CHILDID_SELF) {
    Object = ObjectOf(shared_from_this());
    return S_OK;
  }
  TTBView* open = FViewer->View()->OpenViewer() == FViewer ? FViewer->View()->OpenViewerView() : nullptr;
  if (Child == 1 && open) {
    Object = ObjectOf(open->GetAccObject());
    return S_OK;
  }
  return E_INVALIDARG;
}

HRESULT TTBItemViewerAccObject::get_accName(fw::Integer Child, fw::WideString& Name) {
  Name.clear();
  if (HRESULT r = Check(Child); r != S_OK) return r;
  String name = StripAccelChars(FViewer->GetCaptionText());
  if (!FViewer->IsToolbarStyle()) {
    String shortcut = FViewer->Item()->GetShortCutText();
    if (!shortcut.empty()) name += "\t" + shortcut;
  }
  Name = win::Utf8ToWide(name);
  return S_OK;
}

HRESULT TTBItemViewerAccObject::get_accValue(fw::Integer Child, fw::WideString& Value) {
  Value.clear();
  if (HRESULT r = Check(Child); r != S_OK) return r;
  return FViewer->GetAccValue(Value) ? S_OK : S_FALSE;
}

HRESULT TTBItemViewerAccObject::get_accRole(fw::Integer Child, fw::Integer& Role) {
  Role = 0;
  if (HRESULT r = Check(Child); r != S_OK) return r;
  Role = FViewer->GetAccRole();
  return S_OK;
}

HRESULT TTBItemViewerAccObject::get_accState(fw::Integer Child, fw::Cardinal& State) {
  State = 0;
  if (HRESULT r = Check(Child); r != S_OK) return r;
  TTBView* view = FViewer->View();
  TTBCustomItem* item = FViewer->Item();
  if (view->Selected() == FViewer) {
    State |= STATE_SYSTEM_HOTTRACKED;
    if (view->State() & tbvsModal) State |= STATE_SYSTEM_FOCUSED;
    if (view->MouseOverSelected() && view->Capture()) State |= STATE_SYSTEM_PRESSED;
  }
  if (item->ItemStyle() & tbisSubmenu) State |= STATE_SYSTEM_HASPOPUP;
  if (!FViewer->Show() && !FViewer->Clipped())
    State |= STATE_SYSTEM_INVISIBLE;
  else if (IsAccessibleWindowAvailable(view))
    State |= STATE_SYSTEM_FOCUSABLE;
  if (!item->Enabled() || !(item->ItemStyle() & tbisSelectable)) State |= STATE_SYSTEM_UNAVAILABLE;
  if (item->Checked()) State |= STATE_SYSTEM_CHECKED;
  return S_OK;
}

HRESULT TTBItemViewerAccObject::get_accKeyboardShortcut(fw::Integer Child, fw::WideString& Shortcut) {
  Shortcut.clear();
  if (HRESULT r = Check(Child); r != S_OK) return r;
  char16_t accel = FViewer->CaptionShown() ? FindAccelChar(FViewer->GetCaptionText()) : 0;
  if (accel == 0) return S_FALSE;
  Shortcut = fw::WideString(1, win::ToLowerChar(accel));
  if (FViewer->View()->IsToolbar() && !FViewer->View()->IsPopup()) Shortcut = AltKeyName() + u"+" + Shortcut;
  return S_OK;
}

HRESULT TTBItemViewerAccObject::get_accFocus(TTBAccVariant& Focus) {
  Focus = TTBAccVariant();
  if (!FViewer) return E_FAIL;
  if ((FViewer->View()->State() & tbvsModal) && FViewer->View()->Selected() == FViewer) {
    Focus = Self();
    return S_OK;
  }
  return S_FALSE;
}

HRESULT TTBItemViewerAccObject::get_accDefaultAction(fw::Integer Child, fw::WideString& Action) {
  Action.clear();
  if (HRESULT r = Check(Child); r != S_OK) return r;
  if (!CanActOn()) return S_FALSE;
  TTBView* view = FViewer->View();
  if (view->OpenViewer() == FViewer)
    Action = u"Close";
  else if (FViewer->Item()->ItemStyle() & tbisSubmenu)
    Action = u"Open";
  else if (view->IsPopup() || (view->Style() & tbvoMenuBar))
    Action = u"Execute";
  else
    Action = u"Press";
  return S_OK;
}

HRESULT TTBItemViewerAccObject::accSelect(fw::Integer Flags, fw::Integer Child) {
  if (HRESULT r = Check(Child); r != S_OK) return r;
  if (Flags != SELFLAG_TAKEFOCUS) return E_INVALIDARG;
  TTBView* view = FViewer->View();
  if (!IsAccessibleWindowAvailable(view) || !(FViewer->Show() || FViewer->Clipped())) return E_FAIL;
  view->SetSelected(FViewer);
  view->ScrollSelectedIntoView();
  if (!(view->State() & tbvsModal) && !view->ParentView()) {
    InstallViewerCallHandler();
    detail::PostCall(FViewer, kPostSelect);
  }
  return S_OK;
}

HRESULT TTBItemViewerAccObject::accLocation(fw::Integer& Left, fw::Integer& Top, fw::Integer& Width,
                                            fw::Integer& Height, fw::Integer Child) {
  Left = Top = Width = Height = 0;
  if (HRESULT r = Check(Child); r != S_OK) return r;
  TRect r = FViewer->ScreenBoundsRect();
  Left = r.left, Top = r.top, Width = r.right - r.left, Height = r.bottom - r.top;
  return S_OK;
}

HRESULT TTBItemViewerAccObject::accNavigate(fw::Integer NavDir, fw::Integer Start, TTBAccVariant& End) {
  End = TTBAccVariant();
  if (HRESULT r = Check(Start); r != S_OK) return r;
  TTBView* view = FViewer->View();
  if (NavDir == NAVDIR_FIRSTCHILD || NavDir == NAVDIR_LASTCHILD) {
    if (view->OpenViewer() == FViewer && view->OpenViewerView()) {
      End = ObjectOf(view->OpenViewerView()->GetAccObject());
      return S_OK;
    }
    return S_FALSE;
  }
  const fw::Integer at = view->IndexOf(FViewer);
  if (at < 0) return S_FALSE;
  fw::Integer step = 0;
  if (NavDir == NAVDIR_UP || NavDir == NAVDIR_LEFT || NavDir == NAVDIR_PREVIOUS) step = -1;
  if (NavDir == NAVDIR_DOWN || NavDir == NAVDIR_RIGHT || NavDir == NAVDIR_NEXT) step = 1;
  if (step == 0) return S_FALSE;
  for (fw::Integer i = at + step; i >= 0 && i < view->ViewerCount(); i += step)
    if (Counted(view->Viewers(i))) {
      End = ObjectOf(ViewerAccObject(view->Viewers(i)));
      return S_OK;
    }
  return S_FALSE;
}

HRESULT TTBItemViewerAccObject::accHitTest(fw::Integer X, fw::Integer Y, TTBAccVariant& Hit) {
  Hit = TTBAccVariant();
  if (!FViewer) return E_FAIL;
  TRect r = FViewer->ScreenBoundsRect();
  win::POINT p{X, Y};
  if (!win::PtInRect(&r, p)) return S_FALSE;
  Hit = Self();
  return S_OK;
}

HRESULT TTBItemViewerAccObject::accDoDefaultAction(fw::Integer Child) {
  if (HRESULT r = Check(Child); r != S_OK) return r;
  if (!CanActOn()) return E_FAIL;
  TTBView* view = FViewer->View();
  if (view->OpenViewer() == FViewer) {
    view->CloseChildPopups();
    if (view->IsToolbar() && (view->State() & tbvsModal)) view->EndModal();
    return S_OK;
  }
  view->SetSelected(FViewer);
  view->ScrollSelectedIntoView();
  InstallViewerCallHandler();
  detail::PostCall(FViewer, kPostExecute);
  return S_OK;
}

}  // namespace toolbars
