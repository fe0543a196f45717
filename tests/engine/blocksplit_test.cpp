// The output must not depend on how the host cuts the audio into blocks.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render.h"

namespace {

// A modulated, fed-back setting that exercises every stage.
void busySetting(Render& r) {
  r.set({{kMix, 0.7f},
         {kDlyTime, 0.03f},
         {kDepth, 0.8f},
         {kWaveform, 0.2f},
         {kRate, 0.6f},
         {kFbck, 0.8f},
         {kHiCut, 1.0f},
         {kManVCO, 0.3f}});
}

Stereo renderInBlocks(const Stereo& in, const std::vector<size_t>& pattern) {
  Render r;
  busySetting(r);
  Stereo out(in.size());
  AEffect* e = r.plugin.effect();
  size_t at = 0;
  for (size_t k = 0; at < in.size(); ++k) {
    const size_t n = std::min(pattern[k % pattern.size()], in.size() - at);
    float* inputs[2] = {const_cast<float*>(in.l.data() + at), const_cast<float*>(in.r.data() + at)};
    float* outputs[2] = {out.l.data() + at, out.r.data() + at};
    e->processReplacing(e, inputs, outputs, static_cast<VstInt32>(n));
    at += n;
  }
  return out;
}

}  // namespace

// Exactly the same, bit for bit: with modulation and feedback the smallest
// difference would grow into an audible one.
TEST(BlockSplit, OneBlockSingleSamplesAndUnevenBlocksAgree) {
  const Stereo in = noise(44100, 0.5f, 11);
  const Stereo whole = renderInBlocks(in, {in.size()});
  for (const auto& pattern : std::vector<std::vector<size_t>>{{1}, {7, 1, 512, 33, 4096}, {64}}) {
    const Stereo split = renderInBlocks(in, pattern);
    float worst = 0.0f;
    for (size_t i = 0; i < in.size(); ++i) {
      worst = std::max(worst, std::fabs(split.l[i] - whole.l[i]));
      worst = std::max(worst, std::fabs(split.r[i] - whole.r[i]));
    }
    EXPECT_EQ(worst, 0.0f) << pattern.size();
  }
}

TEST(BlockSplit, EmptyBlocksChangeNothing) {
  const Stereo in = noise(20000, 0.5f, 12);
  const Stereo plain = renderInBlocks(in, {256});
  Render r;
  busySetting(r);
  Stereo out(in.size());
  AEffect* e = r.plugin.effect();
  for (size_t at = 0; at < in.size(); at += 256) {
    float* inputs[2] = {const_cast<float*>(in.l.data() + at), const_cast<float*>(in.r.data() + at)};
    float* outputs[2] = {out.l.data() + at, out.r.data() + at};
    e->processReplacing(e, inputs, outputs, 0);
    e->processReplacing(e, inputs, outputs, -5);
    e->processReplacing(e, inputs, outputs,
                        static_cast<VstInt32>(std::min<size_t>(256, in.size() - at)));
  }
  for (size_t i = 0; i < in.size(); ++i) {
    ASSERT_EQ(out.l[i], plain.l[i]) << i;
  }
}
