// A left/right pair computed together in one SIMD register (lanes 0 and 1;
// lanes 2 and 3 ride along unused). Every operation is the same IEEE single
// precision operation per lane as the scalar code would do.
#pragma once

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

namespace dsp {

using F4 = float __attribute__((vector_size(16)));
using I4 = std::int32_t __attribute__((vector_size(16)));

inline F4 splat(float x) { return F4{x, x, x, x}; }
inline F4 pair(float l, float r) { return F4{l, r, 0.0f, 0.0f}; }
// The pair stored at p (two floats), in one load.
inline F4 loadPair(const float* p) {
  double both;
  std::memcpy(&both, p, sizeof(both));
  return _mm_castpd_ps(_mm_set_sd(both));
}

inline F4 absolute(F4 v) { return reinterpret_cast<F4>(reinterpret_cast<I4>(v) & 0x7fffffff); }

// Lanes that hold a finite number keep it; infinities and NaNs become 0.
inline F4 finiteOrZero(F4 v) {
  const I4 bits = reinterpret_cast<I4>(v);
  const I4 finite = (bits & 0x7f800000) != 0x7f800000;
  return reinterpret_cast<F4>(bits & finite);
}

// [a0, a1, b0, b1]: the pairs of two registers side by side.
inline F4 lowPairs(F4 a, F4 b) { return _mm_movelh_ps(a, b); }
// [v2, v3, 0, 0]: the upper pair moved down.
inline F4 upperPair(F4 v) { return _mm_movehl_ps(_mm_setzero_ps(), v); }

// Every lane +0, bit for bit.
inline bool isZero(F4 v) {
  const I4 bits = reinterpret_cast<I4>(v);
  return (bits[0] | bits[1] | bits[2] | bits[3]) == 0;
}

// mask ? a : b, lane by lane (mask lanes all ones or all zeros).
inline F4 select(I4 mask, F4 a, F4 b) {
  return reinterpret_cast<F4>((reinterpret_cast<I4>(a) & mask) | (reinterpret_cast<I4>(b) & ~mask));
}

}  // namespace dsp
