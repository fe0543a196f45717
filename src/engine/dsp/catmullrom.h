// Catmull-Rom cubic through four points p0..p3, evaluated between p1 (t = 0)
// and p2 (t = 1). The coefficients change once per sample, the position per step.
#pragma once

namespace dsp {

struct CatmullRom {
  float p1x2, c1, c2, c3;

  static CatmullRom through(float p0, float p1, float p2, float p3) {
    return {2.0f * p1, p2 - p0, 2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3,
            3.0f * p1 - p0 - 3.0f * p2 + p3};
  }

  float at(float t) const {
    const float t2 = t * t;
    const float t3 = t2 * t;
    return 0.5f * (p1x2 + c1 * t + c2 * t2 + c3 * t3);
  }
};

}  // namespace dsp
