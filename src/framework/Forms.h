#pragma once
// Forms, the application object and the screen: TCustomForm/TForm (top-level windows shown
// modelessly or modally), TApplication (the message loop, idle work, hints, the exception
// handler, a hidden application window) and TScreen (forms, focus, cursors, monitors, fonts).
// The globals Application and Screen exist from start-up.

#include <functional>
#include <memory>
#include <vector>

#include "framework/Controls.h"

namespace fw {

class TMainMenu;
class TMenuItem;
class THintWindow;
class TStrings;
class TTimer;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
  poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem>;

using TModalResult = Integer;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                              mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // Fires OnCreate; TApplication::CreateForm calls it once the form is fully built.
  void AfterConstruction();
  // Fires OnDestroy (once); every free the framework makes calls it before deleting the form.
  void BeforeDestruction();

  void Show();
  void Hide();
  // Runs a message loop of its own until ModalResult is set (or the form is closed), with the
  // other windows of the program disabled meanwhile; returns the result. EInvalidOperation
  // "Cannot make a visible window modal" for a visible or disabled form.
  virtual Integer ShowModal();
  // OnCloseQuery, then OnClose with a close action (caHide; the main form ends the program).
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the messages already queued are handled and no handler of its own is
  // still running below (safe inside its own events, also those that run a message loop).
  void Release();

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  TFormState FormState() const { return FFormState; }
  bool Active() const { return FActive; }
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  TCanvas* Canvas() const { return FCanvas.get(); }

  TWinControl* ActiveControl() const { return FActiveControl; }
  // The control a form focuses when it first becomes active with none named: the first in tab
  // order that leaves Enter to the dialog, or the default button where none comes before it;
  // nullptr (the form itself) without either. A control's answer to WM_GETDLGCODE for Enter
  // tells: a button of any kind (DLGC_BUTTON) and a control that wants every key (a memo taking
  // new lines) take Enter themselves, DLGC_DEFPUSHBUTTON marks the default button. A control
  // holding others that take the focus (a page control) is passed over for them.
  TWinControl* FirstFocusControl();
  // EInvalidOperation "Cannot focus a disabled or invisible window" for a control that cannot
  // take the focus while the form shows.
  void SetActiveControl(TWinControl* Control);
  void FocusControl(TWinControl* Control);
  // Moves the focus off Control (and its children) before it goes away or hides.
  void DefocusControl(TWinControl* Control, bool Removing);
  // The window system moved the focus to Control: CM_EXIT/CM_ENTER along the way.
  bool SetFocusedControl(TWinControl* Control);
  void SetFocus() override;
  // A key that is a shortcut of the main menu or of an action list on the form.
  virtual bool IsShortCut(TMessage& Message);
  // Rebuilds the window's menu bar after the main menu changed.
  void MenuChanged();
  // Asks the form's linked actions to update themselves.
  void UpdateActions();

  TRect ClientRect() override;
  void SetClientSize(Integer AWidth, Integer AHeight) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  void Dispatch(TMessage& Message) override;

 protected:
  bool IsTopLevel() const override { return true; }
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void PaintWindow(win::HDC DC) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  friend class TMainMenu;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();
  virtual void Paint();
  void CloseModal();
  void SetWindowFocus();
  void PlaceOnShow();

  virtual void WMClose(TMessage& Message);
  virtual void WMActivate(TMessage& Message);
  void WMCommand(TMessage& Message) override;
  virtual void WMInitMenuPopup(TMessage& Message);
  virtual void WMMenuSelect(TMessage& Message);
  // The application hears a system command first (CM_APPSYSCOMMAND with the message record);
  // when nothing there answers it, the default handling runs.
  virtual void WMSysCommand(TMessage& Message);
  // Every control of the form hears of new system colours (CM_SYSCOLORCHANGE).
  virtual void WMSysColorChange(TMessage& Message);
  // Passed on to every control of the form.
  virtual void WMSettingChange(TMessage& Message);
  void CMShowingChanged(TMessage& Message) override;
  void CMDialogKey(TMessage& Message) override;
  virtual void CMRelease(TMessage& Message);
  virtual void CMActivate(TMessage& Message);
  virtual void CMDeactivate(TMessage& Message);

  TModalResult FModalResult = mrNone;
  bool FKeyPreview = false;
  TPosition FPosition = poDesigned;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TFormStyle FFormStyle = fsNormal;
  TWindowState FWindowState = wsNormal;
  TFormState FFormState;
  bool FActive = false;
  bool FCreated = false;
  bool FDestroyFired = false;
  TMainMenu* FMenu = nullptr;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  std::unique_ptr<TCanvas> FCanvas;

 public:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// What a hint about to show is made of; CM_HINTSHOW handlers and OnShowHint may change it.
class THintWindowClassInfo;
using THintWindowClass = const THintWindowClassInfo*;
struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass = nullptr;
  TPoint HintPos{};          // screen position of the hint window's top-left corner
  Integer HintMaxWidth = 0;  // word-wrap width
  TColor HintColor = 0;
  TRect CursorRect{};        // moving out of it (client coordinates of HintControl) hides the hint
  TPoint CursorPos{};        // client coordinates of HintControl
  Integer ReshowTimeout = 0; // > 0: the hint is made again after that many ms
  Integer HideTimeout = 0;   // ms the hint stays; 0 = the application's HintHidePause
  String HintStr;
  void* HintData = nullptr;
};

using TShowHintEvent = std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TMessageEvent = std::function<void(win::MSG& Msg, bool& Handled)>;
// The same event type as the action list's OnExecute/OnUpdate (ActnList.h declares it too).
using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;
// A hook on the application window: true when the message is handled.
using TWindowHook = std::function<bool(TMessage& Message)>;
// Shows a message box (text, caption, MB_ flags) and returns the button pressed.
using TMessageBoxProc =
    std::function<Integer(win::HWND Owner, const WideString& Text, const WideString& Caption, win::UINT Flags)>;
// The message box every framework routine shows through: the window system's MessageBoxW unless
// replaced.
extern TMessageBoxProc MessageBoxProc;

using THelpContext = Integer;
// A help request offered to the program: the result is what the request answers; CallHelp false
// keeps it from the help system.
using THelpEvent = std::function<bool(Word Command, NativeInt Data, bool& CallHelp)>;

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize() {}
  // Makes a form owned by the application; the first one becomes MainForm.
  template <typename T>
  T* CreateForm() {
    T* form = new T(this);
    if (FMainForm == nullptr) FMainForm = form;
    form->AfterConstruction();
    return form;
  }
  void RegisterForm(TCustomForm* Form);
  // Shows the main form and handles messages until Terminate (the main form's closing).
  void Run();
  // Handles every message waiting, without waiting.
  void ProcessMessages();
  // Handles one message, or does the idle work and waits when there is none.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return FTerminate; }

  TCustomForm* MainForm() const { return FMainForm; }
  // The hidden application window, made when first asked for.
  win::HWND Handle();
  bool HandleAllocated() const;
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value);
  bool Active() const { return FActive; }

  // Help: a request (HELP_ command and its data) goes to OnHelp, then, unless OnHelp cleared
  // CallHelp, to the help system with HelpFile (which shows nothing here and answers false).
  String HelpFile;
  bool HelpCommand(Integer Command, NativeInt Data);
  // HelpCommand(HELP_CONTEXT, Context); a context of 0 asks nothing and answers false.
  bool HelpContext(THelpContext Context);
  THelpEvent OnHelp;

  // Exceptions escaping an event: OnException, or ShowException. EAbort is dropped.
  void HandleException(TObject* Sender);
  // The exception's message (with a full stop added) in a message box captioned with the title
  // (MB_OK | MB_ICONERROR).
  void ShowException(const std::exception& E);
  // A message box (MB_ flags) owned by the active form; returns the button chosen (ID...).
  Integer MessageBox(const String& Text, const String& Caption, win::UINT Flags);

  // Hints.
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  Integer HintPause() const { return FHintPause; }
  void SetHintPause(Integer Value) { FHintPause = Value; }
  Integer HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(Integer Value) { FHintShortPause = Value; }
  Integer HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(Integer Value) { FHintHidePause = Value; }
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor Value);
  THintWindowClass HintWindowClass() const { return FHintWindowClass; }
  void SetHintWindowClass(THintWindowClass Value) { FHintWindowClass = Value; }
  bool ShowHintShortCuts() const { return FHintShortCuts; }
  void SetHintShortCuts(bool Value) { FHintShortCuts = Value; }
  // The hint window now showing (nullptr when none).
  THintWindow* HintWindow() const { return FHintWindow; }
  void CancelHint();
  void ActivateHint(const TPoint& CursorPos);
  void HideHint();
  // Mouse messages of controls: starts, restarts or cancels the hint timing.
  void HintMouseMessage(TControl* Control, TMessage& Message);
  // The control under the mouse at the last idle check.
  TControl* MouseControl() const { return FMouseControl; }

  void HookMainWindow(TWindowHook Hook, const void* Id);
  void UnhookMainWindow(const void* Id);

  void BringToFront();
  void Minimize();
  void Restore();
  void NormalizeTopMosts();
  void RestoreTopMosts();

  // The framework tells the application that a control is going away.
  void ControlDestroyed(TControl* Control);
  // Idle work: mouse tracking, OnIdle, action updates.
  void Idle(const win::MSG& Msg);
  // OnActionExecute / OnActionUpdate: every contained action asks here after its action list
  // and before its own handlers; true when the event reported the action handled.
  bool ExecuteAction(TBasicAction* Action);
  bool UpdateAction(TBasicAction* Action);
  void DoMouseIdle();

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TExceptionEvent OnException;
  TIdleEvent OnIdle;
  TNotifyEvent OnHint;
  TShowHintEvent OnShowHint;
  TMessageEvent OnMessage;
  TActionEvent OnActionExecute;
  TActionEvent OnActionUpdate;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;

 protected:
  bool ProcessMessage(win::MSG& Msg);
  void InstallExceptionHook();
  bool IsKeyMsg(win::MSG& Msg);
  void WndProc(TMessage& Message);
  void StartHintTimer(Integer Value, bool ForShow);
  void StopHintTimer();
  void HintTimerExpired();

 private:
  friend class TCustomForm;
  friend struct TApplicationAccess;
  TCustomForm* FMainForm = nullptr;
  win::HWND FHandle = nullptr;
  win::WNDPROC FObjectInstance = nullptr;
  String FTitle;
  bool FTerminate = false;
  bool FActive = true;
  bool FRunning = false;
  String FHint;
  bool FShowHint = true;
  bool FHintActive = false;
  bool FHintTimerForShow = true;
  Integer FHintPause = 500;
  Integer FHintShortPause = 50;
  Integer FHintHidePause = 2500;
  TColor FHintColor = clInfoBk;
  bool FHintShortCuts = true;
  THintWindowClass FHintWindowClass;
  THintWindow* FHintWindow = nullptr;
  THintWindowClass FHintWindowMadeBy = nullptr;
  TControl* FHintControl = nullptr;
  TRect FHintCursorRect{};
  TTimer* FHintTimer = nullptr;
  TControl* FMouseControl = nullptr;
  struct Hook {
    TWindowHook Fn;
    const void* Id;
  };
  std::vector<Hook> FWindowHooks;
  std::vector<win::HWND> FTopMostList;
};

class TMonitor : public TObject {
 public:
  win::HMONITOR Handle() const { return FHandle; }
  Integer MonitorNum() const { return FMonitorNum; }
  TRect BoundsRect() const;
  TRect WorkareaRect() const;
  Integer Left() const { return BoundsRect().left; }
  Integer Top() const { return BoundsRect().top; }
  Integer Width() const;
  Integer Height() const;
  bool Primary() const;

 private:
  friend class TScreen;
  win::HMONITOR FHandle = nullptr;
  Integer FMonitorNum = 0;
};

enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  Integer FormCount() const { return Integer(FForms.size()); }
  TCustomForm* Forms(Integer Index) const { return FForms.at(size_t(Index)); }
  TCustomForm* ActiveForm() const { return FActiveForm; }
  TWinControl* ActiveControl() const { return FActiveControl; }

  // Setting a cursor other than crDefault shows it at once, whatever the controls ask for.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  // The shape for a cursor number: the standard ones map to the system cursors; others may be
  // registered; unknown numbers give the arrow.
  win::HCURSOR Cursors(TCursor Index);
  void SetCursors(TCursor Index, win::HCURSOR Handle);

  Integer MonitorCount();
  TMonitor* Monitors(Integer Index);
  TMonitor* MonitorFromPoint(const TPoint& Point, TMonitorDefaultTo MonitorDefault = mdNearest);
  TMonitor* MonitorFromRect(const TRect& Rect, TMonitorDefaultTo MonitorDefault = mdNearest);
  TMonitor* MonitorFromWindow(win::HWND Handle, TMonitorDefaultTo MonitorDefault = mdNearest);
  TRect WorkAreaRect();
  TRect DesktopRect();
  Integer Width();
  Integer Height();
  // The face names a font may ask for, sorted.
  TStrings* Fonts();
  TFont* HintFont() const { return FHintFont.get(); }
  TFont* MenuFont() const { return FMenuFont.get(); }

  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

 private:
  friend class TCustomForm;
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetActiveForm(TCustomForm* Form);
  void SetActiveControl(TWinControl* Control);
  void FocusedFormRemoved(TCustomForm* Form);
  void GetMonitors();
  TMonitor* FindMonitor(win::HMONITOR Handle);

  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  TWinControl* FActiveControl = nullptr;
  TCursor FCursor = crDefault;
  std::vector<std::pair<TCursor, win::HCURSOR>> FCursorList;
  std::vector<std::unique_ptr<TMonitor>> FMonitors;
  std::unique_ptr<TStrings> FFonts;
  std::unique_ptr<TFont> FHintFont;
  std::unique_ptr<TFont> FMenuFont;
};

extern TApplication* Application;
extern TScreen* Screen;

}  // namespace fw
