#include "platform/kernel/Process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "platform/kernel/EndSignals.h"
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

// The signals that end a session reach a started program with their default action, whether this
// process ignores one (started under nohup, or as a background job), blocks it, or catches it to
// end in order: the program ends by the signal it sends itself, as if started from a shell.
TEST_F(Processes, AStartedProgramEndsOnTheSessionSignalsAsUsual) {
  enum TState { ignored, blocked, caught };
  const struct {
    int signal;
    TState state;
  } cases[] = {
      {SIGTERM, ignored}, {SIGHUP, ignored}, {SIGINT, ignored}, {SIGTERM, blocked}, {SIGHUP, caught},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "signal " << c.signal << ", state " << c.state);
    struct sigaction before {};
    ::sigaction(c.signal, nullptr, &before);
    sigset_t only, mask;
    sigemptyset(&only);
    sigaddset(&only, c.signal);
    if (c.state == ignored) ::signal(c.signal, SIG_IGN);
    if (c.state == blocked) ::pthread_sigmask(SIG_BLOCK, &only, &mask);
    if (c.state == caught) {
      ASSERT_TRUE(CatchEndSignals());
    }
    const int pid = StartProcess({"/bin/sh", "-c", "kill -" + std::to_string(c.signal) + " $$; exit 0"});
    if (c.state == caught) ReleaseEndSignals();
    if (c.state == blocked) ::pthread_sigmask(SIG_SETMASK, &mask, nullptr);
    ::sigaction(c.signal, &before, nullptr);
    ASSERT_GT(pid, 0);
    int code = -1;
    ASSERT_TRUE(WaitForProcess(pid, 20000, &code));
    EXPECT_EQ(code, 128 + c.signal);
  }
}

// Each end signal is noted for the waiting thread and nothing else happens; a release wakes the
// waiter with none.
TEST(EndSignals, EachIsHandedToTheWaiter) {
  for (int signal : kEndSignals) {
    ASSERT_TRUE(CatchEndSignals());
    ASSERT_EQ(::raise(signal), 0);
    EXPECT_EQ(WaitForEndSignal(), signal);
    ReleaseEndSignals();
    struct sigaction after {};
    ::sigaction(signal, nullptr, &after);
    EXPECT_EQ(after.sa_handler, SIG_DFL) << "the disposition before the catch comes back";
  }
  ASSERT_TRUE(CatchEndSignals());
  int woken = -1;
  std::thread waiter([&] { woken = WaitForEndSignal(); });
  ReleaseEndSignals();
  waiter.join();
  EXPECT_EQ(woken, 0);
}

// In a process of its own: what a first end signal, a second one while the first is answered, and
// a signal the process was started to ignore do to it.
TEST(EndSignals, ASecondOneEndsTheProcessAndAnIgnoredOneStaysIgnored) {
  const struct {
    const char* what;
    int first, second;  // 0: none
    bool ignoreFirst;
    int endedBy;  // 0: ended by its own exit
  } cases[] = {
      {"one signal, noted", SIGTERM, 0, false, 0},
      {"a second of the same", SIGTERM, SIGTERM, false, SIGTERM},
      {"a second of another", SIGINT, SIGHUP, false, SIGHUP},
      {"started to ignore it", SIGHUP, 0, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (c.ignoreFirst) ::signal(c.first, SIG_IGN);
      if (!CatchEndSignals()) ::_exit(2);
      ::raise(c.first);
      if (c.second) ::raise(c.second);
      struct sigaction now {};
      ::sigaction(c.first, nullptr, &now);
      if (c.ignoreFirst) ::_exit(now.sa_handler == SIG_IGN ? 0 : 3);
      ::_exit(WaitForEndSignal() == c.first ? 0 : 4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (c.endedBy) {
      ASSERT_TRUE(WIFSIGNALED(status)) << "exit " << WEXITSTATUS(status);
      EXPECT_EQ(WTERMSIG(status), c.endedBy);
    } else {
      ASSERT_TRUE(WIFEXITED(status)) << "signal " << WTERMSIG(status);
      EXPECT_EQ(WEXITSTATUS(status), 0);
    }
  }
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
