#pragma once
// An item viewer stands for one item in one view: it decides what of the item is drawn, measures
// and paints it, tells whether a point lies in its button part, answers the mouse and keys while
// the menu loop runs, and reports the item's hint and accessibility role. Themed viewers override
// the virtual operations below and call them first.

#include <memory>

#include "framework/Controls.h"
#include "toolbars/TBItem.h"

namespace fw {
class TCanvas;
}

namespace toolbars {

class TTBItemViewerAccObject;
class TTBCustomAccObject;
using TTBAccRef = std::shared_ptr<TTBCustomAccObject>;
class TTBItemViewer;
TTBAccRef ViewerAccObject(TTBItemViewer* Viewer);

// Viewer flags.
inline constexpr Byte tbvfNeedsRepaint = 0x01, tbvfLineSep = 0x02;

class TTBItemViewer : public TObject {
 public:
  // Made through TTBItemViewerClass::Create, which calls AfterConstruction.
  TTBItemViewer(TTBView* AView, TTBCustomItem* AItem, Integer AGroupLevel);
  ~TTBItemViewer() override;
  virtual void AfterConstruction() {}

  TTBView* View() const { return FView; }
  TTBCustomItem* Item() const { return FItem; }
  // Position in the view's window (client coordinates).
  const TRect& BoundsRect() const { return FBoundsRect; }
  bool Show() const { return FShow; }
  bool Clipped() const { return FClipped; }
  bool OffEdge() const { return FOffEdge; }
  Integer GroupLevel() const { return FGroupLevel; }
  Byte Flags() const { return FFlags; }
  bool IsLineSeparator() const { return (FFlags & tbvfLineSep) != 0; }

  // Runs DoExecute; when it ran and AGivePriority, the viewer gets the highest priority.
  void Execute(bool AGivePriority);
  // The hint to show: the short hint, or the caption, with the shortcut when the application
  // shows shortcuts in hints.
  virtual String GetHintText();
  // The item's Images, else the SubMenuImages up the chain of views.
  fw::TCustomImageList* GetImageList();
  Integer GetIndex();
  // Caption drawn top to bottom (vertical view).
  bool IsRotated();
  bool ImageShown();
  // Client rectangle of the viewer's bounds in screen coordinates.
  TRect ScreenBoundsRect();
  // The accessibility object while someone holds it (TBAcc.h ViewerAccObject makes one).
  TTBItemViewerAccObject* AccObject() const { return FAccObject; }

  // ---- virtual operations, in the order subclasses rely on ----
  virtual void CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight);
  // Records the click in the root view (the loop ends); true when it did.
  virtual bool DoExecute();
  virtual void DrawItemCaption(fw::TCanvas* Canvas, TRect ARect, const String& ACaption, bool ADrawDisabledShadow,
                               win::UINT AFormat);
  virtual void Entering(TTBItemViewer* OldSelected);
  virtual Integer GetAccRole();
  virtual bool GetAccValue(fw::WideString& Value);
  virtual String GetCaptionText();
  virtual void GetCursor(const TPoint& P, win::HCURSOR& ACursor);
  virtual bool IsToolbarSize();
  virtual bool IsPtInButtonPart(Integer X, Integer Y);
  virtual void KeyDown(Word& Key, fw::TShiftState Shift);
  virtual void Leaving();
  virtual void LosingCapture();
  virtual void MouseDown(fw::TShiftState Shift, Integer X, Integer Y, bool& MouseDownOnMenu);
  virtual void MouseMove(Integer X, Integer Y);
  virtual void MouseUp(Integer X, Integer Y, bool MouseWasDownOnMenu);
  virtual void MouseWheel(Integer WheelDelta, Integer X, Integer Y);
  virtual void Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
                     bool UseDisabledShadow);
  virtual bool UsesSameWidth();
  virtual bool IsToolbarStyle();
  virtual bool CaptionShown();

 protected:
  friend class TTBView;
  friend class TTBItemViewerAccObject;
  friend TTBAccRef ViewerAccObject(TTBItemViewer* Viewer);
  TTBView* FView;
  TTBCustomItem* FItem;
  TRect FBoundsRect{};
  bool FClipped = false;
  bool FOffEdge = false;
  bool FShow = false;
  Integer FGroupLevel;
  Byte FFlags = 0;
  TTBItemViewerAccObject* FAccObject = nullptr;
};

class TTBSeparatorItemViewer : public TTBItemViewer {
 public:
  using TTBItemViewer::TTBItemViewer;
  void CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) override;
  void Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
  bool UsesSameWidth() override { return false; }
};

}  // namespace toolbars
