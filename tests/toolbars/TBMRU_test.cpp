#include "toolbars/TBMRU.h"

#include <gtest/gtest.h>

namespace toolbars {
namespace {

std::vector<String> Captions(TTBMRUList& l) {
  std::vector<String> out;
  for (Integer i = 0; i < l.RootItem()->Count(); ++i) out.push_back(l.RootItem()->Items(i)->Caption());
  return out;
}

std::vector<String> Names(TTBMRUList& l) {
  std::vector<String> out;
  for (Integer i = 0; i < l.Items()->Count(); ++i) out.push_back(l.Items()->Strings(i));
  return out;
}

TEST(MRUList, AddKeepsTheNewestFirstAndTrims) {
  TTBMRUList list(nullptr);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  for (const char* f : {"/d/a.txt", "/d/b.txt", "/d/c.txt", "/d/d.txt", "/d/e.txt"}) list.Add(f);
  EXPECT_EQ(Names(list), (std::vector<String>{"/d/e.txt", "/d/d.txt", "/d/c.txt", "/d/b.txt"}));
  EXPECT_EQ(Captions(list), (std::vector<String>{"&1 e", "&2 d", "&3 c", "&4 b"}));
  EXPECT_GT(changes, 0);
  list.Add("/d/c.txt");
  EXPECT_EQ(Names(list).front(), "/d/c.txt");
  EXPECT_EQ(list.Items()->Count(), 4);
  list.SetMaxItems(2);
  EXPECT_EQ(Names(list), (std::vector<String>{"/d/c.txt", "/d/e.txt"}));
  list.SetHidePathExtension(false);
  EXPECT_EQ(Captions(list), (std::vector<String>{"&1 /d/c.txt", "&2 /d/e.txt"}));
}

TEST(MRUList, FileNamesDifferingInCaseAreDistinct) {
  TTBMRUList list(nullptr);
  list.Add("/d/Data.txt");
  list.Add("/d/data.txt");
  EXPECT_EQ(list.Items()->Count(), 2);
}

TEST(MRUList, RelativeNamesBecomeFullPaths) {
  TTBMRUList list(nullptr);
  list.Add("sub/../x.txt");
  EXPECT_EQ(list.Items()->Strings(0).front(), '/');
  EXPECT_EQ(list.Items()->Strings(0).find(".."), String::npos);
  TTBMRUList plain(nullptr);
  plain.SetAddFullPath(false);
  plain.Add("x.txt");
  EXPECT_EQ(plain.Items()->Strings(0), "x.txt");
}

TEST(MRUList, AcceleratorsRunOutAfterZ) {
  TTBMRUList list(nullptr);
  list.SetMaxItems(40);
  for (int i = 0; i < 37; ++i) list.Add("/f/n" + std::to_string(36 - i) + ".txt");
  auto c = Captions(list);
  ASSERT_EQ(c.size(), 37u);
  EXPECT_EQ(c[8], "&9 n8");
  EXPECT_EQ(c[9], "&A n9");
  EXPECT_EQ(c[34], "&Z n34");
  EXPECT_EQ(c[35], "n35");
}

TEST(MRUList, AmpersandsShowLiterally) {
  TTBMRUList list(nullptr);
  list.Add("/d/R&D.txt");
  EXPECT_EQ(Captions(list)[0], "&1 R&&D");
}

TEST(MRUList, ChoosingAnEntryMovesItToTheTop) {
  TTBMRUList list(nullptr);
  for (const char* f : {"/a", "/b", "/c"}) list.Add(f);
  String chosen;
  list.OnClick = [&](TObject* s, const String& name) {
    EXPECT_EQ(s, &list);
    chosen = name;
  };
  list.RootItem()->Items(2)->Click();
  EXPECT_EQ(chosen, "/a");
  EXPECT_EQ(Names(list), (std::vector<String>{"/a", "/c", "/b"}));
  EXPECT_EQ(Captions(list)[0], "&1 a");
}

TEST(MRUList, BadMaxItemsAndAssignedStrings) {
  TTBMRUList list(nullptr);
  list.Add("/a");
  list.SetMaxItems(-3);
  EXPECT_EQ(list.MaxItems(), 0);
  EXPECT_EQ(list.Items()->Count(), 0);
  list.SetMaxItems(1000000);
  fw::TStringList names;
  for (const char* n : {"/x", "/y", "/z"}) names.Add(n);
  list.SetItems(&names);
  EXPECT_EQ(Names(list), (std::vector<String>{"/x", "/y", "/z"}));
  EXPECT_EQ(Captions(list), (std::vector<String>{"&1 x", "&2 y", "&3 z"}));
  list.Items()->Clear();
  EXPECT_EQ(list.RootItem()->Count(), 0);
}

}  // namespace
}  // namespace toolbars
