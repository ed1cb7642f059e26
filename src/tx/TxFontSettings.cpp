#include "tx/TxFontSettings.h"

#include <algorithm>

#include "framework/GraphicsObjects.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/TextConvert.h"

namespace tx {

void TFontSettings::SetSize(Integer Value) {
  if (Value < kMinFontSize || Value > kMaxFontSize)
    throw ETxPropertyError("Font size must be between 25 and 1000");
  Store(FSize, Value);
}

bool TFontSettings::operator==(const TFontSettings& Other) const {
  return FBold == Other.FBold && FItalic == Other.FItalic && FUnderline == Other.FUnderline &&
         FStrikeOut == Other.FStrikeOut && FSize == Other.FSize && FColor == Other.FColor && FName == Other.FName;
}

void TFontSettings::Assign(fw::TPersistent* Source) {
  auto* src = dynamic_cast<TFontSettings*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (*this == *src) return;
  FBold = src->FBold;
  FItalic = src->FItalic;
  FUnderline = src->FUnderline;
  FStrikeOut = src->FStrikeOut;
  FSize = src->FSize;
  FColor = src->FColor;
  FName = src->FName;
  Changed();
}

namespace {

void ApplyStyle(fw::TFontStyles& Styles, fw::TFontStyle Style, TTriState State) {
  if (State == tsTrue) Styles += fw::TFontStyles{Style};
  if (State == tsFalse) Styles -= fw::TFontStyles{Style};
}

win::BYTE StyleByte(win::BYTE Current, TTriState State) {
  return State == tsTrue ? 1 : State == tsFalse ? 0 : Current;
}

}  // namespace

void TFontSettings::Apply(fw::TFont* Font) const {
  if (FSize != 100) Font->SetSize(ScaleFontSize(Font->Size()));
  if (FColor != fw::clNone) Font->SetColor(FColor);
  if (!FName.empty()) Font->SetName(FName);
  fw::TFontStyles styles = Font->Style();
  ApplyStyle(styles, fw::fsBold, FBold);
  ApplyStyle(styles, fw::fsItalic, FItalic);
  ApplyStyle(styles, fw::fsUnderline, FUnderline);
  ApplyStyle(styles, fw::fsStrikeOut, FStrikeOut);
  Font->SetStyle(styles);
}

win::HFONT TFontSettings::CreateTransformedFont(win::HFONT SourceFont, TColor& Color) const {
  win::LOGFONTW lf{};
  win::GetObjectW(SourceFont, sizeof(lf), &lf);
  lf.lfHeight = ScaleFontSize(lf.lfHeight);
  if (FColor != fw::clNone) Color = FColor;
  if (!FName.empty()) {
    std::u16string face = win::Utf8ToWide(FName);
    face.resize(std::min<size_t>(face.size(), win::LF_FACESIZE - 1));
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), u'\0');
    std::copy(face.begin(), face.end(), lf.lfFaceName);
  }
  if (FBold == tsTrue) lf.lfWeight = win::FW_BOLD;
  if (FBold == tsFalse) lf.lfWeight = win::FW_NORMAL;
  lf.lfItalic = StyleByte(lf.lfItalic, FItalic);
  lf.lfUnderline = StyleByte(lf.lfUnderline, FUnderline);
  lf.lfStrikeOut = StyleByte(lf.lfStrikeOut, FStrikeOut);
  return win::CreateFontIndirectW(&lf);
}

}  // namespace tx
