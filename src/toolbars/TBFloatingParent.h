#pragma once
// The small tool form that holds one floating dockable window. It has no system caption: it
// draws its own small caption with a close button, reports its own hit codes (close button,
// caption) and hands caption drags, edge sizing and the close button to the window's loops. It
// keeps the owner form's caption active while the floating window is used and forwards a close
// request to the owner's main form. Themed parents replace the frame drawing.

#include "framework/Forms.h"
#include "toolbars/TBDockableWindow.h"

namespace toolbars {

// Parts of the floating frame that can be redrawn separately.
using TTBFloatingRedraw = unsigned char;
inline constexpr TTBFloatingRedraw twrdBorder = 0x01, twrdCaption = 0x02, twrdCloseButton = 0x04,
                                   twrdAll = 0x07;

class TTBFloatingWindowParent : public fw::TCustomForm {
 public:
  explicit TTBFloatingWindowParent(fw::TComponent* AOwner);
  ~TTBFloatingWindowParent() override;

  TTBCustomDockableWindow* DockableWindow() const { return FDockableWindow; }
  fw::TCustomForm* ParentForm() const { return FParentForm; }
  bool CloseButtonDown() const { return FCloseButtonDown; }
  bool ShouldShow() const { return FShouldShow; }

  // Caption band (window coordinates) and the close button square at its right end.
  TRect GetCaptionRect(bool AdjustForBorder, bool MinusCloseButton) const;
  TRect GetCloseButtonRect(bool AdjustForBorder) const;

  // ---- virtual operations, in the order subclasses rely on ----
  virtual void DrawNCArea(bool DrawToDC, win::HDC ADC, win::HRGN Clip, TTBFloatingRedraw RedrawWhat);
  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(fw::TCreateParams& Params) override;
  void RedrawNCArea(TTBFloatingRedraw RedrawWhat);

  friend class TTBCustomDockableWindow;
  friend class TTBDragLoop;

  TTBCustomDockableWindow* FDockableWindow = nullptr;
  fw::TCustomForm* FParentForm = nullptr;
  bool FCloseButtonDown = false, FShouldShow = false;
};

}  // namespace toolbars
