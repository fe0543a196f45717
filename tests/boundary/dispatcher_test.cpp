// Every dispatcher row as the effect answers it through the record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fakehost.h"
#include "plugin.h"
#include "zelprobe.h"

namespace {

class Dispatcher : public ::testing::Test {
 protected:
  FakeHost host;
  Plugin plugin;
};

}  // namespace

TEST_F(Dispatcher, IdentityAnswers) {
  EXPECT_EQ(plugin.dispatch(effIdentify), 0x4E764566);
  EXPECT_EQ(plugin.dispatch(effGetVstVersion), 2400);
  EXPECT_EQ(plugin.dispatch(effGetVendorVersion), 0);
  EXPECT_EQ(plugin.dispatch(effGetPlugCategory), 0);
  EXPECT_EQ(plugin.dispatch(effGetTailSize), 0);

  char name[65];
  std::memset(name, 'x', sizeof(name));
  EXPECT_EQ(plugin.dispatch(effGetEffectName, 0, 0, name), 1);
  EXPECT_STREQ(name, "Corvane Ondex");
  EXPECT_EQ(plugin.dispatch(effGetVendorString, 0, 0, name), 1);
  EXPECT_STREQ(name, "Zel-acoustics");

  // The product text and its terminator fill a 64-byte host buffer exactly.
  char product[80];
  std::memset(product, 'x', sizeof(product));
  EXPECT_EQ(plugin.dispatch(effGetProductString, 0, 0, product), 1);
  EXPECT_EQ(std::strlen(product), 63u);
  EXPECT_EQ(std::string(product).rfind("Corvane Ondex - ", 0), 0u);
  EXPECT_EQ(product[64], 'x');
}

TEST_F(Dispatcher, FlagsMatchTheAttachedEditor) {
  ERect* rect = nullptr;
  const bool hasEditor = plugin.dispatch(effEditGetRect, 0, 0, &rect) == 1;
  EXPECT_EQ(plugin.effect()->flags, hasEditor ? 0x31 : 0x30);
}

TEST_F(Dispatcher, ProgramRowsKeepTheOneHostProgram) {
  EXPECT_EQ(plugin.dispatch(effSetProgram, 0, 0), 0);
  EXPECT_EQ(plugin.dispatch(effSetProgram, 0, 5), 0);
  EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
  EXPECT_EQ(plugin.text(effGetProgramName), "default");
}

TEST_F(Dispatcher, CanDoAsksTheHostOnlyForMidiInput) {
  char receive[] = "receiveVstMidiEvent";
  host.canDo["sendVstMidiEvent"] = 1;
  EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, receive), 1);
  host.canDo["sendVstMidiEvent"] = -1;  // "no" in VST terms, but non-zero
  EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, receive), 1);
  host.canDo["sendVstMidiEvent"] = 0;
  EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, receive), 0);
  ASSERT_TRUE(host.last(audioMasterCanDo).has_value());
  EXPECT_EQ(host.last(audioMasterCanDo)->text, "sendVstMidiEvent");

  host.canDo["sendVstMidiEvent"] = 1;
  for (const char* text :
       {"receiveVstEvents", "receiveVstTimeInfo", "sendVstEvents", "sendVstMidiEvent", "bypass",
        "offline", "midiProgramNames", "receiveVstMidiEventX", "ReceiveVstMidiEvent", ""}) {
    std::string copy = text;
    EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, copy.data()), 0) << text;
  }
}

TEST_F(Dispatcher, ExtensionRowsAnswerTheirFixedValues) {
  EXPECT_EQ(plugin.dispatch(effCanBeAutomated, 35), 1);
  EXPECT_EQ(plugin.dispatch(effCanBeAutomated, 1000), 1);
  char text[64] = "1.0";
  EXPECT_EQ(plugin.dispatch(effString2Parameter, 0, 0, text), 0);
  EXPECT_EQ(plugin.dispatch(effGetInputProperties, 0, 0, text), 0);
  EXPECT_EQ(plugin.dispatch(effGetOutputProperties, 0, 0, text), 0);
  EXPECT_EQ(plugin.dispatch(effOfflineNotify), 0);
  EXPECT_EQ(plugin.dispatch(effOfflinePrepare), 0);
  EXPECT_EQ(plugin.dispatch(effOfflineRun), 0);
  EXPECT_EQ(plugin.dispatch(effProcessVarIo), 0);
  EXPECT_EQ(plugin.dispatch(effSetSpeakerArrangement), 0);
  EXPECT_EQ(plugin.dispatch(effSetBypass, 0, 1), 0);
  EXPECT_EQ(plugin.dispatch(effVendorSpecific, 1, 2, text, 3.0f), 0);
  EXPECT_EQ(plugin.dispatch(effGetMidiProgramName), 0);
  EXPECT_EQ(plugin.dispatch(effGetCurrentMidiProgram), -1);
  EXPECT_EQ(plugin.dispatch(effGetMidiProgramCategory), 0);
  EXPECT_EQ(plugin.dispatch(effHasMidiProgramsChanged), 0);
  EXPECT_EQ(plugin.dispatch(effGetMidiKeyName), 0);
  EXPECT_EQ(plugin.dispatch(effBeginSetProgram), 0);
  EXPECT_EQ(plugin.dispatch(effEndSetProgram), 0);
  EXPECT_EQ(plugin.dispatch(effShellGetNextPlugin, 0, 0, text), 0);
  EXPECT_EQ(plugin.dispatch(effStartProcess), 0);
  EXPECT_EQ(plugin.dispatch(effStopProcess), 0);
  EXPECT_EQ(plugin.dispatch(effSetTotalSampleToProcess, 0, 4096), 4096);
  EXPECT_EQ(plugin.dispatch(effSetPanLaw, 0, 1, nullptr, 0.5f), 0);
  EXPECT_EQ(plugin.dispatch(effBeginLoadBank), 0);
  EXPECT_EQ(plugin.dispatch(effBeginLoadProgram), 0);
  EXPECT_EQ(plugin.dispatch(effSetProcessPrecision, 0, 1), 0);
  EXPECT_EQ(plugin.dispatch(effGetNumMidiInputChannels), 0);
  EXPECT_EQ(plugin.dispatch(effGetNumMidiOutputChannels), 0);
}

TEST_F(Dispatcher, ProgramNamesByIndex) {
  EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, 0, 0, nullptr), 0);
  char name[32];
  for (VstInt32 i = 0; i <= 16; ++i) {
    EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, i, 0, name), 1) << i;
  }
  EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, 17, 0, name), 0);
  EXPECT_EQ(plugin.dispatch(effGetProgramNameIndexed, -1, 0, name), 0);
}

TEST_F(Dispatcher, SpeakerArrangementWritesNullIntoBothLocations) {
  int dummy = 0;
  void* input = &dummy;
  void* output = &dummy;
  EXPECT_EQ(
      plugin.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output),
      0);
  EXPECT_EQ(input, nullptr);
  EXPECT_EQ(output, nullptr);
}

TEST_F(Dispatcher, OpcodesWithoutActionAnswerZero) {
  char buffer[256] = {};
  for (VstInt32 opcode : {9,  16, 17, 18, 20, 21, 28, 30,  31,   32,         36, 37, 43,
                          46, 53, 54, 55, 57, 80, 81, 100, 1000, 0x7fffffff, -1, -2, -1000}) {
    EXPECT_EQ(plugin.dispatch(opcode, 1, 1, buffer, 1.0f), 0) << opcode;
  }
}

TEST_F(Dispatcher, SampleRateAndBlockSizeAreOnlyStored) {
  EXPECT_EQ(plugin.dispatch(effOpen), 0);
  EXPECT_EQ(plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f), 0);
  EXPECT_EQ(plugin.dispatch(effSetBlockSize, 0, 256), 0);
  EXPECT_EQ(plugin.dispatch(effMainsChanged, 0, 1), 0);
  EXPECT_EQ(plugin.dispatch(effMainsChanged, 0, 0), 0);
  // A scanner switches off an instance that was never switched on.
  EXPECT_EQ(plugin.dispatch(effMainsChanged, 0, 0), 0);
}

// Audacity, for one, switches on and only then gives the project's rate. A
// rate given while on is taken at the start of the next block, never while one
// runs; one given while off waits for the switch-on.
TEST_F(Dispatcher, ASampleRateGivenWhileSwitchedOnRunsFromTheNextBlock) {
  const ZelProbe probe(*static_cast<Zel*>(static_cast<AudioEffect*>(plugin.effect()->object)));
  const std::vector<float> in(64, 0.0f);
  std::vector<float> outL, outR;
  auto rateInUse = [&] { return probe.engine().sampleRate(); };
  plugin.start(44100.0f);
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  EXPECT_EQ(rateInUse(), 44100);
  plugin.process(in, in, outL, outR);
  EXPECT_EQ(rateInUse(), 48000);
  EXPECT_EQ(probe.engine().memoryLength(), 153601);

  // Of two rates before a block the last counts; one out of range is 44.1 kHz.
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 1.0e9f);
  plugin.process(in, in, outL, outR);
  EXPECT_EQ(rateInUse(), 44100);

  // Given while on and switched off before any block, it stays for the next switch-on.
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
  plugin.dispatch(effMainsChanged, 0, 0);
  plugin.dispatch(effMainsChanged, 0, 1);
  EXPECT_EQ(rateInUse(), 96000);
  EXPECT_EQ(probe.engine().memoryLength(), 307201);

  plugin.dispatch(effMainsChanged, 0, 0);
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 22050.0f);
  plugin.process(in, in, outL, outR);  // a host that plays while off
  EXPECT_EQ(rateInUse(), 96000);
  plugin.dispatch(effMainsChanged, 0, 1);
  EXPECT_EQ(rateInUse(), 22050);
}

TEST_F(Dispatcher, NullBuffersAreRefusedNotWritten) {
  for (VstInt32 opcode :
       {effGetProgramName, effSetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName,
        effEditGetRect, effGetChunk, effGetProgramNameIndexed, effGetEffectName, effGetVendorString,
        effGetProductString, effCanDo, effGetParameterProperties, effGetSpeakerArrangement,
        effProcessEvents, effString2Parameter}) {
    EXPECT_EQ(plugin.dispatch(opcode, 3, 0, nullptr), 0) << opcode;
  }
}

TEST_F(Dispatcher, CloseReturnsOne) { EXPECT_EQ(plugin.close(), 1); }
