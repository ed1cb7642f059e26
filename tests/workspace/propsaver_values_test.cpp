// Typed values of the settings store: each written, carried through ini text or the file into a
// fresh store, and read back; the stored text checked where its form is fixed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "chart/PlotCanvas.h"
#include "framework/Controls.h"
#include "framework/GraphicsObjects.h"
#include "framework/StringList.h"
#include "settings_file_fixture.h"
#include "workspace/PropSaver.h"

namespace {

using workspace::TPropSaver;

std::unique_ptr<TPropSaver> ReparsedValues(const TPropSaver& store) {
  auto copy = TPropSaver::FromStrings(nullptr, store.Section());
  copy->SetText(store.GetText());
  return copy;
}

class PropSaverFile : public wstest::SettingsFileTest {};

TEST(PropSaverValues, IntegersReadDecimalAndHex) {
  auto store = TPropSaver::FromStrings(nullptr, "S");
  store->SetText("[S]\r\nA=0x1F\r\nB=0XfF\r\nC=$10\r\nD=-42\r\nE=0xFFFFFFFF\r\nF=12abc\r\nG=\r\nH=0x\r\n");
  EXPECT_EQ(store->ReadInteger("A", 0), 31);
  EXPECT_EQ(store->ReadInteger("B", 0), 255);
  EXPECT_EQ(store->ReadInteger("C", 0), 16);
  EXPECT_EQ(store->ReadInteger("D", 0), -42);
  EXPECT_EQ(store->ReadInteger("E", 0), -1);
  EXPECT_EQ(store->ReadInteger("F", 7), 7);
  EXPECT_EQ(store->ReadInteger("G", 8), 8);
  EXPECT_EQ(store->ReadInteger("H", 9), 9);
  EXPECT_EQ(store->ReadInteger("Missing", 5), 5);

  store->WriteInteger("Min", std::numeric_limits<int>::min());
  store->WriteInteger("Max", std::numeric_limits<int>::max());
  auto copy = ReparsedValues(*store);
  EXPECT_EQ(copy->ReadInteger("Min", 0), std::numeric_limits<int>::min());
  EXPECT_EQ(copy->ReadInteger("Max", 0), std::numeric_limits<int>::max());
}

TEST(PropSaverValues, FloatsUsePointAndReadBackExactly) {
  auto store = TPropSaver::FromStrings(nullptr, "S");
  const double values[] = {0.1, -1234567.891011, 1e-300, 6.02214076e23, 1.0 / 3.0, -0.0, 5e-324};
  for (std::size_t i = 0; i < std::size(values); ++i) store->WriteFloat("F" + std::to_string(i), values[i]);
  EXPECT_EQ(store->ReadString("F0", ""), "0.1");
  EXPECT_EQ(store->ReadString("F1", "").find(','), std::string::npos);
  auto copy = ReparsedValues(*store);
  for (std::size_t i = 0; i < std::size(values); ++i) {
    EXPECT_EQ(copy->ReadFloat("F" + std::to_string(i), 99.0), values[i]) << i;
  }
  copy->SetText("[S]\r\nComma=1,5\r\nWord=abc\r\nSpaced= 2.5 \r\n");
  EXPECT_EQ(copy->ReadFloat("Comma", 7.0), 7.0);
  EXPECT_EQ(copy->ReadFloat("Word", 8.0), 8.0);
  EXPECT_EQ(copy->ReadFloat("Spaced", 0.0), 2.5);
  // A value with no text form leaves the key reading as the default.
  copy->WriteFloat("NaN", std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(copy->ReadFloat("NaN", 3.0), 3.0);
}

TEST(PropSaverValues, BooleansAreZeroAndOne) {
  auto store = TPropSaver::FromStrings(nullptr, "S");
  store->WriteBool("T", true);
  store->WriteBool("F", false);
  EXPECT_EQ(store->ReadString("T", ""), "1");
  EXPECT_EQ(store->ReadString("F", ""), "0");
  auto copy = ReparsedValues(*store);
  EXPECT_TRUE(copy->ReadBool("T", false));
  EXPECT_FALSE(copy->ReadBool("F", true));
  copy->SetText("[S]\r\nTwo=2\r\nWord=yes\r\n");
  EXPECT_TRUE(copy->ReadBool("Two", false));
  EXPECT_FALSE(copy->ReadBool("Word", false));
  EXPECT_TRUE(copy->ReadBool("Word", true));
}

TEST(PropSaverValues, ColoursAreDollarAndEightHexDigits) {
  auto store = TPropSaver::FromStrings(nullptr, "S");
  store->WriteColor("Red", fw::clRed);
  store->WriteColor("NotSet", 0x20000000);
  store->WriteColor("System", fw::TColor(0x8000000F));
  EXPECT_EQ(store->ReadString("Red", ""), "$000000FF");
  EXPECT_EQ(store->ReadString("NotSet", ""), "$20000000");
  EXPECT_EQ(store->ReadString("System", ""), "$8000000F");
  auto copy = ReparsedValues(*store);
  EXPECT_EQ(copy->ReadColor("Red", 0), fw::clRed);
  EXPECT_EQ(copy->ReadColor("NotSet", 0), 0x20000000);
  EXPECT_EQ(copy->ReadColor("System", 0), fw::TColor(0x8000000F));
  EXPECT_EQ(copy->ReadColor("Missing", fw::clLime), fw::clLime);
}

TEST(PropSaverValues, RectanglesAndPoints) {
  auto store = TPropSaver::FromStrings(nullptr, "S");
  store->WriteRect("R", fw::TRect{-10, 20, 300, 4000});
  store->WritePoint("P", fw::TPoint{-7, 8});
  EXPECT_EQ(store->ReadString("R", ""), "-10;20;300;4000");
  EXPECT_EQ(store->ReadString("P", ""), "-7;8");
  auto copy = ReparsedValues(*store);
  fw::TRect r = copy->ReadRect("R", fw::TRect{});
  EXPECT_EQ(r.left, -10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right, 300);
  EXPECT_EQ(r.bottom, 4000);
  fw::TPoint p = copy->ReadPoint("P", fw::TPoint{});
  EXPECT_EQ(p.x, -7);
  EXPECT_EQ(p.y, 8);

  copy->SetText("[S]\r\nShort=1;2;3\r\nLong=1;2;3;4;5\r\nBad=1;x;3;4\r\nPt=5\r\n");
  const fw::TRect def{1, 1, 2, 2};
  for (const char* key : {"Short", "Long", "Bad"}) EXPECT_EQ(copy->ReadRect(key, def).right, 2) << key;
  EXPECT_EQ(copy->ReadPoint("Pt", fw::TPoint{3, 4}).y, 4);
}

TEST(PropSaverValues, MultiLineTextKeepsLineBreaks) {
  auto store = TPropSaver::FromStrings(nullptr, "S");
  const std::string text = "first line\r\nsecond\nthird\r\rend";
  store->WriteMultiLine("Text", text);
  const std::string raw = store->ReadString("Text", "");
  EXPECT_EQ(raw.find('\r'), std::string::npos);
  EXPECT_EQ(raw.find('\n'), std::string::npos);
  EXPECT_EQ(raw, "first line\x04\x05second\x05third\x04\x04" "end");
  store->WriteInteger("After", 5);
  auto copy = ReparsedValues(*store);
  EXPECT_EQ(copy->ReadMultiLine("Text", ""), text);
  EXPECT_EQ(copy->ReadInteger("After", 0), 5);
  EXPECT_EQ(copy->ReadMultiLine("Missing", "dflt\r\n"), "dflt\r\n");
}

// A string reads back as it was stored: blanks at its ends kept, and line breaks kept while it
// stays in memory (on its line in a file they become blanks, never a line of their own).
TEST(PropSaverValues, StringsReadBackUnchanged) {
  auto store = TPropSaver::FromStrings(nullptr, "S");
  store->WriteString("Padded", "  both ends\t ");
  store->WriteString("Lines", "a\r\nb");
  EXPECT_EQ(store->ReadString("Lines", ""), "a\r\nb");
  auto copy = ReparsedValues(*store);
  EXPECT_EQ(copy->ReadString("Padded", ""), "  both ends\t ");
  EXPECT_EQ(copy->ReadString("Lines", ""), "a  b");
}

TEST(PropSaverValues, StringArraysReplaceTheListAndDropStaleItems) {
  auto store = TPropSaver::FromStrings(nullptr, "MRU");
  fw::TStringList items;
  for (const char* s : {"/a/one.txt", "semi;colon", "Графики", ""}) items.Add(s);
  store->WriteStrings("File", &items);
  auto copy = ReparsedValues(*store);
  fw::TStringList back;
  back.Add("old");
  ASSERT_TRUE(copy->ReadStrings("File", &back));
  ASSERT_EQ(back.Count(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(back.Strings(i), items.Strings(i));

  fw::TStringList shorter;
  shorter.Add("only");
  copy->WriteStrings("File", &shorter);
  EXPECT_FALSE(copy->ValueExists("File1"));
  ASSERT_TRUE(copy->ReadStrings("File", &back));
  ASSERT_EQ(back.Count(), 1);
  EXPECT_EQ(back.Strings(0), "only");

  fw::TStringList untouched;
  untouched.Add("keep");
  EXPECT_FALSE(copy->ReadStrings("Nothing", &untouched));
  EXPECT_EQ(untouched.Count(), 1);

  // A damaged count of two thousand million: the list is written at once, without a pass over
  // keys that were never there.
  copy->WriteString("FileCount", "2000000000");
  copy->WriteStrings("File", &shorter);
  EXPECT_EQ(copy->ReadInteger("FileCount", -1), 1);
  EXPECT_EQ(copy->ReadString("File0", ""), "only");
}

TEST(PropSaverValues, IntegerArrays) {
  auto store = TPropSaver::FromStrings(nullptr, "S");
  store->WriteIntegers("W", {100, -2, 0, 0x7FFFFFFF});
  store->WriteIntegers("Empty", {});
  EXPECT_EQ(store->ReadString("W", ""), "100;-2;0;2147483647");
  auto copy = ReparsedValues(*store);
  EXPECT_EQ(copy->ReadIntegers("W", {}), (std::vector<int>{100, -2, 0, 0x7FFFFFFF}));
  EXPECT_TRUE(copy->ReadIntegers("Empty", {1}).empty());
  copy->SetText("[S]\r\nBad=1;;3\r\nHex=0x10;2\r\n");
  EXPECT_EQ(copy->ReadIntegers("Bad", {9}), std::vector<int>{9});
  EXPECT_EQ(copy->ReadIntegers("Hex", {}), (std::vector<int>{16, 2}));
  EXPECT_EQ(copy->ReadIntegers("Missing", {4, 5}), (std::vector<int>{4, 5}));
}

TEST(PropSaverValues, FormPositionUnderNameAndPosition) {
  fw::TControl form(nullptr);
  form.SetName("wndLineProp");
  form.SetBounds(-20, 30, 400, 250);
  auto store = TPropSaver::FromStrings(nullptr, "PREFERENCES");
  store->WriteFormPosition(&form);
  EXPECT_TRUE(store->ValueExists("wndLinePropPosition"));
  fw::TControl other(nullptr);
  other.SetName("wndLineProp");
  auto copy = ReparsedValues(*store);
  ASSERT_TRUE(copy->ReadFormPosition(&other));
  EXPECT_EQ(other.Left(), -20);
  EXPECT_EQ(other.Top(), 30);
  EXPECT_EQ(other.Width(), 400);
  EXPECT_EQ(other.Height(), 250);
  // A size of nothing would make the window unreachable: ignored.
  copy->WriteString("wndLinePropPosition", "1;2;0;0");
  EXPECT_FALSE(copy->ReadFormPosition(&other));
  EXPECT_EQ(other.Width(), 400);
}

TEST_F(PropSaverFile, EveryTypeSurvivesTheFile) {
  {
    TPropSaver store(path_, "PREFERENCES", false);
    store.WriteString("Name", "Korvalin = 4 ; not a comment");
    store.WriteInteger("Int", -123);
    store.WriteFloat("Float", 2.718281828459045);
    store.WriteBool("Bool", true);
    store.WriteColor("Color", 0x00123456);
    store.WriteMultiLine("Memo", "a\r\nb");
    store.SetSection("OTHER");
    store.WriteIntegers("Ints", {3, 2, 1});
    store.UpdateFile();
  }
  const std::string text = FileText();
  EXPECT_NE(text.find("[PREFERENCES]\r\n"), std::string::npos);
  EXPECT_NE(text.find("Float=2.718281828459045\r\n"), std::string::npos);
  EXPECT_NE(text.find("Color=$00123456\r\n"), std::string::npos);

  TPropSaver store(path_, "PREFERENCES", true);
  EXPECT_EQ(store.ReadString("Name", ""), "Korvalin = 4 ; not a comment");
  EXPECT_EQ(store.ReadInteger("Int", 0), -123);
  EXPECT_EQ(store.ReadFloat("Float", 0), 2.718281828459045);
  EXPECT_TRUE(store.ReadBool("Bool", false));
  EXPECT_EQ(store.ReadColor("Color", 0), 0x00123456);
  EXPECT_EQ(store.ReadMultiLine("Memo", ""), "a\r\nb");
  store.SetSection("OTHER");
  EXPECT_EQ(store.ReadIntegers("Ints", {}), (std::vector<int>{3, 2, 1}));

  // Not loading gives an empty store bound to the same file.
  TPropSaver unloaded(path_, "PREFERENCES", false);
  EXPECT_EQ(unloaded.ReadInteger("Int", 77), 77);
  EXPECT_EQ(unloaded.FileName(), path_);
  // Writing it adds its own keys to what the file holds.
  unloaded.WriteInteger("Only", 1);
  unloaded.UpdateFile();
  TPropSaver reread(path_, "PREFERENCES", true);
  EXPECT_EQ(reread.ReadInteger("Only", 0), 1);
  EXPECT_EQ(reread.ReadInteger("Int", 0), -123);
}

}  // namespace
