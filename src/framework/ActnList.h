#pragma once
// Actions and their links. An action holds what a command looks like and does (caption, checked
// and enabled state, hint, image, shortcut, visibility, OnExecute/OnUpdate); every client (a
// control, a menu item, a toolbar item of a later layer) holds a link that copies each change of
// the action into the client, but only while the client's own value still equals the action's:
// a client changed by hand keeps its value (the property is no longer linked).

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Component.h"
#include "platform/kernel/WinDef.h"

namespace fw {

class TBasicAction;
class TCustomAction;
class TCustomActionList;
class TControl;
class TMenuItem;
class TCustomImageList;
class TStrings;

using TShortCut = Word;

class TBasicActionLink : public TObject {
 public:
  TBasicActionLink() = default;
  ~TBasicActionLink() override;

  TBasicAction* Action() const { return FAction; }
  // Registers with the new action (and leaves the old one).
  virtual void SetAction(TBasicAction* Value);
  // Runs the action on behalf of AComponent (its ActionComponent meanwhile).
  virtual bool Execute(TComponent* AComponent = nullptr);
  virtual bool Update();
  virtual bool IsOnExecuteLinked() { return true; }
  virtual void SetOnExecute(const TNotifyEvent&) {}

  // Told of every change of the action (after the per-property setters).
  TNotifyEvent OnChange;

 protected:
  friend class TBasicAction;
  virtual void Change();
  // The action is going away: forget it without calling back.
  void ActionDestroyed() { FAction = nullptr; }
  TBasicAction* FAction = nullptr;
};

class TBasicAction : public TComponent {
 public:
  explicit TBasicAction(TComponent* AOwner);
  ~TBasicAction() override;

  // OnExecute when assigned; true when something ran.
  virtual bool Execute();
  // OnUpdate when assigned.
  virtual bool Update();
  virtual bool HandlesTarget(TObject*) { return false; }
  virtual bool ExecuteTarget(TObject*) { return false; }
  virtual bool UpdateTarget(TObject*) { return false; }
  // The component whose click is running the action (set around Execute by the link).
  TComponent* ActionComponent() const { return FActionComponent; }
  void SetActionComponent(TComponent* Value);
  void RegisterChanges(TBasicActionLink* Value);
  void UnRegisterChanges(TBasicActionLink* Value);
  Integer ClientCount() const { return Integer(FClients.size()); }
  TBasicActionLink* Clients(Integer Index) const { return FClients.at(size_t(Index)); }

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;
  TNotifyEvent OnChange;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  virtual void Change();
  // Calls f for every link that is a TActionLink.
  template <typename F>
  void ForEachActionLink(F f);
  std::vector<TBasicActionLink*> FClients;
  TComponent* FActionComponent = nullptr;
};

class TContainedAction : public TBasicAction {
 public:
  explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  ~TContainedAction() override;

  TCustomActionList* ActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* Value);
  const String& Category() const { return FCategory; }
  void SetCategory(const String& Value);
  Integer Index() const;
  void SetIndex(Integer Value);

  // In turn, until one handles it: the action list's OnExecute, the application's
  // OnActionExecute, the action's own OnExecute, and the controls of the active form
  // (CM_ACTIONEXECUTE through the application window). Update asks the same chain with the
  // OnUpdate events and CM_ACTIONUPDATE.
  bool Execute() override;
  bool Update() override;

 protected:
  friend class TCustomActionList;
  TCustomActionList* FActionList = nullptr;
  String FCategory;
};

class TCustomAction : public TContainedAction {
 public:
  explicit TCustomAction(TComponent* AOwner);
  ~TCustomAction() override;

  const String& Caption() const { return FCaption; }
  virtual void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  virtual void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  Integer HelpContext() const { return FHelpContext; }
  virtual void SetHelpContext(Integer Value);
  const String& Hint() const { return FHint; }
  virtual void SetHint(const String& Value);
  Integer ImageIndex() const { return FImageIndex; }
  virtual void SetImageIndex(Integer Value);
  TShortCut ShortCut() const { return FShortCut; }
  virtual void SetShortCut(TShortCut Value);
  // Further shortcuts as text ("Ctrl+Ins" ...), one a line.
  TStrings* SecondaryShortCuts();
  bool IsShortCut(TShortCut Value);
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  Integer GroupIndex() const { return FGroupIndex; }
  virtual void SetGroupIndex(Integer Value);
  bool AutoCheck() const { return FAutoCheck; }
  virtual void SetAutoCheck(bool Value);
  // On (the default), an update nobody handles disables an action without an OnExecute handler:
  // a command with nothing behind it is not offered. Only that disabling is undone later (once
  // a handler is assigned, or the option is turned off); Enabled set by hand stays as set.
  bool DisableIfNoHandler() const { return FDisableIfNoHandler; }
  void SetDisableIfNoHandler(bool Value);

  // Updates, then runs when enabled (an AutoCheck action toggles Checked first).
  bool Execute() override;
  // The update chain; when nothing handled it, DisableIfNoHandler applies.
  bool Update() override;
  // A shortcut key was pressed: the action updates and runs.
  virtual bool HandleShortCut();
  void Assign(TPersistent* Source) override;

 protected:
  String FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  Integer FHelpContext = 0;
  String FHint;
  Integer FImageIndex = -1;
  TShortCut FShortCut = 0;
  std::unique_ptr<TStrings> FSecondaryShortCuts;
  bool FVisible = true;
  Integer FGroupIndex = 0;
  bool FAutoCheck = false;
  bool FDisableIfNoHandler = true;
  bool FDisabledForNoHandler = false;
  bool FChecking = false;
};

class TAction : public TCustomAction {
 public:
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// The action the application executes when its Hint changes: hint clients (status bars) show
// the hint it carries. It has no handler of its own, so DisableIfNoHandler is off.
class THintAction : public TCustomAction {
 public:
  explicit THintAction(TComponent* AOwner) : TCustomAction(AOwner) { SetDisableIfNoHandler(false); }
};

using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;

class TCustomActionList : public TComponent {
 public:
  explicit TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}
  ~TCustomActionList() override;

  Integer ActionCount() const { return Integer(FActions.size()); }
  TContainedAction* Actions(Integer Index) const { return FActions.at(size_t(Index)); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  // OnExecute / OnUpdate of the list: true when it reported the action handled.
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);
  // A key message whose shortcut belongs to an enabled action of the list: the action runs.
  bool IsShortCut(win::WPARAM Key, win::LPARAM KeyData);
  bool IsShortCut(TShortCut ShortCut);

  TNotifyEvent OnChange;
  TActionEvent OnExecute;
  TActionEvent OnUpdate;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  friend class TContainedAction;
  friend class TCustomAction;
  virtual void Change();
  void AddAction(TContainedAction* Action);
  void RemoveAction(TContainedAction* Action);
  std::vector<TContainedAction*> FActions;
  TCustomImageList* FImages = nullptr;
};

class TActionList : public TCustomActionList {
 public:
  explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};

// The link of an action's client: the Is...Linked tests say whether the client still shows the
// action's value; the setters copy a new value only then.
class TActionLink : public TBasicActionLink {
 public:
  virtual bool IsCaptionLinked();
  virtual bool IsCheckedLinked();
  virtual bool IsEnabledLinked();
  virtual bool IsGroupIndexLinked();
  virtual bool IsHelpContextLinked();
  virtual bool IsHintLinked();
  virtual bool IsImageIndexLinked();
  virtual bool IsShortCutLinked();
  virtual bool IsVisibleLinked();
  virtual bool IsAutoCheckLinked();
  virtual void SetAutoCheck(bool) {}
  virtual void SetCaption(const String&) {}
  virtual void SetChecked(bool) {}
  virtual void SetEnabled(bool) {}
  virtual void SetGroupIndex(Integer) {}
  virtual void SetHelpContext(Integer) {}
  virtual void SetHint(const String&) {}
  virtual void SetImageIndex(Integer) {}
  virtual void SetShortCut(TShortCut) {}
  virtual void SetVisible(bool) {}

 protected:
  TCustomAction* CustomAction() const;
};

class TControlActionLink : public TActionLink {
 public:
  explicit TControlActionLink(TControl* AClient) : FClient(AClient) {}
  TControl* Client() const { return FClient; }

  bool IsCaptionLinked() override;
  bool IsEnabledLinked() override;
  bool IsHintLinked() override;
  bool IsVisibleLinked() override;
  bool IsOnExecuteLinked() override;
  void SetCaption(const String& Value) override;
  void SetEnabled(bool Value) override;
  void SetHint(const String& Value) override;
  void SetVisible(bool Value) override;

 protected:
  TControl* FClient;
};

class TMenuActionLink : public TActionLink {
 public:
  explicit TMenuActionLink(TMenuItem* AClient) : FClient(AClient) {}
  TMenuItem* Client() const { return FClient; }

  bool IsAutoCheckLinked() override;
  bool IsCaptionLinked() override;
  bool IsCheckedLinked() override;
  bool IsEnabledLinked() override;
  bool IsGroupIndexLinked() override;
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
  void SetGroupIndex(Integer Value) override;
  void SetHelpContext(Integer Value) override;
  void SetHint(const String& Value) override;
  void SetImageIndex(Integer Value) override;
  void SetShortCut(TShortCut Value) override;
  void SetVisible(bool Value) override;

 protected:
  TMenuItem* FClient;
};

template <typename F>
void TBasicAction::ForEachActionLink(F f) {
  // A client may drop its link while being told.
  std::vector<TBasicActionLink*> clients = FClients;
  for (TBasicActionLink* c : clients) {
    if (std::find(FClients.begin(), FClients.end(), c) == FClients.end()) continue;
    if (auto* l = dynamic_cast<TActionLink*>(c)) f(l);
  }
}

}  // namespace fw
