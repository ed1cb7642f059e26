#pragma once
// Wide menu items and wide shortcut text. A TUniMenuItem keeps a wide caption and hint beside
// the framework's texts; the window system's menu shows the wide caption with the wide
// shortcut text after a tab (the framework builds the menu from MenuText). Owner-drawn items
// draw and measure their wide caption and shortcut text themselves, on the framework's
// background, check mark and glyph. TUniPopupList
// passes the wide hint of a highlighted popup item to the wide application hint.

#include "controls/UniSystem.h"
#include "framework/Menus.h"

namespace cs {

// Whether captions follow the far-east rule for hot keys ("(&X)" groups); the platform's
// locale is not a far-east one.
extern bool FarEastHotKeys;
// Whether menus read right to left (a middle-east locale); the platform's locale is not one.
extern bool MiddleEastMenus;

// Every "&" deleted ("&&" leaves one "&"); on a far-east locale a "(", "&", character, ")"
// group goes whole.
WideString StripHotKeys(const WideString& Caption);
// The captions are the same once their hot-key markers are removed.
bool SameCaptionText(const WideString& A, const WideString& B, bool IgnoreCase);
// Moves the markers of WideCaption to where NewCaption has them, when the framework's (UTF-8)
// forms of the two differ and are the same text without markers. EUniInternalError when the
// markers cannot be placed so that the forms agree.
void SyncHotKeyPosition(const WideString& NewCaption, WideString& WideCaption);

// The shortcut's text: the framework's names for Backspace, Tab, Enter, Esc, Space, the page,
// end, home and arrow keys, Insert, Delete and F1-F24; the character for digits, letters and
// the numeric-pad digits; the keyboard's key name for any other key; "Shift+", "Ctrl+" and
// "Alt+" before it. Empty for a key without a name.
WideString WideShortCutToText(fw::TShortCut ShortCut);
// The keyboard's name of a virtual key (up to 256 characters).
WideString WideKeyName(fw::Word Key);

class TUniMenuItem : public fw::TMenuItem {
 public:
  explicit TUniMenuItem(fw::TComponent* AOwner);

  WideString Caption() const;
  void SetCaption(const WideString& Value);
  WideString Hint() const;
  void SetHint(const WideString& Value);
  using fw::TMenuItem::SetCaption;
  using fw::TMenuItem::SetHint;

  void DefineProperties(fw::TFiler* Filer) override;
  void Loaded() override;
  // Every item but a separator draws its wide caption and shortcut text, except that an item
  // with a drawing handler of its own in an owner-drawn menu or one with images is drawn by the
  // framework (the handler). The framework draws the background, check mark and glyph.
  void AdvancedDrawItem(fw::TCanvas* ACanvas, const fw::TRect& ARect, fw::TOwnerDrawState State,
                        bool TopLevel) override;
  // The framework's measure, corrected by how much wider the wide caption and shortcut text are
  // than the framework's; OnMeasureItem sees the corrected size.
  void MeasureItem(fw::TCanvas* ACanvas, fw::Integer& Width, fw::Integer& Height) override;

 protected:
  TActionLinkFactory GetActionLinkClass() override;
  void ActionChange(fw::TObject* Sender, bool CheckDefaults) override;
  void MenuChanged(bool Rebuild) override;
  WideString MenuText(bool OnMenuBar) override;

 private:
  mutable WideString FWideCaption;
  WideString FWideHint;
  bool FUpdatingCaption = false;
};

// The wide caption of an owner-drawn item after the glyph column, centred vertically, and its
// shortcut text right-aligned 10 pixels before the item's right edge (at the left edge, 10 pixels
// in, in a right-to-left menu).
void DrawWideMenuItem(TUniMenuItem* Item, fw::TCanvas* ACanvas, const fw::TRect& ARect, fw::TOwnerDrawState State,
                      bool TopLevel);
// Text of a menu item in Rect with the DrawText flags: clear brush, bold for the default item,
// a disabled item embossed (highlight offset by one pixel, then shadow) unless selected.
void DrawWideMenuItemText(fw::TMenuItem* Item, fw::TCanvas* ACanvas, const WideString& Text, win::UINT Flags,
                          bool Selected, fw::TRect& Rect);
// The width of a single line of menu text with the alignment flags.
fw::Integer MeasureWideMenuText(fw::TCanvas* ACanvas, const WideString& Text, win::UINT AlignFlags);

// Writes the item's wide text (with its shortcut text) into the menu it sits in, when the menu
// shows something else; a main menu's bar is repainted for its own items.
void UpdateWideMenuItemText(fw::TMenuItem* Item, fw::TMenu* Menu);
// The same for the item's sub-items, last first, then the item.
void UpdateWideMenuTree(fw::TMenuItem* Item, fw::TMenu* Menu);

class TUniPopupList : public fw::TPopupList {
 protected:
  void WndProc(fw::TMessage& Message) override;
};

// Replaces the framework's popup-menu list by a TUniPopupList (before any popup menu exists).
void InstallUniPopupList();

}  // namespace cs
