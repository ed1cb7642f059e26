#pragma once
// One call that registers every window class of the standard control set.

#include "platform/kernel/WinDef.h"

namespace win {

// Registers the standard control classes (and the SCROLLBAR class) once; TRUE when all of them
// are registered.
BOOL RegisterStandardControls();

}  // namespace win
