#include "lv2effect.h"

#include <lv2/state/state.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/steps.h"
#include "effectadapter.h"

namespace {

// The position a VST 2.4 time info gives, as a time:Position tells it.
Lv2Position positionOf(const VstTimeInfo& time) {
  Lv2Position p;
  p.frame = time.samplePos;
  p.beatsPerMinute = (time.flags & kVstTempoValid) != 0 ? time.tempo : 120.0;
  const bool signature = (time.flags & kVstTimeSigValid) != 0 && time.timeSigNumerator > 0 &&
                         time.timeSigDenominator > 0;
  p.beatsPerBar = signature ? static_cast<float>(time.timeSigNumerator) : 4.0f;
  p.beatUnit = signature ? time.timeSigDenominator : 4;
  // ppqPos counts quarter notes; the bar's beats are in the signature's unit.
  const double beats = time.ppqPos * p.beatUnit / 4.0;
  p.bar = static_cast<int64_t>(std::floor(beats / p.beatsPerBar));
  p.barBeat = beats - static_cast<double>(p.bar) * p.beatsPerBar;
  p.playing = (time.flags & kVstTransportPlaying) != 0;
  return p;
}

class Lv2Effect : public EffectAdapter {
 public:
  Lv2Effect(std::shared_ptr<const Lv2Bundle> bundle, audioMasterCallback host)
      : EffectAdapter(host), bundle(std::move(bundle)) {
    // The record does not exist for the host yet: its callback answers for
    // the instance being made.
    sampleRate = static_cast<double>(host(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f));
    blockSize = static_cast<VstInt32>(host(nullptr, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f));
    sampleRate = sampleRate > 0.0 ? sampleRate : 44100.0;
    blockSize = std::max<VstInt32>(blockSize, 1);
    instance =
        std::make_unique<Lv2Instance>(this->bundle, sampleRate, static_cast<uint32_t>(blockSize));
    record.numInputs = 0;
    record.numOutputs = 0;
    for (const Lv2Port& p : this->bundle->ports()) {
      if (p.kind == Lv2Port::Kind::kControl && p.input) parameters.push_back(&p);
      if (p.kind == Lv2Port::Kind::kAudio) ++(p.input ? record.numInputs : record.numOutputs);
    }
    record.numPrograms = static_cast<VstInt32>(this->bundle->presets().size());
    record.numParams = static_cast<VstInt32>(parameters.size());
    record.flags = effFlagsCanReplacing |
                   (this->bundle->hasExtension(LV2_STATE__interface) ? effFlagsProgramChunks : 0) |
                   (this->bundle->x11Ui() != nullptr ? effFlagsHasEditor : 0);
    midi.reserve(512);
  }

  Lv2Instance& lv2() { return *instance; }

 private:
  Identity identity() const override { return {bundle->name(), bundle->author(), bundle->name()}; }
  void activate(double rate, VstInt32 maxFrames) override {
    sampleRate = rate;
    blockSize = maxFrames;
    fitInstance();
    instance->activate();
    positionTold = false;
  }
  void deactivate() override { instance->deactivate(); }
  // LV2 has no processing state apart from activation.
  void startProcessing() override {}
  void stopProcessing() override {}
  std::vector<unsigned char> saveState() override {
    return instance->saveProperty(kLv2ChunkProperty);
  }
  bool loadState(const std::vector<unsigned char>& bytes) override {
    return instance->restoreProperty(kLv2ChunkProperty, bytes);
  }
  VstIntPtr dispatch(VstInt32 op, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) const override;
  void process(float** inputs, float** outputs, VstInt32 frames) override;
  std::string shownText(VstInt32 index) const;
  void addMidi(const VstEvents* events);
  // A new instance when the rate changed or blocks outgrew the old one,
  // with the old one's state and port values.
  void fitInstance();
  bool knownParameter(VstInt32 index) const {
    return index >= 0 && static_cast<size_t>(index) < parameters.size();
  }
  bool knownProgram(VstInt32 index) const {
    return index >= 0 && static_cast<size_t>(index) < bundle->presets().size();
  }

  std::shared_ptr<const Lv2Bundle> bundle;
  std::unique_ptr<Lv2Instance> instance;
  std::vector<const Lv2Port*> parameters;  // the control inputs, in index order
  std::vector<Lv2MidiEvent> midi;          // for the next block
  VstInt32 program = 0;
  double sampleRate = 44100.0;
  VstInt32 blockSize = 512;
  // What the plug-in was last told of the transport, and where it expects the next block.
  bool positionTold = false;
  Lv2Position told;
  double nextFrame = 0.0;
};

std::string Lv2Effect::shownText(VstInt32 index) const {
  const Lv2Port& p = *parameters[static_cast<size_t>(index)];
  const float value = instance->portValue(p.index);
  for (const auto& [point, label] : p.scalePoints) {
    if (point == value) return label;
  }
  if (p.toggled) return value > 0.0f ? "on" : "off";
  char text[32];
  std::snprintf(text, sizeof(text), p.integer ? "%.0f" : "%.4g", static_cast<double>(value));
  return text;
}

VstIntPtr Lv2Effect::dispatch(VstInt32 op, VstInt32 index, VstIntPtr value, void* ptr,
                              float /*opt*/) {
  switch (op) {
    case effGetParamName:
      if (knownParameter(index)) copyOut(ptr, parameters[static_cast<size_t>(index)]->name, 64);
      return 0;
    case effGetParamDisplay:
      if (knownParameter(index)) copyOut(ptr, shownText(index), 64);
      return 0;
    case effGetParamLabel:
      if (knownParameter(index)) copyOut(ptr, parameters[static_cast<size_t>(index)]->unit, 64);
      return 0;
    case effSetProgram:
      if (knownProgram(static_cast<VstInt32>(value)) &&
          instance->loadPreset(bundle->presets()[static_cast<size_t>(value)].uri)) {
        program = static_cast<VstInt32>(value);
      }
      return 0;
    case effGetProgram:
      return program;
    case effGetProgramName:
      if (knownProgram(program)) copyOut(ptr, bundle->presets()[program].label, 64);
      return 0;
    case effGetProgramNameIndexed:
      if (!knownProgram(index)) return 0;
      copyOut(ptr, bundle->presets()[static_cast<size_t>(index)].label, 64);
      return 1;
    case effProcessEvents:
      addMidi(static_cast<const VstEvents*>(ptr));
      return 1;
    default:
      return 0;
  }
}

void Lv2Effect::fitInstance() {
  if (instance->sampleRate() == sampleRate &&
      instance->maxFrames() >= static_cast<uint32_t>(std::max(blockSize, 1))) {
    return;
  }
  auto fitted = std::make_unique<Lv2Instance>(bundle, sampleRate,
                                              static_cast<uint32_t>(std::max(blockSize, 1)));
  const std::vector<unsigned char> kept = instance->saveProperty(kLv2ChunkProperty);
  if (!kept.empty()) {
    fitted->restoreProperty(kLv2ChunkProperty, kept);
  }
  for (const Lv2Port* p : parameters) {
    fitted->setPortValue(p->index, instance->portValue(p->index));
  }
  instance = std::move(fitted);
}

void Lv2Effect::addMidi(const VstEvents* events) {
  for (VstInt32 i = 0; events != nullptr && i < events->numEvents; ++i) {
    const VstEvent* event = events->events[i];
    if (event == nullptr || event->type != kVstMidiType) {
      continue;
    }
    const auto* m = reinterpret_cast<const VstMidiEvent*>(event);  // NOLINT: by type
    Lv2MidiEvent e;
    e.frame = static_cast<uint32_t>(std::max(m->deltaFrames, 0));
    for (int b = 0; b < 3; ++b) e.bytes[b] = static_cast<uint8_t>(m->midiData[b]);
    midi.push_back(e);
  }
}

void Lv2Effect::setParameter(VstInt32 index, float value) {
  if (!knownParameter(index)) {
    return;
  }
  const Lv2Port& p = *parameters[static_cast<size_t>(index)];
  const float v = limitedValue(value, 0.0f);
  float port = p.minimum + v * (p.maximum - p.minimum);
  if (p.toggled) {
    port = stepIndex(v, 2) == 1 ? p.maximum : p.minimum;
  } else if (p.integer) {
    // Equal shares of 0..1 per step, as VST 2.4 hosts step normalized values.
    const int steps = static_cast<int>(std::lround(p.maximum - p.minimum)) + 1;
    port = p.minimum + static_cast<float>(stepIndex(v, steps));
  }
  // The plug-in reads the port at its next run, as it reads a host's control.
  instance->setPortValue(p.index, port);
}

float Lv2Effect::getParameter(VstInt32 index) const {
  if (!knownParameter(index)) {
    return 0.0f;
  }
  const Lv2Port& p = *parameters[static_cast<size_t>(index)];
  const float range = p.maximum - p.minimum;
  return range > 0.0f ? (instance->portValue(p.index) - p.minimum) / range : 0.0f;
}

void Lv2Effect::process(float** inputs, float** outputs, VstInt32 frames) {
  const auto count = static_cast<uint32_t>(std::max(frames, 0));
  const VstTimeInfo* time = hostTime();
  // Like jalv and Ardour, the position goes out only when it is news: a
  // start, a jump, a new tempo or a stop; in between the plug-in counts.
  const Lv2Position* news = nullptr;
  Lv2Position now;
  if (time != nullptr) {
    now = positionOf(*time);
    if (!positionTold || (time->flags & kVstTransportChanged) != 0 || now.frame != nextFrame ||
        now.beatsPerMinute != told.beatsPerMinute || now.playing != told.playing) {
      told = now;
      positionTold = true;
      news = &told;
    }
    nextFrame = now.frame + (now.playing ? count : 0);
  }
  std::stable_sort(midi.begin(), midi.end(),
                   [](const Lv2MidiEvent& a, const Lv2MidiEvent& b) { return a.frame < b.frame; });
  for (Lv2MidiEvent& e : midi) e.frame = std::min(e.frame, count > 0 ? count - 1 : 0);
  instance->run(inputs, outputs, count, midi, news);
  midi.clear();
}

}  // namespace

AEffect* openLv2Effect(const std::shared_ptr<const Lv2Bundle>& bundle, audioMasterCallback host) {
  auto* effect = new Lv2Effect(bundle, host);
  return effect->effect();
}

Lv2Instance* lv2InstanceOf(AEffect* effect) {
  auto* lv2 = dynamic_cast<Lv2Effect*>(EffectAdapter::of(effect));
  return lv2 != nullptr ? &lv2->lv2() : nullptr;
}
