#pragma once
// Single-line edits for one floating-point number, with optional range checking. The text is
// the only store of the value: Value parses it on every read (except while loading). One
// design serves three classes: TFloatEdit (plain edit), TCsFloatEdit (with the control-set
// frame) and TLxCsFloatEdit (on the wide control-set edit).

#include "controls/CsEditors.h"

namespace cs {

// True with Value set when Text converts to a number with the program's number settings.
bool TryParseFloat(const String& Text, fw::Extended& Value);

using TKeyPressEvent = std::function<void(fw::TObject* Sender, char16_t& Key)>;

template <class Base>
class TFloatEditOf : public Base {
 public:
  explicit TFloatEditOf(fw::TComponent* AOwner);

  // The text as typed.
  void GetText(String& Text) const { Text = CurrentText(); }
  using Base::GetText;

  // Read: "", "-", "E" or a separator alone read 0; text that does not parse reads Min; with
  // CheckMaxMin clamped. Write: clamped with CheckMaxMin, then shown in the shortest form.
  fw::Extended Value() const;
  void SetValue(fw::Extended NewValue);
  // Always stored; with CheckMaxMin (outside loading) a bound crossing the other raises and the
  // shown value is clamped again.
  fw::Extended Min() const { return FMin; }
  void SetMin(fw::Extended NewValue);
  fw::Extended Max() const { return FMax; }
  void SetMax(fw::Extended NewValue);
  // Most digits typed after the separator (0 to 18).
  fw::Byte Digits() const { return FDigits; }
  void SetDigits(fw::Byte NewValue);
  bool CheckMaxMin() const { return FCheckMaxMin; }
  void SetCheckMaxMin(bool NewValue);
  // Shown when the text left on exit does not parse or is out of range.
  String ErrorMessage() const { return FErrorMessage; }
  void SetErrorMessage(const String& NewValue) { FErrorMessage = NewValue; }
  // A second key that types the decimal separator, also read as one (0: none).
  char16_t AdditionalDecimalSeparator() const { return FAdditionalDecimalSeparator; }
  void SetAdditionalDecimalSeparator(char16_t NewValue) { FAdditionalDecimalSeparator = NewValue; }

  // Enter in the edit (instead of OnKeyPress).
  TKeyPressEvent OnEnterPress;

  void Loaded() override;
  void Dispatch(fw::TMessage& Message) override;

 protected:
  void KeyPress(char16_t& Key) override;
  void DoEnter() override;
  void DoExit() override;

 private:
  bool Loading() const { return this->ComponentState().Contains(fw::csLoading); }
  String CurrentText() const { return static_cast<const fw::TControl*>(this)->GetText(); }
  void ShowText(const String& Text) { static_cast<fw::TControl*>(this)->SetText(Text); }
  // Parses with the program's separator, the additional one standing in for it.
  bool Parse(const String& Text, fw::Extended& Result) const;
  bool IsSeparator(char16_t Key) const { return Key == static_cast<char16_t>(FDecimalSeparatorCopy); }
  bool AcceptsTypedText(const String& Text, char16_t Key) const;
  void WMPaste(fw::TMessage& Message);

  char FDecimalSeparatorCopy;
  fw::Extended FValueAtEnter = 0;
  fw::Extended FLoadedValue = 0;
  fw::Extended FMin = 0;
  fw::Extended FMax = 100;
  fw::Byte FDigits = 1;
  bool FCheckMaxMin = false;
  String FErrorMessage;
  char16_t FAdditionalDecimalSeparator = 0;
};

class TFloatEdit : public TFloatEditOf<TAlignedEdit> {
 public:
  using TFloatEditOf<TAlignedEdit>::TFloatEditOf;
};

class TCsFloatEdit : public TCsFramed<TFloatEdit> {
 public:
  using TCsFramed<TFloatEdit>::TCsFramed;
};

class TLxCsFloatEdit : public TFloatEditOf<TCsEdit> {
 public:
  using TFloatEditOf<TCsEdit>::TFloatEditOf;
};

extern template class TFloatEditOf<TAlignedEdit>;
extern template class TFloatEditOf<TCsEdit>;

}  // namespace cs
