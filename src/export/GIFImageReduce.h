#pragma once
// Colour reduction of true-colour bitmaps to at most 256 colours: fixed and computed palettes,
// colour lookups, the octree quantiser and the serpentine error-diffusion ditherers.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "export/GIFImageTypes.h"
#include "framework/GraphicsBitmap.h"

namespace kvexport {

// --- Palettes (each a new palette owned by the caller) -----------------------------------------
// 216 entries r*36 + g*6 + b, levels 0, 51, ..., 255; no flags.
TGIFPalette WebPalette();
// The colour table of a bitmap with one (8 bits and fewer), no-collapse.
TGIFPalette BitmapPalette(fw::TBitmap& Bitmap);
// 256 greys, no-collapse.
TGIFPalette GrayScalePalette();
// 0, 128, 192, 255, no-collapse.
TGIFPalette WindowsGrayPalette();
// Black and white, no-collapse.
TGIFPalette MonochromePalette();
// The 20 static colours of the default system palette (10 first, 10 last).
TGIFPalette DefaultPalette20();
// 256 entries: the 20 static colours around the 6x6x6 web cube and 20 greys.
TGIFPalette HalftonePalette();
// The octree palette of the 24-bit rows (blue, green, red per pixel). With static colours the
// result has 256 entries: the first 10 static colours, ColorCount - 20 quantised ones, the last
// 10 static colours; otherwise ColorCount entries. Unfilled entries are black.
TGIFPalette OptimalPalette(const std::uint8_t* const* Rows, int Width, int Height, int ColorCount,
                           int ColorBits, bool Windows);

// --- Colour lookups -----------------------------------------------------------------------------
class TColorLookup {
 public:
  explicit TColorLookup(int AColors) : FColors(AColors) {}
  virtual ~TColorLookup() = default;
  // The palette index for the colour; R, G, B receive the palette colour.
  virtual int Lookup(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R, std::uint8_t& G,
                     std::uint8_t& B) = 0;
  int Colors() const { return FColors; }

 protected:
  int FColors;
};

// Nearest entry (smallest dr² + dg² + db², the measure of the picture's colour error; lowest
// index on ties), exactly. The colour cube is
// cut into 32,768 cells of 8x8x8 values; the first lookup in a cell lists the entries that can be
// nearest to some colour of it (those no farther from the cell than the farthest point of the
// cell is from the best entry), and lookups search that short list alone.
class TFastColorLookup : public TColorLookup {
 public:
  explicit TFastColorLookup(const TGIFPalette& Palette);
  int Lookup(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R, std::uint8_t& G,
             std::uint8_t& B) override;

 private:
  static int Key(int r, int g, int b) { return (r >> 3) | ((g >> 3) << 5) | ((b >> 3) << 10); }
  struct TCell {
    std::uint32_t First = 0;
    std::uint16_t Count = 0;  // 0: not listed yet (every cell has at least one candidate)
  };
  const TCell& ListCell(int Key);
  TGIFPalette FPalette;
  std::vector<TCell> FCells;
  std::vector<std::uint8_t> FCandidates;  // entry indexes, the cells' lists one after another
  // Answers of recent colours by a hash of the colour: (colour + 1) << 8 | index, 0 when empty.
  static constexpr int kRecentBits = 12, kRecent = 1 << kRecentBits;
  std::vector<std::uint64_t> FRecent;
};

class TNetscapeColorLookup : public TColorLookup {
 public:
  TNetscapeColorLookup() : TColorLookup(216) {}
  int Lookup(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R, std::uint8_t& G,
             std::uint8_t& B) override;
};

class TGrayScaleLookup : public TColorLookup {
 public:
  TGrayScaleLookup() : TColorLookup(256) {}
  int Lookup(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R, std::uint8_t& G,
             std::uint8_t& B) override;
};

class TMonochromeLookup : public TColorLookup {
 public:
  TMonochromeLookup() : TColorLookup(2) {}
  int Lookup(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R, std::uint8_t& G,
             std::uint8_t& B) override;
};

// --- Ditherers ----------------------------------------------------------------------------------
// Rows are walked in serpentine order: the caller starts at Column() and steps by Direction()
// while the column is inside the row, then calls NextLine.
class TDitherEngine {
 public:
  TDitherEngine(int AWidth, TColorLookup& ALookup);
  virtual ~TDitherEngine() = default;
  TDitherEngine(const TDitherEngine&) = delete;
  TDitherEngine& operator=(const TDitherEngine&) = delete;

  // The palette index for the pixel at the current column; advances the column.
  virtual int Dither(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R, std::uint8_t& G,
                     std::uint8_t& B);
  // Dithers a whole row of 24-bit pixels (blue, green, red) into palette indices, walking it in
  // the current direction; the caller still calls NextLine.
  virtual void DitherRow(const std::uint8_t* Bgr, std::uint8_t* Indices);
  // Reverses the direction and moves to the start of the next row.
  virtual void NextLine();
  int Direction() const { return FDirection; }
  int Column() const { return FColumn; }
  int Width() const { return FWidth; }
  // Steps past the current pixel without looking it up (transparent pixels).
  void Skip() { FColumn += FDirection; }

 protected:
  int FDirection = 1;
  int FColumn = 0;
  TColorLookup& FLookup;
  int FWidth;
};

// Error diffusion over a kernel of rows; the error rows are integer buffers with a margin for
// the kernel's overhang. Weights are given for a left-to-right row and mirrored on the way back.
class TKernelDitherer : public TDitherEngine {
 public:
  struct TWeight {
    int Row;     // 0 the current row, 1.. the rows below
    int Offset;  // columns ahead of the pixel in the scan direction (negative: behind)
    int Weight;
  };
  TKernelDitherer(int AWidth, TColorLookup& ALookup, int ADivisor, std::vector<TWeight> AKernel);
  int Dither(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R, std::uint8_t& G,
             std::uint8_t& B) override;
  void DitherRow(const std::uint8_t* Bgr, std::uint8_t* Indices) override;
  void NextLine() override;
  int Divisor() const { return FDivisor; }
  const std::vector<TWeight>& Kernel() const { return FKernel; }

 private:
  int FDivisor;
  std::vector<TWeight> FKernel;
  int FMargin = 0;
  int FRows = 0;
  // Per kernel row, per channel: width + 2 * margin cells, interleaved r, g, b.
  std::vector<std::vector<int>> FErrors;
};

// Floyd-Steinberg with one error row and three running values per channel.
class TFloydSteinbergDitherer : public TDitherEngine {
 public:
  TFloydSteinbergDitherer(int AWidth, TColorLookup& ALookup);
  int Dither(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, std::uint8_t& R, std::uint8_t& G,
             std::uint8_t& B) override;
  void DitherRow(const std::uint8_t* Bgr, std::uint8_t* Indices) override;
  void NextLine() override;

 private:
  std::vector<int> FErrors;  // (width + 2) cells, interleaved r, g, b
  int FAhead[3] = {};        // carried to the next pixel
  int FBelowBehind[3] = {};
  int FBelow[3] = {};
};

// Stucki, Sierra and Jarvis-Judice-Ninke: three rows of width + 4.
class T5by3Ditherer : public TKernelDitherer {
 public:
  using TKernelDitherer::TKernelDitherer;
};
class TStuckiDitherer : public T5by3Ditherer {
 public:
  TStuckiDitherer(int AWidth, TColorLookup& ALookup);
};
class TSierraDitherer : public T5by3Ditherer {
 public:
  TSierraDitherer(int AWidth, TColorLookup& ALookup);
};
class TJaJuNiDitherer : public T5by3Ditherer {
 public:
  TJaJuNiDitherer(int AWidth, TColorLookup& ALookup);
};
class TSteveArcheDitherer : public TKernelDitherer {
 public:
  TSteveArcheDitherer(int AWidth, TColorLookup& ALookup);
};
class TBurkesDitherer : public TKernelDitherer {
 public:
  TBurkesDitherer(int AWidth, TColorLookup& ALookup);
};

// The ditherer of the mode; null for a value outside 0..6.
std::unique_ptr<TDitherEngine> MakeDitherer(TDitherMode Mode, int Width, TColorLookup& Lookup);

// --- Octree quantiser ----------------------------------------------------------------------------
class TColorQuantizer {
 public:
  TColorQuantizer(int AMaxColors, int AColorBits);
  ~TColorQuantizer();
  TColorQuantizer(const TColorQuantizer&) = delete;
  TColorQuantizer& operator=(const TColorQuantizer&) = delete;

  void AddColor(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue);
  // 24-bit rows (blue, green, red per pixel).
  void ProcessImage(const std::uint8_t* const* Rows, int Width, int Height);
  int LeafCount() const { return FLeafCount; }
  // One colour per leaf, depth first, children in index order.
  std::vector<TGIFColor> ColorTable() const;

 private:
  struct TOctreeNode;
  // Count pixels of one colour, as Count calls of AddColor would add them.
  void AddColors(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue, long long Count);
  void AddColor(std::unique_ptr<TOctreeNode>& Node, std::uint8_t r, std::uint8_t g, std::uint8_t b, int Level,
                long long Count);
  // False when nothing is left to reduce.
  bool ReduceTree();
  std::unique_ptr<TOctreeNode> FTree;
  int FLeafCount = 0;
  std::array<TOctreeNode*, 9> FReducible{};
  int FMaxColors;
  int FColorBits;
};

// --- Bitmap rows ----------------------------------------------------------------------------------
// Writes an 8-bit (with the palette as colour table) or 24-bit bitmap row by row. "Unsupported
// PixelFormat" for other formats, "Invalid image dimensions" for a zero size.
class TDIBWriter {
 public:
  TDIBWriter(fw::TBitmap& Bitmap, const TGIFPalette& Palette, int AHeight, int AWidth, fw::TPixelFormat Format);
  // Row 0 is the top row; "Scan line index out of range" outside 0..Height-1.
  std::uint8_t* Scanline(int Row);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

 private:
  fw::TBitmap& FBitmap;
  int FWidth;
  int FHeight;
};

// The source as 24-bit rows (blue, green, red per pixel); the source itself is left as it was.
class TDIBReader {
 public:
  explicit TDIBReader(fw::TBitmap& Source);
  const std::uint8_t* Scanline(int Row) const { return FRows[static_cast<std::size_t>(Row)]; }
  const std::uint8_t* const* Rows() const { return FRows.data(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

 private:
  std::unique_ptr<fw::TBitmap> FCopy;
  std::vector<const std::uint8_t*> FRows;
  int FWidth = 0;
  int FHeight = 0;
};

// A new bitmap (owned by the caller): 8 bits with the palette of the reduction, or a 24-bit copy
// for None. An unknown reduction or ditherer, or a lookup without colours (Palette without a
// CustomPalette), gives an empty bitmap.
std::unique_ptr<fw::TBitmap> ReduceColors(fw::TBitmap& Source, TColorReduction Reduction, TDitherMode Mode,
                                          int ReductionBits, const TGIFPalette* CustomPalette);

}  // namespace kvexport
