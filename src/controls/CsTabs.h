#pragma once
// Tabs of the control set: a tab is an item on a tab toolbar, docked in the tab control's own
// dock; each tab owns one page, shown while the tab is the active one. Checking a tab unchecks
// the others (one group), and the toolbar follows the checked tab as its ActiveTabIndex. Tabs
// that do not fit the dock are hidden and shown again when room comes back (never the first).

#include <functional>
#include <memory>
#include <vector>

#include "controls/CsItems.h"
#include "controls/CsTextObject.h"
#include "controls/CsThemeType.h"
#include "controls/CsToolbars.h"
#include "controls/UniSystem.h"
#include "framework/Controls.h"

namespace fw {
class TBitmap;
class TCustomImageList;
}  // namespace fw
namespace tx {
class TTxDock;
}

namespace cs {

enum TCsTabThemeType { tttNone, tttWindows, tttTx, tttFlat };
enum TCsTabPosition { ttpTop, ttpBottom };

// tttTx under the theme "Default" paints as tttWindows; tttWindows without visual styles as
// tttNone; tttFlat stays.
TCsTabThemeType GetEffectiveTabThemeType(TCsTabThemeType ThemeType);

class TCsTabToolbar;
class TCsCustomTabSet;

using TCsActiveTabChangeEvent = std::function<void(fw::TObject* Sender, fw::Integer ItemIndex)>;

// Tabs of every toolbar share this group: checking one unchecks the others.
inline constexpr fw::Integer kTabGroupIndex = 7777;

// A tab: a control-set item of fixed or measured size, with the item's draw events and wide
// caption and hint ("CaptionW"/"HintW" in streams); its Control is the page it shows.
class TCsTabItem : public TCsCustomItem {
 public:
  explicit TCsTabItem(fw::TComponent* AOwner);
  ~TCsTabItem() override;

  // The tab toolbar's, or clBtnFace on another toolbar.
  fw::TColor TabColor() const;
  // Own values, used only off a tab toolbar.
  TCsTabPosition TabPosition() const;
  void SetTabPosition(TCsTabPosition Value);
  TCsTabThemeType ThemeType() const;
  void SetThemeType(TCsTabThemeType Value);
  TCsTabToolbar* TabToolbar() const;

  // An enabled, unchecked tab is checked first; the toolbar then makes it active.
  void Click() override;
  // The page is shown and hidden by the toolbar as tabs become active, not by clicks.
  void ToggleControl() override {}
  void UpdateProps() override {}
  toolbars::TTBItemViewerClass GetItemViewerClass(toolbars::TTBView* AView) override;

 private:
  TCsTabPosition FTabPosition = ttpTop;
  TCsTabThemeType FThemeType = tttWindows;
};

// Paints a tab: the raised shape for the checked (or hot) tab, a separator between unchecked
// ones, then the image and the caption.
class TCsTabItemViewer : public TCsItemViewer {
 public:
  using TCsItemViewer::TCsItemViewer;
  // A hidden tab takes no room: it is not measured (most tabs of a long row are hidden).
  void CalcSize(fw::TCanvas* Canvas, fw::Integer& AWidth, fw::Integer& AHeight) override;
  void Paint(fw::TCanvas* Canvas, const fw::TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;

 private:
  void PaintTab(fw::TCanvas* Canvas, const fw::TRect& ClientAreaRect, bool IsSelected);
};

class TCsTabToolbar : public TCsToolbar {
 public:
  explicit TCsTabToolbar(fw::TComponent* AOwner);
  ~TCsTabToolbar() override;

  // -1 for none. A negative value, one beyond the items or an item being destroyed gives -1;
  // the index of an item that is no tab keeps the current value.
  fw::Integer ActiveTabIndex() const { return FActiveTabIndex; }
  void SetActiveTabIndex(fw::Integer Value);
  TCsTabItem* ActiveTab() const;
  fw::TColor TabColor() const { return FTabColor; }
  void SetTabColor(fw::TColor Value);
  TCsTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TCsTabPosition Value) { FTabPosition = Value; }
  TCsTabThemeType ThemeType() const { return FThemeType; }
  void SetThemeType(TCsTabThemeType Value);
  TCsCustomTabSet* TabSet() const { return FTabSet; }
  // The tabs hidden for want of room, each with its name and its bounds when it was hidden.
  TCsItemCacheCollection* HiddenItems() const { return FHiddenItems.get(); }

  TCsActiveTabChangeEvent OnActiveTabChange;

  // Hides trailing tabs that pass the dock's right edge and shows hidden ones again while room
  // allows (only on a top or bottom dock of some width). The first selectable tab and the
  // right-aligned items (a right-align spacer and what follows it) stay.
  void RightAlignItems() override;
  // The active tab's rectangle in the client coordinates of Control; empty without one shown.
  fw::TRect ActiveTabRect(fw::TControl* Control);
  // A deleted tab leaves the hidden tabs; a re-laid-out item redraws the frame.
  void DoItemNotification(toolbars::TTBCustomItem* Ancestor, bool Relayed, toolbars::TTBItemChangedAction Action,
                          Integer Index, toolbars::TTBCustomItem* Item) override;

 protected:
  virtual void DoActiveTabChange(fw::Integer ItemIndex);

 private:
  friend class TCsCustomTabSet;
  void RedrawFrame();
  // After a layout that repainted the tabs at once: the frame, and the client only when some of
  // it still waits to be painted.
  void RedrawFrameAfterLayout();
  void RepaintNeighbours(fw::Integer Index);

  fw::Integer FActiveTabIndex = -1;
  fw::TColor FTabColor;
  TCsTabPosition FTabPosition = ttpTop;
  TCsTabThemeType FThemeType = tttWindows;
  TCsCustomTabSet* FTabSet = nullptr;
  std::unique_ptr<TCsItemCacheCollection> FHiddenItems;
  bool FAligning = false;
};

// A control with a dock of tabs along one edge and a band under them.
class TCsCustomTabSet : public fw::TCustomControl, public toolbars::ITBRootItemSource {
 public:
  explicit TCsCustomTabSet(fw::TComponent* AOwner);
  ~TCsCustomTabSet() override;

  // Tabs read from a stream as the control's children join its toolbar.
  toolbars::TTBCustomItem* GetRootItem() override;
  // A stream holds below the control its tabs, then its pages (its other children but the
  // dock and the empty page).
  void GetChildren(const std::function<void(fw::TComponent* Child)>& Proc, fw::TComponent* Root) override;
  // "HiddenItems": the tabs hidden for want of room, by name and bounds.
  void DefineProperties(fw::TFiler* Filer) override;

  TCsTabToolbar* Toolbar() const { return FToolbar; }
  tx::TTxDock* Dock() const { return FDock; }
  // While the control is read from a stream the value is kept and applied once it is loaded.
  fw::Integer ActiveTabIndex() const;
  void SetActiveTabIndex(fw::Integer Value);
  fw::TCustomImageList* Images() const;
  void SetImages(fw::TCustomImageList* Value);
  fw::TColor TabBackgroundColor() const;
  void SetTabBackgroundColor(fw::TColor Value);
  TCsTabPosition TabPosition() const;
  void SetTabPosition(TCsTabPosition Value);
  TCsTabThemeType ThemeType() const;
  void SetThemeType(TCsTabThemeType Value);
  // The colour inside the band, which the pages take: white in the theme's look, else Color.
  fw::TColor PageColor() const;
  // Times the band was drawn anew (the cache missed): for tests and benchmarks.
  fw::Integer BackgroundPaints() const { return FBackgroundPaints; }

  TCsActiveTabChangeEvent OnActiveTabChange;
  TCsDrawEvent OnDrawBackground;

  // Drops the band's cache and redraws, with the children when InvalidateChildren.
  virtual void InvalidateBackground(bool InvalidateChildren);
  virtual void DoDrawBackground(fw::TCanvas* Canvas, const fw::TRect& ARect, bool& PaintDefault,
                                TCsPaintStage PaintStage);
  virtual bool CanPaintBackground();
  virtual void DoActiveTabChange(fw::Integer ItemIndex);
  virtual void ItemNotification(toolbars::TTBCustomItem* Ancestor, bool Relayed,
                                toolbars::TTBItemChangedAction Action, fw::Integer Index,
                                toolbars::TTBCustomItem* Item);
  virtual void TabInserted(TCsTabItem* Item) { (void)Item; }
  virtual void TabDeleting(TCsTabItem* Item, bool FreeSheet) { (void)Item, (void)FreeSheet; }

  // The band under the tabs in the given look (shared with the toolbar's frame strip).
  static void PaintBand(fw::TCanvas* Canvas, const fw::TRect& R, fw::TColor Color, TCsTabThemeType ThemeType,
                        TCsTabPosition TabPosition);
  // Paints the cached band (drawing it first when needed) below or above the tab row, in
  // client coordinates of the tab set, open under the active tab in the classic and flat looks.
  void PaintBackground(win::HDC DC);
  void Dispatch(fw::TMessage& Message) override;

 protected:
  void Resize() override;
  void Paint() override;
  // Hidden tabs read by name are linked to their tabs (nameless ones dropped), then the stored
  // active tab is made active.
  void Loaded() override;
  // Controls of the control that a stream lists as its children (the pages in a tab control).
  virtual bool IsStreamedChild(fw::TControl* Control) const { return Control != FDock; }

 private:
  fw::Integer FStoredActiveTabIndex = -1;
  tx::TTxDock* FDock = nullptr;
  TCsTabToolbar* FToolbar = nullptr;
  std::unique_ptr<fw::TBitmap> FBackground;
  bool FBackgroundValid = false;
  fw::Integer FBackgroundPaints = 0;
  bool FUpdatingIndex = false;
  // A tab deleted inside a subitems update waits for its end.
  enum { pdNone, pdInUpdate, pdWaiting } FPendingDeletion = pdNone;
  TCsTabItem* FWaitingTab = nullptr;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

class TCsTabControl;

// A page of a tab control, linked to its tab: caption, image and visibility go to the tab.
class TCsTabSheet : public fw::TCustomControl {
 public:
  explicit TCsTabSheet(fw::TComponent* AOwner);
  ~TCsTabSheet() override;

  TCsTabControl* TabControl() const { return FTabControl; }
  TCsTabItem* TabItem() const { return FTabItem; }
  WideString Caption() const;
  void SetCaption(const WideString& Value);
  fw::Integer ImageIndex() const;
  void SetImageIndex(fw::Integer Value);
  bool TabVisible() const;
  void SetTabVisible(bool Value);

  void AdjustClientRect(fw::TRect& Rect) override;
  void Dispatch(fw::TMessage& Message) override;
  // Read from a stream as a child of a tab control: the page joins its pages.
  void SetParentComponent(fw::TComponent* Value) override;
  // "TabItem": the name of the page's tab; read, the page is linked to the tab of that name.
  void DefineProperties(fw::TFiler* Filer) override;

 protected:
  void Paint() override;

 private:
  friend class TCsTabControl;
  void LinkTabItem(const fw::String& Name);
  TCsTabControl* FTabControl = nullptr;
  TCsTabItem* FTabItem = nullptr;
};

class TCsTabControl : public TCsCustomTabSet {
 public:
  explicit TCsTabControl(fw::TComponent* AOwner);
  ~TCsTabControl() override;

  fw::Integer PageCount() const { return fw::Integer(FPages.size()); }
  TCsTabSheet* Pages(fw::Integer Index) const { return FPages.at(size_t(Index)); }
  // Shown while no tab is active.
  fw::TCustomControl* EmptyPage() const { return FEmptyPage; }
  // A new tab at the end (its page comes with it); answers the tab.
  TCsTabItem* AddTab(const WideString& Caption);
  TCsTabSheet* FindPage(const TCsTabItem* Item) const;

  void InvalidateBackground(bool InvalidateChildren) override;
  void TabInserted(TCsTabItem* Item) override;
  void TabDeleting(TCsTabItem* Item, bool FreeSheet) override;
  void DoActiveTabChange(fw::Integer ItemIndex) override;
  bool CanPaintBackground() override;
  // The tabs, the pages in the order of their tabs, then any other child.
  void GetChildren(const std::function<void(fw::TComponent* Child)>& Proc, fw::TComponent* Root) override;

 protected:
  bool IsStreamedChild(fw::TControl* Control) const override;

 private:
  friend class TCsTabSheet;
  std::vector<TCsTabSheet*> FPages;
  fw::TCustomControl* FEmptyPage = nullptr;
};

}  // namespace cs
