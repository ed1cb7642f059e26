#pragma once
// Formula evaluator: + - * / ^, unary minus, one-argument functions, constants and named
// variables. Errors are win::Exception with Russian messages, or the checked arithmetic's
// EInvalidOp / EZeroDivide / EOverflow.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

enum TMathTokenKind : std::uint8_t {
  mtkOpen = 0,
  mtkClose = 1,
  mtkNumber = 2,
  mtkName = 3,
  mtkFunction = 4,
  mtkOperator = 5,
  mtkUnaryMinus = 6,
};

struct TMathToken {
  std::uint8_t kind = mtkNumber;
  // Parenthesis or operator character; for a function its table index negated modulo 256.
  std::uint8_t symbol = 0;
  // Number, or the constant's or variable's value captured when the name was read.
  double value = 0;
  // Variable list index of a variable's name, -1 otherwise: lets a compiled program read that
  // variable from an array of values instead of the captured one.
  int variable = -1;
};

// Token array that starts at 50 entries and grows by 30.
class TMathStack {
 public:
  static constexpr int kInitialCapacity = 50;
  static constexpr int kGrowth = 30;

  TMathStack();
  void Clear();
  void Push(const TMathToken& token);
  // Pop, Peek, GetItem, SetItem and Delete throw std::out_of_range outside the stack.
  TMathToken Pop();
  const TMathToken& Peek() const;
  const TMathToken& GetItem(int index) const;
  void SetItem(int index, const TMathToken& token);
  void Delete(int index);
  int Count() const { return count_; }
  int Capacity() const { return static_cast<int>(items_.size()); }

 private:
  void CheckIndex(int index) const;

  std::vector<TMathToken> items_;
  int count_ = 0;
};

struct TMathFunctionInfo {
  std::u16string name;  // at most 10 characters
  std::u16string help;  // at most 255 characters
};

class TMathParser {
 public:
  TMathParser();
  ~TMathParser();
  TMathParser(const TMathParser&) = delete;
  TMathParser& operator=(const TMathParser&) = delete;

  void AddFunction(std::string_view name, std::string_view help);
  void AddConstant(std::string_view name, double value);
  // Names of constants and variables match the expression's whatever the case of their Latin
  // letters (the expression's are made small).
  void SetVariable(std::string_view name, double value);
  // True when `name` can stand in an expression as a variable: a Latin letter (either case), a
  // small Cyrillic а to я or "_", then such letters, digits and "_".
  static bool IsName(std::string_view name);
  // Normalises and stores the text; does not parse.
  void SetExpression(std::string_view text);
  std::string Expression() const;

  // Builds the reverse Polish sequence; throws on the first error.
  void Parse();
  // Parses again (taking the current variable values) and evaluates.
  double Evaluate();
  // For every i, the result of SetVariable(variable, x[i]) followed by Evaluate(), computed
  // from one parse over blocks of points; the first failing point raises its error. Leaves the
  // variable set to the last x, as the loop would.
  void EvaluateBlock(std::string_view variable, const double* x, double* y, std::size_t count);

  const std::vector<TMathFunctionInfo>& Functions() const { return functions_; }
  // The reverse Polish sequence of the last Parse.
  const TMathStack& Output() const { return output_; }

  // The arithmetic itself, shared by Evaluate and EvaluateBlock so both give identical values.
  static double CalcFunction(int index, double x);
  static double CalcBinary(std::uint8_t symbol, double a, double b);
  static double CalcUnary(std::uint8_t symbol, double x);

 private:
  struct NamedValue {
    std::u16string name;
    double value;
  };

  static void SetListValue(std::vector<NamedValue>& list, std::u16string_view name, double value);
  static int CharClass(char16_t c, std::u16string_view text, std::size_t at);
  static int Priority(const TMathToken& token);
  static bool CheckSequence(int previous, int current);
  TMathToken NextToken();
  TMathToken ReadNumber();
  TMathToken ReadName();
  void PushToken(const TMathToken& token);
  double Calculate();

  std::size_t position_ = 0;  // index of the next character of expression_
  std::u16string expression_;
  TMathStack output_;
  TMathStack operators_;
  std::vector<NamedValue> constants_;
  std::vector<NamedValue> variables_;
  std::vector<TMathFunctionInfo> functions_;
};

}  // namespace analysis
