#pragma once
// The registry's reset, used when the theme units end.

namespace tx::detail {

// Forgets every entry (instances still held are not freed here).
void ClearThemeRegistry();

}  // namespace tx::detail
