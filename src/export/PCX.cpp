// The PCX writer. Each row is brought to one byte per pixel (palette indexes) or kept as 24-bit
// colour, split into the planes of the chosen kind, and every plane is run-length encoded on its
// own, so no run crosses the end of a plane's line. Padding bits past the last pixel are zero.

#include "export/PCX.h"

#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "export/KvPlotByteSink.h"
#include "framework/GraphicsBitmap.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"

namespace kvexport {
namespace {

const char kNoPicture[] = "Нет рисунка для записи в файл PCX";
const char kTooLarge[] = "Рисунок слишком велик для файла PCX";
const char kBadKind[] = "Вид файла PCX не подходит к глубине цвета рисунка";

constexpr int kMaxRun = 63;

struct KindLayout {
  std::uint8_t BitsPerPixel;
  std::uint8_t Planes;
};

KindLayout LayoutOf(std::uint8_t Kind) {
  switch (Kind) {
    case pcxBlackWhite:
      return {1, 1};
    case pcx16Colors:
      return {1, 4};
    case pcx256Colors:
      return {8, 1};
    default:
      return {8, 3};
  }
}

int DepthOf(fw::TPixelFormat Format) {
  switch (Format) {
    case fw::pf1bit:
      return 1;
    case fw::pf4bit:
      return 4;
    case fw::pf8bit:
      return 8;
    case fw::pf24bit:
      return 24;
    default:
      return 0;  // brought to 24 bits first
  }
}

bool KindFitsDepth(std::uint8_t Kind, int Depth) {
  switch (Kind) {
    case pcxBlackWhite:
      return Depth == 1;
    case pcx16Colors:
      return Depth <= 4;
    case pcx256Colors:
      return Depth <= 8;
    case pcxTrueColor:
      return true;
    default:
      return false;
  }
}

// 6-bit palette components (the writer's working precision) back to 8 bits.
std::uint8_t Widen(std::uint8_t C6) {
  return std::uint8_t(C6 * 255 / 63);
}

void Encode(TByteSink& Out, const std::uint8_t* Plane, std::size_t Count) {
  std::size_t i = 0;
  while (i < Count) {
    const std::uint8_t b = Plane[i];
    std::size_t run = 1;
    while (i + run < Count && run < kMaxRun && Plane[i + run] == b) ++run;
    if (run > 1 || b >= 0xC0) Out.Byte(std::uint8_t(0xC0 + run));
    Out.Byte(b);
    i += run;
  }
}

// One row of a 1, 4 or 8-bit bitmap as one byte per pixel.
void Expand(const std::uint8_t* Src, int Depth, std::size_t Width, std::uint8_t* Dst) {
  switch (Depth) {
    case 1:
      for (std::size_t x = 0; x < Width; ++x) Dst[x] = (Src[x >> 3] >> (7 - (x & 7))) & 1;
      break;
    case 4:
      for (std::size_t x = 0; x < Width; ++x) Dst[x] = (x & 1) ? Src[x >> 1] & 0x0F : Src[x >> 1] >> 4;
      break;
    default:
      std::memcpy(Dst, Src, Width);
  }
}

// Bit Bit of eight successive pixels per byte, most significant first; absent pixels give 0.
void PackBits(const std::uint8_t* Pixels, std::size_t Width, int Bit, std::uint8_t* Plane) {
  const std::size_t bytes = (Width + 7) / 8;
  std::memset(Plane, 0, bytes);
  for (std::size_t x = 0; x < Width; ++x)
    if ((Pixels[x] >> Bit) & 1) Plane[x >> 3] |= std::uint8_t(0x80 >> (x & 7));
}

}  // namespace

void WritePCX(fw::TStream& Stream, fw::TBitmap& Bitmap, std::uint8_t Kind) {
  if (Kind < pcxBlackWhite || Kind > pcxTrueColor) throw fw::Exception(kBadKind);
  if (Bitmap.Empty()) throw fw::Exception(kNoPicture);
  const std::size_t width = std::size_t(Bitmap.Width()), height = std::size_t(Bitmap.Height());
  if (width > 0xFFFF || height > 0xFFFF) throw fw::Exception(kTooLarge);

  // Depths without a row conversion of their own (device, 15, 16, 32 bits) go through 24 bits.
  fw::TBitmap* source = &Bitmap;
  std::unique_ptr<fw::TBitmap> converted;
  int depth = DepthOf(Bitmap.PixelFormat());
  if (depth == 0) {
    converted = std::make_unique<fw::TBitmap>();
    converted->Assign(&Bitmap);
    converted->SetPixelFormat(fw::pf24bit);
    source = converted.get();
    depth = 24;
  }
  if (!KindFitsDepth(Kind, depth)) throw fw::Exception(kBadKind);

  std::array<std::array<std::uint8_t, 3>, 256> palette{};  // red, green, blue in 6 bits
  const std::vector<win::RGBQUAD> table = depth <= 8 ? source->ColorTable() : std::vector<win::RGBQUAD>{};
  for (std::size_t i = 0; i < table.size() && i < palette.size(); ++i)
    palette[i] = {std::uint8_t(table[i].rgbRed >> 2), std::uint8_t(table[i].rgbGreen >> 2),
                  std::uint8_t(table[i].rgbBlue >> 2)};

  const KindLayout layout = LayoutOf(Kind);
  const std::size_t bytesPerLine = layout.BitsPerPixel == 1 ? (width + 7) / 8 : width;

  TByteSink out(Stream);
  Stream.Seek(0, fw::soBeginning);
  out.Byte(10);
  out.Byte(5);
  out.Byte(1);
  out.Byte(layout.BitsPerPixel);
  out.Word(0);
  out.Word(0);
  out.Word(std::uint16_t(width - 1));
  out.Word(std::uint16_t(height - 1));
  // The resolution words carry the picture's size.
  out.Word(std::uint16_t(width));
  out.Word(std::uint16_t(height));
  for (int i = 0; i < 16; ++i)
    for (int c = 0; c < 3; ++c) out.Byte(Widen(palette[std::size_t(i)][std::size_t(c)]));
  out.Byte(0);
  out.Byte(layout.Planes);
  out.Word(std::uint16_t(bytesPerLine));
  out.Word(1);
  out.Zeros(58);

  std::vector<std::uint8_t> pixels(width);
  std::vector<std::uint8_t> plane(bytesPerLine);
  for (std::size_t y = 0; y < height; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(source->ScanLine(fw::Integer(y)));
    if (depth <= 8) Expand(row, depth, width, pixels.data());
    switch (Kind) {
      case pcxBlackWhite:
        PackBits(pixels.data(), width, 0, plane.data());
        Encode(out, plane.data(), bytesPerLine);
        break;
      case pcx16Colors:
        for (int p = 0; p < 4; ++p) {
          PackBits(pixels.data(), width, p, plane.data());
          Encode(out, plane.data(), bytesPerLine);
        }
        break;
      case pcx256Colors:
        Encode(out, pixels.data(), bytesPerLine);
        break;
      default:
        for (int c = 0; c < 3; ++c) {
          if (depth == 24) {
            // Rows hold blue, green, red: red is the third byte of a pixel.
            for (std::size_t x = 0; x < width; ++x) plane[x] = row[3 * x + std::size_t(2 - c)];
          } else {
            for (std::size_t x = 0; x < width; ++x)
              plane[x] = std::uint8_t(palette[pixels[x]][std::size_t(c)] << 2);
          }
          Encode(out, plane.data(), bytesPerLine);
        }
    }
  }
  out.Byte(12);
  for (const auto& entry : palette)
    for (std::uint8_t c : entry) out.Byte(Widen(c));
  out.Flush();
}

}  // namespace kvexport
