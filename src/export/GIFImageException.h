#pragma once
// The error every failure of the GIF unit raises, so that callers can tell a bad picture from
// other faults while still catching it as an invalid graphic.

#include "framework/GraphicsTypes.h"

namespace kvexport {

class GIFException : public fw::EInvalidGraphic {
 public:
  using fw::EInvalidGraphic::EInvalidGraphic;
};

}  // namespace kvexport
