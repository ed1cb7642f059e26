#pragma once
// Wide captions and hints of controls, wide characters in key messages, and the wide hint
// window.
//
// A control with a Unicode window (UniWindows.h) keeps its wide caption as the window's text; a
// control without one, or a windowed control while its window is away, keeps it in a caption
// holder beside the framework's UTF-8 text, which wins once it was changed elsewhere. Setting
// the same text again sends no change notice; a different text sends CM_TEXTCHANGED once.

#include <functional>

#include "controls/UniSystem.h"
#include "framework/ControlMessages.h"
#include "framework/Forms.h"
#include "framework/HintWindow.h"

namespace fw {
class TControl;
}

namespace cs {

WideString WideControlText(fw::TControl* Control);
void SetWideControlText(fw::TControl* Control, const WideString& Text);
WideString WideControlHint(fw::TControl* Control);
void SetWideControlHint(fw::TControl* Control, const WideString& Hint);

// A wide value kept beside the framework's text of the same thing (a menu item's caption, the
// application's hint, an action's caption). The stored wide value stands while the framework's
// text is still its UTF-8 form; once the framework's text was changed elsewhere, that text is
// the value. SyncWideValue stores a new wide value and hands its UTF-8 form to SetText; a value
// whose UTF-8 form is the current text but which that form does not hold exactly (an unpaired
// surrogate) is announced by clearing the text first, so the framework sees a change.
WideString SyncedWideValue(const WideString& StoredWide, const String& CurrentText);
void SyncWideValue(const WideString& NewWide, WideString& StoredWide, const String& CurrentText,
                   const std::function<void(const String&)>& SetText);

// Whether a wide caption (hint) is to be stored: not when an action link supplies it.
bool IsWideCaptionStored(fw::TControl* Control);
bool IsWideHintStored(fw::TControl* Control);

// The first non-empty hint of the control and then of each parent; empty when none.
WideString WideHintOfChain(fw::TControl* Control);
// The text before the first "|" and the text after it (both the whole hint without one).
WideString WideShortHint(const WideString& Hint);
WideString WideLongHint(const WideString& Hint);

// A list control that takes wide items.
class IUniListControl {
 public:
  virtual ~IUniListControl() = default;
  virtual void AddItem(const WideString& Item, fw::TObject* AObject) = 0;
};
// Adds a wide item to a list control: wide where it takes wide items, else as framework text.
void WideAddItem(fw::TControl* ListControl, const WideString& Item, fw::TObject* AObject);

// A character in a key message's WParam: the low word is the character, the high word spare.
// Parking moves a character above 255 into the spare word (the low word reading 255) for code
// that takes one byte; restoring puts it back. The framework's key handling takes whole UTF-16
// characters, so the window traps do not park; a parked character reaching a trapped window's
// default procedure is restored.
void ParkWideChar(fw::TMessage& Message);
void RestoreWideChar(fw::TMessage& Message);
char16_t WideCharOfMessage(const fw::TMessage& Message);
void SetWideCharOfMessage(fw::TMessage& Message, char16_t Character);

// The hint window of wide hints: its caption is the wide hint of the hint control's chain,
// with the action's shortcut in parentheses where the application shows shortcuts in hints.
class TUniCustomHintWindow : public fw::THintWindow {
 public:
  explicit TUniCustomHintWindow(fw::TComponent* AOwner);
  static const fw::THintWindowClassInfo* ClassInfo();
  void ActivateHint(const fw::TRect& Rect, const String& AHint) override;
  void ActivateHintData(const fw::TRect& Rect, const String& AHint, void* AData) override;
  fw::TRect CalcHintRect(fw::Integer MaxWidth, const String& AHint, void* AData) override;
  WideString Caption() const { return WideControlText(const_cast<TUniCustomHintWindow*>(this)); }

 protected:
  void CreateWindowHandle(const fw::TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(fw::TMessage& Message) override;

 private:
  bool FActivating = false;
  bool FWideHintActive = false;
};

// On CM_HINTSHOW: the plain hint window becomes the wide one, the hint info is marked as a wide
// hint (its data points at itself) and its text is the short wide hint of the chain.
void PrepareWideHint(fw::THintInfo& HintInfo);
// The wide text of a hint about to show (see TUniCustomHintWindow).
WideString WideHintFromHintData(const fw::THintInfo& HintInfo);

}  // namespace cs
