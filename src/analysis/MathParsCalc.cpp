// The parser's arithmetic and its evaluation over arrays of points.

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <numbers>
#include <vector>

#include "analysis/MathPars.h"
#include "analysis/MathParsVector.h"
#include "platform/kernel/CheckedMath.h"
#include "platform/kernel/Exceptions.h"
#include "platform/kernel/SharedWork.h"
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

// Whether every value is finite, in integer arithmetic the compiler runs on several values at
// once: an exponent of all ones (infinity, NaN) carries into the top bit when one more is added.
[[gnu::always_inline]] inline bool AllFinite(const double* values, std::size_t count) {
  constexpr std::uint64_t exponent = 0x7FF0000000000000ull, one = std::uint64_t(1) << 52;
  std::uint64_t carried = 0;
  for (std::size_t j = 0; j < count; ++j) {
    std::uint64_t bits;
    std::memcpy(&bits, values + j, sizeof bits);
    carried |= (bits & exponent) + one;
  }
  return (carried >> 63) == 0;
}

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
  // A binary step whose right operand is the same for every point (the step before pushed a
  // constant or a variable other than the block's).
  bool constantRight = false;
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
    if (step.op == Op::Binary && !program.steps.empty() && program.steps.back().op == Op::Constant) {
      step.constantRight = true;
      step.value = program.steps.back().value;
    }
    depth += change;
    if (depth > program.depth) program.depth = depth;
    program.steps.push_back(step);
  }
  if (depth != 1) throw win::Exception("Недопустимая последовательность операций");
  return program;
}

constexpr std::size_t kBlock = 256;
// Points from which a block evaluation is shared out between the cores (below, starting threads
// would cost about what they save), and the most threads it takes.
constexpr std::size_t kSharedFrom = std::size_t(1) << 16;
constexpr unsigned kMostThreads = 8;

// When a result is not finite, the checked operation of the first such point raises its error.
template <typename RaiseOp>
[[gnu::always_inline]] inline void CheckResults(std::size_t count, const double* results, RaiseOp raise) {
  if (AllFinite(results, count)) return;
  for (std::size_t j = 0; j < count; ++j) {
    if (!Finite(results[j])) raise(j);
  }
}

// Applies `raw` to every point into `scratch`, checked as CheckResults does.
template <typename RawOp, typename RaiseOp>
[[gnu::always_inline]] inline void Apply(std::size_t count, double* scratch, RawOp raw, RaiseOp raise) {
  for (std::size_t j = 0; j < count; ++j) scratch[j] = raw(j);
  CheckResults(count, scratch, raise);
}

// As Apply, with the raw results of a whole array computed at once by `vector`.
template <typename RaiseOp>
[[gnu::always_inline]] inline void ApplyVector(std::size_t count, const double* operand, double* scratch,
                        void (*vector)(const double*, double*, std::size_t), RaiseOp raise) {
  vector(operand, scratch, count);
  CheckResults(count, scratch, raise);
}

// left ^ n for a whole n in 1 .. kSquaringLimit, the same for every point: the squarings of
// RawPower in the same order, one array operation per step, using `base` as working space.
[[gnu::always_inline]] inline bool WholePower(std::size_t count, const double* left, double* base, double* result, unsigned exponent) {
  std::memcpy(base, left, count * sizeof(double));
  for (std::size_t j = 0; j < count; ++j) result[j] = 1;
  while (exponent != 0) {
    if (exponent & 1u)
      for (std::size_t j = 0; j < count; ++j) result[j] *= base[j];
    exponent >>= 1;
    if (exponent != 0)
      for (std::size_t j = 0; j < count; ++j) base[j] *= base[j];
  }
  return AllFinite(result, count);
}

// The arrays of a run: one per stack entry and a spare one. An operation writes its results
// into the spare array, which then takes the place of the entry they replace (no copying). The
// variable's entries are the caller's x itself, read only: replaced, they go back to nobody.
class Registers {
 public:
  explicit Registers(int Depth) : store_(static_cast<std::size_t>(Depth + 1) * kBlock) {
    for (int d = 0; d <= Depth; ++d) free_.push_back(store_.data() + static_cast<std::size_t>(d) * kBlock);
  }
  std::vector<double*> stack;  // the stack's arrays, bottom first
  double* Spare() const { return free_.back(); }
  // A new top entry in a free array.
  double* Push() {
    stack.push_back(free_.back());
    free_.pop_back();
    return stack.back();
  }
  // A new top entry that is the caller's X.
  void PushBorrowed(const double* X) { stack.push_back(const_cast<double*>(X)); }
  // Whether the top entry may be written.
  bool TopOwned() const { return Owned(stack.back()); }
  // The spare array replaces the top entry, whose array becomes spare.
  void ReplaceTop() {
    double* replaced = stack.back();
    stack.back() = free_.back();
    free_.pop_back();
    Release(replaced);
  }
  // The top entry's array is freed; the spare array replaces the entry below.
  void PopAndReplaceTop() {
    double* top = stack.back();
    stack.pop_back();
    ReplaceTop();
    Release(top);
  }
  void Clear() {
    while (!stack.empty()) {
      Release(stack.back());
      stack.pop_back();
    }
  }

 private:
  bool Owned(const double* Array) const {
    return Array >= store_.data() && Array < store_.data() + store_.size();
  }
  void Release(double* Array) {
    if (Owned(Array)) free_.push_back(Array);
  }

  std::vector<double> store_;
  std::vector<double*> free_;
};

// Runs the program on `count` (at most kBlock) points. Inlined into a plain and an AVX2 copy
// (without FMA, which would round products differently from one evaluation at a time).
[[gnu::always_inline]] inline void RunSteps(const Program& program, const double* x, double* y, std::size_t count, Registers& registers) {
  registers.Clear();
  for (const Step& step : program.steps) {
    switch (step.op) {
      case Op::Constant: {
        double* top = registers.Push();
        for (std::size_t j = 0; j < count; ++j) top[j] = step.value;
        break;
      }
      case Op::LoadX:
        registers.PushBorrowed(x);
        break;
      case Op::Negate: {
        const double* top = registers.stack.back();
        double* result = registers.TopOwned() ? registers.stack.back() : registers.Spare();
        for (std::size_t j = 0; j < count; ++j) result[j] = TMathParser::CalcUnary(step.symbol, top[j]);
        if (result != top) registers.ReplaceTop();
        break;
      }
      case Op::Function: {
        const int index = step.symbol;
        const double* top = registers.stack.back();
        double* scratch = registers.Spare();
        const auto raise = [&](std::size_t j) { RaiseFunction(index, top[j]); };
        switch (index) {
          case 0: ApplyVector(count, top, scratch, VectorSin, raise); break;
          case 4: ApplyVector(count, top, scratch, VectorCos, raise); break;
          case 16: ApplyVector(count, top, scratch, VectorExp, raise); break;
          case 17: Apply(count, scratch, [&](std::size_t j) { return std::sqrt(top[j]); }, raise); break;
          default: Apply(count, scratch, [&](std::size_t j) { return RawFunction(index, top[j]); }, raise); break;
        }
        registers.ReplaceTop();
        break;
      }
      case Op::Binary: {
        double* top = registers.stack.back();
        const double* left = registers.stack[registers.stack.size() - 2];
        double* scratch = registers.Spare();
        const std::uint8_t symbol = step.symbol;
        const auto raise = [&](std::size_t j) { RaiseBinary(symbol, left[j], top[j]); };
        const double e = step.value;
        if (symbol == '^' && step.constantRight && std::trunc(e) == e && e >= 1 && e <= kSquaringLimit) {
          // The constant exponent's array is free: it becomes the squarings' working space.
          if (!WholePower(count, left, top, scratch, static_cast<unsigned>(e))) {
            for (std::size_t j = 0; j < count; ++j)
              if (!Finite(scratch[j])) RaiseBinary(symbol, left[j], e);
          }
        } else {
          switch (symbol) {
            case '+': Apply(count, scratch, [&](std::size_t j) { return left[j] + top[j]; }, raise); break;
            case '-': Apply(count, scratch, [&](std::size_t j) { return left[j] - top[j]; }, raise); break;
            case '*': Apply(count, scratch, [&](std::size_t j) { return left[j] * top[j]; }, raise); break;
            case '/': Apply(count, scratch, [&](std::size_t j) { return left[j] / top[j]; }, raise); break;
            default:
              Apply(count, scratch, [&](std::size_t j) { return RawBinary(symbol, left[j], top[j]); }, raise);
              break;
          }
        }
        registers.PopAndReplaceTop();
        break;
      }
    }
  }
  std::memcpy(y, registers.stack.back(), count * sizeof(double));
}

void RunPlain(const Program& program, const double* x, double* y, std::size_t count, Registers& registers) {
  RunSteps(program, x, y, count, registers);
}

[[gnu::target("avx2")]] void RunAvx2(const Program& program, const double* x, double* y, std::size_t count,
                                     Registers& registers) {
  RunSteps(program, x, y, count, registers);
}

void Run(const Program& program, const double* x, double* y, std::size_t count, Registers& registers) {
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2)
    RunAvx2(program, x, y, count, registers);
  else
    RunPlain(program, x, y, count, registers);
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
  // Runs the points [from, to) block by block on registers of its own.
  const auto runRange = [&](std::size_t from, std::size_t to) {
    Registers registers(program.depth);
    registers.stack.reserve(static_cast<std::size_t>(program.depth));
    for (std::size_t start = from; start < to; start += kBlock) {
      const std::size_t n = to - start < kBlock ? to - start : kBlock;
      try {
        Run(program, x + start, y + start, n, registers);
      } catch (const win::Exception&) {
        // A block runs step by step across its points; point by point the first failing point
        // raises its own error, as separate evaluations would.
        for (std::size_t j = 0; j < n; ++j) Run(program, x + start + j, y + start + j, 1, registers);
        throw;
      }
    }
  };
  // Many points are shared out between the cores in runs of whole blocks. The program only
  // reads the parser; each run raises its first failing point's error, and the error of the
  // earliest run that failed is the one raised, as one run through all points would raise it.
  const unsigned threads = count >= kSharedFrom ? win::WorkingThreads(kMostThreads) : 1;
  if (threads <= 1) {
    runRange(0, count);
    return;
  }
  const std::size_t blocks = (count + kBlock - 1) / kBlock;
  const std::size_t runs = std::min<std::size_t>(std::size_t(threads) * 4, blocks);
  const std::size_t perRun = (blocks + runs - 1) / runs * kBlock;
  win::RunShared(unsigned((count + perRun - 1) / perRun), threads, [&](unsigned k) {
    const std::size_t from = std::size_t(k) * perRun;
    runRange(from, std::min(count, from + perRun));
  });
}

}  // namespace analysis
