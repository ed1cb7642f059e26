#pragma once
// Loop-wide state of the modal menu loop.

namespace toolbars::detail {

// The remembered mouse position becomes "unknown": the loop reads it again after this message.
void ResetLastMousePos();

}  // namespace toolbars::detail
