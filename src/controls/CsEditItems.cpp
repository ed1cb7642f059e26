#include "controls/CsEditItems.h"

#include "controls/CsItems.h"
#include "controls/UniControls.h"
#include "controls/UniFiles.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/services/SysMetrics.h"
#include "toolbars/TBItemView.h"
#include "tx/Tx.h"

namespace cs {

using toolbars::TTBEditItemChangeReason;

namespace {

// An edit box in horizontal views; in vertical ones too when the item asks, else a plain button.
template <class TViewer>
toolbars::TTBItemViewerClass EditViewerFor(toolbars::TTBEditItem* Item, toolbars::TTBView* AView) {
  if (Item->EditOptions().Contains(toolbars::tboUseEditWhenVertical) || !AView ||
      AView->Orientation() != toolbars::tbvoVertical)
    return toolbars::TTBItemViewerClass::Of<TViewer>();
  return toolbars::TTBItemViewerClass::Of<TCsItemViewer>();
}

}  // namespace

bool WideStartsText(std::u16string_view Prefix, std::u16string_view S) {
  return S.size() >= Prefix.size() && win::CompareTextIgnoreCase(S.substr(0, Prefix.size()), Prefix) == 0;
}

// ---- edit item -------------------------------------------------------------------------------

TCsEditItem::TCsEditItem(fw::TComponent* AOwner) : tx::TTxEditItem(AOwner) {}

WideString TCsEditItem::WideText() const {
  return SyncedWideValue(FText, Text());
}

void TCsEditItem::SetText(const WideString& Value) {
  SyncWideValue(Value, FText, Text(), [this](const String& S) { tx::TTxEditItem::SetText(S); });
}

WideString TCsEditItem::WideEditCaption() const {
  return SyncedWideValue(FEditCaption, EditCaption());
}

void TCsEditItem::SetEditCaption(const WideString& Value) {
  if (Value == WideEditCaption()) return;
  SyncWideValue(Value, FEditCaption, EditCaption(),
                [this](const String& S) { tx::TTxEditItem::SetEditCaption(S); });
}

WideString TCsEditItem::WideHint() const {
  return SyncedWideValue(FHint, Hint());
}

void TCsEditItem::SetHint(const WideString& Value) {
  if (Value == WideHint()) return;
  SyncWideValue(Value, FHint, Hint(), [this](const String& S) { tx::TTxEditItem::SetHint(S); });
}

void TCsEditItem::DoTextChanging(const String& /*OldText*/, String& NewText,
                                 TTBEditItemChangeReason /*Reason*/) {
  if (CharCase() == fw::ecUpperCase)
    NewText = win::WideToUtf8(WideUpperCaseCopy(win::Utf8ToWide(NewText)));
  else if (CharCase() == fw::ecLowerCase)
    NewText = win::WideToUtf8(WideLowerCaseCopy(win::Utf8ToWide(NewText)));
}

toolbars::TTBItemViewerClass TCsEditItem::GetItemViewerClass(toolbars::TTBView* AView) {
  return EditViewerFor<TCsEditItemViewer>(this, AView);
}

// ---- drop-down item --------------------------------------------------------------------------

TCsCustomDropDownItem::TCsCustomDropDownItem(fw::TComponent* AOwner) : TCsEditItem(AOwner) {
  SetItemStyle((ItemStyle() | toolbars::tbisSubmenu | toolbars::tbisCombo | toolbars::tbisSubitemsEditable) &
               ~toolbars::tbisDontSelectFirst);
}

toolbars::TTBItemViewerClass TCsCustomDropDownItem::GetItemViewerClass(toolbars::TTBView* AView) {
  return EditViewerFor<TCsDropDownItemViewer>(this, AView);
}

bool TCsDropDownItemViewer::HandleEditMessage(fw::TMessage& Message) {
  if (Message.Msg == win::WM_KEYDOWN && Message.WParam == win::VK_F4 && FEditControl) {
    AcceptEditText();
    FEditFlags = 0;  // ends the edit; DoExecute opens the list
    FOpenListAfterEdit = true;
    return true;
  }
  return TCsEditItemViewer::HandleEditMessage(Message);
}

bool TCsDropDownItemViewer::DoExecute() {
  FOpenListAfterEdit = false;
  const bool result = TCsEditItemViewer::DoExecute();
  if (FOpenListAfterEdit) {
    FOpenListAfterEdit = false;
    View()->SetSelected(this);
    View()->OpenChildPopup(true);
    return false;
  }
  return result;
}

Integer TCsDropDownItemViewer::GetIndentAfter() {
  if (IsToolbarStyle()) return tx::CurrentTheme->GetIntegerMetric(tx::TMI_EDIT_BUTTON_WIDTH);
  return win::GetSystemMetrics(win::SM_CXMENUCHECK) + 2;
}

bool TCsDropDownItemViewer::IsPtInButtonPart(Integer X, Integer /*Y*/) {
  return X < (BoundsRect().right - BoundsRect().left) - GetIndentAfter();
}

void TCsDropDownItemViewer::GetEditInfo(tx::TTxEditFrameInfo& EditInfo) {
  TCsEditItemViewer::GetEditInfo(EditInfo);
  EditInfo.RightButtonInfo.ButtonType = tx::EBT_DROPDOWN;
  Integer state = 0;
  if (!Item()->Enabled()) state |= tx::EBDS_DISABLED;
  else if (View()->Selected() == this) state |= tx::EBDS_HOT;
  if (View()->OpenViewer() == this) state |= tx::EBDS_PRESSED;
  EditInfo.RightButtonInfo.ButtonState = state;
}

void TCsDropDownItemViewer::MouseDown(fw::TShiftState Shift, Integer X, Integer Y, bool& MouseDownOnMenu) {
  FPressedOnButton = Item()->Enabled() && !IsPtInButtonPart(X, Y);
  if (FPressedOnButton)
    toolbars::TTBItemViewer::MouseDown(Shift, X, Y, MouseDownOnMenu);  // opens the list as a submenu
  else
    TCsEditItemViewer::MouseDown(Shift, X, Y, MouseDownOnMenu);
}

void TCsDropDownItemViewer::MouseUp(Integer X, Integer Y, bool MouseWasDownOnMenu) {
  if (FPressedOnButton) {
    FPressedOnButton = false;
    toolbars::TTBItemViewer::MouseUp(X, Y, MouseWasDownOnMenu);
  } else {
    TCsEditItemViewer::MouseUp(X, Y, MouseWasDownOnMenu);
  }
}

// ---- combo-box item --------------------------------------------------------------------------

TCsComboBoxItem::TCsComboBoxItem(fw::TComponent* AOwner) : TCsCustomDropDownItem(AOwner) {
  FList = new TCsStringList(this);
  FList->SetMinWidth(64);
  FList->SetMaxVisibleItems(8);
  FList->OnChange = [this](fw::TObject*) { ListChanged(); };
  FList->OnClick = [this](fw::TObject*) {
    if (OnItemClick) OnItemClick(this);
  };
  FList->OnAdjustImageIndex = [this](fw::TObject*, Integer Index, Integer& ImageIndex) {
    if (OnAdjustImageIndex && Index >= 0 && Index < Strings()->GetCount())
      OnAdjustImageIndex(this, Strings()->Get(int(Index)), Index, ImageIndex);
  };
  const auto previous = Strings()->OnChange;
  Strings()->OnChange = [this, previous](fw::TObject* Sender) {
    FImageIndexValid = false;
    if (previous) previous(Sender);
  };
  Add(FList);
}

TCsComboBoxItem::~TCsComboBoxItem() = default;

void TCsComboBoxItem::ListChanged() {
  FImageIndexValid = false;
  const Integer i = FList->ItemIndex();
  if (i < 0 || i >= Strings()->GetCount()) return;
  const WideString entry = Strings()->Get(int(i));
  if (entry != WideText()) SetText(entry);
}

bool TCsComboBoxItem::DoAutoComplete(String& Text) {
  if (!FAutoComplete) return false;
  const WideString typed = win::Utf8ToWide(Text);
  int best = -1;
  for (int i = 0; i < Strings()->GetCount(); ++i) {
    const WideString entry = Strings()->Get(i);
    if (entry.size() < typed.size() || !WideStartsText(typed, entry)) continue;
    if (best < 0 || entry.size() < Strings()->Get(best).size()) best = i;
    if (entry.size() == typed.size()) break;
  }
  if (best < 0) return false;
  Text = win::WideToUtf8(Strings()->Get(best));
  return true;
}

Integer TCsComboBoxItem::GetImageIndex() {
  if (FImageIndexValid) return FCachedImageIndex;
  Integer index = ItemIndex() >= 0 ? ItemIndex() : ImageIndex();
  if (OnAdjustImageIndex) OnAdjustImageIndex(this, WideText(), -1, index);
  FCachedImageIndex = index;
  FImageIndexValid = true;
  return index;
}

void TCsComboBoxItem::DoBeginEdit(toolbars::TTBEditItemViewer* Viewer) {
  TCsCustomDropDownItem::DoBeginEdit(Viewer);
  if (FDropDownList && Viewer->EditControl()) Viewer->EditControl()->SetReadOnly(true);
}

void TCsComboBoxItem::DoTextChanged(TTBEditItemChangeReason Reason) {
  FImageIndexValid = false;
  TCsCustomDropDownItem::DoTextChanged(Reason);
}

toolbars::TTBPopupWindow* TCsComboBoxItem::CreatePopup(toolbars::TTBView* ParentView,
                                                       toolbars::TTBItemViewer* ParentViewer,
                                                       bool PositionAsSubmenu, bool SelectFirstItem,
                                                       bool Customizing, const fw::TPoint& APopupPoint,
                                                       fw::Byte Alignment) {
  const int at = Strings()->IndexOf(WideText());
  if (at >= 0) FList->SetItemIndex(at);
  return TCsCustomDropDownItem::CreatePopup(ParentView, ParentViewer, PositionAsSubmenu, true, Customizing,
                                            APopupPoint, Alignment);
}

toolbars::TTBItemViewerClass TCsComboBoxItem::GetItemViewerClass(toolbars::TTBView* AView) {
  return EditViewerFor<TCsComboBoxItemViewer>(this, AView);
}

bool TCsComboBoxItemViewer::HandleEditMessage(fw::TMessage& Message) {
  auto* item = dynamic_cast<TCsComboBoxItem*>(Item());
  if (item && FEditControl && Message.Msg == win::WM_KEYDOWN &&
      (Message.WParam == win::VK_UP || Message.WParam == win::VK_DOWN)) {
    const Integer step = Message.WParam == win::VK_UP ? -1 : 1;
    const Integer next = item->ItemIndex() + step;
    if (next >= 0 && next < item->Strings()->GetCount()) item->SetItemIndex(next);
    FEditControl->SetText(item->Text());
    FEditControl->SelectAll();
    return true;
  }
  return TCsDropDownItemViewer::HandleEditMessage(Message);
}

}  // namespace cs
