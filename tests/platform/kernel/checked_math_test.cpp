#include "platform/kernel/CheckedMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "platform/kernel/Exceptions.h"

namespace win {
namespace {

const std::string kInvalid = "Invalid floating point operation";
const std::string kZeroDivide = "Floating point division by zero";
const std::string kOverflow = "Floating point overflow";

// Runs `op` and returns the message of the math error it raised, checking the class too.
template <typename Error>
std::string MessageOf(const std::function<void()>& op) {
  try {
    op();
  } catch (const Error& e) {
    const Exception& base = e;  // every error is an Exception
    const EMathError& math = e;
    EXPECT_EQ(std::string(base.what()), e.Message());
    return math.Message();
  } catch (const std::exception& other) {
    return std::string("wrong class: ") + other.what();
  }
  return "nothing raised";
}

TEST(CheckedMath, InvalidOperation) {
  EXPECT_EQ(MessageOf<EInvalidOp>([] { CheckedDivide(0, 0); }), kInvalid);
  EXPECT_EQ(MessageOf<EInvalidOp>([] { CheckedSqrt(-1); }), kInvalid);
  EXPECT_EQ(MessageOf<EInvalidOp>([] { CheckedLn(-0.5L); }), kInvalid);
  EXPECT_EQ(MessageOf<EInvalidOp>([] { CheckedLog10(-2); }), kInvalid);
  EXPECT_EQ(MessageOf<EInvalidOp>([] { CheckedLog2(-2); }), kInvalid);
  EXPECT_EQ(MessageOf<EInvalidOp>([] { CheckedArcSin(1.0000001L); }), kInvalid);
  EXPECT_EQ(MessageOf<EInvalidOp>([] { CheckedArcCos(-1.5L); }), kInvalid);
  EXPECT_EQ(MessageOf<EInvalidOp>([] { CheckedArcCosh(0.999L); }), kInvalid);
  EXPECT_EQ(MessageOf<EInvalidOp>([] { CheckedPower(-8, 1.0L / 3.0L); }), kInvalid);
  EXPECT_EQ(MessageOf<EInvalidOp>([] { CheckFloat(std::numeric_limits<Extended>::quiet_NaN()); }), kInvalid);
  EXPECT_EQ(MessageOf<EInvalidOp>([] { CheckedExp(std::numeric_limits<Extended>::quiet_NaN()); }), kInvalid);
}

TEST(CheckedMath, DivisionByZero) {
  EXPECT_EQ(MessageOf<EZeroDivide>([] { CheckedDivide(1, 0); }), kZeroDivide);
  EXPECT_EQ(MessageOf<EZeroDivide>([] { CheckedDivide(-3, -0.0L); }), kZeroDivide);
  EXPECT_EQ(MessageOf<EZeroDivide>([] { CheckedPower(0, -1); }), kZeroDivide);
  EXPECT_EQ(MessageOf<EZeroDivide>([] { CheckedPower(0, -0.5L); }), kZeroDivide);
  EXPECT_EQ(MessageOf<EZeroDivide>([] { CheckedLn(0); }), kZeroDivide);
  EXPECT_EQ(MessageOf<EZeroDivide>([] { CheckedLogN(10, 0); }), kZeroDivide);
  // log base 1 divides by ln(1) = 0.
  EXPECT_EQ(MessageOf<EZeroDivide>([] { CheckedLogN(1, 5); }), kZeroDivide);
}

TEST(CheckedMath, Overflow) {
  EXPECT_EQ(MessageOf<EOverflow>([] { CheckedExp(20000); }), kOverflow);
  EXPECT_EQ(MessageOf<EOverflow>([] { CheckedPower(10, 6000); }), kOverflow);
  EXPECT_EQ(MessageOf<EOverflow>([] { CheckedDivide(std::numeric_limits<Extended>::max(), 0.5L); }), kOverflow);
  EXPECT_EQ(MessageOf<EOverflow>([] { CheckFloat(std::numeric_limits<Extended>::infinity()); }), kOverflow);
}

TEST(CheckedMath, ValidOperandsGiveOrdinaryResults) {
  EXPECT_EQ(CheckedDivide(7, 2), 3.5L);
  EXPECT_EQ(CheckedDivide(0, 5), 0);
  EXPECT_EQ(CheckedSqrt(0), 0);
  EXPECT_EQ(CheckedSqrt(2.25L), 1.5L);
  EXPECT_NEAR(double(CheckedLn(std::exp(1.0L))), 1.0, 1e-15);
  EXPECT_NEAR(double(CheckedLog10(1000)), 3.0, 1e-15);
  EXPECT_EQ(CheckedLog2(8), 3);
  EXPECT_NEAR(double(CheckedLogN(2, 1024)), 10.0, 1e-14);
  EXPECT_EQ(CheckedExp(0), 1);
  EXPECT_EQ(CheckedExp(-20000), 0);  // underflow is not an error
  EXPECT_EQ(CheckedPower(0, 0), 1);
  EXPECT_EQ(CheckedPower(-5, 0), 1);
  EXPECT_EQ(CheckedPower(0, 3), 0);
  EXPECT_EQ(CheckedPower(-2, 3), -8);
  EXPECT_EQ(CheckedPower(-2, -2), 0.25L);
  EXPECT_EQ(CheckedPower(4, 0.5L), 2);
  EXPECT_EQ(CheckedArcSin(1), std::asin(1.0L));
  EXPECT_EQ(CheckedArcCos(-1), std::acos(-1.0L));
  EXPECT_EQ(CheckedArcCosh(1), 0);
  EXPECT_EQ(CheckFloat(-7.5L), -7.5L);
}

}  // namespace
}  // namespace win
