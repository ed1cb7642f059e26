// The control set's text controls: check box and radio button events and groups, the button's
// modal result before OnClick, Default and Cancel, auto-repeat on the virtual clock, the label's
// accelerator and auto size with the fixed test font.
#include <gtest/gtest.h>

#include "controls/CsButtons.h"
#include "framework/GraphicsBitmap.h"
#include "framework/Menus.h"
#include "controls/UniCodePages.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/StdCtrlsEdit.h"
#include "platform/kernel/Clock.h"
#include "framework/stdctrls_support.h"
#include "platform/user/messages/Messages.h"

namespace cs {
namespace {

using fw::String;

class CsButtonsTest : public fw::testing::StdCtrlsTest {
 protected:
  template <class T>
  T* Make(const char16_t* caption, fw::Integer y, fw::TWinControl* parent = nullptr) {
    auto* c = Add<T>(10, y, 120, 20, parent);
    c->SetCaption(caption);
    c->OnClick = [this, caption](fw::TObject*) { events.push_back(WideToUtf8(caption)); };
    return c;
  }
  void ShiftKey(win::UINT vk) {
    desktop->key_down(win::VK_SHIFT);
    Key(vk);
    desktop->key_up(win::VK_SHIFT);
    AppPump();
  }
  std::vector<String> events;
};

TEST_F(CsButtonsTest, CheckBoxFiresOnClickOncePerChange) {
  auto* box = Make<TCsCheckBox>(u"Box", 10);
  ShowForm();
  box->SetChecked(true);  // as the settings store writes it
  box->SetChecked(true);  // unchanged: no event
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(events.size(), 1u);
  ClickOn(box, 5, 5);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(box->State(), fw::cbUnchecked);
  EXPECT_EQ(events.size(), 2u);
  box->SetFocus();
  AppPump();
  Key(win::VK_SPACE);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(events.size(), 3u);
}

// Enabling or disabling a shown control repaints its face (a disabled caption went on showing
// grey after the control was enabled again).
TEST_F(CsButtonsTest, EnabledChangeRepaintsTheFace) {
  auto* button = Make<TCsButton>(u"Button", 10);
  auto* box = Make<TCsCheckBox>(u"Box", 40);
  auto* radio = Make<TCsRadioButton>(u"Radio", 70);
  ShowForm();
  for (fw::TWinControl* c : std::initializer_list<fw::TWinControl*>{button, box, radio})
    for (const bool enabled : {false, true}) {
      AppPump();
      win::ValidateRect(c->Handle(), nullptr);
      c->SetEnabled(enabled);
      EXPECT_TRUE(win::GetUpdateRect(c->Handle(), nullptr, false)) << c->ClassName() << " " << enabled;
    }
}

TEST_F(CsButtonsTest, CheckBoxWithGrayedCyclesThroughThreeStates) {
  auto* box = Make<TCsCheckBox>(u"Box", 10);
  box->SetAllowGrayed(true);
  ShowForm();
  std::vector<fw::TCheckBoxState> states;
  for (int i = 0; i < 3; ++i) {
    desktop->advance(1000);  // no double click
    ClickOn(box, 5, 5);
    states.push_back(box->State());
  }
  EXPECT_EQ(states, (std::vector<fw::TCheckBoxState>{fw::cbGrayed, fw::cbChecked, fw::cbUnchecked}));
  EXPECT_EQ(events.size(), 3u);
  box->SetState(fw::cbGrayed);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(events.size(), 4u);
}

TEST_F(CsButtonsTest, RadioGroupsCheckOneUnderEachParent) {
  auto* a = Make<TCsRadioButton>(u"A", 10);
  auto* b = Make<TCsRadioButton>(u"B", 35);
  auto* panel = Add<fw::TPanel>(150, 10, 150, 100);
  auto* c = Make<TCsRadioButton>(u"C", 10, panel);
  ShowForm();
  c->SetChecked(true);
  a->SetChecked(true);
  EXPECT_TRUE(a->Checked());
  EXPECT_TRUE(c->Checked());  // another parent keeps its state
  ClickOn(b, 5, 5);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  ClickOn(b, 5, 5);  // a checked radio button is not unchecked by a click
  EXPECT_TRUE(b->Checked());
  b->SetChecked(false);  // only stores: no event
  EXPECT_EQ(events, (std::vector<String>{"C", "A", "B"}));
}

TEST_F(CsButtonsTest, ArrowKeysMoveTheCheckThroughTheGroup) {
  auto* a = Make<TCsRadioButton>(u"A", 10);
  auto* b = Make<TCsRadioButton>(u"B", 35);
  auto* c = Make<TCsRadioButton>(u"C", 60);
  ShowForm();
  a->SetFocus();
  AppPump();
  EXPECT_FALSE(a->Checked());  // the focus alone changes no choice
  Key(win::VK_DOWN);
  EXPECT_TRUE(b->Focused());
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());
  Key(win::VK_UP);
  Key(win::VK_UP);  // wraps round to the last
  EXPECT_TRUE(c->Checked());
  EXPECT_EQ(events, (std::vector<String>{"B", "A", "C"}));
}

TEST_F(CsButtonsTest, TabStopsAtTheCheckedRadioButtonOnlyAndChangesNoChoice) {
  auto* before = Make<TCsCheckBox>(u"Before", 10);
  auto* a = Make<TCsRadioButton>(u"A", 35);
  auto* b = Make<TCsRadioButton>(u"B", 60);
  auto* c = Make<TCsRadioButton>(u"C", 85);
  auto* after = Make<TCsCheckBox>(u"After", 110);
  b->SetChecked(true);
  events.clear();
  ShowForm();
  before->SetFocus();
  AppPump();
  const struct {
    bool Back;
    fw::TWinControl* Focused;
  } steps[] = {{false, b}, {false, after}, {true, b}, {true, before}, {false, b}};
  for (const auto& step : steps) {
    if (step.Back)
      ShiftKey(win::VK_TAB);
    else
      Key(win::VK_TAB);
    EXPECT_TRUE(step.Focused->Focused()) << WideToUtf8(static_cast<TCsTextObject*>(step.Focused)->Caption());
  }
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked() || c->Checked());
  EXPECT_TRUE(events.empty());
  // The arrows move the choice; Tab then stops at the newly checked one.
  Key(win::VK_DOWN);
  EXPECT_TRUE(c->Checked());
  Key(win::VK_TAB);
  ShiftKey(win::VK_TAB);
  EXPECT_TRUE(c->Focused());
  // A group with nothing checked is reached at its first button, still unchecked.
  c->SetChecked(false);
  before->SetFocus();
  AppPump();
  Key(win::VK_TAB);
  EXPECT_TRUE(a->Focused());
  EXPECT_FALSE(a->Checked() || b->Checked() || c->Checked());
}

TEST_F(CsButtonsTest, RadioButtonFreedInItsOwnClick) {
  auto* a = Make<TCsRadioButton>(u"A", 10);
  Make<TCsRadioButton>(u"B", 35)->SetChecked(true);
  events.clear();
  a->OnClick = [&](fw::TObject*) {
    events.push_back("A");
    delete a;
  };
  ShowForm();
  ClickOn(a, 5, 5);
  EXPECT_EQ(events, (std::vector<String>{"A"}));
}

TEST_F(CsButtonsTest, ButtonSetsTheModalResultBeforeOnClickAndKeepsItWhenOnClickRaises) {
  auto* ok = Add<TCsButton>(10, 10, 75, 25);
  ok->SetModalResult(fw::mrOk);
  fw::TModalResult seen = -1;
  ok->OnClick = [&](fw::TObject*) {
    seen = form->ModalResult();
    throw fw::Exception("handler failed");
  };
  EXPECT_THROW(ok->Click(), fw::Exception);
  EXPECT_EQ(seen, fw::mrOk);
  EXPECT_EQ(form->ModalResult(), fw::mrOk);
  EXPECT_EQ(ok->Width(), 75);
  EXPECT_EQ(ok->Height(), 25);
}

// Two quick clicks on a push button (a wizard's "next") are two clicks.
TEST_F(CsButtonsTest, ButtonCountsBothClicksOfADoubleClick) {
  auto* next = Make<TCsButton>(u"Next", 10);
  ShowForm();
  ClickOn(next, 10, 10);
  ClickOn(next, 10, 10);
  EXPECT_EQ(events, (std::vector<String>{"Next", "Next"}));
}

TEST_F(CsButtonsTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  auto* edit = Add<fw::TEdit>(10, 10, 100, 21);
  auto* ok = Make<TCsButton>(u"OK", 40);
  auto* cancel = Make<TCsButton>(u"Cancel", 70);
  ok->SetDefault(true);
  ok->SetModalResult(fw::mrOk);
  cancel->SetCancel(true);
  cancel->SetModalResult(fw::mrCancel);
  ShowForm();
  edit->SetFocus();
  AppPump();
  Key(win::VK_RETURN);
  EXPECT_EQ(form->ModalResult(), fw::mrOk);
  Key(win::VK_ESCAPE);
  EXPECT_EQ(form->ModalResult(), fw::mrCancel);
  cancel->SetFocus();  // a focused button is the one Enter presses
  AppPump();
  EXPECT_TRUE(cancel->Active());
  EXPECT_FALSE(ok->Active());
  Key(win::VK_RETURN);
  EXPECT_EQ(events, (std::vector<String>{"OK", "Cancel", "Cancel"}));
}

// What each button control answers to WM_GETDLGCODE, by which a form tells the controls that take
// Enter themselves from those that leave it to the default button.
TEST_F(CsButtonsTest, ButtonControlsAnswerTheirDialogCodes) {
  auto* box = Make<TCsCheckBox>(u"Box", 10);
  auto* radio = Make<TCsRadioButton>(u"Radio", 40);
  auto* button = Make<TCsButton>(u"Button", 70);
  auto* ok = Make<TCsButton>(u"OK", 100);
  ok->SetDefault(true);
  ShowForm();
  const std::pair<fw::TWinControl*, fw::Integer> rows[] = {
      {box, win::DLGC_BUTTON},
      {radio, win::DLGC_BUTTON | win::DLGC_RADIOBUTTON},
      {button, win::DLGC_BUTTON | win::DLGC_UNDEFPUSHBUTTON},
      {ok, win::DLGC_BUTTON | win::DLGC_DEFPUSHBUTTON},
  };
  for (const auto& [control, code] : rows)
    EXPECT_EQ(control->Perform(win::WM_GETDLGCODE), code) << control->ClassName();
}

// A dialog whose check box and radio buttons come first opens on the field after them: Enter
// right after it opens presses OK and clicks neither; with nothing but boxes before OK it opens
// on OK, and Space presses it.
TEST_F(CsButtonsTest, EnterRightAfterADialogOpensPressesOk) {
  for (const bool field : {true, false}) {
    SCOPED_TRACE(field ? "a field after the boxes" : "boxes only");
    events.clear();
    delete form;
    form = new fw::TForm(nullptr);
    form->SetBounds(100, 100, 400, 300);
    auto* box = Make<TCsCheckBox>(u"Box", 10);
    box->SetChecked(true);
    auto* radio = Make<TCsRadioButton>(u"Radio", 40);
    Make<TCsRadioButton>(u"Other", 70)->SetChecked(true);
    fw::TEdit* edit = field ? Add<fw::TEdit>(10, 100, 100, 21) : nullptr;
    auto* ok = Make<TCsButton>(u"OK", 130);
    ok->SetDefault(true);
    ok->SetModalResult(fw::mrOk);
    events.clear();
    ShowForm();
    EXPECT_TRUE(field ? edit->Focused() : ok->Focused());
    Key(field ? win::VK_RETURN : win::VK_SPACE);
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_EQ(events, (std::vector<String>{"OK"}));
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(radio->Checked());
  }
}

TEST_F(CsButtonsTest, RepeatingButtonClicksAtOnceAfter400AndEvery100) {
  auto* button = Make<TCsButton>(u"More", 10);
  button->SetRepeating(true);
  ShowForm();
  std::vector<win::DWORD> times;
  const win::DWORD start = win::GetTickCount();
  button->OnClick = [&](fw::TObject*) { times.push_back(win::GetTickCount() - start); };
  desktop->mouse_move(At(button, 10, 10));
  desktop->mouse_down(At(button, 10, 10));
  Pump();
  for (int i = 0; i < 6; ++i) {
    desktop->advance(100);
    Pump();
  }
  desktop->mouse_up(At(button, 10, 10));
  Pump();
  desktop->advance(500);
  Pump();
  EXPECT_EQ(times, (std::vector<win::DWORD>{0, 400, 500, 600}));
}

TEST_F(CsButtonsTest, ButtonBitmapNeedsFourEqualRows) {
  auto* button = Make<TCsButton>(u"", 10);
  fw::TBitmap strip;
  strip.SetSize(75, 100);  // four 25-pixel rows
  strip.Canvas()->Brush()->SetColor(0x0000FF);
  strip.Canvas()->FillRect({0, 0, 75, 25});
  strip.Canvas()->Brush()->SetColor(0x00FF00);
  strip.Canvas()->FillRect({0, 25, 75, 100});
  button->SetBitmap(&strip);
  button->SetBitmapTransparent(false);
  ShowForm();
  const win::POINT p = At(button, 30, 12);
  EXPECT_EQ(desktop->screen_pixel(p.x, p.y), 0x0000FFu);  // row 0: normal
  strip.SetSize(75, 30);  // not a multiple of 4: the classic face instead
  button->SetBitmap(&strip);
  Pump();
  EXPECT_NE(desktop->screen_pixel(p.x, p.y), 0x0000FFu);
}

TEST_F(CsButtonsTest, DropDownButtonShowsItsArrowInTheRightMargin) {
  auto* button = Make<TCsButton>(u"", 10);
  auto* menu = new fw::TPopupMenu(form);
  button->SetDropDownMenu(menu);
  ShowForm();
  // The arrow's middle column is 8 + 4 from the right edge, its top row half the height less 1.
  const win::POINT tip = At(button, button->Width() - 8 - 4, button->Height() / 2 - 1);
  EXPECT_EQ(desktop->screen_pixel(tip.x, tip.y), 0x000000u);
  EXPECT_EQ(desktop->screen_pixel(tip.x, tip.y + 3), desktop->screen_pixel(tip.x, tip.y + 5));  // face below
  delete menu;
  EXPECT_EQ(button->DropDownMenu(), nullptr);
}

TEST_F(CsButtonsTest, LabelSizesToItsCaptionAndFocusesItsControlOnTheAccelerator) {
  auto* edit = Add<fw::TEdit>(100, 10, 100, 21);
  auto* label = Add<TCsLabel>(10, 10, 5, 5);
  label->SetCaption(u"&Name:");
  label->SetFocusControl(edit);
  EXPECT_EQ(label->Width(), 5 * 7);  // five characters of 7 pixels, the "&" only underlines
  EXPECT_EQ(label->Height(), 13);
  label->SetBounds(10, 10, 200, 50);  // an auto-sized label keeps its text's size
  EXPECT_EQ(label->Width(), 5 * 7);
  label->SetUnderline(true);
  EXPECT_EQ(label->Height(), 14);
  EXPECT_FALSE(label->CanFocus());
  ShowForm();
  desktop->press_key(win::VK_MENU);
  desktop->key_down(win::VK_MENU);
  desktop->press_key('N', u'n');
  desktop->key_up(win::VK_MENU);
  AppPump();
  EXPECT_TRUE(edit->Focused());
  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST_F(CsButtonsTest, CheckBoxAutoSizeAddsTheGlyphAndItsGap) {
  auto* box = Add<TCsCheckBox>(10, 10, 5, 5);
  box->SetCaption(u"Abc");
  EXPECT_EQ(box->Width(), 13 + 4 + 21 + 1);
  EXPECT_EQ(box->Height(), 13 + 2);
}

}  // namespace
}  // namespace cs
