#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "analysis/MathPars.h"
#include "platform/kernel/Exceptions.h"
#include "platform/kernel/Locale.h"

namespace {

using analysis::TMathParser;
using analysis::TMathStack;
using analysis::TMathToken;

TMathToken Number(double value) {
  TMathToken token;
  token.value = value;
  return token;
}

TEST(MathStackTest, PushPopDeleteAndGrowth) {
  TMathStack stack;
  EXPECT_EQ(stack.Capacity(), 50);
  for (int i = 0; i < 51; ++i) stack.Push(Number(i));
  EXPECT_EQ(stack.Count(), 51);
  EXPECT_EQ(stack.Capacity(), 80);
  EXPECT_EQ(stack.Peek().value, 50);
  EXPECT_EQ(stack.Pop().value, 50);
  stack.Delete(10);
  EXPECT_EQ(stack.Count(), 49);
  EXPECT_EQ(stack.GetItem(9).value, 9);
  EXPECT_EQ(stack.GetItem(10).value, 11);
  EXPECT_EQ(stack.GetItem(48).value, 49);
  stack.SetItem(0, Number(-1));
  EXPECT_EQ(stack.GetItem(0).value, -1);
  EXPECT_THROW(stack.GetItem(49), std::out_of_range);
  EXPECT_THROW(stack.Delete(-1), std::out_of_range);
  stack.Clear();
  EXPECT_EQ(stack.Count(), 0);
  EXPECT_EQ(stack.Capacity(), 50);
  EXPECT_THROW(stack.Pop(), std::out_of_range);
  EXPECT_THROW(stack.Peek(), std::out_of_range);
}

TEST(MathParserLongTest, FormulasLongerThanTheInitialStack) {
  TMathParser parser;
  std::string text = "1";
  for (int i = 2; i <= 120; ++i) text += "+" + std::to_string(i);
  parser.SetExpression(text);
  EXPECT_EQ(parser.Evaluate(), 120 * 121 / 2);
  std::string nested;
  for (int i = 0; i < 70; ++i) nested += "(";
  nested += "2";
  for (int i = 0; i < 70; ++i) nested += ")*1";
  parser.SetExpression(nested);
  EXPECT_EQ(parser.Evaluate(), 2);
}

class MathParserBlockTest : public ::testing::Test {
 protected:
  void SetUp() override { win::locale::SetRegionalDecimalSeparator('.'); }
  void TearDown() override { win::locale::ResetRegionalSettings(); }

  // Single evaluation at each x, the way a caller loops point by point.
  std::vector<double> OneByOne(const std::string& text, const std::vector<double>& xs) {
    TMathParser single;
    single.SetVariable("a", 0.25);
    single.SetExpression(text);
    std::vector<double> ys;
    for (double x : xs) {
      single.SetVariable("x", x);
      ys.push_back(single.Evaluate());
    }
    return ys;
  }

  TMathParser parser;
};

// Block evaluation takes sine, cosine and the exponential from the vector library, within an
// ulp of the correctly rounded value as the scalar library is: formulas with them agree with
// single evaluations to rounding (an ulp apart in a function's value, magnified only where the
// formula cancels), and all others bit for bit.
TEST_F(MathParserBlockTest, BlockValuesAgreeWithSingleEvaluations) {
  std::vector<double> xs;
  for (int i = 0; i < 1000; ++i) xs.push_back(-7.3 + i * 0.0173);
  struct Row {
    const char* text;
    bool exact;
  };
  const Row rows[] = {
      {"sin(x)*exp(-x/10)+a*x^2", false}, {"-x^3+x*(x-1)/(x^2+1)", true}, {"cosh(x/4)-sinh(x/5)*tanh(x)+arctan(x)", true},
      {"(-x)^2+2^x-x^(-2)*1e-3", true},   {"sqrt(x^2+a)*cos(pi*x)-arcsinh(x)", false}, {"-(x-a)", true},
      {"pi", true},                       {"a*3", true},                               {"exp(x)", false},
      {"sin(x)", false},                  {"cos(x*100)", false},                       {"x^7-a^2", true},
  };
  for (const Row& row : rows) {
    parser.SetVariable("a", 0.25);
    parser.SetExpression(row.text);
    std::vector<double> ys(xs.size(), 12345.0);
    parser.EvaluateBlock("x", xs.data(), ys.data(), xs.size());
    const std::vector<double> expected = OneByOne(row.text, xs);
    for (std::size_t i = 0; i < xs.size(); ++i) {
      if (row.exact)
        ASSERT_EQ(std::memcmp(&ys[i], &expected[i], sizeof(double)), 0) << row.text << " " << i;
      else
        ASSERT_NEAR(ys[i], expected[i], 1e-14 * (1 + std::fabs(expected[i]))) << row.text << " " << i;
    }
  }
}

TEST_F(MathParserBlockTest, VariableIsLeftAtTheLastValue) {
  const std::vector<double> xs = {1, 2, 3};
  std::vector<double> ys(3);
  parser.SetExpression("x*10");
  parser.EvaluateBlock("x", xs.data(), ys.data(), xs.size());
  EXPECT_EQ(ys, (std::vector<double>{10, 20, 30}));
  EXPECT_EQ(parser.Evaluate(), 30);
}

TEST_F(MathParserBlockTest, FirstFailingPointRaisesItsOwnError) {
  // Point 1 divides by zero; point 2 fails earlier in the formula (square root). A point by
  // point loop reports the division.
  const std::vector<double> xs = {4, 2, -1, 5};
  std::vector<double> ys(xs.size(), 0);
  parser.SetExpression("sqrt(x)+1/(x-2)");
  EXPECT_THROW(parser.EvaluateBlock("x", xs.data(), ys.data(), xs.size()), win::EZeroDivide);
  EXPECT_EQ(ys[0], 2.5);

  std::vector<double> far(600, 1.0);
  far[400] = -1;
  std::vector<double> out(far.size());
  parser.SetExpression("sqrt(x)");
  EXPECT_THROW(parser.EvaluateBlock("x", far.data(), out.data(), far.size()), win::EInvalidOp);
  EXPECT_EQ(out[399], 1);
}

// Many points are evaluated on several cores: the values are those of one pass, and of two
// failing points the earlier one's error is raised, wherever the two fall.
TEST_F(MathParserBlockTest, ManyPointsGiveOnePassesValuesAndItsFirstError) {
  constexpr std::size_t kMany = 300000;
  std::vector<double> xs(kMany);
  for (std::size_t i = 0; i < kMany; ++i) xs[i] = 0.5 + double(i) * 1e-5;
  std::vector<double> ys(kMany);
  parser.SetVariable("a", 0.25);
  parser.SetExpression("a*x^2-x/3");
  parser.EvaluateBlock("x", xs.data(), ys.data(), kMany);
  for (std::size_t i = 0; i < kMany; i += 997) ASSERT_EQ(ys[i], 0.25 * xs[i] * xs[i] - xs[i] / 3) << i;
  ASSERT_EQ(ys.back(), 0.25 * xs.back() * xs.back() - xs.back() / 3);

  parser.SetExpression("1/x+sqrt(x)");
  struct Case { std::size_t Zero, Negative; bool DivisionFirst; };
  for (const Case& c : {Case{1000, kMany - 5, true}, Case{kMany - 5, 1000, false}, Case{150001, 150000, false},
                        Case{kMany / 2, kMany / 2 + 1, true}}) {
    std::vector<double> bad(kMany, 1.0);
    bad[c.Zero] = 0;
    bad[c.Negative] = -1;
    if (c.DivisionFirst)
      EXPECT_THROW(parser.EvaluateBlock("x", bad.data(), ys.data(), kMany), win::EZeroDivide) << c.Zero;
    else
      EXPECT_THROW(parser.EvaluateBlock("x", bad.data(), ys.data(), kMany), win::EInvalidOp) << c.Negative;
  }
}

TEST_F(MathParserBlockTest, SyntaxErrorsAreRaisedBeforeAnyPoint) {
  const double x = 1;
  double y = 0;
  parser.SetExpression("x+");
  try {
    parser.EvaluateBlock("x", &x, &y, 1);
    ADD_FAILURE() << "evaluated";
  } catch (const win::Exception& e) {
    EXPECT_EQ(e.Message(), "Недопустимая последовательность операций");
  }
  parser.SetExpression("t+1");
  EXPECT_THROW(parser.EvaluateBlock("x", &x, &y, 1), win::Exception);
}

}  // namespace

namespace {

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const win::Exception& e) {
    return e.Message();
  }
  return "";
}

TEST(MathParserBlockFaultTest, BlockRaisesTheSameErrorAsSingleEvaluation) {
  struct Case {
    const char* formula;
    double x;
    const char* message;
  };
  const Case cases[] = {
      {"1/x", 0, "Floating point division by zero"},       {"x/x", 0, "Invalid floating point operation"},
      {"sqrt(x)", -1, "Invalid floating point operation"}, {"arcsin(x)", 2, "Invalid floating point operation"},
      {"arccos(x)", -2, "Invalid floating point operation"}, {"arccosh(x)", 0, "Invalid floating point operation"},
      {"arctanh(x)", 1, "Floating point division by zero"}, {"arctanh(x)", -3, "Invalid floating point operation"},
      {"arccoth(x)", 0, "Floating point division by zero"}, {"arccoth(x)", 0.5, "Invalid floating point operation"},
      {"cot(x)", 0, "Floating point division by zero"},     {"coth(x)", 0, "Floating point division by zero"},
      {"exp(x)", 710, "Floating point overflow"},           {"sinh(x)", -800, "Floating point overflow"},
      {"cosh(x)", 800, "Floating point overflow"},          {"x*x", 1e200, "Floating point overflow"},
      {"x+x", 1.7e308, "Floating point overflow"},          {"x-2*x", -1.7e308, "Floating point overflow"},
      {"x^(1/2)", -2, "Invalid floating point operation"},    {"x^(-1)", 0, "Floating point division by zero"},
      {"x^(-1/2)", 0, "Floating point division by zero"},   {"x^400", 10, "Floating point overflow"},
      {"x^3", 1e120, "Floating point overflow"},            {"2^x", 1e10, "Floating point overflow"},
      {"(1/3)^x", -1000, "Floating point overflow"},
  };
  for (const Case& c : cases) {
    TMathParser single;
    single.SetVariable("x", c.x);
    single.SetExpression(c.formula);
    EXPECT_EQ(MessageOf([&] { single.Evaluate(); }), c.message) << c.formula << " at " << c.x;
    TMathParser block;
    block.SetExpression(c.formula);
    // Every other point is one where the formula has a value.
    double fine = 0;
    for (double candidate : {0.25, 2.0}) {
      single.SetVariable("x", candidate);
      if (MessageOf([&] { single.Evaluate(); }).empty()) fine = candidate;
    }
    ASSERT_NE(fine, 0) << c.formula;
    std::vector<double> xs(300, fine);
    xs[290] = c.x;
    std::vector<double> ys(xs.size());
    EXPECT_EQ(MessageOf([&] { block.EvaluateBlock("x", xs.data(), ys.data(), xs.size()); }), c.message)
        << c.formula << " at " << c.x;
  }
}

TEST(MathParserBlockFaultTest, UnderflowIsNotAnError) {
  TMathParser parser;
  parser.SetExpression("exp(-1000)+10^(-400)+1e-300*1e-300");
  EXPECT_EQ(parser.Evaluate(), 0);
}

}  // namespace
