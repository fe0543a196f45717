#include "renderer.h"

#include <algorithm>
#include <cmath>

#include "failure.h"
#include "hostedplugin.h"
#include "progressbar.h"

namespace {

constexpr float kSilence = 1e-5f;  // -100 dBFS

}  // namespace

Audio renderThrough(HostedPlugin& plugin, const Audio& input, const TailRule& tail,
                    const ControlSchedule& controls, ProgressBar& progress) {
  const AEffect* effect = plugin.effect();
  if (effect->numOutputs < 1) {
    throw Failure("the plug-in has no audio outputs");
  }
  const double rate = input.sampleRate;
  const VstInt32 block = plugin.context().blockSize;
  const size_t inputFrames = input.frames();
  const double tailLimit =
      tail.fixedSeconds >= 0.0 ? std::min(tail.fixedSeconds, tail.maxSeconds) : tail.maxSeconds;
  const auto maxFrames = inputFrames + static_cast<size_t>(std::llround(tailLimit * rate));
  const auto quietFrames = static_cast<size_t>(std::llround(tail.quietSeconds * rate));

  // As many buffers as the plug-in has pins; mono input feeds every input.
  const auto inPins = static_cast<size_t>(std::max(effect->numInputs, 0));
  const auto outPins = static_cast<size_t>(effect->numOutputs);
  const size_t blockSize = static_cast<size_t>(block);
  std::vector<std::vector<float>> inBuffers(std::max<size_t>(inPins, 1),
                                            std::vector<float>(blockSize));
  std::vector<std::vector<float>> outBuffers(outPins, std::vector<float>(blockSize));
  std::vector<float*> inPointers;
  std::vector<float*> outPointers;
  for (auto& buffer : inBuffers) inPointers.push_back(buffer.data());
  for (auto& buffer : outBuffers) outPointers.push_back(buffer.data());

  Audio output;
  output.sampleRate = rate;
  const size_t keptChannels = std::min<size_t>(outPins, 2);
  output.channels.assign(keptChannels, {});
  for (auto& channel : output.channels) channel.reserve(maxFrames);

  size_t done = 0;
  size_t quietRun = 0;
  while (done < maxFrames) {
    if (done >= inputFrames && tail.fixedSeconds < 0.0 && quietRun >= quietFrames) {
      break;
    }
    const auto frames = static_cast<VstInt32>(std::min(blockSize, maxFrames - done));
    for (size_t pin = 0; pin < inBuffers.size(); ++pin) {
      const size_t source = input.channels.empty() ? 0 : std::min(pin, input.channels.size() - 1);
      for (VstInt32 i = 0; i < frames; ++i) {
        const size_t at = done + static_cast<size_t>(i);
        inBuffers[pin][static_cast<size_t>(i)] =
            at < inputFrames && !input.channels.empty() ? input.channels[source][at] : 0.0f;
      }
    }
    plugin.sendEvents(controls.eventsFor(static_cast<double>(done), frames, rate));
    plugin.process(inPointers.data(), outPointers.data(), frames);
    bool silent = true;
    for (size_t c = 0; c < keptChannels; ++c) {
      const float* samples = outBuffers[c].data();
      output.channels[c].insert(output.channels[c].end(), samples, samples + frames);
      silent = silent && std::all_of(samples, samples + frames,
                                     [](float s) { return std::fabs(s) < kSilence; });
    }
    quietRun = silent ? quietRun + static_cast<size_t>(frames) : 0;
    done += static_cast<size_t>(frames);
    progress.update(static_cast<double>(done) / static_cast<double>(maxFrames));
  }
  progress.finish();
  return output;
}
