#pragma once
// Arithmetic that reports floating-point faults as exceptions instead of producing NaN or
// infinity: EInvalidOp, EZeroDivide and EOverflow with the runtime's messages.

#include "platform/kernel/Extended.h"

namespace win {

// NaN result: EInvalidOp; infinite result (of finite operands): EOverflow. Returns `result`.
Extended CheckFloat(Extended result);

// 0/0 is invalid, x/0 otherwise division by zero.
Extended CheckedDivide(Extended dividend, Extended divisor);
Extended CheckedSqrt(Extended x);
// Logarithms: negative argument invalid, zero argument division by zero.
Extended CheckedLn(Extended x);
Extended CheckedLog10(Extended x);
Extended CheckedLog2(Extended x);
// Logarithm of x to the given base, ln(x) / ln(base).
Extended CheckedLogN(Extended base, Extended x);
Extended CheckedExp(Extended x);
// x^0 is 1; 0 to a negative power is division by zero; a negative base needs an integral
// exponent, otherwise the operation is invalid.
Extended CheckedPower(Extended base, Extended exponent);
Extended CheckedArcSin(Extended x);
Extended CheckedArcCos(Extended x);
Extended CheckedArcCosh(Extended x);

}  // namespace win
