#pragma once
// The modal menu loop: while a menu is open the handler holds the mouse capture on a message
// window (or a toolbar's own window), pulls every message off the thread's queue itself and
// routes mouse, keyboard and view-timer messages to the chain of views, until a view records a
// done action or the capture is lost. A press outside the menus ends the loop and stays in the
// queue, so it reaches the window under the mouse afterwards.

#include "toolbars/TBItemView.h"

namespace toolbars {

class TTBModalHandler : public TObject {
 public:
  // Takes the capture on ExistingWnd, or on a message window of its own when nil.
  explicit TTBModalHandler(win::HWND ExistingWnd);
  ~TTBModalHandler() override;
  win::HWND Wnd() const { return FWnd; }
  void Loop(TTBView* RootView, bool AMouseDown, bool AExecuteSelected, bool AFromMSAA, bool TrackRightButton);

 private:
  win::HWND FWnd = nullptr;
  bool FCreatedWnd = false;
  bool FInited = false;
};

}  // namespace toolbars
