// The colour and font dialogs.

#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "framework/GraphicsObjects.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "platform/controls/MessageBox.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/kernel/TextConvert.h"

namespace fw {
namespace {

constexpr int kCustomColorCount = 16;
constexpr win::COLORREF kWhite = 0xFFFFFF;

String CustomColorName(int index) { return String("Color") + char('A' + index); }

// "RRGGBB" in hexadecimal; white for anything else.
win::COLORREF ParseRrGgBb(const String& text) {
  const String t = Trim(text);
  if (t.empty() || t.size() > 6) return kWhite;
  unsigned v = 0;
  for (char c : t) {
    int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (d < 0) return kWhite;
    v = v * 16 + unsigned(d);
  }
  return win::RGB(win::BYTE(v >> 16), win::BYTE(v >> 8), win::BYTE(v));
}

String FormatRrGgBb(win::COLORREF c) {
  return IntToHex((Int64(win::GetRValue(c)) << 16) | (Int64(win::GetGValue(c)) << 8) | win::GetBValue(c), 6);
}

// A colour the dialog can show: system colours resolved, markers (clNone, clDefault) black.
win::COLORREF PlainColor(TColor Color) {
  const Integer rgb = ColorToRGB(Color);
  return (rgb & 0xFF000000) != 0 || rgb == clNone || rgb == clDefault ? 0 : win::COLORREF(rgb);
}

}  // namespace

TColorDialog::TColorDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FCustomColors(std::make_unique<TStringList>()) {}

TColorDialog::~TColorDialog() = default;

bool TColorDialog::Execute() {
  win::desktop::ColorDialogRequest request;
  request.owner = ParentWindow();
  request.color = PlainColor(FColor);
  for (int i = 0; i < kCustomColorCount; ++i) {
    const String name = CustomColorName(i);
    request.customColors.push_back(FCustomColors->IndexOfName(name) >= 0 ? ParseRrGgBb(FCustomColors->Values(name))
                                                                          : kWhite);
  }
  request.fullOpen = FOptions.Contains(cdFullOpen);
  request.preventFullOpen = FOptions.Contains(cdPreventFullOpen);
  request.solidColor = FOptions.Contains(cdSolidColor);
  request.anyColor = FOptions.Contains(cdAnyColor);

  auto answer = win::desktop::RunColorDialog(request);
  if (!answer) return false;
  FColor = TColor(answer->color & 0xFFFFFF);
  const auto& custom = answer->customColors.empty() ? request.customColors : answer->customColors;
  FCustomColors->BeginUpdate();
  for (int i = 0; i < kCustomColorCount; ++i)
    FCustomColors->SetValues(CustomColorName(i), FormatRrGgBb(size_t(i) < custom.size() ? custom[size_t(i)] : kWhite));
  FCustomColors->EndUpdate();
  return true;
}

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

void TFontDialog::SetFont(TFont* Value) { FFont->Assign(Value); }

bool TFontDialog::Execute() {
  win::desktop::FontDialogRequest request;
  request.owner = ParentWindow();
  win::desktop::FontChoice& f = request.font;
  f.face = win::Utf8ToWide(FFont->Name());
  f.pointSize = FFont->Size();
  const TFontStyles style = FFont->Style();
  f.bold = style.Contains(fsBold);
  f.italic = style.Contains(fsItalic);
  f.underline = style.Contains(fsUnderline);
  f.strikeOut = style.Contains(fsStrikeOut);
  f.color = PlainColor(FFont->Color());
  f.charset = win::BYTE(FFont->Charset());
  const bool limited = FOptions.Contains(fdLimitSize);
  request.minSize = limited ? FMinFontSize : 0;
  request.maxSize = limited ? FMaxFontSize : 0;
  request.effects = FOptions.Contains(fdEffects);
  request.fixedPitchOnly = FOptions.Contains(fdFixedPitchOnly);

  for (;;) {
    auto answer = win::desktop::RunFontDialog(request);
    if (!answer) return false;
    const bool tooSmall = request.minSize > 0 && answer->pointSize < request.minSize;
    const bool tooBig = request.maxSize > 0 && answer->pointSize > request.maxSize;
    if (answer->face.empty() || answer->pointSize <= 0 || tooSmall || tooBig) {
      const int least = request.minSize > 0 ? request.minSize : 1;
      const String text = answer->face.empty() ? String("Выберите шрифт.")
                          : request.maxSize > 0
                              ? Format("Размер шрифта должен быть от %d до %d пунктов.", least, request.maxSize)
                              : Format("Размер шрифта должен быть не меньше %d пунктов.", least);
      const WideString t = win::Utf8ToWide(text);
      win::MessageBoxW(request.owner, t.c_str(), u"Шрифт", win::MB_OK | win::MB_ICONWARNING);
      // Shown again with the choice made, the size put back when it was none.
      const int previousSize = request.font.pointSize;
      request.font = *answer;
      if (request.font.pointSize <= 0) request.font.pointSize = previousSize;
      continue;
    }
    FFont->SetName(win::WideToUtf8(answer->face));
    FFont->SetSize(answer->pointSize);
    TFontStyles chosen;
    if (answer->bold) chosen.Include(fsBold);
    if (answer->italic) chosen.Include(fsItalic);
    const bool effects = request.effects;
    if (effects ? answer->underline : style.Contains(fsUnderline)) chosen.Include(fsUnderline);
    if (effects ? answer->strikeOut : style.Contains(fsStrikeOut)) chosen.Include(fsStrikeOut);
    FFont->SetStyle(chosen);
    if (effects) FFont->SetColor(TColor(answer->color & 0xFFFFFF));
    FFont->SetCharset(TFontCharset(answer->charset));
    return true;
  }
}

}  // namespace fw
