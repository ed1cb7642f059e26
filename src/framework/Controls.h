#pragma once
// Controls: TControl (a rectangle on a parent with caption, font, colour, hint, mouse events and
// an action), TWinControl (a control with its own window, made when first needed, owning child
// controls, alignment, tab order and focus), TGraphicControl (drawn by its parent) and
// TCustomControl (a windowed control that paints itself on a canvas).
//
// Every message reaches a control through WindowProc (by default WndProc), which hands it to
// Dispatch; Dispatch calls the handler named after the message (WMPaint, CMMouseEnter ...) or
// DefaultHandler. A descendant overrides a single handler, or Dispatch/WndProc for messages of
// its own, calling the inherited one for the rest.

#include <functional>
#include <memory>
#include <vector>

#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/ControlMessages.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsTypes.h"
#include "framework/Sets.h"
#include "platform/user/windows/WinUserTypes.h"

namespace fw {

class TWinControl;
class TPopupMenu;
class TBasicAction;
class TControlActionLink;
class TCustomForm;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TControlStyleItem {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption,
  csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
  csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents
};
using TControlStyle = TSet<TControlStyleItem>;
enum TControlStateItem {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
  csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking
};
using TControlState = TSet<TControlStateItem>;

using TCursor = Integer;
inline constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                         crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                         crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
                         crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20,
                         crHandPoint = -21, crSizeAll = -22, crSize = -22;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
// The character typed: the low word of WM_CHAR's WParam (a layer above may park more in the
// high word).
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;
using TWndMessageMethod = std::function<void(TMessage& Message)>;

// Shift state from MK_ flags of a mouse message, and from the keyboard state with a key message's
// LParam (bit 29: Alt).
TShiftState KeysToShiftState(win::WPARAM Keys);
TShiftState KeyDataToShiftState(win::LPARAM KeyData);

class TSizeConstraints : public TPersistent {
 public:
  Integer MinWidth() const { return FMinWidth; }
  Integer MaxWidth() const { return FMaxWidth; }
  Integer MinHeight() const { return FMinHeight; }
  Integer MaxHeight() const { return FMaxHeight; }
  // 0 means no limit; a maximum below the minimum is raised to it.
  void SetMinWidth(Integer Value);
  void SetMaxWidth(Integer Value);
  void SetMinHeight(Integer Value);
  void SetMaxHeight(Integer Value);
  void Assign(TPersistent* Source) override;
  // The width and height the limits allow.
  void Apply(Integer& Width, Integer& Height) const;

  TNotifyEvent OnChange;

 private:
  void Change();
  Integer FMinWidth = 0, FMaxWidth = 0, FMinHeight = 0, FMaxHeight = 0;
};

// The room an aligned control keeps from its neighbours and its parent's edges while its
// AlignWithMargins is on (3 pixels on each side unless set).
class TMargins : public TPersistent {
 public:
  Integer Left() const { return FLeft; }
  Integer Top() const { return FTop; }
  Integer Right() const { return FRight; }
  Integer Bottom() const { return FBottom; }
  void SetLeft(Integer Value) { SetMargins(Value, FTop, FRight, FBottom); }
  void SetTop(Integer Value) { SetMargins(FLeft, Value, FRight, FBottom); }
  void SetRight(Integer Value) { SetMargins(FLeft, FTop, Value, FBottom); }
  void SetBottom(Integer Value) { SetMargins(FLeft, FTop, FRight, Value); }
  // Stores the four values and notifies once when any changed.
  void SetMargins(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom);
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 private:
  Integer FLeft = 3, FTop = 3, FRight = 3, FBottom = 3;
};

// Asked before a control takes a new size: Resize false keeps the old size; the handler may
// also change the size offered.
using TCanResizeEvent = std::function<void(TObject* Sender, Integer& NewWidth, Integer& NewHeight, bool& Resize)>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  Integer Left() const { return FLeft; }
  Integer Top() const { return FTop; }
  Integer Width() const { return FWidth; }
  Integer Height() const { return FHeight; }
  void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // Position in the parent's client area; the size is kept within Constraints.
  virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top); }
  virtual TRect ClientRect();
  Integer ClientWidth() { return ClientRect().right; }
  Integer ClientHeight() { return ClientRect().bottom; }
  void SetClientWidth(Integer Value) { SetClientSize(Value, ClientHeight()); }
  void SetClientHeight(Integer Value) { SetClientSize(ClientWidth(), Value); }
  virtual void SetClientSize(Integer AWidth, Integer AHeight);
  // The client area's top-left corner in screen coordinates.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(const TPoint& P);
  TPoint ScreenToClient(const TPoint& P);

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  TMargins* Margins() const { return FMargins.get(); }
  void SetMargins(TMargins* Value) { FMargins->Assign(Value); }
  // With it on, the parent's alignment leaves Margins round the control.
  bool AlignWithMargins() const { return FAlignWithMargins; }
  void SetAlignWithMargins(bool Value);
  // With it on, every change of size asks CanAutoSize for the size that fits the content.
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool Value);

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show();
  void Hide();
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  // Caption and Text are one text. The virtual pair lets descendants keep it elsewhere.
  String Caption() const { return GetText(); }
  void SetCaption(const String& Value) { SetText(Value); }
  String Text() const { return GetText(); }
  virtual String GetText() const;
  // Stores a new text and sends CM_TEXTCHANGED; the same text again changes nothing.
  virtual void SetText(const String& Value);

  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  // Reading order: with ParentBiDiMode (the default) the control reads as its parent does, a
  // control without parent left to right. Setting a mode clears ParentBiDiMode.
  TBiDiMode BiDiMode() const;
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  bool UseRightToLeftReading() const { return BiDiMode() != bdLeftToRight; }
  // The three-dimensional look of borders, taken from the parent with ParentCtl3D (the
  // default); on without a parent. Setting it clears ParentCtl3D.
  bool Ctl3D() const;
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }

  // Assigning an action makes a link (GetActionLinkClass) and copies the action's properties.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TControlActionLink* ActionLink() const { return FActionLink.get(); }
  // Asks the action (if any) to update itself.
  virtual void InitiateAction();
  // A CM_ACTIONEXECUTE/CM_ACTIONUPDATE offered to this control: true when it handled it.
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);

  win::LRESULT Perform(win::UINT Msg, win::WPARAM WParam = 0, win::LPARAM LParam = 0);
  // The message method; replaceable (a layer above may install its own and chain to this one).
  TWndMessageMethod WindowProc;
  virtual void WndProc(TMessage& Message);
  void Dispatch(TMessage& Message) override;

  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();
  virtual void SetZOrder(bool TopMost);
  // The windowed control's handle when it has one, else the parent's (for graphic controls).
  virtual bool HasParentHandle() const;

  // True for TWinControl: used where the framework tests a control's class.
  virtual bool IsWindowed() const { return false; }

  virtual void Click();
  virtual void DblClick();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  friend class TWinControl;
  friend class TControlActionLink;

  // Action links.
  using TActionLinkFactory = TControlActionLink* (*)(TControl* Client);
  virtual TActionLinkFactory GetActionLinkClass();
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  void DoActionChange(TObject* Sender);

  virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void Resize();
  // The sizing steps SetBounds runs, in this order, when the size changes: CanResize (the
  // OnCanResize event; false keeps the old size), Constraints, then with AutoSize CanAutoSize
  // (true: the size it proposes is taken, within Constraints again).
  virtual bool CanResize(Integer& NewWidth, Integer& NewHeight);
  // The size that fits the content; false when the control has nothing to fit (the base).
  virtual bool CanAutoSize(Integer& NewWidth, Integer& NewHeight);
  // Fits the control to its content now when AutoSize is on.
  virtual void AdjustSize();
  void CheckNewSize(Integer& NewWidth, Integer& NewHeight);
  virtual void Loaded() override;
  // The parent needs to realign (size or alignment of this control changed).
  void RequestAlign();
  virtual void ConstraintsChanged();
  // Remembers where the control sits relative to its parent's edges, for the anchors.
  void UpdateAnchorRules();
  void InvalidateControl(bool IsVisible, bool IsOpaque);

  // Handlers of window messages (mouse input reaches graphic controls through their parent).
  virtual void WMLButtonDown(TMessage& Message);
  virtual void WMLButtonDblClk(TMessage& Message);
  virtual void WMLButtonUp(TMessage& Message);
  virtual void WMRButtonDown(TMessage& Message);
  virtual void WMRButtonUp(TMessage& Message);
  virtual void WMMButtonDown(TMessage& Message);
  virtual void WMMButtonUp(TMessage& Message);
  virtual void WMMouseMove(TMessage& Message);
  virtual void WMContextMenu(TMessage& Message);
  virtual void WMCancelMode(TMessage& Message);
  virtual void WMWindowPosChanged(TMessage& Message);
  // Handlers of the framework's own messages.
  virtual void CMEnabledChanged(TMessage& Message);
  virtual void CMVisibleChanged(TMessage& Message);
  virtual void CMTextChanged(TMessage& Message);
  virtual void CMColorChanged(TMessage& Message);
  virtual void CMFontChanged(TMessage& Message);
  virtual void CMParentColorChanged(TMessage& Message);
  virtual void CMParentFontChanged(TMessage& Message);
  virtual void CMShowHintChanged(TMessage& Message);
  virtual void CMParentShowHintChanged(TMessage& Message);
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  virtual void CMHitTest(TMessage& Message);
  virtual void CMHintShow(TMessage& Message);
  virtual void CMCursorChanged(TMessage& Message);
  virtual void CMActionExecute(TMessage& Message);
  virtual void CMActionUpdate(TMessage& Message);

  TWinControl* FParent = nullptr;
  Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  std::unique_ptr<TSizeConstraints> FConstraints;
  std::unique_ptr<TMargins> FMargins;
  bool FAlignWithMargins = false;
  bool FAutoSize = false;
  bool FAutoSizing = false;  // AdjustSize is running
  bool FVisible = true;
  bool FEnabled = true;
  String FText;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  TColor FColor = clWindow;
  bool FParentColor = true;
  String FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  TPopupMenu* FPopupMenu = nullptr;
  TCursor FCursor = crDefault;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState FControlState;
  std::unique_ptr<TControlActionLink> FActionLink;
  // Anchor rules: the distances to the parent's right and bottom edges and the centre, and the
  // parent's client size they were taken at.
  Integer FAnchorRight = 0, FAnchorBottom = 0, FAnchorCenterX = 0, FAnchorCenterY = 0;
  Integer FOriginalParentWidth = 0, FOriginalParentHeight = 0;
  bool FAnchorMove = false;

 private:
  void FontChanged(TObject* Sender);
  void DoConstraintsChange(TObject* Sender);
  bool FSettingParentFont = false;
};

// The parameters CreateWnd passes to the window system.
struct TCreateParams {
  WideString Caption;
  win::DWORD Style = 0;
  win::DWORD ExStyle = 0;
  Integer X = 0, Y = 0, Width = 0, Height = 0;
  win::HWND WndParent = nullptr;
  void* Param = nullptr;
  win::WNDCLASSW WindowClass{};
  WideString WinClassName;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }

  // The window, made (with the parent's) when first asked for. EInvalidOperation "Control '%s'
  // has no parent window" when a child control has no parent to live in.
  win::HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // Destroys the window (the control keeps its state) and makes it again, now when it showed.
  void RecreateWnd();
  // A foreign window to be the parent of a control that has no Parent.
  win::HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(win::HWND Value);
  // The procedure messages go to when the framework does not answer them: DefWindowProcW, or
  // the original class procedure of a subclassed standard control.
  win::WNDPROC DefWndProc() const { return FDefWndProc; }
  void SetDefWndProc(win::WNDPROC Value) { FDefWndProc = Value; }

  Integer ControlCount() const { return Integer(FControls.size()); }
  TControl* Controls(Integer Index) const { return FControls.at(size_t(Index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control) const;
  // The visible enabled child under a client point (graphic controls and, with
  // AllowWinControls, windowed ones), topmost first.
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
  // Sends the message to every child until one answers non-zero.
  void Broadcast(TMessage& Message);

  bool Showing() const { return FShowing; }
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  void SetZOrder(bool TopMost) override;
  void SetText(const String& Value) override;
  String GetText() const override;

  void DisableAlign();
  void EnableAlign();
  void Realign();
  // The part of the client area the alignment lays children out in; the base leaves it whole,
  // descendants take off their borders, captions or margins.
  virtual void AdjustClientRect(TRect& Rect);
  TBrush* Brush() const { return FBrush.get(); }

  // Tab order and focus.
  Integer TabOrder() const;
  void SetTabOrder(Integer Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value) { FTabStop = Value; }
  // Whether Tab stops at the control now: TabStop, unless the control is one of a group that
  // the arrow keys move through, of which only one member is a stop.
  virtual bool StopsOnTab() { return FTabStop; }
  virtual bool CanFocus();
  bool Focused();
  virtual void SetFocus();
  // The windowed children in tab order, depth first (a container may order them its own way).
  virtual void GetTabOrderList(std::vector<TWinControl*>& List);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  // Paints the control and its children on DC with the control's top-left corner at (X, Y).
  void PaintTo(win::HDC DC, Integer X, Integer Y);

  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

 protected:
  friend class TControl;
  friend class TCustomForm;

  // The first message of every framework window binds it to the control being made.
  static win::LRESULT InitWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  static TWinControl* CreationControl;
  // Forms and other top-level controls show without a parent.
  virtual bool IsTopLevel() const { return false; }

  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  virtual void CreateHandle();
  void DestroyHandle();
  // Makes the window a subclass of a standard class: its procedure becomes DefWndProc.
  void CreateSubClass(TCreateParams& Params, const char16_t* ControlClassName);
  // Children whose window is due get one; called once the window exists.
  void CreateChildHandles();
  void UpdateShowing();
  void UpdateControlState();
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  void AlignControl(TControl* AControl);
  // The size that holds every visible child (aligned ones by the room their side takes), with
  // the borders and the part AdjustClientRect takes off; false without visible children.
  bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override;
  virtual void PaintWindow(win::HDC DC);
  void PaintHandler(TMessage& Message);
  void PaintControls(win::HDC DC, TControl* First);
  void MainWndProc(TMessage& Message);
  // Keys: true when the handler swallowed the key.
  virtual bool DoKeyDown(TMessage& Message);
  virtual bool DoKeyPress(TMessage& Message);
  virtual bool DoKeyUp(TMessage& Message);
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void KeyPress(char16_t& Key);
  virtual void DoEnter();
  virtual void DoExit();
  // The routing of mouse messages to graphic children; true when one took it.
  bool IsControlMouseMsg(TMessage& Message);
  void UpdateBounds();

  virtual void WMPaint(TMessage& Message);
  virtual void WMEraseBkgnd(TMessage& Message);
  virtual void WMSetFocus(TMessage& Message);
  virtual void WMKillFocus(TMessage& Message);
  virtual void WMKeyDown(TMessage& Message);
  virtual void WMKeyUp(TMessage& Message);
  virtual void WMChar(TMessage& Message);
  virtual void WMSysKeyDown(TMessage& Message);
  virtual void WMCommand(TMessage& Message);
  virtual void WMNotify(TMessage& Message);
  virtual void WMDrawItem(TMessage& Message);
  virtual void WMScroll(TMessage& Message);
  virtual void WMCtlColor(TMessage& Message);
  virtual void WMSetCursor(TMessage& Message);
  virtual void WMSize(TMessage& Message);
  virtual void WMWindowPosChanging(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message) override;
  virtual void WMNCDestroy(TMessage& Message);
  void WMContextMenu(TMessage& Message) override;
  virtual void CNKeyDown(TMessage& Message);
  virtual void CNChar(TMessage& Message);
  virtual void CMDialogKey(TMessage& Message);
  virtual void CMDialogChar(TMessage& Message);
  virtual void CMChildKey(TMessage& Message);
  virtual void CMEnter(TMessage& Message);
  virtual void CMExit(TMessage& Message);
  virtual void CMFocusChanged(TMessage& Message);
  virtual void CMShowingChanged(TMessage& Message);
  virtual void CMRecreateWnd(TMessage& Message);
  virtual void CMInvalidate(TMessage& Message);
  // Passed on to every child control (a form starts it when the system colours change).
  virtual void CMSysColorChange(TMessage& Message);
  void CMEnabledChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void CMShowHintChanged(TMessage& Message) override;
  void CMActionExecute(TMessage& Message) override;
  void CMActionUpdate(TMessage& Message) override;

  win::HWND FHandle = nullptr;
  win::HWND FParentWindow = nullptr;
  win::WNDPROC FDefWndProc = nullptr;
  win::WNDPROC FObjectInstance = nullptr;
  std::vector<TControl*> FControls;  // every child, in z-order (first = bottom)
  std::vector<TWinControl*> FTabList;
  std::unique_ptr<TBrush> FBrush;
  bool FShowing = false;
  bool FTabStop = false;
  bool FSizeChecked = false;  // SetBounds is placing the window with a size already checked
  Integer FAlignLevel = 0;

 private:
  void Insert(TControl* AControl);
  void Remove(TControl* AControl);
};

// A control without a window, painted by its parent on the parent's DC.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }

 protected:
  virtual void Paint() {}
  virtual void WMPaint(TMessage& Message);
  void Dispatch(TMessage& Message) override;
  std::unique_ptr<TCanvas> FCanvas;
};

// A windowed control that paints itself: Paint draws on Canvas while WM_PAINT is handled.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(win::HDC DC) override;
  std::unique_ptr<TCanvas> FCanvas;
};

// A canvas over a control: its DC is the control's window DC (or the parent's, placed at the
// control, for graphic controls) got when first drawn on, unless a paint DC is lent to it.
class TControlCanvas : public TCanvas {
 public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* Control() const { return FControl; }
  void SetControl(TControl* AControl);
  // Gives back the DC this canvas got itself.
  void FreeHandle();
  // Runs `paint` with the canvas drawing on a DC it was handed (WM_PAINT's or a print DC), and
  // lets go of that DC afterwards, also when painting throws.
  template <class Paint>
  void PaintOn(win::HDC DC, Paint&& paint) {
    Lock();
    struct Release {
      TControlCanvas* canvas;
      ~Release() {
        canvas->SetHandle(nullptr);
        canvas->Unlock();
      }
    } release{this};
    FreeHandle();
    SetHandle(DC);
    paint();
  }

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl = nullptr;
  win::HDC FDeviceContext = nullptr;
  win::HWND FWindowHandle = nullptr;
};

// The control a window belongs to (nullptr for windows of no control).
TWinControl* FindControl(win::HWND Handle);
// The windowed control under a screen point.
TWinControl* FindWindowControlAt(const TPoint& Pos);
// The control (windowed or graphic) under a screen point.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The window property that names a window's control.
const char16_t* ControlAtomString();
// The form a control sits on (nullptr when none).
TCustomForm* GetParentForm(TControl* Control);
// The control that gets the mouse while a button is held on it.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The hint text before "|" and after it (the whole text when there is none).
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

}  // namespace fw
