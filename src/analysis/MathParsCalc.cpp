// The parser's arithmetic and its evaluation over arrays of points.

#include <cfloat>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "analysis/MathPars.h"
#include "platform/kernel/CheckedMath.h"
#include "platform/kernel/Exceptions.h"
#include "platform/kernel/TextConvert.h"

namespace analysis {
namespace {

using win::Extended;

// Values are computed in double precision; a non-finite result is handed to the checked
// arithmetic with the same operands so that the fault is raised as the right error.

// Raises the error a non-finite `raw` result stands for, after the checked operation (which
// throws for invalid operations and poles) has had its say in `checked`.
[[noreturn]] [[gnu::cold]] void Raise(double raw, Extended checked) {
  win::CheckFloat(checked);
  if (std::fabs(checked) > DBL_MAX) throw win::EOverflow();
  win::CheckFloat(raw);
  throw win::EOverflow();
}

inline bool Finite(double value) { return std::isfinite(value); }

// Small whole exponents multiply by squaring; larger ones go through pow, which is exact to
// within an ulp for whole exponents and takes no time proportional to the exponent.
constexpr double kSquaringLimit = 64;

inline double RawPower(double a, double b) {
  if (b == 0) return 1;
  if (a == 0 && b > 0) return 0;
  if (std::trunc(b) == b && std::fabs(b) <= 2147483647.0) {
    if (b > 0 && b <= kSquaringLimit) {
      auto exponent = static_cast<unsigned>(b);
      double result = 1;
      double base = a;
      while (exponent != 0) {
        if (exponent & 1u) result *= base;
        exponent >>= 1;
        if (exponent != 0) base *= base;
      }
      return result;
    }
    return std::pow(a, b);
  }
  return std::exp(b * std::log(a));
}

[[noreturn]] [[gnu::cold]] void RaisePower(double a, double b) {
  if (std::trunc(b) == b && std::fabs(b) <= 2147483647.0) Raise(RawPower(a, b), win::CheckedPower(a, b));
  Raise(RawPower(a, b), win::CheckedExp(b * win::CheckedLn(a)));
}

inline double RawBinary(std::uint8_t symbol, double a, double b) {
  switch (symbol) {
    case '+': return a + b;
    case '-': return a - b;
    case '*': return a * b;
    case '/': return a / b;
    case '^': return RawPower(a, b);
    default: return a;
  }
}

[[noreturn]] [[gnu::cold]] void RaiseBinary(std::uint8_t symbol, double a, double b) {
  if (symbol == '/') Raise(a / b, win::CheckedDivide(a, b));
  if (symbol == '^') RaisePower(a, b);
  const double raw = RawBinary(symbol, a, b);
  Raise(raw, raw);
}

// Inverse hyperbolic tangent: |x| = 1 is a pole, beyond it the value is undefined.
Extended CheckedArcTanh(Extended x) {
  if (std::isnan(x) || std::fabs(x) > 1) throw win::EInvalidOp();
  if (std::fabs(x) == 1) throw win::EZeroDivide();
  return std::atanh(x);
}

inline double RawFunction(int index, double x) {
  switch (index) {
    case 0: return std::sin(x);
    case 1: return std::sinh(x);
    case 2: return std::asin(x);
    case 3: return std::asinh(x);
    case 4: return std::cos(x);
    case 5: return std::cosh(x);
    case 6: return std::acos(x);
    case 7: return std::acosh(x);
    case 8: return std::tan(x);
    case 9: return std::tanh(x);
    case 10: return std::atan(x);
    case 11: return std::atanh(x);
    case 12: return 1 / std::tan(x);
    case 13: return 1 / std::tanh(x);
    // Continuous branch with values in (0, pi): arccot(0) = pi/2, arccot(-1) = 3pi/4.
    case 14: return std::numbers::pi / 2 - std::atan(x);
    case 15: return std::atanh(1 / x);
    case 16: return std::exp(x);
    case 17: return std::sqrt(x);
    default: return x;
  }
}

[[noreturn]] [[gnu::cold]] void RaiseFunction(int index, double x) {
  const double raw = RawFunction(index, x);
  switch (index) {
    case 2: Raise(raw, win::CheckedArcSin(x));
    case 6: Raise(raw, win::CheckedArcCos(x));
    case 7: Raise(raw, win::CheckedArcCosh(x));
    case 11: Raise(raw, CheckedArcTanh(x));
    case 12: Raise(raw, win::CheckedDivide(1, std::tan(x)));
    case 13: Raise(raw, win::CheckedDivide(1, std::tanh(x)));
    case 15: Raise(raw, CheckedArcTanh(win::CheckedDivide(1, x)));
    case 16: Raise(raw, win::CheckedExp(x));
    case 17: Raise(raw, win::CheckedSqrt(x));
    default: Raise(raw, raw);
  }
}

inline double Function(int index, double x) {
  const double value = RawFunction(index, x);
  if (!Finite(value)) RaiseFunction(index, x);
  return value;
}

inline double Binary(std::uint8_t symbol, double a, double b) {
  const double value = RawBinary(symbol, a, b);
  if (!Finite(value)) RaiseBinary(symbol, a, b);
  return value;
}

// The reverse Polish sequence as stack-machine steps over arrays.
enum class Op : std::uint8_t { Constant, LoadX, Negate, Function, Binary };

struct Step {
  Op op;
  std::uint8_t symbol;  // operator character, or function index
  double value;
};

struct Program {
  std::vector<Step> steps;
  int depth = 0;
};

Program Compile(const TMathStack& output, int variable) {
  Program program;
  int depth = 0;
  for (int i = 0; i < output.Count(); ++i) {
    const TMathToken& token = output.GetItem(i);
    Step step{Op::Constant, 0, token.value};
    int needs = 0;
    int change = 0;
    switch (token.kind) {
      case mtkNumber:
      case mtkName:
        if (token.kind == mtkName && token.variable >= 0 && token.variable == variable) step.op = Op::LoadX;
        change = 1;
        break;
      case mtkUnaryMinus:
        step.op = Op::Negate;
        step.symbol = token.symbol;
        needs = 1;
        break;
      case mtkFunction:
        step.op = Op::Function;
        step.symbol = static_cast<std::uint8_t>((256 - token.symbol) % 256);
        needs = 1;
        break;
      case mtkOperator:
        step.op = Op::Binary;
        step.symbol = token.symbol;
        needs = 2;
        change = -1;
        break;
      default:
        throw win::Exception("Недопустимая последовательность операций");
    }
    if (depth < needs) throw win::Exception("Недопустимая последовательность операций");
    depth += change;
    if (depth > program.depth) program.depth = depth;
    program.steps.push_back(step);
  }
  if (depth != 1) throw win::Exception("Недопустимая последовательность операций");
  return program;
}

constexpr std::size_t kBlock = 256;

// Applies `raw` to every point into `scratch`; when a result is not finite, the checked
// operation of the first such point raises its error. Otherwise the results go to `target`.
template <typename RawOp, typename RaiseOp>
inline void Apply(std::size_t count, double* target, double* scratch, RawOp raw, RaiseOp raise) {
  bool finite = true;
  for (std::size_t j = 0; j < count; ++j) {
    scratch[j] = raw(j);
    finite &= Finite(scratch[j]);
  }
  if (!finite) {
    for (std::size_t j = 0; j < count; ++j) {
      if (!Finite(scratch[j])) raise(j);
    }
  }
  std::memcpy(target, scratch, count * sizeof(double));
}

// Runs the program on `count` (at most kBlock) points; registers hold (depth + 1) * kBlock
// values, the last block being scratch space.
void Run(const Program& program, const double* x, double* y, std::size_t count, double* registers) {
  double* scratch = registers + static_cast<std::size_t>(program.depth) * kBlock;
  double* top = registers - kBlock;  // the stack's top array; none yet
  for (const Step& step : program.steps) {
    switch (step.op) {
      case Op::Constant:
        top += kBlock;
        for (std::size_t j = 0; j < count; ++j) top[j] = step.value;
        break;
      case Op::LoadX:
        top += kBlock;
        std::memcpy(top, x, count * sizeof(double));
        break;
      case Op::Negate:
        for (std::size_t j = 0; j < count; ++j) top[j] = TMathParser::CalcUnary(step.symbol, top[j]);
        break;
      case Op::Function: {
        const int index = step.symbol;
        const auto raise = [&](std::size_t j) { RaiseFunction(index, top[j]); };
        switch (index) {
          case 0: Apply(count, top, scratch, [&](std::size_t j) { return std::sin(top[j]); }, raise); break;
          case 4: Apply(count, top, scratch, [&](std::size_t j) { return std::cos(top[j]); }, raise); break;
          case 16: Apply(count, top, scratch, [&](std::size_t j) { return std::exp(top[j]); }, raise); break;
          case 17: Apply(count, top, scratch, [&](std::size_t j) { return std::sqrt(top[j]); }, raise); break;
          default: Apply(count, top, scratch, [&](std::size_t j) { return RawFunction(index, top[j]); }, raise); break;
        }
        break;
      }
      case Op::Binary: {
        double* left = top - kBlock;
        const std::uint8_t symbol = step.symbol;
        const auto raise = [&](std::size_t j) { RaiseBinary(symbol, left[j], top[j]); };
        switch (symbol) {
          case '+': Apply(count, left, scratch, [&](std::size_t j) { return left[j] + top[j]; }, raise); break;
          case '-': Apply(count, left, scratch, [&](std::size_t j) { return left[j] - top[j]; }, raise); break;
          case '*': Apply(count, left, scratch, [&](std::size_t j) { return left[j] * top[j]; }, raise); break;
          case '/': Apply(count, left, scratch, [&](std::size_t j) { return left[j] / top[j]; }, raise); break;
          default:
            Apply(count, left, scratch, [&](std::size_t j) { return RawBinary(symbol, left[j], top[j]); }, raise);
            break;
        }
        top = left;
        break;
      }
    }
  }
  std::memcpy(y, top, count * sizeof(double));
}

}  // namespace

double TMathParser::CalcFunction(int index, double x) { return Function(index, x); }

double TMathParser::CalcBinary(std::uint8_t symbol, double a, double b) { return Binary(symbol, a, b); }

double TMathParser::CalcUnary(std::uint8_t symbol, double x) { return symbol == '~' ? -x : x; }

void TMathParser::EvaluateBlock(std::string_view variable, const double* x, double* y, std::size_t count) {
  if (count == 0) return;
  SetVariable(variable, x[count - 1]);
  Parse();
  const std::u16string name = win::Utf8ToWide(variable);
  int index = -1;
  for (std::size_t i = 0; i < variables_.size(); ++i) {
    if (variables_[i].name == name) index = static_cast<int>(i);
  }
  const Program program = Compile(output_, index);
  std::vector<double> registers(static_cast<std::size_t>(program.depth + 1) * kBlock);
  for (std::size_t start = 0; start < count; start += kBlock) {
    const std::size_t n = count - start < kBlock ? count - start : kBlock;
    try {
      Run(program, x + start, y + start, n, registers.data());
    } catch (const win::Exception&) {
      // A block runs step by step across its points; point by point the first failing point
      // raises its own error, as separate evaluations would.
      for (std::size_t j = 0; j < n; ++j) Run(program, x + start + j, y + start + j, 1, registers.data());
      throw;
    }
  }
}

}  // namespace analysis
