// The clock's sin and power against double precision, rounded once: they are
// correctly rounded nearly everywhere, so Linux and Windows builds agree and
// neither depends on its C library's last bit.
#include "engine/dsp/oscillatormath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Distance in units in the last place between a and the correctly rounded b.
double ulps(float a, double b) {
  const auto rounded = static_cast<float>(b);
  const float step = std::nextafter(std::fabs(rounded), INFINITY) - std::fabs(rounded);
  return std::fabs(static_cast<double>(a) - b) / step;
}

}  // namespace

TEST(OscillatorMath, SineAndEnvelopePowerAreWithinHalfAUnitInTheLastPlace) {
  double worstSine = 0.0;
  for (int i = 0; i <= 400000; ++i) {
    const float phase = -3.1415927f + 6.2831855f * static_cast<float>(i) / 400000.0f;
    worstSine = std::fmax(worstSine, ulps(dsp::sineOfPhase(phase), std::sin(double{phase})));
  }
  EXPECT_LE(worstSine, 0.5001);

  // Levels from the smallest the flushed envelope keeps up to well above full scale.
  double worstPower = 0.0;
  for (float level = 1e-25f; level < 16.0f; level *= 1.0001f) {
    worstPower = std::fmax(worstPower,
                           ulps(dsp::envelopePower(level), std::pow(double{level}, double{0.3f})));
  }
  EXPECT_LE(worstPower, 0.5001);
  EXPECT_EQ(dsp::envelopePower(0.0f), 0.0f);
  EXPECT_EQ(dsp::envelopePower(1.0f), 1.0f);
  EXPECT_EQ(dsp::sineOfPhase(0.0f), 0.0f);
}
