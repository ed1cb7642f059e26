#pragma once
// The painters of the themes drawn in the system's own colours with soft gradient buttons in soft
// rounded frames: buttons, check marks, chevrons, edit frames, docks, floating borders, item and
// menu-line frames, images, scroll buttons, popup frames, check and radio boxes, status bars.
// Each theme built on it fills the table and keeps the rest of its painting to itself.

#include "themes/ThemeTable.h"

namespace themes {

class TSoftFrameTheme : public TTableTheme {
 public:
  explicit TSoftFrameTheme(const String& AName) : TTableTheme(AName) { FSplitLinesTakeButtons = true; }

  TColor GetItemTextColor(const tx::TTxItemInfo& ItemInfo) override;
  void PaintButton(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintCheckMark(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintChevron(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintEditFrame(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo,
                      const tx::TTxEditFrameInfo& EditFrameInfo) override;
  void PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect& DockRect, Integer DockPosition) override;
  void PaintFloatingBorder(TCanvas* Canvas, const TRect& ARect, const tx::TTxFloatingWindowInfo& WindowInfo) override;
  void PaintFrame(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintImage(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo, TCustomImageList* ImageList,
                  Integer ImageIndex) override;
  void PaintMenuItemFrame(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintScrollButton(TCanvas* Canvas, const TRect& ARect, Integer ButtonType, bool Hot) override;
  void PaintPopupNCArea(TCanvas* Canvas, TRect R, const tx::TTxPopupInfo& PopupInfo) override;
  void PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void* Params) override;
  void PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) override;

  // Beyond the table: the edit frames and the disabled text.
  TColor EditFrameColor = fw::clNone, EditFrameHotColor = fw::clNone, DisabledTextColor = fw::clNone;

 protected:
  // Arrows in tool-style items take clBtnText, elsewhere clMenuText.
  static TColor ArrowColor(const tx::TTxItemInfo& ItemInfo);
  // The soft faces: raised (hot), sunken (pushed) and checked.
  static void PaintRaisedFace(TCanvas* Canvas, const TRect& R);
  static void PaintSunkenFace(TCanvas* Canvas, const TRect& R);
  static void PaintCheckedFace(TCanvas* Canvas, const TRect& R);
  // Where the themes part inside these painters: whether a disabled field's outline takes
  // clWindow, whether an idle image on a background of luminance Lum is high-contrasted, and the
  // radio disc's rows (Bottom to Top, Highlight on the top row and left pixels).
  virtual bool DisabledFieldLit(const tx::TTxItemInfo& ItemInfo) const = 0;
  virtual bool IdleImageContrast(Integer Lum) const = 0;
  virtual void FillRadioDisc(TCanvas* Canvas, const TRect& R, TColor Bottom, TColor Top, TColor Highlight) const = 0;
};

}  // namespace themes
