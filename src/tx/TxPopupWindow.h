#pragma once
// The themed popup window of submenus and popup menus: its frame and background come from the
// current theme, it tells the items inside what they sit on (TXM_GETVIEWTYPE), and it shows
// the theme's drop shadow once the framework reports the window shown (TBM_POPUPSHOWING).
// TTxPopupMenu is the popup-menu component whose items are themed.

#include <memory>

#include "toolbars/TBItemPopup.h"
#include "tx/TxItems.h"
#include "tx/TxParentBackground.h"
#include "tx/TxShadows.h"

namespace tx {

class TTxPopupView : public toolbars::TTBPopupView {
 public:
  using TTBPopupView::TTBPopupView;
};

class TTxPopupWindow : public toolbars::TTBPopupWindow {
 public:
  using TTBPopupWindow::TTBPopupWindow;
  ~TTxPopupWindow() override;

  // The anchor rectangle on the screen when opened against one (PopupAtRect); else empty.
  TRect ExcludeRect{};
  // The layered shadow while one is shown.
  TShadows* Shadows() const { return FShadows.get(); }

  virtual void CreateShadow();
  virtual void DestroyShadow();
  virtual bool CanShowShadow();

  // VT_POPUP_* of this popup (its answer to TXM_GETVIEWTYPE).
  Integer GetPopupViewType();

  void GetNCSize(TPoint& NCSize) override;
  toolbars::TTBViewClass GetViewClass() override;
  void Dispatch(fw::TMessage& Message) override;

 protected:
  virtual bool IsChevronPopup() const { return false; }
  void CreateParams(fw::TCreateParams& Params) override;
  void WMEraseBkgnd(fw::TMessage& Message) override;

 private:
  void PopupShowing(fw::TMessage& Message);
  void WindowPosChanged(fw::TMessage& Message);
  void NCPaint(fw::TMessage& Message);
  void PaintNC(win::HDC DC);
  TRect ParentRectInWindow();

  std::unique_ptr<TShadows> FShadows;
};

class TTxChevronPopupWindow : public TTxPopupWindow {
 public:
  using TTxPopupWindow::TTxPopupWindow;

 protected:
  bool IsChevronPopup() const override { return true; }
};

class TTxPopupMenu : public toolbars::TTBPopupMenu {
 public:
  explicit TTxPopupMenu(fw::TComponent* AOwner);
  TTxRootItem* Items() const { return static_cast<TTxRootItem*>(FItem.get()); }
  void Dispatch(fw::TMessage& Message) override;

 protected:
  // A menu of another themed root item class; the menu owns ARootItem.
  TTxPopupMenu(fw::TComponent* AOwner, TTxRootItem* ARootItem);
};

}  // namespace tx
