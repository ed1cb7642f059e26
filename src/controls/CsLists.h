#pragma once
// The framework's memo and list box with the control set's border: it follows the theme type,
// the mouse (hot) and the focus. The client areas are the framework's own.

#include "controls/CsThemedControl.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/StdCtrlsList.h"

namespace cs {

// With WantReturns false, Enter reaches the form (its default button).
class TCsMemo : public TCsFramed<fw::TMemo> {
 public:
  using TCsFramed<fw::TMemo>::TCsFramed;
};

class TCsListBox : public TCsFramed<fw::TListBox> {
 public:
  using TCsFramed<fw::TListBox>::TCsFramed;
};

}  // namespace cs
