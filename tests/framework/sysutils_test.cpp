#include <gtest/gtest.h>

#include <unistd.h>

#include "framework/SysUtils.h"
#include "platform/kernel/Locale.h"
#include "stream_TempFolder.h"

namespace fw {
namespace {

class SysUtilsTest : public ::testing::Test {
 protected:
  void TearDown() override { win::locale::ResetRegionalSettings(); }
};

TEST_F(SysUtilsTest, FormatHandlesTheUsualSpecifiers) {
  win::locale::SetRegionalDecimalSeparator(',');
  EXPECT_EQ(Format("%s=%d", "x", 42), "x=42");
  EXPECT_EQ(Format("%x", 255), "FF");
  EXPECT_EQ(Format("%.3d|%5d|%-5d|", 7, 12, 12), "007|   12|12   |");
  EXPECT_EQ(Format("%.2f", 3.14159), "3,14");
  EXPECT_EQ(Format("%.0f", 2.5), "3");  // exact ties round away from zero
  EXPECT_EQ(Format("%.1f", -0.04), "0,0");
  EXPECT_EQ(Format("%.2f", 9.999), "10,00");
  EXPECT_EQ(Format("%n", 1234567.891), "1\u00A0234\u00A0567,89");
  EXPECT_EQ(Format("%g", 0.1), "0,1");
  EXPECT_EQ(Format("100%%"), "100%");
  EXPECT_EQ(Format("%.3s", "abcdef"), "abc");
  win::locale::SetRegionalDecimalSeparator('.');
  EXPECT_EQ(Format("%.1f", 1.25), "1.3");
  EXPECT_EQ(Format("%.1f", 1.15), "1.1");  // 1.15 is stored just below the tie
  EXPECT_EQ(Format("%g", 1e20), "1E20");
}

TEST_F(SysUtilsTest, FormatRejectsMismatchedArguments) {
  EXPECT_THROW(Format("%d", "text"), EConvertError);
  EXPECT_THROW(Format("%s", 5), EConvertError);
  EXPECT_THROW(Format("%d %d", 5), EConvertError);
  try {
    Format("%q", 1);
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Format '%q' invalid or incompatible with argument");
  }
}

TEST_F(SysUtilsTest, IntegerTextRoundTripsAndRefusesJunk) {
  EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(StrToInt(" 42"), 42);
  EXPECT_EQ(StrToInt("-17"), -17);
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("0x10"), 16);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StrToIntDef("2147483648", 5), 5);
  EXPECT_EQ(StrToIntDef("12a", 5), 5);
  EXPECT_EQ(StrToIntDef("", 5), 5);
  EXPECT_EQ(StrToIntDef("-", 5), 5);
  try {
    StrToInt("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(IntToHex(255, 4), "00FF");
}

TEST_F(SysUtilsTest, FloatTextFollowsTheRegionalSeparator) {
  win::locale::SetRegionalDecimalSeparator(',');
  EXPECT_EQ(FloatToStr(1.5), "1,5");
  EXPECT_EQ(FloatToStr(1e-5), "1E-5");
  EXPECT_DOUBLE_EQ(double(StrToFloat("2,25")), 2.25);
  Extended v = 0;
  EXPECT_FALSE(TryStrToFloat("2.25", v));
  try {
    StrToFloat("x");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x' is not a valid floating point value");
  }
  win::locale::SetRegionalDecimalSeparator('.');
  double d = 0;
  EXPECT_TRUE(TryStrToFloat("2.25", d));
  EXPECT_DOUBLE_EQ(d, 2.25);
  EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
  // Beyond the double's range: refused for a double, kept for the wider type.
  for (const char* text : {"1e999", "-2e400", "1.8e308"}) {
    d = 5;
    EXPECT_FALSE(TryStrToFloat(text, d)) << text;
    EXPECT_EQ(d, 5);
    EXPECT_THROW(StrToDouble(text), EConvertError) << text;
    EXPECT_TRUE(TryStrToFloat(text, v)) << text;
  }
  EXPECT_EQ(StrToDouble("1.7e308"), 1.7e308);
}

TEST_F(SysUtilsTest, CaseMappingCoversCyrillic) {
  EXPECT_EQ(UpperCase("abc яж"), "ABC яж");  // ASCII only
  EXPECT_EQ(AnsiUpperCase("abc яжё"), "ABC ЯЖЁ");
  EXPECT_EQ(AnsiLowerCase("ПРИВЕТ"), "привет");
  EXPECT_TRUE(SameText("Hello", "hELLO"));
  EXPECT_FALSE(SameText("Hello", "Hell"));
  EXPECT_TRUE(AnsiSameText("График", "гРАФИК"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_LT(AnsiCompareText("Ель", "ёж"), 0);
  EXPECT_LT(AnsiCompareText("ёж", "жук"), 0);  // Ё sorts right after Е
}

TEST_F(SysUtilsTest, TextHelpers) {
  EXPECT_EQ(Trim("\t  a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(AnsiDequotedStr("'it''s' more", '\''), "it's");
  EXPECT_EQ(StringReplace("a-b-c", "-", "+", {}), "a+b-c");
  EXPECT_EQ(StringReplace("a-b-c", "-", "+", {rfReplaceAll}), "a+b+c");
  EXPECT_EQ(StringReplace("Граф и ГРАФ", "граф", "X", {rfReplaceAll, rfIgnoreCase}), "X и X");
  EXPECT_EQ(StringReplace("Граф и ГРАФ", "граф", "X", {rfReplaceAll}), "Граф и ГРАФ");
  EXPECT_EQ(Pos("lo", "hello"), 4);
  EXPECT_EQ(Pos("x", "hello"), 0);
  EXPECT_EQ(Copy("hello", 2, 3), "ell");
  EXPECT_EQ(Copy("hello", 4, 100), "lo");
  EXPECT_EQ(Copy("hello", 9, 1), "");
  EXPECT_TRUE(IsValidIdent("_a1"));
  EXPECT_FALSE(IsValidIdent("a-b"));
}

TEST_F(SysUtilsTest, FileNameParts) {
  EXPECT_EQ(ExtractFilePath("/home/u/data.txt"), "/home/u/");
  EXPECT_EQ(ExtractFileDir("/home/u/data.txt"), "/home/u");
  EXPECT_EQ(ExtractFileDir("/data.txt"), "/");
  EXPECT_EQ(ExtractFileName("/home/u/data.txt"), "data.txt");
  EXPECT_EQ(ExtractFileExt("/home/u/data.tar.gz"), ".gz");
  EXPECT_EQ(ExtractFileExt("/home/u.d/readme"), "");
  EXPECT_EQ(ChangeFileExt("/home/u.d/readme", ".ini"), "/home/u.d/readme.ini");
  EXPECT_EQ(ChangeFileExt("a/b.txt", ".def"), "a/b.def");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp/"), "/tmp/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/tmp/"), "/tmp");
}

TEST_F(SysUtilsTest, FileAndFolderExistence) {
  kvtest::TempFolder dir;
  std::string file = dir.File("файл.txt");
  EXPECT_FALSE(FileExists(file));
  kvtest::WriteBytes(file, "x");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_TRUE(DirectoryExists(dir.Path()));
  EXPECT_FALSE(FileExists(dir.Path()));
  EXPECT_TRUE(DeleteFile(file));
  EXPECT_FALSE(FileExists(file));
}

TEST_F(SysUtilsTest, AbortRaisesTheSilentException) {
  EXPECT_THROW(Abort(), EAbort);
  int* p = new int(3);
  FreeAndNil(p);
  EXPECT_EQ(p, nullptr);
}

}  // namespace
}  // namespace fw
