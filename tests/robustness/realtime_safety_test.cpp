// Over a long render with every kind of change (automation of all 36
// parameters, out-of-range and non-finite values, programs, chunks, tempo,
// MIDI control, learn and unassign), processReplacing and processEvents make no
// heap allocation, take no lock, read no clock and do no I/O.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <mutex>
#include <vector>

#include "../engine/allocation_hook.h"
#include "../presets/midievents.h"
#include "blocking_hook.h"
#include "engine/render.h"
#include "quiethost.h"

namespace {

struct Counted {
  std::size_t allocations = 0;
  std::size_t blocking = 0;
  const char* firstBlocking = nullptr;
};

// Runs one host call with both hooks counting.
template <typename Call>
void counted(Counted& total, Call call) {
  allocation_hook::resetCount();
  blocking_hook::arm();
  call();
  const std::size_t blocking = blocking_hook::disarm();
  total.allocations += allocation_hook::count();
  if (blocking > 0 && total.firstBlocking == nullptr) {
    total.firstBlocking = blocking_hook::firstCall();
  }
  total.blocking += blocking;
}

float valueFor(int step) {
  switch (step % 23) {
    case 0:
      return std::numeric_limits<float>::quiet_NaN();
    case 1:
      return 1.0e30f;
    case 2:
      return -3.0f;
    default:
      return static_cast<float>((step * 37) % 101) / 100.0f;
  }
}

}  // namespace

TEST(RealTimeSafety, TheHooksSeeWhatTheyShould) {
  if (!blocking_hook::available()) {
    GTEST_SKIP() << "the C library cannot be intercepted in this build";
  }
  std::mutex m;
  blocking_hook::arm();
  { std::lock_guard<std::mutex> lock(m); }
  EXPECT_GE(blocking_hook::disarm(), 1u);
  blocking_hook::arm();
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);  // as the plug-in's code, linked in here, would call it
  EXPECT_GE(blocking_hook::disarm(), 1u);
  blocking_hook::arm();
  void* volatile p = std::malloc(16);  // volatile: the pair would otherwise be optimized away
  EXPECT_GE(blocking_hook::disarm(), 1u);
  std::free(p);
  blocking_hook::arm();
  std::FILE* f = std::fopen("/dev/null", "wb");
  EXPECT_GE(blocking_hook::disarm(), 1u);
  if (f != nullptr) {
    std::fclose(f);
  }
  allocation_hook::resetCount();
  auto* q = new (std::nothrow) int[4];
  EXPECT_EQ(allocation_hook::count(), 1u);
  delete[] q;
}

TEST(RealTimeSafety, NothingBlocksOrAllocatesWhileProcessingThroughEveryKindOfChange) {
  Plugin plugin(quiethost::callback);
  plugin.start();
  quiethost::transport = VstTimeInfo{};
  quiethost::transport.tempo = 120.0;
  quiethost::transport.flags = kVstTempoValid | kVstPpqPosValid;
  AEffect* e = plugin.effect();
  auto* zel = static_cast<Zel*>(static_cast<AudioEffect*>(e->object));
  const Stereo in = noise(512, 0.5f);
  Stereo out(512);
  float* inputs[2] = {const_cast<float*>(in.l.data()), const_cast<float*>(in.r.data())};  // NOLINT
  float* outputs[2] = {out.l.data(), out.r.data()};
  std::vector<unsigned char> chunk(1736);

  Counted total;
  for (int block = 0; block < 6000; ++block) {
    // The user's and the host's changes, between blocks.
    plugin.setParameter(block % kNumHostParams, valueFor(block));
    quiethost::transport.tempo = 30.0 + block % 400;
    quiethost::transport.ppqPos = block * 0.05;
    quiethost::transport.flags = block % 7 == 0 ? 0 : kVstTempoValid | kVstPpqPosValid;
    if (block % 250 == 0) {
      zel->selectProgram(block / 250 % kNumPrograms);
      zel->getEngineStatus();
    }
    if (block % 400 == 100) {
      void* data = nullptr;
      const auto size = plugin.dispatch(effGetChunk, 0, 0, &data);
      std::copy_n(static_cast<unsigned char*>(data), size, chunk.begin());
      plugin.dispatch(effSetChunk, 0, size, chunk.data());
    }
    if (block % 300 == 50) {
      zel->startLearn();
      zel->setLearnTarget(block % kNumEffectParams);
    } else if (block % 300 == 150) {
      zel->startUnassign();
    }
    // MIDI from the host: control changes on every controller, learn binds
    // and other messages, built before the call that is counted.
    MidiEvents events;
    for (int k = 0; k < 4; ++k) {
      events.controlChange((block + k) % 16, (block * 5 + k * 31) % 128, (block * 3 + k) % 128);
    }
    events.add(0x90, 60, 100).add(0xb0, 200, 300 % 256);
    VstEvents* list = events.list();
    counted(total, [&] { plugin.dispatch(effProcessEvents, 0, 0, list); });
    counted(total, [&] {
      e->processReplacing(e, inputs, outputs, static_cast<VstInt32>(1 + (block * 13) % 512));
    });
    ASSERT_TRUE(std::isfinite(out.l[0]) && std::isfinite(out.r[0])) << block;
  }
  EXPECT_EQ(total.allocations, 0u);
  EXPECT_EQ(total.blocking, 0u) << "first: " << (total.firstBlocking ? total.firstBlocking : "");
}
