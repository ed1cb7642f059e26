#pragma once
// "OfficeK": flat, light toolbars in white-to-grey gradients (the image column of popup menus
// too), highlight-tinted hot, pushed and checked buttons in highlight frames, gradient caption
// strips and shaded grip dots. Every colour derives from the system colours.

#include "themes/ThemeStates.h"
#include "tx/TxThemes.h"

namespace themes {

class TTxOfficeKTheme : public tx::TTxTheme {
 public:
  using TColor = tx::TColor;
  using TRect = tx::TRect;
  using TPoint = tx::TPoint;
  using Integer = tx::Integer;
  using Cardinal = tx::Cardinal;
  using String = tx::String;
  using TCanvas = tx::TCanvas;
  using TCustomImageList = tx::TCustomImageList;

  explicit TTxOfficeKTheme(const String& AName) : TTxTheme(AName) {}
  ~TTxOfficeKTheme() override;
  void AfterConstruction() override;
  // TXM_SYSCHANGE with TSC_CHANGE rebuilds the colour cache; other phases are ignored.
  void Dispatch(fw::TMessage& Message) override;

  TPoint GetImageOffset(TCanvas* Canvas, const tx::TTxItemInfo& ItemInfo,
                        TCustomImageList* ImageList) override;
  TColor GetItemColor(const tx::TTxItemInfo& ItemInfo) override;
  TColor GetItemTextColor(const tx::TTxItemInfo& ItemInfo) override;
  TColor GetItemImageBackground(const tx::TTxItemInfo& ItemInfo) override;
  void GetMargins(Integer MarginID, tx::TTxMargins& Margins) override;
  Integer GetPopupShadowType() override;
  void GetViewBorder(Integer ViewType, TPoint& Border) override;
  TColor GetViewColor(Integer ViewType) override;
  void GetViewMargins(Integer ViewType, tx::TTxMargins& Margins) override;
  void PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect, const TRect& AClipRect,
                       TColor AColor, bool Transparent, Integer AViewType) override;
  void PaintButton(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintCaption(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo,
                    const String& ACaption, Cardinal AFormat, bool Rotated) override;
  void PaintCheckMark(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintChevron(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintEditFrame(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo,
                      const tx::TTxEditFrameInfo& EditFrameInfo) override;
  void PaintEditButton(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo,
                       const tx::TTxEditButtonInfo& ButtonInfo) override;
  void PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect& DockRect,
                 Integer DockPosition) override;
  void PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const tx::TTxDockPanelInfo& DockPanelInfo) override;
  void PaintDropDownArrow(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintFloatingBorder(TCanvas* Canvas, const TRect& ARect,
                           const tx::TTxFloatingWindowInfo& WindowInfo) override;
  void PaintFrame(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintImage(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo, TCustomImageList* ImageList,
                  Integer ImageIndex) override;
  void PaintMDIButton(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo,
                      Cardinal ButtonKind) override;
  void PaintMenuItem(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo) override;
  void PaintMenuItemFrame(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintScrollButton(TCanvas* Canvas, const TRect& ARect, Integer ButtonType, bool Hot) override;
  void PaintPopupNCArea(TCanvas* Canvas, TRect R, const tx::TTxPopupInfo& PopupInfo) override;
  void PaintSeparator(TCanvas* Canvas, TRect ARect, tx::TTxItemInfo ItemInfo, bool Horizontal,
                      bool LineOnly) override;
  void PaintToolbarNCArea(TCanvas* Canvas, TRect R, const tx::TTxToolbarInfo& ToolbarInfo) override;
  void PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void* Params) override;
  void PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) override;
  Integer GetIntegerMetric(Integer Index) override;
  bool GetBooleanMetric(Integer Index) override;
  void UpdateColorCache() override;

  // Shared by every instance, rebuilt with each cache.
  static inline TColor GradientDark = fw::clNone, GradientLight = 0xFFFFFF, GripBase = fw::clBtnFace,
                       GripDark = 0x808080, GripLight = 0xFFFFFF, GradientDarker = fw::clNone;

  // The colour cache; after each rebuild every field holds the nearest colour the screen shows.
  TColor MenuBarColor = fw::clNone, BarColor = fw::clNone, PopupColor = fw::clNone,
         DockPanelColor = fw::clNone, PopupFrameColor = fw::clNone, MenuSeparatorColor = fw::clNone,
         ToolbarSeparatorColor = fw::clNone;
  struct TFloatingColors {
    TColor Border = fw::clNone, Text = fw::clNone;
  };
  TFloatingColors FloatingToolbarColors[2];  // [0] inactive, [1] active
  TFloatingColors FloatingPanelColors[2];
  TPartColors MenuItemColors[4];
  TPartColors ButtonColors[8];

  // Menu lines take the menu table, every other item the button table; an embedded item's
  // missing fill is the bar colour and its missing frame clBtnShadow.
  TColor ItemColor(const tx::TTxItemInfo& ItemInfo, int Part) const;
  // Always the button table; an embedded item's frame is clWindowFrame when checked.
  TColor ImageBackColor(const tx::TTxItemInfo& ItemInfo, int Part) const;

 private:
  // A frame in Frame (R shrinks by 1 even for clNone), a fill in Fill and the close cross in
  // Cross: the close buttons of toolbars, panels and floating windows.
  void PaintCloseSquare(TCanvas* Canvas, TRect R, const TPartColors& Colors, TColor Cross);
  bool FListening = false;
  bool FCounted = false;
};

void RegisterOfficeKTheme();

}  // namespace themes
