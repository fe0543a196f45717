// Catmull-Rom cubic through four points p0..p3, evaluated between p1 (t = 0)
// and p2 (t = 1), for both channels at once. The coefficients change once per
// sample, the position per memory step. At t = 0 the value is p1 itself
// (0.5 * 2 * p1 is exact), so callers skip the evaluation there.
#pragma once

#include "stereo.h"

namespace dsp {

struct CatmullRom {
  F4 p1x2, c1, c2, c3;

  static CatmullRom through(F4 p0, F4 p1, F4 p2, F4 p3) {
    constexpr F4 two{2, 2, 2, 2}, three{3, 3, 3, 3}, four{4, 4, 4, 4}, five{5, 5, 5, 5};
    return {two * p1, p2 - p0, two * p0 - five * p1 + four * p2 - p3,
            three * p1 - p0 - three * p2 + p3};
  }

  F4 at(float t) const {
    constexpr F4 half{0.5f, 0.5f, 0.5f, 0.5f};
    const F4 t1 = splat(t);
    const F4 t2 = t1 * t1;
    const F4 t3 = t2 * t1;
    return half * (p1x2 + c1 * t1 + c2 * t2 + c3 * t3);
  }
};

}  // namespace dsp
