#pragma once
// The control set's edit, drop-down and combo-box items for toolbars and menus. They are the
// themed edit item with wide texts and letter case for every script; the combo item keeps its
// entries in an inner wide list item, completes typed text from them and steps through them
// with the arrow keys.

#include "controls/CsListItem.h"
#include "controls/UniSystem.h"
#include "tx/TxExtItems.h"

namespace cs {

using fw::Integer;

using TCsCAdjustImageIndex =
    std::function<void(fw::TObject* Sender, const WideString& AText, Integer AIndex, Integer& ImageIndex)>;

// S starts with Prefix, letters compared without case.
bool WideStartsText(std::u16string_view Prefix, std::u16string_view S);

class TCsEditItem : public tx::TTxEditItem {
 public:
  explicit TCsEditItem(fw::TComponent* AOwner);

  using tx::TTxEditItem::SetText;
  WideString WideText() const;
  void SetText(const WideString& Value);
  using tx::TTxEditItem::SetEditCaption;
  WideString WideEditCaption() const;
  void SetEditCaption(const WideString& Value);
  using tx::TTxEditItem::SetHint;
  WideString WideHint() const;
  void SetHint(const WideString& Value);

  // Upper or lower case of every script's letters.
  void DoTextChanging(const String& OldText, String& NewText,
                      toolbars::TTBEditItemChangeReason Reason) override;
  toolbars::TTBItemViewerClass GetItemViewerClass(toolbars::TTBView* AView) override;

 private:
  WideString FText, FEditCaption, FHint;
};

class TCsEditItemViewer : public tx::TTxEditItemViewer {
 public:
  using tx::TTxEditItemViewer::TTxEditItemViewer;
};

// An edit item with a drop-down button opening its sub-items (F4 opens them too).
class TCsCustomDropDownItem : public TCsEditItem {
 public:
  explicit TCsCustomDropDownItem(fw::TComponent* AOwner);
  toolbars::TTBItemViewerClass GetItemViewerClass(toolbars::TTBView* AView) override;
};

class TCsDropDownItemViewer : public TCsEditItemViewer {
 public:
  using TCsEditItemViewer::TCsEditItemViewer;
  bool HandleEditMessage(fw::TMessage& Message) override;
  // After an edit ended by F4 the list opens.
  bool DoExecute() override;
  Integer GetIndentAfter() override;
  Integer GetAccRole() override { return 46; }  // combo box
  // The edit box is the button part; the drop-down button right of it opens the list.
  bool IsPtInButtonPart(Integer X, Integer Y) override;
  // The drop-down button: disabled with the item, hot under the mouse, pressed while the list is open.
  void GetEditInfo(tx::TTxEditFrameInfo& EditInfo) override;
  void MouseDown(fw::TShiftState Shift, Integer X, Integer Y, bool& MouseDownOnMenu) override;
  void MouseUp(Integer X, Integer Y, bool MouseWasDownOnMenu) override;

 private:
  bool FOpenListAfterEdit = false;
  bool FPressedOnButton = false;  // the last press was on the drop-down button, not the box
};

class TCsComboBoxItem : public TCsCustomDropDownItem {
 public:
  explicit TCsComboBoxItem(fw::TComponent* AOwner);
  ~TCsComboBoxItem() override;

  TCsStringList* List() const { return FList; }
  TUniStringList* Strings() const { return FList->Strings(); }
  void SetStrings(fw::TPersistent* Value) { FList->SetStrings(Value); }
  // -1: none. Choosing an entry copies it into Text.
  Integer ItemIndex() const { return FList->ItemIndex(); }
  void SetItemIndex(Integer Value) { FList->SetItemIndex(Value); }
  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool Value) { FAutoComplete = Value; }
  // The text can only be chosen from the list, not typed.
  bool DropDownList() const { return FDropDownList; }
  void SetDropDownList(bool Value) { FDropDownList = Value; }

  fw::TNotifyEvent OnItemClick;
  TCsCAdjustImageIndex OnAdjustImageIndex;

  // Among the entries starting with Text (letters without case), the shortest; an entry of
  // exactly Text's length ends the search.
  bool DoAutoComplete(String& Text) override;
  // ItemIndex when an entry is chosen, else ImageIndex; then OnAdjustImageIndex. Kept until
  // the text or the list changes.
  Integer GetImageIndex() override;
  void DoBeginEdit(toolbars::TTBEditItemViewer* Viewer) override;
  void DoTextChanged(toolbars::TTBEditItemChangeReason Reason) override;
  toolbars::TTBPopupWindow* CreatePopup(toolbars::TTBView* ParentView, toolbars::TTBItemViewer* ParentViewer,
                                        bool PositionAsSubmenu, bool SelectFirstItem, bool Customizing,
                                        const fw::TPoint& APopupPoint, fw::Byte Alignment) override;
  toolbars::TTBItemViewerClass GetItemViewerClass(toolbars::TTBView* AView) override;

 private:
  void ListChanged();

  TCsStringList* FList = nullptr;
  bool FAutoComplete = true, FDropDownList = false;
  Integer FCachedImageIndex = -1;
  bool FImageIndexValid = false;
};

class TCsComboBoxItemViewer : public TCsDropDownItemViewer {
 public:
  using TCsDropDownItemViewer::TCsDropDownItemViewer;
  // Up and Down choose the entry before or after the current one and select the whole text.
  bool HandleEditMessage(fw::TMessage& Message) override;
};

}  // namespace cs
