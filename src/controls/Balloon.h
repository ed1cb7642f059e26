#pragma once
// Balloon hints: a shaped, topmost, non-activating window with an icon, a bold title and a text,
// whose arrow points at a corner, an edge or the centre of a control. It closes after its
// duration, on a click, or when another balloon of the same component replaces it.

#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace fw {
class TTimer;
}

namespace cs {

enum TBalloonHoriz { blnLeft, blnMiddle, blnRight };
enum TBalloonVert { blnTop, blnCenter, blnBottom };
enum TBalloonPosition { blnArrowTopLeft, blnArrowTopRight, blnArrowBottomLeft, blnArrowBottomRight };
enum TBalloonType { blnInfo, blnError, blnWarning };

class TBalloonControl;

// Size of the arrow between the body and the point it shows.
inline constexpr int kBalloonArrow = 20;

class TBalloon : public fw::TCustomForm {
 public:
  TBalloon(fw::TComponent* AOwner, TBalloonControl* Control);
  ~TBalloon() override;

  fw::TLabel* TitleLabel() const { return FTitle; }
  fw::TLabel* TextLabel() const { return FText; }
  TBalloonType BalloonType() const { return FType; }
  // Lays the window out for the anchor point (screen) and shows it without activating it.
  void ShowAt(fw::TPoint Anchor, TBalloonPosition Placement, fw::Integer Duration, TBalloonType Type,
              const fw::String& Text, const fw::String& Title);
  // Where the icon stands.
  fw::TRect IconRect() const { return {10, FIconTop, 10 + 16, FIconTop + 16}; }
  void Detach() { FOwnerControl = nullptr; }

  void Dispatch(fw::TMessage& Message) override;

 protected:
  void CreateParams(fw::TCreateParams& Params) override;
  void Paint() override;

 private:
  void Clicked(fw::TObject* Sender);
  void TimerTick(fw::TObject* Sender);
  void PaintIcon();
  void KeepOnTop();
  TBalloonControl* FOwnerControl;
  fw::TLabel* FTitle;
  fw::TLabel* FText;
  fw::TTimer* FTimer;
  TBalloonType FType = blnInfo;
  TBalloonPosition FPlacement = blnArrowTopLeft;
  int FIconTop = 10;
  win::HRGN FRegion = nullptr;  // a copy of the window's shape, for the outline
};

class TBalloonControl : public fw::TComponent {
 public:
  explicit TBalloonControl(fw::TComponent* AOwner);
  ~TBalloonControl() override;

  fw::String Title() const { return FTitle; }
  void SetTitle(const fw::String& Value) { FTitle = Value; }
  // Trimmed when shown; a change while open shows at once, as it is and without a new layout.
  fw::String Text() const { return FText; }
  void SetText(const fw::String& Value);
  // Seconds until the balloon closes by itself; 0: it stays until clicked or hidden.
  fw::Integer Duration() const { return FDuration; }
  void SetDuration(fw::Integer Value) { FDuration = Value; }
  TBalloonHoriz Horizontal() const { return FHorizontal; }
  void SetHorizontal(TBalloonHoriz Value) { FHorizontal = Value; }
  TBalloonVert Vertical() const { return FVertical; }
  void SetVertical(TBalloonVert Value) { FVertical = Value; }
  // The placement the pixel coordinates follow.
  TBalloonPosition Position() const { return FPosition; }
  void SetPosition(TBalloonPosition Value) { FPosition = Value; }
  fw::TWinControl* Control() const { return FControl; }
  void SetControl(fw::TWinControl* Value);
  // Move an open balloon.
  fw::Integer PixelCoordinateX() const { return FPixelX; }
  void SetPixelCoordinateX(fw::Integer Value);
  fw::Integer PixelCoordinateY() const { return FPixelY; }
  void SetPixelCoordinateY(fw::Integer Value);
  TBalloonType BalloonType() const { return FBalloonType; }
  void SetBalloonType(TBalloonType Value) { FBalloonType = Value; }
  bool CloseByClick() const { return FCloseByClick; }
  void SetCloseByClick(bool Value) { FCloseByClick = Value; }
  fw::TColor FrameColor() const { return FFrameColor; }
  void SetFrameColor(fw::TColor Value) { FFrameColor = Value; }
  // The open balloon (nullptr when none).
  TBalloon* Balloon() const { return FBalloon; }

  // Fired once for every balloon that closes.
  fw::TNotifyEvent OnCloseBalloon;

  // An open balloon is hidden first.
  void ShowBalloon();
  void HideBalloon();

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  friend class TBalloon;
  // A balloon closing by itself (timer or click): released after its pending messages.
  void BalloonClosing(TBalloon* Balloon);
  fw::String FTitle, FText;
  fw::Integer FDuration = 0;
  TBalloonHoriz FHorizontal = blnLeft;
  TBalloonVert FVertical = blnTop;
  TBalloonPosition FPosition = blnArrowTopLeft;
  fw::TWinControl* FControl = nullptr;
  fw::Integer FPixelX = 0, FPixelY = 0;
  TBalloonType FBalloonType = blnInfo;
  bool FCloseByClick = true;
  fw::TColor FFrameColor = 0;  // black
  TBalloon* FBalloon = nullptr;
};

// The placement that keeps the balloon beside the anchor, from where on the control it points.
TBalloonPosition BalloonPlacement(TBalloonHoriz Horizontal, TBalloonVert Vertical);
// The anchor point on a screen rectangle.
fw::TPoint BalloonAnchor(const fw::TRect& Screen, TBalloonHoriz Horizontal, TBalloonVert Vertical);
// The window's top-left corner for its size, so that the arrow tip lands on the anchor.
fw::TPoint BalloonOrigin(fw::TPoint Anchor, TBalloonPosition Placement, fw::Integer Width, fw::Integer Height);

}  // namespace cs
