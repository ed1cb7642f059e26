// Registration of the standard control classes.

#include "platform/controls/StandardControls.h"

#include "platform/controls/ComboBox.h"
#include "platform/controls/CommCtrl.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/MessageBoxButton.h"
#include "platform/user/frames/ScrollBar.h"

namespace win {

BOOL RegisterStandardControls() {
  bool ok = RegisterScrollBarClass() != FALSE;
  ok = RegisterEditClass() && ok;
  ok = RegisterButtonClass() && ok;
  ok = RegisterListBoxClasses() && ok;
  ok = RegisterComboBoxClass() && ok;
  ok = RegisterTrackBarClass() && ok;
  ok = RegisterUpDownClass() && ok;
  return ok ? TRUE : FALSE;
}

}  // namespace win
