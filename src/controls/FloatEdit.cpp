#include "controls/FloatEdit.h"

#include <algorithm>

#include "controls/UniCodePages.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"
#include "platform/controls/MessageBox.h"

namespace cs {

bool TryParseFloat(const String& Text, fw::Extended& Value) {
  try {
    Value = fw::StrToFloat(Text);
    return true;
  } catch (...) {
    return false;
  }
}

template <class Base>
TFloatEditOf<Base>::TFloatEditOf(fw::TComponent* AOwner) : Base(AOwner), FDecimalSeparatorCopy(fw::DecimalSeparator()) {
  this->SetAlignment(fw::taRightJustify);
  ShowText(fw::FloatToStr(FMin));
}

template <class Base>
bool TFloatEditOf<Base>::Parse(const String& Text, fw::Extended& Result) const {
  String text = Text;
  if (FAdditionalDecimalSeparator != 0 && FAdditionalDecimalSeparator < 0x80)
    std::replace(text.begin(), text.end(), static_cast<char>(FAdditionalDecimalSeparator), fw::DecimalSeparator());
  return TryParseFloat(text, Result);
}

template <class Base>
fw::Extended TFloatEditOf<Base>::Value() const {
  if (Loading()) return FLoadedValue;
  String text = CurrentText();
  const String separator(1, FDecimalSeparatorCopy);
  const bool additionalAlone = FAdditionalDecimalSeparator != 0 && WideToUtf8(std::u16string(1, FAdditionalDecimalSeparator)) == text;
  if (text.empty() || text == "-" || text == "E" || text == separator || additionalAlone) text = "0";
  fw::Extended result = 0;
  if (!Parse(text, result)) result = FMin;
  if (FCheckMaxMin) {
    if (result < FMin) result = FMin;
    else if (result > FMax) result = FMax;
  }
  return result;
}

template <class Base>
void TFloatEditOf<Base>::SetValue(fw::Extended NewValue) {
  if (Loading()) {
    FLoadedValue = NewValue;
    return;
  }
  if (FCheckMaxMin) {
    if (NewValue > FMax) NewValue = FMax;
    if (NewValue < FMin) NewValue = FMin;
  }
  ShowText(fw::FloatToStr(NewValue));
}

template <class Base>
void TFloatEditOf<Base>::SetMin(fw::Extended NewValue) {
  if (FMin == NewValue) return;
  const bool check = FCheckMaxMin && !Loading();
  if (check && NewValue > FMax) throw fw::Exception("Minimum value must not be greater than maximum value !");
  FMin = NewValue;
  if (check) SetValue(Value());
}

template <class Base>
void TFloatEditOf<Base>::SetMax(fw::Extended NewValue) {
  if (FMax == NewValue) return;
  const bool check = FCheckMaxMin && !Loading();
  if (check && NewValue < FMin) throw fw::Exception("Maximum value must not be less than minimum value !");
  FMax = NewValue;
  if (check) SetValue(Value());
}

template <class Base>
void TFloatEditOf<Base>::SetDigits(fw::Byte NewValue) {
  if (FDigits == NewValue) return;
  FDigits = std::min<fw::Byte>(NewValue, 18);
  SetValue(Value());
}

template <class Base>
void TFloatEditOf<Base>::SetCheckMaxMin(bool NewValue) {
  FCheckMaxMin = NewValue;
  SetValue(Value());
}

template <class Base>
void TFloatEditOf<Base>::Loaded() {
  Base::Loaded();
  if (FMax < FMin) std::swap(FMin, FMax);
  SetValue(FLoadedValue);
}

template <class Base>
bool TFloatEditOf<Base>::AcceptsTypedText(const String& Text, char16_t Key) const {
  fw::Extended parsed = 0;
  if (!TryParseFloat(Text, parsed)) return false;
  if (FCheckMaxMin && (parsed > FMax || (IsSeparator(Key) && FDigits == 0))) return false;
  String upper = Text;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  const auto separator = Text.find(FDecimalSeparatorCopy);
  if (upper.find('E') == String::npos && separator != String::npos && Text.size() - separator - 1 > FDigits)
    return false;
  return true;
}

template <class Base>
void TFloatEditOf<Base>::KeyPress(char16_t& Key) {
  if (FAdditionalDecimalSeparator != 0 && Key == FAdditionalDecimalSeparator)
    Key = static_cast<char16_t>(FDecimalSeparatorCopy);
  if (Key == u'\r' || Key == u'\n') {
    if (OnEnterPress) OnEnterPress(this, Key);
    Key = 0;
    return;
  }
  if (Key == 27) {
    SetValue(FValueAtEnter);
    this->SelectAll();
    Key = 0;
    Base::KeyPress(Key);
    return;
  }
  if (Key < 32) {
    Base::KeyPress(Key);
    return;
  }
  const bool allowed = Key == u'-' || (Key >= u'0' && Key <= u'9') || Key == u'E' || Key == u'e' || IsSeparator(Key);
  if (!allowed) {
    Base::KeyPress(Key);
    Key = 0;
    return;
  }
  // Selection positions are UTF-16 units; the number text is ASCII, so they index the bytes.
  const WideString wide = Utf8ToWide(CurrentText());
  const std::size_t start = std::min<std::size_t>(std::max(0, this->SelStart()), wide.size());
  const std::size_t end = std::min<std::size_t>(start + std::max(0, this->SelLength()), wide.size());
  const String after = WideToUtf8(wide.substr(0, start) + Key + wide.substr(end));
  const String separator(1, FDecimalSeparatorCopy);
  bool accepted = false;
  if (after == "-") {
    ShowText("-0");
    this->SetSelStart(1);
    this->SetSelLength(1);
  } else if (after == separator) {
    // With no decimals allowed the separator has no place, so the text stays as it is.
    if (FDigits > 0) {
      ShowText("0" + separator + "0");
      this->SetSelStart(2);
      this->SetSelLength(1);
    }
  } else {
    accepted = AcceptsTypedText(after, Key);
  }
  Base::KeyPress(Key);
  if (!accepted) Key = 0;
}

template <class Base>
void TFloatEditOf<Base>::WMPaste(fw::TMessage& Message) {
  const String oldText = CurrentText();
  const int oldStart = this->SelStart(), oldLength = this->SelLength();
  Base::Dispatch(Message);
  fw::Extended parsed = 0;
  if (!Parse(CurrentText(), parsed)) {
    ShowText(oldText);
    this->SetSelStart(oldStart);
    this->SetSelLength(oldLength);
  } else if (FCheckMaxMin && parsed > FMax) {
    SetValue(FMax);
  }
}

template <class Base>
void TFloatEditOf<Base>::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == win::WM_PASTE) WMPaste(Message);
  else Base::Dispatch(Message);
}

template <class Base>
void TFloatEditOf<Base>::DoEnter() {
  if (this->AutoSelect() && win::GetKeyState(win::VK_LBUTTON) >= 0) this->SelectAll();
  FValueAtEnter = Value();
  Base::DoEnter();
}

template <class Base>
void TFloatEditOf<Base>::DoExit() {
  fw::Extended parsed = 0;
  bool valid = true;
  String text = CurrentText();
  if (text.empty()) text = fw::FloatToStr(FMin);
  valid = Parse(text, parsed) && !(FCheckMaxMin && (parsed < FMin || parsed > FMax));
  if (!valid) {
    if (!FErrorMessage.empty() && fw::MessageBoxProc)
      fw::MessageBoxProc(this->Handle(), Utf8ToWide(FErrorMessage), WideString(), win::MB_OK);
    SetValue(FValueAtEnter);
    this->SelectAll();
    this->SetFocus();
    return;
  }
  ShowText(fw::FloatToStr(parsed));
  SetValue(Value());
  Base::DoExit();
}

template class TFloatEditOf<TAlignedEdit>;
template class TFloatEditOf<TCsEdit>;

}  // namespace cs
