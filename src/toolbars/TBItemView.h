#pragma once
// A view is the on-screen list of one item's children in one window (a toolbar, a menu bar, a
// popup or a chevron popup). It keeps one viewer per shown child (and per child of embedded
// groups), lays them out in rows (wrapping, separators, right alignment, chevron hiding, scroll
// arrows of tall popups), tracks the selection, the open child popup, four timers and the mouse
// capture, answers keys and accelerators while the menu loop runs, and records in the root view
// how the loop ended.

#include <memory>
#include <vector>

#include "framework/Colors.h"
#include "framework/Controls.h"
#include "toolbars/TBItem.h"

namespace fw {
class TFont;
class TCanvas;
}  // namespace fw

namespace toolbars {

class TTBModalHandler;
class TTBViewAccObject;

// State byte.
using TTBViewState = Byte;
inline constexpr TTBViewState tbvsModal = 0x01,              // menu tracking (loop running / popup view)
    tbvsMouseInWindow = 0x02, tbvsDrawInOrder = 0x04,        // next paint strictly in order
    tbvsOppositePopup = 0x08,                                // opened to the left
    tbvsIgnoreFirstMouseUp = 0x10,                           // a release outside does not end the loop
    tbvsShowAccels = 0x20, tbvsDropDownMenus = 0x40,
    tbvsNoAnimation = 0x80;                                  // a popup of this view was destroyed
// Options byte (SetStyle writes it).
using TTBViewStyle = Byte;
inline constexpr TTBViewStyle tbvoMenuBar = 0x01, tbvoUseHiddenAccels = 0x02, tbvoAlwaysShowHints = 0x04;

enum TTBViewOrientation : Byte { tbvoHorizontal, tbvoVertical, tbvoFloating };
enum TTBViewTimerID { tiOpen, tiClose, tiScrollUp, tiScrollDown };
inline constexpr win::UINT_PTR kViewTimerBaseID = 9000;
// Height of the scroll-arrow strips of a tall popup.
inline constexpr Integer tbMenuScrollArrowHeight = 19;

// EnterToolbarLoop options.
using TTBEnterToolbarLoopOptions = Byte;
inline constexpr TTBEnterToolbarLoopOptions tbetMouseDown = 0x01, tbetExecuteSelected = 0x02, tbetFromMSAA = 0x04;

// The parameters a layout runs with (a toolbar view sets them for its dock or floating).
struct TTBViewLayout {
  TTBViewOrientation Orientation = tbvoHorizontal;
  Integer WrapOffset = 0, ChevronOffset = 0, ChevronSize = 0;
};

using TTBViewClass =
    TTBClassRef<TTBView, TComponent*, TTBView*, TTBCustomItem*, fw::TWinControl*, bool, bool, bool>;

class TTBView : public TComponent {
 public:
  // Made through TTBViewClass::Create (or followed by AfterConstruction), which registers for
  // the item's notifications and builds the viewers with the final class's hooks.
  TTBView(TComponent* AOwner, TTBView* AParentView, TTBCustomItem* AParentItem, fw::TWinControl* AWindow,
          bool AIsToolbar, bool ACustomizing, bool AUsePriorityList);
  ~TTBView() override;
  virtual void AfterConstruction();

  // ---- structure ----
  Integer ViewerCount() const { return Integer(FViewers.size()); }
  TTBItemViewer* Viewers(Integer Index) const { return FViewers.at(size_t(Index)); }
  // ETBItemError "An item viewer associated the specified item could not be found".
  TTBItemViewer* Find(TTBCustomItem* AItem);
  Integer IndexOf(const TTBItemViewer* AViewer) const;
  // First shown viewer containing P (client coordinates), nil when none.
  TTBItemViewer* ViewerFromPoint(const TPoint& P);
  TTBItemViewer* NextSelectable(TTBItemViewer* CurViewer, bool GoForward);
  TTBItemViewer* FirstSelectable();
  void RecreateAllViewers();
  void BeginUpdate();
  void EndUpdate();

  // ---- selection and popups ----
  TTBItemViewer* Selected() const { return FSelected; }
  void SetSelected(TTBItemViewer* Value, bool ViaMouse = false);
  bool SelectedViaMouse() const { return FSelectedViaMouse; }
  bool MouseOverSelected() const { return FMouseOverSelected; }
  void UpdateSelection(const TPoint* P, bool AllowNewSelection);
  bool OpenChildPopup(bool SelectFirstItem);
  void CloseChildPopups();
  TTBItemViewer* OpenViewer() const { return FOpenViewer; }
  TTBView* OpenViewerView() const { return FOpenViewerView; }
  TTBPopupWindow* OpenViewerWindow() const { return FOpenViewerWindow; }

  // ---- timers (ids 9000 + timer) ----
  void StartTimer(TTBViewTimerID ATimer, Integer Interval);
  void StopTimer(TTBViewTimerID ATimer);
  void StopAllTimers();
  bool TimerRunning(TTBViewTimerID ATimer) const { return (FTimers & (1u << ATimer)) != 0; }
  // A view timer fired (the loop routes WM_TIMER 9000..9003 here).
  void TimerExpired(TTBViewTimerID ATimer);

  // ---- layout and painting ----
  void Invalidate(TTBItemViewer* AViewer);
  void ValidatePositions();
  void UpdatePositions(TPoint& ASize);
  // How big the view would be, laid out with the parameters given, for a caller that only asks
  // (a dock, or a drag measuring the bar for every dock): the view keeps its own parameters and
  // layout, its viewers their places, its controls stay where they are, and the window is
  // neither sized nor invalidated, so nothing is laid out or painted again for the asking.
  void MeasurePositions(const TTBViewLayout& ALayout, TPoint& ASize);
  TTBViewLayout Layout() const { return {FOrientation, FWrapOffset, FChevronOffset, FChevronSize}; }
  bool PositionsValid() const { return FPositionsValid; }
  // Paints every shown viewer once (the selected one last unless in-order drawing was asked).
  // Positions found invalid are laid out first, drawn by this paint alone: the rest of a window
  // this paint does not cover is invalidated for the next one.
  void DrawSubitems(fw::TCanvas* ACanvas);
  void DrawItem(TTBItemViewer* AViewer, fw::TCanvas* DrawToCanvas, bool Offscreen);

  // ---- priority ----
  void GivePriority(TTBItemViewer* AViewer);
  TTBItemViewer* HighestPriorityViewer();
  void SetUsePriorityList(bool Value);
  // Where items inserted after loading enter the priority list: first (hidden last behind the
  // chevron) or last (hidden first).
  bool NewItemsFirst() const { return FNewItemsFirst; }
  void SetNewItemsFirst(bool Value) { FNewItemsFirst = Value; }

  // ---- the loop ----
  void ExecuteSelected(bool AGivePriority);
  void EndModal();
  void EndModalWithClick(TTBItemViewer* AViewer);
  void EndModalWithHelp(Integer AContextID);
  void EndModalWithSystemMenu(win::HWND AWnd, win::WPARAM AKey);
  TTBView* GetRootView();
  // Modal menu loop on this toolbar view; options tbetMouseDown, tbetExecuteSelected, tbetFromMSAA.
  void EnterToolbarLoop(TTBEnterToolbarLoopOptions Options);
  const TTBDoneActionRec& DoneActionData() const { return FDoneActionData; }
  void ClearDoneAction() { FDoneActionData = TTBDoneActionRec(); }
  win::HWND GetModalWindow();
  void SetModalHandlerWnd(win::HWND Value) { FModalHandlerWnd = Value; }
  // Keeps input going to the selected viewer.
  void SetCapture();
  void CancelCapture();
  bool Capture() const { return FCapture; }

  // ---- keyboard ----
  void Scroll(bool ADown);
  void ScrollSelectedIntoView();
  TTBItemViewer* FindAccel(TTBItemViewer* ASelected, char16_t Key, bool& IsOnlyItemWithAccel,
                           bool RequirePrimaryAccel = false);
  void SetAccelsVisibility(bool AShow);

  // ---- other ----
  void GetControlItemControls(std::vector<fw::TWinControl*>& AList);
  // Replaces the options byte (tbvoMenuBar, tbvoUseHiddenAccels, tbvoAlwaysShowHints).
  void SetStyle(TTBViewStyle Value) { FStyle = Value; }
  TTBViewStyle Style() const { return FStyle; }
  TTBViewState State() const { return FState; }
  void SetState(TTBViewState Value) { FState = Value; }
  fw::TWinControl* Window() const { return FWindow; }
  TTBView* ParentView() const { return FParentView; }
  TTBCustomItem* ParentItem() const { return FParentItem; }
  TTBCustomItem* CurParentItem() const { return FCurParentItem; }
  bool Customizing() const { return FCustomizing; }
  bool IsPopup() const { return FIsPopup; }
  bool IsToolbar() const { return FIsToolbar; }
  void SetIsToolbar(bool Value) { FIsToolbar = Value; }
  TTBViewOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TTBViewOrientation Value);
  Integer WrapOffset() const { return FWrapOffset; }
  void SetWrapOffset(Integer Value);
  Integer ChevronOffset() const { return FChevronOffset; }
  void SetChevronOffset(Integer Value);
  Integer ChevronSize() const { return FChevronSize; }
  // The size of the last layout had no item gone behind the chevron: what a shrunk toolbar
  // still asks its dock for, so that each arrange of the dock measures the same length.
  TPoint UnshrunkSize() const { return FUnshrunkSize; }
  void SetChevronSize(Integer Value);
  // The least size the layout fills (width, height; 0: none): the last row of a toolbar that did
  // not wrap is centred across it. The size the layout reports includes it; UnshrunkSize does
  // not, so a dock that asks for it sees the view's own thickness.
  TPoint MinimumSize() const { return FMinimumSize; }
  void SetMinimumSize(const TPoint& Value) { FMinimumSize = Value; }
  Integer MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(Integer Value);
  const TRect& MonitorRect() const { return FMonitorRect; }
  void SetMonitorRect(const TRect& Value) { FMonitorRect = Value; }
  TTBView* ChevronParentView() const { return FChevronParentView; }
  void SetChevronParentView(TTBView* Value);
  bool ShowDownArrow() const { return FShowDownArrow; }
  bool ShowUpArrow() const { return FShowUpArrow; }
  Integer ScrollOffset() const { return FScrollOffset; }
  // Background colour the themed popup window writes (clDefault: the window's colour).
  fw::TColor BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(fw::TColor Value) { FBackgroundColor = Value; }
  // The view's accessibility object, made on first request; the view keeps it.
  std::shared_ptr<TTBViewAccObject> GetAccObject();

  // ---- virtual operations, in the order subclasses rely on ----
  // The laid-out size: a toolbar or popup window sizes itself to it.
  virtual void AutoSize(Integer AWidth, Integer AHeight);
  // Lays the viewers out; true when any viewer's position or flags changed.
  virtual bool DoUpdatePositions(TPoint& ASize);
  virtual TTBCustomItem* GetChevronItem();
  virtual void GetMargins(TTBViewOrientation AOrientation, TRect& Margins);
  virtual TTBCustomItem* GetTrailingGroupItem();
  virtual TTBCustomItem* GetLeadingItem();
  virtual void KeyDown(Word& Key, fw::TShiftState Shift);
  virtual fw::TFont* GetFont();
  virtual void InvalidatePositions();
  // What the view is to assistive technology, a ROLE_SYSTEM_ value: a menu popup, a menu bar or
  // a toolbar; a bar that is something else answers for itself.
  virtual Integer GetAccRole();

  void Notification(TComponent* AComponent, fw::TOperation Operation) override;

 protected:
  friend class TTBItemViewer;
  friend class TTBCustomItem;
  friend class TTBModalHandler;
  friend class TTBPopupWindow;

  void LinkNotification(TTBCustomItem* Sender, bool Relayed, TTBItemChangedAction Action, Integer Index,
                        TTBCustomItem* Item);
  void ItemNotification(TTBCustomItem* Sender, bool Relayed, TTBItemChangedAction Action, Integer Index,
                        TTBCustomItem* Item);
  void ReadCurParentItem();
  void InsertItemViewers(Integer NewIndex, TTBCustomItem* AItem, Integer AGroupLevel, bool AddToPriorityList,
                         bool TopOfPriorityList);
  void DeletingViewer(TTBItemViewer* Viewer);
  void FreeViewers();
  void RecreateItemViewer(Integer Index);
  bool DrawViewerOffscreen(TTBItemViewer* AViewer);
  void RepaintAfterLayout();
  // The window's whole client area waits for a paint.
  bool WholeClientPending() const;
  bool IsUpdating() const { return FUpdating > 0; }
  void SetOpenViewer(TTBItemViewer* Viewer, TTBView* View, TTBPopupWindow* Window);
  void ScrollBy(Integer ADelta);

  std::vector<TTBItemViewer*> FViewers;
  std::vector<TTBItemViewer*> FPriorityList;
  unsigned FTimers = 0;
  bool FCapture = false;
  win::HWND FModalHandlerWnd = nullptr;
  TTBView* FChevronParentView = nullptr;
  Integer FChevronOffset = 0, FChevronSize = 0;
  TPoint FUnshrunkSize{};
  TPoint FMinimumSize{};
  TTBCustomItem* FCurParentItem = nullptr;
  bool FCustomizing = false;
  TTBDoneActionRec FDoneActionData;
  Integer FInternalViewersAtEnd = 0, FInternalViewersAtFront = 0;
  bool FIsPopup = false, FIsToolbar = false;
  Integer FMaxHeight = 0;
  TRect FMonitorRect{};
  bool FMouseOverSelected = false;
  bool FUsePriorityList = false;
  bool FNewItemsFirst = true;
  TTBItemViewer* FOpenViewer = nullptr;
  TTBView* FOpenViewerView = nullptr;
  TTBPopupWindow* FOpenViewerWindow = nullptr;
  TTBView* FParentView;
  TTBCustomItem* FParentItem;
  TTBViewOrientation FOrientation = tbvoHorizontal;
  Integer FScrollOffset = 0;
  TTBItemViewer* FSelected = nullptr;
  bool FSelectedViaMouse = false;
  TTBViewState FState = 0;
  TTBViewStyle FStyle = 0;
  bool FShowDownArrow = false, FShowUpArrow = false;
  bool FPositionsValid = false;
  fw::TWinControl* FWindow;
  Integer FWrapOffset = 0;
  Integer FUpdating = 0;
  fw::TColor FBackgroundColor = fw::clDefault;
  std::shared_ptr<TTBViewAccObject> FAccObject;
  bool FConstructed = false;
  bool FMeasuring = false;  // a layout only to measure: DoUpdatePositions stores nothing
  // Inside DrawSubitems: a layout then leaves the drawing to the paint.
  Integer FPainting = 0;
  bool FLaidOutInPaint = false;  // a layout inside the paint moved viewers
};

// The toolbar font shared by views without a font of their own: the system menu font.
fw::TFont* ToolbarFont();
// Reads the system menu font into the toolbar font again (the same object: holders keep it).
void ReloadToolbarFont();

}  // namespace toolbars
