// Wide string lists: line splitting, sorting, duplicates, events, names, the ANSI view, files
// in every character set (checked against Python's codecs) and form storage of wide values.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "PythonCodecs.h"
#include "controls/UniCodePages.h"
#include "controls/UniFiles.h"
#include "controls/UniStrings.h"
#include "framework/Component.h"
#include "framework/Filer.h"
#include "framework/PropInfo.h"
#include "framework/StreamSlices.h"
#include "framework/Streams.h"
#include "platform/kernel/Files.h"

namespace cs {
namespace {

std::vector<WideString> Lines(const TUniStrings& list) {
  std::vector<WideString> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
  return out;
}

struct SplitCase {
  WideString text;
  std::vector<WideString> lines;
};

TEST(UniStrings, SetTextSplitsAtCrLfAndLineSeparator) {
  const SplitCase cases[] = {
      {u"a\r\nb\rc\n\u2028d", {u"a", u"b", u"c", u"d"}},
      {u"a\r\u2028b", {u"a", u"b"}},
      {u"a\n\rb", {u"a", u"", u"b"}},
      {u"a\r\n", {u"a"}},
      {u"", {}},
      {WideString(u"x\0y\nz", 5), {WideString(u"x\0y", 3), u"z"}},  // NUL is an ordinary character
  };
  TUniStringList list;
  for (const auto& c : cases) {
    list.SetTextStr(c.text);
    EXPECT_EQ(Lines(list), c.lines);
  }
  list.SetTextStr(u"a\nb");
  EXPECT_EQ(list.Text(), u"a\r\nb\r\n");
  char16_t* text = list.GetText();
  EXPECT_EQ(WideString(text), u"a\r\nb\r\n");
  WideStrDispose(text);
}

TEST(UniStringList, SortedListFindsIgnoresAcceptsAndRefusesDuplicates) {
  TUniStringList list;
  list.SetSorted(true);
  EXPECT_EQ(list.Add(u"b"), 0);
  EXPECT_EQ(list.Add(u"a"), 0);
  EXPECT_EQ(list.Add(u"B"), 1);  // ignored: the first equal one's index
  EXPECT_EQ(list.Count(), 2);
  list.SetDuplicates(fw::dupAccept);
  list.Add(u"x");
  EXPECT_EQ(list.Add(u"X"), 2);  // before the equal one: finding goes left
  EXPECT_EQ(list.Strings(2), u"X");
  list.SetDuplicates(fw::dupError);
  EXPECT_THROW(list.Add(u"A"), fw::EStringListError);
  EXPECT_EQ(list.IndexOf(u"ж"), -1);
  list.Add(u"Ж");
  EXPECT_EQ(list.IndexOf(u"ж"), 4);
  try {
    list.Put(0, u"q");
    ADD_FAILURE();
  } catch (const fw::EStringListError& e) {
    EXPECT_STREQ(e.what(), "Operation not allowed on sorted list");
  }
  EXPECT_THROW(list.Insert(0, u"q"), fw::EStringListError);
}

TEST(UniStringList, SortingAnUnsortedListOnSortedAndByCustomOrder) {
  TUniStringList list;
  list.SetTextStr(u"в\nБ\nа\nЁ\nе");
  list.SetSorted(true);
  EXPECT_EQ(Lines(list), (std::vector<WideString>{u"а", u"Б", u"в", u"е", u"Ё"}));
  list.SetSorted(false);
  list.CustomSort([](TUniStringList* l, int a, int b) { return -l->CompareStrings(l->Strings(a), l->Strings(b)); });
  EXPECT_EQ(Lines(list), (std::vector<WideString>{u"Ё", u"е", u"в", u"Б", u"а"}));
  int changes = 0;
  list.OnChange = [&](fw::TObject*) { ++changes; };
  list.SetSorted(true);
  list.CustomSort([](TUniStringList*, int, int) { return 0; });  // a sorted list is left alone
  EXPECT_EQ(changes, 1);
}

TEST(UniStringList, IndexErrorsAndBounds) {
  TUniStringList list;
  list.Add(u"a");
  list.Add(u"b");
  for (int bad : {-1, 2, 5}) {
    try {
      list.Get(bad);
      ADD_FAILURE();
    } catch (const fw::EStringListError& e) {
      EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
  EXPECT_THROW(list.Delete(2), fw::EStringListError);
  EXPECT_THROW(list.Exchange(0, 2), fw::EStringListError);
  list.Insert(2, u"c");  // at Count is allowed
  EXPECT_THROW(list.Insert(4, u"d"), fw::EStringListError);
  EXPECT_THROW(list.SetCapacity(1), fw::EStringListError);  // would drop lines
}

TEST(UniStringList, ChangeEventsOncePerChangeAndPerUpdate) {
  std::vector<std::string> events;
  auto list = std::make_unique<TUniStringList>();
  list->OnChanging = [&](fw::TObject*) { events.push_back("changing"); };
  list->OnChange = [&](fw::TObject*) { events.push_back("change"); };
  list->Add(u"a");
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "change"}));
  events.clear();
  list->BeginUpdate();
  list->Add(u"b");
  list->Add(u"c");
  list->Exchange(0, 2);
  list->EndUpdate();
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "change"}));
  events.clear();
  list->SetTextStr(u"x\ny\nz");  // one change for the whole text
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "change"}));
  events.clear();
  list->Add(u"w");
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "change"}));
  events.clear();
  // A text the list refuses part of still ends its update.
  list->SetSorted(true);
  list->SetDuplicates(fw::dupError);
  EXPECT_THROW(list->SetTextStr(u"same\nsame"), fw::EStringListError);
  EXPECT_EQ(list->UpdateCount(), 0);
  events.clear();
  TUniStringList empty;
  empty.OnChange = [&](fw::TObject*) { events.push_back("change"); };
  empty.Clear();
  list.reset();  // destruction fires nothing
  EXPECT_TRUE(events.empty());
}

TEST(UniStringList, CapacityGrowsByTheRule) {
  TUniStringList list;
  std::vector<int> capacities;
  for (int i = 0; i < 90; ++i) {
    list.Add(u"x");
    if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95}));
}

TEST(UniStrings, NamesObjectsMoveAndCaseSensitivity) {
  TUniStringList list;
  fw::TObject marker;
  list.SetTextStr(u"x=1\nКлюч=2\nplain");
  list.PutObject(2, &marker);
  EXPECT_EQ(list.IndexOfName(u"ключ"), 1);
  EXPECT_EQ(list.IndexOfName(u"plain"), -1);
  EXPECT_EQ(list.IndexOfObject(&marker), 2);
  list.Move(2, 0);
  EXPECT_EQ(list.Strings(0), u"plain");
  EXPECT_EQ(list.Objects(0), &marker);
  list.SetNameValueSeparator(u':');
  list.Add(u"k:v");
  EXPECT_EQ(list.IndexOfName(u"K"), 3);
  list.SetSorted(true);
  EXPECT_EQ(list.IndexOfName(u"k"), list.IndexOf(u"k:v"));
  TUniStringList cased;
  cased.Add(u"a");
  EXPECT_EQ(cased.IndexOf(u"A"), 0);
  cased.SetCaseSensitive(true);
  EXPECT_EQ(cased.IndexOf(u"A"), -1);
  // A sorted list is sorted again under the new comparison, so finding still holds.
  TUniStringList sorted;
  sorted.SetDuplicates(fw::dupAccept);
  sorted.SetSorted(true);
  for (const char16_t* s : {u"b", u"B", u"a", u"A"}) sorted.Add(s);
  sorted.SetCaseSensitive(true);
  EXPECT_EQ(Lines(sorted), (std::vector<WideString>{u"a", u"A", u"b", u"B"}));
  EXPECT_EQ(sorted.IndexOf(u"B"), 3);
  EXPECT_EQ(sorted.IndexOf(u"A"), 1);
}

TEST(UniStrings, AssignCopiesSeparatorsAndTheAnsiViewShowsWhatTheCodePageHolds) {
  TUniStringList source, copy;
  source.SetTextStr(u"Жук\n\u4E2D");
  source.SetNameValueSeparator(u':');
  copy.Assign(&source);
  EXPECT_EQ(Lines(copy), Lines(source));
  EXPECT_EQ(copy.NameValueSeparator(), u':');
  // The ANSI view: "?" for what Windows Cyrillic lacks.
  EXPECT_EQ(source.AnsiStrings()->Strings(0), "Жук");
  EXPECT_EQ(source.AnsiStrings()->Strings(1), "?");
  fw::TStringList framework;
  framework.Assign(&source);
  EXPECT_EQ(framework.Text(), "Жук\r\n?\r\n");
  // From the framework's list nothing is lost: its text is UTF-8.
  framework.SetText("ёлка\n\u4E2D");
  copy.Assign(&framework);
  EXPECT_EQ(Lines(copy), (std::vector<WideString>{u"ёлка", u"\u4E2D"}));
  fw::TMemoryStream bytes;
  copy.AnsiStrings()->SaveToStreamEx(&bytes, 1251);
  bytes.SetPosition(0);
  EXPECT_EQ(bytes.ReadRemaining(), "\xB8\xEB\xEA\xE0\r\n?\r\n");
  bytes.SetPosition(0);
  copy.AnsiStrings()->LoadFromStreamEx(&bytes, 1251);
  EXPECT_EQ(Lines(copy), (std::vector<WideString>{u"ёлка", u"?"}));
}

class WideListFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() / ("kv_unilist_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  WideString Name(const char* n) { return win::WidePathOf((dir / n).string()); }
  void Write(const char* n, const std::string& bytes) { std::ofstream(dir / n, std::ios::binary) << bytes; }
  std::string Read(const char* n) {
    std::ifstream in(dir / n, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  std::filesystem::path dir;
};

TEST_F(WideListFiles, SaveWritesMarkAndUtf16LeThatPythonReads) {
  TUniStringList list;
  list.SetTextStr(u"Привет\n\U0001F600 ok\n\xD800 lone");
  list.SaveToFile(Name("out.txt"));
  const std::string bytes = Read("out.txt");
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  const auto decoded = test::PythonDecode({bytes}, "utf-16", "surrogatepass");  // Python reads the mark
  ASSERT_EQ(decoded.size(), 1u) << "python3 is needed";
  EXPECT_EQ(decoded[0], list.Text());
  TUniStringList back;
  back.LoadFromFile(Name("out.txt"));
  EXPECT_EQ(back.LastFileCharSet(), ucsUtf16LE);
  EXPECT_EQ(Lines(back), Lines(list));  // the lone surrogate survives
}

TEST_F(WideListFiles, LoadsEveryCharacterSetByItsMark) {
  const WideString text = u"Ёж\r\nabc\r\n";
  const auto le = test::PythonEncode({text}, "utf-16-le");
  const auto be = test::PythonEncode({text}, "utf-16-be");
  const auto utf8 = test::PythonEncode({text}, "utf-8-sig");
  const auto cp1251 = test::PythonEncode({text}, "cp1251");
  ASSERT_EQ(le.size() + be.size() + utf8.size() + cp1251.size(), 4u) << "python3 is needed";
  struct FileCase {
    std::string bytes;
    TUniCharSet charSet;
  } cases[] = {{"\xFF\xFE" + le[0], ucsUtf16LE},
               {"\xFE\xFF" + be[0], ucsUtf16BE},
               {utf8[0], ucsUtf8},
               {cp1251[0], ucsAnsi}};
  for (const auto& c : cases) {
    Write("in.txt", c.bytes);
    TUniStringList list;
    list.LoadFromFile(Name("in.txt"));
    EXPECT_EQ(list.LastFileCharSet(), c.charSet);
    EXPECT_EQ(list.Text(), text) << int(c.charSet);
  }
}

TEST_F(WideListFiles, BadInputReadsWithoutLoss) {
  struct BadCase {
    std::string bytes;
    std::vector<WideString> lines;
  } cases[] = {
      {std::string("\xFF\xFE" "a\0b", 5), {u"a"}},                        // odd length: last byte left
      {std::string("\xFE\xFF\0a\0\0\0b", 8), {WideString(u"a\0b", 3)}},  // NUL inside big-endian text
      {std::string("\xFF\xFE\x41", 3), {}},                               // a mark and one byte
      {"\xEF\xBB\xBF\xC6\xF3", {u"\uFFFD\uFFFD"}},                        // a mark that lies: bad UTF-8
      {"\xFF", {u"я"}},                                                   // one byte: ANSI
  };
  for (const auto& c : cases) {
    Write("bad.txt", c.bytes);
    TUniStringList list;
    list.LoadFromFile(Name("bad.txt"));
    EXPECT_EQ(Lines(list), c.lines);
  }
  TUniStringList list;
  EXPECT_THROW(list.LoadFromFile(Name("missing.txt")), fw::EFOpenError);
  EXPECT_THROW(list.SaveToFile(Name("no/such.txt")), fw::EFCreateError);
}

TEST(UniStrings, BreaksAcrossTheLoadersPiecesCountOnce) {
  // Files are read a quarter of a million characters at a time; a break may straddle two.
  const std::size_t piece = 1 << 18;
  for (const WideString& brk : {WideString(u"\r\n"), WideString(u"\r\u2028"), WideString(u"\n\u2028")}) {
    for (bool bigEndian : {false, true}) {
      WideString text(piece - 1, u'a');
      text += brk + u"b\r\n" + WideString(piece, u'c') + u"\u2028" + WideString(10, u'd');
      fw::TMemoryStream stream;
      stream.WriteBuffer(bigEndian ? "\xFE\xFF" : "\xFF\xFE", 2);
      for (char16_t c : text) {
        const unsigned char bytes[2] = {static_cast<unsigned char>(bigEndian ? c >> 8 : c & 0xFF),
                                        static_cast<unsigned char>(bigEndian ? c & 0xFF : c >> 8)};
        stream.WriteBuffer(bytes, 2);
      }
      stream.SetPosition(0);
      TUniStringList loaded, direct;
      loaded.LoadFromStream(&stream, true);
      direct.SetTextStr(text);
      ASSERT_EQ(loaded.Count(), 4);
      EXPECT_EQ(Lines(loaded), Lines(direct));
      EXPECT_EQ(loaded.Strings(1), u"b");
    }
  }
}

TEST(UniStrings, StreamWithoutMarkIsUtf16Le) {
  TUniStringList list;
  fw::TMemoryStream stream;
  list.SetTextStr(u"ж");
  list.SaveToStream(&stream, false);
  EXPECT_EQ(stream.Size(), 6);
  stream.SetPosition(0);
  TUniStringList back;
  back.LoadFromStream(&stream, false);
  EXPECT_EQ(Lines(back), (std::vector<WideString>{u"ж"}));
}

// A stream that refuses any one read or write of more than Most bytes.
class TNarrowStream : public fw::TMemoryStream {
 public:
  explicit TNarrowStream(fw::Integer Most) : FMost(Most) {}
  fw::Integer Read(void* Buffer, fw::Integer Count) override {
    return Count > FMost ? 0 : fw::TMemoryStream::Read(Buffer, Count);
  }
  fw::Integer Write(const void* Buffer, fw::Integer Count) override {
    return Count > FMost ? 0 : fw::TMemoryStream::Write(Buffer, Count);
  }

 private:
  fw::Integer FMost;
};

// A count of 2 GiB and more does not fit one read or write: texts of every character set go in
// slices (made small here), and read back whole.
TEST(UniStrings, LongTextsGoThroughTheStreamInSlices) {
  const std::size_t saved = fw::StreamSliceBytes;
  fw::StreamSliceBytes = 16;
  WideString text;
  for (int i = 0; i < 40; ++i) text += u"line " + Utf8ToWide(std::to_string(i)) + u" \u00e9\r\n";
  TUniStringList direct;
  direct.SetTextStr(text);
  struct Case { const char* Name; std::string Bytes; WideString Read; };
  const Case cases[] = {{"UTF-8", "\xEF\xBB\xBF" + WideToUtf8(text), text},
                        {"ANSI", WideToAnsi(text), AnsiToWide(WideToAnsi(text))}};
  for (const Case& c : cases) {
    direct.SetTextStr(c.Read);
    TNarrowStream stream(16);
    for (char b : c.Bytes) stream.WriteBuffer(&b, 1);
    stream.SetPosition(0);
    TUniStringList loaded;
    EXPECT_NO_THROW(loaded.LoadFromStream(&stream, true)) << c.Name;
    EXPECT_EQ(Lines(loaded), Lines(direct)) << c.Name;
  }
  direct.SetTextStr(text);
  TNarrowStream written(16);
  EXPECT_NO_THROW(direct.SaveToStream(&written, false));
  EXPECT_EQ(written.Size(), fw::Int64(text.size() * 2));
  fw::StreamSliceBytes = saved;
}

// Form storage --------------------------------------------------------------------------------

class TWideProbe : public fw::TComponent {
 public:
  using fw::TComponent::TComponent;
  TUniStringList* Items() const { return &FItems; }
  const WideString& Caption() const { return FCaption; }
  void SetCaption(const WideString& Value) { FCaption = Value; }
  fw::Int64 PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(fw::Int64 Value) { FPasswordChar = Value; }
  void DefineProperties(fw::TFiler* Filer) override {
    fw::TComponent::DefineProperties(Filer);
    DefineWideStreamProperties(Filer, this);
  }
  mutable TUniStringList FItems;
  WideString FCaption;
  fw::Int64 FPasswordChar = 0;
};

void RegisterProbe() {
  static bool done = false;
  if (done) return;
  done = true;
  fw::RegisterClass<TWideProbe>();
  fw::TPropInfo passwordChar = fw::Prop("PasswordChar", &TWideProbe::PasswordChar, &TWideProbe::SetPasswordChar);
  passwordChar.DefaultValue = fw::Int64(0);
  passwordChar.WideChar();
  fw::RegisterProperties<TWideProbe>({
      fw::ObjectProp("Items", &TWideProbe::Items),
      fw::Prop("Caption", &TWideProbe::Caption, &TWideProbe::SetCaption),
      passwordChar,
  });
}

std::string AsText(fw::TComponent* c) {
  fw::TMemoryStream binary, text;
  binary.WriteComponent(c);
  binary.SetPosition(0);
  fw::ComponentBinaryToText(&binary, &text);
  text.SetPosition(0);
  return text.ReadRemaining();
}

std::unique_ptr<TWideProbe> FromText(const std::string& form, fw::TComponent* owner) {
  fw::TStringStream text(form);
  fw::TMemoryStream binary;
  fw::ComponentTextToBinary(&text, &binary);
  binary.SetPosition(0);
  return std::unique_ptr<TWideProbe>(dynamic_cast<TWideProbe*>(binary.ReadComponent(owner)));
}

std::unique_ptr<TWideProbe> RoundTrip(TWideProbe* source) {
  fw::TMemoryStream stream;
  stream.WriteComponent(source);
  stream.SetPosition(0);
  return std::unique_ptr<TWideProbe>(dynamic_cast<TWideProbe*>(stream.ReadComponent(nullptr)));
}

TEST(WideFormStorage, CompanionsWrittenOnlyWhereTheTextNeedsThem) {
  RegisterProbe();
  TWideProbe probe(nullptr);
  probe.SetName("Probe");
  EXPECT_EQ(AsText(&probe).find("WideStrings"), std::string::npos);  // empty: neither
  probe.Items()->SetTextStr(u"abc\ndef");
  probe.SetCaption(u"plain");
  std::string text = AsText(&probe);
  EXPECT_NE(text.find("Items.WideStrings = "), std::string::npos);
  EXPECT_EQ(text.find("_UTF7"), std::string::npos) << text;
  probe.Items()->Add(u"\u00E9t\u00E9");
  probe.SetCaption(u"Жук");
  probe.SetPasswordChar(u'●');
  text = AsText(&probe);
  EXPECT_NE(text.find("Items.WideStrings_UTF7 = ( \"abc\" \"def\" \"+AOk-t+AOk\" )"), std::string::npos) << text;
  EXPECT_NE(text.find("Caption_UTF7 = \"+BBYEQwQ6\""), std::string::npos) << text;
  EXPECT_NE(text.find("PasswordCharW = w\""), std::string::npos) << text;
}

TEST(WideFormStorage, EveryWidePropertyRoundTrips) {
  RegisterProbe();
  TWideProbe probe(nullptr);
  probe.SetName("Probe");
  probe.Items()->SetTextStr(WideString(u"Ёлка\n\U0001F600\n\xDC00 lone\n", 15) + WideString(u"nul\0in", 6));
  probe.SetCaption(u"Заголовок \u4E2D");
  probe.SetPasswordChar(u'●');
  for (bool utf : {false, true}) {
    UtfStreamingAtRunTime = utf;
    auto copy = RoundTrip(&probe);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Lines(*copy->Items()), Lines(*probe.Items()));
    EXPECT_EQ(copy->Caption(), probe.Caption());
    EXPECT_EQ(copy->PasswordChar(), fw::Int64(u'●'));
  }
  UtfStreamingAtRunTime = false;
}

TEST(WideFormStorage, UtfCompanionsAreReadOnlyWhenTheReaderWantsThem) {
  RegisterProbe();
  const std::string form =
      "TWideProbe Probe {\n"
      "  Items.WideStrings_UTF7 = ( \"+BBYEQwQ6-\" )\n"
      "  CaptionW = \"\xD0\xB6\"\n"
      "  PasswordChar_UTF7 = \"+Jc8\"\n"
      "}\n";
  fw::TComponent owner(nullptr);
  UtfStreamingAtRunTime = true;
  auto read = FromText(form, &owner);
  UtfStreamingAtRunTime = false;
  EXPECT_EQ(Lines(*read->Items()), (std::vector<WideString>{u"Жук"}));
  EXPECT_EQ(read->Caption(), u"ж");
  EXPECT_EQ(read->PasswordChar(), fw::Int64(0x25CF));
  read.release();  // the owner frees it
  auto skipped = FromText(form, nullptr);  // no owner: the companions are read and dropped
  EXPECT_EQ(skipped->Items()->Count(), 0);
  EXPECT_EQ(skipped->Caption(), u"");
  // "Strings", a single text and UTF-8 lines for an empty list.
  auto plain = FromText("TWideProbe P {\n  Items.Strings = ( \"a\" w\"\xD0\xB1\" )\n}\n", nullptr);
  EXPECT_EQ(Lines(*plain->Items()), (std::vector<WideString>{u"a", u"б"}));
  auto single = FromText("TWideProbe P {\n  Items.WideStrings = \"x\\r\\ny\"\n}\n", nullptr);
  EXPECT_EQ(Lines(*single->Items()), (std::vector<WideString>{u"x", u"y"}));
  auto utf8 = FromText("TWideProbe P {\n  Items.WideStringsW = ( \"\xD0\xB2\" )\n}\n", nullptr);
  EXPECT_EQ(Lines(*utf8->Items()), (std::vector<WideString>{u"в"}));
}

TEST(WideFormStorage, BadCompanionValuesRaise) {
  RegisterProbe();
  fw::TComponent owner(nullptr);
  EXPECT_THROW(FromText("TWideProbe P {\n  PasswordCharW = \"ab\"\n}\n", nullptr), fw::EReadError);
  EXPECT_THROW(FromText("TWideProbe P {\n  PasswordCharW = 5\n}\n", nullptr), fw::EReadError);
  UtfStreamingAtRunTime = true;
  try {
    FromText("TWideProbe P {\n  Caption_UTF7 = \"+ABC\"\n}\n", &owner);
    ADD_FAILURE();
  } catch (const fw::EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("Invalid UTF7"), std::string::npos);
  }
  UtfStreamingAtRunTime = false;
  auto empty = FromText("TWideProbe P {\n  PasswordCharW = \"\"\n}\n", nullptr);
  EXPECT_EQ(empty->PasswordChar(), 0);
}

}  // namespace
}  // namespace cs
