// Helpers the menu tests share.
#pragma once

#include "platform/kernel/WinDef.h"

namespace menutest {

inline win::POINT Centre(const win::RECT& r) {
  return win::POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace menutest
