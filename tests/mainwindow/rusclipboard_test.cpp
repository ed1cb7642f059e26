// Text the program places carries the Russian locale, so a reader asking for ANSI text gets
// the Cyrillic code page's bytes.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardFormats.h"
#include "platform/user/services/ClipboardGlobalMemory.h"
#include "mainwindow/RusClipboard.h"

namespace {

std::uint32_t LocaleOnClipboard() {
  if (!win::OpenClipboard(nullptr)) return 0;
  std::uint32_t value = 0;
  if (win::HANDLE h = win::GetClipboardData(win::CF_LOCALE)) {
    if (void* p = win::GlobalLock(win::HGLOBAL(h))) {
      std::memcpy(&value, p, sizeof value);
      win::GlobalUnlock(win::HGLOBAL(h));
    }
  }
  win::CloseClipboard();
  return value;
}

TEST(RusClipboardTest, TextPlacedCarriesLocale1049AndReadsBackAsCp1251) {
  workspace::TRusClipboard clipboard;
  clipboard.SetAsText("Привет, 1.5");
  EXPECT_EQ(clipboard.OpenRefCount(), 0);
  EXPECT_EQ(LocaleOnClipboard(), 1049u);

  ASSERT_TRUE(win::OpenClipboard(nullptr));
  win::HANDLE ansi = win::GetClipboardData(win::CF_TEXT);
  ASSERT_NE(ansi, nullptr);
  const char* bytes = static_cast<const char*>(win::GlobalLock(win::HGLOBAL(ansi)));
  ASSERT_NE(bytes, nullptr);
  // "Привет" in code page 1251.
  EXPECT_EQ(std::string(bytes), "\xCF\xF0\xE8\xE2\xE5\xF2, 1.5");
  win::GlobalUnlock(win::HGLOBAL(ansi));
  win::CloseClipboard();

  EXPECT_EQ(clipboard.AsText(), "Привет, 1.5");
}

TEST(RusClipboardTest, NestedOpensPutTheLocaleOnceEachWay) {
  workspace::TRusClipboard clipboard;
  clipboard.Open();
  clipboard.Open();
  clipboard.SetAsText("a");
  clipboard.SetAsText("b");  // within one pair: the same contents grow, nothing is emptied
  clipboard.Close();
  EXPECT_EQ(clipboard.OpenRefCount(), 1);
  clipboard.Close();
  EXPECT_EQ(clipboard.OpenRefCount(), 0);
  EXPECT_EQ(LocaleOnClipboard(), 1049u);
  EXPECT_EQ(clipboard.AsText(), "b");
}

}  // namespace
