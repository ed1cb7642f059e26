// The installed screen.

#include "platform/desktop/Screen.h"

#include <atomic>

namespace win::desktop {
namespace {
std::atomic<Screen*> g_screen{nullptr};
}

void SetScreen(Screen* screen) { g_screen = screen; }
Screen* GetScreen() { return g_screen; }

}  // namespace win::desktop
