// One engine behind two interfaces: the demo phrase through every program,
// rendered through the VST 2.4 module and through the VST 3 module by the
// same host code, gives the same samples (on Linux, and on Windows under
// Wine); so do controllers, a parameter set by the host and another tempo.
#include <gtest/gtest.h>

#include "audio.h"
#include "controlchanges.h"
#include "demophrase.h"
#include "hostedplugin.h"
#include "programs.h"
#include "progressbar.h"
#include "renderer.h"
#include "tailestimate.h"

namespace {

constexpr double kRate = 44100.0;

struct Take {
  int program = 0;
  double tempo = 120.0;
  VstInt32 block = 512;
  std::vector<std::pair<VstInt32, float>> settings;
  ControlSchedule controls;
};

Audio rendered(const PluginLibrary& library, const Take& take) {
  HostSettings settings;
  settings.sampleRate = kRate;
  settings.tempo = take.tempo;
  settings.blockSize = take.block;
  auto plugin = library.instantiate(settings);
  ProgramList(*plugin).select(take.program);
  for (const auto& [index, value] : take.settings) plugin->setParameter(index, value);
  ProgressBar quiet(false);
  plugin->start();
  Audio audio = renderThrough(*plugin, demoPhrase(kRate), defaultTail(*plugin, take.tempo),
                              take.controls, quiet);
  plugin->stop();
  return audio;
}

}  // namespace

TEST(Vst3Plugin, RendersEveryProgramSampleForSampleAsTheVstModule) {
  const PluginLibrary vst(ONDEX_VST_PATH);
  const PluginLibrary vst3(ONDEX_VST3_PATH);
  std::vector<Take> takes(17);
  for (int i = 0; i < 17; ++i) takes[static_cast<size_t>(i)].program = i;
  Take played;  // "lezlie" with a controller moving Mix, doubled, at 97 BPM synced
  played.program = 11;
  played.tempo = 97.0;
  played.settings = {{4, 1.0f}, {15, 1.0f}};
  // The VST 2.4 module applies a controller at the start of its block, the
  // VST 3 one on its own frame: blocks of 441 frames start where they stand.
  played.block = 441;
  played.controls.add(parseControlChange("0.3:1:104:90"));
  played.controls.add(parseControlChange("1.1:1:104:20"));
  takes.push_back(played);
  for (const Take& take : takes) {
    const Audio a = rendered(vst, take);
    const Audio b = rendered(vst3, take);
    ASSERT_EQ(a.channels.size(), 2U);
    ASSERT_EQ(b.channels.size(), 2U) << "program " << take.program;
    EXPECT_GT(a.frames(), 0U);
    EXPECT_EQ(a.frames(), b.frames()) << "program " << take.program;
    EXPECT_TRUE(a.channels == b.channels) << "program " << take.program << " tempo " << take.tempo;
  }
}
