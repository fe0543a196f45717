// The one quantizer of normalized values, shared by engine, presets and editor.
#pragma once

#include <cmath>

// Step of n that holds v: floor(n*v) limited to 0..n-1 (NaN gives step 0).
inline int stepIndex(float v, int n) {
  const float scaled = std::floor(static_cast<float>(n) * v);
  if (!(scaled >= 0.0f)) {
    return 0;
  }
  if (scaled >= static_cast<float>(n - 1)) {
    return n - 1;
  }
  return static_cast<int>(scaled);
}

// Centre of step i of n.
inline float stepCentre(int i, int n) {
  return (static_cast<float>(i) + 0.5f) / static_cast<float>(n);
}

// A normalized value from outside (host, chunk, file, store) as it is kept:
// limited to 0..1, and `fallback` for one that is no finite number.
inline float limitedValue(float v, float fallback) {
  if (!std::isfinite(v)) {
    return fallback;
  }
  return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}
