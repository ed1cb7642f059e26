// The current theme, the relay of theme-change notices and the window queries.

#include "tx/Tx.h"
#include "tx/TxColorPalette.h"

#include <algorithm>

#include "framework/ControlMessages.h"
#include "framework/Forms.h"
#include "toolbars/TBItemView.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemesManager.h"

namespace tx {

TTxTheme* CurrentTheme = nullptr;
TTxNexus* Nexus = nullptr;

namespace {
int gStartCount = 0;
}

TTxNexus::TTxNexus(const String& ThemeName) {
  CurrentTheme = AcquireTheme(ThemeName);
  AddSysChangeListener(this);
}

TTxNexus::~TTxNexus() {
  RemoveSysChangeListener(this);
  if (CurrentTheme) ReleaseTheme(CurrentTheme);
  CurrentTheme = nullptr;
}

void TTxNexus::SetTheme(const String& Name) {
  if (!IsThemeRegistered(Name)) return;
  const String previous = CurrentTheme ? CurrentTheme->Name() : String();
  // Released first: choosing the current theme again makes a fresh instance.
  if (CurrentTheme) ReleaseTheme(CurrentTheme);
  CurrentTheme = nullptr;
  try {
    CurrentTheme = AcquireTheme(Name);
  } catch (...) {
    if (!previous.empty()) CurrentTheme = AcquireTheme(previous);
    throw;
  }
  for (win::WPARAM phase : {TSC_BEFORE_CHANGE, TSC_CHANGE, TSC_AFTER_CHANGE}) Broadcast(TXM_THEMECHANGE, phase, 1);
}

String TTxNexus::GetThemeName() const { return CurrentTheme ? CurrentTheme->Name() : String(); }

void TTxNexus::AddListener(fw::TObject* Obj) {
  if (std::find(FListeners.begin(), FListeners.end(), Obj) == FListeners.end()) FListeners.push_back(Obj);
}

void TTxNexus::RemoveListener(fw::TObject* Obj) {
  const auto it = std::find(FListeners.begin(), FListeners.end(), Obj);
  if (it != FListeners.end()) FListeners.erase(it);
}

void TTxNexus::Broadcast(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  fw::TMessage message{Msg, WParam, LParam, 0};
  const std::vector<fw::TObject*> listeners = FListeners;
  for (fw::TObject* listener : listeners)
    if (std::find(FListeners.begin(), FListeners.end(), listener) != FListeners.end()) listener->Dispatch(message);
}

void TTxNexus::TxMSysChange(fw::TMessage& Message) { Broadcast(TXM_THEMECHANGE, Message.WParam, 0); }

void TTxNexus::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == TXM_SYSCHANGE) {
    TxMSysChange(Message);
    return;
  }
  TObject::Dispatch(Message);
}

void AddThemeChangeListener(fw::TObject* Obj) {
  if (Nexus) Nexus->AddListener(Obj);
}

void RemoveThemeChangeListener(fw::TObject* Obj) {
  if (Nexus) Nexus->RemoveListener(Obj);
}

void SetCurrentTheme(const String& Name) {
  if (Nexus) Nexus->SetTheme(Name);
}

String GetCurrentThemeName() { return Nexus ? Nexus->GetThemeName() : String(); }

TColor GetEffectiveColor(fw::TControl* Control) {
  if (!Control) return fw::clBtnFace;
  fw::TMessage query{TXM_GETEFFECTIVECOLOR, 0, 0, 0};
  Control->Dispatch(query);
  if (query.Result != 0) return TColor(query.WParam);
  if (auto* form = dynamic_cast<fw::TCustomForm*>(Control); form && form->FormStyle() == fw::fsMDIForm)
    return fw::clBtnFace;
  return Control->Color();
}

Integer GetWinViewType(fw::TControl* Control) {
  if (!Control) return 0;
  fw::TMessage query{TXM_GETVIEWTYPE, 0, 0, 0};
  Control->Dispatch(query);
  return Integer(query.Result);
}

Integer GetViewType(toolbars::TTBView* View) {
  if (!View || !View->Owner()) return 0;
  return GetWinViewType(View->Window());
}

void InitTx() {
  if (gStartCount++ > 0) return;
  InitTxThemes();
  CurrentTheme = nullptr;
  if (!IsThemeRegistered("Default")) RegisterTheme("Default", &ThemeClassOf<TTxDefaultTheme>);
  Nexus = new TTxNexus("Default");
}

void DoneTx() {
  if (gStartCount <= 0 || --gStartCount > 0) return;
  delete Nexus;
  Nexus = nullptr;
  DoneDefaultColorSet();
  DoneTxThemes();
}

}  // namespace tx
