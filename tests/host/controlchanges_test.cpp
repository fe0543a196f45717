#include "controlchanges.h"

#include <gtest/gtest.h>

#include "failure.h"

TEST(ControlChanges, ParsesTimeChannelControllerValue) {
  const ControlChange change = parseControlChange("1.5:16:127:0");
  EXPECT_DOUBLE_EQ(change.seconds, 1.5);
  EXPECT_EQ(change.channel, 16);
  EXPECT_EQ(change.controller, 127);
  EXPECT_EQ(change.value, 0);
  for (const char* bad : {"", "1:1:1", "1:1:1:1:1", "1::1:1", "a:1:1:1", "1:0:1:1", "1:17:1:1",
                          "1:1:-1:1", "1:1:128:1", "1:1:1:128", "-0.1:1:1:1", "1:1.5:1:1"}) {
    EXPECT_THROW(parseControlChange(bad), Failure) << bad;
  }
}

TEST(ControlChanges, EachGoesToTheBlockContainingItsTimeAtItsOffset) {
  ControlSchedule schedule;
  schedule.add(parseControlChange("1:2:7:100"));     // frame 1000 at 1000 Hz
  schedule.add(parseControlChange("0.5:1:10:64"));   // frame 500, added later but earlier in time
  schedule.add(parseControlChange("0.512:1:11:1"));  // frame 512, first of its block
  EXPECT_TRUE(schedule.eventsFor(0, 256, 1000.0).empty());
  const auto second = schedule.eventsFor(256, 256, 1000.0);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0].type, kVstMidiType);
  EXPECT_EQ(second[0].byteSize, static_cast<VstInt32>(sizeof(VstMidiEvent)));
  EXPECT_EQ(second[0].deltaFrames, 244);
  EXPECT_EQ(static_cast<unsigned char>(second[0].midiData[0]), 0xb0);
  EXPECT_EQ(second[0].midiData[1], 10);
  EXPECT_EQ(second[0].midiData[2], 64);
  const auto third = schedule.eventsFor(512, 256, 1000.0);
  ASSERT_EQ(third.size(), 1u);
  EXPECT_EQ(third[0].deltaFrames, 0);
  const auto fourth = schedule.eventsFor(768, 256, 1000.0);
  ASSERT_EQ(fourth.size(), 1u);
  EXPECT_EQ(fourth[0].deltaFrames, 232);
  EXPECT_EQ(static_cast<unsigned char>(fourth[0].midiData[0]), 0xb1) << "channel 2";
  EXPECT_TRUE(schedule.eventsFor(1024, 4096, 1000.0).empty());
}
