#pragma once
// List boxes and combo boxes: wrappers of the platform's LISTBOX and COMBOBOX classes. Items
// (with an object per item as the item's data), the selection and the top item are kept while
// the window is recreated; owner-drawn styles draw through OnDrawItem on Canvas and size
// variable items through OnMeasureItem.

#include <memory>
#include <vector>

#include "framework/StdCtrlsTypes.h"

namespace fw {

class TStrings;
class TListControlStrings;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items() const;
  void SetItems(TStrings* Value);
  // The selected item (the focused one of a multiple-selection list); -1 for none.
  virtual Integer ItemIndex();
  virtual void SetItemIndex(Integer Value);
  // Selects every item of a multiple-selection list.
  virtual void SelectAll();
  void AddItem(const String& Item, TObject* AObject);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  // With MultiSelect: Shift and Ctrl extend the selection instead of every click toggling.
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value);
  // EListError "List index out of bounds (%d)" for an index outside the items.
  bool Selected(Integer Index);
  void SetSelected(Integer Index, bool Value);
  // -1 for a single-selection list.
  Integer SelCount();
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  Integer ItemHeight();
  void SetItemHeight(Integer Value);
  Integer TopIndex();
  void SetTopIndex(Integer Value);
  // The item at a client point: -1 outside the items when Existing, else the count there.
  Integer ItemAtPos(const TPoint& Pos, bool Existing);
  // Empty for an item that is not in the list.
  TRect ItemRect(Integer Index);
  TCanvas* Canvas() const { return FCanvas.get(); }
  void Clear();

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void DrawItem(Integer Index, const TRect& Rect, TOwnerDrawState State);
  virtual void MeasureItem(Integer Index, Integer& Height);
  virtual void CNCommand(TMessage& Message);
  virtual void CNDrawItem(TMessage& Message);

 private:
  friend class TListControlStrings;
  void ItemAdded(Integer Index);
  std::unique_ptr<TStrings> FItems;
  TListControlStrings* FItemList;  // FItems, as its own class
  std::unique_ptr<TCanvas> FCanvas;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  bool FSorted = false;
  TListBoxStyle FStyle = lbStandard;
  Integer FItemHeight = 16;
  // Kept while there is no window.
  Integer FSaveIndex = -1;
  Integer FSaveTopIndex = 0;
  std::vector<Integer> FSaveSelection;
};

class TListBox : public TCustomListBox {
 public:
  using TCustomListBox::TCustomListBox;
};

class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TStrings* Items() const;
  void SetItems(TStrings* Value);
  virtual Integer ItemIndex();
  virtual void SetItemIndex(Integer Value);
  void AddItem(const String& Item, TObject* AObject);
  // A drop-down list's text can only be an item's: setting another selects none.
  void SetText(const String& Value) override;
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  Integer DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer Value);
  bool DroppedDown();
  void SetDroppedDown(bool Value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  // Longest text the edit field takes (0: no limit).
  Integer MaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value);
  Integer ItemHeight();
  void SetItemHeight(Integer Value);
  Integer SelStart();
  Integer SelLength();
  void SetSelStart(Integer Value);
  void SetSelLength(Integer Value);
  void SelectAll();
  TCanvas* Canvas() const { return FCanvas.get(); }
  void Clear();
  // The windows a layer above subclasses: the edit field (none for drop-down lists) and the list.
  win::HWND EditHandle();
  win::HWND ListHandle();
  // Typing at the end of the edit field completes the text to the first item it starts.
  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool Value) { FAutoComplete = Value; }
  // Typing opens the list (and Tab closes it).
  bool AutoDropDown() const { return FAutoDropDown; }
  void SetAutoDropDown(bool Value) { FAutoDropDown = Value; }
  // Choosing an item closes the list.
  bool AutoCloseUp() const { return FAutoCloseUp; }
  void SetAutoCloseUp(bool Value) { FAutoCloseUp = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  // OnSelect, or OnChange when there is none.
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  virtual void DrawItem(Integer Index, const TRect& Rect, TOwnerDrawState State);
  virtual void MeasureItem(Integer Index, Integer& Height);
  virtual void CNCommand(TMessage& Message);
  virtual void CNDrawItem(TMessage& Message);
  // Messages of the edit field, which the control hooks: its keys reach the control's key
  // events first, and what they leave goes to ComboProc, the field's own procedure.
  virtual void ComboWndProc(TMessage& Message, win::HWND ComboWnd, win::WNDPROC ComboProc);
  void KeyPress(char16_t& Key) override;
  bool IsOwnerDrawn() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }

 private:
  friend class TListControlStrings;
  void ItemAdded(Integer Index);
  std::unique_ptr<TStrings> FItems;
  TListControlStrings* FItemList;
  std::unique_ptr<TCanvas> FCanvas;
  TComboBoxStyle FStyle = csDropDown;
  Integer FDropDownCount = 8;
  bool FSorted = false;
  Integer FMaxLength = 0;
  Integer FItemHeight = 16;
  Integer FSaveIndex = -1;
  bool FAutoComplete = true;
  bool FAutoDropDown = false;
  bool FAutoCloseUp = false;
  win::HWND FEditHandle = nullptr;
  win::WNDPROC FEditInstance = nullptr;
  win::WNDPROC FDefEditProc = nullptr;
  void UnhookEdit();
  void AutoCompleteKey(char16_t& Key);
  void FitDroppedWidth();
};

class TComboBox : public TCustomComboBox {
 public:
  using TCustomComboBox::TCustomComboBox;
};

}  // namespace fw
