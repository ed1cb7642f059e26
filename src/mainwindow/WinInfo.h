#pragma once
// The modal information window: every section of a settings store as a heading line followed
// by its "name = value" rows, and an OK button.

#include "framework/Forms.h"

namespace fw {
class TListBox;
class TButton;
}  // namespace fw

namespace workspace {

class TPropSaver;

class TwndInfo : public fw::TForm {
 public:
  explicit TwndInfo(fw::TComponent* AOwner);

  // Fills the list from Info (replacing what was there).
  void ShowStore(const TPropSaver& Info);
  fw::TListBox* Lines() const { return FLines; }

 private:
  fw::TListBox* FLines = nullptr;
  fw::TButton* FOk = nullptr;
};

// Shows Info in a new modal information window, freed when it closes.
void ShowInfoWindowModal(TPropSaver& Info);

}  // namespace workspace
