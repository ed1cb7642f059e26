// Edits and memos: typing, selection, clipboard and undo through injected input, properties kept
// over a new window, and the memo's lines, returns and tabs.

#include <set>
#include <string>
#include <vector>

#include "framework/StdCtrlsEdit.h"
#include "framework/StdCtrlsList.h"
#include "framework/StringList.h"
#include "platform/controls/Edit.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/Clipboard.h"
#include "stdctrls_support.h"

namespace fw::testing {
namespace {

class EditTests : public StdCtrlsTest {
 protected:
  void SetUp() override {
    StdCtrlsTest::SetUp();
    win::ResetClipboard();
  }
  void TearDown() override {
    win::ResetClipboard();
    StdCtrlsTest::TearDown();
  }
  void Type(std::u16string_view s) {
    for (char16_t c : s) desktop->type_char(c);
    AppPump();
  }
};

TEST_F(EditTests, TypingChangesTheTextAndFiresOnChangeForEachCharacter) {
  auto* edit = Add<TEdit>(10, 10, 150, 21);
  int changes = 0;
  edit->OnChange = [&](TObject* s) {
    EXPECT_EQ(s, edit);
    ++changes;
  };
  ShowForm();
  edit->SetFocus();
  EXPECT_FALSE(edit->Modified());
  Type(u"Ось Y");
  EXPECT_EQ(edit->Text(), "Ось Y");
  EXPECT_EQ(changes, 5);
  EXPECT_TRUE(edit->Modified());
  edit->SetModified(false);
  EXPECT_FALSE(edit->Modified());
  Key(win::VK_BACK);
  EXPECT_EQ(edit->Text(), "Ось ");
  EXPECT_EQ(changes, 6);
  // Text set in code changes once, with or without a window.
  edit->SetText("abc");
  EXPECT_EQ(changes, 7);
  auto* loose = new TEdit(form);
  int looseChanges = 0;
  loose->OnChange = [&](TObject*) { ++looseChanges; };
  loose->SetText("x");
  EXPECT_EQ(looseChanges, 1);
  EXPECT_FALSE(loose->HandleAllocated());
}

// The colours a field shows in its client area, read from its window once it has painted.
std::set<win::COLORREF> ShownColours(TWinControl* Field) {
  win::RECT r{};
  win::GetClientRect(Field->Handle(), &r);
  win::HDC dc = win::GetDC(Field->Handle());
  std::set<win::COLORREF> shown;
  for (int y = 2; y < r.bottom - 2; ++y)
    for (int x = 2; x < r.right - 2; ++x) shown.insert(win::GetPixel(dc, x, y));
  win::ReleaseDC(Field->Handle(), dc);
  return shown;
}

// A disabled field shows grey text on the button face, so that it does not look ready for input;
// enabled, and when only read-only, it keeps its own colours. Turning it on again restores them.
TEST_F(EditTests, ADisabledFieldShowsGreyTextOnTheFace) {
  auto* edit = Add<TEdit>(10, 10, 150, 21);
  edit->SetText("WWW");
  auto* list = Add<TListBox>(10, 40, 150, 40);
  list->Items()->Add("WWW");
  ShowForm();
  form->SetActiveControl(nullptr);  // the colours unfocused: a shown form focuses its first control
  const win::COLORREF white = win::RGB(255, 255, 255), black = win::RGB(0, 0, 0);
  const win::COLORREF face = win::GetSysColor(win::COLOR_BTNFACE), grey = win::GetSysColor(win::COLOR_GRAYTEXT);
  struct Case {
    bool enabled, readOnly;
    std::set<win::COLORREF> shown;
  } const cases[] = {
      {true, false, {white, black}},
      {false, false, {face, grey}},
      {true, true, {white, black}},
      {false, true, {face, grey}},
      {true, false, {white, black}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "enabled " << c.enabled << ", read-only " << c.readOnly);
    edit->SetReadOnly(c.readOnly);
    edit->SetEnabled(c.enabled);
    list->SetEnabled(c.enabled);
    Pump();
    EXPECT_EQ(ShownColours(edit), c.shown);
    if (!c.readOnly) {
      list->SetItemIndex(-1);
      Pump();
      EXPECT_EQ(ShownColours(list), c.shown);
    }
  }
}

// What the user typed and selected, not only what code set, outlives a new window.
TEST_F(EditTests, TypedTextAndAKeyboardSelectionSurviveANewWindow) {
  auto* edit = Add<TEdit>(10, 10, 150, 21);
  ShowForm();
  edit->SetFocus();
  Type(u"abcdef");
  Key(win::VK_HOME);
  Key(win::VK_RIGHT);
  desktop->key_down(win::VK_SHIFT);
  Key(win::VK_RIGHT);
  Key(win::VK_RIGHT);
  desktop->key_up(win::VK_SHIFT);
  ASSERT_EQ(edit->SelText(), "bc");
  win::HWND old = edit->Handle();
  edit->SetBorderStyle(bsNone);
  Pump();
  EXPECT_NE(edit->Handle(), old);
  EXPECT_EQ(edit->Text(), "abcdef");
  EXPECT_TRUE(edit->Modified());
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 2);
}

TEST_F(EditTests, PropertiesSurviveANewWindow) {
  auto* edit = Add<TEdit>(10, 10, 150, 21);
  edit->SetText("секрет");
  edit->SetMaxLength(12);
  edit->SetPasswordChar(u'*');
  ShowForm();
  edit->SetSelStart(2);
  edit->SetSelLength(3);
  edit->SetModified(true);
  win::HWND old = edit->Handle();
  edit->SetBorderStyle(bsNone);
  Pump();
  win::HWND now = edit->Handle();
  EXPECT_NE(now, old);
  EXPECT_EQ(win::GetWindowLongW(now, win::GWL_EXSTYLE) & win::LONG(win::WS_EX_CLIENTEDGE), 0);
  EXPECT_EQ(edit->Text(), "секрет");
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 3);
  EXPECT_EQ(edit->SelText(), "кре");
  EXPECT_TRUE(edit->Modified());
  EXPECT_EQ(win::SendMessageW(now, win::EM_GETLIMITTEXT, 0, 0), 12);
  EXPECT_EQ(win::SendMessageW(now, win::EM_GETPASSWORDCHAR, 0, 0), u'*');
}

TEST_F(EditTests, SelectionWorksWithAndWithoutAWindow) {
  // Ahead of the edit in tab order, it takes the focus the shown form gives its first control
  // (an edit entered that way selects all of its text).
  (new TEdit(form))->SetParent(form);
  auto* edit = new TEdit(form);
  edit->SetText("графики");
  edit->SetSelStart(2);
  edit->SetSelLength(3);
  EXPECT_EQ(edit->SelText(), "афи");
  edit->SetSelText("ОБ");
  EXPECT_EQ(edit->Text(), "грОБки");
  EXPECT_EQ(edit->SelStart(), 4);
  EXPECT_EQ(edit->SelLength(), 0);
  edit->SetSelLength(100);
  EXPECT_EQ(edit->SelLength(), 2) << "kept within the text";
  edit->SetParent(form);
  ShowForm();
  EXPECT_EQ(edit->SelStart(), 4);
  EXPECT_EQ(edit->SelText(), "ки");
  edit->SetSelText("");
  EXPECT_EQ(edit->Text(), "грОБ");
  EXPECT_TRUE(edit->CanUndo());
  edit->Undo();
  EXPECT_EQ(edit->Text(), "грОБки");
  edit->ClearUndo();
  EXPECT_FALSE(edit->CanUndo());
}

TEST_F(EditTests, ClipboardRoundTripAndPastingIntoALimitTruncates) {
  auto* from = Add<TEdit>(10, 10, 150, 21);
  auto* to = Add<TEdit>(10, 40, 150, 21);
  from->SetText("0123456789");
  to->SetMaxLength(5);
  ShowForm();
  from->SelectAll();
  from->CutToClipboard();
  EXPECT_EQ(from->Text(), "");
  to->PasteFromClipboard();
  EXPECT_EQ(to->Text(), "01234");
  from->PasteFromClipboard();
  EXPECT_EQ(from->Text(), "0123456789");
  to->SetSelStart(1);
  to->SetSelLength(2);
  to->CopyToClipboard();
  from->Clear();
  from->PasteFromClipboard();
  EXPECT_EQ(from->Text(), "12");
  // Typing past the limit is refused too.
  to->SetFocus();
  to->SetSelStart(5);
  Type(u"xyz");
  EXPECT_EQ(to->Text(), "01234");
}

TEST_F(EditTests, KeyboardEntrySelectsAllButAClickDoesNot) {
  auto* first = Add<TEdit>(10, 10, 150, 21);
  auto* second = Add<TEdit>(10, 40, 150, 21);
  second->SetText("abcdef");
  ShowForm();
  form->SetActiveControl(first);
  Pump();
  Key(win::VK_TAB);
  ASSERT_TRUE(second->Focused());
  EXPECT_EQ(second->SelLength(), 6);
  form->SetActiveControl(first);
  Pump();
  ClickOn(second, 1 + 7 * 2, 10);
  ASSERT_TRUE(second->Focused());
  EXPECT_EQ(second->SelLength(), 0);
  second->SetAutoSelect(false);
  form->SetActiveControl(first);
  Pump();
  Key(win::VK_TAB);
  EXPECT_EQ(second->SelLength(), 0);
}

TEST_F(EditTests, ReadOnlyAndCharCase) {
  auto* edit = Add<TEdit>(10, 10, 150, 21);
  edit->SetText("Ось");
  edit->SetReadOnly(true);
  ShowForm();
  edit->SetFocus();
  Type(u"z");
  EXPECT_EQ(edit->Text(), "Ось");
  edit->SetReadOnly(false);
  edit->SetCharCase(ecUpperCase);
  EXPECT_EQ(edit->Text(), "ОСЬ");
  EXPECT_NE(win::GetWindowLongW(edit->Handle(), win::GWL_STYLE) & win::LONG(win::ES_UPPERCASE), 0);
  edit->SetCharCase(ecLowerCase);
  EXPECT_EQ(edit->Text(), "ось");
}

TEST_F(EditTests, MemoLinesAreAViewOfTheText) {
  auto* memo = Add<TMemo>(10, 10, 200, 100);
  TStrings* lines = memo->Lines();
  lines->Add("первая");
  lines->Add("вторая");
  EXPECT_EQ(memo->Text(), "первая\r\nвторая");
  ShowForm();
  lines->Insert(1, "между");
  EXPECT_EQ(lines->Count(), 3);
  EXPECT_EQ(lines->Strings(1), "между");
  lines->Delete(0);
  lines->SetStrings(1, "2");
  EXPECT_EQ(memo->Text(), "между\r\n2");
  lines->SetText("a\nb\rc\r\n");
  EXPECT_EQ(memo->Text(), "a\r\nb\r\nc");
  EXPECT_EQ(lines->Count(), 3);
  EXPECT_THROW(lines->Strings(3), Exception);
  TStringList copy;
  copy.Assign(lines);
  EXPECT_EQ(copy.Count(), 3);
  EXPECT_EQ(copy.Strings(2), "c");
  lines->Clear();
  EXPECT_EQ(lines->Count(), 0);
  // The lines survive a new window.
  lines->Add("x");
  memo->SetWordWrap(false);
  Pump();
  EXPECT_EQ(lines->Count(), 1);
  EXPECT_NE(win::GetWindowLongW(memo->Handle(), win::GWL_STYLE) & win::LONG(win::ES_AUTOHSCROLL), 0);
}

TEST_F(EditTests, MemoReturnsAndTabsFollowWantReturnsAndWantTabs) {
  auto* memo = Add<TMemo>(10, 10, 200, 100);
  auto* ok = Add<TButton>(10, 150, 75, 25);
  ok->SetDefault(true);
  int okClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };
  ShowForm();
  form->SetActiveControl(memo);
  Pump();
  Type(u"a");
  Key(win::VK_RETURN);
  Type(u"b");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(okClicks, 0);
  memo->SetWantReturns(false);
  Pump();
  form->SetActiveControl(memo);
  Pump();
  Key(win::VK_RETURN);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(memo->Lines()->Count(), 2);

  memo->SetWantTabs(true);
  memo->SetSelStart(0);
  Key(win::VK_TAB);
  EXPECT_TRUE(memo->Focused());
  EXPECT_EQ(memo->Lines()->Strings(0), "\ta");
  memo->SetWantTabs(false);
  Key(win::VK_TAB);
  EXPECT_TRUE(ok->Focused());
  EXPECT_EQ(memo->Lines()->Strings(0), "\ta");
}

}  // namespace
}  // namespace fw::testing
