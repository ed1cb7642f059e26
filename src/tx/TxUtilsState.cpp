// The process-wide state of the drawing utilities and its start and end.

#include "tx/TxUtilsState.h"

#include "framework/GraphicsCanvas.h"
#include "platform/kernel/Modules.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/services/SysParams.h"
#include "tx/TxUtils.h"
#include "tx/detail/TxFillData.h"

namespace tx {

TUpdateLayeredWindowProc UpdateLayeredWindowProc = nullptr;
TAlphaBlendProc AlphaBlendProc = nullptr;
TGradientFillProc GradientFillProc = nullptr;

fw::TBitmap* WorkBitmap1 = nullptr;
fw::TBitmap* WorkBitmap2 = nullptr;
fw::TBitmap* MonoWorkBitmap = nullptr;
fw::TBitmap* NearestColorBitmap = nullptr;
fw::TFont* SmallCaptionFont = nullptr;

namespace {

int gStartCount = 0;
win::HMODULE gUser32 = nullptr;
win::HMODULE gMsimg32 = nullptr;

template <typename T>
void Free(T*& p) {
  delete p;
  p = nullptr;
}

void FreeObjects() {
  Free(WorkBitmap1);
  Free(WorkBitmap2);
  Free(MonoWorkBitmap);
  Free(SmallCaptionFont);
}

void FreeLibraries() {
  if (gUser32) win::FreeLibrary(gUser32);
  if (gMsimg32) win::FreeLibrary(gMsimg32);
  gUser32 = gMsimg32 = nullptr;
  UpdateLayeredWindowProc = nullptr;
  AlphaBlendProc = nullptr;
  GradientFillProc = nullptr;
}

}  // namespace

void BindOptionalFunctions() {
  FreeLibraries();
  gUser32 = win::LoadLibraryW(u"user32.dll");
  gMsimg32 = win::LoadLibraryW(u"msimg32.dll");
  if (gUser32)
    UpdateLayeredWindowProc =
        reinterpret_cast<TUpdateLayeredWindowProc>(win::GetProcAddress(gUser32, "UpdateLayeredWindow"));
  if (gMsimg32) {
    AlphaBlendProc = reinterpret_cast<TAlphaBlendProc>(win::GetProcAddress(gMsimg32, "AlphaBlend"));
    GradientFillProc = reinterpret_cast<TGradientFillProc>(win::GetProcAddress(gMsimg32, "GradientFill"));
  }
}

void RecreateTxUtilsObjects() {
  FreeObjects();
  WorkBitmap1 = new fw::TBitmap();
  WorkBitmap1->SetPixelFormat(fw::pf24bit);
  WorkBitmap2 = new fw::TBitmap();
  WorkBitmap2->SetPixelFormat(fw::pf24bit);
  MonoWorkBitmap = new fw::TBitmap();
  MonoWorkBitmap->SetMonochrome(true);
  SmallCaptionFont = new fw::TFont();
  win::NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (win::SystemParametersInfoW(win::SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    const win::LOGFONTW& lf = metrics.lfSmCaptionFont;
    SmallCaptionFont->SetName(win::WideToUtf8(std::u16string_view(lf.lfFaceName)));
    SmallCaptionFont->SetHeight(lf.lfHeight);
    fw::TFontStyles style;
    if (lf.lfWeight >= win::FW_BOLD) style.Include(fw::fsBold);
    if (lf.lfItalic) style.Include(fw::fsItalic);
    SmallCaptionFont->SetStyle(style);
  }
}

void InitTxUtils() {
  if (gStartCount++ > 0) return;
  BindOptionalFunctions();
  RecreateTxUtilsObjects();
  NearestColorBitmap = new fw::TBitmap();
  NearestColorBitmap->SetSize(8, 8);
  // The brushed texture's profiles are made by the first brushed fill, not at start.
  ClearBrushedCache();
}

void DoneTxUtils() {
  if (gStartCount <= 0 || --gStartCount > 0) return;
  detail::FreeFillData();
  FreeObjects();
  Free(NearestColorBitmap);
  FreeLibraries();
}

}  // namespace tx
