#include "themes/ThemeLifeCycle.h"

#include "framework/ControlMessages.h"
#include "tx/TxThemesManager.h"

namespace themes {

TUnitTheme::~TUnitTheme() {
  if (FListening) tx::RemoveSysChangeListener(this);
  if (FLeaveUnit) FLeaveUnit();
}

void TUnitTheme::Start() {
  tx::AddSysChangeListener(this);
  FListening = true;
  UpdateColorCache();
}

void TUnitTheme::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == tx::TXM_SYSCHANGE) {
    if (Message.WParam == tx::TSC_CHANGE) UpdateColorCache();
    return;
  }
  TTxTheme::Dispatch(Message);
}

}  // namespace themes
