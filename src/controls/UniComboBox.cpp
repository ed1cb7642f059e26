#include "controls/UniComboBox.h"

#include "controls/UniCanvas.h"
#include "controls/UniCodePages.h"
#include "controls/UniWindows.h"
#include "framework/Filer.h"
#include "framework/StringList.h"
#include "platform/controls/ComboBox.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/Clock.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/windows/Window.h"

namespace cs {

namespace {

constexpr win::DWORD kTypeAheadReset = 1250;  // ms after which a key starts a new search

fw::TStrings* FrameworkItems(const TUniCustomComboBox* Combo) {
  return static_cast<const fw::TCustomComboBox*>(Combo)->Items();
}

bool IsEditStyle(fw::TComboBoxStyle Style) { return Style == fw::csDropDown || Style == fw::csSimple; }

}  // namespace

// Items ------------------------------------------------------------------------------------------

WideString TUniComboBoxStrings::Get(int Index) const { return Utf8ToWide(FrameworkItems(FComboBox)->Strings(Index)); }
int TUniComboBoxStrings::GetCount() const { return FrameworkItems(FComboBox)->Count(); }
fw::TObject* TUniComboBoxStrings::GetObject(int Index) const { return FrameworkItems(FComboBox)->Objects(Index); }
void TUniComboBoxStrings::PutObject(int Index, fw::TObject* AObject) {
  FrameworkItems(FComboBox)->SetObjects(Index, AObject);
}
void TUniComboBoxStrings::SetUpdateState(bool Updating) {
  if (Updating) FrameworkItems(FComboBox)->BeginUpdate();
  else FrameworkItems(FComboBox)->EndUpdate();
}
int TUniComboBoxStrings::Add(const WideString& S) { return FrameworkItems(FComboBox)->Add(WideToUtf8(S)); }
void TUniComboBoxStrings::Insert(int Index, const WideString& S) {
  FrameworkItems(FComboBox)->Insert(Index, WideToUtf8(S));
}
void TUniComboBoxStrings::Delete(int Index) { FrameworkItems(FComboBox)->Delete(Index); }

void TUniComboBoxStrings::Clear() {
  const WideString text = FComboBox->Text();
  FrameworkItems(FComboBox)->Clear();
  FComboBox->SetText(text);
  FComboBox->Update();
}

int TUniComboBoxStrings::IndexOf(std::u16string_view S) const {
  for (int i = 0; i < GetCount(); ++i)
    if (win::SameTextIgnoreCase(Get(i), S)) return i;
  return -1;
}

// The combo box ---------------------------------------------------------------------------------

TUniCustomComboBox::TUniCustomComboBox(fw::TComponent* AOwner)
    : fw::TCustomComboBox(AOwner), FItems(std::make_unique<TUniComboBoxStrings>(this)) {}

TUniCustomComboBox::~TUniCustomComboBox() = default;

void TUniCustomComboBox::SetItems(TUniStrings* Value) { FItems->Assign(Value); }

void TUniCustomComboBox::AddItem(const WideString& Item, fw::TObject* AObject) { FItems->AddObject(Item, AObject); }

void TUniCustomComboBox::CopySelection(fw::TControl* Destination) {
  const int index = ItemIndex();
  if (index >= 0) WideAddItem(Destination, FItems->Strings(index), FItems->Objects(index));
}

WideString TUniCustomComboBox::SelText() {
  if (!IsEditStyle(Style())) return {};
  return Text().substr(std::size_t(SelStart()), std::size_t(SelLength()));
}

void TUniCustomComboBox::DefineProperties(fw::TFiler* Filer) {
  fw::TCustomComboBox::DefineProperties(Filer);
  DefineWideStreamProperties(Filer, this);
}

void TUniCustomComboBox::CreateWindowHandle(const fw::TCreateParams& Params) {
  CreateUnicodeHandle(this, Params, u"ComboBox");
}

void TUniCustomComboBox::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == fw::CM_HINTSHOW) PrepareWideHint(*reinterpret_cast<fw::THintInfo*>(Message.LParam));
  fw::TCustomComboBox::Dispatch(Message);
}

void TUniCustomComboBox::ActionChange(fw::TObject* Sender, bool CheckDefaults) {
  WideActionChange(this, Sender, CheckDefaults);
  fw::TCustomComboBox::ActionChange(Sender, CheckDefaults);
}

void TUniCustomComboBox::KeyPress(char16_t& Key) {
  // Only the wide completion acts: the framework's own is off while its key handling runs.
  const bool autoComplete = AutoComplete();
  SetAutoComplete(false);
  try {
    fw::TCustomComboBox::KeyPress(Key);
  } catch (...) {
    SetAutoComplete(autoComplete);
    throw;
  }
  SetAutoComplete(autoComplete);
  if (Key == 0 || !HandleAllocated()) return;
  if (IsEditStyle(Style())) DoEditCharMsg(Key);
  else WideComboTypeAhead(Key);
}

void TUniCustomComboBox::DoEditCharMsg(char16_t& Key) { WideComboAutoComplete(Key); }

void TUniCustomComboBox::DrawItem(fw::Integer Index, const fw::TRect& Rect, fw::TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  Canvas()->FillRect(Rect);
  if (Index >= 0) WideCanvasTextOut(Canvas(), Rect.left + 2, Rect.top, FItems->Strings(Index));
}

int TUniCustomComboBox::WideComboFindPrefix(int StartIndex, const WideString& Prefix) {
  return int(win::SendMessageW(Handle(), win::CB_FINDSTRING, win::WPARAM(StartIndex),
                               reinterpret_cast<win::LPARAM>(Prefix.c_str())));
}

int TUniCustomComboBox::WideComboFindUniquePrefix(const WideString& Prefix) {
  const int index = WideComboFindPrefix(-1, Prefix);
  if (index < 0) return -1;
  return WideComboFindPrefix(index, Prefix) == index ? index : -1;
}

void TUniCustomComboBox::WideComboDropDownKeepText() {
  const WideString text = Text();
  const int start = SelStart(), length = SelLength();
  SetDroppedDown(true);
  win::SetWindowTextW(Handle(), text.c_str());
  SetSelStart(start);
  SetSelLength(length);
}

bool TUniCustomComboBox::WideComboSelectPrefix(const WideString& Prefix, bool PreserveCase, bool UniqueOnly) {
  const int index = UniqueOnly ? WideComboFindUniquePrefix(Prefix) : WideComboFindPrefix(-1, Prefix);
  if (index < 0) return false;
  const bool changed = index != ItemIndex();
  if (AutoCloseUp() && FItems->IndexOf(Prefix) != -1) SetDroppedDown(false);
  SetItemIndex(index);
  if (IsEditStyle(Style())) {
    const WideString item = FItems->Strings(index);
    // The typed characters keep their case; the completed part is selected.
    const WideString text = PreserveCase ? Prefix + item.substr(std::min(Prefix.size(), item.size())) : item;
    win::SetWindowTextW(Handle(), text.c_str());
    SetSelStart(int(Prefix.size()));
    SetSelLength(int(text.size() - Prefix.size()));
  }
  if (changed) {
    Click();
    Select();
  }
  return true;
}

void TUniCustomComboBox::WideComboAutoComplete(char16_t& Key) {
  if (!IsEditStyle(Style()))
    throw EUniInternalError(
        "Internal Error: UniCombo_AutoCompleteKeyPress is only for csSimple and csDropDown style combo boxes.");
  if (!AutoComplete()) return;
  switch (Key) {
    case u'\b':
    case 27: return;
    case u'\t':
      if (AutoDropDown() && DroppedDown()) SetDroppedDown(false);
      return;
    default: break;
  }
  if (AutoDropDown() && !DroppedDown()) WideComboDropDownKeepText();
  const WideString text = Text();
  const int start = SelStart(), length = SelLength();
  if (std::size_t(start + length) != text.size()) return;
  if (WideComboSelectPrefix(text.substr(0, std::size_t(start)) + Key, true, false)) Key = 0;
}

void TUniCustomComboBox::WideComboTypeAhead(char16_t& Key) {
  if (!AutoComplete()) return;
  switch (Key) {
    case u'\b':
      if (!FFilter.empty()) FFilter.pop_back();
      return;
    case u'\t':
      if (AutoDropDown() && DroppedDown()) SetDroppedDown(false);
      return;
    case 27: return;
    default: break;
  }
  if (AutoDropDown() && !DroppedDown()) SetDroppedDown(true);
  const win::DWORD now = win::GetTickCount();
  if (!FHasKeyTime || now - FLastKeyTime >= kTypeAheadReset) FFilter.clear();
  FLastKeyTime = now;
  FHasKeyTime = true;
  if (WideComboSelectPrefix(FFilter + Key, true, false)) {
    FFilter += Key;
    Key = 0;
  }
}

int WideComboSelStart(TUniCustomComboBox* Combo) { return Combo->SelStart(); }
void SetWideComboSelStart(TUniCustomComboBox* Combo, int Value) { Combo->SetSelStart(Value); }
int WideComboSelLength(TUniCustomComboBox* Combo) { return Combo->SelLength(); }
void SetWideComboSelLength(TUniCustomComboBox* Combo, int Value) { Combo->SetSelLength(Value); }
WideString WideComboSelText(TUniCustomComboBox* Combo) { return Combo->SelText(); }

// Wide edit routines ----------------------------------------------------------------------------

int WideEditSelStart(fw::TCustomEdit* Edit) { return Edit->SelStart(); }
void SetWideEditSelStart(fw::TCustomEdit* Edit, int Value) { Edit->SetSelStart(Value); }
int WideEditSelLength(fw::TCustomEdit* Edit) { return Edit->SelLength(); }
void SetWideEditSelLength(fw::TCustomEdit* Edit, int Value) { Edit->SetSelLength(Value); }
WideString WideEditSelText(fw::TCustomEdit* Edit) { return Utf8ToWide(Edit->SelText()); }

char16_t AnsiPasswordChar(char16_t C) { return C < 256 ? C : u'*'; }

char16_t WidePasswordCharOf(fw::TCustomEdit* Edit, char16_t& Stored) {
  // The framework's edit holds the whole character; a value set there directly wins.
  if (Edit->PasswordChar() != Stored) Stored = Edit->PasswordChar();
  return Stored;
}

void SetWidePasswordCharOf(fw::TCustomEdit* Edit, char16_t& Stored, char16_t Value) {
  if (Value == WidePasswordCharOf(Edit, Stored)) return;
  Stored = Value;
  Edit->SetPasswordChar(Value);
}

void SetWideEditPasswordChar(fw::TCustomEdit* Edit, char16_t Stored) { Edit->SetPasswordChar(Stored); }

}  // namespace cs
