#include "platform/kernel/Registry.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/kernel/LastError.h"

namespace win {
namespace {

class RegistryStore : public ::testing::Test {
 protected:
  void TearDown() override { registry::Clear(); }
};

TEST_F(RegistryStore, EmptyStoreFindsNothing) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Control Panel\\Desktop", 0, KEY_READ, &key), LSTATUS(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(key, nullptr);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(HKEY_CURRENT_USER, u"MenuShowDelay", nullptr, nullptr, nullptr, &size),
            LSTATUS(ERROR_FILE_NOT_FOUND));
}

TEST_F(RegistryStore, ValuesPutByTestsAreReadBack) {
  registry::SetString(HKEY_CURRENT_USER, u"Control Panel\\Desktop", u"MenuShowDelay", u"250");
  registry::SetDword(HKEY_CURRENT_USER, u"Software\\Test", u"Count", 42);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"control panel\\DESKTOP", 0, KEY_READ, &key), LSTATUS(ERROR_SUCCESS));
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExW(key, u"menushowdelay", nullptr, &type, nullptr, &size), LSTATUS(ERROR_SUCCESS));
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 8u);  // three characters and the terminator
  WCHAR text[4] = {};
  DWORD small = 4;
  EXPECT_EQ(RegQueryValueExW(key, u"MenuShowDelay", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &small),
            LSTATUS(ERROR_MORE_DATA));
  EXPECT_EQ(small, 8u);
  ASSERT_EQ(RegQueryValueExW(key, u"MenuShowDelay", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
            LSTATUS(ERROR_SUCCESS));
  EXPECT_EQ(std::u16string(text), u"250");
  EXPECT_EQ(RegQueryValueExW(key, u"Other", nullptr, nullptr, nullptr, &size), LSTATUS(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(RegCloseKey(key), LSTATUS(ERROR_SUCCESS));

  // Keys open step by step from an opened parent; the value is on another root only.
  HKEY software = nullptr, test = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software", 0, KEY_READ, &software), LSTATUS(ERROR_SUCCESS));
  ASSERT_EQ(RegOpenKeyExW(software, u"Test", 0, KEY_READ, &test), LSTATUS(ERROR_SUCCESS));
  DWORD value = 0;
  size = sizeof value;
  ASSERT_EQ(RegQueryValueExW(test, u"Count", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
            LSTATUS(ERROR_SUCCESS));
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(value, 42u);
  HKEY elsewhere = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Test", 0, KEY_READ, &elsewhere),
            LSTATUS(ERROR_FILE_NOT_FOUND));
  RegCloseKey(test);
  RegCloseKey(software);

  registry::Clear();
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software", 0, KEY_READ, &software), LSTATUS(ERROR_FILE_NOT_FOUND));
}

TEST_F(RegistryStore, ClosedAndForgedKeysFail) {
  registry::SetDword(HKEY_CURRENT_USER, u"A", u"x", 1);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"A", 0, KEY_READ, &key), LSTATUS(ERROR_SUCCESS));
  EXPECT_EQ(RegCloseKey(key), LSTATUS(ERROR_SUCCESS));
  EXPECT_EQ(RegCloseKey(key), LSTATUS(ERROR_INVALID_HANDLE));
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"x", nullptr, nullptr, nullptr, &size), LSTATUS(ERROR_INVALID_HANDLE));
  HKEY sub = nullptr;
  EXPECT_EQ(RegOpenKeyExW(key, u"B", 0, KEY_READ, &sub), LSTATUS(ERROR_INVALID_HANDLE));
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"A", 0, KEY_READ, nullptr), LSTATUS(ERROR_INVALID_PARAMETER));
  BYTE data[4];
  EXPECT_EQ(RegQueryValueExW(HKEY_CURRENT_USER, u"x", nullptr, nullptr, data, nullptr), LSTATUS(ERROR_INVALID_PARAMETER));
}

}  // namespace
}  // namespace win
