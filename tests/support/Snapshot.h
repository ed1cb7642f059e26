#pragma once
// Test support: PNG pictures of bitmaps under the test output folder, for looking at what a
// failing drawing test produced.

#include <string>

#include "platform/gdi/GdiTypes.h"

namespace kvtest {

// The folder snapshots go to: $KV_TEST_BINARY_DIR/snapshots (or ./snapshots), created on demand.
std::string SnapshotFolder();
// Saves `bmp` as "<Suite>.<Test>-<label>.png" in the snapshot folder; returns the path, or ""
// when it could not be written.
std::string SaveSnapshot(win::HBITMAP bmp, const std::string& label);
// Saves the snapshot only when the running test has already failed.
void SnapshotIfFailed(win::HBITMAP bmp, const std::string& label);

}  // namespace kvtest
