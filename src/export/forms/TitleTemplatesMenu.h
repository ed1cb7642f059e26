#pragma once
// The "Заготовки" submenu of the title format dialogs on a small themed toolbar: the title
// templates of a kind (1 axis titles, 2 chart titles); a template chosen becomes the memo's text,
// and the last item edits the templates, after which the menu is rebuilt.

#include "framework/GraphicsTypes.h"

namespace fw {
class TForm;
class TMemo;
class TWinControl;
}  // namespace fw
namespace tx {
class TTxSubmenuItem;
}

namespace kvforms {

tx::TTxSubmenuItem* MakeTitleTemplatesMenu(fw::TForm* Owner, fw::TWinControl* Parent, int Kind, const fw::TRect& Bounds,
                                           fw::TMemo* Memo);

}  // namespace kvforms
