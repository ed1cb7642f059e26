// Saving a file whole or not at all: the old file kept on failure, no leftovers, links followed,
// permissions kept, folders and read-only files refused, long names, other people's ".part"
// files left alone; and the graphics saving through it.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "framework/GraphicsBitmap.h"
#include "framework/SafeSave.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "stream_TempFolder.h"

namespace {

using kvtest::ReadBytes;
using kvtest::WriteBytes;

class SafeSaveTest : public ::testing::Test {
 protected:
  int Entries() const {
    return int(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}));
  }
  static void Save(const std::string& File, const std::string& Bytes) {
    fw::SaveFileSafely(File, [&](fw::TStream* Stream) {
      EXPECT_EQ(Stream->Position(), 0);
      Stream->WriteBuffer(Bytes.data(), fw::Integer(Bytes.size()));
    });
  }
  static mode_t Mode(const std::string& File) {
    struct stat info {};
    EXPECT_EQ(::stat(File.c_str(), &info), 0) << File;
    return info.st_mode & 07777;
  }
  kvtest::TempFolder folder_;
};

TEST_F(SafeSaveTest, MakesAFileAndReplacesOneWithLongerContents) {
  const std::string file = folder_.File("data.bin");
  Save(file, "");
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(ReadBytes(file), "");
  WriteBytes(file, "a much longer old content");
  Save(file, std::string("new\0bytes", 9));
  EXPECT_EQ(ReadBytes(file), std::string("new\0bytes", 9));
  EXPECT_EQ(Entries(), 1);
}

TEST_F(SafeSaveTest, AFailingWriterLeavesTheOldFileAndNothingElse) {
  const std::string file = folder_.File("keep.bin");
  WriteBytes(file, "old");
  auto failing = [](fw::TStream* Stream) {
    Stream->WriteBuffer("partial", 7);
    throw fw::EWriteError("Stream write error");
  };
  EXPECT_THROW(fw::SaveFileSafely(file, failing), fw::EWriteError);
  EXPECT_EQ(ReadBytes(file), "old");
  EXPECT_EQ(Entries(), 1);
  // Any exception, not only the stream's, and without an old file nothing remains.
  const std::string fresh = folder_.File("fresh.bin");
  EXPECT_THROW(fw::SaveFileSafely(fresh, [](fw::TStream*) { throw std::runtime_error("drawing"); }),
               std::runtime_error);
  EXPECT_FALSE(std::filesystem::exists(fresh));
  EXPECT_EQ(Entries(), 1);
}

TEST_F(SafeSaveTest, AMissingFolderRaisesTheCreateErrorNamingTheFile) {
  const std::string file = folder_.File("no/such/folder/x.bin");
  bool called = false;
  try {
    fw::SaveFileSafely(file, [&](fw::TStream*) { called = true; });
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const fw::EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file \"" + file + "\". " + fw::SysErrorMessage(ENOENT));
  }
  EXPECT_FALSE(called) << "nothing is drawn for a file that cannot be made";
  EXPECT_EQ(Entries(), 0);
}

TEST_F(SafeSaveTest, FoldersAndReadOnlyFilesAreRefused) {
  const std::string sub = folder_.File("sub");
  std::filesystem::create_directory(sub);
  try {
    Save(sub, "x");
    ADD_FAILURE() << "replaced a folder";
  } catch (const fw::EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file \"" + sub + "\". " + fw::SysErrorMessage(EISDIR));
  }
  EXPECT_TRUE(std::filesystem::is_directory(sub));
  EXPECT_EQ(Entries(), 1);
  if (geteuid() != 0) {  // the permission bits do not bind the superuser
    const std::string file = folder_.File("locked.bin");
    WriteBytes(file, "locked");
    ::chmod(file.c_str(), 0444);
    EXPECT_THROW(Save(file, "x"), fw::EFCreateError);
    EXPECT_EQ(ReadBytes(file), "locked");
    EXPECT_EQ(Entries(), 2);
  }
}

TEST_F(SafeSaveTest, ALinkIsFollowedAndPermissionsStay) {
  const std::string target = folder_.File("target.bin");
  const std::string link = folder_.File("link.bin");
  WriteBytes(target, "old");
  ::chmod(target.c_str(), 0640);
  std::filesystem::create_symlink(target, link);
  Save(link, "through the link");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(target), "through the link");
  EXPECT_EQ(Mode(target), 0640u);
  // A file of unusual bits saved directly keeps them too.
  ::chmod(target.c_str(), 0604);
  Save(target, "direct");
  EXPECT_EQ(Mode(target), 0604u);
  EXPECT_EQ(Entries(), 2);
}

TEST_F(SafeSaveTest, SomeoneElsesPartFilesAreLeftAlone) {
  const std::string file = folder_.File("data.bin");
  WriteBytes(file + ".part", "someone else's");
  WriteBytes(file + ".part1", "another one");
  Save(file, "mine");
  EXPECT_EQ(ReadBytes(file), "mine");
  EXPECT_EQ(ReadBytes(file + ".part"), "someone else's");
  EXPECT_EQ(ReadBytes(file + ".part1"), "another one");
  EXPECT_EQ(Entries(), 3);
}

TEST_F(SafeSaveTest, ANameAtTheLengthLimitIsSaved) {
  const std::string file = folder_.File(std::string(255 - 4, 'n') + ".bin");
  WriteBytes(file, "old");
  ASSERT_EQ(ReadBytes(file), "old");
  Save(file, "new");
  EXPECT_EQ(ReadBytes(file), "new");
  EXPECT_EQ(Entries(), 1);
}

TEST_F(SafeSaveTest, AGraphicSavesThroughALinkAndKeepsThePermissions) {
  fw::TBitmap bitmap;
  bitmap.SetPixelFormat(fw::pf24bit);
  bitmap.SetSize(3, 2);
  fw::TMemoryStream expected;
  bitmap.SaveToStream(&expected);
  const std::string target = folder_.File("picture.bmp");
  const std::string link = folder_.File("shortcut.bmp");
  WriteBytes(target, "old picture");
  WriteBytes(target + ".part", "someone else's");
  ::chmod(target.c_str(), 0600);
  std::filesystem::create_symlink(target, link);
  bitmap.SaveToFile(link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(target),
            std::string(static_cast<const char*>(expected.Memory()), std::size_t(expected.Size())));
  EXPECT_EQ(Mode(target), 0600u);
  EXPECT_EQ(ReadBytes(target + ".part"), "someone else's");
  EXPECT_EQ(Entries(), 3);
}

// A batch replaces nothing before Commit; dropped uncommitted (a later Add failed) it leaves every
// target as it was and no new file behind.
TEST_F(SafeSaveTest, ABatchReplacesItsTargetsOnlyWhenCommitted) {
  const std::string a = folder_.File("a.txt"), b = folder_.File("b.txt");
  WriteBytes(a, "old a");
  auto write = [](const std::string& Bytes) {
    return [Bytes](fw::TStream* Stream) { Stream->WriteBuffer(Bytes.data(), fw::Integer(Bytes.size())); };
  };
  {
    fw::TSafeSaveBatch batch;
    batch.Add(a, write("new a"));
    EXPECT_EQ(ReadBytes(a), "old a");
    EXPECT_THROW(batch.Add(b, [](fw::TStream*) { throw fw::EWriteError("disk full"); }), fw::EWriteError);
  }
  EXPECT_EQ(ReadBytes(a), "old a");
  EXPECT_FALSE(std::filesystem::exists(b));
  EXPECT_EQ(Entries(), 1);
  {
    fw::TSafeSaveBatch batch;
    batch.Add(a, write("new a"));
    batch.Add(b, write("new b"));
    EXPECT_EQ(Entries(), 3);  // a and the two new files beside their targets
    batch.Commit();
  }
  EXPECT_EQ(ReadBytes(a), "new a");
  EXPECT_EQ(ReadBytes(b), "new b");
  EXPECT_EQ(Entries(), 2);
}

}  // namespace
