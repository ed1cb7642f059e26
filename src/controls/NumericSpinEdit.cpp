#include "controls/NumericSpinEdit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "controls/CsDrawing.h"
#include "controls/CsEditors.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "platform/controls/CommCtrl.h"
#include "platform/controls/Edit.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/Beep.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/Window.h"
#include "tx/Tx.h"
#include "tx/TxParentBackground.h"
#include "tx/TxThemes.h"

namespace cs {
namespace {

// Round half to even, the rounding of the number conversions this edit stands beside.
fw::Extended RoundValue(fw::Extended V) { return std::nearbyint(V); }

// Fixed notation with Decimal decimals; values needing more than 15 integer digits fall back to
// the general text, as a 15-digit precision allows no more.
String FixedText(fw::Extended V, int Decimal) {
  if (!std::isfinite(V) || std::fabs(V) >= 1e15L) return fw::FloatToStr(V);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*Lf", Decimal, V);
  String text = buffer;
  std::replace(text.begin(), text.end(), '.', fw::DecimalSeparator());
  if (text.find_first_not_of("-0.,") == String::npos && text[0] == '-') text.erase(0, 1);  // no "-0,00"
  return text;
}

String HexText(fw::Extended V) {
  const long long n = static_cast<long long>(RoundValue(V));
  char buffer[32];
  if (n < 0) std::snprintf(buffer, sizeof buffer, "-%llX", static_cast<unsigned long long>(-n));
  else std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(n));
  return buffer;
}

String Upper(String S) {
  std::transform(S.begin(), S.end(), S.begin(), [](unsigned char c) { return std::toupper(c); });
  return S;
}

}  // namespace

int UpDownWidth() { return std::min(win::GetSystemMetrics(win::SM_CXVSCROLL), 15); }

TNumericUpDown::TNumericUpDown(fw::TComponent* AOwner) : fw::TUpDown(AOwner) {
  // The control captures the mouse itself while a button is held and lets it go at the release;
  // it needs no capture of the framework's besides.
  FControlStyle.Exclude(fw::csCaptureMouse);
  SetOrientation(fw::udVertical);
  SetMin(-1);
  SetMax(1);
  SetPosition(0);
}

void TNumericUpDown::CNScroll(fw::TMessage& Message) {
  if (win::LOWORD(win::DWORD(Message.WParam)) != win::SB_THUMBPOSITION || FInScroll) return;
  FInScroll = true;
  const fw::Integer pos = Position();
  SetPosition(0);
  FInScroll = false;
  if (pos > 0) Click(fw::btNext);
  else if (pos < 0) Click(fw::btPrev);
}

TCustomNumericSpinEdit::TCustomNumericSpinEdit(fw::TComponent* AOwner) : fw::TCustomEdit(AOwner) {
  SetText("0");
  CreateUpDown();
}

TCustomNumericSpinEdit::~TCustomNumericSpinEdit() {
  *FAlive = false;
  FChanging = true;
  FUpDown = nullptr;  // owned: freed with the other owned components
}

void TCustomNumericSpinEdit::CreateUpDown() {
  if (ComponentState().Contains(fw::csDestroying)) return;
  delete FUpDown;
  FUpDown = NewUpDown();
  FUpDown->SetParent(this);
  FUpDown->SetVisible(true);
  FUpDown->SetEnabled(Enabled());
  FUpDown->SetWidth(UpDownWidth());
  FUpDown->SetAlign(fw::alRight);
  FUpDown->OnClick = [this](fw::TObject* Sender, fw::TUDBtnType Button) { UpDownClick(Sender, Button); };
}

void TCustomNumericSpinEdit::SetAlignment(fw::TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomNumericSpinEdit::SetArrowKeys(bool Value) {
  FArrowKeys = Value;
  CreateUpDown();
}

void TCustomNumericSpinEdit::SetDecimal(fw::Byte NewValue) {
  if (FDecimal == NewValue) return;
  const fw::Extended v = Value();
  FDecimal = NewValue;
  SetValue(v);
}

void TCustomNumericSpinEdit::SetValueType(TValueType NewValue) {
  if (FValueType == NewValue) return;
  const fw::Extended v = Value();  // read in the old format
  FValueType = NewValue;
  if (FValueType != vtFloat) {
    FIncrement = RoundValue(FIncrement);
    if (FIncrement == 0) FIncrement = 1;
  }
  SetValue(v);
}

fw::Extended TCustomNumericSpinEdit::ReadValue(TValueType Type) const {
  const String text = GetText();
  if (Type == vtFloat) {
    fw::Extended v = 0;
    return fw::TryStrToFloat(text, v) ? v : FMinValue;
  }
  fw::Integer n = 0;
  const bool ok = Type == vtInt ? fw::TryStrToInt(text, n) && text.find_first_of("$xX") == String::npos
                                : !text.empty() && text[0] != '$' && fw::TryStrToInt("$" + text, n);
  return ok ? n : RoundValue(FMinValue);
}

fw::Extended TCustomNumericSpinEdit::Value() const {
  if (Loading() && FHasLoadedValue) return FLoadedValue;
  return ReadValue(FValueType);
}

fw::Extended TCustomNumericSpinEdit::CheckValue(fw::Extended V) const {
  if (FMinValue != FMaxValue) {
    if (V < FMinValue) return FMinValue;
    if (V > FMaxValue) return FMaxValue;
  }
  return V;
}

void TCustomNumericSpinEdit::SetValue(fw::Extended NewValue) {
  if (Loading()) {  // the type and decimals may not be read yet
    FLoadedValue = NewValue;
    FHasLoadedValue = true;
    return;
  }
  const fw::Extended v = CheckValue(NewValue);
  switch (FValueType) {
    case vtFloat: SetText(FixedText(v, FDecimal)); break;
    case vtHex: SetText(HexText(v)); break;
    default: SetText(fw::IntToStr(static_cast<fw::Int64>(RoundValue(v)))); break;
  }
}

void TCustomNumericSpinEdit::Loaded() {
  fw::TCustomEdit::Loaded();
  if (FHasLoadedValue) {
    FHasLoadedValue = false;
    SetValue(FLoadedValue);
  }
}

bool TCustomNumericSpinEdit::IsValidChar(char16_t Key) {
  if (!FEditorEnabled) return Key < 32 && Key != 8;
  if (Key < 32) return true;
  if (Key == u'+' || Key == u'-' || (Key >= u'0' && Key <= u'9')) return true;
  const String text = GetText();
  if (FValueType == vtFloat) {
    if (Key == static_cast<char16_t>(fw::DecimalSeparator())) return text.find(fw::DecimalSeparator()) == String::npos;
    if (Key == u'E' || Key == u'e') return Upper(text).find('E') == String::npos;
  }
  if (FValueType == vtHex) return (Key >= u'A' && Key <= u'F') || (Key >= u'a' && Key <= u'f');
  return false;
}

void TCustomNumericSpinEdit::KeyPress(char16_t& Key) {
  if (!IsValidChar(Key)) {
    Key = 0;
    win::MessageBeep(0);
  }
  if (Key == 0) return;
  const std::shared_ptr<bool> alive = FAlive;
  fw::TCustomEdit::KeyPress(Key);
  if (!*alive) return;
  if (Key == u'\r' || Key == 27) {
    if (fw::TCustomForm* form = fw::GetParentForm(this)) form->Perform(fw::CM_DIALOGKEY, Key, 0);
    if (*alive && Key == u'\r') Key = 0;
  }
}

void TCustomNumericSpinEdit::KeyDown(fw::Word& Key, fw::TShiftState Shift) {
  const std::shared_ptr<bool> alive = FAlive;
  fw::TCustomEdit::KeyDown(Key, Shift);
  if (!*alive || !FArrowKeys) return;
  if (Key == win::VK_UP) {
    Key = 0;
    UpClick();
  } else if (Key == win::VK_DOWN) {
    Key = 0;
    DownClick();
  }
}

bool TCustomNumericSpinEdit::Step(fw::Extended Delta) {
  if (ReadOnly()) {
    win::MessageBeep(0);
    return true;
  }
  const std::shared_ptr<bool> alive = FAlive;
  FChanging = true;
  const String before = GetText();
  SetValue(Value() + Delta);
  FChanging = false;
  if (Upper(before) != Upper(GetText())) {
    SetModified(true);
    Change();
  }
  return *alive;
}

void TCustomNumericSpinEdit::UpClick() {
  if (Step(FIncrement) && !ReadOnly() && OnTopClick) OnTopClick(this);
}

void TCustomNumericSpinEdit::DownClick() {
  if (Step(-FIncrement) && !ReadOnly() && OnBottomClick) OnBottomClick(this);
}

void TCustomNumericSpinEdit::Change() {
  if (!FChanging) fw::TCustomEdit::Change();
}

void TCustomNumericSpinEdit::UpDownClick(fw::TObject* /*Sender*/, fw::TUDBtnType Button) {
  if (TabStop() && CanFocus()) SetFocus();
  if (Button == fw::btNext) UpClick();
  else DownClick();
}

void TCustomNumericSpinEdit::CreateParams(fw::TCreateParams& Params) {
  fw::TCustomEdit::CreateParams(Params);
  Params.Style = (Params.Style & ~(win::ES_RIGHT | win::ES_CENTER)) | win::ES_MULTILINE | win::WS_CLIPCHILDREN |
                 EditAlignmentStyle(FAlignment);
}

void TCustomNumericSpinEdit::CreateWnd() {
  fw::TCustomEdit::CreateWnd();
  SetEditRect();
}

void TCustomNumericSpinEdit::SetEditRect() {
  if (!HandleAllocated()) return;
  win::RECT r{0, 0, ClientWidth() - (FUpDown != nullptr ? FUpDown->Width() : 0) - 2, ClientHeight() + 1};
  win::SendMessageW(Handle(), win::EM_SETRECTNP, 0, reinterpret_cast<win::LPARAM>(&r));
}

fw::Integer TCustomNumericSpinEdit::MinHeight() {
  const win::HDC dc = win::GetDC(nullptr);
  const win::HGDIOBJ old = win::SelectObject(dc, Font()->Handle());
  win::TEXTMETRICW tm{};
  win::GetTextMetricsW(dc, &tm);
  win::SelectObject(dc, old);
  win::ReleaseDC(nullptr, dc);
  return 4 * win::GetSystemMetrics(win::SM_CYBORDER) + tm.tmHeight + 1;
}

void TCustomNumericSpinEdit::SetBounds(fw::Integer ALeft, fw::Integer ATop, fw::Integer AWidth, fw::Integer AHeight) {
  fw::TCustomEdit::SetBounds(ALeft, ATop, AWidth, std::max(AHeight, MinHeight()));
  SetEditRect();
}

void TCustomNumericSpinEdit::CMEnter(fw::TMessage& Message) {
  // The edit selects nothing itself on entry, being multi-line.
  if (AutoSelect() && win::GetKeyState(win::VK_LBUTTON) >= 0) SelectAll();
  fw::TCustomEdit::CMEnter(Message);
}

void TCustomNumericSpinEdit::CMExit(fw::TMessage& Message) {
  fw::TCustomEdit::CMExit(Message);
  const fw::Extended v = Value();
  if (CheckValue(v) != v) SetValue(v);
}

void TCustomNumericSpinEdit::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_CUT:
    case win::WM_PASTE:
      if (!FEditorEnabled || ReadOnly()) return;
      break;
    case win::WM_SIZE:
      fw::TCustomEdit::Dispatch(Message);
      SetEditRect();
      return;
    case fw::CM_ENABLEDCHANGED:
      fw::TCustomEdit::Dispatch(Message);
      if (FUpDown != nullptr) FUpDown->SetEnabled(Enabled());
      return;
    case fw::CM_FONTCHANGED:
      fw::TCustomEdit::Dispatch(Message);
      SetEditRect();
      return;
    default: break;
  }
  fw::TCustomEdit::Dispatch(Message);
}

void TCsNumericUpDown::Dispatch(fw::TMessage& Message) {
  auto* owner = dynamic_cast<TCsSpinEdit*>(Owner());
  if (Message.Msg == win::WM_PAINT && owner != nullptr && owner->EffectiveThemeType() == thtTx &&
      tx::CurrentTheme != nullptr) {
    PaintThemedButtons(owner);
    Message.Result = 0;
    return;
  }
  TNumericUpDown::Dispatch(Message);
  if (Message.Msg == win::WM_LBUTTONUP)
    if (auto* edit = dynamic_cast<TCsSpinEdit*>(Owner())) edit->ReleaseButtons();
}

void TCsNumericUpDown::PaintBehindEdit(TCsSpinEdit* Edit, win::HDC DC, const fw::TRect& Inside) {
  // The column first shows what lies behind the edit, as its frame does: a theme whose docks
  // paint nothing leaves it so, instead of in the edit's own colour. The viewport carries the
  // column's place in the edit, so that the parent's painting (which sets the window origin)
  // still lands where it lies behind the column.
  const fw::TPoint place = Edit->ScreenToClient(ClientToScreen(fw::TPoint{0, 0}));
  const int saved = win::SaveDC(DC);
  win::SetViewportOrgEx(DC, -place.x, -place.y, nullptr);
  tx::PaintParentBackground(Edit, DC,
                            {Inside.left + place.x, Inside.top + place.y, Inside.right + place.x, Inside.bottom + place.y});
  win::RestoreDC(DC, saved);
}

void TCsNumericUpDown::PaintThemedButtons(TCsSpinEdit* Edit) {
  win::PAINTSTRUCT ps{};
  const win::HDC dc = win::BeginPaint(Handle(), &ps);
  fw::TCanvas canvas;
  canvas.SetHandle(dc);
  const fw::TRect r = ClientRect();
  // Under the buttons lies the toolbar background, laid as over the edit's whole inside (the
  // window less its 2-pixel frame), so that a gradient runs on under them as it would there.
  win::RECT window{};
  win::GetWindowRect(Edit->Handle(), &window);
  const fw::TPoint origin = ClientToScreen(fw::TPoint{0, 0});
  const fw::TRect inside{window.left + 2 - origin.x, window.top + 2 - origin.y, window.right - 2 - origin.x,
                         window.bottom - 2 - origin.y};
  PaintBehindEdit(Edit, dc, inside);
  if (tx::CurrentTheme->GetBooleanMetric(tx::TMB_VISUAL_STYLES))
    tx::CurrentTheme->PaintBackground(&canvas, inside, inside, inside,
                                      tx::CurrentTheme->GetViewColor(tx::VT_TOOLBAR_NORMAL), false,
                                      tx::VT_TOOLBAR_NORMAL);
  else
    tx::CurrentTheme->PaintDock(&canvas, inside, inside, tx::DP_TOP);
  tx::TTxItemInfo info;
  InitEditFrameInfo(info, Edit->Enabled(), Edit->MouseInControl() || Edit->Focused());
  info.ViewType = 0;
  tx::TTxEditButtonInfo button;
  button.ButtonType = tx::EBT_SPIN;
  if (!Edit->Enabled()) button.ButtonState |= tx::EBDS_DISABLED;
  if (Edit->UpPressed()) button.ButtonState |= tx::EBDS_PRESSED;
  if (Edit->DownPressed()) button.ButtonState |= tx::EBDS_DOWN_PRESSED;
  if (Edit->MouseInControl() || Edit->Focused()) button.ButtonState |= tx::EBDS_HOT;
  tx::CurrentTheme->PaintEditButton(&canvas, r, info, button);
  canvas.SetHandle(nullptr);
  win::EndPaint(Handle(), &ps);
}

TCsSpinEdit::TCsSpinEdit(fw::TComponent* AOwner) : TCsFramed<TCustomNumericSpinEdit>(AOwner) {
  CreateUpDown();  // the base made its own class of up-down
}

void TCsSpinEdit::ReleaseButtons() {
  if (!FUpPressed && !FDownPressed) return;
  FUpPressed = FDownPressed = false;
  ThemeChanged();
}

void TCsSpinEdit::UpClick() {
  const std::shared_ptr<bool> alive = AliveFlag();
  TCustomNumericSpinEdit::UpClick();
  if (!*alive) return;
  FUpPressed = true;
  FDownPressed = false;
  ThemeChanged();
}

void TCsSpinEdit::DownClick() {
  const std::shared_ptr<bool> alive = AliveFlag();
  TCustomNumericSpinEdit::DownClick();
  if (!*alive) return;
  FUpPressed = false;
  FDownPressed = true;
  ThemeChanged();
}

void TCsSpinEdit::ThemeChanged() {
  TCsFramed<TCustomNumericSpinEdit>::ThemeChanged();
  if (UpDown() != nullptr) UpDown()->Invalidate();
}

}  // namespace cs
