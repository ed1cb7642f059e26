#pragma once
// A title bar that replaces the caption and border of its form: the form becomes a borderless
// popup, the bar fills it with a 3-pixel frame it paints itself (through the current theme),
// its embedded toolbar holds the system, minimize, maximize and close buttons, and the bar's
// edges and corners size the form, its caption strip moves it, a double click maximizes and
// restores it and a right click opens the system menu.

#include "controls/CsStatusBar.h"
#include "framework/Forms.h"

namespace cs {

// The title toolbar keeps its last item 3 pixels from the right edge; a press on no item (or
// on a label) moves the form, a double click maximizes or restores it, a right click opens
// the system menu.
class TCsTitleToolbar : public TCsToolbar {
 public:
  explicit TCsTitleToolbar(fw::TComponent* AOwner) : TCsToolbar(AOwner) {}
  Integer GetRightAlignMargin() override { return 3; }
  void Dispatch(fw::TMessage& Message) override;
};

enum TSpBorderIcon { briSystemMenu, briMinimize, briMaximize, briClose };
using TSpBorderIcons = fw::TSet<TSpBorderIcon>;

class TCsCustomTitleBar;

// The buttons of a title bar, each 17 x 17, in this order: system, spacer, minimize, maximize,
// close.
class TCsTitleBarButtonOptions : public fw::TPersistent {
 public:
  explicit TCsTitleBarButtonOptions(TCsCustomTitleBar* ATitleBar);
  ~TCsTitleBarButtonOptions() override;

  TSpBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TSpBorderIcons Value);
  Integer SystemImageIndex() const { return FSystemImageIndex; }
  void SetSystemImageIndex(Integer Value);
  Integer MinimizeImageIndex() const { return FMinimizeImageIndex; }
  void SetMinimizeImageIndex(Integer Value);
  Integer MaximizeImageIndex() const { return FMaximizeImageIndex; }
  void SetMaximizeImageIndex(Integer Value);
  Integer RestoreImageIndex() const { return FRestoreImageIndex; }
  void SetRestoreImageIndex(Integer Value);
  Integer CloseImageIndex() const { return FCloseImageIndex; }
  void SetCloseImageIndex(Integer Value);

  TCsItem* SystemButton() const { return FSystem; }
  TCsRightAlignSpacerItem* Spacer() const { return FSpacer; }
  TCsItem* MinimizeButton() const { return FMinimize; }
  TCsItem* MaximizeButton() const { return FMaximize; }
  TCsItem* CloseButton() const { return FClose; }
  // The maximize button shows the restore image while the form is maximized.
  void UpdateMaximizeImage();

 private:
  TCsItem* NewButton();
  TCsCustomTitleBar* FTitleBar;
  TSpBorderIcons FBorderIcons;
  Integer FSystemImageIndex = -1, FMinimizeImageIndex = -1, FMaximizeImageIndex = -1, FRestoreImageIndex = -1,
          FCloseImageIndex = -1;
  TCsItem* FSystem = nullptr;
  TCsRightAlignSpacerItem* FSpacer = nullptr;
  TCsItem *FMinimize = nullptr, *FMaximize = nullptr, *FClose = nullptr;
  win::HICON FSmallIcon = nullptr;
};

class TCsCustomTitleBar : public TCsCompoundBar {
 public:
  static constexpr Integer BorderWidth = 3;

  explicit TCsCustomTitleBar(fw::TComponent* AOwner);
  ~TCsCustomTitleBar() override;

  TCsTitleBarButtonOptions* Options() const { return FOptions.get(); }
  // The form the bar sits on; null before it has one.
  fw::TCustomForm* ParentForm() const;
  // Turns the parent form into a borderless popup with the system menu, its height limited to
  // the work area, and arranges the buttons. Runs when the bar is put on a form.
  void AttachToForm();
  bool Maximized() const;
  void ToggleMaximized();

  // The system command (SC_SIZE + 1..8) and cursor of a point of the bar; 0 inside, and
  // always 0 while the form is maximized.
  win::WPARAM SizingCommandAt(const fw::TPoint& P, fw::TCursor* Cursor = nullptr) const;

  void SetParent(fw::TWinControl* AParent) override;
  void AdjustClientRect(TRect& Rect) override;
  void DoDrawDockBackground(fw::TCanvas* ACanvas, TRect& ARect, TCsPaintStage PaintStage,
                            bool& PaintDefault) override;
  void Dispatch(fw::TMessage& Message) override;

 protected:
  void Paint() override;
  // The form's state shows in the size of the bar (it fills the form): the maximize button
  // follows it here.
  void Resize() override;

 private:
  std::unique_ptr<TCsTitleBarButtonOptions> FOptions;
  std::unique_ptr<fw::TBitmap> FCaptionBitmap;
};

class TCsTitleBar : public TCsCustomTitleBar {
 public:
  using TCsCustomTitleBar::TCsCustomTitleBar;
};

// The classic caption bar of a window: its text, active or not, with the gradient when the
// system draws gradient captions.
void PaintWindowCaption(fw::TWinControl* Window, fw::TCanvas* Canvas, const TRect& Rect, bool Active);
// The frame of a form drawing its own title bar, through the current theme's floating-window
// border; with a caption size the caption strip too.
void PaintTitleBarFrame(fw::TWinControl* Window, fw::TCanvas* Canvas, const TRect& Rect, bool Active,
                        Integer CaptionHeight, Integer CaptionWidth);

// The system menu's entries as they stand for the form's state: in the normal state restore is
// grayed and maximize, move and size enabled; maximized the reverse.
void UpdateSystemMenuItems(fw::TCustomForm* Form);
// Carries out a command chosen from the system menu: maximize and restore switch the form's
// state, anything else (not 0) goes to the form as WM_SYSCOMMAND.
void ExecuteSystemCommand(fw::TCustomForm* Form, win::WPARAM Command);
// Shows the form's system menu at a screen point and answers the chosen command (0: none);
// with Execute the command is carried out.
win::WPARAM ShowSystemMenu(fw::TCustomForm* Form, const fw::TPoint& Point, bool Execute);

}  // namespace cs
