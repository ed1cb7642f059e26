#pragma once
// Rectangle and integer-scaling helpers with the Win32 semantics the window and drawing code
// relies on. A null pointer argument makes a call fail (FALSE) rather than crash.

#include "platform/kernel/WinDef.h"

namespace win {

BOOL SetRect(RECT* rc, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* rc);
BOOL CopyRect(RECT* dst, const RECT* src);
// Empty when it has no area: right <= left or bottom <= top. A null pointer counts as empty.
BOOL IsRectEmpty(const RECT* rc);
// Field-wise equality: two empty rectangles at different places are not equal.
BOOL EqualRect(const RECT* a, const RECT* b);
// Left and top edges are inside, right and bottom edges are outside.
BOOL PtInRect(const RECT* rc, POINT pt);
BOOL OffsetRect(RECT* rc, int dx, int dy);
BOOL InflateRect(RECT* rc, int dx, int dy);
// Empty result (all zero) and FALSE when either input is empty or they do not overlap.
BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b);
// Empty inputs are ignored; both empty gives an empty result and FALSE.
BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b);
// Removes `b` from `a` when it spans `a` fully in one direction; otherwise `a` is kept whole.
// FALSE (and an empty result) when nothing is left.
BOOL SubtractRect(RECT* dst, const RECT* a, const RECT* b);

// number * numerator / denominator through a 64-bit intermediate, rounded half away from zero.
// -1 when the denominator is zero or the result does not fit an int.
int MulDiv(int number, int numerator, int denominator);

}  // namespace win
