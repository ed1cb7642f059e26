// The settings written at exit while another program keeps the settings file locked: the exit
// waits for that lock once, within its bound, and two copies closed together while it is held
// past the bound both keep the files they opened on the recent list.

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "support/ForeignLockHolder.h"
#include "framework/FileLock.h"
#include "mainwindow_fixture.h"

namespace mainwindowtest {
namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr unsigned kBoundMs = 2000;  // the wait for the lock, shortened for these tests


class SettingsExitLockTest : public MainWindowTest {
 protected:
  void SetUp() override {
    fw::TFileLock::SetDefaultWait(kBoundMs);
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    fw::TFileLock::SetDefaultWait(fw::TFileLock::DefaultWaitMs);
  }
  // The recent files in the settings file, most recent first.
  static std::vector<std::string> StoredRecentFiles() {
    workspace::TPropSaver store(true);
    std::vector<std::string> names;
    for (fw::Integer i = 0; i < store.ReadInteger("RecentFilesCount", 0); ++i)
      names.push_back(store.ReadString("RecentFiles" + std::to_string(i), ""));
    return names;
  }
  // Closes the window as Alt+X does, and says how long that took, in bounds.
  double CloseInBounds() {
    workspace::Preferences.ConfirmClose = false;
    const SteadyClock::time_point start = SteadyClock::now();
    form->Close();
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count() / kBoundMs;
  }
};

// However long the file is held, the exit waits for it once: when it is let go, or at the bound,
// never at twice the bound. Then its settings are in the file all the same.
TEST_F(SettingsExitLockTest, TheExitWaitsForAHeldSettingsFileOnceWithinTheBound) {
  const struct {
    const char* holder;
    unsigned holdMs;  // 0: not held at all
    double leastBounds, mostBounds;
  } cases[] = {
      {"not held", 0, 0.0, 0.5},
      {"let go after half the bound", kBoundMs / 2, 0.4, 0.9},
      {"held past twice the bound", 60000, 0.95, 1.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.holder);
    const std::string graph = WriteFile(std::string(c.holder) + ".txt", "1 2\n2 3\n");
    form->OpenFileNames({graph});
    std::unique_ptr<kvtest::ForeignLockHolder> holder;
    if (c.holdMs > 0) {
      holder = std::make_unique<kvtest::ForeignLockHolder>(workspace::TPropSaver::SettingsFileName(), c.holdMs);
      ASSERT_TRUE(holder->Held());
    }
    const double took = CloseInBounds();
    EXPECT_GE(took, c.leastBounds);
    EXPECT_LT(took, c.mostBounds) << "waited for the lock more than once";
    holder.reset();
    const std::vector<std::string> recent = StoredRecentFiles();
    EXPECT_EQ(recent.empty() ? "" : recent.front(), graph);
    delete form;
    form = fw::Application->CreateForm<TwndKorvalinMain>();
    form->Show();
    Pump();
  }
}

// Two copies closed at once while another program holds the settings file past the bound (and
// lets it go before twice the bound, or not at all): each writes after its one wait, in turn,
// over what the other wrote, and both files they opened stay on the recent list.
TEST_F(SettingsExitLockTest, TwoCopiesClosedWhileTheFileIsHeldKeepBothRecentFiles) {
  for (const unsigned holdMs : {kBoundMs * 3 / 2, 60000u}) {
    SCOPED_TRACE(holdMs);
    const std::string mine = WriteFile("mine" + std::to_string(holdMs) + ".txt", "1 2\n2 3\n");
    const std::string theirs = WriteFile("theirs" + std::to_string(holdMs) + ".txt", "1 5\n2 6\n");
    kvtest::ForeignLockHolder holder(workspace::TPropSaver::SettingsFileName(), holdMs);
    ASSERT_TRUE(holder.Held());
    // The other copy: this window as it is now, in a process of its own.
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
      form->OpenFileNames({theirs});
      workspace::Preferences.ConfirmClose = false;
      form->Close();
      ::_exit(0);
    }
    form->OpenFileNames({mine});
    CloseInBounds();
    int status = 0;
    ASSERT_EQ(::waitpid(other, &status, 0), other);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::vector<std::string> recent = StoredRecentFiles();
    ASSERT_GE(recent.size(), 2u);
    std::vector<std::string> firstTwo(recent.begin(), recent.begin() + 2);
    std::sort(firstTwo.begin(), firstTwo.end());
    EXPECT_EQ(firstTwo, (std::vector<std::string>{mine, theirs})) << ::testing::PrintToString(recent);
    delete form;
    form = fw::Application->CreateForm<TwndKorvalinMain>();
    form->Show();
    Pump();
  }
}

}  // namespace
}  // namespace mainwindowtest
