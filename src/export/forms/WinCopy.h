#pragma once
// The two copy dialogs: what of the selected graphs goes to the clipboard as text, and in
// which format the chart's picture goes. Each edits only the preferences, and only on OK; the
// graph collection copies after it.

#include "framework/Forms.h"

namespace cs {
class TCsButton;
class TCsCheckBox;
class TCsGroupBox;
class TCsRadioButton;
}  // namespace cs

namespace kvforms {

class TwndCopyTxt : public fw::TForm {
 public:
  explicit TwndCopyTxt(fw::TComponent* AOwner);
  // The theme's colour and the four copy preferences.
  void FormShow();
  // The four check states into the preferences.
  void StoreOptions() const;

  cs::TCsGroupBox* gbxCopyTxt = nullptr;
  cs::TCsCheckBox* cbCopyX = nullptr;
  cs::TCsCheckBox* cbCopyY = nullptr;
  cs::TCsCheckBox* cbCopyV = nullptr;
  cs::TCsCheckBox* cbCopyP = nullptr;
  cs::TCsButton* butOk = nullptr;
  cs::TCsButton* butCancel = nullptr;

 protected:
  void DoShow() override;
};

class TwndCopyImg : public fw::TForm {
 public:
  explicit TwndCopyImg(fw::TComponent* AOwner);
  // The theme's colour and the button of the preferred format (EMF for a value of none).
  void FormShow();
  // 0, 1 or 2 for the first checked of WMF, BMP, EMF.
  void StoreFormat() const;

  cs::TCsGroupBox* gbxCopyImg = nullptr;
  cs::TCsRadioButton* rbCopyWMF = nullptr;
  cs::TCsRadioButton* rbCopyBMP = nullptr;
  cs::TCsRadioButton* rbCopyEMF = nullptr;
  cs::TCsButton* butOk = nullptr;
  cs::TCsButton* butCancel = nullptr;

 protected:
  void DoShow() override;
};

// Show the dialog modally; on OK store its choice and answer true.
bool ExecuteCopyTxt();
bool ExecuteCopyImg();

}  // namespace kvforms
