// The programs a new instance comes with, and the program interface around them.
#include <gtest/gtest.h>

#include <cstring>

#include "fakehost.h"
#include "plugin.h"
#include "plugin/zel.h"

namespace {

Zel& zelOf(Plugin& p) { return *static_cast<Zel*>(static_cast<AudioEffect*>(p.effect()->object)); }

}  // namespace

TEST(FactoryPresets, NamesInOrderWithZeroPaddedFields) {
  FakeHost host;
  Plugin p;
  const char* names[] = {
      "default",       "wiper",        "8th fast tape",    "didgee",  "dotted 8th slow tape",
      "light flanger", "wow tape",     "16th downsampled", "doubler", "running up",
      "deep flanger",  "lezlie",       "fourforty fast",   "vocoder", "fourforty slow",
      "driven crazy",  "16th slapback"};
  for (VstInt32 i = 0; i < 17; ++i) {
    char text[64];
    std::memset(text, 'x', sizeof(text));
    EXPECT_EQ(p.dispatch(effGetProgramNameIndexed, i, 0, text), 1);
    EXPECT_STREQ(text, names[i]);
    const Program& program = zelOf(p).getPrograms()[i];
    for (size_t b = std::strlen(names[i]); b < 24; ++b) {
      EXPECT_EQ(program.name[b], 0) << names[i];
    }
  }
  EXPECT_EQ(p.text(effGetProgramName), "default");
  const float defaults[18] = {0.5f, 0.5f, 0.5f, 0.624961f, 0.25f, 0.25f, 0.0f,  0.25f, 0.25f,
                              0.5f, 0.0f, 0.5f, 0.0f,      0.25f, 0.75f, 0.25f, 0.1f,  0.038462f};
  for (VstInt32 i = 0; i < 18; ++i) {
    EXPECT_EQ(p.getParameter(i), defaults[i]) << i;
  }
}

TEST(FactoryPresets, DidgeeSetsHeavyInvertedFeedback) {
  FakeHost host;
  Plugin p;
  zelOf(p).selectProgram(3);
  EXPECT_EQ(p.getParameter(6), 0.9515f);
  EXPECT_EQ(p.getParameter(8), 0.75f);
  EXPECT_EQ(p.parameterDisplay(8), "on");
  EXPECT_EQ(p.text(effGetProgramName), "didgee");
  EXPECT_EQ(p.dispatch(effGetProgram), 0);
}

TEST(Programs, EveryChangeIsWrittenIntoTheCurrentProgram) {
  FakeHost host;
  Plugin p;
  zelOf(p).selectProgram(5);
  host.clear();
  p.setParameter(2, 0.123f);
  EXPECT_EQ(zelOf(p).getPrograms()[5].values[2], 0.123f);
  EXPECT_EQ(zelOf(p).getPrograms()[0].values[2], 0.5f);
  // Selecting re-sends the program and asks the host to re-read it.
  zelOf(p).selectProgram(0);
  EXPECT_EQ(p.getParameter(2), 0.5f);
  EXPECT_EQ(host.count(audioMasterUpdateDisplay), 1);
  zelOf(p).selectProgram(5);
  EXPECT_EQ(p.getParameter(2), 0.123f);
}

TEST(Programs, NamesFollowTheNameRule) {
  FakeHost host;
  Plugin p;
  char longName[] = "abcdefghijklmnopqrstuvwxyz0123";  // 30 characters
  p.dispatch(effSetProgramName, 0, 0, longName);
  char text[40];
  std::memset(text, 'x', sizeof(text));
  p.dispatch(effGetProgramName, 0, 0, text);
  EXPECT_EQ(std::string(text), "abcdefghijklmnopqrstuvwx");
  EXPECT_EQ(text[24], 0);
  EXPECT_EQ(std::memcmp(zelOf(p).getPrograms()[0].name, "abcdefghijklmnopqrstuvwx", 24), 0);

  host.clear();
  zelOf(p).renameCurrentProgram("short");
  EXPECT_EQ(p.text(effGetProgramName), "short");
  EXPECT_EQ(host.count(audioMasterUpdateDisplay), 1);
  EXPECT_EQ(p.dispatch(effSetProgram, 0, 5), 0);
  EXPECT_EQ(p.dispatch(effGetProgram), 0);
  EXPECT_EQ(p.text(effGetProgramName), "short");
}
