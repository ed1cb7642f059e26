#pragma once
// The viewer of themed items: it decides the geometry (button, drop-down arrow, caption,
// shortcut, image) and hands the item's state, as a TTxItemInfo, with rectangles to the
// current theme, which decides colours and shapes. The theme is read at every measure and
// paint, so a theme switch only needs a repaint.

#include "toolbars/TBItemViewer.h"
#include "tx/TxItems.h"

namespace tx {

class TTxItemViewer : public toolbars::TTBItemViewer {
 public:
  TTxItemViewer(TTBView* AView, TTBCustomItem* AItem, Integer AGroupLevel);

  // In the glyph-left layout one more pixel after the image.
  bool ImageGap = true;

  void CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) override;
  Integer GetAccRole() override;
  bool IsToolbarSize() override;
  bool IsPtInButtonPart(Integer X, Integer Y) override;
  void MouseUp(Integer X, Integer Y, bool MouseWasDownOnMenu) override;
  void Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
  bool IsToolbarStyle() override;

  // Descendants that draw their own caption (or shortcut text, in menus) do it here and clear
  // PaintDefault.
  virtual void BeforePaintCaption(fw::TCanvas* Canvas, const TRect& ClientAreaRect, const String& Text,
                                  TRect& CaptionRect, bool IsTextRotated, bool& PaintDefault);
  // One part of the item's face through the theme; descendants wrap it with drawing of their own.
  enum TTxFacePart { fpButton, fpDropDownArrow, fpSplitArrow, fpMenuItem };
  virtual void PaintItemFace(fw::TCanvas* Canvas, const TRect& R, TTxItemInfo& ItemInfo, TTxFacePart Part);
  // 1 toolbar style, 2 menu style.
  virtual Integer GetViewerKind();
  virtual void PaintItemImage(fw::TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo);
  // Bold for the default item, then the item's font overrides and its OnAdjustFont.
  virtual void AdjustItemFont(fw::TFont* Font, Integer StateFlags);
  virtual bool IsImageShown();

  // The image list's size, (0, 0) without one.
  virtual fw::TSize GetItemImageSize();
  // DT_HIDEPREFIX while the view hides accelerators, else 0.
  Cardinal GetCaptionFlags();
  fw::TSize GetTextSize(fw::TCanvas* Canvas, const String& Text, Cardinal TextFlags, bool Rotated,
                        Integer StateFlags);

 protected:
  // The item's own layout, with txlAuto resolved for this view.
  TTxItemLayout ResolvedLayout();
  // The caption drawn top to bottom: a vertical toolbar-style view with the automatic layout.
  bool CaptionRotated();
  TTxItemInfo BaseItemInfo(bool ToolbarStyle);
};

// The hover kind of a selected viewer of View: the mouse's when enabled, else the keyboard's
// unless the mouse made the selection.
TTxHoverKind SelectedHoverKind(toolbars::TTBView* View, bool Enabled);

class TTxSeparatorItemViewer : public toolbars::TTBSeparatorItemViewer {
 public:
  using TTBSeparatorItemViewer::TTBSeparatorItemViewer;
  void CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) override;
  void Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
  bool IsToolbarSize() override;
  bool IsToolbarStyle() override;
};

}  // namespace tx
