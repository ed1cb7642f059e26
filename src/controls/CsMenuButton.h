#pragma once
// A button with a drop-down menu of its own: an empty caption, a themed popup menu in toolbar
// style that the button owns and frees, filled by the descendant when it pops up.

#include "controls/CsButtons.h"

namespace tx {
class TTxPopupMenu;
}

namespace cs {

class TCsMenuButton : public TCsButton {
 public:
  explicit TCsMenuButton(fw::TComponent* AOwner);
  ~TCsMenuButton() override;

  tx::TTxPopupMenu* Popup() const { return FPopup; }
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 protected:
  // Fills the menu; called each time it pops up.
  virtual void MenuPopup() = 0;

 private:
  tx::TTxPopupMenu* FPopup = nullptr;
};

}  // namespace cs
