#pragma once
// Edits and memos: wrappers of the platform's EDIT class. Text, limits, selection, modified flag
// and the other properties are kept while the window is recreated; EN_CHANGE becomes OnChange.
// Selection positions count UTF-16 code units, as the window does.

#include <memory>

#include "framework/StdCtrlsTypes.h"

namespace fw {

class TStrings;

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;

  // Longest text the user may type or paste (0: the window's largest).
  Integer MaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  char16_t PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char16_t Value);
  // Converts the present text too.
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  // Selects the whole text of a single-line edit when it is entered by the keyboard.
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool Modified();
  void SetModified(bool Value);

  Integer SelStart();
  void SetSelStart(Integer Value);
  Integer SelLength();
  void SetSelLength(Integer Value);
  String SelText();
  // Replaces the selection (undoably when the window exists).
  void SetSelText(const String& Value);

  void Clear();
  void ClearSelection();
  void SelectAll();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  bool CanUndo();
  void ClearUndo();

  TNotifyEvent OnChange;

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  virtual void CNCommand(TMessage& Message);
  void CMEnter(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  bool IsMultiLine() const;

 private:
  // The selection kept while there is no window: start and end.
  void KeptSelection(Integer& Start, Integer& End) const;
  Integer FMaxLength = 0;
  bool FReadOnly = false;
  char16_t FPasswordChar = 0;
  TEditCharCase FCharCase = ecNormal;
  bool FAutoSelect = true;
  bool FHideSelection = true;
  TBorderStyle FBorderStyle = bsSingle;
  bool FModified = false;
  Integer FSelStart = 0, FSelLength = 0;
  bool FCreating = false;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};

class TCustomMemo : public TCustomEdit {
 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  // The text as lines (split at CR LF, LF or CR); changing them changes the text.
  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* Value);
  // Enter breaks the line (otherwise it is the form's, e.g. for the default button).
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value);
  // Tab types a tab (otherwise it moves the focus).
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyPress(char16_t& Key) override;

 private:
  std::unique_ptr<TStrings> FLines;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FWordWrap = true;
  TScrollStyle FScrollBars = ssNone;
  TAlignment FAlignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
 public:
  using TCustomMemo::TCustomMemo;
};

}  // namespace fw
