#pragma once
// MessageBeep: counted, so tests can see that a refused key beeped, and handed to a listener
// (the presenter sounds the desktop's bell).

#include <functional>

#include "platform/kernel/WinDef.h"

namespace win {

// Always succeeds; the type (0, MB_OK, MB_ICONHAND ... or 0xFFFFFFFF) is passed on unchanged.
BOOL MessageBeep(UINT uType);

int MessageBeepCount();
UINT LastMessageBeepType();
void SetMessageBeepListener(std::function<void(UINT type)> listener);
// Tests: count 0, no listener.
void ResetMessageBeeps();

}  // namespace win
