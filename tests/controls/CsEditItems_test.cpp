// The control set's edit, drop-down and combo-box items and its list item: completion, change
// notices, letter case, the arrow keys, key tracking, viewers by orientation, sizes, and the
// wide rows of the list.

#include <memory>
#include <string>
#include <vector>

#include "controls/CsEditItems.h"
#include "controls/CsItems.h"
#include "controls/CsListItem.h"
#include "framework/GraphicsBitmap.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/StringList.h"
#include "framework/control_fixture.h"
#include "platform/kernel/TextConvert.h"
#include "toolbars/TBItemView.h"
#include "tx/ProbeTheme.h"
#include "tx/Tx.h"

namespace cs {
namespace {

using toolbars::TTBItemViewer;
using toolbars::TTBRootItem;
using toolbars::TTBView;
using txtest::TProbeTheme;

class CsEditItemsTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    tx::InitTx();
    if (!tx::IsThemeRegistered("Probe")) tx::RegisterTheme("Probe", &tx::ThemeClassOf<TProbeTheme>);
    tx::SetCurrentTheme("Probe");
    bmp.SetSize(100, 40);
    bmp.Canvas()->Font()->SetName("Korvalin Test");
    bmp.Canvas()->Font()->SetHeight(-13);
  }
  void TearDown() override {
    view.reset();
    root.reset();
    tx::SetCurrentTheme("Default");
    tx::DoneTx();
    ControlTest::TearDown();
  }
  template <class Item>
  Item* Add() {
    auto* it = new Item(root.get());
    root->Add(it);
    return it;
  }
  TTBItemViewer* ViewerOf(toolbars::TTBCustomItem* item,
                          toolbars::TTBViewOrientation o = toolbars::tbvoHorizontal) {
    view.reset(new TTBView(nullptr, nullptr, root.get(), nullptr, true, false, false));
    view->AfterConstruction();
    view->SetOrientation(o);
    view->ValidatePositions();  // viewers of the wrong class for the orientation are made again
    return view->Find(item);
  }
  TCsComboBoxItem* Combo() {
    auto* combo = Add<TCsComboBoxItem>();
    for (const char16_t* s : {u"Alpha", u"Al", u"Alphabet", u"Ёлка"}) combo->Strings()->Add(s);
    return combo;
  }
  static void Key(TTBItemViewer* v, win::UINT msg, win::WPARAM key) {
    fw::TMessage m{msg, key, 0, 0};
    static_cast<tx::TTxEditItemViewer*>(v)->HandleEditMessage(m);
  }

  fw::TBitmap bmp;
  std::unique_ptr<TTBRootItem> root = std::make_unique<TTBRootItem>(nullptr);
  std::unique_ptr<TTBView> view;
};

TEST_F(CsEditItemsTest, ComboCompletesToTheShortestMatchingEntry) {
  TCsComboBoxItem* combo = Combo();
  struct Case {
    const char* typed;
    bool completes;
    const char* result;
  } cases[] = {
      {"Al", true, "Al"},  // an entry of exactly the typed length wins
      {"al", true, "Al"}, {"Alp", true, "Alpha"}, {"Alphab", true, "Alphabet"},
      {"x", false, "x"},  {"ёл", true, "Ёлка"},   {"Alphabets", false, "Alphabets"},
  };
  for (const Case& c : cases) {
    String text = c.typed;
    EXPECT_EQ(combo->DoAutoComplete(text), c.completes) << c.typed;
    EXPECT_EQ(text, c.result) << c.typed;
  }
  combo->SetAutoComplete(false);
  String text = "Alp";
  EXPECT_FALSE(combo->DoAutoComplete(text));
}

TEST_F(CsEditItemsTest, TypingCompletesAndSelectsTheAddedTailBackspaceDoesNot) {
  TCsComboBoxItem* combo = Combo();
  TTBItemViewer* v = ViewerOf(combo);
  fw::TEdit editor(nullptr);
  std::vector<String> heard;
  combo->OnChange = [&](fw::TObject*, const String& t) { heard.push_back(t); };
  Key(v, win::WM_KEYDOWN, 'P');
  editor.SetText("Alp");
  combo->HandleEditChange(&editor);
  Key(v, win::WM_KEYUP, 'P');
  EXPECT_EQ(editor.Text(), "Alpha");
  EXPECT_EQ(editor.SelStart(), 3);
  EXPECT_EQ(editor.SelLength(), 2);
  // Backspace is no character key: the shortened text stays as it is.
  Key(v, win::WM_KEYDOWN, win::VK_BACK);
  editor.SetText("Alp");
  combo->HandleEditChange(&editor);
  EXPECT_EQ(editor.Text(), "Alp");
  EXPECT_EQ(heard, (std::vector<String>{"Alpha", "Alp"}));
}

TEST_F(CsEditItemsTest, KeyTrackingCountsKeysNotRepeats) {
  TCsComboBoxItem* combo = Combo();
  TTBItemViewer* v = ViewerOf(combo);
  struct Step {
    win::UINT msg;
    win::WPARAM key;
    Integer down;
  } steps[] = {
      {win::WM_KEYDOWN, 'A', 1},
      {win::WM_KEYDOWN, 'A', 1},  // auto-repeat
      {win::WM_KEYDOWN, 'A', 1},
      {win::WM_KEYDOWN, 'B', 2},
      {win::WM_KEYUP, 'A', 1},
      {win::WM_KEYUP, 'B', 0},
      {win::WM_KEYUP, 'C', 0},  // pressed elsewhere: nothing below 0
      {win::WM_KEYDOWN, 'D', 1},
      {win::WM_KILLFOCUS, 0, 0},  // focus gone: forgotten
      {win::WM_KEYDOWN, win::VK_BACK, 0},
  };
  for (const Step& s : steps) {
    Key(v, s.msg, s.key);
    EXPECT_EQ(combo->TypedKeys(), s.down) << s.msg << ' ' << s.key;
  }
  // After a repeated key and its one release, Backspace does not complete.
  Key(v, win::WM_KEYDOWN, 'A');
  Key(v, win::WM_KEYDOWN, 'A');
  Key(v, win::WM_KEYUP, 'A');
  fw::TEdit editor(nullptr);
  editor.SetText("Alp");
  combo->HandleEditChange(&editor);
  EXPECT_EQ(editor.Text(), "Alp");
}

TEST_F(CsEditItemsTest, ItemIndexCopiesTheEntryAndNotifiesOnce) {
  TCsComboBoxItem* combo = Combo();
  std::vector<String> heard;
  combo->OnChange = [&](fw::TObject*, const String& t) { heard.push_back(t); };
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->WideText(), u"Al");
  combo->SetText(u"Al");
  EXPECT_EQ(heard, std::vector<String>{"Al"});
  combo->SetItemIndex(3);
  EXPECT_EQ(combo->WideText(), u"Ёлка");
  EXPECT_EQ(heard.size(), 2u);
  EXPECT_EQ(combo->ItemIndex(), 3);
  // The image index follows the chosen entry and is asked again after a change.
  int asked = 0;
  combo->OnAdjustImageIndex = [&](fw::TObject*, const WideString&, Integer, Integer&) { ++asked; };
  EXPECT_EQ(combo->GetImageIndex(), 3);
  EXPECT_EQ(combo->GetImageIndex(), 3);
  EXPECT_EQ(asked, 1);
  combo->SetItemIndex(0);
  EXPECT_EQ(combo->GetImageIndex(), 0);
  EXPECT_EQ(asked, 2);
}

TEST_F(CsEditItemsTest, AcceptedTextAlreadyReportedIsNotReportedAgain) {
  auto* edit = Add<TCsEditItem>();
  std::vector<String> heard;
  edit->OnChange = [&](fw::TObject*, const String& t) { heard.push_back(t); };
  fw::TEdit editor(nullptr);
  editor.SetText("Имя");
  edit->HandleEditChange(&editor);  // reported while typing
  edit->SetTextEx("Имя", toolbars::tcrEditControl);
  EXPECT_EQ(heard, std::vector<String>{"Имя"});
  // A refusing OnAcceptText keeps the text.
  edit->OnAcceptText = [](fw::TObject*, String&, bool& Accept) { Accept = false; };
  String proposed = "Другое";
  EXPECT_FALSE(edit->DoAcceptText(proposed));
  EXPECT_EQ(edit->WideText(), u"Имя");
}

TEST_F(CsEditItemsTest, LetterCaseOfEveryScript) {
  auto* edit = Add<TCsEditItem>();
  edit->SetCharCase(fw::ecUpperCase);
  edit->SetText(u"abc ёж");
  EXPECT_EQ(edit->WideText(), u"ABC ЁЖ");
  edit->SetCharCase(fw::ecLowerCase);
  EXPECT_EQ(edit->WideText(), u"abc ёж");
}

TEST_F(CsEditItemsTest, ViewersByKindAndOrientation) {
  auto* edit = Add<TCsEditItem>();
  auto* drop = Add<TCsCustomDropDownItem>();
  TCsComboBoxItem* combo = Combo();
  struct Case {
    toolbars::TTBCustomItem* item;
    toolbars::TTBViewOrientation o;
    bool useEdit;
    bool (*is)(TTBItemViewer*);
  } cases[] = {
      {edit, toolbars::tbvoHorizontal, false,
       [](TTBItemViewer* v) { return !!dynamic_cast<TCsEditItemViewer*>(v); }},
      {drop, toolbars::tbvoHorizontal, false,
       [](TTBItemViewer* v) { return !!dynamic_cast<TCsDropDownItemViewer*>(v); }},
      {combo, toolbars::tbvoHorizontal, false,
       [](TTBItemViewer* v) { return !!dynamic_cast<TCsComboBoxItemViewer*>(v); }},
      {combo, toolbars::tbvoVertical, false,
       [](TTBItemViewer* v) { return typeid(*v) == typeid(TCsItemViewer); }},
      {combo, toolbars::tbvoVertical, true,
       [](TTBItemViewer* v) { return !!dynamic_cast<TCsComboBoxItemViewer*>(v); }},
  };
  for (const Case& c : cases) {
    auto* e = static_cast<toolbars::TTBEditItem*>(c.item);
    e->SetEditOptions(c.useEdit ? toolbars::TTBEditItemOptions{toolbars::tboUseEditWhenVertical}
                                : toolbars::TTBEditItemOptions{});
    EXPECT_TRUE(c.is(ViewerOf(c.item, c.o))) << c.item->ClassName() << ' ' << c.o << ' ' << c.useEdit;
  }
  EXPECT_EQ(ViewerOf(combo)->GetAccRole(), 46);
  EXPECT_TRUE(combo->ItemStyle() & toolbars::tbisCombo);
  EXPECT_FALSE(combo->ItemStyle() & toolbars::tbisDontSelectFirst);
  EXPECT_EQ(combo->IndexOf(combo->List()), 0);
}

TEST_F(CsEditItemsTest, DropDownButtonRoomAndEditHeight) {
  TCsComboBoxItem* combo = Combo();
  auto* v = static_cast<TCsDropDownItemViewer*>(ViewerOf(combo));
  EXPECT_EQ(v->GetIndentAfter(), 13);  // the theme's edit-button width in toolbars
  // Height: text 13 + 1 + 2 x (metric 62 + metric 60) = 13 + 1 + 6, made odd.
  Integer w = 0, h = 0;
  v->CalcSize(bmp.Canvas(), w, h);
  EXPECT_EQ(h % 2, 1);
  EXPECT_EQ(w, combo->EditWidth());
}

// The drop-down and combo items draw a drop-down button right of their box, in the item's state,
// and only the box starts an edit: a press on the button is the submenu's.
TEST_F(CsEditItemsTest, DropDownButtonIsDeclaredInTheItemsState) {
  TCsComboBoxItem* combo = Combo();
  auto* v = static_cast<TCsDropDownItemViewer*>(ViewerOf(combo));
  const Integer width = v->BoundsRect().right - v->BoundsRect().left;
  EXPECT_TRUE(v->IsPtInButtonPart(width - 14, 5)) << "the box";
  EXPECT_FALSE(v->IsPtInButtonPart(width - 13, 5)) << "the button, 13 pixels wide";
  struct Case {
    bool enabled, hovered;
    Integer state;
  } cases[] = {{true, false, 0}, {true, true, tx::EBDS_HOT}, {false, false, tx::EBDS_DISABLED}};
  for (const Case& c : cases) {
    combo->SetEnabled(c.enabled);
    view->SetSelected(c.hovered ? v : nullptr);
    tx::TTxEditFrameInfo info;
    v->GetEditInfo(info);
    EXPECT_EQ(info.RightButtonInfo.ButtonType, tx::EBT_DROPDOWN);
    EXPECT_EQ(info.RightButtonInfo.ButtonState, c.state) << c.enabled << c.hovered;
    EXPECT_EQ(info.RightButtonWidth, 13);
  }
}

TEST_F(CsEditItemsTest, ComboArrowKeysStepThroughTheEntries) {
  TCsComboBoxItem* combo = Combo();
  auto* v = static_cast<TCsComboBoxItemViewer*>(ViewerOf(combo));
  // Without a running edit the keys are not the viewer's.
  fw::TMessage down{win::WM_KEYDOWN, win::VK_DOWN, 0, 0};
  EXPECT_FALSE(v->HandleEditMessage(down));
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(CsEditItemsTest, ListRowsAreWideTexts) {
  auto* list = Add<TCsStringList>();
  list->Strings()->Add(u"Ж€中");
  list->Strings()->Add(u"");
  EXPECT_EQ(list->GetCount(), 2);
  EXPECT_EQ(list->GetItemText(0), "");
  EXPECT_EQ(list->GetItemTextW(0), u"Ж€中");
  auto* v = dynamic_cast<TCsCustomListViewer*>(ViewerOf(list));
  ASSERT_NE(v, nullptr);
  // Widths: the text (3 characters of 7 pixels in the test font) + 8; height "Q" + 2.
  EXPECT_EQ(v->GetItemWidth(bmp.Canvas(), 0), 3 * 7 + 8);
  EXPECT_EQ(v->GetItemWidth(bmp.Canvas(), 1), 8);
  EXPECT_EQ(v->GetItemHeight(bmp.Canvas()), 13 + 2);
  // A framework list's lines are taken over.
  fw::TStringList lines;
  lines.Add("Один");
  lines.Add("Два");
  list->SetStrings(&lines);
  EXPECT_EQ(list->GetCount(), 2);
  EXPECT_EQ(list->GetItemTextW(1), u"Два");
}

}  // namespace
}  // namespace cs
