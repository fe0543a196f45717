// Renders through the built Ondex module with the built ondex-host, as a user
// would run it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "hostrun.h"
#include "ondexfacts.h"
#include "ondexversion.h"

namespace {

class Render : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = freshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  std::string file(const std::string& name) const { return folder + "/" + name; }

  // Renders and returns the output, failing the test if the host fails.
  Sound render(const std::string& in, const std::string& out, std::vector<std::string> more) {
    std::vector<std::string> args = {"render", "--plugin", ONDEX_MODULE_PATH, "--in", in,
                                     "--out",  out,        "--float"};
    args.insert(args.end(), more.begin(), more.end());
    const HostRun run = runHost(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.status == 0 ? readSound(out) : Sound{};
  }

  std::string folder;
};

std::int32_t wordAt(const std::string& bytes, size_t at) {
  std::int32_t word = 0;
  std::memcpy(&word, bytes.data() + at, sizeof(word));
  return word;
}

// The first frame from which the two differ, or the length if they never do.
size_t firstDifference(const Sound& a, const Sound& b) {
  const size_t frames = std::min(a.frames(), b.frames());
  for (size_t f = 0; f < frames; ++f) {
    for (size_t c = 0; c < a.channels.size(); ++c) {
      if (a.channels[c][f] != b.channels[c][f]) {
        return f;
      }
    }
  }
  return frames;
}

}  // namespace

TEST_F(Render, EchoOfAnImpulseComesDelayTimeLater) {
  if (!parametersAreNamed()) {
    GTEST_SKIP() << "the plug-in does not name its parameters yet";
  }
  const size_t at = 2000;
  const Sound input = impulse(1.0, at, 0.5f);
  writeSound(file("impulse.wav"), input);
  for (double dlyTime : {0.05, 0.1}) {
    const std::string out = file("echo.wav");
    const Sound output = render(
        file("impulse.wav"), out,
        {"--program", "default", "--set", "DlyTime=" + std::to_string(dlyTime), "--tail", "0.5"});
    ASSERT_EQ(output.channels.size(), 2u);
    if (passesThrough(input, output)) {
      GTEST_SKIP() << "the plug-in still passes audio through unchanged";
    }
    const auto expected = at + static_cast<size_t>(std::lround(dlyTime * 3.2 * kRate));
    for (const auto& channel : output.channels) {
      float loudest = 0.0f;
      for (size_t f = at + 64; f < channel.size(); ++f)
        loudest = std::max(loudest, std::fabs(channel[f]));
      ASSERT_GT(loudest, 0.01f) << "no echo at DlyTime " << dlyTime;
      size_t onset = at + 64;
      while (std::fabs(channel[onset]) < 0.5f * loudest) ++onset;
      EXPECT_GE(onset + 2, expected) << "DlyTime " << dlyTime;
      EXPECT_LE(onset, expected + 12) << "DlyTime " << dlyTime;
    }
  }
}

TEST_F(Render, ProgramByNameAndByIndexSelectTheSameProgram) {
  const Sound input = noise(0.5);
  writeSound(file("noise.wav"), input);
  const Sound byName = render(
      file("noise.wav"), file("name.wav"),
      {"--program", "dotted 8th slow tape", "--tail", "1", "--save-state", file("name.state")});
  const Sound byIndex =
      render(file("noise.wav"), file("index.wav"),
             {"--program", "4", "--tail", "1", "--save-state", file("index.state")});
  const std::string nameState = readBytes(file("name.state"));
  ASSERT_GE(nameState.size(), 16u);
  EXPECT_EQ(wordAt(nameState, 12), 4) << "the state names the program selected";
  EXPECT_EQ(nameState, readBytes(file("index.state")));
  EXPECT_EQ(firstDifference(byName, byIndex), byName.frames());
  EXPECT_EQ(byName.frames(), byIndex.frames());

  // Another program is another state, and (once the engine works) another sound.
  const Sound other =
      render(file("noise.wav"), file("other.wav"),
             {"--program", "16th slapback", "--tail", "1", "--save-state", file("other.state")});
  EXPECT_EQ(wordAt(readBytes(file("other.state")), 12), 16);
  if (!passesThrough(input, byName)) {
    EXPECT_LT(firstDifference(byName, other), byName.frames());
  }
}

TEST_F(Render, SetChangesTheNamedParameterOnly) {
  if (!parametersAreNamed()) {
    GTEST_SKIP() << "the plug-in does not name its parameters yet";
  }
  const Sound input = noise(0.5);
  writeSound(file("noise.wav"), input);
  const HostRun run =
      runHost({"render", "--plugin", ONDEX_MODULE_PATH, "--in", file("noise.wav"), "--out",
               file("set.wav"), "--set", "Mix=0.9", "--set=Fbck=0.3", "--tail", "0", "--verbose"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("set Mix = 0.9"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("set Fbck = 0.3"), std::string::npos) << run.err;
  const Sound plain = render(file("noise.wav"), file("plain.wav"), {"--tail", "0"});
  const Sound set =
      render(file("noise.wav"), file("set2.wav"), {"--set", "Mix=0.9", "--tail", "0"});
  if (passesThrough(input, plain)) {
    GTEST_SKIP() << "the plug-in still passes audio through unchanged";
  }
  EXPECT_LT(firstDifference(plain, set), plain.frames());
}

TEST_F(Render, ControlChangeActsFromTheBlockContainingItsTime) {
  const Sound input = noise(1.0);
  writeSound(file("noise.wav"), input);
  const Sound plain = render(file("noise.wav"), file("plain.wav"), {"--tail", "0"});
  // Controller 103 drives Output by default; 0 turns it right down.
  const Sound changed = render(file("noise.wav"), file("cc.wav"),
                               {"--tail", "0", "--block", "512", "--cc", "0.5:1:103:0"});
  ASSERT_EQ(plain.frames(), changed.frames());
  if (passesThrough(input, changed)) {
    GTEST_SKIP() << "the plug-in still passes audio through unchanged";
  }
  const size_t blockStart = static_cast<size_t>(0.5 * kRate) / 512 * 512;
  const size_t first = firstDifference(plain, changed);
  EXPECT_GE(first, blockStart) << "nothing changes before the block of the control change";
  EXPECT_LT(first, blockStart + 512) << "the change acts within its block";
}

TEST_F(Render, StateSavedToAFileRestoresTheSameSound) {
  const Sound input = noise(0.5);
  writeSound(file("noise.wav"), input);
  const Sound first =
      render(file("noise.wav"), file("first.wav"),
             {"--program", "didgee", "--tail", "1", "--save-state", file("a.state")});
  const Sound restored =
      render(file("noise.wav"), file("restored.wav"),
             {"--state", file("a.state"), "--tail", "1", "--save-state", file("b.state")});
  EXPECT_EQ(readBytes(file("a.state")), readBytes(file("b.state")));
  EXPECT_EQ(wordAt(readBytes(file("a.state")), 12), 3);
  ASSERT_EQ(first.frames(), restored.frames());
  EXPECT_EQ(firstDifference(first, restored), first.frames());
}

TEST_F(Render, MonoInputFeedsBothInputsAndTheOutputIsStereo) {
  const Sound input = impulse(0.5, 100, 0.5f, 1);
  writeSound(file("mono.wav"), input);
  const Sound output = render(file("mono.wav"), file("out.wav"), {"--tail", "0"});
  ASSERT_EQ(output.channels.size(), 2u);
  EXPECT_EQ(output.frames(), input.frames());
  for (const auto& channel : output.channels) {
    EXPECT_NE(channel[100], 0.0f);
  }
}

TEST_F(Render, DefaultTailLetsTheDelayRingOutWithinThirtySeconds) {
  const Sound input = impulse(0.5, 100, 0.5f);
  writeSound(file("impulse.wav"), input);
  const Sound output = render(file("impulse.wav"), file("out.wav"), {"--program", "default"});
  // The default program's delay is two seconds.
  EXPECT_GE(output.frames(), input.frames() + size_t{2} * kRate);
  EXPECT_LE(output.frames(), input.frames() + size_t{30} * kRate + 512);
  const Sound fixed = render(file("impulse.wav"), file("fixed.wav"), {"--tail", "1.25"});
  EXPECT_EQ(fixed.frames(), input.frames() + static_cast<size_t>(1.25 * kRate));
  if (parametersAreNamed()) {
    // Infinite repeat never dies away: the tail stops at thirty seconds. It
    // engages (controller 116) once the impulse is in the memory; engaged from
    // the start, it would loop the cleared memory's silence.
    const Sound endless = render(file("impulse.wav"), file("endless.wav"),
                                 {"--set", "DlyTime=0.1", "--cc", "0.2:1:116:127"});
    EXPECT_EQ(endless.frames(), input.frames() + size_t{30} * kRate);
  }
}

TEST_F(Render, WritesTwentyFourBitByDefaultAndTheFormatTheExtensionNames) {
  writeSound(file("noise.wav"), noise(0.2));
  for (const char* name : {"out.wav", "out.flac", "out.aiff"}) {
    const HostRun run = runHost({"render", "--plugin", ONDEX_MODULE_PATH, "--in", file("noise.wav"),
                                 "--out", file(name), "--tail", "0"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readSound(file(name)).frames(), static_cast<size_t>(0.2 * kRate)) << name;
  }
  // 24-bit PCM: 3 bytes a sample, after a 44-byte header.
  EXPECT_EQ(std::filesystem::file_size(file("out.wav")),
            44u + static_cast<size_t>(0.2 * kRate) * 6);
}

TEST_F(Render, WithNothingButAnOutputRendersTheDemoPhraseThroughOurPlugin) {
  const HostRun run = runHost({"render", "--out", file("x.wav")});
  ASSERT_EQ(run.status, 0) << run.err;
  const Sound output = readSound(file("x.wav"));
  EXPECT_GE(output.frames(), 3u * kRate);
  // One summary line: duration, peak, RMS and real-time factor.
  const auto lines = linesOf(run.out);
  ASSERT_EQ(lines.size(), 1u) << run.out;
  EXPECT_NE(lines[0].find(" s, peak "), std::string::npos);
  EXPECT_NE(lines[0].find("dBFS, RMS "), std::string::npos);
  EXPECT_NE(lines[0].find("x real time"), std::string::npos);
  EXPECT_TRUE(run.err.empty()) << "no progress bar without a terminal: " << run.err;
}

TEST_F(Render, DemoWritesOneFilePerProgramAndATable) {
  const HostRun run = runHost({"demo", "--plugin", ONDEX_MODULE_PATH, "--out-dir", file("demo")});
  ASSERT_EQ(run.status, 0) << run.err;
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(file("demo"))) {
    EXPECT_EQ(entry.path().extension(), ".wav");
    ++files;
  }
  EXPECT_EQ(files, 17u);
  EXPECT_TRUE(fileExists(file("demo/00-default.wav")));
  EXPECT_TRUE(fileExists(file("demo/04-dotted-8th-slow-tape.wav")));
  EXPECT_TRUE(fileExists(file("demo/16-16th-slapback.wav")));
  EXPECT_GT(readSound(file("demo/11-lezlie.wav")).frames(), 3u * kRate);
  const auto lines = linesOf(run.out);
  ASSERT_EQ(lines.size(), 19u) << run.out;  // heading, 17 programs, where the files are
  EXPECT_NE(lines[12].find("lezlie"), std::string::npos);
  EXPECT_NE(lines[12].find("dBFS"), std::string::npos);
}

TEST_F(Render, InfoListsParametersAndEveryProgram) {
  const HostRun run = runHost({"info", "--plugin", ONDEX_MODULE_PATH});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Corvane Ondex"), std::string::npos);
  EXPECT_NE(run.out.find("parameters  36"), std::string::npos);
  EXPECT_NE(run.out.find("programs    17"), std::string::npos);
  EXPECT_NE(run.out.find("   16  16th slapback"), std::string::npos);
  EXPECT_NE(run.out.find("    0  default"), std::string::npos);
}

TEST_F(Render, EveryCommandExplainsItself) {
  for (const char* command : {"info", "render", "demo", "bench"}) {
    const HostRun run = runHost({command, "--help"});
    EXPECT_EQ(run.status, 0) << command;
    EXPECT_NE(run.out.find(std::string("usage: ondex-host ") + command), std::string::npos);
    EXPECT_NE(run.out.find("--plugin"), std::string::npos) << command;
  }
  EXPECT_EQ(runHost({"--help"}).status, 0);
  const HostRun version = runHost({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("ondex-host ") + kOndexVersion + "\n");
  EXPECT_EQ(runHost({}).status, 2);
  const HostRun unknown = runHost({"render", "--out", file("x.wav"), "--frobnicate"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown option --frobnicate"), std::string::npos) << unknown.err;
}

TEST_F(Render, ProgressBarOnlyOnATerminalAndOnlyForLongRenders) {
  if (!fileExists("/usr/bin/script")) {
    GTEST_SKIP() << "no /usr/bin/script to give the host a terminal";
  }
  // `script` runs the host on a pseudo-terminal; 200 s of audio in blocks of
  // one frame take longer than a second to render (the calls per block, not
  // the engine, set the pace), a quarter-second tail does not.
  const std::string host = ONDEX_HOST_PATH;
  const HostRun longRun = runProgram(
      "/usr/bin/script",
      {"-qfec", host + " render --out " + file("long.wav") + " --block 1 --tail 200", "/dev/null"});
  ASSERT_EQ(longRun.status, 0) << longRun.out;
  EXPECT_NE(longRun.out.find("\r[#"), std::string::npos) << "a bar is drawn";
  EXPECT_NE(longRun.out.find("long.wav: "), std::string::npos) << "then the summary";
  const HostRun shortRun = runProgram(
      "/usr/bin/script",
      {"-qfec", host + " render --out " + file("short.wav") + " --tail 0.25", "/dev/null"});
  ASSERT_EQ(shortRun.status, 0) << shortRun.out;
  EXPECT_EQ(shortRun.out.find('['), std::string::npos) << shortRun.out;
}

// One engine behind two interfaces: every program of the demo, rendered
// through the VST 2.4 module and through the CLAP module, gives the same files.
TEST_F(Render, ClapModuleRendersEveryProgramAsTheVstModuleDoes) {
  const HostRun vst = runHost({"demo", "--plugin", ONDEX_MODULE_PATH, "--out-dir", file("vst")});
  ASSERT_EQ(vst.status, 0) << vst.err;
  const HostRun clap = runHost({"demo", "--plugin", ONDEX_CLAP_PATH, "--out-dir", file("clap")});
  ASSERT_EQ(clap.status, 0) << clap.err;
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(file("vst"))) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(readBytes(entry.path().string()), readBytes(file("clap/" + name))) << name;
    ++compared;
  }
  EXPECT_EQ(compared, 17);
}
