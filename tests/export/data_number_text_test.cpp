// The general number text that every export writes, checked against Python's exact decimal
// arithmetic: rounding half away from zero to 15 digits, and the notation rules, over random
// doubles, exact ties and values right next to the halfway points.

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

#include "data_support.h"
#include "platform/kernel/NumberText.h"

using namespace datatest;

namespace {

class GeneralNumberText : public DataExportTest {};

std::vector<double> Samples() {
  std::mt19937_64 rng(20261207);
  std::vector<double> v;
  // Any bit pattern: every exponent, subnormals included.
  for (int i = 0; i < 6000; ++i) {
    const std::uint64_t bits = rng();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    if (std::isfinite(d)) v.push_back(d);
  }
  // Ordinary measured data over many decades.
  std::uniform_real_distribution<double> unit(-1, 1);
  for (int k = -12; k <= 20; ++k)
    for (int i = 0; i < 200; ++i) v.push_back(unit(rng) * std::pow(10.0, k));
  // Exact ties at the 16th digit: m + 0.5 and 10m + 5 for 15-digit m.
  std::uniform_int_distribution<std::int64_t> fifteen(100000000000000, 999999999999999);
  for (int i = 0; i < 1000; ++i) {
    const std::int64_t m = fifteen(rng);
    v.push_back(double(m) + 0.5);
    v.push_back(-(double(m) + 0.5));
    if (m < 900719925474099) v.push_back(double(m * 10 + 5));
  }
  // The doubles next to halfway points "d1..d15 5" at many scales.
  for (int i = 0; i < 2000; ++i) {
    char text[64];
    std::snprintf(text, sizeof text, "%lld5e%d", static_cast<long long>(fifteen(rng)), int(rng() % 60) - 40);
    const double mid = std::strtod(text, nullptr);
    v.push_back(mid);
    v.push_back(std::nextafter(mid, 0.0));
    v.push_back(std::nextafter(mid, 1e300));
  }
  // Steps that look round in decimal but are not in binary.
  for (int i = 0; i < 2000; ++i) {
    v.push_back(i * 0.001);
    v.push_back(std::sin(i * 0.001));
  }
  return v;
}

TEST_F(GeneralNumberText, MatchesExactDecimalRounding) {
  const std::vector<double> values = Samples();
  std::string lines;
  for (double d : values) {
    char hex[64];
    std::snprintf(hex, sizeof hex, "%a", d);
    lines += std::string(hex) + "\t" + win::FloatToGeneralText(d, ',') + "\n";
  }
  const std::string file = Path("numbers.txt");
  WriteFile(file, lines);
  const std::string program = R"(
import sys
from decimal import Decimal, ROUND_HALF_UP, getcontext
getcontext().prec = 60
def general(x, sep):
    if x == 0:
        return '0'
    d = abs(Decimal(x))
    q = d.quantize(Decimal((0, (1,), d.adjusted() - 14)), rounding=ROUND_HALF_UP)
    digits = ''.join(map(str, q.as_tuple().digits)).rstrip('0')
    e = q.adjusted() + 1
    if -3 <= e <= 15:
        if e <= 0:
            s = '0' + sep + '0' * -e + digits
        elif e >= len(digits):
            s = digits + '0' * (e - len(digits))
        else:
            s = digits[:e] + sep + digits[e:]
    else:
        s = digits[0] + (sep + digits[1:] if len(digits) > 1 else '') + 'E' + str(e - 1)
    return ('-' if x < 0 else '') + s
bad = count = 0
for line in open(sys.argv[1]):
    h, text = line.rstrip('\n').split('\t')
    want = general(float.fromhex(h), ',')
    count += 1
    if text != want:
        bad += 1
        if bad <= 5: print(h, 'gave', text, 'not', want)
print(count, 'checked', bad, 'wrong')
)";
  EXPECT_EQ(Python(program, {file}), std::to_string(values.size()) + " checked 0 wrong\n");
}

}  // namespace
