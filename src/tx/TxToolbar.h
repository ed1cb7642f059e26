#pragma once
// The themed toolbar: its frame and background come from the current theme, it tells the items
// and controls inside what they sit on (TXM_GETVIEWTYPE, TXM_GETEFFECTIVECOLOR) and relays its
// effective colour to the controls that follow their parent's colour. Placed straight on a form
// it can paint the form's background behind its buttons.

#include <optional>

#include "toolbars/TBToolbar.h"
#include "tx/TxThemesTypes.h"

namespace tx {

enum TTxItemTransparency : unsigned char { itAuto, itEnable, itDisable };

class TTxToolbarView : public toolbars::TTBToolbarView {
 public:
  using TTBToolbarView::TTBToolbarView;
  void GetMargins(toolbars::TTBViewOrientation AOrientation, fw::TRect& Margins) override;
};

class TTxToolbar : public toolbars::TTBCustomToolbar {
 public:
  explicit TTxToolbar(fw::TComponent* AOwner);
  ~TTxToolbar() override;

  TTxItemTransparency ItemTransparency() const { return FItemTransparency; }
  void SetItemTransparency(TTxItemTransparency Value);
  // Distance in pixels at which the floating frame snaps to the work area's edges; 0: never.
  Integer SnapDistance() const { return FSnapDistance; }
  void SetSnapDistance(Integer Value);
  // The colour the toolbar really paints with (Color is clNone unless set).
  fw::TColor EffectiveColor() const { return FEffectiveColor; }

  // VT_TOOLBAR_* of this toolbar with its floating, resizable and embedded bits.
  Integer GetToolbarViewType();
  void UpdateEffectiveColor();
  // Tells every child control the effective colour.
  void BroadcastParentColor();
  virtual void GetToolbarInfo(TTxToolbarInfo& Info);

  toolbars::TTBToolbarViewClass GetViewClass() override;
  toolbars::TTBChevronItemClass GetChevronItemClass() override;
  toolbars::TTBFloatingWindowParentClass GetFloatingWindowParentClass() override;
  void DrawNCArea(bool DrawToDC, win::HDC ADC, win::HRGN Clip) override;
  void GetFloatingBorderSize(TPoint& Size) override;
  void SetParent(fw::TWinControl* AParent) override;
  void Dispatch(fw::TMessage& Message) override;
  // Whether the toolbar's pixels on its window's surface are where it last painted them: false
  // once it moved with a parent (the window system repaints a moved window, it moves no pixels),
  // and once its dock changed size since (what it painted over the dock's picture then, a dock
  // just docked onto and not yet grown to the toolbar's thickness, is not that picture now).
  bool PaintedWhereItIs();

 private:
  void ThemeChange(fw::TMessage& Message);
  void EraseBackground(fw::TMessage& Message);
  void Sized(fw::TMessage& Message);
  void PassSnapDistance();

  // Where the client area's origin lies in the top-level window, and the size of the dock it
  // sits on ((0, 0) off a dock).
  struct TPaintedPlace {
    win::POINT Origin;
    TPoint DockSize;
    bool operator==(const TPaintedPlace& B) const {
      return Origin.x == B.Origin.x && Origin.y == B.Origin.y && DockSize == B.DockSize;
    }
  };
  std::optional<TPaintedPlace> PlaceNow();

  TTxItemTransparency FItemTransparency = itAuto;
  Integer FSnapDistance = 0;
  fw::TColor FEffectiveColor = 0;
  std::optional<TPaintedPlace> FPaintedAt;  // where the toolbar last painted
};

// Repaints a toolbar's background between its buttons only: the viewers without a control are
// invalidated with the window and validated again, as long as their pixels are still in place
// (the toolbar has not moved on its window since it painted); otherwise all of it repaints. A
// viewer already waiting for a paint (laid out anew, or drawn for another theme) keeps waiting.
void RepaintBetweenViewers(TTxToolbar* Toolbar);

}  // namespace tx
