#pragma once
// The dock: a strip along one edge of a form (or of any parent control) on which dockable
// windows sit in rows. It keeps the list of windows that belong to it, arranges the shown ones
// into rows whenever something changes (wrapping, squeezing gaps, shrinking chevron windows,
// stretching), sizes itself to its rows, draws bound lines and an optional shared background.
// The drag loop steers the arrangement through the drag fields while a window is dragged over it.

#include <functional>
#include <vector>

#include "framework/Colors.h"
#include "framework/Controls.h"
#include "toolbars/TBCommon.h"

namespace toolbars {

class TTBCustomDockableWindow;

enum TTBDockPosition : unsigned char { dpTop, dpBottom, dpLeft, dpRight };
using TTBDockableTo = unsigned char;  // bit set of 1 << TTBDockPosition
inline constexpr TTBDockableTo DockableToAll = 0x0F;
inline constexpr TTBDockableTo DockableBit(TTBDockPosition P) { return TTBDockableTo(1u << P); }

enum TTBDockBoundLine : unsigned char { blTop, blBottom, blLeft, blRight };
using TTBDockBoundLines = unsigned char;  // bit set of 1 << TTBDockBoundLine

// What a window's layout is asked for.
enum TTBDockType : unsigned char { dtNotDocked, dtFloating, dtTopBottom, dtLeftRight };
TTBDockType GetDockTypeOf(const class TTBDock* Control, bool Floating);

enum TTBShrinkMode : unsigned char { tbsmNone, tbsmWrap, tbsmChevron };

// A shared background: something that can fill a dock and the windows on it.
class TTBBasicBackground : public fw::TComponent {
 public:
  using TChangeProc = std::function<void()>;
  using fw::TComponent::TComponent;
  virtual void Draw(win::HDC DC, const TRect& DrawRect) = 0;
  virtual win::HPALETTE GetPalette() = 0;
  // Proc is identified by Owner (one handler per owner).
  virtual void RegisterChanges(void* Owner, TChangeProc Proc) = 0;
  virtual void SysColorChanged() = 0;
  virtual void UnregisterChanges(void* Owner) = 0;
  virtual bool UsingBackground() = 0;
};

using TTBInsertRemoveEvent = std::function<void(fw::TObject* Sender, bool Inserting, TTBCustomDockableWindow* Bar)>;
using TTBRequestDockEvent = std::function<void(fw::TObject* Sender, TTBCustomDockableWindow* Bar, bool& Accept)>;

class TTBDock : public fw::TCustomControl {
 public:
  explicit TTBDock(fw::TComponent* AOwner);
  ~TTBDock() override;

  // ---- properties ----
  bool AllowDrag() const { return FAllowDrag; }
  void SetAllowDrag(bool Value);
  TTBBasicBackground* Background() const { return FBackground; }
  void SetBackground(TTBBasicBackground* Value);
  bool BackgroundOnToolbars() const { return FBackgroundOnToolbars; }
  void SetBackgroundOnToolbars(bool Value);
  TTBDockBoundLines BoundLines() const { return FBoundLines; }
  void SetBoundLines(TTBDockBoundLines Value);
  bool FixAlign() const { return FFixAlign; }
  void SetFixAlign(bool Value);
  bool LimitToOneRow() const { return FLimitToOneRow; }
  void SetLimitToOneRow(bool Value);
  TTBDockPosition Position() const { return FPosition; }
  // Raises EInvalidOperation while the dock holds controls.
  void SetPosition(TTBDockPosition Value);
  TTBInsertRemoveEvent OnInsertRemoveBar;
  TTBRequestDockEvent OnRequestDock;

  // ---- arrangement ----
  void BeginUpdate();
  void EndUpdate();  // at 0 runs a postponed ArrangeToolbars
  bool HasVisibleToolbars() const;
  bool ToolbarVisibleOnDock(const TTBCustomDockableWindow* AToolbar) const;
  Integer GetToolbarCount() const { return Integer(FDockVisibleList.size()); }
  TTBCustomDockableWindow* GetToolbars(Integer Index) const { return FDockVisibleList.at(size_t(Index)); }
  const std::vector<TTBCustomDockableWindow*>& DockList() const { return FDockList; }
  // Copies every shown window's effective row and position into DockRow and DockPos.
  void CommitPositions();
  Integer GetHighestRow(bool UseEffective) const;
  // Largest thickness in the effective row; FullSizeRow gets FullSize of its last window.
  Integer GetRowSize(Integer Row, bool& FullSizeRow) const;
  // Largest RowThickness among the other windows of the effective row.
  Integer GetMinRowSize(Integer Row, const TTBCustomDockableWindow* ExcludeWindow) const;
  Integer GetDesignModeRowOf(Integer Pos) const;
  // Resizes the dock keeping its docked edge still.
  void ChangeWidthHeight(Integer NewWidth, Integer NewHeight);
  Integer NonClientWidth() const { return FNonClientWidth; }
  Integer NonClientHeight() const { return FNonClientHeight; }

  // ---- drag state (written by the drag loop) ----
  TTBCustomDockableWindow* DragWindow() const { return FDragWindow; }
  bool DragSplitting() const { return FDragSplitting; }
  bool KeepDragIndex() const { return FKeepDragIndex; }
  bool CommitNewPositions() const { return FCommitNewPositions; }

  // ---- virtual operations, in the order subclasses rely on ----
  // Whether a dragged window may dock here (AllowDrag in the base).
  virtual bool Accepts(TTBCustomDockableWindow* AWindow);
  virtual void DrawBackground(win::HDC DC, const TRect& DrawRect);
  virtual bool UsingBackground();
  virtual void ArrangeToolbars();

  // The background's palette while a background is used; nil otherwise.
  win::HPALETTE GetPalette();

  // Raises EInvalidOperation inside a dockable window or another dock.
  void SetParent(fw::TWinControl* AParent) override;
  void Dispatch(TMessage& Message) override;

 protected:
  void Loaded() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  void AlignControls(fw::TControl* AControl, TRect& Rect) override;
  void CreateParams(fw::TCreateParams& Params) override;
  void Paint() override;

  // Window list upkeep, called by the dockable window.
  void ChangeDockList(bool Insert, TTBCustomDockableWindow* Bar);
  void ChangeDockVisibleList(TTBCustomDockableWindow* Bar, bool Removing);

  // Bound lines in the frame (only while a window is shown).
  void DrawNCArea(win::HDC DC);
  // Repaints the dock and every window shown on it (frames, children, erasing).
  void InvalidateBackgrounds();

  friend class TTBCustomDockableWindow;
  friend class TTBDragLoop;

  bool FDragSplitting = false, FKeepDragIndex = false;
  TTBCustomDockableWindow* FDragWindow = nullptr;
  bool FCommitNewPositions = false;
  Integer FDisableArrangeToolbars = 0;
  bool FArrangeToolbarsNeeded = false;
  Integer FNonClientWidth = 0, FNonClientHeight = 0;
  std::vector<TTBCustomDockableWindow*> FDockList, FDockVisibleList;

 private:
  bool FAllowDrag = true, FBackgroundOnToolbars = true, FFixAlign = false, FLimitToOneRow = false;
  TTBBasicBackground* FBackground = nullptr;
  TTBDockBoundLines FBoundLines = 0;
  TTBDockPosition FPosition = dpTop;
};

}  // namespace toolbars
