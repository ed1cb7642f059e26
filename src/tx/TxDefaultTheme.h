#pragma once
// The built-in theme "Default": the platform's own toolbar and menu look. With visual styles on it
// paints through the visual-style library and the manager's class handles; otherwise classic
// 3-D edges, frame controls and system colours. "DefaultXP" and several further themes derive
// from it and keep what they do not override.

#include "tx/TxThemes.h"

namespace tx {

class TTxDefaultTheme : public TTxTheme {
 public:
  explicit TTxDefaultTheme(const String& AName) : TTxTheme(AName) {}
  ~TTxDefaultTheme() override;
  // Listens to system changes and computes the colour cache.
  void AfterConstruction() override;
  // TXM_SYSCHANGE with TSC_CHANGE rebuilds the colour cache; other phases are ignored.
  void Dispatch(fw::TMessage& Message) override;

  TPoint GetImageOffset(TCanvas* Canvas, const TTxItemInfo& ItemInfo, TCustomImageList* ImageList) override;
  TColor GetItemColor(const TTxItemInfo& ItemInfo) override;
  TColor GetItemTextColor(const TTxItemInfo& ItemInfo) override;
  TColor GetItemImageBackground(const TTxItemInfo& ItemInfo) override;
  void GetMargins(Integer MarginID, TTxMargins& Margins) override;
  Integer GetPopupShadowType() override;
  void GetViewBorder(Integer ViewType, TPoint& Border) override;
  TColor GetViewColor(Integer ViewType) override;
  void GetViewMargins(Integer ViewType, TTxMargins& Margins) override;
  void PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect, const TRect& AClipRect,
                       TColor AColor, bool Transparent, Integer AViewType) override;
  void PaintButton(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) override;
  void PaintCaption(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo, const String& ACaption,
                    Cardinal AFormat, bool Rotated) override;
  void PaintCheckMark(TCanvas* Canvas, TRect ARect, const TTxItemInfo& ItemInfo) override;
  void PaintChevron(TCanvas* Canvas, TRect ARect, const TTxItemInfo& ItemInfo) override;
  void PaintEditFrame(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo,
                      const TTxEditFrameInfo& EditFrameInfo) override;
  void PaintEditButton(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo,
                       const TTxEditButtonInfo& ButtonInfo) override;
  void PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect& DockRect, Integer DockPosition) override;
  void PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const TTxDockPanelInfo& DockPanelInfo) override;
  void PaintDropDownArrow(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) override;
  void PaintFloatingBorder(TCanvas* Canvas, const TRect& ARect, const TTxFloatingWindowInfo& WindowInfo) override;
  void PaintFrame(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) override;
  void PaintImage(TCanvas* Canvas, TRect ARect, const TTxItemInfo& ItemInfo, TCustomImageList* ImageList,
                  Integer ImageIndex) override;
  void PaintMDIButton(TCanvas* Canvas, TRect ARect, const TTxItemInfo& ItemInfo, Cardinal ButtonKind) override;
  void PaintMenuItem(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo) override;
  void PaintMenuItemFrame(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) override;
  void PaintScrollButton(TCanvas* Canvas, const TRect& ARect, Integer ButtonType, bool Hot) override;
  void PaintPopupNCArea(TCanvas* Canvas, TRect R, const TTxPopupInfo& PopupInfo) override;
  void PaintSeparator(TCanvas* Canvas, TRect ARect, TTxItemInfo ItemInfo, bool Horizontal, bool LineOnly) override;
  void PaintToolbarNCArea(TCanvas* Canvas, TRect R, const TTxToolbarInfo& ToolbarInfo) override;
  void PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void* Params) override;
  void PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) override;
  Integer GetIntegerMetric(Integer Index) override;
  bool GetBooleanMetric(Integer Index) override;
  void UpdateColorCache() override;

  TColor FaceColor() const { return FFaceColor; }
  TColor FaceTextColor() const { return FFaceTextColor; }
  TColor DockPanelColor() const { return FDockPanelColor; }
  TColor StatusBarColor() const { return FStatusBarColor; }

 protected:
  TColor FFaceColor = fw::clBtnFace;
  TColor FFaceTextColor = fw::clBtnText;
  TColor FDockPanelColor = fw::clBtnFace;
  TColor FStatusBarColor = fw::clBtnFace;

 private:
  bool FListening = false;
};

// Item states the theme paints by (shared with the themes derived from it).
// Hot: an enabled item under the mouse or keyboard, or a disabled one under the keyboard.
bool IsItemHot(const TTxItemInfo& ItemInfo);
// A toolbar outside any dock (VT_TOOLBAR with VT_EMBEDDED).
bool IsEmbeddedView(Integer ViewType);
// A line of a popup menu (not drawn as a toolbar button).
bool IsPopupMenuLine(const TTxItemInfo& ItemInfo);

}  // namespace tx
