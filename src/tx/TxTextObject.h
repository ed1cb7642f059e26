#pragma once
// The text object: a panel object that shows its caption with DrawText inside margins, wrapped
// or shortened with an ellipsis, its accelerator underlined or not, embossed when disabled, and
// that takes the height of its text when AutoSize is on. Labels, check boxes, radio buttons and
// buttons of the control set are built on it.

#include <memory>

#include "framework/StdCtrlsTypes.h"
#include "tx/TxPanelObject.h"

namespace fw {
class TCanvas;
class TFont;
}  // namespace fw

namespace tx {

enum TTextWrapping : fw::Byte { twNone, twEndEllipsis, twPathEllipsis, twWrap };

// The DrawText flags of a text object: for painting, or (DT_CALCRECT) for measuring.
fw::Cardinal TextPaintFlags(TTextWrapping Wrapping, fw::TAlignment Alignment, bool ShowAccelChar);
fw::Cardinal TextMeasureFlags(TTextWrapping Wrapping);

class TTxTextObject : public TTxPanelObject {
 public:
  explicit TTxTextObject(fw::TComponent* AOwner);

  fw::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(fw::TAlignment Value);
  TTxControlMargins* Margins() const { return FMargins.get(); }
  void SetMargins(TTxControlMargins* Value) { FMargins->Assign(Value); }
  TTextWrapping Wrapping() const { return FWrapping; }
  void SetWrapping(TTextWrapping Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);

  virtual void DoAdjustFont(fw::TFont* Font);
  // The height the caption needs at the current width, margins included.
  virtual void GetTextHeight(fw::TCanvas* Canvas, Integer& Height);
  virtual Integer DoDrawText(fw::TCanvas* Canvas, TRect& Rect, fw::Cardinal Flags);
  virtual void MarginsChanged();
  virtual void GetFocusRect(const TRect& Rect, TRect& FocusRect);
  virtual String GetCaption();
  virtual fw::TAlignment GetAlignment();
  virtual void GetTextMargins(TRect& Rect);

  // With AutoSize, takes the height of the text.
  void AdjustBounds();
  bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override;
  void Dispatch(fw::TMessage& Message) override;

 protected:
  void CreateParams(fw::TCreateParams& Params) override;
  void Loaded() override;
  void Paint() override;

 private:
  bool CanAdjust();
  Integer MeasureHeight();
  // The client rectangle less Margins; a rectangle less GetTextMargins.
  TRect MarginRect();
  TRect TextRect(const TRect& R);

  fw::TAlignment FAlignment = fw::taLeftJustify;
  std::unique_ptr<TTxControlMargins> FMargins;
  TTextWrapping FWrapping = twNone;
  bool FShowAccelChar = true;
  bool FAdjusting = false;
};

}  // namespace tx
