#include "controls/UniApplication.h"

#include <typeinfo>

#include "controls/UniCodePages.h"
#include "controls/UniMenus.h"
#include "controls/UniStrings.h"
#include "framework/Controls.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/Threads.h"
#include "platform/user/messages/Hooks.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/windows/Window.h"

namespace cs {

TUniApplication* UniApplication = nullptr;

namespace {

const char kMainWindowHookId = 0;  // its address names the hook
bool gInHook = false;

}  // namespace

TUniApplication::TUniApplication(fw::TComponent* AOwner) : fw::TComponent(AOwner) {
  if (fw::Application != nullptr)
    fw::Application->HookMainWindow([this](fw::TMessage& m) { return MainWindowHook(m); }, &kMainWindowHookId);
  FLastActivateTick = win::GetTickCount();
  FHook = win::SetWindowsHookExW(win::WH_GETMESSAGE, &WideCharMessageHook, nullptr, win::GetCurrentThreadId());
  if (FHook == nullptr) RaiseLastOSError();
}

TUniApplication::~TUniApplication() {
  if (FHook != nullptr) win::UnhookWindowsHookEx(FHook);
  if (fw::Application != nullptr) fw::Application->UnhookMainWindow(&kMainWindowHookId);
  delete FAppIdleEventControl;
}

void TUniApplication::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TComponent::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FAppIdleEventControl) FAppIdleEventControl = nullptr;
}

WideString TUniApplication::Hint() const { return SyncedWideValue(FWideHint, fw::Application->Hint()); }

void TUniApplication::SetHint(const WideString& Value) {
  SyncWideValue(Value, FWideHint, fw::Application->Hint(), [](const String& v) { fw::Application->SetHint(v); });
}

WideString TUniApplication::Title() const {
  if (!fw::Application->HandleAllocated()) return SyncedWideValue(FPendingTitle, fw::Application->Title());
  const win::HWND wnd = fw::Application->Handle();
  const auto length = std::size_t(win::DefWindowProcW(wnd, win::WM_GETTEXTLENGTH, 0, 0));
  WideString text(length + 1, u'\0');
  win::DefWindowProcW(wnd, win::WM_GETTEXT, text.size(), reinterpret_cast<win::LPARAM>(text.data()));
  text.resize(length);
  return text;
}

void TUniApplication::SetTitle(const WideString& Value) {
  if (!fw::Application->HandleAllocated()) {
    SyncWideValue(Value, FPendingTitle, fw::Application->Title(), [](const String& v) { fw::Application->SetTitle(v); });
    return;
  }
  if (Title() == Value && FPendingTitle.empty()) return;
  // The framework's title follows, so that what it shows (message boxes) says the same.
  fw::Application->SetTitle(WideToUtf8(Value));
  win::DefWindowProcW(fw::Application->Handle(), win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(Value.c_str()));
  FPendingTitle.clear();
}

void TUniApplication::UpdateIdleHint() {
  SetHint(WideLongHint(WideHintOfChain(fw::Application->MouseControl())));
}

bool TUniApplication::MainWindowHook(fw::TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_ACTIVATEAPP: FLastActivateTick = win::GetTickCount(); return false;
    case win::WM_CREATE:
      if (!FPendingTitle.empty()) {
        const WideString title = FPendingTitle;
        SetTitle(title);
        FPendingTitle.clear();
      }
      return false;
    case fw::CM_ACTIONEXECUTE: {
      auto* action = reinterpret_cast<fw::TBasicAction*>(Message.LParam);
      if (action == nullptr || typeid(*action) != typeid(fw::THintAction)) return false;
      auto* hintAction = static_cast<fw::THintAction*>(action);
      if (hintAction->Hint() != WideToUtf8(Hint())) return false;
      // Status bars that take hints from the hint action get the wide text.
      TUniHintAction wide(this);
      wide.SetHint(Hint());
      wide.Execute();
      Message.Result = 1;
      return true;
    }
    default: return false;
  }
}

void TUniApplication::CheckMainForm() {
  if (FCheckedMainForm || fw::Application == nullptr || fw::Application->MainForm() == nullptr) return;
  FCheckedMainForm = true;
  FAppIdleEventControl = new TUniAppIdleEventControl(fw::Application->MainForm());
  FAppIdleEventControl->FreeNotification(this);
}

win::LRESULT TUniApplication::WideCharMessageHook(int Code, win::WPARAM WParam, win::LPARAM LParam) {
  if (Code >= 0 && WParam == win::PM_REMOVE && !gInHook && UniApplication != nullptr) {
    gInHook = true;
    UniApplication->CheckMainForm();
    gInHook = false;
  }
  return win::CallNextHookEx(nullptr, Code, WParam, LParam);
}

TUniAppIdleEventControl::TUniAppIdleEventControl(fw::TComponent* AOwner) : fw::TControl(AOwner) {
  SetVisible(false);
  if (auto* form = dynamic_cast<fw::TWinControl*>(AOwner)) SetParent(form);
  auto* action = new TUniAction(this);
  action->SetDisableIfNoHandler(false);
  action->OnUpdate = [](fw::TObject*) {
    if (UniApplication != nullptr) UniApplication->UpdateIdleHint();
  };
  SetAction(action);
}

TUniAppIdleEventControl::~TUniAppIdleEventControl() = default;

void TUniHintAction::DefineProperties(fw::TFiler* Filer) {
  fw::THintAction::DefineProperties(Filer);
  DefineWideStreamProperties(Filer, this);
}

void StartUniApplication() {
  if (UniApplication != nullptr) return;
  InstallUniPopupList();
  UniApplication = new TUniApplication(nullptr);
}

void StopUniApplication() {
  delete UniApplication;
  UniApplication = nullptr;
}

}  // namespace cs
