#pragma once
// The control-set edit and combo box: a single-line edit with wide text, and the wide combo box
// (completion and type-ahead) with a theme type.

#include "controls/CsThemedControl.h"
#include "controls/UniComboBox.h"
#include "controls/UniControls.h"
#include "framework/StdCtrlsEdit.h"

namespace cs {

// An edit whose text alignment is kept in its window style; a change recreates the window.
class TAlignedEdit : public fw::TEdit {
 public:
  using fw::TEdit::TEdit;

  fw::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(fw::TAlignment Value);

 protected:
  void CreateParams(fw::TCreateParams& Params) override;

 private:
  fw::TAlignment FAlignment = fw::taLeftJustify;
};

class TCsCustomEdit : public TAlignedEdit {
 public:
  using TAlignedEdit::TAlignedEdit;

  WideString Text() { return WideControlText(this); }
  void SetText(const WideString& Value) { SetWideControlText(this, Value); }
  using TAlignedEdit::SetText;
  WideString Hint() { return WideControlHint(this); }
  void SetHint(const WideString& Value) { SetWideControlHint(this, Value); }
};

class TCsEdit : public TCsFramed<TCsCustomEdit> {
 public:
  using TCsFramed<TCsCustomEdit>::TCsFramed;
};

// In a themed look its border and drop-down button are painted over the platform's own after
// each paint, the field inside the border left alone.
class TCsComboBox : public TCsThemed<TUniComboBox> {
 public:
  using TCsThemed<TUniComboBox>::TCsThemed;
  void Dispatch(fw::TMessage& Message) override;

 private:
  void PaintThemedBorder();
};

// ES_LEFT, ES_RIGHT or ES_CENTER.
win::DWORD EditAlignmentStyle(fw::TAlignment Alignment);

}  // namespace cs
