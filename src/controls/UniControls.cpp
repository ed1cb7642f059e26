#include "controls/UniControls.h"

#include <algorithm>

#include "controls/UniCanvas.h"
#include "controls/UniCaptionHolders.h"
#include "controls/UniCodePages.h"
#include "controls/UniWindows.h"
#include "framework/ActnList.h"
#include "framework/Controls.h"
#include "framework/Menus.h"
#include "framework/StdCtrlsList.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Utf16.h"
#include "platform/user/windows/Window.h"

namespace cs {

namespace {

// The control's window when it has one.
win::HWND WindowOf(fw::TControl* Control) {
  auto* windowed = dynamic_cast<fw::TWinControl*>(Control);
  return windowed != nullptr && windowed->HandleAllocated() ? windowed->Handle() : nullptr;
}

}  // namespace

WideString WideControlText(fw::TControl* Control) {
  if (const win::HWND wnd = WindowOf(Control))
    return IsUnicodeWindow(wnd) ? UnicodeWindowText(wnd) : Utf8ToWide(Control->Text());
  // A holder's text stands while the framework's text is still its UTF-8 form; a text the
  // framework was given since (also while a window was away) wins.
  if (const TWideCaptionHolder* holder = FindWideCaptionHolder(Control))
    return SyncedWideValue(holder->WideCaption, Control->Text());
  return Utf8ToWide(Control->Text());
}

void SetWideControlText(fw::TControl* Control, const WideString& Text) {
  if (const win::HWND wnd = WindowOf(Control)) {
    if (!IsUnicodeWindow(wnd)) {
      Control->SetText(WideToUtf8(Text));
    } else if (UnicodeWindowText(wnd) != Text) {
      WideSetWindowText(wnd, Text);
      Control->Perform(fw::CM_TEXTCHANGED);
    }
    return;
  }
  SyncWideValue(Text, WideCaptionHolderOf(Control)->WideCaption, Control->Text(),
                [Control](const String& v) { Control->SetText(v); });
}

WideString WideControlHint(fw::TControl* Control) {
  if (const TWideCaptionHolder* holder = FindWideCaptionHolder(Control))
    return SyncedWideValue(holder->WideHint, Control->Hint());
  return Utf8ToWide(Control->Hint());
}

void SetWideControlHint(fw::TControl* Control, const WideString& Hint) {
  SyncWideValue(Hint, WideCaptionHolderOf(Control)->WideHint, Control->Hint(),
                [Control](const String& v) { Control->SetHint(v); });
}

WideString SyncedWideValue(const WideString& StoredWide, const String& CurrentText) {
  return WideToUtf8(StoredWide) == CurrentText ? StoredWide : Utf8ToWide(CurrentText);
}

void SyncWideValue(const WideString& NewWide, WideString& StoredWide, const String& CurrentText,
                   const std::function<void(const String&)>& SetText) {
  if (NewWide == SyncedWideValue(StoredWide, CurrentText)) return;
  const String text = WideToUtf8(NewWide);
  if (Utf8ToWide(text) != NewWide && text == CurrentText) SetText(String());
  StoredWide = NewWide;
  SetText(text);
}

bool IsWideCaptionStored(fw::TControl* Control) {
  fw::TControlActionLink* link = Control->ActionLink();
  return link == nullptr || !link->IsCaptionLinked();
}

bool IsWideHintStored(fw::TControl* Control) {
  fw::TControlActionLink* link = Control->ActionLink();
  return link == nullptr || !link->IsHintLinked();
}

WideString WideHintOfChain(fw::TControl* Control) {
  for (fw::TControl* c = Control; c != nullptr; c = c->Parent()) {
    WideString hint = WideControlHint(c);
    if (!hint.empty()) return hint;
  }
  return {};
}

WideString WideShortHint(const WideString& Hint) {
  const std::size_t bar = Hint.find(u'|');
  return bar == WideString::npos ? Hint : Hint.substr(0, bar);
}

WideString WideLongHint(const WideString& Hint) {
  const std::size_t bar = Hint.find(u'|');
  return bar == WideString::npos ? Hint : Hint.substr(bar + 1);
}

void WideAddItem(fw::TControl* ListControl, const WideString& Item, fw::TObject* AObject) {
  if (auto* wide = dynamic_cast<IUniListControl*>(ListControl)) {
    wide->AddItem(Item, AObject);
  } else if (auto* box = dynamic_cast<fw::TCustomListBox*>(ListControl)) {
    box->AddItem(WideToUtf8(Item), AObject);
  } else if (auto* combo = dynamic_cast<fw::TCustomComboBox*>(ListControl)) {
    combo->AddItem(WideToUtf8(Item), AObject);
  }
}

void ParkWideChar(fw::TMessage& Message) {
  const auto c = win::WORD(Message.WParam & 0xFFFF);
  if (c > 255) Message.WParam = (win::WPARAM(c) << 16) | 255;
}

void RestoreWideChar(fw::TMessage& Message) {
  const auto low = win::WORD(Message.WParam & 0xFFFF), high = win::WORD((Message.WParam >> 16) & 0xFFFF);
  Message.WParam = (high != 0 && low == 255) ? high : low;
}

char16_t WideCharOfMessage(const fw::TMessage& Message) {
  const auto low = win::WORD(Message.WParam & 0xFFFF), high = win::WORD((Message.WParam >> 16) & 0xFFFF);
  return char16_t((low == 255 && high != 0) ? high : low);
}

void SetWideCharOfMessage(fw::TMessage& Message, char16_t Character) {
  Message.WParam = Character;
  ParkWideChar(Message);
}

// The hint window -------------------------------------------------------------------------------

namespace {

fw::THintWindow* MakeUniHintWindow(fw::TComponent* AOwner) { return new TUniCustomHintWindow(AOwner); }

// A hint info whose data points at itself, made by PrepareWideHint for the wide hint window.
const fw::THintInfo* WideHintMark(void* AData) {
  const auto* info = static_cast<const fw::THintInfo*>(AData);
  if (info == nullptr || info->HintData != AData || info->HintWindowClass == nullptr ||
      !info->HintWindowClass->InheritsFrom(TUniCustomHintWindow::ClassInfo()))
    return nullptr;
  return info;
}

}  // namespace

TUniCustomHintWindow::TUniCustomHintWindow(fw::TComponent* AOwner) : fw::THintWindow(AOwner) {}

void TUniCustomHintWindow::CreateWindowHandle(const fw::TCreateParams& Params) {
  CreateUnicodeHandle(this, Params, WideString());
}

const fw::THintWindowClassInfo* TUniCustomHintWindow::ClassInfo() {
  static const fw::THintWindowClassInfo info("TUniCustomHintWindow", &MakeUniHintWindow,
                                             fw::THintWindow::ClassInfo());
  return &info;
}

void TUniCustomHintWindow::ActivateHint(const fw::TRect& Rect, const String& AHint) {
  FActivating = true;
  try {
    fw::THintWindow::ActivateHint(Rect, AHint);
  } catch (...) {
    FActivating = false;
    throw;
  }
  FActivating = false;
}

void TUniCustomHintWindow::ActivateHintData(const fw::TRect& Rect, const String& AHint, void* AData) {
  const fw::THintInfo* info = WideHintMark(AData);
  if (info == nullptr) {
    fw::THintWindow::ActivateHintData(Rect, AHint, AData);
    return;
  }
  FActivating = true;
  FWideHintActive = true;
  const WideString wide = WideHintFromHintData(*info);
  try {
    SetWideControlText(this, wide);
    fw::THintWindow::ActivateHint(Rect, WideToUtf8(wide));
  } catch (...) {
    FActivating = FWideHintActive = false;
    throw;
  }
  FActivating = FWideHintActive = false;
  Invalidate();
}

fw::TRect TUniCustomHintWindow::CalcHintRect(fw::Integer MaxWidth, const String& AHint, void* AData) {
  const fw::THintInfo* info = WideHintMark(AData);
  if (info == nullptr) return fw::THintWindow::CalcHintRect(MaxWidth, AHint, AData);
  return fw::THintWindow::CalcHintRect(MaxWidth, WideToUtf8(WideHintFromHintData(*info)), nullptr);
}

void TUniCustomHintWindow::Paint() {
  if (FWideHintActive) return;  // painted once the wide caption is in place
  fw::THintWindow::Paint();
}

void TUniCustomHintWindow::Dispatch(fw::TMessage& Message) {
  fw::THintWindow::Dispatch(Message);
  if (Message.Msg == fw::CM_TEXTCHANGED && !FActivating) {
    const WideString caption = Caption();
    SetBounds(Left(), Top(), WideCanvasTextWidth(Canvas(), caption) + 6, WideCanvasTextHeight(Canvas(), caption) + 6);
  }
}

void PrepareWideHint(fw::THintInfo& HintInfo) {
  const fw::THintWindowClassInfo* cls = HintInfo.HintWindowClass;
  if (cls == nullptr || cls == fw::THintWindow::ClassInfo()) {
    HintInfo.HintWindowClass = TUniCustomHintWindow::ClassInfo();
  } else if (!cls->InheritsFrom(TUniCustomHintWindow::ClassInfo())) {
    return;
  }
  HintInfo.HintData = &HintInfo;
  // The short hint, keeping the shortcut the application has already put after it.
  const String shortHint = WideToUtf8(WideShortHint(WideHintOfChain(HintInfo.HintControl)));
  if (HintInfo.HintStr.rfind(shortHint + " (", 0) != 0) HintInfo.HintStr = shortHint;
}

WideString WideHintFromHintData(const fw::THintInfo& HintInfo) {
  const WideString hint = Utf8ToWide(HintInfo.HintStr);
  if (hint.empty() || HintInfo.HintControl == nullptr) return hint;
  const WideString wide = WideShortHint(WideHintOfChain(HintInfo.HintControl));
  if (WideToUtf8(wide) == HintInfo.HintStr) return wide;
  auto* action = dynamic_cast<fw::TCustomAction*>(HintInfo.HintControl->Action());
  if (fw::Application != nullptr && fw::Application->ShowHintShortCuts() && action != nullptr &&
      action->ShortCut() != 0) {
    const String shortcut = fw::ShortCutToText(action->ShortCut());
    if (fw::Format("%s (%s)", WideToUtf8(wide), shortcut) == HintInfo.HintStr)
      return wide + u" (" + Utf8ToWide(shortcut) + u")";
  }
  return hint;
}

}  // namespace cs
