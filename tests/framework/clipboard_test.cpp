// TClipboard over the window system's clipboard: nesting of Open/Close, text with its locale,
// handles, formats and pictures.

#include <gtest/gtest.h>

#include <cstring>

#include "control_fixture.h"
#include "framework/Clipbrd.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsPicture.h"
#include "framework/StringList.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardGlobalMemory.h"

namespace fw::testing {
namespace {

constexpr win::LCID kRussian = 1049;

// What the program installs: every real opening and closing carries the Russian locale. It adds
// the entry with the window system's call: SetAsHandle would empty the clipboard first.
class LocaleClipboard : public TClipboard {
 public:
  int localesPut = 0;
  void Open() override {
    TClipboard::Open();
    if (OpenRefCount() == 1) PutLocale();
  }
  void Close() override {
    if (OpenRefCount() == 1) PutLocale();
    TClipboard::Close();
  }

 private:
  void PutLocale() {
    win::LCID lcid = kRussian;
    win::SetClipboardData(win::CF_LOCALE, win::GlobalAllocCopy(&lcid, sizeof lcid));
    ++localesPut;
  }
};

class ClipboardTests : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    win::ResetClipboard();
  }
  void TearDown() override {
    win::ResetClipboard();
    ControlTest::TearDown();
  }
  // The bytes of a global-memory format, read with the platform's own calls.
  std::string Bytes(win::UINT format) {
    std::string out;
    if (!win::OpenClipboard(nullptr)) return "<not open>";
    if (auto h = static_cast<win::HGLOBAL>(win::GetClipboardData(format))) {
      const char* p = static_cast<const char*>(win::GlobalLock(h));
      if (p != nullptr) out.assign(p, win::GlobalSize(h));
      win::GlobalUnlock(h);
    }
    win::CloseClipboard();
    return out;
  }
  bool OpenFromOutside() {
    if (!win::OpenClipboard(nullptr)) return false;
    win::CloseClipboard();
    return true;
  }
};

TEST_F(ClipboardTests, TextRoundTripsAndOffersTheOtherTextFormats) {
  TClipboard c;
  c.SetAsText("Граф 1\t2,5");
  EXPECT_EQ(c.AsText(), "Граф 1\t2,5");
  EXPECT_TRUE(c.HasFormat(win::CF_UNICODETEXT));
  EXPECT_TRUE(c.HasFormat(win::CF_TEXT));
  EXPECT_TRUE(c.HasFormat(win::CF_LOCALE));
  EXPECT_FALSE(c.HasFormat(win::CF_BITMAP));
  const std::string wide = Bytes(win::CF_UNICODETEXT);
  const std::u16string expected = u"Граф 1\t2,5";
  ASSERT_EQ(wide.size(), (expected.size() + 1) * 2);
  EXPECT_EQ(std::memcmp(wide.data(), expected.c_str(), wide.size()), 0);
  c.Clear();
  EXPECT_EQ(c.AsText(), "");
  EXPECT_EQ(c.FormatCount(), 0);
}

TEST_F(ClipboardTests, ALocaleSubclassMakesTheTextCp1251) {
  auto* mine = new LocaleClipboard;
  TClipboard* before = SetClipboard(mine);
  EXPECT_EQ(Clipboard(), mine);
  Clipboard()->SetAsText("Напряжение, В");
  EXPECT_EQ(mine->localesPut, 2);  // on opening, and again after the first format emptied it
  const std::string locale = Bytes(win::CF_LOCALE);
  ASSERT_EQ(locale.size(), sizeof(win::LCID));
  win::LCID lcid = 0;
  std::memcpy(&lcid, locale.data(), sizeof lcid);
  EXPECT_EQ(lcid, kRussian);
  const std::string ansi = Bytes(win::CF_TEXT);
  EXPECT_EQ(std::string(ansi.c_str()), win::Utf8ToCp1251("Напряжение, В"));
  // Reading through the same object puts the locale again but keeps the text.
  EXPECT_EQ(Clipboard()->AsText(), "Напряжение, В");
  EXPECT_EQ(SetClipboard(before), mine);
  delete mine;
}

TEST_F(ClipboardTests, OnlyTheOutermostPairOpensAndCloses) {
  TClipboard c;
  c.Close();  // unmatched: nothing happens
  EXPECT_EQ(c.OpenRefCount(), 0);
  c.Open();
  c.Open();
  EXPECT_EQ(c.OpenRefCount(), 2);
  EXPECT_FALSE(OpenFromOutside());
  c.Close();
  EXPECT_FALSE(OpenFromOutside());
  c.Close();
  EXPECT_EQ(c.OpenRefCount(), 0);
  EXPECT_TRUE(OpenFromOutside());

  // A clipboard held elsewhere cannot be opened.
  ASSERT_TRUE(win::OpenClipboard(nullptr));
  EXPECT_THROW(c.Open(), Exception);
  EXPECT_EQ(c.OpenRefCount(), 0);
  win::CloseClipboard();
}

TEST_F(ClipboardTests, FormatsPutWithinOnePairStayTogether) {
  const win::UINT custom = win::RegisterClipboardFormatW(u"Korvalin Graph");
  ASSERT_NE(custom, 0u);
  TClipboard c;
  c.Open();
  c.SetAsText("x");
  c.SetAsHandle(custom, win::GlobalAllocCopy("abc", 3));
  c.Close();
  EXPECT_TRUE(c.HasFormat(custom));
  EXPECT_EQ(c.AsText(), "x");
  EXPECT_EQ(Bytes(custom), "abc");
  // Outside a pair each put replaces the contents.
  c.SetAsHandle(custom, win::GlobalAllocCopy("def", 3));
  EXPECT_FALSE(c.HasFormat(win::CF_UNICODETEXT));
  EXPECT_EQ(Bytes(custom), "def");

  // The formats are listed in order and counted alike.
  c.SetAsText("y");
  const Integer n = c.FormatCount();
  ASSERT_GE(n, 3);  // the text, its ANSI form and the locale at least
  EXPECT_EQ(c.Formats(0), win::CF_UNICODETEXT);
  std::vector<win::UINT> listed;
  for (Integer i = 0; i < n; ++i) listed.push_back(c.Formats(i));
  EXPECT_NE(std::find(listed.begin(), listed.end(), win::CF_TEXT), listed.end());
  EXPECT_THROW(c.Formats(n), EListError);
  EXPECT_THROW(c.Formats(-1), EListError);
  EXPECT_EQ(c.OpenRefCount(), 0);
}

TEST_F(ClipboardTests, HandlesAreLentAndRefusedCleanly) {
  TClipboard c;
  EXPECT_EQ(c.GetAsHandle(win::CF_UNICODETEXT), nullptr);
  c.SetAsText("abc");
  auto h = static_cast<win::HGLOBAL>(c.GetAsHandle(win::CF_UNICODETEXT));
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(win::GlobalSize(h), 8u);
  // A dead handle is refused with an exception, and the clipboard is closed again.
  win::HGLOBAL dead = win::GlobalAllocCopy("z", 1);
  win::GlobalFree(dead);
  EXPECT_THROW(c.SetAsHandle(win::CF_UNICODETEXT, dead), Exception);
  EXPECT_EQ(c.OpenRefCount(), 0);
  EXPECT_TRUE(OpenFromOutside());
}

TEST_F(ClipboardTests, TextBuffersNeverCutACharacter) {
  TClipboard c;
  c.SetTextBuf("абв");  // two bytes per letter
  char buf[8];
  std::memset(buf, '#', sizeof buf);
  EXPECT_EQ(c.GetTextBuf(buf, 4), 2);  // three bytes would cut "б"
  EXPECT_STREQ(buf, "а");
  EXPECT_EQ(c.GetTextBuf(buf, 8), 6);
  EXPECT_STREQ(buf, "абв");
  buf[0] = '#';
  EXPECT_EQ(c.GetTextBuf(buf, 0), 0);
  EXPECT_EQ(buf[0], '#');
  EXPECT_EQ(c.GetTextBuf(nullptr, 10), 0);
  c.SetTextBuf(nullptr);
  EXPECT_TRUE(c.HasFormat(win::CF_UNICODETEXT));
  EXPECT_EQ(c.AsText(), "");
}

TEST_F(ClipboardTests, BitmapsGoOnAsBitmapAndDibAndComeBackPixelForPixel) {
  TBitmap source;
  source.SetPixelFormat(pf24bit);
  source.SetSize(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) source.Canvas()->SetPixels(x, y, TColor(win::RGB(x * 50, y * 100, 7)));
  TClipboard c;
  c.Assign(&source);
  EXPECT_TRUE(c.HasFormat(win::CF_BITMAP));
  EXPECT_TRUE(c.HasFormat(win::CF_DIB));

  TBitmap back;
  back.Assign(&c);
  ASSERT_EQ(back.Width(), 5);
  ASSERT_EQ(back.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(back.Canvas()->Pixels(x, y), TColor(win::RGB(x * 50, y * 100, 7))) << x << "," << y;

  // A picture goes on the clipboard as its graphic, and comes back as a bitmap.
  TPicture picture;
  picture.Assign(&c);
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Graphic()->Width(), 5);

  // Nothing to take, or something that is no picture, fails with the framework's errors.
  c.SetAsText("no picture");
  TBitmap none;
  EXPECT_THROW(none.Assign(&c), EInvalidGraphic);
  TStringList list;
  EXPECT_THROW(c.Assign(&list), EConvertError);
  // Nor does the clipboard go into anything but a picture or a bitmap.
  EXPECT_THROW(list.Assign(&c), EConvertError);
  EXPECT_EQ(c.OpenRefCount(), 0);
}

TEST_F(ClipboardTests, TheGlobalClipboardIsReplaceable) {
  TClipboard* first = Clipboard();
  EXPECT_EQ(Clipboard(), first);
  auto* other = new TClipboard;
  EXPECT_EQ(SetClipboard(other), first);
  EXPECT_EQ(Clipboard(), other);
  // Back to the first; the one handed back is ours to free.
  EXPECT_EQ(SetClipboard(first), other);
  delete other;
}

}  // namespace
}  // namespace fw::testing
