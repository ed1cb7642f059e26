#pragma once
// The base of everything that sits on a dock or floats in a small tool form of its own: toolbars
// and dockable panels. It owns the docked frame (border, drag handle, docked close button), the
// rules that show and hide floating windows with their owner form and the application, and the
// switch between docked and floating parents. The drag, sizing and close-button loops and the
// floating parent form are in their own units.

#include <functional>
#include <memory>
#include <optional>

#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/StdCtrlsTypes.h"
#include "toolbars/TBClassRef.h"
#include "toolbars/TBDock.h"

namespace toolbars {

class TTBFloatingWindowParent;

enum TTBDockMode : unsigned char { dmCanFloat, dmCannotFloat, dmCannotFloatOrChangeDocks };
enum TTBDragHandleStyle : unsigned char { dhDouble, dhNone, dhSingle };
enum TTBFloatingMode : unsigned char { fmOnTopOfParentForm, fmOnTopOfAllForms };

// Hit-test codes of the docked frame and of the floating parent.
inline constexpr Integer HTDockBorder = 2000;   // docked frame or drag handle
inline constexpr Integer HTDockClose = 2001;    // a close button
inline constexpr Integer HTDockCaption = 2002;  // floating caption

// ResizeStyle flags.
using TTBResizeStyle = unsigned char;
inline constexpr TTBResizeStyle trsCorners = 0x01, trsConfineCursor = 0x02;

using TTBDockChangingEvent = std::function<void(fw::TObject* Sender, bool Floating, TTBDock* DockingTo)>;
using TTBCloseQueryEvent = std::function<void(fw::TObject* Sender, bool& CanClose)>;

using TTBFloatingWindowParentClass = TTBClassRef<TTBFloatingWindowParent, fw::TComponent*>;

// Hands activation from a window that goes out of sight to the thread's first other visible,
// enabled top-level window, one that is not a tool window when there is such.
void PassActivation(win::HWND From);

class TTBCustomDockableWindow : public fw::TCustomControl {
 public:
  explicit TTBCustomDockableWindow(fw::TComponent* AOwner);
  ~TTBCustomDockableWindow() override;

  // ---- state ----
  bool Docked() const { return FDocked; }
  bool Floating() const { return FFloating; }
  void SetFloating(bool Value);
  TTBDock* CurrentDock() const { return FCurrentDock; }
  void SetCurrentDock(TTBDock* Value);  // nil: onto the owner form
  Integer DockPos() const { return FDockPos; }
  void SetDockPos(Integer Value);
  Integer DockRow() const { return FDockRow; }
  void SetDockRow(Integer Value);
  Integer EffectiveDockPos() const { return FEffectiveDockPos; }
  Integer EffectiveDockRow() const { return FEffectiveDockRow; }
  // Length the dock granted along its row; 0 when the window has its full length.
  Integer CurrentSize() const { return FCurrentSize; }
  Integer RowThickness() const { return FRowThickness; }
  TPoint FloatingPosition() const { return FFloatingPosition; }
  void SetFloatingPosition(TPoint Value);
  TTBFloatingWindowParent* FloatingParent() const;
  bool InactiveCaption() const { return FInactiveCaption; }
  bool CloseButtonDown() const { return FCloseButtonDown; }
  bool CloseButtonHover() const { return FCloseButtonHover; }

  // ---- properties ----
  bool ActivateParent() const { return FActivateParent; }
  void SetActivateParent(bool Value) { FActivateParent = Value; }
  bool AutoResize() const { return FAutoResize; }
  void SetAutoResize(bool Value);
  fw::TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(fw::TBorderStyle Value);
  bool CloseButton() const { return FCloseButton; }
  void SetCloseButton(bool Value);
  bool CloseButtonWhenDocked() const { return FCloseButtonWhenDocked; }
  void SetCloseButtonWhenDocked(bool Value);
  bool DblClickUndock() const { return FDblClickUndock; }
  void SetDblClickUndock(bool Value) { FDblClickUndock = Value; }
  TTBDock* DefaultDock() const { return FDefaultDock; }
  void SetDefaultDock(TTBDock* Value);
  TTBDockableTo DockableTo() const { return FDockableTo; }
  void SetDockableTo(TTBDockableTo Value) { FDockableTo = Value; }
  TTBDockMode DockMode() const { return FDockMode; }
  void SetDockMode(TTBDockMode Value) { FDockMode = Value; }
  TTBDragHandleStyle DragHandleStyle() const { return FDragHandleStyle; }
  void SetDragHandleStyle(TTBDragHandleStyle Value);
  TTBFloatingMode FloatingMode() const { return FFloatingMode; }
  void SetFloatingMode(TTBFloatingMode Value);
  bool FullSize() const { return FFullSize; }
  void SetFullSize(bool Value);
  bool HideWhenInactive() const { return FHideWhenInactive; }
  void SetHideWhenInactive(bool Value);
  TTBDock* LastDock() const { return FLastDock; }
  void SetLastDock(TTBDock* Value);
  bool Resizable() const { return FResizable; }
  void SetResizable(bool Value);
  TTBResizeStyle ResizeStyle() const { return FResizeStyle; }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  bool SmoothDrag() const { return FSmoothDrag; }
  void SetSmoothDrag(bool Value) { FSmoothDrag = Value; }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool UseLastDock() const { return FUseLastDock; }
  void SetUseLastDock(bool Value);

  fw::TNotifyEvent OnClose, OnDockChanged, OnDockChangingHidden, OnMove, OnRecreated, OnRecreating,
      OnVisibleChanged;
  TTBCloseQueryEvent OnCloseQuery;
  TTBDockChangingEvent OnDockChanging;

  // ---- operations ----
  void BeginUpdate();
  void EndUpdate();  // at 0 runs a postponed Arrange
  void Arrange();
  bool IsMovable() const;
  // Moves a floating window onto its monitor's work area (with OnlyIfFullyOffscreen only when
  // no part of it is on it).
  void MoveOnScreen(bool OnlyIfFullyOffscreen);
  void DoubleClick();
  void Close();
  // Drag-handle size by style: 9 double, 0 none, 6 single; 14 with the docked close button.
  Integer DragHandleSize() const;
  // Visibility of a floating window with its owner form and the application.
  bool ShouldBeVisible() const;
  void UpdateVisibility();
  // The dock's background palette while docked on a dock that has one; nil otherwise.
  win::HPALETTE GetPalette();

  // ---- modal mouse loops ----
  // Drags the window along its dock, to another dock or out to float; (InitX, InitY) is the
  // grab point in client coordinates.
  void BeginMoving(Integer InitX, Integer InitY);
  // Sizes a floating window by the edge or corner of the hit code (HTLEFT .. HTBOTTOMRIGHT),
  // pressed at PressedAt (screen coordinates).
  void BeginSizing(Integer HitCode, win::POINT PressedAt);
  // Tracks a pressed close button (ButtonRect in window coordinates of Wnd); Pushed follows the
  // cursor. True when the button was released over it.
  bool TrackCloseButton(win::HWND Wnd, const TRect& ButtonRect, bool& Pushed);

  // ---- virtual operations, in the order subclasses rely on ----
  virtual void GetDockedNCAreaSize(TPoint& Size);
  virtual bool CanDockTo(TTBDock* ADock);
  virtual void ControlExistsAtPos(const TPoint& P, bool& ControlExists);
  // Client size the window needs for the dock type (and dock); with CanMoveControls the
  // contents are laid out, otherwise only measured.
  virtual TPoint OrderControls(bool CanMoveControls, TTBDockType PreviousDockType, TTBDock* DockingTo) = 0;
  virtual void DrawNCArea(bool DrawToDC, win::HDC ADC, win::HRGN Clip);
  virtual void GetBaseSize(TPoint& ASize) = 0;
  virtual void GetDockedCloseButtonRect(bool LeftRight, TRect& R);
  virtual void GetMinShrinkSize(Integer& AMinimumSize);
  virtual void GetMinMaxSize(Integer& AMinClientWidth, Integer& AMinClientHeight, Integer& AMaxClientWidth,
                             Integer& AMaxClientHeight);
  virtual TTBShrinkMode GetShrinkMode();
  virtual void SizeChanging(Integer AWidth, Integer AHeight);
  virtual void GetFloatingBorderSize(TPoint& Size);
  // Hooks, trivial here.
  virtual bool IsTransparentChild(fw::TControl* AControl);
  virtual void DoDockChangingHidden(bool NewFloating, TTBDock* DockingTo);
  virtual TTBFloatingWindowParentClass GetFloatingWindowParentClass();
  virtual void InitializeOrdering();
  virtual void ResizeTrack(TRect& Rect, const TRect& OrigRect);
  virtual void ResizeTrackAccept();
  virtual void ResizeBegin(Integer SizeHandle);
  virtual void ResizeEnd();

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void SetParent(fw::TWinControl* AParent) override;
  void Dispatch(TMessage& Message) override;

  // ---- streams ----
  // Written with the window: "SavedAtRunTime" (always true here: this program has no designer).
  void DefineProperties(fw::TFiler* Filer) override;
  bool SavedAtRunTime() const { return FSavedAtRunTime; }
  // Where the stream puts the window: the position it stores is the floating frame's, relative to
  // the owner form's client area, while floating, else the window's own. Read values wait for
  // Loaded, which docks, floats or places the window.
  TPoint StoredPosition() const;
  void SetStoredLeft(Integer Value);
  void SetStoredTop(Integer Value);
  void SetStoredDock(TTBDock* Value);
  void SetStoredFloating(bool Value);

 protected:
  void Loaded() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  void CreateParams(fw::TCreateParams& Params) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) override;

  // Message handlers the themed windows call for the cases they do not handle.
  void WMNCCalcSize(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  void WMNCLButtonDown(TMessage& Message);
  void WMNCLButtonDblClk(TMessage& Message);
  void WMSetCursor(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;

  void RecalcNCArea();
  void CMShowingChanged(TMessage& Message) override;
  void UpdateTopmost();
  // Repaints a docked window on a dock with a background through one off-screen copy, so that
  // the background does not flash when the window moves.
  void RepaintOffscreen();
  // Frame, children and background drawn anew.
  void RedrawAll();
  // WM_CONTEXTMENU outside the client area: the popup menu; true when it was shown.
  bool WMContextMenuOnFrame(TMessage& Message);
  // Redraws the docked close button when its hover state changes.
  void SetCloseButtonHover(bool Value);

  friend class TTBDock;
  friend class TTBFloatingWindowParent;
  friend class TTBDragLoop;

  Integer FEffectiveDockPos = 0, FEffectiveDockRow = -1;
  bool FDocked = false;
  Integer FCurrentSize = 0;
  bool FFloating = false;
  TPoint FFloatingPosition{};
  bool FFloatingPositionKnown = false;  // floated once, or given a place to float at
  Integer FRowThickness = 0;
  bool FInsertRowBefore = false;
  Integer FDisableOnMove = 0, FDisableUpdateVisibility = 0, FUpdatingBounds = 0, FDisableArrange = 0;
  bool FArrangeNeeded = false, FMoved = false, FInactiveCaption = false, FSavedAtRunTime = false;
  bool FDragSmoothly = false, FCloseButtonDown = false, FCloseButtonHover = false;
  TTBFloatingWindowParent* FFloatParent = nullptr;  // cached; owned
  // What a stream read, applied by Loaded.
  struct TReadPlacement {
    TTBDock* Dock = nullptr;
    bool Floating = false;
    std::optional<Integer> Left, Top;
  } FRead;
  TTBResizeStyle FResizeStyle = trsCorners | trsConfineCursor;

 private:
  TTBDock* FCurrentDock = nullptr;
  TTBDock* FDefaultDock = nullptr;
  TTBDock* FLastDock = nullptr;
  Integer FDockPos = -1, FDockRow = 0;
  bool FActivateParent = true, FAutoResize = true, FCloseButton = true, FCloseButtonWhenDocked = false;
  bool FDblClickUndock = true, FFullSize = false, FHideWhenInactive = true, FResizable = true;
  bool FShowCaption = true, FSmoothDrag = true, FStretch = false, FUseLastDock = true;
  fw::TBorderStyle FBorderStyle = fw::bsSingle;
  TTBDockableTo FDockableTo = DockableToAll;
  TTBDockMode FDockMode = dmCanFloat;
  TTBDragHandleStyle FDragHandleStyle = dhSingle;
  TTBFloatingMode FFloatingMode = fmOnTopOfParentForm;
};

}  // namespace toolbars
