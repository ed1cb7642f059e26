#pragma once
// Choosing a colour on a format dialog's colour button as the user does: a cell of the forty
// named colours, or "Выбрать..." answered by the colour dialog (nullopt: cancelled).

#include <optional>

#include "controls/CsColorButton.h"
#include "controls/CsToolbars.h"
#include "platform/desktop/CommonDialogs.h"

namespace kvtest {

// The colour button a table case reaches in dialog D.
template <class D>
using TColourButtonOf = cs::TCsColorButton*(D&);

inline void PickColourCell(cs::TCsColorButton* Button, int Col, int Row) {
  Button->Popup()->OnPopup(Button->Popup());
  Button->Menu().Grid()->HandleClickCell(Col, Row);
}

inline void PickOtherColour(cs::TCsColorButton* Button, std::optional<fw::TColor> Answer) {
  Button->Popup()->OnPopup(Button->Popup());
  if (Answer)
    win::desktop::PushColorDialogAnswer(win::desktop::ColorDialogResult{win::COLORREF(*Answer), {}});
  else
    win::desktop::PushColorDialogAnswer(std::nullopt);
  Button->Menu().Selector()->Click();
}

}  // namespace kvtest
