#include "controls/CsMenuButton.h"

#include "tx/TxPopupWindow.h"

namespace cs {

TCsMenuButton::TCsMenuButton(fw::TComponent* AOwner) : TCsButton(AOwner) {
  SetCaption(u"");
  FPopup = new tx::TTxPopupMenu(this);
  FPopup->SetOptions(FPopup->Options() + toolbars::TTBItemOptions{toolbars::tboToolbarStyle});
  FPopup->OnPopup = [this](fw::TObject*) { MenuPopup(); };
  SetDropDownMenu(FPopup);
}

TCsMenuButton::~TCsMenuButton() {
  SetDropDownMenu(nullptr);
  delete FPopup;
}

void TCsMenuButton::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TCsButton::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FPopup) FPopup = nullptr;
}

}  // namespace cs
