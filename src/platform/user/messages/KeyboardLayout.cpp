#include "platform/user/messages/KeyboardLayout.h"

#include "platform/kernel/Locale.h"

namespace win {

HKL GetKeyboardLayout(DWORD) {
  return reinterpret_cast<HKL>(uintptr_t(LOCALE_RUSSIAN) | (uintptr_t(LOCALE_RUSSIAN) << 16));
}

}  // namespace win
