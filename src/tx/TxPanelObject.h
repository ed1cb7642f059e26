#pragma once
// Small windowed controls that sit on themed docks, panels and forms and take their background
// from what they sit on: the panel object tracks the mouse (hot state) with one timer shared by
// all of them, keeps a pushed state for the mouse and the Space key, and takes the focus. The
// margins object is shared by the text object and the alignment panel.

#include "framework/Controls.h"
#include "framework/Persistent.h"

namespace fw {
class TTimer;
}

namespace tx {

using fw::Integer;
using fw::String;
using fw::TRect;

class TTxControlMargins : public fw::TPersistent {
 public:
  Integer Left() const { return FLeft; }
  void SetLeft(Integer Value) { Store(FLeft, Value); }
  Integer Top() const { return FTop; }
  void SetTop(Integer Value) { Store(FTop, Value); }
  Integer Right() const { return FRight; }
  void SetRight(Integer Value) { Store(FRight, Value); }
  Integer Bottom() const { return FBottom; }
  void SetBottom(Integer Value) { Store(FBottom, Value); }
  // Copies the four values, then notifies once.
  void Assign(fw::TPersistent* Source) override;

  fw::TNotifyEvent OnChange;

 private:
  void Store(Integer& Field, Integer Value);
  void Changed();
  Integer FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
};

class TTxPanelObject : public fw::TCustomControl {
 public:
  explicit TTxPanelObject(fw::TComponent* AOwner);
  ~TTxPanelObject() override;

  bool MouseInControl() const { return FMouseInControl; }
  bool Pushed() const { return FPushed; }
  // Takes the focus on a click only when its parent holds the active control, and then without
  // scrolling itself into view.
  bool FocusOnlyInsideActiveParent() const { return FFocusOnlyInsideActiveParent; }
  void SetFocusOnlyInsideActiveParent(bool Value) { FFocusOnlyInsideActiveParent = Value; }
  bool PushOnSpace() const { return FPushOnSpace; }
  void SetPushOnSpace(bool Value) { FPushOnSpace = Value; }
  // Painted through an off-screen copy: the erase of a DC other than the paint's is skipped.
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }

  fw::TNotifyEvent OnMouseEnter, OnMouseLeave;

  virtual void DoMouseEnter();
  virtual void DoMouseLeave();
  virtual Integer GetMinHeight();
  virtual Integer GetMinWidth();

  // The panel object the shared hot-tracking timer watches; null when none.
  static TTxPanelObject* TrackedControl();

  void Dispatch(fw::TMessage& Message) override;

 protected:
  void CreateParams(fw::TCreateParams& Params) override;
  void MouseMove(fw::TShiftState Shift, Integer X, Integer Y) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) override;
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
  void KeyUp(fw::Word& Key, fw::TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;

  void MouseEnter();
  void MouseLeave();

 private:
  void TakeFocus();
  void EraseBackground(fw::TMessage& Message);

  bool FMouseInControl = false, FPushed = false;
  bool FFocusOnlyInsideActiveParent = false, FPushOnSpace = false, FNoScrollIntoView = false;
  bool FDoubleBuffered = false;
};

}  // namespace tx
