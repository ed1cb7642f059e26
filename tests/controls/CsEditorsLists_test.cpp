// The control-set edit, combo box, memo, list box, shortcut editor, panels and group box: what
// the dialogs rely on (wide text, ItemIndex, Enter reaching the form) and the shortcut editor's
// key handling.
#include <gtest/gtest.h>

#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsLists.h"
#include "controls/CsPanels.h"
#include "controls/ShortCutEditor.h"
#include "framework/Colors.h"
#include "framework/Forms.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/stdctrls_support.h"
#include "platform/controls/Edit.h"
#include "platform/user/windows/Window.h"

namespace cs {
namespace {

using fw::String;

class CsControlsTest : public fw::testing::StdCtrlsTest {
 protected:
  // Moves the pointer and lets the application's idle work tell controls it entered or left.
  void MouseTo(win::POINT p) {
    desktop->mouse_move(p);
    AppPump();
    win::MSG msg{};
    desktop->script([] {});
    fw::Application->Idle(msg);
    AppPump();
  }
};

TEST_F(CsControlsTest, EditHoldsWideTextAndItsAlignmentInTheWindowStyle) {
  auto* edit = Add<TCsEdit>(10, 10, 100, 21);
  edit->SetText(u"Жук 🐞");
  ShowForm();
  EXPECT_EQ(edit->Text(), u"Жук 🐞");
  EXPECT_EQ(edit->ThemeType(), thtTx);
  EXPECT_EQ(edit->EffectiveThemeType(), thtNone);
  edit->SetAlignment(fw::taRightJustify);
  EXPECT_NE(win::GetWindowLongPtrW(edit->Handle(), win::GWL_STYLE) & win::ES_RIGHT, 0);
  EXPECT_EQ(edit->Text(), u"Жук 🐞");  // kept across the new window
}

TEST_F(CsControlsTest, ComboBoxItemIndexWithinAndOutsideTheList) {
  auto* combo = Add<TCsComboBox>(10, 10, 100, 21);
  combo->SetStyle(fw::csDropDownList);
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(3);  // empty list: nothing to select
  ShowForm();
  EXPECT_EQ(combo->ItemIndex(), -1);
  for (const char16_t* item : {u"Сплошная", u"Пунктир", u"Точки"}) combo->Items()->Add(item);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), u"Пунктир");
  combo->SetItemIndex(7);  // out of range: refused, the selection stays
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetItemIndex(-1);
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(CsControlsTest, MemoWithoutWantReturnsLetsEnterReachTheDefaultButton) {
  auto* memo = Add<TCsMemo>(10, 10, 200, 80);
  auto* ok = Add<TCsButton>(10, 120, 75, 25);
  ok->SetDefault(true);
  ok->SetModalResult(fw::mrOk);
  int clicks = 0;
  ok->OnClick = [&](fw::TObject*) { ++clicks; };
  ShowForm();
  memo->SetFocus();
  AppPump();
  desktop->type_char(u'a');
  desktop->press_key(win::VK_RETURN, u'\r');
  AppPump();
  EXPECT_EQ(clicks, 0);  // the memo breaks the line
  EXPECT_EQ(memo->GetText(), "a\r\n");
  memo->SetWantReturns(false);
  desktop->press_key(win::VK_RETURN, u'\r');
  AppPump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->ModalResult(), fw::mrOk);
  EXPECT_EQ(memo->GetText(), "a\r\n");
}

TEST_F(CsControlsTest, ListBoxFollowsTheMouseWithItsHotFlag) {
  auto* list = Add<TCsListBox>(10, 10, 100, 80);
  list->Items()->Add("one");
  ShowForm();
  EXPECT_FALSE(list->MouseInControl());
  MouseTo(At(list, 10, 10));
  EXPECT_TRUE(list->MouseInControl());
  MouseTo(At(list, 300, 200));
  EXPECT_FALSE(list->MouseInControl());
}

class ShortCutTest : public CsControlsTest {
 protected:
  TCsShortCutEditor* Editor() {
    auto* editor = Add<TCsShortCutEditor>(10, 10, 150, 21);
    ShowForm();
    editor->SetFocus();
    AppPump();
    return editor;
  }
  String Text(fw::TControl* c) { return c->GetText(); }
};

TEST_F(ShortCutTest, ModifiersThenAKeyMakeTheShortCut) {
  auto* editor = Editor();
  EXPECT_EQ(Text(editor), "Нет");
  desktop->key_down(win::VK_CONTROL);
  desktop->key_down(win::VK_CONTROL);  // auto-repeat adds the prefix once
  AppPump();
  EXPECT_EQ(Text(editor), "Ctrl + ");
  desktop->key_down(win::VK_SHIFT);
  AppPump();
  EXPECT_EQ(Text(editor), "Ctrl + Shift + ");
  desktop->press_key('S', u's');
  desktop->key_up(win::VK_SHIFT);
  desktop->key_up(win::VK_CONTROL);
  AppPump();
  EXPECT_EQ(editor->ShortCut(), fw::ShortCut('S', fw::TShiftState{fw::ssCtrl, fw::ssShift}));
  EXPECT_EQ(Text(editor), "Shift + Ctrl + S");  // the framework's name; the typed character stays out
}

TEST_F(ShortCutTest, AModifierAloneLeavesNoShortCutAndTheNextKeyStartsAfresh) {
  auto* editor = Editor();
  desktop->press_key(win::VK_CONTROL);
  AppPump();
  EXPECT_EQ(editor->ShortCut(), 0);
  EXPECT_EQ(Text(editor), "Ctrl + ");
  Key(win::VK_F5);
  EXPECT_EQ(Text(editor), "F5");
  EXPECT_EQ(editor->ShortCut(), win::VK_F5);
}

TEST_F(ShortCutTest, ClearingKeysAndKeysWithoutAName) {
  auto* editor = Editor();
  Key(win::VK_ESCAPE);
  EXPECT_EQ(editor->ShortCut(), win::VK_ESCAPE);  // without ClearOnEsc Esc is a shortcut
  editor->SetClearOnEsc(true);
  Key(win::VK_ESCAPE);
  EXPECT_EQ(editor->ShortCut(), 0);
  EXPECT_EQ(Text(editor), "Нет");
  Key(win::VK_DELETE);  // the edit does not cut the shown name
  EXPECT_EQ(Text(editor), "Del");
  Key(0xFF);  // no name: refused
  EXPECT_EQ(editor->ShortCut(), 0);
  EXPECT_EQ(Text(editor), "Нет");
}

TEST_F(ShortCutTest, SettingTheShortCut) {
  TShortCutEditor editor(nullptr);
  editor.SetShortCut(fw::ShortCut('S', fw::TShiftState{fw::ssCtrl}));
  EXPECT_EQ(editor.GetText(), "Ctrl + S");
  editor.SetShortCut(0);
  EXPECT_EQ(editor.GetText(), "");
}

TEST_F(CsControlsTest, GroupBoxKeepsItsChildrenBelowTheCaption) {
  auto* box = Add<TCsGroupBox>(10, 10, 185, 105);
  EXPECT_EQ(box->Width(), 185);
  box->SetCaption(u"Параметры");
  auto* child = new fw::TEdit(form);
  child->SetParent(box);
  child->SetAlign(fw::alTop);
  ShowForm();
  // 1 (panel) + 13 (text height of "0") + 1 (box) + 1 (the three-dimensional look, taken from
  // the form) below the top edge.
  EXPECT_TRUE(box->Ctl3D());
  EXPECT_EQ(child->Top(), 16);
  EXPECT_EQ(child->Left(), 3);
  box->SetCtl3D(false);
  box->Realign();
  EXPECT_EQ(child->Top(), 15);
  EXPECT_EQ(child->Left(), 2);
  box->SetVisible(false);
  EXPECT_FALSE(child->Showing());
}

// The caption sits 8 pixels from the left edge, or from the right one in a right-to-left form.
TEST_F(CsControlsTest, GroupBoxCaptionFollowsTheReadingOrder) {
  auto* box = Add<TCsGroupBox>(10, 10, 185, 105);
  box->SetCaption(u"Вывод");  // 5 characters, 35 pixels
  ShowForm();
  const auto inked = [&](int x0, int x1) {
    int n = 0;
    for (int y = 0; y < 13; ++y)
      for (int x = x0; x < x1; ++x) {
        const win::POINT p = At(box, x, y);
        n += fw::TColor(desktop->screen_pixel(p.x, p.y)) == fw::ColorToRGB(fw::clWindowText);
      }
    return n;
  };
  EXPECT_GT(inked(8, 43), 0);
  EXPECT_EQ(inked(185 - 43, 185), 0);
  form->SetBiDiMode(fw::bdRightToLeft);
  EXPECT_TRUE(box->UseRightToLeftReading());
  box->Invalidate();
  Pump();
  EXPECT_EQ(inked(0, 185 - 43), 0);
  EXPECT_GT(inked(185 - 43, 185 - 8), 0);
}

TEST_F(CsControlsTest, HotTrackedPanelStaysHotWhileAChildHasTheFocus) {
  auto* panel = Add<TCsPanel>(10, 10, 150, 80);
  panel->SetHotTrack(true);
  auto* edit = new fw::TEdit(form);
  edit->SetParent(panel);
  edit->SetBounds(5, 5, 100, 21);
  auto* other = Add<fw::TEdit>(200, 10, 100, 21);
  ShowForm();
  MouseTo(At(panel, 120, 60));
  EXPECT_TRUE(panel->Hot());
  edit->SetFocus();
  AppPump();
  MouseTo(At(panel, 300, 200));
  EXPECT_TRUE(panel->Hot());
  other->SetFocus();
  AppPump();
  EXPECT_FALSE(panel->Hot());
}

}  // namespace
}  // namespace cs
