// Input a host should never send but some do: NaN and infinite samples. The
// effect plays on as if they were silence, and is itself again by the next block.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/render.h"

namespace {

constexpr size_t kBlock = 512;

// Noise with a burst of NaN and infinities in [from, to).
Stereo withBurst(size_t n, size_t from, size_t to) {
  Stereo s = noise(n, 0.5f, 7);
  const float bad[] = {
      std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
      -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::signaling_NaN()};
  for (size_t i = from; i < to; ++i) {
    s.l[i] = bad[i % 4];
    s.r[i] = bad[(i + 1) % 4];
  }
  return s;
}

void setUpHardUse(Render& r) {
  r.set({{kMix, 0.7f},
         {kFbck, 0.9f},
         {kDlyTime, 0.02f},
         {kDepth, 0.8f},
         {kWaveform, 0.3f},
         {kHiCut, 1.0f},
         {kInput, 1.0f}});
  r.settle();
}

}  // namespace

TEST(BadInput, ABurstOfNonFiniteSamplesPlaysAsSilenceAndLeavesNoTrace) {
  const size_t n = 40 * kBlock;
  const Stereo burst = withBurst(n, 3 * kBlock + 100, 6 * kBlock + 17);
  Stereo silenced = burst;
  for (size_t i = 0; i < n; ++i) {
    silenced.l[i] = std::isfinite(silenced.l[i]) ? silenced.l[i] : 0.0f;
    silenced.r[i] = std::isfinite(silenced.r[i]) ? silenced.r[i] : 0.0f;
  }
  Render hit, clean;
  setUpHardUse(hit);
  setUpHardUse(clean);
  const Stereo out = hit.run(burst, kBlock);
  const Stereo expected = clean.run(silenced, kBlock);
  for (size_t i = 0; i < n; ++i) {
    ASSERT_TRUE(std::isfinite(out.l[i]) && std::isfinite(out.r[i])) << i;
  }
  // From the block after the burst on, nothing tells the two apart.
  for (size_t i = 7 * kBlock; i < n; ++i) {
    ASSERT_EQ(out.l[i], expected.l[i]) << i;
    ASSERT_EQ(out.r[i], expected.r[i]) << i;
  }
}

TEST(BadInput, SwitchedOffTheBurstPassesAndTheNextBlockIsClean) {
  Render r;
  setUpHardUse(r);
  r.set({{kPower, 0.0f}});
  const size_t n = 8 * kBlock;
  const Stereo in = withBurst(n, kBlock, 2 * kBlock);
  const Stereo out = r.run(in, kBlock);
  EXPECT_TRUE(std::isnan(out.l[kBlock]));  // power off is a plain wire
  for (size_t i = 2 * kBlock; i < n; ++i) {
    ASSERT_EQ(out.l[i], in.l[i]) << i;
  }
  // Switched on again, the effect has kept nothing of what passed.
  r.set({{kPower, 1.0f}});
  const Stereo after = r.run(noise(20 * kBlock, 0.5f), kBlock);
  for (size_t i = 0; i < after.size(); ++i) {
    ASSERT_TRUE(std::isfinite(after.l[i]) && std::isfinite(after.r[i])) << i;
  }
}

TEST(BadInput, HugeFiniteSamplesStayFinite) {
  Render r;
  setUpHardUse(r);
  Stereo loud = noise(16 * kBlock, std::numeric_limits<float>::max());
  const Stereo out = r.run(loud, kBlock);
  for (size_t i = 0; i < out.size(); ++i) {
    ASSERT_TRUE(std::isfinite(out.r[i]) || !std::isfinite(loud.r[i] * 4.0f)) << i;
  }
  const Stereo after = r.run(noise(16 * kBlock, 0.5f), kBlock);
  for (size_t i = kBlock; i < after.size(); ++i) {
    ASSERT_TRUE(std::isfinite(after.l[i]) && std::isfinite(after.r[i])) << i;
  }
}
