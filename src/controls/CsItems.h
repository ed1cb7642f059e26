#pragma once
// The control set's menu and toolbar items: wide captions and hints, caption alignment, fixed
// sizes, items anchored to the right edge of their toolbar, items that show and hide a control,
// and custom drawing before and after every painting stage. Their viewer measures and paints
// through the current theme, but draws every caption itself as wide text, and shows its hint
// drawn into the shared hint bitmap.
//
// The framework keeps captions and hints as UTF-8, which holds any wide text; the wide value is
// kept beside it only for what UTF-8 cannot hold (see SyncWideValue). Caption()/SetCaption(String)
// remain the themed items' own, so code written for them keeps working.

#include <functional>

#include "controls/CsTextObject.h"
#include "controls/CsThemeType.h"
#include "tx/TxItemViewer.h"
#include "tx/TxItems.h"

namespace fw {
struct THintInfo;
}

namespace cs {

using fw::Integer;
using fw::TRect;

using TCsDrawItemEvent =
    std::function<void(fw::TObject* Sender, fw::TCanvas* ACanvas, TRect& ARect, tx::TTxItemInfo& ItemInfo,
                       TCsPaintStage PaintStage, bool& PaintDefault)>;
using TCsDrawImageEvent = std::function<void(
    fw::TObject* Sender, fw::TCanvas* ACanvas, const tx::TTxItemInfo& ItemInfo, TCsPaintStage PaintStage,
    fw::TCustomImageList* AImageList, Integer& AImageIndex, TRect& ARect, bool& PaintDefault)>;

class TCsItemViewer;

class TCsCustomItem : public tx::TTxCustomItem {
 public:
  explicit TCsCustomItem(fw::TComponent* AOwner);
  ~TCsCustomItem() override;

  using tx::TTxCustomItem::SetCaption;
  using tx::TTxCustomItem::SetHint;
  WideString WideCaption() const;
  void SetCaption(const WideString& Value);
  WideString WideHint() const;
  void SetHint(const WideString& Value);
  fw::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(fw::TAlignment Value);
  // -1: measured; values below -1 are stored as -1.
  Integer CustomWidth() const { return FCustomWidth; }
  void SetCustomWidth(Integer Value);
  Integer CustomHeight() const { return FCustomHeight; }
  void SetCustomHeight(Integer Value);
  // Keeps its distance from the right edge while the toolbar's dock is resized.
  bool Anchored() const { return FAnchored; }
  void SetAnchored(bool Value) { FAnchored = Value; }
  // Clicking the item shows or hides this control; the item is checked while it is visible.
  fw::TControl* Control() const { return FControl; }
  void SetControl(fw::TControl* Value);

  TCsDrawTextEvent OnDrawCaption;
  TCsDrawHintEvent OnDrawHint;
  TCsDrawItemEvent OnDrawItem;
  TCsDrawImageEvent OnDrawImage;

  // The character is the caption's accelerator and the item acted on it.
  virtual bool DialogChar(char16_t CharCode);
  virtual void DoDrawHint(fw::TBitmap* AHintBitmap, WideString& AHint, bool& PaintDefault);
  virtual void DoDrawItem(fw::TCanvas* ACanvas, TRect& ARect, tx::TTxItemInfo& ItemInfo,
                          TCsPaintStage PaintStage, bool& PaintDefault);
  virtual void DoDrawCaption(fw::TCanvas* ACanvas, const TRect& ClientAreaRect, WideString& ACaption,
                             TRect& CaptionRect, bool IsTextRotated, TCsPaintStage PaintStage,
                             bool& PaintDefault);
  virtual void DoDrawImage(fw::TCanvas* ACanvas, const tx::TTxItemInfo& ItemInfo, TCsPaintStage PaintStage,
                           fw::TCustomImageList* AImageList, Integer& AImageIndex, TRect& ARect,
                           bool& PaintDefault);
  virtual void ToggleControl();
  virtual void UpdateProps();

  void Click() override;
  void InitiateAction() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  toolbars::TTBItemViewerClass GetItemViewerClass(toolbars::TTBView* AView) override;
  // A stream keeps the wide caption and hint as "CaptionW" and "HintW", each only when not
  // empty; reading takes an 8-bit string there too.
  void DefineProperties(fw::TFiler* Filer) override;

 protected:
  toolbars::TTBCustomItemActionLink* CreateActionLink() override;
  void ActionChange(fw::TObject* Sender, bool CheckDefaults) override;

 private:
  WideString FCaption, FHint;
  fw::TAlignment FAlignment = fw::taCenter;
  Integer FCustomWidth = -1, FCustomHeight = -1;
  bool FAnchored = false;
  fw::TControl* FControl = nullptr;
};

class TCsItem : public TCsCustomItem {
 public:
  using TCsCustomItem::TCsCustomItem;
};

class TCsSubmenuItem : public TCsItem {
 public:
  explicit TCsSubmenuItem(fw::TComponent* AOwner);
  // Split button: the button part executes, the arrow part opens the submenu.
  bool DropdownCombo() const { return (ItemStyle() & toolbars::tbisCombo) != 0; }
  void SetDropdownCombo(bool Value);
};

// A caption (and image) that cannot be selected or clicked; its accelerator focuses Control.
class TCsCustomLabelItem : public TCsCustomItem {
 public:
  explicit TCsCustomLabelItem(fw::TComponent* AOwner);
  bool DialogChar(char16_t CharCode) override;
  void DoDrawItem(fw::TCanvas* ACanvas, TRect& ARect, tx::TTxItemInfo& ItemInfo, TCsPaintStage PaintStage,
                  bool& PaintDefault) override;
  void ToggleControl() override {}
  void UpdateProps() override {}
};

class TCsLabelItem : public TCsCustomLabelItem {
 public:
  using TCsCustomLabelItem::TCsCustomLabelItem;
};

// The items after it are pushed to the right edge of the toolbar (see TCsToolbar).
class TCsRightAlignSpacerItem : public TCsCustomLabelItem {
 public:
  using TCsCustomLabelItem::TCsCustomLabelItem;
};

class TCsSeparatorItem : public tx::TTxSeparatorItem {
 public:
  using tx::TTxSeparatorItem::TTxSeparatorItem;
  toolbars::TTBItemViewerClass GetItemViewerClass(toolbars::TTBView* AView) override;
};

class TCsItemViewer : public tx::TTxItemViewer {
 public:
  using tx::TTxItemViewer::TTxItemViewer;

  // The dock size seen the first time the item was anchored ((0,0) before), and how much the
  // dock has grown since; the width grows by AnchorOffset.x.
  fw::TPoint AnchorSize{0, 0}, AnchorOffset{0, 0};

  virtual void DoDrawItem(fw::TCanvas* Canvas, TRect& ARect, tx::TTxItemInfo& ItemInfo,
                          TCsPaintStage PaintStage, bool& PaintDefault);
  virtual void DoDrawCaption(fw::TCanvas* Canvas, const TRect& ClientAreaRect, WideString& Caption,
                             TRect& CaptionRect, bool IsTextRotated, TCsPaintStage PaintStage,
                             bool& PaintDefault);
  virtual void DoDrawImage(fw::TCanvas* Canvas, const tx::TTxItemInfo& ItemInfo, TCsPaintStage PaintStage,
                           fw::TCustomImageList* ImageList, Integer& ImageIndex, TRect& Rect,
                           bool& PaintDefault);
  // Fills HintInfo for this viewer's hint: the bitmap hint window showing HintBitmap with the
  // item's hint drawn into it. False when there is no hint to show.
  bool HintShow(fw::THintInfo& HintInfo);
  // The wide short hint with the shortcut appended where the application shows them.
  WideString GetWideHintText();

  void CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) override;
  void Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
  void BeforePaintCaption(fw::TCanvas* Canvas, const TRect& ClientAreaRect, const String& Text,
                          TRect& CaptionRect, bool IsTextRotated, bool& PaintDefault) override;
  void PaintItemFace(fw::TCanvas* Canvas, const TRect& R, tx::TTxItemInfo& ItemInfo,
                     TTxFacePart Part) override;
  void PaintItemImage(fw::TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  // A label is static text to assistive technology, the right-align spacer white space.
  Integer GetAccRole() override;

 protected:
  TCsCustomItem* CsItem() const { return dynamic_cast<TCsCustomItem*>(FItem); }

 private:
  TRect FClientArea{};
  bool FPushed = false;
};

class TCsSeparatorItemViewer : public tx::TTxSeparatorItemViewer {
 public:
  using tx::TTxSeparatorItemViewer::TTxSeparatorItemViewer;
  void Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
};

class TCsCustomItemActionLink : public toolbars::TTBCustomItemActionLink {
 public:
  explicit TCsCustomItemActionLink(TCsCustomItem* AClient)
      : TTBCustomItemActionLink(AClient), FCsClient(AClient) {}
  bool IsCaptionLinked() override;
  bool IsHintLinked() override;
  void SetCaption(const String& Value) override;
  void SetHint(const String& Value) override;

 private:
  TCsCustomItem* FCsClient;
};

// The short hint of a viewer's item: the wide hint before "|", else (unless the item asks for
// no automatic hint) its caption without ellipsis and ampersands, except for a plain submenu
// showing its caption; then " (shortcut)" where the application shows shortcuts in hints.
WideString GetItemHintText(toolbars::TTBItemViewer* Viewer);

// Steps from Viewer through its view's viewers and answers the first that qualifies, null at
// either end. Qualifying: with VisibleOnly only viewers of visible items (without it, any);
// with SameRow only those on Viewer's row (same top); with ShownOnly only shown ones. A Filter
// replaces the test and may end the search by setting Stop; OnlyNeighbour ends it after one step.
using TCsViewerFilter = std::function<bool(toolbars::TTBItemViewer* Viewer, bool& Stop)>;
toolbars::TTBItemViewer* FindAdjacentViewer(toolbars::TTBItemViewer* Viewer, bool GoForward, bool VisibleOnly,
                                            bool OnlyNeighbour, bool SameRow, bool ShownOnly,
                                            const TCsViewerFilter& Filter = nullptr);

}  // namespace cs
