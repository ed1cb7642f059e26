#pragma once
// The title dialog's alignment choice: a submenu on a small themed toolbar with the entries
// "Расположить слева", "Расположить по центру" and "Расположить справа". The submenu shows the
// chosen entry's image, with its caption as hint.

#include "framework/GraphicsTypes.h"

namespace fw {
class TForm;
class TWinControl;
}  // namespace fw
namespace tx {
class TTxItem;
class TTxSubmenuItem;
}  // namespace tx

namespace kvforms {

struct TAlignmentMenu {
  tx::TTxSubmenuItem* Submenu = nullptr;
  tx::TTxItem* Left = nullptr;
  tx::TTxItem* Center = nullptr;
  tx::TTxItem* Right = nullptr;

  // Checks Entry (one of the three), unchecks the others and shows it on the submenu.
  void Choose(tx::TTxItem* Entry);
  // The checked entry; Center when none is.
  tx::TTxItem* Chosen() const;
};

// The toolbar at Bounds in Parent, its items owned by Owner and named itAlignment, itAlLeft,
// itAlCenter, itAlRight; clicking an entry chooses it. Images come from the program's menu
// images when they exist. Center is chosen.
TAlignmentMenu MakeAlignmentMenu(fw::TForm* Owner, fw::TWinControl* Parent, const fw::TRect& Bounds);

}  // namespace kvforms
