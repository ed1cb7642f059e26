#pragma once
// The parts a GIF stream is made of: the item base, owned lists of items, the header (logical
// screen descriptor and global colour map) and the trailer.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "export/GIFImageMaps.h"
#include "export/GIFImageTypes.h"
#include "framework/Persistent.h"

namespace kvexport {

class TGIFImage;
class TGIFSubImage;

class TGIFItem : public fw::TPersistent {
 public:
  explicit TGIFItem(TGIFImage* Image) : FImage(Image) {}

  TGIFImage* Image() const { return FImage; }
  virtual TGIFVersion GetVersion() const { return gv87a; }
  // Passes the message to the owning image's Warning with this item as sender.
  virtual void Warning(const std::string& Message);
  virtual void SaveToStream(fw::TStream* Stream) = 0;
  virtual void LoadFromStream(fw::TStream* Stream) = 0;
  // Whole or not at all: a failed save keeps an old file and leaves no partial one.
  void SaveToFile(const std::string& FileName);
  // Opened read-only, deny-write.
  void LoadFromFile(const std::string& FileName);

 protected:
  TGIFImage* FImage;
};

// Owned items in order.
class TGIFList : public fw::TPersistent {
 public:
  explicit TGIFList(TGIFImage* Image) : FImage(Image) {}
  TGIFImage* Image() const { return FImage; }
  int Count() const { return static_cast<int>(FItems.size()); }
  void Warning(const std::string& Message);
  // Each item in order.
  virtual void SaveToStream(fw::TStream* Stream);
  virtual void LoadFromStream(fw::TStream* Stream, fw::TObject* Parent) = 0;
  void Clear() { FItems.clear(); }
  void Delete(int Index);
  int IndexOf(const TGIFItem* Item) const;

 protected:
  int AddItem(std::unique_ptr<TGIFItem> Item);
  TGIFImage* FImage;
  std::vector<std::unique_ptr<TGIFItem>> FItems;
};

class TGIFHeader : public TGIFItem {
 public:
  explicit TGIFHeader(TGIFImage* Image);
  void Assign(fw::TPersistent* Source) override;
  void SaveToStream(fw::TStream* Stream) override;
  void LoadFromStream(fw::TStream* Stream) override;
  // Rebuilds the packed flags from the global map and the frames' local maps.
  void Prepare();
  void Clear();

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetWidth(int Value) { FWidth = static_cast<std::uint16_t>(Value); }
  void SetHeight(int Value) { FHeight = static_cast<std::uint16_t>(Value); }
  std::uint8_t PackedFields() const { return FPacked; }
  std::uint8_t BackgroundColorIndex() const { return FBackgroundIndex; }
  void SetBackgroundColorIndex(std::uint8_t Value) { FBackgroundIndex = Value; }
  std::uint8_t AspectRatio() const { return FAspectRatio; }
  void SetAspectRatio(std::uint8_t Value) { FAspectRatio = Value; }
  // The global map's colour at the background index.
  fw::TColor BackgroundColor();
  TGIFGlobalColorMap& ColorMap() { return *FColorMap; }

 private:
  std::uint16_t FWidth = 0;
  std::uint16_t FHeight = 0;
  std::uint8_t FPacked = 0;
  std::uint8_t FBackgroundIndex = 0;
  std::uint8_t FAspectRatio = 0;
  std::unique_ptr<TGIFGlobalColorMap> FColorMap;
};

class TGIFTrailer : public TGIFItem {
 public:
  using TGIFItem::TGIFItem;
  void SaveToStream(fw::TStream* Stream) override;
  void LoadFromStream(fw::TStream* Stream) override;
};

// The frames of an image.
class TGIFImageList : public TGIFList {
 public:
  using TGIFList::TGIFList;
  TGIFSubImage* operator[](int Index) const;
  TGIFSubImage* Items(int Index) const { return (*this)[Index]; }
  int Add(std::unique_ptr<TGIFSubImage> SubImage);
  void SaveToStream(fw::TStream* Stream) override;
  void LoadFromStream(fw::TStream* Stream, fw::TObject* Parent) override;
};

}  // namespace kvexport
