#include "controls/CsTitleBar.h"

#include "controls/UniFiles.h"
#include "framework/ControlMessages.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/user/frames/SysMenu.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/menus/PopupMenu.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/Icons.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"
#include "tx/Tx.h"
#include "tx/TxUxThemes.h"

namespace cs {

namespace {

constexpr Integer kButtonSize = 17, kCornerSize = 10;

bool DefaultThemeWithStyles() {
  return tx::GetCurrentThemeName() == "Default" && IsVisualStylesAvailable();
}

TCsCustomTitleBar* TitleBarOf(fw::TControl* Control) {
  for (fw::TControl* c = Control; c; c = c->Parent())
    if (auto* bar = dynamic_cast<TCsCustomTitleBar*>(c)) return bar;
  return nullptr;
}

void SendSysCommand(fw::TCustomForm* Form, win::WPARAM Command) {
  if (!Form || !Form->HandleAllocated()) return;
  win::ReleaseCapture();
  win::SendMessageW(Form->Handle(), win::WM_SYSCOMMAND, Command, 0);
}

}  // namespace

// ---- routines --------------------------------------------------------------------------------

void PaintWindowCaption(fw::TWinControl* Window, fw::TCanvas* Canvas, const TRect& Rect, bool Active) {
  win::UINT flags = win::DC_TEXT;
  if (Active) flags |= win::DC_ACTIVE;
  win::BOOL gradient = 0;
  if (win::SystemParametersInfoW(win::SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0) && gradient)
    flags |= win::DC_GRADIENT;
  win::DrawCaption(Window && Window->HandleAllocated() ? Window->Handle() : nullptr, Canvas->Handle(), &Rect,
                   flags);
}

void PaintTitleBarFrame(fw::TWinControl* Window, fw::TCanvas* Canvas, const TRect& Rect, bool Active,
                        Integer CaptionHeight, Integer CaptionWidth) {
  tx::TTxFloatingWindowInfo info;
  info.WindowHandle = Window && Window->HandleAllocated() ? Window->Handle() : nullptr;
  info.ViewType = tx::VT_TOOLBAR_NORMAL | tx::VT_FLOATING | tx::VT_RESIZABLE;
  info.EffectiveColor = Canvas->Brush()->Color();
  info.FloatingBorderSize =
      fw::TPoint{win::GetSystemMetrics(win::SM_CXFRAME), win::GetSystemMetrics(win::SM_CYFRAME)};
  info.Active = Active;
  if (CaptionHeight < Rect.bottom - Rect.top) {
    info.ClientWidth = Rect.right - Rect.left;
    info.ClientHeight = Rect.bottom - Rect.top;
    tx::CurrentTheme->PaintFloatingBorder(Canvas, Rect, info);
  }
  if (CaptionWidth > 0 && CaptionHeight > 0) {
    // The caption strip alone, drawn off screen so that the theme paints it whole.
    fw::TBitmap strip;
    strip.SetSize(CaptionWidth, CaptionHeight);
    strip.Canvas()->Brush()->SetColor(info.EffectiveColor);
    strip.Canvas()->FillRect(TRect{0, 0, CaptionWidth, CaptionHeight});
    info.ClientWidth = CaptionWidth;
    info.ClientHeight = CaptionHeight;
    tx::CurrentTheme->PaintFloatingBorder(strip.Canvas(), TRect{0, 0, CaptionWidth, CaptionHeight}, info);
    Canvas->Draw(Rect.left, Rect.top, &strip);
  }
}

void UpdateSystemMenuItems(fw::TCustomForm* Form) {
  if (!Form || !Form->HandleAllocated()) return;
  const win::HMENU menu = win::GetSystemMenu(Form->Handle(), false);
  if (!menu) return;
  const bool maximized = Form->WindowState() == fw::wsMaximized;
  const win::UINT normalOnly = maximized ? win::MF_GRAYED : win::MF_ENABLED;
  win::EnableMenuItem(menu, win::UINT(win::SC_RESTORE),
                      win::MF_BYCOMMAND | (maximized ? win::MF_ENABLED : win::MF_GRAYED));
  for (win::WPARAM c : {win::SC_MAXIMIZE, win::SC_MOVE, win::SC_SIZE})
    win::EnableMenuItem(menu, win::UINT(c), win::MF_BYCOMMAND | normalOnly);
}

void ExecuteSystemCommand(fw::TCustomForm* Form, win::WPARAM Command) {
  if (!Form || Command == 0) return;
  if (Command == win::SC_MAXIMIZE)
    Form->SetWindowState(fw::wsMaximized);
  else if (Command == win::SC_RESTORE)
    Form->SetWindowState(fw::wsNormal);
  else if (Form->HandleAllocated())
    win::SendMessageW(Form->Handle(), win::WM_SYSCOMMAND, Command, 0);
}

win::WPARAM ShowSystemMenu(fw::TCustomForm* Form, const fw::TPoint& Point, bool Execute) {
  if (!Form || !Form->HandleAllocated()) return 0;
  win::ReleaseCapture();
  UpdateSystemMenuItems(Form);
  const win::HMENU menu = win::GetSystemMenu(Form->Handle(), false);
  if (!menu) return 0;
  const auto command =
      win::WPARAM(win::TrackPopupMenuEx(menu, win::TPM_RETURNCMD | win::TPM_VERTICAL | win::TPM_RIGHTBUTTON,
                                        Point.x, Point.y, Form->Handle(), nullptr));
  if (Execute) ExecuteSystemCommand(Form, command);
  return command;
}

// ---- title toolbar ---------------------------------------------------------------------------

void TCsTitleToolbar::Dispatch(fw::TMessage& Message) {
  const win::UINT m = Message.Msg;
  if ((m == win::WM_LBUTTONDOWN || m == win::WM_LBUTTONDBLCLK || m == win::WM_RBUTTONDOWN) && View()) {
    const fw::TPoint p{Integer(short(Message.LParam & 0xFFFF)),
                       Integer(short((Message.LParam >> 16) & 0xFFFF))};
    toolbars::TTBItemViewer* v = View()->ViewerFromPoint(p);
    TCsCustomTitleBar* bar = TitleBarOf(this);
    fw::TCustomForm* form = bar ? bar->ParentForm() : nullptr;
    if (form && (!v || (v->Item()->ItemStyle() & toolbars::tbisClicksTransparent))) {
      if (m == win::WM_LBUTTONDBLCLK) {
        bar->ToggleMaximized();
      } else if (m == win::WM_LBUTTONDOWN) {
        if (!bar->Maximized()) SendSysCommand(form, win::SC_MOVE + 2);
      } else {
        ShowSystemMenu(form, ClientToScreen(p), true);
      }
      return;
    }
  }
  TCsToolbar::Dispatch(Message);
}

// ---- buttons ---------------------------------------------------------------------------------

TCsTitleBarButtonOptions::TCsTitleBarButtonOptions(TCsCustomTitleBar* ATitleBar)
    : FTitleBar(ATitleBar), FBorderIcons(TSpBorderIcons{briSystemMenu, briMinimize, briMaximize, briClose}) {
  const WideString exe = WideModuleFileName();
  win::ExtractIconExW(reinterpret_cast<win::LPCWSTR>(exe.c_str()), 0, nullptr, &FSmallIcon, 1);
  toolbars::TTBRootItem* items = FTitleBar->Items();
  FSystem = NewButton();
  FSpacer = new TCsRightAlignSpacerItem(items);
  items->Add(FSpacer);
  FMinimize = NewButton();
  FMaximize = NewButton();
  FClose = NewButton();
  FSystem->OnDrawItem = [this](fw::TObject*, fw::TCanvas* Canvas, TRect& R, tx::TTxItemInfo&,
                               TCsPaintStage Stage, bool& PaintDefault) {
    if (tx::GetCurrentThemeName() == "Default") PaintDefault = false;
    if (Stage == pstPrePaint && FSystem->ImageIndex() == -1 && FSmallIcon)
      win::DrawIconEx(Canvas->Handle(), R.left, R.top + 2, FSmallIcon, 16, 16, 0, nullptr, win::DI_NORMAL);
  };
  FSystem->OnClick = [this](fw::TObject*) {
    fw::TCustomForm* form = FTitleBar->ParentForm();
    toolbars::TTBView* view = FTitleBar->Toolbar()->View();
    toolbars::TTBItemViewer* v = view ? view->Find(FSystem) : nullptr;
    if (!form || !v) return;
    const TRect r = v->BoundsRect();
    ShowSystemMenu(form, FTitleBar->Toolbar()->ClientToScreen(fw::TPoint{r.left, r.bottom}), true);
  };
  FMinimize->OnClick = [this](fw::TObject*) { SendSysCommand(FTitleBar->ParentForm(), win::SC_MINIMIZE); };
  FMaximize->OnClick = [this](fw::TObject*) { FTitleBar->ToggleMaximized(); };
  FClose->OnClick = [this](fw::TObject*) {
    if (fw::TCustomForm* form = FTitleBar->ParentForm()) form->Close();
  };
}

TCsTitleBarButtonOptions::~TCsTitleBarButtonOptions() {
  if (FSmallIcon) win::DestroyIcon(FSmallIcon);
}

TCsItem* TCsTitleBarButtonOptions::NewButton() {
  toolbars::TTBRootItem* items = FTitleBar->Items();
  auto* b = new TCsItem(items);
  b->SetCustomWidth(kButtonSize);
  b->SetCustomHeight(kButtonSize);
  b->SetDisplayMode(toolbars::nbdmImageAndText);
  b->SetStretch(false);
  b->OnDrawImage = [](fw::TObject*, fw::TCanvas*, const tx::TTxItemInfo&, TCsPaintStage Stage,
                      fw::TCustomImageList*, Integer&, TRect& R, bool&) {
    if (Stage != pstPrePaint) return;
    R.left -= 3;
    R.right -= 3;
  };
  b->OnDrawItem = [](fw::TObject*, fw::TCanvas*, TRect&, tx::TTxItemInfo&, TCsPaintStage,
                     bool& PaintDefault) {
    if (tx::GetCurrentThemeName() == "Default") PaintDefault = false;
  };
  items->Add(b);
  return b;
}

void TCsTitleBarButtonOptions::SetBorderIcons(TSpBorderIcons Value) {
  FBorderIcons = Value;
  FSystem->SetVisible(Value.Contains(briSystemMenu));
  FMinimize->SetVisible(Value.Contains(briMinimize));
  FMaximize->SetVisible(Value.Contains(briMaximize));
  FClose->SetVisible(Value.Contains(briClose));
}

void TCsTitleBarButtonOptions::SetSystemImageIndex(Integer Value) {
  FSystemImageIndex = Value;
  FSystem->SetImageIndex(Value);
}
void TCsTitleBarButtonOptions::SetMinimizeImageIndex(Integer Value) {
  FMinimizeImageIndex = Value;
  FMinimize->SetImageIndex(Value);
}
void TCsTitleBarButtonOptions::SetMaximizeImageIndex(Integer Value) {
  FMaximizeImageIndex = Value;
  UpdateMaximizeImage();
}
void TCsTitleBarButtonOptions::SetRestoreImageIndex(Integer Value) {
  FRestoreImageIndex = Value;
  UpdateMaximizeImage();
}
void TCsTitleBarButtonOptions::SetCloseImageIndex(Integer Value) {
  FCloseImageIndex = Value;
  FClose->SetImageIndex(Value);
}

void TCsTitleBarButtonOptions::UpdateMaximizeImage() {
  FMaximize->SetImageIndex(FTitleBar->Maximized() ? FRestoreImageIndex : FMaximizeImageIndex);
}

// ---- title bar -------------------------------------------------------------------------------

TCsCustomTitleBar::TCsCustomTitleBar(fw::TComponent* AOwner)
    : TCsCompoundBar(AOwner, TCsToolbarClass::Of<TCsTitleToolbar>()) {
  // Made in the body: making the buttons re-lays the bar out, which asks for the options.
  FOptions = std::make_unique<TCsTitleBarButtonOptions>(this);
  SetAlign(fw::alClient);
}

TCsCustomTitleBar::~TCsCustomTitleBar() = default;

fw::TCustomForm* TCsCustomTitleBar::ParentForm() const {
  for (fw::TControl* c = Parent(); c; c = c->Parent())
    if (auto* f = dynamic_cast<fw::TCustomForm*>(c)) return f;
  return nullptr;
}

bool TCsCustomTitleBar::Maximized() const {
  fw::TCustomForm* form = ParentForm();
  return form && form->WindowState() == fw::wsMaximized;
}

void TCsCustomTitleBar::ToggleMaximized() {
  if (fw::TCustomForm* form = ParentForm())
    form->SetWindowState(Maximized() ? fw::wsNormal : fw::wsMaximized);
}

void TCsCustomTitleBar::SetParent(fw::TWinControl* AParent) {
  TCsCompoundBar::SetParent(AParent);
  if (AParent && !ComponentState().Contains(fw::csLoading)) AttachToForm();
}

void TCsCustomTitleBar::AttachToForm() {
  fw::TCustomForm* form = ParentForm();
  if (!form) return;
  form->SetBorderStyle(fw::bsNone);
  if (form->HandleAllocated()) {
    const win::LONG style = win::GetWindowLongW(form->Handle(), win::GWL_STYLE);
    win::SetWindowLongW(form->Handle(), win::GWL_STYLE, style | win::LONG(win::WS_POPUP | win::WS_SYSMENU));
  }
  win::RECT work{};
  if (win::SystemParametersInfoW(win::SPI_GETWORKAREA, 0, &work, 0))
    form->Constraints()->SetMaxHeight(work.bottom - work.top);
  Toolbar()->RightAlignItems();
}

win::WPARAM TCsCustomTitleBar::SizingCommandAt(const fw::TPoint& P, fw::TCursor* Cursor) const {
  if (Maximized()) return 0;
  const Integer w = Width(), h = Height(), b = BorderWidth;
  if (P.x >= b && P.x < w - b && P.y >= b && P.y < h - b) return 0;
  const bool left = P.x < kCornerSize, right = P.x >= w - kCornerSize, top = P.y < kCornerSize,
             bottom = P.y >= h - kCornerSize;
  struct Zone {
    win::WPARAM Command;
    fw::TCursor Cursor;
  } zone;
  if (top && left)
    zone = {win::SC_SIZE + 4, fw::crSizeNWSE};
  else if (top && right)
    zone = {win::SC_SIZE + 5, fw::crSizeNESW};
  else if (bottom && left)
    zone = {win::SC_SIZE + 7, fw::crSizeNESW};
  else if (bottom && right)
    zone = {win::SC_SIZE + 8, fw::crSizeNWSE};
  else if (P.y < b)
    zone = {win::SC_SIZE + 3, fw::crSizeNS};
  else if (P.y >= h - b)
    zone = {win::SC_SIZE + 6, fw::crSizeNS};
  else if (P.x < b)
    zone = {win::SC_SIZE + 1, fw::crSizeWE};
  else
    zone = {win::SC_SIZE + 2, fw::crSizeWE};
  if (Cursor) *Cursor = zone.Cursor;
  return zone.Command;
}

void TCsCustomTitleBar::AdjustClientRect(TRect& Rect) {
  TCsCompoundBar::AdjustClientRect(Rect);
  if (Maximized()) return;
  Rect.left += BorderWidth;
  Rect.top += BorderWidth;
  Rect.right -= BorderWidth;
  Rect.bottom -= BorderWidth;
}

void TCsCustomTitleBar::Resize() {
  TCsCompoundBar::Resize();
  if (FOptions && FOptions->BorderIcons().Contains(briMaximize)) FOptions->UpdateMaximizeImage();
}

void TCsCustomTitleBar::Paint() {
  fw::TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  const TRect r = ClientRect();
  c->FillRect(r);
  fw::TCustomForm* form = ParentForm();
  const bool active = form && form->Active();
  if (DefaultThemeWithStyles())
    PaintTitleBarFrame(this, c, r, active, Dock()->Height() + 4, Dock()->Width() + 5);
  else
    PaintTitleBarFrame(this, c, r, active, 0, 0);
}

void TCsCustomTitleBar::DoDrawDockBackground(fw::TCanvas* ACanvas, TRect& ARect, TCsPaintStage PaintStage,
                                             bool& PaintDefault) {
  TCsCompoundBar::DoDrawDockBackground(ACanvas, ARect, PaintStage, PaintDefault);
  if (PaintStage != pstPrePaint || !PaintDefault) return;
  PaintDefault = false;
  fw::TCustomForm* form = ParentForm();
  const bool active = form ? form->Active() : true;
  const bool defaultTheme = tx::GetCurrentThemeName() == "Default";
  if (defaultTheme && IsVisualStylesAvailable()) {
    TRect r{ARect.left - 2, ARect.top - 2, ARect.right + 2, ARect.bottom + 2};
    PaintTitleBarFrame(this, ACanvas, r, active, r.bottom - r.top, r.right - r.left);
  } else if (defaultTheme) {
    // The classic caption, redrawn only when the width changed.
    const Integer w = ARect.right - ARect.left, h = ARect.bottom - ARect.top;
    if (!FCaptionBitmap || FCaptionBitmap->Width() != w) {
      FCaptionBitmap = std::make_unique<fw::TBitmap>();
      FCaptionBitmap->SetSize(w, h);
      PaintWindowCaption(form, FCaptionBitmap->Canvas(), TRect{0, 0, w, h}, true);
    }
    ACanvas->Draw(0, 0, FCaptionBitmap.get());
  } else {
    PaintTitleBarFrame(this, ACanvas, ARect, active, ARect.bottom - ARect.top, ARect.right - ARect.left);
  }
}

void TCsCustomTitleBar::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case win::WM_LBUTTONDOWN: {
      const fw::TPoint p{Integer(short(Message.LParam & 0xFFFF)),
                         Integer(short((Message.LParam >> 16) & 0xFFFF))};
      if (const win::WPARAM command = SizingCommandAt(p)) {
        SendSysCommand(ParentForm(), command);
        return;
      }
      break;
    }
    case win::WM_SETCURSOR: {
      fw::TPoint p{};
      win::GetCursorPos(&p);
      fw::TCursor cursor = fw::crDefault;
      if (SizingCommandAt(ScreenToClient(p), &cursor) && fw::Screen &&
          fw::Screen->Cursor() == fw::crDefault) {
        win::SetCursor(fw::Screen->Cursors(cursor));
        Message.Result = 1;
        return;
      }
      break;
    }
    default:
      break;
  }
  TCsCompoundBar::Dispatch(Message);
}

}  // namespace cs
