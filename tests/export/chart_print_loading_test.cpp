// The print service loads the print system's library when a queue is first asked for, not when
// the program starts; where the library cannot be loaded there are no queues and a job is
// refused with the reason, never a crash.

#include <gtest/gtest.h>

#include <dlfcn.h>

#include "platform/desktop/PrintService.h"
#include "presenter/PrintQueues.h"

namespace {

bool PrintSystemLoaded() {
  void* handle = dlopen("libcups.so.2", RTLD_NOW | RTLD_NOLOAD);
  if (handle) dlclose(handle);  // NOLOAD took a reference of its own
  return handle != nullptr;
}

TEST(PrintSystemLoading, TheLibraryLoadsWithTheFirstQueueRequest) {
  if (PrintSystemLoaded()) GTEST_SKIP() << "an earlier test of this run loaded the print system";
  win::presenter::PrintQueues queues;
  EXPECT_EQ(win::desktop::GetPrintService(), &queues);
  EXPECT_FALSE(PrintSystemLoaded()) << "made with the service";
  (void)queues.Queues();
  EXPECT_TRUE(PrintSystemLoaded());
}

TEST(PrintSystemLoading, AMissingLibraryGivesNoQueuesAndRefusesJobsWithTheReason) {
  win::desktop::PrintService* before = win::desktop::GetPrintService();
  {
    win::presenter::PrintQueues queues("libkv-missing-print-system.so.9");
    EXPECT_EQ(win::desktop::GetPrintService(), &queues);
    EXPECT_TRUE(queues.Queues().empty());
    EXPECT_EQ(queues.DefaultQueue(), "");
    const std::optional<std::string> refused = queues.Submit("KorvalinPDF", "chart", "%PDF-1.4\n%%EOF\n", 2, {210, 297});
    ASSERT_TRUE(refused.has_value());
    EXPECT_NE(refused->find("could not be loaded"), std::string::npos) << *refused;
    EXPECT_NE(refused->find("libkv-missing-print-system.so.9"), std::string::npos) << *refused;
    // Asked again, the same answer without another attempt.
    EXPECT_EQ(queues.Submit("KorvalinPDF", "chart", "%PDF-1.4\n%%EOF\n", 1, {210, 297}), refused);
  }
  EXPECT_EQ(win::desktop::GetPrintService(), before);
}

}  // namespace
