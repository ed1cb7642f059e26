// Handlers a class publishes by name: found for instances of the class and its descendants,
// bound to the instance, named back from an event; an event property goes through a stream by
// that name (or as nil), and nothing else is stored.
#include <gtest/gtest.h>

#include <string>

#include "framework/Component.h"
#include "framework/Filer.h"
#include "framework/PublishedMethods.h"
#include "framework/Streams.h"

using namespace fw;

namespace {

class TMethodBase : public TComponent {
 public:
  using TComponent::TComponent;
  void Pressed(TObject*) { ++pressed; }
  int pressed = 0;
};

class TMethodDerived : public TMethodBase {
 public:
  using TMethodBase::TMethodBase;
  void Released(TObject*) { ++released; }
  int released = 0;
};

// A component with one event, read and written as a root of its own.
class TEventHolder : public TComponent {
 public:
  using TComponent::TComponent;
  TNotifyEvent OnPress;
};

void RegisterOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterMethods<TMethodBase>({{"Pressed", &TMethodBase::Pressed}});
  RegisterMethods<TMethodDerived>({{"Released", &TMethodDerived::Released}});
  RegisterClass<TEventHolder>();
  RegisterProperties<TEventHolder>({EventProp("OnPress", &TEventHolder::OnPress)});
}

std::string TextOf(TComponent* C) {
  TStringStream bytes, text;
  bytes.WriteComponent(C);
  bytes.SetPosition(0);
  ComponentBinaryToText(&bytes, &text);
  return text.DataString();
}

TEST(PublishedMethods, FoundForTheClassAndItsDescendantsBoundToTheInstance) {
  RegisterOnce();
  TMethodBase base(nullptr);
  TMethodDerived derived(nullptr);
  TNotifyEvent onBase = MethodAddress(&base, "PRESSED");
  TNotifyEvent inherited = MethodAddress(&derived, "Pressed");
  TNotifyEvent own = MethodAddress(&derived, "Released");
  ASSERT_TRUE(onBase && inherited && own);
  EXPECT_FALSE(MethodAddress(&base, "Released")) << "a base does not publish its descendant's";
  EXPECT_FALSE(MethodAddress(nullptr, "Pressed"));
  onBase(nullptr);
  inherited(nullptr);
  own(nullptr);
  EXPECT_EQ(base.pressed, 1);
  EXPECT_EQ(derived.pressed, 1);
  EXPECT_EQ(derived.released, 1);
  EXPECT_EQ(MethodName(inherited), "Pressed") << "the registered spelling";
  EXPECT_EQ(MethodName([](TObject*) {}), "");
  EXPECT_EQ(MethodName(nullptr), "");
}

TEST(PublishedMethods, AnEventGoesThroughAStreamByNameOrNotAtAll) {
  RegisterOnce();
  TMethodBase owner(nullptr);
  auto* holder = new TEventHolder(&owner);
  holder->SetName("Holder");
  EXPECT_EQ(TextOf(holder).find("OnPress"), std::string::npos) << "no handler: nothing stored";
  holder->OnPress = [](TObject*) {};
  EXPECT_EQ(TextOf(holder).find("OnPress"), std::string::npos) << "a lambda names no code";
  holder->OnPress = MethodAddress(&owner, "Pressed");
  const std::string text = TextOf(holder);
  EXPECT_NE(text.find("OnPress = Pressed"), std::string::npos) << text;
  delete holder;

  TStringStream in(text), bytes;
  ComponentTextToBinary(&in, &bytes);
  bytes.SetPosition(0);
  auto* read = dynamic_cast<TEventHolder*>(bytes.ReadComponent(&owner));
  ASSERT_NE(read, nullptr);
  ASSERT_TRUE(read->OnPress);
  read->OnPress(read);
  EXPECT_EQ(owner.pressed, 1) << "bound to the owner the stream was read into";

  // "OnPress = null" clears a handler.
  std::string cleared = text;
  cleared.replace(cleared.find("Pressed"), 7, "null");
  delete read;
  TStringStream in2(cleared), bytes2;
  ComponentTextToBinary(&in2, &bytes2);
  bytes2.SetPosition(0);
  read = dynamic_cast<TEventHolder*>(bytes2.ReadComponent(&owner));
  ASSERT_NE(read, nullptr);
  EXPECT_FALSE(read->OnPress);
  delete read;
}

}  // namespace
