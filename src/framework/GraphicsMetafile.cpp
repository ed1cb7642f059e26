// TMetafile and TMetafileCanvas over the drawing layer's enhanced metafiles.

#include "framework/GraphicsMetafile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Metafile.h"
#include "platform/kernel/LastError.h"

namespace fw {

namespace {

// Screen pixels per inch, the scale between Width/Height and MMWidth/MMHeight.
Integer ScreenDpi(bool horizontal) {
  win::HDC dc = win::CreateCompatibleDC(nullptr);
  const int dpi = win::GetDeviceCaps(dc, horizontal ? win::LOGPIXELSX : win::LOGPIXELSY);
  win::DeleteDC(dc);
  return dpi > 0 ? dpi : 96;
}

Integer PixelsToMM(Integer px, bool horizontal) {
  return Integer(std::llround(double(px) * 2540.0 / ScreenDpi(horizontal)));
}
Integer MMToPixels(Integer mm, bool horizontal) {
  return Integer(std::llround(double(mm) * ScreenDpi(horizontal) / 2540.0));
}

}  // namespace

TMetafile::TMetafile() = default;

TMetafile::~TMetafile() {
  if (FHandle) win::DeleteEnhMetaFile(FHandle);
}

void TMetafile::Install(win::HENHMETAFILE Value) {
  if (FHandle && FHandle != Value) win::DeleteEnhMetaFile(FHandle);
  FHandle = Value;
  if (Value) {
    win::ENHMETAHEADER h;
    if (win::GetEnhMetaFileHeader(Value, sizeof h, &h) >= 88) {
      FMMWidth = Integer(int64_t(h.rclFrame.right) - h.rclFrame.left + 1);
      FMMHeight = Integer(int64_t(h.rclFrame.bottom) - h.rclFrame.top + 1);
      if (FMMWidth < 0) FMMWidth = 0;
      if (FMMHeight < 0) FMMHeight = 0;
    }
  }
}

void TMetafile::SetHandle(win::HENHMETAFILE Value) {
  if (Value && !win::IsEnhMetaFile(Value)) throw EInvalidGraphic("Metafile is not valid");
  Install(Value);
  Changed(this);
}

win::HENHMETAFILE TMetafile::ReleaseHandle() {
  win::HENHMETAFILE h = FHandle;
  FHandle = nullptr;
  Changed(this);
  return h;
}

void TMetafile::Clear() {
  Install(nullptr);
  FMMWidth = FMMHeight = 0;
  Changed(this);
}

void TMetafile::Assign(TPersistent* Source) {
  if (!Source) {
    Clear();
    return;
  }
  auto* m = dynamic_cast<TMetafile*>(Source);
  if (!m) {
    TGraphic::Assign(Source);
    return;
  }
  if (m == this) return;
  win::HENHMETAFILE copy = m->FHandle ? win::CopyEnhMetaFileW(m->FHandle, nullptr) : nullptr;
  if (m->FHandle && !copy) throw EOutOfResources("Out of system resources");
  Install(copy);
  FMMWidth = m->FMMWidth;
  FMMHeight = m->FMMHeight;
  FEnhanced = m->FEnhanced;
  Changed(this);
}

Integer TMetafile::Width() const { return MMToPixels(FMMWidth, true); }
Integer TMetafile::Height() const { return MMToPixels(FMMHeight, false); }
void TMetafile::SetWidth(Integer Value) { SetMMWidth(PixelsToMM(Value, true)); }
void TMetafile::SetHeight(Integer Value) { SetMMHeight(PixelsToMM(Value, false)); }

void TMetafile::SetMMWidth(Integer Value) {
  if (Value == FMMWidth) return;
  FMMWidth = Value < 0 ? 0 : Value;
  Changed(this);
}

void TMetafile::SetMMHeight(Integer Value) {
  if (Value == FMMHeight) return;
  FMMHeight = Value < 0 ? 0 : Value;
  Changed(this);
}

void TMetafile::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!FHandle || !ACanvas) return;
  const win::RECT r{Rect.left, Rect.top, Rect.right, Rect.bottom};
  win::PlayEnhMetaFileEx(ACanvas->Handle(), FHandle, &r, FWidenThinPens ? win::PLAY_WIDEN_THIN_PENS : 0);
}

void TMetafile::LoadFromStream(TStream* Stream) {
  const Int64 left = Stream->Size() - Stream->Position();
  if (left <= 0 || left > (Int64(1) << 30)) throw EInvalidGraphic("Metafile is not valid");
  std::vector<uint8_t> bytes(static_cast<size_t>(left));
  Stream->ReadBuffer(bytes.data(), Integer(left));
  win::HENHMETAFILE h = win::SetEnhMetaFileBits(win::UINT(bytes.size()), bytes.data());
  if (!h) throw EInvalidGraphic("Metafile is not valid");
  Install(h);
  FEnhanced = true;
  Changed(this);
}

void TMetafile::SaveToStream(TStream* Stream) {
  if (!FHandle) throw EInvalidGraphicOperation("Cannot save an empty metafile");
  if (!FEnhanced) {
    WriteWindowsMetafile(Stream);
    return;
  }
  std::vector<uint8_t> bytes(win::GetEnhMetaFileBits(FHandle, 0, nullptr));
  win::GetEnhMetaFileBits(FHandle, win::UINT(bytes.size()), bytes.data());
  Stream->WriteBuffer(bytes.data(), Integer(bytes.size()));
}

// A placeable Windows metafile: the 22-byte header that gives the picture's box and its units
// per inch, then the 16-bit records in the picture's pixels.
void TMetafile::WriteWindowsMetafile(TStream* Stream) {
  // The placeable header and the records count in signed words: a larger picture, or a figure
  // they cannot hold, is refused rather than saved in part.
  if (Width() > MaxWindowsMetafileSide || Height() > MaxWindowsMetafileSide)
    throw EInvalidGraphicOperation(Format("A Windows metafile has at most %d units a side, not %d x %d",
                                          Int64(MaxWindowsMetafileSide), Int64(Width()), Int64(Height())));
  std::vector<uint8_t> records(win::GetWinMetaFileBits(FHandle, 0, nullptr, win::MM_ANISOTROPIC, nullptr));
  if (records.empty() && win::GetLastError() == win::ERROR_NOT_SUPPORTED)
    throw EInvalidGraphicOperation("The picture holds a figure a Windows metafile cannot hold "
                                   "(a polygon of more than 32767 points or a text of more than 32767 characters)");
  if (records.empty()) throw EOutOfResources("Out of system resources");
  win::GetWinMetaFileBits(FHandle, win::UINT(records.size()), records.data(), win::MM_ANISOTROPIC, nullptr);
  const Integer w = std::max<Integer>(Width(), 1), h = std::max<Integer>(Height(), 1);
  // Units per inch so that the box has the picture's size in millimetres.
  const Integer inch = FMMWidth > 0 ? std::clamp<Integer>(Integer(std::lround(w * 2540.0 / FMMWidth)), 1, 65535) : 96;
  uint16_t header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, uint16_t(w), uint16_t(h), uint16_t(inch), 0, 0, 0};
  for (int i = 0; i < 10; ++i) header[10] ^= header[i];
  Stream->WriteBuffer(header, sizeof header);
  Stream->WriteBuffer(records.data(), Integer(records.size()));
}

TMetafileCanvas::TMetafileCanvas(TMetafile* AMetafile, win::HDC ReferenceDevice) : FMetafile(AMetafile) {
  const bool sized = AMetafile->MMWidth() > 0 && AMetafile->MMHeight() > 0;
  const win::RECT frame{0, 0, AMetafile->MMWidth() - 1, AMetafile->MMHeight() - 1};
  win::HDC dc = win::CreateEnhMetaFileW(ReferenceDevice, nullptr, sized ? &frame : nullptr, u"Korvalin");
  if (!dc) throw EOutOfResources("Out of system resources");
  SetHandle(dc);
}

TMetafileCanvas::~TMetafileCanvas() {
  win::HDC dc = HandleAllocated() ? Handle() : nullptr;
  if (!dc) return;
  SetHandle(nullptr);  // puts the stock objects back first
  win::HENHMETAFILE h = win::CloseEnhMetaFile(dc);
  if (!h) return;
  const Integer mmWidth = FMetafile->MMWidth(), mmHeight = FMetafile->MMHeight();
  FMetafile->SetHandle(h);
  // A metafile given no size keeps the frame of what was drawn.
  if (mmWidth > 0 && mmHeight > 0) {
    FMetafile->SetMMWidth(mmWidth);
    FMetafile->SetMMHeight(mmHeight);
  }
}

}  // namespace fw
