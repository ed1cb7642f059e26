#pragma once
// The items of the themed layer: items with per-item fonts, layout and minimum sizes, submenu
// and split items, separators sized by the theme. They are shown by TTxItemViewer
// (TxItemViewer.h), which measures and paints through the current theme.

#include <functional>
#include <memory>

#include "toolbars/TBItem.h"
#include "tx/TxFontSettings.h"

namespace fw {
class TCanvas;
class TControl;
class TFont;
}  // namespace fw
namespace toolbars {
class TTBItemViewer;
}

namespace tx {

using toolbars::TTBCustomItem;
using toolbars::TTBItemViewer;
using toolbars::TTBView;

enum TTxItemLayout : Byte { txlAuto = 0, txlGlyphLeft = 1, txlGlyphTop = 2 };

// Item state bits handed to font adjustment, image drawing and text measuring.
inline constexpr Integer ISF_DISABLED = 1, ISF_HOT = 2, ISF_PUSHED = 4, ISF_SELECTED = 8;

using TAdjustFontEvent =
    std::function<void(TTBCustomItem* Item, TTBItemViewer* Viewer, fw::TFont* Font, Integer StateFlags)>;
using TDrawImageEvent = std::function<void(TTBCustomItem* Item, TTBItemViewer* Viewer, fw::TCanvas* Canvas,
                                           TRect ImageRect, TPoint ImageOffset, Integer StateFlags)>;

class TTxCustomItem : public TTBCustomItem {
 public:
  explicit TTxCustomItem(fw::TComponent* AOwner);
  ~TTxCustomItem() override;

  bool AlwaysSelectFirst() const { return FAlwaysSelectFirst; }
  void SetAlwaysSelectFirst(bool Value) { FAlwaysSelectFirst = Value; }
  TFontSettings* FontSettings() const { return FFontSettings.get(); }
  void SetFontSettings(TFontSettings* Value) { FFontSettings->Assign(Value); }
  TTxItemLayout Layout() const { return FLayout; }
  void SetLayout(TTxItemLayout Value) { StoreAndResize(FLayout, Value); }
  Integer MinHeight() const { return FMinHeight; }
  void SetMinHeight(Integer Value) { StoreAndResize(FMinHeight, Value); }
  Integer MinWidth() const { return FMinWidth; }
  void SetMinWidth(Integer Value) { StoreAndResize(FMinWidth, Value); }
  bool ToolBoxPopup() const { return FToolBoxPopup; }
  void SetToolBoxPopup(bool Value) { FToolBoxPopup = Value; }
  // Held as the framework's fill-the-row style bit: a stretched item takes its row's height
  // (its width in a vertical bar) instead of being centred in it.
  bool Stretch() const { return ItemStyle() & toolbars::tbisFillRow; }
  void SetStretch(bool Value);

  TAdjustFontEvent OnAdjustFont;
  TDrawImageEvent OnDrawImage;

  toolbars::TTBPopupWindowClass GetPopupWindowClass() override;
  void GetPopupPosition(TTBView* ParentView, toolbars::TTBPopupWindow* PopupWindow,
                        toolbars::TTBPopupPlacement& Placement) override;
  toolbars::TTBPopupWindow* CreatePopup(TTBView* ParentView, TTBItemViewer* ParentViewer, bool PositionAsSubmenu,
                                        bool SelectFirstItem, bool Customizing, const TPoint& APopupPoint,
                                        Byte Alignment) override;
  toolbars::TTBItemViewerClass GetItemViewerClass(TTBView* AView) override;

 private:
  template <class T>
  void StoreAndResize(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Change(true);
  }

  bool FAlwaysSelectFirst = false;
  std::unique_ptr<TFontSettings> FFontSettings;
  TTxItemLayout FLayout = txlAuto;
  Integer FMinHeight = 0, FMinWidth = 0;
  bool FToolBoxPopup = false;
};

class TTxItem : public TTxCustomItem {
 public:
  using TTxCustomItem::TTxCustomItem;
};

class TTxSubmenuItem : public TTxCustomItem {
 public:
  explicit TTxSubmenuItem(fw::TComponent* AOwner);
  // Split button: the button part executes, the arrow part opens the submenu.
  bool DropdownCombo() const { return (ItemStyle() & toolbars::tbisCombo) != 0; }
  void SetDropdownCombo(bool Value);
};

// Shows and hides a control; checked while the control is visible.
class TTxVisibilityToggleItem : public TTxCustomItem {
 public:
  using TTxCustomItem::TTxCustomItem;
  ~TTxVisibilityToggleItem() override;
  fw::TControl* Control() const { return FControl; }
  // Takes the control's text as the caption when the item has none.
  void SetControl(fw::TControl* Value);
  void Click() override;
  void InitiateAction() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  void UpdateChecked();
  fw::TControl* FControl = nullptr;
};

class TTxSeparatorItem : public toolbars::TTBSeparatorItem {
 public:
  using TTBSeparatorItem::TTBSeparatorItem;
  // -1: the theme's separator metric. Values below -1 are stored as -1.
  Integer Size() const { return FSize; }
  void SetSize(Integer Value);
  toolbars::TTBItemViewerClass GetItemViewerClass(TTBView* AView) override;

 private:
  Integer FSize = -1;
};

// The root of a themed popup menu.
class TTxRootItem : public toolbars::TTBRootItem {
 public:
  using TTBRootItem::TTBRootItem;
  // The anchor of a popup being opened against a rectangle; empty otherwise.
  TRect PopupRect{};
  // Opens the menu's popup below AnchorRect (above it when there is no room below), keeping
  // clear of it; returns the popup window.
  toolbars::TTBPopupWindow* PopupAtRect(bool SelectFirst, const TRect& AnchorRect);
  toolbars::TTBPopupWindowClass GetPopupWindowClass() override;
  void GetPopupPosition(TTBView* ParentView, toolbars::TTBPopupWindow* PopupWindow,
                        toolbars::TTBPopupPlacement& Placement) override;
};

// The placement of a themed popup: with the theme's popup-alignment metric the popup overlaps
// its parent item's edge by one pixel; Place runs the framework's placement in between.
void AdjustThemedPopupPosition(toolbars::TTBPopupWindow* PopupWindow, toolbars::TTBPopupPlacement& Placement,
                               const std::function<void()>& Place);

Integer GetStateFlags(const TTxItemInfo& ItemInfo);

// Flag bits of PaintThemedImage: what the image sits on (none: a toolbar) and its state.
inline constexpr Integer TIF_DISABLED = 1, TIF_HOT = 2, TIF_PUSHED = 4, TIF_SELECTED = 8, TIF_ON_DOCKPANEL = 0x100,
                         TIF_ON_CONTROL = 0x200;
// One image drawn through the current theme, for controls outside toolbars.
void PaintThemedImage(fw::TCanvas* Canvas, const TRect& ARect, fw::TCustomImageList* ImageList, Integer ImageIndex,
                      Integer Flags);

// Width of the image column of a popup menu: the image box plus the menu item's margins,
// grown in proportion when the view's font is taller than the image.
Integer GetPopupMargin(TTBItemViewer* Viewer);

}  // namespace tx
