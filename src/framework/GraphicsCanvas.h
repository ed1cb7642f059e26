#pragma once
// TCanvas: drawing on a device context with a font, a pen and a brush. The tools are selected
// into the DC only when a drawing call needs them and they changed since (the required-state
// mechanism); a changed tool is taken out of the DC at once, so its old object can be deleted.
// A canvas does not own its DC: descendants that make one (CreateHandle) free it themselves.

#include <memory>
#include <mutex>
#include <vector>

#include "framework/Colors.h"
#include "framework/GraphicsObjects.h"
#include "framework/GraphicsTypes.h"
#include "framework/Persistent.h"
#include "framework/Sets.h"
#include "platform/kernel/WinDef.h"

namespace fw {

class TGraphic;

enum TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStates>;
enum TCanvasOrientation { coLeftToRight, coRightToLeft };

using TCopyMode = Integer;
inline constexpr TCopyMode cmBlackness = 0x00000042, cmDstInvert = 0x00550009, cmMergeCopy = 0x00C000CA,
                           cmMergePaint = 0x00BB0226, cmNotSrcCopy = 0x00330008, cmNotSrcErase = 0x001100A6,
                           cmPatCopy = 0x00F00021, cmPatInvert = 0x005A0049, cmPatPaint = 0x00FB0A09,
                           cmSrcAnd = 0x008800C6, cmSrcCopy = 0x00CC0020, cmSrcErase = 0x00440328,
                           cmSrcInvert = 0x00660046, cmSrcPaint = 0x00EE0086, cmWhiteness = 0x00FF0062;

enum TTextFormats {
  tfBottom, tfCalcRect, tfCenter, tfEditControl, tfEndEllipsis, tfPathEllipsis, tfExpandTabs,
  tfExternalLeading, tfLeft, tfModifyString, tfNoClip, tfNoPrefix, tfRight, tfRtlReading,
  tfSingleLine, tfTop, tfVerticalCenter, tfWordBreak, tfHidePrefix, tfNoFullWidthCharBreak,
  tfPrefixOnly, tfTabStop, tfWordEllipsis
};
using TTextFormat = TSet<TTextFormats>;
// The DT_* flags of a text format.
win::UINT TextFormatToFlags(TTextFormat Format);

class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;

  // The DC, made by CreateHandle when none is set (EInvalidOperation "Canvas does not allow
  // drawing" when that makes none).
  win::HDC Handle();
  // Takes a DC the caller owns; the previous one gets its objects back first.
  void SetHandle(win::HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

  TPoint PenPos();
  void SetPenPos(TPoint Value) { MoveTo(Value.x, Value.y); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
  // ETO_* flags every TextOut passes.
  Integer TextFlags() const { return FTextFlags; }
  void SetTextFlags(Integer Value) { FTextFlags = Value; }
  TCanvasOrientation CanvasOrientation() const { return FOrientation; }
  void SetCanvasOrientation(TCanvasOrientation Value) { FOrientation = Value; }
  // The part of the canvas that can be painted (logical coordinates).
  TRect ClipRect();
  // Paints only inside Rect (logical coordinates), in place of any clip set before.
  void SetClipRect(const TRect& Rect);
  // Takes the clip away: the canvas paints wherever its device lets it.
  void RemoveClip();

  void MoveTo(Integer X, Integer Y);
  void LineTo(Integer X, Integer Y);
  void Polyline(const TPoint* Points, Integer Count);
  void Polyline(const std::vector<TPoint>& Points) { Polyline(Points.data(), Integer(Points.size())); }
  void Polygon(const TPoint* Points, Integer Count);
  void Polygon(const std::vector<TPoint>& Points) { Polygon(Points.data(), Integer(Points.size())); }
  void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Rectangle(const TRect& R) { Rectangle(R.left, R.top, R.right, R.bottom); }
  void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
  void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Ellipse(const TRect& R) { Ellipse(R.left, R.top, R.right, R.bottom); }
  void Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void FillRect(const TRect& Rect);
  void FrameRect(const TRect& Rect);
  void DrawFocusRect(const TRect& Rect);

  void TextOut(Integer X, Integer Y, const String& Text);
  // Text clipped to Rect, starting at (X, Y); with a solid brush the rectangle is filled first.
  void TextRect(const TRect& Rect, Integer X, Integer Y, const String& Text);
  // Formatted text (DrawText); with tfCalcRect Rect receives the size the text needs.
  void TextRect(TRect& Rect, const String& Text, TTextFormat TextFormat);
  TSize TextExtent(const String& Text);
  Integer TextWidth(const String& Text) { return TextExtent(Text).cx; }
  Integer TextHeight(const String& Text) { return TextExtent(Text).cy; }

  TColor Pixels(Integer X, Integer Y);
  void SetPixels(Integer X, Integer Y, TColor Value);

  // Copies Source's rectangle onto Dest with CopyMode, stretching as needed.
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
  void Draw(Integer X, Integer Y, TGraphic* Graphic);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);

  // Serialises drawing from several threads; nesting is allowed.
  void Lock();
  bool TryLock();
  void Unlock();
  Integer LockCount() const { return FLockCount; }

  // Forgets which tools are in the DC, so the next drawing call selects them again.
  void Refresh();

  // Makes sure the DC exists and the tools in ReqState are selected into it.
  void RequiredState(TCanvasState ReqState);
  void Changing();
  void Changed();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  // Called when a DC is needed and none is set; a descendant making its own DC calls SetHandle.
  virtual void CreateHandle() {}
  // Puts the stock objects back into the DC (before it is released or a tool is deleted).
  void DeselectHandles();
  TCanvasState State() const { return FState; }

 private:
  void CreateFont();
  void CreatePen();
  void CreateBrush();
  void FontChanged();
  void PenChanged();
  void BrushChanged();

  win::HDC FHandle = nullptr;
  TCanvasState FState;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  TPoint FPenPos{};
  TCopyMode FCopyMode = cmSrcCopy;
  Integer FTextFlags = 0;
  TCanvasOrientation FOrientation = coLeftToRight;
  std::recursive_mutex FLock;
  Integer FLockCount = 0;
};

}  // namespace fw
