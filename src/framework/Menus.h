#pragma once
// Menus: TMenuItem trees built into the window system's menus (rebuilt whenever an item
// changes), the form's menu bar (TMainMenu), context menus (TPopupMenu) whose choices come back
// through one hidden window (TPopupList), and shortcuts with their text ("Ctrl+S").

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/Component.h"
#include "framework/ControlMessages.h"
#include "framework/Controls.h"
#include "framework/StdCtrlsTypes.h"
#include "framework/SysUtils.h"

namespace win {
struct MEASUREITEMSTRUCT;
struct DRAWITEMSTRUCT;
}  // namespace win

namespace fw {

class TBasicAction;
class TMenuActionLink;
class TMenu;
class TCustomImageList;

class EMenuError : public Exception {
 public:
  using Exception::Exception;
};

using TShortCut = Word;
inline constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+Shift+F5"; empty for a key without a name.
String ShortCutToText(TShortCut ShortCut);
// The reverse of ShortCutToText (any case); 0 for text that names no shortcut.
TShortCut TextToShortCut(std::string_view Text);
// The name of a key as shortcut texts write it ("F1", "PgUp", "A", "Num 5"); empty when none.
String KeyName(Word Key);
// Caption helpers: "&&" is a literal "&"; the character after a single "&" is the accelerator.
String StripHotkey(std::string_view Text);
// The accelerator character (UTF-8, upper case, Cyrillic included); empty when none.
String GetHotkey(std::string_view Text);
// True when Text's accelerator is the character Key (compared without case).
bool IsAccel(char16_t Key, std::string_view Text);

inline constexpr const char* cHotkeyPrefix = "&";
inline constexpr const char* cLineCaption = "-";

enum TMenuItemAutoFlag { maAutomatic, maManual, maParent };

// Owner drawing of menu items. OnDrawItem gets whether the item is selected; OnAdvancedDrawItem
// the whole state; OnMeasureItem may change the size the item measured for itself.
using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State)>;
using TMenuMeasureItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, Integer& Width, Integer& Height)>;
enum TPopupAlignment { paLeft, paRight, paCenter };

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  // Children.
  Integer Count() const { return Integer(FItems.size()); }
  // EMenuError "Menu index out of range" outside 0..Count-1.
  TMenuItem* Items(Integer Index) const;
  void Add(TMenuItem* Item);
  // EMenuError "Menu inserted twice" for an item that already has a parent.
  void Insert(Integer Index, TMenuItem* Item);
  // Takes the item out (it is not freed).
  void Delete(Integer Index);
  void Remove(TMenuItem* Item);
  // Frees every child.
  void Clear();
  // The child whose caption (without "&") equals ACaption, ignoring case; nullptr when none.
  TMenuItem* Find(std::string_view ACaption);
  Integer IndexOf(TMenuItem* Item) const;
  TMenuItem* Parent() const { return FParent; }
  // The menu the item belongs to (through its root).
  TMenu* GetParentMenu() const;
  Integer MenuIndex() const { return FParent != nullptr ? FParent->IndexOf(const_cast<TMenuItem*>(this)) : -1; }
  bool IsLine() const { return FCaption == cLineCaption; }

  const String& Caption() const { return FCaption; }
  virtual void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  Byte GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Byte Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  Integer HelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer Value) { FHelpContext = Value; }
  const String& Hint() const { return FHint; }
  virtual void SetHint(const String& Value);
  // The command id of the item in the window system's menus (unique in the program).
  win::UINT Command() const { return FCommand; }
  // The submenu of an item with children (made on request), else nullptr.
  win::HMENU Handle();

  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TMenuActionLink* ActionLink() const { return FActionLink.get(); }
  virtual void InitiateAction();

  // OnClick, or the action (an AutoCheck item toggles Checked first).
  virtual void Click();

  // Whether the window system's menu asks the owner to measure and draw this item: in a menu
  // that is OwnerDraw, and in a menu with Images except for the items on a menu bar.
  bool IsOwnerDraw() const;
  // Owner drawing, called for WM_DRAWITEM / WM_MEASUREITEM. AdvancedDrawItem runs
  // OnAdvancedDrawItem, else OnDrawItem, else draws the item itself: the background (the
  // highlight when selected), the image of the menu's Images at ImageIndex or the check mark
  // in a glyph column as wide as the images (16 without), then the caption and, off a menu bar,
  // the shortcut text right-aligned 10 pixels before the right edge; disabled items embossed.
  // DrawItem is the older entry: AdvancedDrawItem with only the selected state.
  virtual void DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected);
  virtual void AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel);
  // The size the item needs (glyph column, caption and shortcut in the canvas font), then
  // OnMeasureItem when assigned.
  virtual void MeasureItem(TCanvas* ACanvas, Integer& Width, Integer& Height);

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  friend class TMenu;
  friend class TMainMenu;
  friend class TMenuActionLink;
  using TActionLinkFactory = TMenuActionLink* (*)(TMenuItem* Client);
  virtual TActionLinkFactory GetActionLinkClass();
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  // The item changed: the menu that shows it is built again.
  virtual void MenuChanged(bool Rebuild);
  void TurnSiblingsOff();
  // Appends the visible children to Menu; the text of a child with a shortcut gets a tab and
  // the shortcut's text unless it sits on a menu bar.
  virtual void AppendTo(win::HMENU Menu, bool ARightToLeft);
  virtual WideString MenuText(bool OnMenuBar);
  void DestroyHandle();
  // The window-system menus of the tree were destroyed together: forget them.
  void ForgetHandles();

  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item of a menu
  String FCaption;
  bool FChecked = false;
  bool FRadioItem = false;
  Byte FGroupIndex = 0;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  bool FAutoCheck = false;
  TShortCut FShortCut = 0;
  Integer FImageIndex = -1;
  Integer FHelpContext = 0;
  String FHint;
  win::UINT FCommand = 0;
  win::HMENU FHandle = nullptr;
  std::unique_ptr<TMenuActionLink> FActionLink;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  // The root item; the menu's entries are its children.
  TMenuItem* Items() const { return FItems.get(); }
  // The window system's menu, built when first asked for and again after every change.
  virtual win::HMENU Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Images for the items' ImageIndex; a menu with images has owner-drawn items.
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  // Every item is measured and drawn by the framework (and its events).
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);

  // WM_MEASUREITEM / WM_DRAWITEM of a menu item of this menu (ODT_MENU, found by command):
  // the item measures or draws itself on a canvas over the message's DC. False when the message
  // is not about an item of this menu.
  bool DispatchMeasureItem(win::MEASUREITEMSTRUCT& Measure);
  bool DispatchDrawItem(const win::DRAWITEMSTRUCT& Draw);
  TComponent* WindowHandleOwner() const { return nullptr; }

  enum TFindItemKind { fkCommand, fkHandle, fkShortCut };
  TMenuItem* FindItem(win::UINT_PTR Value, TFindItemKind Kind);
  // The item with that command id runs its Click; false when there is none.
  bool DispatchCommand(win::UINT ACommand);
  // A key message that is the shortcut of an enabled item: the item's Click runs.
  bool IsShortCut(TMessage& Message);
  bool IsShortCut(TShortCut AShortCut);

  TNotifyEvent OnChange;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  friend class TMenuItem;
  virtual void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild);
  virtual void RebuildHandle();
  virtual bool IsMenuBar() const { return false; }
  void DestroyHandle();
  void ForgetItemHandles();
  std::unique_ptr<TMenuItem> FItems;
  win::HMENU FHandle = nullptr;
  TCustomImageList* FImages = nullptr;
  bool FOwnerDraw = false;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
  // The form whose menu bar shows this menu (set by TCustomForm::SetMenu).
  TCustomForm* Form() const { return FForm; }

 protected:
  friend class TCustomForm;
  void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) override;
  void RebuildHandle() override;
  bool IsMenuBar() const override { return true; }
  TCustomForm* FForm = nullptr;
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // Shows the menu at a screen point (TrackPopupMenuEx); the item chosen runs its Click when
  // the popup list's window receives the command.
  virtual void Popup(Integer X, Integer Y);
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  // The position of the last Popup.
  TPoint PopupPoint() const { return FPopupPoint; }

  TNotifyEvent OnPopup;
  TNotifyEvent OnClose;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  virtual void DoPopup(TObject* Sender);
  TComponent* FPopupComponent = nullptr;
  TPopupAlignment FAlignment = paLeft;
  bool FAutoPopup = true;
  TPoint FPopupPoint{};
};

// The popup menus of the program and the hidden window their commands are sent to.
class TPopupList : public TObject {
 public:
  TPopupList();
  ~TPopupList() override;
  void Add(TPopupMenu* Menu);
  void Remove(TPopupMenu* Menu);
  Integer Count() const { return Integer(FMenus.size()); }
  TPopupMenu* Items(Integer Index) const { return FMenus.at(size_t(Index)); }
  // The hidden window (made when first asked for).
  win::HWND Window();

 protected:
  virtual void WndProc(TMessage& Message);

 private:
  std::vector<TPopupMenu*> FMenus;
  win::HWND FWindow = nullptr;
};

extern TPopupList* PopupList;

}  // namespace fw
