// The parser's arithmetic and its evaluation over arrays of points.

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "analysis/MathPars.h"
#include "platform/kernel/CheckedMath.h"
#include "platform/kernel/Exceptions.h"
#include "platform/kernel/TextConvert.h"

namespace analysis {
namespace {

using win::Extended;

// Results are stored as double: a finite value beyond its range overflows there.
inline double Store(Extended value) {
  win::CheckFloat(value);
  if (std::fabs(value) > DBL_MAX) throw win::EOverflow();
  return static_cast<double>(value);
}

// |exponent| multiplications at most 2 * 31, by squaring.
inline Extended IntegralPower(Extended base, std::uint32_t exponent) {
  Extended result = 1;
  while (exponent != 0) {
    if (exponent & 1u) result *= base;
    exponent >>= 1;
    if (exponent != 0) base *= base;
  }
  return result;
}

inline double Power(double a, double b) {
  if (b == 0) return 1;
  if (a == 0 && b > 0) return 0;
  if (std::trunc(b) == b && std::fabs(b) <= 2147483647.0) {
    const Extended magnitude = win::CheckFloat(IntegralPower(a, static_cast<std::uint32_t>(std::fabs(b))));
    return Store(b < 0 ? win::CheckedDivide(1, magnitude) : magnitude);
  }
  return Store(win::CheckedExp(b * win::CheckedLn(a)));
}

// Inverse hyperbolic tangent: |x| = 1 is a pole, beyond it the value is undefined.
inline Extended ArcTanh(Extended x) {
  if (std::isnan(x) || std::fabs(x) > 1) throw win::EInvalidOp();
  if (std::fabs(x) == 1) throw win::EZeroDivide();
  return std::atanh(x);
}

inline double Function(int index, double x) {
  switch (index) {
    case 0: return Store(std::sin(x));
    case 1: return Store(std::sinh(x));
    case 2: return Store(win::CheckedArcSin(x));
    case 3: return Store(std::asinh(x));
    case 4: return Store(std::cos(x));
    case 5: return Store(std::cosh(x));
    case 6: return Store(win::CheckedArcCos(x));
    case 7: return Store(win::CheckedArcCosh(x));
    case 8: return Store(std::tan(x));
    case 9: return Store(std::tanh(x));
    case 10: return Store(std::atan(x));
    case 11: return Store(ArcTanh(x));
    case 12: return Store(win::CheckedDivide(1, std::tan(x)));
    case 13: return Store(win::CheckedDivide(1, std::tanh(x)));
    // Continuous branch with values in (0, pi): arccot(0) = pi/2, arccot(-1) = 3pi/4.
    case 14: return Store(std::numbers::pi_v<Extended> / 2 - std::atan(static_cast<Extended>(x)));
    case 15: return Store(ArcTanh(win::CheckedDivide(1, x)));
    case 16: return Store(win::CheckedExp(x));
    case 17: return Store(win::CheckedSqrt(x));
    default: return x;
  }
}

inline double Binary(std::uint8_t symbol, double a, double b) {
  switch (symbol) {
    case '+': return Store(static_cast<Extended>(a) + b);
    case '-': return Store(static_cast<Extended>(a) - b);
    case '*': return Store(static_cast<Extended>(a) * b);
    case '/': return Store(win::CheckedDivide(a, b));
    case '^': return Power(a, b);
    default: return a;
  }
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

// Runs the program on `count` (at most kBlock) points; registers hold depth * kBlock values.
void Run(const Program& program, const double* x, double* y, std::size_t count, double* registers) {
  double* top = registers - kBlock;  // the stack's top array; none yet
  for (const Step& step : program.steps) {
    switch (step.op) {
      case Op::Constant:
        top += kBlock;
        for (std::size_t j = 0; j < count; ++j) top[j] = step.value;
        break;
      case Op::LoadX:
        top += kBlock;
        for (std::size_t j = 0; j < count; ++j) top[j] = x[j];
        break;
      case Op::Negate:
        for (std::size_t j = 0; j < count; ++j) top[j] = TMathParser::CalcUnary(step.symbol, top[j]);
        break;
      case Op::Function:
        for (std::size_t j = 0; j < count; ++j) top[j] = Function(step.symbol, top[j]);
        break;
      case Op::Binary: {
        double* left = top - kBlock;
        switch (step.symbol) {
          case '+': for (std::size_t j = 0; j < count; ++j) left[j] = Binary('+', left[j], top[j]); break;
          case '-': for (std::size_t j = 0; j < count; ++j) left[j] = Binary('-', left[j], top[j]); break;
          case '*': for (std::size_t j = 0; j < count; ++j) left[j] = Binary('*', left[j], top[j]); break;
          case '/': for (std::size_t j = 0; j < count; ++j) left[j] = Binary('/', left[j], top[j]); break;
          default: for (std::size_t j = 0; j < count; ++j) left[j] = Binary(step.symbol, left[j], top[j]); break;
        }
        top = left;
        break;
      }
    }
  }
  for (std::size_t j = 0; j < count; ++j) y[j] = top[j];
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
  std::vector<double> registers(static_cast<std::size_t>(program.depth) * kBlock);
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
