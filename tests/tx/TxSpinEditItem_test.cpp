// The numeric spin edit item: formatting, parsing with units and one operation, stepping with
// and without snapping, limits, property checks, and the viewer's buttons and auto-repeat.

#include <memory>

#include "framework/SysUtils.h"
#include "framework/control_fixture.h"
#include "tx/ProbeTheme.h"
#include "tx/Tx.h"
#include "tx/TxSpinEditItem.h"

namespace {

using namespace tx;

class SpinEditTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    InitTx();
    item = std::make_unique<TTxSpinEditItem>(nullptr);
    item->OnValueChange = [this](fw::TObject*, Extended v) { changes.push_back(v); };
  }
  void TearDown() override {
    item.reset();
    DoneTx();
    ControlTest::TearDown();
  }
  std::string Dec(const char* s) {
    std::string out = s;
    for (char& c : out)
      if (c == '.') c = fw::DecimalSeparator();
    return out;
  }
  std::unique_ptr<TTxSpinEditItem> item;
  std::vector<Extended> changes;
};

TEST_F(SpinEditTest, DefaultsAndFormats) {
  EXPECT_EQ(item->Text(), "0");
  EXPECT_EQ(item->Value(), 0);
  EXPECT_EQ(item->Alignment(), fw::taRightJustify);
  item->SetValue(3.7L);
  EXPECT_EQ(item->Text(), "4");
  item->SetValue(2.5L);
  EXPECT_EQ(item->Text(), "2");  // halves round to even
  item->SetValueType(evtFloat);
  item->SetValue(3.7L);
  EXPECT_EQ(item->Text(), Dec("3.70"));
  item->SetDecimal(0);
  EXPECT_EQ(item->Text(), "4");
  item->SetValueType(evtHex);
  item->SetValue(255);
  EXPECT_EQ(item->Text(), "FF");
}

TEST_F(SpinEditTest, UnitTexts) {
  item->SetPrefix("$");
  item->SetValue(5);
  EXPECT_EQ(item->Text(), "$5");
  item->SetPrefix("");
  item->SetPostfix("mm");
  item->SetSpaceBeforePostfix(true);
  item->SetValue(12);
  EXPECT_EQ(item->Text(), "12 mm");
  EXPECT_THROW(item->SetPrefix("1"), ETxPropertyError);
  EXPECT_THROW(item->SetPostfix("k m"), ETxPropertyError);
  EXPECT_THROW(item->SetPostfix("^"), ETxPropertyError);
  EXPECT_EQ(item->Postfix(), "mm");  // kept
}

TEST_F(SpinEditTest, ParsesOneOperation) {
  struct Case {
    TSEValueType type;
    const char* text;
    bool ok;
    Extended value;
  } cases[] = {
      {evtInteger, "10 mm * 2", true, 20},
      {evtInteger, "-5", true, -5},
      {evtInteger, "  + 7 ", true, 7},
      {evtInteger, "8/2", true, 4},
      {evtInteger, "1/0", false, 0},
      {evtInteger, "5 -", false, 0},
      {evtInteger, "5 6", false, 0},
      {evtInteger, "", false, 0},
      {evtInteger, "abc", false, 0},
      {evtFloat, "1e3", true, 1000},
      {evtFloat, "2.5e-1", true, 0.25L},
      {evtFloat, "1e5000", false, 0},
      {evtFloat, "1e4000 * 1e4000", false, 0},  // beyond the number type: refused, not infinite
      {evtFloat, ".5", true, 0.5L},
      {evtFloat, "2 em", true, 2},  // 'e' not followed by a sign or digit belongs to the unit
      {evtHex, "FF", true, 255},
      {evtHex, "ff", false, 0},
      {evtHex, "FFFFFFFF", true, 4294967295.0L},
      {evtHex, "1FFFFFFFF", false, 0},  // more than 32 bits
      {evtHex, "FF * *2", false, 0},  // an operator where a number belongs
      {evtHex, "*2", false, 0},
      {evtHex, "FF ^", false, 0},
      {evtHex, "FF + .", false, 0},
  };
  for (const auto& c : cases) {
    item->SetValueType(c.type);
    Extended v = -1;
    const std::string text = Dec(c.text);
    EXPECT_EQ(item->TextToValue(text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_NEAR(double(v), double(c.value), 1e-9) << c.text;
    }
  }
}

TEST_F(SpinEditTest, ConversionAndReplacedParser) {
  item->OnConvert = [](fw::TObject*, const String&, const String& post, Extended& v, bool& ok) {
    if (post == "cm") v *= 10;
    ok = post != "in";
  };
  Extended v = 0;
  EXPECT_TRUE(item->TextToValue("2 cm + 5", v));
  EXPECT_EQ(v, 25);
  EXPECT_FALSE(item->TextToValue("2 in", v));
  item->OnTextToValue = [](fw::TObject*, const String& t, Extended& value, bool& ok) {
    ok = t == "many";
    value = 99;
  };
  EXPECT_TRUE(item->TextToValue("many", v));
  EXPECT_EQ(v, 99);  // the handler's number reaches the caller
}

TEST_F(SpinEditTest, LimitsShapeTheTextOnly) {
  item->SetMinValue(0);
  item->SetMaxValue(10);
  item->SetValue(15);
  EXPECT_EQ(item->Text(), "10");
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], 15);
  item->SetMaxValue(0);  // equal limits: none
  item->SetValue(-40);
  EXPECT_EQ(item->Text(), "-40");
}

TEST_F(SpinEditTest, SteppingSnapsToTheIncrement) {
  item->SetValueType(evtFloat);
  item->SetDecimal(1);
  item->SetIncrement(0.5L);
  struct Case {
    Extended from;
    bool up;
    Extended to;
  } cases[] = {{1.2L, true, 1.5L}, {1.2L, false, 1.0L}, {1.5L, true, 2.0L}, {1.5L, false, 1.0L}};
  for (const auto& c : cases) {
    item->SetValue(c.from);
    c.up ? item->StepUp() : item->StepDown();
    EXPECT_NEAR(double(item->Value()), double(c.to), 1e-9) << double(c.from) << " " << c.up;
  }
  item->SetSnap(false);
  item->SetValue(1.2L);
  item->StepUp();
  EXPECT_NEAR(double(item->Value()), 1.7, 1e-9);
}

// A large increment steps to the next multiple, not past it.
TEST_F(SpinEditTest, SnapToleranceIsAFractionOfOneStep) {
  item->SetIncrement(100);
  item->SetValueType(evtFloat);
  item->SetValue(99.5L);
  item->StepUp();
  EXPECT_NEAR(double(item->Value()), 100, 1e-9);
  item->SetIncrement(10000);
  item->SetValue(0);
  item->StepUp();
  EXPECT_NEAR(double(item->Value()), 10000, 1e-9);
}

TEST_F(SpinEditTest, StepEventMayAdjust) {
  item->OnStep = [](fw::TObject*, Integer step, Extended old, Extended& next) { next = old + step * 10; };
  item->SetValue(3);
  item->StepDown();
  EXPECT_EQ(item->Value(), -7);
}

TEST_F(SpinEditTest, PropertyChecks) {
  EXPECT_THROW(item->SetIncrement(0), ETxPropertyError);
  EXPECT_THROW(item->SetIncrement(-1), ETxPropertyError);
  EXPECT_EQ(item->Increment(), 1);
  EXPECT_THROW(item->SetDecimal(11), ETxPropertyError);
  item->SetValueType(evtFloat);
  item->SetIncrement(0.3L);
  item->SetValueType(evtInteger);
  EXPECT_EQ(item->Increment(), 1);
}

TEST_F(SpinEditTest, AcceptsOnlyParsableTextAndReformatsIt) {
  String t = "3 + 4";
  EXPECT_TRUE(item->DoAcceptText(t));
  EXPECT_EQ(t, "7");
  t = "x";
  EXPECT_FALSE(item->DoAcceptText(t));
  EXPECT_EQ(t, "x");
  item->SetValue(9);
  item->SetText("garbage");
  EXPECT_EQ(item->Value(), 9);  // falls back to the stored value
}

}  // namespace
