#include "tx/TxLists.h"

#include <algorithm>

#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsObjects.h"
#include "framework/ImageList.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Input.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysMetrics.h"
#include "toolbars/TBItemView.h"
#include "tx/TxUtils.h"
#include "tx/detail/TxCanvasDC.h"

namespace tx {

using namespace toolbars;

namespace {

constexpr Integer kWheelDelta = 120;

}  // namespace

// ---- list ------------------------------------------------------------------------------------

void TTxCustomList::SetItemIndex(Integer Value) {
  if (Value < 0) Value = -1;
  FItemIndex = Value;
  for (TTxCustomListViewer* v : std::vector<TTxCustomListViewer*>(FViewers)) v->SetHotIndex(Value);
  HandleChange();
}

void TTxCustomList::DoClearItem(fw::TCanvas* Canvas, TRect Rect, Integer Index, Integer HotIndex, bool& DrawDefault) {
  if (OnClearItem) OnClearItem(this, Canvas, Rect, Index, HotIndex, DrawDefault);
}

void TTxCustomList::DoDrawItem(fw::TCanvas* Canvas, TRect Rect, Integer Index, Integer HotIndex, bool& DrawDefault) {
  if (OnDrawItem) OnDrawItem(this, Canvas, Rect, Index, HotIndex, DrawDefault);
}

void TTxCustomList::DoMeasureHeight(fw::TCanvas* Canvas, Integer& Height) {
  if (OnMeasureHeight) OnMeasureHeight(this, Canvas, Height);
}

void TTxCustomList::DoMeasureWidth(fw::TCanvas* Canvas, Integer Index, Integer& Width) {
  if (OnMeasureWidth) OnMeasureWidth(this, Canvas, Index, Width);
}

Integer TTxCustomList::GetImageIndex(Integer Index) {
  Integer result = Index;
  if (OnAdjustImageIndex) OnAdjustImageIndex(this, Index, result);
  return result;
}

void TTxCustomList::HandleChange() {
  if (OnChange) OnChange(this);
}

std::u16string TTxCustomList::GetItemDisplayText(Integer Index) { return win::Utf8ToWide(GetItemText(Index)); }

void TTxCustomList::DrawItem(fw::TCanvas* Canvas, TTxCustomListViewer* Viewer, Integer HotIndex, Integer Index,
                             const TRect& Rect) {
  const bool hot = Index == HotIndex;
  win::HDC dc = detail::FontDC(Canvas);
  bool drawDefault = true;
  DoClearItem(Canvas, Rect, Index, HotIndex, drawDefault);
  if (drawDefault) FillRectColor(dc, Rect, hot ? fw::clHighlight : fw::clWindow);
  Canvas->Font()->SetColor(hot ? fw::clHighlightText : fw::clWindowText);
  drawDefault = true;
  DoDrawItem(Canvas, Rect, Index, HotIndex, drawDefault);
  if (!drawDefault) return;
  TRect r{Rect.left + 4, Rect.top - 1, Rect.right - 4, Rect.bottom + 1};
  fw::TCustomImageList* images = Viewer ? Viewer->GetImageList() : nullptr;
  const std::u16string text = GetItemDisplayText(Index);
  if (FShowImages && images) {
    const Integer top = (r.top + r.bottom - images->Height()) / 2;
    const Integer image = GetImageIndex(Index);
    if (image >= 0 && image < images->Count()) {
      if (Enabled())
        images->Draw(Canvas, r.left, top, image, true);
      else
        PaintThemedImage(Canvas, TRect{r.left, top, r.left + images->Width(), top + images->Height()}, images, image,
                         TIF_DISABLED);
    }
    r.left += images->Width() + (text.empty() ? 0 : 4);
  }
  dc = detail::FontDC(Canvas);
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, fw::ColorToRGB(Canvas->Font()->Color()));
  win::DrawTextW(dc, text.c_str(), int(text.size()), &r, win::DT_SINGLELINE | win::DT_VCENTER | win::DT_NOPREFIX);
}

TTBItemViewerClass TTxCustomList::GetItemViewerClass(TTBView* /*AView*/) {
  return TTBItemViewerClass::Of<TTxCustomListViewer>();
}

// ---- viewer ----------------------------------------------------------------------------------

TTxCustomListViewer::TTxCustomListViewer(TTBView* AView, TTBCustomItem* AItem, Integer AGroupLevel)
    : TTxItemViewer(AView, AItem, AGroupLevel) {
  TTxCustomList* list = List();
  FCount = list->GetCount();
  const Integer index = list->ItemIndex();
  if (index >= 0 && index < FCount) {
    FVisibleRows = std::min(FCount, list->MaxVisibleItems());
    if (index < FOffset) FOffset = index;
    if (index >= FOffset + FVisibleRows) FOffset = index - FVisibleRows + 1;
  }
  FHotIndex = index < FCount ? index : -1;
  list->FViewers.push_back(this);
}

TTxCustomListViewer::~TTxCustomListViewer() {
  auto& v = List()->FViewers;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

Integer TTxCustomListViewer::GetItemHeight(fw::TCanvas* Canvas) {
  Integer h = Canvas->TextHeight("Q") + 2;
  fw::TCustomImageList* images = GetImageList();
  if (List()->ShowImages() && images) h = std::max(h, images->Height() + 2);
  List()->DoMeasureHeight(Canvas, h);
  return h;
}

Integer TTxCustomListViewer::GetItemWidth(fw::TCanvas* Canvas, Integer Index) {
  const std::u16string text = List()->GetItemDisplayText(Index);
  win::SIZE extent{0, 0};
  win::GetTextExtentPoint32W(detail::FontDC(Canvas), text.c_str(), int(text.size()), &extent);
  Integer w = extent.cx + 8;
  fw::TCustomImageList* images = GetImageList();
  if (List()->ShowImages() && images) w += images->Width() + (text.empty() ? 0 : 4);
  List()->DoMeasureWidth(Canvas, Index, w);
  return w;
}

void TTxCustomListViewer::CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) {
  TTxCustomList* list = List();
  Canvas->Font()->Assign(View()->GetFont());
  FCount = list->GetCount();
  FItemHeight = GetItemHeight(Canvas);
  FVisibleRows = std::clamp<Integer>(FCount, 1, list->MaxVisibleItems());
  AHeight = FVisibleRows * FItemHeight;
  AWidth = 0;
  for (Integer i = 0; i < FCount; ++i) AWidth = std::max(AWidth, GetItemWidth(Canvas, i));
  FScrollBarWidth = FCount > FVisibleRows ? win::GetSystemMetrics(win::SM_CXVSCROLL) : 0;
  AWidth += FScrollBarWidth;
  AWidth = std::max(AWidth, list->MinWidth());
  if (list->MaxWidth() > list->MinWidth() && AWidth > list->MaxWidth()) AWidth = list->MaxWidth();
  FOffset = std::clamp<Integer>(FOffset, 0, std::max<Integer>(0, FCount - FVisibleRows));
}

void TTxCustomListViewer::EnsureScrollBar() {
  if (FScrollBar) return;
  FScrollBar = std::make_unique<TTxScrollBar>();
  FScrollBar->Kind = SBK_VERTICAL;
  FScrollBar->OnChange = [this](TTxScrollBar* Bar) {
    FOffset = Bar->Position();
    RedrawRows();
  };
  FScrollBar->OnRedrawRequest = [this](TTxScrollBar*) { RedrawScrollBar(); };
}

TTxScrollBar* TTxCustomListViewer::Bar() {
  if (FScrollBarWidth <= 0) return nullptr;
  EnsureScrollBar();
  FScrollBar->Range = FCount;
  FScrollBar->PageSize = FVisibleRows;
  FScrollBar->SetPosition(FOffset);
  return FScrollBar.get();
}

void TTxCustomListViewer::Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool /*IsSelected*/,
                                bool /*IsPushed*/, bool /*UseDisabledShadow*/) {
  if (FScrollBarWidth > 0) {
    EnsureScrollBar();
    FScrollBar->Bounds = TRect{ClientAreaRect.right - FScrollBarWidth, ClientAreaRect.top, ClientAreaRect.right,
                               ClientAreaRect.bottom};
    FScrollBar->Range = FCount;
    FScrollBar->PageSize = FVisibleRows;
    FScrollBar->SetPosition(FOffset);
    FScrollBar->Paint(Canvas);
  }
  DrawRows(Canvas, ClientAreaRect);
}

void TTxCustomListViewer::DrawRows(fw::TCanvas* Canvas, const TRect& R) {
  const TRect rows{R.left, R.top, R.right - FScrollBarWidth, R.bottom};
  Integer top = rows.top;
  for (Integer i = FOffset; i < FCount && top < rows.bottom; ++i, top += FItemHeight)
    List()->DrawItem(Canvas, this, FHotIndex, i, TRect{rows.left, top, rows.right, top + FItemHeight});
  if (top < rows.bottom) FillRectColor(detail::FontDC(Canvas), TRect{rows.left, top, rows.right, rows.bottom}, fw::clWindow);
}

void TTxCustomListViewer::RedrawRows() {
  fw::TWinControl* window = View()->Window();
  if (!window || !window->HandleAllocated()) return;
  win::HDC dc = win::GetDC(window->Handle());
  if (!dc) return;
  {
    fw::TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font()->Assign(View()->GetFont());
    const TRect b = BoundsRect();
    DrawRows(&canvas, b);
    canvas.SetHandle(nullptr);
  }
  win::ReleaseDC(window->Handle(), dc);
}

void TTxCustomListViewer::RedrawScrollBar() {
  fw::TWinControl* window = View()->Window();
  if (!FScrollBar || !window || !window->HandleAllocated()) return;
  win::HDC dc = win::GetDC(window->Handle());
  if (!dc) return;
  {
    fw::TCanvas canvas;
    canvas.SetHandle(dc);
    // Painted where the viewer is now.
    const TRect b = BoundsRect();
    const TRect saved = FScrollBar->Bounds;
    FScrollBar->Bounds = TRect{b.right - FScrollBarWidth, b.top, b.right, b.bottom};
    FScrollBar->Paint(&canvas);
    FScrollBar->Bounds = saved;
    canvas.SetHandle(nullptr);
  }
  win::ReleaseDC(window->Handle(), dc);
}

void TTxCustomListViewer::ScrollIntoView(Integer Index) {
  if (Index < 0) return;
  if (Index < FOffset) FOffset = Index;
  if (Index >= FOffset + FVisibleRows) FOffset = Index - FVisibleRows + 1;
  if (FScrollBar) FScrollBar->SetPosition(FOffset);  // quietly: no OnChange
}

void TTxCustomListViewer::SetHotIndex(Integer Index) {
  FHotIndex = Index < FCount ? Index : -1;
  ScrollIntoView(FHotIndex);
  RedrawRows();
  RedrawScrollBar();
}

Integer TTxCustomListViewer::RowAt(Integer X, Integer Y) const {
  if (X < 0 || X >= Width() - FScrollBarWidth || Y < 0 || Y >= Height() || FItemHeight <= 0) return -1;
  const Integer row = Y / FItemHeight;
  if (row >= FVisibleRows) return -1;
  const Integer index = FOffset + row;
  return index < FCount ? index : -1;
}

void TTxCustomListViewer::KeyDown(fw::Word& Key, fw::TShiftState /*Shift*/) {
  Integer target;
  switch (Key) {
    case win::VK_RETURN: List()->SetItemIndex(FHotIndex); return;  // the menu still sees Enter
    case win::VK_PRIOR: target = FHotIndex - FVisibleRows; break;
    case win::VK_NEXT: target = FHotIndex + FVisibleRows; break;
    case win::VK_END: target = FCount - 1; break;
    case win::VK_HOME: target = 0; break;
    case win::VK_UP: target = FHotIndex - 1; break;
    case win::VK_DOWN: target = FHotIndex + 1; break;
    default: return;
  }
  Key = 0;
  if (FCount == 0) return;
  List()->SetItemIndex(std::clamp<Integer>(target, 0, FCount - 1));
}

void TTxCustomListViewer::MouseDown(fw::TShiftState Shift, Integer X, Integer Y, bool& MouseDownOnMenu) {
  if (X < Width() - FScrollBarWidth) {
    FMouseCaptured = true;
    const Integer row = RowAt(X, Y);
    if (row >= 0 && row != FHotIndex) {
      FHotIndex = row;
      RedrawRows();
    }
  } else if (TTxScrollBar* bar = Bar()) {
    FDraggingScrollBar = true;
    bar->MouseDown(TPoint{X - (Width() - FScrollBarWidth), Y});
  }
  TTxItemViewer::MouseDown(Shift, X, Y, MouseDownOnMenu);
}

void TTxCustomListViewer::MouseMove(Integer X, Integer Y) {
  if (FDraggingScrollBar) {
    FScrollBar->MouseMove(TPoint{X - (Width() - FScrollBarWidth), Y});
    return;
  }
  if ((win::GetKeyState(win::VK_LBUTTON) & 0x8000) && !View()->Capture()) {
    View()->SetCapture();
    FMouseCaptured = true;
  }
  TTxScrollBar* bar = Bar();
  if (FMouseCaptured && bar && (Y < 0 || Y >= Height())) {
    const Integer d = Y < 0 ? -Y : Y - (Height() - 1);
    Integer step = d < 30 ? 1 : d < 51 ? 2 : 4;
    if (Y < 0) step = -step;
    const Integer interval = d < 10 ? 150 : 100;
    const bool atEnd = Y < 0 ? FOffset == 0 : FOffset + FVisibleRows >= FCount;
    if (!atEnd) {
      bar->StartAutoScroll(step, interval);
      // One step at once.
      for (Integer i = 0; i < (step < 0 ? -step : step); ++i) bar->Step(step < 0 ? SBP_FIRSTBUTTON : SBP_SECONDBUTTON);
    }
  } else if (bar && bar->AutoScrolling()) {
    bar->StopAutoScroll();
  }
  const Integer row = RowAt(X, Y);
  if (row >= 0 && row != FHotIndex) {
    FHotIndex = row;
    RedrawRows();
    List()->HandleHover(row);
  }
}

void TTxCustomListViewer::MouseUp(Integer X, Integer Y, bool MouseWasDownOnMenu) {
  if (FScrollBar) FScrollBar->StopAutoScroll();
  if (FDraggingScrollBar) {
    FDraggingScrollBar = false;
    FScrollBar->MouseUp(TPoint{X - (Width() - FScrollBarWidth), Y});
    View()->CancelCapture();  // the menu stays open
    return;
  }
  if (FMouseCaptured) {
    FMouseCaptured = false;
    List()->SetItemIndex(FHotIndex);
    TTxItemViewer::MouseUp(X, Y, MouseWasDownOnMenu);
  }
}

void TTxCustomListViewer::MouseWheel(Integer WheelDelta, Integer /*X*/, Integer /*Y*/) {
  FWheelAccumulator += WheelDelta;
  while (FWheelAccumulator >= kWheelDelta || FWheelAccumulator <= -kWheelDelta) {
    const bool up = FWheelAccumulator > 0;
    FWheelAccumulator += up ? -kWheelDelta : kWheelDelta;
    if (TTxScrollBar* bar = Bar()) bar->Step(up ? SBP_FIRSTBUTTON : SBP_SECONDBUTTON);
  }
}

}  // namespace tx
