#include "controls/CsLookups.h"

#include "controls/CsItems.h"
#include "toolbars/TBItemViewer.h"

namespace cs {

toolbars::TTBControlItem* FindControlItem(toolbars::TTBCustomItem* Root, const fw::TControl* Control) {
  if (Root == nullptr || Control == nullptr) return nullptr;
  for (fw::Integer i = 0; i < Root->Count(); ++i)
    if (auto* item = dynamic_cast<toolbars::TTBControlItem*>(Root->Items(i)); item && item->Control() == Control)
      return item;
  return nullptr;
}

int IndexOfChildControl(fw::TWinControl* Parent, const fw::TControl* Control) {
  if (Parent == nullptr) return -1;
  for (fw::Integer i = 0; i < Parent->ControlCount(); ++i)
    if (Parent->Controls(i) == Control) return i;
  return -1;
}

toolbars::TTBItemViewer* FindItemViewer(toolbars::TTBView* View, const toolbars::TTBCustomItem* Item) {
  if (View == nullptr) return nullptr;
  for (fw::Integer i = 0; i < View->ViewerCount(); ++i)
    if (View->Viewers(i)->Item() == Item) return View->Viewers(i);
  return nullptr;
}

TCsRightAlignedItems GetRightAlignedItems(toolbars::TTBView* View) {
  TCsRightAlignedItems result;
  if (View == nullptr) return result;
  for (fw::Integer i = 0; i < View->ViewerCount(); ++i) {
    toolbars::TTBItemViewer* v = View->Viewers(i);
    const bool visible = v->Item()->Visible();
    const int width = v->BoundsRect().right - v->BoundsRect().left;
    if (result.Viewers.empty() && dynamic_cast<TCsRightAlignSpacerItem*>(v->Item()) != nullptr)
      result.Viewers.push_back(v);
    else if (!result.Viewers.empty())
      result.Viewers.push_back(v);
    if (!visible) continue;
    result.VisibleWidth += width;
    if (!result.Viewers.empty()) result.RightWidth += width;
  }
  return result;
}

}  // namespace cs
