#pragma once
// The framework's memo and list box with the control set's border: it follows the theme type,
// the mouse (hot) and the focus. The client areas are the framework's own.

#include "controls/CsThemedControl.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/StdCtrlsList.h"

namespace cs {

// With WantReturns false, Enter reaches the form (its default button).
class TCsMemo : public TCsThemed<fw::TMemo> {
 public:
  using TCsThemed<fw::TMemo>::TCsThemed;
};

class TCsListBox : public TCsThemed<fw::TListBox> {
 public:
  using TCsThemed<fw::TListBox>::TCsThemed;
};

}  // namespace cs
