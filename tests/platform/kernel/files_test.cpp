#include "platform/kernel/Files.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/kernel/LastError.h"
#include "platform/kernel/TextConvert.h"

namespace win {
namespace {

namespace fs = std::filesystem;

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "kv-kernel-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    ::chmod(dir_.c_str(), 0700);
    std::error_code ec;
    fs::remove_all(dir_, ec);
    module::OverrideFileName(u"");
  }
  std::u16string Wide(const std::string& name) const { return Utf8ToWide((fs::path(dir_) / name).string()); }
  void Write(const std::string& name, const std::string& content) const {
    std::ofstream(fs::path(dir_) / name, std::ios::binary) << content;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(fs::path(dir_) / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string dir_;
};

TEST(ModulePath, IsTheRunningExecutable) {
  const std::u16string path = ModuleFileName();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(fs::path(WideToUtf8(path)), fs::canonical("/proc/self/exe"));
  WCHAR buffer[1024] = {};
  const DWORD n = GetModuleFileNameW(nullptr, buffer, 1024);
  EXPECT_EQ(std::u16string(buffer, n), path);
  EXPECT_EQ(ModulePathWithExtension(u".ini"), ChangeFileExt(path, u".ini"));
}

TEST(ModulePath, ShortBufferIsTruncatedAndTerminated) {
  WCHAR buffer[5] = {u'x', u'x', u'x', u'x', u'x'};
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 5), 5u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(buffer[4], u'\0');
  EXPECT_EQ(std::u16string(buffer), ModuleFileName().substr(0, 4));
  EXPECT_EQ(GetModuleFileNameW(reinterpret_cast<HMODULE>(0x1234), buffer, 5), 0u);
}

TEST(ModulePath, ChangeFileExtWorksOnTheFileNameOnly) {
  EXPECT_EQ(ChangeFileExt(u"/opt/korvalin/korvalin", u".ini"), u"/opt/korvalin/korvalin.ini");
  EXPECT_EQ(ChangeFileExt(u"/opt/korvalin/app.bin", u".ini"), u"/opt/korvalin/app.ini");
  EXPECT_EQ(ChangeFileExt(u"/opt/v1.2/app", u".def"), u"/opt/v1.2/app.def");
  EXPECT_EQ(ChangeFileExt(u"/home/u/архив.tar.gz", u".zip"), u"/home/u/архив.tar.zip");
  EXPECT_EQ(ChangeFileExt(u"file.txt", u""), u"file");
  EXPECT_EQ(ChangeFileExt(u"", u".ini"), u".ini");
}

TEST_F(TempFolder, OverriddenModulePathMovesTheSettingsFile) {
  module::OverrideFileName(Wide("Korvalin"));
  EXPECT_EQ(ModulePathWithExtension(u".ini"), Wide("Korvalin.ini"));
  WCHAR buffer[512];
  EXPECT_EQ(std::u16string(buffer, GetModuleFileNameW(nullptr, buffer, 512)), Wide("Korvalin"));
  module::OverrideFileName(u"");
  EXPECT_NE(ModuleFileName(), Wide("Korvalin"));
}

TEST_F(TempFolder, TempPathEndsWithSlashAndReportsNeededSize) {
  WCHAR buffer[512];
  const DWORD n = GetTempPathW(512, buffer);
  ASSERT_GT(n, 0u);
  EXPECT_EQ(buffer[n - 1], u'/');
  EXPECT_EQ(buffer[n], u'\0');
  EXPECT_TRUE(fs::is_directory(WideToUtf8(std::u16string(buffer, n))));
  EXPECT_EQ(GetTempPathW(2, buffer), n + 1);
  EXPECT_EQ(GetTempPathW(0, nullptr), n + 1);
}

TEST_F(TempFolder, AttributesOfFilesFoldersAndMissingPaths) {
  Write("data.txt", "1 2");
  Write(".hidden", "");
  Write("ro.txt", "x");
  fs::create_directory(fs::path(dir_) / "sub");
  EXPECT_EQ(GetFileAttributesW(Wide("data.txt").c_str()), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(GetFileAttributesW(Wide("sub").c_str()), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesW(Wide(".hidden").c_str()), FILE_ATTRIBUTE_HIDDEN);
  ::chmod((fs::path(dir_) / "ro.txt").c_str(), 0444);
  EXPECT_EQ(GetFileAttributesW(Wide("ro.txt").c_str()), FILE_ATTRIBUTE_READONLY);
  SetLastError(0);
  EXPECT_EQ(GetFileAttributesW(Wide("missing.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  SetLastError(0);
  EXPECT_EQ(GetFileAttributesW(Wide("data.txt/inner").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(GetFileAttributesW(nullptr), INVALID_FILE_ATTRIBUTES);
}

TEST_F(TempFolder, NonAsciiNamesReachTheRealFile) {
  Write("График №1.txt", "x");
  EXPECT_EQ(GetFileAttributesW(Wide("График №1.txt").c_str()), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(DeleteFileW(Wide("График №1.txt").c_str()));
  EXPECT_FALSE(fs::exists(fs::path(dir_) / "График №1.txt"));
}

TEST_F(TempFolder, DeleteFileRefusesFoldersAndMissingFiles) {
  fs::create_directory(fs::path(dir_) / "sub");
  SetLastError(0);
  EXPECT_FALSE(DeleteFileW(Wide("sub").c_str()));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(fs::is_directory(fs::path(dir_) / "sub"));
  SetLastError(0);
  EXPECT_FALSE(DeleteFileW(Wide("none").c_str()));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(DeleteFileW(nullptr));
}

TEST_F(TempFolder, MoveReplacesOnlyWhenAsked) {
  Write("new.ini", "new");
  Write("settings.ini", "old");
  SetLastError(0);
  EXPECT_FALSE(MoveFileExW(Wide("new.ini").c_str(), Wide("settings.ini").c_str(), 0));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(Read("settings.ini"), "old");
  EXPECT_EQ(Read("new.ini"), "new");

  EXPECT_TRUE(MoveFileExW(Wide("new.ini").c_str(), Wide("settings.ini").c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  EXPECT_EQ(Read("settings.ini"), "new");
  EXPECT_FALSE(fs::exists(fs::path(dir_) / "new.ini"));

  EXPECT_TRUE(MoveFileExW(Wide("settings.ini").c_str(), Wide("moved.ini").c_str(), 0));
  EXPECT_EQ(Read("moved.ini"), "new");

  SetLastError(0);
  EXPECT_FALSE(MoveFileExW(Wide("absent").c_str(), Wide("x").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(MoveFileExW(Wide("moved.ini").c_str(), nullptr, 0));
  EXPECT_FALSE(MoveFileExW(Wide("moved.ini").c_str(), Wide("y").c_str(), 0x4 /* delay until reboot */));
  EXPECT_TRUE(fs::exists(fs::path(dir_) / "moved.ini"));
}

TEST_F(TempFolder, MoveIntoReadOnlyFolderFailsWithoutLosingTheSource) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  Write("a.ini", "keep");
  fs::create_directory(fs::path(dir_) / "locked");
  ::chmod((fs::path(dir_) / "locked").c_str(), 0500);
  SetLastError(0);
  EXPECT_FALSE(MoveFileExW(Wide("a.ini").c_str(), Wide("locked/a.ini").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Read("a.ini"), "keep");
  ::chmod((fs::path(dir_) / "locked").c_str(), 0700);
}

}  // namespace
}  // namespace win
