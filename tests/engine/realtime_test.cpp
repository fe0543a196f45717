// The audio path allocates and frees nothing, and an engine without memory
// still plays.
#include <gtest/gtest.h>

#include <cmath>

#include "allocation_hook.h"
#include "common/steps.h"
#include "quiethost.h"
#include "render.h"

TEST(RealTime, NoAllocationWhileProcessingThroughEveryKindOfChange) {
  Plugin plugin(quiethost::callback);
  plugin.start();
  quiethost::transport.tempo = 120.0;
  const Stereo in = noise(512, 0.5f);
  Stereo out(512);
  AEffect* e = plugin.effect();
  auto* zel = static_cast<Zel*>(static_cast<AudioEffect*>(e->object));
  float* inputs[2] = {const_cast<float*>(in.l.data()), const_cast<float*>(in.r.data())};
  float* outputs[2] = {out.l.data(), out.r.data()};
  e->processReplacing(e, inputs, outputs, 512);  // the first block may set up the host's side

  std::size_t during = 0;
  for (int block = 0; block < 2000; ++block) {
    // Changes between blocks, as automation and the editor make them.
    const auto index = static_cast<VstInt32>(block % 18);
    const float value = static_cast<float>((block * 37) % 101) / 100.0f;
    plugin.setParameter(index, value);
    quiethost::transport.tempo = 60.0 + block % 200;
    quiethost::transport.ppqPos = block * 0.1;
    if (block % 100 == 0) {
      zel->getEngineStatus();
      zel->selectProgram(block / 100 % 17);
    }
    if (block % 250 == 0) {
      // A new rate while on: its memory is made here and taken by the next
      // block; the one it replaces is freed at a later call, here.
      const float rates[] = {48000.0f, 96000.0f, 22050.0f, 44100.0f};
      plugin.dispatch(effSetSampleRate, 0, 0, nullptr, rates[block / 250 % 4]);
    }
    allocation_hook::resetCount();
    e->processReplacing(e, inputs, outputs, static_cast<VstInt32>(1 + block % 512));
    during += allocation_hook::count() + allocation_hook::frees();
  }
  EXPECT_EQ(ZelProbe(*zel).engine().sampleRate(), 44100);
  EXPECT_EQ(during, 0u);
  for (float v : out.l) {
    ASSERT_TRUE(std::isfinite(v));
  }
}

TEST(RealTime, WithoutDelayMemoryTheInputPassesUntilAResumeGetsIt) {
  FakeHost host;
  allocation_hook::failFrom(1 << 20);  // the delay memory is the only large request
  Plugin plugin;
  allocation_hook::failFrom(0);
  ASSERT_NE(plugin.effect(), nullptr);
  const Stereo in = noise(1024, 0.5f);
  Stereo out;
  plugin.dispatch(effMainsChanged, 0, 0);
  allocation_hook::failFrom(1 << 20);
  plugin.dispatch(effMainsChanged, 0, 1);
  allocation_hook::failFrom(0);
  plugin.process(in.l, in.r, out.l, out.r);
  EXPECT_EQ(out.l, in.l);
  EXPECT_EQ(out.r, in.r);

  // The next switch-on allocates and the effect is back.
  plugin.dispatch(effMainsChanged, 0, 0);
  plugin.dispatch(effMainsChanged, 0, 1);
  plugin.process(in.l, in.r, out.l, out.r);
  EXPECT_NE(out.l, in.l);
}
