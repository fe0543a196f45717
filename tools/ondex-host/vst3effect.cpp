#include "vst3effect.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "effectadapter.h"
#include "vst3text.h"

using namespace vst3;

namespace {

class Vst3Effect : public InstanceAdapter<Vst3Instance> {
 public:
  Vst3Effect(const Vst3Module& module, audioMasterCallback host)
      : InstanceAdapter(module, host), module(module) {
    // Hidden parameters (the controllers' stand-ins) and the program change
    // are no parameters a VST 2.4 host would list.
    for (int32 i = 0; i < instance.paramCount(); ++i) {
      const ParameterInfo info = instance.paramInfo(i);
      if ((info.flags & ParameterInfo::kIsProgramChange) != 0) {
        programChange = info;
      } else if ((info.flags & ParameterInfo::kIsHidden) == 0) {
        shown.push_back(info);
      }
    }
    programNames = instance.programNames();
    IPlugView* view = instance.controller().createView("editor");
    if (view != nullptr) view->release();
    record.numPrograms = std::max<VstInt32>(static_cast<VstInt32>(programNames.size()), 1);
    record.numParams = static_cast<VstInt32>(shown.size());
    record.flags =
        effFlagsCanReplacing | effFlagsProgramChunks | (view != nullptr ? effFlagsHasEditor : 0);
    record.initialDelay = static_cast<VstInt32>(instance.processor().getLatencySamples());
  }

 private:
  Identity identity() const override {
    return {module.processorClass().name, module.processorClass().vendor,
            module.processorClass().name};
  }
  VstIntPtr dispatch(VstInt32 op, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) const override;
  void process(float** inputs, float** outputs, VstInt32 frames) override;
  void receive(const VstEvents* events);
  // What the plug-in moved reaches the host as a VST 2.4 plug-in's reports would.
  void passOnSent();
  bool knownParameter(VstInt32 index) const {
    return index >= 0 && static_cast<size_t>(index) < shown.size();
  }
  VstInt32 currentProgram() const;

  const Vst3Module& module;
  std::vector<ParameterInfo> shown;
  std::optional<ParameterInfo> programChange;
  std::vector<std::string> programNames;
  std::vector<Vst3Point> pending;  // changes for the next block
  std::vector<Event> events;       // notes for the next block
};

// A VST 3 text may carry its unit; VST 2.4 shows the unit as a label apart.
std::string withoutUnit(const std::string& text, const std::string& units) {
  const std::string tail = " " + units;
  if (!units.empty() && text.size() > tail.size() &&
      text.compare(text.size() - tail.size(), tail.size(), tail) == 0) {
    return text.substr(0, text.size() - tail.size());
  }
  return text;
}

VstInt32 Vst3Effect::currentProgram() const {
  if (!programChange || programChange->stepCount < 1) {
    return 0;
  }
  const double value = instance.paramValue(programChange->id);
  return std::min(programChange->stepCount,
                  static_cast<int32>(value * (programChange->stepCount + 1)));
}

VstIntPtr Vst3Effect::dispatch(VstInt32 op, VstInt32 index, VstIntPtr value, void* ptr,
                               float /*opt*/) {
  switch (op) {
    case effGetParamName:
      if (knownParameter(index))
        copyOut(ptr, utf8Of(shown[static_cast<size_t>(index)].title, 128), 64);
      return 0;
    case effGetParamDisplay:
    case effGetParamLabel:
      if (knownParameter(index)) {
        const ParameterInfo& info = shown[static_cast<size_t>(index)];
        const std::string units = utf8Of(info.units, 128);
        copyOut(ptr,
                op == effGetParamLabel
                    ? units
                    : withoutUnit(instance.valueText(info.id, instance.paramValue(info.id)), units),
                64);
      }
      return 0;
    case effGetProgram:
      return currentProgram();
    case effSetProgram:
      // As a host's program menu does: the program-change parameter moves.
      if (programChange && programChange->stepCount > 0 && value >= 0 &&
          value <= programChange->stepCount) {
        instance.setFromHost(programChange->id,
                             static_cast<double>(value) / programChange->stepCount);
      }
      return 0;
    case effGetProgramName:
      copyOut(ptr, programNames.empty() ? "" : programNames[static_cast<size_t>(currentProgram())],
              kVstMaxProgNameLen + 1);
      return 1;
    case effGetProgramNameIndexed:
      if (index < 0 || static_cast<size_t>(index) >= programNames.size()) return 0;
      copyOut(ptr, programNames[static_cast<size_t>(index)], kVstMaxProgNameLen + 1);
      return 1;
    case effProcessEvents:
      receive(static_cast<const VstEvents*>(ptr));
      return 1;
    default:
      return 0;
  }
}

void Vst3Effect::receive(const VstEvents* list) {
  for (VstInt32 i = 0; list != nullptr && i < list->numEvents; ++i) {
    const VstEvent* event = list->events[i];
    if (event == nullptr || event->type != kVstMidiType) {
      continue;
    }
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);  // NOLINT: by type
    const int status = static_cast<unsigned char>(midi->midiData[0]) & 0xF0;
    const auto channel = static_cast<int16>(static_cast<unsigned char>(midi->midiData[0]) & 0x0F);
    const int data1 = static_cast<unsigned char>(midi->midiData[1]) & 0x7F;
    const int data2 = static_cast<unsigned char>(midi->midiData[2]) & 0x7F;
    const int32 offset = std::max<int32>(midi->deltaFrames, 0);
    // Controllers never reach a VST 3 processor as events: the host turns
    // them into changes of the parameter the plug-in's mapping names.
    CtrlNumber controller = -1;
    double normalized = 0.0;
    if (status == 0xB0) {
      controller = static_cast<CtrlNumber>(data1);
      normalized = data2 / 127.0;
    } else if (status == 0xD0) {
      controller = kAfterTouch;
      normalized = data1 / 127.0;
    } else if (status == 0xE0) {
      controller = kPitchBend;
      normalized = ((data2 << 7) | data1) / 16383.0;
    }
    if (controller >= 0) {
      if (const auto id = instance.assignment(channel, controller)) {
        pending.push_back({*id, offset, normalized});
      }
      continue;
    }
    if (status == 0x90 || status == 0x80) {
      Event e{};
      e.sampleOffset = offset;
      if (status == 0x90 && data2 > 0) {
        e.type = Event::kNoteOnEvent;
        e.noteOn = {channel, static_cast<int16>(data1), 0.0f, static_cast<float>(data2) / 127.0f, 0,
                    -1};
      } else {
        e.type = Event::kNoteOffEvent;
        e.noteOff = {channel, static_cast<int16>(data1), static_cast<float>(data2) / 127.0f, -1,
                     0.0f};
      }
      events.push_back(e);
    }
  }
}

void Vst3Effect::setParameter(VstInt32 index, float value) {
  if (knownParameter(index)) {
    instance.setFromHost(shown[static_cast<size_t>(index)].id, static_cast<double>(value));
    passOnSent();
  }
}

float Vst3Effect::getParameter(VstInt32 index) const {
  return knownParameter(index)
             ? static_cast<float>(instance.paramValue(shown[static_cast<size_t>(index)].id))
             : 0.0f;
}

void Vst3Effect::passOnSent() {
  for (const Vst3Point& point : instance.sent) {
    for (size_t i = 0; i < shown.size(); ++i) {
      if (shown[i].id == point.id) {
        automate(static_cast<VstInt32>(i), point.value);
      }
    }
  }
  instance.sent.clear();
}

void Vst3Effect::process(float** inputs, float** outputs, VstInt32 frames) {
  ProcessContext context{};
  ProcessContext* given = nullptr;
  const VstTimeInfo* time = hostTime();
  if (time != nullptr) {
    context.sampleRate = time->sampleRate;
    context.projectTimeSamples = static_cast<TSamples>(time->samplePos);
    context.projectTimeMusic = time->ppqPos;
    context.barPositionMusic = time->barStartPos;
    context.tempo = time->tempo;
    context.timeSigNumerator = time->timeSigNumerator;
    context.timeSigDenominator = time->timeSigDenominator;
    const auto when = [time](VstInt32 flag, uint32 state) {
      return (time->flags & flag) != 0 ? state : 0U;
    };
    context.state = ProcessContext::kTempoValid | ProcessContext::kProjectTimeMusicValid |
                    when(kVstBarsValid, ProcessContext::kBarPositionValid) |
                    when(kVstTimeSigValid, ProcessContext::kTimeSigValid) |
                    when(kVstTransportPlaying, ProcessContext::kPlaying);
    given = &context;
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const Event& a, const Event& b) { return a.sampleOffset < b.sampleOffset; });
  instance.process(inputs, 2, outputs, std::max(frames, 0), pending, events, given);
  pending.clear();
  events.clear();
  passOnSent();
}

}  // namespace

AEffect* openVst3Effect(const Vst3Module& module, audioMasterCallback host) {
  return (new Vst3Effect(module, host))->effect();
}

Vst3Instance* vst3InstanceOf(AEffect* effect) {
  auto* adapter = dynamic_cast<Vst3Effect*>(EffectAdapter::of(effect));
  return adapter != nullptr ? &adapter->held() : nullptr;
}
