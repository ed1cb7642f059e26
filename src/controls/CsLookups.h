#pragma once
// Lookups the control set's bars, panels and tabs share: a control's nearest parent of a kind,
// the control item holding a control, a control's place among its parent's children, an item's
// viewer, and the items a right-align spacer pushes to the right edge.

#include <vector>

#include "framework/Controls.h"
#include "toolbars/TBItem.h"
#include "toolbars/TBItemView.h"

namespace cs {

// The nearest parent of Control (not Control itself) that is a T; null when none is.
template <class T>
T* FindParentOfClass(fw::TControl* Control) {
  for (fw::TWinControl* parent = Control != nullptr ? Control->Parent() : nullptr; parent != nullptr;
       parent = parent->Parent())
    if (auto* found = dynamic_cast<T*>(parent)) return found;
  return nullptr;
}

// The control item among Root's items (not their sub-items) holding Control; null when none.
toolbars::TTBControlItem* FindControlItem(toolbars::TTBCustomItem* Root, const fw::TControl* Control);

// Control's index among Parent's direct children; -1 when it is not one of them.
int IndexOfChildControl(fw::TWinControl* Parent, const fw::TControl* Control);

// View's viewer of Item; null while the view has none.
toolbars::TTBItemViewer* FindItemViewer(toolbars::TTBView* View, const toolbars::TTBCustomItem* Item);

// What a right-align spacer pushes: the first spacer's viewer and every viewer after it.
struct TCsRightAlignedItems {
  int VisibleWidth = 0;  // the widths of all viewers of visible items
  int RightWidth = 0;    // the widths of the right-aligned viewers of visible items
  std::vector<toolbars::TTBItemViewer*> Viewers;  // the right-aligned viewers, spacer first
  toolbars::TTBItemViewer* Spacer() const { return Viewers.empty() ? nullptr : Viewers.front(); }
};
TCsRightAlignedItems GetRightAlignedItems(toolbars::TTBView* View);

}  // namespace cs
