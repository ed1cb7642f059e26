#include "controls/UniActions.h"

#include "controls/UniCodePages.h"
#include "controls/UniMenus.h"
#include "controls/UniStrings.h"
#include "framework/StdCtrls.h"
#include "platform/kernel/CaseMapping.h"

namespace cs {

TCustomActionHelper::TCustomActionHelper(fw::TCustomAction* AAction) : fw::TComponent(AAction), FAction(AAction) {}

TCustomActionHelper* FindActionHelper(fw::TCustomAction* Action) {
  if (Action == nullptr) throw EUniInternalError("Internal Error: FindActionHelper needs an action.");
  if (dynamic_cast<IUniAction*>(Action) == nullptr) return nullptr;
  for (fw::Integer i = 0; i < Action->ComponentCount(); ++i)
    if (auto* helper = dynamic_cast<TCustomActionHelper*>(Action->Components(i))) return helper;
  return new TCustomActionHelper(Action);
}

WideString WideActionCaption(fw::TCustomAction* Action) {
  TCustomActionHelper* helper = FindActionHelper(Action);
  if (helper == nullptr) return Utf8ToWide(Action->Caption());
  if (helper->FSettingCaption && Action->Caption() == helper->FNewAnsiCaption) return helper->FNewWideCaption;
  return SyncedWideValue(helper->FWideCaption, Action->Caption());
}

void SetWideActionCaption(fw::TCustomAction* Action, const WideString& Value) {
  TCustomActionHelper* helper = FindActionHelper(Action);
  if (helper == nullptr) {
    Action->SetCaption(WideToUtf8(Value));
    return;
  }
  helper->FNewWideCaption = Value;
  helper->FNewAnsiCaption = WideToUtf8(Value);
  helper->FSettingCaption = true;
  try {
    SyncWideValue(Value, helper->FWideCaption, Action->Caption(),
                  [Action](const String& v) { Action->fw::TCustomAction::SetCaption(v); });
  } catch (...) {
    helper->FSettingCaption = false;
    throw;
  }
  helper->FSettingCaption = false;
  if (Value.empty()) helper->FWideCaption.clear();
}

WideString WideActionHint(fw::TCustomAction* Action) {
  TCustomActionHelper* helper = FindActionHelper(Action);
  if (helper == nullptr) return Utf8ToWide(Action->Hint());
  if (helper->FSettingHint && Action->Hint() == helper->FNewAnsiHint) return helper->FNewWideHint;
  return SyncedWideValue(helper->FWideHint, Action->Hint());
}

void SetWideActionHint(fw::TCustomAction* Action, const WideString& Value) {
  TCustomActionHelper* helper = FindActionHelper(Action);
  if (helper == nullptr) {
    Action->SetHint(WideToUtf8(Value));
    return;
  }
  helper->FNewWideHint = Value;
  helper->FNewAnsiHint = WideToUtf8(Value);
  helper->FSettingHint = true;
  try {
    SyncWideValue(Value, helper->FWideHint, Action->Hint(),
                  [Action](const String& v) { Action->fw::TCustomAction::SetHint(v); });
  } catch (...) {
    helper->FSettingHint = false;
    throw;
  }
  helper->FSettingHint = false;
  if (Value.empty()) helper->FWideHint.clear();
}

WideString WideActionCaptionFor(fw::TCustomAction* Action, const String& Value) {
  TCustomActionHelper* helper = Action != nullptr ? FindActionHelper(Action) : nullptr;
  if (helper != nullptr && helper->FSettingCaption && Value == helper->FNewAnsiCaption) return helper->FNewWideCaption;
  return Utf8ToWide(Value);
}

WideString WideActionHintFor(fw::TCustomAction* Action, const String& Value) {
  TCustomActionHelper* helper = Action != nullptr ? FindActionHelper(Action) : nullptr;
  if (helper != nullptr && helper->FSettingHint && Value == helper->FNewAnsiHint) return helper->FNewWideHint;
  return Utf8ToWide(Value);
}

void WideActionAssign(fw::TCustomAction* Action, fw::TPersistent* Source) {
  if (auto* action = dynamic_cast<fw::TCustomAction*>(Source)) {
    SetWideActionCaption(Action, WideActionCaption(action));
    SetWideActionHint(Action, WideActionHint(action));
  } else if (auto* control = dynamic_cast<fw::TControl*>(Source)) {
    SetWideActionCaption(Action, WideControlText(control));
    SetWideActionHint(Action, WideControlHint(control));
  }
}

void WideActionChange(fw::TControl* Control, fw::TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<fw::TCustomAction*>(Sender);
  if (action == nullptr || FindActionHelper(action) == nullptr) return;
  const WideString text = WideControlText(Control);
  if (!CheckDefaults || text.empty() || WideToUtf8(text) == Control->Name())
    SetWideControlText(Control, WideActionCaption(action));
  if (!CheckDefaults || WideControlHint(Control).empty()) SetWideControlHint(Control, WideActionHint(action));
}

void TUniAction::Assign(fw::TPersistent* Source) {
  fw::TAction::Assign(Source);
  WideActionAssign(this, Source);
}

void TUniAction::DefineProperties(fw::TFiler* Filer) {
  fw::TAction::DefineProperties(Filer);
  DefineWideStreamProperties(Filer, this);
}

// Links --------------------------------------------------------------------------------------------

bool TUniControlActionLink::IsCaptionLinked() {
  return fw::TControlActionLink::IsCaptionLinked() && WideActionCaption(CustomAction()) == WideControlText(FClient);
}

bool TUniControlActionLink::IsHintLinked() {
  return fw::TControlActionLink::IsHintLinked() && WideActionHint(CustomAction()) == WideControlHint(FClient);
}

void TUniControlActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) SetWideControlText(FClient, WideActionCaptionFor(CustomAction(), Value));
}

void TUniControlActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) SetWideControlHint(FClient, WideActionHintFor(CustomAction(), Value));
}

bool TUniMenuActionLink::IsCaptionLinked() {
  auto* item = dynamic_cast<TUniMenuItem*>(FClient);
  if (item == nullptr || CustomAction() == nullptr) return fw::TMenuActionLink::IsCaptionLinked();
  return fw::TMenuActionLink::IsCaptionLinked() && SameCaptionText(WideActionCaption(CustomAction()), item->Caption(), true);
}

bool TUniMenuActionLink::IsHintLinked() {
  auto* item = dynamic_cast<TUniMenuItem*>(FClient);
  if (item == nullptr || CustomAction() == nullptr) return fw::TMenuActionLink::IsHintLinked();
  return fw::TMenuActionLink::IsHintLinked() && WideActionHint(CustomAction()) == item->Hint();
}

void TUniMenuActionLink::SetCaption(const String& Value) {
  auto* item = dynamic_cast<TUniMenuItem*>(FClient);
  if (item == nullptr) return fw::TMenuActionLink::SetCaption(Value);
  if (IsCaptionLinked()) item->SetCaption(WideActionCaptionFor(CustomAction(), Value));
}

void TUniMenuActionLink::SetHint(const String& Value) {
  auto* item = dynamic_cast<TUniMenuItem*>(FClient);
  if (item == nullptr) return fw::TMenuActionLink::SetHint(Value);
  if (IsHintLinked()) item->SetHint(WideActionHintFor(CustomAction(), Value));
}

TUniActionLinkFactory WideActionLinkClass(fw::TControl* Control) {
  if (dynamic_cast<fw::TButtonControl*>(Control))
    return [](fw::TControl* c) -> fw::TControlActionLink* { return new TUniButtonActionLink(c); };
  if (dynamic_cast<fw::TWinControl*>(Control))
    return [](fw::TControl* c) -> fw::TControlActionLink* { return new TUniWinControlActionLink(c); };
  return [](fw::TControl* c) -> fw::TControlActionLink* { return new TUniControlActionLink(c); };
}

}  // namespace cs
