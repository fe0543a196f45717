// MIDI control changes driving parameters, learn and unassign, as a DAW sends them.
#include <gtest/gtest.h>

#include "fakehost.h"
#include "midievents.h"
#include "plugin.h"
#include "plugin/zel.h"
#include "presets/controllernames.h"

namespace {

class Midi : public ::testing::Test {
 protected:
  Zel& zel() { return *static_cast<Zel*>(static_cast<AudioEffect*>(p.effect()->object)); }
  VstIntPtr send(MidiEvents& events) { return p.dispatch(effProcessEvents, 0, 0, events.list()); }
  VstIntPtr cc(int channel, int controller, int value) {
    MidiEvents events;
    events.controlChange(channel, controller, value);
    return send(events);
  }
  float encoded(int controller) { return (static_cast<float>(controller) + 0.5f) / 129.0f; }

  FakeHost host;
  Plugin p;
};

}  // namespace

TEST_F(Midi, DefaultMapOnEveryChannel) {
  EXPECT_FLOAT_EQ(p.getParameter(18), encoded(102));
  for (int channel = 0; channel < 16; ++channel) {
    EXPECT_EQ(cc(channel, 109, 127), 1);
    EXPECT_EQ(p.getParameter(6), 1.0f) << channel;
    cc(channel, 109, 0);
    EXPECT_EQ(p.getParameter(6), 0.0f) << channel;
  }
  const float mix = p.getParameter(2);
  cc(0, 106, 100);  // no parameter listens to 106
  for (VstInt32 i = 0; i < 18; ++i) {
    EXPECT_NE(zel().getControllerForParameter(i), 106);
  }
  EXPECT_EQ(p.getParameter(2), mix);
  // 120 is Den's controller, though it cannot be learned.
  cc(3, 120, 64);
  EXPECT_FLOAT_EQ(p.getParameter(17), 64.0f / 127.0f);
  // The host's copy and the program both follow the controller.
  EXPECT_EQ(host.count(audioMasterAutomate), 33);
  EXPECT_EQ(host.last(audioMasterAutomate)->index, 17);
  EXPECT_FLOAT_EQ(host.last(audioMasterAutomate)->opt, 64.0f / 127.0f);
  EXPECT_FLOAT_EQ(zel().getPrograms()[0].values[17], 64.0f / 127.0f);
}

TEST_F(Midi, OnlyControlChangesCount) {
  const float before = p.getParameter(6);
  MidiEvents events;
  events
      .add(0x90, 109, 100)  // note on
      .add(0x80, 109, 0)    // note off
      .add(0xe0, 109, 127)  // pitch bend
      .add(0xf8, 109, 127)  // clock
      .add(0xb0, 109, 127, kVstSysExType);
  EXPECT_EQ(send(events), 1);
  EXPECT_EQ(p.getParameter(6), before);
}

TEST_F(Midi, DataBytesOf128OrMoreAreIgnored) {
  const float fb = p.getParameter(6);
  MidiEvents events;
  events.add(0xb0, 0x80 | 109, 127).add(0xb0, 109, 0xff).add(0xb0, 0xff, 0xff);
  zel().startLearn();
  p.setParameter(2, 0.5f);  // touch Mix so a learn could happen
  EXPECT_EQ(send(events), 1);
  EXPECT_EQ(p.getParameter(6), fb);
  EXPECT_TRUE(zel().isLearnActive());
  EXPECT_EQ(zel().getControllerForParameter(2), 104);
}

TEST_F(Midi, LearnBindsTheLastTouchedParameter) {
  zel().startLearn();
  cc(0, 1, 100);  // nothing touched yet: nothing learned
  EXPECT_TRUE(zel().isLearnActive());
  EXPECT_EQ(zel().getParameterForController(1), kUnassigned);

  p.setParameter(2, 0.3f);  // touch Mix
  cc(5, 1, 100);
  EXPECT_FALSE(zel().isLearnActive());
  EXPECT_EQ(zel().getControllerForParameter(2), 1);
  EXPECT_FLOAT_EQ(p.getParameter(2), 100.0f / 127.0f);  // the learned message applies at once
  cc(0, 1, 10);
  EXPECT_FLOAT_EQ(p.getParameter(2), 10.0f / 127.0f);
  // The assignment is in parameter 18 + 2, and the old controller is free.
  EXPECT_FLOAT_EQ(p.getParameter(20), encoded(1));
  EXPECT_EQ(zel().getParameterForController(104), kUnassigned);
  const float mix = p.getParameter(2);
  cc(0, 104, 0);
  EXPECT_EQ(p.getParameter(2), mix);
}

TEST_F(Midi, LearningAControllerTakesItFromItsParameter) {
  zel().startLearn();
  p.setParameter(2, 0.3f);
  cc(0, 109, 50);  // Fbck's controller, now Mix's
  EXPECT_EQ(zel().getControllerForParameter(2), 109);
  EXPECT_EQ(zel().getControllerForParameter(6), kUnassigned);
  EXPECT_FLOAT_EQ(p.getParameter(18 + 6), encoded(128));
  EXPECT_EQ(zel().getParameterForController(109), 2);
}

TEST_F(Midi, ChannelModeControllersCannotBeLearned) {
  zel().startLearn();
  p.setParameter(2, 0.3f);
  for (int c = 120; c < 128; ++c) {
    cc(0, c, 64);
  }
  EXPECT_TRUE(zel().isLearnActive());
  EXPECT_EQ(zel().getControllerForParameter(2), 104);
  EXPECT_FLOAT_EQ(p.getParameter(17), 64.0f / 127.0f);  // 120 still drives Den
}

TEST_F(Midi, UnassignTakesTheNextTouchedParameter) {
  zel().startUnassign();
  p.setParameter(12, 0.5f);  // Rate
  EXPECT_FALSE(zel().isUnassignActive());
  EXPECT_EQ(zel().getControllerForParameter(12), kUnassigned);
  EXPECT_FLOAT_EQ(p.getParameter(18 + 12), encoded(128));
  const float rate = p.getParameter(12);
  cc(0, 115, 0);
  EXPECT_EQ(p.getParameter(12), rate);
  // Touches during program selection do not count.
  zel().startUnassign();
  zel().selectProgram(2);
  EXPECT_TRUE(zel().isUnassignActive());
}

TEST_F(Midi, AssignmentThroughParametersKeepsOneControllerEach) {
  EXPECT_EQ(p.parameterDisplay(18 + 6), "control 109");  // hosts list the bound controller
  p.setParameter(18 + 6, 0.1f);                          // stepIndex(0.1, 129) = 12
  EXPECT_EQ(zel().getControllerForParameter(6), 12);
  EXPECT_EQ(p.parameterDisplay(18 + 6), "control 12");
  cc(0, 12, 127);
  EXPECT_EQ(p.getParameter(6), 1.0f);
  EXPECT_EQ(zel().getParameterForController(109), kUnassigned);  // released

  // Giving controller 12 to Mix takes it from Fbck.
  p.setParameter(18 + 2, encoded(12));
  EXPECT_EQ(zel().getControllerForParameter(2), 12);
  EXPECT_EQ(zel().getControllerForParameter(6), kUnassigned);
  EXPECT_FLOAT_EQ(p.getParameter(18 + 6), encoded(128));

  p.setParameter(18 + 2, 1.0f);  // none
  EXPECT_EQ(zel().getControllerForParameter(2), kUnassigned);
  EXPECT_EQ(p.parameterDisplay(18 + 2), "not assigned");
  p.setParameter(18 + 2, encoded(1));
  EXPECT_EQ(p.parameterDisplay(18 + 2), "modulation");
  EXPECT_EQ(zel().getParameterForController(12), kUnassigned);
}

TEST_F(Midi, CanDoAndResumeAskForMidi) {
  char receive[] = "receiveVstMidiEvent";
  EXPECT_EQ(p.dispatch(effCanDo, 0, 0, receive), 0);  // this host sends no MIDI
  host.canDo["sendVstMidiEvent"] = 1;
  EXPECT_EQ(p.dispatch(effCanDo, 0, 0, receive), 1);
  p.dispatch(effMainsChanged, 0, 1);
  EXPECT_EQ(host.last(audioMasterWantMidi)->value, 1);
}

TEST(ControllerNames, Table) {
  EXPECT_STREQ(controllerName(0), "bank sel MSB");
  EXPECT_STREQ(controllerName(3), "control 3");
  EXPECT_STREQ(controllerName(106), "control 106");
  EXPECT_STREQ(controllerName(120), "all snd off");
  EXPECT_STREQ(controllerName(127), "poly mode on");
  EXPECT_STREQ(controllerName(128), "not assigned");
  EXPECT_STREQ(controllerName(129), "");
  EXPECT_STREQ(controllerName(130), "");
  EXPECT_STREQ(controllerName(-1), "");
}
