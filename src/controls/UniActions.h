#pragma once
// Wide actions and wide action links: an action's caption and hint as wide texts, kept by a
// helper component the action owns beside the action's framework texts, and links that hand
// the wide texts to wide clients (menu items, windowed and other controls).
//
// The framework's action texts are UTF-8, so a wide text reaches every client whole; the
// helper keeps what UTF-8 cannot hold (an unpaired surrogate) and the "pending value" rule
// hands that exact text to the links while the action announces its new caption.

#include "controls/UniControls.h"
#include "framework/ActnList.h"
#include "framework/Controls.h"
#include "framework/Menus.h"

namespace cs {

// The mark of a wide action (implemented by TUniAction and TUniHintAction).
class IUniAction {
 public:
  virtual ~IUniAction() = default;
};

// Owned by a wide action and found among its components.
class TCustomActionHelper : public fw::TComponent {
 public:
  explicit TCustomActionHelper(fw::TCustomAction* AAction);
  fw::TCustomAction* Action() const { return FAction; }

  WideString FWideCaption, FWideHint;
  bool FSettingCaption = false, FSettingHint = false;
  WideString FNewWideCaption, FNewWideHint;
  String FNewAnsiCaption, FNewAnsiHint;

 private:
  fw::TCustomAction* FAction;
};

// nullptr for an action that is not wide; else its helper, made when missing.
TCustomActionHelper* FindActionHelper(fw::TCustomAction* Action);
WideString WideActionCaption(fw::TCustomAction* Action);
void SetWideActionCaption(fw::TCustomAction* Action, const WideString& Value);
WideString WideActionHint(fw::TCustomAction* Action);
void SetWideActionHint(fw::TCustomAction* Action, const WideString& Value);
// The wide text a link is to take for the framework text it was handed.
WideString WideActionCaptionFor(fw::TCustomAction* Action, const String& Value);
WideString WideActionHintFor(fw::TCustomAction* Action, const String& Value);
// Takes the caption and hint of a wide action or of a control.
void WideActionAssign(fw::TCustomAction* Action, fw::TPersistent* Source);
// Before a wide control's own ActionChange: its wide caption and hint from a wide action.
void WideActionChange(fw::TControl* Control, fw::TObject* Sender, bool CheckDefaults);

class TUniAction : public fw::TAction, public IUniAction {
 public:
  explicit TUniAction(fw::TComponent* AOwner) : fw::TAction(AOwner) {}
  WideString Caption() { return WideActionCaption(this); }
  void SetCaption(const WideString& Value) { SetWideActionCaption(this, Value); }
  WideString Hint() { return WideActionHint(this); }
  void SetHint(const WideString& Value) { SetWideActionHint(this, Value); }
  using fw::TAction::SetCaption;
  using fw::TAction::SetHint;
  void Assign(fw::TPersistent* Source) override;
  void DefineProperties(fw::TFiler* Filer) override;
};

// Links of wide clients: a text is linked when the framework's test holds and the action's wide
// text equals the client's; a linked client takes the action's wide text.
class TUniControlActionLink : public fw::TControlActionLink {
 public:
  using fw::TControlActionLink::TControlActionLink;
  bool IsCaptionLinked() override;
  bool IsHintLinked() override;
  void SetCaption(const String& Value) override;
  void SetHint(const String& Value) override;
};
class TUniWinControlActionLink : public TUniControlActionLink {
 public:
  using TUniControlActionLink::TUniControlActionLink;
};
class TUniButtonActionLink : public TUniWinControlActionLink {
 public:
  using TUniWinControlActionLink::TUniWinControlActionLink;
};

// The menu item's link compares captions without the "&" markers and without case.
class TUniMenuActionLink : public fw::TMenuActionLink {
 public:
  using fw::TMenuActionLink::TMenuActionLink;
  bool IsCaptionLinked() override;
  bool IsHintLinked() override;
  void SetCaption(const String& Value) override;
  void SetHint(const String& Value) override;
};

// The link class a wide control gets: buttons, other windowed controls, other controls.
using TUniActionLinkFactory = fw::TControlActionLink* (*)(fw::TControl* Client);
TUniActionLinkFactory WideActionLinkClass(fw::TControl* Control);

}  // namespace cs
