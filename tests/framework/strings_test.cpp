#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Streams.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "stream_TempFolder.h"
#include "strings_TestSupport.h"

namespace fw {
namespace {

using V = std::vector<std::string>;


TEST(StringsList, SortedListInsertsInOrderAndHandlesDuplicates) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"pear", "Apple", "banana", "яблоко", "Ёлка", "ель"}) list.Add(s);
  EXPECT_EQ(Lines(list), (V{"Apple", "banana", "pear", "ель", "Ёлка", "яблоко"}));
  Integer first = list.IndexOf("BANANA");
  EXPECT_EQ(first, 1);
  EXPECT_EQ(list.Add("Banana"), 1);  // dupIgnore: the existing index, nothing added
  EXPECT_EQ(list.Count(), 6);
  list.SetDuplicates(dupError);
  try {
    list.Add("PEAR");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }
  list.SetDuplicates(dupAccept);
  list.Add("Pear");
  list.Add("PEAR");
  Integer at = -1;
  EXPECT_TRUE(list.Find("pear", at));
  EXPECT_EQ(at, 2);  // the first of the equal ones
  EXPECT_EQ(list.Count(), 8);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  EXPECT_THROW(list.SetStrings(0, "x"), EStringListError);
  EXPECT_FALSE(list.Find("zzz", at));
  EXPECT_EQ(at, 5);  // insertion point before the Cyrillic words
}

TEST(StringsList, CaseSensitivityChangesMatchingAndOrder) {
  TStringList list;
  list.SetCommaText("b,B,a");
  EXPECT_EQ(list.IndexOf("B"), 0);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("B"), 1);
  list.SetSorted(true);
  EXPECT_EQ(Lines(list), (V{"a", "b", "B"}));  // lower case first when only case differs
}

TEST(StringsList, IndexErrorsReportTheIndex) {
  TStringList list;
  list.Add("a");
  try {
    list.Strings(3);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (3)");
  }
  EXPECT_THROW(list.Delete(-1), EStringListError);
  EXPECT_THROW(list.Insert(2, "x"), EStringListError);
  EXPECT_NO_THROW(list.Insert(1, "x"));
}

TEST(StringsList, ObjectsTravelWithLinesAndOwningListsFreeThem) {
  int freed = 0;
  {
    TStringList list(true);
    list.AddObject("one", new TCountedObject(freed));
    list.AddObject("two", new TCountedObject(freed));
    list.AddObject("three", new TCountedObject(freed));
    TObject* two = list.Objects(1);
    list.Move(1, 0);
    EXPECT_EQ(list.Objects(0), two);
    EXPECT_EQ(freed, 0);  // moving does not free
    list.Exchange(0, 2);
    EXPECT_EQ(list.Strings(2), "two");
    EXPECT_EQ(list.IndexOfObject(two), 2);
    list.Delete(2);
    EXPECT_EQ(freed, 1);
    list.SetObjects(0, new TCountedObject(freed));  // the replaced object is freed
    EXPECT_EQ(freed, 2);
  }
  EXPECT_EQ(freed, 4);  // the last two with the list
  int kept = 0;
  TCountedObject survivor(kept);
  {
    TStringList list;
    list.AddObject("x", &survivor);
    list.Clear();
  }
  EXPECT_EQ(kept, 0);
}

TEST(StringsList, NameValuePairs) {
  TStringList list;
  list.SetText("Width=10\nheight=20\nplain\nEmpty=\n");
  EXPECT_EQ(list.Values("WIDTH"), "10");
  EXPECT_EQ(list.Names(1), "height");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.ValueFromIndex(1), "20");
  EXPECT_EQ(list.IndexOfName("empty"), 3);
  EXPECT_EQ(list.Values("plain"), "");
  list.SetValues("Height", "25");
  EXPECT_EQ(list.Strings(1), "Height=25");
  list.SetValues("Depth", "3");
  EXPECT_EQ(list.Strings(4), "Depth=3");
  list.SetValues("Width", "");  // an empty value removes the line
  EXPECT_EQ(list.IndexOfName("Width"), -1);
  list.SetValueFromIndex(0, "30");
  EXPECT_EQ(list.Strings(0), "Height=30");
  list.SetNameValueSeparator(':');
  list.Add("Key:V");
  EXPECT_EQ(list.Values("key"), "V");
}

TEST(StringsList, CommaTextQuotesWhatNeedsQuoting) {
  TStringList list;
  for (const char* s : {"plain", "with space", "with,comma", "say \"hi\"", ""}) list.Add(s);
  EXPECT_EQ(list.CommaText(), "plain,\"with space\",\"with,comma\",\"say \"\"hi\"\"\",");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_EQ(Lines(back), (V{"plain", "with space", "with,comma", "say \"hi\"", ""}));
  TStringList single;
  single.Add("");
  EXPECT_EQ(single.CommaText(), "\"\"");
  back.SetCommaText("  a b , c,,\"d");  // unquoted blanks split, an open quote runs to the end
  EXPECT_EQ(Lines(back), (V{"a", "b", "c", "", "d"}));
}

TEST(StringsList, DelimitedTextWithStrictDelimiter) {
  TStringList list;
  list.SetDelimiter(';');
  list.SetQuoteChar('\'');
  list.SetDelimitedText("a b;'c;d';e");
  EXPECT_EQ(Lines(list), (V{"a", "b", "c;d", "e"}));
  list.SetStrictDelimiter(true);
  list.SetDelimitedText(" a b ;'c;d';e;");
  EXPECT_EQ(Lines(list), (V{" a b ", "c;d", "e", ""}));
  EXPECT_EQ(list.DelimitedText(), " a b ;'c;d';e;");
}

TEST(StringsList, TextUsesCrLfAndReadsEveryLineBreak) {
  TStringList list;
  list.SetText("a\r\nb\nc\rd\r\r\ne");
  EXPECT_EQ(Lines(list), (V{"a", "b", "c", "d", "", "e"}));
  EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
  list.SetText("x\r\n");
  EXPECT_EQ(Lines(list), (V{"x"}));
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringsList, ChangeEventsRespectUpdates) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject* s) {
    EXPECT_EQ(s, &list);
    ++changing;
  };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add("a");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.Add("b");
  list.Add("c");
  list.BeginUpdate();
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changed, 1);
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  TStringList other;
  other.Add("z");
  list.AddStrings(&other);
  EXPECT_EQ(changed, 3);  // one notification for the whole batch
}

TEST(StringsList, SortCustomSortAssign) {
  TStringList list;
  list.SetCommaText("b2,a1,c3,a0");
  // Stable: equal first letters keep their order.
  list.CustomSort([](TStringList* l, Integer i, Integer j) { return int(l->Strings(i)[0]) - int(l->Strings(j)[0]); });
  EXPECT_EQ(Lines(list), (V{"a1", "a0", "b2", "c3"}));
  list.Sort();
  EXPECT_EQ(Lines(list), (V{"a0", "a1", "b2", "c3"}));
  TStringList copy;
  copy.SetDelimiter('|');
  list.SetDelimiter(';');
  copy.Assign(&list);
  EXPECT_TRUE(copy.Equals(&list));
  EXPECT_EQ(copy.Delimiter(), ';');
  struct TNotStrings : TPersistent {};
  TNotStrings notStrings;
  EXPECT_THROW(copy.Assign(&notStrings), EConvertError);
}

TEST(StringsList, FilesAsUtf8OrCp1251) {
  kvtest::TempFolder dir;
  TStringList list;
  list.Add("График");
  list.Add("plain");
  std::string utf8 = dir.File("utf8.txt"), cp = dir.File("cp.txt"), bom = dir.File("bom.txt");
  list.SaveToFile(utf8);
  EXPECT_EQ(kvtest::ReadBytes(utf8), "График\r\nplain\r\n");
  list.SaveToFile(cp, teCP1251);
  EXPECT_EQ(kvtest::ReadBytes(cp), "\xC3\xF0\xE0\xF4\xE8\xEA\r\nplain\r\n");
  list.SaveToFile(bom, teUTF8BOM);
  EXPECT_EQ(kvtest::ReadBytes(bom).substr(0, 3), "\xEF\xBB\xBF");
  for (const std::string& f : {utf8, cp, bom}) {
    TStringList back;
    back.LoadFromFile(f);
    EXPECT_EQ(Lines(back), (V{"График", "plain"})) << f;
  }
  EXPECT_THROW(list.LoadFromFile(dir.File("missing.txt")), EFOpenError);
}

TEST(StringsList, StreamsReadFromTheirPosition) {
  TStringStream stream("skip\xEF\xBB\xBFline1\nline2");
  stream.SetPosition(4);
  TStringList list;
  list.LoadFromStream(&stream);
  EXPECT_EQ(Lines(list), (V{"line1", "line2"}));
  TStringStream out;
  list.SaveToStream(&out);
  EXPECT_EQ(out.DataString(), "line1\r\nline2\r\n");
}

// A list that stores its lines elsewhere, as derived lists of other layers do: only the storage
// operations are its own, everything else comes from the base.
class TVectorStrings : public TStrings {
 public:
  std::vector<std::string> items;
  int updates = 0;
  String Get(Integer Index) const override { return items.at(std::size_t(Index)); }
  Integer GetCount() const override { return Integer(items.size()); }
  void Insert(Integer Index, const String& S) override { items.insert(items.begin() + Index, S); }
  void Delete(Integer Index) override { items.erase(items.begin() + Index); }
  void Clear() override { items.clear(); }

 protected:
  void SetUpdateState(bool Updating) override { updates += Updating ? 1 : 0; }
};

TEST(StringsBase, DerivedStorageGetsTheWholeInterface) {
  TVectorStrings list;
  list.SetCommaText("b,\"x y\",a");
  EXPECT_EQ(list.items, (V{"b", "x y", "a"}));
  EXPECT_EQ(list.updates, 1);  // one update bracket around the whole text
  list.SetStrings(0, "B=1");
  EXPECT_EQ(list.Values("b"), "1");
  list.Move(0, 2);
  EXPECT_EQ(list.items, (V{"x y", "a", "B=1"}));
  list.Exchange(0, 1);
  EXPECT_EQ(list.items, (V{"a", "x y", "B=1"}));
  EXPECT_EQ(list.IndexOf("X Y"), 1);
  EXPECT_EQ(list.Text(), "a\r\nx y\r\nB=1\r\n");
  TStringList copy;
  copy.Assign(&list);
  EXPECT_EQ(Lines(copy), list.items);
  list.Assign(&copy);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Objects(0), nullptr);  // the base keeps no objects
}

}  // namespace
}  // namespace fw
