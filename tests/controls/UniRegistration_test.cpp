// Every registered wide class streams its wide properties out and in, with the UTF-7 companion
// where a text needs it.
#include <gtest/gtest.h>

#include <memory>

#include "controls/CsItems.h"
#include "controls/UniActions.h"
#include "controls/UniApplication.h"
#include "controls/UniMenus.h"
#include "controls/UniRegistration.h"
#include "framework/Filer.h"
#include "framework/Streams.h"

namespace cs {
namespace {

template <typename T>
std::unique_ptr<T> RoundTrip(T* source, std::string* text) {
  fw::TMemoryStream stream, asText;
  stream.WriteComponent(source);
  stream.SetPosition(0);
  fw::ComponentBinaryToText(&stream, &asText);
  asText.SetPosition(0);
  *text = asText.ReadRemaining();
  stream.SetPosition(0);
  return std::unique_ptr<T>(dynamic_cast<T*>(stream.ReadComponent(nullptr)));
}

TEST(WideRegistration, MenuItemsActionsAndHintActionsKeepTheirWideTexts) {
  RegisterUnicodeControls();
  std::string text;
  TUniMenuItem item(nullptr);
  item.SetName("Item1");
  item.SetCaption(u"&Файл ✓");
  item.SetHint(u"Файл|Работа с файлами");
  auto itemCopy = RoundTrip(&item, &text);
  ASSERT_NE(itemCopy, nullptr);
  EXPECT_EQ(itemCopy->Caption(), u"&Файл ✓");
  EXPECT_EQ(itemCopy->Hint(), u"Файл|Работа с файлами");
  EXPECT_NE(text.find("Caption_UTF7 = "), std::string::npos) << text;
  EXPECT_FALSE(itemCopy->ComponentState().Contains(fw::csLoading));  // loading ended

  TUniAction action(nullptr);
  action.SetName("Action1");
  action.SetCaption(u"Сохранить \U0001F4BE");
  action.SetHint(u"plain");
  auto actionCopy = RoundTrip(&action, &text);
  ASSERT_NE(actionCopy, nullptr);
  EXPECT_EQ(actionCopy->Caption(), u"Сохранить \U0001F4BE");
  EXPECT_EQ(actionCopy->Hint(), u"plain");
  EXPECT_EQ(text.find("Hint_UTF7"), std::string::npos) << text;  // ASCII needs no companion

  TUniHintAction hint(nullptr);
  hint.SetName("Hint1");
  hint.SetHint(u"Подсказка");
  auto hintCopy = RoundTrip(&hint, &text);
  ASSERT_NE(hintCopy, nullptr);
  EXPECT_EQ(hintCopy->Hint(), u"Подсказка");
}

TEST(WideRegistration, ControlSetItemsKeepCaptionAndHintAsTheirWideCompanions) {
  RegisterUnicodeControls();
  std::string text;
  TCsItem item(nullptr);
  item.SetName("Item1");
  item.SetCaption(u"&Сохранить ✓");
  auto copy = RoundTrip(&item, &text);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->WideCaption(), u"&Сохранить ✓");
  EXPECT_EQ(copy->WideHint(), u"");
  EXPECT_NE(text.find("CaptionW = "), std::string::npos) << text;
  EXPECT_EQ(text.find("HintW"), std::string::npos) << text;  // empty: not written
  // A stream holding an 8-bit string there reads the same caption.
  const std::string form = "TCsItem Item1 {\n  CaptionW = \"Open\"\n  HintW = \"Opens\"\n}\n";
  fw::TMemoryStream asText, binary;
  asText.WriteBuffer(form.data(), fw::Integer(form.size()));
  asText.SetPosition(0);
  fw::ComponentTextToBinary(&asText, &binary);
  binary.SetPosition(0);
  std::unique_ptr<TCsItem> read(dynamic_cast<TCsItem*>(binary.ReadComponent(nullptr)));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->WideCaption(), u"Open");
  EXPECT_EQ(read->WideHint(), u"Opens");
}

}  // namespace
}  // namespace cs
