#pragma once
// A windowed control whose content may be larger than its client area: its two scroll bars move
// the children, AutoScroll makes the ranges follow where the children reach, and ScrollInView
// brings a control inside it (at any depth) into sight.

#include <memory>

#include "framework/Controls.h"
#include "framework/StdCtrlsTypes.h"

namespace fw {

class TScrollingWinControl;

class TControlScrollBar : public TPersistent {
 public:
  TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind) : FControl(AControl), FKind(AKind) {}

  TScrollBarKind Kind() const { return FKind; }
  // How far the content is scrolled, 0 … Range less the client size.
  Integer Position() const { return FPosition; }
  void SetPosition(Integer Value);
  // The extent of the content; 0 or less than the client size: no scrolling. Setting it turns
  // the control's AutoScroll off.
  Integer Range() const { return FRange; }
  void SetRange(Integer Value);
  // The step of the arrows (8 pixels unless set).
  Integer Increment() const { return FIncrement; }
  void SetIncrement(Integer Value) { FIncrement = std::max(Value, 1); }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // Shown now: Visible, and the content does not fit.
  bool IsScrollBarVisible() const;
  void Assign(TPersistent* Source) override;

 private:
  friend class TScrollingWinControl;
  Integer ClientSize() const;
  Integer MaxPosition() const;
  // A scroll bar request (SB_ code, and the thumb position for the thumb codes).
  void Scroll(win::WORD Code, Integer ThumbPos);

  TScrollingWinControl* FControl;
  TScrollBarKind FKind;
  Integer FPosition = 0, FRange = 0, FIncrement = 8;
  bool FVisible = true;
};

class TScrollingWinControl : public TWinControl {
 public:
  explicit TScrollingWinControl(TComponent* AOwner);
  ~TScrollingWinControl() override;

  TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
  TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
  // On by default: each range is where the freely placed children reach (aligned children
  // follow the client area and take no range).
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);
  // Scrolls as little as needed for AControl (a control inside this one, at any depth) to be in
  // sight; when it is larger than the client area its top left corner shows. Nothing for a
  // control that is not inside.
  void ScrollInView(TControl* AControl);

 protected:
  friend class TControlScrollBar;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void CreateWnd() override;
  void WMSize(TMessage& Message) override;
  void WMScroll(TMessage& Message) override;
  // Moves every child by the given amounts (the content scrolls the other way).
  void ScrollBy(Integer DeltaX, Integer DeltaY);
  // Recomputes the ranges (with AutoScroll) and shows the scroll bars as they now are.
  void UpdateScrollBars();

 private:
  void CalcAutoRange();
  void ApplyScrollBar(TControlScrollBar& Bar);
  std::unique_ptr<TControlScrollBar> FHorzScrollBar, FVertScrollBar;
  bool FAutoScroll = true;
  bool FUpdatingScrollBars = false;
};

}  // namespace fw
