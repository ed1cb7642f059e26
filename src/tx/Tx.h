#pragma once
// The current theme: the one theme object every themed window paints through, switched by name,
// and the relay that tells every themed window of a theme switch or a system change with
// TXM_THEMECHANGE (by direct calls of their Dispatch). Also the two queries between windows.

#include <vector>

#include "framework/Persistent.h"
#include "tx/TxThemes.h"

namespace fw {
class TControl;
}
namespace toolbars {
class TTBView;
}

namespace tx {

// Sent to the relay's listeners: WParam a TSC_ phase (1, 2, 3; 4 and 5 relayed from the system),
// LParam 1 when the application chose another theme, 0 when the system changed.
inline constexpr win::UINT TXM_THEMECHANGE = win::WM_USER + 314;  // 1338
// Queries: the view-type flags in Result; the background colour in WParam with Result 1.
inline constexpr win::UINT TXM_GETVIEWTYPE = 1261, TXM_GETEFFECTIVECOLOR = 1262;

// The theme in use; read it whenever painting or measuring, never keep a copy. Null only before
// InitTx.
extern TTxTheme* CurrentTheme;

class TTxNexus : public fw::TObject {
 public:
  // Acquires the start theme, then listens to the theme manager.
  explicit TTxNexus(const String& ThemeName);
  ~TTxNexus() override;

  // Releases the current theme, acquires Name's and announces the switch (phases 1, 2, 3 with
  // LParam 1). Nothing for a name not registered. When the new theme cannot be made, the old
  // one is taken again and the error goes on to the caller; nobody is told of a switch.
  void SetTheme(const String& Name);
  String GetThemeName() const;
  void AddListener(fw::TObject* Obj);
  void RemoveListener(fw::TObject* Obj);
  Integer ListenerCount() const { return Integer(FListeners.size()); }
  // One message record to every listener, in list order as it stood when the broadcast began;
  // a listener gone meanwhile (removed or freed) is skipped.
  void Broadcast(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
  void Dispatch(fw::TMessage& Message) override;

 private:
  void TxMSysChange(fw::TMessage& Message);
  std::vector<fw::TObject*> FListeners;
};

extern TTxNexus* Nexus;

// Each object at most once; removing an object not listed does nothing.
void AddThemeChangeListener(fw::TObject* Obj);
void RemoveThemeChangeListener(fw::TObject* Obj);
void SetCurrentTheme(const String& Name);
// The current theme's name ("" before InitTx).
String GetCurrentThemeName();

// The colour a control paints its background with: its answer to TXM_GETEFFECTIVECOLOR, else
// clBtnFace for null and for MDI parent forms, else its Color (which may be clNone).
TColor GetEffectiveColor(fw::TControl* Control);
// A window's view-type flags (its answer to TXM_GETVIEWTYPE), 0 for null.
Integer GetWinViewType(fw::TControl* Control);
// The view-type flags of a toolbar view's window; 0 for null or a view without an owner.
Integer GetViewType(toolbars::TTBView* View);

// Reference-counted start and end of the whole engine: the registry and manager, "Default"
// registered and made current, the relay listening. The last end releases the theme.
void InitTx();
void DoneTx();

}  // namespace tx
