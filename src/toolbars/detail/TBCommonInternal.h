#pragma once
// Pieces of TBCommon that tests reach directly.

#include "framework/ClassesTypes.h"

namespace toolbars::detail {

// The menu delay as stored under HKCU\Control Panel\Desktop, read now (no cache): 400 when the
// key or value is missing, 0 for another type, a text too long or not a number; never negative.
fw::Integer MenuShowDelayFromRegistry();
// Forgets the value GetMenuShowDelay read from the registry.
void ResetMenuShowDelayCache();

}  // namespace toolbars::detail
