#pragma once
// The grid's in-place editor: a borderless single-line edit over the current cell. It keeps only
// what the grid needs (text, selection, limit); the movement keys it does not use go back to
// the grid.

#include "framework/Controls.h"

namespace fw {

class TCustomGrid;

class TInplaceEdit : public TWinControl {
 public:
  explicit TInplaceEdit(TComponent* AOwner);
  ~TInplaceEdit() override;

  TCustomGrid* Grid() const { return FGrid; }
  void SelectAll();
  // Caret after the last character, nothing selected.
  void Deselect();
  void SetMaxLength(Integer Value);
  // True once the user changed the text since it was last set.
  bool Modified();

 protected:
  friend class TCustomGrid;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void Dispatch(TMessage& Message) override;
  void WMKillFocus(TMessage& Message) override;

 private:
  // Whether a movement key goes to the grid rather than moving the caret.
  bool ForwardsKey(Word Key, TShiftState Shift);
  TCustomGrid* FGrid = nullptr;
  Integer FMaxLength = 0;
};

}  // namespace fw
