#include "platform/kernel/LastError.h"

#include <gtest/gtest.h>

#include <thread>

namespace win {
namespace {

TEST(LastError, IsKeptPerThread) {
  SetLastError(ERROR_INVALID_PARAMETER);
  DWORD seenByOther = 12345;
  std::thread other([&] {
    seenByOther = GetLastError();
    SetLastError(ERROR_FILE_NOT_FOUND);
  });
  other.join();
  EXPECT_EQ(seenByOther, ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), 0u);
}

TEST(LastError, CodesHaveTheirSystemValues) {
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, 2u);
  EXPECT_EQ(ERROR_INVALID_HANDLE, 6u);
  EXPECT_EQ(ERROR_NOT_ENOUGH_MEMORY, 8u);
  EXPECT_EQ(ERROR_INVALID_PARAMETER, 87u);
  EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, 122u);
  EXPECT_EQ(ERROR_NO_UNICODE_TRANSLATION, 1113u);
  EXPECT_EQ(ERROR_INVALID_WINDOW_HANDLE, 1400u);
}

}  // namespace
}  // namespace win
