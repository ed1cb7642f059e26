#include "controls/CsListItem.h"

namespace cs {

toolbars::TTBItemViewerClass TCsCustomList::GetItemViewerClass(toolbars::TTBView* /*AView*/) {
  return toolbars::TTBItemViewerClass::Of<TCsCustomListViewer>();
}

TCsStringList::TCsStringList(fw::TComponent* AOwner)
    : TCsCustomList(AOwner), FStrings(std::make_unique<TUniStringList>()) {
  FStrings->OnChange = [this](fw::TObject*) { Change(true); };
}

TCsStringList::~TCsStringList() = default;

}  // namespace cs
