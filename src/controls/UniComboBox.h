#pragma once
// The wide combo box: wide items and text, completion of typed text from the items in the edit
// styles, type-ahead over the items in the list styles (keys less than 1250 ms apart extend the
// search), wide item drawing; and the wide edit routines the control set's edit builds on.
//
// The items live in the combo window (whose messages are UTF-16 on this platform) and survive
// the window's re-creation with the framework's own keeping; the wide list is a view of them.

#include <memory>

#include "controls/UniActions.h"
#include "controls/UniControls.h"
#include "controls/UniStrings.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/StdCtrlsList.h"

namespace cs {

class TUniCustomComboBox;

// The items of a wide combo box as a wide list (objects included).
class TUniComboBoxStrings : public TUniStrings {
 public:
  explicit TUniComboBoxStrings(TUniCustomComboBox* ComboBox) : FComboBox(ComboBox) {}
  TUniCustomComboBox* ComboBox() const { return FComboBox; }
  WideString Get(int Index) const override;
  int GetCount() const override;
  fw::TObject* GetObject(int Index) const override;
  void PutObject(int Index, fw::TObject* AObject) override;
  void SetUpdateState(bool Updating) override;
  int Add(const WideString& S) override;
  void Insert(int Index, const WideString& S) override;
  void Delete(int Index) override;
  // Clears the items and keeps the text.
  void Clear() override;
  // Case-insensitive whole-item match, as the combo window's own search.
  int IndexOf(std::u16string_view S) const override;

 private:
  TUniCustomComboBox* FComboBox;
};

class TUniCustomComboBox : public fw::TCustomComboBox, public IUniListControl {
 public:
  explicit TUniCustomComboBox(fw::TComponent* AOwner);
  ~TUniCustomComboBox() override;

  TUniComboBoxStrings* Items() const { return FItems.get(); }
  void SetItems(TUniStrings* Value);
  WideString Text() { return WideControlText(this); }
  void SetText(const WideString& Value) { SetWideControlText(this, Value); }
  WideString Hint() { return WideControlHint(this); }
  void SetHint(const WideString& Value) { SetWideControlHint(this, Value); }
  using fw::TCustomComboBox::SetText;

  void AddItem(const WideString& Item, fw::TObject* AObject) override;
  // Adds the selected item (text and object) to another list control.
  void CopySelection(fw::TControl* Destination);

  // Selection in UTF-16 units (the platform's own).
  int SelStart() { return fw::TCustomComboBox::SelStart(); }
  int SelLength() { return fw::TCustomComboBox::SelLength(); }
  WideString SelText();

  void DefineProperties(fw::TFiler* Filer) override;
  void Dispatch(fw::TMessage& Message) override;

 protected:
  // A Unicode window subclassing the standard combo box.
  void CreateWindowHandle(const fw::TCreateParams& Params) override;
  TActionLinkFactory GetActionLinkClass() override { return WideActionLinkClass(this); }
  void ActionChange(fw::TObject* Sender, bool CheckDefaults) override;
  void KeyPress(char16_t& Key) override;
  void DrawItem(fw::Integer Index, const fw::TRect& Rect, fw::TOwnerDrawState State) override;
  // Completion of an edit style's text (the key is used up when an item completes it).
  virtual void DoEditCharMsg(char16_t& Key);

 private:
  friend class TUniComboBoxStrings;
  void WideComboAutoComplete(char16_t& Key);
  void WideComboTypeAhead(char16_t& Key);
  bool WideComboSelectPrefix(const WideString& Prefix, bool PreserveCase, bool UniqueOnly);
  int WideComboFindPrefix(int StartIndex, const WideString& Prefix);
  int WideComboFindUniquePrefix(const WideString& Prefix);
  void WideComboDropDownKeepText();

  std::unique_ptr<TUniComboBoxStrings> FItems;
  WideString FFilter;           // type-ahead text of a list style
  win::DWORD FLastKeyTime = 0;  // tick of the last type-ahead key
  bool FHasKeyTime = false;
};

class TUniComboBox : public TUniCustomComboBox {
 public:
  using TUniCustomComboBox::TUniCustomComboBox;
};

// The combo's selection in UTF-16 units; the selected text is empty for the list styles.
int WideComboSelStart(TUniCustomComboBox* Combo);
void SetWideComboSelStart(TUniCustomComboBox* Combo, int Value);
int WideComboSelLength(TUniCustomComboBox* Combo);
void SetWideComboSelLength(TUniCustomComboBox* Combo, int Value);
WideString WideComboSelText(TUniCustomComboBox* Combo);

// Wide edit routines: selection in UTF-16 units and the password character, which the
// platform's edit holds whole (the framework's PasswordChar is wide).
int WideEditSelStart(fw::TCustomEdit* Edit);
void SetWideEditSelStart(fw::TCustomEdit* Edit, int Value);
int WideEditSelLength(fw::TCustomEdit* Edit);
void SetWideEditSelLength(fw::TCustomEdit* Edit, int Value);
WideString WideEditSelText(fw::TCustomEdit* Edit);
// C below 256, else "*".
char16_t AnsiPasswordChar(char16_t C);
char16_t WidePasswordCharOf(fw::TCustomEdit* Edit, char16_t& Stored);
void SetWidePasswordCharOf(fw::TCustomEdit* Edit, char16_t& Stored, char16_t Value);
// Gives the edit the stored wide password character again.
void SetWideEditPasswordChar(fw::TCustomEdit* Edit, char16_t Stored);

}  // namespace cs
