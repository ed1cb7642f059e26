#pragma once
// An owner-drawn scroll bar that lives inside another object's rectangle (not a window of its
// own): arrow buttons, tracks and a thumb laid out from its length, position, range and page;
// stepping and thumb dragging with the mouse; auto-repeat of a held button or track (after
// 500 ms, then every 100 ms); auto-scrolling on the owner's behalf.

#include <array>
#include <functional>
#include <memory>

#include "tx/TxThemesTypes.h"

namespace fw {
class TCanvas;
class TTimer;
class TObject;
}  // namespace fw

namespace tx {

// Parts, as HitTest names them.
inline constexpr Integer SBP_NONE = 0, SBP_FIRSTBUTTON = 1, SBP_LOWERTRACK = 2, SBP_THUMB = 3, SBP_UPPERTRACK = 4,
                         SBP_SECONDBUTTON = 5, SBP_WHOLETRACK = 6;
inline constexpr Integer SBK_HORIZONTAL = 0, SBK_VERTICAL = 1;

class TTxScrollBar {
 public:
  using TNotify = std::function<void(TTxScrollBar* Sender)>;
  // Asked on every auto-scroll tick; may change the direction and interval (below 1 stops).
  using TAutoScrollEvent = std::function<void(TTxScrollBar* Sender, Integer& Direction, Integer& Interval)>;

  TTxScrollBar();
  ~TTxScrollBar();

  // In the owner's coordinates.
  TRect Bounds{};
  Integer Kind = SBK_VERTICAL;
  Integer Increment = 1;
  Integer Range = 0;
  // Below 1: the bar's own length.
  Integer PageSize = 0;

  Integer Position() const { return FPosition; }
  // Kept within 0 .. Range - page. Only a change made by the user redraws and notifies.
  void SetPosition(Integer Value);
  Integer EffectivePage() const;
  bool Enabled() const { return EffectivePage() < Range; }

  // The part rectangles, in the bar's own coordinates (origin at its top-left corner).
  void CalcRects();
  const TRect& PartRect(Integer Part) const { return FRects[size_t(Part)]; }
  Integer HitTest(const TPoint& P) const;
  Integer PressedPart() const { return FPressedPart; }

  // Moves as the user would: one increment (buttons) or one page (tracks).
  void Step(Integer Part);
  // Mouse in the bar's own coordinates; the left button only.
  void MouseDown(const TPoint& P);
  void MouseMove(const TPoint& P);
  void MouseUp(const TPoint& P);

  void StartAutoScroll(Integer Direction, Integer Interval);
  void StopAutoScroll();
  bool AutoScrolling() const { return FAutoScrolling; }

  // Paints at Bounds (the canvas's origin is the owner's).
  void Paint(fw::TCanvas* Canvas);

  TNotify OnChange, OnRedrawRequest;
  TAutoScrollEvent OnAutoScroll;

 private:
  struct TUserChange;
  Integer Length() const;
  Integer Breadth() const;
  void SetTimer(std::unique_ptr<fw::TTimer>& Timer, Integer Interval, void (TTxScrollBar::*Tick)(Integer&));
  void RepeatTick(Integer& Interval);
  void AutoScrollTick(Integer& Interval);
  void Redraw();

  Integer FPosition = 0;
  std::array<TRect, 7> FRects{};
  Integer FPressedPart = SBP_NONE;
  TPoint FDownPoint{}, FLastPoint{};
  Integer FPositionAtDown = 0;
  bool FAutoScrolling = false;
  Integer FAutoScrollDirection = 0, FAutoScrollInterval = 0;
  bool FUserChange = false;
  std::unique_ptr<fw::TTimer> FRepeatTimer, FAutoScrollTimer;
};

}  // namespace tx
