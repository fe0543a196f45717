// The Windows build of the host and the plug-in, under Wine, renders what the
// Linux build renders.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "hostrun.h"
#include "ondexfacts.h"

namespace {

const std::string kWindows = ONDEX_WINDOWS_BUILD;

}  // namespace

TEST(CrossPlatform, DllUnderWineRendersWhatTheSoRenders) {
  const std::string wine = kWindows + "/wine-run.sh";
  if (!fileExists(kWindows + "/ondex-host.exe") || !fileExists(kWindows + "/Ondex.dll") ||
      !fileExists(wine)) {
    GTEST_SKIP() << "no Windows build in " << kWindows << " (cmake --preset windows)";
  }
  const std::string folder = freshFolder("CrossPlatform");
  Sound input = noise(1.0, 0.5f);
  for (size_t f = 0; f < input.frames(); f += 11025) input.channels[0][f] = 0.9f;
  writeSound(folder + "/in.wav", input);
  const std::vector<std::string> settings = {"--program",    "lezlie",  "--tail",
                                             "1.5",          "--float", "--cc",
                                             "0.3:1:104:90", "--in",    folder + "/in.wav"};
  std::vector<std::string> linuxArgs = {"render", "--plugin", ONDEX_MODULE_PATH, "--out",
                                        folder + "/linux.wav"};
  linuxArgs.insert(linuxArgs.end(), settings.begin(), settings.end());
  const HostRun linuxRun = runHost(linuxArgs);
  ASSERT_EQ(linuxRun.status, 0) << linuxRun.err;

  // Wine maps the Unix root to drive Z:, so Unix paths work with that prefix.
  std::vector<std::string> windowsArgs = {
      kWindows + "/ondex-host.exe",   "render", "--plugin",
      "Z:" + kWindows + "/Ondex.dll", "--out",  "Z:" + folder + "/windows.wav"};
  for (const std::string& arg : settings) {
    windowsArgs.push_back(arg.rfind('/', 0) == 0 ? "Z:" + arg : arg);
  }
  ASSERT_EQ(runProgram(wine, {"--start"}).status, 0);
  const HostRun windowsRun = runProgram(wine, windowsArgs);
  runProgram(wine, {"--stop"});
  ASSERT_EQ(windowsRun.status, 0) << windowsRun.err << windowsRun.out;

  const Sound a = readSound(folder + "/linux.wav");
  const Sound b = readSound(folder + "/windows.wav");
  ASSERT_EQ(a.channels.size(), b.channels.size());
  ASSERT_EQ(a.frames(), b.frames());
  double largest = 0.0;
  for (size_t c = 0; c < a.channels.size(); ++c) {
    for (size_t f = 0; f < a.frames(); ++f) {
      largest =
          std::fmax(largest, std::fabs(static_cast<double>(a.channels[c][f]) - b.channels[c][f]));
    }
  }
  std::printf("largest difference between the .so and the .dll render: %.3g\n", largest);
  ::testing::Test::RecordProperty("largest_difference", std::to_string(largest));
  EXPECT_LE(largest, 1e-5);
}

// The Windows CLAP module renders every demo program as the Windows DLL does.
TEST(CrossPlatform, WindowsClapModuleRendersWhatTheDllRenders) {
  const std::string wine = kWindows + "/wine-run.sh";
  if (!fileExists(kWindows + "/ondex-host.exe") || !fileExists(kWindows + "/Ondex.clap") ||
      !fileExists(wine)) {
    GTEST_SKIP() << "no Windows CLAP build in " << kWindows << " (cmake --preset windows)";
  }
  const std::string folder = freshFolder("CrossPlatformClap");
  ASSERT_EQ(runProgram(wine, {"--start"}).status, 0);
  for (const std::string module : {"Ondex.dll", "Ondex.clap"}) {
    const HostRun run = runProgram(
        wine, {kWindows + "/ondex-host.exe", "demo", "--plugin", "Z:" + kWindows + "/" + module,
               "--out-dir", "Z:" + folder + "/" + module});
    EXPECT_EQ(run.status, 0) << run.err << run.out;
  }
  runProgram(wine, {"--stop"});
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder + "/Ondex.dll")) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(readBytes(entry.path().string()), readBytes(folder + "/Ondex.clap/" + name)) << name;
    ++compared;
  }
  EXPECT_EQ(compared, 17);
}
