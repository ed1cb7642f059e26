#pragma once
// The alignment panel: a transparent container whose children are aligned inside its margins and
// which reports the smallest size its aligned content needs.

#include <memory>

#include "tx/TxPanelObject.h"

namespace tx {

class TTxAlignmentPanel : public TTxPanelObject {
 public:
  explicit TTxAlignmentPanel(fw::TComponent* AOwner);

  TTxControlMargins* Margins() const { return FMargins.get(); }
  void SetMargins(TTxControlMargins* Value) { FMargins->Assign(Value); }

  // Heights of the top- and bottom-aligned children and minimum heights of the client-aligned
  // ones, plus the top and bottom margins (widths likewise).
  Integer GetMinHeight() override;
  Integer GetMinWidth() override;
  void AdjustClientRect(TRect& Rect) override;

 private:
  std::unique_ptr<TTxControlMargins> FMargins;
};

}  // namespace tx
