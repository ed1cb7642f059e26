#include "platform/kernel/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace win {
namespace {

struct GeneralCase {
  Extended value;
  const char* text;
};

class GeneralNumberText : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralNumberText, MatchesTable) {
  EXPECT_EQ(FloatToGeneralText(GetParam().value, ','), GetParam().text)
      << "value " << double(GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, GeneralNumberText,
    ::testing::Values(
        GeneralCase{0.0L, "0"}, GeneralCase{-0.0L, "0"}, GeneralCase{1.5L, "1,5"}, GeneralCase{12345.0L, "12345"},
        GeneralCase{0.5L, "0,5"}, GeneralCase{-2.5L, "-2,5"}, GeneralCase{100.0L, "100"},
        // Lower bound: e = -3 is fixed, e = -4 is scientific.
        GeneralCase{0.001L, "0,001"}, GeneralCase{0.0001L, "0,0001"}, GeneralCase{0.00012345L, "0,00012345"},
        GeneralCase{0.00001L, "1E-5"}, GeneralCase{0.000012345L, "1,2345E-5"}, GeneralCase{-0.00002L, "-2E-5"},
        // Upper bound: e = 15 is fixed, e = 16 is scientific.
        GeneralCase{1e14L, "100000000000000"}, GeneralCase{999999999999999.0L, "999999999999999"},
        GeneralCase{123456789012345.0L, "123456789012345"}, GeneralCase{1e15L, "1E15"},
        GeneralCase{1234567890123456.0L, "1,23456789012346E15"}, GeneralCase{-1e15L, "-1E15"},
        // Rounding to 15 digits, half away from zero on exact ties.
        GeneralCase{123456789012345.5L, "123456789012346"}, GeneralCase{123456789012344.5L, "123456789012345"},
        GeneralCase{-123456789012344.5L, "-123456789012345"}, GeneralCase{12345678901234.25L, "12345678901234,3"},
        GeneralCase{1.0L / 3.0L, "0,333333333333333"}, GeneralCase{2.0L / 3.0L, "0,666666666666667"},
        GeneralCase{Extended(0.1), "0,1"}, GeneralCase{Extended(0.1 + 0.2), "0,3"},
        // Rounding that carries into the next power of ten changes the notation.
        GeneralCase{999999999999999.5L, "1E15"}, GeneralCase{0.0000999999999999999999L, "0,0001"},
        GeneralCase{0.000999999999999999999L, "0,001"}, GeneralCase{9.999999999999999e22L, "1E23"},
        // Exponents are written without "+" and without leading zeros.
        GeneralCase{1e100L, "1E100"}, GeneralCase{-1.5e-10L, "-1,5E-10"}, GeneralCase{2.5e-5L, "2,5E-5"},
        GeneralCase{Extended(1e-300), "1E-300"},
        GeneralCase{Extended(std::numeric_limits<double>::max()), "1,79769313486232E308"},
        GeneralCase{Extended(std::numeric_limits<double>::denorm_min()), "4,94065645841247E-324"},
        GeneralCase{1e1000L, "1E1000"}));

TEST(GeneralNumberTextSpecial, NonFiniteValuesAndSeparator) {
  EXPECT_EQ(FloatToGeneralText(std::numeric_limits<Extended>::quiet_NaN(), ','), "NAN");
  EXPECT_EQ(FloatToGeneralText(std::numeric_limits<Extended>::infinity(), ','), "INF");
  EXPECT_EQ(FloatToGeneralText(-std::numeric_limits<Extended>::infinity(), ','), "-INF");
  EXPECT_EQ(FloatToGeneralText(3.25L, '.'), "3.25");
  EXPECT_EQ(FloatToGeneralText(3.25e-7L, '.'), "3.25E-7");
  // Never any thousands separator.
  EXPECT_EQ(FloatToGeneralText(1234567.5L, ','), "1234567,5");
}

TEST(TextToFloat, AcceptsTheStrictForm) {
  const struct {
    const char* text;
    char sep;
    Extended value;
  } good[] = {
      {"1,5", ',', 1.5L},     {"  -1,5\t ", ',', -1.5L}, {"+2", ',', 2.0L},       {"1,5e3", ',', 1500.0L},
      {"1,5E-3", ',', 1.5e-3L}, {"2e+2", ',', 200.0L},   {"1,", ',', 1.0L},       {",5", ',', 0.5L},
      {"3.25", '.', 3.25L},   {"-0", '.', 0.0L},         {"007", '.', 7.0L},      {"1e-4000", '.', 1e-4000L},
  };
  for (const auto& c : good) {
    Extended v = -99;
    EXPECT_TRUE(TryTextToFloat(c.text, c.sep, v)) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
}

TEST(TextToFloat, RefusesEverythingElseAndLeavesOutputAlone) {
  const char* bad[] = {"",     "   ",  "1.5",   "1 000", "1,000,5", "1,5e",  "e5",    "INF",  "NAN",
                       "inf",  "-",    "+",     "1,5x",  "0x10",    "--1",   "1e+-5", ",",    "1,5 e3",
                       "1e5000", "-1e5000", "1,5,", "١", "1\n"};
  for (const char* text : bad) {
    Extended v = 42;
    EXPECT_FALSE(TryTextToFloat(text, ',', v)) << "'" << text << "'";
    EXPECT_EQ(v, 42) << text;
  }
  Extended v = 42;
  EXPECT_FALSE(TryTextToFloat("1,5", '.', v));
  EXPECT_FALSE(TryTextToFloat("1,234.5", '.', v));
  EXPECT_EQ(v, 42);
}

TEST(TextToFloat, ReadsBackGeneralTextOfDoubles) {
  const double values[] = {0.1, -2.75, 1e-5, 123456.789, 6.02214076e23, 1.0 / 7.0, 5e-324, 1e308};
  for (double d : values) {
    Extended back = 0;
    const std::string text = FloatToGeneralText(d, ',');
    ASSERT_TRUE(TryTextToFloat(text, ',', back)) << text;
    // 15 digits identify the value to within half a unit of the 15th digit.
    EXPECT_NEAR(double(back), d, std::fabs(d) * 5e-15) << text;
  }
}

}  // namespace
}  // namespace win
