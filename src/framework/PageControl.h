#pragma once
// TPageControl and TTabSheet: a control with a row of tabs along its top edge and one page (a
// TTabSheet, a child control) per tab, of which only the active one shows. The user changes the
// page by clicking a tab or with Ctrl+Tab / Ctrl+Shift+Tab while the focus is inside the control;
// OnChanging may refuse such a change, OnChange follows it. Setting ActivePage or
// ActivePageIndex from code fires neither.

#include <functional>
#include <memory>
#include <vector>

#include "framework/Controls.h"

namespace fw {

class TBitmap;
class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return FPageControl; }
  // Moves the sheet to another page control (or out of one, with null); it becomes the last page.
  void SetPageControl(TPageControl* APageControl);
  // The position among the pages; -1 outside a page control. Out-of-range values are clamped.
  Integer PageIndex() const;
  void SetPageIndex(Integer Value);

 protected:
  void CMTextChanged(TMessage& Message) override;

 private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TCustomControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  Integer PageCount() const { return Integer(FPages.size()); }
  // EListError "List index out of bounds (%d)" outside 0..PageCount-1.
  TTabSheet* Pages(Integer Index) const;
  // The first page added becomes active; removing the active page activates the next one.
  TTabSheet* ActivePage() const { return FActivePage; }
  // A sheet of another control is ignored; null shows no page.
  void SetActivePage(TTabSheet* Page);
  Integer ActivePageIndex() const;
  // Out of range shows no page.
  void SetActivePageIndex(Integer Value);
  // Every page has a tab, so the tab index is the active page's index.
  Integer TabIndex() const { return ActivePageIndex(); }
  void SetTabIndex(Integer Value) { SetActivePageIndex(Value); }

  // The next (or previous) page, wrapping around, as a user's change: OnChanging may refuse it.
  void SelectNextPage(bool GoForward);
  // The tab's rectangle in client coordinates; empty for a bad index.
  TRect TabRect(Integer Index);
  // The tab under a client point, -1 when none.
  Integer IndexOfTabAt(Integer X, Integer Y);
  // Where the active page lies (the client area without the tabs and the frame).
  TRect DisplayRect();

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  virtual bool CanChange();
  virtual void Change();
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void CMDialogKey(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void MovePage(TTabSheet* Page, Integer NewIndex);
  // A change the user asked for: OnChanging, the change, OnChange.
  void ChangeActivePage(TTabSheet* Page);
  void ShowOnly(TTabSheet* Page);
  Integer TabHeight();
  Integer TextWidth(const String& Text);

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  // Text is measured on a bitmap of its own, so tabs have a size before the window exists.
  std::unique_ptr<TBitmap> FMeasure;
};

}  // namespace fw
