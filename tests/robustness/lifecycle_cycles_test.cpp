// Instances made and closed over and over, as a host scanning plug-ins or a
// user loading sessions does. Under LeakSanitizer (the asan preset) a leak of
// any cycle fails the program at exit; the count there is shorter.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/render.h"
#include "plugin/zel.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kCycles = 100;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kCycles = 100;
#else
constexpr int kCycles = 1000;
#endif
#else
constexpr int kCycles = 1000;
#endif

}  // namespace

TEST(Cycles, CreateResumeProcessSuspendCloseAThousandTimes) {
  FakeHost host;
  const Stereo in = noise(256, 0.5f);
  Stereo out(256);
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    AEffect* e = effectEntry(FakeHost::callback);
    ASSERT_NE(e, nullptr) << cycle;
    e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f);
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, cycle % 2 == 0 ? 44100.0f : 48000.0f);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
    float* inputs[2] = {const_cast<float*>(in.l.data()),   // NOLINT: host buffers
                        const_cast<float*>(in.r.data())};  // NOLINT
    float* outputs[2] = {out.l.data(), out.r.data()};
    e->processReplacing(e, inputs, outputs, 256);
    ASSERT_TRUE(std::isfinite(out.l[255])) << cycle;
    e->dispatcher(e, effMainsChanged, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
    if (cycle % 100 == 0) {
      host.clear();  // the host's own log is not the plug-in's memory
    }
  }
}

TEST(Cycles, CloseRightAfterConstruction) {
  FakeHost host;
  AEffect* e = effectEntry(FakeHost::callback);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
  // And after only opening, and while switched on (a host that skips suspend).
  e = effectEntry(FakeHost::callback);
  ASSERT_NE(e, nullptr);
  e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f);
  EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
  e = effectEntry(FakeHost::callback);
  ASSERT_NE(e, nullptr);
  e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
  EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
}
