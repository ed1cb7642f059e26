// Expression texts through the parser: parse, evaluate once and over a block of x values. The
// parser may reject a text or fail on a value only with its own errors (win::Exception and the
// floating-point faults derived from it); anything else escaping, or a crash, is a finding.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "analysis/MathPars.h"
#include "platform/kernel/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string_view text(reinterpret_cast<const char*>(Data), Size);
  analysis::TMathParser parser;
  parser.SetVariable("x", 0.5);
  parser.SetVariable("a", -2);
  parser.SetVariable("t", 1e300);
  parser.SetExpression(text);
  try {
    parser.Parse();
  } catch (const win::Exception&) {
    return 0;
  }
  try {
    parser.Evaluate();
  } catch (const win::Exception&) {
  }
  const double xs[] = {-1, 0, 0.5, 3, 1e300, -1e-300, std::numeric_limits<double>::quiet_NaN()};
  double ys[sizeof xs / sizeof xs[0]];
  try {
    parser.EvaluateBlock("x", xs, ys, sizeof xs / sizeof xs[0]);
  } catch (const win::Exception&) {
  }
  return 0;
}
