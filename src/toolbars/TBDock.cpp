#include "toolbars/TBDock.h"

#include <algorithm>

#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBDockRows.h"
#include "toolbars/TBDockableWindow.h"

namespace toolbars {

TTBDockType GetDockTypeOf(const TTBDock* Control, bool Floating) {
  if (Floating) return dtFloating;
  if (!Control) return dtNotDocked;
  return (Control->Position() == dpLeft || Control->Position() == dpRight) ? dtLeftRight : dtTopBottom;
}

namespace {

bool IsLeftRight(TTBDockPosition P) { return P == dpLeft || P == dpRight; }

fw::TAlign AlignOf(TTBDockPosition P) {
  switch (P) {
    case dpTop: return fw::alTop;
    case dpBottom: return fw::alBottom;
    case dpLeft: return fw::alLeft;
    case dpRight: return fw::alRight;
  }
  return fw::alTop;
}

bool Has(TTBDockBoundLines Lines, TTBDockBoundLine L) { return (Lines & (1u << L)) != 0; }

}  // namespace

TTBDock::TTBDock(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {
  fw::TControlStyle style = ControlStyle();
  style += fw::TControlStyle{fw::csAcceptsControls, fw::csMenuEvents};
  style -= fw::TControlStyle{fw::csCaptureMouse, fw::csClickEvents, fw::csOpaque};
  SetControlStyle(style);
  SetColor(fw::clBtnFace);
  SetAlign(fw::alTop);
}

TTBDock::~TTBDock() {
  if (FBackground) FBackground->UnregisterChanges(this);
  // Windows that still name this dock forget it before it goes. Those still on it are freed
  // with its children after this dock's lists are gone, so they must not reach back into it.
  for (TTBCustomDockableWindow* w : std::vector<TTBCustomDockableWindow*>(FDockList)) {
    if (w->FLastDock == this) w->FLastDock = nullptr;
    if (w->FDefaultDock == this) w->FDefaultDock = nullptr;
  }
  for (Integer i = 0; i < ControlCount(); ++i)
    if (auto* w = dynamic_cast<TTBCustomDockableWindow*>(Controls(i)); w && w->FCurrentDock == this) {
      w->FCurrentDock = nullptr;
      w->FDocked = false;
      if (w->FLastDock == this) w->FLastDock = nullptr;
    }
}

// ---- properties ----

void TTBDock::SetAllowDrag(bool Value) {
  if (FAllowDrag == Value) return;
  FAllowDrag = Value;
  for (Integer i = 0; i < ControlCount(); ++i)
    if (auto* w = dynamic_cast<TTBCustomDockableWindow*>(Controls(i))) w->RecalcNCArea();
}

void TTBDock::SetBackground(TTBBasicBackground* Value) {
  if (FBackground == Value) return;
  if (FBackground) FBackground->UnregisterChanges(this);
  FBackground = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->RegisterChanges(this, [this] { InvalidateBackgrounds(); });
  }
  InvalidateBackgrounds();
}

void TTBDock::SetBackgroundOnToolbars(bool Value) {
  if (FBackgroundOnToolbars == Value) return;
  FBackgroundOnToolbars = Value;
  InvalidateBackgrounds();
}

void TTBDock::SetBoundLines(TTBDockBoundLines Value) {
  if (FBoundLines == Value) return;
  FBoundLines = Value;
  FNonClientWidth = Integer(Has(Value, blLeft)) + Integer(Has(Value, blRight));
  FNonClientHeight = Integer(Has(Value, blTop)) + Integer(Has(Value, blBottom));
  if (HandleAllocated())
    win::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                      win::SWP_FRAMECHANGED | win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOZORDER |
                          win::SWP_NOACTIVATE);
}

void TTBDock::SetFixAlign(bool Value) {
  FFixAlign = Value;
  ArrangeToolbars();
}

void TTBDock::SetLimitToOneRow(bool Value) {
  FLimitToOneRow = Value;
  ArrangeToolbars();
}

void TTBDock::SetPosition(TTBDockPosition Value) {
  if (FPosition == Value) return;
  if (ControlCount() > 0)
    throw fw::EInvalidOperation("Cannot change Position of a TTBDock if it already contains controls");
  FPosition = Value;
  SetAlign(AlignOf(Value));
}

void TTBDock::SetParent(fw::TWinControl* AParent) {
  if (dynamic_cast<TTBCustomDockableWindow*>(AParent) || dynamic_cast<TTBDock*>(AParent))
    throw fw::EInvalidOperation("A TTBDock control cannot be placed inside a tool window or another TTBDock");
  fw::TCustomControl::SetParent(AParent);
}

void TTBDock::InvalidateBackgrounds() {
  Invalidate();
  for (TTBCustomDockableWindow* w : FDockVisibleList)
    if (w->HandleAllocated())
      win::RedrawWindow(w->Handle(), nullptr, nullptr,
                        win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME | win::RDW_ALLCHILDREN);
}

// ---- lists ----

void TTBDock::BeginUpdate() { ++FDisableArrangeToolbars; }

void TTBDock::EndUpdate() {
  if (FDisableArrangeToolbars > 0 && --FDisableArrangeToolbars == 0 && FArrangeToolbarsNeeded) ArrangeToolbars();
}

bool TTBDock::ToolbarVisibleOnDock(const TTBCustomDockableWindow* AToolbar) const {
  return AToolbar->Parent() == this && AToolbar->Visible();
}

bool TTBDock::HasVisibleToolbars() const {
  return std::any_of(FDockList.begin(), FDockList.end(),
                     [&](const TTBCustomDockableWindow* w) { return ToolbarVisibleOnDock(w); });
}

void TTBDock::ChangeDockList(bool Insert, TTBCustomDockableWindow* Bar) {
  auto it = std::find(FDockList.begin(), FDockList.end(), Bar);
  if (Insert) {
    if (it == FDockList.end()) {
      FDockList.push_back(Bar);
      Bar->FreeNotification(this);
    }
  } else if (it != FDockList.end()) {
    FDockList.erase(it);
  }
  ChangeDockVisibleList(Bar, false);
}

void TTBDock::ChangeDockVisibleList(TTBCustomDockableWindow* Bar, bool Removing) {
  const bool belongs = !Removing && ToolbarVisibleOnDock(Bar) &&
                       std::find(FDockList.begin(), FDockList.end(), Bar) != FDockList.end();
  auto it = std::find(FDockVisibleList.begin(), FDockVisibleList.end(), Bar);
  const bool listed = it != FDockVisibleList.end();
  if (belongs == listed) return;
  if (belongs)
    FDockVisibleList.push_back(Bar);
  else
    FDockVisibleList.erase(it);
  ArrangeToolbars();
  if (OnInsertRemoveBar) OnInsertRemoveBar(this, belongs, Bar);
}

void TTBDock::CommitPositions() {
  for (TTBCustomDockableWindow* w : FDockVisibleList) {
    w->FDockRow = w->FEffectiveDockRow;
    w->FDockPos = w->FEffectiveDockPos;
  }
}

Integer TTBDock::GetHighestRow(bool UseEffective) const {
  Integer highest = -1;
  for (const TTBCustomDockableWindow* w : FDockList)
    highest = std::max(highest, UseEffective ? w->FEffectiveDockRow : w->FDockRow);
  return highest;
}

Integer TTBDock::GetRowSize(Integer Row, bool& FullSizeRow) const {
  FullSizeRow = false;
  if (Row < 0) return 0;
  Integer size = 0;
  for (const TTBCustomDockableWindow* w : FDockList) {
    if (w->FEffectiveDockRow != Row || !ToolbarVisibleOnDock(w)) continue;
    size = std::max(size, IsLeftRight(FPosition) ? w->Width() : w->Height());
    FullSizeRow = w->FullSize();
  }
  return size;
}

Integer TTBDock::GetMinRowSize(Integer Row, const TTBCustomDockableWindow* ExcludeWindow) const {
  if (Row < 0) return 0;
  Integer size = 0;
  for (const TTBCustomDockableWindow* w : FDockList)
    if (w != ExcludeWindow && w->FEffectiveDockRow == Row && ToolbarVisibleOnDock(w))
      size = std::max(size, w->FRowThickness);
  return size;
}

Integer TTBDock::GetDesignModeRowOf(Integer Pos) const {
  const Integer highest = GetHighestRow(true);
  Integer sum = 0;
  for (Integer row = 0; row <= highest + 1; ++row) {
    bool fullSize = false;
    sum += GetRowSize(row, fullSize);
    if (sum > Pos) return row;
  }
  return highest + 1;
}

void TTBDock::ChangeWidthHeight(Integer NewWidth, Integer NewHeight) {
  switch (Align()) {
    case fw::alBottom: SetBounds(Left(), Top() - (NewHeight - Height()), NewWidth, NewHeight); break;
    case fw::alRight: SetBounds(Left() - (NewWidth - Width()), Top(), NewWidth, NewHeight); break;
    case fw::alNone:
    case fw::alTop:
    case fw::alLeft: SetBounds(Left(), Top(), NewWidth, NewHeight); break;
    default: break;
  }
}

// ---- arrangement ----

bool TTBDock::Accepts(TTBCustomDockableWindow* /*AWindow*/) { return FAllowDrag; }

void TTBDock::DrawBackground(win::HDC DC, const TRect& DrawRect) {
  if (FBackground) FBackground->Draw(DC, DrawRect);
}

bool TTBDock::UsingBackground() { return FBackground && FBackground->UsingBackground(); }

win::HPALETTE TTBDock::GetPalette() { return UsingBackground() ? FBackground->GetPalette() : nullptr; }

void TTBDock::AlignControls(fw::TControl* /*AControl*/, TRect& /*Rect*/) { ArrangeToolbars(); }

void TTBDock::Loaded() {
  fw::TCustomControl::Loaded();
  ArrangeToolbars();
}

void TTBDock::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TCustomControl::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  if (AComponent == FBackground) FBackground = nullptr;
  auto* w = dynamic_cast<TTBCustomDockableWindow*>(AComponent);
  if (!w) return;
  std::erase(FDockList, w);
  std::erase(FDockVisibleList, w);
}

void TTBDock::ArrangeToolbars() {
  if (FDisableArrangeToolbars > 0 || ComponentState().Contains(fw::csLoading)) {
    FArrangeToolbarsNeeded = true;
    return;
  }
  ++FDisableArrangeToolbars;
  struct TEnd {
    TTBDock* Dock;
    ~TEnd() {
      --Dock->FDisableArrangeToolbars;
      Dock->FArrangeToolbarsNeeded = false;
      Dock->FCommitNewPositions = false;
    }
  } end{this};

  const bool leftRight = IsLeftRight(FPosition);
  if (!HasVisibleToolbars()) {
    const Integer thickness = FFixAlign ? 1 : 0;
    if (leftRight)
      ChangeWidthHeight(thickness, Height());
    else
      ChangeWidthHeight(Width(), thickness);
    return;
  }
  const Integer rowSpace = std::max(0, leftRight ? Height() - FNonClientHeight : Width() - FNonClientWidth);

  auto destroying = [](const TTBCustomDockableWindow* w) { return w->ComponentState().Contains(fw::csDestroying); };
  std::erase_if(FDockList, destroying);
  std::erase_if(FDockVisibleList, destroying);
  if (FLimitToOneRow)
    for (TTBCustomDockableWindow* w : FDockList) w->FDockRow = 0;

  auto byRowPos = [](const TTBCustomDockableWindow* a, const TTBCustomDockableWindow* b) {
    return a->FDockRow != b->FDockRow ? a->FDockRow < b->FDockRow : a->FDockPos < b->FDockPos;
  };
  std::vector<TTBCustomDockableWindow*> sorted = FDockList;
  std::stable_sort(sorted.begin(), sorted.end(), byRowPos);
  if (FDragWindow && FKeepDragIndex) {
    auto old = std::find(FDockList.begin(), FDockList.end(), FDragWindow);
    if (old != FDockList.end()) {
      std::erase(sorted, FDragWindow);
      sorted.insert(sorted.begin() + (old - FDockList.begin()), FDragWindow);
    }
  }
  std::stable_sort(FDockVisibleList.begin(), FDockVisibleList.end(), byRowPos);

  // Measure and lay the rows out.
  const TTBDockType dockType = leftRight ? dtLeftRight : dtTopBottom;
  std::vector<TDockRowBar> bars(sorted.size());
  for (size_t i = 0; i < sorted.size(); ++i) {
    TTBCustomDockableWindow* w = sorted[i];
    TDockRowBar& b = bars[i];
    b.DockRow = w->FDockRow;
    b.DockPos = w->FDockPos;
    b.Visible = ToolbarVisibleOnDock(w);
    b.InsertRowBefore = w->FInsertRowBefore;
    b.FullSize = w->FullSize();
    b.Stretch = w->Stretch();
    b.Dragged = w == FDragWindow;
    if (!b.Visible) continue;
    TPoint base{}, nc{};
    w->GetBaseSize(base);
    w->GetDockedNCAreaSize(nc);
    b.FullLength = leftRight ? base.y + nc.y : base.x + nc.x;
    b.ShrinkMode = w->GetShrinkMode();
    Integer minLength = 0;
    w->GetMinShrinkSize(minLength);
    b.MinLength = minLength;
  }
  const TDockRowsResult rows = ArrangeDockRows(bars, rowSpace, FLimitToOneRow);
  if (rows.DragSplitting) FDragSplitting = true;

  for (size_t i = 0; i < sorted.size(); ++i) {
    sorted[i]->FEffectiveDockRow = bars[i].Row;
    sorted[i]->FEffectiveDockPos = bars[i].Pos;
    if (FCommitNewPositions) {
      sorted[i]->FDockRow = bars[i].Row;
      sorted[i]->FDockPos = bars[i].Pos;
    }
  }
  if (FCommitNewPositions) FDockList = sorted;

  // Bounds, row by row across the dock.
  Integer offset = 0;
  for (Integer row = 0; row <= rows.HighestRow; ++row) {
    std::vector<size_t> cells;
    std::vector<bool> needsArrange;
    Integer rowThickness = 0;
    for (size_t i = 0; i < sorted.size(); ++i) {
      if (!bars[i].Visible || bars[i].Row != row) continue;
      TTBCustomDockableWindow* w = sorted[i];
      const Integer newSize = bars[i].Length >= bars[i].FullLength ? 0 : bars[i].Length;
      TPoint size{};
      bool relaid = false;
      if (bars[i].ShrinkMode != tbsmNone && newSize != w->FCurrentSize) {
        w->FCurrentSize = newSize;
        size = w->OrderControls(false, dockType, this);
        relaid = true;
      } else if (bars[i].ShrinkMode == tbsmWrap && newSize != 0) {
        size = TPoint{w->ClientWidth(), w->ClientHeight()};
      } else {
        w->FCurrentSize = newSize;
        w->GetBaseSize(size);
      }
      const Integer thickness = leftRight ? size.x : size.y;
      w->FRowThickness = thickness;
      rowThickness = std::max(rowThickness, thickness);
      cells.push_back(i);
      needsArrange.push_back(relaid);
    }
    if (rowThickness != 0) rowThickness += 4;
    for (size_t k = 0; k < cells.size(); ++k) {
      TTBCustomDockableWindow* w = sorted[cells[k]];
      const TDockRowBar& b = bars[cells[k]];
      ++w->FUpdatingBounds;
      try {
        if (leftRight)
          w->SetBounds(offset, b.Pos, rowThickness, b.Length);
        else
          w->SetBounds(b.Pos, offset, b.Length, rowThickness);
      } catch (...) {
        --w->FUpdatingBounds;
        throw;
      }
      --w->FUpdatingBounds;
      if (needsArrange[k]) w->Arrange();
    }
    offset += rowThickness;
  }
  for (TTBCustomDockableWindow* w : sorted) w->FInsertRowBefore = false;

  if (leftRight)
    ChangeWidthHeight(FNonClientWidth + offset, Height());
  else
    ChangeWidthHeight(Width(), FNonClientHeight + offset);
}

// ---- painting and messages ----

void TTBDock::CreateParams(fw::TCreateParams& Params) {
  fw::TCustomControl::CreateParams(Params);
  Params.WindowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

void TTBDock::Paint() {}

void TTBDock::DrawNCArea(win::HDC DC) {
  if (FBoundLines == 0 || !HasVisibleToolbars()) return;
  win::RECT wr{};
  win::GetWindowRect(Handle(), &wr);
  win::RECT r{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  win::HPEN shadow = win::CreatePen(win::PS_SOLID, 1, win::GetSysColor(win::COLOR_BTNSHADOW));
  win::HPEN highlight = win::CreatePen(win::PS_SOLID, 1, win::GetSysColor(win::COLOR_BTNHIGHLIGHT));
  win::HGDIOBJ oldPen = win::SelectObject(DC, shadow);
  if (Has(FBoundLines, blTop)) {
    win::MoveToEx(DC, r.left, r.top, nullptr);
    win::LineTo(DC, r.right, r.top);
    ++r.top;
  }
  if (Has(FBoundLines, blLeft)) {
    win::MoveToEx(DC, r.left, r.top, nullptr);
    win::LineTo(DC, r.left, r.bottom);
    ++r.left;
  }
  win::SelectObject(DC, highlight);
  if (Has(FBoundLines, blBottom)) {
    win::MoveToEx(DC, r.left, r.bottom - 1, nullptr);
    win::LineTo(DC, r.right, r.bottom - 1);
    --r.bottom;
  }
  if (Has(FBoundLines, blRight)) {
    win::MoveToEx(DC, r.right - 1, r.top, nullptr);
    win::LineTo(DC, r.right - 1, r.bottom);
    --r.right;
  }
  win::SelectObject(DC, oldPen);
  win::DeleteObject(shadow);
  win::DeleteObject(highlight);
  // The rest of the frame (what the lines leave of it) in the dock's colour.
  const TPoint origin = ClientToScreen(TPoint{0, 0});
  const Integer cx = origin.x - wr.left, cy = origin.y - wr.top;
  const int saved = win::SaveDC(DC);
  win::ExcludeClipRect(DC, cx, cy, cx + ClientWidth(), cy + ClientHeight());
  win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(fw::ColorToRGB(Color())));
  win::FillRect(DC, &r, brush);
  win::DeleteObject(brush);
  win::RestoreDC(DC, saved);
}

void TTBDock::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_NCCALCSIZE: {
      fw::TCustomControl::Dispatch(Message);
      auto* r = reinterpret_cast<win::RECT*>(Message.LParam);
      if (Has(FBoundLines, blTop)) ++r->top;
      if (Has(FBoundLines, blBottom)) --r->bottom;
      if (Has(FBoundLines, blLeft)) ++r->left;
      if (Has(FBoundLines, blRight)) --r->right;
      return;
    }
    case win::WM_NCPAINT: {
      win::HDC dc = win::GetWindowDC(Handle());
      SelectNCUpdateRgn(Handle(), dc, reinterpret_cast<win::HRGN>(Message.WParam));
      DrawNCArea(dc);
      win::ReleaseDC(Handle(), dc);
      Message.Result = 0;
      return;
    }
    case win::WM_MOVE:
      fw::TCustomControl::Dispatch(Message);
      if (UsingBackground()) InvalidateBackgrounds();
      return;
    case win::WM_PRINT:
      HandleWMPrint(
          Handle(), Message,
          [](win::HWND, win::HDC DC, void* AppData) { static_cast<TTBDock*>(AppData)->DrawNCArea(DC); }, this);
      return;
    case win::WM_PRINTCLIENT: HandleWMPrintClient(this, Message); return;
    case win::WM_ERASEBKGND:
      if (UsingBackground()) {
        auto dc = reinterpret_cast<win::HDC>(Message.WParam);
        TRect r = ClientRect();
        TRect anchored = r;
        anchored.left -= Left() + (Has(FBoundLines, blLeft) ? 1 : 0);
        anchored.top -= Top() + (Has(FBoundLines, blTop) ? 1 : 0);
        const int saved = win::SaveDC(dc);
        win::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        DrawBackground(dc, anchored);
        win::RestoreDC(dc, saved);
        Message.Result = 1;
        return;
      }
      break;
    case win::WM_SYSCOMMAND:
    case fw::CM_DIALOGKEY:
    case fw::CM_DIALOGCHAR:
      for (TTBCustomDockableWindow* w : std::vector<TTBCustomDockableWindow*>(FDockList)) {
        if (!w->ControlStyle().Contains(fw::csMenuEvents) || !w->Floating() || !w->Showing() || !w->Enabled())
          continue;
        Message.Result = w->Perform(Message.Msg, Message.WParam, Message.LParam);
        if (Message.Result != 0) return;
      }
      if (Message.Msg == win::WM_SYSCOMMAND) return;
      break;
    case fw::CM_SYSCOLORCHANGE:
      fw::TCustomControl::Dispatch(Message);
      if (FBackground) FBackground->SysColorChanged();
      return;
    default: break;
  }
  fw::TCustomControl::Dispatch(Message);
}

}  // namespace toolbars
