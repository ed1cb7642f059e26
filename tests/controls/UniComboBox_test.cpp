// The wide combo box on the headless desktop: completion of typed text, type-ahead on the
// virtual clock, wide items over a new window, wide drawing and form storage; the wide edit
// routines.
#include <gtest/gtest.h>

#include "controls/UniComboBox.h"
#include "controls/UniRegistration.h"
#include "framework/Filer.h"
#include "framework/Streams.h"
#include "framework/stdctrls_support.h"

namespace cs {
namespace {

class UniComboTest : public fw::testing::StdCtrlsTest {
 protected:
  TUniComboBox* Combo(fw::TComboBoxStyle style, std::initializer_list<const char16_t*> items) {
    auto* combo = Add<TUniComboBox>(10, 10, 150, 21);
    combo->SetStyle(style);
    for (const char16_t* item : items) combo->Items()->Add(item);
    combo->OnClick = [this](fw::TObject*) { events.push_back("click"); };
    combo->OnSelect = [this](fw::TObject*) { events.push_back("select"); };
    ShowForm();
    combo->SetFocus();
    AppPump();
    return combo;
  }
  void Type(char16_t c) {
    desktop->type_char(c);
    AppPump();
  }
  std::vector<std::string> events;
};

TEST_F(UniComboTest, TypedTextCompletesToTheFirstItemKeepingTheTypedCase) {
  auto* combo = Combo(fw::csDropDown, {u"Abc", u"abd", u"Жук"});
  Type(u'a');
  EXPECT_EQ(combo->Text(), u"abc");
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->SelStart(), 1);
  EXPECT_EQ(combo->SelLength(), 2);
  Type(u'b');
  EXPECT_EQ(combo->Text(), u"abc");
  EXPECT_EQ(WideComboSelStart(combo), 2);
  EXPECT_EQ(WideComboSelLength(combo), 1);
  EXPECT_EQ(WideComboSelText(combo), u"c");
  EXPECT_EQ(events, (std::vector<std::string>{"click", "select"}));  // only the first key changed the item
  Type(u'd');
  EXPECT_EQ(combo->Text(), u"abd");
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetText(u"");
  Type(u'ж');
  EXPECT_EQ(combo->Text(), u"жук");  // Cyrillic folds too
  EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(UniComboTest, NoCompletionWithTheCaretInsideOrWithoutAMatch) {
  auto* combo = Combo(fw::csDropDown, {u"Abc"});
  Type(u'x');
  EXPECT_EQ(combo->Text(), u"x");
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetText(u"ab");
  combo->SetSelStart(0);
  combo->SetSelLength(0);
  Type(u'a');
  EXPECT_EQ(combo->Text(), u"aab");  // typed into the text, nothing completed
  EXPECT_TRUE(events.empty());
}

TEST_F(UniComboTest, AutoCloseUpClosesOnAnExactItemAndEnterClosesTheList) {
  auto* combo = Combo(fw::csDropDown, {u"ab", u"abc"});
  combo->SetAutoCloseUp(true);
  combo->SetDroppedDown(true);
  AppPump();
  Type(u'a');
  EXPECT_TRUE(combo->DroppedDown());
  Type(u'b');
  EXPECT_FALSE(combo->DroppedDown());  // "ab" is an item
  combo->SetDroppedDown(true);
  AppPump();
  Key(win::VK_RETURN);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->Text(), u"ab");
}

TEST_F(UniComboTest, TypeAheadExtendsWithin1250msAndStartsAgainAfter) {
  auto* combo = Combo(fw::csDropDownList, {u"Apple", u"Banana", u"Blueberry"});
  Type(u'b');
  EXPECT_EQ(combo->ItemIndex(), 1);
  Step(1000);
  Type(u'l');
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), u"Blueberry");
  Step(1249);
  Type(u'u');  // "blu" still
  EXPECT_EQ(combo->ItemIndex(), 2);
  Step(1250);
  Type(u'a');  // a new search: "a"
  EXPECT_EQ(combo->ItemIndex(), 0);
  Type(u'\b');
  Type(u'b');  // the filter lost its "a": "b"
  EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(UniComboTest, ItemsIndexAndWideTextSurviveANewWindow) {
  auto* combo = Combo(fw::csDropDown, {u"Ж€\U0001F600", u"中文"});
  combo->SetItemIndex(1);
  combo->SetText(u"свой текст ✓");
  fw::TObject marker;
  combo->Items()->PutObject(0, &marker);
  combo->RecreateWnd();
  AppPump();
  EXPECT_EQ(combo->Items()->Count(), 2);
  EXPECT_EQ(combo->Items()->Strings(0), u"Ж€\U0001F600");
  EXPECT_EQ(combo->Items()->Objects(0), &marker);
  EXPECT_EQ(combo->Text(), u"свой текст ✓");
  EXPECT_EQ(combo->Items()->IndexOf(u"中文"), 1);
  EXPECT_EQ(combo->Items()->Text(), u"Ж€\U0001F600\r\n中文\r\n") << "a line each";
  combo->Items()->Clear();
  EXPECT_EQ(combo->Items()->Count(), 0);
  EXPECT_EQ(combo->Text(), u"свой текст ✓");  // clearing keeps the text
}

TEST_F(UniComboTest, OwnerDrawnItemsGoThroughOnDrawItem) {
  auto* combo = Add<TUniComboBox>(10, 10, 150, 21);
  combo->SetStyle(fw::csOwnerDrawFixed);
  combo->Items()->Add(u"Ёж");
  std::vector<fw::Integer> drawn;
  combo->OnDrawItem = [&](fw::TWinControl*, fw::Integer index, const fw::TRect&, fw::TOwnerDrawState) {
    drawn.push_back(index);
  };
  combo->SetItemIndex(0);
  ShowForm();
  EXPECT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.front(), 0);
}

TEST_F(UniComboTest, CopySelectionAddsTheWideItemElsewhere) {
  auto* combo = Combo(fw::csDropDownList, {u"один", u"два"});
  auto* other = Add<TUniComboBox>(10, 40, 150, 21);
  combo->SetItemIndex(1);
  combo->CopySelection(other);
  ASSERT_EQ(other->Items()->Count(), 1);
  EXPECT_EQ(other->Items()->Strings(0), u"два");
  auto* plain = Add<fw::TComboBox>(10, 70, 150, 21);
  combo->CopySelection(plain);
  EXPECT_EQ(plain->Items()->Strings(0), "два");
}

TEST_F(UniComboTest, StreamedOutAndInKeepsItemsTextAndHint) {
  RegisterUnicodeControls();
  auto* combo = Combo(fw::csDropDown, {u"Ёж", u"plain"});
  combo->SetName("Combo1");
  combo->SetText(u"Заголовок");
  combo->SetHint(u"Подсказка|длинная");
  fw::TMemoryStream stream;
  stream.WriteComponent(combo);
  stream.SetPosition(0);
  std::unique_ptr<fw::TComponent> read(stream.ReadComponent(nullptr));
  auto* copy = dynamic_cast<TUniComboBox*>(read.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Items()->Count(), 2);
  EXPECT_EQ(copy->Items()->Strings(0), u"Ёж");
  EXPECT_EQ(copy->Text(), u"Заголовок");
  EXPECT_EQ(copy->Hint(), u"Подсказка|длинная");
}

TEST(WideEdit, PasswordCharacterAndSelectionAreWide) {
  EXPECT_EQ(AnsiPasswordChar(u'*'), u'*');
  EXPECT_EQ(AnsiPasswordChar(u'\u25CF'), u'*');
  fw::TEdit edit(nullptr);
  char16_t stored = 0;
  SetWidePasswordCharOf(&edit, stored, u'\u25CF');
  EXPECT_EQ(edit.PasswordChar(), u'\u25CF');
  EXPECT_EQ(WidePasswordCharOf(&edit, stored), u'\u25CF');
  edit.SetPasswordChar(u'#');  // set on the framework's edit directly
  EXPECT_EQ(WidePasswordCharOf(&edit, stored), u'#');
  EXPECT_EQ(stored, u'#');
  edit.SetPasswordChar(0);
  SetWideEditPasswordChar(&edit, u'\u2022');
  EXPECT_EQ(edit.PasswordChar(), u'\u2022');
}

}  // namespace
}  // namespace cs
