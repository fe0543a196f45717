// The host's two threads on several instances at once: the audio thread plays
// blocks with MIDI control and tempo changes, the user-interface thread
// automates, changes the sample rate, saves and restores the state, selects
// programs, reads texts and the status as the editor does, and runs the editor
// windows (headless) with their idle passes and clicks. Run under
// ThreadSanitizer (preset tsan) this shows any unsynchronized access to the
// engine's controls, flags and status, and to the editor's controls, which
// MIDI moves from the audio thread; and the CLAP outbox, which the editor
// fills while the audio thread drains it.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "../presets/midievents.h"
#include "editor/editor.h"
#include "gui/cframe.h"
#include "plugin/clap/clapoutbox.h"
#include "plugin/zel.h"
#include "zelprobe.h"

namespace {

constexpr int kInstances = 3;
constexpr int kBlocks = 12000;
constexpr int kFrames = 256;

// What the host keeps per instance. The transport is written by the audio
// thread only, before each block, as a host does.
struct Slot {
  AEffect* effect = nullptr;
  VstTimeInfo transport{};
};
std::array<Slot, kInstances> slots;

VstIntPtr stressHost(AEffect* effect, VstInt32 opcode, VstInt32 /*index*/, VstIntPtr /*value*/,
                     void* /*ptr*/, float /*opt*/) {
  switch (opcode) {
    case audioMasterVersion:
      return 2400;
    case audioMasterGetTime:
      for (Slot& slot : slots) {
        if (slot.effect == effect && effect != nullptr) {
          return reinterpret_cast<VstIntPtr>(&slot.transport);  // NOLINT: ABI
        }
      }
      return 0;
    default:
      return 0;
  }
}

Zel& zelOf(AEffect* e) { return *static_cast<Zel*>(static_cast<AudioEffect*>(e->object)); }

// The audio thread: blocks of every instance in turn, with the host's MIDI and tempo.
void playAudio(std::atomic<bool>& finite, std::atomic<int>& blocksDone) {
  std::vector<float> inL(kFrames), inR(kFrames), outL(kFrames), outR(kFrames);
  unsigned noise = 1;
  std::vector<MidiEvents> midi(16);
  for (int k = 0; k < 16; ++k) {
    midi[k].controlChange(k, 102 + k, (k * 17) % 128).controlChange(0, (k * 9) % 128, 64);
  }
  for (int block = 0; block < kBlocks; ++block) {
    for (Slot& slot : slots) {
      AEffect* e = slot.effect;
      slot.transport.tempo = 60.0 + (block / 50 % 10) * 20.0;
      slot.transport.ppqPos += kFrames * slot.transport.tempo / (60.0 * 44100.0);
      slot.transport.flags = block % 9 == 0 ? 0 : kVstTempoValid | kVstPpqPosValid;
      if (block % 4 == 0) {
        e->dispatcher(e, effProcessEvents, 0, 0, midi[block / 4 % 16].list(), 0.0f);
      }
      for (int i = 0; i < kFrames; ++i) {
        noise = noise * 1664525u + 1013904223u;
        inL[i] = static_cast<float>(noise >> 8) / 16777216.0f - 0.5f;
        inR[i] = -inL[i];
      }
      float* inputs[2] = {inL.data(), inR.data()};
      float* outputs[2] = {outL.data(), outR.data()};
      e->processReplacing(e, inputs, outputs, kFrames);
      for (int i = 0; i < kFrames; ++i) {
        if (!std::isfinite(outL[i]) || !std::isfinite(outR[i])) {
          finite.store(false, std::memory_order_relaxed);
        }
      }
    }
    blocksDone.store(block + 1, std::memory_order_relaxed);
  }
}

// The editor window as a user meets it: idle passes, a click on a button, a
// step and a drag of the delay, and now and then closing and opening again.
void useEditor(AEffect* e, int step) {
  if (step % 97 == 0) {
    e->dispatcher(e, effEditClose, 0, 0, nullptr, 0.0f);
    e->dispatcher(e, effEditOpen, 0, 0, nullptr, 0.0f);
  }
  e->dispatcher(e, effEditIdle, 0, 0, nullptr, 0.0f);
  CFrame* frame = zelOf(e).getEditor() != nullptr
                      ? static_cast<Editor*>(zelOf(e).getEditor())->getFrame()
                      : nullptr;
  if (frame == nullptr || step % 3 != 0) {
    return;
  }
  const CPoint points[] = {{258, 57}, {483, 46}, {540, 42}, {120, 40}};
  CPoint where = points[step / 3 % 4];
  CPoint to(where.x, where.y - static_cast<CCoord>(step % 50));
  frame->onMouseDown(where, kLButton);
  frame->onMouseMoved(to, kLButton);
  frame->onMouseUp(to, 0);
}

// The user-interface thread, until the audio thread is done.
void useInterface(const std::atomic<int>& blocksDone, int& rounds) {
  std::vector<unsigned char> saved(1736);
  char text[256];
  for (int step = 0; blocksDone.load(std::memory_order_relaxed) < kBlocks; ++step) {
    for (Slot& slot : slots) {
      AEffect* e = slot.effect;
      Zel& zel = zelOf(e);
      useEditor(e, step);
      const auto index = static_cast<VstInt32>(step % kNumHostParams);
      e->setParameter(e, index, static_cast<float>((step % 1000) * 7919 % 1000) / 999.0f);
      (void)e->getParameter(e, (index + 5) % kNumHostParams);
      e->dispatcher(e, effGetParamDisplay, index % kNumZelParameters, 0, text, 0.0f);
      e->dispatcher(e, effGetParamName, index, 0, text, 0.0f);
      const EngineStatus status = zel.getEngineStatus();
      if (!std::isfinite(status.peakLevel) || !std::isfinite(status.oscillatorPhase)) {
        ADD_FAILURE() << "status not finite";
      }
      (void)ZelProbe(zel).delayTimeMs();
      (void)ZelProbe(zel).clockPeriod();
      (void)ZelProbe(zel).repeatEngaged();
      (void)zel.getTempo();
      if (step % 7 == 0) {
        void* data = nullptr;
        const auto size = e->dispatcher(e, effGetChunk, 0, 0, &data, 0.0f);
        if (size == 1736) {
          std::memcpy(saved.data(), data, saved.size());
          e->dispatcher(e, effSetChunk, 0, size, saved.data(), 0.0f);
        }
      }
      if (step % 11 == 0) {
        zel.selectProgram(step / 11 % kNumPrograms);
        e->dispatcher(e, effGetProgramName, 0, 0, text, 0.0f);
      }
      if (step % 13 == 0) {
        zel.setTempoFromControl(static_cast<float>(step % 100) / 100.0f);
      }
      if (step % 17 == 0) {
        zel.startLearn();
        zel.setLearnTarget(step % kNumEffectParams);
      }
      if (step % 29 == 0) {  // a host that changes the rate while it plays
        const float rates[] = {48000.0f, 96000.0f, 44100.0f};
        e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, rates[step / 29 % 3]);
      }
    }
    ++rounds;
  }
}

}  // namespace

TEST(ConcurrencyStress, AudioAndInterfaceThreadsOnSeveralInstances) {
  for (Slot& slot : slots) {
    slot.transport = VstTimeInfo{};
    slot.transport.tempo = 120.0;
    slot.transport.sampleRate = 44100.0;
    slot.effect = effectEntry(stressHost, &createEditor);
    ASSERT_NE(slot.effect, nullptr);
    AEffect* e = slot.effect;
    e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f);
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    e->dispatcher(e, effSetBlockSize, 0, kFrames, nullptr, 0.0f);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
    e->dispatcher(e, effEditOpen, 0, 0, nullptr, 0.0f);
  }
  std::atomic<bool> finite{true};
  std::atomic<int> blocksDone{0};
  int rounds = 0;
  std::thread audio(playAudio, std::ref(finite), std::ref(blocksDone));
  std::thread ui(useInterface, std::cref(blocksDone), std::ref(rounds));
  audio.join();
  ui.join();
  EXPECT_TRUE(finite.load());
  EXPECT_EQ(blocksDone.load(), kBlocks);
  EXPECT_GT(rounds, 0);
  for (Slot& slot : slots) {
    slot.effect->dispatcher(slot.effect, effEditClose, 0, 0, nullptr, 0.0f);
    slot.effect->dispatcher(slot.effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(slot.effect->dispatcher(slot.effect, effClose, 0, 0, nullptr, 0.0f), 1);
    slot.effect = nullptr;
  }
}

// Changes made by the UI thread while blocks play, one at a time, each taken
// by the audio thread's next block: `make(round)` makes the change, `taken(zel,
// round)` tells on the audio thread whether the engine runs with it.
template <typename Make, typename Taken>
void checkEveryChangeIsTakenByTheNextBlock(int rounds, Make make, Taken taken) {
  constexpr int kBlockFrames = 32;
  AEffect* e = effectEntry(stressHost);
  ASSERT_NE(e, nullptr);
  e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f);
  e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
  e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
  const Zel& zel = zelOf(e);

  std::atomic<int> published{0};
  std::atomic<int> checked{0};
  std::atomic<int> wrong{0};
  std::thread audio([&] {
    std::vector<float> in(kBlockFrames, 0.0f), outL(kBlockFrames), outR(kBlockFrames);
    float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {outL.data(), outR.data()};
    for (int seen = 0; seen < rounds;) {
      e->processReplacing(e, inputs, outputs, kBlockFrames);
      const int round = published.load(std::memory_order_acquire);
      if (round == seen) {
        continue;
      }
      // This block starts after the change was made: it must take it.
      e->processReplacing(e, inputs, outputs, kBlockFrames);
      if (!taken(zel, round)) {
        wrong.fetch_add(1, std::memory_order_relaxed);
      }
      seen = round;
      checked.store(round, std::memory_order_release);
    }
  });
  for (int round = 1; round <= rounds; ++round) {
    make(e, round);
    published.store(round, std::memory_order_release);
    while (checked.load(std::memory_order_acquire) != round) {
      std::this_thread::yield();
    }
  }
  audio.join();
  EXPECT_EQ(wrong.load(), 0);
  e->dispatcher(e, effMainsChanged, 0, 0, nullptr, 0.0f);
  e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
}

// Editor gestures posted while the audio thread drains them: however the two
// interleave, the host sees each parameter's gestures begun before they end,
// values only inside them, and at last every gesture ended on the final value.
TEST(ConcurrencyStress, GesturesPostedWhileTheAudioThreadDrainsReachTheHostWhole) {
  constexpr uint32_t kParams = 2;
  constexpr int kGestures = 40000;
  ClapOutbox<kParams> outbox;
  std::atomic<bool> done{false};
  std::atomic<int> drains{0};
  std::array<bool, kParams> open{};
  std::array<double, kParams> last{};
  int faults = 0;
  const auto drain = [&] {
    outbox.drain([&](const ClapOutgoing& news) {
      bool& isOpen = open[news.param];
      if (news.type == CLAP_EVENT_PARAM_VALUE) {
        faults += isOpen ? 0 : 1;
        last[news.param] = news.value;
      } else {
        const bool begins = news.type == CLAP_EVENT_PARAM_GESTURE_BEGIN;
        faults += isOpen == begins ? 1 : 0;
        isOpen = begins;
      }
      return true;
    });
  };
  std::thread audio([&] {
    while (!done.load(std::memory_order_acquire)) {
      drain();
      drains.fetch_add(1, std::memory_order_release);
    }
  });
  for (int i = 0; i < kGestures; ++i) {
    // Now and then the writer lets a drain happen, so the two really meet.
    for (const int seen = drains.load(std::memory_order_acquire);
         i % 16 == 0 && drains.load(std::memory_order_acquire) == seen;) {
      std::this_thread::yield();
    }
    // A gesture on one parameter, sometimes nested, sometimes ended twice.
    const uint32_t param = static_cast<uint32_t>(i) % kParams;
    outbox.post({CLAP_EVENT_PARAM_GESTURE_BEGIN, param, 0.0});
    for (int step = 0; step <= i % 3; ++step) {
      outbox.post({CLAP_EVENT_PARAM_VALUE, param, i + step * 0.25});
      if (i % 7 == 0) {
        outbox.post({CLAP_EVENT_PARAM_GESTURE_BEGIN, param, 0.0});
        outbox.post({CLAP_EVENT_PARAM_GESTURE_END, param, 0.0});
      }
    }
    outbox.post({CLAP_EVENT_PARAM_GESTURE_END, param, 0.0});
    if (i % 5 == 0) {
      outbox.post({CLAP_EVENT_PARAM_GESTURE_END, param, 0.0});  // no news
    }
  }
  done.store(true, std::memory_order_release);
  audio.join();
  drain();  // the host's last flush
  EXPECT_EQ(faults, 0);
  EXPECT_EQ(open, (std::array<bool, kParams>{}));
  EXPECT_EQ(last[0], kGestures - 2 + ((kGestures - 2) % 3) * 0.25);
  EXPECT_EQ(last[1], kGestures - 1 + ((kGestures - 1) % 3) * 0.25);
}

// A delay time set while blocks play must be the one the engine seats: the
// request that announces it may never be taken with the time before it.
TEST(ConcurrencyStress, EveryDelayTimeSetWhileBlocksPlayIsSeated) {
  auto delayOf = [](int round) { return static_cast<float>(round % 97 + 1) / 128.0f; };
  checkEveryChangeIsTakenByTheNextBlock(
      3000, [&](AEffect* e, int round) { e->setParameter(e, kDlyTime, delayOf(round)); },
      [&](const Zel& zel, int round) {
        const float expected = 44100.0f * 3.2f * delayOf(round);
        return std::fabs(ZelProbe(zel).engine().delaySamples() - expected) <= 0.5f;
      });
}

// A host may give the rate from its UI thread while its audio thread plays:
// the memory for it is made there and taken whole by the next block.
TEST(ConcurrencyStress, EverySampleRateGivenWhileBlocksPlayIsTakenByTheNextBlock) {
  auto rateOf = [](int round) { return round % 2 == 0 ? 44100 : 48000 + 4000 * (round % 7); };
  checkEveryChangeIsTakenByTheNextBlock(
      300,
      [&](AEffect* e, int round) {
        e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, static_cast<float>(rateOf(round)));
      },
      [&](const Zel& zel, int round) {
        const DelayEngine& engine = ZelProbe(zel).engine();
        return engine.sampleRate() == rateOf(round) &&
               engine.memoryLength() == 1 + rateOf(round) * 16 / 5;
      });
}
