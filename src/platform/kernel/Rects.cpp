#include "platform/kernel/Rects.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace win {

BOOL SetRect(RECT* rc, int left, int top, int right, int bottom) {
  if (!rc) return FALSE;
  *rc = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(RECT* rc) {
  if (!rc) return FALSE;
  *rc = RECT{};
  return TRUE;
}

BOOL CopyRect(RECT* dst, const RECT* src) {
  if (!dst || !src) return FALSE;
  *dst = *src;
  return TRUE;
}

BOOL IsRectEmpty(const RECT* rc) {
  if (!rc) return TRUE;
  return (rc->right <= rc->left || rc->bottom <= rc->top) ? TRUE : FALSE;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
  if (!a || !b) return FALSE;
  return *a == *b ? TRUE : FALSE;
}

BOOL PtInRect(const RECT* rc, POINT pt) {
  if (!rc) return FALSE;
  return (pt.x >= rc->left && pt.x < rc->right && pt.y >= rc->top && pt.y < rc->bottom) ? TRUE : FALSE;
}

BOOL OffsetRect(RECT* rc, int dx, int dy) {
  if (!rc) return FALSE;
  rc->left += dx;
  rc->right += dx;
  rc->top += dy;
  rc->bottom += dy;
  return TRUE;
}

BOOL InflateRect(RECT* rc, int dx, int dy) {
  if (!rc) return FALSE;
  rc->left -= dx;
  rc->right += dx;
  rc->top -= dy;
  rc->bottom += dy;
  return TRUE;
}

BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return FALSE;
  // Copy first: dst may alias an input.
  const RECT ra = *a, rb = *b;
  if (IsRectEmpty(&ra) || IsRectEmpty(&rb) || ra.left >= rb.right || rb.left >= ra.right ||
      ra.top >= rb.bottom || rb.top >= ra.bottom) {
    SetRectEmpty(dst);
    return FALSE;
  }
  *dst = RECT{std::max(ra.left, rb.left), std::max(ra.top, rb.top), std::min(ra.right, rb.right),
              std::min(ra.bottom, rb.bottom)};
  return TRUE;
}

BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return FALSE;
  const RECT ra = *a, rb = *b;
  const bool emptyA = IsRectEmpty(&ra), emptyB = IsRectEmpty(&rb);
  if (emptyA && emptyB) {
    SetRectEmpty(dst);
    return FALSE;
  }
  if (emptyA) {
    *dst = rb;
  } else if (emptyB) {
    *dst = ra;
  } else {
    *dst = RECT{std::min(ra.left, rb.left), std::min(ra.top, rb.top), std::max(ra.right, rb.right),
                std::max(ra.bottom, rb.bottom)};
  }
  return TRUE;
}

BOOL SubtractRect(RECT* dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return FALSE;
  RECT result = *a;
  if (IsRectEmpty(&result)) {
    SetRectEmpty(dst);
    return FALSE;
  }
  RECT overlap;
  if (IntersectRect(&overlap, a, b)) {
    if (overlap.left == result.left && overlap.right == result.right) {
      // Spans the full width: cut a band off the top or the bottom.
      if (overlap.top == result.top)
        result.top = overlap.bottom;
      else if (overlap.bottom == result.bottom)
        result.bottom = overlap.top;
    } else if (overlap.top == result.top && overlap.bottom == result.bottom) {
      if (overlap.left == result.left)
        result.left = overlap.right;
      else if (overlap.right == result.right)
        result.right = overlap.left;
    }
  }
  if (IsRectEmpty(&result)) {
    SetRectEmpty(dst);
    return FALSE;
  }
  *dst = result;
  return TRUE;
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const int64_t product = int64_t(number) * int64_t(numerator);
  int64_t quotient = product / denominator;
  const int64_t remainder = product % denominator;
  // |remainder| * 2 >= |denominator| rounds away from zero; the sign of the exact result decides
  // the direction.
  const int64_t absRem = remainder < 0 ? -remainder : remainder;
  const int64_t absDen = denominator < 0 ? -int64_t(denominator) : int64_t(denominator);
  if (absRem * 2 >= absDen && remainder != 0) {
    const bool negative = (product < 0) != (denominator < 0);
    quotient += negative ? -1 : 1;
  }
  if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min()) return -1;
  return int(quotient);
}

}  // namespace win
