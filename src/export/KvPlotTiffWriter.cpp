// The TIFF writer. The bitmap's pixels are read once as a top-down DIB of its own depth (15, 16
// and 32 bits come as 24); the layout is worked out in full before the first byte is written, so
// the header can point at the directory straight away and the file is written front to back.
// Every block starts at an even offset, as TIFF readers are entitled to expect.

#include "export/KvPlotTiffWriter.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "export/KvPlotByteSink.h"
#include "framework/GraphicsBitmap.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/gdi/GdiBitmaps.h"

namespace kvexport {
namespace {

const char kNoPicture[] = "Нет рисунка для записи в файл TIFF";
const char kUnreadable[] = "Не удалось прочитать точки рисунка для файла TIFF";
const char kTooLarge[] = "Рисунок слишком велик для файла TIFF";

// "Korvalin.4" with its terminating zero, as TIFF ASCII values require.
constexpr char kSoftware[] = "Korvalin.4";
constexpr std::uint32_t kSoftwareCount = sizeof kSoftware;
constexpr std::uint32_t kResolutionNumerator = 877, kResolutionDenominator = 10;

enum TiffType : std::uint16_t { ttASCII = 2, ttSHORT = 3, ttLONG = 4, ttRATIONAL = 5 };

struct TiffEntry {
  std::uint16_t Tag;
  std::uint16_t Type;
  std::uint32_t Count;
  std::uint32_t Value;  // a SHORT sits in the low half
};

struct DibPixels {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  int Bits = 0;
  std::size_t Stride = 0;
  std::vector<win::RGBQUAD> Colors;
  std::vector<std::uint8_t> Rows;  // top row first
};

std::size_t DibStride(std::int32_t Width, int Bits) {
  return (std::size_t(Width) * Bits + 31) / 32 * 4;
}

DibPixels ReadPixels(fw::TBitmap& Bitmap) {
  if (Bitmap.Empty()) throw fw::Exception(kNoPicture);
  const win::HBITMAP handle = Bitmap.Handle();
  if (!handle) throw fw::Exception(kNoPicture);
  win::BITMAPINFO query;
  query.bmiHeader.biBitCount = 0;
  if (!win::GetDIBits(nullptr, handle, 0, 0, nullptr, &query, win::DIB_RGB_COLORS))
    throw fw::Exception(kUnreadable);

  DibPixels p;
  const int own = query.bmiHeader.biBitCount;
  p.Bits = (own == 1 || own == 4 || own == 8) ? own : 24;
  p.Width = query.bmiHeader.biWidth;
  p.Height = query.bmiHeader.biHeight < 0 ? -query.bmiHeader.biHeight : query.bmiHeader.biHeight;
  if (p.Width <= 0 || p.Height <= 0) throw fw::Exception(kNoPicture);
  p.Stride = DibStride(p.Width, p.Bits);
  // Offsets and the strip's byte count are 32-bit; leave room for the blocks around the rows.
  if (std::uint64_t(p.Stride) * std::uint64_t(p.Height) > 0xFFF00000ull) throw fw::Exception(kTooLarge);

  win::BITMAPINFO request;
  request.bmiHeader.biWidth = p.Width;
  request.bmiHeader.biHeight = -p.Height;
  request.bmiHeader.biBitCount = win::WORD(p.Bits);
  request.bmiHeader.biCompression = win::BI_RGB;
  p.Rows.resize(p.Stride * std::size_t(p.Height));
  const int lines =
      win::GetDIBits(nullptr, handle, 0, win::UINT(p.Height), p.Rows.data(), &request, win::DIB_RGB_COLORS);
  if (lines != p.Height) throw fw::Exception(kUnreadable);
  if (p.Bits <= 8) p.Colors.assign(request.bmiColors, request.bmiColors + (1 << p.Bits));
  return p;
}

int Luminance(const win::RGBQUAD& C) {
  return 299 * C.rgbRed + 587 * C.rgbGreen + 114 * C.rgbBlue;
}

// Offsets of the blocks of one file, in the order they are written.
struct Layout {
  std::uint32_t ColorMap = 0, XResolution = 0, YResolution = 0, BitsPerSample = 0, Software = 0, Rows = 0,
                Ifd = 0;
};

std::uint32_t Even(std::uint64_t Offset) {
  return std::uint32_t(Offset + (Offset & 1));
}

void PadToEven(TByteSink& Out) {
  if (Out.Written() & 1) Out.Byte(0);
}

void WriteRational(TByteSink& Out) {
  Out.Long(kResolutionNumerator);
  Out.Long(kResolutionDenominator);
}

void WriteSoftware(TByteSink& Out) {
  Out.Bytes(kSoftware, kSoftwareCount);
  PadToEven(Out);
}

}  // namespace

void WriteTIFF(fw::TStream& Stream, fw::TBitmap& Bitmap) {
  const DibPixels p = ReadPixels(Bitmap);
  const bool bilevel = p.Bits == 1, palette = p.Bits == 4 || p.Bits == 8;
  const std::uint32_t width = std::uint32_t(p.Width), height = std::uint32_t(p.Height);
  const std::size_t rowBytes = p.Bits == 24 ? std::size_t(width) * 3 : (std::size_t(width) * p.Bits + 7) / 8;
  const std::uint32_t stripBytes = std::uint32_t(rowBytes * height);
  const std::uint32_t colors = palette ? 1u << p.Bits : 0;

  Layout at;
  std::uint64_t pos = 8;
  auto place = [&pos](std::uint32_t& Field, std::uint64_t Size) {
    Field = Even(pos);
    pos = std::uint64_t(Field) + Size;
  };
  if (bilevel) {
    place(at.Rows, stripBytes);
  } else if (palette) {
    place(at.ColorMap, 3ull * colors * 2);
  }
  place(at.XResolution, 8);
  place(at.YResolution, 8);
  if (!bilevel && !palette) place(at.BitsPerSample, 6);
  place(at.Software, kSoftwareCount);
  if (!bilevel) place(at.Rows, stripBytes);
  at.Ifd = Even(pos);

  // Sizes up to 65535 fit a SHORT; larger pictures need the LONG form of the two size tags.
  const std::uint16_t sizeType = (width > 0xFFFF || height > 0xFFFF) ? ttLONG : ttSHORT;
  std::vector<TiffEntry> entries = {
      {254, ttLONG, 1, 0},
      {256, sizeType, 1, width},
      {257, sizeType, 1, height},
      {258, ttSHORT, bilevel || palette ? 1u : 3u,
       bilevel || palette ? std::uint32_t(p.Bits) : at.BitsPerSample},
      {259, ttSHORT, 1, 1},
      // A bilevel picture whose first colour is the lighter one stores white as 0.
      {262, ttSHORT, 1,
       bilevel   ? (Luminance(p.Colors[0]) > Luminance(p.Colors[1]) ? 0u : 1u)
       : palette ? 3u
                 : 2u},
      {273, ttLONG, 1, at.Rows},
      {277, ttSHORT, 1, bilevel || palette ? 1u : 3u},
      {278, ttLONG, 1, height},
      {279, ttLONG, 1, stripBytes},
      {282, ttRATIONAL, 1, at.XResolution},
      {283, ttRATIONAL, 1, at.YResolution},
  };
  if (!bilevel && !palette) entries.push_back({284, ttSHORT, 1, 1});
  entries.push_back({296, ttSHORT, 1, 2});
  entries.push_back({305, ttASCII, kSoftwareCount, at.Software});
  if (palette) entries.push_back({320, ttSHORT, 3 * colors, at.ColorMap});

  TByteSink out(Stream);
  out.Bytes("II", 2);
  out.Word(42);
  out.Long(at.Ifd);

  std::vector<std::uint8_t> row(rowBytes + 1);
  auto writeRows = [&] {
    PadToEven(out);
    for (std::uint32_t y = 0; y < height; ++y) {
      const std::uint8_t* src = p.Rows.data() + p.Stride * y;
      if (p.Bits == 24) {
        for (std::uint32_t x = 0; x < width; ++x) {
          row[3 * x] = src[3 * x + 2];
          row[3 * x + 1] = src[3 * x + 1];
          row[3 * x + 2] = src[3 * x];
        }
      } else {
        std::memcpy(row.data(), src, rowBytes);
        // Bits past the last pixel are zero, whatever the bitmap kept there.
        const unsigned used = unsigned(std::size_t(width) * p.Bits % 8);
        if (used) row[rowBytes - 1] &= std::uint8_t(0xFF00u >> used);
      }
      out.Bytes(row.data(), rowBytes);
    }
  };

  if (bilevel) writeRows();
  if (palette) {
    // 16-bit colour map entries: the 8-bit component in the high byte.
    for (int channel = 0; channel < 3; ++channel)
      for (std::uint32_t i = 0; i < colors; ++i) {
        const win::RGBQUAD& c = p.Colors[i];
        const std::uint8_t v = channel == 0 ? c.rgbRed : channel == 1 ? c.rgbGreen : c.rgbBlue;
        out.Word(std::uint16_t(v << 8));
      }
  }
  PadToEven(out);
  WriteRational(out);
  WriteRational(out);
  if (!bilevel && !palette) {
    for (int i = 0; i < 3; ++i) out.Word(8);
  }
  WriteSoftware(out);
  if (!bilevel) writeRows();
  PadToEven(out);

  out.Word(std::uint16_t(entries.size()));
  for (const TiffEntry& e : entries) {
    out.Word(e.Tag);
    out.Word(e.Type);
    out.Long(e.Count);
    if (e.Type == ttSHORT && e.Count == 1) {
      out.Word(std::uint16_t(e.Value));
      out.Word(0);
    } else {
      out.Long(e.Value);
    }
  }
  out.Long(0);
  out.Flush();
}

}  // namespace kvexport
