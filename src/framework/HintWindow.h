#pragma once
// THintWindow: the small topmost tool window that shows a hint, and the class references the
// application uses to make the hint window of the class it is told (descendants draw wide text
// or balloons).

#include <functional>

#include "framework/Controls.h"

namespace fw {

class THintWindow;

// A class reference for hint windows: how to make one, and its parent class.
class THintWindowClassInfo {
 public:
  using TFactory = THintWindow* (*)(TComponent* AOwner);
  THintWindowClassInfo(const char* AName, TFactory ACreate, const THintWindowClassInfo* AParent)
      : Name(AName), Create(ACreate), Parent(AParent) {}
  // This class or one derived from it.
  bool InheritsFrom(const THintWindowClassInfo* Other) const {
    for (const THintWindowClassInfo* c = this; c != nullptr; c = c->Parent)
      if (c == Other) return true;
    return false;
  }
  const char* Name;
  TFactory Create;
  const THintWindowClassInfo* Parent;
};

class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* AOwner);
  ~THintWindow() override;

  // The class reference of THintWindow itself.
  static const THintWindowClassInfo* ClassInfo();

  // Shows Hint in Rect (screen coordinates, as CalcHintRect measured it; the window is 4 pixels
  // taller), above every other window, without activating it.
  virtual void ActivateHint(const TRect& Rect, const String& AHint);
  virtual void ActivateHintData(const TRect& Rect, const String& AHint, void* AData);
  // The size Hint needs when wrapped at MaxWidth: a rectangle at (0, 0).
  virtual TRect CalcHintRect(Integer MaxWidth, const String& AHint, void* AData);
  // Hides the window and lets it go.
  void ReleaseHandle();
  bool IsHintMsg(const win::MSG& Msg);

 protected:
  bool IsTopLevel() const override { return true; }
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;
};

}  // namespace fw
