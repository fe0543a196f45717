#include "clapeffect.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "effectadapter.h"
#include "programs.h"

namespace {

class ClapEffect : public InstanceAdapter<ClapInstance> {
 public:
  ClapEffect(const ClapModule& module, audioMasterCallback host)
      : InstanceAdapter(module, host), module(module) {
    record.numPrograms = 1;
    record.numParams = static_cast<VstInt32>(instance.paramCount());
    record.flags = effFlagsCanReplacing | effFlagsProgramChunks |
                   (instance.extension<void>(CLAP_EXT_GUI) != nullptr ? effFlagsHasEditor : 0);
    for (uint32_t i = 0; i < instance.paramCount(); ++i) {
      infos.push_back(instance.paramInfo(i));
    }
  }

 private:
  Identity identity() const override {
    return {module.descriptor().name, module.descriptor().vendor, module.descriptor().description};
  }
  VstIntPtr dispatch(VstInt32 op, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) const override;
  void process(float** inputs, float** outputs, VstInt32 frames) override;
  std::string shownText(VstInt32 index) const;
  // The plug-in's value events reach the host as a VST 2.4 plug-in's reports would.
  void passOnSent();
  bool knownParameter(VstInt32 index) const {
    return index >= 0 && static_cast<size_t>(index) < infos.size();
  }

  const ClapModule& module;
  std::vector<clap_param_info_t> infos;
  std::vector<ClapEvent> pending;  // events for the next block
};

// What a host shows as a CLAP value's unit: a last word without digits.
std::pair<std::string, std::string> splitUnit(const std::string& text) {
  const size_t space = text.rfind(' ');
  if (space == std::string::npos || space == 0) {
    return {text, ""};
  }
  const std::string last = text.substr(space + 1);
  if (last.find_first_of("0123456789") != std::string::npos) {
    return {text, ""};
  }
  return {text.substr(0, space), last};
}

std::string ClapEffect::shownText(VstInt32 index) const {
  return instance.valueText(infos[static_cast<size_t>(index)].id,
                            instance.paramValue(infos[static_cast<size_t>(index)].id));
}

VstIntPtr ClapEffect::dispatch(VstInt32 op, VstInt32 index, VstIntPtr /*value*/, void* ptr,
                               float /*opt*/) {
  switch (op) {
    case effGetParamName:
      if (knownParameter(index)) copyOut(ptr, infos[static_cast<size_t>(index)].name, 64);
      return 0;
    case effGetParamDisplay:
      if (knownParameter(index)) copyOut(ptr, splitUnit(shownText(index)).first, 64);
      return 0;
    case effGetParamLabel:
      if (knownParameter(index)) copyOut(ptr, splitUnit(shownText(index)).second, 64);
      return 0;
    case effGetProgramNameIndexed: {
      // CLAP has no program list; Ondex keeps its programs in its state.
      const std::vector<unsigned char> bytes = instance.saveState();
      const size_t at = kChunkProgramsAt + static_cast<size_t>(index) * kChunkProgramSize;
      int32_t count = 0;
      if (bytes.size() >= kChunkProgramCountAt + sizeof(count)) {
        std::memcpy(&count, bytes.data() + kChunkProgramCountAt, sizeof(count));
      }
      if (index < 0 || index >= count || bytes.size() < at + kChunkProgramNameSize) {
        return 0;
      }
      std::string name(reinterpret_cast<const char*>(bytes.data() + at),  // NOLINT: text bytes
                       kChunkProgramNameSize);
      copyOut(ptr, name.c_str(), kChunkProgramNameSize + 1);
      return 1;
    }
    case effProcessEvents: {
      const auto* events = static_cast<const VstEvents*>(ptr);
      for (VstInt32 i = 0; events != nullptr && i < events->numEvents; ++i) {
        const VstEvent* event = events->events[i];
        if (event == nullptr || event->type != kVstMidiType) {
          continue;
        }
        const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);  // NOLINT: by type
        ClapEvent e;
        e.type = CLAP_EVENT_MIDI;
        e.time = static_cast<uint32_t>(std::max(midi->deltaFrames, 0));
        for (int b = 0; b < 3; ++b) e.midi[b] = static_cast<uint8_t>(midi->midiData[b]);
        pending.push_back(e);
      }
      return 1;
    }
    default:
      return 0;
  }
}

void ClapEffect::setParameter(VstInt32 index, float value) {
  if (!knownParameter(index)) {
    return;
  }
  const clap_param_info_t& info = infos[static_cast<size_t>(index)];
  double plain = info.min_value + static_cast<double>(value) * (info.max_value - info.min_value);
  if ((info.flags & CLAP_PARAM_IS_STEPPED) != 0) {
    // Equal shares of 0..1 per step, as VST 2.4 hosts step normalized values.
    const double steps = info.max_value - info.min_value + 1.0;
    plain = info.min_value + std::min(std::floor(static_cast<double>(value) * steps), steps - 1.0);
  }
  ClapEvent e;
  e.type = CLAP_EVENT_PARAM_VALUE;
  e.param = info.id;
  e.value = plain;
  // Into the next block while processing, else at once through flush.
  if (instance.isProcessing()) {
    pending.push_back(e);
  } else {
    instance.flush({e});
    passOnSent();
  }
}

void ClapEffect::passOnSent() {
  for (const ClapEvent& e : instance.sent) {
    for (size_t i = 0; i < infos.size(); ++i) {
      if (e.type == CLAP_EVENT_PARAM_VALUE && infos[i].id == e.param) {
        const double range = infos[i].max_value - infos[i].min_value;
        const double normalized = range > 0.0 ? (e.value - infos[i].min_value) / range : 0.0;
        automate(static_cast<VstInt32>(i), normalized);
      }
    }
  }
  instance.sent.clear();
}

float ClapEffect::getParameter(VstInt32 index) const {
  if (!knownParameter(index)) {
    return 0.0f;
  }
  const clap_param_info_t& info = infos[static_cast<size_t>(index)];
  const double range = info.max_value - info.min_value;
  const double plain = instance.paramValue(info.id);
  return range > 0.0 ? static_cast<float>((plain - info.min_value) / range) : 0.0f;
}

void ClapEffect::process(float** inputs, float** outputs, VstInt32 frames) {
  clap_event_transport_t transport{};
  const clap_event_transport_t* when = nullptr;
  const VstTimeInfo* time = hostTime();
  if (time != nullptr) {
    transport.header = {sizeof(transport), 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_TRANSPORT, 0};
    transport.flags = CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_HAS_BEATS_TIMELINE |
                      ((time->flags & kVstTransportPlaying) != 0 ? CLAP_TRANSPORT_IS_PLAYING : 0);
    transport.tempo = time->tempo;
    transport.song_pos_beats =
        std::llround(time->ppqPos * static_cast<double>(CLAP_BEATTIME_FACTOR));
    transport.tsig_num = 4;
    transport.tsig_denom = 4;
    when = &transport;
  }
  std::stable_sort(pending.begin(), pending.end(),
                   [](const ClapEvent& a, const ClapEvent& b) { return a.time < b.time; });
  instance.process(inputs, 2, outputs, static_cast<uint32_t>(std::max(frames, 0)), pending, when);
  pending.clear();
  passOnSent();
}

}  // namespace

AEffect* openClapEffect(const ClapModule& module, audioMasterCallback host) {
  return (new ClapEffect(module, host))->effect();
}

ClapInstance* clapInstanceOf(AEffect* effect) {
  auto* adapter = dynamic_cast<ClapEffect*>(EffectAdapter::of(effect));
  return adapter != nullptr ? &adapter->held() : nullptr;
}
