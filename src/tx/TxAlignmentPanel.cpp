#include "tx/TxAlignmentPanel.h"

namespace tx {

namespace {

Integer MinExtent(fw::TControl* C, bool Height) {
  if (auto* p = dynamic_cast<TTxPanelObject*>(C)) return Height ? p->GetMinHeight() : p->GetMinWidth();
  return Height ? C->Constraints()->MinHeight() : C->Constraints()->MinWidth();
}

}  // namespace

TTxAlignmentPanel::TTxAlignmentPanel(fw::TComponent* AOwner) : TTxPanelObject(AOwner) {
  FMargins = std::make_unique<TTxControlMargins>();
  FMargins->OnChange = [this](fw::TObject*) {
    Realign();
    Invalidate();
  };
}

void TTxAlignmentPanel::AdjustClientRect(TRect& Rect) {
  TTxPanelObject::AdjustClientRect(Rect);
  Rect.left += FMargins->Left();
  Rect.top += FMargins->Top();
  Rect.right -= FMargins->Right();
  Rect.bottom -= FMargins->Bottom();
}

Integer TTxAlignmentPanel::GetMinHeight() {
  Integer h = FMargins->Top() + FMargins->Bottom();
  for (Integer i = 0; i < ControlCount(); ++i) {
    fw::TControl* c = Controls(i);
    if (!c->Visible()) continue;
    if (c->Align() == fw::alTop || c->Align() == fw::alBottom) h += c->Height();
    if (c->Align() == fw::alClient) h += MinExtent(c, true);
  }
  return h;
}

Integer TTxAlignmentPanel::GetMinWidth() {
  Integer w = FMargins->Left() + FMargins->Right();
  for (Integer i = 0; i < ControlCount(); ++i) {
    fw::TControl* c = Controls(i);
    if (!c->Visible()) continue;
    if (c->Align() == fw::alLeft || c->Align() == fw::alRight) w += c->Width();
    if (c->Align() == fw::alClient) w += MinExtent(c, false);
  }
  return w;
}

}  // namespace tx
