// Reading a file whole: the bytes of a regular file, a refusal for anything else, and a read
// that fails raised as a read error rather than retried for ever.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "framework/SysUtils.h"
#include "framework/WholeFile.h"
#include "stream_TempFolder.h"

namespace fw {
namespace {

TEST(WholeFileTests, ARegularFileComesBackWhole) {
  kvtest::TempFolder folder;
  std::string bytes(200000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7);
  kvtest::WriteBytes(folder.File("data.bin"), bytes);
  EXPECT_TRUE(IsRegularFile(folder.File("data.bin")));
  EXPECT_EQ(ReadWholeFile(folder.File("data.bin"), 1 << 20), bytes);
  kvtest::WriteBytes(folder.File("empty"), "");
  EXPECT_EQ(ReadWholeFile(folder.File("empty"), 0), "");
}

// A file whose size the system reports as 0 is still read to its end.
TEST(WholeFileTests, AFileLargerThanItsReportedSizeIsReadToTheEnd) {
  const std::string status = ReadWholeFile("/proc/self/status", 1 << 20);
  EXPECT_NE(status.find("Name:"), std::string::npos);
  EXPECT_THROW(ReadWholeFile("/proc/self/status", 4), EFOpenError);
}

TEST(WholeFileTests, AnythingButARegularFileIsRefusedBeforeItIsRead) {
  kvtest::TempFolder folder;
  ASSERT_EQ(::mkfifo(folder.File("pipe").c_str(), 0600), 0);
  kvtest::WriteBytes(folder.File("big"), std::string(11, 'x'));
  struct Case {
    std::string path;
    Int64 max;
  } cases[] = {{folder.Path(), 100},
               {folder.File("pipe"), 100},
               {folder.File("missing"), 100},
               {folder.File("big"), 10}};
  EXPECT_FALSE(IsRegularFile(folder.Path()));
  EXPECT_FALSE(IsRegularFile(folder.File("pipe")));
  EXPECT_FALSE(IsRegularFile(folder.File("missing")));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_THROW(ReadWholeFile(c.path, c.max), EFOpenError);
  }
}

// The memory of the process itself reads as a regular file that fails at address 0.
TEST(WholeFileTests, AReadThatFailsRaisesAReadError) {
  try {
    ReadWholeFile("/proc/self/mem", 1 << 20);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_NE(std::string(e.Message()).find("Cannot read file \"/proc/self/mem\""), std::string::npos)
        << e.Message();
  }
}

}  // namespace
}  // namespace fw
