#include "export/GIFImageMaps.h"

#include <algorithm>
#include <numeric>

#include "export/GIFImage.h"
#include "export/GIFImageException.h"
#include "export/GIFImageExtensions.h"
#include "export/GIFImageFrame.h"
#include "export/GIFImageItems.h"
#include "framework/Streams.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiPaintObjects.h"

namespace kvexport {

void TGIFColorMap::Assign(fw::TPersistent* Source) {
  if (auto* map = dynamic_cast<TGIFColorMap*>(Source)) {
    if (map == this) return;
    FColors = map->FColors;
    FCount = map->FCount;
    FSorted = map->FSorted;
    Changed();
    return;
  }
  fw::TPersistent::Assign(Source);
}

int TGIFColorMap::BitsPerPixel() const {
  if (FCount == 0) return 0;
  int bits = 1;
  while ((1 << bits) < FCount) ++bits;
  return bits;
}

int TGIFColorMap::CheckedIndex(int Index) {
  if (Index >= 0 && Index < FCount) return Index;
  Warning("Invalid color index");
  if (FCount == 0) throw GIFException("Color table is empty");
  return 0;
}

fw::TColor TGIFColorMap::Colors(int Index) {
  return GIFColorToTColor(FColors[static_cast<std::size_t>(CheckedIndex(Index))]);
}

void TGIFColorMap::SetColors(int Index, fw::TColor Value) {
  FColors[static_cast<std::size_t>(CheckedIndex(Index))] = TColorToGIFColor(Value);
  Changed();
}

int TGIFColorMap::Add(fw::TColor Color) {
  if (FCount >= MaxColors) throw GIFException("Color table overflow");
  FColors[static_cast<std::size_t>(FCount)] = TColorToGIFColor(Color);
  FSorted = false;
  Changed();
  return FCount++;
}

int TGIFColorMap::AddUnique(fw::TColor Color) {
  const int i = IndexOf(Color);
  return i >= 0 ? i : Add(Color);
}

int TGIFColorMap::IndexOf(fw::TColor Color) const {
  const TGIFColor c = TColorToGIFColor(Color);
  if (FSorted) {
    for (int i = 0; i < FCount; ++i)
      if (FColors[static_cast<std::size_t>(i)] == c) return i;
  } else {
    for (int i = FCount - 1; i >= 0; --i)
      if (FColors[static_cast<std::size_t>(i)] == c) return i;
  }
  return -1;
}

void TGIFColorMap::Delete(int Index) {
  if (Index < 0 || Index >= FCount) throw GIFException("Invalid color index");
  std::copy(FColors.begin() + Index + 1, FColors.begin() + FCount, FColors.begin() + Index);
  --FCount;
  FSorted = false;
  Changed();
}

void TGIFColorMap::Clear() {
  FCount = 0;
  FSorted = false;
  Changed();
}

void TGIFColorMap::ImportPalette(const TGIFPalette& Palette) {
  FCount = static_cast<int>(std::min<std::size_t>(Palette.size(), MaxColors));
  for (int i = 0; i < FCount; ++i) {
    const auto& e = Palette[static_cast<std::size_t>(i)];
    FColors[static_cast<std::size_t>(i)] = TGIFColor{e.peRed, e.peGreen, e.peBlue};
  }
  FSorted = false;
  Changed();
}

void TGIFColorMap::ImportColorTable(const win::RGBQUAD* Table, int Count) {
  FCount = std::clamp(Count, 0, MaxColors);
  for (int i = 0; i < FCount; ++i)
    FColors[static_cast<std::size_t>(i)] = TGIFColor{Table[i].rgbRed, Table[i].rgbGreen, Table[i].rgbBlue};
  FSorted = false;
  Changed();
}

void TGIFColorMap::ImportDIBColors(win::HDC DC) {
  auto bitmap = static_cast<win::HBITMAP>(win::GetCurrentObject(DC, win::OBJ_BITMAP));
  win::BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(win::BITMAPINFOHEADER);
  int count = 0;
  if (bitmap && win::GetDIBits(DC, bitmap, 0, 0, nullptr, &info, win::DIB_RGB_COLORS) != 0 &&
      info.bmiHeader.biBitCount <= 8) {
    count = info.bmiHeader.biClrUsed != 0 ? static_cast<int>(info.bmiHeader.biClrUsed)
                                          : 1 << info.bmiHeader.biBitCount;
  }
  ImportColorTable(info.bmiColors, std::min(count, MaxColors));
}

TGIFPalette TGIFColorMap::ExportPalette() const {
  TGIFPalette palette;
  palette.reserve(static_cast<std::size_t>(FCount));
  for (int i = 0; i < FCount; ++i) {
    const auto& c = FColors[static_cast<std::size_t>(i)];
    palette.push_back(win::PALETTEENTRY{c.Red, c.Green, c.Blue, PC_NOCOLLAPSE});
  }
  return palette;
}

void TGIFColorMap::SaveToStream(fw::TStream* Stream) const {
  if (FCount == 0) return;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(3) << BitsPerPixel(), 0);
  for (int i = 0; i < FCount; ++i) {
    const auto& c = FColors[static_cast<std::size_t>(i)];
    bytes[static_cast<std::size_t>(i) * 3] = c.Red;
    bytes[static_cast<std::size_t>(i) * 3 + 1] = c.Green;
    bytes[static_cast<std::size_t>(i) * 3 + 2] = c.Blue;
  }
  Stream->WriteBuffer(bytes.data(), static_cast<fw::Integer>(bytes.size()));
}

void TGIFColorMap::LoadFromStream(fw::TStream* Stream, int Count) {
  std::uint8_t bytes[MaxColors * 3];
  const int n = std::clamp(Count, 0, MaxColors);
  if (Stream->Read(bytes, n * 3) != n * 3) throw GIFException("Premature end of data");
  for (int i = 0; i < n; ++i)
    FColors[static_cast<std::size_t>(i)] = TGIFColor{bytes[i * 3], bytes[i * 3 + 1], bytes[i * 3 + 2]};
  FCount = n;
  FSorted = false;
  Changed();
}

bool TGIFColorMap::Optimize() {
  if (FCount < 2) return false;
  std::vector<int> histogram(static_cast<std::size_t>(FCount), 0);
  BuildHistogram(histogram);
  std::vector<int> order(static_cast<std::size_t>(FCount));
  std::iota(order.begin(), order.end(), 0);
  // Stable, so that equally used colours keep their order and an optimised map stays as it is.
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return histogram[static_cast<std::size_t>(a)] > histogram[static_cast<std::size_t>(b)];
  });
  bool unchanged = true;
  for (int i = 0; i < FCount; ++i)
    if (order[static_cast<std::size_t>(i)] != i) unchanged = false;
  if (unchanged) return true;

  std::vector<int> map(static_cast<std::size_t>(FCount));
  for (int i = 0; i < FCount; ++i) map[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])] = i;
  MapImages(map);
  const auto old = FColors;
  int used = FCount;
  for (int i = 0; i < FCount; ++i) {
    const int from = order[static_cast<std::size_t>(i)];
    FColors[static_cast<std::size_t>(i)] = old[static_cast<std::size_t>(from)];
    if (histogram[static_cast<std::size_t>(from)] == 0 && used == FCount) used = i;
  }
  FCount = used;
  FSorted = true;
  Changed();
  return true;
}

namespace {

void CountPixels(const TGIFSubImage& Frame, std::vector<int>& Histogram) {
  const std::size_t n = Histogram.size();
  for (std::uint8_t p : Frame.Data())
    if (p < n) ++Histogram[p];
}

void RemapFrame(TGIFSubImage& Frame, const std::vector<int>& Map) {
  const std::size_t n = Map.size();
  for (std::uint8_t& p : Frame.Data())
    if (p < n) p = static_cast<std::uint8_t>(Map[p]);
  if (auto* gce = Frame.GraphicControlExtension()) {
    const auto index = static_cast<std::size_t>(gce->TransparentColorIndex());
    if (index < n) gce->SetTransparentColorIndexRaw(Map[index]);
  }
  Frame.DropCaches();
}

}  // namespace

void TGIFGlobalColorMap::Warning(const std::string& Message) {
  if (FImage) FImage->Warning(this, 1, Message);
}

int TGIFGlobalColorMap::BuildHistogram(std::vector<int>& Histogram) {
  if (!FImage) return 0;
  for (int i = 0; i < FImage->Images().Count(); ++i) {
    TGIFSubImage* frame = FImage->Images()[i];
    if (&frame->ActiveColorMap() == this) CountPixels(*frame, Histogram);
  }
  return static_cast<int>(Histogram.size());
}

void TGIFGlobalColorMap::MapImages(const std::vector<int>& Map) {
  if (!FImage) return;
  for (int i = 0; i < FImage->Images().Count(); ++i) {
    TGIFSubImage* frame = FImage->Images()[i];
    if (&frame->ActiveColorMap() == this) RemapFrame(*frame, Map);
  }
}

void TGIFGlobalColorMap::Changed() {
  if (FImage) FImage->PaletteChanged();
}

void TGIFLocalColorMap::Warning(const std::string& Message) {
  if (FSubImage) FSubImage->Warning(Message);
}

int TGIFLocalColorMap::BuildHistogram(std::vector<int>& Histogram) {
  if (FSubImage) CountPixels(*FSubImage, Histogram);
  return static_cast<int>(Histogram.size());
}

void TGIFLocalColorMap::MapImages(const std::vector<int>& Map) {
  if (FSubImage) RemapFrame(*FSubImage, Map);
}

void TGIFLocalColorMap::Changed() {
  if (FSubImage) FSubImage->ColorMapChanged();
}

}  // namespace kvexport
