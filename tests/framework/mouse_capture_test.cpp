// Controls whose platform window handles the press itself keep the mouse after the framework's
// own press handling: drags, held presses with their auto-repeat, and a list opened by a press.

#include "trackbar_mouse_support.h"

namespace fw::testing {
namespace {

using FrameworkTrackBarMouse = TrackBarMouseTest<TTrackBar>;
KV_TRACKBAR_MOUSE_CASES(FrameworkTrackBarMouse)

}  // namespace
}  // namespace fw::testing
