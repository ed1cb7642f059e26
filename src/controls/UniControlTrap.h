#pragma once
// The subclass of one Unicode window. It sits in three places: the window's procedure (to know
// which messages came from the window system), the control's default procedure (the window
// system's questions and the window's end) and the control's message method (framework text
// messages go to the window itself). When the window is destroyed while the control lives on,
// the trap waits among the pending traps for the control's next window.

#include <memory>

#include "controls/UniSystem.h"
#include "framework/Controls.h"

namespace cs {

class TWinControlTrap;

struct TTrapLink {
  TWinControlTrap* Trap;
  fw::TWinControl* Control;
  fw::TWndMessageMethod Prev;  // the control's message method before the trap's
};

class TWinControlTrap : public fw::TComponent {
 public:
  explicit TWinControlTrap(fw::TWinControl* Control);
  ~TWinControlTrap() override;

  fw::TWinControl* Control() const { return FControl; }
  win::HWND Handle() const { return FHandle; }
  // Takes the control's window over and sets its wide text (the holder's, else Caption).
  void SubclassControl(const WideString& Caption);
  // Puts the trap's message method before the control's unless it is there already.
  void HookWindowProc();
  // On the window's end: the wide text goes to the holder, every procedure back as it was, and
  // the trap waits for the next window (or goes, with its control or once no call of it runs).
  void UnsubclassControl();
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  friend struct TTrapMethod;
  win::LRESULT Win32Proc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
  win::LRESULT DefWin32Proc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
  void WindowProc(fw::TMessage& Message);
  // Whether the control's message method is the trap's own (and nobody's put before it).
  bool WindowProcIsTraps() const;
  // Whether the control's message method reaches the trap's (a WM_NULL probe).
  bool WindowProcHooked();
  // Frees the trap now, or when the outermost call of its window procedure returns.
  void Release();

  fw::TWinControl* FControl;
  win::WNDPROC FWin32ProcInstance = nullptr;
  win::WNDPROC FDefWin32ProcInstance = nullptr;
  win::HWND FHandle = nullptr;
  win::WNDPROC FPrevWin32Proc = nullptr;
  win::WNDPROC FPrevDefWndProc = nullptr;
  win::UINT FLastWin32Msg = 0;
  int FWin32ProcLevel = 0;
  bool FDestroyTrap = false;
  bool FTestForNull = false;
  bool FFoundNull = false;
  // What the message method handed to the control reaches: the trap while it lives, then the
  // method it was put before.
  std::shared_ptr<TTrapLink> FLink;
};

// The traps waiting for their control's next window (kept by UniWindows.cpp).
void AddPendingTrap(TWinControlTrap* Trap);
void RemovePendingTrap(TWinControlTrap* Trap);

}  // namespace cs
