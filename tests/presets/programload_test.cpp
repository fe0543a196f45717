// Every way a program is loaded applies the whole program, whatever the
// repeat state before, and the host's own copy of the 36 values follows.
#include <algorithm>

#include "fakehost.h"
#include "panelwindow.h"
#include "zelprobe.h"

namespace {

using paneltest::PanelTest;

constexpr int32_t kStep = 34, kLoadBank = 35, kSaveBank = 36, kLoadPreset = 37, kSavePreset = 38;
constexpr int32_t kStoreA = 48, kRecallA = 50;

Program makeProgram(const char* name, float delay, bool repeat, bool synced) {
  Program p{};
  copyProgramName(p.name, name);
  const float values[kNumEffectParams] = {0.5f, 0.5f, 0.5f, delay, 0.0f, 0.0f, 0.3f, 0.0f, 0.0f,
                                          0.5f, 0.0f, 0.5f, 0.0f,  0.0f, 0.5f, 0.0f, 0.1f, 0.423f};
  std::copy(values, values + kNumEffectParams, p.values);
  p.values[kRptInf] = repeat ? 1.0f : 0.0f;
  p.values[kDlyClk] = synced ? 1.0f : 0.0f;
  return p;
}

class ProgramLoad : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    newInstance();  // now speaking to this test's host
    open();
    zel->replaceProgram(3, makeProgram("long, repeating", 0.25f, true, false));
    zel->replaceProgram(4, makeProgram("short", 0.0625f, false, false));
    zel->replaceProgram(5, makeProgram("synced", 0.9f, false, true));
    for (VstInt32 i = 0; i < kNumHostParams; ++i) {
      hostCopy[i] = zel->getParameter(i);
    }
  }

  // What the host sets, it knows.
  void hostSets(VstInt32 index, float value) {
    followHost();
    plugin->setParameter(index, value);
    hostCopy[index] = value;
  }
  // The host's copy after it has heard what the plug-in told it.
  void followHost() {
    for (const HostRequest& r : host.requests()) {
      if (r.opcode == audioMasterAutomate && r.index >= 0 && r.index < kNumHostParams) {
        hostCopy[r.index] = r.opt;
      }
    }
    host.clear();
  }
  // The program `k` in force, the host's copy equal to the plug-in's values.
  void expectLoaded(const Program& p, const char* how) {
    SCOPED_TRACE(how);
    const bool repeat = p.values[kRptInf] >= 0.5f;
    const bool synced = p.values[kDlyClk] >= 0.5f && !repeat;
    EXPECT_EQ(ZelProbe(*zel).clockSyncOn(), synced);
    // Synced: 1/8 of a bar at 120 BPM (Num 0.1 and Den 0.423 name 1 and 8).
    EXPECT_FLOAT_EQ(ZelProbe(*zel).delayTimeMs(), synced ? 250.0f : 3200.0f * p.values[kDlyTime]);
    EXPECT_EQ(zel->getParameter(kRptInf) >= 0.5f, repeat);
    EXPECT_EQ(ZelProbe(*zel).repeatEngaged(), repeat && !synced);
    followHost();
    for (VstInt32 i = 0; i < kNumHostParams; ++i) {
      EXPECT_EQ(hostCopy[i], zel->getParameter(i)) << "host's copy of " << i;
    }
    // The program holds what is heard: saved and loaded, it sounds the same.
    EXPECT_EQ(zel->copyProgram(zel->getCurrentProgramIndex()).values[kDlyTime],
              zel->getParameter(kDlyTime));
  }

  FakeHost host;
  float hostCopy[kNumHostParams] = {};
};

}  // namespace

TEST_F(ProgramLoad, EveryPathAppliesTheDelayWhateverTheRepeatAndTellsTheHost) {
  const Program longRepeating = zel->copyProgram(3);
  const Program shortOne = zel->copyProgram(4);
  const Program synced = zel->copyProgram(5);
  // Program k current with the repeat as given; the host set it, so the
  // program k holds it, and the others are as made.
  auto from = [&](VstInt32 k, bool repeat) {
    zel->replaceProgram(3, longRepeating);
    zel->replaceProgram(4, shortOne);
    zel->replaceProgram(5, synced);
    zel->selectProgram(k);
    hostSets(kRptInf, repeat ? 1.0f : 0.0f);
  };

  from(4, false);
  zel->selectProgram(3);
  expectLoaded(longRepeating, "list, repeat off before");
  from(3, true);
  zel->selectProgram(4);
  expectLoaded(shortOne, "list, repeat on before");
  from(4, true);
  zel->selectProgram(5);
  expectLoaded(synced, "list, to a synced program");

  from(5, true);
  press(kStep, kLButton, 0.25);
  expectLoaded(shortOne, "previous");
  from(4, true);
  hostSets(kDlyTime, 0.5f);  // refused by the lock: the program keeps the time heard
  EXPECT_EQ(zel->copyProgram(4).values[kDlyTime], shortOne.values[kDlyTime]);
  followHost();  // and the host is told so
  EXPECT_EQ(hostCopy[kDlyTime], shortOne.values[kDlyTime]);
  press(kStep, kLButton, 0.75);
  expectLoaded(synced, "next");

  from(3, true);
  press(kStoreA);
  from(4, true);
  press(kRecallA);
  expectLoaded(longRepeating, "memory recall");

  from(4, false);
  answer(box.path("short.zel"));
  press(kSavePreset);
  answer(box.path("all.zeb"));
  press(kSaveBank);
  from(3, true);
  answer(box.path("short.zel"));
  press(kLoadPreset);
  expectLoaded(shortOne, "preset file");
  from(5, true);
  const Program first = zel->copyProgram(0);
  answer(box.path("all.zeb"));
  press(kLoadBank);
  expectLoaded(first, "bank file");

  // A project reloading: the host's stale copy is set first, then the chunk.
  from(4, false);
  const auto saved = plugin->chunk();
  from(3, true);
  hostSets(kDlyTime, 0.75f);
  hostSets(18 + 6, 3.5f / 129.0f);
  EXPECT_EQ(plugin->restoreChunk(saved), 0);
  expectLoaded(shortOne, "chunk");
  EXPECT_EQ(zel->getControllerForParameter(6), 109);
}
