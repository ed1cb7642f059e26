#pragma once
// The item tree of the toolbar and menu framework. Every menu, submenu, toolbar button,
// separator and embedded control is a TTBCustomItem: it carries what is shown and owns an
// ordered list of child items, but never draws. Views (TBItemView.h) listen to change
// notifications and make one viewer (TBItemViewer.h) per shown child. An item opens its own
// submenu (CreatePopup) and runs a modal popup of its children (Popup).
//
// A menu choice never runs inside the menu loop: the loop records a done action, the menus
// close, and the chosen item's click is posted (message 1280) to a hidden window of the thread
// and runs from the application's message loop.

#include <functional>
#include <memory>
#include <vector>

#include "framework/ActnList.h"
#include "framework/Component.h"
#include "framework/GraphicsTypes.h"
#include "framework/ImageList.h"
#include "framework/Sets.h"
#include "platform/kernel/Exceptions.h"
#include "toolbars/TBClassRef.h"

namespace fw {
class TControl;
class TList;
}  // namespace fw

namespace toolbars {

using fw::Byte;
using fw::Integer;
using fw::String;
using fw::TComponent;
using fw::TNotifyEvent;
using fw::TObject;
using fw::TPoint;
using fw::TRect;
using fw::Word;

class TTBCustomItem;
class TTBItemViewer;
class TTBView;
class TTBPopupWindow;

class ETBItemError : public win::Exception {
 public:
  using win::Exception::Exception;
};

enum TTBItemDisplayMode : Byte { nbdmDefault, nbdmTextOnly, nbdmTextOnlyInMenus, nbdmImageAndText };

enum TTBItemOption {
  tboDefault,
  tboDropdownArrow,
  tboImageAboveCaption,
  tboLongHintInMenuOnly,
  tboNoAutoHint,
  tboNoRotation,
  tboSameWidth,
  tboShowHint,
  tboToolbarStyle,
  tboToolbarSize
};
using TTBItemOptions = fw::TSet<TTBItemOption>;

enum TTBItemChangedAction {
  tbicInserted,
  tbicDeleting,
  tbicSubitemsChanged,
  tbicSubitemsBeginUpdate,
  tbicSubitemsEndUpdate,
  tbicInvalidate,
  tbicInvalidateAndResize,
  tbicRecreateItemViewers,
  tbicNameChanged,
  tbicSubMenuImagesChanged
};

// ItemStyle: what kind of item this is, fixed by each item class in its constructor.
using TTBItemStyle = Word;
inline constexpr TTBItemStyle tbisSubmenu = 0x0001, tbisSelectable = 0x0002, tbisSeparator = 0x0004,
                              tbisEmbeddedGroup = 0x0008, tbisClicksTransparent = 0x0010, tbisCombo = 0x0020,
                              tbisNoAutoOpen = 0x0040, tbisSubitemsEditable = 0x0080, tbisNoLineBreak = 0x0100,
                              tbisRightAlign = 0x0200, tbisDontSelectFirst = 0x0400,
                              tbisRedrawOnSelChange = 0x0800, tbisRedrawOnMouseOverChange = 0x1000,
                              tbisFillRow = 0x2000;
inline constexpr TTBItemStyle tbisDefaultStyle = tbisSelectable | tbisRedrawOnSelChange | tbisRedrawOnMouseOverChange;

using TTBItemChangedProc = std::function<void(TTBCustomItem* Sender, bool Relayed, TTBItemChangedAction Action,
                                              Integer Index, TTBCustomItem* Item)>;
using TTBPopupEvent = std::function<void(TTBCustomItem* Sender, bool FromLink)>;
using TTBSelectEvent = std::function<void(TTBCustomItem* Sender, TTBItemViewer* Viewer, bool Selecting)>;

// Open-animation directions of a popup.
using TTBAnimationDirection = Byte;
inline constexpr TTBAnimationDirection tbadLeftward = 1, tbadRightward = 2, tbadDownward = 4, tbadUpward = 8;

// Where a popup goes: filled by CreatePopup, adjusted by GetPopupPosition.
struct TTBPopupPlacement {
  bool PositionAsSubmenu = false;
  Byte Alignment = 0;  // at a point: 0 left edge there, 1 right edge there, 2 centred
  bool Opposite = false;
  TRect MonitorRect{};
  TRect ParentItemRect{};
  Integer NCSizeX = 0, NCSizeY = 0;
  Integer X = 0, Y = 0, W = 0, H = 0;
  TTBAnimationDirection AnimDir = 0;
  bool PlaySound = true;
};

// How a menu loop ended.
enum TTBDoneAction : Byte { tbdaNone, tbdaCancel, tbdaClickItem, tbdaOpenSystemMenu, tbdaHelpContext };
struct TTBDoneActionRec {
  TTBDoneAction DoneAction = tbdaNone;
  TTBCustomItem* ClickItem = nullptr;  // tbdaClickItem
  bool Sound = false;                  // tbdaClickItem: play "MenuCommand"
  win::HWND Wnd = nullptr;             // tbdaOpenSystemMenu
  win::WPARAM Key = 0;                 // tbdaOpenSystemMenu
  Integer ContextID = 0;               // tbdaHelpContext
};

// Implemented by popup menus and toolbars: the root item their items go into.
class ITBRootItemSource {
 public:
  virtual ~ITBRootItemSource() = default;
  virtual TTBCustomItem* GetRootItem() = 0;
};

// Image list change link that remembers the list's size, so a change can tell whether item
// sizes changed.
class TTBImageChangeLink : public fw::TChangeLink {
 public:
  Integer FLastWidth = -1, FLastHeight = -1;
};

class TTBCustomItemActionLink : public fw::TActionLink {
 public:
  explicit TTBCustomItemActionLink(TTBCustomItem* AClient) : FClient(AClient) {}
  TTBCustomItem* Client() const { return FClient; }
  bool IsAutoCheckLinked() override;
  bool IsCaptionLinked() override;
  bool IsCheckedLinked() override;
  bool IsEnabledLinked() override;
  bool IsHelpContextLinked() override;
  bool IsHintLinked() override;
  bool IsImageIndexLinked() override;
  bool IsShortCutLinked() override;
  bool IsVisibleLinked() override;
  bool IsOnExecuteLinked() override;
  void SetAutoCheck(bool Value) override;
  void SetCaption(const String& Value) override;
  void SetChecked(bool Value) override;
  void SetEnabled(bool Value) override;
  void SetHelpContext(Integer Value) override;
  void SetHint(const String& Value) override;
  void SetImageIndex(Integer Value) override;
  void SetShortCut(fw::TShortCut Value) override;
  void SetVisible(bool Value) override;
  void SetOnExecute(const TNotifyEvent& Value) override;

 protected:
  TTBCustomItem* FClient;
};

using TTBItemClass = TTBClassRef<TTBCustomItem, TComponent*>;
using TTBItemViewerClass = TTBClassRef<TTBItemViewer, TTBView*, TTBCustomItem*, Integer>;
using TTBPopupWindowClass = TTBClassRef<TTBPopupWindow, TComponent*, TTBView*, TTBCustomItem*, bool>;

class TTBCustomItem : public TComponent {
 public:
  explicit TTBCustomItem(TComponent* AOwner);
  ~TTBCustomItem() override;
  // Called by TTBItemClass::Create once the object is complete.
  virtual void AfterConstruction() {}

  // ---- children ----
  // ETBItemError "Toolbar item index out of range" outside 0..Count-1.
  TTBCustomItem* Items(Integer Index) const;
  Integer Count() const { return Integer(FItems.size()); }
  void Add(TTBCustomItem* AItem) { Insert(Count(), AItem); }
  // "Toolbar item already inserted" for an item with a parent; the index error outside 0..Count.
  void Insert(Integer Index, TTBCustomItem* AItem);
  // Takes the child out of the list without freeing it.
  void Delete(Integer Index);
  void Remove(TTBCustomItem* AItem);
  Integer IndexOf(const TTBCustomItem* AItem) const;
  // Frees every child, last first.
  void Clear();
  void Move(Integer CurIndex, Integer NewIndex);
  TTBCustomItem* Parent() const { return FParent; }
  // LinkSubitems when set, else the item itself.
  TTBCustomItem* GetLinkedItem();

  // ---- change notifications ----
  // Handlers are known by Id (the listening object): registering an Id again raises its use
  // count, unregistering lowers it and drops the handler at 0.
  void RegisterNotification(const void* Id, TTBItemChangedProc Proc);
  void UnregisterNotification(const void* Id);
  void Notify(TTBItemChangedAction Action, Integer Index, TTBCustomItem* Item);

  // ---- properties ----
  TTBItemStyle ItemStyle() const { return FItemStyle; }
  fw::TBasicAction* Action() const;
  void SetAction(fw::TBasicAction* Value);
  TTBCustomItemActionLink* ActionLink() const { return FActionLink.get(); }
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  TTBItemDisplayMode DisplayMode() const { return FDisplayMode; }
  void SetDisplayMode(TTBItemDisplayMode Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  TTBItemOptions EffectiveOptions() const { return FEffectiveOptions; }
  Integer GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  Integer HelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer Value) { FHelpContext = Value; }
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  fw::TCustomImageList* Images() const { return FImages; }
  void SetImages(fw::TCustomImageList* Value);
  fw::TCustomImageList* SubMenuImages() const { return FSubMenuImages; }
  void SetSubMenuImages(fw::TCustomImageList* Value);
  bool InheritOptions() const { return FInheritOptions; }
  void SetInheritOptions(bool Value);
  TTBItemOptions MaskOptions() const { return FMaskOptions; }
  void SetMaskOptions(TTBItemOptions Value);
  TTBItemOptions Options() const { return FOptions; }
  void SetOptions(TTBItemOptions Value);
  TTBCustomItem* LinkSubitems() const { return FLinkSubitems; }
  void SetLinkSubitems(TTBCustomItem* Value);
  fw::TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(fw::TShortCut Value) { FShortCut = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // The component shown to others as the item's parent (a toolbar or popup menu), instead of
  // the parent item.
  TComponent* ParentComponent() const { return FParentComponent; }
  void AssignParentComponent(TComponent* Value) { FParentComponent = Value; }
  // A stream read this item back as a child of Value: it joins Value's root item (a toolbar or
  // popup menu) or Value itself (an item).
  void SetParentComponent(TComponent* Value) override;
  // Streams: the children in list order; an item is always written as a child, of the parent
  // item's ParentComponent (a toolbar or popup menu) when set, else of the parent item.
  void GetChildren(const std::function<void(TComponent* Child)>& Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, Integer Order) override;
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;

  // The text after the first TAB of Caption, else the text of ShortCut, else ''.
  String GetShortCutText() const;
  // Shortcut search for a key message (WM_KEYDOWN/WM_SYSKEYDOWN): true when an item was clicked.
  bool IsShortCut(fw::TMessage& Message);
  bool IsShortCut(fw::TShortCut AShortCut);
  // Modal popup of the children at a screen point (popup menus).
  void Popup(Integer X, Integer Y, bool TrackRightButton, Byte Alignment = 0);

  // ---- virtual operations, in the order subclasses rely on ----
  // Tells the parent's views that this item changed: repaint, or repaint and re-lay out.
  virtual void Change(bool NeedResize);
  // Creates, places and shows the popup window of the children.
  virtual TTBPopupWindow* CreatePopup(TTBView* ParentView, TTBItemViewer* ParentViewer, bool PositionAsSubmenu,
                                      bool SelectFirstItem, bool Customizing, const TPoint& APopupPoint,
                                      Byte Alignment);
  // Fires OnPopup and clicks the item unless it is a split button.
  virtual void DoPopup(TTBCustomItem* Sender, bool FromLink);
  virtual void EnabledChanged();
  // For the chevron: the toolbar view whose hidden items the popup shows; nil otherwise.
  virtual TTBView* GetChevronParentView();
  virtual TTBItemViewerClass GetItemViewerClass(TTBView* AView);
  virtual void GetPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& Placement);
  virtual TTBPopupWindowClass GetPopupWindowClass();
  // True when AViewer is no longer of the class this item wants in its view.
  virtual bool NeedToRecreateViewer(TTBItemViewer* AViewer);
  virtual void Click();
  virtual void InitiateAction();

  TNotifyEvent OnClick;
  TTBPopupEvent OnPopup;
  TTBSelectEvent OnSelect;

  void Notification(TComponent* AComponent, fw::TOperation Operation) override;
  void SetName(const String& NewName) override;

 protected:
  friend class TTBCustomItemActionLink;
  void Loaded() override;
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  // The action link class (a factory).
  virtual TTBCustomItemActionLink* CreateActionLink();
  void SetItemStyle(TTBItemStyle Value) { FItemStyle = Value; }
  void RecalcOptions();

  TTBItemStyle FItemStyle = tbisDefaultStyle;

 private:
  struct TNotifyRec {
    const void* Id;
    TTBItemChangedProc Proc;
    Integer UseCount;
  };
  void NotifyInternal(TTBCustomItem* Sender, Integer Depth, TTBItemChangedAction Action, Integer Index,
                      TTBCustomItem* Item);
  void RelayNotify(TTBCustomItem* Relayer, TTBCustomItem* Sender, Integer Depth, TTBItemChangedAction Action,
                   Integer Index, TTBCustomItem* Item);
  void UncheckGroupSiblings();
  bool ChangeImages(fw::TCustomImageList*& AImages, fw::TCustomImageList* Value,
                    std::unique_ptr<TTBImageChangeLink>& ALink);
  void ImageListChanged(TObject* Sender);
  void SubMenuImagesChanged(TObject* Sender);
  void DoActionChange(TObject* Sender);
  TTBCustomItem* FindShortCut(fw::TShortCut AShortCut, TTBCustomItem*& ATopLevel);

  std::unique_ptr<TTBCustomItemActionLink> FActionLink;
  bool FAutoCheck = false;
  String FCaption;
  bool FChecked = false;
  TTBItemDisplayMode FDisplayMode = nbdmDefault;
  bool FEnabled = true;
  TTBItemOptions FEffectiveOptions;
  Integer FGroupIndex = 0;
  Integer FHelpContext = 0;
  String FHint;
  Integer FImageIndex = -1;
  fw::TCustomImageList* FImages = nullptr;
  std::unique_ptr<TTBImageChangeLink> FImagesChangeLink;
  std::vector<TTBCustomItem*> FItems;
  std::vector<TTBCustomItem*> FLinkParents;
  TTBItemOptions FMaskOptions;
  TTBItemOptions FOptions;
  bool FInheritOptions = true;
  std::vector<TNotifyRec> FNotifyList;
  TTBCustomItem* FParent = nullptr;
  TComponent* FParentComponent = nullptr;
  fw::TShortCut FShortCut = 0;
  fw::TCustomImageList* FSubMenuImages = nullptr;
  std::unique_ptr<TTBImageChangeLink> FSubMenuImagesChangeLink;
  TTBCustomItem* FLinkSubitems = nullptr;
  bool FVisible = true;
};

// The root of a toolbar's or popup menu's tree.
class TTBRootItem : public TTBCustomItem {
 public:
  using TTBCustomItem::TTBCustomItem;
};

// Its children appear in its place in the parent's view.
class TTBGroupItem : public TTBCustomItem {
 public:
  explicit TTBGroupItem(TComponent* AOwner);
};

class TTBSeparatorItem : public TTBCustomItem {
 public:
  explicit TTBSeparatorItem(TComponent* AOwner);
  // A blank separator takes its space but draws nothing.
  bool Blank() const { return FBlank; }
  void SetBlank(bool Value);
  TTBItemViewerClass GetItemViewerClass(TTBView* AView) override;

 private:
  bool FBlank = false;
};

// Hosts an existing control on a toolbar; frees it with itself unless DontFreeControl.
class TTBControlItem : public TTBCustomItem {
 public:
  explicit TTBControlItem(TComponent* AOwner);
  TTBControlItem(TComponent* AOwner, fw::TControl* AControl);  // CreateControlItem
  ~TTBControlItem() override;
  fw::TControl* Control() const { return FControl; }
  void SetControl(fw::TControl* Value);
  bool DontFreeControl() const { return FDontFreeControl; }
  void SetDontFreeControl(bool Value) { FDontFreeControl = Value; }
  void Notification(TComponent* AComponent, fw::TOperation Operation) override;

 private:
  fw::TControl* FControl = nullptr;
  bool FDontFreeControl = false;
};

// Carries out a done action: plays the command sound and posts the click (kind 2), opens the
// window's system menu (kind 3), shows context help (kind 4).
void ProcessDoneAction(const TTBDoneActionRec& DoneActionData);

}  // namespace toolbars
