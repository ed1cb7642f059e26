#include "platform/kernel/CheckedMath.h"

#include <cmath>

#include "platform/kernel/Exceptions.h"

namespace win {
namespace {

void RequireNumber(Extended x) {
  if (std::isnan(x)) throw EInvalidOp();
}

void CheckLogArgument(Extended x) {
  RequireNumber(x);
  if (x < 0) throw EInvalidOp();
  if (x == 0) throw EZeroDivide();
}

}  // namespace

Extended CheckFloat(Extended result) {
  if (std::isnan(result)) throw EInvalidOp();
  if (std::isinf(result)) throw EOverflow();
  return result;
}

Extended CheckedDivide(Extended dividend, Extended divisor) {
  RequireNumber(dividend);
  RequireNumber(divisor);
  if (divisor == 0) {
    if (dividend == 0) throw EInvalidOp();
    throw EZeroDivide();
  }
  return CheckFloat(dividend / divisor);
}

Extended CheckedSqrt(Extended x) {
  RequireNumber(x);
  if (x < 0) throw EInvalidOp();
  return std::sqrt(x);
}

Extended CheckedLn(Extended x) {
  CheckLogArgument(x);
  return CheckFloat(std::log(x));
}

Extended CheckedLog10(Extended x) {
  CheckLogArgument(x);
  return CheckFloat(std::log10(x));
}

Extended CheckedLog2(Extended x) {
  CheckLogArgument(x);
  return CheckFloat(std::log2(x));
}

Extended CheckedLogN(Extended base, Extended x) { return CheckedDivide(CheckedLn(x), CheckedLn(base)); }

Extended CheckedExp(Extended x) {
  RequireNumber(x);
  return CheckFloat(std::exp(x));
}

Extended CheckedPower(Extended base, Extended exponent) {
  RequireNumber(base);
  RequireNumber(exponent);
  if (exponent == 0) return 1;
  if (base == 0) {
    if (exponent < 0) throw EZeroDivide();
    return 0;
  }
  if (base < 0 && std::trunc(exponent) != exponent) throw EInvalidOp();
  return CheckFloat(std::pow(base, exponent));
}

Extended CheckedArcSin(Extended x) {
  RequireNumber(x);
  if (x < -1 || x > 1) throw EInvalidOp();
  return std::asin(x);
}

Extended CheckedArcCos(Extended x) {
  RequireNumber(x);
  if (x < -1 || x > 1) throw EInvalidOp();
  return std::acos(x);
}

Extended CheckedArcCosh(Extended x) {
  RequireNumber(x);
  if (x < 1) throw EInvalidOp();
  return CheckFloat(std::acosh(x));
}

}  // namespace win
