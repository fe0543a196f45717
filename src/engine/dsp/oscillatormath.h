// sin and the envelope's power for the clock's modulation, evaluated in double
// precision and rounded once to float: within about half a unit in the last
// place, like a good libm, but inline, several times cheaper, and the same on
// every platform (the C libraries of Linux and Windows round differently).
#pragma once

#include <cstdint>
#include <cstring>

namespace dsp {

// sin(x) for x in [-pi, pi] (the oscillator's phase range).
inline float sineOfPhase(float phase) {
  constexpr double kPi = 3.14159265358979323846;
  double x = phase;
  // sin(pi - x) = sin(x): fold onto [-pi/2, pi/2], where the series converges fast.
  if (x > 0.5 * kPi) {
    x = kPi - x;
  } else if (x < -0.5 * kPi) {
    x = -kPi - x;
  }
  const double x2 = x * x;
  // Taylor series to x^17: the remainder is below 5e-14 on [-pi/2, pi/2].
  double p = 1.0 / 355687428096000.0;  //  1/17!
  p = p * x2 - 1.0 / 1307674368000.0;  // -1/15!
  p = p * x2 + 1.0 / 6227020800.0;     //  1/13!
  p = p * x2 - 1.0 / 39916800.0;       // -1/11!
  p = p * x2 + 1.0 / 362880.0;         //  1/9!
  p = p * x2 - 1.0 / 5040.0;           // -1/7!
  p = p * x2 + 1.0 / 120.0;            //  1/5!
  p = p * x2 - 1.0 / 6.0;              // -1/3!
  return static_cast<float>(x + x * x2 * p);
}

namespace detail {

constexpr double kLn2 = 0.693147180559945309417232121458;
constexpr double kLn2Hi = 0.693147180369123816490;  // ln 2 to 32 bits, exact in products below
constexpr double kLn2Lo = kLn2 - kLn2Hi;

// ln v for v in [0.5, 1], by 2 atanh((v - 1)/(v + 1)) to convergence; used at compile time.
constexpr double lnNearOne(double v) {
  const double z = (v - 1.0) / (v + 1.0);
  double term = z;
  double sum = 0.0;
  for (int k = 1; k < 80; k += 2) {
    sum += term / k;
    term *= z * z;
  }
  return 2.0 * sum;
}

// e^x for |x| <= ln 2, by its series to convergence; used at compile time.
constexpr double expSmall(double x) {
  double term = 1.0;
  double sum = 1.0;
  for (int k = 1; k < 40; ++k) {
    term *= x / k;
    sum += term;
  }
  return sum;
}

// For mantissas in [1 + j/128, 1 + (j+1)/128): an inverse near 1/m and its logarithm.
struct LogEntry {
  double inverse;
  double lnInverse;
};
struct LogTable {
  LogEntry e[128];
  constexpr LogTable() : e() {
    for (int j = 0; j < 128; ++j) {
      const double inverse = 1.0 / (1.0 + (j + 0.5) / 128.0);
      e[j] = {inverse, lnNearOne(inverse)};
    }
  }
};
inline constexpr LogTable kLogTable{};

// 2^(j/64), j = 0..63.
struct ExpTable {
  double e[64];
  constexpr ExpTable() : e() {
    for (int j = 0; j < 64; ++j) {
      e[j] = expSmall(j * kLn2 / 64.0);
    }
  }
};
inline constexpr ExpTable kExpTable{};

}  // namespace detail

// x^0.3 for x >= 0 (the envelope level), with the exponent as the float 0.3.
// Table-driven, with short polynomials, so that few operations wait on each
// other: this sits on the path from one sample's envelope to the next one's.
inline float envelopePower(float level) {
  using namespace detail;
  if (!(level > 0.0f)) {
    return 0.0f;
  }
  // level = m * 2^e, m in [1, 2); ln m = ln(m * inverse) - ln(inverse), with
  // r = m * inverse - 1 below 1/256, whose series to r^5 leaves 1e-15.
  const double x = level;
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof(bits));
  const int e = static_cast<int>(bits >> 52) - 1023;  // level > 0: the sign bit is clear
  const LogEntry& entry = kLogTable.e[(bits >> 45) & 127];
  bits = (bits & 0x000fffffffffffffULL) | 0x3ff0000000000000ULL;
  double m;
  std::memcpy(&m, &bits, sizeof(m));
  const double r = m * entry.inverse - 1.0;
  const double r2 = r * r;
  const double lnM = (r + r2 * (-0.5 + r * (1.0 / 3.0))) + r2 * r2 * (-0.25 + r * 0.2);
  const double lnLevel =
      (static_cast<double>(e) * kLn2Hi - entry.lnInverse) + (lnM + static_cast<double>(e) * kLn2Lo);

  // e^y = 2^(k/64) * e^t, k whole (rounded by the 1.5 * 2^52 shift), |t| <= ln2/128,
  // whose series to t^5 leaves 1e-16.
  const double y = static_cast<double>(0.3f) * lnLevel;
  constexpr double kShift = 6755399441055744.0;  // 1.5 * 2^52
  const double shifted = y * (64.0 / kLn2) + kShift;
  const double k = shifted - kShift;
  const double t = (y - k * (kLn2Hi / 64.0)) - k * (kLn2Lo / 64.0);
  const double t2 = t * t;
  const double expT =
      (1.0 + t) + t2 * ((0.5 + t * (1.0 / 6.0)) + t2 * (1.0 / 24.0 + t * (1.0 / 120.0)));
  std::uint64_t kBits;
  std::memcpy(&kBits, &shifted, sizeof(kBits));
  const auto ki = static_cast<std::int64_t>(static_cast<std::int32_t>(kBits));  // k itself
  std::uint64_t scaleBits;
  std::memcpy(&scaleBits, &kExpTable.e[ki & 63], sizeof(scaleBits));
  scaleBits += static_cast<std::uint64_t>(ki >> 6) << 52;  // times 2^floor(k/64)
  double scale;
  std::memcpy(&scale, &scaleBits, sizeof(scale));
  return static_cast<float>(scale * expT);
}

}  // namespace dsp
