// The float edits: reading and writing the value, the key filter with its event order, paste,
// leaving the edit, the range setters and loading. The same design is checked on all three
// classes where the base matters (typing goes through the window in each).
#include <gtest/gtest.h>

#include "controls/FloatEdit.h"
#include "controls/UniCodePages.h"
#include "framework/Clipbrd.h"
#include "framework/SysUtils.h"
#include "framework/stdctrls_support.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/Beep.h"

namespace cs {
namespace {

String S(const char* text) {  // "1,5"-style literal with the program's separator
  String s = text;
  for (char& c : s)
    if (c == ',') c = fw::DecimalSeparator();
  return s;
}

// The framework text of a control (UTF-8), whatever its class adds.
String Text(fw::TControl* c) { return c->GetText(); }
void SetText(fw::TControl* c, const String& text) { c->SetText(text); }

class FloatEditTest : public fw::testing::StdCtrlsTest {
 protected:
  void TearDown() override {
    fw::MessageBoxProc = savedBox;
    StdCtrlsTest::TearDown();
  }
  template <class T = TFloatEdit>
  T* Edit() {
    auto* edit = Add<T>(10, 10, 120, 21);
    edit->OnKeyPress = [this](fw::TObject*, char16_t& key) { keys.push_back(key); };
    ShowForm();
    edit->SetFocus();
    AppPump();
    return edit;
  }
  void Type(const char16_t* text) {
    for (; *text != 0; ++text) desktop->type_char(*text);
    AppPump();
  }
  std::u16string keys;  // what OnKeyPress saw
  fw::TMessageBoxProc savedBox = fw::MessageBoxProc;
};

TEST_F(FloatEditTest, ANewEditShowsZeroRightAligned) {
  TFloatEdit edit(nullptr);
  EXPECT_EQ(Text(&edit), "0");
  EXPECT_EQ(edit.Min(), 0);
  EXPECT_EQ(edit.Max(), 100);
  EXPECT_EQ(edit.Digits(), 1);
  EXPECT_EQ(edit.Alignment(), fw::taRightJustify);
  EXPECT_FALSE(edit.CheckMaxMin());
}

TEST_F(FloatEditTest, ValueReadsTheText) {
  struct Case {
    const char* text;
    bool check;
    fw::Extended expected;
  } cases[] = {
      {"", false, 0},    {"-", false, 0},   {",", false, 0},     {"E", false, 0}, {".", false, 0},
      {"abc", false, 2}, {"1,5", false, 1.5}, {"1.5", false, 1.5}, {"12", true, 10}, {"-3", true, 2},
      {"1e400", false, 2},
  };
  for (const Case& c : cases) {
    TFloatEdit edit(nullptr);
    edit.SetAdditionalDecimalSeparator(u'.');
    edit.SetMax(10);
    edit.SetMin(2);
    edit.SetCheckMaxMin(c.check);
    SetText(&edit, S(c.text));
    const fw::Extended value = edit.Value();
    if (String(c.text) == "1e400") {
      // An overflowing exponent either parses (Extended holds it) or reads as Min: never a crash.
      EXPECT_TRUE(value == 2 || value > 1e300L) << c.text;
    } else {
      EXPECT_EQ(value, c.expected) << c.text;
    }
    String typed;
    edit.GetText(typed);
    EXPECT_EQ(typed, S(c.text));
  }
}

TEST_F(FloatEditTest, ValueWriteClampsOnlyWithTheCheck) {
  TFloatEdit edit(nullptr);
  edit.SetMax(10);  // stored although the check is off
  edit.SetValue(12);
  EXPECT_EQ(Text(&edit), "12");
  edit.SetCheckMaxMin(true);
  EXPECT_EQ(Text(&edit), "10");
  edit.SetValue(-3);
  EXPECT_EQ(Text(&edit), "0");
  edit.SetValue(0.1L);
  EXPECT_EQ(Text(&edit), S("0,1"));
}

TEST_F(FloatEditTest, RangeSettersRefuseCrossingBoundsWithTheCheck) {
  TFloatEdit edit(nullptr);
  edit.SetCheckMaxMin(true);
  edit.SetMin(5);
  EXPECT_EQ(Text(&edit), "5");  // clamped again
  try {
    edit.SetMax(3);
    FAIL();
  } catch (const fw::Exception& e) {
    EXPECT_STREQ(e.what(), "Maximum value must not be less than minimum value !");
  }
  edit.SetMax(10);
  EXPECT_THROW(edit.SetMin(20), fw::Exception);
  EXPECT_EQ(edit.Min(), 5);
  EXPECT_EQ(edit.Max(), 10);
  edit.SetDigits(25);
  EXPECT_EQ(edit.Digits(), 18);
}

TEST_F(FloatEditTest, LoadingKeepsTheValueAndSwapsCrossedBounds) {
  TFloatEdit edit(nullptr);
  edit.SetCheckMaxMin(true);
  edit.BeginLoad();
  edit.SetMin(20);
  edit.SetMax(3);
  edit.SetValue(7);
  EXPECT_EQ(edit.Value(), 7);
  EXPECT_EQ(Text(&edit), "0");
  edit.EndLoad();
  EXPECT_EQ(edit.Min(), 3);
  EXPECT_EQ(edit.Max(), 20);
  EXPECT_EQ(Text(&edit), "7");
}

TEST_F(FloatEditTest, KeyFilter) {
  struct Case {
    const char* before;
    const char16_t* typed;
    fw::Byte digits;
    bool check;
    const char* after;
  } cases[] = {
      {"", u",", 1, false, "0,0"},  {"", u"-", 1, false, "-0"},     {"1,2", u"3", 1, false, "1,2"},
      {"1,2", u"3", 2, false, "1,23"}, {"1", u"x", 1, false, "1"},  {"1", u"1", 1, true, "1"},
      {"5", u",", 0, true, "5"},    {"5", u".", 2, false, "5,"},   {"", u",", 0, false, ""},
      {"1", u"E", 1, false, "1"},   {"1", u"E2", 1, false, "12"},  // "1E" never parses
  };
  for (const Case& c : cases) {
    auto* edit = Edit();
    edit->SetDigits(c.digits);
    edit->SetMax(10);
    edit->SetCheckMaxMin(c.check);
    edit->SetAdditionalDecimalSeparator(u'.');
    SetText(edit, S(c.before));
    edit->SetSelStart(100);
    Type(c.typed);
    EXPECT_EQ(Text(edit), S(c.after)) << c.before << " + typed";
    delete edit;
  }
}

TEST_F(FloatEditTest, TheSeparatorAloneBecomesZeroSeparatorZeroWithTheLastDigitSelected) {
  auto* edit = Edit();
  SetText(edit, "");
  const std::u16string separator(1, static_cast<char16_t>(fw::DecimalSeparator()));
  Type(separator.c_str());
  EXPECT_EQ(Text(edit), S("0,0"));
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 1);
  Type(u"5");
  EXPECT_EQ(Text(edit), S("0,5"));
}

TEST_F(FloatEditTest, RejectedKeysStillReachOnKeyPressButEnterDoesNot) {
  auto* edit = Edit();
  int enters = 0;
  edit->OnEnterPress = [&](fw::TObject*, char16_t& key) {
    ++enters;
    EXPECT_EQ(key, u'\r');
  };
  SetText(edit, "1");
  edit->SetSelStart(1);
  Type(u"x2\r");
  EXPECT_EQ(keys, u"x2");
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(Text(edit), "12");
}

TEST_F(FloatEditTest, EscapeRestoresTheValueOnEntryAndSelectsAll) {
  auto* edit = Add<TFloatEdit>(10, 10, 120, 21);
  auto* other = Add<fw::TEdit>(10, 40, 120, 21);
  edit->SetValue(4);
  ShowForm();
  other->SetFocus();
  edit->SetFocus();
  AppPump();
  edit->SetSelStart(1);
  Type(u"5");
  EXPECT_EQ(Text(edit), "45");
  edit->OnKeyPress = [this](fw::TObject*, char16_t& key) { keys.push_back(key == 0 ? u'0' : key); };
  Type(u"\x1b");
  EXPECT_EQ(Text(edit), "4");
  EXPECT_EQ(edit->SelLength(), 1);
  EXPECT_EQ(keys, u"0");  // fired after the restore, with the key used up
}

TEST_F(FloatEditTest, PasteKeepsOnlyNumbersAndClampsAboveMax) {
  auto* edit = Edit();
  edit->SetMax(10);
  edit->SetCheckMaxMin(true);
  SetText(edit, "3");
  edit->SelectAll();
  fw::Clipboard()->SetAsText("abc");
  edit->Perform(win::WM_PASTE);
  EXPECT_EQ(Text(edit), "3");
  EXPECT_EQ(edit->SelLength(), 1);
  fw::Clipboard()->SetAsText("50");
  edit->Perform(win::WM_PASTE);
  EXPECT_EQ(edit->Value(), 10);
  EXPECT_EQ(Text(edit), "10");
}

TEST_F(FloatEditTest, LeavingWithABadValueShowsTheMessageAndKeepsTheFocus) {
  std::vector<WideString> shown;
  fw::MessageBoxProc = [&](win::HWND, const WideString& text, const WideString&, win::UINT) {
    shown.push_back(text);
    return 1;
  };
  auto* edit = Add<TCsFloatEdit>(10, 10, 120, 21);
  auto* other = Add<fw::TEdit>(10, 40, 120, 21);
  int exits = 0;
  edit->OnExit = [&](fw::TObject*) { ++exits; };
  edit->SetMax(10);
  edit->SetCheckMaxMin(true);
  edit->SetErrorMessage("Ошибка");
  edit->SetValue(4);
  ShowForm();
  edit->SetFocus();
  AppPump();
  SetText(edit, "-3");
  other->SetFocus();
  AppPump();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], u"Ошибка");
  EXPECT_EQ(Text(edit), "4");
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(exits, 0);
  SetText(edit, S("5,50"));
  other->SetFocus();
  AppPump();
  EXPECT_EQ(Text(edit), S("5,5"));
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(shown.size(), 1u);
}

TEST_F(FloatEditTest, TheWideEditVariantTypesAndReadsTheSameWay) {
  auto* edit = Edit<TLxCsFloatEdit>();
  edit->SetAdditionalDecimalSeparator(u'.');
  SetText(edit, "2");
  edit->SetSelStart(1);
  Type(u".5x");
  EXPECT_EQ(edit->Text(), Utf8ToWide(S("2,5")));
  EXPECT_EQ(edit->Value(), 2.5L);
  EXPECT_EQ(edit->Alignment(), fw::taRightJustify);
}

}  // namespace
}  // namespace cs
