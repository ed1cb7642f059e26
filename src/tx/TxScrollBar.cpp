#include "tx/TxScrollBar.h"

#include <cmath>

#include "framework/GraphicsCanvas.h"
#include "framework/Timer.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/UserDraw.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"
#include "tx/TxUxThemes.h"

namespace tx {

namespace {

constexpr Integer kFirstRepeatMs = 500, kRepeatMs = 100;
constexpr Integer kMinThumb = 8, kMinTrackForThumb = 13;

Integer RoundHalfEven(double V) { return Integer(std::nearbyint(V)); }

bool Empty(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

}  // namespace

// Marks a change as the user's for its duration.
struct TTxScrollBar::TUserChange {
  explicit TUserChange(TTxScrollBar* B) : Bar(B), Saved(B->FUserChange) { Bar->FUserChange = true; }
  ~TUserChange() { Bar->FUserChange = Saved; }
  TTxScrollBar* Bar;
  bool Saved;
};

TTxScrollBar::TTxScrollBar() = default;
TTxScrollBar::~TTxScrollBar() = default;

Integer TTxScrollBar::Length() const {
  return Kind == SBK_HORIZONTAL ? Bounds.right - Bounds.left : Bounds.bottom - Bounds.top;
}
Integer TTxScrollBar::Breadth() const {
  return Kind == SBK_HORIZONTAL ? Bounds.bottom - Bounds.top : Bounds.right - Bounds.left;
}
Integer TTxScrollBar::EffectivePage() const { return PageSize > 0 ? PageSize : Length(); }

void TTxScrollBar::CalcRects() {
  const Integer L = Length(), B = Breadth();
  Integer S = B;
  if (L - 2 <= 2 * B) S = (L - 2) / 2;
  const Integer T = L - 2 * S, page = EffectivePage();
  auto span = [&](Integer from, Integer to) {
    if (to <= from) return TRect{};
    return Kind == SBK_HORIZONTAL ? TRect{from, 0, to, B} : TRect{0, from, B, to};
  };
  FRects.fill(TRect{});
  FRects[SBP_FIRSTBUTTON] = span(0, S);
  FRects[SBP_SECONDBUTTON] = span(L - S, L);
  if (Enabled() && T >= kMinTrackForThumb) {
    Integer thumb = RoundHalfEven(double(T) * page / Range), start;
    if (thumb < kMinThumb) {
      thumb = kMinThumb;
      start = RoundHalfEven(double(T - kMinThumb) * FPosition / (Range - page)) + S;
    } else {
      start = RoundHalfEven(double(T) * FPosition / Range) + S;
    }
    FRects[SBP_LOWERTRACK] = span(S, start);
    FRects[SBP_THUMB] = span(start, start + thumb);
    FRects[SBP_UPPERTRACK] = span(start + thumb, L - S);
  } else {
    FRects[SBP_WHOLETRACK] = span(S, L - S);
  }
}

Integer TTxScrollBar::HitTest(const TPoint& P) const {
  for (Integer part = SBP_FIRSTBUTTON; part <= SBP_SECONDBUTTON; ++part)
    if (win::PtInRect(&FRects[size_t(part)], P)) return part;
  return SBP_NONE;
}

void TTxScrollBar::SetPosition(Integer Value) {
  if (Value > Range - EffectivePage()) Value = Range - EffectivePage();
  if (Value < 0) Value = 0;
  if (Value == FPosition) return;
  FPosition = Value;
  if (FUserChange) {
    Redraw();
    if (OnChange) OnChange(this);
  }
}

void TTxScrollBar::Redraw() {
  CalcRects();
  if (OnRedrawRequest) OnRedrawRequest(this);
}

void TTxScrollBar::Step(Integer Part) {
  TUserChange user(this);
  switch (Part) {
    case SBP_FIRSTBUTTON: SetPosition(FPosition - Increment); break;
    case SBP_LOWERTRACK: SetPosition(FPosition - EffectivePage()); break;
    case SBP_UPPERTRACK: SetPosition(FPosition + EffectivePage()); break;
    case SBP_SECONDBUTTON: SetPosition(FPosition + Increment); break;
    default: break;
  }
}

void TTxScrollBar::SetTimer(std::unique_ptr<fw::TTimer>& Timer, Integer Interval,
                            void (TTxScrollBar::*Tick)(Integer&)) {
  if (Interval < 1) {
    if (Timer) Timer->SetEnabled(false);
    return;
  }
  if (!Timer) {
    Timer = std::make_unique<fw::TTimer>(nullptr);
    fw::TTimer* t = Timer.get();
    Timer->OnTimer = [this, t, Tick](fw::TObject*) {
      Integer interval = Integer(t->Interval());
      (this->*Tick)(interval);
      if (interval < 1)
        t->SetEnabled(false);
      else
        t->SetInterval(fw::Cardinal(interval));
    };
  }
  Timer->SetInterval(fw::Cardinal(Interval));
  Timer->SetEnabled(true);
}

void TTxScrollBar::MouseDown(const TPoint& P) {
  CalcRects();
  FPressedPart = HitTest(P);
  FDownPoint = FLastPoint = P;
  FPositionAtDown = FPosition;
  if (FPressedPart != SBP_NONE && FPressedPart != SBP_THUMB) {
    Step(FPressedPart);
    SetTimer(FRepeatTimer, kFirstRepeatMs, &TTxScrollBar::RepeatTick);
  }
  Redraw();
}

void TTxScrollBar::MouseMove(const TPoint& P) {
  FLastPoint = P;
  if (FPressedPart != SBP_THUMB) return;
  // The track runs between the buttons (either track part may be empty).
  const TRect& first = FRects[SBP_FIRSTBUTTON];
  const Integer button = Kind == SBK_HORIZONTAL ? first.right - first.left : first.bottom - first.top;
  const Integer track = Length() - 2 * button;
  const Integer offset = Kind == SBK_HORIZONTAL ? P.x - FDownPoint.x : P.y - FDownPoint.y;
  const Integer page = EffectivePage();
  if (track <= 0 || Range <= 0) return;
  Integer delta;
  if (RoundHalfEven(double(track) * page / Range) >= kMinThumb)
    delta = RoundHalfEven(double(offset) * Range / track);
  else if (track > kMinThumb)
    delta = RoundHalfEven(double(offset) * (Range - page) / (track - kMinThumb));
  else
    return;
  TUserChange user(this);
  SetPosition(FPositionAtDown + delta);
}

void TTxScrollBar::MouseUp(const TPoint& P) {
  // A dragged thumb ends where the button came up.
  if (FPressedPart == SBP_THUMB && (P.x != FLastPoint.x || P.y != FLastPoint.y)) MouseMove(P);
  SetTimer(FRepeatTimer, 0, &TTxScrollBar::RepeatTick);
  FPressedPart = SBP_NONE;
  Redraw();
}

void TTxScrollBar::RepeatTick(Integer& Interval) {
  Interval = 0;
  switch (FPressedPart) {
    case SBP_FIRSTBUTTON:
    case SBP_SECONDBUTTON:
      Step(FPressedPart);
      Interval = kRepeatMs;
      break;
    case SBP_LOWERTRACK:
    case SBP_UPPERTRACK:
      CalcRects();
      if (HitTest(FLastPoint) == FPressedPart) {
        Step(FPressedPart);
        Interval = kRepeatMs;
      }
      break;
    default: break;
  }
}

void TTxScrollBar::StartAutoScroll(Integer Direction, Integer Interval) {
  FAutoScrollDirection = Direction;
  FAutoScrollInterval = Interval;
  FAutoScrolling = Interval >= 1;
  SetTimer(FAutoScrollTimer, Interval, &TTxScrollBar::AutoScrollTick);
}

void TTxScrollBar::StopAutoScroll() {
  FAutoScrolling = false;
  SetTimer(FAutoScrollTimer, 0, &TTxScrollBar::AutoScrollTick);
}

void TTxScrollBar::AutoScrollTick(Integer& Interval) {
  if (!FAutoScrolling) {
    Interval = 0;
    return;
  }
  Interval = FAutoScrollInterval;
  {
    TUserChange user(this);
    SetPosition(FPosition + FAutoScrollDirection);
  }
  if (FPosition == 0 || FPosition + EffectivePage() >= Range) Interval = 0;
  if (OnAutoScroll) OnAutoScroll(this, FAutoScrollDirection, Interval);
  FAutoScrollInterval = Interval;
  FAutoScrolling = Interval >= 1;
}

void TTxScrollBar::Paint(fw::TCanvas* Canvas) {
  CalcRects();
  win::HDC dc = Canvas->Handle();
  const int saved = win::SaveDC(dc);
  win::POINT org{};
  win::GetWindowOrgEx(dc, &org);
  win::SetWindowOrgEx(dc, org.x - Bounds.left, org.y - Bounds.top, nullptr);
  const bool enabled = Enabled();
  const bool vertical = Kind == SBK_VERTICAL;
  auto pressed = [&](Integer part) { return FPressedPart == part; };
  if (VisualStylesActive && ScrollBarThemeHandle) {
    // Arrow states: left 9, up 1, right 13, down 5; +2 pressed, +3 disabled.
    auto arrow = [&](Integer part, Integer base) {
      const Integer state = !enabled ? base + 3 : pressed(part) ? base + 2 : base;
      DrawThemePart(ScrollBarThemeHandle, dc, 1, state, FRects[size_t(part)]);
    };
    arrow(SBP_FIRSTBUTTON, vertical ? 1 : 9);
    arrow(SBP_SECONDBUTTON, vertical ? 5 : 13);
    auto piece = [&](Integer part, Integer themePart) {
      if (Empty(FRects[size_t(part)])) return;
      const Integer state = !enabled ? 4 : pressed(part) ? 3 : 1;
      DrawThemePart(ScrollBarThemeHandle, dc, themePart, state, FRects[size_t(part)]);
    };
    piece(SBP_THUMB, vertical ? 3 : 2);
    piece(SBP_LOWERTRACK, vertical ? 6 : 4);
    piece(SBP_UPPERTRACK, vertical ? 7 : 5);
    piece(SBP_WHOLETRACK, vertical ? 6 : 4);
  } else {
    auto button = [&](Integer part, win::UINT kind) {
      win::UINT state = kind;
      if (!enabled) state |= win::DFCS_INACTIVE;
      if (pressed(part)) state |= win::DFCS_PUSHED | win::DFCS_FLAT;
      TRect r = FRects[size_t(part)];
      if (!Empty(r)) win::DrawFrameControl(dc, &r, win::DFC_SCROLL, state);
    };
    button(SBP_FIRSTBUTTON, vertical ? win::DFCS_SCROLLUP : win::DFCS_SCROLLLEFT);
    button(SBP_SECONDBUTTON, vertical ? win::DFCS_SCROLLDOWN : win::DFCS_SCROLLRIGHT);
    for (Integer part : {SBP_LOWERTRACK, SBP_UPPERTRACK}) {
      const TRect& r = FRects[size_t(part)];
      if (Empty(r)) continue;
      if (pressed(part))
        FillRectColor(dc, r, fw::cl3DDkShadow);
      else
        DitherRect(dc, r, fw::clBtnHighlight, fw::clScrollBar);
    }
    if (!Empty(FRects[SBP_THUMB])) {
      TRect r = FRects[SBP_THUMB];
      win::DrawEdge(dc, &r, win::EDGE_RAISED, win::BF_RECT | win::BF_ADJUST);
      FillRectColor(dc, r, fw::clBtnFace);
    }
    if (!Empty(FRects[SBP_WHOLETRACK])) FillRectColor(dc, FRects[SBP_WHOLETRACK], fw::clScrollBar);
  }
  win::RestoreDC(dc, saved);
}

}  // namespace tx
