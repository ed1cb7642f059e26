// Scroll-bar geometry.

#include "platform/user/frames/ScrollBarGeometry.h"

#include <algorithm>

#include "platform/kernel/Rects.h"
#include "platform/user/frames/ScrollBar.h"

namespace win::frame {
namespace {

int64_t PageSpan(const ScrollData& d) { return d.page > 0 ? int64_t(d.page) - 1 : 0; }

RECT Along(const RECT& bar, bool vertical, int from, int to) {
  if (vertical) return RECT{bar.left, from, bar.right, to};
  return RECT{from, bar.top, to, bar.bottom};
}

}  // namespace

int ScrollSpan(const ScrollData& d) {
  int64_t span = int64_t(d.max) - PageSpan(d) - d.min;
  return int(std::clamp<int64_t>(span, 0, 0x7FFFFFFF));
}

bool CanScroll(const ScrollData& d) {
  return d.max > d.min && (d.page == 0 || int64_t(d.page) <= int64_t(d.max) - d.min);
}

ScrollBarParts ComputeScrollBarParts(const RECT& bar, bool vertical, const ScrollData& d, int thumbPos) {
  ScrollBarParts p;
  p.bar = bar;
  p.vertical = vertical;
  int start = vertical ? bar.top : bar.left;
  int end = vertical ? bar.bottom : bar.right;
  int length = std::max(end - start, 0);
  int thickness = std::max(vertical ? bar.right - bar.left : bar.bottom - bar.top, 0);
  int arrow = std::min(thickness, length / 2);
  p.arrowUp = Along(bar, vertical, start, start + arrow);
  p.arrowDown = Along(bar, vertical, end - arrow, end);
  p.trackStart = start + arrow;
  p.trackLength = std::max(length - 2 * arrow, 0);
  p.track = Along(bar, vertical, p.trackStart, p.trackStart + p.trackLength);

  bool disabled = (d.disabled & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH;
  if (!CanScroll(d) || disabled) return p;
  int thumb = thickness;
  if (d.page > 0) {
    int64_t range = int64_t(d.max) - d.min + 1;
    thumb = int(int64_t(p.trackLength) * d.page / range);
  }
  thumb = std::max(thumb, kMinThumb);
  if (thumb > p.trackLength) return p;
  int span = ScrollSpan(d);
  int pos = std::clamp(thumbPos, d.min, d.min + span);
  int offset = span > 0 ? MulDiv(p.trackLength - thumb, pos - d.min, span) : 0;
  p.thumbLength = thumb;
  p.thumbStart = offset;
  p.thumb = Along(bar, vertical, p.trackStart + offset, p.trackStart + offset + thumb);
  return p;
}

ScrollPart HitScrollBar(const ScrollBarParts& p, POINT pt) {
  if (!PtInRect(&p.bar, pt)) return ScrollPart::None;
  if (PtInRect(&p.arrowUp, pt)) return ScrollPart::ArrowUp;
  if (PtInRect(&p.arrowDown, pt)) return ScrollPart::ArrowDown;
  if (IsRectEmpty(&p.thumb)) return PtInRect(&p.track, pt) ? ScrollPart::PageDown : ScrollPart::None;
  if (PtInRect(&p.thumb, pt)) return ScrollPart::Thumb;
  int at = p.vertical ? pt.y : pt.x;
  return at < p.trackStart + p.thumbStart ? ScrollPart::PageUp : ScrollPart::PageDown;
}

int PositionFromThumb(const ScrollBarParts& p, const ScrollData& d, int thumbStart) {
  int room = p.trackLength - p.thumbLength;
  int span = ScrollSpan(d);
  if (room <= 0 || span <= 0) return d.min;
  int offset = std::clamp(thumbStart, 0, room);
  return d.min + MulDiv(offset, span, room);
}

}  // namespace win::frame
