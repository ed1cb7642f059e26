#include "support/Snapshot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/gdi/Snapshot.h"

namespace kvtest {

std::string SnapshotFolder() {
  const char* dir = std::getenv("KV_TEST_BINARY_DIR");
  std::filesystem::path folder = std::filesystem::path(dir && *dir ? dir : ".") / "snapshots";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder.string();
}

std::string SaveSnapshot(win::HBITMAP bmp, const std::string& label) {
  std::string name = label;
  if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
    name = std::string(info->test_suite_name()) + "." + info->name() + "-" + label;
  for (char& c : name)
    if (c == '/' || c == '\\') c = '_';
  const std::string path = SnapshotFolder() + "/" + name + ".png";
  std::string error;
  if (!win::SaveBitmapAsPng(bmp, path, nullptr, &error)) {
    ADD_FAILURE() << "snapshot not written: " << error;
    return "";
  }
  return path;
}

void SnapshotIfFailed(win::HBITMAP bmp, const std::string& label) {
  if (!::testing::Test::HasFailure()) return;
  const std::string path = SaveSnapshot(bmp, label);
  if (!path.empty()) std::fprintf(stderr, "snapshot of the failing picture: %s\n", path.c_str());
}

}  // namespace kvtest
