#include "controls/CsMultiDock.h"

#include "framework/SysUtils.h"
#include "tx/TxDkPanels.h"

namespace cs {

void TCsMultiDock::SetPosition(TCsDockPosition Value) {
  if (FPosition == Value) return;
  if (ControlCount() > 0)
    throw fw::EInvalidOperation("Cannot change Position of a TTBDock if it already contains controls");
  static constexpr toolbars::TTBDockPosition kDockPosition[] = {toolbars::dpLeft, toolbars::dpTop, toolbars::dpRight,
                                                                toolbars::dpBottom, toolbars::dpLeft};
  FPosition = Value;
  tx::TTxMultiDock::SetPosition(kDockPosition[Value]);
  if (Value == dpxClient) SetAlign(fw::alClient);
}

void TCsMultiDock::ArrangeToolbars() {
  if (FPosition == dpxClient && FDisableArrangeToolbars == 0) {
    // Each panel's window fills the dock's width; their own arrangement requests wait meanwhile.
    ++FDisableArrangeToolbars;
    for (toolbars::TTBCustomDockableWindow* w : DockList())
      if (auto* panel = dynamic_cast<tx::TTxDockablePanel*>(w)) {
        fw::TPoint nc{};
        panel->GetDockedNCAreaSize(nc);
        panel->SetDockedWidth(ClientWidth() - nc.x);
      }
    --FDisableArrangeToolbars;
  }
  tx::TTxMultiDock::ArrangeToolbars();
}

}  // namespace cs
