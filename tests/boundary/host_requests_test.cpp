// Every request the plug-in makes of its host, with and without a callback.
#include <gtest/gtest.h>

#include "fakehost.h"
#include "host/audioeffectx.h"
#include "plugin.h"

namespace {

class RequestingEffect : public AudioEffectX {
 public:
  explicit RequestingEffect(audioMasterCallback master) : AudioEffectX(master, 1, 4) {}
  void processReplacing(float** /*in*/, float** /*out*/, VstInt32 /*frames*/) override {}
  void setParameter(VstInt32 index, float value) override {
    lastIndex = index;
    lastValue = value;
  }
  VstInt32 lastIndex = -1;
  float lastValue = -1.0f;
};

}  // namespace

TEST(HostRequests, AutomationSetsFirstThenReports) {
  FakeHost host;
  RequestingEffect effect(FakeHost::callback);
  effect.setParameterAutomated(2, 0.75f);
  EXPECT_EQ(effect.lastIndex, 2);
  EXPECT_EQ(effect.lastValue, 0.75f);
  const auto report = host.last(audioMasterAutomate);
  ASSERT_TRUE(report.has_value());
  EXPECT_EQ(report->index, 2);
  EXPECT_EQ(report->opt, 0.75f);
  EXPECT_EQ(report->effect, effect.getAeffect());
}

TEST(HostRequests, AnswersAreReadAsTheHostMeansThem) {
  FakeHost host;
  RequestingEffect effect(FakeHost::callback);
  EXPECT_EQ(effect.getMasterVersion(), 2400);
  host.version = 0;
  EXPECT_EQ(effect.getMasterVersion(), 1);

  EXPECT_TRUE(effect.isInputConnected(1));
  EXPECT_TRUE(effect.isOutputConnected(1));
  host.inputPinAnswer[1] = 1;
  host.outputPinAnswer[1] = 1;
  EXPECT_FALSE(effect.isInputConnected(1));
  EXPECT_FALSE(effect.isOutputConnected(1));
  const auto pin = host.last(audioMasterPinConnected);
  EXPECT_EQ(pin->index, 1);
  EXPECT_EQ(pin->value, 1);  // 1 asks for an output

  char text[] = "sendVstMidiEvent";
  host.canDo[text] = -1;
  EXPECT_EQ(effect.canHostDo(text), 1);
  host.canDo[text] = 0;
  EXPECT_EQ(effect.canHostDo(text), 0);

  EXPECT_EQ(effect.getTimeInfo(kVstTempoValid), nullptr);
  host.setTempo(133.0, 4.5);
  VstTimeInfo* info = effect.getTimeInfo(kVstTempoValid);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->tempo, 133.0);
  EXPECT_EQ(host.last(audioMasterGetTime)->value, kVstTempoValid);

  effect.wantEvents(1);
  EXPECT_EQ(host.last(audioMasterWantMidi)->value, 1);
  effect.masterIdle();
  EXPECT_EQ(host.count(audioMasterIdle), 1);

  EXPECT_FALSE(effect.updateDisplay());
  EXPECT_FALSE(effect.beginEdit(5));
  EXPECT_FALSE(effect.endEdit(5));
  host.defaultAnswer = 1;
  EXPECT_TRUE(effect.updateDisplay());
  EXPECT_TRUE(effect.beginEdit(5));
  EXPECT_TRUE(effect.endEdit(6));
  EXPECT_EQ(host.last(audioMasterBeginEdit)->index, 5);
  EXPECT_EQ(host.last(audioMasterEndEdit)->index, 6);
}

TEST(HostRequests, WithoutACallbackNothingIsSentAndDefaultsHold) {
  RequestingEffect effect(nullptr);
  effect.setParameterAutomated(1, 0.5f);
  EXPECT_EQ(effect.lastIndex, 1);  // the parameter is still set
  EXPECT_EQ(effect.getMasterVersion(), 1);
  EXPECT_EQ(effect.getCurrentUniqueId(), 0);
  EXPECT_TRUE(effect.isInputConnected(1));
  EXPECT_TRUE(effect.isOutputConnected(1));
  EXPECT_EQ(effect.getTimeInfo(kVstPpqPosValid), nullptr);
  char text[] = "sendVstMidiEvent";
  EXPECT_EQ(effect.canHostDo(text), 0);
  EXPECT_FALSE(effect.updateDisplay());
  EXPECT_FALSE(effect.beginEdit(0));
  EXPECT_FALSE(effect.endEdit(0));
  effect.masterIdle();
  effect.wantEvents(1);
  EXPECT_EQ(effect.updateSampleRate(), 44100.0);
  EXPECT_EQ(effect.updateBlockSize(), 1024);
}

TEST(HostRequests, EverySwitchOnAsksForMidi) {
  FakeHost host;
  Plugin plugin;
  plugin.dispatch(effMainsChanged, 0, 1);
  plugin.dispatch(effMainsChanged, 0, 1);
  EXPECT_EQ(host.count(audioMasterWantMidi), 2);
  EXPECT_EQ(host.last(audioMasterWantMidi)->value, 1);
  EXPECT_EQ(host.last(audioMasterWantMidi)->effect, plugin.effect());
}
