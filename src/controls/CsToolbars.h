#pragma once
// The control set's dock, toolbar and popup menu. The dock and the toolbar take custom-drawn
// backgrounds; the toolbar keeps a right-align spacer pushing the items after it to the dock's
// right edge, and stretches anchored items and client-aligned (or right-anchored) controls
// with the dock. The popup menu announces its view before its loop starts.

#include <functional>
#include <memory>
#include <vector>

#include "controls/CsItems.h"
#include "controls/CsTextObject.h"
#include "tx/TxDock.h"
#include "tx/TxPopupWindow.h"
#include "tx/TxToolbar.h"

namespace cs {

class TCsDock : public tx::TTxDock {
 public:
  explicit TCsDock(fw::TComponent* AOwner);
  ~TCsDock() override;

  TCsDrawEvent OnDrawBackground;
  // The size before the last resize.
  Integer OldWidth() const { return FOldWidth; }
  Integer OldHeight() const { return FOldHeight; }

  // The pre/post pair around the themed background; the themed painting only with PaintDefault.
  virtual void DoDrawBackground(fw::TCanvas* ACanvas, TRect& ARect, TCsPaintStage PaintStage,
                                bool& PaintDefault);
  void DrawBackground(win::HDC DC, const TRect& DrawRect) override;
  bool UsingBackground() override;
  bool CanResize(Integer& NewWidth, Integer& NewHeight) override;

 protected:
  void Resize() override;

 private:
  Integer FOldWidth = 0, FOldHeight = 0;
};

// The size of a control held by a control item when it was first seen, and its dock's size
// then; the control's width follows the dock's change in width from there.
struct TCsItemCache {
  String Name;
  Integer Left = 0, Top = 0, Width = 0, Height = 0, ParentWidth = 0, ParentHeight = 0;
  toolbars::TTBCustomItem* Item = nullptr;
};

class TCsItemCacheCollection {
 public:
  TCsItemCache* Find(const toolbars::TTBCustomItem* Item);
  TCsItemCache* Add(toolbars::TTBCustomItem* Item);
  void Delete(const toolbars::TTBCustomItem* Item);
  void Delete(Integer Index);
  Integer Count() const { return Integer(FItems.size()); }
  TCsItemCache* Items(Integer Index) const { return FItems.at(size_t(Index)).get(); }
  // An entry not yet linked to its item (read from a stream: only its Name is known).
  TCsItemCache* AddUnlinked();

 private:
  std::vector<std::unique_ptr<TCsItemCache>> FItems;
};

class TCsToolbar;

using TCsItemNotificationEvent =
    std::function<void(TCsToolbar* Sender, toolbars::TTBCustomItem* Ancestor, bool Relayed,
                       toolbars::TTBItemChangedAction Action, Integer Index, toolbars::TTBCustomItem* Item)>;

class TCsToolbar : public tx::TTxToolbar {
 public:
  // Like every toolbar, complete only after AfterConstruction (which makes the root item).
  explicit TCsToolbar(fw::TComponent* AOwner);
  ~TCsToolbar() override;
  void AfterConstruction() override;

  TCsDrawEvent OnDrawBackground;
  TCsItemNotificationEvent OnItemNotification;
  TCsItemCacheCollection* ItemCache() const { return FItemCache.get(); }
  // Set when the toolbar lives in a compound control.
  bool Embedded() const { return FEmbedded; }
  void SetEmbedded(bool Value) { FEmbedded = Value; }

  // Only on a top or bottom dock of some width: the first right-align spacer takes the width
  // that puts the last item GetRightAlignMargin pixels from the dock's right edge (0 when the
  // items are wider).
  virtual void RightAlignItems();
  virtual void AnchorItems();
  virtual Integer GetRightAlignMargin();
  virtual void DoDrawBackground(fw::TCanvas* ACanvas, TRect& ARect, TCsPaintStage PaintStage,
                                bool& PaintDefault);
  virtual void DoItemNotification(toolbars::TTBCustomItem* Ancestor, bool Relayed,
                                  toolbars::TTBItemChangedAction Action, Integer Index,
                                  toolbars::TTBCustomItem* Item);

  void Resize() override;
  void DrawNCArea(bool DrawToDC, win::HDC ADC, win::HRGN Clip) override;
  void Dispatch(fw::TMessage& Message) override;

 private:
  // The dock the toolbar sits on when it is a TCsDock drawing its own background.
  TCsDock* CustomBackgroundDock() const;
  // Top or bottom dock, not floating.
  bool OnHorizontalDock() const;
  void EraseBackground(fw::TMessage& Message);
  void HintShow(fw::TMessage& Message);
  void DialogChar(fw::TMessage& Message);
  // On an embedded toolbar a control put on it gets a control item of the form's.
  void ControlChange(fw::TMessage& Message);

  std::unique_ptr<TCsItemCacheCollection> FItemCache;
  bool FEmbedded = false;
  bool FRelayout = false;
};

using TCsPopupEvent = std::function<void(fw::TObject* Sender, toolbars::TTBView* PopupView)>;

class TCsPopupMenu : public tx::TTxPopupMenu {
 public:
  explicit TCsPopupMenu(fw::TComponent* AOwner);
  TCsPopupEvent OnInitPopup;
  // Fired once the popup's view exists, before its menu loop starts.
  virtual void DoInitPopup(toolbars::TTBView* PopupView);
};

}  // namespace cs
