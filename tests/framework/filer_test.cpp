// Component streams: published properties of every kind, a collection, defined properties,
// owned children and links written and read back; the text form both ways; damaged input.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Collections.h"
#include "framework/Component.h"
#include "framework/Filer.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"

using namespace fw;

namespace {

enum TShade { shLight, shDark, shNone };

class TStreamItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  String FCaption;
};

class TStreamPart : public TPersistent {
 public:
  Integer Size() const { return FSize; }
  void SetSize(Integer Value) { FSize = Value; }
  Integer FSize = 3;
};

// A component with one property of each kind, an owned part, a collection, a defined value
// and defined bytes; children are its owned TStreamProbe components.
class TStreamProbe : public TComponent {
 public:
  explicit TStreamProbe(TComponent* AOwner) : TComponent(AOwner), FItems(this, CollectionItemClass<TStreamItem>()) {}
  Int64 Count() const { return FCount; }
  void SetCount(Int64 Value) { FCount = Value; }
  Extended Ratio() const { return FRatio; }
  void SetRatio(Extended Value) { FRatio = Value; }
  bool Flag() const { return FFlag; }
  void SetFlag(bool Value) { FFlag = Value; }
  TShade Shade() const { return FShade; }
  void SetShade(TShade Value) { FShade = Value; }
  const String& Text() const { return FText; }
  void SetText(const String& Value) { FText = Value; }
  const WideString& Wide() const { return FWide; }
  void SetWide(const WideString& Value) { FWide = Value; }
  TStreamProbe* Link() const { return FLink; }
  void SetLink(TStreamProbe* Value) { FLink = Value; }
  TStreamPart* Part() const { return &FPart; }
  TOwnedCollection* Items() const { return &FItems; }

  void DefineProperties(TFiler* Filer) override {
    Filer->DefineProperty(
        "SavedAtRunTime", [this](TReader* R) { FSavedAtRunTime = R->ReadBoolean(); },
        [](TWriter* W) { W->WriteBoolean(true); }, true);
    Filer->DefineBinaryProperty(
        "Blob", [this](TStream* S) { FBlob = S->ReadRemaining(); },
        [this](TStream* S) { S->WriteBuffer(FBlob.data(), Integer(FBlob.size())); }, !FBlob.empty());
  }
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent*) override {
    for (Integer i = 0; i < ComponentCount(); ++i)
      if (auto* child = dynamic_cast<TStreamProbe*>(Components(i))) Proc(child);
  }
  void Loaded() override {
    TComponent::Loaded();
    ++FLoadedCount;
  }

  Int64 FCount = 0;
  Extended FRatio = 0;
  bool FFlag = false;
  TShade FShade = shLight;
  String FText;
  WideString FWide;
  TStreamProbe* FLink = nullptr;
  mutable TStreamPart FPart;
  mutable TOwnedCollection FItems;
  bool FSavedAtRunTime = false;
  std::string FBlob;
  int FLoadedCount = 0;
};

void RegisterProbe() {
  RegisterClass<TStreamProbe>();
  RegisterClass<TStreamPart>();
  RegisterProperties<TStreamPart>({Prop("Size", &TStreamPart::Size, &TStreamPart::SetSize).Default(3)});
  RegisterProperties<TStreamItem>({Prop("Caption", &TStreamItem::Caption, &TStreamItem::SetCaption)});
  using P = TStreamProbe;
  RegisterProperties<P>({
      Prop("Count", &P::Count, &P::SetCount),
      Prop("Ratio", &P::Ratio, &P::SetRatio),
      Prop("Flag", &P::Flag, &P::SetFlag).Default(false),
      Prop("Shade", &P::Shade, &P::SetShade).Names({"shLight", "shDark", "shNone"}).Default(shLight),
      Prop("Text", &P::Text, &P::SetText),
      Prop("Wide", &P::Wide, &P::SetWide),
      Prop("Link", &P::Link, &P::SetLink),
      ObjectProp("Part", &P::Part),
      ObjectProp("Items", &P::Items),
  });
}

// A root with two children, the second linked to the first.
std::unique_ptr<TStreamProbe> MakeTree() {
  RegisterProbe();
  auto root = std::make_unique<TStreamProbe>(nullptr);
  root->SetName("Root");
  root->SetCount(-5'000'000'000LL);
  root->SetRatio(1.0L / 3);  // needs more than a double
  root->SetFlag(true);
  root->SetShade(shNone);
  root->SetText("Привет \"мир\"\n\t\x01");
  root->SetWide(u"z\u00e9\xd800!");  // an unpaired surrogate survives
  root->Part()->SetSize(40);
  static_cast<TStreamItem*>(root->Items()->Add())->SetCaption("first");
  static_cast<TStreamItem*>(root->Items()->Add())->SetCaption("second");
  root->FBlob = std::string("\0\xff\x10", 3);
  auto* a = new TStreamProbe(root.get());
  a->SetName("Alpha");
  a->SetCount(7);
  auto* b = new TStreamProbe(root.get());
  b->SetName("Beta");
  b->SetLink(a);
  root->SetLink(b);
  return root;
}

std::string Write(TComponent* c) {
  TStringStream s;
  s.WriteComponent(c);
  return s.DataString();
}

std::unique_ptr<TStreamProbe> Read(const std::string& bytes, TComponent* Owner = nullptr) {
  TStringStream s(bytes);
  return std::unique_ptr<TStreamProbe>(dynamic_cast<TStreamProbe*>(s.ReadComponent(Owner)));
}

std::string ToText(const std::string& bytes) {
  TStringStream in(bytes), out;
  ComponentBinaryToText(&in, &out);
  return out.DataString();
}

std::string ToBinary(const std::string& text) {
  TStringStream in(text), out;
  ComponentTextToBinary(&in, &out);
  return out.DataString();
}

}  // namespace

TEST(Filer, TreeSurvivesBinaryAndTextRoundTrips) {
  auto tree = MakeTree();
  const std::string bytes = Write(tree.get());
  // Through the text form and back, the bytes are the same.
  ASSERT_EQ(ToBinary(ToText(bytes)), bytes);

  auto back = Read(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Name(), "Root");
  EXPECT_EQ(back->Count(), -5'000'000'000LL);
  EXPECT_EQ(back->Ratio(), 1.0L / 3);
  EXPECT_TRUE(back->Flag());
  EXPECT_EQ(back->Shade(), shNone);
  EXPECT_EQ(back->Text(), tree->Text());
  EXPECT_EQ(back->Wide(), tree->Wide());
  EXPECT_EQ(back->Part()->Size(), 40);
  ASSERT_EQ(back->Items()->Count(), 2);
  EXPECT_EQ(back->Items()->ItemsAs<TStreamItem>(1)->Caption(), "second");
  EXPECT_TRUE(back->FSavedAtRunTime);
  EXPECT_EQ(back->FBlob, tree->FBlob);
  ASSERT_EQ(back->ComponentCount(), 2);
  auto* alpha = dynamic_cast<TStreamProbe*>(back->FindComponent("Alpha"));
  auto* beta = dynamic_cast<TStreamProbe*>(back->FindComponent("Beta"));
  ASSERT_TRUE(alpha && beta);
  EXPECT_EQ(alpha->Count(), 7);
  EXPECT_EQ(beta->Link(), alpha);  // links resolve to the components read, not the originals
  EXPECT_EQ(back->Link(), beta);
  // Loading ends once for every component, after the links are in place.
  EXPECT_EQ(back->FLoadedCount + alpha->FLoadedCount + beta->FLoadedCount, 3);
  EXPECT_FALSE(back->ComponentState().Contains(csLoading));
  EXPECT_EQ(Write(back.get()), bytes);
}

TEST(Filer, TextFormIsReadableAndTypedTextReads) {
  RegisterProbe();
  const std::string text = ToText(Write(MakeTree().get()));
  for (const char* line : {"TStreamProbe Root {", "  Shade = shNone", "  Part.Size = 40", "  Link = Beta",
                           "  Blob = <00FF10>", "  TStreamProbe Alpha {", "  Wide = w\"z\\u00E9\\uD800!\""})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;

  auto typed = Read(ToBinary("TStreamProbe {\n  Count = 12\n  Ratio = 2.5\n  Text = \"\\u0416x\"\n"
                             "  Items = [ { Caption = \"a\" } ]\n  TStreamProbe Kid { Shade = 1 }\n}\n"));
  EXPECT_EQ(typed->Count(), 12);
  EXPECT_EQ(typed->Ratio(), 2.5L);
  EXPECT_EQ(typed->Text(), "Жx");
  EXPECT_EQ(typed->Items()->Count(), 1);
  EXPECT_EQ(dynamic_cast<TStreamProbe*>(typed->FindComponent("Kid"))->Shade(), shDark);
}

// Every cut of a valid stream, and every damage below, is refused with an error and leaves the
// owner as it was: no component of the failed read survives.
TEST(Filer, DamagedStreamsAreRefusedWithoutLeftovers) {
  const std::string bytes = Write(MakeTree().get());
  TComponent owner(nullptr);
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    EXPECT_THROW(Read(bytes.substr(0, cut), &owner), EStreamError) << "cut at " << cut;
    ASSERT_EQ(owner.ComponentCount(), 0) << "cut at " << cut;
  }
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"TNoSuchClass { }", "Class TNoSuchClass not found"},
      {"TStreamPart { }", "Class TStreamPart is not a component"},
      {"TStreamProbe X { Missing = 1 }", "Property Missing does not exist"},
      {"TStreamProbe X { Shade = shPurple }", "Invalid property value"},
      {"TStreamProbe X { Shade = 3 }", "Invalid property value"},
      {"TStreamProbe X { Flag = 1 }", "Invalid property value"},
      {"TStreamProbe X { Link = Nobody }", "Unresolved link to component Nobody"},
      {"TStreamProbe X { TStreamProbe Y { } TStreamProbe Y { } }", "A component named Y already exists"},
  };
  for (const Case& c : cases) {
    try {
      Read(ToBinary(c.text), &owner);
      ADD_FAILURE() << c.text;
    } catch (const EFilerError& e) {
      EXPECT_NE(e.Message().find(c.message), std::string::npos) << c.text << ": " << e.Message();
    }
    EXPECT_EQ(owner.ComponentCount(), 0) << c.text;
  }
  // Names the text form cannot hold, put straight into the binary form: the stream's read error,
  // whichever way the stream goes.
  const std::string named = ToBinary("TStreamProbe Ab { TStreamProbe Cd { } }");
  const auto renamed = [&](const std::string& from, const std::string& to) {
    std::string b = named;
    b.replace(b.find(from), from.size(), to);
    return b;
  };
  for (const std::string& bad : {renamed("Ab", "1b"), renamed("Cd", "C."), renamed("Ab", "A-")}) {
    EXPECT_THROW(Read(bad, &owner), EReadError);
    EXPECT_EQ(owner.ComponentCount(), 0);
  }
  EXPECT_THROW(Read(ToBinary("TStreamProbe X { TStreamProbe Y { } TStreamProbe Y { } }"), &owner), EReadError);
  // 255 bytes is the longest name both ways.
  const std::string longest(255, 'n');
  EXPECT_EQ(ToText(ToBinary("TStreamProbe " + longest + " { }")), "TStreamProbe " + longest + " {\n}\n");
  EXPECT_THROW(ToBinary("TStreamProbe " + longest + "n { }"), EReadError);
  EXPECT_THROW(ToText(renamed("Ab", "1b")), EReadError);
  EXPECT_THROW(ToText(renamed("Cd", "C.")), EReadError);
  std::string noSignature = bytes;
  noSignature[0] = 'X';
  EXPECT_THROW(Read(noSignature, &owner), EReadError);
  EXPECT_THROW(ToText(noSignature), EReadError);
}

TEST(Filer, BadTextNamesTheLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"TStreamProbe {\n  Count = \n}", "line 3"},
      {"TStreamProbe {\n  Text = \"open\n}", "line 2: unterminated text"},
      {"TStreamProbe {\n  TStreamProbe A { }\n  Count = 1\n}", "line 3: properties come before the children"},
      {"TStreamProbe {\n  Blob = <0F1>\n}", "line 2: an odd number"},
      {"TStreamProbe {\n}\nextra", "line 3: text after the component"},
      {"TStreamProbe {\n  TStreamProbe 9lives { }\n}", "line 2: \"9lives\" is not a valid component name"},
      {"TStreamProbe a.b {\n}", "line 1: \"a.b\" is not a valid component name"},
  };
  for (const auto& [text, where] : cases) {
    try {
      ToBinary(text);
      ADD_FAILURE() << text;
    } catch (const EReadError& e) {
      EXPECT_NE(e.Message().find(where), std::string::npos) << text << ": " << e.Message();
    }
  }
}
