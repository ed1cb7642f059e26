#include "export/forms/FontNameCombo.h"

#include "controls/UniCanvas.h"
#include "controls/UniCodePages.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/GraphicsCanvas.h"
#include "platform/controls/ComboBox.h"
#include "platform/user/messages/MessageQueue.h"

namespace kvforms {

TFontNameCombo::TFontNameCombo(fw::TComponent* AOwner) : cs::TCsComboBox(AOwner) {
  SetStyle(fw::csOwnerDrawFixed);
  // Entries one and a half times the usual height, room for the larger preview face.
  SetItemHeight(ItemHeight() * 3 / 2);
  OnDrawItem = [this](fw::TWinControl*, fw::Integer Index, const fw::TRect& Rect, fw::TOwnerDrawState State) {
    DrawName(Index, Rect, State);
  };
}

void TFontNameCombo::FillScreenFonts() {
  Items()->Clear();
  for (fw::Integer i = 0; i < fw::Screen->Fonts()->Count(); ++i)
    Items()->Add(cs::Utf8ToWide(fw::Screen->Fonts()->Strings(i)));
}

void TFontNameCombo::CreateWnd() {
  cs::TCsComboBox::CreateWnd();
  win::SendMessageW(Handle(), win::CB_SETITEMHEIGHT, win::WPARAM(-1), kFieldHeight);
  win::SendMessageW(Handle(), win::CB_SETDROPPEDWIDTH, kDropDownWidth, 0);
}

void TFontNameCombo::DrawName(fw::Integer Index, const fw::TRect& Rect, fw::TOwnerDrawState State) {
  fw::TCanvas* canvas = Canvas();
  const bool selected = State.Contains(fw::odSelected);
  canvas->Brush()->SetColor(selected ? fw::clHighlight : fw::clWindow);
  canvas->FillRect(Rect);
  if (Index < 0 || Index >= Items()->Count()) return;
  const cs::WideString name = Items()->Strings(Index);
  fw::TFont* font = canvas->Font();
  if (State.Contains(fw::odComboBoxEdit)) {
    font->SetName("Tahoma");
    font->SetSize(8);
  } else {
    font->SetName(cs::WideToUtf8(name));
    font->SetSize(kPreviewSize);
  }
  font->SetColor(selected ? fw::clHighlightText : fw::clWindowText);
  const fw::Integer top = Rect.top + (Rect.bottom - Rect.top - canvas->TextHeight("Wy")) / 2;
  cs::WideCanvasTextOut(canvas, Rect.left + 2, top, name);
}

}  // namespace kvforms
