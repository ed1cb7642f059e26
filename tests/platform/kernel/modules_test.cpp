#include "platform/kernel/Modules.h"

#include <gtest/gtest.h>

#include "platform/kernel/LastError.h"

namespace win {
namespace {

int FakeBlend(int a) { return a * 2; }
int FakeGradient(int a) { return a + 100; }
int FakeLayered(int a) { return -a; }

class OptionalFunctions : public ::testing::Test {
 protected:
  void SetUp() override {
    modules::RegisterFunction(u"msimg32.dll", "AlphaBlend", &FakeBlend);
    modules::RegisterFunction(u"msimg32.dll", "GradientFill", &FakeGradient);
    modules::RegisterFunction(u"user32.dll", "UpdateLayeredWindow", &FakeLayered);
  }
  void TearDown() override { modules::RestoreAll(); }

  static int Call(HMODULE module, const char* name, int arg) {
    auto fn = reinterpret_cast<int (*)(int)>(GetProcAddress(module, name));
    return fn ? fn(arg) : -999;
  }
};

TEST_F(OptionalFunctions, RegisteredFunctionsAreFoundByModuleAndName) {
  HMODULE msimg = LoadLibraryW(u"msimg32.dll");
  ASSERT_NE(msimg, nullptr);
  EXPECT_EQ(Call(msimg, "AlphaBlend", 21), 42);
  EXPECT_EQ(Call(msimg, "GradientFill", 1), 101);
  // Names of modules ignore case and may leave out ".dll" or carry a folder.
  EXPECT_EQ(LoadLibraryW(u"MSIMG32"), msimg);
  EXPECT_EQ(LoadLibraryW(u"C:\\Windows\\System32\\MsImg32.DLL"), msimg);
  EXPECT_EQ(GetModuleHandleW(u"user32"), LoadLibraryW(u"user32.dll"));
  EXPECT_NE(GetModuleHandleW(u"user32"), msimg);
  // Function names are exact.
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(msimg, "alphablend"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_EQ(GetProcAddress(msimg, "UpdateLayeredWindow"), nullptr);
  EXPECT_TRUE(FreeLibrary(msimg));
}

TEST_F(OptionalFunctions, AbsentModulesDoNotLoad) {
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(u"uxtheme.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  EXPECT_EQ(LoadLibraryW(u"oleacc.dll"), nullptr);
  EXPECT_EQ(LoadLibraryW(u""), nullptr);
  EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
}

TEST_F(OptionalFunctions, TestsCanRemoveAndRestoreEntries) {
  HMODULE msimg = LoadLibraryW(u"msimg32.dll");
  ASSERT_NE(msimg, nullptr);
  modules::RemoveForTesting(u"MSIMG32.DLL", "AlphaBlend");
  EXPECT_EQ(GetProcAddress(msimg, "AlphaBlend"), nullptr);
  EXPECT_EQ(Call(msimg, "GradientFill", 2), 102);  // the rest of the module stays

  modules::RemoveModuleForTesting(u"user32");
  EXPECT_EQ(LoadLibraryW(u"user32.dll"), nullptr);

  // Removing every function of a module makes the module itself absent.
  modules::RemoveForTesting(u"msimg32", "GradientFill");
  EXPECT_EQ(LoadLibraryW(u"msimg32.dll"), nullptr);

  modules::RestoreAll();
  EXPECT_EQ(Call(msimg, "AlphaBlend", 5), 10);
  EXPECT_NE(LoadLibraryW(u"user32.dll"), nullptr);
}

TEST_F(OptionalFunctions, InvalidHandlesFailCleanly) {
  HMODULE forged = reinterpret_cast<HMODULE>(uintptr_t(0x1234));
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(forged, "AlphaBlend"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(FreeLibrary(forged));
  EXPECT_FALSE(FreeLibrary(nullptr));
  HMODULE msimg = LoadLibraryW(u"msimg32.dll");
  EXPECT_EQ(GetProcAddress(msimg, nullptr), nullptr);
  EXPECT_EQ(GetProcAddress(msimg, reinterpret_cast<LPCSTR>(uintptr_t(1))), nullptr);  // ordinal
  // FreeLibrary beyond the number of loads fails.
  EXPECT_TRUE(FreeLibrary(msimg));
  while (FreeLibrary(msimg)) {
  }
  EXPECT_FALSE(FreeLibrary(msimg));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

}  // namespace
}  // namespace win
