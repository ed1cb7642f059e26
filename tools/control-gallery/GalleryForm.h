#pragma once
// A dialog-like form holding every control of the control set, for looking at them
// on the real desktop. Each user-visible event is reported through Report, so that a script can
// drive the form and check what happened.

#include <functional>
#include <string>

#include "framework/Forms.h"

namespace cs {
class TBalloonControl;
class TCsButton;
class TCsComboBox;
class TCsFloatEdit;
class TCsMemo;
class TCsSpinEdit;
class TCsTabControl;
class TCsColorButton;
class TCsPenButton;
}  // namespace cs

namespace gallery {

class TGalleryForm : public fw::TForm {
 public:
  explicit TGalleryForm(fw::TComponent* AOwner);

  // Where events are told (standard output in the program).
  static std::function<void(const std::string&)> Report;

  cs::TCsFloatEdit* FloatEdit() const { return FFloat; }
  cs::TCsSpinEdit* SpinEdit() const { return FSpin; }
  cs::TCsComboBox* ComboBox() const { return FCombo; }
  cs::TCsMemo* Memo() const { return FMemo; }
  cs::TBalloonControl* Balloons() const { return FBalloons; }
  cs::TCsTabControl* Tabs() const { return FTabs; }
  cs::TCsColorButton* ColorButton() const { return FColorButton; }
  cs::TCsPenButton* PenButton() const { return FPenButton; }

 private:
  cs::TCsFloatEdit* FFloat = nullptr;
  cs::TCsSpinEdit* FSpin = nullptr;
  cs::TCsComboBox* FCombo = nullptr;
  cs::TCsMemo* FMemo = nullptr;
  cs::TBalloonControl* FBalloons = nullptr;
  cs::TCsTabControl* FTabs = nullptr;
  cs::TCsColorButton* FColorButton = nullptr;
  cs::TCsPenButton* FPenButton = nullptr;
};

}  // namespace gallery
