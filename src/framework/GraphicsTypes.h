#pragma once
// Geometry, exceptions and small helpers shared by the graphics classes.

#include "framework/ClassesTypes.h"
#include "framework/SysUtils.h"
#include "platform/kernel/WinDef.h"

namespace fw {

using TPoint = win::POINT;
using TRect = win::RECT;
using TSize = win::SIZE;

inline TPoint Point(Integer X, Integer Y) { return TPoint{X, Y}; }
inline TRect Rect(Integer Left, Integer Top, Integer Right, Integer Bottom) {
  return TRect{Left, Top, Right, Bottom};
}
inline TRect Bounds(Integer Left, Integer Top, Integer Width, Integer Height) {
  return TRect{Left, Top, Left + Width, Top + Height};
}

// Bad image data, an unknown file format, or an image operation that cannot be done.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};
class EInvalidGraphicOperation : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace fw
