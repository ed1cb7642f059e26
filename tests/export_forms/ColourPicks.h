#pragma once
// Choosing a colour on a format dialog's colour button as the user does: a cell of the forty
// named colours, or "Выбрать..." answered by the colour dialog (nullopt: cancelled).

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/CsButtons.h"
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

// One colour button of dialog D: how to reach it, where its colour is written, what it shows.
template <class D>
struct TColourCase {
  const char* name;
  std::function<TColourButtonOf<D>> button;
  std::function<fw::TColor()> written;
  fw::TColor shown;
};

// Each button shows its colour on opening; a cell picked and applied is written, and Cancel then
// leaves the chart's stream as it was; "Выбрать..." and OK write the dialog's colour. Run opens
// the dialog, runs the work in it and ends it with the result.
template <class D>
void ExpectColourButtonsWrite(const std::vector<TColourCase<D>>& Cases,
                              const std::function<void(fw::TModalResult, std::function<void(D&)>)>& Run,
                              const std::function<std::string()>& Stream) {
  for (const TColourCase<D>& c : Cases) {
    const std::string before = Stream();
    Run(fw::mrCancel, [&](D& d) {
      EXPECT_EQ(c.button(d)->SelectedColor(), c.shown) << c.name;
      PickColourCell(c.button(d), 4, 0);  // "Dark Teal"
      d.butApply->Click();
      EXPECT_EQ(c.written(), 0x663300) << c.name;
    });
    EXPECT_EQ(Stream(), before) << c.name;
    Run(fw::mrOk, [&](D& d) { PickOtherColour(c.button(d), 0x123456); });
    EXPECT_EQ(c.written(), 0x123456) << c.name;
  }
}

}  // namespace kvtest
