// List boxes and combo boxes: items with objects, selection, notifications through injected input,
// owner drawing and measuring, and what is kept over a new window.

#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/StdCtrlsList.h"
#include "framework/StringList.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ListBox.h"
#include "platform/user/frames/ScrollBar.h"
#include "stdctrls_support.h"

namespace fw::testing {
namespace {

using ListTests = StdCtrlsTest;

// Objects to hang on items.
struct Tag : TObject {};

TEST_F(ListTests, ItemsAndObjectsMadeBeforeTheWindowReachIt) {
  auto* list = Add<TListBox>(10, 10, 150, 120);
  Tag a, b;
  list->AddItem("Синус", &a);
  list->Items()->AddObject("Косинус", &b);
  list->Items()->Insert(1, "Тангенс");
  list->SetItemIndex(2);
  EXPECT_FALSE(list->HandleAllocated());
  ShowForm();
  win::HWND h = list->Handle();
  EXPECT_EQ(win::SendMessageW(h, win::LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(list->Items()->Strings(1), "Тангенс");
  EXPECT_EQ(win::SendMessageW(h, win::LB_GETITEMDATA, 2, 0), reinterpret_cast<win::LRESULT>(&b));
  EXPECT_EQ(list->Items()->Objects(0), &a);
  EXPECT_EQ(list->Items()->IndexOfObject(&b), 2);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_TRUE(list->Selected(2));
  EXPECT_THROW(list->Selected(3), EListError);
  EXPECT_THROW(list->Items()->Strings(5), EStringListError);
  list->Items()->Delete(0);
  EXPECT_EQ(list->Items()->Count(), 2);
  EXPECT_EQ(list->ItemIndex(), 1);
  list->Clear();
  EXPECT_EQ(win::SendMessageW(h, win::LB_GETCOUNT, 0, 0), 0);
}

// A list box that counts the frame paints it is asked for (its scroll bar is on the frame).
struct FramePaintCountingList : TListBox {
  using TListBox::TListBox;
  int framePaints = 0;
  void Dispatch(TMessage& M) override {
    if (M.Msg == win::WM_NCPAINT) ++framePaints;
    TListBox::Dispatch(M);
  }
};

TEST_F(ListTests, ItemsAddedInAnUpdateReachTheScrollBarOnceAtItsEnd) {
  auto* list = Add<FramePaintCountingList>(10, 10, 150, 120);
  ShowForm();
  win::HWND h = list->Handle();
  Pump();
  list->framePaints = 0;
  list->Items()->BeginUpdate();
  for (int i = 0; i < 200; ++i) list->Items()->Add("точка " + std::to_string(i));
  EXPECT_EQ(list->framePaints, 0);
  list->Items()->EndUpdate();
  Pump();
  EXPECT_GE(list->framePaints, 1);
  EXPECT_LE(list->framePaints, 2);
  win::SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = win::SIF_RANGE;
  ASSERT_TRUE(win::GetScrollInfo(h, win::SB_VERT, &si));
  EXPECT_EQ(si.nMax, 199);
  EXPECT_EQ(win::SendMessageW(h, win::LB_GETCOUNT, 0, 0), 200);
}

TEST_F(ListTests, ClicksAndKeysSelectAndNotifyOnce) {
  auto* list = Add<TListBox>(10, 10, 150, 120);
  for (const char* s : {"a", "b", "c", "d"}) list->Items()->Add(s);
  std::vector<Integer> clicks;
  int dbl = 0;
  list->OnClick = [&](TObject*) { clicks.push_back(list->ItemIndex()); };
  list->OnDblClick = [&](TObject*) { ++dbl; };
  ShowForm();
  TRect r = list->ItemRect(1);
  ASSERT_GT(r.bottom, r.top);
  ClickOn(list, 20, (r.top + r.bottom) / 2);
  EXPECT_EQ(clicks, (std::vector<Integer>{1}));
  EXPECT_TRUE(list->Focused());
  Key(win::VK_DOWN);
  EXPECT_EQ(clicks, (std::vector<Integer>{1, 2}));
  r = list->ItemRect(2);
  desktop->click(At(list, 20, (r.top + r.bottom) / 2));
  desktop->click(At(list, 20, (r.top + r.bottom) / 2));
  AppPump();
  EXPECT_EQ(dbl, 1);
  // Item positions.
  EXPECT_EQ(list->ItemAtPos(Point(20, (r.top + r.bottom) / 2), true), 2);
  EXPECT_EQ(list->ItemAtPos(Point(20, list->ItemRect(3).bottom + 2), true), -1);
  EXPECT_EQ(list->ItemAtPos(Point(20, list->ItemRect(3).bottom + 2), false), 4);
  EXPECT_EQ(list->ItemRect(9).right, 0);
}

TEST_F(ListTests, MultipleSelectionSortingAndANewWindowKeepItemsAndSelection) {
  auto* list = Add<TListBox>(10, 10, 150, 120);
  list->SetMultiSelect(true);
  Tag t;
  for (const char* s : {"delta", "alpha", "charlie"}) list->Items()->Add(s);
  list->Items()->PutObject(1, &t);
  list->SetSelected(0, true);
  list->SetSelected(2, true);
  EXPECT_EQ(list->SelCount(), 2);
  ShowForm();
  EXPECT_EQ(list->SelCount(), 2);
  EXPECT_TRUE(list->Selected(2));
  EXPECT_FALSE(list->Selected(1));
  list->SetSelected(2, false);
  list->SetSelected(1, true);
  list->SetSorted(true);
  Pump();
  EXPECT_EQ(list->Items()->CommaText(), "alpha,charlie,delta");
  EXPECT_EQ(list->Items()->Objects(0), &t);
  EXPECT_EQ(list->SelCount(), 2) << "selection is kept by position";
  EXPECT_EQ(list->Items()->Add("bravo"), 1) << "a sorted list places new items";
  EXPECT_NE(win::GetWindowLongW(list->Handle(), win::GWL_STYLE) & win::LONG(win::LBS_EXTENDEDSEL), 0);
  list->SelectAll();
  EXPECT_EQ(list->SelCount(), 4);
  list->SetMultiSelect(false);
  Pump();
  EXPECT_EQ(list->SelCount(), -1);
  Integer before = list->ItemIndex();
  list->SelectAll();
  EXPECT_EQ(list->ItemIndex(), before) << "a single-selection list has no select-all";
  EXPECT_EQ(list->Items()->Count(), 4);
}

TEST_F(ListTests, OwnerDrawnListsDrawAndMeasureThroughTheirEvents) {
  auto* list = Add<TListBox>(10, 10, 150, 150);
  list->SetStyle(lbOwnerDrawVariable);
  for (const char* s : {"a", "b", "c"}) list->Items()->Add(s);
  list->OnMeasureItem = [](TWinControl*, Integer index, Integer& height) { height = 10 + 5 * index; };
  struct Draw {
    Integer index;
    TRect rect;
    TOwnerDrawState state;
  };
  std::vector<Draw> draws;
  list->OnDrawItem = [&](TWinControl* c, Integer index, const TRect& rect, TOwnerDrawState state) {
    EXPECT_EQ(c, list);
    draws.push_back({index, rect, state});
    list->Canvas()->Brush()->SetColor(index == 1 ? clRed : clBlue);
    list->Canvas()->FillRect(rect);
  };
  list->SetItemIndex(1);
  ShowForm();
  EXPECT_EQ(list->ItemRect(0).bottom - list->ItemRect(0).top, 10);
  EXPECT_EQ(list->ItemRect(2).bottom - list->ItemRect(2).top, 20);
  ASSERT_FALSE(draws.empty());
  bool sawSelected = false;
  for (const Draw& d : draws) {
    EXPECT_EQ(d.rect, list->ItemRect(d.index));
    if (d.index == 1) sawSelected = d.state.Contains(odSelected);
  }
  EXPECT_TRUE(sawSelected);
  TRect r1 = list->ItemRect(1);
  win::POINT p = At(list, 5, r1.top + 3);
  EXPECT_EQ(TColor(desktop->screen_pixel(p.x, p.y)), clRed);
  p = At(list, 5, list->ItemRect(2).top + 3);
  EXPECT_EQ(TColor(desktop->screen_pixel(p.x, p.y)), clBlue);

  // A fixed list takes ItemHeight for every item.
  list->SetStyle(lbOwnerDrawFixed);
  list->SetItemHeight(18);
  Pump();
  EXPECT_EQ(list->ItemHeight(), 18);
  EXPECT_EQ(list->ItemRect(2).top, 36);
  EXPECT_EQ(list->Items()->Count(), 3);
}

TEST_F(ListTests, ComboSelectionSetsTextAndFiresSelectOrChange) {
  auto* combo = Add<TComboBox>(10, 10, 150, 21);
  combo->SetStyle(csDropDownList);
  for (const char* s : {"Линия", "Точки", "Столбцы"}) combo->Items()->Add(s);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "Точки");
  ShowForm();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "Точки");
  combo->SetText("Столбцы");
  EXPECT_EQ(combo->ItemIndex(), 2);
  combo->SetText("нет такого");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->EditHandle(), nullptr);

  int selects = 0, changes = 0;
  combo->OnSelect = [&](TObject*) { ++selects; };
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->SetItemIndex(0);
  combo->SetFocus();
  Key(win::VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(changes, 0);
  combo->OnSelect = nullptr;
  Key(win::VK_DOWN);
  EXPECT_EQ(changes, 1) << "without OnSelect a selection is a change";
  EXPECT_EQ(combo->Text(), "Столбцы");
}

TEST_F(ListTests, DropDownComboEditsDropsAndKeepsItsItemsOverANewWindow) {
  auto* combo = Add<TComboBox>(10, 10, 150, 21);
  for (const char* s : {"1", "2"}) combo->Items()->Add(s);
  std::vector<std::string> events;
  combo->OnChange = [&](TObject*) { events.push_back("change " + combo->Text()); };
  combo->OnDropDown = [&](TObject*) { events.push_back("drop"); };
  combo->OnCloseUp = [&](TObject*) { events.push_back("close"); };
  ShowForm();
  ASSERT_NE(combo->EditHandle(), nullptr);
  EXPECT_EQ(win::GetParent(combo->EditHandle()), combo->Handle());
  combo->SetFocus();
  desktop->type_char(u'x');
  AppPump();
  EXPECT_EQ(combo->Text(), "x");
  combo->SetDroppedDown(true);
  AppPump();
  EXPECT_TRUE(combo->DroppedDown());
  // The framework's combo window has a class of its own; its drop-down list is still found.
  ASSERT_NE(combo->ListHandle(), nullptr);
  EXPECT_TRUE(win::IsWindowVisible(combo->ListHandle()));
  combo->SetDroppedDown(false);
  AppPump();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(events, (std::vector<std::string>{"change x", "drop", "close"}));

  combo->SetItemIndex(1);
  combo->SetMaxLength(3);
  combo->SetStyle(csSimple);
  Pump();
  EXPECT_EQ(combo->Items()->Count(), 2);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "2");
  ASSERT_NE(combo->ListHandle(), nullptr);
  EXPECT_EQ(win::SendMessageW(combo->ListHandle(), win::LB_GETCOUNT, 0, 0), 2);
  combo->SetText("");
  combo->SetFocus();
  for (char16_t c : std::u16string(u"abcdef")) desktop->type_char(c);
  AppPump();
  EXPECT_EQ(combo->Text(), "abc") << "the limit holds in the new window";
}

TEST_F(ListTests, ComboEditFieldKeysReachTheEventsAndCompleteToAnItem) {
  auto* other = Add<TEdit>(10, 50, 100, 21);
  auto* combo = Add<TComboBox>(10, 10, 150, 21);
  for (const char* s : {"Alpha", "Beta", "Bravo"}) combo->Items()->Add(s);
  std::u16string pressed;
  combo->OnKeyPress = [&](TObject*, char16_t& key) { pressed += key; };
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  ShowForm();
  form->SetActiveControl(other);
  Pump();
  desktop->click(At(combo, 10, 10));
  AppPump();
  EXPECT_EQ(form->ActiveControl(), combo) << "focus in the edit field is the combo's";
  desktop->type_char(u'b');
  AppPump();
  EXPECT_EQ(combo->Text(), "Beta");
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->SelStart(), 1);
  EXPECT_EQ(combo->SelLength(), 3);
  desktop->type_char(u'r');
  AppPump();
  EXPECT_EQ(combo->Text(), "Bravo");
  EXPECT_EQ(combo->SelStart(), 2);
  EXPECT_EQ(pressed, u"br");
  EXPECT_EQ(changes, 2);
  // No item starts so: the character is typed as it is.
  desktop->type_char(u'x');
  AppPump();
  EXPECT_EQ(combo->Text(), "Brx");
  // A handler can swallow a key before the field sees it.
  combo->OnKeyPress = [](TObject*, char16_t& key) {
    if (key == u'z') key = 0;
  };
  desktop->type_char(u'z');
  AppPump();
  EXPECT_EQ(combo->Text(), "Brx");
  combo->SetAutoComplete(false);
  combo->SetText("");
  desktop->type_char(u'a');
  AppPump();
  EXPECT_EQ(combo->Text(), "a");
  // The hook goes with the window.
  combo->SetStyle(csDropDownList);
  Pump();
  EXPECT_EQ(combo->EditHandle(), nullptr);
}

TEST_F(ListTests, OwnerDrawnComboDrawsItsItemsThroughOnDrawItem) {
  auto* combo = Add<TComboBox>(10, 10, 150, 21);
  combo->SetStyle(csOwnerDrawFixed);
  combo->SetItemHeight(17);
  for (const char* s : {"red", "green"}) combo->Items()->Add(s);
  std::vector<Integer> drawn;
  bool sawEditField = false;
  combo->OnDrawItem = [&](TWinControl*, Integer index, const TRect& rect, TOwnerDrawState state) {
    drawn.push_back(index);
    if (state.Contains(odComboBoxEdit)) sawEditField = true;
    combo->Canvas()->Brush()->SetColor(index == 0 ? clRed : clLime);
    combo->Canvas()->FillRect(rect);
  };
  combo->SetItemIndex(0);
  ShowForm();
  EXPECT_EQ(combo->ItemHeight(), 17);
  ASSERT_FALSE(drawn.empty());
  EXPECT_TRUE(sawEditField);
  EXPECT_EQ(drawn.back(), 0);
  win::POINT p = At(combo, 5, 5);  // inside the sunken field
  EXPECT_EQ(TColor(desktop->screen_pixel(p.x, p.y)), clRed);
}

// Return and Esc in a dropped list close the list (choosing or restoring the entry); the form's
// default and cancel buttons are not pressed. Closed, the keys reach the form again.
TEST_F(ListTests, ReturnAndEscapeInADroppedListCloseTheListNotTheForm) {
  struct Case {
    TComboBoxStyle style;
    win::UINT key;
    Integer expectedIndex;
  };
  for (const Case& k : {Case{csDropDownList, win::VK_RETURN, 1}, Case{csDropDownList, win::VK_ESCAPE, 0},
                        Case{csDropDown, win::VK_RETURN, 1}, Case{csDropDown, win::VK_ESCAPE, 0}}) {
    SCOPED_TRACE(int(k.style) * 100 + int(k.key));
    auto* ok = Add<TButton>(10, 200, 75, 25);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = Add<TButton>(100, 200, 75, 25);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    auto* combo = Add<TComboBox>(10, 10, 150, 21);
    combo->SetStyle(k.style);
    for (const char* s : {"Сплошная", "Пунктир", "Штрих"}) combo->Items()->Add(s);
    combo->SetItemIndex(0);
    ShowForm();
    combo->SetFocus();
    combo->SetDroppedDown(true);
    AppPump();
    if (k.key == win::VK_RETURN) Key(win::VK_DOWN);
    Key(k.key);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), k.expectedIndex);
    EXPECT_EQ(form->ModalResult(), mrNone);
    // With the list closed the same key commands the form.
    Key(k.key);
    EXPECT_EQ(form->ModalResult(), k.key == win::VK_RETURN ? mrOk : mrCancel);
    form->SetModalResult(mrNone);
    delete ok;
    delete cancel;
    delete combo;
  }
}

// A dropped list is as wide as its longest entry, never narrower than the box.
TEST_F(ListTests, TheDroppedListIsAsWideAsItsLongestEntry) {
  auto* narrow = Add<TComboBox>(10, 10, 60, 21);
  narrow->SetStyle(csDropDownList);
  for (const char* s : {"Сплошная", "Штрих-пунктир-пунктирная"}) narrow->Items()->Add(s);
  auto* wide = Add<TComboBox>(10, 40, 300, 21);
  wide->SetStyle(csDropDownList);
  wide->Items()->Add("1");
  ShowForm();
  for (TComboBox* combo : {narrow, wide}) {
    combo->SetDroppedDown(true);
    AppPump();
    win::RECT r{};
    ASSERT_TRUE(win::GetWindowRect(combo->ListHandle(), &r));
    const Integer longest = combo == narrow ? 7 * 24 : 7;  // the test font: 7 pixels a character
    EXPECT_GE(r.right - r.left, std::max<Integer>(longest + 8, combo->Width()));
    EXPECT_LE(r.right - r.left, std::max<Integer>(longest + 8 + 20, combo->Width()));
    combo->SetDroppedDown(false);
    AppPump();
  }
}

}  // namespace
}  // namespace fw::testing
