#pragma once
// Wide captions and hints kept for controls whose framework text cannot hold them: controls
// without a window of their own, and windowed controls while their window does not exist (it is
// destroyed and made again on some property changes). A holder frees itself with its control.

#include "controls/UniSystem.h"
#include "framework/Component.h"

namespace fw {
class TControl;
}

namespace cs {

class TWideCaptionHolder : public fw::TComponent {
 public:
  // Use WideCaptionHolderOf; the holder lives in the sorted list from then on.
  explicit TWideCaptionHolder(fw::TControl* Control);
  ~TWideCaptionHolder() override;

  fw::TControl* Control() const { return FControl; }
  WideString WideCaption;
  WideString WideHint;

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  fw::TControl* FControl;
};

// The control's holder, or nullptr (a binary search of the list kept by the controls' address).
TWideCaptionHolder* FindWideCaptionHolder(const fw::TControl* Control);
// The control's holder, made when it has none.
TWideCaptionHolder* WideCaptionHolderOf(fw::TControl* Control);
// How many holders exist (each control has at most one).
std::size_t WideCaptionHolderCount();

}  // namespace cs
