// TPageControl and TTabSheet: the list of pages, which one shows, the tab strip we draw, and the
// mouse and keys that change pages.

#include "framework/PageControl.h"

#include <algorithm>

#include "framework/Forms.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsObjects.h"
#include "framework/SysUtils.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/Window.h"

namespace fw {
namespace {
constexpr Integer kTabPadding = 8;  // left and right of a tab's caption
constexpr Integer kStripIndent = 2;  // the first tab's distance from the left edge
constexpr Integer kRaise = 2;        // how much higher the active tab stands
constexpr Integer kFrame = 2;        // the frame around the page area
}  // namespace

// ---- TTabSheet ----

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  FAlign = alClient;
  FVisible = false;
  FControlStyle.Include(csAcceptsControls);
}

TTabSheet::~TTabSheet() {
  if (FPageControl != nullptr) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* APageControl) {
  if (FPageControl == APageControl) return;
  if (FPageControl != nullptr) FPageControl->RemovePage(this);
  SetParent(APageControl);
  if (APageControl != nullptr) APageControl->InsertPage(this);
}

Integer TTabSheet::PageIndex() const {
  if (FPageControl == nullptr) return -1;
  const auto& pages = FPageControl->FPages;
  return Integer(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(Integer Value) {
  if (FPageControl != nullptr) FPageControl->MovePage(this, Value);
}

void TTabSheet::CMTextChanged(TMessage& Message) {
  TWinControl::CMTextChanged(Message);
  if (FPageControl != nullptr) FPageControl->Invalidate();
}

// ---- TPageControl ----

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner), FMeasure(std::make_unique<TBitmap>()) {
  FWidth = 289;
  FHeight = 193;
  FTabStop = true;
  FColor = clBtnFace;
  FParentColor = false;
  FControlStyle.Include(csAcceptsControls);
  FControlStyle.Include(csOpaque);
  FMeasure->SetSize(1, 1);
}

TPageControl::~TPageControl() {
  // The pages outlive this list while the base destroys its children.
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(Integer Index) const {
  if (Index < 0 || Index >= PageCount()) throw EListError(Format("List index out of bounds (%d)", Index));
  return FPages[size_t(Index)];
}

Integer TPageControl::ActivePageIndex() const { return FActivePage != nullptr ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(Integer Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? FPages[size_t(Value)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page != nullptr && Page->FPageControl != this) return;
  if (Page == FActivePage) return;
  // The focus must not hide with the page holding it: it moves to the tabs.
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && FActivePage != nullptr && FActivePage->ContainsControl(form->ActiveControl()) && CanFocus())
    form->SetActiveControl(this);
  FActivePage = Page;
  ShowOnly(Page);
  Invalidate();
}

void TPageControl::ShowOnly(TTabSheet* Page) {
  // The new page shows before the old one hides, so the area never lies bare.
  if (Page != nullptr) {
    Page->SetVisible(true);
    Page->BringToFront();
  }
  for (TTabSheet* p : FPages)
    if (p != Page) p->SetVisible(false);
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  if (FActivePage == nullptr)
    SetActivePage(Page);
  else
    Page->SetVisible(false);
  Invalidate();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end()) return;
  TTabSheet* next = nullptr;
  if (FPages.size() > 1) next = it + 1 != FPages.end() ? *(it + 1) : FPages.front();
  FPages.erase(it);
  Page->FPageControl = nullptr;
  if (Page == FActivePage) {
    FActivePage = nullptr;
    SetActivePage(next);
  }
  Invalidate();
}

void TPageControl::MovePage(TTabSheet* Page, Integer NewIndex) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end()) return;
  FPages.erase(it);
  NewIndex = std::clamp(NewIndex, Integer(0), Integer(FPages.size()));
  FPages.insert(FPages.begin() + NewIndex, Page);
  Invalidate();
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

void TPageControl::ChangeActivePage(TTabSheet* Page) {
  if (Page == FActivePage || !CanChange()) return;
  SetActivePage(Page);
  Change();
}

void TPageControl::SelectNextPage(bool GoForward) {
  const Integer count = PageCount();
  if (count == 0) return;
  const Integer current = ActivePageIndex();
  Integer next;
  if (current < 0)
    next = GoForward ? 0 : count - 1;
  else
    next = (current + (GoForward ? 1 : count - 1)) % count;
  ChangeActivePage(FPages[size_t(next)]);
}

Integer TPageControl::TextWidth(const String& Text) {
  FMeasure->Canvas()->Font()->Assign(Font());
  return FMeasure->Canvas()->TextWidth(Text);
}

Integer TPageControl::TabHeight() {
  FMeasure->Canvas()->Font()->Assign(Font());
  return FMeasure->Canvas()->TextHeight("Ag") + 6 + kRaise;
}

TRect TPageControl::TabRect(Integer Index) {
  if (Index < 0 || Index >= PageCount()) return TRect{0, 0, 0, 0};
  Integer x = kStripIndent;
  for (Integer i = 0; i < Index; ++i) x += TextWidth(FPages[size_t(i)]->Caption()) + 2 * kTabPadding;
  return Rect(x, 0, x + TextWidth(FPages[size_t(Index)]->Caption()) + 2 * kTabPadding, TabHeight());
}

Integer TPageControl::IndexOfTabAt(Integer X, Integer Y) {
  for (Integer i = 0; i < PageCount(); ++i) {
    const TRect r = TabRect(i);
    if (X >= r.left && X < r.right && Y >= r.top && Y < r.bottom) return i;
  }
  return -1;
}

TRect TPageControl::DisplayRect() {
  const TRect c = ClientRect();
  TRect r = Rect(c.left + kFrame, c.top + TabHeight() + kFrame, c.right - kFrame, c.bottom - kFrame);
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  return r;
}

void TPageControl::AlignControls(TControl* AControl, TRect& Rect) {
  Rect = DisplayRect();
  TCustomControl::AlignControls(AControl, Rect);
}

void TPageControl::Paint() {
  TCanvas* c = Canvas();
  const TRect client = ClientRect();
  const Integer strip = TabHeight();
  c->Brush()->SetColor(Color());
  c->FillRect(client);

  // The raised frame of the page area: light on the top and left, shadow on the bottom and right.
  const Integer l = client.left, t = strip, r = client.right - 1, b = client.bottom - 1;
  c->Pen()->SetColor(clBtnHighlight);
  c->MoveTo(l, b);
  c->LineTo(l, t);
  c->LineTo(r, t);
  c->Pen()->SetColor(clBtnShadow);
  c->LineTo(r, b);
  c->LineTo(l - 1, b);

  c->Font()->Assign(Font());
  c->Brush()->SetStyle(bsClear);
  for (Integer i = 0; i < PageCount(); ++i) {
    TRect tab = TabRect(i);
    const bool active = FPages[size_t(i)] == FActivePage;
    if (!active) tab.top += kRaise;
    if (active) {
      // The active tab opens into the page area: no frame line under it.
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(Color());
      c->FillRect(Rect(tab.left + 1, tab.bottom - 1, tab.right - 1, tab.bottom + 1));
      c->Brush()->SetStyle(bsClear);
    }
    c->Pen()->SetColor(clBtnHighlight);
    c->MoveTo(tab.left, active ? tab.bottom : tab.bottom - 1);
    c->LineTo(tab.left, tab.top);
    c->LineTo(tab.right - 1, tab.top);
    c->Pen()->SetColor(clBtnShadow);
    c->LineTo(tab.right - 1, active ? tab.bottom : tab.bottom - 1);
    c->TextOut(tab.left + kTabPadding, tab.top + 3, FPages[size_t(i)]->Caption());
  }
  c->Brush()->SetStyle(bsSolid);
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const Integer index = IndexOfTabAt(X, Y);
  if (index < 0) return;
  if (CanFocus()) SetFocus();
  ChangeActivePage(FPages[size_t(index)]);
}

void TPageControl::CMDialogKey(TMessage& Message) {
  const TShiftState shift = KeyDataToShiftState(Message.LParam);
  if (Message.WParam == win::VK_TAB && shift.Contains(ssCtrl) && HandleAllocated() &&
      (Focused() || win::IsChild(Handle(), win::GetFocus()))) {
    SelectNextPage(!shift.Contains(ssShift));
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogKey(Message);
}

void TPageControl::CMFontChanged(TMessage& Message) {
  TCustomControl::CMFontChanged(Message);
  Realign();
  Invalidate();
}

}  // namespace fw
