// The numeric spin edits: reading and writing by value type, the range, the key filter, steps
// with their event order (one change per step), holding the up button on the virtual clock,
// the dialog keys, loading, and freeing the edit inside its own change event.
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "controls/NumericSpinEdit.h"
#include "controls/UniRegistration.h"
#include "framework/PropInfo.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "framework/stdctrls_support.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/Beep.h"
#include "platform/user/messages/Input.h"

namespace cs {
namespace {

using fw::String;

String SpinText(const char* text) {
  String s = text;
  for (char& c : s)
    if (c == ',') c = fw::DecimalSeparator();
  return s;
}
String SpinEditText(fw::TControl* c) { return c->GetText(); }
void SetSpinText(fw::TControl* c, const String& text) { c->SetText(text); }

class SpinEditTest : public fw::testing::StdCtrlsTest {
 protected:
  TCsSpinEdit* Spin() {
    auto* spin = Add<TCsSpinEdit>(10, 10, 100, 21);
    spin->OnChange = [this](fw::TObject*) { events.push_back("change:" + SpinEditText(spin_)); };
    spin->OnTopClick = [this](fw::TObject*) { events.push_back("top"); };
    spin->OnBottomClick = [this](fw::TObject*) { events.push_back("bottom"); };
    spin_ = spin;
    ShowForm();
    spin->SetFocus();
    AppPump();
    return spin;
  }
  void Type(const char16_t* text) {
    for (; *text != 0; ++text) desktop->type_char(*text);
    AppPump();
  }
  win::POINT UpButton() { return At(spin_->UpDown(), spin_->UpDown()->Width() / 2, 3); }
  win::POINT DownButton() {
    return At(spin_->UpDown(), spin_->UpDown()->Width() / 2, spin_->UpDown()->Height() - 3);
  }
  std::vector<String> events;
  TCsSpinEdit* spin_ = nullptr;
};

TEST_F(SpinEditTest, ValueByTypeWithoutErrors) {
  struct Case {
    TValueType type;
    const char* text;
    fw::Extended min, expected;
  } cases[] = {
      {vtInt, "abc", 0, 0},    {vtInt, "abc", 2.6L, 3}, {vtInt, "42", 0, 42},     {vtFloat, "abc", 2.5L, 2.5L},
      {vtFloat, "1,5", 0, 1.5L}, {vtHex, "1f", 0, 31},  {vtHex, "$1f", 0, 0},      {vtInt, "$10", 0, 0},
      {vtHex, "", 7, 7},
  };
  for (const Case& c : cases) {
    TCsSpinEdit spin(nullptr);
    spin.SetValueType(c.type);
    spin.SetMinValue(c.min);
    SetSpinText(&spin, SpinText(c.text));
    EXPECT_EQ(spin.Value(), c.expected) << c.text;
  }
}

TEST_F(SpinEditTest, WrittenValuesAreFormattedAndKeptInTheRange) {
  struct Case {
    TValueType type;
    fw::Extended min, max, value;
    const char* text;
  } cases[] = {
      {vtInt, 0, 10, 12, "10"},  {vtInt, 0, 10, -4, "0"},     {vtInt, 5, 5, 12, "12"},  {vtHex, 0, 0, 255, "FF"},
      {vtFloat, 0, 0, 1.5L, "1,50"}, {vtInt, 0, 0, 2.5L, "2"}, {vtInt, 0, 0, 3.5L, "4"}, {vtInt, 0, 10000, 10001, "10000"},
  };
  for (const Case& c : cases) {
    TCsSpinEdit spin(nullptr);
    spin.SetValueType(c.type);
    spin.SetMinValue(c.min);
    spin.SetMaxValue(c.max);
    spin.SetValue(c.value);
    EXPECT_EQ(SpinEditText(&spin), SpinText(c.text)) << c.text;
  }
}

TEST_F(SpinEditTest, ChangingTheValueTypeKeepsTheValue) {
  TCsSpinEdit spin(nullptr);
  spin.SetValue(10);
  spin.SetIncrement(0.4L);
  spin.SetValueType(vtHex);
  EXPECT_EQ(SpinEditText(&spin), "A");
  EXPECT_EQ(spin.Increment(), 1);  // rounded to 0, then 1
  spin.SetValueType(vtInt);
  EXPECT_EQ(SpinEditText(&spin), "10");
  spin.SetValueType(vtFloat);
  spin.SetDecimal(1);
  EXPECT_EQ(SpinEditText(&spin), SpinText("10,0"));
}

TEST_F(SpinEditTest, LoadingAppliesTheValueAfterTypeAndDecimals) {
  TCsSpinEdit spin(nullptr);
  spin.BeginLoad();
  spin.SetValue(2.5L);
  spin.SetValueType(vtFloat);
  spin.SetDecimal(1);
  EXPECT_EQ(spin.Value(), 2.5L);
  spin.EndLoad();
  EXPECT_EQ(SpinEditText(&spin), SpinText("2,5"));
}

TEST_F(SpinEditTest, KeyFilterBeepsOnRefusedKeys) {
  struct Case {
    TValueType type;
    bool editorEnabled;
    const char* before;
    const char16_t* typed;
    const char* after;
    int beeps;
  } cases[] = {
      {vtHex, true, "", u"1fg", "1f", 1},         {vtInt, true, "", u"1a2", "12", 1},
      {vtFloat, true, "", u"1,2,3", "1,23", 1},     {vtFloat, true, "", u"1e2E3", "1e23", 1},
      {vtInt, false, "5", u"7\b", "5", 2},
  };
  for (const Case& c : cases) {
    auto* spin = Spin();
    spin->SetValueType(c.type);
    spin->SetEditorEnabled(c.editorEnabled);
    SetSpinText(spin, SpinText(c.before));
    spin->SetSelStart(100);
    win::ResetMessageBeeps();
    Type(c.typed);
    EXPECT_EQ(SpinEditText(spin), SpinText(c.after)) << c.before;
    EXPECT_EQ(win::MessageBeepCount(), c.beeps) << c.before;
    delete spin;
  }
}

TEST_F(SpinEditTest, ArrowKeysStepWithOneChangeEach) {
  auto* spin = Spin();
  spin->SetMaxValue(2);
  Key(win::VK_UP);
  Key(win::VK_UP);
  Key(win::VK_UP);  // at the top: the text stays, so no change, but the click is reported
  Key(win::VK_DOWN);
  EXPECT_EQ(events, (std::vector<String>{"change:1", "top", "change:2", "top", "top", "change:1", "bottom"}));
  EXPECT_TRUE(spin->Modified());
}

TEST_F(SpinEditTest, ReadOnlyStepOnlyBeeps) {
  auto* spin = Spin();
  spin->SetReadOnly(true);
  win::ResetMessageBeeps();
  Key(win::VK_UP);
  EXPECT_EQ(SpinEditText(spin), "0");
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(win::MessageBeepCount(), 1);
}

TEST_F(SpinEditTest, AZeroIncrementChangesNothing) {
  auto* spin = Spin();
  spin->SetValueType(vtFloat);
  spin->SetIncrement(0);
  Key(win::VK_UP);
  EXPECT_EQ(events, (std::vector<String>{"top"}));
}

TEST_F(SpinEditTest, TheUpDownStepsAndRepeatsWhileHeld) {
  auto* spin = Spin();
  desktop->click(UpButton());
  AppPump();
  EXPECT_EQ(SpinEditText(spin), "1");
  EXPECT_FALSE(spin->UpPressed());  // released with the mouse
  desktop->click(DownButton());
  AppPump();
  EXPECT_EQ(SpinEditText(spin), "0");
  events.clear();
  desktop->mouse_move(UpButton());
  desktop->mouse_down(UpButton());
  AppPump();
  EXPECT_EQ(SpinEditText(spin), "1");
  EXPECT_TRUE(spin->UpPressed());
  EXPECT_EQ(win::GetCapture(), spin->UpDown()->Handle());
  desktop->advance(500);  // the first repeat
  Pump();
  EXPECT_EQ(SpinEditText(spin), "2");
  for (int i = 0; i < 10; ++i) {
    desktop->advance(100);
    Pump();
  }
  desktop->mouse_up(UpButton());
  AppPump();
  const fw::Extended held = spin->Value();
  EXPECT_EQ(held, 12);  // then every 100 ms
  EXPECT_EQ(std::count(events.begin(), events.end(), "top"), static_cast<long>(held));
  EXPECT_FALSE(spin->UpPressed());
}

TEST_F(SpinEditTest, LeavingCorrectsTheTextIntoTheRange) {
  auto* spin = Spin();
  auto* other = Add<fw::TEdit>(10, 50, 100, 21);
  spin->SetMaxValue(10);
  spin->SelectAll();
  Type(u"15");
  other->SetFocus();
  AppPump();
  EXPECT_EQ(SpinEditText(spin), "10");
}

TEST_F(SpinEditTest, EnterReachesTheDefaultButtonAndIsSwallowed) {
  auto* spin = Spin();
  auto* ok = Add<fw::TButton>(10, 50, 75, 25);
  ok->SetDefault(true);
  int clicks = 0;
  ok->OnClick = [&](fw::TObject*) { ++clicks; };
  spin->SetFocus();
  AppPump();
  SetSpinText(spin, "7");
  spin->SetSelStart(1);
  Key(win::VK_RETURN);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(SpinEditText(spin), "7");
}

TEST_F(SpinEditTest, ACallerDetachesOnChangeAroundItsOwnChange) {
  auto* spin = Spin();
  auto handler = spin->OnChange;
  spin->OnChange = nullptr;
  spin->SetValue(5);
  spin->OnChange = handler;
  EXPECT_TRUE(events.empty());
  Key(win::VK_UP);
  EXPECT_EQ(events, (std::vector<String>{"change:6", "top"}));
}

TEST_F(SpinEditTest, FreedInsideItsOwnChange) {
  auto* spin = Spin();
  spin->OnChange = [&](fw::TObject*) {
    events.push_back("change");
    delete spin;
  };
  Key(win::VK_UP);
  EXPECT_EQ(events, (std::vector<String>{"change"}));  // no click from a freed edit
}

TEST_F(SpinEditTest, MinimumHeight) {
  auto* spin = Add<TCsSpinEdit>(10, 10, 100, 5);
  EXPECT_EQ(spin->Height(), spin->MinHeight());
  EXPECT_EQ(spin->MinHeight(), 4 * 1 + 13 + 1);  // one-pixel borders and the 13-pixel test font
  EXPECT_EQ(spin->UpDown()->Width(), UpDownWidth());
  EXPECT_LE(UpDownWidth(), 15);
}

TEST_F(SpinEditTest, StreamStoresOnlyValuesOffTheirDefaults) {
  RegisterUnicodeControls();
  auto* spin = Add<TCsSpinEdit>(10, 10, 80, 21);
  struct Case {
    const char* prop;
    std::function<void()> change;
  } cases[] = {
      {"Increment", [&] { spin->SetIncrement(2); }}, {"MaxValue", [&] { spin->SetMaxValue(10); }},
      {"MinValue", [&] { spin->SetMinValue(-5); }},  {"Value", [&] { spin->SetValue(3); }},
      {"Decimal", [&] { spin->SetDecimal(3); }},     {"ValueType", [&] { spin->SetValueType(vtFloat); }},
      {"ThemeType", [&] { spin->SetThemeType(thtNone); }},
  };
  for (const Case& c : cases) {
    const fw::TPropInfo* info = fw::GetPropInfo(spin, c.prop);
    ASSERT_NE(info, nullptr) << c.prop;
    EXPECT_FALSE(info->ShouldStore(spin)) << c.prop;
    c.change();
    EXPECT_TRUE(info->ShouldStore(spin)) << c.prop;
  }
}

TEST_F(SpinEditTest, StreamedOutAndInKeepsAFloatValue) {
  RegisterUnicodeControls();
  auto* spin = Add<TCsSpinEdit>(10, 10, 80, 21);
  spin->SetName("Spin1");
  spin->SetValueType(vtFloat);
  spin->SetMaxValue(10);
  spin->SetValue(2.5);
  fw::TMemoryStream stream;
  stream.WriteComponent(spin);
  stream.SetPosition(0);
  std::unique_ptr<fw::TComponent> read(stream.ReadComponent(nullptr));
  auto* copy = dynamic_cast<TCsSpinEdit*>(read.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->ValueType(), vtFloat);
  EXPECT_DOUBLE_EQ(double(copy->MaxValue()), 10.0);
  EXPECT_DOUBLE_EQ(double(copy->Value()), 2.5);
  EXPECT_DOUBLE_EQ(double(copy->Increment()), 1.0);
}

}  // namespace
}  // namespace cs
