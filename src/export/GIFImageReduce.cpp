// Palettes, colour lookups, bitmap row access and the colour reduction driver.

#include "export/GIFImageReduce.h"

#include <algorithm>
#include <cstdlib>

#include "export/GIFImageException.h"
#include "framework/GraphicsBitmap.h"
#include "platform/gdi/GdiBitmaps.h"

namespace kvexport {

namespace {

win::PALETTEENTRY Entry(int r, int g, int b, win::BYTE flags) {
  return win::PALETTEENTRY{static_cast<win::BYTE>(r), static_cast<win::BYTE>(g), static_cast<win::BYTE>(b), flags};
}

// The static colours of the default system palette: 10 at the start, 10 at the end.
constexpr int kStaticColors[20][3] = {
    {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

}  // namespace

// --- Palettes -----------------------------------------------------------------------------------

TGIFPalette WebPalette() {
  TGIFPalette p;
  p.reserve(216);
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) p.push_back(Entry(r * 51, g * 51, b * 51, 0));
  return p;
}

TGIFPalette BitmapPalette(fw::TBitmap& Bitmap) {
  TGIFPalette p;
  for (const win::RGBQUAD& q : Bitmap.ColorTable())
    p.push_back(Entry(q.rgbRed, q.rgbGreen, q.rgbBlue, PC_NOCOLLAPSE));
  return p;
}

TGIFPalette GrayScalePalette() {
  TGIFPalette p;
  p.reserve(256);
  for (int i = 0; i < 256; ++i) p.push_back(Entry(i, i, i, PC_NOCOLLAPSE));
  return p;
}

TGIFPalette WindowsGrayPalette() {
  TGIFPalette p;
  for (int v : {0, 128, 192, 255}) p.push_back(Entry(v, v, v, PC_NOCOLLAPSE));
  return p;
}

TGIFPalette MonochromePalette() { return {Entry(0, 0, 0, PC_NOCOLLAPSE), Entry(255, 255, 255, PC_NOCOLLAPSE)}; }

TGIFPalette DefaultPalette20() {
  TGIFPalette p;
  for (const auto& c : kStaticColors) p.push_back(Entry(c[0], c[1], c[2], 0));
  return p;
}

TGIFPalette HalftonePalette() {
  TGIFPalette p;
  p.reserve(256);
  for (int i = 0; i < 10; ++i) p.push_back(Entry(kStaticColors[i][0], kStaticColors[i][1], kStaticColors[i][2], 0));
  const TGIFPalette web = WebPalette();
  p.insert(p.end(), web.begin(), web.end());
  // Greys between the cube's levels.
  for (int i = 1; i <= 20; ++i) {
    const int v = i * 255 / 21;
    p.push_back(Entry(v, v, v, 0));
  }
  for (int i = 10; i < 20; ++i) p.push_back(Entry(kStaticColors[i][0], kStaticColors[i][1], kStaticColors[i][2], 0));
  return p;
}

TGIFPalette OptimalPalette(const std::uint8_t* const* Rows, int Width, int Height, int ColorCount, int ColorBits,
                           bool Windows) {
  ColorCount = std::clamp(ColorCount, Windows ? 21 : 1, 256);
  const int quantised = Windows ? ColorCount - 20 : ColorCount;
  TColorQuantizer quantizer(quantised, ColorBits);
  quantizer.ProcessImage(Rows, Width, Height);
  const std::vector<TGIFColor> colors = quantizer.ColorTable();
  TGIFPalette p(static_cast<std::size_t>(Windows ? 256 : ColorCount), Entry(0, 0, 0, 0));
  const std::size_t first = Windows ? 10 : 0;
  for (std::size_t i = 0; i < colors.size() && i < static_cast<std::size_t>(quantised); ++i)
    p[first + i] = Entry(colors[i].Red, colors[i].Green, colors[i].Blue, 0);
  if (Windows) {
    for (int i = 0; i < 10; ++i) {
      p[static_cast<std::size_t>(i)] = Entry(kStaticColors[i][0], kStaticColors[i][1], kStaticColors[i][2], 0);
      p[static_cast<std::size_t>(246 + i)] =
          Entry(kStaticColors[10 + i][0], kStaticColors[10 + i][1], kStaticColors[10 + i][2], 0);
    }
  }
  return p;
}

// --- Lookups ------------------------------------------------------------------------------------

TFastColorLookup::TFastColorLookup(const TGIFPalette& Palette)
    : TColorLookup(static_cast<int>(std::min<std::size_t>(Palette.size(), 256))),
      FPalette(Palette.begin(), Palette.begin() + FColors),
      FCells(32768),
      FRecent(kRecent, 0) {}

const TFastColorLookup::TCell& TFastColorLookup::ListCell(int CellKey) {
  TCell& cell = FCells[static_cast<std::size_t>(CellKey)];
  if (cell.Count != 0) return cell;
  const int lo[3] = {(CellKey & 31) << 3, ((CellKey >> 5) & 31) << 3, ((CellKey >> 10) & 31) << 3};
  // Per entry: the squared distance to the nearest and to the farthest colour of the cell.
  int nearest[256], bound = 0x30000;
  for (int i = 0; i < FColors; ++i) {
    const auto& e = FPalette[static_cast<std::size_t>(i)];
    const int v[3] = {e.peRed, e.peGreen, e.peBlue};
    int low = 0, high = 0;
    for (int c = 0; c < 3; ++c) {
      const int below = lo[c] - v[c], above = v[c] - (lo[c] + 7);
      const int near = std::max({below, above, 0});
      const int far = std::max(std::abs(v[c] - lo[c]), std::abs(v[c] - lo[c] - 7));
      low += near * near;
      high += far * far;
    }
    nearest[i] = low;
    bound = std::min(bound, high);
  }
  // No colour of the cell is farther than bound from its nearest entry: an entry farther than
  // bound from the whole cell is never the answer, nor a tie.
  cell.First = static_cast<std::uint32_t>(FCandidates.size());
  for (int i = 0; i < FColors; ++i)
    if (nearest[i] <= bound) FCandidates.push_back(static_cast<std::uint8_t>(i));
  cell.Count = static_cast<std::uint16_t>(FCandidates.size() - cell.First);
  return cell;
}

int TFastColorLookup::Lookup(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R,
                             std::uint8_t& G, std::uint8_t& B) {
  if (FColors == 0) {
    R = G = B = 0;
    return 0;
  }
  // Most colours come again soon (runs, a dither's few neighbours): their answers are kept.
  const std::uint32_t rgb = std::uint32_t(Red) << 16 | std::uint32_t(Green) << 8 | Blue;
  std::uint64_t& recent = FRecent[(rgb * 0x9E3779B1u) >> (32 - kRecentBits)];
  if ((recent >> 8) == std::uint64_t(rgb) + 1) {
    const auto& e = FPalette[recent & 0xFF];
    R = e.peRed;
    G = e.peGreen;
    B = e.peBlue;
    return static_cast<int>(recent & 0xFF);
  }
  const TCell& cell = ListCell(Key(Red, Green, Blue));
  const std::uint8_t* candidate = FCandidates.data() + cell.First;
  int best = 0x30000, bestIndex = 0;
  for (int k = 0; k < cell.Count; ++k) {
    const auto& e = FPalette[candidate[k]];
    const int dr = e.peRed - Red, dg = e.peGreen - Green, db = e.peBlue - Blue;
    const int d = dr * dr + dg * dg + db * db;
    if (d < best) {  // candidates in index order: the lowest index wins ties
      best = d;
      bestIndex = candidate[k];
    }
  }
  recent = (std::uint64_t(rgb) + 1) << 8 | static_cast<std::uint64_t>(bestIndex);
  const auto& e = FPalette[static_cast<std::size_t>(bestIndex)];
  R = e.peRed;
  G = e.peGreen;
  B = e.peBlue;
  return bestIndex;
}

namespace {

// (c + 3) div 51 for every channel value.
struct TWebLevels {
  std::uint8_t Level[256];
  constexpr TWebLevels() : Level() {
    for (int c = 0; c < 256; ++c) Level[c] = static_cast<std::uint8_t>((c + 3) / 51);
  }
};
constexpr TWebLevels kWebLevels;

}  // namespace

int TNetscapeColorLookup::Lookup(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R,
                                 std::uint8_t& G, std::uint8_t& B) {
  const int r = kWebLevels.Level[Red], g = kWebLevels.Level[Green], b = kWebLevels.Level[Blue];
  R = static_cast<std::uint8_t>(r * 51);
  G = static_cast<std::uint8_t>(g * 51);
  B = static_cast<std::uint8_t>(b * 51);
  return r * 36 + g * 6 + b;
}

int TGrayScaleLookup::Lookup(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R,
                             std::uint8_t& G, std::uint8_t& B) {
  const int y = (77 * Red + 150 * Green + 29 * Blue) >> 8;
  R = G = B = static_cast<std::uint8_t>(y);
  return y;
}

int TMonochromeLookup::Lookup(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R,
                              std::uint8_t& G, std::uint8_t& B) {
  const int s = 77 * Red + 150 * Green + 29 * Blue;
  const bool white = s > 32512;
  R = G = B = white ? 255 : 0;
  return white ? 1 : 0;
}

// --- Bitmap rows --------------------------------------------------------------------------------

TDIBWriter::TDIBWriter(fw::TBitmap& Bitmap, const TGIFPalette& Palette, int AHeight, int AWidth,
                       fw::TPixelFormat Format)
    : FBitmap(Bitmap), FWidth(AWidth), FHeight(AHeight) {
  if (Format != fw::pf8bit && Format != fw::pf24bit) throw GIFException("Unsupported PixelFormat");
  if (AWidth <= 0 || AHeight <= 0) throw GIFException("Invalid image dimensions");
  // The section is made directly: every pixel is written anyway, so nothing is filled first.
  win::BITMAPINFO info{};
  info.bmiHeader.biWidth = AWidth;
  info.bmiHeader.biHeight = -AHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = Format == fw::pf8bit ? 8 : 24;
  if (Format == fw::pf8bit) {
    for (std::size_t i = 0; i < Palette.size() && i < 256; ++i)
      info.bmiColors[i] = win::RGBQUAD{Palette[i].peBlue, Palette[i].peGreen, Palette[i].peRed, 0};
    info.bmiHeader.biClrUsed = 256;
    info.bmiHeader.biClrImportant = static_cast<win::DWORD>(std::min<std::size_t>(Palette.size(), 256));
  }
  void* bits = nullptr;
  win::HBITMAP section = win::CreateDIBSection(nullptr, &info, win::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section) throw GIFException("Failed to allocate memory for GIF DIB");
  FBitmap.SetHandle(section);
}

std::uint8_t* TDIBWriter::Scanline(int Row) { return static_cast<std::uint8_t*>(FBitmap.ScanLine(Row)); }

TDIBReader::TDIBReader(fw::TBitmap& Source) : FWidth(Source.Width()), FHeight(Source.Height()) {
  fw::TBitmap* bitmap = &Source;
  if (Source.PixelFormat() != fw::pf24bit) {
    FCopy = std::make_unique<fw::TBitmap>();
    FCopy->Assign(&Source);
    FCopy->SetPixelFormat(fw::pf24bit);
    bitmap = FCopy.get();
  }
  FRows.resize(static_cast<std::size_t>(std::max(FHeight, 0)));
  for (int y = 0; y < FHeight; ++y)
    FRows[static_cast<std::size_t>(y)] = static_cast<const std::uint8_t*>(bitmap->ScanLine(y));
}

// --- Reduction ----------------------------------------------------------------------------------

std::unique_ptr<fw::TBitmap> ReduceColors(fw::TBitmap& Source, TColorReduction Reduction, TDitherMode Mode,
                                          int ReductionBits, const TGIFPalette* CustomPalette) {
  auto result = std::make_unique<fw::TBitmap>();
  if (Reduction == TColorReduction::None) {
    result->Assign(&Source);
    result->SetPixelFormat(fw::pf24bit);
    return result;
  }
  TDIBReader reader(Source);
  const int width = reader.Width(), height = reader.Height();
  TGIFPalette palette;
  std::unique_ptr<TColorLookup> lookup;
  switch (Reduction) {
    case TColorReduction::Windows20: palette = DefaultPalette20(); break;
    case TColorReduction::Windows256: palette = HalftonePalette(); break;
    case TColorReduction::WindowsGray: palette = WindowsGrayPalette(); break;
    case TColorReduction::Monochrome:
      palette = MonochromePalette();
      lookup = std::make_unique<TMonochromeLookup>();
      break;
    case TColorReduction::GrayScale:
      palette = GrayScalePalette();
      lookup = std::make_unique<TGrayScaleLookup>();
      break;
    case TColorReduction::Netscape:
      palette = WebPalette();
      lookup = std::make_unique<TNetscapeColorLookup>();
      break;
    case TColorReduction::Quantize:
      palette = OptimalPalette(reader.Rows(), width, height, 1 << std::clamp(ReductionBits, 1, 8), 8, false);
      break;
    case TColorReduction::QuantizeWindows:
      palette = OptimalPalette(reader.Rows(), width, height, 256, 8, true);
      break;
    case TColorReduction::Palette:
      if (CustomPalette) palette = *CustomPalette;
      break;
    default: return result;
  }
  if (!lookup) lookup = std::make_unique<TFastColorLookup>(palette);
  if (lookup->Colors() == 0) return result;
  std::unique_ptr<TDitherEngine> ditherer = MakeDitherer(Mode, width, *lookup);
  if (!ditherer) return result;
  TDIBWriter writer(*result, palette, height, width, fw::pf8bit);
  for (int y = 0; y < height; ++y) {
    ditherer->DitherRow(reader.Scanline(y), writer.Scanline(y));
    ditherer->NextLine();
  }
  return result;
}

}  // namespace kvexport
