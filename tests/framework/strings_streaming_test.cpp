// A string list published by a component is stored as "<name>.Strings" and read back; the
// adapter hook hears when it starts and stops serving a list.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Component.h"
#include "framework/Filer.h"
#include "framework/PropInfo.h"
#include "framework/StringList.h"
#include "framework/Streams.h"

using namespace fw;

namespace {

class TLinesHolder : public TComponent {
 public:
  using TComponent::TComponent;
  TStringList* Lines() const { return &FLines; }
  mutable TStringList FLines;
};

void Register() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterClass<TLinesHolder>();
  RegisterProperties<TLinesHolder>({ObjectProp("Lines", &TLinesHolder::Lines)});
}

std::string AsText(TComponent* c) {
  TMemoryStream binary, text;
  binary.WriteComponent(c);
  binary.SetPosition(0);
  ComponentBinaryToText(&binary, &text);
  text.SetPosition(0);
  return text.ReadRemaining();
}

TEST(StringsStreaming, LinesAreStoredAsStringsAndReadBack) {
  Register();
  TLinesHolder source(nullptr);
  source.SetName("Holder");
  source.Lines()->Add("один");
  source.Lines()->Add("two");
  EXPECT_NE(AsText(&source).find("Lines.Strings = ( \"один\" \"two\" )"), std::string::npos) << AsText(&source);
  TMemoryStream stream;
  stream.WriteComponent(&source);
  stream.SetPosition(0);
  std::unique_ptr<TComponent> read(stream.ReadComponent(nullptr));
  auto* copy = dynamic_cast<TLinesHolder*>(read.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Lines()->Text(), "один\r\ntwo\r\n");

  TLinesHolder empty(nullptr);
  EXPECT_EQ(AsText(&empty).find("Strings"), std::string::npos);
}

class TRecordingAdapter : public IStringsAdapter {
 public:
  void ReferenceStrings(TStrings* Strings) override { events.push_back(Strings ? "reference" : "null"); }
  void ReleaseStrings() override { events.push_back("release"); }
  std::vector<std::string> events;
};

TEST(StringsStreaming, AdapterIsReferencedAndReleasedOnReplaceAndDestruction) {
  auto first = std::make_shared<TRecordingAdapter>();
  auto second = std::make_shared<TRecordingAdapter>();
  {
    TStringList list;
    list.SetStringsAdapter(first);
    list.SetStringsAdapter(second);
    EXPECT_EQ(list.StringsAdapter(), second);
  }
  EXPECT_EQ(first->events, (std::vector<std::string>{"reference", "release"}));
  EXPECT_EQ(second->events, (std::vector<std::string>{"reference", "release"}));
}

}  // namespace
