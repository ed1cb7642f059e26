#pragma once
// Which of a control's window scroll bars show.

namespace fw {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

}  // namespace fw
