// The host as plug-ins see it: a probe module of our own reports what the host
// answers, and plug-ins made by others load and render as they would in a DAW.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "hostrun.h"
#include "ondexfacts.h"

namespace {

const std::string kProbe = std::string(ONDEX_TEST_MODULES) + "/host_probe.so";

class HostProtocol : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = freshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    writeSound(folder + "/in.wav", noise(1.0));
  }
  Sound renderProbe(std::vector<std::string> more) {
    std::vector<std::string> args = {
        "render", "--plugin",          kProbe,    "--in",   folder + "/in.wav",
        "--out",  folder + "/out.wav", "--float", "--tail", "0"};
    args.insert(args.end(), more.begin(), more.end());
    lastRun = runHost(args);
    EXPECT_EQ(lastRun.status, 0) << lastRun.err;
    return lastRun.status == 0 ? readSound(folder + "/out.wav") : Sound{};
  }
  std::string folder;
  HostRun lastRun;
};

}  // namespace

TEST_F(HostProtocol, SongPositionAdvancesWithTheRenderedAudioAtTheTempoGiven) {
  const Sound out = renderProbe({"--tempo", "90", "--block", "300"});
  ASSERT_EQ(out.frames(), static_cast<size_t>(kRate));
  for (size_t f = 0; f < out.frames(); f += 150) {
    const double blockStart = static_cast<double>(f - f % 300);
    ASSERT_EQ(out.channels[0][f], static_cast<float>(blockStart)) << "frame " << f;
    // -2 would mean the probe found the host's answers or call order wrong.
    ASSERT_NEAR(out.channels[1][f], blockStart / kRate * 90.0 / 60.0, 1e-4) << "frame " << f;
  }
}

TEST_F(HostProtocol, ProgramsTheHostSeesAreSelectedWithSetProgram) {
  EXPECT_EQ(renderProbe({}).channels[0][0], 0.0f);
  EXPECT_EQ(renderProbe({"--program", "second"}).channels[0][0], 1e6f);
  EXPECT_EQ(renderProbe({"--program", "2"}).channels[0][0], 2e6f);
  const HostRun bad = runHost({"render", "--plugin", kProbe, "--in", folder + "/in.wav", "--out",
                               folder + "/x.wav", "--program", "fourth"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("valid programs: 0 \"first\", 1 \"second\", 2 \"third\""),
            std::string::npos)
      << bad.err;
}

TEST_F(HostProtocol, ControlChangeArrivesBeforeTheBlockContainingItsTime) {
  const HostRun run = runHost({"render", "--plugin", kProbe, "--in", folder + "/in.wav", "--out",
                               folder + "/out.wav", "--float", "--tail", "0", "--verbose"});
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.err.find("automation"), std::string::npos) << "nothing automated yet";
  const Sound out = renderProbe({"--block", "512", "--cc", "0.5:3:7:100", "--verbose"});
  const size_t blockStart = static_cast<size_t>(0.5 * kRate) / 512 * 512;
  EXPECT_NE(out.channels[1][blockStart - 1], 0.1f);
  EXPECT_FLOAT_EQ(out.channels[1][blockStart], 0.1f);
  EXPECT_FLOAT_EQ(out.channels[1].back(), 0.1f);
  // The probe reports the change as automation, which --verbose logs.
  EXPECT_NE(lastRun.err.find("automation: parameter 1 = 0.787"), std::string::npos) << lastRun.err;
}

TEST_F(HostProtocol, InfoAndSetWorkOnAnyPluginsParameters) {
  const HostRun info = runHost({"info", "--plugin", kProbe});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("Host probe"), std::string::npos);
  EXPECT_NE(info.out.find("Tone"), std::string::npos);
  EXPECT_NE(info.out.find("programs    3\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("    2  third"), std::string::npos);
  renderProbe({"--set", "Tone=0.25"});
  const HostRun bad = runHost({"render", "--plugin", kProbe, "--in", folder + "/in.wav", "--out",
                               folder + "/x.wav", "--set", "DlyTime=0.5"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("valid parameters: \"Gain\", \"Tone\""), std::string::npos) << bad.err;
  const HostRun noState = runHost({"render", "--plugin", kProbe, "--in", folder + "/in.wav",
                                   "--out", folder + "/x.wav", "--save-state", folder + "/s"});
  EXPECT_EQ(noState.status, 2);
  EXPECT_NE(noState.err.find("keeps no state chunk"), std::string::npos) << noState.err;
}

// Plug-ins by other makers, from Debian's dragonfly-reverb-vst package.
TEST_F(HostProtocol, PluginsMadeByOthersLoadAndRender) {
  const std::string reverb = "/usr/lib/lxvst/DragonflyRoomReverb-vst.so";
  if (!fileExists(reverb)) {
    GTEST_SKIP() << reverb << " is not installed (scripts/setup.sh installs it)";
  }
  const HostRun info = runHost({"info", "--plugin", reverb});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("Dragonfly Room Reverb"), std::string::npos);
  EXPECT_NE(info.out.find("Decay"), std::string::npos);

  const Sound input = impulse(0.5, 100, 0.8f);
  writeSound(folder + "/impulse.wav", input);
  const HostRun run = runHost({"render", "--plugin", reverb, "--in", folder + "/impulse.wav",
                               "--out", folder + "/room.wav", "--float", "--set", "Dry Level=0"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Sound out = readSound(folder + "/room.wav");
  ASSERT_EQ(out.channels.size(), 2u);
  // A reverb: sound long after the impulse, and a tail rendered past the input.
  EXPECT_GT(out.frames(), input.frames());
  double energyLater = 0.0;
  for (size_t f = 4410; f < out.frames(); ++f) energyLater += std::fabs(out.channels[0][f]);
  EXPECT_GT(energyLater, 0.01);
}
