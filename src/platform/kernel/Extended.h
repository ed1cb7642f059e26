#pragma once
// The widest floating type of the program: 80-bit extended precision on x86-64.

namespace win {
using Extended = long double;
}
