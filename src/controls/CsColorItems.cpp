#include "controls/CsColorItems.h"

#include <memory>

#include "framework/Dialogs.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsObjects.h"
#include "platform/kernel/TextConvert.h"

namespace cs {

bool IsPickableColor(fw::TColor Color) {
  if (Color == fw::clNone || Color == fw::clDefault) return true;
  if (Color >= 0) return Color <= 0xFFFFFF;
  // A system colour: the flag and an index of the system colour table, nothing else.
  return (Color & 0x7FFFFF00) == 0 && (Color & 0xFF) <= 30;
}

void PaintColorBar(fw::TCanvas* Canvas, const fw::TRect& R, fw::TColor Color) {
  Canvas->Pen()->SetStyle(fw::psSolid);
  Canvas->Pen()->SetColor(0x808080);
  if (Color == fw::clNone) {
    Canvas->Brush()->SetStyle(fw::bsClear);
  } else {
    Canvas->Brush()->SetStyle(fw::bsSolid);
    Canvas->Brush()->SetColor(Color == fw::clDefault ? fw::clWindow : Color);
  }
  Canvas->Rectangle(R);
  Canvas->Brush()->SetStyle(fw::bsSolid);
}

// ---- entries ----

TCsColorDefault::TCsColorDefault(fw::TComponent* AOwner, ICsColorPicker* Picker)
    : tx::TTxColorItem(AOwner), FPicker(Picker) {}

void TCsColorDefault::Click() {
  tx::TTxColorItem::Click();
  if (FPicker != nullptr) FPicker->SetPickedColor(Color());
}

TCsColorPalette::TCsColorPalette(fw::TComponent* AOwner, ICsColorPicker* Picker)
    : tx::TTxColorPalette(AOwner), FPicker(Picker) {}

void TCsColorPalette::DoChange() {
  tx::TTxColorPalette::DoChange();
  // Only a pick in the grid goes to the picker, not a colour the picker passed on.
  if (FPassing || FPicker == nullptr || SelectedCell().x < 0) return;
  FReporting = true;
  FPicker->SetPickedColor(Color());
  FReporting = false;
}

void TCsColorPalette::TakeColor(fw::TColor Value) {
  FPassing = true;
  SetColor(Value);
  FPassing = false;
}

TCsColorSelector::TCsColorSelector(fw::TComponent* AOwner, ICsColorPicker* Picker)
    : tx::TTxColorItem(AOwner), FPicker(Picker) {}

void TCsColorSelector::Click() {
  tx::TTxColorItem::Click();
  auto dialog = std::make_unique<fw::TColorDialog>(nullptr);
  dialog->SetColor(Color());
  dialog->SetOptions({fw::cdFullOpen, fw::cdAnyColor});
  if (!dialog->Execute()) return;
  SetColor(dialog->Color());
  if (FPicker == nullptr) return;
  FReporting = true;
  FPicker->SetPickedColor(dialog->Color());
  FReporting = false;
}

// ---- the menu ----

TCsColorMenu::~TCsColorMenu() {
  // Entries that outlive the picker (their menu freed later) no longer call it.
  if (FDefault != nullptr) FDefault->FPicker = nullptr;
  if (FGrid != nullptr) FGrid->FPicker = nullptr;
  if (FSelector != nullptr) FSelector->FPicker = nullptr;
}

void TCsColorMenu::Watch(toolbars::TTBCustomItem* Entry) {
  if (FWatcher != nullptr) Entry->FreeNotification(FWatcher);
}

void TCsColorMenu::Forget(fw::TComponent* Entry) {
  if (Entry == FDefault) FDefault = nullptr;
  if (Entry == FSeparator1) FSeparator1 = nullptr;
  if (Entry == FGrid) FGrid = nullptr;
  if (Entry == FSeparator2) FSeparator2 = nullptr;
  if (Entry == FSelector) FSelector = nullptr;
  if (Entry == FColorSet) FColorSet = nullptr;
}

void TCsColorMenu::SetColorSet(tx::TTxCustomColorSet* Value, fw::TColor Current) {
  if (Value == FColorSet) return;
  if (FColorSet != nullptr && FWatcher != nullptr) FColorSet->RemoveFreeNotification(FWatcher);
  FColorSet = Value;
  if (Value != nullptr && FWatcher != nullptr) Value->FreeNotification(FWatcher);
  if (FGrid == nullptr) return;
  FGrid->SetColorSet(Value);
  // The cell holding the colour may sit elsewhere (or nowhere) in the new set.
  FGrid->TakeColor(Current);
}

template <class T>
T* TCsColorMenu::Place(toolbars::TTBCustomItem* Root, T*& Slot, T* Entry) {
  Root->Insert(0, Entry);
  Slot = Entry;
  Watch(Entry);
  return Entry;
}

void TCsColorMenu::Build(toolbars::TTBCustomItem* Root, fw::TColor Current, fw::TColor DefaultColor,
                         bool DefaultVisible, bool ShowSeparators) {
  if (FSelector == nullptr) {
    auto* entry = Place(Root, FSelector, new TCsColorSelector(Root, FPicker));
    entry->SetColor(Current);
    entry->SetCaption(win::WideToUtf8(u"Выбрать..."));
  }
  if (FSeparator2 == nullptr && ShowSeparators) Place(Root, FSeparator2, new tx::TTxSeparatorItem(Root));
  if (FGrid == nullptr) {
    auto* grid = Place(Root, FGrid, new TCsColorPalette(Root, FPicker));
    grid->SetColorSet(FColorSet);  // before the colour, whose cell is looked up in the set
    grid->TakeColor(Current);
  }
  if (FSeparator1 == nullptr && DefaultVisible && ShowSeparators)
    Place(Root, FSeparator1, new tx::TTxSeparatorItem(Root));
  if (FDefault == nullptr && DefaultVisible) {
    auto* entry = Place(Root, FDefault, new TCsColorDefault(Root, FPicker));
    entry->SetColor(DefaultColor);
    entry->SetCaption(win::WideToUtf8(u"Авто"));
  }
}

void TCsColorMenu::PassOn(fw::TColor Current) {
  if (FSelector != nullptr && !FSelector->Reporting()) FSelector->SetColor(Current);
  if (FGrid != nullptr && !FGrid->Reporting()) FGrid->TakeColor(Current);
}

void TCsColorMenu::SetDefaultColor(fw::TColor Value) {
  if (FDefault != nullptr) FDefault->SetColor(Value);
}

void TCsColorPickerBase::StoreColor(fw::TColor Value) {
  if (FPickedColor == Value || !IsPickableColor(Value)) return;
  FPickedColor = Value;
  RepaintFace();
  FMenu.PassOn(Value);
  if (OnColorChange) OnColorChange(FSelf);
}

void TCsColorPickerBase::SetDefaultColor(fw::TColor Value) {
  if (FDefaultColor == Value || !IsPickableColor(Value)) return;
  FDefaultColor = Value;
  FMenu.SetDefaultColor(Value);
}

// ---- colour item ----

TCsColorItem::TCsColorItem(fw::TComponent* AOwner)
    : tx::TTxSubmenuItem(AOwner), TCsColorPickerBase(this, false, true) {
  SetOptions(Options() + toolbars::TTBItemOptions{toolbars::tboDropdownArrow, toolbars::tboToolbarStyle});
}

void TCsColorItem::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  tx::TTxSubmenuItem::Notification(AComponent, Operation);
  if (Operation == fw::opRemove) Forget(AComponent);
}

void TCsColorItem::DoPopup(toolbars::TTBCustomItem* Sender, bool FromLink) {
  BuildMenu(this);
  tx::TTxSubmenuItem::DoPopup(Sender, FromLink);
}

toolbars::TTBItemViewerClass TCsColorItem::GetItemViewerClass(toolbars::TTBView* /*AView*/) {
  return toolbars::TTBItemViewerClass::Of<TCsColorItemViewer>();
}

void TCsColorItemViewer::BeforePaintCaption(fw::TCanvas* Canvas, const fw::TRect& /*ClientAreaRect*/,
                                            const fw::String& /*Text*/, fw::TRect& CaptionRect,
                                            bool /*IsTextRotated*/, bool& PaintDefault) {
  PaintDefault = false;
  PaintColorBar(Canvas, CaptionRect, static_cast<TCsColorItem*>(Item())->Color());
}

}  // namespace cs
