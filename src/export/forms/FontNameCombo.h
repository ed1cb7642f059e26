#pragma once
// The font name list of the format dialogs: the screen's font names, each entry written in its
// own face at 12 points so the user sees the font before choosing it. The closed field shows
// the chosen name in the dialog's small face.

#include "controls/CsEditors.h"

namespace kvforms {

class TFontNameCombo : public cs::TCsComboBox {
 public:
  static constexpr fw::Integer kPreviewSize = 12;     // points of each entry's own face
  static constexpr fw::Integer kFieldHeight = 15;     // pixels of the closed field
  static constexpr fw::Integer kDropDownWidth = 200;  // pixels of the open list

  explicit TFontNameCombo(fw::TComponent* AOwner);
  // The screen's font names, in the screen's order.
  void FillScreenFonts();

 protected:
  void CreateWnd() override;

 private:
  void DrawName(fw::Integer Index, const fw::TRect& Rect, fw::TOwnerDrawState State);
};

}  // namespace kvforms
