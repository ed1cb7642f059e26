#pragma once
// Extension blocks of a frame (graphic control, plain text, comment, application) and the
// registries that choose their classes by label and by application identifier.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "export/GIFImageItems.h"

namespace kvexport {

class TGIFExtension;
using TGIFExtensionFactory = std::unique_ptr<TGIFExtension> (*)(TGIFSubImage* SubImage);

class TGIFExtension : public TGIFItem {
 public:
  explicit TGIFExtension(TGIFSubImage* SubImage);
  TGIFSubImage* SubImage() const { return FSubImage; }
  TGIFVersion GetVersion() const override { return gv89a; }
  virtual std::uint8_t GetExtensionType() const = 0;
  // '!' and the label, then the body.
  void SaveToStream(fw::TStream* Stream) override;
  // Checks '!' ("Invalid extension introducer") and the label, then reads the body.
  void LoadFromStream(fw::TStream* Stream) override;
  // The class that reads the extension at the stream's position ('!' already consumed, the
  // label next); the stream is left where it was.
  static TGIFExtensionFactory FindExtension(fw::TStream* Stream);

 protected:
  virtual void SaveBody(fw::TStream* Stream) = 0;
  virtual void LoadBody(fw::TStream* Stream) = 0;
  TGIFSubImage* FSubImage;
};

class TGIFGraphicControlExtension : public TGIFExtension {
 public:
  // Becomes the frame's GraphicControlExtension when the frame has none yet.
  explicit TGIFGraphicControlExtension(TGIFSubImage* SubImage);
  ~TGIFGraphicControlExtension() override;
  std::uint8_t GetExtensionType() const override { return 0xF9; }

  int Disposal() const { return (FPacked >> 2) & 7; }
  void SetDisposal(int Value);
  bool UserInput() const { return (FPacked & 2) != 0; }
  void SetUserInput(bool Value);
  bool Transparent() const { return (FPacked & 1) != 0; }
  // Also sets the frame's Transparent flag.
  void SetTransparent(bool Value);
  int Delay() const { return FDelay; }
  void SetDelay(int Value) { FDelay = static_cast<std::uint16_t>(Value); }
  int TransparentColorIndex() const { return FTransparentIndex; }
  // An index at or above the count of the frame's active map (when not empty) warns "Invalid
  // color index" and stores 0.
  void SetTransparentColorIndex(int Value);
  // Stores the index as read, without the check.
  void SetTransparentColorIndexRaw(int Value) { FTransparentIndex = static_cast<std::uint8_t>(Value); }
  fw::TColor TransparentColor();

 protected:
  void SaveBody(fw::TStream* Stream) override;
  void LoadBody(fw::TStream* Stream) override;

 private:
  std::uint8_t FPacked = 0;
  std::uint16_t FDelay = 0;
  std::uint8_t FTransparentIndex = 0;
};

class TGIFTextExtension : public TGIFExtension {
 public:
  using TGIFExtension::TGIFExtension;
  std::uint8_t GetExtensionType() const override { return 0x01; }
  int Left = 0, Top = 0, GridWidth = 0, GridHeight = 0;
  int CharWidth = 0, CharHeight = 0;
  int ForegroundColorIndex = 0, BackgroundColorIndex = 0;
  std::vector<std::string> Text;

 protected:
  void SaveBody(fw::TStream* Stream) override;
  void LoadBody(fw::TStream* Stream) override;
};

class TGIFCommentExtension : public TGIFExtension {
 public:
  using TGIFExtension::TGIFExtension;
  std::uint8_t GetExtensionType() const override { return 0xFE; }
  std::vector<std::string> Text;

 protected:
  void SaveBody(fw::TStream* Stream) override;
  void LoadBody(fw::TStream* Stream) override;
};

// One data sub-block: 1..255 bytes.
struct TGIFBlock {
  std::vector<std::uint8_t> Data;
};

class TGIFApplicationExtension : public TGIFExtension {
 public:
  using TGIFExtension::TGIFExtension;
  std::uint8_t GetExtensionType() const override { return 0xFF; }
  // The class for the application block at the stream's position (its block-size byte next).
  static TGIFExtensionFactory FindApplicationExtension(fw::TStream* Stream);
  std::string Identifier() const { return std::string(FIdent.begin(), FIdent.begin() + 8); }
  std::string Authentication() const { return std::string(FIdent.begin() + 8, FIdent.end()); }
  void SetIdentifier(const std::string& Ident, const std::string& Auth);

 protected:
  void SaveBody(fw::TStream* Stream) override;
  void LoadBody(fw::TStream* Stream) override;
  // The application data after the identifier block, terminator included.
  virtual void SaveData(fw::TStream* Stream);
  virtual void LoadData(fw::TStream* Stream);
  std::array<char, 11> FIdent{};
};

// Keeps the data sub-blocks of an application block nobody here knows.
class TGIFUnknownAppExtension : public TGIFApplicationExtension {
 public:
  using TGIFApplicationExtension::TGIFApplicationExtension;
  std::vector<TGIFBlock> Blocks;

 protected:
  void SaveData(fw::TStream* Stream) override;
  void LoadData(fw::TStream* Stream) override;
};

// The animation loop block ("NETSCAPE2.0").
class TGIFAppExtNSLoop : public TGIFApplicationExtension {
 public:
  explicit TGIFAppExtNSLoop(TGIFSubImage* SubImage);
  int Loops = 0;
  std::uint32_t BufferSize = 0;

 protected:
  void SaveData(fw::TStream* Stream) override;
  void LoadData(fw::TStream* Stream) override;
};

// The extensions in front of one frame.
class TGIFExtensionList : public TGIFList {
 public:
  TGIFExtensionList(TGIFSubImage* SubImage);
  TGIFExtension* operator[](int Index) const;
  TGIFExtension* Items(int Index) const { return (*this)[Index]; }
  int Add(std::unique_ptr<TGIFExtension> Extension);
  // Reads extensions up to ',' or ';' (left in the stream).
  void LoadFromStream(fw::TStream* Stream, fw::TObject* Parent) override;

 private:
  TGIFSubImage* FSubImage;
};

// Registration; later registrations win.
void RegisterExtension(std::uint8_t Label, TGIFExtensionFactory Factory);
// Ident: the 11 bytes of identifier and authentication code.
void RegisterAppExtension(const std::string& Ident, TGIFExtensionFactory Factory);

template <typename T>
std::unique_ptr<TGIFExtension> MakeGIFExtension(TGIFSubImage* SubImage) {
  return std::make_unique<T>(SubImage);
}

}  // namespace kvexport
