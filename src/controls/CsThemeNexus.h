#pragma once
// What the whole control set shares with the system's look: the visual-style handles of the tab,
// progress and track-bar classes (opened through the visual-style library when the system has
// one, else 0), closed before and opened again after every system change; and the hand cursor
// of link text.

#include "framework/Persistent.h"
#include "tx/TxUxThemes.h"

namespace cs {

class TSpThemeNexus : public fw::TObject {
 public:
  TSpThemeNexus();
  ~TSpThemeNexus() override;
  TSpThemeNexus(const TSpThemeNexus&) = delete;
  TSpThemeNexus& operator=(const TSpThemeNexus&) = delete;

  tx::HTHEME TabThemeHandle() const { return FTabThemeHandle; }
  tx::HTHEME ProgressThemeHandle() const { return FProgressThemeHandle; }
  tx::HTHEME TrackBarThemeHandle() const { return FTrackBarThemeHandle; }

  // TXM_SYSCHANGE: phase 1 closes the handles, phase 3 opens them again.
  void Dispatch(fw::TMessage& Message) override;

 private:
  void OpenHandles();
  void CloseHandles();

  win::HMODULE FLibrary = nullptr;
  tx::HTHEME(*FOpenThemeData)(win::HWND, win::LPCWSTR) = nullptr;
  tx::HRESULT (*FCloseThemeData)(tx::HTHEME) = nullptr;
  tx::HTHEME FTabThemeHandle = nullptr, FProgressThemeHandle = nullptr, FTrackBarThemeHandle = nullptr;
};

// The control set's start and end, inside the themed engine's (tx::InitTx ... tx::DoneTx):
// the nexus exists in between; nested calls are counted.
void StartControlSet();
void StopControlSet();
// The nexus while the control set runs, else null.
TSpThemeNexus* ThemeNexus();

// The system's hand cursor (IDC_HAND), loaded once; null when the system has none.
win::HCURSOR HandCursorHandle();

}  // namespace cs
