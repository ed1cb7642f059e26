#pragma once
// The control set's containers: a panel with a 2-pixel frame and optional hot tracking, and the
// group box with a wide caption on its frame.

#include "controls/CsThemedControl.h"
#include "controls/UniControls.h"
#include "framework/StdCtrlsTypes.h"

namespace cs {

class TCsCustomPanel : public TCsThemed<fw::TCustomControl> {
 public:
  explicit TCsCustomPanel(fw::TComponent* AOwner);

  WideString Caption() { return WideControlText(this); }
  void SetCaption(const WideString& Value) { SetWideControlText(this, Value); }
  WideString Hint() { return WideControlHint(this); }
  void SetHint(const WideString& Value) { SetWideControlHint(this, Value); }

  void Dispatch(fw::TMessage& Message) override;

 protected:
  void Paint() override;
  void AlignControls(fw::TControl* AControl, fw::TRect& Rect) override;
  void ThemeChanged() override;
};

// Frame of a group by the effective theme type (classic: an etched edge).
void PaintGroupFrame(fw::TCanvas* Canvas, const fw::TRect& Rect, bool Enabled, TCsThemeType ThemeType);
// The frame with a caption on its top line, 8 pixels from the left (from the right with
// DT_RTLREADING); the frame's top runs through the middle of the caption.
void PaintCaptionedGroupFrame(fw::TCanvas* Canvas, const fw::TRect& Rect, const WideString& Caption,
                              TCsThemeType ThemeType, bool Enabled, win::UINT Format);

class TCsPanel : public TCsCustomPanel {
 public:
  using TCsCustomPanel::TCsCustomPanel;

  // The frame lights up while the pointer is over the panel or one of its children has the focus.
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  bool Hot() const { return FHot; }

  void Dispatch(fw::TMessage& Message) override;

 protected:
  void Paint() override;
  void AlignControls(fw::TControl* AControl, fw::TRect& Rect) override;

 private:
  void SetHot(bool Value);
  bool FHotTrack = false;
  bool FHot = false;
  bool FChildFocused = false;
};

class TCsGroupBox : public TCsCustomPanel {
 public:
  explicit TCsGroupBox(fw::TComponent* AOwner);

 protected:
  void Paint() override;
  void AlignControls(fw::TControl* AControl, fw::TRect& Rect) override;
  void CMTextChanged(fw::TMessage& Message) override;
  void CMDialogChar(fw::TMessage& Message) override;
};

}  // namespace cs
