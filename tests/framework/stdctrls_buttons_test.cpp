// Push buttons, check boxes, radio buttons, labels, group boxes and scroll bars on a form.

#include <string>
#include <vector>

#include "framework/StdCtrlsEdit.h"
#include "platform/controls/Button.h"
#include "platform/user/frames/ScrollBar.h"
#include "stdctrls_support.h"

namespace fw::testing {
namespace {

using ButtonTests = StdCtrlsTest;

TEST_F(ButtonTests, EnterClicksTheActiveButtonAndEscapeTheCancelOne) {
  auto* ok = Add<TButton>(10, 10, 75, 25);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = Add<TButton>(100, 10, 75, 25);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  auto* check = Add<TCheckBox>(10, 50, 100, 17);
  int okClicks = 0, cancelClicks = 0;
  ok->OnClick = [&](TObject* s) {
    EXPECT_EQ(s, ok);
    ++okClicks;
  };
  cancel->OnClick = [&](TObject*) { ++cancelClicks; };
  form->SetActiveControl(check);
  desktop->script([&] { desktop->press_key(win::VK_RETURN); });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(win::GetWindowLongW(ok->Handle(), win::GWL_STYLE) & 0xF, win::LONG(win::BS_DEFPUSHBUTTON));

  // With another push button focused, that one is the default for Enter.
  form->SetActiveControl(cancel);
  desktop->script([&] { desktop->press_key(win::VK_RETURN); });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(cancelClicks, 1);
  EXPECT_EQ(win::GetWindowLongW(ok->Handle(), win::GWL_STYLE) & 0xF, win::LONG(win::BS_PUSHBUTTON));
  EXPECT_EQ(win::GetWindowLongW(cancel->Handle(), win::GWL_STYLE) & 0xF, win::LONG(win::BS_DEFPUSHBUTTON));

  form->SetActiveControl(check);
  desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(cancelClicks, 2);
  EXPECT_EQ(okClicks, 1);
}

TEST_F(ButtonTests, MouseClickFiresOnClickAndSetsTheFormsModalResult) {
  auto* b = Add<TButton>(10, 10, 75, 25);
  b->SetCaption("&Да");
  b->SetModalResult(mrYes);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  ShowForm();
  EXPECT_EQ(win::GetWindowTextLengthW(b->Handle()), 3);
  ClickOn(b, 30, 12);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->ModalResult(), mrYes);
  EXPECT_TRUE(b->Focused());
  // A press released outside is no click.
  desktop->mouse_down(At(b, 30, 12));
  desktop->mouse_up(At(b, 300, 12));
  AppPump();
  EXPECT_EQ(clicks, 1);
}

// The letter a button's caption marks with "&" presses it, typed alone or with Alt held, in either
// case, while the focus is on a control that takes no typed characters; keys come as the keyboard
// sends them, through the application's loop.
TEST_F(ButtonTests, TheCaptionsAcceleratorPressesTheButton) {
  auto* yes = Add<TButton>(10, 10, 75, 25);
  yes->SetCaption("&Да");
  yes->SetModalResult(mrYes);
  auto* other = Add<TButton>(100, 10, 75, 25);
  other->SetCaption("Нет");
  auto* edit = Add<TEdit>(10, 50, 100, 21);
  int clicks = 0;
  yes->OnClick = [&](TObject*) { ++clicks; };
  ShowForm();
  struct Row {
    const char* what;
    TWinControl* focus;
    bool alt, shift, enabled;
    char16_t typed;
    bool pressed;
  };
  const Row rows[] = {
      {"the letter alone", other, false, false, true, u'д', true},
      {"with Alt", other, true, false, true, u'д', true},
      {"in capitals", other, false, true, true, u'Д', true},
      {"another letter of the caption", other, true, false, true, u'а', false},
      {"a disabled button", other, true, false, false, u'д', false},
      {"typed into an edit", edit, false, false, true, u'д', false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    clicks = 0;
    form->SetModalResult(mrNone);
    yes->SetEnabled(r.enabled);
    edit->SetText("");
    r.focus->SetFocus();
    AppPump();
    if (r.alt) desktop->key_down(win::VK_MENU);
    if (r.shift) desktop->key_down(win::VK_SHIFT);
    desktop->press_key('L', r.typed);
    if (r.shift) desktop->key_up(win::VK_SHIFT);
    if (r.alt) desktop->key_up(win::VK_MENU);
    AppPump();
    EXPECT_EQ(clicks, r.pressed ? 1 : 0);
    EXPECT_EQ(form->ModalResult(), r.pressed ? mrYes : mrNone);
    if (r.focus == edit) {
      EXPECT_EQ(edit->Text(), "д") << "the edit takes the letter";
    }
  }
}

TEST_F(ButtonTests, CheckBoxStatesCycleAndSurviveANewWindow) {
  auto* box = Add<TCheckBox>(10, 10, 120, 17);
  box->SetCaption("Сетка");
  std::vector<TCheckBoxState> seen;
  box->OnClick = [&](TObject*) { seen.push_back(box->State()); };
  ShowForm();
  ClickOn(box, 5, 8);
  ClickOn(box, 5, 8);
  EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked}));
  box->SetAllowGrayed(true);
  for (int i = 0; i < 3; ++i) ClickOn(box, 5, 8);
  EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked, cbGrayed, cbChecked, cbUnchecked}));
  // Space on the focused box toggles it as well.
  box->SetAllowGrayed(false);
  box->SetFocus();
  Key(win::VK_SPACE);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(win::SendMessageW(box->Handle(), win::BM_GETCHECK, 0, 0), win::BST_CHECKED);

  // Setting the state in code shows it and calls OnClick once; the same state again nothing.
  seen.clear();
  box->SetState(cbGrayed);
  box->SetState(cbGrayed);
  EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed}));
  win::HWND old = box->Handle();
  box->SetAlignment(taLeftJustify);
  Pump();
  EXPECT_NE(box->Handle(), old);
  EXPECT_NE(win::GetWindowLongW(box->Handle(), win::GWL_STYLE) & win::LONG(win::BS_LEFTTEXT), 0);
  EXPECT_EQ(win::SendMessageW(box->Handle(), win::BM_GETCHECK, 0, 0), win::BST_INDETERMINATE);
  EXPECT_EQ(box->Caption(), "Сетка");
  EXPECT_EQ(seen.size(), 1u) << "a new window is no click";
}

TEST_F(ButtonTests, RadioButtonsUncheckTheirSiblingsOnly) {
  auto* a = Add<TRadioButton>(10, 10, 100, 17);
  auto* b = Add<TRadioButton>(10, 30, 100, 17);
  auto* group = Add<TGroupBox>(150, 10, 200, 100);
  auto* inner = Add<TRadioButton>(10, 30, 100, 17, group);
  inner->SetChecked(true);
  a->SetChecked(true);
  int bClicks = 0;
  b->OnClick = [&](TObject*) { ++bClicks; };
  ShowForm();
  EXPECT_EQ(win::SendMessageW(a->Handle(), win::BM_GETCHECK, 0, 0), win::BST_CHECKED);
  ClickOn(b, 5, 8);
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(inner->Checked()) << "another parent is another group";
  EXPECT_EQ(win::SendMessageW(a->Handle(), win::BM_GETCHECK, 0, 0), win::BST_UNCHECKED);
  EXPECT_EQ(bClicks, 1);
  EXPECT_TRUE(b->TabStop());
  EXPECT_FALSE(a->TabStop());
  // An arrow moves the focus to the next one, which checks it.
  Key(win::VK_UP);
  EXPECT_TRUE(a->Focused());
  EXPECT_TRUE(a->Checked());
  EXPECT_FALSE(b->Checked());
}

TEST_F(ButtonTests, LabelSizesToItsTextAndItsAcceleratorFocusesItsControl) {
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetBounds(100, 10, 10, 10);
  label->SetCaption("&abc");
  EXPECT_EQ(label->Width(), 21) << "the prefix is not drawn";
  EXPECT_EQ(label->Height(), 13);
  label->SetShowAccelChar(false);
  EXPECT_EQ(label->Width(), 28);
  label->SetShowAccelChar(true);
  label->SetAlignment(taRightJustify);
  label->SetCaption("&abcdef");
  EXPECT_EQ(label->Left() + label->Width(), 121) << "a right-aligned label keeps its right edge";
  EXPECT_EQ(label->Width(), 42);
  label->SetAutoSize(false);
  label->SetCaption("&xyz");
  EXPECT_EQ(label->Width(), 42);

  auto* first = Add<TCheckBox>(10, 50, 100, 17);
  auto* target = Add<TCheckBox>(10, 80, 100, 17);
  label->SetFocusControl(target);
  ShowForm();
  form->SetActiveControl(first);
  Pump();
  win::PostMessageW(first->Handle(), win::WM_SYSCHAR, u'X', win::LPARAM(1) << 29);
  AppPump();
  EXPECT_TRUE(target->Focused());
  delete target;
  EXPECT_EQ(label->FocusControl(), nullptr) << "a freed control is forgotten";
}

TEST_F(ButtonTests, LabelDrawsItsCaptionInTheFontColourOnItsColour) {
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetBounds(20, 20, 10, 10);
  label->SetCaption("H");
  label->SetAutoSize(false);
  label->SetBounds(20, 20, 40, 30);
  label->SetColor(clYellow);
  label->Font()->SetColor(clRed);
  label->SetLayout(tlBottom);
  ShowForm();
  auto pixel = [&](int x, int y) {
    win::POINT p = At(label, x, y);
    return TColor(desktop->screen_pixel(p.x, p.y));
  };
  EXPECT_EQ(pixel(30, 5), clYellow);
  EXPECT_EQ(pixel(1, 17 + 5), clRed) << "the bottom layout puts the 13-pixel line at 17";
  EXPECT_EQ(pixel(1, 5), clYellow);
  label->SetTransparent(true);
  Pump();
  EXPECT_EQ(pixel(30, 5), ColorToRGB(form->Color()));
}

TEST_F(ButtonTests, GroupBoxDrawsAnEtchedFrameBrokenByItsCaption) {
  auto* group = Add<TGroupBox>(10, 10, 200, 100);
  group->SetCaption("HH");
  group->Font()->SetColor(clRed);
  ShowForm();
  auto pixel = [&](int x, int y) {
    win::POINT p = At(group, x, y);
    return TColor(desktop->screen_pixel(p.x, p.y));
  };
  const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
  // The frame's top line runs at half the 13-pixel caption height.
  EXPECT_EQ(pixel(0, 6), shadow);
  EXPECT_EQ(pixel(1, 7), light);
  EXPECT_EQ(pixel(0, 60), shadow);
  EXPECT_EQ(pixel(198, 60), shadow);
  EXPECT_EQ(pixel(199, 60), light);
  EXPECT_EQ(pixel(100, 6), shadow);
  // Under the caption (x 8..22, with 2 pixels either side) the line is cleared.
  EXPECT_EQ(pixel(7, 6), ColorToRGB(group->Color()));
  EXPECT_EQ(pixel(23, 6), ColorToRGB(group->Color()));
  bool red = false;
  for (int x = 8; x < 22; ++x)
    for (int y = 0; y < 13; ++y) red = red || pixel(x, y) == clRed;
  EXPECT_TRUE(red);
}

TEST_F(ButtonTests, WordWrappedLabelGrowsDownwards) {
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetWordWrap(true);
  label->SetBounds(10, 10, 30, 10);
  label->SetCaption("abc def ghi");
  EXPECT_EQ(label->Width(), 30) << "a wrapping label keeps its width";
  EXPECT_EQ(label->Height(), 39);
}

TEST_F(ButtonTests, GroupBoxPlacesAlignedChildrenBelowItsCaption) {
  auto* group = Add<TGroupBox>(10, 10, 200, 100);
  group->SetCaption("Оси");
  auto* check = Add<TCheckBox>(0, 0, 50, 17, group);
  check->SetAlign(alClient);
  ShowForm();
  EXPECT_EQ(check->Left(), 2);
  EXPECT_EQ(check->Top(), 13 + 2);
  EXPECT_EQ(check->Width(), 196);
  EXPECT_EQ(check->Height(), 100 - 15 - 2);
}

TEST_F(ButtonTests, ScrollBarKeepsItsPositionInRangeAndFollowsTheUser) {
  auto* bar = Add<TScrollBar>(10, 10, 200, 17);
  int changes = 0;
  bar->OnChange = [&](TObject*) { ++changes; };
  std::vector<TScrollCode> codes;
  bar->OnScroll = [&](TObject*, TScrollCode code, Integer&) { codes.push_back(code); };
  EXPECT_THROW(bar->SetParams(0, 10, 5), EInvalidOperation);
  bar->SetParams(150, 0, 20);
  EXPECT_EQ(bar->Position(), 20);
  EXPECT_EQ(changes, 1);
  bar->SetPosition(20);
  EXPECT_EQ(changes, 1);
  bar->SetPosition(5);
  bar->SetSmallChange(3);
  bar->SetLargeChange(7);
  ShowForm();
  EXPECT_EQ(win::GetScrollPos(bar->Handle(), win::SB_CTL), 5);
  ClickOn(bar, 195, 8);  // the right arrow
  EXPECT_EQ(bar->Position(), 8);
  EXPECT_EQ(win::GetScrollPos(bar->Handle(), win::SB_CTL), 8);
  ASSERT_FALSE(codes.empty());
  EXPECT_EQ(codes.front(), scLineDown);
  form->Perform(win::WM_HSCROLL, win::SB_PAGEUP, win::LPARAM(bar->Handle()));
  EXPECT_EQ(bar->Position(), 1);
  form->Perform(win::WM_HSCROLL, win::SB_PAGEUP, win::LPARAM(bar->Handle()));
  EXPECT_EQ(bar->Position(), 0);
  // The page limits how far the user scrolls.
  bar->SetPageSize(6);
  form->Perform(win::WM_HSCROLL, win::SB_BOTTOM, win::LPARAM(bar->Handle()));
  EXPECT_EQ(bar->Position(), 15);
  EXPECT_THROW(bar->SetPageSize(30), EInvalidOperation);
  bar->SetKind(sbVertical);
  Pump();
  EXPECT_EQ(bar->Width(), 17);
  EXPECT_NE(win::GetWindowLongW(bar->Handle(), win::GWL_STYLE) & win::LONG(win::SBS_VERT), 0);
  EXPECT_EQ(win::GetScrollPos(bar->Handle(), win::SB_CTL), 15);
}

}  // namespace
}  // namespace fw::testing
