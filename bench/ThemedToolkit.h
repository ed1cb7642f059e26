#pragma once
// The themed engine started as the program starts it, for benchmarks whose windows hold themed
// toolbars. Declare it before the windows, so it ends after them.

#include "tx/Tx.h"

namespace bench {

struct ThemedToolkit {
  ThemedToolkit() { tx::InitTx(); }
  ~ThemedToolkit() { tx::DoneTx(); }
  ThemedToolkit(const ThemedToolkit&) = delete;
  ThemedToolkit& operator=(const ThemedToolkit&) = delete;
};

}  // namespace bench
