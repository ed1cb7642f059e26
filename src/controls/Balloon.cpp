#include "controls/Balloon.h"

#include <algorithm>
#include <cmath>

#include "framework/Colors.h"
#include "framework/SysUtils.h"
#include "framework/Timer.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiRegions.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

namespace cs {

TBalloonPosition BalloonPlacement(TBalloonHoriz Horizontal, TBalloonVert Vertical) {
  TBalloonPosition p = blnArrowBottomRight;
  if ((Horizontal == blnRight || Horizontal == blnMiddle) && Vertical == blnBottom) p = blnArrowBottomRight;
  if (Horizontal == blnLeft && (Vertical == blnCenter || Vertical == blnBottom)) p = blnArrowBottomLeft;
  if ((Horizontal == blnLeft || Horizontal == blnMiddle) && Vertical == blnTop) p = blnArrowTopLeft;
  if (Horizontal == blnRight && (Vertical == blnTop || Vertical == blnCenter)) p = blnArrowTopRight;
  return p;
}

fw::TPoint BalloonAnchor(const fw::TRect& Screen, TBalloonHoriz Horizontal, TBalloonVert Vertical) {
  fw::TPoint p{Screen.left, Screen.top};
  if (Horizontal == blnMiddle) p.x = Screen.left + int(std::lround((Screen.right - Screen.left) / 2.0));
  if (Horizontal == blnRight) p.x = Screen.right;
  if (Vertical == blnCenter) p.y = Screen.top + int(std::lround((Screen.bottom - Screen.top) / 2.0));
  if (Vertical == blnBottom) p.y = Screen.bottom;
  return p;
}

fw::TPoint BalloonOrigin(fw::TPoint Anchor, TBalloonPosition Placement, fw::Integer Width, fw::Integer Height) {
  const bool arrowRight = Placement == blnArrowTopLeft || Placement == blnArrowBottomLeft;
  const bool arrowBelow = Placement == blnArrowTopLeft || Placement == blnArrowTopRight;
  return {arrowRight ? Anchor.x - (Width - kBalloonArrow) : Anchor.x - kBalloonArrow,
          arrowBelow ? Anchor.y - Height : Anchor.y - 2};
}

namespace {

// The rounded body and the arrow of a balloon of the given size and placement.
win::HRGN BalloonRegion(TBalloonPosition Placement, int W, int H) {
  win::HRGN body = nullptr;
  std::vector<win::POINT> arrow;
  switch (Placement) {
    case blnArrowTopLeft:
      body = win::CreateRoundRectRgn(0, 0, W, H - 18, 7, 7);
      arrow = {{W - 40, H - 20}, {W - 20, H}, {W - 20, H - 20}};
      break;
    case blnArrowTopRight:
      body = win::CreateRoundRectRgn(0, 0, W, H - 18, 7, 7);
      arrow = {{20, H - 20}, {20, H}, {40, H - 20}};
      break;
    case blnArrowBottomRight:
      body = win::CreateRoundRectRgn(0, 22, W, H, 7, 7);
      arrow = {{20, 2}, {20, 22}, {40, 22}};
      break;
    case blnArrowBottomLeft:
      body = win::CreateRoundRectRgn(0, 22, W, H, 7, 7);
      arrow = {{W - 20, 2}, {W - 20, 22}, {W - 40, 22}};
      break;
  }
  win::HRGN triangle = win::CreatePolygonRgn(arrow.data(), int(arrow.size()), win::WINDING);
  win::CombineRgn(body, body, triangle, win::RGN_OR);
  win::DeleteObject(triangle);
  return body;
}

}  // namespace

TBalloon::TBalloon(fw::TComponent* AOwner, TBalloonControl* Control)
    : fw::TCustomForm(AOwner), FOwnerControl(Control) {
  SetBorderStyle(fw::bsNone);
  SetFormStyle(fw::fsStayOnTop);
  SetColor(fw::clInfoBk);
  Font()->SetName("Tahoma");
  FTitle = new fw::TLabel(this);
  FTitle->SetParent(this);
  FTitle->SetAutoSize(true);
  FTitle->SetParentFont(true);
  FTitle->SetLeft(34);
  FTitle->SetTop(12);
  FText = new fw::TLabel(this);
  FText->SetParent(this);
  FText->SetAutoSize(true);
  FText->SetParentFont(true);
  FText->SetLeft(10);
  FTimer = new fw::TTimer(this);
  FTimer->SetEnabled(false);
  FTimer->OnTimer = [this](fw::TObject* Sender) { TimerTick(Sender); };
  auto clicked = [this](fw::TObject* Sender) { Clicked(Sender); };
  OnClick = clicked;
  FTitle->OnClick = clicked;
  FText->OnClick = clicked;
  OnActivate = OnDeactivate = OnShow = [this](fw::TObject*) { KeepOnTop(); };
}

TBalloon::~TBalloon() {
  if (FOwnerControl != nullptr && FOwnerControl->FBalloon == this) FOwnerControl->FBalloon = nullptr;
  if (FRegion != nullptr) win::DeleteObject(FRegion);
}

void TBalloon::CreateParams(fw::TCreateParams& Params) {
  fw::TCustomForm::CreateParams(Params);
  Params.Style = win::WS_POPUP;
  Params.ExStyle |= win::WS_EX_TOOLWINDOW | win::WS_EX_TOPMOST | win::WS_EX_NOACTIVATE;
}

void TBalloon::KeepOnTop() {
  if (HandleAllocated())
    win::SetWindowPos(Handle(), win::HWND_TOPMOST, 0, 0, 0, 0,
                      win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOACTIVATE);
}

void TBalloon::ShowAt(fw::TPoint Anchor, TBalloonPosition Placement, fw::Integer Duration, TBalloonType Type,
                      const fw::String& Text, const fw::String& Title) {
  FPlacement = Placement;
  FType = Type;
  const bool arrowAbove = Placement == blnArrowBottomLeft || Placement == blnArrowBottomRight;
  FTitle->Font()->SetStyle(fw::TFontStyles{fw::fsBold});
  FTitle->SetCaption(Title);
  if (arrowAbove) FTitle->SetTop(FTitle->Top() + kBalloonArrow);
  FText->SetTop(FTitle->Top() + FTitle->Height() + 8);
  FText->SetCaption(Text);
  FIconTop = arrowAbove ? 10 + kBalloonArrow : 10;
  const int height = FText->Top() + FText->Height() + (arrowAbove ? 10 : 30);
  const int width = std::max(FTitle->Left() + FTitle->Width(), FText->Left() + FText->Width()) + 10;
  const fw::TPoint origin = BalloonOrigin(Anchor, Placement, width, height);
  SetBounds(origin.x, origin.y, width, height);
  HandleNeeded();
  FRegion = BalloonRegion(Placement, width, height);
  win::SetWindowRgn(Handle(), BalloonRegion(Placement, width, height), true);
  win::ShowWindow(Handle(), win::SW_SHOWNOACTIVATE);
  SetVisible(true);
  FTimer->SetInterval(fw::Cardinal(std::max(0, Duration)) * 1000);
  FTimer->SetEnabled(Duration > 0);
}

void TBalloon::PaintIcon() {
  fw::TCanvas* canvas = Canvas();
  const fw::TRect r = IconRect();
  canvas->Pen()->SetColor(0);
  canvas->Brush()->SetStyle(fw::bsSolid);
  switch (FType) {
    case blnInfo:
      canvas->Brush()->SetColor(0xC06000);  // blue disc
      canvas->Ellipse(r);
      break;
    case blnError:
      canvas->Brush()->SetColor(0x0000D0);  // red disc
      canvas->Ellipse(r);
      break;
    case blnWarning: {
      canvas->Brush()->SetColor(0x00C8F0);  // yellow triangle
      const std::vector<fw::TPoint> triangle{{r.left + 8, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
      canvas->Polygon(triangle);
      break;
    }
  }
  const char* mark = FType == blnInfo ? "i" : FType == blnError ? "x" : "!";
  canvas->Brush()->SetStyle(fw::bsClear);
  canvas->Font()->Assign(Font());
  canvas->Font()->SetStyle(fw::TFontStyles{fw::fsBold});
  canvas->Font()->SetColor(FType == blnWarning ? 0 : 0xFFFFFF);
  const fw::TSize size = canvas->TextExtent(mark);
  canvas->TextOut(r.left + (16 - size.cx) / 2, r.top + (16 - size.cy) / 2, mark);
}

void TBalloon::Paint() {
  fw::TCustomForm::Paint();
  PaintIcon();
  if (FRegion != nullptr) {
    const fw::TColor frame = FOwnerControl != nullptr ? FOwnerControl->FrameColor() : 0;
    win::HBRUSH brush = win::CreateSolidBrush(win::COLORREF(fw::ColorToRGB(frame)));
    win::FrameRgn(Canvas()->Handle(), FRegion, brush, 1, 1);
    win::DeleteObject(brush);
  }
}

void TBalloon::Clicked(fw::TObject* /*Sender*/) {
  if (FOwnerControl != nullptr && FOwnerControl->CloseByClick()) FOwnerControl->BalloonClosing(this);
}

void TBalloon::TimerTick(fw::TObject* /*Sender*/) {
  FTimer->SetEnabled(false);
  if (FOwnerControl != nullptr) FOwnerControl->BalloonClosing(this);
  else Release();
}

void TBalloon::Dispatch(fw::TMessage& Message) {
  fw::TCustomForm::Dispatch(Message);
  if (Message.Msg == win::WM_SIZE && Message.WParam == win::SIZE_MINIMIZED && HandleAllocated())
    win::ShowWindow(Handle(), win::SW_SHOWNOACTIVATE);
}

TBalloonControl::TBalloonControl(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}

TBalloonControl::~TBalloonControl() {
  // The owner is going away: the window goes without an event into it.
  if (FBalloon != nullptr) {
    TBalloon* balloon = FBalloon;
    FBalloon = nullptr;
    balloon->Detach();
    delete balloon;
  }
  SetControl(nullptr);
}

void TBalloonControl::SetText(const fw::String& Value) {
  FText = Value;
  if (FBalloon != nullptr) FBalloon->TextLabel()->SetCaption(Value);
}

void TBalloonControl::SetControl(fw::TWinControl* Value) {
  if (FControl == Value) return;
  if (FControl != nullptr) FControl->RemoveFreeNotification(this);
  FControl = Value;
  if (FControl != nullptr) FControl->FreeNotification(this);
}

void TBalloonControl::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TComponent::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FControl) FControl = nullptr;
}

void TBalloonControl::SetPixelCoordinateX(fw::Integer Value) {
  if (FPixelX == Value) return;
  FPixelX = Value;
  if (FBalloon == nullptr) return;
  const bool arrowRight = FPosition == blnArrowTopLeft || FPosition == blnArrowBottomLeft;
  FBalloon->SetLeft(arrowRight ? Value - (FBalloon->Width() - kBalloonArrow) : Value - kBalloonArrow);
}

void TBalloonControl::SetPixelCoordinateY(fw::Integer Value) {
  if (FPixelY == Value) return;
  FPixelY = Value;
  if (FBalloon == nullptr) return;
  const bool arrowBelow = FPosition == blnArrowTopLeft || FPosition == blnArrowTopRight;
  FBalloon->SetTop(arrowBelow ? Value - FBalloon->Height() : Value - 2);
}

void TBalloonControl::ShowBalloon() {
  // A second balloon replaces the first, which would otherwise be left without a way to close.
  HideBalloon();
  fw::TRect screen{0, 0, 0, 0};
  if (FControl != nullptr) {
    const fw::TPoint topLeft = FControl->ClientToScreen({0, 0});
    screen = {topLeft.x, topLeft.y, topLeft.x + FControl->Width(), topLeft.y + FControl->Height()};
  }
  auto* balloon = new TBalloon(nullptr, this);
  FBalloon = balloon;
  balloon->ShowAt(BalloonAnchor(screen, FHorizontal, FVertical), BalloonPlacement(FHorizontal, FVertical), FDuration,
                  FBalloonType, fw::Trim(FText), FTitle);
}

void TBalloonControl::HideBalloon() {
  if (FBalloon == nullptr) return;
  TBalloon* balloon = FBalloon;
  FBalloon = nullptr;
  balloon->Detach();
  delete balloon;
  if (OnCloseBalloon) OnCloseBalloon(this);
}

void TBalloonControl::BalloonClosing(TBalloon* Balloon) {
  Balloon->Detach();
  Balloon->Release();
  if (FBalloon != Balloon) return;  // an older window: this component has moved on
  FBalloon = nullptr;
  if (OnCloseBalloon) OnCloseBalloon(this);
}

}  // namespace cs
