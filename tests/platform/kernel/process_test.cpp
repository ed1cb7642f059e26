#include "platform/kernel/Process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/kernel/Files.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/TextConvert.h"

namespace win {
namespace {

namespace fs = std::filesystem;

constexpr UINT kShowNormal = 1;

// A name full of characters a shell would act on.
const std::string kHostile = "a;b $(touch pwned) `id` | c & d > e * ? 'q' \"dq\" \\n";

class Processes : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "kv-proc-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    process::ResetOpenCommand();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  // Every file the spawned commands created, by name.
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Opener that writes the argument it receives into "opened".
  void RecordOpens() {
    process::SetOpenCommand({"/bin/sh", "-c", "printf %s \"$1\" > \"$0\"", (dir_ / "opened").string()});
  }
  fs::path dir_;
};

TEST_F(Processes, ArgumentsArePassedLiterally) {
  const int pid = StartProcess({"touch", (dir_ / kHostile).string(), (dir_ / "second file").string()});
  ASSERT_GT(pid, 0);
  int code = -1;
  ASSERT_TRUE(WaitForProcess(pid, 20000, &code));
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Listing(), (std::vector<std::string>{kHostile, "second file"}));
  // Waiting twice for the same process is refused.
  EXPECT_FALSE(WaitForProcess(pid, 0, &code));
}

TEST_F(Processes, ExitCodesAndMissingPrograms) {
  int pid = StartProcess({"/bin/sh", "-c", "exit 3"});
  ASSERT_GT(pid, 0);
  int code = -1;
  ASSERT_TRUE(WaitForProcess(pid, 20000, &code));
  EXPECT_EQ(code, 3);
  SetLastError(0);
  EXPECT_EQ(StartProcess({"/nonexistent/kv-program"}), 0);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  for (const std::vector<std::string>& none : {std::vector<std::string>{}, std::vector<std::string>{""}}) {
    SetLastError(0);
    EXPECT_EQ(StartProcess(none), 0);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND) << "a program that names nothing is not found";
  }
  EXPECT_FALSE(WaitForProcess(999999, 0, &code));
}

// This process writes past a file size limit as an error; a program it starts gets the default
// back and is ended by the limit's signal, as it would be started from a shell.
TEST_F(Processes, AStartedProgramEndsAtItsFileSizeLimitAsUsual) {
  ReportFileSizeLimitAsWriteError();
  const std::string file = (dir_ / "limited").string();
  const int pid = StartProcess({"/bin/sh", "-c", "ulimit -f 1; exec head -c 4096 /dev/zero > \"$0\"", file});
  ASSERT_GT(pid, 0);
  int code = -1;
  ASSERT_TRUE(WaitForProcess(pid, 20000, &code));
  EXPECT_EQ(code, 128 + SIGXFSZ);
}

TEST_F(Processes, WinExecPassesTheRestOfTheLineAsOneArgument) {
  // The editor's file name contains blanks and shell characters; it reaches the program whole.
  const std::string target = (dir_ / "My file; rm x.txt").string();
  EXPECT_GT(WinExec(("touch " + target).c_str(), kShowNormal), 31u);
  const std::string quoted = (dir_ / "quoted $(id).txt").string();
  EXPECT_GT(WinExec(("\"/usr/bin/touch\" \"" + quoted + "\"").c_str(), kShowNormal), 31u);
  // Windows Cyrillic text in the command line becomes the UTF-8 file name.
  const std::string cyrillic = Utf8ToCp1251((dir_ / "график.txt").string());
  EXPECT_GT(WinExec(("touch " + cyrillic).c_str(), kShowNormal), 31u);
  ASSERT_TRUE(process::WaitForAllStarted(30000));
  EXPECT_EQ(Listing(), (std::vector<std::string>{"My file; rm x.txt", "quoted $(id).txt", "график.txt"}));

  EXPECT_EQ(WinExec("kv-no-such-editor file.txt", kShowNormal), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec("", kShowNormal), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(WinExec(nullptr, kShowNormal), 0u);
}

TEST_F(Processes, ShellExecuteOpensThroughTheOpenerWithoutAShell) {
  RecordOpens();
  const std::u16string url = u"https://example.org/?a=1&b=$(id)`x`";
  HINSTANCE result = ShellExecuteW(nullptr, u"open", url.c_str(), nullptr, nullptr, kShowNormal);
  ASSERT_GT(reinterpret_cast<uintptr_t>(result), 32u);
  ASSERT_TRUE(process::WaitForAllStarted(30000));
  EXPECT_EQ(Read("opened"), WideToUtf8(url));
}

TEST_F(Processes, ShellExecuteRefusesWhatItCannotDo) {
  RecordOpens();
  auto value = [](HINSTANCE h) { return reinterpret_cast<uintptr_t>(h); };
  EXPECT_EQ(value(ShellExecuteW(nullptr, u"open", Utf8ToWide((dir_ / "missing.txt").string()).c_str(), nullptr, nullptr, 1)),
            uintptr_t(ERROR_FILE_NOT_FOUND));
  std::ofstream(dir_ / "exists.txt") << "x";
  const std::u16string existing = Utf8ToWide((dir_ / "exists.txt").string());
  EXPECT_EQ(value(ShellExecuteW(nullptr, u"print", existing.c_str(), nullptr, nullptr, 1)), uintptr_t(SE_ERR_NOASSOC));
  EXPECT_EQ(value(ShellExecuteW(nullptr, u"open", existing.c_str(), u"-x", nullptr, 1)), uintptr_t(SE_ERR_NOASSOC));
  EXPECT_EQ(value(ShellExecuteW(nullptr, nullptr, nullptr, nullptr, nullptr, 1)), uintptr_t(ERROR_FILE_NOT_FOUND));
  // A relative name is found in the given folder.
  EXPECT_GT(value(ShellExecuteW(nullptr, nullptr, u"exists.txt", nullptr, Utf8ToWide(dir_.string()).c_str(), 1)), 32u);
  EXPECT_TRUE(process::WaitForAllStarted(30000));
  process::SetOpenCommand({"/nonexistent/kv-opener"});
  EXPECT_EQ(value(ShellExecuteW(nullptr, u"OPEN", existing.c_str(), nullptr, nullptr, 1)), uintptr_t(SE_ERR_NOASSOC));
}

}  // namespace
}  // namespace win
