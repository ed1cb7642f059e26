// The installed screen.

#include "platform/desktop/Screen.h"

#include <atomic>

namespace win::desktop {
namespace {
std::atomic<Screen*> g_screen{nullptr};
}

void SetScreen(Screen* screen) { g_screen = screen; }
Screen* GetScreen() { return g_screen; }

bool ScreenCanBlend() {
  Screen* s = g_screen;
  return !s || s->CanBlend();
}

}  // namespace win::desktop
