#pragma once
// The wide application object: a wide title and a wide application hint (what status bars show
// for the control under the mouse or the highlighted menu item), kept in step with the
// framework's Application and refreshed at idle time through an invisible control with a wide
// action on the main form. Status bars fed by a plain hint action with the hint's text get the
// wide hint. The message loop is wide throughout here: typed characters above 255 reach every
// window whole, so no message of the loop is re-dispatched.

#include "controls/UniActions.h"
#include "framework/Forms.h"

namespace cs {

class TUniAppIdleEventControl;

class TUniApplication : public fw::TComponent {
 public:
  explicit TUniApplication(fw::TComponent* AOwner);
  ~TUniApplication() override;

  WideString Hint() const;
  void SetHint(const WideString& Value);
  WideString Title() const;
  void SetTitle(const WideString& Value);
  // The hint of the control under the mouse, as status bars show it (the long part).
  void UpdateIdleHint();
  // GetTickCount of the last activation of the program.
  win::DWORD LastActivateTick() const { return FLastActivateTick; }
  TUniAppIdleEventControl* AppIdleEventControl() const { return FAppIdleEventControl; }

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  bool MainWindowHook(fw::TMessage& Message);
  // Places the idle control once the program has a main form.
  void CheckMainForm();
  static win::LRESULT WideCharMessageHook(int Code, win::WPARAM WParam, win::LPARAM LParam);

  WideString FWideHint;
  WideString FPendingTitle;
  TUniAppIdleEventControl* FAppIdleEventControl = nullptr;
  win::DWORD FLastActivateTick = 0;
  bool FCheckedMainForm = false;
  win::HHOOK FHook = nullptr;
};

// An invisible control on the main form whose wide action refreshes the application hint each
// time the framework updates the form's actions at idle.
class TUniAppIdleEventControl : public fw::TControl {
 public:
  explicit TUniAppIdleEventControl(fw::TComponent* AOwner);
  ~TUniAppIdleEventControl() override;
};

// A hint action with a wide hint.
class TUniHintAction : public fw::THintAction, public IUniAction {
 public:
  explicit TUniHintAction(fw::TComponent* AOwner) : fw::THintAction(AOwner) {}
  WideString Hint() { return WideActionHint(this); }
  void SetHint(const WideString& Value) { SetWideActionHint(this, Value); }
  using fw::THintAction::SetHint;
  void DefineProperties(fw::TFiler* Filer) override;
};

extern TUniApplication* UniApplication;
// Makes UniApplication (and the wide popup-menu list) once the framework's Application exists;
// the end frees it.
void StartUniApplication();
void StopUniApplication();

}  // namespace cs
