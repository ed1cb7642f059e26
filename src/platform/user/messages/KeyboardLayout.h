#pragma once
// The keyboard layout of a thread. There is one: the Russian layout, whose locale (LCID 1049 in
// both words of the value) gives the input code page through GetLocaleInfoW.

#include "platform/kernel/WinDef.h"

namespace win {

struct HKL__;
using HKL = HKL__*;

// Any thread (0: the calling one) has the same layout.
HKL GetKeyboardLayout(DWORD threadId);

}  // namespace win
