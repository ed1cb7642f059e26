#pragma once
// The drawing tools of a canvas: TFont, TPen and TBrush. Each holds its settings and makes its
// GDI object only when Handle is first asked for; a change drops the object (it is made again on
// the next request) and fires OnChange, which is how a canvas learns it must re-select.

#include "framework/Colors.h"
#include "framework/GraphicsTypes.h"
#include "framework/Persistent.h"
#include "framework/Sets.h"
#include "platform/kernel/WinDef.h"

namespace fw {

class TBitmap;

class TGraphicsObject : public TPersistent {
 public:
  TNotifyEvent OnChange;

 protected:
  virtual void Changed();
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TFontQuality { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural };
using TFontCharset = Byte;

class TFont : public TGraphicsObject {
 public:
  TFont();
  ~TFont() override;

  void Assign(TPersistent* Source) override;

  // The font object, made on first use and owned by this TFont.
  win::HFONT Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  const String& Name() const { return FName; }
  void SetName(const String& Value);
  // Pixels; negative values give the character height (without internal leading).
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value);
  // Points at PixelsPerInch: Height = -MulDiv(Size, PixelsPerInch, 72).
  Integer Size() const;
  void SetSize(Integer Value);
  Integer PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(Integer Value) { FPixelsPerInch = Value > 0 ? Value : 96; }
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  // The text colour: not part of the font object, so changing it keeps the handle.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  // Tenths of a degree, counter-clockwise.
  Integer Orientation() const { return FOrientation; }
  void SetOrientation(Integer Value);
  TFontQuality Quality() const { return FQuality; }
  void SetQuality(TFontQuality Value);

 private:
  // The font object changes: listeners hear of it while the old object still exists, so a
  // canvas can take it out of its DC before it is deleted.
  void HandleDataChanged();

  win::HFONT FHandle = nullptr;
  String FName = "MS Sans Serif";
  Integer FHeight = -11;
  Integer FPixelsPerInch = 96;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = 1;  // DEFAULT_CHARSET
  TFontPitch FPitch = fpDefault;
  Integer FOrientation = 0;
  TFontQuality FQuality = fqDefault;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
  pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
// The ROP2 code (R2_*) a pen mode draws with.
int PenModeToRop2(TPenMode Mode);

class TPen : public TGraphicsObject {
 public:
  TPen() = default;
  ~TPen() override;

  void Assign(TPersistent* Source) override;

  win::HPEN Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value);  // values below 1 are ignored
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  // The canvas applies the mode (SetROP2) when it selects the pen; the pen object keeps it.
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);

 private:
  void HandleDataChanged();

  win::HPEN FHandle = nullptr;
  TColor FColor = clBlack;
  Integer FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
 public:
  TBrush() = default;
  ~TBrush() override;

  void Assign(TPersistent* Source) override;

  // A solid, hatch or pattern brush, or the stock null brush for bsClear.
  win::HBRUSH Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // A pattern (its top-left 8x8 pixels) that wins over Style. Not owned: the caller keeps the
  // bitmap alive while the brush uses it; null clears it.
  TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value);

 private:
  void HandleDataChanged();

  win::HBRUSH FHandle = nullptr;
  bool FOwnsHandle = false;
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
};

}  // namespace fw
