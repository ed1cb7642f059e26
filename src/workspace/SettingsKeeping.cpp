#include "workspace/SettingsKeeping.h"

#include "framework/Dialogs.h"
#include "platform/controls/MessageBox.h"
#include "workspace/FileErrors.h"
#include "workspace/PropSaver.h"

namespace workspace {

namespace {

constexpr const char* kNotKept = "Настройки программы не сохраняются";

struct TSettingsState {
  bool Unreadable = false;
  bool Said = false;
  fw::String Reason;
};

TSettingsState& State() {
  static TSettingsState state;
  return state;
}

}  // namespace

bool SettingsFileUnreadable() { return State().Unreadable; }

void DeclareSettingsUnreadable(const fw::String& Reason) {
  State().Unreadable = !Reason.empty();
  State().Reason = Reason;
  if (Reason.empty()) State().Said = false;
}

const fw::String& SettingsUnreadReason() { return State().Reason; }

bool SaySettingsNotKept(const fw::String& Reason) {
  if (State().Said) return false;
  State().Said = true;
  fw::AppMessageBox(Reason.empty() ? fw::String(kNotKept) : fw::String(kNotKept) + ":\n" + Reason,
                    win::MB_OK | win::MB_ICONWARNING);
  return true;
}

void MarkSettingsNotKeptSaid() { State().Said = true; }

bool KeepSettings(TPropSaver& Store) {
  if (SettingsFileUnreadable() && Store.FileName() == TPropSaver::SettingsFileName()) {
    SaySettingsNotKept(SettingsUnreadReason());
    return false;
  }
  try {
    WithFileErrors(Store.FileName(), faWrite, [&] { Store.UpdateFile(); });
    return true;
  } catch (const std::exception& e) {
    SaySettingsNotKept(e.what());
    return false;
  }
}

}  // namespace workspace
