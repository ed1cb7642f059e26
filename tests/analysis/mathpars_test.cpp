#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "analysis/MathPars.h"
#include "platform/kernel/Exceptions.h"
#include "platform/kernel/Locale.h"

namespace {

using analysis::TMathParser;

class MathParserTest : public ::testing::Test {
 protected:
  void SetUp() override { win::locale::SetRegionalDecimalSeparator('.'); }
  void TearDown() override { win::locale::ResetRegionalSettings(); }

  double Eval(const std::string& text) {
    parser.SetExpression(text);
    return parser.Evaluate();
  }

  // The message of the error `text` raises, or "" when it evaluates.
  std::string ErrorOf(const std::string& text) {
    try {
      Eval(text);
    } catch (const win::Exception& e) {
      return e.Message();
    }
    return "";
  }

  TMathParser parser;
};

constexpr const char* kSequence = "Недопустимая последовательность операций";
constexpr const char* kInvalid = "Invalid floating point operation";
constexpr const char* kZeroDivide = "Floating point division by zero";
constexpr const char* kOverflow = "Floating point overflow";

TEST_F(MathParserTest, NormalisedText) {
  parser.SetExpression("-X + SIN(Y)\r\n*Б");
  EXPECT_EQ(parser.Expression(), "(~x+sin(y)*Б)");
  parser.SetExpression("( -1)");
  EXPECT_EQ(parser.Expression(), "((-1))");
  parser.SetExpression("");
  EXPECT_EQ(parser.Expression(), "()");
}

TEST_F(MathParserTest, PrecedenceOfOperators) {
  EXPECT_EQ(Eval("2+3*4"), 14);
  EXPECT_EQ(Eval("(2+3)*4"), 20);
  EXPECT_EQ(Eval("2*3^2"), 18);
  EXPECT_EQ(Eval("2+12/4^2"), 2.75);
  EXPECT_EQ(Eval("10-4-3"), 3);
  EXPECT_EQ(Eval("8/4/2"), 1);
  EXPECT_EQ(Eval("1-2+3"), 2);
  EXPECT_EQ(Eval("((((7))))"), 7);
}

TEST_F(MathParserTest, PowersGroupToTheLeftAndUnaryMinusBindsTighter) {
  EXPECT_EQ(Eval("2^3^2"), 64);
  EXPECT_EQ(Eval("2^(3^2)"), 512);
  EXPECT_EQ(Eval("-2^2"), 4);
  EXPECT_EQ(Eval("-2^3"), -8);
  EXPECT_EQ(Eval("2^(-1)"), 0.5);
  EXPECT_EQ(ErrorOf("2^-1"), kSequence);
}

TEST_F(MathParserTest, UnaryMinusOnlyRightAfterAnOpeningParenthesis) {
  parser.SetVariable("x", 3);
  EXPECT_EQ(Eval("-x+1"), -2);
  EXPECT_EQ(Eval("2*(-3)"), -6);
  EXPECT_EQ(Eval("-(2+3)*2"), -10);
  EXPECT_EQ(Eval("(-(-4))"), 4);
  EXPECT_EQ(ErrorOf("2*-3"), kSequence);
  EXPECT_EQ(ErrorOf("( -3)"), kSequence);
  EXPECT_EQ(ErrorOf("(\n-3)"), kSequence);
  EXPECT_EQ(ErrorOf("( 2 *\t( -3 ) )"), kSequence);
  EXPECT_EQ(Eval(" ( 2 *\t(-3 ) ) "), -6);
}

TEST_F(MathParserTest, EveryFunction) {
  const double a = 0.3;
  parser.SetVariable("a", a);
  EXPECT_DOUBLE_EQ(Eval("sin(a)"), std::sin(a));
  EXPECT_DOUBLE_EQ(Eval("sinh(a)"), std::sinh(a));
  EXPECT_DOUBLE_EQ(Eval("arcsin(a)"), std::asin(a));
  EXPECT_DOUBLE_EQ(Eval("arcsinh(a)"), std::asinh(a));
  EXPECT_DOUBLE_EQ(Eval("cos(a)"), std::cos(a));
  EXPECT_DOUBLE_EQ(Eval("cosh(a)"), std::cosh(a));
  EXPECT_DOUBLE_EQ(Eval("arccos(a)"), std::acos(a));
  EXPECT_DOUBLE_EQ(Eval("arccosh(1+a)"), std::acosh(1 + a));
  EXPECT_DOUBLE_EQ(Eval("tan(a)"), std::tan(a));
  EXPECT_DOUBLE_EQ(Eval("tanh(a)"), std::tanh(a));
  EXPECT_DOUBLE_EQ(Eval("arctan(a)"), std::atan(a));
  EXPECT_DOUBLE_EQ(Eval("arctanh(a)"), std::atanh(a));
  EXPECT_DOUBLE_EQ(Eval("cot(a)"), 1 / std::tan(a));
  EXPECT_DOUBLE_EQ(Eval("coth(a)"), 1 / std::tanh(a));
  EXPECT_DOUBLE_EQ(Eval("arccot(a)"), std::atan(1 / a));
  EXPECT_DOUBLE_EQ(Eval("arccoth(1/a)"), std::atanh(a));
  EXPECT_DOUBLE_EQ(Eval("exp(a)"), std::exp(a));
  EXPECT_DOUBLE_EQ(Eval("sqrt(a)"), std::sqrt(a));
  EXPECT_DOUBLE_EQ(Eval("sin(pi/2)"), 1);
  EXPECT_DOUBLE_EQ(Eval("sqrt(sqrt(16))"), 2);
}

TEST_F(MathParserTest, InverseCotangentIsContinuousThroughZero) {
  EXPECT_DOUBLE_EQ(Eval("arccot(0)"), std::numbers::pi / 2);
  EXPECT_DOUBLE_EQ(Eval("arccot(-1)"), 3 * std::numbers::pi / 4);
  EXPECT_DOUBLE_EQ(Eval("arccot(1)"), std::numbers::pi / 4);
  EXPECT_DOUBLE_EQ(Eval("arccoth(-2)"), std::atanh(-0.5));
}

TEST_F(MathParserTest, FunctionTableHasItsNamesHelpAndSymbols) {
  const auto& functions = parser.Functions();
  ASSERT_EQ(functions.size(), 18u);
  EXPECT_EQ(functions[0].name, u"sin");
  EXPECT_EQ(functions[15].name, u"arccoth");
  EXPECT_EQ(functions[17].name, u"sqrt");
  EXPECT_EQ(functions[12].help, u"Вычисляет косинус от котангенс в радианах");
  parser.AddFunction("averyverylongname", "");
  EXPECT_EQ(parser.Functions().back().name, u"averyveryl");

  parser.SetExpression("sin(sinh(sqrt(1)))");
  parser.Parse();
  const auto& output = parser.Output();
  ASSERT_EQ(output.Count(), 4);
  EXPECT_EQ(output.GetItem(1).symbol, 239);  // sqrt, index 17
  EXPECT_EQ(output.GetItem(2).symbol, 255);  // sinh, index 1
  EXPECT_EQ(output.GetItem(3).symbol, 0);    // sin, index 0
  EXPECT_EQ(output.GetItem(3).kind, analysis::mtkFunction);
}

TEST_F(MathParserTest, NamesMatchWhateverTheCaseOfTheirLatinLetters) {
  parser.SetVariable("x", std::numbers::pi / 2);
  EXPECT_DOUBLE_EQ(Eval("SIN(X)"), 1);
  TMathParser upper;
  upper.SetVariable("X", 1);
  upper.SetExpression("X+1");
  EXPECT_DOUBLE_EQ(upper.Evaluate(), 2);
  upper.SetVariable("Amp", 4);
  upper.SetExpression("aMP*x");
  EXPECT_DOUBLE_EQ(upper.Evaluate(), 4);
  // Which names a formula can hold.
  for (const char* name : {"a", "A", "_k2", "ширина", "Amp_1"}) EXPECT_TRUE(TMathParser::IsName(name)) << name;
  for (const char* name : {"", "2a", "a b", "Ширина", "ä", "a-b"}) EXPECT_FALSE(TMathParser::IsName(name)) << name;
  parser.SetVariable("pi", 3);
  EXPECT_EQ(Eval("pi"), 3.141592653589793);
  parser.SetVariable("скорость_2", 4);
  EXPECT_EQ(Eval("скорость_2*2"), 8);
}

TEST_F(MathParserTest, VariablesAreTakenAtEachEvaluation) {
  parser.SetExpression("k*x+b");
  parser.SetVariable("k", 2);
  parser.SetVariable("b", 1);
  for (int x = -3; x <= 3; ++x) {
    parser.SetVariable("x", x);
    EXPECT_EQ(parser.Evaluate(), 2 * x + 1);
  }
  parser.SetVariable("k", -1);
  EXPECT_EQ(parser.Evaluate(), -3 + 1);
}

TEST_F(MathParserTest, ErrorMessagesNameTheOffendingText) {
  parser.SetVariable("x", 1);
  EXPECT_EQ(ErrorOf("2+$"), "Недопустимый символ - $");
  EXPECT_EQ(ErrorOf(".5"), "Недопустимый символ - .");
  EXPECT_EQ(ErrorOf("Ж+1"), "Недопустимый символ - Ж");
  EXPECT_EQ(ErrorOf("ё+1"), "Недопустимый символ - ё");
  EXPECT_EQ(ErrorOf("1+\xF0\x9F\x98\x80"), "Недопустимый символ - \xF0\x9F\x98\x80");
  EXPECT_EQ(ErrorOf("1+\xFF"), "Недопустимый символ - \xEF\xBF\xBD");
  EXPECT_EQ(ErrorOf("1.2.3"), "Некорректно задано число - 1.2.3");
  EXPECT_EQ(ErrorOf("2e"), "Некорректно задано число - 2e");
  EXPECT_EQ(ErrorOf("1,5"), "Некорректно задано число - 1,5");
  EXPECT_EQ(ErrorOf("x(2)"), "Неподдерживаемая функция - x");
  EXPECT_EQ(ErrorOf("log(2)"), "Неподдерживаемая функция - log");
  EXPECT_EQ(ErrorOf("y+1"), "Неизвестное имя - y");
  EXPECT_EQ(ErrorOf("sin"), "Неизвестное имя - sin");
  for (const char* text : {"", "  ", "()", "2x", "2(x)", ")(", "1+", "*2", "2*sin()", "(1)2", "sin(2)x"})
    EXPECT_EQ(ErrorOf(text), kSequence) << text;
  // Blanks go before tokens are read.
  EXPECT_EQ(ErrorOf("sin 2"), "Неизвестное имя - sin2");
  EXPECT_EQ(Eval("1 2"), 12);
}

TEST_F(MathParserTest, NumbersFollowTheRegionalSeparator) {
  EXPECT_EQ(Eval("1.e3"), 1000);
  EXPECT_EQ(Eval("1.5E-2"), 0.015);
  EXPECT_EQ(Eval("2e+2"), 200);
  EXPECT_EQ(Eval("12"), 12);
  win::locale::SetRegionalDecimalSeparator(',');
  EXPECT_EQ(Eval("1,5*2"), 3);
  EXPECT_EQ(Eval("1,e1"), 10);
  EXPECT_EQ(ErrorOf("1.5"), "Некорректно задано число - 1.5");
}

TEST_F(MathParserTest, UnbalancedParenthesesAreRefused) {
  for (const char* text : {"2*(1+2", "1)+(2", "(1))", "((1)", "1)", "(1", "sin(1"}) {
    const std::string message = ErrorOf(text);
    EXPECT_NE(message, "") << text;
    EXPECT_NE(message.find("скобк"), std::string::npos) << text << ": " << message;
  }
  EXPECT_EQ(ErrorOf(")("), kSequence);
}

TEST_F(MathParserTest, FloatingPointFaultsRaiseTheCheckedErrors) {
  const auto expectError = [&](const char* text, const char* message) {
    EXPECT_EQ(ErrorOf(text), message) << text;
  };
  expectError("0/0", kInvalid);
  expectError("1/0", kZeroDivide);
  expectError("sqrt(-1)", kInvalid);
  expectError("arcsin(2)", kInvalid);
  expectError("arccos(-1.5)", kInvalid);
  expectError("arccosh(0.5)", kInvalid);
  expectError("arctanh(2)", kInvalid);
  expectError("arctanh(1)", kZeroDivide);
  expectError("arccoth(0.5)", kInvalid);
  expectError("arccoth(0)", kZeroDivide);
  expectError("cot(0)", kZeroDivide);
  expectError("coth(0)", kZeroDivide);
  expectError("(-2)^0.5", kInvalid);
  expectError("0^(-1)", kZeroDivide);
  expectError("exp(1000)", kOverflow);
  expectError("sinh(1000)", kOverflow);
  expectError("1e300*1e300", kOverflow);
  expectError("10^400", kOverflow);
  expectError("2^1e10", kOverflow);
  EXPECT_THROW(Eval("1/0"), win::EZeroDivide);
  EXPECT_THROW(Eval("0/0"), win::EInvalidOp);
  EXPECT_THROW(Eval("exp(1000)"), win::EOverflow);
}

TEST_F(MathParserTest, PowerRule) {
  EXPECT_EQ(Eval("0^0"), 1);
  EXPECT_EQ(Eval("0^3"), 0);
  EXPECT_EQ(Eval("0^0.5"), 0);
  EXPECT_EQ(Eval("(-2)^3"), -8);
  EXPECT_EQ(Eval("(-2)^(-2)"), 0.25);
  EXPECT_EQ(Eval("2^10"), 1024);
  EXPECT_EQ(Eval("2^(-3)"), 0.125);
  EXPECT_DOUBLE_EQ(Eval("2^0.5"), std::sqrt(2.0));
  // A huge whole exponent takes no time proportional to its size.
  EXPECT_NEAR(Eval("1.0000001^2e9") / std::pow(1.0000001, 2e9), 1, 1e-9);
  // The largest exponent taken by multiplication, and the first one past it.
  EXPECT_EQ(Eval("(-1)^2147483647"), -1);
  EXPECT_EQ(ErrorOf("(-1)^2147483648"), kInvalid);
  EXPECT_EQ(Eval("1^2147483648"), 1);
}

}  // namespace
