#pragma once
// The control set's multi-dock: the themed multi-dock with one more position, dpxClient, in which
// the dock fills the rest of its form and every panel on it takes the dock's full width.

#include "tx/TxMultiDock.h"

namespace cs {

enum TCsDockPosition : unsigned char { dpxLeft, dpxTop, dpxRight, dpxBottom, dpxClient };

class TCsMultiDock : public tx::TTxMultiDock {
 public:
  using tx::TTxMultiDock::TTxMultiDock;

  TCsDockPosition Position() const { return FPosition; }
  // Raises EInvalidOperation while the dock holds controls (the position stays).
  void SetPosition(TCsDockPosition Value);

  void ArrangeToolbars() override;

 private:
  TCsDockPosition FPosition = dpxTop;
};

}  // namespace cs
