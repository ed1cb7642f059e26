#pragma once
// A control embedding one dock with one toolbar (the compound items control), the compound bar
// whose dock background it paints, and on it the status bar: its face, its separator lines
// where the look has none of its own, and a size grip that sizes the form from its corner.

#include "controls/CsThemedControl.h"
#include "controls/CsToolbars.h"
#include "toolbars/TBClassRef.h"

namespace cs {

using TCsToolbarClass = toolbars::TTBClassRef<TCsToolbar, fw::TComponent*>;

class TCsCompoundItemsControl : public TCsThemed<fw::TCustomControl>, public toolbars::ITBRootItemSource {
 public:
  explicit TCsCompoundItemsControl(fw::TComponent* AOwner);
  ~TCsCompoundItemsControl() override;

  // Items read from a stream as its children join the embedded toolbar's items.
  toolbars::TTBCustomItem* GetRootItem() override { return Items(); }
  // What a stream holds below the control, in this order: the items, the controls held by
  // control items that sit elsewhere than directly on the control (on the toolbar), then the
  // control's own children but its dock.
  void GetChildren(const std::function<void(fw::TComponent* Child)>& Proc, fw::TComponent* Root) override;

  // The embedded toolbar's root item.
  toolbars::TTBRootItem* Items() const { return FToolbar->Items(); }
  fw::TCustomImageList* Images() const { return FToolbar->Images(); }
  void SetImages(fw::TCustomImageList* Value) { FToolbar->SetImages(Value); }
  TCsDock* Dock() const { return FDock; }
  TCsToolbar* Toolbar() const { return FToolbar; }
  // Repaints the control with every child (the dock and the toolbar).
  void Repaint() override;

  void Dispatch(fw::TMessage& Message) override;

 protected:
  // The toolbar class decides the bar: a status bar makes a TCsStatusToolbar.
  TCsCompoundItemsControl(fw::TComponent* AOwner, TCsToolbarClass ToolbarClass);
  void Loaded() override;
  void CreateParams(fw::TCreateParams& Params) override;
  void ThemeChanged() override;
  void Resize() override;

 private:
  TCsDock* FDock = nullptr;
  TCsToolbar* FToolbar = nullptr;
};

class TCsCompoundBar : public TCsCompoundItemsControl {
 public:
  explicit TCsCompoundBar(fw::TComponent* AOwner)
      : TCsCompoundBar(AOwner, TCsToolbarClass::Of<TCsToolbar>()) {}
  TCsDrawEvent OnDrawDockBackground;
  virtual void DoDrawDockBackground(fw::TCanvas* ACanvas, TRect& ARect, TCsPaintStage PaintStage,
                                    bool& PaintDefault);

 protected:
  TCsCompoundBar(fw::TComponent* AOwner, TCsToolbarClass ToolbarClass);
};

// The status toolbar's view: a status bar to assistive technology.
class TCsStatusToolbarView : public tx::TTxToolbarView {
 public:
  using tx::TTxToolbarView::TTxToolbarView;
  Integer GetAccRole() override;
};

class TCsStatusToolbar : public TCsToolbar {
 public:
  explicit TCsStatusToolbar(fw::TComponent* AOwner) : TCsToolbar(AOwner) {}
  toolbars::TTBToolbarViewClass GetViewClass() override;
  TCsThemeType ThemeType() const { return FThemeType; }
  void SetThemeType(TCsThemeType Value) { FThemeType = Value; }
  // In the classic look and in the "Office" themes the bar draws the separator lines.
  bool PaintsOwnSeparators() const;
  // The grip in dock coordinates: empty unless the toolbar is docked and its form is in the
  // normal state.
  TRect GetGripRect() const;

  void Dispatch(fw::TMessage& Message) override;

 private:
  TCsThemeType FThemeType = thtTx;
};

class TCsCustomStatusBar : public TCsCompoundBar {
 public:
  explicit TCsCustomStatusBar(fw::TComponent* AOwner);
  TCsStatusToolbar* StatusToolbar() const { return static_cast<TCsStatusToolbar*>(Toolbar()); }
  void DoDrawDockBackground(fw::TCanvas* ACanvas, TRect& ARect, TCsPaintStage PaintStage,
                            bool& PaintDefault) override;
  virtual void DrawSeparators(fw::TCanvas* ACanvas, const TRect& ARect);
  void Dispatch(fw::TMessage& Message) override;

 protected:
  void ThemeChanged() override;
};

class TCsStatusBar : public TCsCustomStatusBar {
 public:
  using TCsCustomStatusBar::TCsCustomStatusBar;
};

// The face of a status bar and its grip (GripRect empty: none) in the given look.
void PaintStatusBarBackground(fw::TCanvas* Canvas, const TRect& Rect, const TRect& GripRect,
                              TCsThemeType ThemeType);

}  // namespace cs
