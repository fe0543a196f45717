// bench: how fast a plug-in processes, measured by the same host for any
// module it hosts.
#include <chrono>
#include <cstdio>

#include "arguments.h"
#include "commands.h"
#include "failure.h"
#include "hostedplugin.h"
#include "noise.h"

namespace {

const char* kHelp =
    "usage: ondex-host bench [--plugin PATH] [--seconds S] [--rate HZ]\n"
    "\n"
    "Processes S seconds of stereo noise in 512-frame blocks after a one-second\n"
    "warm-up and prints the time per sample frame and the real-time factor.\n"
    "\n"
    "  --plugin PATH   the module, or a VST 3 or LV2 bundle folder (default: Ondex\n"
    "                  beside ondex-host)\n"
    "  --seconds S     audio to process (default 10)\n"
    "  --rate HZ       sample rate (default 44100)\n";

constexpr VstInt32 kBlock = 512;

}  // namespace

int runBench(const Args& args) {
  const ParsedOptions options = parseOptions(args, {{"plugin"}, {"seconds"}, {"rate"}}, "bench");
  if (options.helpWanted) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  const double seconds = parseNumber(options.value("seconds", "10"), "--seconds");
  const double rate = parseNumber(options.value("rate", "44100"), "--rate");
  if (seconds <= 0.0 || seconds > 3600.0) {
    throw Failure("--seconds must be above 0 and at most 3600");
  }
  if (rate < 8000.0 || rate > 768000.0) {
    throw Failure("--rate must be 8000..768000");
  }
  PluginLibrary library(options.value("plugin", defaultPluginPath()));
  HostSettings settings;
  settings.sampleRate = rate;
  settings.blockSize = kBlock;
  auto plugin = library.instantiate(settings);
  const AEffect* effect = plugin->effect();

  // One block-sized buffer per pin, refilled with noise before each block.
  const auto inPins = static_cast<size_t>(std::max(effect->numInputs, 1));
  const auto outPins = static_cast<size_t>(std::max(effect->numOutputs, 1));
  std::vector<std::vector<float>> ins(inPins, std::vector<float>(kBlock));
  std::vector<std::vector<float>> outs(outPins, std::vector<float>(kBlock));
  std::vector<float*> inPointers;
  std::vector<float*> outPointers;
  for (auto& buffer : ins) inPointers.push_back(buffer.data());
  for (auto& buffer : outs) outPointers.push_back(buffer.data());
  Noise noise(1);
  auto runBlocks = [&](long blocks) {
    for (long b = 0; b < blocks; ++b) {
      for (auto& buffer : ins) {
        for (float& sample : buffer) sample = 0.5f * noise.next();
      }
      plugin->process(inPointers.data(), outPointers.data(), kBlock);
    }
  };
  plugin->start();
  runBlocks(static_cast<long>(rate / kBlock) + 1);  // warm-up: caches, denormals, smoothing
  const long blocks = static_cast<long>(seconds * rate / kBlock) + 1;
  const auto started = std::chrono::steady_clock::now();
  runBlocks(blocks);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
  plugin->stop();
  const double frames = static_cast<double>(blocks) * kBlock;
  std::printf(
      "%s: %.1f ns per sample frame, %.0fx real time (%.0f s at %.0f Hz, %d-frame blocks)\n",
      plugin->text(effGetEffectName).c_str(), took.count() * 1e9 / frames,
      frames / rate / took.count(), frames / rate, rate, kBlock);
  return 0;
}
