// Bad input: one clear line on stderr naming the problem, exit status 2, and
// no output file, not even a partial one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "hostrun.h"
#include "ondexfacts.h"

namespace {

class BadInput : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = freshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    input = folder + "/in.wav";
    output = folder + "/out.wav";
    writeSound(input, noise(0.2));
  }

  // Runs render with the arguments and checks the refusal and its message.
  void expectRefused(std::vector<std::string> args, const std::string& message) {
    std::vector<std::string> all = {"render", "--plugin", ONDEX_MODULE_PATH, "--in", input,
                                    "--out",  output};
    all.insert(all.end(), args.begin(), args.end());
    expectRefusedExactly(all, message);
  }

  void expectRefusedExactly(const std::vector<std::string>& args, const std::string& message) {
    const HostRun run = runHost(args);
    EXPECT_EQ(run.status, 2) << run.err;
    const auto lines = linesOf(run.err);
    ASSERT_EQ(lines.size(), 1u) << run.err;
    EXPECT_NE(lines[0].find(message), std::string::npos) << lines[0];
    EXPECT_EQ(lines[0].rfind("ondex-host: ", 0), 0u) << lines[0];
    EXPECT_TRUE(run.out.empty()) << run.out;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(name == "in.wav" || name == "keep.wav" || name == "text.so" ||
                  name.find(".state") != std::string::npos)
          << "left behind: " << name;
    }
  }

  void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  std::string folder;
  std::string input;
  std::string output;
};

}  // namespace

TEST_F(BadInput, MissingOrUnreadableInput) {
  input = folder + "/missing.wav";
  expectRefused({}, "cannot read " + input);
  input = folder + "/in.wav";
  writeText(input, "this is not audio at all");
  expectRefused({}, "cannot read " + input);
}

TEST_F(BadInput, MoreThanTwoChannels) {
  Sound three = noise(0.1);
  three.channels.push_back(three.channels[0]);
  writeSound(input, three);
  expectRefused({}, "3 channels");
}

TEST_F(BadInput, OutputThatCannotBeWritten) {
  output = folder + "/no/such/folder/out.wav";
  expectRefused({}, "cannot write " + output);
  output = folder + "/out.xyz";
  expectRefused({}, "unknown file type");
  output = folder;
  expectRefused({}, "it is a folder");
}

TEST_F(BadInput, ModulesThatAreNotPlugins) {
  const std::string modules = ONDEX_TEST_MODULES;
  writeText(folder + "/text.so", "not a module");
  expectRefusedExactly({"info", "--plugin", folder + "/text.so"}, "cannot be opened");
  expectRefusedExactly({"info", "--plugin", folder + "/missing.so"}, "cannot be opened");
  expectRefusedExactly({"info", "--plugin", modules + "/broken_no_entry.so"},
                       "no VSTPluginMain or main");
  expectRefusedExactly({"info", "--plugin", modules + "/broken_null_effect.so"}, "made no effect");
  expectRefusedExactly({"info", "--plugin", modules + "/broken_wrong_magic.so"}, "wrong magic");
  expectRefusedExactly(
      {"render", "--plugin", modules + "/broken_wrong_magic.so", "--in", input, "--out", output},
      "wrong magic");
}

TEST_F(BadInput, UnknownProgramListsTheValidOnes) {
  expectRefused({"--program", "no such program"}, "unknown program 'no such program'");
  const HostRun run = runHost(
      {"render", "--plugin", ONDEX_MODULE_PATH, "--in", input, "--out", output, "--program", "17"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("0 \"default\""), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("16 \"16th slapback\""), std::string::npos) << run.err;
}

TEST_F(BadInput, UnknownParameterListsTheValidOnes) {
  expectRefused({"--set", "Volume=0.5"}, "unknown parameter 'Volume'");
  expectRefused({"--set", "0.5"}, "is not NAME=VALUE");
  if (parametersAreNamed()) {
    const HostRun run = runHost({"render", "--plugin", ONDEX_MODULE_PATH, "--in", input, "--out",
                                 output, "--set", "Volume=0.5"});
    EXPECT_NE(run.err.find("\"DlyTime\""), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("\"Dly<>Clk\""), std::string::npos) << run.err;
  }
}

TEST_F(BadInput, ValueOutsideZeroToOne) {
  expectRefused({"--set", "DlyTime=1.5"}, "out of range 0..1");
  expectRefused({"--set", "DlyTime=-0.1"}, "out of range 0..1");
  expectRefused({"--set", "DlyTime=half"}, "is not a number");
}

TEST_F(BadInput, MalformedControlChange) {
  expectRefused({"--cc", "1:2:3"}, "expected TIME:CHANNEL:CONTROLLER:VALUE");
  expectRefused({"--cc", "soon:1:7:64"}, "time");
  expectRefused({"--cc", "0.5:17:7:64"}, "channel must be 1..16");
  expectRefused({"--cc", "0.5:0:7:64"}, "channel must be 1..16");
  expectRefused({"--cc", "0.5:1:128:64"}, "controller must be 0..127");
  expectRefused({"--cc", "0.5:1:7:200"}, "value must be 0..127");
  expectRefused({"--cc", "-1:1:7:64"}, "must not be negative");
}

TEST_F(BadInput, StateThePluginRefuses) {
  writeText(folder + "/bad.state", std::string(1736, 'x'));
  expectRefused({"--state", folder + "/bad.state"}, "refused the state");
  writeText(folder + "/short.state", "tiny");
  expectRefused({"--state", folder + "/short.state"}, "refused the state");
  expectRefused({"--state", folder + "/missing.state"}, "cannot read state file");
}

TEST_F(BadInput, StateFileThatCannotBeWrittenStopsTheRenderBeforeItStarts) {
  expectRefused({"--save-state", folder + "/no/such/folder/s.state"},
                "cannot write " + folder + "/no/such/folder/s.state");
}

TEST_F(BadInput, AnExistingOutputIsLeftAsItWasOnFailure) {
  output = folder + "/keep.wav";
  writeText(output, "earlier result");
  expectRefused({"--program", "nonsense"}, "unknown program");
  EXPECT_EQ(readBytes(output), "earlier result");
}

TEST_F(BadInput, MissingOutputAndBadNumbers) {
  expectRefusedExactly({"render", "--plugin", ONDEX_MODULE_PATH}, "--out FILE is required");
  expectRefused({"--tempo", "0"}, "--tempo");
  expectRefused({"--block", "0"}, "--block");
  expectRefused({"--tail", "forever"}, "--tail");
  expectRefusedExactly({"render", "--out"}, "needs a value");
  expectRefusedExactly({"bench", "--seconds", "-1"}, "--seconds");
}
