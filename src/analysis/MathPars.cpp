#include "analysis/MathPars.h"

#include <cfloat>
#include <cmath>
#include <stdexcept>

#include "platform/kernel/Exceptions.h"
#include "platform/kernel/Locale.h"
#include "platform/kernel/NumberText.h"
#include "platform/kernel/TextConvert.h"

namespace analysis {
namespace {

constexpr std::size_t kMaxFunctionName = 10;
constexpr std::size_t kMaxFunctionHelp = 255;

const char* const kFunctionTable[][2] = {
    {"sin", "Вычисляет синус от аргумента в радианах"},
    {"sinh", "Вычисляет гиперболический синус от аргумента в радианах"},
    {"arcsin", "Вычисляет арксинус аргумента"},
    {"arcsinh", "Вычисляет гиперболический арксинус аргумента"},
    {"cos", "Вычисляет косинус от аргумента в радианах"},
    {"cosh", "Вычисляет гиперболический косинус от аргумента в радианах"},
    {"arccos", "Вычисляет арккосинус аргумента"},
    {"arccosh", "Вычисляет гиперболический арккосинус аргумента"},
    {"tan", "Вычисляет тангенс от аргумента в радианах"},
    {"tanh", "Вычисляет гиперболический тангенс от аргумента в радианах"},
    {"arctan", "Вычисляет арктангенс аргумента"},
    {"arctanh", "Вычисляет гиперболический арктангенс аргумента"},
    {"cot", "Вычисляет косинус от котангенс в радианах"},
    {"coth", "Вычисляет гиперболический котангенс от аргумента в радианах"},
    {"arccot", "Вычисляет арккотангенс аргумента"},
    {"arccoth", "Вычисляет гиперболический арккотангенс аргумента"},
    {"exp", "Вычисляет значение числа Е в степени аргумента (Экспонента)"},
    {"sqrt", "Вычисляет значение квадратного корня аргумента"},
};

[[noreturn]] void Fail(const char* message, std::u16string_view what) {
  throw win::Exception(std::string(message) + win::WideToUtf8(what));
}

[[noreturn]] void FailSequence() { throw win::Exception("Недопустимая последовательность операций"); }

[[noreturn]] void FailParentheses() { throw win::Exception("Непарная скобка"); }

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
// Small Latin letters, "_" and the small Cyrillic letters а to я.
bool IsNameLetter(char16_t c) { return (c >= u'a' && c <= u'z') || c == u'_' || (c >= 0x0430 && c <= 0x044F); }
bool IsSeparator(char16_t c) { return c == u'.' || c == u','; }

// Latin capitals become small, in the expression and in the names given to it alike; other
// capitals stay (and no name can hold them).
std::u16string FoldCase(std::u16string text) {
  for (char16_t& c : text)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return text;
}

TMathToken MakeToken(std::uint8_t kind, std::uint8_t symbol) {
  TMathToken token;
  token.kind = kind;
  token.symbol = symbol;
  return token;
}

}  // namespace

// ---- TMathStack ----

TMathStack::TMathStack() : items_(kInitialCapacity) {}

void TMathStack::Clear() {
  items_.assign(kInitialCapacity, TMathToken{});
  count_ = 0;
}

void TMathStack::Push(const TMathToken& token) {
  if (count_ == Capacity()) items_.resize(items_.size() + kGrowth);
  items_[count_++] = token;
}

TMathToken TMathStack::Pop() {
  CheckIndex(count_ - 1);
  return items_[--count_];
}

const TMathToken& TMathStack::Peek() const {
  CheckIndex(count_ - 1);
  return items_[count_ - 1];
}

const TMathToken& TMathStack::GetItem(int index) const {
  CheckIndex(index);
  return items_[index];
}

void TMathStack::SetItem(int index, const TMathToken& token) {
  CheckIndex(index);
  items_[index] = token;
}

void TMathStack::Delete(int index) {
  CheckIndex(index);
  for (int i = index; i + 1 < count_; ++i) items_[i] = items_[i + 1];
  --count_;
}

void TMathStack::CheckIndex(int index) const {
  if (index < 0 || index >= count_) throw std::out_of_range("TMathStack index");
}

// ---- TMathParser: tables ----

TMathParser::TMathParser() {
  AddConstant("pi", 3.141592653589793);
  for (const auto& row : kFunctionTable) AddFunction(row[0], row[1]);
}

TMathParser::~TMathParser() = default;

void TMathParser::AddFunction(std::string_view name, std::string_view help) {
  TMathFunctionInfo info{win::Utf8ToWide(name), win::Utf8ToWide(help)};
  if (info.name.size() > kMaxFunctionName) info.name.resize(kMaxFunctionName);
  if (info.help.size() > kMaxFunctionHelp) info.help.resize(kMaxFunctionHelp);
  functions_.push_back(std::move(info));
}

void TMathParser::SetListValue(std::vector<NamedValue>& list, std::u16string_view name, double value) {
  for (auto& entry : list) {
    if (entry.name == name) {
      entry.value = value;
      return;
    }
  }
  list.push_back({std::u16string(name), value});
}

void TMathParser::AddConstant(std::string_view name, double value) {
  SetListValue(constants_, FoldCase(win::Utf8ToWide(name)), value);
}

void TMathParser::SetVariable(std::string_view name, double value) {
  SetListValue(variables_, FoldCase(win::Utf8ToWide(name)), value);
}

bool TMathParser::IsName(std::string_view name) {
  const std::u16string folded = FoldCase(win::Utf8ToWide(name));
  if (folded.empty() || !IsNameLetter(folded[0])) return false;
  for (char16_t c : folded)
    if (!IsNameLetter(c) && !IsDigit(c)) return false;
  return true;
}

// ---- Text ----

void TMathParser::SetExpression(std::string_view text) {
  std::u16string s = FoldCase(u"(" + win::Utf8ToWide(text) + u")");
  // The unary minus is recognised before blanks go, so "( -1" keeps an infix minus.
  for (std::size_t i = 0; i + 1 < s.size(); ++i) {
    if (s[i] == u'(' && s[i + 1] == u'-') s[i + 1] = u'~';
  }
  std::u16string compact;
  compact.reserve(s.size());
  for (char16_t c : s) {
    if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') compact += c;
  }
  expression_ = std::move(compact);
}

std::string TMathParser::Expression() const { return win::WideToUtf8(expression_); }

int TMathParser::CharClass(char16_t c, std::u16string_view text, std::size_t at) {
  switch (c) {
    case u'(': return mtkOpen;
    case u')': return mtkClose;
    case u'+': case u'-': case u'*': case u'/': case u'^': return mtkOperator;
    case u'~': return mtkUnaryMinus;
    default: break;
  }
  if (IsDigit(c)) return mtkNumber;
  if (IsNameLetter(c)) return mtkName;
  // Report a character outside the basic plane whole, not half of it.
  std::size_t length = 1;
  if (c >= 0xD800 && c <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF) length = 2;
  Fail("Недопустимый символ - ", text.substr(at, length));
}

TMathToken TMathParser::NextToken() {
  const int kind = CharClass(expression_[position_], expression_, position_);
  if (kind == mtkNumber) return ReadNumber();
  if (kind == mtkName) return ReadName();
  return MakeToken(static_cast<std::uint8_t>(kind), static_cast<std::uint8_t>(expression_[position_++]));
}

TMathToken TMathParser::ReadNumber() {
  std::u16string text(1, expression_[position_++]);
  bool exponent = false;
  while (position_ < expression_.size()) {
    const char16_t c = expression_[position_];
    if (IsDigit(c)) {
      text += c;
    } else if (IsSeparator(c)) {
      if (exponent) break;
      text += c;
    } else if (c == u'e') {
      if (exponent) break;
      if (IsSeparator(text.back())) text += u'0';
      text += c;
      exponent = true;
    } else if (c == u'+' || c == u'-') {
      if (text.back() != u'e') break;
      text += c;
    } else {
      break;
    }
    ++position_;
  }
  // Only the user's decimal separator converts; the text holds ASCII only.
  std::string narrow(text.begin(), text.end());
  win::Extended value = 0;
  if (!win::TryTextToFloat(narrow, win::locale::RegionalDecimalSeparator(), value) || std::fabs(value) > DBL_MAX)
    Fail("Некорректно задано число - ", text);
  TMathToken token = MakeToken(mtkNumber, 0);
  token.value = static_cast<double>(value);
  return token;
}

TMathToken TMathParser::ReadName() {
  const std::size_t start = position_++;
  while (position_ < expression_.size() && (IsNameLetter(expression_[position_]) || IsDigit(expression_[position_])))
    ++position_;
  const std::u16string_view name = std::u16string_view(expression_).substr(start, position_ - start);
  if (position_ < expression_.size() && expression_[position_] == u'(') {
    for (std::size_t i = 0; i < functions_.size(); ++i) {
      if (functions_[i].name == name)
        return MakeToken(mtkFunction, static_cast<std::uint8_t>((256 - i % 256) % 256));
    }
    Fail("Неподдерживаемая функция - ", name);
  }
  TMathToken token = MakeToken(mtkName, 0);
  for (const auto& entry : constants_) {
    if (entry.name == name) {
      token.value = entry.value;
      return token;
    }
  }
  for (std::size_t i = 0; i < variables_.size(); ++i) {
    if (variables_[i].name == name) {
      token.value = variables_[i].value;
      token.variable = static_cast<int>(i);
      return token;
    }
  }
  Fail("Неизвестное имя - ", name);
}

// ---- Parse ----

bool TMathParser::CheckSequence(int previous, int current) {
  // Rows: previous kind; columns: current kind ( ) number name function operator ~.
  static constexpr bool kAllowed[7][7] = {
      {1, 0, 1, 1, 1, 0, 1},  // (
      {0, 1, 0, 0, 0, 1, 0},  // )
      {0, 1, 0, 0, 0, 1, 0},  // number
      {0, 1, 0, 0, 0, 1, 0},  // name
      {1, 0, 0, 0, 0, 0, 0},  // function
      {1, 0, 1, 1, 1, 0, 0},  // operator
      {1, 0, 1, 1, 1, 0, 0},  // ~
  };
  return kAllowed[previous][current];
}

int TMathParser::Priority(const TMathToken& token) {
  if (token.kind == mtkFunction) return 5;
  switch (token.symbol) {
    case '(': return -1;
    case '+': case '-': return 1;
    case '*': case '/': return 2;
    case '^': return 3;
    case '~': return 4;
    default: return 5;
  }
}

void TMathParser::PushToken(const TMathToken& token) {
  switch (token.kind) {
    case mtkOpen:
      operators_.Push(token);
      break;
    case mtkClose:
      while (operators_.Count() > 0 && operators_.Peek().kind != mtkOpen) output_.Push(operators_.Pop());
      if (operators_.Count() == 0) FailParentheses();
      operators_.Pop();
      break;
    case mtkNumber:
    case mtkName:
      output_.Push(token);
      break;
    default: {
      const int priority = Priority(token);
      while (operators_.Count() > 0 && Priority(operators_.Peek()) >= priority) output_.Push(operators_.Pop());
      operators_.Push(token);
      break;
    }
  }
}

void TMathParser::Parse() {
  output_.Clear();
  operators_.Clear();
  // The "(" added by normalisation becomes the first token and the first "previous" one.
  position_ = 1;
  TMathToken previous = MakeToken(mtkOpen, '(');
  operators_.Push(previous);
  while (position_ < expression_.size()) {
    const TMathToken token = NextToken();
    if (!CheckSequence(previous.kind, token.kind)) FailSequence();
    // Once the outer level has closed, nothing may follow: an operator there would be cut
    // off from its operands.
    if (operators_.Count() == 0) FailParentheses();
    previous = token;
    PushToken(token);
  }
  if (operators_.Count() != 0) FailParentheses();
}

double TMathParser::Calculate() {
  int i = 0;
  while (output_.Count() > 1) {
    if (i >= output_.Count()) FailSequence();
    TMathToken token = output_.GetItem(i);
    switch (token.kind) {
      case mtkName:
        token.kind = mtkNumber;
        token.variable = -1;
        output_.SetItem(i, token);
        break;
      case mtkFunction:
      case mtkUnaryMinus: {
        if (i < 1) FailSequence();
        TMathToken operand = output_.GetItem(i - 1);
        operand.value = token.kind == mtkFunction ? CalcFunction((256 - token.symbol) % 256, operand.value)
                                                  : CalcUnary(token.symbol, operand.value);
        output_.SetItem(i - 1, operand);
        output_.Delete(i);
        break;
      }
      case mtkOperator: {
        if (i < 2) FailSequence();
        TMathToken left = output_.GetItem(i - 2);
        left.value = CalcBinary(token.symbol, left.value, output_.GetItem(i - 1).value);
        left.kind = mtkNumber;
        output_.SetItem(i - 2, left);
        output_.Delete(i);
        output_.Delete(i - 1);
        i = i - 1;
        break;
      }
      default:
        ++i;
        break;
    }
  }
  if (output_.Count() != 1) FailSequence();
  const TMathToken& last = output_.GetItem(0);
  if (last.kind != mtkNumber && last.kind != mtkName) FailSequence();
  return last.value;
}

double TMathParser::Evaluate() {
  Parse();
  return Calculate();
}

}  // namespace analysis
