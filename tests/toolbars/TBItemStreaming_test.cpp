// A toolbar's item tree through a component stream: nested groups, separators, edit items and
// action links come back as they were written, and what a link supplies is left to the link.

#include "toolbars/TBItemStreaming.h"

#include <gtest/gtest.h>

#include <string>

#include "ToolbarsFixture.h"
#include "framework/ActnList.h"
#include "framework/Filer.h"
#include "framework/PublishedMethods.h"
#include "framework/Streams.h"
#include "toolbars/TBExtItems.h"
#include "toolbars/TBToolbar.h"

namespace toolbars::testing {
namespace {

std::string Write(fw::TComponent* C) {
  fw::TStringStream s;
  s.WriteComponent(C);
  return s.DataString();
}

std::string FromText(const std::string& Text) {
  fw::TStringStream in(Text), out;
  fw::ComponentTextToBinary(&in, &out);
  return out.DataString();
}

std::string ToText(const std::string& Bytes) {
  fw::TStringStream in(Bytes), out;
  fw::ComponentBinaryToText(&in, &out);
  return out.DataString();
}

class ItemStreamingTest : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    RegisterToolbarStreaming();
    form = fw::Application->CreateForm<fw::TForm>();
    find = new TTBEditAction(form);
    find->SetName("FindAction");
    find->SetCaption("Find");
    find->SetText("abc");
    open = new fw::TAction(form);
    open->SetName("OpenAction");
    open->SetCaption("&Open");
    open->SetHint("Open|Opens a file");
  }
  void TearDown() override {
    delete form;
    ToolbarsTest::TearDown();
  }
  template <typename T>
  T* Add(TTBCustomItem* Parent, const char* Name) {
    auto* item = new T(form);
    item->SetName(Name);
    Parent->Add(item);
    return item;
  }
  // Bar: Find (linked edit item) | Group1 [Size (edit), Sep1 (blank), Group2 [Open (linked)]] |
  // Mirror (shows Group1's items).
  TTBCustomToolbar* MakeBar() {
    auto* bar = new TTBCustomToolbar(form);
    bar->AfterConstruction();
    bar->SetName("Bar");
    bar->SetChevronHint("Extra|More of the bar");
    bar->SetShrinkMode(tbsmWrap);
    auto* f = Add<TTBEditItem>(bar->Items(), "Find");
    f->SetAction(find);
    f->SetEditWidth(80);
    f->SetHint("Own hint");
    auto* g1 = Add<TTBGroupItem>(bar->Items(), "Group1");
    g1->SetOptions(TTBItemOptions{tboShowHint});
    auto* size = Add<TTBEditItem>(g1, "Size");
    size->SetCharCase(fw::ecUpperCase);
    size->SetText("twelve");
    size->SetEditCaption("Size");
    size->SetMaxLength(6);
    size->SetImageIndex(3);
    Add<TTBSeparatorItem>(g1, "Sep1")->SetBlank(true);
    auto* g2 = Add<TTBGroupItem>(g1, "Group2");
    Add<TTBEditItem>(g2, "OpenItem")->SetAction(open);
    Add<TTBGroupItem>(bar->Items(), "Mirror")->SetLinkSubitems(g1);
    return bar;
  }
  fw::TForm* form = nullptr;
  TTBEditAction* find = nullptr;
  fw::TAction* open = nullptr;
};

TEST_F(ItemStreamingTest, ATreeReadBackIsWrittenTheSameWay) {
  TTBCustomToolbar* bar = MakeBar();
  const std::string bytes = Write(bar);
  const std::string text = ToText(bytes);
  delete bar;

  fw::TStringStream in(bytes);
  auto* read = dynamic_cast<TTBCustomToolbar*>(in.ReadComponent(form));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(ToText(Write(read)), text);

  // The tree and what each item holds.
  TTBRootItem* root = read->Items();
  ASSERT_EQ(root->Count(), 3);
  auto* f = dynamic_cast<TTBEditItem*>(root->Items(0));
  auto* g1 = dynamic_cast<TTBGroupItem*>(root->Items(1));
  auto* mirror = dynamic_cast<TTBGroupItem*>(root->Items(2));
  ASSERT_TRUE(f && g1 && mirror);
  EXPECT_EQ(f->Action(), find);
  EXPECT_EQ(f->Text(), "abc");
  EXPECT_EQ(f->Caption(), "Find");
  EXPECT_EQ(f->EditWidth(), 80);
  EXPECT_EQ(f->Hint(), "Own hint");
  EXPECT_EQ(g1->Options(), TTBItemOptions{tboShowHint});
  ASSERT_EQ(g1->Count(), 3);
  auto* size = dynamic_cast<TTBEditItem*>(g1->Items(0));
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size->Text(), "TWELVE");
  EXPECT_EQ(size->CharCase(), fw::ecUpperCase);
  EXPECT_EQ(size->EditCaption(), "Size");
  EXPECT_EQ(size->MaxLength(), 6);
  EXPECT_EQ(size->ImageIndex(), 3);
  auto* sep = dynamic_cast<TTBSeparatorItem*>(g1->Items(1));
  ASSERT_NE(sep, nullptr);
  EXPECT_TRUE(sep->Blank());
  auto* g2 = dynamic_cast<TTBGroupItem*>(g1->Items(2));
  ASSERT_TRUE(g2 && g2->Count() == 1);
  EXPECT_EQ(g2->Items(0)->Action(), open);
  EXPECT_EQ(g2->Items(0)->Caption(), "&Open");
  EXPECT_EQ(g2->Items(0)->Hint(), "Open|Opens a file");
  EXPECT_EQ(mirror->LinkSubitems(), g1);
  EXPECT_EQ(read->ChevronHint(), "Extra|More of the bar");
  EXPECT_EQ(read->ChevronItem()->Caption(), "Extra");
  EXPECT_EQ(read->ShrinkMode(), tbsmWrap);
}

// What an action link supplies is the link's: only the item's own values are in the stream.
TEST_F(ItemStreamingTest, LinkedPropertiesAndDefaultsAreLeftOut) {
  TTBCustomToolbar* bar = MakeBar();
  const std::string text = ToText(Write(bar));
  auto block = [&](const std::string& name) {
    const size_t at = text.find(" " + name + " {");
    EXPECT_NE(at, std::string::npos) << name;
    return text.substr(at, text.find('}', at) - at);
  };
  const std::string f = block("Find"), openItem = block("OpenItem"), size = block("Size");
  for (const char* linked : {"Caption", "Text", "EditCaption", "Checked", "Enabled", "Visible"})
    EXPECT_EQ(f.find(std::string(linked) + " ="), std::string::npos) << linked << " in " << f;
  EXPECT_NE(f.find("Action = FindAction"), std::string::npos) << f;
  EXPECT_NE(f.find("EditWidth = 80"), std::string::npos) << f;
  EXPECT_NE(f.find("Hint = \"Own hint\""), std::string::npos) << f;
  EXPECT_EQ(openItem.find("Caption ="), std::string::npos) << openItem;
  EXPECT_EQ(openItem.find("Hint ="), std::string::npos) << openItem;
  EXPECT_NE(size.find("Text = \"TWELVE\""), std::string::npos) << size;
  EXPECT_EQ(size.find("EditWidth"), std::string::npos) << size;  // 64
  EXPECT_NE(text.find("ChevronHint = \"Extra|More of the bar\""), std::string::npos);
  // The default chevron hint is not written.
  bar->SetChevronHint(TTBChevronItem::DefaultHint);
  EXPECT_EQ(ToText(Write(bar)).find("ChevronHint"), std::string::npos);
}

TEST_F(ItemStreamingTest, ChildrenAreListedInOrderAndKnowTheirParentComponent) {
  TTBCustomToolbar* bar = MakeBar();
  std::vector<std::string> names;
  bar->GetChildren([&](fw::TComponent* c) { names.push_back(c->Name()); }, bar);
  EXPECT_EQ(names, (std::vector<std::string>{"Find", "Group1", "Mirror"}));
  TTBCustomItem* g1 = bar->Items()->Items(1);
  // A top item's parent component is the toolbar; a nested one's its parent item.
  EXPECT_TRUE(g1->HasParent());
  EXPECT_EQ(g1->GetParentComponent(), bar);
  EXPECT_EQ(g1->Items(0)->GetParentComponent(), g1);
  bar->SetChildOrder(bar->Items()->Items(2), 0);
  g1->SetChildOrder(g1->Items(2), 0);
  names.clear();
  bar->GetChildren([&](fw::TComponent* c) { names.push_back(c->Name()); }, bar);
  g1->GetChildren([&](fw::TComponent* c) { names.push_back(c->Name()); }, bar);
  EXPECT_EQ(names, (std::vector<std::string>{"Mirror", "Find", "Group1", "Group2", "Size", "Sep1"}));
  // A component that is not a child is left alone.
  g1->SetChildOrder(bar->Items()->Items(0), 1);
  EXPECT_EQ(bar->Items()->Items(0)->Name(), "Mirror");
}


// The bar's own root item: the items it shows in place of its own and its options.
TEST_F(ItemStreamingTest, TheBarsRootItemLinkAndOptionsComeBack) {
  auto* shared = new TTBGroupItem(form);
  shared->SetName("Shared");
  Add<TTBEditItem>(shared, "SharedEdit");
  auto* bar = new TTBCustomToolbar(form);
  bar->AfterConstruction();
  bar->SetName("Bar");
  bar->Items()->SetLinkSubitems(shared);
  bar->Items()->SetOptions(TTBItemOptions{tboShowHint});
  const std::string text = ToText(Write(bar));
  EXPECT_NE(text.find("LinkSubitems = Shared"), std::string::npos) << text;
  const std::string bytes = Write(bar);
  delete bar;
  fw::TStringStream in(bytes);
  auto* read = dynamic_cast<TTBCustomToolbar*>(in.ReadComponent(form));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Items()->LinkSubitems(), shared);
  EXPECT_EQ(read->Items()->Options(), TTBItemOptions{tboShowHint});
  EXPECT_EQ(ToText(Write(read)), text);
  delete read;
}

// A form that publishes two click handlers.
class HandlerForm : public fw::TForm {
 public:
  using fw::TForm::TForm;
  void OpenClick(fw::TObject*) { ++opened; }
  void SaveClick(fw::TObject*) { ++saved; }
  int opened = 0, saved = 0;
};

// Click handlers the form publishes are stored by name and found again in the form that reads
// them; handlers made in code and handlers an action link supplies are left out.
TEST_F(ItemStreamingTest, PublishedClickHandlersGoThroughTheStreamByName) {
  fw::RegisterMethods<HandlerForm>({{"OpenClick", &HandlerForm::OpenClick}, {"SaveClick", &HandlerForm::SaveClick}});
  auto* owner = fw::Application->CreateForm<HandlerForm>();
  auto* bar = new TTBCustomToolbar(owner);
  bar->AfterConstruction();
  bar->SetName("Bar");
  auto* action = new fw::TAction(owner);
  action->SetName("SaveAction");
  action->OnExecute = fw::MethodAddress(owner, "SaveClick");
  auto add = [&](const char* name) {
    auto* item = new TTBEditItem(owner);
    item->SetName(name);
    bar->Items()->Add(item);
    return item;
  };
  add("OpenItem")->OnClick = fw::MethodAddress(owner, "openclick");  // letter case aside
  add("SaveItem")->OnClick = fw::MethodAddress(owner, "SaveClick");
  add("CodeItem")->OnClick = [](fw::TObject*) {};
  add("LinkedItem")->SetAction(action);
  EXPECT_FALSE(fw::MethodAddress(owner, "Missing"));
  EXPECT_FALSE(fw::MethodAddress(form, "OpenClick")) << "a plain form publishes nothing";

  const std::string text = ToText(Write(bar));
  auto block = [&](const std::string& name) {
    const size_t at = text.find(" " + name + " {");
    EXPECT_NE(at, std::string::npos) << name;
    return text.substr(at, text.find('}', at) - at);
  };
  EXPECT_NE(block("OpenItem").find("OnClick = OpenClick"), std::string::npos) << text;
  EXPECT_NE(block("SaveItem").find("OnClick = SaveClick"), std::string::npos) << text;
  EXPECT_EQ(block("CodeItem").find("OnClick"), std::string::npos) << "a handler made in code names no code";
  EXPECT_EQ(block("LinkedItem").find("OnClick"), std::string::npos) << "the link supplies it";
  delete bar;

  fw::TStringStream in(FromText(text));
  auto* read = dynamic_cast<TTBCustomToolbar*>(in.ReadComponent(owner));
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->Items()->Count(), 4);
  TTBCustomItem* open = read->Items()->Items(0);
  TTBCustomItem* save = read->Items()->Items(1);
  ASSERT_TRUE(open->OnClick && save->OnClick);
  open->OnClick(open);
  save->OnClick(save);
  save->OnClick(save);
  EXPECT_EQ(owner->opened, 1);
  EXPECT_EQ(owner->saved, 2);
  EXPECT_FALSE(read->Items()->Items(2)->OnClick);
  EXPECT_EQ(fw::MethodName(read->Items()->Items(3)->OnClick), "SaveClick") << "from the action";
  EXPECT_EQ(ToText(Write(read)), text);
  delete read;

  // A name the reading form does not publish fails the read and leaves nothing behind.
  std::string wrong = text;
  wrong.replace(wrong.find("SaveClick"), 9, "LostClick");
  const fw::Integer before = owner->ComponentCount();
  fw::TStringStream bad(FromText(wrong));
  EXPECT_THROW(bad.ReadComponent(owner), fw::EReadError);
  EXPECT_EQ(owner->ComponentCount(), before);
  delete owner;
}

}  // namespace
}  // namespace toolbars::testing
