#pragma once
// Colour maps of a GIF image: up to 256 RGB triples. The global map belongs to the header of the
// image, a local map to one frame; a change drops the cached palette of its owner.

#include <array>
#include <string>
#include <vector>

#include "export/GIFImageTypes.h"
#include "framework/Colors.h"
#include "framework/Persistent.h"

namespace kvexport {

class TGIFImage;
class TGIFSubImage;

class TGIFColorMap : public fw::TPersistent {
 public:
  static constexpr int MaxColors = 256;

  TGIFColorMap() = default;
  // From another colour map: its colours and Sorted flag.
  void Assign(fw::TPersistent* Source) override;

  int Count() const { return FCount; }
  // 0 for an empty map, 1 for one or two colours, else the smallest b with 2^b >= Count.
  int BitsPerPixel() const;
  int ColorResolution() const { return BitsPerPixel() - 1; }
  // The table is ordered by decreasing use (written as the sort flag).
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value) { FSorted = Value; }

  // An index out of range warns "Invalid color index" and uses index 0; an empty map then
  // raises "Color table is empty".
  fw::TColor Colors(int Index);
  void SetColors(int Index, fw::TColor Value);
  const TGIFColor& Entry(int Index) const { return FColors[static_cast<std::size_t>(Index)]; }
  const TGIFColor* Data() const { return FColors.data(); }

  // Appends; "Color table overflow" at 256 colours. Clears Sorted. Returns the index.
  int Add(fw::TColor Color);
  int AddUnique(fw::TColor Color);
  // Unsorted maps are searched from the last entry, sorted maps from the first; -1 when absent.
  int IndexOf(fw::TColor Color) const;
  // "Invalid color index" when out of range. Clears Sorted.
  void Delete(int Index);
  void Clear();
  // Up to 256 entries of the palette.
  void ImportPalette(const TGIFPalette& Palette);
  // Entries in blue-green-red-reserved order.
  void ImportColorTable(const win::RGBQUAD* Table, int Count);
  // The colour table of the bitmap selected into the device context.
  void ImportDIBColors(win::HDC DC);
  // One entry per colour, each with the no-collapse flag; empty for an empty map.
  TGIFPalette ExportPalette() const;

  // Writes Count triples padded with zero triples to 2^BitsPerPixel entries.
  void SaveToStream(fw::TStream* Stream) const;
  // Reads Count triples (Count in 2..256).
  void LoadFromStream(fw::TStream* Stream, int Count);

  virtual void Warning(const std::string& Message) = 0;
  // Pixels per colour index; the result is the number of counted entries.
  virtual int BuildHistogram(std::vector<int>& Histogram) = 0;
  // Every pixel of the affected frames (and their transparent index) goes from I to Map[I].
  virtual void MapImages(const std::vector<int>& Map) = 0;
  // Sorts by decreasing use, remaps the pixels, cuts the unused tail and sets Sorted. True when
  // the map had two or more colours.
  virtual bool Optimize();
  virtual void Changed() = 0;

 protected:
  // Index itself when it names an entry; otherwise a warning and entry 0 (raises for an empty map).
  int CheckedIndex(int Index);

  std::array<TGIFColor, MaxColors> FColors{};
  int FCount = 0;
  bool FSorted = false;
};

class TGIFGlobalColorMap : public TGIFColorMap {
 public:
  explicit TGIFGlobalColorMap(TGIFImage* Image) : FImage(Image) {}
  TGIFImage* Image() const { return FImage; }
  void Warning(const std::string& Message) override;
  int BuildHistogram(std::vector<int>& Histogram) override;
  void MapImages(const std::vector<int>& Map) override;
  void Changed() override;

 private:
  TGIFImage* FImage;
};

class TGIFLocalColorMap : public TGIFColorMap {
 public:
  explicit TGIFLocalColorMap(TGIFSubImage* SubImage) : FSubImage(SubImage) {}
  TGIFSubImage* SubImage() const { return FSubImage; }
  void Warning(const std::string& Message) override;
  int BuildHistogram(std::vector<int>& Histogram) override;
  void MapImages(const std::vector<int>& Map) override;
  void Changed() override;

 private:
  TGIFSubImage* FSubImage;
};

// TColor (red in the low byte) from and to a map entry.
inline fw::TColor GIFColorToTColor(const TGIFColor& c) {
  return static_cast<fw::TColor>(c.Red | (c.Green << 8) | (c.Blue << 16));
}
inline TGIFColor TColorToGIFColor(fw::TColor c) {
  return TGIFColor{static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
                   static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

}  // namespace kvexport
