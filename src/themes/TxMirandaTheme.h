#pragma once
// "Miranda": the system's own colours in Dream's structure: button-face toolbars with a raised
// edge, window-coloured popups in a shadow frame, flat highlight selection in menus, soft
// gradient buttons in soft rounded frames, and the platform's floating frames, scroll and close
// buttons.

#include "themes/ThemeStates.h"
#include "tx/TxThemes.h"

namespace themes {

class TTxMirandaTheme : public tx::TTxTheme {
 public:
  using TColor = tx::TColor;
  using TRect = tx::TRect;
  using TPoint = tx::TPoint;
  using Integer = tx::Integer;
  using Cardinal = tx::Cardinal;
  using String = tx::String;
  using TCanvas = tx::TCanvas;
  using TCustomImageList = tx::TCustomImageList;

  explicit TTxMirandaTheme(const String& AName) : TTxTheme(AName) {}
  ~TTxMirandaTheme() override;
  void AfterConstruction() override;
  // TXM_SYSCHANGE with TSC_CHANGE rebuilds the colour table; other phases are ignored.
  void Dispatch(fw::TMessage& Message) override;

  TPoint GetImageOffset(TCanvas* Canvas, const tx::TTxItemInfo& ItemInfo, TCustomImageList* ImageList) override;
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
  void PaintCaption(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo, const String& ACaption,
                    Cardinal AFormat, bool Rotated) override;
  void PaintCheckMark(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintChevron(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintEditFrame(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo,
                      const tx::TTxEditFrameInfo& EditFrameInfo) override;
  void PaintEditButton(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo,
                       const tx::TTxEditButtonInfo& ButtonInfo) override;
  void PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect& DockRect, Integer DockPosition) override;
  void PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const tx::TTxDockPanelInfo& DockPanelInfo) override;
  void PaintDropDownArrow(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintFloatingBorder(TCanvas* Canvas, const TRect& ARect, const tx::TTxFloatingWindowInfo& WindowInfo) override;
  void PaintFrame(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintImage(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo, TCustomImageList* ImageList,
                  Integer ImageIndex) override;
  void PaintMDIButton(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo, Cardinal ButtonKind) override;
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

  // The colour table; after each rebuild every field but the edit frames and the disabled text
  // holds the nearest colour the screen shows.
  TColor MenubarColor = fw::clNone, ToolbarColor = fw::clNone, PopupColor = fw::clNone,
         DockPanelColor = fw::clNone, EditFrameColor = fw::clNone, EditFrameHotColor = fw::clNone,
         PopupFrameColor = fw::clNone, DisabledTextColor = fw::clNone;
  TPartColors MenuItemColors[4];
  TPartColors ButtonColors[8];
  static inline TColor AccentColor = fw::clHighlight;

  // As Dream's, except that a popup-menu line of a split or combo item takes the button table.
  TColor GetPartColor(const tx::TTxItemInfo& ItemInfo, int Part) const;
  TColor GetButtonPartColor(const tx::TTxItemInfo& ItemInfo, int Part) const;

 protected:
  TColor ArrowColor(const tx::TTxItemInfo& ItemInfo) const;
  // Where Zezio parts from Miranda inside shared painters: whether a disabled field's outline
  // takes clWindow, whether an idle image on a background of luminance Lum is high-contrasted,
  // and the radio disc's rows (Bottom to Top, Highlight on the top row and left pixels).
  virtual bool DisabledFieldLit(const tx::TTxItemInfo& ItemInfo) const;
  virtual bool IdleImageContrast(Integer Lum) const;
  virtual void FillRadioDisc(TCanvas* Canvas, const TRect& R, TColor Bottom, TColor Top, TColor Highlight) const;
  // Set once the instance listens for system changes and once it counts in Miranda's unit; a
  // theme built on this one keeps the unit of its own and leaves FCounted clear.
  bool FListening = false;
  bool FCounted = false;
};

void RegisterMirandaTheme();

}  // namespace themes
