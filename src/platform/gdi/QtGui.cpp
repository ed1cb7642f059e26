#include "platform/gdi/detail/QtGui.h"

#include <QGuiApplication>

#include <mutex>

namespace win::gdi {

bool EnsureQtGui() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (QCoreApplication::instance()) return;
    // Qt keeps references to argc and argv for the application's lifetime.
    static int argc = 3;
    static char name[] = "korvalin";
    static char platformOption[] = "-platform";
    static char platformName[] = "offscreen";
    static char* argv[] = {name, platformOption, platformName, nullptr};
    // Never deleted: fonts and glyph caches live until the process ends.
    new QGuiApplication(argc, argv);
  });
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace win::gdi
