#pragma once
// The dockable panel: a resizable tool window that docks on the edge docks of a form, stacks with
// other panels in a multi-dock (TxMultiDock.h) or floats in a themed floating frame. It keeps a
// size for each situation (docked, floating, its share of a multi-dock), paints its docked frame
// (border, caption bar, close button) through the current theme, and is resized with the mouse
// at the edge facing the form (docked resize) or at the edge shared with a neighbour in a
// multi-dock (split resize).

#include <functional>

#include "framework/Sets.h"
#include "toolbars/TBDockableWindow.h"
#include "tx/TxThemesTypes.h"

namespace tx {

enum TDPCaptionRotation : Byte { dpcrAuto, dpcrAlwaysHorz, dpcrAlwaysVert };
enum TDockKind : Byte { dkStandardDock, dkMultiDock };
using TDockKinds = fw::TSet<TDockKind>;
enum TTxResizingStage : Byte { rsBeginResizing, rsResizing, rsEndResizing };

using TTxDockedResizing = std::function<void(fw::TObject* Sender, bool Vertical, Integer& NewSize,
                                             TTxResizingStage Stage, bool& AllowResize)>;
// Reads one stored integer (Default when absent) and writes one.
using TPositionReadIntProc = std::function<Integer(const String& Name, Integer Default)>;
using TPositionWriteIntProc = std::function<void(const String& Name, Integer Value)>;

// Hit-test codes of the edges shared with a neighbour in a multi-dock.
inline constexpr Integer HTSPLITLEFT = 86, HTSPLITRIGHT = 87, HTSPLITTOP = 88, HTSPLITBOTTOM = 89;

class TTxDockablePanel : public toolbars::TTBCustomDockableWindow {
 public:
  explicit TTxDockablePanel(fw::TComponent* AOwner);
  ~TTxDockablePanel() override;

  // ---- properties ----
  Integer BorderSize() const { return FBorderSize; }
  void SetBorderSize(Integer Value);
  TDPCaptionRotation CaptionRotation() const { return FCaptionRotation; }
  void SetCaptionRotation(TDPCaptionRotation Value);
  Integer DockedWidth() const { return FDockedWidth; }
  void SetDockedWidth(Integer Value);
  Integer DockedHeight() const { return FDockedHeight; }
  void SetDockedHeight(Integer Value);
  Integer FloatingWidth() const { return FFloatingWidth; }
  void SetFloatingWidth(Integer Value);
  Integer FloatingHeight() const { return FFloatingHeight; }
  void SetFloatingHeight(Integer Value);
  Integer SplitWidth() const { return FSplitWidth; }
  void SetSplitWidth(Integer Value);
  Integer SplitHeight() const { return FSplitHeight; }
  void SetSplitHeight(Integer Value);
  Integer MinClientWidth() const { return FMinClientWidth; }
  void SetMinClientWidth(Integer Value) { FMinClientWidth = Value < 8 ? 8 : Value; }
  Integer MinClientHeight() const { return FMinClientHeight; }
  void SetMinClientHeight(Integer Value) { FMinClientHeight = Value < 8 ? 8 : Value; }
  // 0, or any value not above the minimum: no limit.
  Integer MaxClientWidth() const { return FMaxClientWidth; }
  void SetMaxClientWidth(Integer Value) { FMaxClientWidth = Value; }
  Integer MaxClientHeight() const { return FMaxClientHeight; }
  void SetMaxClientHeight(Integer Value) { FMaxClientHeight = Value; }
  bool ShowCaptionWhenDocked() const { return FShowCaptionWhenDocked; }
  void SetShowCaptionWhenDocked(bool Value);
  bool SmoothDockedResize() const { return FSmoothDockedResize; }
  void SetSmoothDockedResize(bool Value) { FSmoothDockedResize = Value; }
  Integer SnapDistance() const { return FSnapDistance; }
  void SetSnapDistance(Integer Value);
  TDockKinds SupportedDocks() const { return FSupportedDocks; }
  void SetSupportedDocks(TDockKinds Value) { FSupportedDocks = Value; }
  TTxDockedResizing OnDockedResizing;

  // ---- state ----
  fw::TColor EffectiveColor() const { return FEffectiveColor; }
  bool DockedResizingNow() const { return FDockedResizing; }
  bool SplitResizingNow() const { return FSplitResizing; }
  // VT_DOCKPANEL_NORMAL with the floating and resizable bits.
  Integer GetPanelViewType();
  // True when docked on a top or bottom dock.
  bool DockedTopBottom() const;
  // Whether the edge of the split hit code (HTSPLIT*) is shared with a neighbour in a multi-dock.
  bool CanSplitResize(Integer Side);
  // The window-size limits of the client limits (a limit above 0 plus the docked frame).
  void GetWindowSizeLimits(Integer& MinWidth, Integer& MinHeight, Integer& MaxWidth, Integer& MaxHeight);

  // The six sizes under "DPDockedWidth" ... "DPSplitHeight", in this order.
  void ReadPositionData(const TPositionReadIntProc& Read);
  void WritePositionData(const TPositionWriteIntProc& Write);

  // ---- virtual operations ----
  virtual bool BeginDockedResizing(bool Vertical);
  virtual bool DockedResizing(bool Vertical, Integer& NewSize);
  virtual bool EndDockedResizing(bool Vertical);
  virtual void GetDockPanelInfo(TTxDockPanelInfo& Info);
  virtual bool IsVertCaption();

  void GetDockedNCAreaSize(TPoint& Size) override;
  void GetDockedCloseButtonRect(bool LeftRight, TRect& R) override;
  bool CanDockTo(toolbars::TTBDock* ADock) override;
  void GetBaseSize(TPoint& ASize) override;
  TPoint OrderControls(bool CanMoveControls, toolbars::TTBDockType PreviousDockType,
                       toolbars::TTBDock* DockingTo) override;
  void GetMinMaxSize(Integer& AMinClientWidth, Integer& AMinClientHeight, Integer& AMaxClientWidth,
                     Integer& AMaxClientHeight) override;
  void SizeChanging(Integer AWidth, Integer AHeight) override;
  void GetFloatingBorderSize(TPoint& Size) override;
  toolbars::TTBFloatingWindowParentClass GetFloatingWindowParentClass() override;
  void ResizeEnd() override;
  void DrawNCArea(bool DrawToDC, win::HDC ADC, win::HRGN Clip) override;
  void SetParent(fw::TWinControl* AParent) override;
  void AdjustClientRect(TRect& Rect) override;
  void Dispatch(fw::TMessage& Message) override;

  // ---- for the multi-dock's arrangement ----
  void SetDockedLengthLimit(Integer Value) { FCurrentSize = Value; }
  void SetEffectivePlace(Integer Pos) {
    FEffectiveDockPos = Pos;
    FEffectiveDockRow = 0;
  }
  // Bounds set by the panel or its dock, which leave the stored sizes alone.
  void SetBoundsInternally(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);

 protected:
  void Loaded() override;

 private:
  // The size of the client for ADock (nil: floating).
  TPoint SizeForDock(toolbars::TTBDock* ADock);
  // The docked frame the panel has (or would have) on ADock.
  TPoint NCSizeFor(toolbars::TTBDock* ADock);
  bool VertCaptionOn(toolbars::TTBDock* ADock) const;
  void UpdateEffectiveColor();
  void BroadcastParentColor();
  void ThemeChange(fw::TMessage& Message);
  void NCCalcSize(fw::TMessage& Message);
  void NCHitTest(fw::TMessage& Message);
  void SetCursorFor(fw::TMessage& Message);
  void NCLButtonDown(fw::TMessage& Message);
  void RecalcDockedFrame();
  // The modal mouse loops (TxDkPanelsResize.cpp); PressedAt is the press's screen point, which
  // the sizes are measured from.
  void DockedResize(Integer HitCode, win::POINT PressedAt);
  void SplitResize(Integer HitCode, win::POINT PressedAt);

  Integer FBorderSize = 0;
  TDPCaptionRotation FCaptionRotation = dpcrAuto;
  Integer FDockedWidth = 128, FDockedHeight = 128;
  Integer FFloatingWidth = 0, FFloatingHeight = 0;
  Integer FSplitWidth = 0, FSplitHeight = 0;
  Integer FMinClientWidth = 32, FMinClientHeight = 32, FMaxClientWidth = 0, FMaxClientHeight = 0;
  bool FShowCaptionWhenDocked = true, FSmoothDockedResize = true;
  Integer FSnapDistance = 0;
  TDockKinds FSupportedDocks{dkStandardDock, dkMultiDock};
  fw::TColor FEffectiveColor = 0;
  bool FDockedResizing = false, FSplitResizing = false;
  Integer FInternalSizing = 0;
};

}  // namespace tx
