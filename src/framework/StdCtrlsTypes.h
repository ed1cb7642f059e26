#pragma once
// Small types the standard controls share with the controls built on them.

#include "framework/Forms.h"
#include "framework/StdCtrlsScrollStyle.h"

namespace fw {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
// A control's own border: none or a sunken single line.
using TBorderStyle = TFormBorderStyle;
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode {
  scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll
};
enum TOwnerDrawStateItem {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive, odNoAccel,
  odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

using TDrawItemEvent =
    std::function<void(TWinControl* Control, Integer Index, const TRect& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, Integer Index, Integer& Height)>;
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, Integer& ScrollPos)>;

// The owner-draw state of a DRAWITEMSTRUCT's itemState bits.
TOwnerDrawState OwnerDrawStateOf(win::UINT ItemState);

// Mouse messages a subclassed standard control's own procedure must see before the framework's
// mouse handling (pressing, selecting, capture); the right button's release reaches it anyway.
bool IsClassMouseMessage(win::UINT Msg);

// The answer to a reflected WM_CTLCOLOR*: the control's font colour on its colour, and its brush.
win::LRESULT ControlColors(TWinControl* Control, win::HDC DC);
// The same for a field that takes typed text or a choice (edits, combo and list boxes): while
// the field is disabled, grey text on the button face, so that it does not look ready for input.
win::LRESULT FieldColors(TWinControl* Control, win::HDC DC);

}  // namespace fw
