#include "controls/CsThemeNexus.h"

#include "framework/Forms.h"
#include "platform/kernel/Modules.h"
#include "platform/user/messages/Cursor.h"
#include "tx/TxThemesManager.h"
#include "tx/TxThemesTypes.h"

namespace cs {

TSpThemeNexus::TSpThemeNexus() {
  FLibrary = win::LoadLibraryW(u"uxtheme.dll");
  if (FLibrary != nullptr) {
    FOpenThemeData = reinterpret_cast<decltype(FOpenThemeData)>(win::GetProcAddress(FLibrary, "OpenThemeData"));
    FCloseThemeData = reinterpret_cast<decltype(FCloseThemeData)>(win::GetProcAddress(FLibrary, "CloseThemeData"));
  }
  OpenHandles();
  tx::AddSysChangeListener(this);
}

TSpThemeNexus::~TSpThemeNexus() {
  tx::RemoveSysChangeListener(this);
  CloseHandles();
  if (FLibrary != nullptr) win::FreeLibrary(FLibrary);
}

void TSpThemeNexus::OpenHandles() {
  if (FOpenThemeData == nullptr) return;
  const win::HWND owner = fw::Application != nullptr ? fw::Application->Handle() : nullptr;
  FTabThemeHandle = FOpenThemeData(owner, u"TAB");
  FProgressThemeHandle = FOpenThemeData(owner, u"PROGRESS");
  FTrackBarThemeHandle = FOpenThemeData(owner, u"TRACKBAR");
}

void TSpThemeNexus::CloseHandles() {
  for (tx::HTHEME* handle : {&FTabThemeHandle, &FProgressThemeHandle, &FTrackBarThemeHandle}) {
    if (*handle != nullptr && FCloseThemeData != nullptr) FCloseThemeData(*handle);
    *handle = nullptr;
  }
}

void TSpThemeNexus::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == tx::TXM_SYSCHANGE) {
    if (Message.WParam == tx::TSC_BEFORE_CHANGE) CloseHandles();
    else if (Message.WParam == tx::TSC_AFTER_CHANGE && FTabThemeHandle == nullptr) OpenHandles();
    return;
  }
  fw::TObject::Dispatch(Message);
}

namespace {
TSpThemeNexus* gNexus = nullptr;
int gStartCount = 0;
}  // namespace

void StartControlSet() {
  if (gStartCount++ == 0) gNexus = new TSpThemeNexus();
}

void StopControlSet() {
  if (gStartCount == 0 || --gStartCount > 0) return;
  delete gNexus;
  gNexus = nullptr;
}

TSpThemeNexus* ThemeNexus() { return gNexus; }

win::HCURSOR HandCursorHandle() {
  static const win::HCURSOR hand = win::LoadCursorW(nullptr, win::IDC_HAND);
  return hand;
}

}  // namespace cs
