// The optional functions of the window system and of the drawing layer, put in the run-time
// symbol table once when the window system starts, so that code looking them up by name (as it
// must on systems that may lack them) finds them from the first call on.

#include "platform/gdi/GdiBitmaps.h"
#include "platform/kernel/Modules.h"
#include "platform/user/messages/Input.h"
#include "platform/user/services/Monitor.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/detail/UserCore.h"

namespace win::user {

void RegisterOptionalEntryPoints() {
  RegisterMonitorEntryPoints();
  RegisterImagingEntryPoints();
  modules::RegisterFunction(u"user32.dll", "UpdateLayeredWindow", &UpdateLayeredWindow);
  modules::RegisterFunction(u"user32.dll", "TrackMouseEvent", &TrackMouseEvent);
  modules::RegisterFunction(u"user32.dll", "LockSetForegroundWindow", &LockSetForegroundWindow);
}

}  // namespace win::user
