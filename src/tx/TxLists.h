#pragma once
// A list box inside a menu or toolbar: a column of rows with a hot row, keyboard, wheel and
// mouse navigation, auto-scrolling while the mouse is held beyond the rows, and an owner-drawn
// scroll bar when there are more rows than fit. Choosing a row sets ItemIndex and clicks the
// item. Descendants give the rows' texts and count.

#include <functional>
#include <memory>
#include <vector>

#include "tx/TxItemViewer.h"
#include "tx/TxScrollBar.h"

namespace tx {

class TTxCustomListViewer;

using TTxListDrawEvent = std::function<void(fw::TObject* Sender, fw::TCanvas* Canvas, TRect Rect, Integer Index,
                                            Integer HotIndex, bool& DrawDefault)>;
using TTxListImageIndexEvent = std::function<void(fw::TObject* Sender, Integer Index, Integer& ImageIndex)>;
using TTxListMeasureHeightEvent = std::function<void(fw::TObject* Sender, fw::TCanvas* Canvas, Integer& Height)>;
using TTxListMeasureWidthEvent =
    std::function<void(fw::TObject* Sender, fw::TCanvas* Canvas, Integer Index, Integer& Width)>;

class TTxCustomList : public TTxCustomItem {
 public:
  using TTxCustomItem::TTxCustomItem;

  Integer ItemIndex() const { return FItemIndex; }
  // Negative values become -1; every open viewer shows the row; then OnChange.
  void SetItemIndex(Integer Value);
  Integer MinWidth() const { return FMinWidth; }
  void SetMinWidth(Integer Value) { FMinWidth = Value; }
  Integer MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(Integer Value) { FMaxWidth = Value; }
  Integer MaxVisibleItems() const { return FMaxVisibleItems; }
  void SetMaxVisibleItems(Integer Value) { FMaxVisibleItems = Value < 1 ? 1 : Value; }
  bool ShowImages() const { return FShowImages; }
  void SetShowImages(bool Value) { FShowImages = Value; }

  fw::TNotifyEvent OnChange;
  TTxListDrawEvent OnClearItem, OnDrawItem;
  TTxListImageIndexEvent OnAdjustImageIndex;
  TTxListMeasureHeightEvent OnMeasureHeight;
  TTxListMeasureWidthEvent OnMeasureWidth;

  virtual void DoClearItem(fw::TCanvas* Canvas, TRect Rect, Integer Index, Integer HotIndex, bool& DrawDefault);
  virtual void DoDrawItem(fw::TCanvas* Canvas, TRect Rect, Integer Index, Integer HotIndex, bool& DrawDefault);
  virtual void DoMeasureHeight(fw::TCanvas* Canvas, Integer& Height);
  virtual void DoMeasureWidth(fw::TCanvas* Canvas, Integer Index, Integer& Width);
  virtual void DrawItem(fw::TCanvas* Canvas, TTxCustomListViewer* Viewer, Integer HotIndex, Integer Index,
                        const TRect& Rect);
  virtual Integer GetImageIndex(Integer Index);
  virtual String GetItemText(Integer Index) = 0;
  // The row's text as drawn and measured: GetItemText's, unless a descendant keeps wide texts.
  virtual std::u16string GetItemDisplayText(Integer Index);
  virtual Integer GetCount() = 0;
  virtual void HandleChange();
  virtual void HandleHover(Integer /*Index*/) {}

  toolbars::TTBItemViewerClass GetItemViewerClass(TTBView* AView) override;

 private:
  friend class TTxCustomListViewer;
  Integer FItemIndex = -1;
  Integer FMinWidth = 32, FMaxWidth = 0, FMaxVisibleItems = 8;
  bool FShowImages = false;
  std::vector<TTxCustomListViewer*> FViewers;
};

class TTxCustomListViewer : public TTxItemViewer {
 public:
  TTxCustomListViewer(TTBView* AView, TTBCustomItem* AItem, Integer AGroupLevel);
  ~TTxCustomListViewer() override;

  Integer Count() const { return FCount; }
  Integer ItemHeight() const { return FItemHeight; }
  Integer HotIndex() const { return FHotIndex; }
  Integer Offset() const { return FOffset; }
  Integer VisibleRows() const { return FVisibleRows; }
  Integer ScrollBarWidth() const { return FScrollBarWidth; }
  TTxScrollBar* ScrollBar() const { return FScrollBar.get(); }

  // Makes Index the hot row, scrolled into view, and redraws the rows.
  void SetHotIndex(Integer Index);

  void CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) override;
  virtual Integer GetItemHeight(fw::TCanvas* Canvas);
  virtual Integer GetItemWidth(fw::TCanvas* Canvas, Integer Index);
  void Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
  void MouseDown(fw::TShiftState Shift, Integer X, Integer Y, bool& MouseDownOnMenu) override;
  void MouseMove(Integer X, Integer Y) override;
  void MouseUp(Integer X, Integer Y, bool MouseWasDownOnMenu) override;
  void MouseWheel(Integer WheelDelta, Integer X, Integer Y) override;

 private:
  TTxCustomList* List() const { return static_cast<TTxCustomList*>(FItem); }
  Integer Width() const { return BoundsRect().right - BoundsRect().left; }
  Integer Height() const { return BoundsRect().bottom - BoundsRect().top; }
  Integer RowAt(Integer X, Integer Y) const;
  void ScrollIntoView(Integer Index);
  void EnsureScrollBar();
  // The bar, made when the rows need one and kept in step with them; null otherwise.
  TTxScrollBar* Bar();
  void DrawRows(fw::TCanvas* Canvas, const TRect& R);
  // Repaints the rows now on the view's window, or asks for a repaint without one.
  void RedrawRows();
  void RedrawScrollBar();

  Integer FCount = 0, FItemHeight = 1, FHotIndex = -1, FOffset = 0, FVisibleRows = 1, FScrollBarWidth = 0;
  std::unique_ptr<TTxScrollBar> FScrollBar;
  Integer FWheelAccumulator = 0;
  bool FMouseCaptured = false, FDraggingScrollBar = false;
};

}  // namespace tx
