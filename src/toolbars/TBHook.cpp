#include "toolbars/TBHook.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/user/messages/Hooks.h"
#include "platform/user/messages/Messages.h"
#include "toolbars/detail/TBHookInternal.h"

namespace toolbars {
namespace {

using detail::THookKind;

struct THookProcData {
  THookProc Proc;
  int RefCount;
  THookProcCodes Codes;
};

struct THookState {
  win::HHOOK Handle = nullptr;
  int Count = 0;
};

struct TModule {
  std::vector<THookProcData> Procs;
  std::array<THookState, 3> Hooks{};
};

TModule& Module() {
  static TModule m;
  return m;
}

constexpr int kPlatformHookId[3] = {win::WH_CALLWNDPROC, win::WH_CBT, win::WH_GETMESSAGE};

constexpr THookKind KindOf(THookProcCode Code) {
  switch (Code) {
    case hpSendActivateApp:
    case hpSendWindowPosChanged: return detail::hkCallWndProc;
    case hpPreDestroy: return detail::hkCBT;
    case hpGetMessage: break;
  }
  return detail::hkGetMessage;
}

// The kinds of hook a set of codes needs, each once.
std::vector<THookKind> KindsOf(THookProcCodes Codes) {
  std::vector<THookKind> kinds;
  for (auto code : {hpSendActivateApp, hpSendWindowPosChanged, hpPreDestroy, hpGetMessage})
    if ((Codes & HookCode(code)) && std::find(kinds.begin(), kinds.end(), KindOf(code)) == kinds.end())
      kinds.push_back(KindOf(code));
  return kinds;
}

// Calls every listener of Code; one that throws does not keep the others from running. The
// list is copied first so a listener may register or unregister.
void CallListeners(THookProcCode Code, win::HWND Wnd, win::WPARAM WParam, win::LPARAM LParam) {
  const std::vector<THookProcData> procs = Module().Procs;
  for (const THookProcData& p : procs) {
    if (!(p.Codes & HookCode(Code))) continue;
    try {
      p.Proc(Code, Wnd, WParam, LParam);
    } catch (...) {
    }
  }
}

win::LRESULT CallWndProcHook(int Code, win::WPARAM WParam, win::LPARAM LParam) {
  if (Code == win::HC_ACTION && !Module().Procs.empty()) {
    const auto* cwp = reinterpret_cast<const win::CWPSTRUCT*>(LParam);
    if (cwp->message == win::WM_ACTIVATEAPP)
      CallListeners(hpSendActivateApp, cwp->hwnd, cwp->wParam, cwp->lParam);
    else if (cwp->message == win::WM_WINDOWPOSCHANGED)
      CallListeners(hpSendWindowPosChanged, cwp->hwnd, cwp->wParam, cwp->lParam);
  }
  return win::CallNextHookEx(Module().Hooks[detail::hkCallWndProc].Handle, Code, WParam, LParam);
}

win::LRESULT CBTHook(int Code, win::WPARAM WParam, win::LPARAM LParam) {
  if (Code == win::HCBT_DESTROYWND && !Module().Procs.empty())
    CallListeners(hpPreDestroy, reinterpret_cast<win::HWND>(WParam), 0, 0);
  return win::CallNextHookEx(Module().Hooks[detail::hkCBT].Handle, Code, WParam, LParam);
}

win::LRESULT GetMessageHook(int Code, win::WPARAM WParam, win::LPARAM LParam) {
  if (Code == win::HC_ACTION && !Module().Procs.empty()) CallListeners(hpGetMessage, nullptr, WParam, LParam);
  return win::CallNextHookEx(Module().Hooks[detail::hkGetMessage].Handle, Code, WParam, LParam);
}

constexpr win::HOOKPROC kHookProc[3] = {CallWndProcHook, CBTHook, GetMessageHook};

}  // namespace

void InstallHookProc(THookProc Proc, THookProcCodes Codes, bool OnlyIncrementCount) {
  TModule& m = Module();
  auto it = std::find_if(m.Procs.begin(), m.Procs.end(), [&](const THookProcData& p) { return p.Proc == Proc; });
  if (it != m.Procs.end())
    ++it->RefCount;
  else
    m.Procs.push_back({Proc, 1, Codes});
  if (OnlyIncrementCount) return;
  for (THookKind kind : KindsOf(Codes)) {
    THookState& h = m.Hooks[kind];
    ++h.Count;
    if (!h.Handle) h.Handle = win::SetWindowsHookExW(kPlatformHookId[kind], kHookProc[kind], nullptr, 0);
  }
}

void UninstallHookProc(THookProc Proc) {
  TModule& m = Module();
  auto it = std::find_if(m.Procs.begin(), m.Procs.end(), [&](const THookProcData& p) { return p.Proc == Proc; });
  if (it == m.Procs.end()) return;
  const THookProcCodes codes = it->Codes;
  if (--it->RefCount == 0) m.Procs.erase(it);
  for (THookKind kind : KindsOf(codes)) {
    THookState& h = m.Hooks[kind];
    if (h.Count > 0) --h.Count;
    if (h.Count == 0 && h.Handle) {
      win::UnhookWindowsHookEx(h.Handle);
      h.Handle = nullptr;
    }
  }
}

namespace detail {

bool HookInstalled(THookKind Kind) { return Module().Hooks[Kind].Handle != nullptr; }

void RemoveAllHooks() {
  TModule& m = Module();
  for (THookState& h : m.Hooks) {
    if (h.Handle) win::UnhookWindowsHookEx(h.Handle);
    h = {};
  }
  m.Procs.clear();
}

}  // namespace detail
}  // namespace toolbars
