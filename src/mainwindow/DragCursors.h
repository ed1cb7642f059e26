#pragma once
// The main window's four drag cursors, numbers 1000 to 1003: the arrow carrying one file or
// several files, each also with the plus of a copy. The platform has no such shapes, so the
// program draws them and registers them with Screen's cursor list at start-up.

#include "framework/Controls.h"

namespace workspace {

inline constexpr fw::TCursor crDragFile = 1000;
inline constexpr fw::TCursor crDragFiles = 1001;
inline constexpr fw::TCursor crDragFileCopy = 1002;
inline constexpr fw::TCursor crDragFilesCopy = 1003;

// Makes the four cursors usable through Screen; calling it again changes nothing.
void LoadDragCursors();

}  // namespace workspace
