// Wide captions and hints of controls, the key-message character routines, and the wide hint
// window showing on the headless desktop.
#include <gtest/gtest.h>

#include "controls/UniCanvas.h"
#include "controls/UniComboBox.h"
#include "controls/UniControls.h"
#include "framework/ActnList.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"
#include "framework/stdctrls_support.h"

namespace cs {
namespace {

TEST(WideHints, ShortAndLongParts) {
  const struct {
    WideString hint, shortPart, longPart;
  } cases[] = {{u"Открыть|Открывает файл", u"Открыть", u"Открывает файл"},
               {u"NoBar", u"NoBar", u"NoBar"},
               {u"|x", u"", u"x"},
               {u"a|b|c", u"a", u"b|c"},
               {u"", u"", u""}};
  for (const auto& c : cases) {
    EXPECT_EQ(WideShortHint(c.hint), c.shortPart);
    EXPECT_EQ(WideLongHint(c.hint), c.longPart);
  }
}

TEST(WideCharMessages, ParkingMovesCharactersAbove255IntoTheSpareWord) {
  const struct {
    uint32_t in;
    uint32_t parked;
  } cases[] = {{0x41, 0x41}, {0xFF, 0xFF}, {0x0416, 0x041600FF}, {0xFFFF, 0xFFFF00FF}};
  for (const auto& c : cases) {
    fw::TMessage m{win::WM_CHAR, win::WPARAM(c.in), 0, 0};
    ParkWideChar(m);
    EXPECT_EQ(m.WParam, win::WPARAM(c.parked));
    EXPECT_EQ(WideCharOfMessage(m), char16_t(c.in));
    RestoreWideChar(m);
    EXPECT_EQ(m.WParam, win::WPARAM(c.in));
  }
  fw::TMessage m{win::WM_CHAR, 0, 0, 0};
  SetWideCharOfMessage(m, u'Ж');
  EXPECT_EQ(m.WParam, win::WPARAM(0x041600FF));
  m.WParam = win::WPARAM(0x00410041);  // a spare word without the 255 mark is no character
  EXPECT_EQ(WideCharOfMessage(m), u'A');
}

TEST(WideValues, SyncKeepsTheWideValueWhileTheTextIsItsForm) {
  String text;
  std::vector<String> sets;
  auto setText = [&](const String& v) {
    sets.push_back(v);
    text = v;
  };
  WideString stored;
  SyncWideValue(u"Жук", stored, text, setText);
  EXPECT_EQ(text, "Жук");
  EXPECT_EQ(SyncedWideValue(stored, text), u"Жук");
  SyncWideValue(u"Жук", stored, text, setText);  // the same value: nothing
  EXPECT_EQ(sets.size(), 1u);
  // A value the framework's text cannot hold exactly is kept whole; the text is cleared first so
  // that a change is seen even where its form is the same.
  const WideString lone(u"a\xD800", 2);
  SyncWideValue(lone, stored, text, setText);
  const WideString lone2(u"a\xDBFF", 2);
  SyncWideValue(lone2, stored, text, setText);
  EXPECT_EQ(sets, (std::vector<String>{"Жук", "a\xEF\xBF\xBD", "", "a\xEF\xBF\xBD"}));
  EXPECT_EQ(SyncedWideValue(stored, text), lone2);
  text = "changed elsewhere";
  EXPECT_EQ(SyncedWideValue(stored, text), u"changed elsewhere");
}

class WideControlTest : public fw::testing::StdCtrlsTest {};

TEST_F(WideControlTest, CaptionsAndHintsOfWindowedAndOtherControls) {
  auto* panel = Add<fw::TPanel>(0, 0, 200, 100);
  auto* label = new fw::TLabel(form);
  label->SetParent(panel);
  int changes = 0;
  for (fw::TControl* c : std::initializer_list<fw::TControl*>{panel, label}) {
    changes = 0;
    c->WindowProc = [&changes, old = c->WindowProc](fw::TMessage& m) {
      if (m.Msg == fw::CM_TEXTCHANGED) ++changes;
      old(m);
    };
    SetWideControlText(c, u"Заголовок ✓");
    SetWideControlText(c, u"Заголовок ✓");
    EXPECT_EQ(WideControlText(c), u"Заголовок ✓");
    EXPECT_EQ(changes, 1);
  }
  ShowForm();
  panel->RecreateWnd();
  Pump();
  EXPECT_EQ(WideControlText(panel), u"Заголовок ✓");
  SetWideControlHint(panel, u"Панель|Длинная");
  EXPECT_EQ(WideHintOfChain(label), u"Панель|Длинная");
  SetWideControlHint(label, u"Метка");
  EXPECT_EQ(WideHintOfChain(label), u"Метка");
  SetWideControlHint(panel, u"");
  SetWideControlHint(label, u"");
  EXPECT_EQ(WideHintOfChain(label), u"");
}

TEST_F(WideControlTest, HintIsStoredUnlessAnActionSuppliesIt) {
  auto* combo = Add<TUniComboBox>(10, 10, 100, 21);
  EXPECT_TRUE(IsWideHintStored(combo));
  EXPECT_TRUE(IsWideCaptionStored(combo));
  fw::TAction action(nullptr);
  action.SetHint("Из действия");
  combo->SetAction(&action);
  EXPECT_EQ(combo->Hint(), u"Из действия");
  EXPECT_FALSE(IsWideHintStored(combo));
  combo->SetAction(nullptr);
}

TEST_F(WideControlTest, WideHintWindowShowsTheShortHintWithTheShortcut) {
  auto* combo = Add<TUniComboBox>(10, 10, 150, 21);
  combo->SetStyle(fw::csDropDownList);  // no edit field over the control
  fw::TAction action(nullptr);
  action.SetHint("Сохранить ✓|Сохраняет график");
  action.SetShortCut(fw::ShortCut('S', {fw::ssCtrl}));
  combo->SetAction(&action);
  combo->SetShowHint(true);
  fw::Application->SetHintShortCuts(true);
  ShowForm();
  desktop->mouse_move(At(combo, 5, 5));
  Pump();
  Step(500);
  ASSERT_NE(fw::Application->HintWindow(), nullptr);
  auto* window = dynamic_cast<TUniCustomHintWindow*>(fw::Application->HintWindow());
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->HandleAllocated() && win::IsWindowVisible(window->Handle()));
  EXPECT_EQ(window->Caption(), u"Сохранить ✓ (Ctrl+S)");
  // Sized for the wide text with its shortcut.
  win::RECT r;
  win::GetWindowRect(window->Handle(), &r);
  EXPECT_EQ(r.right - r.left, window->CalcHintRect(1000, "Сохранить ✓ (Ctrl+S)", nullptr).right);
  EXPECT_GT(r.right - r.left, window->CalcHintRect(1000, "Сохранить ✓", nullptr).right);
  fw::Application->SetHintShortCuts(false);
  combo->SetAction(nullptr);
}

TEST_F(WideControlTest, HintWindowTakesTheSizeOfANewCaption) {
  ShowForm();
  TUniCustomHintWindow window(nullptr);
  window.SetParentWindow(form->Handle());
  SetWideControlText(&window, u"Ширина ✓");
  EXPECT_EQ(window.Width(), WideCanvasTextWidth(window.Canvas(), u"Ширина ✓") + 6);
  EXPECT_EQ(window.Height(), WideCanvasTextHeight(window.Canvas(), u"Ширина ✓") + 6);
}

}  // namespace
}  // namespace cs
