// The system-colour values FillRect accepts in place of a brush: (HBRUSH)(COLOR_x + 1). The
// colours belong to the window system, which installs the function that reads them.

#include <array>
#include <atomic>

#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/kernel/LastError.h"

namespace win::gdi {
namespace {

constexpr int kSysColorValues = 31;  // COLOR_SCROLLBAR + 1 .. COLOR_MENUBAR + 1

std::atomic<SysColorResolver> g_resolver{nullptr};

// One unchanging brush per index; its colour is read from the resolver each time it paints, so a
// changed system colour shows at once.
const std::array<BrushObj, kSysColorValues>& SysColorBrushes() {
  static const auto* brushes = [] {
    auto* b = new std::array<BrushObj, kSysColorValues>;
    for (int i = 0; i < kSysColorValues; ++i) {
      (*b)[size_t(i)].sysColor = i;
      (*b)[size_t(i)].stock = true;
    }
    return b;
  }();
  return *brushes;
}

}  // namespace

COLORREF SysColorValue(int index) {
  const SysColorResolver resolve = g_resolver.load(std::memory_order_acquire);
  return resolve ? resolve(index) & 0xFFFFFF : 0;
}

const BrushObj* FillBrushOrFail(HBRUSH h) {
  const uintptr_t v = reinterpret_cast<uintptr_t>(h);
  if (v >= 1 && v <= kSysColorValues && g_resolver.load(std::memory_order_acquire))
    return &SysColorBrushes()[v - 1];
  return BrushOrFail(h);
}

}  // namespace win::gdi

namespace win {

void SetSysColorResolver(SysColorResolver resolver) { gdi::g_resolver.store(resolver, std::memory_order_release); }

}  // namespace win
