#pragma once
// State of the shared window hooks that tests inspect.

#include "platform/user/windows/WinUserTypes.h"

namespace toolbars::detail {

enum THookKind { hkCallWndProc, hkCBT, hkGetMessage };
// Whether the platform hook of the kind is installed now.
bool HookInstalled(THookKind Kind);
// Removes every hook and registration regardless of counts (module shutdown).
void RemoveAllHooks();

}  // namespace toolbars::detail
