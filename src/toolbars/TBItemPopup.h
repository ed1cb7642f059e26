#pragma once
// Popup windows (submenus, popup menus, chevron popups): a top-level tool window with a 3-pixel
// frame, scroll-arrow strips and an open animation, hosting a TTBPopupView. TTBPopupMenu is the
// popup-menu component whose items are a TTBRootItem; its Popup runs the menu loop and carries
// out the chosen action.
//
// The window sends itself TBM_POPUPSHOWING (1578): WParam 1 before the built-in animation
// (SendMessage; non-zero skips it, and 3 follows), 2 when the animation finished, 3 when shown
// without it (2 and 3 as notifications). Themed popup windows answer it.

#include "framework/Menus.h"
#include "toolbars/TBItemView.h"

namespace toolbars {

inline constexpr win::UINT TBM_POPUPSHOWING = 1578;
inline constexpr win::WPARAM TPS_ANIMSTART = 1, TPS_ANIMFINISHED = 2, TPS_NOANIM = 3;

class TTBPopupView : public TTBView {
 public:
  using TTBView::TTBView;
  // Client size W x H plus the non-client border.
  void AutoSize(Integer AWidth, Integer AHeight) override;
  fw::TFont* GetFont() override;
};

class TTBPopupWindow : public fw::TCustomControl {
 public:
  // CreatePopupWindow; made through TTBPopupWindowClass::Create, whose AfterConstruction makes
  // the view of GetViewClass.
  TTBPopupWindow(TComponent* AOwner, TTBView* AParentView, TTBCustomItem* AItem, bool ACustomizing);
  ~TTBPopupWindow() override;
  virtual void AfterConstruction();

  TTBPopupView* View() const { return FView; }
  TTBAnimationDirection AnimationDirection() const { return FAnimationDirection; }
  void SetAnimationDirection(TTBAnimationDirection Value) { FAnimationDirection = Value; }
  TTBView* ParentViewOfPopup() const { return FParentView; }

  // ---- virtual operations, in the order subclasses rely on ----
  virtual void PaintScrollArrows();
  virtual void GetNCSize(TPoint& NCSize);
  virtual TTBViewClass GetViewClass();

  void Dispatch(fw::TMessage& Message) override;

 protected:
  bool IsTopLevel() const override { return true; }
  void CreateParams(fw::TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void Paint() override;
  void CMShowingChanged(fw::TMessage& Message) override;
  void WMNCCalcSize(fw::TMessage& Message);
  void WMNCPaint(fw::TMessage& Message);
  void WMPrint(fw::TMessage& Message);
  void WMPrintClient(fw::TMessage& Message);
  void WMEraseBkgnd(fw::TMessage& Message) override;
  void WMPaint(fw::TMessage& Message) override;
  void WMGetObject(fw::TMessage& Message);
  void CMHintShow(fw::TMessage& Message) override;
  void WMMouseActivate(fw::TMessage& Message);
  // Paints the frame on a window DC.
  static void PaintFrame(win::HWND Wnd, win::HDC DC, void* AppData);

  TTBPopupView* FView = nullptr;
  TTBView* FParentView;
  TTBCustomItem* FItem;
  bool FCustomizing;
  bool FAccelsVisibilitySet = false;
  TTBAnimationDirection FAnimationDirection = 0;
};

class TTBPopupMenu : public fw::TPopupMenu, public ITBRootItemSource {
 public:
  explicit TTBPopupMenu(TComponent* AOwner);
  ~TTBPopupMenu() override;
  // A popup menu of another root item class (themed menus): the menu owns ARootItem.
  TTBPopupMenu(TComponent* AOwner, TTBRootItem* ARootItem);

  // The root item (of GetRootItemClass).
  TTBRootItem* Items() const { return FItem.get(); }
  TTBCustomItem* GetRootItem() override { return FItem.get(); }
  fw::TCustomImageList* Images() const { return FItem->SubMenuImages(); }
  void SetImages(fw::TCustomImageList* Value) { FItem->SetSubMenuImages(Value); }
  TTBCustomItem* LinkSubitems() const { return FItem->LinkSubitems(); }
  void SetLinkSubitems(TTBCustomItem* Value) { FItem->SetLinkSubitems(Value); }
  TTBItemOptions Options() const { return FItem->Options(); }
  void SetOptions(TTBItemOptions Value) { FItem->SetOptions(Value); }
  // Which button the loop tracks: the right one (the default) also selects items.
  bool TrackRightButton() const { return FTrackRightButton; }
  void SetTrackRightButton(bool Value) { FTrackRightButton = Value; }

  void Popup(Integer X, Integer Y) override;
  bool IsShortCut(fw::TMessage& Message);

 protected:
  void RootItemClick(TObject* Sender);

  std::unique_ptr<TTBRootItem> FItem;
  bool FTrackRightButton = true;
};

}  // namespace toolbars
