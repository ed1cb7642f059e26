// A file stream that refuses to open leaves no descriptor behind, even the lowest one (a program
// started with its standard input closed gets descriptor 0 for the first file it opens).

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "stream_TempFolder.h"

namespace fw {
namespace {

class StreamDescriptors : public ::testing::Test {
 protected:
  void SetUp() override {
    savedStdin = ::dup(0);
    ASSERT_GE(savedStdin, 0);
  }
  void TearDown() override {
    ::dup2(savedStdin, 0);
    ::close(savedStdin);
  }
  static bool Open(int fd) { return ::fcntl(fd, F_GETFD) != -1; }

  int savedStdin = -1;
  kvtest::TempFolder folder;
};

TEST_F(StreamDescriptors, RefusedOpensCloseWhatTheyOpened) {
  const std::string name = folder.File("held.txt");
  kvtest::WriteBytes(name, "abc");
  auto held = std::make_unique<TFileStream>(name, fmOpenReadWrite | fmShareExclusive);
  ::close(0);
  EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);  // sharing violation
  EXPECT_FALSE(Open(0));
  held.reset();
  EXPECT_THROW(TFileStream(folder.Path(), fmOpenRead), EFOpenError);  // a folder opens, then is refused
  EXPECT_FALSE(Open(0));
  // A refused stream would have kept descriptor 0: the next file opened takes it again.
  TFileStream next(name, fmOpenRead);
  EXPECT_TRUE(Open(0));
}

}  // namespace
}  // namespace fw
