// Our clipboard and the X server's CLIPBOARD selection, checked with another X client (xclip).

#include <cstring>

#include "PresenterFixture.h"
#include "presenter/ClipboardBridge.h"
#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardGlobalMemory.h"

namespace kvtest {
namespace {

using namespace win;

class ClipboardTest : public PresenterTest {
 protected:
  bool PlaceOurs(UINT format, const void* data, size_t bytes) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAllocCopy(data, bytes);
    bool ok = block && SetClipboardData(format, block);
    CloseClipboard();
    return ok;
  }
  bool PlaceOurText(const std::u16string& text) {
    return PlaceOurs(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(char16_t));
  }
  std::optional<std::u16string> OurText() {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    std::optional<std::u16string> text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
      auto* p = static_cast<const char16_t*>(GlobalLock(static_cast<HGLOBAL>(h)));
      if (p) text = std::u16string(p);
      GlobalUnlock(static_cast<HGLOBAL>(h));
    }
    CloseClipboard();
    return text;
  }
  void PlaceWithXclip(const std::string& utf8) {
    // xclip stays behind to serve the selection: it must not hold our output pipe open.
    CommandResult r = Run("printf %s " + ShellQuote(utf8) + " | xclip -i -selection clipboard >/dev/null 2>&1");
    ASSERT_EQ(r.status, 0) << r.output;
  }
};

TEST_F(ClipboardTest, OurTextIsReadByAnotherXClient) {
  ASSERT_TRUE(PlaceOurText(u"Привет, график: y = 2x"));
  CommandResult r = Run("xclip -o -selection clipboard");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output, "Привет, график: y = 2x");

  // A later copy replaces it.
  ASSERT_TRUE(PlaceOurText(u"second"));
  EXPECT_EQ(Run("xclip -o -selection clipboard").output, "second");
}

TEST_F(ClipboardTest, TextPlacedByAnotherXClientBecomesOurUnicodeText) {
  ASSERT_TRUE(PlaceOurText(u"ours first"));
  PlaceWithXclip("Данные из xclip\n1;2");
  EXPECT_TRUE(PumpUntil([&] { return OurText() == std::u16string(u"Данные из xclip\n1;2"); }))
      << "our clipboard did not take the desktop's text";

  // And back: ours again goes out to the desktop.
  ASSERT_TRUE(PlaceOurText(u"снова наш"));
  EXPECT_EQ(Run("xclip -o -selection clipboard").output, "снова наш");
}

TEST_F(ClipboardTest, TheDesktopTextAtStartBecomesOurs) {
  PlaceWithXclip("было до запуска");
  ASSERT_TRUE(PumpUntil([&] { return OurText() == std::u16string(u"было до запуска"); }));
  // Ours empty again, the desktop's text unchanged: what a program finds when it starts.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  ASSERT_EQ(CountClipboardFormats(), 0);
  {
    win::presenter::ClipboardBridge starting;
    EXPECT_EQ(OurText(), std::u16string(u"было до запуска"));
  }
  // The presenter's own bridge mirrors again.
  ASSERT_TRUE(PlaceOurText(u"после"));
  EXPECT_EQ(Run("xclip -o -selection clipboard").output, "после");
}

TEST_F(ClipboardTest, DesktopTextWaitsWhileOurClipboardIsOpen) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  PlaceWithXclip("taken after closing");
  PumpUntil([] { return false; }, 200);
  CloseClipboard();
  EXPECT_TRUE(PumpUntil([&] { return OurText() == std::u16string(u"taken after closing"); }));
}

TEST_F(ClipboardTest, NoTextOfOursLeavesNoStaleTextOnTheDesktop) {
  ASSERT_TRUE(PlaceOurText(u"stale"));
  ASSERT_EQ(Run("xclip -o -selection clipboard").output, "stale");
  UINT privateFormat = RegisterClipboardFormatW(u"Korvalin test rows");
  ASSERT_NE(privateFormat, 0u);
  const char rows[] = "1 2 3";
  ASSERT_TRUE(PlaceOurs(privateFormat, rows, sizeof rows));
  CommandResult r = Run("xclip -o -selection clipboard");
  EXPECT_NE(r.output, "stale");
  // Ours keeps what it holds: the desktop's clipboard going empty is not news for us.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(IsClipboardFormatAvailable(privateFormat));
  CloseClipboard();
}

}  // namespace
}  // namespace kvtest
