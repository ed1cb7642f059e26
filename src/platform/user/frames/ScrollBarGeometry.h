#pragma once
// Where the parts of a scroll bar lie: the two arrow buttons, the track between them and the
// thumb on it, and the conversions between thumb pixels and positions. Pure geometry, shared by
// drawing, hit-testing and the tracking loop of window bars and the SCROLLBAR control.

#include "platform/user/detail/FrameState.h"

namespace win::frame {

struct ScrollBarParts {
  RECT bar{};
  bool vertical = false;
  RECT arrowUp{}, arrowDown{};  // left/up and right/down arrows
  RECT track{};                 // between the arrows
  RECT thumb{};                 // empty when the bar shows no thumb
  int trackStart = 0, trackLength = 0;  // along the bar
  int thumbStart = 0, thumbLength = 0;  // thumbStart relative to trackStart
};

// The range of positions the thumb can take (max - max(page - 1, 0) - min), 0 when none.
int ScrollSpan(const ScrollData& d);
// Whether the data allows scrolling at all (a range wider than the page).
bool CanScroll(const ScrollData& d);

// Arrows are squares as long as the bar is thick, halved when the bar is too short for two.
// The thumb is track * page / (range + 1) long (the bar's thickness when page is 0), never
// shorter than kMinThumb, and absent when the bar cannot scroll, is disabled both ways, or the
// track is shorter than the thumb.
inline constexpr int kMinThumb = 8;
ScrollBarParts ComputeScrollBarParts(const RECT& bar, bool vertical, const ScrollData& d, int thumbPos);

ScrollPart HitScrollBar(const ScrollBarParts& parts, POINT pt);
// The position whose thumb starts `thumbStart` pixels into the track (clamped to the span).
int PositionFromThumb(const ScrollBarParts& parts, const ScrollData& d, int thumbStart);

}  // namespace win::frame
