#pragma once
// The line dialog's marker style: a button showing the chosen marker's picture, whose drop-down
// menu offers the nine markers as pictures with their names. The chosen entry's image index is
// the marker style.

#include "export/forms/DialogControls.h"

namespace fw {
class TWinControl;
}
namespace cs {
class TCsButton;
}
namespace tx {
class TTxPopupMenu;
}

namespace kvforms {

inline constexpr int kPointStyleCount = 9;

// The entries' captions, by style.
extern const char* const kPointStyleNames[kPointStyleCount];

struct TPointStyleButton {
  cs::TCsButton* Button = nullptr;
  tx::TTxPopupMenu* Menu = nullptr;

  // The style shown (the button's image index), -1 before one is chosen.
  fw::Integer Style() const;
  // Shows Style's picture with its name as hint; a value outside the nine styles is ignored.
  void SetStyle(fw::Integer Style);
};

// The button named Name with its menu named MenuName, both owned and parented by Parent.
// Pictures come from the program's pointer images when they exist; choosing an entry sets the
// button's style.
TPointStyleButton MakePointStyleButton(fw::TWinControl* Parent, const char* Name, const char* MenuName,
                                       TBox At);

}  // namespace kvforms
