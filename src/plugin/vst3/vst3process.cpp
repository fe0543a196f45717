// A VST 3 block through the effect: each queue's points become the effect's
// events on their own frames (the controllers' stand-ins as MIDI control
// changes, so the effect's own map and learning apply), the process context
// becomes its transport, and the bypass fades around it.
#include <algorithm>
#include <bit>
#include <cmath>

#include "vst3plugin.h"

namespace {

Transport transportOf(const vst3::ProcessContext& context) {
  using State = vst3::ProcessContext;
  Transport out;
  out.hasTempo = (context.state & State::kTempoValid) != 0;
  out.tempo = context.tempo;
  out.hasBeats = (context.state & State::kProjectTimeMusicValid) != 0;
  out.beats = context.projectTimeMusic;
  out.playing = (context.state & State::kPlaying) != 0;
  return out;
}

uint32_t frameOf(vst3::int32 offset, uint32_t frames) {
  return offset <= 0 ? 0 : std::min(static_cast<uint32_t>(offset), frames);
}

// The controller value a stand-in's normalized value sends.
uint8_t controllerValueOf(double normalized) {
  return static_cast<uint8_t>(std::lround(std::clamp(normalized, 0.0, 1.0) * 127.0));
}

// Power as the bypass sets it: the centres of its two steps, as its defaults are.
constexpr float kPowerOn = 0.75f;
constexpr float kPowerOff = 0.25f;

}  // namespace

vst3::tresult Vst3Plugin::setBusArrangements(vst3::SpeakerArrangement* inputs, vst3::int32 numIns,
                                             vst3::SpeakerArrangement* outputs,
                                             vst3::int32 numOuts) {
  if (active) {
    return vst3::kResultFalse;
  }
  // Mono to mono or stereo to stereo; anything else is answered with stereo.
  if (numIns == 1 && numOuts == 1 && inputs != nullptr && outputs != nullptr &&
      inputs[0] == outputs[0] && (inputs[0] == vst3::kStereo || inputs[0] == vst3::kMono)) {
    inputArrangement = outputArrangement = inputs[0];
    return vst3::kResultTrue;
  }
  inputArrangement = outputArrangement = vst3::kStereo;
  return vst3::kResultFalse;
}

vst3::tresult Vst3Plugin::getBusArrangement(vst3::BusDirection dir, vst3::int32 index,
                                            vst3::SpeakerArrangement& arr) {
  if (index != 0 || (dir != vst3::kInput && dir != vst3::kOutput)) {
    return vst3::kInvalidArgument;
  }
  arr = dir == vst3::kInput ? inputArrangement : outputArrangement;
  return vst3::kResultTrue;
}

// The engine works in single precision.
vst3::tresult Vst3Plugin::canProcessSampleSize(vst3::int32 symbolicSampleSize) {
  return symbolicSampleSize == vst3::kSample32 ? vst3::kResultTrue : vst3::kResultFalse;
}

vst3::tresult Vst3Plugin::setupProcessing(vst3::ProcessSetup& setup) {
  if (active || setup.symbolicSampleSize != vst3::kSample32 || !(setup.sampleRate > 0.0) ||
      setup.maxSamplesPerBlock <= 0) {
    return vst3::kResultFalse;
  }
  sampleRate = setup.sampleRate;
  maxFrames = static_cast<uint32_t>(setup.maxSamplesPerBlock);
  return vst3::kResultOk;
}

vst3::uint32 Vst3Plugin::getTailSamples() {
  if (effect == nullptr) {
    return vst3::kNoTail;
  }
  const uint32_t frames = effect->tailFrames();
  return frames == UINT32_MAX ? vst3::kInfiniteTail : frames;
}

// The tempo drives the synced delay, the song position the loop's alignment.
vst3::uint32 Vst3Plugin::getProcessContextRequirements() {
  using Need = vst3::IProcessContextRequirements;
  return Need::kNeedTempo | Need::kNeedProjectTimeMusic | Need::kNeedTransportState;
}

// Room for the host's points, the bypass's Power changes kept free.
size_t Vst3Plugin::room() const {
  return events.size() - Vst3Bypass::kMostChanges -
         std::min(eventCount, events.size() - Vst3Bypass::kMostChanges);
}

void Vst3Plugin::addEvent(const BlockEvent& event) {
  if (eventCount < events.size()) {
    events[eventCount++] = event;
  }
}

void Vst3Plugin::readBypassQueue(vst3::IParamValueQueue& queue, uint32_t frames) {
  const vst3::int32 points = queue.getPointCount();
  for (vst3::int32 i = 0; i < points; ++i) {
    vst3::int32 offset = 0;
    vst3::ParamValue value = 0.0;
    if (queue.getPoint(i, offset, value) == vst3::kResultOk) {
      bypass.switchAt(frameOf(offset, frames), value >= 0.5);
      bypassSwitched = true;
    }
  }
}

// Every point of every queue we know as the effect's events; the bypass's
// switches go to its plan.
void Vst3Plugin::gatherEvents(vst3::ProcessData& data, uint32_t frames) {
  eventCount = 0;
  bypassSwitched = false;
  vst3::IParameterChanges* changes = data.inputParameterChanges;
  const vst3::int32 queues = changes != nullptr ? changes->getParameterCount() : 0;
  for (vst3::int32 q = 0; q < queues; ++q) {
    vst3::IParamValueQueue* queue = changes->getParameterData(q);
    if (queue == nullptr) {
      continue;
    }
    const vst3::ParamID id = queue->getParameterId();
    if (id == vst3ids::kBypass) {
      readBypassQueue(*queue, frames);
      continue;
    }
    const vst3::int32 points = queue->getPointCount();
    // When the events would not all fit, the queue gives only its last point.
    const vst3::int32 first = static_cast<size_t>(points) <= room() ? 0 : std::max(points - 1, 0);
    for (vst3::int32 i = first; i < points; ++i) {
      vst3::int32 offset = 0;
      vst3::ParamValue value = 0.0;
      if (queue->getPoint(i, offset, value) != vst3::kResultOk) {
        continue;
      }
      if (room() == 0) {
        break;
      }
      BlockEvent event;
      event.frame = frameOf(offset, frames);
      if (vst3ids::isEffectParameter(id)) {
        event.kind = BlockEvent::Kind::kParameter;
        event.id = id;
        event.value = static_cast<float>(value);
        addEvent(event);
      } else if (vst3ids::isController(id)) {
        const auto controller = static_cast<uint8_t>(id - vst3ids::kFirstController);
        controllerValues[controller].store(static_cast<float>(value));
        event.kind = BlockEvent::Kind::kMidi;
        event.midi[0] = 0xB0;
        event.midi[1] = controller;
        event.midi[2] = controllerValueOf(value);
        addEvent(event);
      } else if (id == vst3ids::kProgram) {
        // Programs load on the UI thread; the host sends the choice there too.
        programAsked.store(static_cast<int>(normalizedParamToPlain(vst3ids::kProgram, value)));
      }
    }
  }
}

// The events in the order of their frames; points on one frame keep the
// host's order, so a jump's second point wins.
void Vst3Plugin::sortEvents() {
  for (uint32_t i = 0; i < eventCount; ++i) {
    order[i] = i;
  }
  std::sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(eventCount),
            [this](uint32_t a, uint32_t b) {
              return events[a].frame != events[b].frame ? events[a].frame < events[b].frame : a < b;
            });
  for (uint32_t i = 0; i < eventCount; ++i) {
    sorted[i] = events[order[i]];
  }
}

vst3::tresult Vst3Plugin::process(vst3::ProcessData& data) {
  if (effect == nullptr || data.symbolicSampleSize != vst3::kSample32 || data.numSamples < 0) {
    return vst3::kResultFalse;
  }
  auto frames = static_cast<uint32_t>(data.numSamples);
  vst3::AudioBusBuffers* out = data.numOutputs > 0 ? data.outputs : nullptr;
  vst3::AudioBusBuffers* in = data.numInputs > 0 ? data.inputs : nullptr;
  const bool hasAudio = out != nullptr && out->numChannels > 0 &&
                        out->channelBuffers32 != nullptr && out->channelBuffers32[0] != nullptr;
  if (hasAudio && !active) {
    // Audio before activation is a host's mistake: silence, not what the buffers held.
    for (int32_t c = 0; c < out->numChannels; ++c) {
      if (out->channelBuffers32[c] != nullptr) {
        std::fill_n(out->channelBuffers32[c], frames, 0.0f);
      }
    }
  }
  if (!hasAudio || !active) {
    frames = 0;  // a flush: the parameters alone apply
  }
  bypass.startBlock(effect->parameter(kPower) >= 0.5f, frames > 0);
  gatherEvents(data, frames);
  bypass.endPlan(frames);
  // The bypass switches Power on the frames its fade planned.
  for (size_t i = 0; i < bypass.powerChangeCount(); ++i) {
    const Vst3Bypass::PowerChange& change = bypass.powerChanges()[i];
    BlockEvent event;
    event.frame = change.frame;
    event.id = kPower;
    event.value = change.on ? kPowerOn : kPowerOff;
    addEvent(event);
  }
  sortEvents();

  AudioBlock audio;
  audio.frames = frames;
  const int32_t outChannels = hasAudio ? std::min(out->numChannels, 2) : 0;
  const int32_t inChannels =
      in != nullptr && in->channelBuffers32 != nullptr ? std::min(in->numChannels, 2) : 0;
  if (frames > 0) {
    audio.outputs[0] = out->channelBuffers32[0];
    audio.outputs[1] = outChannels > 1 ? out->channelBuffers32[1] : nullptr;
    if (inChannels > 0 && in->channelBuffers32[0] != nullptr) {
      audio.inputs[0] = in->channelBuffers32[0];
      audio.inputs[1] = inChannels > 1 ? in->channelBuffers32[1] : nullptr;
    }
    if (bypass.fades()) {
      bypass.keepDry(inChannels > 0 ? in->channelBuffers32 : nullptr, inChannels, frames);
    }
  }

  Transport transport;
  const bool hasTransport = data.processContext != nullptr;
  if (hasTransport) {
    transport = transportOf(*data.processContext);
  }
  blockOutput = data.outputParameterChanges;
  effect->process(audio, sorted.data(), eventCount, hasTransport ? &transport : nullptr);
  tellBypassMoves(frames);
  blockOutput = nullptr;

  if (frames > 0) {
    if (bypass.fades()) {
      bypass.mix(audio.outputs, outChannels);
    }
    setSilenceFlags(data, frames);
  }
  return vst3::kResultOk;
}

// Power is the bypass: what the bypass moved, the host hears of as Power; a
// Power moved otherwise (the panel, its automation, a program), as the bypass.
void Vst3Plugin::tellBypassMoves(uint32_t frames) {
  for (size_t i = 0; i < bypass.powerChangeCount(); ++i) {
    const Vst3Bypass::PowerChange& change = bypass.powerChanges()[i];
    tellInBlock(kPower, change.on ? kPowerOn : kPowerOff, change.frame);
  }
  const bool powerOn = effect->parameter(kPower) >= 0.5f;
  if (powerOn != lastPowerOn && !bypassSwitched && bypass.powerChangeCount() == 0) {
    tellInBlock(vst3ids::kBypass, powerOn ? 0.0f : 1.0f, frames > 0 ? frames - 1 : 0);
  }
  lastPowerOn = powerOn;
}

// Silence out only where silence went in and the effect left every sample
// zero: a hint the host may use, checked only when the input claims it.
void Vst3Plugin::setSilenceFlags(vst3::ProcessData& data, uint32_t frames) const {
  vst3::AudioBusBuffers& out = data.outputs[0];
  out.silenceFlags = 0;
  if (data.numInputs <= 0 || data.inputs == nullptr) {
    return;
  }
  const uint64_t allIn =
      data.inputs[0].numChannels >= 64 ? ~0ULL : (1ULL << data.inputs[0].numChannels) - 1;
  if (allIn == 0 || (data.inputs[0].silenceFlags & allIn) != allIn) {
    return;
  }
  for (int32_t c = 0; c < out.numChannels && c < 64; ++c) {
    const float* samples = out.channelBuffers32[c];
    if (samples != nullptr &&
        std::all_of(samples, samples + frames, [](float s) { return s == 0.0f; })) {
      out.silenceFlags |= 1ULL << c;
    }
  }
}
