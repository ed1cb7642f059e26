#pragma once
// The control set's self-drawn text controls share TCsTextObject: a wide caption and hint, an
// optional glyph from an image list, a glowing caption, a link opened through the shell, custom
// drawing in two stages and a theme type. TCsLabel is the plain caption; the button controls
// are in CsButtons.h.

#include <memory>

#include "controls/CsDrawing.h"
#include "controls/CsThemedControl.h"
#include "controls/UniActions.h"
#include "controls/UniControls.h"
#include "framework/ImageList.h"
#include "framework/StdCtrlsTypes.h"
#include "tx/TxPanelObject.h"
#include "tx/TxTextObject.h"

namespace cs {

using TCsDrawEvent = std::function<void(fw::TObject* Sender, fw::TCanvas* ACanvas, fw::TRect& ARect,
                                        TCsPaintStage PaintStage, bool& PaintDefault)>;
using TCsDrawTextEvent =
    std::function<void(fw::TObject* Sender, fw::TCanvas* ACanvas, const fw::TRect& ClientAreaRect, WideString& ACaption,
                       fw::TRect& CaptionRect, bool IsTextRotated, TCsPaintStage PaintStage, bool& PaintDefault)>;
// Draws the hint into AHintBitmap (already sized to AHint and filled with the hint colours);
// leaving PaintDefault true shows the standard hint with AHint instead.
using TCsDrawHintEvent =
    std::function<void(fw::TObject* Sender, fw::TBitmap* AHintBitmap, WideString& AHint, bool& PaintDefault)>;
using TCsGetImageIndexEvent =
    std::function<void(fw::TObject* Sender, fw::TCustomImageList*& ImageList, fw::Integer& ImageIndex)>;

class TCsTextObject : public TCsThemed<fw::TCustomControl> {
 public:
  explicit TCsTextObject(fw::TComponent* AOwner);
  ~TCsTextObject() override;

  WideString Caption() { return WideControlText(this); }
  void SetCaption(const WideString& Value) { SetWideControlText(this, Value); }
  WideString Hint() { return WideControlHint(this); }
  void SetHint(const WideString& Value) { SetWideControlHint(this, Value); }
  fw::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(fw::TAlignment Value);
  bool CaptionGlow() const { return FCaptionGlow; }
  void SetCaptionGlow(bool Value);
  fw::TColor CaptionGlowColor() const { return FCaptionGlowColor; }
  void SetCaptionGlowColor(fw::TColor Value);
  bool Checked() const { return FChecked; }
  virtual void SetChecked(bool Value);
  fw::TCustomImageList* Images() const { return FImages; }
  void SetImages(fw::TCustomImageList* Value);
  fw::Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(fw::Integer Value);
  // Opened through the shell on click; the caption takes LinkFont while the pointer is over it.
  WideString LinkText() const { return FLinkText; }
  void SetLinkText(const WideString& Value) { FLinkText = Value; }
  WideString LinkTextParams() const { return FLinkTextParams; }
  void SetLinkTextParams(const WideString& Value) { FLinkTextParams = Value; }
  fw::TFont* LinkFont() const { return FLinkFont.get(); }
  void SetLinkFont(fw::TFont* Value) { FLinkFont->Assign(Value); }
  // Sizes the control to its caption and glyph.
  bool AutoSize() const { return FAutoSizeText; }
  void SetAutoSize(bool Value) override;
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  // Space kept free round the caption and glyph; an auto-sized control grows by it.
  tx::TTxControlMargins* Margins() const { return FMargins.get(); }
  void SetMargins(tx::TTxControlMargins* Value) { FMargins->Assign(Value); }
  // One line as it is, one line shortened with an ellipsis at its end or in its middle (paths),
  // or lines broken between words.
  tx::TTextWrapping Wrapping() const { return FWrapping; }
  void SetWrapping(tx::TTextWrapping Value);
  // The pointer pressed inside and still over the control.
  bool Pushed() const { return FPushed; }
  // Painted whole in Paint: the erase of a DC other than the paint's is skipped. On by default.
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }

  TCsDrawEvent OnDraw;
  TCsDrawTextEvent OnDrawCaption;
  TCsDrawHintEvent OnDrawHint;
  TCsGetImageIndexEvent OnGetImageIndex;

  // A text object is not a place for the focus; the button controls are.
  bool CanFocus() override { return false; }
  void Click() override;
  void SetBounds(fw::Integer ALeft, fw::Integer ATop, fw::Integer AWidth, fw::Integer AHeight) override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  void Dispatch(fw::TMessage& Message) override;
  // Caption and glyph rectangles as painted now, and their union.
  void GetTextRects(fw::TRect& UnionRect, fw::TRect& TextRect, fw::TRect& GlyphRect);
  // Width and height the caption and glyph need.
  void AdjustBounds();

 protected:
  virtual void DoDrawHint(fw::TBitmap* AHintBitmap, WideString& AHint, bool& PaintDefault);
  virtual bool DoDraw(fw::TCanvas* ACanvas, fw::TRect& ARect, TCsPaintStage PaintStage);
  virtual void DoGetImageIndex(fw::TCustomImageList*& ImageList, fw::Integer& ImageIndex);
  virtual void GetFocusRect(const fw::TRect& R, const fw::TRect& TextRect, const fw::TRect& GlyphRect,
                            fw::TRect& FocusRect);
  virtual bool IsPushed();
  virtual void DoLinkClick();
  // Space inside the client rectangle kept free of text (left, top, right, bottom).
  virtual fw::TRect GetTextMargins() { return {0, 0, 0, 0}; }
  // Extra size an auto-sized control adds to its caption and glyph.
  virtual fw::TSize AutoSizeExtra() { return {0, 0}; }
  // Draws the glyph of a check box or radio button, when the control has one (true).
  virtual bool DrawOwnGlyph(fw::TCanvas* ACanvas, const fw::TRect& GlyphRect) { return false; }
  virtual fw::TSize OwnGlyphSize() { return {0, 0}; }
  virtual void DoAdjustFont(fw::TCanvas* ACanvas);
  void DoDrawText(fw::TCanvas* ACanvas, fw::TRect& ARect, win::UINT Format);
  // DrawText flags of the caption when painting and when measuring (without DT_CALCRECT, which
  // the layout adds), from the wrapping, alignment and accelerator settings.
  win::UINT DrawFormat() const;
  win::UINT MeasureFormat() const;
  // The client rectangle less Margins.
  fw::TRect MarginRect();
  void Paint() override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, fw::Integer X, fw::Integer Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, fw::Integer X, fw::Integer Y) override;
  void MouseMove(fw::TShiftState Shift, fw::Integer X, fw::Integer Y) override;
  void CMTextChanged(fw::TMessage& Message) override;
  // With OnDrawHint: the hint drawn into HintBitmap, shown by TBitmapHint unless the handler
  // leaves the standard hint.
  void CMHintShow(fw::TMessage& Message) override;
  TActionLinkFactory GetActionLinkClass() override;
  void ActionChange(fw::TObject* Sender, bool CheckDefaults) override;
  void CMFontChanged(fw::TMessage& Message) override;
  void WMSetCursor(fw::TMessage& Message) override;
  void CMMouseLeave(fw::TMessage& Message) override;
  void DoEnter() override;
  void SetPushed(bool Value);
  bool PushedOffset = false;       // caption and glyph move while pushed
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);

 private:
  fw::TAlignment FAlignment = fw::taLeftJustify;
  bool FCaptionGlow = false;
  fw::TColor FCaptionGlowColor = 0x00FFFF;
  bool FChecked = false;
  fw::TCustomImageList* FImages = nullptr;
  fw::Integer FImageIndex = -1;
  WideString FLinkText, FLinkTextParams;
  std::unique_ptr<fw::TFont> FLinkFont;
  bool FAutoSizeText = true;
  bool FShowAccelChar = true;
  std::unique_ptr<tx::TTxControlMargins> FMargins;
  tx::TTextWrapping FWrapping = tx::twNone;
  bool FPushed = false;
  bool FMouseDown = false;
  bool FAdjusting = false;
  // Set while a press takes the focus: the control is then not scrolled into view.
  bool FNoScrollIntoView = false;
  bool FDoubleBuffered = true;
  // Ends the hot state and the shared timer's watch over this control.
  void LeaveHot();
  void TakeFocusOnPress();
  void EraseBackground(fw::TMessage& Message);
};

// The action's wide caption and hint, Checked (through SetChecked) and ImageIndex reach the
// control; Checked is linked only while the control's equals the action's.
class TCsTextObjectActionLink : public TUniWinControlActionLink {
 public:
  explicit TCsTextObjectActionLink(TCsTextObject* AClient) : TUniWinControlActionLink(AClient) {}
  bool IsCheckedLinked() override;
  void SetChecked(bool Value) override;
  void SetImageIndex(fw::Integer Value) override;

 private:
  TCsTextObject* TextObject() const { return static_cast<TCsTextObject*>(FClient); }
};

class TCsLabel : public TCsTextObject {
 public:
  explicit TCsLabel(fw::TComponent* AOwner);

  fw::TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(fw::TWinControl* Value);
  // A line in UnderlineColor along the bottom row.
  bool Underline() const { return FUnderline; }
  void SetUnderline(bool Value);
  fw::TColor UnderlineColor() const { return FUnderlineColor; }
  void SetUnderlineColor(fw::TColor Value);

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 protected:
  bool DoDraw(fw::TCanvas* ACanvas, fw::TRect& ARect, TCsPaintStage PaintStage) override;
  fw::TSize AutoSizeExtra() override { return {0, FUnderline ? 1 : 0}; }
  void CMDialogChar(fw::TMessage& Message) override;

 private:
  fw::TWinControl* FFocusControl = nullptr;
  bool FUnderline = false;
  fw::TColor FUnderlineColor;
};

}  // namespace cs
