#pragma once
// The toolbar: a dockable window whose contents are a view of an item tree. It lays the view
// out for its dock (horizontal, vertical or floating; wrapped or with a chevron holding what
// does not fit), hosts controls as control items, opens items from the keyboard, and in menu
// bar mode serves as the form's menu bar (Alt, F10, accelerators from floating windows). Its
// items' shortcuts can work through the application while its form is active.

#include <functional>
#include <memory>
#include <vector>

#include "toolbars/TBDockableWindow.h"
#include "toolbars/TBItem.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"

namespace toolbars {

class TTBCustomToolbar;

// The overflow item: its popup shows the items the toolbar had to hide.
class TTBChevronItem : public TTBCustomItem {
 public:
  // The hint a chevron starts with.
  static constexpr const char* DefaultHint = "More Buttons|";
  explicit TTBChevronItem(TComponent* AOwner);
  // The hint, and the caption made of its short part (every "&" doubled, so none marks a key).
  void SetChevronHint(const String& Value);
  TTBItemViewerClass GetItemViewerClass(TTBView* AView) override;
  TTBCustomToolbar* Toolbar() const { return FToolbar; }
  TTBView* GetChevronParentView() override;

 private:
  friend class TTBCustomToolbar;
  TTBCustomToolbar* FToolbar = nullptr;
};

class TTBChevronItemViewer : public TTBItemViewer {
 public:
  using TTBItemViewer::TTBItemViewer;
  void Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
};

// The toolbar's view. Its toolbar is known before the view is built.
class TTBToolbarView : public TTBView {
 public:
  TTBToolbarView(TComponent* AOwner, TTBView* AParentView, TTBCustomItem* AParentItem, fw::TWinControl* AWindow,
                 bool AIsToolbar, bool ACustomizing, bool AUsePriorityList);
  TTBCustomToolbar* Toolbar() const { return FToolbar; }
  // The least size a docked layout fills: the thickness the other bars give the dock row and,
  // for a full-size bar, the wrap length.
  TPoint RowMinimumSize() const;

  void AutoSize(Integer AWidth, Integer AHeight) override;
  bool DoUpdatePositions(TPoint& ASize) override;
  TTBCustomItem* GetChevronItem() override;
  TTBCustomItem* GetTrailingGroupItem() override;
  TTBCustomItem* GetLeadingItem() override;
  fw::TFont* GetFont() override;
  void InvalidatePositions() override;

 private:
  TTBCustomToolbar* FToolbar;
};

using TTBToolbarViewClass =
    TTBClassRef<TTBToolbarView, TComponent*, TTBView*, TTBCustomItem*, fw::TWinControl*, bool, bool, bool>;
using TTBRootItemClass = TTBClassRef<TTBRootItem, TComponent*>;
using TTBChevronItemClass = TTBClassRef<TTBChevronItem, TComponent*>;

enum TTBChevronPriorityForNewItems : unsigned char { tbcpHighest, tbcpLowest };

using TTBShortCutEvent = std::function<void(TMessage& Msg, bool& Handled)>;

class TTBCustomToolbar : public TTBCustomDockableWindow, public ITBRootItemSource {
 public:
  explicit TTBCustomToolbar(TComponent* AOwner);
  ~TTBCustomToolbar() override;
  // Builds the items, chevron and view through the class getters of the final class.
  virtual void AfterConstruction();

  TTBRootItem* Items() const { return FItems; }
  TTBCustomItem* GetRootItem() override { return FItems; }
  // Streams: the items are the toolbar's children, in their order.
  void GetChildren(const std::function<void(TComponent* Child)>& Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, Integer Order) override;
  TTBToolbarView* View() const { return FView; }
  TTBChevronItem* ChevronItem() const { return FChevronItem; }
  TPoint BaseSize() const { return FBaseSize; }

  // ---- properties ----
  String ChevronHint() const;
  void SetChevronHint(const String& Value);
  bool ChevronMoveItems() const { return FChevronMoveItems; }
  void SetChevronMoveItems(bool Value);
  TTBChevronPriorityForNewItems ChevronPriorityForNewItems() const { return FChevronPriorityForNewItems; }
  void SetChevronPriorityForNewItems(TTBChevronPriorityForNewItems Value);
  Integer FloatingWidth() const { return FFloatingWidth; }
  void SetFloatingWidth(Integer Value);
  fw::TCustomImageList* Images() const;
  void SetImages(fw::TCustomImageList* Value);
  bool MenuBar() const { return FMenuBar; }
  void SetMenuBar(bool Value);
  bool ProcessShortCuts() const { return FProcessShortCuts; }
  void SetProcessShortCuts(bool Value);
  TTBShrinkMode ShrinkMode() const { return FShrinkMode; }
  void SetShrinkMode(TTBShrinkMode Value);
  bool SystemFont() const { return FSystemFont; }
  void SetSystemFont(bool Value);
  bool UpdateActions() const { return FUpdateActions; }
  void SetUpdateActions(bool Value) { FUpdateActions = Value; }
  TTBShortCutEvent OnShortCut;

  // ---- operations ----
  void BeginUpdate();
  void EndUpdate();
  // Opens the item whose accelerator is Key (#0: Alt alone selects the first item).
  bool KeyboardOpen(char16_t Key, bool RequirePrimaryAccel);
  // Rows found by the last measuring layout.
  Integer RowCount() const { return FRowCount; }
  // An application key-down: the registered toolbars of this toolbar's form with ProcessShortCuts
  // ask OnShortCut, then their items; true when one handled it.
  bool ProcessShortCut(TMessage& Message);

  // ---- overrides of the dockable window ----
  TPoint OrderControls(bool CanMoveControls, TTBDockType PreviousDockType, TTBDock* DockingTo) override;
  void GetBaseSize(TPoint& ASize) override;
  void GetMinShrinkSize(Integer& AMinimumSize) override;
  TTBShrinkMode GetShrinkMode() override;
  void ControlExistsAtPos(const TPoint& P, bool& ControlExists) override;
  // Sizing a floating toolbar's frame steps through the sizes at which its rows change.
  void ResizeBegin(Integer SizeHandle) override;
  void ResizeTrack(TRect& Rect, const TRect& OrigRect) override;
  void ResizeTrackAccept() override;
  void ResizeEnd() override;
  // The frame sizes a floating resize steps through, in the order of the dragged dimension
  // (empty outside a resize).
  std::vector<TPoint> ResizeSizes() const;

  // ---- class queries the themed toolbar replaces ----
  virtual TTBRootItemClass GetItemsClass();
  virtual TTBToolbarViewClass GetViewClass();
  virtual TTBChevronItemClass GetChevronItemClass();
  void Dispatch(TMessage& Message) override;
  // The idle action update reaches the items as well (with UpdateActions).
  void InitiateAction() override;
  // The windowed children hosted by control items, in item order.
  void GetTabOrderList(std::vector<fw::TWinControl*>& List) override;

 protected:
  void Loaded() override;
  // Assistive technology reads the bar's items through its window, docked or floating.
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void Paint() override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) override;
  void WMSetCursor(TMessage& Message) override;
  // The hint of the viewer under the mouse, which holds while the mouse stays on that viewer.
  void CMHintShow(TMessage& Message) override;
  void CMControlChange(TMessage& Message);
  // Gives Control a control item at the end unless one already hosts it.
  void WrapControl(fw::TControl* Control);
  // The items shown on the bar, in order (groups opened in place).
  static void CollectItems(TTBCustomItem* Parent, std::vector<TTBCustomItem*>& Out);
  // Orientation, wrap length and chevron length of the view for a dock (or floating).
  TTBViewLayout LayoutParameters(TTBDock* ADock, bool AFloating);
  void UpdateShortCutRegistration();
  // The client size of the floating layout wrapped at Wrap (0: unwrapped), measured only: the
  // toolbar, its buttons and its frame stay as they are.
  TPoint MeasureFloating(Integer Wrap);
  // Lays the buttons out floating, wrapped at Wrap; the toolbar takes the size that needs.
  void LayOutFloating(Integer Wrap);
  // The client size Layout needs, measured only.
  TPoint Measure(const TTBViewLayout& Layout);

  friend class TTBToolbarView;

  TPoint FBaseSize{};
  TTBChevronItem* FChevronItem = nullptr;
  bool FChevronMoveItems = true;
  TTBChevronPriorityForNewItems FChevronPriorityForNewItems = tbcpHighest;
  Integer FDisableAlignArrange = 0;
  Integer FMeasuring = 0;  // a dock measures: the view reports its own size
  Integer FFloatingWidth = 0;
  bool FIgnoreMouseLeave = false, FMenuBarHookInstalled = false;
  TTBRootItem* FItems = nullptr;
  Integer FRowCount = 0;
  bool FMenuBar = false, FProcessShortCuts = false, FShortCutRegistered = false;
  TTBShrinkMode FShrinkMode = tbsmChevron;
  struct TResizeState;
  std::unique_ptr<TResizeState> FResizing;
  bool FSystemFont = true, FUpdateActions = true;
  TTBCustomItem* FTrailingGroupItem = nullptr;
  TTBCustomItem* FLeadingItem = nullptr;
  TTBToolbarView* FView = nullptr;
};

}  // namespace toolbars
