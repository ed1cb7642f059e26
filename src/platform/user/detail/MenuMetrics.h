#pragma once
// Internal to the menu code: the menu font (normal and bold, for default items) and the sizes
// derived from it and from the system metrics. Made for one layout or one paint.

#include <string>

#include "platform/kernel/WinDef.h"

namespace win::menu {

class MenuMetrics {
 public:
  MenuMetrics();
  ~MenuMetrics();
  MenuMetrics(const MenuMetrics&) = delete;
  MenuMetrics& operator=(const MenuMetrics&) = delete;

  HFONT Font(bool bold) const { return bold ? bold_ : normal_; }
  // Width of a label as DrawText shows it ("&" prefixes take no room).
  int TextWidth(const std::u16string& text, bool bold) const;

  int textHeight = 0;
  int itemHeight = 0;       // a text item of a popup menu
  int separatorHeight = 0;
  int checkWidth = 0;       // the check-mark column
  int arrowWidth = 0;       // the submenu-arrow column
  int accelGap = 0;         // between a label and the accelerator column
  int barPadding = 0;       // on each side of a bar item's label

 private:
  HFONT normal_ = nullptr;
  HFONT bold_ = nullptr;
  HDC dc_ = nullptr;
};

}  // namespace win::menu
