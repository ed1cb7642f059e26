#pragma once
// The painting interface every theme implements (33 operations in a fixed order, then
// UpdateColorCache), the registry of theme classes by name with reference-counted instances,
// and the geometry helpers of non-client painting. The theme manager and the system-state
// globals are in TxThemesManager.h.

#include <memory>
#include <vector>

#include "framework/Persistent.h"
#include "tx/TxThemesTypes.h"

namespace fw {
class TCanvas;
class TCustomImageList;
class TStrings;
}  // namespace fw

namespace tx {

using fw::TCanvas;
using fw::TCustomImageList;

class TTxTheme : public fw::TObject {
 public:
  explicit TTxTheme(const String& AName) : FName(AName) {}

  const String& Name() const { return FName; }

  // Runs once right after construction, when the object is complete: the place for work that
  // reaches overrides (a theme computing its colour cache through UpdateColorCache).
  virtual void AfterConstruction() {}

  // 1 .. 9: queries.
  virtual TPoint GetImageOffset(TCanvas* Canvas, const TTxItemInfo& ItemInfo, TCustomImageList* ImageList) = 0;
  virtual TColor GetItemColor(const TTxItemInfo& ItemInfo) = 0;
  virtual TColor GetItemTextColor(const TTxItemInfo& ItemInfo) = 0;
  virtual TColor GetItemImageBackground(const TTxItemInfo& ItemInfo) = 0;
  virtual void GetMargins(Integer MarginID, TTxMargins& Margins) = 0;
  virtual Integer GetPopupShadowType() = 0;
  virtual void GetViewBorder(Integer ViewType, TPoint& Border) = 0;
  virtual TColor GetViewColor(Integer ViewType) = 0;
  virtual void GetViewMargins(Integer ViewType, TTxMargins& Margins) = 0;
  // 10 .. 31: painting. Rectangles of items are relative to the item's own top-left corner.
  virtual void PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect, const TRect& AClipRect,
                               TColor AColor, bool Transparent, Integer AViewType) = 0;
  virtual void PaintButton(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) = 0;
  virtual void PaintCaption(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo, const String& ACaption,
                            Cardinal AFormat, bool Rotated) = 0;
  virtual void PaintCheckMark(TCanvas* Canvas, TRect ARect, const TTxItemInfo& ItemInfo) = 0;
  virtual void PaintChevron(TCanvas* Canvas, TRect ARect, const TTxItemInfo& ItemInfo) = 0;
  virtual void PaintEditFrame(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo,
                              const TTxEditFrameInfo& EditFrameInfo) = 0;
  virtual void PaintEditButton(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo,
                               const TTxEditButtonInfo& ButtonInfo) = 0;
  virtual void PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect& DockRect, Integer DockPosition) = 0;
  virtual void PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const TTxDockPanelInfo& DockPanelInfo) = 0;
  virtual void PaintDropDownArrow(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) = 0;
  virtual void PaintFloatingBorder(TCanvas* Canvas, const TRect& ARect, const TTxFloatingWindowInfo& WindowInfo) = 0;
  virtual void PaintFrame(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) = 0;
  virtual void PaintImage(TCanvas* Canvas, TRect ARect, const TTxItemInfo& ItemInfo, TCustomImageList* ImageList,
                          Integer ImageIndex) = 0;
  virtual void PaintMDIButton(TCanvas* Canvas, TRect ARect, const TTxItemInfo& ItemInfo, Cardinal ButtonKind) = 0;
  virtual void PaintMenuItem(TCanvas* Canvas, const TRect& ARect, TTxItemInfo& ItemInfo) = 0;
  virtual void PaintMenuItemFrame(TCanvas* Canvas, const TRect& ARect, const TTxItemInfo& ItemInfo) = 0;
  virtual void PaintScrollButton(TCanvas* Canvas, const TRect& ARect, Integer ButtonType, bool Hot) = 0;
  virtual void PaintPopupNCArea(TCanvas* Canvas, TRect R, const TTxPopupInfo& PopupInfo) = 0;
  virtual void PaintSeparator(TCanvas* Canvas, TRect ARect, TTxItemInfo ItemInfo, bool Horizontal,
                              bool LineOnly) = 0;
  virtual void PaintToolbarNCArea(TCanvas* Canvas, TRect R, const TTxToolbarInfo& ToolbarInfo) = 0;
  virtual void PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void* Params) = 0;
  virtual void PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) = 0;
  // 32, 33: metrics (TMI_*, TMB_*); unknown ids give -1 and false.
  virtual Integer GetIntegerMetric(Integer Index) = 0;
  virtual bool GetBooleanMetric(Integer Index) = 0;
  // Rebuilds the theme's colour fields (a theme calls it on TXM_SYSCHANGE with TSC_CHANGE).
  virtual void UpdateColorCache() {}

 private:
  String FName;
};

// A theme class: makes a complete instance under a name (construction, then AfterConstruction).
using TTxThemeClass = TTxTheme* (*)(const String& AName);

template <class Theme>
TTxTheme* ThemeClassOf(const String& AName) {
  std::unique_ptr<Theme> theme(new Theme(AName));
  theme->AfterConstruction();
  return theme.release();
}

// ---- Registry --------------------------------------------------------------------------------
struct TTxThemeEntry {
  String Name;  // at most 255 characters
  TTxThemeClass ThemeClass = nullptr;
  TTxTheme* Instance = nullptr;
  Integer RefCount = 0;
};

// The entries in registration order (read only: for the menu and for tests).
const std::vector<TTxThemeEntry>& ThemeRegistry();

// Raises "Cannot register theme" for an empty name or a null class, "Theme <name> is already
// registered" for a name registered before (any case).
void RegisterTheme(const String& Name, TTxThemeClass ThemeClass);
Integer FindThemeIndex(const String& Name);
bool IsThemeRegistered(const String& Name);
// Appends every name, in registration order, to List.
void GetRegisteredThemes(fw::TStrings* List);
// The instance of the name, made on first use (and told TXM_SYSCHANGE with WParam 1 when the
// application is active, else 0); counts the acquisition. "Unknown theme <name>" when none.
TTxTheme* AcquireTheme(const String& Name);
// Gives one acquisition back; the last frees the instance and sets Theme to null. "Cannot
// release theme <name>" when nothing is held, "Cannot release theme" for an unknown instance.
void ReleaseTheme(TTxTheme*& Theme);

// ---- Non-client geometry ---------------------------------------------------------------------
void GetFloatingCaptionRect(const TTxFloatingWindowInfo& WindowInfo, bool AddBorder, bool ExcludeButton, TRect& R);
void GetFloatingCloseButtonRect(const TTxFloatingWindowInfo& WindowInfo, bool AddBorder, TRect& R);
Integer GetDragHandleSize(const TTxToolbarInfo& ToolbarInfo);
void GetToolbarCloseButtonRect(const TTxToolbarInfo& ToolbarInfo, TRect& R);

}  // namespace tx
