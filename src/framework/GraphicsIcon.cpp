#include "framework/GraphicsIcon.h"

#include <cstring>

#include "framework/GraphicsBitmapFormat.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/IconFormat.h"
#include "framework/Streams.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/kernel/Resources.h"
#include "platform/kernel/TextConvert.h"

namespace fw {
namespace {

// A 32 bpp DIB of the image's size whose bits are filled by `fill(row pointer, y)`.
template <typename Fill>
win::HBITMAP MakeDib(const icons::Image& image, TPixelFormat format, Fill fill) {
  win::HBITMAP h = bitmaps::Create(format, format == pf1bit, bmDIB, image.width, image.height, {});
  if (!h) return nullptr;
  win::DIBSECTION ds;
  if (win::GetObjectW(h, sizeof ds, &ds) != int(sizeof ds) || !ds.dsBm.bmBits) {
    win::DeleteObject(h);
    return nullptr;
  }
  for (int y = 0; y < image.height; ++y)
    fill(static_cast<uint8_t*>(ds.dsBm.bmBits) + size_t(y) * size_t(ds.dsBm.bmWidthBytes), y);
  return h;
}

void PutBgra(uint8_t* dst, uint32_t argb, unsigned alpha, bool premultiply) {
  const uint8_t c[3] = {uint8_t(argb), uint8_t(argb >> 8), uint8_t(argb >> 16)};
  for (int i = 0; i < 3; ++i) dst[i] = premultiply ? uint8_t((c[i] * alpha + 127) / 255) : c[i];
  dst[3] = uint8_t(alpha);
}

}  // namespace

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

Integer TIcon::Width() const { return FImage ? FImage->width : 0; }
Integer TIcon::Height() const { return FImage ? FImage->height : 0; }
win::HICON TIcon::Handle() const { return FImage ? FImage->id : nullptr; }
bool TIcon::HasAlpha() const { return FImage && FImage->alpha; }

void TIcon::SetWidth(Integer) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }
void TIcon::SetHeight(Integer) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }

void TIcon::Install(std::shared_ptr<const icons::Image> Image) {
  FImage = std::move(Image);
  Changed(this);
}

void TIcon::Assign(TPersistent* Source) {
  if (!Source) {
    Install(nullptr);
    return;
  }
  if (auto* icon = dynamic_cast<TIcon*>(Source)) {
    if (icon != this) Install(icon->FImage);
    return;
  }
  TGraphic::Assign(Source);
}

void TIcon::SetImage(Integer AWidth, Integer AHeight, const std::vector<uint32_t>& Pixels, bool Alpha,
                     const std::vector<uint8_t>& Mask) {
  if (AWidth <= 0 || AHeight <= 0 || AWidth > icons::kMaxSide || AHeight > icons::kMaxSide)
    throw EInvalidGraphic("Icon image is not valid");
  const size_t count = size_t(AWidth) * size_t(AHeight);
  if (Pixels.size() != count || (!Alpha && !Mask.empty() && Mask.size() != count))
    throw EInvalidGraphic("Icon image is not valid");
  auto image = std::make_shared<icons::Image>();
  image->width = AWidth;
  image->height = AHeight;
  image->alpha = Alpha;
  image->pixels = Pixels;
  image->mask.assign(count, 0);
  if (!Alpha) {
    for (uint32_t& px : image->pixels) px &= 0xFFFFFF;
    for (size_t i = 0; i < Mask.size(); ++i) image->mask[i] = Mask[i] != 0;
    // What lies under a see-through pixel never shows; it is kept as the file keeps it, black.
    for (size_t i = 0; i < count; ++i)
      if (image->mask[i]) image->pixels[i] = 0;
  }
  image->id = icons::NewId();
  Install(std::move(image));
}

std::vector<uint32_t> TIcon::Pixels() const { return FImage ? FImage->pixels : std::vector<uint32_t>{}; }
std::vector<uint8_t> TIcon::Mask() const { return FImage ? FImage->mask : std::vector<uint8_t>{}; }

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!ACanvas || !FImage) return;
  const icons::Image& image = *FImage;
  win::HDC dest = ACanvas->Handle();
  if (image.alpha) {
    win::HBITMAP blend = MakeDib(image, pf32bit, [&](uint8_t* row, int y) {
      for (int x = 0; x < image.width; ++x) {
        const uint32_t px = image.pixels[size_t(y) * size_t(image.width) + size_t(x)];
        PutBgra(row + size_t(x) * 4, px, px >> 24, true);
      }
    });
    if (!blend) return;
    {
      bitmaps::MemoryDC src(blend);
      win::BLENDFUNCTION bf;
      bf.AlphaFormat = win::AC_SRC_ALPHA;
      win::AlphaBlend(dest, Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top, src.Handle(), 0,
                      0, image.width, image.height, bf);
    }
    win::DeleteObject(blend);
    return;
  }
  win::HBITMAP colour = MakeDib(image, pf32bit, [&](uint8_t* row, int y) {
    for (int x = 0; x < image.width; ++x)
      PutBgra(row + size_t(x) * 4, image.pixels[size_t(y) * size_t(image.width) + size_t(x)], 0, false);
  });
  // White mask bits are see-through.
  win::HBITMAP mask = MakeDib(image, pf1bit, [&](uint8_t* row, int y) {
    for (int x = 0; x < image.width; ++x)
      if (image.mask[size_t(y) * size_t(image.width) + size_t(x)]) row[x >> 3] |= uint8_t(0x80 >> (x & 7));
  });
  if (colour && mask) {
    bitmaps::MemoryDC src(colour);
    bitmaps::TransparentStretch(dest, Rect, src.Handle(), image.width, image.height, mask);
  }
  if (colour) win::DeleteObject(colour);
  if (mask) win::DeleteObject(mask);
}

void TIcon::LoadFromStream(TStream* Stream) {
  constexpr size_t kHeader = 6, kEntry = 16;
  std::vector<uint8_t> data(kHeader);
  const Integer got = Stream->Read(data.data(), Integer(kHeader));
  if (got == 0) {
    Install(nullptr);
    return;
  }
  if (got != Integer(kHeader)) throw EInvalidGraphic("Icon image is not valid");
  const size_t count = size_t(data[4]) | (size_t(data[5]) << 8);
  data.resize(kHeader + count * kEntry);
  const Integer dir = Stream->Read(data.data() + kHeader, Integer(count * kEntry));
  const size_t length = icons::DataLength(data.data(), kHeader + size_t(std::max(dir, 0)));
  if (length == 0) throw EInvalidGraphic("Icon image is not valid");
  // Only what the directory says the file takes is read; a claim larger than the stream fails below.
  const Int64 available = Stream->Size() - Stream->Position();
  if (available < 0 || Int64(length - data.size()) > available) throw EInvalidGraphic("Icon image is not valid");
  const size_t have = data.size();
  data.resize(length);
  const Integer rest = Stream->Read(data.data() + have, Integer(length - have));
  data.resize(have + size_t(std::max(rest, 0)));
  auto image = std::make_shared<icons::Image>();
  std::string error;
  if (!icons::Decode(data.data(), data.size(), *image, error)) throw EInvalidGraphic(error);
  image->id = icons::NewId();
  Install(std::move(image));
}

void TIcon::SaveToStream(TStream* Stream) {
  if (!FImage) return;
  const std::vector<uint8_t> data = icons::Encode(*FImage);
  Stream->WriteBuffer(data.data(), Integer(data.size()));
}

void TIcon::LoadFromResourceName(win::HINSTANCE Instance, const String& ResName) {
  const std::u16string name = win::Utf8ToWide(ResName);
  TResourceStream stream(Instance, name.c_str(), win::RT_RCDATA);
  LoadFromStream(&stream);
}

}  // namespace fw
