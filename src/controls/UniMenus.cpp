#include "controls/UniMenus.h"

#include "controls/UniActions.h"
#include "controls/UniApplication.h"
#include "controls/UniCodePages.h"
#include "controls/UniControls.h"
#include "controls/UniStrings.h"
#include "framework/Forms.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"

namespace cs {

bool FarEastHotKeys = false;

WideString StripHotKeys(const WideString& Caption) {
  WideString out;
  out.reserve(Caption.size());
  for (std::size_t i = 0; i < Caption.size(); ++i) {
    if (FarEastHotKeys && Caption[i] == u'(' && i + 3 < Caption.size() && Caption[i + 1] == u'&' &&
        Caption[i + 3] == u')') {
      i += 3;
      continue;
    }
    if (Caption[i] == u'&') {
      if (i + 1 < Caption.size() && Caption[i + 1] == u'&') out.push_back(Caption[++i]);
      continue;
    }
    out.push_back(Caption[i]);
  }
  return out;
}

bool SameCaptionText(const WideString& A, const WideString& B, bool IgnoreCase) {
  const WideString a = StripHotKeys(A), b = StripHotKeys(B);
  return IgnoreCase ? win::SameTextIgnoreCase(a, b) : a == b;
}

void SyncHotKeyPosition(const WideString& NewCaption, WideString& WideCaption) {
  // The framework's forms of the two texts decide (the wide one may hold more than its form).
  const String newText = WideToUtf8(NewCaption), wideText = WideToUtf8(WideCaption);
  if (newText == wideText || !SameCaptionText(Utf8ToWide(newText), Utf8ToWide(wideText), false)) return;
  WideString result = StripHotKeys(WideCaption);
  for (std::size_t i = 0; i < NewCaption.size(); ++i) {
    if (NewCaption[i] != u'&') continue;
    if (FarEastHotKeys && i >= 1 && i + 2 < NewCaption.size() && NewCaption[i - 1] == u'(' &&
        NewCaption[i + 2] == u')') {
      result.insert(std::min(i - 1, result.size()), NewCaption.substr(i - 1, 4));
      i += 3;
      continue;
    }
    result.insert(std::min(i, result.size()), 1, u'&');
    ++i;  // a doubled "&" is one character of the text
  }
  if (WideToUtf8(result) != newText)
    throw EUniInternalError(fw::Format("Internal Error: SyncHotKeyPosition Failed (\"%s\" <> \"%s\").",
                                       WideToUtf8(result), newText));
  WideCaption = result;
}

WideString WideKeyName(fw::Word Key) {
  char16_t buffer[257] = {};
  const int n = win::GetKeyNameTextW(win::LONG(win::MapVirtualKeyW(Key, win::MAPVK_VK_TO_VSC) << 16), buffer, 257);
  return WideString(buffer, std::size_t(n));
}

WideString WideShortCutToText(fw::TShortCut ShortCut) {
  const fw::Word key = fw::Word(ShortCut & 0xFF);
  const bool named = key == 8 || key == 9 || key == 13 || key == 27 || (key >= 32 && key <= 40) || key == 45 ||
                     key == 46 || (key >= 112 && key <= 135);
  if (named) return Utf8ToWide(fw::ShortCutToText(ShortCut));
  WideString text;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    text = WideString(1, char16_t(win::MapVirtualKeyW(key, win::MAPVK_VK_TO_CHAR)));
  } else if (key >= win::VK_NUMPAD0 && key <= win::VK_NUMPAD0 + 9) {
    text = WideString(1, char16_t(u'0' + (key - win::VK_NUMPAD0)));
  } else {
    text = WideKeyName(key);
  }
  if (text.empty() || text[0] == 0) return {};
  WideString out;
  if (ShortCut & fw::scShift) out += u"Shift+";
  if (ShortCut & fw::scCtrl) out += u"Ctrl+";
  if (ShortCut & fw::scAlt) out += u"Alt+";
  return out + text;
}

// TUniMenuItem --------------------------------------------------------------------------------------

TUniMenuItem::TUniMenuItem(fw::TComponent* AOwner) : fw::TMenuItem(AOwner) {}

WideString TUniMenuItem::Caption() const {
  if (!FWideCaption.empty()) SyncHotKeyPosition(Utf8ToWide(fw::TMenuItem::Caption()), FWideCaption);
  return SyncedWideValue(FWideCaption, fw::TMenuItem::Caption());
}

void TUniMenuItem::SetCaption(const WideString& Value) {
  SyncWideValue(Value, FWideCaption, fw::TMenuItem::Caption(),
                [this](const String& v) { fw::TMenuItem::SetCaption(v); });
}

WideString TUniMenuItem::Hint() const { return SyncedWideValue(FWideHint, fw::TMenuItem::Hint()); }

void TUniMenuItem::SetHint(const WideString& Value) {
  SyncWideValue(Value, FWideHint, fw::TMenuItem::Hint(), [this](const String& v) { fw::TMenuItem::SetHint(v); });
}

void TUniMenuItem::DefineProperties(fw::TFiler* Filer) {
  fw::TMenuItem::DefineProperties(Filer);
  DefineWideStreamProperties(Filer, this);
}

void TUniMenuItem::Loaded() {
  fw::TMenuItem::Loaded();
  UpdateWideMenuItemText(this, GetParentMenu());
}

fw::TMenuItem::TActionLinkFactory TUniMenuItem::GetActionLinkClass() {
  return [](fw::TMenuItem* item) -> fw::TMenuActionLink* { return new TUniMenuActionLink(item); };
}

void TUniMenuItem::ActionChange(fw::TObject* Sender, bool CheckDefaults) {
  if (auto* action = dynamic_cast<fw::TCustomAction*>(Sender); action != nullptr && FindActionHelper(action)) {
    const WideString caption = Caption();
    if (!CheckDefaults || caption.empty() || WideToUtf8(caption) == Name()) SetCaption(WideActionCaption(action));
    if (!CheckDefaults || Hint().empty()) SetHint(WideActionHint(action));
  }
  fw::TMenuItem::ActionChange(Sender, CheckDefaults);
}

void TUniMenuItem::MenuChanged(bool Rebuild) {
  if (FUpdatingCaption) return;
  fw::TMenuItem::MenuChanged(Rebuild);
  fw::TMenu* menu = GetParentMenu();
  UpdateWideMenuTree(this, menu);
  // A right-to-left bar is laid out from its first item: whichever item changed, that one is
  // written again with its wide text too.
  if (MiddleEastMenus && menu && menu->Items()->Count() > 0) UpdateWideMenuItemText(menu->Items()->Items(0), menu);
}

WideString TUniMenuItem::MenuText(bool OnMenuBar) {
  WideString text = Caption();
  if (Count() == 0 && ShortCut() != 0 && !OnMenuBar) text += u'\t' + WideShortCutToText(ShortCut());
  return text;
}

// The menu ---------------------------------------------------------------------------------------

void UpdateWideMenuItemText(fw::TMenuItem* Item, fw::TMenu* Menu) {
  auto* item = dynamic_cast<TUniMenuItem*>(Item);
  if (item == nullptr || Menu == nullptr || item->Parent() == nullptr || !item->Visible()) return;
  const fw::TComponentState state = item->ComponentState();
  if (state.Contains(fw::csReading) || state.Contains(fw::csDestroying)) return;
  if (!Menu->HandleAllocated()) return;
  const win::HMENU parent = item->Parent() == Menu->Items() ? Menu->Handle() : item->Parent()->Handle();
  if (parent == nullptr) return;
  win::MENUITEMINFOW info{};
  info.fMask = win::MIIM_FTYPE;
  if (!win::GetMenuItemInfoW(parent, item->Command(), win::FALSE, &info)) return;
  if (info.fType & (win::MFT_BITMAP | win::MFT_OWNERDRAW | win::MFT_SEPARATOR)) return;
  const bool onBar = dynamic_cast<fw::TMainMenu*>(Menu) != nullptr && item->Parent() == Menu->Items();
  WideString text = item->Caption();
  if (item->Count() == 0 && item->ShortCut() != 0 && !onBar) text += u'\t' + WideShortCutToText(item->ShortCut());
  const int length = win::GetMenuStringW(parent, item->Command(), nullptr, 0, win::MF_BYCOMMAND);
  WideString current(std::size_t(std::max(length, 0)) + 1, u'\0');
  win::GetMenuStringW(parent, item->Command(), current.data(), int(current.size()), win::MF_BYCOMMAND);
  current.resize(std::size_t(std::max(length, 0)));
  if (current == text) return;
  win::MENUITEMINFOW set{};
  set.fMask = win::MIIM_STRING;
  set.dwTypeData = text.data();
  set.cch = win::UINT(text.size());
  if (!win::SetMenuItemInfoW(parent, item->Command(), win::FALSE, &set))
    RaiseLastOSError();
  if (onBar) {
    auto* main = dynamic_cast<fw::TMainMenu*>(Menu);
    if (main != nullptr && main->Form() != nullptr && main->Form()->HandleAllocated())
      win::DrawMenuBar(main->Form()->Handle());
  }
}

void UpdateWideMenuTree(fw::TMenuItem* Item, fw::TMenu* Menu) {
  const fw::TComponentState state = Item->ComponentState();
  if (state.Contains(fw::csReading) || state.Contains(fw::csDestroying)) return;
  for (int i = Item->Count() - 1; i >= 0; --i) UpdateWideMenuTree(Item->Items(i), Menu);
  UpdateWideMenuItemText(Item, Menu);
}

void TUniPopupList::WndProc(fw::TMessage& Message) {
  if (Message.Msg == win::WM_MENUSELECT) {
    const win::UINT flags = win::HIWORD(win::DWORD(Message.WParam));
    if (!(flags == 0xFFFF && Message.LParam == 0)) {
      for (fw::Integer m = 0; m < Count(); ++m) {
        fw::TMenuItem* item = nullptr;
        if (flags & win::MF_POPUP) {
          const win::HMENU sub =
              win::GetSubMenu(reinterpret_cast<win::HMENU>(Message.LParam), win::LOWORD(win::DWORD(Message.WParam)));
          item = Items(m)->FindItem(reinterpret_cast<win::UINT_PTR>(sub), fw::TMenu::fkHandle);
        } else {
          item = Items(m)->FindItem(win::LOWORD(win::DWORD(Message.WParam)), fw::TMenu::fkCommand);
        }
        if (item == nullptr) continue;
        auto* wide = dynamic_cast<TUniMenuItem*>(item);
        const WideString hint = wide != nullptr ? wide->Hint() : Utf8ToWide(item->Hint());
        if (UniApplication != nullptr) UniApplication->SetHint(WideLongHint(hint));
        return;
      }
    }
  }
  fw::TPopupList::WndProc(Message);
}

void InstallUniPopupList() {
  if (dynamic_cast<TUniPopupList*>(fw::PopupList) != nullptr) return;
  delete fw::PopupList;
  fw::PopupList = new TUniPopupList();
}

}  // namespace cs
