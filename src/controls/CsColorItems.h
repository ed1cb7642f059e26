#pragma once
// The colour pickers' menu and the drop-down colour item. The menu reads, top to bottom: "Авто"
// (optional), a separator (optional), the colour grid (the themed engine's colour palette, showing
// the picker's colour set or the forty named colours), a separator (optional) and "Выбрать...",
// which opens the platform's colour dialog. Entries are made on the first popup and never
// removed. The grid and the dialog entry each know they are reporting while they push a colour
// to the picker, so that the picker does not push it back to them.

#include "tx/TxColorPalette.h"
#include "tx/TxExtItems.h"
#include "tx/TxItems.h"

namespace cs {

// A picker (colour item or colour button) as its menu entries see it.
class ICsColorPicker {
 public:
  virtual ~ICsColorPicker() = default;
  virtual void SetPickedColor(fw::TColor Value) = 0;
};

// True for colours a picker stores: RGB values, system colours, clNone and clDefault.
bool IsPickableColor(fw::TColor Color);

// "Авто": picks its own colour.
class TCsColorDefault : public tx::TTxColorItem {
 public:
  TCsColorDefault(fw::TComponent* AOwner, ICsColorPicker* Picker);
  void Click() override;

 private:
  friend class TCsColorMenu;
  ICsColorPicker* FPicker;
};

class TCsColorPalette : public tx::TTxColorPalette {
 public:
  TCsColorPalette(fw::TComponent* AOwner, ICsColorPicker* Picker);
  bool Reporting() const { return FReporting; }
  // Shows the picker's colour without reporting it back.
  void TakeColor(fw::TColor Value);

 protected:
  void DoChange() override;

 private:
  friend class TCsColorMenu;
  ICsColorPicker* FPicker;
  bool FReporting = false;
  bool FPassing = false;
};

// "Выбрать...": the colour dialog, full open and any colour, starting at the entry's colour.
class TCsColorSelector : public tx::TTxColorItem {
 public:
  TCsColorSelector(fw::TComponent* AOwner, ICsColorPicker* Picker);
  bool Reporting() const { return FReporting; }
  void Click() override;

 private:
  friend class TCsColorMenu;
  ICsColorPicker* FPicker;
  bool FReporting = false;
};

// The entries of one picker, built into a root item (the item's submenu or the button's popup).
class TCsColorMenu {
 public:
  // Watcher: the picker's component, told (Notification) when an entry is freed; it then calls
  // Forget.
  TCsColorMenu(ICsColorPicker* Picker, fw::TComponent* Watcher) : FPicker(Picker), FWatcher(Watcher) {}
  ~TCsColorMenu();
  TCsColorMenu(const TCsColorMenu&) = delete;
  TCsColorMenu& operator=(const TCsColorMenu&) = delete;

  // Makes the entries not made yet, each at the top, so that they read in menu order.
  void Build(toolbars::TTBCustomItem* Root, fw::TColor Current, fw::TColor DefaultColor, bool DefaultVisible,
             bool ShowSeparators);
  // The grid's colours (nullptr: the default set); the grid, once made, takes the set and then
  // Current again. The set is watched: freed, it is forgotten.
  tx::TTxCustomColorSet* ColorSet() const { return FColorSet; }
  void SetColorSet(tx::TTxCustomColorSet* Value, fw::TColor Current);
  // A new current colour for the dialog entry and the grid, each unless it reported it.
  void PassOn(fw::TColor Current);
  void SetDefaultColor(fw::TColor Value);
  void Forget(fw::TComponent* Entry);

  TCsColorDefault* DefaultEntry() const { return FDefault; }
  TCsColorPalette* Grid() const { return FGrid; }
  TCsColorSelector* Selector() const { return FSelector; }

 private:
  void Watch(toolbars::TTBCustomItem* Entry);
  // Inserts the entry at the top of Root and remembers it in Slot.
  template <class T>
  T* Place(toolbars::TTBCustomItem* Root, T*& Slot, T* Entry);

  ICsColorPicker* FPicker;
  fw::TComponent* FWatcher;
  TCsColorDefault* FDefault = nullptr;
  tx::TTxSeparatorItem* FSeparator1 = nullptr;
  TCsColorPalette* FGrid = nullptr;
  tx::TTxSeparatorItem* FSeparator2 = nullptr;
  TCsColorSelector* FSelector = nullptr;
  tx::TTxCustomColorSet* FColorSet = nullptr;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// What the colour item and the colour button share: the current colour, the "Авто" entry's
// colour, the menu's options and the menu itself. Self is the picker as a component (the sender
// of OnColorChange and the watcher of the menu's entries).
class TCsColorPickerBase : public ICsColorPicker {
 public:
  fw::TColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(fw::TColor Value);
  bool DefaultVisible() const { return FDefaultVisible; }
  void SetDefaultVisible(bool Value) { FDefaultVisible = Value; }
  bool ShowSeparators() const { return FShowSeparators; }
  void SetShowSeparators(bool Value) { FShowSeparators = Value; }
  tx::TTxCustomColorSet* ColorSet() const { return FMenu.ColorSet(); }
  void SetColorSet(tx::TTxCustomColorSet* Value) { FMenu.SetColorSet(Value, FPickedColor); }
  const TCsColorMenu& Menu() const { return FMenu; }

  fw::TNotifyEvent OnColorChange;

 protected:
  TCsColorPickerBase(fw::TComponent* Self, bool DefaultVisible, bool ShowSeparators)
      : FSelf(Self), FDefaultVisible(DefaultVisible), FShowSeparators(ShowSeparators), FMenu{this, Self} {}
  // A different, pickable colour: stored, repainted, passed on to the menu, then OnColorChange.
  void StoreColor(fw::TColor Value);
  virtual void RepaintFace() = 0;
  void BuildMenu(toolbars::TTBCustomItem* Root) {
    FMenu.Build(Root, FPickedColor, FDefaultColor, FDefaultVisible, FShowSeparators);
  }
  // From the picker's Notification.
  void Forget(fw::TComponent* AComponent) { FMenu.Forget(AComponent); }

  fw::TColor PickedColor() const { return FPickedColor; }

 private:
  fw::TColor FPickedColor = fw::clDefault;
  fw::TComponent* FSelf;
  fw::TColor FDefaultColor = fw::clDefault;
  bool FDefaultVisible;
  bool FShowSeparators;
  TCsColorMenu FMenu;
};

// A drop-down colour item for toolbars: its face is a grey-framed bar of the current colour.
class TCsColorItem : public tx::TTxSubmenuItem, public TCsColorPickerBase {
 public:
  explicit TCsColorItem(fw::TComponent* AOwner);

  // clDefault after construction. An unpickable value is refused (nothing changes).
  fw::TColor Color() const { return PickedColor(); }
  void SetColor(fw::TColor Value) { StoreColor(Value); }

  void SetPickedColor(fw::TColor Value) override { SetColor(Value); }
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  void DoPopup(toolbars::TTBCustomItem* Sender, bool FromLink) override;
  toolbars::TTBItemViewerClass GetItemViewerClass(toolbars::TTBView* AView) override;

 protected:
  void RepaintFace() override { Change(false); }
};

// The same item under its second name.
class TLxCsColorItem : public TCsColorItem {
 public:
  using TCsColorItem::TCsColorItem;
};
using TLxCsColorDefault = TCsColorDefault;
using TLxCsColorPalette = TCsColorPalette;
using TLxCsColorSelector = TCsColorSelector;

// Paints the colour item's caption as the colour bar.
class TCsColorItemViewer : public tx::TTxItemViewer {
 public:
  using TTxItemViewer::TTxItemViewer;
  void BeforePaintCaption(fw::TCanvas* Canvas, const fw::TRect& ClientAreaRect, const fw::String& Text,
                          fw::TRect& CaptionRect, bool IsTextRotated, bool& PaintDefault) override;
};

// The framed bar of a picker's face: grey frame, filled with Color (clNone: frame only;
// clDefault: the window colour).
void PaintColorBar(fw::TCanvas* Canvas, const fw::TRect& R, fw::TColor Color);

}  // namespace cs
